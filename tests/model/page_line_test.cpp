#include <gtest/gtest.h>

#include <string>

#include "model/node.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

// A page of a site whose catalog is C:\site\ on a temporary drive.
class CTestPage : public CPage {
 public:
  CTestPage() : CPage(&EmptyTestSite()) { m_strCatalog = "C:\\site\\"; }
};

struct CParsed {
  bool m_bValid;
  std::string m_strType;
  std::string m_strOption;
};

class PageLine : public ::testing::Test {
 protected:
  void SetUp() override { m_drive.Write("site/keep.txt", ""); }
  static CParsed Parse(const std::string& line) {
    CTestPage page;
    bool bValid = page.ParseLine(line);
    return {bValid, page.m_strType, page.m_strOption};
  }
  CTempDrive m_drive;
};

TEST_F(PageLine, FieldCountAndLevel) {
  EXPECT_FALSE(Parse("LAYOUT=old").m_bValid);
  EXPECT_FALSE(Parse("1,a,P,a.html,au,msg,K,extra").m_bValid);

  CTestPage page;
  ASSERT_TRUE(page.ParseLine("  3x , My page "));
  EXPECT_EQ(page.m_nLevel, 3);
  EXPECT_EQ(page.m_strName, "My page");
  EXPECT_TRUE(page.m_strType.empty());
  EXPECT_TRUE(page.m_strLocalPath.empty());  // no location: SetLocation is not asked

  CTestPage noDigits;
  ASSERT_TRUE(noDigits.ParseLine("top,Name,,,,,"));
  EXPECT_EQ(noDigits.m_nLevel, 0);
}

TEST_F(PageLine, EmptyLocationIsValidAndReadsNoFurther) {
  CTestPage page;
  ASSERT_TRUE(page.ParseLine("1,Heading,Anything, ,author,message,N"));
  EXPECT_EQ(page.m_strType, "Anything");
  EXPECT_TRUE(page.m_strAuthor.empty());
  EXPECT_TRUE(page.m_strOption.empty());
}

TEST_F(PageLine, OptionsFollowTheLocation) {
  CTestPage page;
  ASSERT_TRUE(page.ParseLine("2 , Name , P , pages\\a.html , Ann , Hello , X "));
  EXPECT_EQ(page.m_strRemotePath, "pages\\a.html");
  EXPECT_EQ(page.m_strAuthor, "Ann");
  EXPECT_EQ(page.m_strMessage, "Hello");
  EXPECT_EQ(page.m_strType, "P");
  EXPECT_EQ(page.m_strOption, "X");

  // Pages from elsewhere and pages without type are kept as they are.
  CParsed web = Parse("1,Web,P,http://example.org/a.html");
  EXPECT_TRUE(web.m_bValid);
  EXPECT_EQ(web.m_strType, "");
  EXPECT_EQ(web.m_strOption, "K");
  EXPECT_EQ(Parse("1,Other,P,D:\\x\\a.html,,,").m_strOption, "K");
  CParsed kept = Parse("1,Kept,P,a.html,,,K");
  EXPECT_EQ(kept.m_strType, "");
  EXPECT_EQ(kept.m_strOption, "K");
  EXPECT_EQ(Parse("1,Untyped,,a.html").m_strOption, "K");

  // A location that gives no local file refuses the page, unless it is only linked to.
  EXPECT_FALSE(Parse("1,Bad,P,nodot").m_bValid);
  CParsed linked = Parse("1,Linked,P,nodot,,,N");
  EXPECT_TRUE(linked.m_bValid);
  EXPECT_EQ(linked.m_strType, "P");
  EXPECT_EQ(linked.m_strOption, "N");
}

}  // namespace
}  // namespace velmora
