#include "model/node.h"

namespace velmora {

void CPage::MakePrintPage() {}

}  // namespace velmora
