#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "app/commands.h"
#include "app/site_session.h"
#include "build/build_driver.h"
#include "model/node.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/script_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

class BuildDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string page =
        "<html><head><title>t</title></head><body><!--PAGENO--><!--/PAGENO-->/"
        "<!--PAGECOUNT--><!--/PAGECOUNT--><!--BLOCK--><!--/BLOCK--></body></html>";
    site.Write("templates\\nf_i_template.html", page);
    site.Write("templates\\nf_p_template.html", page);
  }
  CScriptSite site;
};

TEST_F(BuildDriverTest, ReportsTheSettingsAndNumbersEveryPageInScriptOrder) {
  TestContext().settings.BuildIndex = 0;
  TestContext().settings.CheckAllImages = 0;
  ASSERT_TRUE(site.Interpret("0,Frame,P,frame.html\r\n1,Home,I,index.html\r\n2,Two,P,two.html"));
  BuildPages(*site.m_pSite);
  EXPECT_THAT(site.Report(), HasSubstr("\r\nBuilt - with properties:\r\n"
                                       "   Not searching the Internet\r\n"
                                       "   No Index build\r\n"
                                       "   Checking references by pagename\r\n"
                                       "   Building \"print\"-pages, if any\r\n"
                                       "   Building general collections, if any\r\n"
                                       "   No check and correction of images\r\n"
                                       "------------------------\r\n"));
  EXPECT_THAT(site.Read("frame.html"), HasSubstr("<!--PAGENO-->1<!--/PAGENO-->/<!--PAGECOUNT-->3"));
  EXPECT_THAT(site.Read("two.html"), HasSubstr("<!--PAGENO-->3<!--/PAGENO-->/<!--PAGECOUNT-->3"));
}

TEST_F(BuildDriverTest, ASelectionBuildsOnlyTheSelectedPages) {
  ASSERT_TRUE(site.Interpret("1,Home,I,index.html\r\n2,Two,P,two.html\r\n2,Three,P,three.html"));
  const std::vector<CPage*> selection = {site.Page("Three"), site.Page("Two")};
  BuildPages(*site.m_pSite, &selection);
  EXPECT_TRUE(site.Exists("two.html"));
  EXPECT_TRUE(site.Exists("three.html"));
  EXPECT_LT(site.Report().find("Two - "), site.Report().find("Three - "));
  // The home page was not built, so finishing it finds no file to stamp.
  EXPECT_FALSE(site.Exists("index.html"));
}

TEST_F(BuildDriverTest, TheHomePageGetsTheStampAtTheEnd) {
  ASSERT_TRUE(site.Interpret("1,Home,I,index.html\r\n2,Two,P,two.html"));
  BuildPages(*site.m_pSite);
  EXPECT_THAT(site.Read("index.html"),
              HasSubstr("<div class=\"mainfooter\"><a href=\"http://www.velmora.org/\" "
                        "target=\"other\">Velmora 2.0</a></div>\r\n</body>"));
  EXPECT_THAT(site.Read("two.html"), Not(HasSubstr("Velmora 2.0")));
}

TEST_F(BuildDriverTest, NoPrintPagesAreMadeWhenSwitchedOff) {
  site.Write("blocks\\list.html",
             "<!--BLOCK--><!--PRINTLIST PAGES=\"ALL\"-->old<!--/PRINTLIST-->"
             "<!--/BLOCK-->");
  TestContext().settings.BuildPrintPages = 0;
  ASSERT_TRUE(
      site.Interpret("1,Home,I,index.html\r\n2,Print,P,print.html\r\nBLOCKS:blocks\\list.html"));
  BuildPages(*site.m_pSite);
  EXPECT_THAT(site.Read("print.html"), HasSubstr("-->old<!--/PRINTLIST-->"));
  EXPECT_THAT(site.Report(), Not(HasSubstr("Building printpages")));
  ASSERT_EQ(site.m_pSite->m_printPages.size(), 1u);
}

// Built on two threads, a page still sees the files the pages before it have just written:
// as its block, as a patch, and as a kept page of the same path.
TEST_F(BuildDriverTest, APageReadsWhatTheEarlierPagesHaveJustWritten) {
  TestContext().threads = 2;
  TestContext().settings.BuildIndex = 0;
  site.Write("one.html", "stale one");
  site.Write("two.html", "stale two");
  site.Write("again.html", "stale again");
  site.Write("b1.html", "<!--BLOCK-->fresh one<!--/BLOCK-->");
  site.Write("b2.html", "<!--BLOCK-->fresh two<!--/BLOCK-->");
  site.Write("b3.html",
             "<!--BLOCK-->[<!--PATCH FILENAME=\"C:\\site\\two.html\"-->"
             "<!--/PATCH-->]<!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret(
      "1,Home,I,index.html\r\nBLOCKS:b1.html\r\n"
      "2,One,P,one.html\r\nBLOCKS:b1.html\r\n2,Uses,P,uses.html\r\nBLOCKS:one.html\r\n"
      "2,Two,P,two.html\r\nBLOCKS:b2.html\r\n2,Patched,P,patched.html\r\nBLOCKS:b3.html\r\n"
      "2,Again,P,again.html\r\nBLOCKS:b2.html\r\n2,Kept,,again.html,,,K"));
  BuildPages(*site.m_pSite);
  EXPECT_THAT(site.Read("uses.html"), HasSubstr("fresh one"));
  EXPECT_THAT(site.Read("patched.html"), HasSubstr("fresh two"));
  EXPECT_THAT(site.Read("patched.html"), Not(HasSubstr("stale")));
  EXPECT_THAT(site.Read("again.html"), HasSubstr("fresh two"));
  EXPECT_THAT(site.Read("again.html"), Not(HasSubstr("stale")));
}

