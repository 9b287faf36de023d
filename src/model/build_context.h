// Everything one program's commands work with: the settings, the report, the disk, the fetcher,
// the site index, the drive map, the current folder and the front end's dialogs and progress.
// Each program (and each test) makes one and hands it down; no library code reaches any of
// these through a global. Lower layers get the one piece they need.
#pragma once

#include "markup/keyword_index.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/current_folder.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/report.h"

namespace velmora {

class CBuildContext {
 public:
  CBuildContext();
  CBuildContext(const CBuildContext&) = delete;
  CBuildContext& operator=(const CBuildContext&) = delete;

  CDisk& Disk() const { return *m_pDisk; }
  CDialogs& Dialogs() const { return *m_pDialogs; }
  CProgress& Progress() const { return *m_pProgress; }
  // nullptr restores the host disk, the dialogs that answer No and print nothing, the silent
  // progress.
  void SetDisk(CDisk* pDisk);
  void SetDialogs(CDialogs* pDialogs);
  void SetProgress(CProgress* pProgress);
  // The slot SetDisk fills, for a memo put in front of the disk for one build.
  CDisk*& DiskSlot() { return m_pDisk; }

  CBuildSettings settings;
  CReport report;
  CDriveMap drives;
  CCurrentFolder folder;
  // How many threads a page build may use (more than one: the page pipeline's second thread).
  unsigned threads = 1;

 private:
  CHostDisk m_hostDisk{drives};
  CNoDialogs m_noDialogs;
  CSilentProgress m_silentProgress;
  CDisk* m_pDisk = &m_hostDisk;
  CDialogs* m_pDialogs = &m_noDialogs;
  CProgress* m_pProgress = &m_silentProgress;

 public:
  CFileAccess files{m_pDisk, m_pDialogs};
  CHttpFetcher fetcher{m_pDialogs, m_pProgress, files};
  CKeywordIndex index{files, report};
};

}  // namespace velmora
