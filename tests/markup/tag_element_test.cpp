#include "markup/tag_element.h"

#include <gtest/gtest.h>

#include "platform/report.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::string Found(const std::string& text, const std::string& begin, const std::string& end = {},
                  size_t from = 0) {
  size_t start = from, stop = 0;
  if (!FindElement(text, start, stop, begin, end))
    return "<none>";
  return text.substr(start, stop - start);
}

TEST(FindElement, PlainTagAloneOrWithNamedEnd) {
  EXPECT_EQ(Found("ab<!--TOC-->cd", "<!--TOC-->"), "<!--TOC-->");
  EXPECT_EQ(Found("<!--TOC-->x<!--/TOC-->y", "<!--TOC-->", "<!--/TOC-->"),
            "<!--TOC-->x<!--/TOC-->");
  // Without its named end tag a plain begin tag is not an element.
  EXPECT_EQ(Found("<!--TOC-->x", "<!--TOC-->", "<!--/TOC-->"), "<none>");
  EXPECT_EQ(Found("<!--TOC-->", "<!--TOC-->", {}, 1), "<none>");
}

TEST(FindElement, OpeningWithAttributes) {
  EXPECT_EQ(Found("a<!--INDEX SORT=\"ON\"-->...<!--/INDEX-->b", "<!--INDEX"),
            "<!--INDEX SORT=\"ON\"-->...<!--/INDEX-->");
  EXPECT_EQ(Found("<!--INDEX SORT=\"ON\"/--> ... <!--/INDEX-->", "<!--INDEX"),
            "<!--INDEX SORT=\"ON\"/-->");
  // The "/-->" belongs to the later tag.
  EXPECT_EQ(Found("<!--INDEX--> <!--X/--> <!--/INDEX-->", "<!--INDEX"),
            "<!--INDEX--> <!--X/--> <!--/INDEX-->");
  EXPECT_EQ(Found("<!--INDEX SORT=\"ON\"--> text", "<!--INDEX"), "<none>");
  EXPECT_EQ(Found("no tags here", "<!--INDEX"), "<none>");
}

TEST(FindElement, ReportsPositionsAndSearchesOnFromStart) {
  std::string text = "<!--A/-->..<!--A X=\"1\"/-->";
  size_t start = 1, end = 0;
  ASSERT_TRUE(FindElement(text, start, end, "<!--A", ""));
  EXPECT_EQ(start, 11u);
  EXPECT_EQ(end, text.size());
}

TEST(MakeEndTag, CommentAndHtmlForms) {
  EXPECT_EQ(MakeEndTag("<!--INDEX-->"), "<!--/INDEX-->");
  EXPECT_EQ(MakeEndTag("<!--INDEX"), "<!--/INDEX");
  EXPECT_EQ(MakeEndTag("<h1>"), "</h1>");
}

class TagParse : public ::testing::Test {
 protected:
  void SetUp() override { TestContext().report.Clear(); }
};

TEST_F(TagParse, PairedElementWithBlanksInsideValues) {
  CTagElement tag(
      "<!--COLLECTION NAME=\"news\" LINESEPARATOR=\"<br/> \" "
      "REFERENCE=\"ON\"-->x<!--/COLLECTION-->");
  ASSERT_EQ(tag.m_names.size(), 3u);
  EXPECT_EQ(tag.GetAttribute("NAME"), "news");
  EXPECT_EQ(tag.GetAttribute("LINESEPARATOR"), "<br/> ");
  EXPECT_EQ(tag.GetAttribute("REFERENCE"), "ON");
  EXPECT_EQ(tag.m_strContent, "x");
  EXPECT_EQ(tag.m_strEndTag, "<!--/COLLECTION-->");
  EXPECT_EQ(tag.m_strStartTag,
            "<!--COLLECTION NAME=\"news\" LINESEPARATOR=\"<br/> \" REFERENCE=\"ON\"-->");
  tag.m_strContent = "new";
  EXPECT_EQ(tag.Rebuild(), tag.m_strStartTag + "new<!--/COLLECTION-->");
  EXPECT_TRUE(TestContext().report.Text().empty());
}

TEST_F(TagParse, UnquotedValuesAreNotSplit) {
  CTagElement tag("<!--TOC COLS=3 SORT=ON/-->");
  ASSERT_EQ(tag.m_names.size(), 1u);
  EXPECT_EQ(tag.GetAttribute("COLS"), "3 SORT=ON");
  EXPECT_EQ(tag.GetIntAttribute("COLS"), 3);
  EXPECT_TRUE(tag.m_strEndTag.empty());
  EXPECT_TRUE(tag.m_strContent.empty());
}

