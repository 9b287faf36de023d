#include <gtest/gtest.h>

#include "assembly/local_toc.h"
#include "assembly/page_steps.h"
#include "nav/hand_site.h"

namespace velmora {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
  return n;
}

class LocalToc : public ::testing::Test {
 protected:
  std::string Run(std::string text) {
    MakeLocalToc(m_page, text);
    return text;
  }
  CHandSite m_site;
  CPage& m_page = m_site.Add(1, "Page", "page.html");
};

TEST_F(LocalToc, AddedAutomaticallyUnderTheTitle) {
  EXPECT_EQ(Run("<H1>Title</H1>\r\n<H2>Intro</H2>text"),
            "<h1>Title</h1><!--LOCALTOC LEVEL=\"2\" WIDTH=\"60\"--><p class=\"localtoc\">"
            "\r\n[&nbsp;<a href=\"#Intro\">Intro</a>&nbsp;] </p><!--/LOCALTOC-->\r\n"
            "\r\n\r\n<a name=\"Intro\"> </a>\r\n<h2>Intro</h2>text");
  // A title without second-level headings: only the title tags change.
  EXPECT_EQ(Run("<H1>Title</H1><h3>x</h3>"), "<h1>Title</h1><h3>x</h3>");
  EXPECT_EQ(Run("<h2>Only</h2>"), "<h2>Only</h2>");
}

TEST_F(LocalToc, ShowOffStopsEverything) {
  const std::string page =
      "<h1>T</h1><!--LOCALTOC SHOW=\"OFF\"/--><h2>A</h2>"
      "<!--LOCALTOC--><!--/LOCALTOC-->";
  EXPECT_EQ(Run(page), page);
}

TEST_F(LocalToc, LevelAndHeadingText) {
  const std::string result =
      Run("<!--LOCALTOC LEVEL=\"9\"/--><h2><a href=\"x\">Part <b>one</b></a></h2><h3>No</h3>");
  EXPECT_NE(result.find("<a href=\"#Part one\">Part one</a>"), std::string::npos);
  EXPECT_NE(result.find("<a name=\"Part one\"> </a>\r\n<h2>"), std::string::npos);
  EXPECT_EQ(result.find("#No"), std::string::npos);

  const std::string third = Run("<!--LOCALTOC LEVEL=\"3\"--><!--/LOCALTOC--><H3>Deep</H3>");
  EXPECT_NE(third.find("<a href=\"#Deep\">Deep</a>"), std::string::npos);
  EXPECT_NE(third.find("<h3>Deep</h3>"), std::string::npos);
}

TEST_F(LocalToc, ManyShortHeadingsWrap) {
  std::string page = "<!--LOCALTOC--><!--/LOCALTOC-->";
  for (int i = 0; i < 10; ++i) page += "<h2>H" + std::to_string(i) + "</h2>";
  const std::string result = Run(page);
  // Each entry adds 10 to the running count; the line breaks once it passes 60.
  EXPECT_EQ(Count(result, "<br>"), 1u);
  EXPECT_NE(result.find("H6</a>&nbsp;] <br>\r\n\r\n[&nbsp;<a href=\"#H7\">"), std::string::npos);
  EXPECT_EQ(Count(Run("<!--LOCALTOC WIDTH=\"5\"/-->" + page.substr(31)), "<br>"), 9u);
}

TEST_F(LocalToc, EveryElementAnchorsTheHeadingsAgain) {
  const std::string result = Run(
      "<!--LOCALTOC--><!--/LOCALTOC--><h2>A</h2><!--LOCALTOC APPEND=\"ON\"-->x<!--/LOCALTOC-->");
  EXPECT_EQ(Count(result, "<a name=\"A\"> </a>"), 2u);
  EXPECT_EQ(Count(result, "<a href=\"#A\">A</a>"), 2u);
  EXPECT_NE(result.find("<!--LOCALTOC APPEND=\"ON\"-->x<p class=\"localtoc\">"), std::string::npos);
  // Without headings the paragraph is empty.
  EXPECT_EQ(Run("<!--LOCALTOC/-->"), "<!--LOCALTOC--><p class=\"localtoc\"></p><!--/LOCALTOC-->");
}

// A heading's text is written into the anchor and the link as an attribute value.
TEST_F(LocalToc, QuotedHeadingsGetWorkingLinks) {
  const std::string result =
      Run("<!--LOCALTOC/--><h2>Say \"hi\" <b>&</b> go</h2><h2>Say &quot;hi&quot; &amp; go</h2>");
  EXPECT_EQ(Count(result, "<a name=\"Say &quot;hi&quot; &amp; go\"> </a>\r\n<h2>"), 2u);
  EXPECT_EQ(Count(result, "<a href=\"#Say &quot;hi&quot; &amp; go\">"), 2u);
  EXPECT_NE(result.find(">Say &quot;hi&quot; &amp; go</a>"), std::string::npos);
}

