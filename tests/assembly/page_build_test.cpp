#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "assembly/page_build.h"
#include "assembly/page_steps.h"
#include "model/node.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/script_site.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char kPageTemplate[] =
    "<html><head><title>Any page</title><link rel=STYLESHEET href=\"gfx/def.css\"></head>\r\n"
    "<body><!--BLOCK-->placeholder<!--/BLOCK-->|<!--WIDEBLOCK--><!--/WIDEBLOCK-->\r\n"
    "<img src=\"../gfx/up.gif\"></body></html>";

class PageBuildTest : public ::testing::Test {
 protected:
  void SetUp() override { site.Write("templates\\nf_p_template.html", kPageTemplate); }
  // Builds the named page and returns its written file.
  std::string Build(const std::string& name, const std::string& file) {
    CPage* pPage = site.Page(name);
    EXPECT_NE(pPage, nullptr) << name;
    if (!pPage)
      return {};
    BuildPage(*pPage);
    return site.Read(file);
  }
  CScriptSite site;
};

TEST_F(PageBuildTest, BlockElementsGoToTheirTargetsInPageOrder) {
  site.Write("blocks\\a.html",
             "<!--BLOCK TARGET=\"WIDEBLOCK\"-->wide<!--/BLOCK-->x<!--BLOCK-->one<!--/BLOCK-->");
  site.Write("blocks\\b.html",
             "<html><head><title>t</title></head>"
             "<BODY bgcolor=\"#fff\">two</BODY></html>");
  site.Write("blocks\\c.html", "<!--BLOCK TARGET=\"NOWHERE\"-->lost<!--/BLOCK-->");
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\a.html,blocks\\b.html\r\n"
                     "BLOCKS:blocks\\c.html"));
  const std::string page = Build("Home", "index.html");
  EXPECT_THAT(
      page,
      HasSubstr("<body><!--BLOCK-->onetwo<!--/BLOCK-->|<!--WIDEBLOCK-->wide<!--/WIDEBLOCK-->"));
  EXPECT_THAT(page, Not(HasSubstr("lost")));
  EXPECT_THAT(site.Report(), HasSubstr("   Can't place block: <!--NOWHERE-->\r\n"));
  EXPECT_THAT(site.Report(), HasSubstr("   OK\r\n"));
}

TEST_F(PageBuildTest, BlocksAskingForTheWrapperAreWrappedWhateverTheLetterCase) {
  site.Write("templates\\wrapper_template.html", "<table><!--WRAP-->x<!--/WRAP--></table>");
  site.Write(
      "blocks\\a.html",
      "<!--BLOCK WRAPME=\"on\"-->in<!--/BLOCK--><!--BLOCK WRAPME=\"OFF\"-->out<!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\a.html"));
  EXPECT_THAT(Build("Home", "index.html"),
              HasSubstr("<!--BLOCK--><table><!--WRAP-->in<!--/WRAP--></table>out<!--/BLOCK-->"));
}

TEST_F(PageBuildTest, AllBlocksAreLoadedBeforeWrappingAndARepeatedBlockIsWrappedOnceEachTime) {
  site.Write("blocks\\w.html", "<!--BLOCK WRAPME=\"ON\"-->in<!--/BLOCK-->");
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\n"
                     "BLOCKS:blocks\\w.html,blocks\\new.html,blocks\\w.html"));
  const std::string page = Build("Home", "index.html");
  EXPECT_THAT(site.Report(), HasSubstr("Make: C:\\site\\blocks\\new.html\r\n"
                                       "Using original: Template type:B\r\n"
                                       "Using original: Template type:W\r\n"));
  size_t nWraps = 0;
  for (size_t at = page.find("<!--WRAP-->in<!--/WRAP-->"); at != std::string::npos;
       at = page.find("<!--WRAP-->", at + 1))
    ++nWraps;
  EXPECT_EQ(nWraps, 2u);
  EXPECT_THAT(page, Not(HasSubstr("<!--WRAP--><table")));
}

