#include "model/published_list.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/messages.h"

namespace velmora {

void CWebSite::CheckPages(const std::vector<CPage*>* pSelection) {
  theReport.Clear();
  theReport.SetBatch(true);
  theReport.AddHeading(Message(70));
  theReport.AddLine(Message(5), 0);
  m_nCheckProblems = 0;

  if (pSelection) {
    Progress().Show(static_cast<int>(pSelection->size()));
    int nPosition = 0;
    for (CPage* pPage : *pSelection) {
      pPage->CheckPage();
      Progress().SetPos(++nPosition);
    }
  } else {
    Progress().Show(m_pPublishedList ? m_pPublishedList->Count()
                                     : static_cast<int>(m_pages.size()));
    int nPosition = 0;
    for (const auto& pPage : m_pages) {
      Progress().SetPos(++nPosition);
      pPage->CheckPage();
    }
  }
  Progress().Hide();
  theReport.SetBatch(false);
}

}  // namespace velmora
