#include <gtest/gtest.h>

#include "build/print_pages.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Outline: Chapter (ch.html) with A and B in "pages" below it, then Other and Print.
class PrintPages : public ::testing::Test {
 protected:
  PrintPages() : site(TestContext(), {}) {
    TestContext().SetDialogs(&dialogs);
    site.m_strCatalog = "C:\\site\\";
    site.m_strResources = "C:\\site\\gfx";
    site.m_pRoot = std::make_unique<CNode>(&site);
    CPage& chapter = Add("Chapter", "ch.html", "<!--PRINTABLE-->chapter<!--/PRINTABLE-->", nullptr);
    Add("A", "pages\\a.html",
        "<!--PRINTABLE--><a href=\"b.html#s\">to B</a> <a href=\"../o.html\">to Other</a>"
        "<!--/PRINTABLE-->",
        &chapter);
    Add("B", "pages\\b.html", "<!--PRINTABLE-->bee<!--/PRINTABLE-->", &chapter);
    Add("Other", "o.html", "<!--PRINTABLE-->other<!--/PRINTABLE-->", nullptr);
  }
  ~PrintPages() override { TestContext().SetDialogs(nullptr); }

  CPage& Add(const std::string& name, const std::string& remote, const std::string& text,
             CPage* pParent) {
    CPage& page = site.AddPage(std::make_unique<CPage>(&site));
    page.m_strName = name;
    page.m_nLevel = pParent ? 2 : 1;
    page.m_strRemotePath = remote;
    page.m_strLocalPath = site.m_strCatalog + remote;
    page.SetContent(text);
    CNode* pUp = pParent ? static_cast<CNode*>(pParent) : site.m_pRoot.get();
    page.m_pParent = pUp;
    pUp->m_children.push_back(&page);
    return page;
  }

  CTempDrive drive;
  CScriptedDialogs dialogs;
  CWebSite site;
};

TEST_F(PrintPages, PagesListWithSubtreesRepeatsAndSelf) {
  CPage& print = Add("Print", "print.html",
                     "<body><!--PRINTLIST PAGES=\"Chapter+, pages\\b.html,Print,Nope\"-->old"
                     "<!--/PRINTLIST--></body>",
                     nullptr);
  TestContext().report.Clear();
  MakePrintPage(print);
  EXPECT_EQ(drive.Read("site\\print.html"),
            "<body><!--PRINTLIST PAGES=\"Chapter+, pages\\b.html,Print,Nope\"-->"
            "<a name=\"ch-html\"></a>chapter"
            "<a name=\"pages-a-html\"></a><a href=\"#pages-b-html\">to B</a> "
            "<a href=\"o.html\">to Other</a>"
            "<a name=\"pages-b-html\"></a>bee"
            "<!--/PRINTLIST--></body>");
  EXPECT_NE(
      TestContext().report.Text().find("Print - C:\\site\\print.html\r\nCan't get: Nope\r\nOK\r\n"),
      std::string::npos)
      << TestContext().report.Text();
}

// A page gathered by two lists of one print page is anchored once; links lead to pages that
// gave a section (and so an anchor), and on a doctype page the anchors are ids. A file name
// with "&" is read from its escaped link and written escaped.
TEST_F(PrintPages, EachAnchorOnceAndIdsOnDoctypePages) {
  Add("Empty", "pages\\e f.html", "nothing printable", site.Pages().front().get());
  site.Pages()[2]->m_strRemotePath = "pages\\b&c.html";
  site.Pages()[2]->m_strLocalPath = "C:\\site\\pages\\b&c.html";
  site.Pages()[1]->SetContent(
      "<!--PRINTABLE--><a href=\"b&amp;c.html\">to B</a> <a href=\"e f.html\">to E</a>"
      "<!--/PRINTABLE-->");
  CPage& print = Add("Print", "print.html",
                     "<!doctype HTML>\r\n<!--PRINTLIST PAGES=\"A,B\"--><!--/PRINTLIST-->"
                     "<!--PRINTLIST PAGES=\"Empty,A\"--><!--/PRINTLIST-->",
                     nullptr);
  MakePrintPage(print);
  EXPECT_EQ(
      drive.Read("site\\print.html"),
      "<!doctype HTML>\r\n<!--PRINTLIST PAGES=\"A,B\"-->"
      "<a id=\"pages-a-html\"></a><a href=\"#pages-b&amp;c-html\">to B</a> "
      "<a href=\"pages/e f.html\">to E</a><a id=\"pages-b&amp;c-html\"></a>bee"
      "<!--/PRINTLIST--><!--PRINTLIST PAGES=\"Empty,A\"--><a href=\"#pages-b&amp;c-html\">to B</a> "
      "<a href=\"pages/e f.html\">to E</a><!--/PRINTLIST-->");
}

