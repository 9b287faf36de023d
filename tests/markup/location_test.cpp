#include <gtest/gtest.h>

#include "model/node.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class Location : public ::testing::Test {
 protected:
  void SetUp() override {
    m_drive.Write("site/keep.txt", "");
    m_node.m_strCatalog = "C:\\site\\";
    TestContext().report.Clear();
    TestContext().report.ResetHighestLevel();
    m_nSlashes = TestContext().settings.AllowForwardSlashes;
  }
  void TearDown() override { TestContext().settings.AllowForwardSlashes = m_nSlashes; }

  CTempDrive m_drive;
  CNode m_node{&EmptyTestSite()};
  int m_nSlashes = 0;
};

TEST_F(Location, SiteLocalPath) {
  ASSERT_TRUE(m_node.SetLocation("  pages\\a.html "));
  EXPECT_EQ(m_node.m_strRemotePath, "pages\\a.html");
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\pages\\a.html");
  EXPECT_EQ(m_node.m_strFileName, "a.html");
  EXPECT_TRUE(m_node.m_strUrl.empty());
  EXPECT_TRUE(m_node.m_strOutsidePath.empty());
}

TEST_F(Location, ForwardSlashesBothWays) {
  TestContext().settings.AllowForwardSlashes = 1;
  ASSERT_TRUE(m_node.SetLocation("pages/a.html"));
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\pages\\a.html");
  EXPECT_TRUE(m_node.m_strUrl.empty());

  TestContext().settings.AllowForwardSlashes = 0;
  ASSERT_TRUE(m_node.SetLocation("pages/a.html"));
  EXPECT_EQ(m_node.m_strUrl, "http://pages/a.html");
  EXPECT_EQ(m_node.m_strRemotePath, "imported\\a.html");
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\imported\\a.html");
  EXPECT_EQ(m_node.m_strFileName, "a.html");
}

TEST_F(Location, WebAddresses) {
  TestContext().settings.AllowForwardSlashes = 1;  // addresses that name the scheme stay addresses
  ASSERT_TRUE(m_node.SetLocation("HTTPS://www.x.org/~ann/blog/p.html"));
  EXPECT_EQ(m_node.m_strUrl, "https://www.x.org/~ann/blog/p.html");
  EXPECT_EQ(m_node.m_strRemotePath, "imported\\ann\\blog\\p.html");
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\imported\\ann\\blog\\p.html");

  // A path without a name gives no local place.
  EXPECT_FALSE(m_node.SetLocation("http://www.x.org/"));
  EXPECT_TRUE(m_node.m_strUrl.empty());
  EXPECT_TRUE(m_node.m_strLocalPath.empty());
  EXPECT_NE(TestContext().report.Text().find("Bad path: http://www.x.org/"), std::string::npos);
  EXPECT_EQ(TestContext().report.HighestLevel(), 3);
}

TEST_F(Location, AbsolutePaths) {
  ASSERT_TRUE(m_node.SetLocation("D:\\x\\y.html"));
  EXPECT_EQ(m_node.m_strOutsidePath, "D:\\x\\y.html");
  EXPECT_EQ(m_node.m_strRemotePath, "imported\\x\\y.html");
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\imported\\x\\y.html");
  EXPECT_EQ(m_node.m_strFileName, "y.html");

  ASSERT_TRUE(m_node.SetLocation("D:\\x\\..\\..\\.\\y.html"));
  EXPECT_EQ(m_node.m_strRemotePath, "imported\\x\\y.html");

  ASSERT_TRUE(m_node.SetLocation("c:\\site\\pages\\b.html"));
  EXPECT_TRUE(m_node.m_strOutsidePath.empty());
  EXPECT_EQ(m_node.m_strLocalPath, "c:\\site\\pages\\b.html");
  EXPECT_EQ(m_node.m_strRemotePath, "pages\\b.html");

  ASSERT_TRUE(m_node.SetLocation("C:\\other\\c.html"));
  EXPECT_EQ(m_node.m_strRemotePath, "..\\other\\c.html");
}

TEST_F(Location, RefusedLocations) {
  EXPECT_FALSE(m_node.SetLocation("x"));
  EXPECT_TRUE(TestContext().report.Text().empty());

  ASSERT_TRUE(m_node.SetLocation("a.html"));
  EXPECT_FALSE(m_node.SetLocation("server/page"));
  EXPECT_TRUE(m_node.m_strLocalPath.empty());
  EXPECT_TRUE(m_node.m_strRemotePath.empty());
  EXPECT_NE(TestContext().report.Text().find("Bad path: server/page"), std::string::npos);
  EXPECT_EQ(TestContext().report.HighestLevel(), 2);

  // Without the catalog folder a site-local path has no full path.
  m_node.m_strCatalog = "C:\\nothere\\";
  EXPECT_FALSE(m_node.SetLocation("a.html"));
}

TEST_F(Location, OnlyTheSchemeIsFolded) {
  ASSERT_TRUE(m_node.SetLocation("HTTPDOCS\\A.html"));
  EXPECT_EQ(m_node.m_strLocalPath, "C:\\site\\HTTPDOCS\\A.html");
}

}  // namespace
}  // namespace velmora
