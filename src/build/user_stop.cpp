#include "build/user_stop.h"

#include "model/build_context.h"
#include "platform/dialogs.h"
#include "platform/report.h"

namespace velmora {

bool StoppedByTheUser(CBuildContext& ctx) {
  if (!ctx.Progress().StopRequested())
    return false;
  ctx.report.AddLine("Stopped by the user", EAlert::kWarning);
  return true;
}

}  // namespace velmora
