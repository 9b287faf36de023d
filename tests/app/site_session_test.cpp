#include "app/site_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/commands.h"
#include "model/script_lines.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class SiteSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-session-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_folder + "/site");
    m_savedDrive = TestContext().drives.HostFolder('C');
    TestContext().drives.SetDrive('C', m_folder);
    TestContext().SetDialogs(&m_dialogs);
  }
  void TearDown() override {
    TestContext().SetDialogs(nullptr);
    TestContext().drives.SetDrive('C', m_savedDrive);
    std::filesystem::remove_all(m_folder);
  }

  std::string m_folder, m_savedDrive;
  CScriptedDialogs m_dialogs;
  CSiteSession m_session{TestContext()};
};

const char kGoodScript[] =
    "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nTEMPLATES=templates\r\nRESOURCES=gfx\r\n"
    "1,Home,I,index.html\r\nBLOCKS:blocks\\home.html\r\n1,About,P,about.html\r\n";

TEST_F(SiteSessionTest, SuccessKeepsTheSiteAndFailureLeavesNone) {
  m_session.m_strScriptText = kGoodScript;
  ASSERT_TRUE(m_session.LoadAndInterpret()) << TestContext().report.Text();
  ASSERT_NE(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(m_session.m_publishedList.Count(), 2);

  // A failed load deletes the old site, and the list no longer points at its pages.
  m_session.m_strScriptText = "VERSION=2.0\r\nCATALOG=\r\n1,Home,I,index.html\r\n";
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(m_session.m_publishedList.Count(), 0);
  EXPECT_NE(TestContext().report.Text().find("FATAL ERROR"), std::string::npos);
}

TEST_F(SiteSessionTest, ScriptsRefusedBeforeInterpretation) {
  m_session.m_strScriptText = "VERSION=2.0\r\n// a comment\r\nab\r\nCATALOG=C:\\site\\\r\n";
  TestContext().report.ResetHighestLevel();
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(TestContext().report.Text(), "To few valid lines in script\r\n");
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);
  EXPECT_EQ(m_dialogs.m_messages, std::vector<std::string>{"To few valid lines in script"});

  // A script of the current format whose version line is commented out is not converted, nor
  // is its file touched: it does not read as a script of the older format.
  m_session.m_strScriptPath = "C:\\mine.txt";
  m_session.m_strScriptText =
      "// VERSION=2.0\r\nCATALOG=C:\\site\\\r\n1,Home,I,index.html\r\n1,About,P,about.html\r\n";
  m_dialogs = CScriptedDialogs();
  m_dialogs.m_bDefaultAnswer = true;
  TestContext().report.ResetHighestLevel();
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);
  const std::string refusal = FormatText(kNotOlderScriptText, "C:\\mine.txt");
  EXPECT_EQ(TestContext().report.Text(), refusal + "\r\n");
  EXPECT_EQ(m_dialogs.m_messages, std::vector<std::string>{refusal});
  EXPECT_TRUE(m_dialogs.m_questions.empty());
  EXPECT_FALSE(std::filesystem::exists(m_folder + "/mine.txt"));
}

TEST_F(SiteSessionTest, AnOlderScriptIsConvertedOnlyWhenTheUserAccepts) {
  const std::string older =
      "CATALOG=C:\\site\\\r\nORG=http://www.example.org/\r\n1,I,Home,index.html,,,,M\r\n"
      "1,P,About,about.html,,,,M\r\n";
  m_session.m_strScriptText = older;
  TestContext().report.ResetHighestLevel();
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);
  EXPECT_NE(TestContext().report.Text().find("older format"), std::string::npos);
  EXPECT_EQ(m_dialogs.m_questions.size(), 1u);
  EXPECT_EQ(m_session.m_strScriptText, older);

  // Accepting the conversion rewrites the script, but this load still fails.
  m_session.m_strScriptPath = "C:\\old.txt";
  m_dialogs.m_answers = {true};
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_TRUE(StartsWith(m_session.m_strScriptText, "VERSION=2.0\r\n"));
  std::string written;
  ASSERT_TRUE(TestContext().Disk().ReadFile("C:\\old.txt", written));
  EXPECT_EQ(written, m_session.m_strScriptText);
  ASSERT_TRUE(m_session.LoadAndInterpret()) << TestContext().report.Text();
}

// The converted script goes back to its file in the encoding the file had.
TEST_F(SiteSessionTest, AConvertedScriptKeepsItsEncoding) {
  const std::string older =
      "CATALOG=C:\\site\\\nSITENAME=Caf\xC3\xA9\nLAYOUT=N\n1,I,Home,index.html,,,,M\n";
  for (ETextEncoding encoding : {ETextEncoding::kUtf16Le, ETextEncoding::kUtf8Bom}) {
    std::filesystem::remove(m_folder + "/old.txt");
    ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\old.txt", EncodeText(older, encoding)));
    ASSERT_EQ(m_session.LoadScript("C:\\old.txt"), EScriptRead::kRead);
    EXPECT_EQ(m_session.m_eScriptEncoding, encoding);
    ASSERT_TRUE(ConvertCommand(m_session)) << TestContext().report.Text();
    std::string written;
    ASSERT_TRUE(TestContext().Disk().ReadFile("C:\\old.txt", written));
    EXPECT_EQ(written,
              EncodeText("VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Caf\xC3\xA9\r\n\r\n"
                         "1,Home,I,index.html",
                         encoding));
    // Read again, it is of the current format, and converting it does nothing.
    ASSERT_EQ(m_session.LoadScript("C:\\old.txt"), EScriptRead::kRead);
    ASSERT_TRUE(m_session.LoadAndInterpret()) << TestContext().report.Text();
    EXPECT_EQ(m_session.m_pWebSite->m_strSiteName, "Caf\xC3\xA9");
  }
}

// The convert command refuses what does not read as a script of the older format.
TEST_F(SiteSessionTest, ConvertRefusesOtherTexts) {
  const std::string notes = "shopping\r\nmilk, eggs\r\nbread\r\n";
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\notes.txt", notes));
  ASSERT_EQ(m_session.LoadScript("C:\\notes.txt"), EScriptRead::kRead);
  TestContext().report.ResetHighestLevel();
  EXPECT_FALSE(ConvertCommand(m_session));
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);
  EXPECT_NE(TestContext().report.Text().find(FormatText(kNotOlderScriptText, "C:\\notes.txt")),
            std::string::npos);
  std::string after;
  ASSERT_TRUE(TestContext().Disk().ReadFile("C:\\notes.txt", after));
  EXPECT_EQ(after, notes);
}

}  // namespace
}  // namespace velmora
