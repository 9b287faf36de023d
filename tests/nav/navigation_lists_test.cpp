#include <gtest/gtest.h>

#include "assembly/navigation_lists.h"
#include "assembly/page_steps.h"
#include "nav/hand_site.h"
#include "platform/strings.h"

namespace velmora {
namespace {

const std::string kBullet =
    "<img src=\"gfx/bullet.gif\" width=\"3\" height=\"5\" vspace=\"0\" hspace=\"2\" "
    "valign=\"middle\" alt=\">\">";

// Home, A (A1, A2 (A2x), A3), B (B1), and a level-0 frame page outside the outline.
class NavigationLists : public ::testing::Test {
 protected:
  void SetUp() override {
    m_site.Add(0, "Left", "left.html", "", "");
    m_site.Add(1, "Home", "index.html");
    m_site.Add(1, "A", "a.html");
    m_site.Add(2, "A1", "pages\\a1.html");
    m_site.Add(2, "A2", "pages\\a2.html");
    m_site.Add(3, "A2x", "pages\\a2x.html");
    m_site.Add(2, "A3", "pages\\a3.html");
    m_site.Add(1, "B", "b.html");
    m_site.Add(2, "B1", "pages\\b1.html");
    m_site.Finish();
  }
  CHandSite m_site;
};

// The entries of each column of a column table, counted by their divs.
std::vector<int> ColumnSizes(const std::string& table) {
  std::vector<int> sizes;
  std::vector<std::string> cells = Split(table, "<td valign=\"top\">");
  for (size_t i = 1; i < cells.size(); ++i) {
    int n = 0;
    for (size_t pos = cells[i].find("<div"); pos != std::string::npos;
         pos = cells[i].find("<div", pos + 1))
      ++n;
    sizes.push_back(n);
  }
  return sizes;
}

TEST_F(NavigationLists, ConListShowsTopLevelAncestorsSiblingsAndChildren) {
  std::string text = "x<!--CONLIST-->old<!--/CONLIST-->y";
  MakeConList(m_site.Page("A2"), m_site.Site(), text);
  EXPECT_EQ(text,
            "x<!--CONLIST-->"
            "\r\n<div class=\"clevel1\"><a href=\"../index.html\">Home</a></div>"
            "\r\n<div class=\"clevel1\"><a href=\"../a.html\">A</a></div>"
            "\r\n<div class=\"clevel2\"><a href=\"a1.html\">A1</a></div>"
            "\r\n<div class=\"aclevel1\">" +
                kBullet +
                "A2</div>"
                "\r\n<div class=\"clevel3\"><a href=\"a2x.html\">A2x</a></div>"
                "\r\n<div class=\"clevel2\"><a href=\"a3.html\">A3</a></div>"
                "\r\n<div class=\"clevel1\"><a href=\"../b.html\">B</a></div>"
                "\r\n<!--/CONLIST-->y");
}

TEST_F(NavigationLists, ConListWithoutBulletAndAppended) {
  std::string text = "<!--CONLIST BULLET=\"OFF\" APPEND=\"ON\"-->keep<!--/CONLIST-->";
  MakeConList(m_site.Page("A2"), m_site.Site(), text);
  EXPECT_TRUE(StartsWith(text, "<!--CONLIST BULLET=\"OFF\" APPEND=\"ON\"-->keep\r\n"));
  EXPECT_NE(text.find("<div class=\"aclevel2\">A2</div>"), std::string::npos);
  EXPECT_EQ(text.find("<img"), std::string::npos);
  // Pages under other top-level pages stay out.
  EXPECT_EQ(text.find("B1"), std::string::npos);
  // A page outside the outline gets an empty list.
  EXPECT_EQ(MakeConListText(m_site.Page("Left"), m_site.Site(), true), "\r\n");
}

TEST_F(NavigationLists, TocFromFramePageListsWholeOutlineInOneColumn) {
  std::string text = "<!--TOC COLS=\"1\" TARGET_FRAME=\"main\"--><!--/TOC-->";
  MakeToc(m_site.Page("Left"), m_site.Site(), text);
  EXPECT_EQ(ColumnSizes(text), std::vector<int>{8});
  EXPECT_NE(text.find("\r\n<table cellspacing=\"0\" cellpadding=\"5\" border=\"0\"><tr>\r\n"
                      "<td valign=\"top\"><div class=\"tlevel1\"><a href=\"index.html\" "
                      "target=main>Home</a></div>\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("<div class=\"tlevel3\"><a href=\"pages/a2x.html\" target=main>A2x</a>"
                      "</div>\r\n"),
            std::string::npos);
  EXPECT_TRUE(EndsWith(text, "</div>\r\n</td>\r\n</table>\r\n<!--/TOC-->"));
  EXPECT_EQ(text.find("Left"), std::string::npos);
}

TEST_F(NavigationLists, TocLevelRangeAndColumnCount) {
  CPage& page = m_site.Page("A1");
  EXPECT_EQ(MakeTocText(page, m_site.Site(), 3, "", 3, 2), "");
  EXPECT_EQ(MakeTocText(page, m_site.Site(), 0, "", 1, 1000), "");
  EXPECT_EQ(MakeTocText(page, m_site.Site(), -2, "", 1, 1000), "");
  // Four level-2 pages: every entry is top-level, the moved breaks overfill the first
  // column, so the even breaks stay.
  EXPECT_EQ(ColumnSizes(MakeTocText(page, m_site.Site(), 3, "", 2, 2)),
            (std::vector<int>{1, 1, 2}));
  // Fewer entries than columns: all in the first.
  EXPECT_EQ(ColumnSizes(MakeTocText(page, m_site.Site(), 3, "", 3, 3)),
            (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(ColumnSizes(MakeTocText(page, m_site.Site(), 10, "", 1, 1)),
            (std::vector<int>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  std::string text = "<!--TOC MIN_LEVEL=\"3\" MAX_LEVEL=\"2\"-->old<!--/TOC-->";
  MakeToc(page, m_site.Site(), text);
  EXPECT_EQ(text, "<!--TOC MIN_LEVEL=\"3\" MAX_LEVEL=\"2\"--><!--/TOC-->");
}

// Nine entries whose levels are given; the columns the TOC breaks them into.
std::vector<int> TocColumns(const std::vector<int>& levels) {
  CHandSite site;
  for (size_t i = 0; i < levels.size(); ++i)
    site.Add(levels[i], "P" + std::to_string(i), "p" + std::to_string(i) + ".html");
  site.Finish();
  return ColumnSizes(MakeTocText(site.Page("P0"), site.Site(), 3, "", 1, 1000));
}

TEST(TocColumns, BreaksMoveOntoNearbyTopLevelEntries) {
  EXPECT_EQ(TocColumns({1, 1, 1, 1, 1, 1, 1, 1, 1}), (std::vector<int>{3, 3, 3}));
  EXPECT_EQ(TocColumns({1, 2, 2, 2, 1, 2, 2, 1, 2}), (std::vector<int>{4, 3, 2}));
  // Moving the first break to the 6th entry would make a column of 5: even breaks again.
  EXPECT_EQ(TocColumns({1, 2, 2, 2, 2, 1, 2, 2, 2}), (std::vector<int>{3, 3, 3}));
  EXPECT_EQ(TocColumns({1, 2}), (std::vector<int>{2, 0, 0}));
  // A top-level entry exactly one third of a column before an even break does not move it.
  EXPECT_EQ(TocColumns({1, 2, 1, 2, 2, 2, 1, 2, 2}), (std::vector<int>{3, 3, 3}));
}

TEST(TocColumns, ElementWithoutMinLevelBreaksOnLevelOne) {
  CHandSite site;
  const std::vector<int> levels = {1, 2, 2, 2, 1, 2, 2, 1, 2};
  for (size_t i = 0; i < levels.size(); ++i)
    site.Add(levels[i], "P" + std::to_string(i), "p" + std::to_string(i) + ".html");
  site.Finish();
  std::string text = "<!--TOC COLS=\"3\"--><!--/TOC-->";
  MakeToc(site.Page("P0"), site.Site(), text);
  EXPECT_EQ(ColumnSizes(text), (std::vector<int>{4, 3, 2}));
}

TEST(TocHome, LevelZeroHomeStillListsTheOutline) {
  CHandSite site;
  site.Add(0, "Left", "left.html");
  site.Add(0, "Home", "main.html").m_strType = "FI";
  site.Add(1, "Guide", "guide.html");
  site.Finish();
  ASSERT_EQ(site.Site().HomePage(), &site.Page("Home"));
  EXPECT_NE(MakeTocText(site.Page("Left"), site.Site(), 1, "", 1, 1000)
                .find("<a href=\"guide.html\">Guide</a>"),
            std::string::npos);
  CHandSite empty;
  empty.Add(0, "Left", "left.html");
  empty.Finish();
  EXPECT_EQ(MakeTocText(empty.Page("Left"), empty.Site(), 1, "", 1, 1000), "");
}

TEST(TocColumns, LevelsAboveTenUseClassTen) {
  CHandSite site;
  for (int level = 1; level <= 12; ++level)
    site.Add(level, "L" + std::to_string(level), "l" + std::to_string(level) + ".html");
  site.Finish();
  CPage& deepest = site.Page("L12");
  const std::string toc = MakeTocText(deepest, site.Site(), 1, "", 11, 12);
  EXPECT_NE(toc.find("<div class=\"tlevel10\"><a href=\"l11.html\">L11</a></div>"),
            std::string::npos);
  EXPECT_NE(toc.find("<div class=\"tlevel10\"><a href=\"l12.html\">L12</a></div>"),
            std::string::npos);
  const std::string list = MakeConListText(deepest, site.Site(), false);
  EXPECT_NE(list.find("<div class=\"clevel10\"><a href=\"l11.html\">L11</a></div>"),
            std::string::npos);
  EXPECT_NE(list.find("<div class=\"aclevel10\">L12</div>"), std::string::npos);
}

TEST(NavigationLinks, HeadingsAndPagesLinkedByAddress) {
  CHandSite site;
  site.Add(1, "Home", "index.html");
  site.Add(1, "Heading");
  site.Add(2, "Under", "pages\\under.html");
  site.Add(1, "Gate");
  site.Add(1, "Away", "away.html", "N", "http://example.org/away.html");
  site.Add(1, "Last");
  site.Finish();
  CPage& home = site.Page("Home");
  // A heading links to the first page after it that has a file; with none, its bare name.
  const std::string toc = MakeTocText(home, site.Site(), 1, "", 1, 1);
  EXPECT_NE(toc.find("<a href=\"pages/under.html\">Heading</a>"), std::string::npos);
  EXPECT_NE(toc.find("<a href=\"http://example.org/away.html\">Away</a>"), std::string::npos);
  EXPECT_NE(toc.find("<a href=\"http://example.org/away.html\">Gate</a>"), std::string::npos);
  EXPECT_NE(toc.find("<div class=\"tlevel1\">Last</div>"), std::string::npos);
  EXPECT_NE(MakeConListText(home, site.Site(), true)
                .find("<a href=\"http://example.org/away.html\">Away</a>"),
            std::string::npos);
  EXPECT_NE(MakeSingleTocText(home, site.Site(), 3, "", "", true)
                .find("<a href=\"http://example.org/away.html\">Away</a>"),
            std::string::npos);
}

TEST_F(NavigationLists, SingleTocChildrenAndSiblings) {
  std::string text = "<!--SINGLETOC STYLE=\"sub\"--><!--/SINGLETOC-->";
  MakeSingleToc(m_site.Page("A"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--SINGLETOC STYLE=\"sub\"-->\r\n"
            "<table cellspacing=\"0\" cellpadding=\"5\" border=\"0\"><tr>\r\n"
            "<td valign=\"top\"><div class=\"sub\"><a href=\"pages/a1.html\">A1</a></div>\r\n"
            "</td>\r\n"
            "<td valign=\"top\"><div class=\"sub\"><a href=\"pages/a2.html\">A2</a></div>\r\n"
            "</td>\r\n"
            "<td valign=\"top\"><div class=\"sub\"><a href=\"pages/a3.html\">A3</a></div>\r\n"
            "</td>\r\n</table>\r\n<!--/SINGLETOC-->");

  const std::string siblings =
      MakeSingleTocText(m_site.Page("A2"), m_site.Site(), 1, "main", "", true);
  EXPECT_NE(siblings.find("<div class=\"tlevel1\"><a href=\"a1.html\" target=main>A1</a></div>"
                          "\r\n<div class=\"tlevel1\">A2</div>\r\n"
                          "<div class=\"tlevel1\"><a href=\"a3.html\" target=main>A3</a></div>"),
            std::string::npos);
}

TEST_F(NavigationLists, SingleTocWithFewMembers) {
  // No children: three empty columns.
  EXPECT_EQ(ColumnSizes(MakeSingleTocText(m_site.Page("A1"), m_site.Site(), 3, "", "", false)),
            (std::vector<int>{0, 0, 0}));
  // The only child: fewer entries than columns leave the first column empty.
  EXPECT_EQ(ColumnSizes(MakeSingleTocText(m_site.Page("A2x"), m_site.Site(), 3, "", "", true)),
            (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(MakeSingleTocText(m_site.Page("A2x"), m_site.Site(), 0, "", "", true), "");
  // A page outside the outline has no siblings to list.
  EXPECT_EQ(MakeSingleTocText(m_site.Page("Left"), m_site.Site(), 3, "", "", true), "");
}

// File names and attribute texts are escaped in every list, trail and neighbour link; plain
// names are written as always (the tests above). Doctype pages get no obsolete attributes.
TEST(NavigationMarkup, FileNamesAreEscapedAndDoctypePagesStyledInline) {
  CHandSite hand;
  hand.Add(1, "Home", "index.html");
  hand.Add(2, "R&D", "r&d \"x\".html");
  hand.Add(3, "Below", "pages\\below.html");
  hand.Add(2, "Last", "last.html");
  hand.Finish();
  const std::string escaped = "r&amp;d &quot;x&quot;.html";

  std::string text =
      "<!--CONLIST--><!--/CONLIST--><!--TOC--><!--/TOC-->"
      "<!--TRAIL--><!--/TRAIL-->"
      "<!--NEXT/--><a href=\"\"><!--PREV/--><a href=\"\"><!--PARENT/--><a href=\"\">";
  CPage& below = hand.Page("Below");
  MakeConList(below, hand.Site(), text);
  MakeToc(below, hand.Site(), text);
  MakeTrail(below, hand.Site(), text);
  MakeNeighbourLinks(below, hand.Site(), text);
  EXPECT_EQ(text.find("\"x\""), std::string::npos) << text;
  for (const std::string& link : {"<a href=\"../" + escaped + "\">R&D</a>",  // menu, TOC, trail
                                  "<!--PREV/--><a href=\"../" + escaped + "\">",
                                  "<!--PARENT/--><a href=\"../" + escaped + "\">"})
    EXPECT_NE(text.find(link), std::string::npos) << link << "\n" << text;
  EXPECT_NE(MakeSingleTocText(hand.Page("R&D"), hand.Site(), 1, "x y", "a<b", true)
                .find("<div class=\"a&lt;b\"><a href=\"last.html\" target=\"x y\">Last</a>"),
            std::string::npos);
  EXPECT_NE(text.find("<!--NEXT/--><a href=\"../last.html\">"), std::string::npos) << text;
  EXPECT_NE(text.find(kBullet), std::string::npos);
  EXPECT_NE(text.find("<td valign=\"top\">"), std::string::npos);

  std::string html5 =
      "<!DOCTYPE html>\n<!--CONLIST--><!--/CONLIST--><!--TOC--><!--/TOC-->"
      "<!--SINGLETOC--><!--/SINGLETOC-->";
  MakeConList(below, hand.Site(), html5);
  MakeToc(below, hand.Site(), html5);
  MakeSingleToc(hand.Page("R&D"), hand.Site(), html5);
  for (const char* obsolete :
       {"valign=", "vspace=", "hspace=", "cellspacing=", "cellpadding=", "border="})
    EXPECT_EQ(html5.find(obsolete), std::string::npos) << obsolete << "\n" << html5;
  EXPECT_NE(html5.find("<table style=\"border-spacing: 0\"><tr>"), std::string::npos);
  EXPECT_NE(html5.find("<td style=\"vertical-align: top; padding: 5px\">"), std::string::npos);
}

}  // namespace
}  // namespace velmora
