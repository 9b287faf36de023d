// Builds the pages of a site in script order on two threads: while one page's text is expanded
// on the second thread, the next page's sources are read and the one before is written. The
// report and the files come out as a build of one page at a time leaves them.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>

#include "assembly/page_build.h"
#include "platform/report.h"

namespace velmora {

class CPage;
class CWebSite;

class CPagePipeline {
 public:
  // Without a second core (or VELMORA_THREADS=1), or with the Internet on (fetches ask
  // questions and share the fetcher), pages are built one at a time.
  // onDone(page, bWritten) is called once a page is written or has failed, in the order the
  // pages were given.
  using DoneFunction = std::function<void(CPage&, bool)>;
  CPagePipeline(CWebSite& site, DoneFunction onDone);
  ~CPagePipeline();
  CPagePipeline(const CPagePipeline&) = delete;
  CPagePipeline& operator=(const CPagePipeline&) = delete;

  void Build(CPage& page);
  // Completes the page still in work.
  void Finish();

 private:
  // Whether a page's file may be some page's source (a block, a template, a page of the same
  // path): such a page is never left in work while the next page's sources are read.
  bool IsPossibleSource(const CPage& page) const;
  void Submit(CPage& page);
  void WorkerLoop();

  CWebSite& m_site;
  DoneFunction m_onDone;
  bool m_bTwoThreads = false;
  std::unordered_set<std::string> m_sourcePaths;  // lower-case paths of all blocks
  std::unordered_set<std::string> m_sharedPaths;  // lower-case paths of more than one page
  std::string m_strTemplateFolder;                // lower-case

  CPage* m_pInWork = nullptr;
  CPageTail m_tail;
  CReportBuffer m_workReport;

  std::thread m_worker;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_bHasJob = false;
  bool m_bStop = false;
};

}  // namespace velmora
