#include "build/page_pipeline.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <utility>

#include "model/build_context.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/strings.h"

namespace velmora {

namespace {

bool MayHoldTags(const std::string& text) {
  return text.find("<!--") != std::string::npos;
}

}  // namespace

CPagePipeline::CPagePipeline(CWebSite& site, DoneFunction onDone)
    : m_ctx(site.m_context), m_onDone(std::move(onDone)) {
  m_bTwoThreads = m_ctx.threads > 1 && !m_ctx.settings.Internet;
  if (!m_bTwoThreads)
    return;
  std::unordered_set<std::string> paths;
  for (const auto& pPage : site.m_pages) {
    // A page-name reference puts a page's path or address into the text; one holding a tag
    // could add a PATCH element after the check that keeps patches on this thread.
    if (MayHoldTags(pPage->m_strLocalPath) || MayHoldTags(pPage->m_strUrl)) {
      m_bTwoThreads = false;
      return;
    }
    if (!pPage->m_strLocalPath.empty() && !paths.insert(ToLower(pPage->m_strLocalPath)).second)
      m_sharedPaths.insert(ToLower(pPage->m_strLocalPath));
  }
  for (const auto& pBlock : site.m_blocks) m_sourcePaths.insert(ToLower(pBlock->m_strLocalPath));
  // Templates named by a template line may lie anywhere; the others are made in the folder.
  for (const auto& pTemplate : site.m_templates)
    m_sourcePaths.insert(ToLower(pTemplate->m_strLocalPath));
  m_strTemplateFolder = ToLower(site.m_strTemplates);
  // The look-ups and the index's word finder are made now: both threads read them.
  site.PreparedHomePage();
  site.m_context.index.PrepareScan();
  m_memo.emplace(m_ctx.DiskSlot(), m_ctx.drives);
  m_worker = std::thread([this] { WorkerLoop(); });
}

CPagePipeline::~CPagePipeline() {
  if (!m_worker.joinable())
    return;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStop = true;
  }
  m_changed.notify_all();
  m_worker.join();
}

bool CPagePipeline::IsPossibleSource(const CPage& page) const {
  const std::string path = ToLower(page.m_strLocalPath);
  return m_sourcePaths.contains(path) || m_sharedPaths.contains(path) ||
         (!m_strTemplateFolder.empty() && StartsWith(path, m_strTemplateFolder));
}

void CPagePipeline::Build(CPage& page) {
  if (!m_bTwoThreads) {
    const bool bWritten = page.Build();
    m_onDone(page, bWritten);
    return;
  }
  // Read ahead of the pages before: the lines are held until theirs are given.
  CEntry& entry = m_read.emplace_back();
  entry.m_pPage = &page;
  CReport::RedirectThread(&entry.m_sources);
  entry.m_bRead = ReadPageSources(page);
  CReport::RedirectThread(nullptr);
  // Patches read files and may write them: every page before is written first, and the page
  // after is read only once this one is written. So is a page whose file others may read.
  if (entry.m_bRead &&
      (page.m_strContent.find("<!--PATCH") != std::string::npos || IsPossibleSource(page))) {
    Finish();
    return;
  }
  if (m_read.size() >= kBatchPages)
    Rotate();
}

void CPagePipeline::Finish() {
  if (!m_bTwoThreads)
    return;
  WaitForWorker();
  for (CEntry& entry : m_inWork) Complete(entry, true);
  m_inWork.clear();
  // The rest is expanded here: too few pages to hand over, or a page that must be written
  // before anything after it is read.
  for (CEntry& entry : m_read) Complete(entry, false);
  m_read.clear();
}

void CPagePipeline::Rotate() {
  WaitForWorker();
  std::vector<CEntry> finished = std::move(m_inWork);
  m_inWork = std::move(m_read);
  m_read.clear();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bHasJob = true;
  }
  m_changed.notify_all();
  for (CEntry& entry : finished) Complete(entry, true);
}

void CPagePipeline::WaitForWorker() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_bHasJob; });
  if (m_pWorkerError)
    std::rethrow_exception(std::exchange(m_pWorkerError, nullptr));
}

void CPagePipeline::Complete(CEntry& entry, bool bExpanded) {
  m_ctx.report.Replay(entry.m_sources);
  if (!entry.m_bRead) {
    m_onDone(*entry.m_pPage, false);
    return;
  }
  if (bExpanded)
    m_ctx.report.Replay(entry.m_expansion);
  else
    ExpandPageText(*entry.m_pPage, nullptr);
  m_onDone(*entry.m_pPage, WritePage(*entry.m_pPage, bExpanded ? &entry.m_tail : nullptr));
}

void CPagePipeline::WorkerLoop() {
  while (true) {
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_bHasJob || m_bStop; });
      if (m_bStop)
        return;
    }
    // An exception (memory running out) is handed to the main thread, which stops the build.
    std::exception_ptr pError;
    try {
      for (CEntry& entry : m_inWork) {
        if (!entry.m_bRead)
          continue;
        CReport::RedirectThread(&entry.m_expansion);
        ExpandPageText(*entry.m_pPage, &entry.m_tail);
        CReport::RedirectThread(nullptr);
      }
    } catch (...) {
      CReport::RedirectThread(nullptr);
      pError = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_pWorkerError = pError;
      m_bHasJob = false;
    }
    m_changed.notify_all();
  }
}

}  // namespace velmora
