#include "model/web_site.h"

namespace velmora {

void CWebSite::CheckPages(const std::vector<CPage*>*) {}

}  // namespace velmora
