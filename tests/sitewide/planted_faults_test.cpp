// Builds and checks the planted-faults fixture site: every kind of reference a browser follows,
// sound and broken, must get the right answer, and nothing else may be listed.
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

class PlantedFaults : public ::testing::Test {
 protected:
  PlantedFaults() {
    TestContext().SetDialogs(&dialogs);
    TestContext().settings = CBuildSettings();
    std::filesystem::copy(VELMORA_SOURCE_DIR "/tests/fixtures/planted-faults/input",
                          drive.HostFolder(), std::filesystem::copy_options::recursive);
    EXPECT_EQ(session.LoadScript("C:\\site.txt"), EScriptRead::kRead);
    EXPECT_TRUE(BuildCommand(session, {}));
  }
  ~PlantedFaults() override { TestContext().SetDialogs(nullptr); }

  // The lines listed under one page's heading in the check report.
  std::vector<std::string> LinesFor(const std::string& page) const {
    std::vector<std::string> result;
    bool bIn = false;
    for (const std::string& line : Split(TestContext().report.Text(), "\r\n")) {
      if (bIn && line.empty())
        break;
      if (bIn)
        result.push_back(line);
      if (StartsWith(line, page + " - C:\\planted\\"))
        bIn = true;
    }
    return result;
  }

  CTempDrive drive;
  CScriptedDialogs dialogs;
  CSiteSession session{TestContext()};
  int m_nProblems = -1;
};

TEST_F(PlantedFaults, EveryKindOfReferenceGetsTheRightAnswer) {
  ASSERT_TRUE(CheckCommand(session, {}, m_nProblems));

  EXPECT_EQ(LinesFor("Home"), std::vector<std::string>{"OK"});
  EXPECT_EQ(LinesFor("Opening"), std::vector<std::string>{"OK"});
  EXPECT_EQ(
      LinesFor("Positions"),
      (std::vector<std::string>{"Not found: missing-unquoted.html",
                                "Not found: missing-single.html", "Not found: missing-upper.html",
                                "Not found: missing-split.html", "missing-after.gif"}));
  // Links and stylesheets, scripts and frames in the order of the page, then the images; what
  // a script writes or a comment holds is not followed.
  EXPECT_EQ(
      LinesFor("Elements"),
      (std::vector<std::string>{"Not found: missing.css", "Not found: missing.js",
                                "Not found: missing-area.html", "Not found: missing-iframe.html",
                                "Not found: missing-frame.html", "missing-background.gif"}));
  EXPECT_EQ(
      LinesFor("Anchors"),
      (std::vector<std::string>{"#missing-here", "Not found: ../files/target.html#missing-there",
                                "Not found: positions.html#nowhere", "Appendix#notes"}));
  EXPECT_EQ(LinesFor("Queries"), std::vector<std::string>{"Not found: missing.html?x=1"});
  EXPECT_EQ(LinesFor("Elsewhere"),
            (std::vector<std::string>{"Not checked: http://www.example.org/",
                                      "Not checked: http://www.example.org/logo.gif"}));

  // A heading page has no file to load: only the problem line belongs in the report.
  EXPECT_EQ(TestContext().report.Text().find("Can't load"), std::string::npos)
      << TestContext().report.Text();
  EXPECT_EQ(m_nProblems, 16);
  EXPECT_TRUE(EndsWith(TestContext().report.Text(),
                       "\r\n\r\nPages checked: 7, problems: 16, web links not checked: 2\r\n"))
      << TestContext().report.Text();
}

TEST_F(PlantedFaults, WebLinksNotCheckedOfflineAreListedButAreNoErrors) {
  TestContext().report.ResetHighestLevel();
  ASSERT_TRUE(CheckCommand(session, {"pages/elsewhere.html"}, m_nProblems));
  EXPECT_EQ(LinesFor("Elsewhere").size(), 2u);
  EXPECT_EQ(m_nProblems, 0);
  EXPECT_EQ(TestContext().report.HighestLevel(), 2);
  EXPECT_EQ(TestContext().report.Alerts().size(), 2u);
  EXPECT_TRUE(EndsWith(TestContext().report.Text(),
                       "Pages checked: 1, problems: 0, web links not checked: 2\r\n"));
}

// A page whose file is missing is not checked, but its load failure counts as a problem.
TEST_F(PlantedFaults, APageThatWasNotBuiltIsAProblem) {
  drive.Remove("planted\\pages\\queries.html");
  ASSERT_TRUE(CheckCommand(session, {"pages/queries.html", "pages/elsewhere.html"}, m_nProblems));
  EXPECT_EQ(m_nProblems, 1);
  EXPECT_TRUE(EndsWith(TestContext().report.Text(),
                       "Pages checked: 1, problems: 1, web links not checked: 2\r\n"))
      << TestContext().report.Text();
}

}  // namespace
}  // namespace velmora
