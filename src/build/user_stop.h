// A build or check stops between pages when the user asks for it (the desktop program's Stop).
#pragma once

namespace velmora {

class CBuildContext;

// True, after the report line "Stopped by the user", once a stop was asked for.
bool StoppedByTheUser(CBuildContext& ctx);

}  // namespace velmora
