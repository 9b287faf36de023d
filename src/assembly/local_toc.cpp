// <!--LOCALTOC-->: a paragraph of bracketed links to the page's own headings of one level,
// with a named anchor put before each of those headings.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "assembly/page_steps.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "platform/strings.h"

namespace velmora {

namespace {

const char* const kCrLf = "\r\n";
const char* const kBeginTag = "<!--LOCALTOC";

// Writes every "<Hn>" and "</Hn>" of the level in lower case, in place and in one pass.
void LowerHeadingTags(std::string& text, int nLevel) {
  const std::string name = "H" + std::to_string(nLevel) + ">";
  for (size_t at : FindAllText(text, name))
    if ((at >= 1 && text[at - 1] == '<') || (at >= 2 && text.compare(at - 2, 2, "</") == 0))
      text[at] = 'h';
}

bool HoldsGeneratedList(std::string_view heading) {
  for (const char* pszTag : {kBeginTag, "<!--TOC", "<!--SINGLETOC", "<!--CONLIST"})
    if (heading.find(pszTag) != std::string_view::npos)
      return true;
  return false;
}

// A page with a first- and a second-level heading gets a local table of contents right
// after its first title even when nothing asks for one.
void AddAutomaticTag(std::string& text) {
  if (FindText(text, kBeginTag) != std::string::npos)
    return;
  LowerHeadingTags(text, 1);
  const size_t titleEnd = FindText(text, "</h1>");
  if (titleEnd == std::string::npos)
    return;
  LowerHeadingTags(text, 2);
  if (FindText(text, "<h2>") == std::string::npos)
    return;
  text.insert(titleEnd + 5, "<!--LOCALTOC LEVEL=\"2\" WIDTH=\"60\"--><!--/LOCALTOC-->");
}

// Puts an anchor before every heading of the level and returns the paragraph's entries.
// The element at [start, end) moves along with the text inserted before or inside it. With
// bReplaceOld, copies of the anchor already standing right before a heading (an earlier build
// of a page built from its own file) are dropped first, so the page does not grow each build.
std::vector<std::string> AnchorHeadings(std::string& text, int nLevel, size_t& start, size_t& end,
                                        bool bReplaceOld) {
  const std::string n = std::to_string(nLevel);
  const std::string open = "<h" + n + ">";
  const std::string close = "</h" + n + ">";
  LowerHeadingTags(text, nLevel);

  // Built in one pass: inserting into the text once per heading would copy the page each time.
  std::vector<std::string> entries;
  std::string out;
  const size_t nStart = start, nEnd = end;
  size_t copied = 0;
  size_t searchFrom = 0;
  while (true) {
    const size_t headingStart = FindText(text, open, searchFrom);
    if (headingStart == std::string::npos)
      break;
    const size_t headingEnd = FindText(text, close, headingStart);
    if (headingEnd == std::string::npos)
      break;
    searchFrom = headingEnd;
    // A heading left open around a local table of contents would list that paragraph, and
    // grow by it on every build; one left open around another generated list would be listed
    // or not depending on what that list held at the last build.
    if ((headingStart < nEnd && headingEnd > nStart) ||
        HoldsGeneratedList(std::string_view(text).substr(headingStart, headingEnd - headingStart)))
      continue;
    std::string heading =
        text.substr(headingStart + open.size(), headingEnd - headingStart - open.size());
    StripTags(heading);
    heading = Trim(heading);
    entries.push_back(std::string(kCrLf) + "[&nbsp;" + MakeLink("#" + heading, heading) +
                      "&nbsp;] ");
    const std::string anchor =
        std::string(kCrLf) + kCrLf + "<a name=\"" + heading + "\"> </a>" + kCrLf;
    // An old anchor is dropped only when it lies wholly on one side of the element's bounds.
    auto mayDrop = [&](size_t from) {
      return (headingStart < nStart || from >= nStart) && (headingStart < nEnd || from >= nEnd);
    };
    size_t before = headingStart;
    while (bReplaceOld && before - copied >= anchor.size() && mayDrop(before - anchor.size()) &&
           text.compare(before - anchor.size(), anchor.size(), anchor) == 0)
      before -= anchor.size();
    const size_t removed = headingStart - before;
    if (headingStart < nStart)
      start = start + anchor.size() - removed;
    if (headingStart < nEnd)
      end = end + anchor.size() - removed;
    out.append(text, copied, before - copied);
    out += anchor;
    out.append(text, headingStart, headingEnd - headingStart);
    copied = headingEnd;
  }
  if (!entries.empty()) {
    out.append(text, copied);
    text = std::move(out);
  }
  return entries;
}

std::string Paragraph(const std::vector<std::string>& entries, int nWidth) {
  std::string paragraph = "<p class=\"localtoc\">";
  long nCount = 0;
  for (const std::string& entry : entries) {
    if (nCount > nWidth) {
      paragraph += "<br>";
      paragraph += kCrLf;
      nCount = 0;
    }
    paragraph += entry;
    nCount += static_cast<long>(entry.size()) / 2 - 8;
  }
  return paragraph + "</p>";
}

}  // namespace

void MakeLocalToc(CPage&, std::string& text) {
  AddAutomaticTag(text);
  size_t start = 0;
  size_t end = 0;
  std::set<int> anchoredLevels;
  while (start < text.size() && FindElement(text, start, end, kBeginTag, "")) {
    CTagElement element(text.substr(start, end - start));
    if (element.GetAttribute("SHOW") == "OFF")
      return;
    int nLevel = element.GetIntAttribute("LEVEL");
    if (nLevel < 1 || nLevel > 6)
      nLevel = 2;
    int nWidth = element.GetIntAttribute("WIDTH");
    if (nWidth == -999)
      nWidth = 60;
    const bool bAppend = element.GetAttribute("APPEND") == "ON";

    const std::string before = text.substr(start, end - start);
    const bool bFirstOfLevel = anchoredLevels.insert(nLevel).second;
    const std::vector<std::string> entries =
        AnchorHeadings(text, nLevel, start, end, bFirstOfLevel);
    // Headings inside the element's own content now carry anchors too; read it again.
    if (text.compare(start, end - start, before) != 0)
      element.Parse(text.substr(start, end - start));
    const std::string paragraph = Paragraph(entries, nWidth);
    if (bAppend)
      element.m_strContent += paragraph;
    else
      element.m_strContent = paragraph;
    const std::string rebuilt = element.Rebuild();
    text.replace(start, end - start, rebuilt);
    start += rebuilt.empty() ? 1 : rebuilt.size();
  }
}

}  // namespace velmora