// Two gathered pages with a heading of one text: on a doctype page each id is made the page's
// own, with the page's links to it; other links stay.
TEST_F(PrintPages, GatheredIdsStayUniqueOnDoctypePages) {
  const std::string sections =
      "<!--PRINTABLE--><a href=\"#Intro\">Intro</a> <a href=\"#top\">top</a>"
      "<a id=\"Intro\"> </a><h2>Intro</h2><!--/PRINTABLE-->";
  site.Pages()[1]->SetContent(sections);
  site.Pages()[2]->SetContent(sections);
  CPage& print = Add("Print", "print.html",
                     "<!DOCTYPE html><!--PRINTLIST PAGES=\"A,B\"--><!--/PRINTLIST-->", nullptr);
  MakePrintPage(print);
  EXPECT_EQ(drive.Read("site\\print.html"),
            "<!DOCTYPE html><!--PRINTLIST PAGES=\"A,B\"-->"
            "<a id=\"pages-a-html\"></a><a href=\"#pages-a-html-Intro\">Intro</a> "
            "<a href=\"#top\">top</a><a id=\"pages-a-html-Intro\"> </a><h2>Intro</h2>"
            "<a id=\"pages-b-html\"></a><a href=\"#pages-b-html-Intro\">Intro</a> "
            "<a href=\"#top\">top</a><a id=\"pages-b-html-Intro\"> </a><h2>Intro</h2>"
            "<!--/PRINTLIST-->");
}

TEST_F(PrintPages, AllPagesAsTextOnlyAndAppended) {
  CPage& print = Add("Print", "print.html",
                     "<!--PRINTLIST PAGES=\"all\" TEXTONLY=\"ON\" APPEND=\"ON\"-->kept:"
                     "<!--/PRINTLIST-->",
                     nullptr);
  MakePrintPage(print);
  EXPECT_EQ(drive.Read("site\\print.html"),
            "<!--PRINTLIST PAGES=\"all\" TEXTONLY=\"ON\" APPEND=\"ON\"-->kept:"
            "chapterto B to Otherbeeother<!--/PRINTLIST-->");
}

TEST_F(PrintPages, DeepOutlineBelowAPageIsGathered) {
  // A chain of headings far deeper than the call stack could follow, with one page at its end.
  CPage& chapter = *site.Pages().front();
  CPage* pAbove = &chapter;
  for (int n = 0; n < 300000; ++n) {
    CPage& heading = site.AddPage(std::make_unique<CPage>(&site));
    heading.m_nLevel = n + 3;
    heading.m_pParent = pAbove;
    pAbove->m_children.push_back(&heading);
    pAbove = &heading;
  }
  Add("Deepest", "deep.html", "<!--PRINTABLE-->deep<!--/PRINTABLE-->", pAbove);
  CPage& print = Add("Print", "print.html",
                     "<!--PRINTLIST PAGES=\"Chapter+\" TEXTONLY=\"ON\"--><!--/PRINTLIST-->"
                     "<!--PRINTLIST TEXTONLY=\"ON\"--><!--/PRINTLIST-->",
                     nullptr);
  MakePrintPage(print);
  EXPECT_EQ(drive.Read("site\\print.html"),
            "<!--PRINTLIST PAGES=\"Chapter+\" TEXTONLY=\"ON\"-->chapterto B to Otherbeedeep"
            "<!--/PRINTLIST--><!--PRINTLIST TEXTONLY=\"ON\"-->chapterto B to Otherbeedeepother"
            "<!--/PRINTLIST-->");
}

