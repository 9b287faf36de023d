#include "app/commands.h"
#include "app/site_session.h"
#include "build/build_driver.h"
#include "platform/dialogs.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

namespace {}  // namespace

bool BuildCommand(CSiteSession& session, const std::vector<std::string>& published) {
  if (!session.LoadAndInterpret() || !session.m_pWebSite) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoSite));
    return false;
  }
  if (published.empty()) {
    BuildPages(*session.m_pWebSite);
    return true;
  }
  // A name that selects nothing is told at once: the build report starts empty.
  for (const std::string& name : published)
    if (!session.m_publishedList.Select(name))
      session.m_context.Dialogs().MessageBox(FormatMessage(EMessage::kCantGet, name));
  const std::vector<CPage*> selection = session.m_publishedList.SelectedPages();
  if (selection.empty()) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoPageSelected));
    return false;
  }
  BuildPages(*session.m_pWebSite, &selection);
  return true;
}

}  // namespace velmora
