#include "model/node.h"

namespace velmora {

void CPage::CheckPage() {}

}  // namespace velmora
