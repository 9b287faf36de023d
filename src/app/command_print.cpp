#include "app/commands.h"

namespace velmora {

bool PrintCommand(CSiteSession&, bool, const std::string&) { return false; }

}  // namespace velmora
