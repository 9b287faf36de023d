// Builds the pages of a site in script order on two threads, a batch of pages at a time: while
// the texts of one batch are expanded on the second thread, the batch before is written and
// the sources of the next are read. The report and the files come out as a build of one page
// at a time leaves them.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "assembly/page_build.h"
#include "platform/existence_memo.h"
#include "platform/report.h"

namespace velmora {

class CBuildContext;

class CPage;
class CWebSite;

class CPagePipeline {
 public:
  // onDone(page, bWritten) is called once a page is written or has failed, in the order the
  // pages were given. Without a second core (or with VELMORA_THREADS=1), or with the Internet
  // on (fetches ask questions and share the fetcher), pages are built one at a time.
  using DoneFunction = std::function<void(CPage&, bool)>;
  CPagePipeline(CWebSite& site, DoneFunction onDone);
  ~CPagePipeline();
  CPagePipeline(const CPagePipeline&) = delete;
  CPagePipeline& operator=(const CPagePipeline&) = delete;

  void Build(CPage& page);
  // Completes every page given so far.
  void Finish();

 private:
  struct CEntry {
    CPage* m_pPage = nullptr;
    bool m_bRead = false;  // the sources gave a text to expand
    CReportBuffer m_sources;
    CReportBuffer m_expansion;
    CPageTail m_tail;
  };
  // Pages are handed between the threads in batches: waking a thread costs more than the
  // expansion of one small page.
  static constexpr size_t kBatchPages = 32;

  // Whether a page's file may be some page's source (a block, a template, a page of the same
  // path): such a page is written before the sources of the pages after it are read.
  bool IsPossibleSource(const CPage& page) const;
  // Waits for the batch in work, hands the read batch to the worker and writes the finished
  // one.
  void Rotate();
  void WaitForWorker();
  // Gives the entry's held report lines and writes it, expanding it here first unless the
  // worker did.
  void Complete(CEntry& entry, bool bExpanded);
  void WorkerLoop();

  CBuildContext& m_ctx;
  DoneFunction m_onDone;
  bool m_bTwoThreads = false;
  std::unordered_set<std::string> m_sourcePaths;  // lower-case paths of blocks and templates
  std::unordered_set<std::string> m_sharedPaths;  // lower-case paths of more than one page
  std::string m_strTemplateFolder;                // lower-case

  // Every page asks whether its images are there; the answers are kept for the build.
  std::optional<CExistenceMemoScope> m_memo;

  std::vector<CEntry> m_read;    // sources read, in page order
  std::vector<CEntry> m_inWork;  // being expanded by the worker, the pages before m_read

  std::thread m_worker;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_bHasJob = false;
  bool m_bStop = false;
  std::exception_ptr m_pWorkerError;  // what stopped the worker's last batch
};

}  // namespace velmora
