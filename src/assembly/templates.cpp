#include "model/web_site.h"

namespace velmora {

CTemplate* CWebSite::GetTemplate(const std::string&) { return nullptr; }

}  // namespace velmora
