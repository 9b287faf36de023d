#include "build/user_stop.h"
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
  m_nCheckedPages = 0;
  m_nUncheckedLinks = 0;
  const long long nErrorsBefore = theReport.ErrorsReported();

  if (pSelection) {
    Progress().Show(static_cast<int>(pSelection->size()));
    int nPosition = 0;
    for (CPage* pPage : *pSelection) {
      if (StoppedByTheUser())
        break;
      Progress().Working(pPage->m_strLocalPath);
      pPage->CheckPage();
      Progress().SetPos(++nPosition);
    }
  } else {
    Progress().Show(m_pPublishedList ? m_pPublishedList->Count()
                                     : static_cast<int>(m_pages.size()));
    int nPosition = 0;
    for (const auto& pPage : m_pages) {
      if (StoppedByTheUser())
        break;
      Progress().SetPos(++nPosition);
      Progress().Working(pPage->m_strLocalPath);
      pPage->CheckPage();
    }
  }
  Progress().Hide();
  // Every error line counts, a page that could not be read as well as a listed problem.
  m_nCheckProblems = static_cast<int>(theReport.ErrorsReported() - nErrorsBefore);
  theReport.AddLine("", 0);
  theReport.AddLine("Pages checked: " + std::to_string(m_nCheckedPages) +
                        ", problems: " + std::to_string(m_nCheckProblems) +
                        ", web links not checked: " + std::to_string(m_nUncheckedLinks),
                    0);
  theReport.SetBatch(false);
}

}  // namespace velmora
