// The start tags of an HTML page read the way a browser reads them: names in any letter case,
// attribute values in double quotes, single quotes or none. The system's own expansions search
// their literal markers instead; this reader serves the checker, which must see what a browser
// sees.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

struct CHtmlTag {
  std::string m_strName;  // lower case
  // Lower-case names with their values as written, quotes removed, in the order written.
  std::vector<std::pair<std::string, std::string>> m_attributes;

  // The value of the first attribute of that lower-case name (a browser ignores repeats);
  // null when the tag has none.
  const std::string* Find(std::string_view name) const;
};

// Reads the start tags of a text in order. Comments, declarations and end tags are passed
// over, and so is the text inside script, style, textarea and title elements, which a browser
// does not read as markup.
class CHtmlTagReader {
 public:
  explicit CHtmlTagReader(std::string_view text) : m_text(text) {}
  // The next start tag; false at the end of the text.
  bool Next(CHtmlTag& tag);

 private:
  void ReadAttributes(CHtmlTag& tag);
  void SkipRawText(const std::string& name);

  std::string_view m_text;
  size_t m_pos = 0;
};

// An attribute value as a browser takes it: "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and
// numeric references ("&#34;", "&#x22;") become their characters; other text is kept.
std::string DecodeCharacterReferences(std::string_view value);

}  // namespace velmora