TEST_F(PageBuildTest, AMissingBlockIsWrittenFromTheBlockTemplateWithAHeadingForItsPageType) {
  site.Write("templates\\nf_c_template.html", kPageTemplate);
  site.Write("templates\\block_template.html",
             "<html><body><!--BLOCK--><p><!--BLOCKFILENAME/--></p><!--/BLOCK--></body></html>");
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\new.html\r\n"
                     "2,Map,C,map.html\r\nBLOCKS:blocks\\map.html"));
  EXPECT_THAT(Build("Home", "index.html"),
              HasSubstr("<p>C:\\site\\blocks\\new.html<br>You should edit this</p>"));
  EXPECT_THAT(site.Read("blocks\\new.html"), HasSubstr("You should edit this"));
  EXPECT_THAT(site.Report(), HasSubstr("Make: C:\\site\\blocks\\new.html\r\n"));

  EXPECT_THAT(Build("Map", "map.html"), HasSubstr("<!--BLOCK--><h1>SiteMap</h1>\r\n<!--/BLOCK-->"));
  EXPECT_EQ(site.Read("blocks\\map.html"),
            "<html><body><!--BLOCK--><h1>SiteMap</h1>\r\n<!--/BLOCK--></body></html>");
}

TEST_F(PageBuildTest, PatchesAreReplacedByTheirFilesOnceAndTheirTagsExpanded) {
  site.Write("templates\\nf_p_template.html",
             "<body><!--PATCH FILENAME=\"parts\\x.html\" STRUCTURE=\"ON\"-->old<!--/PATCH-->|"
             "<!--PATCH FILENAME=\"parts\\y.html\" APPEND=\"ON\"-->old<!--/PATCH-->|"
             "<!--PATCH FILENAME=\"parts\\none.html\"-->kept<!--/PATCH-->|"
             "<!--PATCH FILENAME=\"parts\\self.html\"/--></body>");
  site.Write("parts\\x.html",
             "<HTML><BODY bgcolor=\"white\">new <!--PAGENAME--><!--/PAGENAME-->"
             "</BODY></HTML>");
  site.Write("parts\\y.html", "+more");
  site.Write("parts\\self.html", "again<!--PATCH FILENAME=\"parts\\self.html\"/-->");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html"));
  EXPECT_EQ(Build("Home", "index.html"),
            "<body>new <!--PAGENAME-->Home<!--/PAGENAME-->|old+more|"
            "<!--PATCH FILENAME=\"parts\\none.html\"-->kept<!--/PATCH-->|"
            "again<!--PATCH FILENAME=\"parts\\self.html\"/--></body>");
}

TEST_F(PageBuildTest, AStructuredPatchTakesTheBlockElseTheBodyElseTheHtmlElseEverything) {
  site.Write("templates\\nf_p_template.html",
             "<body><!--PATCH FILENAME=\"p\\block.html\" STRUCTURE=\"ON\"/-->|"
             "<!--PATCH FILENAME=\"p\\html.html\" STRUCTURE=\"ON\"/-->|"
             "<!--PATCH FILENAME=\"p\\body.html\" STRUCTURE=\"ON\"/-->|"
             "<!--PATCH FILENAME=\"p\\plain.html\" STRUCTURE=\"ON\"/-->|"
             "<!--PATCH FILENAME=\"p\\html.html\" STRUCTURE=\"on\"/--></body>");
  site.Write("p\\block.html",
             "<html><body>around <!--BLOCK-->inner<!--/BLOCK--> around</body></html>");
  site.Write("p\\html.html", "<HTML>no body</HTML>");
  site.Write("p\\body.html", "<BODY class=\"x\">fragment</BODY>");
  site.Write("p\\plain.html", "<b>plain</b>");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html"));
  // Files that begin with their html or body tag are cut too; "on" is not "ON", so the last
  // patch is put in whole.
  EXPECT_EQ(Build("Home", "index.html"),
            "<body>inner|no body|fragment|<b>plain</b>|<HTML>no body</HTML></body>");
}

