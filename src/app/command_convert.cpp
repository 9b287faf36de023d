#include "app/commands.h"

namespace velmora {

bool ConvertCommand(CSiteSession&) { return false; }

}  // namespace velmora
