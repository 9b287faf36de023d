#include <algorithm>

#include "app/commands.h"
#include "app/site_session.h"
#include "build/replace_tool.h"
#include "model/build_context.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

bool ReplaceCommand(CSiteSession& session, const std::string& find, const std::string& with,
                    bool bAll, const std::vector<std::string>& files) {
  if (!session.m_pWebSite && (!session.LoadAndInterpret() || !session.m_pWebSite)) {
    session.m_context.Dialogs().MessageBox(Message(EMessage::kNoSite));
    return false;
  }
  CWebSite& site = *session.m_pWebSite;
  CReplaceTool tool(site);
  tool.m_bResultInReport = true;
  const std::vector<std::string>& candidates = tool.FillCandidates();

  std::vector<std::string> chosen;
  if (bAll) {
    chosen = candidates;
  } else {
    // Only files of the site can be chosen, as in the list of the desktop program.
    for (const std::string& file : files) {
      const std::string path = session.m_context.drives.PathFromUser(file);
      auto it = std::find_if(candidates.begin(), candidates.end(),
                             [&](const std::string& c) { return EqualsNoCase(c, path); });
      if (it == candidates.end()) {
        session.m_context.Dialogs().MessageBox(FormatText("Not a file of the site: %1", file));
        continue;
      }
      chosen.push_back(*it);
    }
  }
  if (find.empty() || chosen.empty())
    return false;
  return tool.Replace(find, with, chosen);
}

}  // namespace velmora
