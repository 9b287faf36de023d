#include "assembly/page_steps.h"

namespace velmora {

void MakeTrail(CPage&, std::string&) {}
void MakeNeighbourLinks(CPage&, std::string&) {}

}  // namespace velmora
