#include "app/site_session.h"
#include "platform/report.h"

namespace velmora {

void CSiteSession::OfferConversion() {
  theReport.AddLine(
      "The script has no VERSION=2.0 line: it is of the older format and must be converted "
      "before it can be interpreted",
      4);
}

}  // namespace velmora