// Several batches of pages on two threads give the files, report and messages of a build one
// page at a time: pages in folders made on the way, print pages close together (filled from
// their text after the loop), a page that cannot be stored in the middle of a batch, and a
// page whose block is a page written just before it.
TEST_F(BuildDriverTest, TwoThreadsBuildWhatOneThreadBuilds) {
  TestContext().settings.BuildIndex = 0;
  site.Write("b.html", "<!--BLOCK--><h2>Part</h2><p>text</p><!--/BLOCK-->");
  site.Write("print.html",
             "<!--BLOCK--><!--PRINTLIST PAGES=\"P1,P2\"--><!--/PRINTLIST--><!--/BLOCK-->");
  std::string script = "1,Home,I,index.html\r\nBLOCKS:b.html\r\n";
  for (int i = 0; i < 150; ++i) {
    const std::string n = std::to_string(i);
    script += "2,P" + n + ",P,web\\d" + std::to_string(i / 15) + "\\p" + n + ".html\r\n";
    script += i == 50 || i == 53 ? "BLOCKS:print.html\r\n"
              : i == 110         ? "BLOCKS:web\\d6\\p100.html\r\n"
                                 : "BLOCKS:b.html\r\n";
  }
  ASSERT_TRUE(site.Interpret(script));
  const fs::path web = fs::path(site.m_drive.HostFolder()) / "site" / "web";
  auto build = [&](unsigned nThreads) {
    fs::remove_all(web);
    fs::remove_all(web.parent_path() / "gfx");
    fs::create_directories(web / "d2" / "p40.html");  // a folder where the page goes
    site.m_dialogs.m_messages.clear();
    TestContext().threads = nThreads;
    BuildPages(*site.m_pSite);
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(web))
      if (entry.is_regular_file())
        files[entry.path().string()] =
            site.Read(fs::relative(entry.path(), web.parent_path()).string());
    return std::make_tuple(files, site.Report(), site.m_dialogs.m_messages);
  };
  // Two threads first: folders that a build before made and that are gone since cost a second
  // try of each write, which would hide the writer thread's own path.
  const auto two = build(2);
  const auto one = build(1);
  EXPECT_EQ(std::get<0>(one).size(), 149u);  // all but the blocked one
  EXPECT_THAT(std::get<1>(one), HasSubstr("Can't store: C:\\site\\web\\d2\\p40.html"));
  EXPECT_THAT(std::get<0>(one).begin()->second, HasSubstr("<h2>Part</h2>"));
  EXPECT_TRUE(std::get<0>(two) == std::get<0>(one));
  EXPECT_EQ(std::get<1>(two), std::get<1>(one));
  EXPECT_EQ(std::get<2>(two), std::get<2>(one));
}

TEST(BuildCommandTest, AScriptThatDoesNotInterpretShowsNoSiteStructure) {
  CScriptSite site;
  CSiteSession session{TestContext()};
  session.m_strScriptText = "VERSION=2.0\r\nSITENAME=No catalog\r\n1,Home,I,index.html\r\n";
  EXPECT_FALSE(BuildCommand(session, {}));
  EXPECT_THAT(site.m_dialogs.m_messages, ::testing::Contains("No sitestructure established"));
}

TEST(BuildCommandTest, PublishedNamesSelectThePagesToBuild) {
  CScriptSite site;
  site.m_drive.Write("site.txt",
                     "VERSION=2.0\r\nCATALOG=C:\\site\\\r\n1,Home,I,index.html\r\n"
                     "2,Two,P,pages\\two.html\r\n2,Three,P,three.html\r\n");
  site.Write("templates\\nf_i_template.html", "<html><body>i</body></html>");
  site.Write("templates\\nf_p_template.html", "<html><body>p</body></html>");
  CSiteSession session{TestContext()};
  ASSERT_EQ(session.LoadScript("C:\\site.txt"), EScriptRead::kRead);
  EXPECT_TRUE(BuildCommand(session, {"pages/two.html"}));
  EXPECT_TRUE(site.Exists("pages\\two.html"));
  EXPECT_FALSE(site.Exists("three.html"));

  EXPECT_FALSE(BuildCommand(session, {"nothing.html"}));
  EXPECT_THAT(site.m_dialogs.m_messages, ::testing::Contains("No page selected"));
}

}  // namespace
}  // namespace velmora
