// A disk in front of another that remembers which files exist. A build asks about the same
// images for every page of a folder; the answers stay true while nothing changes them, and
// whatever changes them through this disk (writes, removals, new folders) is forgotten. Changes
// made around it are not seen, so it serves one build at a time.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/disk.h"

namespace velmora {

class CDriveMap;

class CExistenceMemo : public CDisk {
 public:
  CExistenceMemo(CDisk& disk, const CDriveMap& drives) : m_disk(disk), m_drives(drives) {}

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
  void ForgetSweptFolders() override { m_disk.ForgetSweptFolders(); }
  std::string FailureReason() const override { return m_disk.FailureReason(); }

 private:
  // Paths are remembered as the host names them, so two spellings of one file are one.
  bool HostKey(const std::string& path, std::string& key) const;
  void Forget(const std::string& path);

  CDisk& m_disk;
  const CDriveMap& m_drives;
  std::mutex m_mutex;
  std::unordered_map<std::string, bool> m_fileExists;
};

// Puts a memo in front of the disk that pDisk names for the lifetime of this object.
class CExistenceMemoScope {
 public:
  CExistenceMemoScope(CDisk*& pDisk, const CDriveMap& drives)
      : m_pDisk(pDisk), m_previous(*pDisk), m_memo(m_previous, drives) {
    m_pDisk = &m_memo;
  }
  ~CExistenceMemoScope() { m_pDisk = &m_previous; }
  CExistenceMemoScope(const CExistenceMemoScope&) = delete;
  CExistenceMemoScope& operator=(const CExistenceMemoScope&) = delete;

 private:
  CDisk*& m_pDisk;
  CDisk& m_previous;
  CExistenceMemo m_memo;
};

}  // namespace velmora
