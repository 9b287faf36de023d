#include "markup/html_tags.h"

#include <array>

#include "platform/strings.h"
#include "platform/text_encoding.h"

namespace velmora {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Elements whose content a browser takes as text up to their end tag.
bool HasRawText(const std::string& name) {
  static const std::array<std::string_view, 7> kRaw = {"script", "style",  "textarea", "title",
                                                       "xmp",    "iframe", "plaintext"};
  for (std::string_view raw : kRaw)
    if (name == raw)
      return true;
  return false;
}

// A numeric reference at text[at] ("&#..."): its length, and the character into out; 0 when
// there is no number.
size_t DecodeNumeric(std::string_view text, size_t at, std::string& out) {
  size_t i = at + 2;
  const bool bHex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (bHex)
    ++i;
  const size_t digits = i;
  unsigned long code = 0;
  for (; i < text.size(); ++i) {
    const char c = Lower(text[i]);
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (bHex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    if (digit < 0)
      break;
    if (code <= 0x10FFFF)
      code = code * (bHex ? 16 : 10) + static_cast<unsigned long>(digit);
  }
  if (i == digits)
    return 0;
  if (i < text.size() && text[i] == ';')
    ++i;
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    code = 0xFFFD;
  AppendUtf8(out, static_cast<uint32_t>(code));
  return i - at;
}

}  // namespace

const std::string* CHtmlTag::Find(std::string_view name) const {
  for (const auto& attribute : m_attributes)
    if (attribute.first == name)
      return &attribute.second;
  return nullptr;
}

bool CHtmlTagReader::Next(CHtmlTag& tag) {
  while (m_pos < m_text.size()) {
    const size_t lt = m_text.find('<', m_pos);
    if (lt == npos || lt + 1 >= m_text.size()) {
      m_pos = m_text.size();
      return false;
    }
    const char next = m_text[lt + 1];
    if (next == '!' || next == '?' || next == '/') {
      // A comment ends at "-->" ("<!-->" is an empty one); declarations, processing
      // instructions and end tags at the next ">".
      const bool bComment = m_text.compare(lt, 4, "<!--") == 0;
      const size_t end = bComment ? m_text.find("-->", lt + 2) : m_text.find('>', lt + 2);
      m_pos = end == npos ? m_text.size() : end + (bComment ? 3 : 1);
      continue;
    }
    if (!IsLetter(next)) {
      m_pos = lt + 1;
      continue;
    }
    size_t i = lt + 1;
    tag.m_strName.clear();
    tag.m_attributes.clear();
    while (i < m_text.size() && !IsSpace(m_text[i]) && m_text[i] != '/' && m_text[i] != '>')
      tag.m_strName += Lower(m_text[i++]);
    m_pos = i;
    ReadAttributes(tag);
    // A tag cut off by the end of the text is dropped, as a browser drops it.
    if (m_pos > m_text.size() || m_text[m_pos - 1] != '>') {
      m_pos = m_text.size();
      return false;
    }
    if (HasRawText(tag.m_strName))
      SkipRawText(tag.m_strName);
    return true;
  }
  return false;
}

// Reads from m_pos up to and including the ">" that closes the tag; m_pos ends just past it,
// or past the end of the text when the tag is not closed.
void CHtmlTagReader::ReadAttributes(CHtmlTag& tag) {
  const size_t size = m_text.size();
  size_t i = m_pos;
  while (true) {
    while (i < size && (IsSpace(m_text[i]) || m_text[i] == '/')) ++i;
    if (i >= size) {
      m_pos = size + 1;
      return;
    }
    if (m_text[i] == '>') {
      m_pos = i + 1;
      return;
    }
    std::string name(1, Lower(m_text[i++]));  // a first "=" belongs to the name
    while (i < size && !IsSpace(m_text[i]) && m_text[i] != '/' && m_text[i] != '>' &&
           m_text[i] != '=')
      name += Lower(m_text[i++]);
    while (i < size && IsSpace(m_text[i])) ++i;
    std::string value;
    if (i < size && m_text[i] == '=') {
      ++i;
      while (i < size && IsSpace(m_text[i])) ++i;
      if (i < size && (m_text[i] == '"' || m_text[i] == '\'')) {
        const size_t close = m_text.find(m_text[i], i + 1);
        if (close == npos) {
          m_pos = size + 1;
          return;
        }
        value = m_text.substr(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const size_t from = i;
        while (i < size && !IsSpace(m_text[i]) && m_text[i] != '>') ++i;
        value = m_text.substr(from, i - from);
      }
    }
    tag.m_attributes.emplace_back(std::move(name), std::move(value));
  }
}

void CHtmlTagReader::SkipRawText(const std::string& name) {
  for (size_t at = m_text.find("</", m_pos); at != npos; at = m_text.find("</", at + 2)) {
    const size_t after = at + 2 + name.size();
    if (after > m_text.size() || !EqualsNoCase(m_text.substr(at + 2, name.size()), name))
      continue;
    if (after == m_text.size() || IsSpace(m_text[after]) || m_text[after] == '/' ||
        m_text[after] == '>') {
      m_pos = at;
      return;
    }
  }
  m_pos = m_text.size();
}

std::string DecodeCharacterReferences(std::string_view value) {
  static const std::array<std::pair<std::string_view, char>, 5> kNamed = {
      {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};
  if (value.find('&') == npos)
    return std::string(value);
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size();) {
    if (value[i] != '&') {
      out += value[i++];
      continue;
    }
    if (i + 1 < value.size() && value[i + 1] == '#') {
      if (const size_t length = DecodeNumeric(value, i, out)) {
        i += length;
        continue;
      }
    }
    bool bNamed = false;
    for (const auto& [entity, character] : kNamed) {
      if (value.compare(i, entity.size(), entity) == 0) {
        out += character;
        i += entity.size();
        bNamed = true;
        break;
      }
    }
    if (!bNamed)
      out += value[i++];
  }
  return out;
}

}  // namespace velmora
