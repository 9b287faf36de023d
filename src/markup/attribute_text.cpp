#include "markup/attribute_text.h"

#include <utility>

#include "platform/strings.h"

namespace velmora {

std::string EscapeAttribute(std::string_view text) {
  if (text.find_first_of("\"&<>") == std::string_view::npos)
    return std::string(text);
  std::string escaped;
  escaped.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '"':
        escaped += "&quot;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string DecodeBasicReferences(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kReferences[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    bool bDecoded = false;
    if (text[i] == '&') {
      for (const auto& [reference, c] : kReferences) {
        if (text.substr(i, reference.size()) == reference) {
          decoded += c;
          i += reference.size() - 1;
          bDecoded = true;
          break;
        }
      }
    }
    if (!bDecoded)
      decoded += text[i];
  }
  return decoded;
}

bool BeginsWithHtml5Doctype(std::string_view text) {
  if (StartsWith(text, "\xEF\xBB\xBF"))
    text.remove_prefix(3);
  const size_t start = text.find_first_not_of(" \t\r\n\f");
  if (start == std::string_view::npos)
    return false;
  text.remove_prefix(start);
  constexpr std::string_view kDoctype = "<!doctype";
  if (text.size() < kDoctype.size() || !EqualsNoCase(text.substr(0, kDoctype.size()), kDoctype))
    return false;
  text.remove_prefix(kDoctype.size());
  const size_t name = text.find_first_not_of(" \t\r\n\f");
  if (name == 0 || name == std::string_view::npos || text.size() < name + 4 ||
      !EqualsNoCase(text.substr(name, 4), "html"))
    return false;
  const size_t close = text.find_first_not_of(" \t\r\n\f", name + 4);
  return close != std::string_view::npos && text[close] == '>';
}

namespace {

// ASCII characters that a URL fragment holds literally besides letters and digits.
bool FragmentKeeps(unsigned char c) {
  if (c >= 0x80)
    return true;  // the page's own encoding; browsers and the checker take it as it is
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
    return true;
  return std::string_view("!$&'()*+,-./:;=?@_~").find(static_cast<char>(c)) !=
         std::string_view::npos;
}

}  // namespace

std::string FragmentName(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string name;
  name.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
      name += '-';
    } else if (FragmentKeeps(c)) {
      name += ch;
    } else {
      name += '%';
      name += kHex[c >> 4];
      name += kHex[c & 15];
    }
  }
  return name.empty() ? "-" : name;
}

std::string AnchorElement(std::string_view name, bool bIdAnchor, std::string_view content) {
  std::string anchor = bIdAnchor ? "<a id=\"" : "<a name=\"";
  anchor += EscapeAttribute(name);
  anchor += "\">";
  anchor += content;
  anchor += "</a>";
  return anchor;
}

}  // namespace velmora
