#include "model/node.h"

namespace velmora {

bool CNode::SetLocation(const std::string&) { return false; }

}  // namespace velmora
