#include "assembly/element_expansion.h"

namespace velmora {

void ExpandElements(std::string& text, const std::string& beginTag, const std::string& endTag,
                    const std::function<std::string(const CTagElement&)>& make) {
  size_t start = 0;
  size_t end = 0;
  while (start < text.size() && FindElement(text, start, end, beginTag, endTag)) {
    CTagElement element(text.substr(start, end - start));
    std::string made = make(element);
    if (element.GetAttribute("APPEND") == "ON")
      element.m_strContent += made;
    else
      element.m_strContent = std::move(made);
    const std::string rebuilt = element.Rebuild();
    text.replace(start, end - start, rebuilt);
    start += rebuilt.empty() ? 1 : rebuilt.size();
  }
}

}  // namespace velmora
