// Builds and checks the Orchard fixture site: the index, the collection and the print page it
// produces, and the lines that checking lists for its clean and broken forms.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/commands.h"
#include "app/site_session.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class OrchardSite : public ::testing::Test {
 protected:
  OrchardSite() {
    TestContext().SetDialogs(&dialogs);
    TestContext().settings = CBuildSettings();
    std::filesystem::copy(VELMORA_SOURCE_DIR "/tests/fixtures/orchard/input", drive.HostFolder(),
                          std::filesystem::copy_options::recursive);
  }
  ~OrchardSite() override { TestContext().SetDialogs(nullptr); }

  void BuildAndCheck(const std::string& script) {
    CSiteSession session{TestContext()};
    ASSERT_EQ(session.LoadScript(script), EScriptRead::kRead);
    ASSERT_TRUE(BuildCommand(session, {}));
    m_strBuildReport = TestContext().report.Text();
    ASSERT_TRUE(CheckCommand(session, {}, m_nProblems));
  }

  // The report lines that follow the heading of one page in the check report.
  std::vector<std::string> LinesFor(const std::string& heading) const {
    std::vector<std::string> result;
    bool bIn = false;
    for (const std::string& line : Split(TestContext().report.Text(), "\r\n")) {
      if (bIn && line.empty())
        break;
      if (bIn)
        result.push_back(line);
      if (line == heading)
        bIn = true;
    }
    return result;
  }

  CTempDrive drive;
  CScriptedDialogs dialogs;
  std::string m_strBuildReport;
  int m_nProblems = -1;
};

TEST_F(OrchardSite, CleanSiteBuildsItsIndexCollectionAndPrintPageAndChecksOk) {
  BuildAndCheck("C:\\orchard\\clean.txt");

  const std::string index = drive.Read("orchard/pages/keywords.html");
  // Byte order puts capitals first: Apple, Fruit, Pear, then blossom.
  EXPECT_NE(index.find("<!--INDEX COLS=\"1\" REFERENCE=\"ON\" SORT=\"ON\"-->\r\n"
                       "<div class=\"indexkeyword\">Apple</div>\r\n"),
            std::string::npos)
      << index;
  const size_t apple = index.find(">Apple<"), fruit = index.find(">Fruit<"),
               pear = index.find(">Pear<"), blossom = index.find(">blossom<");
  EXPECT_TRUE(apple < fruit && fruit < pear && pear < blossom) << index;
  EXPECT_NE(index.find("<div class=\"indexentry\"><a href=\"apples.html\">Apples</a></div>\r\n"
                       "<div class=\"indexentry\"><a href=\"pears.html\">Pears</a></div>\r\n"
                       "\r\n<div class=\"indexkeyword\">Pear</div>"),
            std::string::npos)
      << index;

  EXPECT_NE(drive.Read("orchard/pages/news.html")
                .find("<!--COLLECTION NAME=\"news\" REFERENCE=\"ON\"-->\r\n"
                      "<br/><a href=\"apples.html\">The apple harvest begins in September.</a>\r\n"
                      "<br/><a href=\"pears.html\">Pear trees are in bloom.</a>\r\n"
                      "<!--/COLLECTION-->"),
            std::string::npos);

  const std::string print = drive.Read("orchard/print.html");
  EXPECT_NE(print.find("<a name=\"pages-apples-html\"></a>"), std::string::npos) << print;
  EXPECT_NE(print.find("<img src=\"blocks/apple.gif\""), std::string::npos) << print;
  EXPECT_NE(print.find("<a href=\"#pages-pears-html\">ripe pears</a>"), std::string::npos) << print;

  EXPECT_EQ(m_nProblems, 0) << TestContext().report.Text();
  for (const char* heading :
       {"Home - C:\\orchard\\index.html", "Apples - C:\\orchard\\pages\\apples.html",
        "Pears - C:\\orchard\\pages\\pears.html", "News - C:\\orchard\\pages\\news.html",
        "Keywords - C:\\orchard\\pages\\keywords.html", "Printable - C:\\orchard\\print.html"})
    EXPECT_EQ(LinesFor(heading), std::vector<std::string>{"OK"}) << heading;
}

TEST_F(OrchardSite, CheckListsExactlyTheBrokenLinksAndImages) {
  BuildAndCheck("C:\\site.txt");
  EXPECT_EQ(LinesFor("Broken - C:\\orchard\\pages\\broken.html"),
            (std::vector<std::string>{"Not found: missing.html", "Not found: apples.html#nothere",
                                      "Nosuchpage", "#gone", "empty", "#",
                                      "Not found: pears.html#rotten", "nopic.gif"}));
  EXPECT_EQ(m_nProblems, 8);
  EXPECT_EQ(LinesFor("Home - C:\\orchard\\index.html"), std::vector<std::string>{"OK"});
}

}  // namespace
}  // namespace velmora
