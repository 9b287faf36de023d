#include "build/user_stop.h"
#include "model/published_list.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

void CWebSite::CheckPages(const std::vector<CPage*>* pSelection) {
  m_context.report.Clear();
  m_context.report.SetBatch(true);
  m_context.report.AddHeading(Message(EMessage::kCheckingPages));
  m_context.report.AddLine(Message(EMessage::kDashes), EAlert::kInfo);
  m_nCheckProblems = 0;
  m_nCheckedPages = 0;
  m_nUncheckedLinks = 0;
  const long long nErrorsBefore = m_context.report.ErrorsReported();

  if (pSelection) {
    m_context.Progress().Show(static_cast<int>(pSelection->size()));
    int nPosition = 0;
    for (CPage* pPage : *pSelection) {
      if (StoppedByTheUser(m_context))
        break;
      m_context.Progress().Working(pPage->m_strLocalPath);
      pPage->CheckPage();
      m_context.Progress().SetPos(++nPosition);
    }
  } else {
    m_context.Progress().Show(m_pPublishedList ? m_pPublishedList->Count()
                                               : static_cast<int>(m_pages.size()));
    int nPosition = 0;
    for (const auto& pPage : m_pages) {
      if (StoppedByTheUser(m_context))
        break;
      m_context.Progress().SetPos(++nPosition);
      m_context.Progress().Working(pPage->m_strLocalPath);
      pPage->CheckPage();
    }
  }
  m_context.Progress().Hide();
  // Every error line counts, a page that could not be read as well as a listed problem.
  m_nCheckProblems = static_cast<int>(m_context.report.ErrorsReported() - nErrorsBefore);
  m_context.report.AddLine("", EAlert::kInfo);
  m_context.report.AddLine("Pages checked: " + std::to_string(m_nCheckedPages) +
                               ", problems: " + std::to_string(m_nCheckProblems) +
                               ", web links not checked: " + std::to_string(m_nUncheckedLinks),
                           EAlert::kInfo);
  m_context.report.SetBatch(false);
}

}  // namespace velmora
