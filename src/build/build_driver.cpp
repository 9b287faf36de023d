// Building all pages or a selection: the setting lines, the numbering, the resources and
// templates, every page in script order, then the print pages, collections and index pages,
// and the stamp on the home page. One report batch per build.
#include <unordered_set>

#include "build/page_pipeline.h"
#include "build/resource_copy.h"
#include "build/user_stop.h"
#include "model/collection.h"
#include "markup/keyword_index.h"
#include "model/build_context.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/report.h"
#include "res/messages.h"

namespace velmora {

namespace {

void ReportSetting(CBuildContext& ctx, int nValue, const char* pszOn, const char* pszOff) {
  ctx.report.AddLine(nValue ? pszOn : pszOff, EAlert::kInfo);
}

void ReportSettings(CBuildContext& ctx) {
  ctx.report.AddHeading("Built - with properties:");
  ReportSetting(ctx, ctx.settings.Internet, "   Using Internet", "   Not searching the Internet");
  ReportSetting(ctx, ctx.settings.BuildIndex, "   Building index, if any", "   No Index build");
  ReportSetting(ctx, ctx.settings.CheckNameRefs, "   Checking references by pagename",
                "   No checking of references by pagename");
  ReportSetting(ctx, ctx.settings.BuildPrintPages, "   Building \"print\"-pages, if any",
                "   No \"print\"-page building");
  ReportSetting(ctx, ctx.settings.BuildCollections, "   Building general collections, if any",
                "   No general collections built");
  ReportSetting(ctx, ctx.settings.CheckAllImages, "   Checking and correcting imagerefs",
                "   No check and correction of images");
}

void BuildPrintPages(CBuildContext& ctx, std::vector<CPage*> pages) {
  ctx.report.AddLine("---------------------", EAlert::kInfo);
  ctx.report.AddLine("Building printpages", EAlert::kInfo);
  ctx.Progress().Show(static_cast<int>(pages.size()));
  for (size_t i = 0; i < pages.size(); ++i) {
    ctx.Progress().SetPos(static_cast<int>(i + 1));
    pages[i]->MakePrintPage();
    pages[i]->Finish();
  }
  ctx.Progress().Hide();
}

}  // namespace

void CWebSite::BuildPages(const std::vector<CPage*>* pSelection) {
  m_printPages.clear();
  m_context.report.Clear();
  m_context.report.SetBatch(true);
  // Temporary files left by a killed build are removed where this build writes.
  m_context.Disk().ForgetSweptFolders();
  ReportSettings(m_context);
  m_context.report.AddMessage(EMessage::kDashes, EAlert::kInfo);

  for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->m_strNumber = std::to_string(i + 1);

  std::unordered_set<const CPage*> selected;
  if (pSelection)
    selected.insert(pSelection->begin(), pSelection->end());
  const int nToBuild = pSelection ? static_cast<int>(pSelection->size()) : m_nListed;
  m_context.Progress().Show(nToBuild + 2);
  m_context.Progress().SetPos(1);
  CopyLayoutResources(*this);
  m_context.Progress().SetPos(2);
  CopyTemplates(*this);
  m_context.report.AddMessage(EMessage::kDashes, EAlert::kInfo);

  int nPosition = 2;
  bool bStopped = false;
  {
    size_t nPrintPagesDone = 0;
    CPagePipeline pipeline(*this, [&](CPage& page, bool bWritten) {
      // A written page's text is read back from its file by whoever needs it later; print
      // pages are filled from their built text after the loop. Ten thousand pages kept in
      // memory cost more in page faults than their build. Pages are done in the order they
      // joined the print list, though later pages may have joined it since.
      const bool bPrintPage =
          nPrintPagesDone < m_printPages.size() && m_printPages[nPrintPagesDone] == &page;
      nPrintPagesDone += bPrintPage;
      if (bWritten && !bPrintPage)
        std::string().swap(page.m_strContent);
      m_context.Progress().SetPos(++nPosition);
    });
    for (const auto& pPage : m_pages) {
      if (pSelection && !selected.count(pPage.get()))
        continue;
      if ((bStopped = StoppedByTheUser(m_context)))
        break;
      m_context.Progress().Working(pPage->m_strLocalPath);
      pipeline.Build(*pPage);
    }
    pipeline.Finish();
  }
  // A stopped build leaves the pages written so far; the site-wide passes would read the rest.
  if (bStopped) {
    m_context.Progress().Hide();
    m_context.report.SetBatch(false);
    return;
  }

  // Print pages may build pages again, which registers them anew: work on the list as it stands.
  if (!m_printPages.empty() && m_context.settings.BuildPrintPages)
    BuildPrintPages(m_context, m_printPages);

  if (!m_collections.empty() && m_context.settings.BuildCollections) {
    m_context.Progress().Show(static_cast<int>(m_collections.size()));
    m_context.report.AddLine("---------------------", EAlert::kInfo);
    m_context.report.AddLine("Building collections", EAlert::kInfo);
    BuildCollectionPages(*this);
  }
  if (m_context.settings.BuildIndex)
    m_context.index.BuildIndexPages();
  // Collections and the index were filled into the written files: the stamp goes on the file
  // as it now stands, not on the text the page build left in memory.
  if (CPage* pHome = HomePage()) {
    pHome->m_strContent.clear();
    pHome->Finish();
  }

  m_context.Progress().Hide();
  m_context.report.SetBatch(false);
}

}  // namespace velmora
