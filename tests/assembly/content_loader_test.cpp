#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/content_loader.h"
#include "model/node.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "support/local_http_server.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

using testing::CLocalHttpServer;

bool HasLine(const std::string& line) {
  return TestContext().report.Text().find(line + "\r\n") != std::string::npos;
}
bool IsAlert(const std::string& line) {
  for (const std::string& alert : TestContext().report.Alerts())
    if (alert == line)
      return true;
  return false;
}

class ContentLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    m_server.Server().Get("/blocks/a.txt", [this](const httplib::Request&, httplib::Response& res) {
      ++m_nRequests;
      res.set_content("one\ntwo\n", "text/plain");
    });
    m_server.Server().Get("/blocks/gone.txt",
                          [this](const httplib::Request&, httplib::Response& res) {
                            ++m_nRequests;
                            res.status = 404;
                          });
    ASSERT_TRUE(m_server.Start());
    TestContext().SetDialogs(&m_dialogs);
    TestContext().report.Clear();
    TestContext().report.SetBatch(true);
    m_nInternet = TestContext().settings.Internet;
    m_node.m_strCatalog = "C:\\site\\";
  }
  void TearDown() override {
    TestContext().report.SetBatch(false);
    TestContext().settings.Internet = m_nInternet;
    TestContext().SetDialogs(nullptr);
  }

  // A node named by a web address, with its copy place under "imported".
  void NameByAddress(const std::string& path) {
    ASSERT_TRUE(m_node.SetLocation(m_server.Url(path)));
    ASSERT_EQ(m_node.m_strLocalPath, "C:\\site\\imported" + Backslashed(path));
  }
  static std::string Backslashed(std::string path) {
    for (char& c : path)
      if (c == '/')
        c = '\\';
    return path;
  }

  CLocalHttpServer m_server;
  CScriptedDialogs m_dialogs;
  CTempDrive m_drive;
  CNode m_node{&EmptyTestSite()};
  int m_nInternet = 0;
  std::atomic<int> m_nRequests{0};
};

TEST_F(ContentLoader, OfflineReadsOnlyTheLocalCopy) {
  TestContext().settings.Internet = 0;
  NameByAddress("/blocks/a.txt");
  EXPECT_FALSE(LoadContent(m_node));
  EXPECT_TRUE(IsAlert("Can't load local copy: C:\\site\\imported\\blocks\\a.txt"));

  m_drive.Write("site\\imported\\blocks\\a.txt", "copy\r\n");
  EXPECT_TRUE(LoadContent(m_node));
  EXPECT_EQ(m_node.m_strContent.substr(0, 4), "copy");
  EXPECT_EQ(m_nRequests, 0);
}

TEST_F(ContentLoader, OnlineFetchIsStoredWithCrLf) {
  TestContext().settings.Internet = 1;
  NameByAddress("/blocks/a.txt");
  EXPECT_TRUE(LoadContent(m_node));
  EXPECT_EQ(m_node.m_strContent, "one\r\ntwo\r\n");
  EXPECT_TRUE(HasLine("GET: " + m_node.m_strUrl + " OK"));
  EXPECT_TRUE(TestContext().report.Alerts().empty());
  EXPECT_EQ(m_drive.Read("site\\imported\\blocks\\a.txt"), "one\r\ntwo\r\n");
}

TEST_F(ContentLoader, FailedFetchFallsBackToTheCopy) {
  TestContext().settings.Internet = 1;
  NameByAddress("/blocks/gone.txt");
  std::string error = "GET: " + m_node.m_strUrl + " Code= 404";
  EXPECT_FALSE(LoadContent(m_node));
  EXPECT_TRUE(IsAlert(error));
  EXPECT_TRUE(HasLine("Can't load local copy: C:\\site\\imported\\blocks\\gone.txt"));
  EXPECT_FALSE(IsAlert("Can't load local copy: C:\\site\\imported\\blocks\\gone.txt"));

  m_drive.Write("site\\imported\\blocks\\gone.txt", "kept");
  TestContext().report.SetBatch(true);
  EXPECT_TRUE(LoadContent(m_node));
  EXPECT_EQ(m_node.m_strContent, "kept");
  EXPECT_TRUE(IsAlert(error));
  EXPECT_TRUE(HasLine("Loaded copy: C:\\site\\imported\\blocks\\gone.txt"));
  EXPECT_EQ(TestContext().report.Alerts().size(), 1u);
}

TEST_F(ContentLoader, FileOnAnotherDriveIsCopiedAndTheCopyOutlivesIt) {
  CTempDrive other('D');
  m_node.m_strOutsidePath = "D:\\x\\b.txt";
  m_node.m_strLocalPath = "C:\\site\\imported\\x\\b.txt";
  other.Write("x\\b.txt", "outside");
  EXPECT_TRUE(LoadContent(m_node));
  EXPECT_EQ(m_node.m_strContent, "outside");
  EXPECT_TRUE(m_drive.Exists("site\\imported\\x\\b.txt"));

  std::filesystem::remove(other.HostFolder() + "/x/b.txt");
  EXPECT_TRUE(LoadContent(m_node));
  EXPECT_EQ(m_node.m_strContent, "outside");
  EXPECT_TRUE(IsAlert("Can't load file: D:\\x\\b.txt"));

  // With neither file the local path is named as well.
  std::filesystem::remove(m_drive.HostFolder() + "/site/imported/x/b.txt");
  EXPECT_FALSE(LoadContent(m_node));
  EXPECT_TRUE(IsAlert("Can't load file: C:\\site\\imported\\x\\b.txt"));
}

}  // namespace
}  // namespace velmora
