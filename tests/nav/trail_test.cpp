#include <gtest/gtest.h>

#include "assembly/navigation_lists.h"
#include "assembly/page_steps.h"
#include "nav/hand_site.h"

namespace velmora {
namespace {

class Trail : public ::testing::Test {
 protected:
  void SetUp() override {
    m_site.Add(0, "Frame", "frame.html");
    m_site.Add(1, "Home", "index.html");
    m_site.Add(1, "A", "a.html");
    m_site.Add(2, "B", "pages\\b.html");
    m_site.Add(3, "C", "pages\\deep\\c.html");
    m_site.Add(2, "Heading");
    m_site.Add(3, "D", "pages\\d.html");
    m_site.Add(2, "Portal", "", "N", "http://example.org/portal/");
    m_site.Add(3, "E", "pages\\e.html");
    m_site.Finish();
  }
  CHandSite m_site;
};

TEST_F(Trail, RunsFromHomeThroughAncestors) {
  EXPECT_EQ(MakeTrailText(m_site.Page("Home"), m_site.Site()),
            "<a href=\"index.html\">Home</a> > Home");
  EXPECT_EQ(MakeTrailText(m_site.Page("C"), m_site.Site()),
            "<a href=\"../../index.html\">Home</a> > <a href=\"../../a.html\">A</a> > "
            "<a href=\"../b.html\">B</a> > C");
  // A heading without a file has no entry; an N page shows its address.
  EXPECT_EQ(MakeTrailText(m_site.Page("D"), m_site.Site()),
            "<a href=\"../index.html\">Home</a> > <a href=\"../a.html\">A</a> > D");
  EXPECT_EQ(MakeTrailText(m_site.Page("E"), m_site.Site()),
            "<a href=\"../index.html\">Home</a> > <a href=\"../a.html\">A</a> > "
            "<a href=\"http://example.org/portal/\">http://example.org/portal/</a> > E");
  EXPECT_EQ(MakeTrailText(m_site.Page("Frame"), m_site.Site()),
            "<a href=\"index.html\">Home</a> > Frame");
}

TEST_F(Trail, ElementReplacedOrAppended) {
  std::string text = "<!--TRAIL-->old<!--/TRAIL--> <!--TRAIL APPEND=\"ON\"-->Start > <!--/TRAIL-->";
  MakeTrail(m_site.Page("B"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--TRAIL--><a href=\"../index.html\">Home</a> > <a href=\"../a.html\">A</a> > B"
            "<!--/TRAIL--> <!--TRAIL APPEND=\"ON\"-->Start > <a href=\"../index.html\">Home</a> > "
            "<a href=\"../a.html\">A</a> > B<!--/TRAIL-->");
}

TEST(TrailHome, HeadingAsHomeLinksToItsFirstPage) {
  CHandSite site;
  site.Add(1, "Welcome");
  site.Add(2, "Start", "start.html");
  site.Add(1, "Other", "pages\\other.html");
  site.Finish();
  EXPECT_EQ(MakeTrailText(site.Page("Other"), site.Site()),
            "<a href=\"../start.html\">Welcome</a> > Other");
  std::string text = "<!--HOME/--><a href=\"x\">";
  MakeNeighbourLinks(site.Page("Other"), site.Site(), text);
  EXPECT_EQ(text, "<!--HOME/--><a href=\"../start.html\">");
}

TEST(TrailHome, PageBelowTheHomePageNamesHomeOnce) {
  CHandSite site;
  site.Add(1, "Home", "index.html");
  site.Add(2, "Child", "pages\\child.html");
  site.Add(3, "Grandchild", "pages\\grand.html");
  site.Finish();
  EXPECT_EQ(MakeTrailText(site.Page("Child"), site.Site()),
            "<a href=\"../index.html\">Home</a> > Child");
  EXPECT_EQ(MakeTrailText(site.Page("Grandchild"), site.Site()),
            "<a href=\"../index.html\">Home</a> > <a href=\"child.html\">Child</a> > Grandchild");
}

const char* const kMarkers =
    "<!--NEXT/--> <area shape=\"rect\" href=\"../index.html\">"
    "<!--PREV/--><a href=\"p\"><!--HOME/--><a href=\"h\"><!--PARENT/--><a href=\"u\">";

TEST_F(Trail, NeighbourMarkersPointAtOutlineNeighbours) {
  std::string text = kMarkers;
  MakeNeighbourLinks(m_site.Page("B"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--NEXT/--> <area shape=\"rect\" href=\"deep/c.html\">"
            "<!--PREV/--><a href=\"../a.html\"><!--HOME/--><a href=\"../index.html\">"
            "<!--PARENT/--><a href=\"../a.html\">");

  // The next page after D is an N page: its web address. D's parent is a heading: the link
  // leads to the first page under it. A top-level page's parent is the outline root.
  text = kMarkers;
  MakeNeighbourLinks(m_site.Page("D"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--NEXT/--> <area shape=\"rect\" href=\"http://example.org/portal/\">"
            "<!--PREV/--><a href=\"deep/c.html\"><!--HOME/--><a href=\"../index.html\">"
            "<!--PARENT/--><a href=\"d.html\">");
  text = "<!--PARENT/--><a href=\"u\">";
  MakeNeighbourLinks(m_site.Page("A"), m_site.Site(), text);
  EXPECT_EQ(text, "<!--PARENT/--><a href=\"\">");
}

// A page on the catalog's drive but outside the catalog: its published path begins with "..",
// and its links must still lead into the catalog.
TEST(TrailOutside, NeighboursOfAPageOutsideTheCatalogReachThePagesInIt) {
  CHandSite site;
  site.Add(1, "Home", "index.html");
  CPage& outside = site.Add(2, "Outside");
  outside.m_strRemotePath = "..\\other\\o.html";
  outside.m_strLocalPath = "C:\\other\\o.html";
  outside.m_strFileName = "o.html";
  site.Add(2, "In", "sub\\in.html");
  site.Finish();
  std::string text = kMarkers;
  MakeNeighbourLinks(outside, site.Site(), text);
  EXPECT_EQ(text,
            "<!--NEXT/--> <area shape=\"rect\" href=\"../site/sub/in.html\">"
            "<!--PREV/--><a href=\"../site/index.html\"><!--HOME/--><a href=\"../site/index.html\">"
            "<!--PARENT/--><a href=\"../site/index.html\">");
  EXPECT_EQ(MakeTrailText(outside, site.Site()),
            "<a href=\"../site/index.html\">Home</a> > Outside");
  text = "<!--PREV/--><a href=\"p\">";
  MakeNeighbourLinks(site.Page("In"), site.Site(), text);
  EXPECT_EQ(text, "<!--PREV/--><a href=\"../../other/o.html\">");
}

TEST_F(Trail, MissingNeighboursPointAtThePageItself) {
  std::string text = kMarkers;
  MakeNeighbourLinks(m_site.Page("E"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--NEXT/--> <area shape=\"rect\" href=\"e.html\">"
            "<!--PREV/--><a href=\"http://example.org/portal/\"><!--HOME/-->"
            "<a href=\"../index.html\"><!--PARENT/--><a href=\"http://example.org/portal/\">");
  text = kMarkers;
  MakeNeighbourLinks(m_site.Page("Frame"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--NEXT/--> <area shape=\"rect\" href=\"frame.html\">"
            "<!--PREV/--><a href=\"frame.html\"><!--HOME/--><a href=\"index.html\">"
            "<!--PARENT/--><a href=\"frame.html\">");
}

TEST_F(Trail, MarkersInLowerCaseButNotMixedCase) {
  std::string text =
      "<!--next/--><a HREF=\"x\"> <!--Next/--><a href=\"y\"> <!--NEXT/--><A HREF=\"z\">";
  MakeNeighbourLinks(m_site.Page("Home"), m_site.Site(), text);
  EXPECT_EQ(text,
            "<!--next/--><a HREF=\"a.html\"> <!--Next/--><a href=\"y\"> "
            "<!--NEXT/--><A HREF=\"a.html\">");
}

}  // namespace
}  // namespace velmora
