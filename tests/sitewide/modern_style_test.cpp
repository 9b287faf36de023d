// A new site in the modern style builds from its own templates and stylesheet: every page is
// HTML5 in the site's language, and every tag the templates carry is filled.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/site_session.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/resources.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class ModernSite : public ::testing::Test {
 protected:
  ModernSite() {
    TestContext().SetDialogs(&m_dialogs);
    TestContext().settings = CBuildSettings();
  }
  ~ModernSite() override { TestContext().SetDialogs(nullptr); }

  void MakeAndBuild(const std::string& language) {
    ASSERT_TRUE(NewSiteCommand(TestContext(), "C:\\site\\script.txt", false, "", "",
                               ETemplateStyle::kModern, language));
    CSiteSession session{TestContext()};
    ASSERT_EQ(session.LoadScript("C:\\site\\script.txt"), EScriptRead::kRead);
    ASSERT_TRUE(BuildCommand(session, {}));
    m_strReport = TestContext().report.Text();
  }

  CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  std::string m_strReport;
};

TEST_F(ModernSite, EveryPageIsHtml5WithItsChromeFilled) {
  MakeAndBuild("fr");
  // The build found every template and the stylesheet, so no built-in default was used for them.
  EXPECT_EQ(m_strReport.find("Template type:"), std::string::npos) << m_strReport;
  EXPECT_EQ(m_strReport.find("Using original: def.css"), std::string::npos);
  EXPECT_EQ(m_drive.Read("site/gfx/def.css"), LoadResourceText("modern.css"));

  for (const char* file : {"index.html", "pages/toc.html", "pages/pageone.html",
                           "pages/pagetwo.html", "pages/ix.html", "pages/allpages.html"}) {
    SCOPED_TRACE(file);
    std::string page = m_drive.Read(std::string("site/") + file);
    EXPECT_TRUE(StartsWith(page, "<!DOCTYPE html>\r\n<html lang=\"fr\">\r\n"));
    for (const char* part :
         {"<meta charset=\"utf-8\">", "name=\"viewport\"",
          "<a class=\"skip-link\" href=\"#content\">", "<header", "<main id=\"content\"", "<footer",
          "id=\"TopOfPage\"", "<!--SITENAME-->MySite<!--/SITENAME-->",
          "<a href=\"mailto:myself@example.com\">My Self</a><!--/SITEAUTHOR-->", "<!--DATE-->"})
      EXPECT_NE(page.find(part), std::string::npos) << part;
    // No placeholder of the templates is left.
    for (const char* left : {"<title>Any page</title>", " NAME ", "webmaster@example.org",
                             "www.example.org", "<!--INPUT/-->", "<!--DATE-->2000<"})
      EXPECT_EQ(page.find(left), std::string::npos) << left;
  }

  // A page below the catalog: menu, trail, neighbours, local contents and resources all
  // point where they should from its folder.
  std::string one = m_drive.Read("site/pages/pageone.html");
  for (const char* part :
       {"<link rel=\"stylesheet\" href=\"../gfx/def.css\">",
        "<!--HOME/--><a class=\"brand\" href=\"../index.html\">",
        "<!--PREV/--><a href=\"toc.html\" rel=\"prev\">",
        "<!--NEXT/--><a href=\"pagetwo.html\" rel=\"next\">", "<div class=\"aclevel1\">Page1</div>",
        "<div class=\"clevel1\"><a href=\"ix.html\">",
        "<!--TRAIL--><a href=\"../index.html\">Home</a> > Page1<!--/TRAIL-->",
        "<h1><!--PAGENAME-->Page1<!--/PAGENAME--></h1><!--LOCALTOC LEVEL=\"2\" WIDTH=\"60\"-->"
        "<p class=\"localtoc\">",
        "<p><a href=\"#TopOfPage\"><img src=\"../gfx/up.gif\""})
    EXPECT_NE(one.find(part), std::string::npos) << part;
  EXPECT_EQ(one.find("STAMP"), std::string::npos);

  std::string home = m_drive.Read("site/index.html");
  EXPECT_NE(home.find("<h1>Welcome</h1>"), std::string::npos);
  EXPECT_NE(home.find("Velmora 2.0</a><!--/STAMP-->"), std::string::npos);
  EXPECT_NE(
      m_drive.Read("site/pages/toc.html").find("<div class=\"tlevel1\"><a href=\"pageone.html\">"),
      std::string::npos);
  // The print page gathers the printable parts of the pages, the home page's introduction too.
  std::string all = m_drive.Read("site/pages/allpages.html");
  EXPECT_NE(all.find("<h1><!--PAGENAME-->Page2<!--/PAGENAME--></h1>"), std::string::npos);
  EXPECT_NE(all.find("class=\"cards\""), std::string::npos);
  EXPECT_NE(all.find("Velmora 2.0</a><!--/STAMP-->"), std::string::npos);
}

}  // namespace
}  // namespace velmora
