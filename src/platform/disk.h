// The file system behind an interface, so tests can run on a virtual disk. Paths are internal
// (drive-letter) paths such as "C:\site\index.html"; the host implementation maps them through
// the drive map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora {

struct CDirEntry {
  std::string m_strName;
  bool m_bFolder = false;
};

// What tells one state of a file from another without reading it.
struct CFileStamp {
  std::int64_t m_nSize = 0;
  std::int64_t m_nModifiedNs = 0;
  std::int64_t m_nChangedNs = 0;
  std::uint64_t m_nInode = 0;
  std::uint64_t m_nDevice = 0;
  bool operator==(const CFileStamp&) const = default;
};

class CDisk {
 public:
  virtual ~CDisk() = default;
  // Fails, without reading it, for a file that holds more than nMaxBytes.
  virtual bool ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) = 0;
  bool ReadFile(const std::string& path, std::string& bytes) {
    return ReadFile(path, bytes, SIZE_MAX);
  }
  // Writes the whole file or leaves what was there (see WriteHostFileAtomically); the folder
  // must exist.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Makes one folder; bExisted tells that it was there already (which is success).
  virtual bool MakeFolder(const std::string& path, bool& bExisted) = 0;
  virtual bool ListFolder(const std::string& path, std::vector<CDirEntry>& entries) = 0;
  virtual bool ModificationTime(const std::string& path, std::int64_t& seconds) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // False when the disk cannot tell; callers then read the file.
  virtual bool Stamp(const std::string&, CFileStamp&) { return false; }
  // Makes the next write into each folder look for left-over temporary files again (once per
  // build, for a program that builds many times).
  virtual void ForgetSweptFolders() {}
  // The system's reason for the last write or new folder that failed on this thread ("No
  // space left on device"); empty when the disk cannot tell.
  virtual std::string FailureReason() const { return {}; }
};

// The folders whose left-over temporary files were looked for, each once.
class CSweptFolders {
 public:
  // True the first time a folder is named since the last Forget.
  bool First(const std::string& folder);
  void Forget();

 private:
  std::mutex m_mutex;
  std::unordered_set<std::string> m_folders;
};

// How WriteHostFileAtomically treats the file it replaces.
struct CAtomicWrite {
  bool m_bFlush = false;  // the bytes reach the disk before the file takes its name
  // A link stays a link (the file it names is replaced) and the file keeps its permissions;
  // otherwise a link is replaced by a file, so pages never land outside their folder.
  bool m_bKeepFile = false;
  // Where the folders already swept are remembered; none: the folder is swept every time.
  CSweptFolders* m_pSwept = nullptr;
};

// Writes a host file through a temporary file in the same folder renamed to its name, so a
// crash, a kill or a full disk leaves the old file or the new one, never a part of either. The
// first write into a folder removes the temporary files that processes no longer running left
// there.
bool WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes,
                             const CAtomicWrite& how);

class CDriveMap;

// The host file system seen through the drive map.
class CHostDisk : public CDisk {
 public:
  explicit CHostDisk(const CDriveMap& drives) : m_drives(drives) {}
  using CDisk::ReadFile;
  bool ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool MakeFolder(const std::string& path, bool& bExisted) override;
  bool ListFolder(const std::string& path, std::vector<CDirEntry>& entries) override;
  bool ModificationTime(const std::string& path, std::int64_t& seconds) override;
  bool RemoveFile(const std::string& path) override;
  bool Stamp(const std::string& path, CFileStamp& stamp) override;
  void ForgetSweptFolders() override { m_swept.Forget(); }
  std::string FailureReason() const override;

 private:
  bool Host(const std::string& path, std::string& host) const;

  const CDriveMap& m_drives;
  CSweptFolders m_swept;
};

}  // namespace velmora