// On a page that begins with the HTML5 doctype the anchors are ids: unique, one per heading
// whatever the number of elements, and with names that a fragment holds as they are.
TEST_F(LocalToc, DoctypePagesGetUniqueFragmentSafeIds) {
  const std::string page =
      "<!DOCTYPE html>\r\n<!--LOCALTOC/--><h2>Say \"hi\"</h2><h2>Say \"hi\"</h2><h2>100%</h2>"
      "<!--LOCALTOC/-->";
  const std::string result = Run(page);
  for (const char* id : {"Say-%22hi%22", "Say-%22hi%22-2", "100%25"}) {
    EXPECT_EQ(Count(result, std::string("<a id=\"") + id + "\"> </a>"), 1u) << id;
    EXPECT_EQ(Count(result, std::string("<a href=\"#") + id + "\">"), 2u) << id;
  }
  EXPECT_EQ(result.find("name="), std::string::npos);
  EXPECT_EQ(Run(result), result);
  // Another doctype keeps the named anchors.
  EXPECT_NE(Run("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\"><h1>T</h1><h2>A</h2>")
                .find("<a name=\"A\"> </a>"),
            std::string::npos);
}

// Pages with many elements are written in one pass; that pass must give the text of the
// element-by-element expansion, and leave the pages it cannot take to it.
TEST_F(LocalToc, OnePassGivesTheTextOfTheExpansionInTurn) {
  std::string many = "<H1>T</H1>";
  for (int i = 0; i < 30; ++i)
    many += "<!--LOCALTOC LEVEL=\"" + std::to_string(2 + i % 2) + "\"--><!--/LOCALTOC--><h2>A" +
            std::to_string(i) + "</h2><H3>B</H3>";
  const std::string taken[] = {
      many,
      Run(many),  // the anchors of the last build are dropped once, then added per element
      "<!--LOCALTOC APPEND=\"ON\"-->x<!--/LOCALTOC--><h2>A <!--TOC--></h2><h2>B</h2>",
      "<h2>A</h2><!--LOCALTOC/--><!--LOCALTOC SHOW=\"OFF\"/--><h2>B</h2>",
      "<!doctype html>" + many,
      Run("<!doctype html>" + many),
  };
  for (const std::string& page : taken) {
    std::string atOnce = page;
    ASSERT_EQ(ExpandLocalTocsAtOnce(atOnce), CLocalTocExpansion::kDone) << page;
    std::string inTurn = page;
    ExpandLocalTocsInTurn(inTurn);
    EXPECT_EQ(atOnce, inTurn) << page;
  }
  const std::string declined[] = {
      // A heading inside an element (one that stops the step too), one of another level around a
      // heading, and an upper-case
      // tag of another level that the expansion in turn reads before lowering it.
      "<!--LOCALTOC--><h2>in</h2><!--/LOCALTOC--><h2>B</h2>",
      "<h2>A</h2><!--LOCALTOC/--><!--LOCALTOC SHOW=\"OFF\"--><h2>in</h2><!--/LOCALTOC-->",
      "<!--LOCALTOC/--><!--LOCALTOC LEVEL=\"3\"/--><h3>x<h2>A</h2></h3>",
      "<!--LOCALTOC/--><!--LOCALTOC LEVEL=1/--><h2>><H1></h2>",
  };
  for (const std::string& page : declined) {
    std::string atOnce = page;
    EXPECT_EQ(ExpandLocalTocsAtOnce(atOnce), CLocalTocExpansion::kDeclined) << page;
    EXPECT_EQ(atOnce, page);
  }
}

// Every element anchors every heading, so a page's growth is their product; a page that would
// pass the text limit keeps its elements as they were, on either way of expanding them.
TEST_F(LocalToc, APageThatWouldGrowPastTheLimitIsLeftAsItIs) {
  std::string page;
  for (int i = 0; i < 20; ++i) page += "<!--LOCALTOC/--><h2>A</h2>";
  const size_t nGrown = Run(page).size();
  std::string atOnce = page;
  EXPECT_EQ(ExpandLocalTocsAtOnce(atOnce, nGrown - 1), CLocalTocExpansion::kTooMuchText);
  std::string inTurn = page;
  EXPECT_FALSE(ExpandLocalTocsInTurn(inTurn, nGrown - 1));
  EXPECT_TRUE(atOnce == page && inTurn == page);
  EXPECT_EQ(ExpandLocalTocsAtOnce(atOnce, 2 * nGrown), CLocalTocExpansion::kDone);
  EXPECT_TRUE(ExpandLocalTocsInTurn(inTurn, nGrown));
  EXPECT_TRUE(atOnce == inTurn);
}

// A page built from its own file meets the anchors of its last build before its headings.
TEST_F(LocalToc, ExpandingABuiltPageAgainChangesNothing) {
  const std::string pages[] = {
      "<H1>T</H1><H2>A</H2>text<h2>B</h2>",
      "<!--LOCALTOC--><!--/LOCALTOC--><h2>A</h2><!--LOCALTOC APPEND=\"ON\"-->x<!--/LOCALTOC-->",
      "<!--LOCALTOC LEVEL=\"3\"/--><h3>Same</h3><h3>Same</h3>",
      // A heading left open around the tag is not listed: it would hold the tag's paragraph.
      "<h2>T</h1><h2>A</h2>",
      "<!--LOCALTOC--><!--/LOCALTOC--><h2>T</h1><h2>A</h2>",
  };
  for (const std::string& page : pages) {
    const std::string once = Run(page);
    const std::string twice = Run(once);
    if (page.find("APPEND") == std::string::npos) {
      EXPECT_EQ(twice, once);
    }
    // Two elements of one level still give two anchors per heading, build after build.
    EXPECT_EQ(Count(twice, "<a name=\""), Count(once, "<a name=\""));
  }
}

}  // namespace
}  // namespace velmora
