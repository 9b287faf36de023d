#include "markup/page_charset.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/strings.h"
#include "platform/text_encoding.h"

namespace velmora {

namespace {

constexpr std::string_view kUtf8 = "utf-8";
constexpr std::string_view kContentTypeMeta =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

struct CEdit {
  size_t m_nAt = 0;
  size_t m_nLength = 0;
  std::string m_strText;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
         c == ':';
}

// Where the head ends: the first "</head" or "<body" in any letter case; the whole text when
// there is neither.
size_t HeadEnd(const std::string& text) {
  for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
    const std::string_view rest = std::string_view(text).substr(at, 6);
    if (EqualsNoCase(rest, "</head") || EqualsNoCase(rest.substr(0, 5), "<body"))
      return at;
  }
  return text.size();
}

// The first start tag `name` (lower case, "<head") in lower at or after from, not one whose
// name merely begins so ("<header"); npos when there is none.
size_t FindStartTag(std::string_view lower, std::string_view name, size_t from = 0) {
  for (size_t at = lower.find(name, from); at != std::string_view::npos;
       at = lower.find(name, at + 1)) {
    const size_t next = at + name.size();
    if (next >= lower.size() || IsBlank(lower[next]) || lower[next] == '>' || lower[next] == '/')
      return at;
  }
  return std::string_view::npos;
}

// The edits that make one meta element (tag, in lower case, at `at` of the page) declare UTF-8.
// False when it declares no character set: neither a charset value nor a content type.
bool DeclareInMeta(std::string_view tag, size_t at, std::vector<CEdit>& edits) {
  const bool bContentType = tag.find("content-type") != std::string_view::npos;
  for (size_t name = tag.find("charset"); name != std::string_view::npos;
       name = tag.find("charset", name + 1)) {
    size_t value = name + 7;
    while (value < tag.size() && IsBlank(tag[value])) ++value;
    if (value >= tag.size() || tag[value] != '=')
      continue;
    ++value;
    while (value < tag.size() && IsBlank(tag[value])) ++value;
    if (value + 1 < tag.size() && (tag[value] == '"' || tag[value] == '\'') &&
        (IsNameChar(tag[value + 1]) || tag[value + 1] == tag[value]))
      ++value;
    size_t end = value;
    while (end < tag.size() && IsNameChar(tag[end])) ++end;
    if (tag.substr(value, end - value) != kUtf8)
      edits.push_back({at + value, end - value, std::string(kUtf8)});
    return true;
  }
  if (!bContentType)
    return false;
  // A content type without charset: the charset goes at the end of the content value.
  for (size_t name = tag.find("content"); name != std::string_view::npos;
       name = tag.find("content", name + 1)) {
    size_t value = name + 7;
    while (value < tag.size() && IsBlank(tag[value])) ++value;
    if (value >= tag.size() || tag[value] != '=')
      continue;
    ++value;
    while (value < tag.size() && IsBlank(tag[value])) ++value;
    if (value >= tag.size() || (tag[value] != '"' && tag[value] != '\''))
      return false;
    const size_t close = tag.find(tag[value], value + 1);
    if (close == std::string_view::npos)
      return false;
    edits.push_back({at + close, 0, "; charset=utf-8"});
    return true;
  }
  return false;
}

// Where a new meta element goes: after the head's start tag, else after the html start tag,
// else after a document type, else at the start.
size_t MetaPlace(std::string_view lower) {
  for (std::string_view name : {std::string_view("<head"), std::string_view("<html")}) {
    const size_t at = FindStartTag(lower, name);
    if (at != std::string_view::npos) {
      const size_t close = lower.find('>', at);
      return close == std::string_view::npos ? lower.size() : close + 1;
    }
  }
  const size_t first = lower.find_first_not_of(" \t\r\n\f");
  if (first != std::string_view::npos && lower.substr(first).starts_with("<!doctype")) {
    const size_t close = lower.find('>', first);
    return close == std::string_view::npos ? lower.size() : close + 1;
  }
  return 0;
}

}  // namespace

bool DeclareUtf8Charset(std::string& page) {
  if (IsAscii(page) || !IsValidUtf8(page))
    return false;
  const std::string lower = ToLower(std::string_view(page).substr(0, HeadEnd(page)));
  std::vector<CEdit> edits;
  bool bDeclared = false;
  for (size_t at = FindStartTag(lower, "<meta"); at != std::string::npos;
       at = FindStartTag(lower, "<meta", at + 1)) {
    const size_t close = lower.find('>', at);
    const size_t end = close == std::string::npos ? lower.size() : close;
    if (DeclareInMeta(std::string_view(lower).substr(at, end - at), at, edits))
      bDeclared = true;
  }
  if (!bDeclared) {
    const size_t at = MetaPlace(lower);
    edits.push_back({at, 0,
                     at == 0 ? std::string(kContentTypeMeta) + "\r\n"
                             : "\r\n" + std::string(kContentTypeMeta)});
  }
  if (edits.empty())
    return false;
  // From the end, so that the places found before stay valid.
  std::sort(edits.begin(), edits.end(),
            [](const CEdit& a, const CEdit& b) { return a.m_nAt > b.m_nAt; });
  for (const CEdit& edit : edits) page.replace(edit.m_nAt, edit.m_nLength, edit.m_strText);
  return true;
}

}  // namespace velmora
