// Builds the pages of a site in script order a batch of pages at a time: while the texts of
// one batch are expanded on a second thread, the sources of the next are read here, then the
// expanded batch is gathered into the site-wide collectors here, and its files are written by
// whichever of the two threads is done with its own part first. The report and the files come
// out as a build of one page at a time leaves them.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "assembly/page_build.h"
#include "build/job_thread.h"
#include "platform/existence_memo.h"
#include "platform/report.h"

namespace velmora {

class CBuildContext;
class CPage;
class CWebSite;

class CPagePipeline {
 public:
  // onDone(page, bWritten) is called once a page is written or has failed, in the order the
  // pages were given. When the context's thread count is 1, or with the Internet on (fetches
  // ask questions and share the fetcher), pages are built one at a time.
  using DoneFunction = std::function<void(CPage&, bool)>;
  CPagePipeline(CWebSite& site, DoneFunction onDone);
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
    CReportBuffer m_expansion;  // and the gathering's
    CPageTail m_tail;
    bool m_bToWrite = false;  // the writer thread is to write the file
    bool m_bWritten = false;  // it did
  };
  // Pages are handed between the threads in batches: waking a thread costs more than the
  // expansion of one small page.
  static constexpr size_t kBatchPages = 32;

  // Whether a page's file may be some page's source (a block, a template, a page of the same
  // path): such a page is written before the sources of the pages after it are read.
  bool IsPossibleSource(const CPage& page) const;
  // Waits for the batch being expanded and hands the read batch to the expander; then gives
  // the written batch's report, and gathers the expanded one and hands it to the writer.
  void Rotate();
  void ExpandBatch();
  // Writes the gathered pages no thread has taken yet; both threads run it.
  void WriteShare();
  // Completes the written pages; the expander has been waited for.
  void CompleteWritten();
  // Gives the entry's held report lines and writes it, expanding it here first unless the
  // expander did.
  void Complete(CEntry& entry, bool bExpanded);

  CBuildContext& m_ctx;
  // What the expansion reads of the site, on either thread.
  const CWebSite& m_site;
  DoneFunction m_onDone;
  bool m_bTwoThreads = false;
  // Replace rules may read any file when a page is gathered: every page before must be written
  // by then, so with them pages are written here one at a time.
  bool m_bShareWrites = false;
  std::unordered_set<std::string> m_sourcePaths;  // lower-case paths of blocks and templates
  std::unordered_set<std::string> m_sharedPaths;  // lower-case paths of more than one page
  std::string m_strTemplateFolder;                // lower-case

  // Every page asks whether its images are there; the answers are kept for the build.
  std::optional<CExistenceMemoScope> m_memo;

  std::vector<CEntry> m_read;            // sources read, in page order
  std::vector<CEntry> m_inWork;          // being expanded, the pages before m_read
  std::vector<CEntry> m_inWrite;         // gathered and being written, the pages before m_inWork
  std::atomic<size_t> m_nNextWrite = 0;  // the next of m_inWrite a thread takes to write

  // Last, so that it ends before the batches it works on go.
  std::optional<CJobThread> m_expander;
};

}  // namespace velmora
