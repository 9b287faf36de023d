#include "app/commands.h"

#include "app/conversion.h"
#include "app/site_session.h"
#include "markup/paths.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {
bool IsCurrentFormat(const std::string& text) {
  for (const std::string& line : Split(text, "\r\n", true))
    if (StartsWith(Trim(line), "VERSION=2.0"))
      return true;
  return false;
}
}  // namespace

bool ConvertScriptOfSession(CSiteSession& session) {
  CConversion conversion(session.m_strScriptText);
  session.m_strScriptText = conversion.Convert();
  if (!session.m_strScriptPath.empty() &&
      !WriteTextFile(session.m_strScriptPath, session.m_strScriptText))
    return false;
  return true;
}

bool OfferConversion(CSiteSession& session) {
  const char* const kQuestion =
      "This site seems to be an old version script.\r\n"
      "Velmora can update it. This will involve changing the script, all templates and all "
      "blocks.\r\n"
      "Some small anomalities which must be corrected by hand may occur. You may prefer to make "
      "a back-up of your site first.\r\n\r\nConvert now ?";
  if (!Dialogs().AskConvertOldScript(kQuestion))
    return false;
  return ConvertScriptOfSession(session);
}

bool ConvertCommand(CSiteSession& session) {
  if (IsCurrentFormat(session.m_strScriptText)) {
    theReport.AddLine("The script is already of version 2.0: " + session.m_strScriptPath, 0);
    return true;
  }
  if (!ConvertScriptOfSession(session))
    return false;
  theReport.AddLine("Converted to version 2.0: " + session.m_strScriptPath, 0);
  return true;
}

}  // namespace velmora
