#include "assembly/page_steps.h"

namespace velmora {

void ApplyPatches(CPage&, std::string&) {}

}  // namespace velmora
