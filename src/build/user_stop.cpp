#include "build/user_stop.h"

#include "platform/dialogs.h"
#include "platform/report.h"

namespace velmora {

bool StoppedByTheUser() {
  if (!Progress().StopRequested())
    return false;
  theReport.AddLine("Stopped by the user", 2);
  return true;
}

}  // namespace velmora
