#include "model/node.h"

namespace velmora {

std::string CNode::ExtractPrintableSections(const std::string&, bool, bool) { return {}; }

}  // namespace velmora