TEST_F(TagParse, PieceWithoutEqualsIsReportedAndSkipped) {
  CTagElement tag("<!--TOC BULLET/-->", &TestContext().report);
  EXPECT_TRUE(tag.m_names.empty());
  EXPECT_NE(TestContext().report.Text().find("Bad parameterlist: <!--TOC BULLET/-->"),
            std::string::npos);

  TestContext().report.Clear();
  tag.Parse("<!--TOC A=\"1\" JUNK/-->", &TestContext().report);
  EXPECT_EQ(tag.m_names, (std::vector<std::string>{"A"}));
  EXPECT_NE(TestContext().report.Text().find("Bad parameterlist"), std::string::npos);
}

TEST_F(TagParse, AttributeLookups) {
  CTagElement tag("<!--T A=\"x\" E=\"\" F= A=\"second\" N=\"-12px\"/-->");
  EXPECT_EQ(tag.GetAttribute("A"), "x");  // the first of a name wins
  EXPECT_EQ(tag.GetAttribute("a"), "");
  EXPECT_TRUE(tag.HasAttribute("E"));
  EXPECT_TRUE(tag.HasAttribute("F"));
  EXPECT_FALSE(tag.HasAttribute("Z"));
  EXPECT_EQ(tag.GetIntAttribute("Z"), -999);
  EXPECT_EQ(tag.GetIntAttribute("E"), -999);
  EXPECT_EQ(tag.GetIntAttribute("A"), 0);
  EXPECT_EQ(tag.GetIntAttribute("N"), -12);
}

TEST_F(TagParse, ReparsingForgetsEarlierAttributes) {
  CTagElement tag("<!--T A=\"1\"-->c<!--/T-->");
  tag.Parse("<!--T-->");
  EXPECT_TRUE(tag.m_names.empty());
  EXPECT_TRUE(tag.m_strContent.empty());
  EXPECT_EQ(tag.m_strStartTag, "<!--T-->");
}

TEST_F(TagParse, HtmlElements) {
  CTagElement heading("<h2 class=\"x\">Title</h2>");
  EXPECT_EQ(heading.m_strStartTag, "<h2 class=\"x\">");
  EXPECT_EQ(heading.m_strContent, "Title");
  EXPECT_EQ(heading.m_strEndTag, "</h2>");
  EXPECT_EQ(heading.GetAttribute("class"), "x");

  CTagElement image("<img src=\"a.gif\" alt=\"b\"/>");
  EXPECT_EQ(image.GetAttribute("src"), "a.gif");
  EXPECT_EQ(image.GetAttribute("alt"), "b");
  EXPECT_TRUE(image.m_strEndTag.empty());

  // Content holding "<!--" makes the comment rules apply to the whole element.
  CTagElement mixed("<p>a<!--X-->b</p>");
  EXPECT_EQ(mixed.m_strStartTag, "<p>a<!--X-->");
  EXPECT_TRUE(mixed.m_strEndTag.empty());
}

// Filled self-closing tags come back as pairs: the next expansion finds the content it made
// and replaces it, where text after a "/-->" would be added to once per build.
TEST_F(TagParse, AFilledSelfClosingTagIsRebuiltAsAPair) {
  CTagElement tag("<!--TOC COLS=\"2\"/-->");
  EXPECT_EQ(tag.Rebuild(), "<!--TOC COLS=\"2\"/-->");
  tag.m_strContent = "list";
  const std::string pair = tag.Rebuild();
  EXPECT_EQ(pair, "<!--TOC COLS=\"2\"-->list<!--/TOC-->");
  CTagElement again(pair);
  EXPECT_EQ(again.GetIntAttribute("COLS"), 2);
  again.m_strContent = "list";
  EXPECT_EQ(again.Rebuild(), pair);

  size_t start = 0, end = 0;
  ASSERT_TRUE(FindElement(pair + "<!--SINGLETOC/-->", start, end, "<!--TOC", ""));
  EXPECT_EQ(end, pair.size());

  // The end tag names the tag, whatever follows its name.
  CTagElement odd("<!--TOC,COLS=\"2\"/-->");
  odd.m_strContent = "x";
  EXPECT_EQ(odd.Rebuild(), "<!--TOC,COLS=\"2\"-->x<!--/TOC-->");
  // A pair's start tag never ends in "/-->", or the next expansion would fill it once more.
  CTagElement address("<!--INX NAME=\"http://-->");
  address.m_strContent = "x";
  EXPECT_EQ(address.Rebuild(), "<!--INX NAME=\"http:-->x<!--/INX-->");
}

}  // namespace
}  // namespace velmora
