#include "build/check_driver.h"
#include "build/page_check.h"
#include "build/user_stop.h"
#include "model/published_list.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

void CheckPages(CWebSite& site, const std::vector<CPage*>* pSelection) {
  CBuildContext& ctx = site.m_context;
  ctx.report.Clear();
  ctx.report.SetBatch(true);
  ctx.report.AddHeading(Message(EMessage::kCheckingPages));
  ctx.report.AddLine(Message(EMessage::kDashes), EAlert::kInfo);
  site.m_nCheckProblems = 0;
  site.m_nCheckedPages = 0;
  site.m_nUncheckedLinks = 0;
  const long long nErrorsBefore = ctx.report.ErrorsReported();

  if (pSelection) {
    ctx.Progress().Show(static_cast<int>(pSelection->size()));
    int nPosition = 0;
    for (CPage* pPage : *pSelection) {
      if (StoppedByTheUser(ctx))
        break;
      ctx.Progress().Working(pPage->m_strLocalPath);
      CheckPage(*pPage);
      ctx.Progress().SetPos(++nPosition);
    }
  } else {
    ctx.Progress().Show(site.m_pPublishedList ? site.m_pPublishedList->Count()
                                              : static_cast<int>(site.Pages().size()));
    int nPosition = 0;
    for (const auto& pPage : site.Pages()) {
      if (StoppedByTheUser(ctx))
        break;
      ctx.Progress().SetPos(++nPosition);
      ctx.Progress().Working(pPage->m_strLocalPath);
      CheckPage(*pPage);
    }
  }
  ctx.Progress().Hide();
  // Every error line counts, a page that could not be read as well as a listed problem.
  site.m_nCheckProblems = static_cast<int>(ctx.report.ErrorsReported() - nErrorsBefore);
  ctx.report.AddLine("", EAlert::kInfo);
  ctx.report.AddLine("Pages checked: " + std::to_string(site.m_nCheckedPages) +
                         ", problems: " + std::to_string(site.m_nCheckProblems) +
                         ", web links not checked: " + std::to_string(site.m_nUncheckedLinks),
                     EAlert::kInfo);
  ctx.report.SetBatch(false);
}

}  // namespace velmora
