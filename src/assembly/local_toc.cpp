// <!--LOCALTOC-->: a paragraph of bracketed links to the page's own headings of one level,
// with a named anchor put before each of those headings.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "assembly/local_toc.h"
#include "assembly/page_steps.h"
#include "markup/attribute_text.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/node.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {

const char* const kCrLf = "\r\n";
const char* const kBeginTag = "<!--LOCALTOC";
const std::string_view kEndTag = "<!--/LOCALTOC-->";

// Whether the "Hn>" at `at` is part of a heading start or end tag.
bool HasHeadingTagAt(const std::string& text, size_t at) {
  return (at >= 1 && text[at - 1] == '<') || (at >= 2 && text.compare(at - 2, 2, "</") == 0);
}

// "Hn>" or "hn>": what a heading tag of a level (1 to 6) holds after its "<" or "</".
std::string HeadingTagName(char h, int nLevel) {
  return {h, static_cast<char>('0' + nLevel), '>'};
}

// Writes every "<Hn>" and "</Hn>" of the level in lower case, in place and in one pass.
void LowerHeadingTags(std::string& text, int nLevel) {
  for (size_t at : FindAllText(text, HeadingTagName('H', nLevel)))
    if (HasHeadingTagAt(text, at))
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

// The anchor names of one level's headings, in page order. Named anchors take the heading text
// as it is. Pages that begin with the HTML5 doctype get id anchors: an id may hold no white
// space and must be unique, so the name is made fragment-safe and a repeated one numbered.
class CAnchorNames {
 public:
  explicit CAnchorNames(bool bIds) : m_bIds(bIds) {}

  std::string Next(const std::string& heading) {
    if (!m_bIds)
      return heading;
    const std::string base = FragmentName(heading);
    std::string name = base;
    for (int n = 2; !m_used.insert(name).second; ++n) name = base + "-" + std::to_string(n);
    return name;
  }

  const bool m_bIds;

 private:
  std::set<std::string> m_used;
};

// A listed heading's paragraph entry and the anchor put before it, from its text between
// [textStart, textEnd) with the markup removed.
struct CHeadingMarks {
  std::string entry;
  std::string anchor;
};

CHeadingMarks MarksFor(const std::string& text, size_t textStart, size_t textEnd,
                       CAnchorNames& names) {
  std::string heading = text.substr(textStart, textEnd - textStart);
  StripTags(heading);
  heading = Trim(heading);
  // The name is the text as read, so an escaped character stands once escaped in the attributes.
  const std::string name = names.Next(DecodeBasicReferences(heading));
  return {std::string(kCrLf) + "[&nbsp;" + MakeLink("#" + name, heading) + "&nbsp;] ",
          std::string(kCrLf) + kCrLf + AnchorElement(name, names.m_bIds, " ") + kCrLf};
}

// The headings of one level in page order: each "<hn>" with the first "</hn>" after it. Those
// that hold a generated list are passed over: one left open around a local table of contents
// would list that paragraph, and grow by it on every build; one left open around another list
// would be listed or not depending on what that list held at the last build.
class CHeadingWalk {
 public:
  CHeadingWalk(const std::string& text, int nLevel)
      : m_text(text),
        m_open("<h" + std::to_string(nLevel) + ">"),
        m_close("</h" + std::to_string(nLevel) + ">") {}

  // Sets the positions of the next heading's start and end tags; false when none is left.
  bool Next(size_t& headingStart, size_t& headingEnd) {
    while (true) {
      headingStart = FindText(m_text, m_open, m_searchFrom);
      if (headingStart == std::string::npos)
        return false;
      headingEnd = FindText(m_text, m_close, headingStart);
      if (headingEnd == std::string::npos)
        return false;
      m_searchFrom = headingEnd;
      if (!HoldsGeneratedList(
              std::string_view(m_text).substr(headingStart, headingEnd - headingStart)))
        return true;
    }
  }

  const std::string& m_text;
  const std::string m_open;
  const std::string m_close;

 private:
  size_t m_searchFrom = 0;
};

// Where the copies of the anchor standing right before a heading (left by an earlier build of a
// page built from its own file) begin. None is looked for before floor, the end of the heading
// listed before; mayDrop(from) may keep the copy starting at from.
template <typename MayDrop>
size_t OldAnchorsStart(const std::string& text, size_t headingStart, size_t floor,
                       const std::string& anchor, MayDrop mayDrop) {
  size_t before = headingStart;
  while (before - floor >= anchor.size() && mayDrop(before - anchor.size()) &&
         text.compare(before - anchor.size(), anchor.size(), anchor) == 0)
    before -= anchor.size();
  return before;
}

// Puts an anchor before every heading of the level and returns the paragraph's entries.
// The element at [start, end) moves along with the text inserted before or inside it. With
// bReplaceOld, copies of the anchor already standing right before a heading (an earlier build
// of a page built from its own file) are dropped first, so the page does not grow each build.
// Without bAddAnchors (a later element of the level on a page of id anchors, which the first
// element has anchored) the text stays as it is.
std::vector<std::string> AnchorHeadings(std::string& text, int nLevel, size_t& start, size_t& end,
                                        bool bReplaceOld, bool bIds, bool bAddAnchors) {
  LowerHeadingTags(text, nLevel);
  CAnchorNames names(bIds);

  // Built in one pass: inserting into the text once per heading would copy the page each time.
  std::vector<std::string> entries;
  std::string out;
  const size_t nStart = start, nEnd = end;
  size_t copied = 0;
  CHeadingWalk walk(text, nLevel);
  size_t headingStart = 0;
  size_t headingEnd = 0;
  while (walk.Next(headingStart, headingEnd)) {
    // A heading across the element's own bounds would list the element's paragraph.
    if (headingStart < nEnd && headingEnd > nStart)
      continue;
    CHeadingMarks marks = MarksFor(text, headingStart + walk.m_open.size(), headingEnd, names);
    entries.push_back(std::move(marks.entry));
    if (!bAddAnchors)
      continue;
    const std::string& anchor = marks.anchor;
    // An old anchor is dropped only when it lies wholly on one side of the element's bounds.
    auto mayDrop = [&](size_t from) {
      return bReplaceOld && (headingStart < nStart || from >= nStart) &&
             (headingStart < nEnd || from >= nEnd);
    };
    const size_t before = OldAnchorsStart(text, headingStart, copied, anchor, mayDrop);
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
  if (bAddAnchors && !entries.empty()) {
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

// The elements the step expands, in page order, up to the first SHOW="OFF" one.
struct CTocElement {
  size_t start = 0;
  size_t end = 0;
  CTagElement element;
  int nLevel = 2;
  int nWidth = 60;
  bool bAppend = false;
};

void ReadSettings(CTocElement& found) {
  found.nLevel = found.element.GetIntAttribute("LEVEL");
  if (found.nLevel < 1 || found.nLevel > 6)
    found.nLevel = 2;
  found.nWidth = found.element.GetIntAttribute("WIDTH");
  if (found.nWidth == -999)
    found.nWidth = 60;
  found.bAppend = found.element.GetAttribute("APPEND") == "ON";
}

void Fill(CTagElement& element, const std::string& paragraph, bool bAppend) {
  if (bAppend)
    element.m_strContent += paragraph;
  else
    element.m_strContent = paragraph;
}

// A place where a heading's anchors go: [before, at) holds the anchors of the last build.
struct CAnchorPlace {
  size_t before = 0;
  size_t at = 0;
  size_t headingEnd = 0;
  std::string anchor;
  size_t nCopies = 0;
};

}  // namespace

// Each element anchors every heading of its level again, so expanding the elements in turn
// copies the page once per element. When no heading of a listed level touches an element and
// headings of different levels do not nest, the result is known beforehand: the first element
// of a level drops the anchors of the last build, every element of the level adds one (on a page
// of id anchors only the first does), and all elements of a level list the same headings. Such
// pages are written in one pass; false (and the text unchanged) for any other page.
CLocalTocExpansion ExpandLocalTocsAtOnce(std::string& text, size_t nMaxBytes, CReport* pReport) {
  const bool bIds = BeginsWithHtml5Doctype(text);
  std::vector<CTocElement> elements;
  // Every element found, the SHOW="OFF" one too: nothing may be put into any of them.
  std::vector<size_t> starts;
  std::vector<size_t> ends;
  size_t start = 0;
  size_t end = 0;
  while (start < text.size() && FindElement(text, start, end, kBeginTag, "")) {
    starts.push_back(start);
    ends.push_back(end);
    CTocElement found{start, end, CTagElement(text.substr(start, end - start), pReport)};
    if (found.element.GetAttribute("SHOW") == "OFF")
      break;
    ReadSettings(found);
    elements.push_back(std::move(found));
    start = end;
  }
  std::set<int> levels;
  for (const CTocElement& found : elements) levels.insert(found.nLevel);

  // Where an upper-case heading tag stands; the one-by-one expansion lowers the tags of a level
  // only at its first element, and a heading of another level read before that reads it so.
  std::vector<std::vector<size_t>> upperTags(7);
  bool bAnyUpper = false;
  for (int nLevel : levels) {
    for (size_t at : FindAllText(text, HeadingTagName('H', nLevel)))
      if (HasHeadingTagAt(text, at))
        upperTags[nLevel].push_back(at);
    bAnyUpper = bAnyUpper || !upperTags[nLevel].empty();
    for (size_t i = 0; i < starts.size(); ++i)
      for (char h : {'h', 'H'}) {
        const std::string_view span = std::string_view(text).substr(starts[i], ends[i] - starts[i]);
        for (size_t at : FindAllText(span, HeadingTagName(h, nLevel)))
          if (HasHeadingTagAt(text, starts[i] + at))
            return CLocalTocExpansion::kDeclined;
      }
  }
  auto holdsUpperTagOfOtherLevel = [&](int nLevel, size_t from, size_t to) {
    for (int nOther : levels) {
      const std::vector<size_t>& tags = upperTags[nOther];
      const auto it = std::lower_bound(tags.begin(), tags.end(), from);
      if (nOther != nLevel && it != tags.end() && *it < to)
        return true;
    }
    return false;
  };
  // The text with the heading tags of the listed levels in lower case; a copy only when needed.
  std::string lowered;
  if (bAnyUpper) {
    lowered = text;
    for (const std::vector<size_t>& tags : upperTags)
      for (size_t at : tags) lowered[at] = 'h';
  }
  const std::string& work = bAnyUpper ? lowered : text;

  std::vector<CAnchorPlace> places;
  std::vector<std::vector<std::string>> entries(7);
  for (int nLevel : levels) {
    // Named anchors are written once per element of the level; an id only once.
    size_t nCopies = 0;
    for (const CTocElement& found : elements) nCopies += found.nLevel == nLevel;
    if (bIds)
      nCopies = 1;
    CAnchorNames names(bIds);
    size_t copied = 0;
    // The walk also passes over the headings that hold an element.
    CHeadingWalk walk(work, nLevel);
    size_t headingStart = 0;
    size_t headingEnd = 0;
    while (walk.Next(headingStart, headingEnd)) {
      if (holdsUpperTagOfOtherLevel(nLevel, headingStart, headingEnd))
        return CLocalTocExpansion::kDeclined;
      CHeadingMarks marks = MarksFor(work, headingStart + walk.m_open.size(), headingEnd, names);
      entries[nLevel].push_back(std::move(marks.entry));
      const size_t before =
          OldAnchorsStart(work, headingStart, copied, marks.anchor, [](size_t) { return true; });
      places.push_back({before, headingStart, headingEnd + walk.m_close.size(),
                        std::move(marks.anchor), nCopies});
      copied = headingEnd;
    }
  }
  // An anchor put into a heading of another level would change that heading's text.
  std::sort(places.begin(), places.end(),
            [](const CAnchorPlace& a, const CAnchorPlace& b) { return a.at < b.at; });
  for (size_t i = 1; i < places.size(); ++i)
    if (places[i].before < places[i - 1].headingEnd)
      return CLocalTocExpansion::kDeclined;

  // Elements of one level and width share their paragraph. With many elements and headings the
  // page grows by their product, so its size is known before anything is written.
  std::map<std::pair<int, int>, std::string> paragraphs;
  size_t nSize = work.size();
  for (const CAnchorPlace& place : places)
    nSize += place.nCopies * place.anchor.size() - (place.at - place.before);
  for (const CTocElement& found : elements) {
    std::string& paragraph = paragraphs[{found.nLevel, found.nWidth}];
    if (paragraph.empty())
      paragraph = Paragraph(entries[found.nLevel], found.nWidth);
    nSize += paragraph.size() + kEndTag.size();
  }
  if (nSize > nMaxBytes)
    return CLocalTocExpansion::kTooMuchText;

  std::vector<std::string> rebuilt;
  for (CTocElement& found : elements) {
    Fill(found.element, paragraphs[{found.nLevel, found.nWidth}], found.bAppend);
    rebuilt.push_back(found.element.Rebuild());
    if (rebuilt.back().empty())
      return CLocalTocExpansion::kDeclined;
  }

  std::string out;
  size_t copied = 0;
  size_t nextPlace = 0;
  auto copyAnchorsBefore = [&](size_t limit) {
    for (; nextPlace < places.size() && places[nextPlace].at <= limit; ++nextPlace) {
      const CAnchorPlace& place = places[nextPlace];
      out.append(work, copied, place.before - copied);
      for (size_t i = 0; i < place.nCopies; ++i) out += place.anchor;
      copied = place.at;
    }
  };
  for (size_t i = 0; i < elements.size(); ++i) {
    copyAnchorsBefore(elements[i].start);
    out.append(work, copied, elements[i].start - copied);
    out += rebuilt[i];
    copied = elements[i].end;
  }
  copyAnchorsBefore(work.size());
  out.append(work, copied);
  text = std::move(out);
  return CLocalTocExpansion::kDone;
}

// Expands the elements one after the other, each on the page as the ones before it left it.
bool ExpandLocalTocsInTurn(std::string& text, size_t nMaxBytes, CReport* pReport) {
  const std::string original = text;
  const bool bIds = BeginsWithHtml5Doctype(text);
  size_t start = 0;
  size_t end = 0;
  std::set<int> anchoredLevels;
  while (start < text.size() && FindElement(text, start, end, kBeginTag, "")) {
    CTocElement found{start, end, CTagElement(text.substr(start, end - start), pReport)};
    if (found.element.GetAttribute("SHOW") == "OFF")
      return true;
    ReadSettings(found);
    CTagElement& element = found.element;
    const std::string before = text.substr(start, end - start);
    const bool bFirstOfLevel = anchoredLevels.insert(found.nLevel).second;
    const std::vector<std::string> entries =
        AnchorHeadings(text, found.nLevel, start, end, bFirstOfLevel, bIds, bFirstOfLevel || !bIds);
    // Headings inside the element's own content now carry anchors too; read it again.
    if (text.compare(start, end - start, before) != 0)
      element.Parse(text.substr(start, end - start), pReport);
    Fill(element, Paragraph(entries, found.nWidth), found.bAppend);
    const std::string rebuilt = element.Rebuild();
    text.replace(start, end - start, rebuilt);
    start += rebuilt.empty() ? 1 : rebuilt.size();
    if (text.size() > nMaxBytes) {
      text = original;
      return false;
    }
  }
  return true;
}

void MakeLocalToc(CPage& page, std::string& text) {
  AddAutomaticTag(text);
  CReport* pReport = &page.Context().report;
  CLocalTocExpansion result = ExpandLocalTocsAtOnce(text, kMaxTextBytes, pReport);
  if (result == CLocalTocExpansion::kDeclined &&
      !ExpandLocalTocsInTurn(text, kMaxTextBytes, pReport))
    result = CLocalTocExpansion::kTooMuchText;
  if (result == CLocalTocExpansion::kTooMuchText)
    page.Context().report.AddLine(
        FormatText("   Too much text, no local table of contents: %1", page.m_strLocalPath),
        EAlert::kError);
}

}  // namespace velmora
