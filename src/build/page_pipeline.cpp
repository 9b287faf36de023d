#include "build/page_pipeline.h"

#include <algorithm>
#include <cstdlib>

#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/strings.h"

namespace velmora {

namespace {

// VELMORA_THREADS, else the machine's cores.
unsigned ThreadsWanted() {
  if (const char* value = std::getenv("VELMORA_THREADS"); value && *value)
    return static_cast<unsigned>(std::max(1, ParseLeadingInt(value)));
  return std::thread::hardware_concurrency();
}

bool MayHoldTags(const std::string& text) {
  return text.find("<!--") != std::string::npos;
}

}  // namespace

CPagePipeline::CPagePipeline(CWebSite& site, DoneFunction onDone)
    : m_site(site), m_onDone(std::move(onDone)) {
  m_bTwoThreads = ThreadsWanted() > 1 && !theSettings.Internet;
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
  m_strTemplateFolder = ToLower(site.m_strTemplates);
  // The look-ups and the index's word finder are made now: both threads read them.
  site.PreparedHomePage();
  theKeywordIndex.PrepareScan();
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

void CPagePipeline::Submit(CPage& page) {
  m_tail = CPageTail();
  m_pInWork = &page;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bHasJob = true;
  }
  m_changed.notify_all();
}

void CPagePipeline::Build(CPage& page) {
  if (!m_bTwoThreads) {
    const bool bWritten = page.Build();
    m_onDone(page, bWritten);
    return;
  }
  // Read ahead of the page in work: its lines are held until that page's lines are given.
  CReportBuffer sources;
  CReport::RedirectThread(&sources);
  const bool bRead = ReadPageSources(page);
  CReport::RedirectThread(nullptr);
  Finish();
  theReport.Replay(sources);
  if (!bRead) {
    m_onDone(page, false);
    return;
  }
  // Patches read files and may write them; a page whose file may be read by others is
  // written before they are read.
  if (page.m_strContent.find("<!--PATCH") != std::string::npos || IsPossibleSource(page)) {
    ExpandPageText(page, nullptr);
    const bool bWritten = WritePage(page, nullptr);
    m_onDone(page, bWritten);
    return;
  }
  Submit(page);
}

void CPagePipeline::Finish() {
  CPage* pPage = m_pInWork;
  if (!pPage)
    return;
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_bHasJob; });
  }
  m_pInWork = nullptr;
  theReport.Replay(m_workReport);
  const bool bWritten = WritePage(*pPage, &m_tail);
  m_onDone(*pPage, bWritten);
}

void CPagePipeline::WorkerLoop() {
  while (true) {
    CPage* pPage = nullptr;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_bHasJob || m_bStop; });
      if (m_bStop)
        return;
      pPage = m_pInWork;
    }
    CReport::RedirectThread(&m_workReport);
    ExpandPageText(*pPage, &m_tail);
    CReport::RedirectThread(nullptr);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_bHasJob = false;
    }
    m_changed.notify_all();
  }
}

}  // namespace velmora
