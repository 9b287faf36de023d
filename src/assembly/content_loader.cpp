#include "model/node.h"

namespace velmora {

bool CNode::Load() { return false; }

}  // namespace velmora
