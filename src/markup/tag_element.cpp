#include "markup/tag_element.h"

#include <cctype>
#include <string_view>

#include "markup/text_operations.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// The end tag of an element is its last `marker` found when looking back from `first` in
// steps of two; position 0 is never taken. Equivalent to the last occurrence that lies at or
// after the smallest position such a walk reaches.
size_t FindEndTag(const std::string& text, const std::string& marker, size_t fromEnd) {
  if (text.size() <= fromEnd)
    return std::string::npos;
  size_t first = text.size() - fromEnd;
  size_t lowest = first % 2 == 0 ? 2 : 1;
  size_t pos = text.rfind(marker);
  if (pos == std::string::npos || pos < lowest)
    return std::string::npos;
  return pos;
}

}  // namespace

bool FindElement(const std::string& text, size_t& start, size_t& end, const std::string& beginTag,
                 const std::string& endTag) {
  size_t pos = FindText(text, beginTag, start);
  if (pos == std::string::npos)
    return false;
  start = pos;

  if (beginTag.find("-->") != std::string::npos) {
    // A whole plain tag: alone, or the start of a paired element when an end tag is named.
    const std::string& marker = endTag.empty() ? std::string("-->") : endTag;
    size_t found = FindText(text, marker, start);
    if (found == std::string::npos)
      return false;
    end = found + marker.size();
    return true;
  }

  std::string closing = endTag.empty() ? MakeEndTag(beginTag) + "-->" : endTag;
  // A "/-->" behind another tag's opening closes that tag, not this one: only the stretch up
  // to the next opening is searched (a "/-->" cannot straddle its "<").
  const size_t nextTag = FindText(text, "<!--", start + 1);
  size_t selfClose = FindText(std::string_view(text).substr(0, nextTag), "/-->", start);
  // Only an end tag that opens before the "/-->" matters; searching on to the end of the text
  // for every self-closing element would make a page of them take quadratic time.
  const size_t searchEnd =
      selfClose == std::string::npos ? text.size() : selfClose + closing.size();
  size_t closeAt = FindText(std::string_view(text).substr(0, searchEnd), closing, start);
  if (selfClose == std::string::npos && closeAt == std::string::npos)
    return false;
  if (selfClose == std::string::npos || (closeAt != std::string::npos && closeAt < selfClose))
    end = closeAt + closing.size();
  else
    end = selfClose + 4;
  return true;
}

std::string MakeEndTag(const std::string& tag) {
  size_t p = tag.find("!--");
  if (p != std::string::npos)
    return tag.substr(0, p + 3) + "/" + tag.substr(p + 3);
  return "</" + (tag.empty() ? std::string() : tag.substr(1));
}

void CTagElement::Parse(const std::string& element, CReport* pReport) {
  m_strContent.clear();
  m_strEndTag.clear();
  m_names.clear();
  m_values.clear();

  const bool bComment = element.find("<!--") != std::string::npos;
  const std::string close = bComment ? "-->" : ">";
  const std::string endOpen = bComment ? "<!--/" : "</";
  const size_t p = element.find(close);
  const size_t q = FindEndTag(element, endOpen, bComment ? 6 : 2);

  std::string attributes;
  if (p != std::string::npos && q != std::string::npos) {
    m_strEndTag = element.substr(q);
    size_t contentStart = p + close.size();
    if (contentStart < q)
      m_strContent = element.substr(contentStart, q - contentStart);
    attributes = TextBetween(element, " ", close);
  } else {
    attributes = TextBetween(element, " ", bComment ? "/-->" : "/>");
  }
  if (p != std::string::npos && q != std::string::npos && p > q) {
    // A start tag left open up to the end tag is closed there; taking the end tag's close for
    // its own would write the end tag again on every rebuild. A comment start tag is closed
    // before the first tag opening inside it: closing it after a dangling "<!--/NAME" would
    // make an end tag there, and the next scan would end the element early. Slashes before
    // the cut go to the content: before the added "-->" they would make the tag self-closing.
    size_t openAt = bComment ? element.find("<!--", 1) : q;
    if (openAt > q)
      openAt = q;
    while (bComment && openAt > 4 && element[openAt - 1] == '/') --openAt;
    m_strContent = element.substr(openAt, q - openAt);
    m_strStartTag = element.substr(0, openAt) + close;
  } else {
    m_strStartTag = p == std::string::npos ? element : element.substr(0, p + close.size());
  }

  attributes = Trim(attributes);
  ReplaceAll(attributes, "\" ", "\"###");
  if (attributes.size() <= 1)
    return;
  if (attributes.back() == '/')
    attributes.pop_back();
  bool bReported = false;
  for (const std::string& piece : Split(attributes, "###", true)) {
    size_t eq = piece.find('=');
    if (eq == std::string::npos) {
      // One line per element: a list of many bad pieces would repeat the whole element each time.
      if (!bReported && pReport)
        pReport->AddFormatted(EMessage::kBadParameterList, element, EAlert::kWarning);
      bReported = true;
      continue;
    }
    m_names.push_back(piece.substr(0, eq));
    std::string value = piece.substr(eq + 1);
    if (!value.empty() && value.front() == '"')
      value.erase(0, 1);
    if (!value.empty() && value.back() == '"')
      value.pop_back();
    m_values.push_back(value);
  }
}

std::string CTagElement::Rebuild() const {
  if (!m_strEndTag.empty() || m_strContent.empty() || !StartsWith(m_strStartTag, "<!--") ||
      !EndsWith(m_strStartTag, "/-->"))
    return m_strStartTag + m_strContent + m_strEndTag;
  size_t nameEnd = 4;
  while (nameEnd < m_strStartTag.size() &&
         (std::isalnum(static_cast<unsigned char>(m_strStartTag[nameEnd])) ||
          m_strStartTag[nameEnd] == '_'))
    ++nameEnd;
  const std::string name = m_strStartTag.substr(4, nameEnd - 4);
  if (name.empty())
    return m_strStartTag + m_strContent;
  // Every slash before the "-->" goes: a start tag still ending in "/-->" would be taken for a
  // self-closing tag again, and given its content once more.
  std::string start = m_strStartTag.substr(0, m_strStartTag.size() - 4);
  while (start.back() == '/') start.pop_back();
  return start + "-->" + m_strContent + "<!--/" + name + "-->";
}

std::string CTagElement::GetAttribute(const std::string& name) const {
  for (size_t i = 0; i < m_names.size(); ++i)
    if (m_names[i] == name)
      return m_values[i];
  return {};
}

int CTagElement::GetIntAttribute(const std::string& name) const {
  std::string value = GetAttribute(name);
  if (value.empty())
    return -999;
  return ParseLeadingInt(value);
}

bool CTagElement::HasAttribute(const std::string& name) const {
  for (const std::string& existing : m_names)
    if (existing == name)
      return true;
  return false;
}

}  // namespace velmora
