#include "markup/paths.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "markup/text_encoding.h"
#include "net/address.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/strings.h"

namespace velmora {

namespace {

std::string Backslashed(std::string path) {
  ReplaceAll(path, "/", "\\");
  return path;
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// The end of the piece that begins at start: the next separator ("\" or "/") or the end.
size_t PieceEnd(std::string_view path, size_t start) {
  while (start < path.size() && !IsSeparator(path[start])) ++start;
  return start;
}

// The number of leading bytes two texts share, compared eight at a time.
size_t CommonPrefixLength(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y)
      break;
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

// Splitting on "/" loses the empty piece of "http://"; put it back.
void RestoreScheme(std::string& address) {
  if (StartsWith(address, "http:/"))
    address.insert(5, "/");
  else if (StartsWith(address, "https:/"))
    address.insert(6, "/");
}

bool HasScheme(const std::string& text) {
  return Contains(text, "http://") || Contains(text, "https://");
}

// Creates pieces[0]\pieces[1], then its child pieces[2], and so on; the first piece (the drive)
// is never created.
bool MakeFolderChain(const std::vector<std::string>& pieces) {
  if (pieces.empty())
    return false;
  std::string folder = pieces[0];
  for (size_t i = 1; i < pieces.size(); ++i) {
    folder += "\\" + pieces[i];
    bool bExisted = false;
    if (!Disk().MakeFolder(folder, bExisted)) {
      Dialogs().MessageBox("Can't make dir:" + folder);
      return false;
    }
  }
  return true;
}

// The folders that writes found or made in this run. A site of thousands of pages in a few
// folders would otherwise ask the disk about every folder of every page's path.
std::unordered_set<std::string>& WrittenFolders() {
  static std::unordered_set<std::string> folders;
  return folders;
}

// Writes the file, making its folders first unless an earlier write found them. A folder that
// has gone since is made again. bFoldersMade tells whether the folders were there at the end.
bool WriteMakingFolders(const std::string& path, std::string_view bytes, bool& bFoldersMade) {
  const size_t slash = path.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  const bool bKnown = !folder.empty() && WrittenFolders().contains(folder);
  bFoldersMade = bKnown || MakeDirs(path);
  if (bFoldersMade && Disk().WriteFile(path, bytes)) {
    if (!folder.empty())
      WrittenFolders().insert(folder);
    return true;
  }
  if (!bKnown)
    return false;
  WrittenFolders().erase(folder);
  return WriteMakingFolders(path, bytes, bFoldersMade);
}

}  // namespace

void AppendRelativePath(std::string& out, const std::string& from, const std::string& to) {
  // Walks the pieces of both paths side by side without copying them: pages ask for dozens of
  // relative paths each. The pieces before the last separator that both paths share byte for
  // byte are equal, and none of them is the last piece of either path: the walk starts after it.
  const size_t nSame = CommonPrefixLength(from, to);
  size_t fromAt = 0;
  for (size_t i = nSame; i-- > 0;)
    if (IsSeparator(from[i])) {
      fromAt = i + 1;
      break;
    }
  size_t toAt = fromAt;
  while (true) {
    const size_t fromEnd = PieceEnd(from, fromAt);
    const size_t toEnd = PieceEnd(to, toAt);
    const std::string_view fromPiece(from.data() + fromAt, fromEnd - fromAt);
    const std::string_view toPiece(to.data() + toAt, toEnd - toAt);
    if (fromPiece != toPiece && !EqualsNoCase(fromPiece, toPiece))
      break;
    const bool bFromEnds = fromEnd == from.size();
    const bool bToEnds = toEnd == to.size();
    if (bFromEnds && bToEnds) {
      out.append(to, toAt);
      return;
    }
    if (bFromEnds || bToEnds) {
      const size_t nStart = out.size();
      out += to;
      std::replace(out.begin() + static_cast<std::ptrdiff_t>(nStart), out.end(), '/', '\\');
      return;
    }
    fromAt = fromEnd + 1;
    toAt = toEnd + 1;
  }

  // One "../" for every folder of from below the common ones.
  const size_t nUp = static_cast<size_t>(
      std::count_if(from.begin() + static_cast<std::ptrdiff_t>(fromAt), from.end(), IsSeparator));
  for (size_t i = 0; i < nUp; ++i) out += "../";
  const size_t nRest = out.size();
  out.append(to, toAt);
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(nRest), out.end(), '\\', '/');
}

std::string RelativePath(const std::string& from, const std::string& to) {
  std::string result;
  AppendRelativePath(result, from, to);
  return result;
}

std::string ResolveRelative(const std::string& baseFile, const std::string& reference) {
  // The folders of the base (empty pieces dropped), each leading ".." of the reference taking
  // one away; the rest of the reference follows them.
  std::vector<std::string_view> folders;
  for (size_t start = 0; start < baseFile.size();) {
    const size_t end = PieceEnd(baseFile, start);
    if (end > start)
      folders.push_back(std::string_view(baseFile).substr(start, end - start));
    start = end + 1;
  }
  if (!folders.empty())
    folders.pop_back();
  size_t restAt = 0;
  while (reference.size() - restAt > 2) {
    if (folders.empty())
      return {};
    if (reference.compare(restAt, 2, "..") != 0)
      break;
    restAt += 3;
    folders.pop_back();
  }
  if (folders.empty() || reference.size() - restAt <= 2)
    return {};
  std::string result;
  for (const std::string_view folder : folders) {
    result += folder;
    result += '\\';
  }
  const size_t nRest = result.size();
  result.append(reference, restAt);
  std::replace(result.begin() + static_cast<std::ptrdiff_t>(nRest), result.end(), '/', '\\');
  return result;
}

std::string JoinAddress(const std::string& base, const std::string& reference) {
  std::string ref = reference;
  FoldSchemeCase(ref);
  if (HasScheme(ref))
    return ref;

  // A reference from the server's root, or one naming another server, leaves the base's
  // path behind.
  CAddress address;
  const bool bWebBase = ParseAddress(base, address) && IsHttpService(address);
  if (bWebBase && StartsWith(ref, "/")) {
    if (StartsWith(ref, "//"))
      return address.m_strService + ":" + ref;
    size_t serverStart = base.find("//") + 2;
    return base.substr(0, base.find_first_of("/?#", serverStart)) + ref;
  }

  // The query of a web page's address is no part of its folder.
  std::string_view basePath = base;
  if (bWebBase)
    basePath = basePath.substr(0, basePath.find_first_of("?#"));
  std::vector<std::string> baseParts = Split(basePath, "/", true);
  // A web base naming a folder ("http://h/dir/", "http://h") has an empty file name.
  if (bWebBase && (EndsWith(basePath, "/") || baseParts.size() == 2))
    baseParts.emplace_back();
  std::vector<std::string> refParts = Split(ref, "/", true);
  std::string result;
  if (refParts.size() == 1) {
    for (size_t i = 0; i + 1 < baseParts.size(); ++i) result += baseParts[i] + "/";
    result += refParts[0];
    RestoreScheme(result);
    return result;
  }

  std::string fileName = refParts.empty() ? std::string() : refParts.back();
  if (!refParts.empty())
    refParts.pop_back();
  if (!baseParts.empty())
    baseParts.pop_back();
  size_t first = 0;
  // On a web address ".." stops at the server's root ("http:" and the server stay), as in a
  // browser; it never turns a folder into a server name.
  const size_t lowest = bWebBase ? 2 : 0;
  while (first < refParts.size() && refParts[first] == "..") {
    if (baseParts.empty())
      return {};
    if (baseParts.size() > lowest)
      baseParts.pop_back();
    ++first;
  }
  if (baseParts.empty())
    return {};
  for (const std::string& part : baseParts) result += part + "/";
  for (size_t i = first; i < refParts.size(); ++i) result += refParts[i] + "/";
  result += fileName;
  RestoreScheme(result);
  return result;
}

std::string UrlToLocalPath(const std::string& address, const std::string& root) {
  CAddress parsed;
  if (!ParseAddress(address, parsed))
    return {};
  // Only plain names of the address's path are kept, so a copy can never land outside root.
  std::vector<std::string> names;
  for (std::string& piece : Split(Backslashed(parsed.m_strObject), "\\", true)) {
    if (names.empty())
      piece.erase(0, piece.find_first_not_of('~'));
    if (piece.empty() || piece == "." || piece == "..")
      continue;
    names.push_back(std::move(piece));
  }
  if (names.empty())
    return {};
  std::string result = Backslashed(root);
  if (!EndsWith(result, "\\"))
    result += "\\";
  for (size_t i = 0; i < names.size(); ++i) result += (i ? "\\" : "") + names[i];
  return result;
}

void FoldSchemeCase(std::string& address) {
  ReplaceAll(address, "HTTP://", "http://");
  ReplaceAll(address, "HTTPS://", "https://");
  for (std::string_view scheme : {"http://", "https://"})
    if (EqualsNoCase(std::string_view(address).substr(0, scheme.size()), scheme))
      address.replace(0, scheme.size(), scheme);
}

bool NormalizeHttpAddress(std::string& address) {
  if (!Contains(address, "/"))
    return false;
  std::string copy = address;
  FoldSchemeCase(copy);
  if (!HasScheme(copy))
    copy.insert(0, "http://");
  CAddress parsed;
  if (!ParseAddress(copy, parsed) || !IsHttpService(parsed))
    return false;
  address = copy;
  return true;
}

bool HasHostPart(const std::string& address) {
  CAddress parsed;
  return ParseAddress(address, parsed) && !parsed.m_strServer.empty();
}

bool MakeDirs(const std::string& path) {
  std::vector<std::string> pieces = Split(path, "\\", true);
  if (pieces.size() < 2)
    return false;
  if (Contains(pieces.back(), "."))
    pieces.pop_back();
  return MakeFolderChain(pieces);
}

bool ReadTextBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (Disk().ReadFile(path, bytes, kMaxTextBytes))
    return true;
  bytes.clear();
  return false;
}