TEST_F(PageBuildTest, ResourceReferencesFollowThePageIntoItsFolder) {
  site.Write("templates\\nf_p_template.html",
             "<link href=\"gfx/def.css\"><img src=\"../gfx/up.gif\"><img src=gfx/a.gif>"
             "<div style=\"background: url(gfx/b.gif)\"></div>"
             "<img src=\"http://example.org/gfx/c.gif\"><img src=\"images/gfx/d.gif\"> gfx/ cards");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\n2,Deep,P,pages\\sub\\deep.html"));
  EXPECT_EQ(Build("Home", "index.html"),
            "<link href=\"gfx/def.css\"><img src=\"gfx/up.gif\"><img src=gfx/a.gif>"
            "<div style=\"background: url(gfx/b.gif)\"></div>"
            "<img src=\"http://example.org/gfx/c.gif\"><img src=\"images/gfx/d.gif\"> gfx/ cards");
  const std::string deep = Build("Deep", "pages\\sub\\deep.html");
  EXPECT_EQ(
      deep,
      "<link href=\"../../gfx/def.css\"><img src=\"../../gfx/up.gif\"><img src=../../gfx/a.gif>"
      "<div style=\"background: url(../../gfx/b.gif)\"></div>"
      "<img src=\"http://example.org/gfx/c.gif\"><img src=\"images/gfx/d.gif\"> gfx/ cards");
  BuildPage(*site.Page("Deep"));
  EXPECT_EQ(site.Read("pages\\sub\\deep.html"), deep);
}

TEST_F(PageBuildTest, PagesInsideTheResourceFolderNameTheResourcesDirectly) {
  site.Write("templates\\nf_p_template.html",
             "<link href=\"gfx/def.css\"><img src=\"../gfx/logo.gif\">");
  // The catalog is the resource folder: its root pages and the pages of "gfx" lie in it.
  ASSERT_TRUE(
      site.Interpret("RESOURCES=C:\\site\r\n1,Home,P,index.html\r\n"
                     "2,Sub,P,pages\\sub.html"));
  EXPECT_EQ(Build("Home", "index.html"), "<link href=\"def.css\"><img src=\"logo.gif\">");
  EXPECT_EQ(Build("Sub", "pages\\sub.html"), "<link href=\"../def.css\"><img src=\"../logo.gif\">");

  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\n2,Res,P,gfx\\inside.html"));
  EXPECT_EQ(Build("Res", "gfx\\inside.html"), "<link href=\"def.css\"><img src=\"logo.gif\">");
  EXPECT_EQ(Build("Home", "index.html"), "<link href=\"gfx/def.css\"><img src=\"gfx/logo.gif\">");
}

TEST_F(PageBuildTest, BasedOnListsLinkRelativelyAndKeepTheHeadingOnlyWithEntries) {
  site.Write("templates\\nf_p_template.html",
             "<body><!--BASEDON APPEND=\"ON\"--><div>Based on:</div><!--/BASEDON--></body>");
  ASSERT_TRUE(
      site.Interpret("1,Page1,P,index.html\r\n2,Page2,P,pages\\two.html\r\n"
                     "BASED_ON:Page1,Nowhere\r\n3,Page3,P,pages\\three.html\r\n"
                     "BASED_ON:Page1,Page2,Far\r\n2,Far,P,http://example.org/far.html,,,N"));
  EXPECT_EQ(Build("Page2", "pages\\two.html"),
            "<body><!--BASEDON APPEND=\"ON\"--><div>Based on:</div>"
            "<div class=\"basedon\"><a href=\"../index.html\">Page1</a></div>\r\n"
            "<!--/BASEDON--></body>");
  EXPECT_THAT(site.Report(), HasSubstr("Can't get:  BASED_ON:Nowhere\r\n"));
  EXPECT_THAT(Build("Page3", "pages\\three.html"),
              HasSubstr("<a href=\"../index.html\">Page1</a></div><div class=\"basedon\">"
                        "<a href=\"two.html\">Page2</a></div><div class=\"basedon\">"
                        "<a href=\"http://example.org/far.html\">Far</a></div>"));
  EXPECT_EQ(Build("Page1", "index.html"),
            "<body><!--BASEDON APPEND=\"ON\"--><!--/BASEDON--></body>");
}

