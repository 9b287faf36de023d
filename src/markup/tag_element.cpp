#include "markup/tag_element.h"

namespace velmora {

bool FindElement(const std::string&, size_t&, size_t&, const std::string&, const std::string&) {
  return false;
}
std::string MakeEndTag(const std::string&) { return {}; }
void CTagElement::Parse(const std::string&) {}
std::string CTagElement::GetAttribute(const std::string&) const { return {}; }
int CTagElement::GetIntAttribute(const std::string&) const { return -999; }
bool CTagElement::HasAttribute(const std::string&) const { return false; }

}  // namespace velmora
