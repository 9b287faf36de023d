#include <gtest/gtest.h>

#include "assembly/footers.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/report.h"
#include "support/test_context.h"

namespace velmora {
namespace {

const std::string kStamp = "<a href=\"http://www.velmora.org/\" target=\"other\">Velmora 2.0</a>";

class FinishTest : public ::testing::Test {
 protected:
  std::string Finished(const std::string& type, const std::string& text) {
    CPage page(&site);
    page.m_strType = type;
    page.m_strContent = text;
    FinishPage(page);
    return page.m_strContent;
  }
  CWebSite site{TestContext(), {}};
};

TEST_F(FinishTest, StampElementsAreFilledUnlessSwitchedOffAndNoFooterIsAdded) {
  EXPECT_EQ(Finished("P", "<body><!--STAMP--> <!--/STAMP--></body>"),
            "<body><!--STAMP-->" + kStamp + "<!--/STAMP--></body>");
  EXPECT_EQ(Finished("P", "<!--STAMP SHOW=\"OFF\"--><!--/STAMP--></body>"),
            "<!--STAMP SHOW=\"OFF\"--><!--/STAMP--></body>");
  EXPECT_EQ(
      Finished("P", "<!--STAMP SHOW=\"OFF\"--><!--/STAMP--><!--STAMP X=\"1\"-->a<!--/STAMP-->"),
      "<!--STAMP SHOW=\"OFF\"--><!--/STAMP--><!--STAMP X=\"1\"-->" + kStamp + "<!--/STAMP-->");
}

TEST_F(FinishTest, WithoutStampPlaceAFooterLineGoesAfterTheMessageElseBeforeTheBodyEnd) {
  const std::string left = "<div class=\"leftfooter\">" + kStamp + "</div>";
  const std::string main = "<div class=\"mainfooter\">" + kStamp + "</div>";
  EXPECT_EQ(Finished("FP", "<!--AMESSAGE-->hi<!--/AMESSAGE--><br>\r\n</body>"),
            "<!--AMESSAGE-->hi<!--/AMESSAGE-->\r\n" + left + "\r\n</body>");
  EXPECT_EQ(Finished("FP", "x</body>"), "x" + left + "\r\n</body>");
  EXPECT_EQ(Finished("PP", "x</BODY>"), "x" + left + "\r\n</BODY>");
  EXPECT_EQ(Finished("P", "x</html>"), "x" + main + "\r\n</html>");
  EXPECT_EQ(Finished("", "x"), "x");
}

TEST_F(FinishTest, FinishingTwiceAddsTheFooterOnce) {
  CPage page(&site);
  page.m_strType = "FP";
  page.m_strContent = "<p>x</p></body>";
  FinishPage(page);
  const std::string once = page.m_strContent;
  FinishPage(page);
  EXPECT_EQ(page.m_strContent, once);
  EXPECT_NE(once.find("leftfooter"), std::string::npos);
}

}  // namespace
}  // namespace velmora
