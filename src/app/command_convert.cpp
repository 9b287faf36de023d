#include "app/commands.h"

#include "app/conversion.h"
#include "app/site_session.h"
#include "model/build_context.h"
#include "model/script_lines.h"
#include "platform/dialogs.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {
// The new text goes back to the file in the file's own encoding.
bool ConvertScriptOfSession(CSiteSession& session) {
  CConversion conversion(session.m_context, session.m_strScriptText);
  session.m_strScriptText = conversion.Convert();
  if (!session.m_strScriptPath.empty() &&
      !session.m_context.files.WriteTextFile(
          session.m_strScriptPath, EncodeText(session.m_strScriptText, session.m_eScriptEncoding)))
    return false;
  return true;
}
}  // namespace

// The conversion rewrites the script, its blocks and its templates in place, so a text that
// may be any file is refused.
bool MayConvert(const CSiteSession& session) {
  if (ReadsAsOlderScript(PrepareScriptLines(session.m_strScriptText)))
    return true;
  const std::string text = FormatText(kNotOlderScriptText, session.m_strScriptPath);
  session.m_context.report.AddLine(text, EAlert::kFatal);
  session.m_context.Dialogs().MessageBox(text);
  return false;
}

bool OfferConversion(CSiteSession& session) {
  const char* const kQuestion =
      "This site seems to be an old version script.\r\n"
      "Velmora can update it. This will involve changing the script, all templates and all "
      "blocks.\r\n"
      "Some small anomalities which must be corrected by hand may occur. You may prefer to make "
      "a back-up of your site first.\r\n\r\nConvert now ?";
  if (!MayConvert(session) || !session.m_context.Dialogs().AskConvertOldScript(kQuestion))
    return false;
  return ConvertScriptOfSession(session);
}

bool ConvertCommand(CSiteSession& session) {
  if (HasVersionLine(PrepareScriptLines(session.m_strScriptText))) {
    session.m_context.report.AddLine(
        "The script is already of version 2.0: " + session.m_strScriptPath, EAlert::kInfo);
    return true;
  }
  if (!MayConvert(session) || !ConvertScriptOfSession(session))
    return false;
  session.m_context.report.AddLine("Converted to version 2.0: " + session.m_strScriptPath,
                                   EAlert::kInfo);
  return true;
}

}  // namespace velmora
