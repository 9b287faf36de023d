#include <gtest/gtest.h>

#include <cstdlib>

#include "assembly/page_steps.h"
#include "model/node.h"
#include "model/web_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class ValueTagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SOURCE_DATE_EPOCH", "1015300800", 1);  // 5 March 2002, midday UTC
    site.m_strSiteName = "MySite";
    site.m_strSiteAuthor = "<a href=\"mailto:ann@example.org\">Ann</a>";
    site.m_strSiteOrg = "http://example.org/";
    site.m_strKeywords = "boats, sails";
    site.m_strMessage = "Hello all";
    for (int i = 0; i < 3; ++i) site.AddPage(std::make_unique<CPage>(&site));
    page = site.Pages()[1].get();
    page->m_strName = "Second page";
    page->m_strNumber = "2";
  }
  void TearDown() override { unsetenv("SOURCE_DATE_EPOCH"); }

  std::string Expand(std::string text) {
    ExpandValueTags(*page, site, text);
    return text;
  }

  CWebSite site{TestContext(), {}};
  CPage* page = nullptr;
};

TEST_F(ValueTagsTest, PairedTagsKeepTheirTagsSoAWrittenPageExpandsTheSameAgain) {
  const std::string once = Expand(
      "<title>Any page</title><p><!--SITENAME--> NAME <!--/SITENAME--></p>"
      "<!--PAGENAME-->x<!--/PAGENAME--> <!--PAGENO--><!--/PAGENO-->/"
      "<!--PAGECOUNT--><!--/PAGECOUNT-->");
  EXPECT_EQ(once,
            "<title>Second page</title><p><!--SITENAME-->MySite<!--/SITENAME--></p>"
            "<!--PAGENAME-->Second page<!--/PAGENAME--> <!--PAGENO-->2<!--/PAGENO-->/"
            "<!--PAGECOUNT-->3<!--/PAGECOUNT-->");
  EXPECT_EQ(Expand(once), once);
}

TEST_F(ValueTagsTest, EveryOccurrenceOfATagGetsItsValue) {
  EXPECT_EQ(Expand("<!--DATE--><!--/DATE--> and <!--DATE-->2000<!--/DATE-->"),
            "<!--DATE-->March 05, 2002<!--/DATE--> and <!--DATE-->March 05, 2002<!--/DATE-->");
  EXPECT_EQ(Expand("<TITLE>a</TITLE><title>b</title>"),
            "<TITLE>Second page</TITLE><title>Second page</title>");
}

// Site values written into attribute values are escaped; a doctype page's to-top link has no
// attribute HTML5 dropped.
TEST_F(ValueTagsTest, AttributeValuesAreEscapedAndToTopFitsTheDoctype) {
  site.m_strSiteOrg = "http://example.org/?a=1&b=\"2\"";
  site.m_strKeywords = "R&D, <tags>";
  EXPECT_EQ(Expand("<!--SITEORG/--><a href=\"x\"><meta name=\"keywords\" content=\"\">"),
            "<!--SITEORG/--><a href=\"http://example.org/?a=1&amp;b=&quot;2&quot;\">"
            "<meta name=\"keywords\" content=\"R&amp;D, &lt;tags&gt;\">");
  EXPECT_NE(Expand("<!--TOTOP/-->").find("border=\"0\""), std::string::npos);
  const std::string html5 = Expand("<!DOCTYPE html>\n<!--TOTOP/-->");
  EXPECT_EQ(html5.find("border="), std::string::npos);
  EXPECT_NE(html5.find("<a href=\"#TopOfPage\"><img src=\"gfx/up.gif\""), std::string::npos);
}

TEST_F(ValueTagsTest, AStartTagWithoutEndTagStaysAsItIs) {
  EXPECT_EQ(Expand("<!--SITENAME--> x <!--SITENAME--> y"), "<!--SITENAME--> x <!--SITENAME--> y");
}

