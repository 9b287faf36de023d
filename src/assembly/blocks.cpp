#include "model/node.h"

namespace velmora {

bool CBlock::Load() { return false; }
bool CPage::Load() { return false; }

}  // namespace velmora
