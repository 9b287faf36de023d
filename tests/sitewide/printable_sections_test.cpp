#include <gtest/gtest.h>

#include "assembly/printable_sections.h"
#include "model/web_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

// A built page in the "pages" folder of the site, with its text in memory.
class PrintableSections : public ::testing::Test {
 protected:
  PrintableSections() : site(TestContext(), {}), page(&site) {
    page.m_strRemotePath = "pages\\a.html";
    page.m_strLocalPath = "C:\\site\\pages\\a.html";
  }
  CWebSite site;
  CPage page;
};

using EAnchor = EPrintAnchor;

// One closed anchor before the first section: the page's sections would otherwise nest in an
// unclosed link, and its name would stand twice.
TEST_F(PrintableSections, OnlyTheFirstSectionIsAnchored) {
  page.SetContent(
      "skip<!--PRINTABLE-->one<!--/PRINTABLE-->skip<!--PRINTABLE-->two<!--/PRINTABLE-->"
      "<!--PRINTABLE-->never closed");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kName),
            "<a name=\"pages-a-html\"></a>onetwo");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kNone),
            "onetwo");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", true, false, EAnchor::kName),
            "onetwo");
}

TEST_F(PrintableSections, AnchorNamesFromFileNamesAreEscapedAndIdsFragmentSafe) {
  page.m_strRemotePath = "pages\\r&d notes.html";
  page.SetContent("<!--PRINTABLE-->one<!--/PRINTABLE-->");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kName),
            "<a name=\"pages-r&amp;d notes-html\"></a>one");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kId),
            "<a id=\"pages-r&amp;d-notes-html\"></a>one");
  // Links and images are read as the browser reads them, and written back escaped.
  page.SetContent(
      "<!--PRINTABLE--><a href=\"r&amp;d.html?a=1&b=2#x\">x</a>"
      "<img src=\"r&amp;d.gif\"><!--/PRINTABLE-->");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kNone),
            "<a href=\"pages/r&amp;d.html?a=1&amp;b=2#x\">x</a><img src=\"pages/r&amp;d.gif\">");
}

TEST_F(PrintableSections, ImagesAndLinksArePointedFromThePrintPage) {
  page.SetContent(
      "<!--PRINTABLE--><IMG SRC=\"pic.gif\"> <img src=\"../gfx/logo.gif\">"
      "<img src=\"http://x.org/i.gif\"> <img src=\"img/pic.gif\">"
      "<A HREF=\"b.html#s\">B</a> <a href=\"#top\">top</a> <a href=\"mailto:x@y.z\">m</a>"
      " HTTP and SRC stay as written<!--/PRINTABLE-->");
  EXPECT_EQ(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, false, EAnchor::kName),
            "<a name=\"pages-a-html\"></a><img src=\"pages/pic.gif\"> <img src=\"../gfx/logo.gif\">"
            "<img src=\"http://x.org/i.gif\"> <img src=\"pages/img/pic.gif\">"
            "<a href=\"pages/b.html#s\">B</a> <a href=\"#top\">top</a>"
            " <a href=\"mailto:x@y.z\">m</a> HTTP and SRC stay as written");
  // With the links kept, only the images move.
  EXPECT_NE(ExtractPrintableSections(page, "C:\\site\\Pall.html", false, true, EAnchor::kName)
                .find("<a href=\"b.html#s\">"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
