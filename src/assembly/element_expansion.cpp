#include "assembly/element_expansion.h"

namespace velmora {

void ExpandElements(std::string& text, const std::string& beginTag, const std::string& endTag,
                    const std::function<std::string(const CTagElement&)>& make, CReport* pReport) {
  // The result is built in one pass; the search goes on after each element in the original
  // text, which reads the same as the rewritten text after the rebuilt element.
  std::string out;
  size_t copied = 0;
  size_t start = 0;
  size_t end = 0;
  while (start < text.size() && FindElement(text, start, end, beginTag, endTag)) {
    CTagElement element(text.substr(start, end - start), pReport);
    std::string made = make(element);
    if (element.GetAttribute("APPEND") == "ON")
      element.m_strContent += made;
    else
      element.m_strContent = std::move(made);
    std::string rebuilt = element.Rebuild();
    if (copied == 0)
      out.reserve(text.size() + rebuilt.size());
    out.append(text, copied, start - copied);
    out += rebuilt;
    copied = start = end;
  }
  if (copied == 0)
    return;
  out.append(text, copied);
  text = std::move(out);
}

}  // namespace velmora
