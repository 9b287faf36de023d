// Hostile text through the tag scanner and the text operations: every scan must end, stay
// inside the text and take time in proportion to the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembly/element_expansion.h"
#include "markup/element_rewrite.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "platform/report.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::string Repeat(const std::string& piece, size_t nTimes) {
  std::string text;
  text.reserve(piece.size() * nTimes);
  for (size_t i = 0; i < nTimes; ++i) text += piece;
  return text;
}

const std::vector<std::string>& HostileTexts() {
  static const std::vector<std::string> texts = {
      "",
      "-->",
      "--><!--TOC-->",
      "<!--BLOCK",
      "<!--BLOCK x=\"never closed",
      "<!--TOC<!--TOC<!--TOC-->",
      "<!--TOC--><!--TOC--><!--/TOC--><!--/TOC-->",
      "<!--TOC/--><!--TOC/--><!--X/--><!--TOC/-->",
      "<!--/TOC--><!--TOC",
      "<!--TOC a=\"1\" b=\"<!--/TOC-->\"/-->",
      "<!--TOC <!--/X -->",
      std::string("<!--TOC a=\"\0\"\0/-->\0<!--/TOC-->", 28),
      "<!---->/--><!--/-->",
      "<!--TOC" + Repeat(" a=\"1\"", 5000) + "--><!--/TOC-->",
      "<!--TOC" + Repeat(" \"", 3000),
  };
  return texts;
}

TEST(HostileMarkup, ScanningAndParsingStayInsideTheText) {
  for (const std::string& text : HostileTexts()) {
    for (const std::string& endTag : {std::string(), std::string("<!--/TOC-->")}) {
      size_t start = 0, end = 0, nFound = 0;
      while (start < text.size() && FindElement(text, start, end, "<!--TOC", endTag)) {
        ASSERT_GT(end, start) << text;
        ASSERT_LE(end, text.size()) << text;
        CTagElement element(text.substr(start, end - start));
        EXPECT_EQ(element.m_names.size(), element.m_values.size());
        start = end;
        ASSERT_LT(++nFound, text.size() + 1);
      }
    }
    CTagElement whole(text);
    std::string stripped = text;
    EXPECT_LE(StripTags(stripped), text.size());
    std::vector<std::string> values;
    CollectQuotedValues(text, "a", 3, values);
    std::string copy = text;
    ReplaceBetween(copy, "<!--TOC", "-->", "x");
    ReplaceQuotedAfterKeys(copy, "a", "=", "v", true, false);
  }
}

TEST(HostileMarkup, ExpansionOfNestedAndUnclosedElementsEnds) {
  for (const std::string& text : HostileTexts()) {
    std::string copy = text;
    ExpandElements(copy, "<!--TOC", "<!--/TOC-->",
                   [](const CTagElement&) { return std::string("<!--TOC--><!--/TOC-->"); });
    // Each element gets one new content; nothing feeds on its own output.
    EXPECT_LE(copy.size(), 3 * text.size() + 64) << text;
  }
}

TEST(HostileMarkup, ManyBadAttributePiecesAreReportedOnce) {
  TestContext().report.Clear();
  const std::string element = "<!--TOC" + Repeat(" x\"", 20000) + "/-->";
  CTagElement parsed(element);
  EXPECT_TRUE(parsed.m_names.empty());
  EXPECT_LT(TestContext().report.Text().size(), 2 * element.size());
  TestContext().report.Clear();
}

// A quadratic scan over this much text takes minutes, past the time limit these tests run
// under; a linear one, milliseconds.
TEST(HostileMarkup, AMegabyteOfSelfClosingTagsExpands) {
  std::string text = Repeat("<!--TOC/-->", 100000) + Repeat("x", 1 << 20);
  size_t nMade = 0;
  ExpandElements(text, "<!--TOC", "<!--/TOC-->", [&](const CTagElement&) {
    ++nMade;
    return std::string();
  });
  EXPECT_EQ(nMade, 100000u);
}

// A search for the quote past its reach scans the rest of the text once per key.
TEST(HostileMarkup, KeysWithoutANearbyQuoteAreSkipped) {
  std::string text = Repeat("a href ", 400000) + "a href=\"x\"";
  std::vector<std::string> values;
  CollectQuotedValues(text, "a href", 7, values);
  EXPECT_EQ(values, std::vector<std::string>{"x"});
  EXPECT_EQ(RewriteQuotedValues(text, "a href", 7,
                                [](const std::string&, std::string& out) {
                                  out = "y";
                                  return true;
                                }),
            1);
  EXPECT_TRUE(text.ends_with("a href=\"y\""));
}

}  // namespace
}  // namespace velmora
