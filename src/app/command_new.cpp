#include "app/commands.h"

namespace velmora {

bool NewSiteCommand(const std::string&, bool, const std::string&, const std::string&) { return false; }

}  // namespace velmora
