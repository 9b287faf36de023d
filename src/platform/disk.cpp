#include "platform/disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/drive_map.h"

namespace velmora {

namespace {
CHostDisk theHostDisk;
CDisk* thepDisk = &theHostDisk;

bool Host(const std::string& path, std::string& host) {
  return theDriveMap.ToHost(path, host);
}
}  // namespace

CDisk& Disk() {
  return *thepDisk;
}
void SetDisk(CDisk* pDisk) {
  thepDisk = pDisk ? pDisk : &theHostDisk;
}

bool CHostDisk::ReadFile(const std::string& path, std::string& bytes) {
  std::string host;
  if (!Host(path, host))
    return false;
  // Without O_NONBLOCK, opening a named pipe would wait for a writer that never comes; only
  // regular files are read, and for them the flag changes nothing.
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  // One read of the size the file has and one byte more: a short read of a regular file ends
  // it. A file that grows meanwhile is read on to its end.
  bytes.assign(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t done = 0;
  bool ok = true;
  while (true) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    done += static_cast<size_t>(n);
    if (done < bytes.size())
      break;
    bytes.resize(bytes.size() * 2);
  }
  ::close(fd);
  bytes.resize(done);
  return ok;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes, bool bFlush) {
  // Where nothing is there to keep, the file is made in place, and removed again when it
  // cannot be written whole.
  int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    bool ok = WriteAll(fd, bytes) && (!bFlush || ::fsync(fd) == 0);
    ok = ::close(fd) == 0 && ok;
    if (!ok)
      ::unlink(hostPath.c_str());
    return ok;
  }
  if (errno != EEXIST)
    return false;
  // A folder of the same name cannot be replaced by a file, and a file its owner made
  // read-only is left as it is, though the rename could replace it. A link to nothing is
  // replaced.
  struct stat st {};
  if (::stat(hostPath.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode) || ::access(hostPath.c_str(), W_OK) != 0)
      return false;
  } else if (errno != ENOENT) {
    return false;
  }
  // The temporary name is short and unique within the process, so a target whose name is as
  // long as the file system allows can still be written.
  static std::atomic<unsigned> nextTemp = 0;
  size_t slash = hostPath.rfind('/');
  std::string temp = hostPath.substr(0, slash + 1) + ".velmora-" + std::to_string(::getpid()) +
                     "-" + std::to_string(nextTemp++) + ".tmp";
  fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  bool ok = WriteAll(fd, bytes) && (!bFlush || ::fsync(fd) == 0);
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), hostPath.c_str()) == 0)
    return true;
  ::unlink(temp.c_str());
  return false;
}

bool CHostDisk::WriteFile(const std::string& path, std::string_view bytes) {
  std::string host;
  // The rename makes the write atomic; pages are not flushed one by one, which would cost a
  // disk flush per page.
  return Host(path, host) && WriteHostFileAtomically(host, bytes, false);
}

bool CHostDisk::FileExists(const std::string& path) {
  std::string host;
  struct stat st {};
  return Host(path, host) && ::stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(host.c_str(), R_OK) == 0;
}

bool CHostDisk::FolderExists(const std::string& path) {
  std::string host;
  struct stat st {};
  return Host(path, host) && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CHostDisk::MakeFolder(const std::string& path, bool& bExisted) {
  bExisted = false;
  std::string host;
  if (!Host(path, host))
    return false;
  if (::mkdir(host.c_str(), 0755) == 0)
    return true;
  struct stat st {};
  if (errno == EEXIST && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    bExisted = true;
    return true;
  }
  return false;
}

bool CHostDisk::ListFolder(const std::string& path, std::vector<CDirEntry>& entries) {
  entries.clear();
  std::string host;
  if (!Host(path, host))
    return false;
  DIR* dir = ::opendir(host.c_str());
  if (!dir)
    return false;
  while (struct dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..")
      continue;
    const std::string path = host + "/" + name;
    struct stat st {};
    bool folder = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    // A link to a folder may lead back up the tree, and a walk that follows it never ends.
    struct stat link {};
    if (folder && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
      continue;
    entries.push_back({name, folder});
  }
  ::closedir(dir);
  return true;
}

bool CHostDisk::ModificationTime(const std::string& path, std::int64_t& seconds) {
  std::string host;
  struct stat st {};
  if (!Host(path, host) || ::stat(host.c_str(), &st) != 0)
    return false;
  seconds = st.st_mtime;
  return true;
}

bool CHostDisk::Stamp(const std::string& path, CFileStamp& stamp) {
  std::string host;
  struct stat st {};
  if (!Host(path, host) || ::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return false;
  constexpr std::int64_t kNs = 1000000000;
  stamp.m_nSize = st.st_size;
  stamp.m_nModifiedNs = st.st_mtim.tv_sec * kNs + st.st_mtim.tv_nsec;
  stamp.m_nChangedNs = st.st_ctim.tv_sec * kNs + st.st_ctim.tv_nsec;
  stamp.m_nInode = st.st_ino;
  stamp.m_nDevice = st.st_dev;
  return true;
}

bool CHostDisk::RemoveFile(const std::string& path) {
  std::string host;
  return Host(path, host) && ::unlink(host.c_str()) == 0;
}

}  // namespace velmora
