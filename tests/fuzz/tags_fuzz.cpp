// The tag scanner and CTagElement on arbitrary text: every element kind the page build looks
// for is found, parsed, read and rebuilt; filling the elements again does not grow the text,
// as a page built again from its own written file must not. The checker's reading of the same
// text as a browser reads it is run on it too.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz_sandbox.h"
#include "markup/element_rewrite.h"
#include "markup/page_references.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "platform/report.h"
#include "support/test_context.h"

using namespace velmora;

namespace {

struct CTagKind {
  const char* pszBegin;
  const char* pszEnd;
};

const CTagKind kKinds[] = {
    {"<!--BLOCK", "<!--/BLOCK-->"},
    {"<!--TOC", ""},
    {"<!--PATCH", ""},
    {"<!--INX", "<!--/INX-->"},
    {"<!--STAMP", "<!--/STAMP-->"},
    {"<!--INDEX", "<!--/INDEX-->"},
    {"<!--TRAIL-->", ""},
    {"<a ", "</a>"},
    {"<!--BASEDON", ""},
};

void ScanAll(const std::string& text, const std::string& begin, const std::string& end,
             bool bComment) {
  size_t start = 0;
  size_t stop = 0;
  while (start < text.size() && FindElement(text, start, stop, begin, end)) {
    FuzzCheck(stop > start && stop <= text.size(), "an element lies inside the text");
    FuzzCheck(text.compare(start, begin.size(), begin) == 0, "an element starts with its tag");
    CTagElement element(text.substr(start, stop - start));
    FuzzCheck(element.m_names.size() == element.m_values.size(), "names and values pair up");
    for (const std::string& name : element.m_names) element.GetAttribute(name);
    element.GetIntAttribute("COLS");
    element.HasAttribute("NAME");
    // Parsing what a rebuild of a comment tag wrote gives the same element back.
    const std::string rebuilt = element.Rebuild();
    FuzzCheck(!bComment || CTagElement(rebuilt).Rebuild() == rebuilt,
              "a rebuilt element parses to itself");
    start = stop;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  TestContext().report = CReport();  // bad attribute lists add report lines; keep memory flat
  // The first byte picks the element kind, the rest is the text.
  const CTagKind& kind = kKinds[data[0] % std::size(kKinds)];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string_view begin = kind.pszBegin;
  ScanAll(text, kind.pszBegin, kind.pszEnd, begin.starts_with("<!--"));

  // Only comment tags are filled; a whole plain tag is a marker, never filled.
  const bool bFilled = begin.starts_with("<!--") && !begin.ends_with("-->");
  auto fill = [&](CTagElement& element) {
    if (bFilled)
      element.m_strContent = "<p>filled</p>";
  };
  std::string once = text;
  RewriteElements(once, kind.pszBegin, kind.pszEnd, fill);
  std::string twice = once;
  RewriteElements(twice, kind.pszBegin, kind.pszEnd, fill);
  // Only comment tags are rewritten by the program; HTML elements are read, never rebuilt.
  FuzzCheck(!begin.starts_with("<!--") || twice.size() <= once.size(),
            "filling the elements again does not grow the text");

  std::string value;
  size_t position = 0;
  GetQuotedValueAfter(text, position, "NAME=", value, 40);
  std::string stripped = text;
  StripTags(stripped);
  std::string replaced = text;
  ReplaceBetween(replaced, "<!--", "-->", "x");

  // What the checker reads from a page: every reference resolves inside the drive or not at all.
  for (const CPageReference& reference : ReadPageReferences(text).m_references) {
    const std::string file =
        ResolveFileReference("C:\\site\\pages\\a.html", "C:\\site\\", reference.m_strValue)
            .m_strFile;
    FuzzCheck(file.empty() || file.starts_with("C:\\"), "a reference stays on its drive");
  }
  return 0;
}
