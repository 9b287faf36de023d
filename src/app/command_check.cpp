#include "app/commands.h"

namespace velmora {

bool CheckCommand(CSiteSession&, const std::vector<std::string>&, int& problems) {
  problems = 0;
  return false;
}

}  // namespace velmora
