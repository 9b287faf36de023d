#include "app/commands.h"
#include "app/site_session.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

bool PrintCommand(CSiteSession& session, bool bTextOnly, const std::string& outputPath) {
  if (!session.m_pWebSite && (!session.LoadAndInterpret() || !session.m_pWebSite)) {
    Dialogs().MessageBox(Message(6));
    return false;
  }
  CWebSite& site = *session.m_pWebSite;
  std::string path = outputPath.empty() ? site.m_strCatalog + Message(7) : PathFromUser(outputPath);
  if (outputPath.empty() && bTextOnly)
    ReplaceAll(path, ".html", ".txt");
  return site.MakeOnePage(path, bTextOnly);
}

}  // namespace velmora