std::string JoinLinesWithCrLf(std::string_view bytes) {
  // Lines end in LF or CR LF; the last line end is dropped and the lines are joined by CR LF.
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 32);
  size_t start = 0;
  while (start < bytes.size()) {
    size_t lf = bytes.find('\n', start);
    size_t stop = lf == std::string::npos ? bytes.size() : lf;
    size_t lineEnd = stop > start && bytes[stop - 1] == '\r' ? stop - 1 : stop;
    if (start > 0)
      text += "\r\n";
    text.append(bytes, start, lineEnd - start);
    if (lf == std::string::npos)
      break;
    start = lf + 1;
  }
  return text;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  text.clear();
  std::string bytes;
  if (!ReadTextBytes(path, bytes))
    return false;
  text = JoinLinesWithCrLf(bytes);
  return true;
}

bool ReadSourceText(const std::string& path, std::string& text) {
  text.clear();
  std::string bytes;
  if (!ReadTextBytes(path, bytes))
    return false;
  DropByteOrderMark(bytes);
  text = JoinLinesWithCrLf(bytes);
  return true;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  bool bFoldersMade = false;
  if (WriteMakingFolders(path, text, bFoldersMade))
    return true;
  if (bFoldersMade)
    Dialogs().MessageBox(path + " could not be written ");
  return false;
}

bool WriteBinaryFile(const std::string& path, std::string_view bytes) {
  bool bFoldersMade = false;
  return WriteMakingFolders(path, bytes, bFoldersMade);
}

bool CopyFileMakingDirs(const std::string& source, const std::string& target) {
  size_t slash = target.rfind('\\');
  if (slash == std::string::npos)
    return false;
  // Every piece of the folder is a folder, dots or not.
  std::vector<std::string> folders = Split(std::string_view(target).substr(0, slash), "\\", true);
  if (folders.size() > 1 && !MakeFolderChain(folders))
    return false;
  std::string bytes;
  return Disk().ReadFile(source, bytes) && Disk().WriteFile(target, bytes);
}

bool FileExists(const std::string& path) {
  return Disk().FileExists(path);
}

bool AnythingAt(const std::string& path) {
  std::int64_t nSeconds = 0;
  return Disk().ModificationTime(path, nSeconds);
}

}  // namespace velmora
