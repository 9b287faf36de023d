#include "app/commands.h"
#include "app/site_session.h"
#include "build/print_pages.h"
#include "net/http_fetcher.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/strings.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

std::string OnePageTarget(std::string siteCatalog, bool bTextOnly) {
  if (!siteCatalog.empty() && !EndsWith(siteCatalog, "\\"))
    siteCatalog += "\\";
  std::string name = Message(EMessage::kOnePageName);
  if (bTextOnly)
    ReplaceAll(name, ".html", ".txt");
  return siteCatalog + name;
}

bool PrintCommand(CSiteSession& session, bool bTextOnly, const std::string& outputPath) {
  session.m_context.fetcher.BeginRun();
  if (!session.m_pWebSite && (!session.LoadAndInterpret() || !session.m_pWebSite)) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoSite));
    return false;
  }
  CWebSite& site = *session.m_pWebSite;
  const std::string path = outputPath.empty() ? OnePageTarget(site.m_strCatalog, bTextOnly)
                                              : session.m_context.drives.PathFromUser(outputPath);
  return MakeOnePage(site, path, bTextOnly);
}

}  // namespace velmora
