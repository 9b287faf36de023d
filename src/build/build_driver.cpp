// Building all pages or a selection: the setting lines, the numbering, the resources and
// templates, every page in script order, then the print pages, collections and index pages,
// and the stamp on the home page. One report batch per build.
#include <unordered_set>

#include "build/page_pipeline.h"
#include "build/resource_copy.h"
#include "build/user_stop.h"
#include "markup/collection.h"
#include "markup/keyword_index.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/report.h"

namespace velmora {

namespace {

constexpr int kDashesMessage = 5;

void ReportSetting(int nValue, const char* pszOn, const char* pszOff) {
  theReport.AddLine(nValue ? pszOn : pszOff, 0);
}

void ReportSettings() {
  theReport.AddHeading("Built - with properties:");
  ReportSetting(theSettings.Internet, "   Using Internet", "   Not searching the Internet");
  ReportSetting(theSettings.BuildIndex, "   Building index, if any", "   No Index build");
  ReportSetting(theSettings.CheckNameRefs, "   Checking references by pagename",
                "   No checking of references by pagename");
  ReportSetting(theSettings.BuildPrintPages, "   Building \"print\"-pages, if any",
                "   No \"print\"-page building");
  ReportSetting(theSettings.BuildCollections, "   Building general collections, if any",
                "   No general collections built");
  ReportSetting(theSettings.CheckAllImages, "   Checking and correcting imagerefs",
                "   No check and correction of images");
}

void BuildPrintPages(std::vector<CPage*> pages) {
  theReport.AddLine("---------------------", 0);
  theReport.AddLine("Building printpages", 0);
  Progress().Show(static_cast<int>(pages.size()));
  for (size_t i = 0; i < pages.size(); ++i) {
    Progress().SetPos(static_cast<int>(i + 1));
    pages[i]->MakePrintPage();
    pages[i]->Finish();
  }
  Progress().Hide();
}

}  // namespace

void CWebSite::BuildPages(const std::vector<CPage*>* pSelection) {
  m_printPages.clear();
  theReport.Clear();
  theReport.SetBatch(true);
  // Temporary files left by a killed build are removed where this build writes.
  ForgetSweptFolders();
  ReportSettings();
  theReport.AddMessage(kDashesMessage, 0);

  for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->m_strNumber = std::to_string(i + 1);

  std::unordered_set<const CPage*> selected;
  if (pSelection)
    selected.insert(pSelection->begin(), pSelection->end());
  const int nToBuild = pSelection ? static_cast<int>(pSelection->size()) : m_nListed;
  Progress().Show(nToBuild + 2);
  Progress().SetPos(1);
  CopyLayoutResources(*this);
  Progress().SetPos(2);
  CopyTemplates(*this);
  theReport.AddMessage(kDashesMessage, 0);

  int nPosition = 2;
  bool bStopped = false;
  {
    CPagePipeline pipeline(*this, [&](CPage& page, bool bWritten) {
      // A written page's text is read back from its file by whoever needs it later; print
      // pages are filled from their built text after the loop. Ten thousand pages kept in
      // memory cost more in page faults than their build.
      if (bWritten && (m_printPages.empty() || m_printPages.back() != &page))
        std::string().swap(page.m_strContent);
      Progress().SetPos(++nPosition);
    });
    for (const auto& pPage : m_pages) {
      if (pSelection && !selected.count(pPage.get()))
        continue;
      if ((bStopped = StoppedByTheUser()))
        break;
      Progress().Working(pPage->m_strLocalPath);
      pipeline.Build(*pPage);
    }
    pipeline.Finish();
  }
  // A stopped build leaves the pages written so far; the site-wide passes would read the rest.
  if (bStopped) {
    Progress().Hide();
    theReport.SetBatch(false);
    return;
  }

  // Print pages may build pages again, which registers them anew: work on the list as it stands.
  if (!m_printPages.empty() && theSettings.BuildPrintPages)
    BuildPrintPages(m_printPages);

  if (!m_collections.empty() && theSettings.BuildCollections) {
    Progress().Show(static_cast<int>(m_collections.size()));
    theReport.AddLine("---------------------", 0);
    theReport.AddLine("Building collections", 0);
    BuildCollectionPages(*this);
  }
  if (theSettings.BuildIndex)
    theKeywordIndex.BuildIndexPages(*this);
  // Collections and the index were filled into the written files: the stamp goes on the file
  // as it now stands, not on the text the page build left in memory.
  if (CPage* pHome = HomePage()) {
    pHome->m_strContent.clear();
    pHome->Finish();
  }

  Progress().Hide();
  theReport.SetBatch(false);
}

}  // namespace velmora
