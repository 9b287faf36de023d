// The small file operations every part uses, on the disk of a run: text read as lines joined
// by CR LF, writes that make their folders, copies. Paths are internal (backslash) paths.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora {

class CDisk;
class CDialogs;

// Text files larger than this are not read, as fetched texts are not.
constexpr size_t kMaxTextBytes = 64 * 1024 * 1024;

// Lines ending in LF or CR LF joined by CR LF, without a line end after the last.
std::string JoinLinesWithCrLf(std::string_view bytes);

class CFileAccess {
 public:
  // pDisk is followed as it changes (a memo may be put in front of the disk for a build);
  // dialogs tell the user of a folder that could not be made.
  CFileAccess(CDisk* const& pDisk, CDialogs* const& pDialogs)
      : m_pDisk(pDisk), m_pDialogs(pDialogs) {}

  bool MakeDirs(const std::string& path);
  // Makes the folders of a file's path as a write does, unless a write found them already, and
  // says nothing when that fails: true when they are there.
  bool MakeFoldersFor(const std::string& path);
  // Reads a text file, its lines joined by CR LF (JoinLinesWithCrLf).
  bool ReadTextFile(const std::string& path, std::string& text);
  // A text that goes into a page (a block, template, index source or kept page): read as
  // ReadTextFile does, without the byte-order mark an editor may have put in front of it, and
  // from UTF-16 or UTF-32 with their mark into UTF-8.
  bool ReadSourceText(const std::string& path, std::string& text);
  // The file's bytes as they are; false, like ReadTextFile, for a file over the text limit.
  bool ReadTextBytes(const std::string& path, std::string& bytes);
  bool WriteTextFile(const std::string& path, const std::string& text);
  bool WriteBinaryFile(const std::string& path, std::string_view bytes);
  bool CopyFileMakingDirs(const std::string& source, const std::string& target);
  bool FileExists(const std::string& path);
  // True when a file or folder is at the path, readable or not.
  bool AnythingAt(const std::string& path);

 private:
  // Creates pieces[0]\pieces[1], then its child pieces[2], and so on; a folder that cannot be
  // made is told in a message unless bQuiet.
  bool MakeFolderChain(const std::vector<std::string>& pieces, bool bQuiet = false);
  bool WriteMakingFolders(const std::string& path, std::string_view bytes, bool& bFoldersMade);

  CDisk* const& m_pDisk;
  CDialogs* const& m_pDialogs;
  // The folders that writes found or made in this run. A site of thousands of pages in a few
  // folders would otherwise ask the disk about every folder of every page's path.
  std::mutex m_mutex;
  std::unordered_set<std::string> m_writtenFolders;
};

}  // namespace velmora