TEST_F(ValueTagsTest, EmptyPageAuthorAndMessageTakeTheSiteValuesAndKeepThem) {
  EXPECT_EQ(Expand("<!--PAGEAUTHOR-->?<!--/PAGEAUTHOR--><!--AMESSAGE-->?<!--/AMESSAGE-->"),
            "<!--PAGEAUTHOR-->" + site.m_strSiteAuthor + "<!--/PAGEAUTHOR-->" +
                "<!--AMESSAGE-->Hello all<!--/AMESSAGE-->");
  EXPECT_EQ(page->m_strAuthor, site.m_strSiteAuthor);
  EXPECT_EQ(page->m_strMessage, "Hello all");

  page->m_strAuthor = "Bob";
  EXPECT_EQ(Expand("<!--PAGEAUTHOR--><!--/PAGEAUTHOR-->"),
            "<!--PAGEAUTHOR-->Bob<!--/PAGEAUTHOR-->");
}

TEST_F(ValueTagsTest, EmptySiteValuesLeaveTheTemplateText) {
  site.m_strSiteName.clear();
  site.m_strKeywords.clear();
  site.m_strSiteOrg.clear();
  const std::string text =
      "<meta name=\"keywords\" content=\"old\"><!--SITENAME--> NAME <!--/SITENAME-->"
      "<!--SITEORG/--><a href=\"http://org/\">";
  EXPECT_EQ(Expand(text), text);
}

TEST_F(ValueTagsTest, OnlyTheFirstKeywordsElementInUpperOrLowerCaseIsChanged) {
  EXPECT_EQ(
      Expand("<meta name=\"KEYWORDS\" content=\"old\"><meta name=\"keywords\" content=\"x\">"),
      "<meta name=\"KEYWORDS\" content=\"boats, sails\"><meta name=\"keywords\" content=\"x\">");
  EXPECT_EQ(Expand("<meta name=\"keywords\" CONTENT=\"old\">"),
            "<meta name=\"keywords\" CONTENT=\"boats, sails\">");
  const std::string mixed = "<meta name=\"Keywords\" content=\"old\">";
  EXPECT_EQ(Expand(mixed), mixed);
}

TEST_F(ValueTagsTest, SiteOrgMarkerSetsTheFollowingLinksInBothCases) {
  EXPECT_EQ(Expand("<!--SITEORG/--><a href=\"x\"><!--siteorg/--><A HREF=\"y\">"),
            "<!--SITEORG/--><a href=\"http://example.org/\"><!--siteorg/--><A HREF=\""
            "http://example.org/\">");
}

TEST_F(ValueTagsTest, ValuesAreSearchedByTheLaterTagsOnly) {
  site.m_strSiteAuthor = "by <!--SITENAME--><!--/SITENAME-->";
  site.m_strSiteName = "Site <!--SITEAUTHOR--><!--/SITEAUTHOR-->";
  EXPECT_EQ(Expand("<!--SITEAUTHOR--><!--/SITEAUTHOR-->|<!--SITENAME--><!--/SITENAME-->"),
            "<!--SITEAUTHOR-->by <!--SITENAME-->Site <!--SITEAUTHOR--><!--/SITEAUTHOR-->"
            "<!--/SITENAME--><!--/SITEAUTHOR-->|<!--SITENAME-->Site <!--SITEAUTHOR-->"
            "<!--/SITEAUTHOR--><!--/SITENAME-->");
}

TEST_F(ValueTagsTest, ToTopMarkerBecomesTheToTopParagraph) {
  EXPECT_EQ(Expand("a<!--TOTOP/-->b"),
            "a\r\n<p><a href=\"#TopOfPage\"><img src=\"gfx/up.gif\" alt=\"TopOfPage\" width=\"17\" "
            "height=\"9\" border=\"0\"></a></p>\r\nb");
}

}  // namespace
}  // namespace velmora
