#include "app/commands.h"

namespace velmora {

bool BuildCommand(CSiteSession&, const std::vector<std::string>&) { return false; }

}  // namespace velmora
