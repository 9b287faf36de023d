#include "platform/file_watcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace velmora {

namespace {
constexpr uint32_t kEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MODIFY;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

CFileWatcher::CFileWatcher() : m_nFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

CFileWatcher::~CFileWatcher() {
  if (m_nFd >= 0)
    ::close(m_nFd);
}

int CFileWatcher::WatchFolder(const std::string& hostFolder) {
  if (m_nFd < 0)
    return -1;
  return ::inotify_add_watch(m_nFd, hostFolder.c_str(), kEvents | IN_ONLYDIR);
}

bool CFileWatcher::AddFile(const std::string& hostPath) {
  size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos || slash + 1 == hostPath.size())
    return false;
  int wd = WatchFolder(slash == 0 ? "/" : hostPath.substr(0, slash));
  if (wd < 0)
    return false;
  m_watches[wd].m_names.insert(hostPath.substr(slash + 1));
  return true;
}

bool CFileWatcher::AddFolder(const std::string& hostFolder) {
  int wd = WatchFolder(hostFolder);
  if (wd < 0)
    return false;
  m_watches[wd].m_bWhole = true;
  return true;
}

bool CFileWatcher::DrainEvents() {
  alignas(struct inotify_event) char buffer[16 * (sizeof(struct inotify_event) + NAME_MAX + 1)];
  bool bCounts = false;
  for (;;) {
    ssize_t length = ::read(m_nFd, buffer, sizeof buffer);
    if (length <= 0)
      return bCounts;
    for (ssize_t offset = 0; offset < length;) {
      const auto* pEvent = reinterpret_cast<const struct inotify_event*>(buffer + offset);
      offset += sizeof(struct inotify_event) + pEvent->len;
      if (pEvent->mask & IN_Q_OVERFLOW) {
        bCounts = true;  // events were lost: assume one of them mattered
        continue;
      }
      auto it = m_watches.find(pEvent->wd);
      if (it == m_watches.end() || pEvent->len == 0 || (pEvent->mask & IN_ISDIR))
        continue;
      if (it->second.m_bWhole || it->second.m_names.count(pEvent->name))
        bCounts = true;
    }
  }
}

CFileWatcher::EWait CFileWatcher::Wait(int nTimeoutMs, int nStopFd) {
  if (m_nFd < 0)
    return EWait::kStopped;
  long long deadline = nTimeoutMs < 0 ? -1 : NowMs() + nTimeoutMs;
  for (;;) {
    int wait = deadline < 0 ? -1 : static_cast<int>(std::max(0LL, deadline - NowMs()));
    struct pollfd fds[2] = {{m_nFd, POLLIN, 0}, {nStopFd, POLLIN, 0}};
    int ready = ::poll(fds, nStopFd >= 0 ? 2 : 1, wait);
    if (ready < 0 && errno != EINTR)
      return EWait::kStopped;
    if (ready > 0) {
      if (nStopFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP)))
        return EWait::kStopped;
      if ((fds[0].revents & POLLIN) && DrainEvents())
        return EWait::kChanged;
    }
    if (deadline >= 0 && NowMs() >= deadline)
      return EWait::kTimeout;
  }
}

CFileWatcher::EWait CFileWatcher::WaitDebounced(int nQuietMs, int nMaxMs, int nStopFd) {
  EWait first = Wait(-1, nStopFd);
  if (first != EWait::kChanged)
    return first;
  long long end = NowMs() + nMaxMs;
  for (;;) {
    long long left = end - NowMs();
    if (left <= 0)
      return EWait::kChanged;
    EWait next = Wait(static_cast<int>(std::min<long long>(nQuietMs, left)), nStopFd);
    if (next == EWait::kStopped)
      return next;
    if (next == EWait::kTimeout)
      return EWait::kChanged;
  }
}

}  // namespace velmora
