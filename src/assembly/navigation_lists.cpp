#include "assembly/page_steps.h"

namespace velmora {

void MakeConList(CPage&, std::string&) {}
void MakeToc(CPage&, std::string&) {}
void MakeSingleToc(CPage&, std::string&) {}

}  // namespace velmora