// Replace rules see the expanded page, are not expanded themselves, and what they put in still
// has its resource references pointed from the page's folder.
TEST_F(PageBuildTest, ReplaceRulesWorkOnTheExpandedPageInScriptOrder) {
  site.Write("templates\\nf_p_template.html",
             "<body><!--PAGENAME--><!--/PAGENAME-->|OLD|<b>x</b>|<img src=\"a.gif\">|"
             "<!--F--><!--/F-->|drop me</body>");
  site.Write("parts\\footer.txt", "<img src=\"gfx/f.gif\">, kept");
  ASSERT_TRUE(
      site.Interpret("RSIMPLE=OLD,<!--SITENAME-->new<!--/SITENAME-->\r\n"
                     "RDOUBLE=<b>,</b>,\r\n"
                     "R1QUOTE=src=,gfx/b.gif\r\n"
                     "RDOUBLE=<!--F-->,<!--/F-->,#parts\\footer.txt\r\n"
                     "RSIMPLE=drop me,\r\n"
                     "1,Home,P,index.html\r\n2,Deep,P,pages\\deep.html"));
  EXPECT_EQ(Build("Home", "index.html"),
            "<body><!--PAGENAME-->Home<!--/PAGENAME-->|<!--SITENAME-->new<!--/SITENAME-->|"
            "<b></b>|<img src=\"gfx/b.gif\">|<!--F--><img src=\"gfx/f.gif\">, kept<!--/F-->|"
            "</body>");
  // The replacement file was read for the first page and is not needed again.
  std::filesystem::remove(site.m_drive.HostFolder() + "/site/parts/footer.txt");
  EXPECT_EQ(Build("Deep", "pages\\deep.html"),
            "<body><!--PAGENAME-->Deep<!--/PAGENAME-->|<!--SITENAME-->new<!--/SITENAME-->|"
            "<b></b>|<img src=\"../gfx/b.gif\">|<!--F--><img src=\"../gfx/f.gif\">, kept<!--/F-->|"
            "</body>");
  EXPECT_THAT(site.Report(), Not(HasSubstr("Cannot make")));
}

TEST_F(PageBuildTest, KeptPagesAreTakenFromTheirOwnFileAndBuildTheSameTwice) {
  site.Write("kept.html",
             "<html><head><TITLE>old</TITLE></head>"
             "<body><!--PAGENAME--><!--/PAGENAME--> gfx/a.gif</body></html>");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\n2,Kept,P,kept.html,,,K"));
  const std::string once = Build("Kept", "kept.html");
  EXPECT_EQ(once,
            "<html><head><TITLE>Kept</TITLE></head>"
            "<body><!--PAGENAME-->Kept<!--/PAGENAME--> gfx/a.gif</body></html>");
  EXPECT_EQ(Build("Kept", "kept.html"), once);
}

TEST_F(PageBuildTest, AKeptPageWithoutFileIsWrittenAsTheMissingPage) {
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\n2,Gone,,gone.html\r\n"
                     "2,Remote,,http://example.org/dir/far.html"));
  const std::string gone = Build("Gone", "gone.html");
  EXPECT_THAT(gone, HasSubstr("Page neither found nor constructed:"));
  EXPECT_THAT(gone, HasSubstr("Gone"));
  EXPECT_THAT(gone, HasSubstr("C:\\site\\gone.html"));
  EXPECT_THAT(gone, HasSubstr("none"));
  EXPECT_THAT(site.Report(), Not(HasSubstr("   OK")));

  const std::string remote = Build("Remote", "imported\\dir\\far.html");
  EXPECT_THAT(remote, HasSubstr("http://example.org/dir/far.html"));
  EXPECT_THAT(gone, HasSubstr("href=\"gfx/def.css\""));
  EXPECT_THAT(remote, HasSubstr("href=\"../../gfx/def.css\""));
}

TEST_F(PageBuildTest, PagesWithoutLocationOrLinkedDirectlyAreNeitherWrittenNorReported) {
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\n2,Nothing\r\n"
                     "2,Link,P,http://example.org/x.html,,,N"));
  const std::string before = site.Report();
  EXPECT_FALSE(BuildPage(*site.Page("Nothing")));
  EXPECT_FALSE(BuildPage(*site.Page("Link")));
  EXPECT_EQ(site.Report(), before);
  EXPECT_FALSE(site.Exists("imported\\x.html"));
}

TEST_F(PageBuildTest, AnUnknownTypeIsReportedAndNotWritten) {
  ASSERT_TRUE(site.Interpret("1,Home,X,index.html"));
  EXPECT_FALSE(BuildPage(*site.Page("Home")));
  EXPECT_THAT(site.Report(), HasSubstr("Can't get:  template: X\r\n"));
  EXPECT_FALSE(site.Exists("index.html"));
}

}  // namespace
}  // namespace velmora
