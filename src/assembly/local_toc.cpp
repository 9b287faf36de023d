#include "assembly/page_steps.h"

namespace velmora {

void MakeLocalToc(CPage&, std::string&) {}

}  // namespace velmora
