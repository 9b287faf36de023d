#include "model/web_site.h"

namespace velmora {

void CWebSite::BuildPages(const std::vector<CPage*>*) {}

}  // namespace velmora
