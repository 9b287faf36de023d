// Comment tags (<!--NAME attrs-->content<!--/NAME-->, <!--NAME attrs/-->) and plain HTML
// elements cut out of a text: found, split into parts, read and rebuilt.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CReport;

// Finds an element from `start` on; sets start to its first character and end just past it.
bool FindElement(const std::string& text, size_t& start, size_t& end, const std::string& beginTag,
                 const std::string& endTag);
std::string MakeEndTag(const std::string& tag);

class CTagElement {
 public:
  CTagElement() = default;
  // A piece of the attributes that is no name=value pair is reported to pReport, if any.
  explicit CTagElement(const std::string& element, CReport* pReport = nullptr) {
    Parse(element, pReport);
  }
  void Parse(const std::string& element, CReport* pReport = nullptr);
  std::string GetAttribute(const std::string& name) const;
  int GetIntAttribute(const std::string& name) const;  // -999 when missing or empty
  bool HasAttribute(const std::string& name) const;
  // Start tag, content and end tag. A self-closing comment tag that was given content is
  // written as a pair, so the next expansion replaces that content instead of adding to it.
  std::string Rebuild() const;

  std::vector<std::string> m_names;
  std::vector<std::string> m_values;
  std::string m_strContent;
  std::string m_strStartTag;
  std::string m_strEndTag;
};

}  // namespace velmora
