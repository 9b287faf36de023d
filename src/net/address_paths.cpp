#include "net/address_paths.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "net/address.h"
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

}  // namespace velmora
