#include "model/node.h"

namespace velmora {

void CPage::Finish() {}

}  // namespace velmora
