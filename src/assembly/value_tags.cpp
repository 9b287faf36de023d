#include "assembly/page_steps.h"

namespace velmora {

void ExpandValueTags(CPage&, std::string&) {}

}  // namespace velmora
