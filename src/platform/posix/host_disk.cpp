// The host disk on POSIX systems: paths are bytes, files are written through a rename.
#include "platform/disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/drive_map.h"

namespace velmora {

bool CHostDisk::Host(const std::string& path, std::string& host) const {
  return m_drives.ToHost(path, host);
}

bool CHostDisk::ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) {
  std::string host;
  if (!Host(path, host))
    return false;
  // Without O_NONBLOCK, opening a named pipe would wait for a writer that never comes; only
  // regular files are read, and for them the flag changes nothing.
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uintmax_t>(st.st_size) > nMaxBytes) {
    ::close(fd);
    return false;
  }
  // One read of the size the file has and one byte more: a short read of a regular file ends
  // it. A file that grows meanwhile is read on to its end, or to the limit.
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
    if (done > nMaxBytes) {
      ok = false;
      break;
    }
    if (done < bytes.size())
      break;
    bytes.resize(std::min(bytes.size() * 2, nMaxBytes == SIZE_MAX ? SIZE_MAX : nMaxBytes + 1));
  }
  ::close(fd);
  bytes.resize(ok ? done : 0);
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

namespace {

// Temporary files are named ".velmora-PID-N.tmp": short, so that a target whose name is as
// long as the file system allows can still be written, and telling which process made them.
constexpr std::string_view kTempStart = ".velmora-";
constexpr std::string_view kTempEnd = ".tmp";

std::string FolderOf(const std::string& hostPath) {
  const size_t slash = hostPath.rfind('/');
  return slash == std::string::npos ? std::string() : hostPath.substr(0, slash + 1);
}

// The process that made a temporary file of that name, 0 when the name is not one of ours.
pid_t TempOwner(std::string_view name) {
  if (!name.starts_with(kTempStart) || !name.ends_with(kTempEnd))
    return 0;
  name.remove_prefix(kTempStart.size());
  pid_t pid = 0;
  size_t i = 0;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 1 << 24; ++i)
    pid = pid * 10 + (name[i] - '0');
  return i > 0 && i < name.size() && name[i] == '-' ? pid : 0;
}

// Removes the temporary files that processes which no longer run left in the folder (killed
// in the middle of a write), once per folder when the folders swept are remembered.
void SweepOnce(const std::string& folder, CSweptFolders* pSwept) {
  if (pSwept && !pSwept->First(folder))
    return;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir)
    return;
  const pid_t self = ::getpid();
  while (struct dirent* entry = ::readdir(dir)) {
    const pid_t owner = TempOwner(entry->d_name);
    // A process of another user answers EPERM: it runs, and its file is left alone.
    if (owner > 0 && owner != self && ::kill(owner, 0) != 0 && errno == ESRCH)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Follows links to the file they finally name (which need not exist yet).
bool FollowLinks(std::string& path) {
  for (int nHops = 0; nHops < 40; ++nHops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
      return errno == ENOENT;
    if (!S_ISLNK(st.st_mode))
      return true;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size())
      return false;
    target.resize(static_cast<size_t>(n));
    path = target.starts_with('/') ? target : FolderOf(path) + target;
  }
  return false;
}

// Whether a file that is there may be replaced: a folder of the same name cannot be, and a file
// its owner made read-only is left as it is, though the rename could replace it. A link to
// nothing is replaced.
bool MayReplace(const std::string& hostPath) {
  struct stat st {};
  if (::stat(hostPath.c_str(), &st) != 0)
    return errno == ENOENT;
  return !S_ISDIR(st.st_mode) && ::access(hostPath.c_str(), W_OK) == 0;
}

}  // namespace

bool CSweptFolders::First(const std::string& folder) {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_folders.insert(folder).second;
}

void CSweptFolders::Forget() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_folders.clear();
}

bool WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes,
                             const CAtomicWrite& how) {
  std::string target = hostPath;
  if (how.m_bKeepFile && !FollowLinks(target))
    return false;
  const std::string folder = FolderOf(target);
  SweepOnce(folder, how.m_pSwept);

  struct stat old {};
  const bool bKeepMode = how.m_bKeepFile && ::stat(target.c_str(), &old) == 0;
  // A name is never reused: it may be a file that an earlier process of the same number left,
  // or a link someone put there.
  static std::atomic<unsigned> nextTemp = 0;
  std::string temp;
  int fd = -1;
  for (int nTries = 0; fd < 0 && nTries < 100; ++nTries) {
    temp = folder + std::string(kTempStart) + std::to_string(::getpid()) + "-" +
           std::to_string(nextTemp++) + std::string(kTempEnd);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST)
      return false;
  }
  if (fd < 0)
    return false;
  bool ok = (!bKeepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) &&
            (!how.m_bFlush || ::fsync(fd) == 0);
  ok = ::close(fd) == 0 && ok;
  if (ok) {
    // A new file takes its name only where nothing is, with no look at the target first; on
    // a file system that cannot rename so, or where a file is, the look decides.
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
      return true;
    if ((errno == EEXIST || errno == EINVAL || errno == ENOSYS) && MayReplace(target) &&
        ::rename(temp.c_str(), target.c_str()) == 0)
      return true;
  }
  ::unlink(temp.c_str());
  return false;
}

namespace {
// The errno of this thread's last failed write or new folder, as errno itself is kept per
// thread; 0 when the path had no host name.
thread_local int tlFailure = 0;

bool Failed() {
  tlFailure = errno;
  return false;
}
}  // namespace

std::string CHostDisk::FailureReason() const {
  return tlFailure ? std::strerror(tlFailure) : std::string();
}

bool CHostDisk::WriteFile(const std::string& path, std::string_view bytes) {
  std::string host;
  errno = 0;
  // The rename makes the write atomic; pages are not flushed one by one, which would cost a
  // disk flush per page.
  return (Host(path, host) && WriteHostFileAtomically(host, bytes, {.m_pSwept = &m_swept})) ||
         Failed();
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
  errno = 0;
  if (!Host(path, host))
    return Failed();
  if (::mkdir(host.c_str(), 0755) == 0)
    return true;
  struct stat st {};
  if (errno == EEXIST && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    bExisted = true;
    return true;
  }
  return Failed();
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
