#include "model/node.h"

namespace velmora {

bool CPage::Build() { return false; }
void CPage::CorrectGfxReferences() {}

}  // namespace velmora
