#include "app/commands.h"
#include "app/site_session.h"
#include "build/check_driver.h"
#include "platform/dialogs.h"
#include "platform/strings.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

bool CheckCommand(CSiteSession& session, const std::vector<std::string>& published, int& problems) {
  problems = 0;
  if (!session.LoadAndInterpret() || !session.m_pWebSite) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoSite));
    return false;
  }
  CWebSite& site = *session.m_pWebSite;
  if (published.empty()) {
    CheckPages(site);
  } else {
    for (const std::string& name : published)
      if (!session.m_publishedList.Select(name))
        session.m_context.Dialogs().MessageBox(FormatMessage(EMessage::kCantGet, name));
    const std::vector<CPage*> selected = session.m_publishedList.SelectedPages();
    if (selected.empty()) {
      session.m_context.Dialogs().MessageBox(Message(EMessage::kNoPageSelected));
      return false;
    }
    CheckPages(site, &selected);
  }
  problems = site.m_nCheckProblems;
  return true;
}

}  // namespace velmora
