// Building all pages or a selection: the setting lines, the numbering, the resources and
// templates, every page in script order, then the print pages, collections and index pages,
// and the stamp on the home page. One report batch per build.
#include <unordered_set>

#include "assembly/footers.h"
#include "build/build_driver.h"
#include "build/page_pipeline.h"
#include "build/print_pages.h"
#include "build/resource_copy.h"
#include "build/user_stop.h"
#include "markup/keyword_index.h"
#include "model/build_context.h"
#include "model/collection.h"
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
    MakePrintPage(*pages[i]);
    FinishPage(*pages[i]);
  }
  ctx.Progress().Hide();
}

}  // namespace

void BuildPages(CWebSite& site, const std::vector<CPage*>* pSelection) {
  CBuildContext& ctx = site.m_context;
  site.m_printPages.clear();
  ctx.report.Clear();
  ctx.report.SetBatch(true);
  // Temporary files left by a killed build are removed where this build writes.
  ctx.Disk().ForgetSweptFolders();
  ReportSettings(ctx);
  ctx.report.AddMessage(EMessage::kDashes, EAlert::kInfo);

  for (size_t i = 0; i < site.Pages().size(); ++i)
    site.Pages()[i]->m_strNumber = std::to_string(i + 1);

  std::unordered_set<const CPage*> selected;
  if (pSelection)
    selected.insert(pSelection->begin(), pSelection->end());
  const int nToBuild = pSelection ? static_cast<int>(pSelection->size()) : site.m_nListed;
  ctx.Progress().Show(nToBuild + 2);
  ctx.Progress().SetPos(1);
  CopyLayoutResources(site);
  ctx.Progress().SetPos(2);
  CopyTemplates(site);
  ctx.report.AddMessage(EMessage::kDashes, EAlert::kInfo);

  int nPosition = 2;
  bool bStopped = false;
  {
    size_t nPrintPagesDone = 0;
    CPagePipeline pipeline(site, [&](CPage& page, bool bWritten) {
      // A written page's text is read back from its file by whoever needs it later; print
      // pages are filled from their built text after the loop. Ten thousand pages kept in
      // memory cost more in page faults than their build. Pages are done in the order they
      // joined the print list, though later pages may have joined it since.
      const bool bPrintPage =
          nPrintPagesDone < site.m_printPages.size() && site.m_printPages[nPrintPagesDone] == &page;
      nPrintPagesDone += bPrintPage;
      if (bWritten && !bPrintPage)
        std::string().swap(page.m_strContent);
      ctx.Progress().SetPos(++nPosition);
    });
    for (const auto& pPage : site.Pages()) {
      if (pSelection && !selected.count(pPage.get()))
        continue;
      if ((bStopped = StoppedByTheUser(ctx)))
        break;
      ctx.Progress().Working(pPage->m_strLocalPath);
      pipeline.Build(*pPage);
    }
    pipeline.Finish();
  }
  // A stopped build leaves the pages written so far; the site-wide passes would read the rest.
  if (bStopped) {
    ctx.Progress().Hide();
    ctx.report.SetBatch(false);
    return;
  }

  // Print pages may build pages again, which registers them anew: work on the list as it stands.
  if (!site.m_printPages.empty() && ctx.settings.BuildPrintPages)
    BuildPrintPages(ctx, site.m_printPages);

  if (!site.m_collections.empty() && ctx.settings.BuildCollections) {
    ctx.Progress().Show(static_cast<int>(site.m_collections.size()));
    ctx.report.AddLine("---------------------", EAlert::kInfo);
    ctx.report.AddLine("Building collections", EAlert::kInfo);
    BuildCollectionPages(site);
  }
  if (ctx.settings.BuildIndex)
    ctx.index.BuildIndexPages();
  // Collections and the index were filled into the written files: the stamp goes on the file
  // as it now stands, not on the text the page build left in memory.
  if (CPage* pHome = site.HomePage()) {
    pHome->m_strContent.clear();
    FinishPage(*pHome);
  }

  ctx.Progress().Hide();
  ctx.report.SetBatch(false);
}

}  // namespace velmora
