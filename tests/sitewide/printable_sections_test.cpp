#include <gtest/gtest.h>

#include "model/web_site.h"

namespace velmora {
namespace {

// A built page in the "pages" folder of the site, with its text in memory.
class PrintableSections : public ::testing::Test {
 protected:
  PrintableSections() : site({}), page(&site) {
    page.m_strRemotePath = "pages\\a.html";
    page.m_strLocalPath = "C:\\site\\pages\\a.html";
  }
  CWebSite site;
  CPage page;
};

TEST_F(PrintableSections, EachSectionIsAnchoredAfterThePage) {
  page.SetContent(
      "skip<!--PRINTABLE-->one<!--/PRINTABLE-->skip<!--PRINTABLE-->two<!--/PRINTABLE-->"
      "<!--PRINTABLE-->never closed");
  EXPECT_EQ(page.ExtractPrintableSections("C:\\site\\Pall.html", false, false),
            "<a name=\"pages-a-html\">one<a name=\"pages-a-html\">two");
  EXPECT_EQ(page.ExtractPrintableSections("C:\\site\\Pall.html", true, false), "onetwo");
}

TEST_F(PrintableSections, ImagesAndLinksArePointedFromThePrintPage) {
  page.SetContent(
      "<!--PRINTABLE--><IMG SRC=\"pic.gif\"> <img src=\"../gfx/logo.gif\">"
      "<img src=\"http://x.org/i.gif\"> <img src=\"img/pic.gif\">"
      "<A HREF=\"b.html#s\">B</a> <a href=\"#top\">top</a> <a href=\"mailto:x@y.z\">m</a>"
      " HTTP and SRC stay as written<!--/PRINTABLE-->");
  EXPECT_EQ(page.ExtractPrintableSections("C:\\site\\Pall.html", false, false),
            "<a name=\"pages-a-html\"><img src=\"pages/pic.gif\"> <img src=\"../gfx/logo.gif\">"
            "<img src=\"http://x.org/i.gif\"> <img src=\"pages/img/pic.gif\">"
            "<a href=\"pages/b.html#s\">B</a> <a href=\"#top\">top</a>"
            " <a href=\"mailto:x@y.z\">m</a> HTTP and SRC stay as written");
  // With the links kept, only the images move.
  EXPECT_NE(page.ExtractPrintableSections("C:\\site\\Pall.html", false, true)
                .find("<a href=\"b.html#s\">"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
