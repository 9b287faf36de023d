#include "model/replace_rule.h"

namespace velmora {

CReplaceRule::CReplaceRule(CWebSite* pSite, const std::string&) : m_pSite(pSite) {}
void CReplaceRule::Apply(std::string&) {}

}  // namespace velmora
