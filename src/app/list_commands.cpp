#include "app/list_commands.h"

#include "app/site_session.h"
#include "build/build_driver.h"
#include "build/check_driver.h"
#include "model/build_context.h"
#include "platform/dialogs.h"
#include "res/messages.h"

namespace velmora {

namespace {}  // namespace

bool RunSiteWork(CSiteSession& session, ESiteWork work, const std::vector<size_t>* pPositions,
                 const std::function<void()>& afterInterpret) {
  session.LoadAndInterpret();
  if (pPositions)
    session.m_publishedList.SelectPositions(*pPositions);
  if (afterInterpret)
    afterInterpret();
  if (!session.m_pWebSite) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoSite));
    return false;
  }
  std::vector<CPage*> selection;
  if (pPositions) {
    // Every remembered position lies past the end of a shorter list: building the empty
    // selection would only copy resources and print pages, so it is refused.
    selection = session.m_publishedList.SelectedPages();
    if (selection.empty()) {
      session.m_context.Dialogs().MessageBox(Message(EMessage::kNoPageSelected));
      return false;
    }
  }
  CWebSite& site = *session.m_pWebSite;
  session.m_context.Progress().WaitCursor(true);
  if (work == ESiteWork::kBuild)
    BuildPages(site, pPositions ? &selection : nullptr);
  else
    CheckPages(site, pPositions ? &selection : nullptr);
  session.m_context.Progress().WaitCursor(false);
  return true;
}

}  // namespace velmora
