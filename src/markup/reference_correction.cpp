#include "model/node.h"

namespace velmora {

int CNode::FetchRemoteImages(std::string&) { return 0; }
int CNode::CopyOutsideImages(std::string&) { return 0; }
int CNode::CheckBlockImages(std::string&) { return 0; }
int CPage::CorrectNameRefs(std::string&) { return 0; }

}  // namespace velmora