// A page is gathered once for all the lists of a print page: one that cannot be read is
// reported once, not once for each list, and each list still gets the form it asks for.
TEST_F(PrintPages, EachPageIsGatheredOnceForAllListsOfAPrintPage) {
  Add("Gone", "gone.html", "", nullptr);
  std::string lists;
  for (int i = 0; i < 300; ++i) lists += "<!--PRINTLIST--><!--/PRINTLIST-->";
  CPage& print = Add("Print", "print.html",
                     lists +
                         "<!--PRINTLIST PAGES=\"B\" TEXTONLY=\"ON\"--><!--/PRINTLIST-->"
                         "<!--PRINTLIST PAGES=\"pages\\b.html,Nope\"--><!--/PRINTLIST-->",
                     nullptr);
  TestContext().report.Clear();
  MakePrintPage(print);
  EXPECT_EQ(Count(TestContext().report.Text(), "Can't load file: C:\\site\\gone.html"), 1u)
      << TestContext().report.Text();
  const std::string written = drive.Read("site\\print.html");
  EXPECT_EQ(Count(written, "bee"), 302u);
  EXPECT_EQ(Count(written, "<a name=\"pages-b-html\"></a>bee"), 1u);
  EXPECT_EQ(Count(written, "<a href=\"#pages-b-html\">to B</a>"), 300u);
  EXPECT_NE(written.find("<!--PRINTLIST PAGES=\"B\" TEXTONLY=\"ON\"-->bee<!--/PRINTLIST-->"
                         "<!--PRINTLIST PAGES=\"pages\\b.html,Nope\"-->bee<!--/PRINTLIST-->"),
            std::string::npos);
}

// Pages linked to directly (option N) are built elsewhere: no list gathers them, and nothing
// tries to read them.
TEST_F(PrintPages, PagesLinkedToDirectlyAreLeftOut) {
  CPage& linked = Add("Linked", "imported\\example.org\\x.html", "", nullptr);
  linked.m_strUrl = "http://example.org/x.html";
  linked.m_strOption = "N";
  CPage& print = Add("Print", "print.html",
                     "<!--PRINTLIST--><!--/PRINTLIST-->"
                     "<!--PRINTLIST PAGES=\"Linked,B\"--><!--/PRINTLIST-->",
                     nullptr);
  TestContext().report.Clear();
  TestContext().report.ResetHighestLevel();
  MakePrintPage(print);
  EXPECT_EQ(drive.Read("site\\print.html").find("x-html"), std::string::npos);
  ASSERT_TRUE(MakeOnePage(site, "C:\\site\\Pall.txt", true));
  EXPECT_EQ(TestContext().report.HighestLevel(), 0) << TestContext().report.Text();
}

TEST_F(PrintPages, OnePageOfTheWholeSite) {
  // A level-0 page (a frame) stands outside the outline and is never part of it.
  CPage& frame = Add("Frame", "frame.html", "<!--PRINTABLE-->frame<!--/PRINTABLE-->", nullptr);
  frame.m_nLevel = 0;
  frame.m_pParent = nullptr;
  site.m_pRoot->m_children.pop_back();
  ASSERT_TRUE(MakeOnePage(site, "C:\\site\\Pall.txt", true));
  EXPECT_EQ(drive.Read("site\\Pall.txt"), "chapterto B to Otherbeeother");

  drive.Write("site\\templates\\print_template.html",
              "<html><body><!--BLOCK-->x<!--/BLOCK--></body></html>");
  site.m_strTemplates = "C:\\site\\templates";
  ASSERT_TRUE(MakeOnePage(site, "C:\\site\\Pall.html", false));
  const std::string page = drive.Read("site\\Pall.html");
  EXPECT_NE(page.find("<!--BLOCK--><!--PRINTLIST PAGES=\"ALL\"--><a name=\"ch-html\"></a>chapter"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<a name=\"o-html\"></a>other<!--/PRINTLIST--><!--/BLOCK-->"),
            std::string::npos);
  EXPECT_EQ(page.find("frame"), std::string::npos);
  EXPECT_TRUE(site.m_printPages.empty());

  // Another drive than the catalog's still gets the print page itself.
  CTempDrive other('D');
  ASSERT_TRUE(MakeOnePage(site, "D:\\out\\all.html", false));
  EXPECT_NE(other.Read("out\\all.html").find("<a name=\"ch-html\"></a>chapter"), std::string::npos);
}

}  // namespace
}  // namespace velmora
