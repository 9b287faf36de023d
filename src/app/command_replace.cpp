#include "app/commands.h"

namespace velmora {

bool ReplaceCommand(CSiteSession&, const std::string&, const std::string&, bool,
                    const std::vector<std::string>&) {
  return false;
}

}  // namespace velmora
