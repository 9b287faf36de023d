#include "build/page_pipeline.h"
#include "assembly/page_build.h"

#include <algorithm>
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

// Sends this thread's report lines into a buffer while it lives.
class CRedirected {
 public:
  explicit CRedirected(CReportBuffer& buffer) { CReport::RedirectThread(&buffer); }
  ~CRedirected() { CReport::RedirectThread(nullptr); }
  CRedirected(const CRedirected&) = delete;
  CRedirected& operator=(const CRedirected&) = delete;
};

}  // namespace

CPagePipeline::CPagePipeline(CWebSite& site, DoneFunction onDone)
    : m_ctx(site.m_context), m_site(site), m_onDone(std::move(onDone)) {
  m_bTwoThreads = m_ctx.threads > 1 && !m_ctx.settings.Internet;
  if (!m_bTwoThreads)
    return;
  std::unordered_set<std::string> paths;
  for (const auto& pPage : site.Pages()) {
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
  // The index's word finder is made now: both threads read it. The site's look-ups were made
  // with its outline.
  site.m_context.index.PrepareScan();
  m_memo.emplace(m_ctx.DiskSlot(), m_ctx.drives);
  m_expander.emplace();
  m_bShareWrites = site.m_replaceRules.empty();
}

bool CPagePipeline::IsPossibleSource(const CPage& page) const {
  const std::string path = ToLower(page.m_strLocalPath);
  return m_sourcePaths.contains(path) || m_sharedPaths.contains(path) ||
         (!m_strTemplateFolder.empty() && StartsWith(path, m_strTemplateFolder));
}

void CPagePipeline::Build(CPage& page) {
  if (!m_bTwoThreads) {
    const bool bWritten = BuildPage(page);
    m_onDone(page, bWritten);
    return;
  }
  // Read ahead of the pages before: the lines are held until theirs are given.
  CEntry& entry = m_read.emplace_back();
  entry.m_pPage = &page;
  {
    CRedirected redirected(entry.m_sources);
    entry.m_bRead = ReadPageSources(page);
  }
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
  WriteShare();
  m_expander->Wait();
  CompleteWritten();
  for (CEntry& entry : m_inWork) Complete(entry, true);
  m_inWork.clear();
  // The rest is expanded here: too few pages to hand over, or a page that must be written
  // before anything after it is read.
  for (CEntry& entry : m_read) Complete(entry, false);
  m_read.clear();
}

void CPagePipeline::Rotate() {
  // Whichever thread is done with its own part first writes the gathered pages.
  WriteShare();
  m_expander->Wait();
  CompleteWritten();
  std::vector<CEntry> expanded = std::move(m_inWork);
  m_inWork = std::move(m_read);
  m_read.clear();
  m_expander->Start([this] { ExpandBatch(); });
  if (!m_bShareWrites) {
    for (CEntry& entry : expanded) Complete(entry, true);
    return;
  }
  // Gathering reads no file, so it need not wait for the writes before; the collectors are
  // filled in page order all the same.
  for (CEntry& entry : expanded) {
    if (!entry.m_bRead)
      continue;
    {
      CRedirected redirected(entry.m_expansion);
      GatherPage(*entry.m_pPage, &entry.m_tail);
    }
    entry.m_bToWrite = MayWriteElsewhere(*entry.m_pPage);
  }
  m_inWrite = std::move(expanded);
  m_nNextWrite = 0;
  m_expander->Start([this] { WriteShare(); });
}

void CPagePipeline::CompleteWritten() {
  for (CEntry& entry : m_inWrite) {
    m_ctx.report.Replay(entry.m_sources);
    if (!entry.m_bRead) {
      m_onDone(*entry.m_pPage, false);
      continue;
    }
    m_ctx.report.Replay(entry.m_expansion);
    m_onDone(*entry.m_pPage, StorePage(*entry.m_pPage, entry.m_bWritten));
  }
  m_inWrite.clear();
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
    ExpandPageText(*entry.m_pPage, m_site, nullptr);
  m_onDone(*entry.m_pPage, WritePage(*entry.m_pPage, bExpanded ? &entry.m_tail : nullptr));
}

void CPagePipeline::ExpandBatch() {
  for (CEntry& entry : m_inWork) {
    if (!entry.m_bRead)
      continue;
    CRedirected redirected(entry.m_expansion);
    ExpandPageText(*entry.m_pPage, m_site, &entry.m_tail);
  }
}

void CPagePipeline::WriteShare() {
  for (size_t i; (i = m_nNextWrite++) < m_inWrite.size();) {
    CEntry& entry = m_inWrite[i];
    if (entry.m_bToWrite)
      entry.m_bWritten = WritePageFile(*entry.m_pPage);
  }
}

}  // namespace velmora
