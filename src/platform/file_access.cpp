#include "platform/file_access.h"

#include <cstdint>

#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/strings.h"
#include "platform/text_encoding.h"

namespace velmora {

namespace {

// The folders MakeDirs makes for a path: every piece but a last one holding a dot; none for a
// path of one piece.
std::vector<std::string> FolderPieces(const std::string& path) {
  std::vector<std::string> pieces = Split(path, "\\", true);
  if (pieces.size() < 2)
    return {};
  if (Contains(pieces.back(), "."))
    pieces.pop_back();
  return pieces;
}

}  // namespace

// The first piece (the drive) is never created.
bool CFileAccess::MakeFolderChain(const std::vector<std::string>& pieces, bool bQuiet) {
  if (pieces.empty())
    return false;
  std::string folder = pieces[0];
  for (size_t i = 1; i < pieces.size(); ++i) {
    folder += "\\" + pieces[i];
    bool bExisted = false;
    if (!m_pDisk->MakeFolder(folder, bExisted)) {
      if (!bQuiet)
        m_pDialogs->MessageBox("Can't make dir:" + folder);
      return false;
    }
  }
  return true;
}

// Writes the file, making its folders first unless an earlier write found them. A folder that
// has gone since is made again. bFoldersMade tells whether the folders were there at the end.
bool CFileAccess::WriteMakingFolders(const std::string& path, std::string_view bytes,
                                     bool& bFoldersMade) {
  const size_t slash = path.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  bool bKnown = false;
  if (!folder.empty()) {
    std::lock_guard<std::mutex> lock(m_mutex);
    bKnown = m_writtenFolders.contains(folder);
  }
  bFoldersMade = bKnown || MakeDirs(path);
  if (bFoldersMade && m_pDisk->WriteFile(path, bytes)) {
    if (!folder.empty()) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_writtenFolders.insert(folder);
    }
    return true;
  }
  if (!bKnown)
    return false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writtenFolders.erase(folder);
  }
  return WriteMakingFolders(path, bytes, bFoldersMade);
}

bool CFileAccess::MakeDirs(const std::string& path) {
  return MakeFolderChain(FolderPieces(path));
}

bool CFileAccess::MakeFoldersFor(const std::string& path) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos)
    return false;
  const std::string folder = path.substr(0, slash);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_writtenFolders.contains(folder))
      return true;
  }
  if (!MakeFolderChain(FolderPieces(path), true))
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_writtenFolders.insert(folder);
  return true;
}

bool CFileAccess::ReadTextBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (m_pDisk->ReadFile(path, bytes, kMaxTextBytes))
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

bool CFileAccess::ReadTextFile(const std::string& path, std::string& text) {
  text.clear();
  std::string bytes;
  if (!ReadTextBytes(path, bytes))
    return false;
  text = JoinLinesWithCrLf(bytes);
  return true;
}

bool CFileAccess::ReadSourceText(const std::string& path, std::string& text) {
  text.clear();
  std::string bytes;
  if (!ReadTextBytes(path, bytes))
    return false;
  DropByteOrderMark(bytes);
  text = JoinLinesWithCrLf(bytes);
  return true;
}

bool CFileAccess::WriteTextFile(const std::string& path, const std::string& text) {
  bool bFoldersMade = false;
  if (WriteMakingFolders(path, text, bFoldersMade))
    return true;
  if (bFoldersMade)
    m_pDialogs->MessageBox(path + " could not be written ");
  return false;
}

bool CFileAccess::WriteBinaryFile(const std::string& path, std::string_view bytes) {
  bool bFoldersMade = false;
  return WriteMakingFolders(path, bytes, bFoldersMade);
}

bool CFileAccess::CopyFileMakingDirs(const std::string& source, const std::string& target) {
  size_t slash = target.rfind('\\');
  if (slash == std::string::npos)
    return false;
  // Every piece of the folder is a folder, dots or not.
  std::vector<std::string> folders = Split(std::string_view(target).substr(0, slash), "\\", true);
  if (folders.size() > 1 && !MakeFolderChain(folders))
    return false;
  std::string bytes;
  return m_pDisk->ReadFile(source, bytes) && m_pDisk->WriteFile(target, bytes);
}

bool CFileAccess::FileExists(const std::string& path) {
  return m_pDisk->FileExists(path);
}

bool CFileAccess::AnythingAt(const std::string& path) {
  std::int64_t nSeconds = 0;
  return m_pDisk->ModificationTime(path, nSeconds);
}

}  // namespace velmora
