#include "app/commands.h"
#include "app/site_session.h"
#include "platform/report.h"

#include "model/build_context.h"

namespace velmora {

// The user is asked whether to convert; either way the command stops here and is run again on
// the converted script. A text that is not of the older format is refused without a question.
void CSiteSession::OfferConversion() {
  if (!MayConvert(*this))
    return;
  if (velmora::OfferConversion(*this)) {
    m_context.report.AddLine(
        "The script was of the older format and has been converted to version 2.0: " +
            m_strScriptPath + "\r\nRun the command again.",
        EAlert::kInfo);
    return;
  }
  m_context.report.AddLine(
      "The script has no VERSION=2.0 line: it is of the older format and must be converted "
      "before it can be interpreted",
      EAlert::kFatal);
}

}  // namespace velmora
