#include "platform/existence_memo.h"

#include "platform/drive_map.h"

namespace velmora {

bool CExistenceMemo::HostKey(const std::string& path, std::string& key) const {
  return m_drives.ToHost(path, key);
}

void CExistenceMemo::Forget(const std::string& path) {
  std::string key;
  std::lock_guard<std::mutex> lock(m_mutex);
  // A path the host cannot name has nothing remembered under a name; forget everything.
  if (!HostKey(path, key))
    m_fileExists.clear();
  else
    m_fileExists.erase(key);
}

bool CExistenceMemo::FileExists(const std::string& path) {
  std::string key;
  if (!HostKey(path, key))
    return m_disk.FileExists(path);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (auto it = m_fileExists.find(key); it != m_fileExists.end())
      return it->second;
  }
  const bool bExists = m_disk.FileExists(path);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_fileExists[key] = bExists;
  return bExists;
}

bool CExistenceMemo::ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) {
  return m_disk.ReadFile(path, bytes, nMaxBytes);
}

bool CExistenceMemo::WriteFile(const std::string& path, std::string_view bytes) {
  const bool ok = m_disk.WriteFile(path, bytes);
  Forget(path);
  return ok;
}

bool CExistenceMemo::FolderExists(const std::string& path) {
  return m_disk.FolderExists(path);
}

bool CExistenceMemo::MakeFolder(const std::string& path, bool& bExisted) {
  const bool ok = m_disk.MakeFolder(path, bExisted);
  Forget(path);
  return ok;
}

bool CExistenceMemo::ListFolder(const std::string& path, std::vector<CDirEntry>& entries) {
  return m_disk.ListFolder(path, entries);
}

bool CExistenceMemo::ModificationTime(const std::string& path, std::int64_t& seconds) {
  return m_disk.ModificationTime(path, seconds);
}

bool CExistenceMemo::RemoveFile(const std::string& path) {
  const bool ok = m_disk.RemoveFile(path);
  Forget(path);
  return ok;
}

bool CExistenceMemo::Stamp(const std::string& path, CFileStamp& stamp) {
  return m_disk.Stamp(path, stamp);
}

}  // namespace velmora
