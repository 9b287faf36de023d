#include "assembly/page_steps.h"
#include "model/node.h"

namespace velmora {

void CPage::Finish() {}
void MakeBasedOn(CPage&, std::string&) {}

}  // namespace velmora
