#include "app/site_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {
namespace {

class SiteSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-session-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_folder + "/site");
    m_savedDrive = theDriveMap.HostFolder('C');
    theDriveMap.SetDrive('C', m_folder);
    SetDialogs(&m_dialogs);
  }
  void TearDown() override {
    SetDialogs(nullptr);
    theDriveMap.SetDrive('C', m_savedDrive);
    std::filesystem::remove_all(m_folder);
  }

  std::string m_folder, m_savedDrive;
  CScriptedDialogs m_dialogs;
  CSiteSession m_session;
};

const char kGoodScript[] =
    "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nTEMPLATES=templates\r\nRESOURCES=gfx\r\n"
    "1,Home,I,index.html\r\nBLOCKS:blocks\\home.html\r\n1,About,P,about.html\r\n";

TEST_F(SiteSessionTest, SuccessKeepsTheSiteAndFailureLeavesNone) {
  m_session.m_strScriptText = kGoodScript;
  ASSERT_TRUE(m_session.LoadAndInterpret()) << theReport.Text();
  ASSERT_NE(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(m_session.m_publishedList.Count(), 2);

  // A failed load deletes the old site, and the list no longer points at its pages.
  m_session.m_strScriptText = "VERSION=2.0\r\nCATALOG=\r\n1,Home,I,index.html\r\n";
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(m_session.m_publishedList.Count(), 0);
  EXPECT_NE(theReport.Text().find("FATAL ERROR"), std::string::npos);
}

TEST_F(SiteSessionTest, ScriptsRefusedBeforeInterpretation) {
  m_session.m_strScriptText = "VERSION=2.0\r\n// a comment\r\nab\r\nCATALOG=C:\\site\\\r\n";
  theReport.ResetHighestLevel();
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(theReport.Text(), "To few valid lines in script\r\n");
  EXPECT_EQ(theReport.HighestLevel(), 4);
  EXPECT_EQ(m_dialogs.m_messages, std::vector<std::string>{"To few valid lines in script"});

  // Only a line that begins with the version counts; a commented one does not.
  m_session.m_strScriptText =
      "// VERSION=2.0\r\nCATALOG=C:\\site\\\r\n1,Home,I,index.html\r\n"
      "1,About,P,about.html\r\n";
  theReport.ResetHighestLevel();
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_EQ(theReport.HighestLevel(), 4);
  EXPECT_NE(theReport.Text().find("older format"), std::string::npos);

  // Accepting the conversion rewrites the script, but this load still fails.
  m_session.m_strScriptPath = "C:\\old.txt";
  m_dialogs.m_answers = {true};
  EXPECT_FALSE(m_session.LoadAndInterpret());
  EXPECT_EQ(m_session.m_pWebSite, nullptr);
  EXPECT_TRUE(StartsWith(m_session.m_strScriptText, "VERSION=2.0\r\n"));
  std::string written;
  ASSERT_TRUE(Disk().ReadFile("C:\\old.txt", written));
  EXPECT_EQ(written, m_session.m_strScriptText);
  ASSERT_TRUE(m_session.LoadAndInterpret()) << theReport.Text();
}

}  // namespace
}  // namespace velmora
