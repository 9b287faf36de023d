// Watches host files and folders for changes through inotify (POSIX hosts only: the preview
// server, its one user, is not in the Windows build). Files are watched through their
// folder, so an editor that saves by writing a new file and renaming it over the old one is
// still seen; events for other names in that folder are ignored.
#pragma once

#include <map>
#include <set>
#include <string>

namespace velmora {

class CFileWatcher {
 public:
  CFileWatcher();
  ~CFileWatcher();
  CFileWatcher(const CFileWatcher&) = delete;
  CFileWatcher& operator=(const CFileWatcher&) = delete;

  bool IsValid() const { return m_nFd >= 0; }
  // A change of this file (host path) counts. False when its folder cannot be watched.
  bool AddFile(const std::string& hostPath);
  // A change of any file directly in this folder counts.
  bool AddFolder(const std::string& hostFolder);

  enum class EWait { kChanged, kTimeout, kStopped };
  // Waits up to nTimeoutMs (-1: without end) for a change that counts. Readable data on
  // nStopFd (-1: none) ends the wait with kStopped; the data is left for the caller.
  EWait Wait(int nTimeoutMs, int nStopFd);
  // Waits for a change, then until nQuietMs pass without one (at most nMaxMs after the
  // first), so the several files an editor saves at once are one change.
  EWait WaitDebounced(int nQuietMs, int nMaxMs, int nStopFd);

 private:
  int WatchFolder(const std::string& hostFolder);
  // Reads the pending events; true when one of them counts.
  bool DrainEvents();

  int m_nFd = -1;
  struct CWatched {
    bool m_bWhole = false;          // every name in the folder counts
    std::set<std::string> m_names;  // otherwise only these
  };
  std::map<int, CWatched> m_watches;  // by watch descriptor
};

}  // namespace velmora
