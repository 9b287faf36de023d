#include "app/new_site.h"

#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/strings.h"
#include "res/resources.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  return Split(text, "\r\n");
}

size_t CountLinesBetween(const std::string& text, const std::string& first,
                         const std::string& last) {
  std::vector<std::string> lines = Lines(text);
  auto a = std::find(lines.begin(), lines.end(), first);
  auto b = std::find(lines.begin(), lines.end(), last);
  return a == lines.end() || b == lines.end() ? 0 : static_cast<size_t>(b - a + 1);
}

TEST(NewSite, ScriptPageLinesOfBothVariants) {
  std::string plain = BuildDefaultScript(false, "C:\\s", "templates", "gfx");
  std::string frames = BuildDefaultScript(true, "C:\\s", "templates", "gfx");
  EXPECT_EQ(CountLinesBetween(plain, "1,Home,I,index.html", "BLOCKS:blocks\\src_ix.html"), 10u);
  EXPECT_EQ(CountLinesBetween(frames, "0,Frameset,FF,index.html", "BLOCKS:blocks\\src_ix.html"),
            11u);
  EXPECT_EQ(Lines(frames)[1], "// Frames");
  EXPECT_EQ(Lines(plain)[1], "// General site section");
  EXPECT_TRUE(EndsWith(plain, "//.. is empty\r\n\r\n"));
  EXPECT_TRUE(EndsWith(frames, "//Collect section\r\n//.. is empty\r\n\r\n"));
  EXPECT_NE(plain.find("\r\nCATALOG=C:\\s\r\nTEMPLATES=templates\r\nRESOURCES=gfx\r\n"),
            std::string::npos);
  EXPECT_EQ(frames.find("Sitemap"), std::string::npos);
  EXPECT_NE(frames.find("\r\n\r\n0,Frameset,FF,index.html\r\n0,Topframe,FT,top.html\r\n"
                        "0,Leftframe,FL,left.html\r\n1,Home,FI,home.html\r\n"
                        "BLOCKS:blocks\\src_home.html\r\n1,Page1,FP,pages\\pageone.html\r\n"
                        "BLOCKS:blocks\\src_page1.html\r\n1,Page2,FP,pages\\pagetwo.html\r\n"
                        "BLOCKS:blocks\\src_page2.html\r\n1,Siteindex,FIX,pages\\ix.html\r\n"
                        "BLOCKS:blocks\\src_ix.html\r\n\r\n// a print-page\r\n"),
            std::string::npos);
}

// The starter script is the user's first look at the format: every line of it is fixed.
TEST(NewSite, ScriptTextWithoutFrames) {
  EXPECT_EQ(BuildDefaultScript(false, "C:\\mysite", "templates", "gfx"),
            "// Scriptfile for website MySite\r\n// General site section\r\n\r\n"
            "VERSION=2.0\r\nCATALOG=C:\\mysite\r\nTEMPLATES=templates\r\nRESOURCES=gfx\r\n"
            "KEYWORDS=velmora,website\r\nSITENAME=MySite\r\n"
            "SITEAUTHOR=<a href=\"mailto:myself@example.com\">My Self</a>\r\n"
            "SITEORG=http://www.example.com/\r\nMESSAGE=hello\r\n\r\n// Page section\r\n\r\n"
            "1,Home,I,index.html\r\nBLOCKS:blocks\\src_index.html\r\n"
            "1,Sitemap,C,pages\\toc.html\r\nBLOCKS:blocks\\src_toc.html\r\n"
            "1,Page1,P,pages\\pageone.html\r\nBLOCKS:blocks\\src_page1.html\r\n"
            "1,Page2,P,pages\\pagetwo.html\r\nBLOCKS:blocks\\src_page2.html\r\n"
            "1,Siteindex,IX,pages\\ix.html\r\nBLOCKS:blocks\\src_ix.html\r\n\r\n"
            "// a print-page\r\n0,All Pages,PP,pages\\allpages.html\r\n"
            "BLOCKS:blocks\\src_allpages.html\r\n\r\n"
            "//Template section\r\n//.. no own templates defined\r\n\r\n\r\n"
            "//Replace section\r\n//.. is empty\r\n\r\n\r\n"
            "//Collect section\r\n//.. is empty\r\n\r\n");
}

TEST(NewSite, ProposalSkipsExistingScripts) {
  CTempDrive drive;
  EXPECT_EQ(ProposeScriptPath(TestContext()), "C:\\mysite\\script.txt");
  drive.Write("mysite/script.txt", "x");
  drive.Write("mysite1/script.txt", "x");
  EXPECT_EQ(ProposeScriptPath(TestContext()), "C:\\mysite2\\script.txt");
}

class NewSiteOnDisk : public ::testing::Test {
 protected:
  void SetUp() override { TestContext().SetDialogs(&m_dialogs); }
  void TearDown() override { TestContext().SetDialogs(nullptr); }
  CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
};

TEST_F(NewSiteOnDisk, WritesScriptAndEmptyGraphicsFolder) {
  CNewSiteOptions options;
  options.m_strScriptPath = m_drive.Path("site\\script.txt");
  options.m_templates.m_eChoice = CNewSiteSource::kCatalog;
  options.m_templates.m_strCatalog = "C:\\tpl";
  options.m_resources.m_eChoice = CNewSiteSource::kAddress;
  options.m_resources.m_strAddress = "example.org";
  std::string text;
  ASSERT_TRUE(CreateNewSite(TestContext(), options, text));
  EXPECT_EQ(m_drive.Read("site/script.txt"), text);
  EXPECT_NE(text.find("\r\nTEMPLATES=C:\\tpl\\\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nRESOURCES=http://example.org/\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCATALOG=C:\\site\r\n"), std::string::npos);
  EXPECT_TRUE(m_drive.Exists("site/graphics"));
  EXPECT_FALSE(m_drive.Exists("site/graphics/dummy.gif"));
}

TEST_F(NewSiteOnDisk, RefusalsLeaveNothingWritten) {
  CNewSiteOptions options;
  options.m_strScriptPath = m_drive.Path("site\\script.txt");
  options.m_templates.m_eChoice = CNewSiteSource::kAddress;  // empty address
  std::string text;
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
  EXPECT_EQ(m_dialogs.m_messages[0], "Bad form or service( not http): ");
  EXPECT_FALSE(m_drive.Exists("site"));

  m_drive.Write("site/script.txt", "old");
  options.m_templates = {};
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));  // the replace question is answered No
  ASSERT_EQ(m_dialogs.m_questions.size(), 1u);
  EXPECT_EQ(m_dialogs.m_questions[0], "File C:\\site\\script.txt exists. \n Replace it ?");
  EXPECT_EQ(m_drive.Read("site/script.txt"), "old");

  // A folder in the script's place cannot be written over: no site, and no success.
  options.m_strScriptPath = m_drive.Path("taken\\script.txt");
  m_drive.Write("taken/script.txt/inside.txt", "x");
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  EXPECT_EQ(m_dialogs.m_messages.back(), "C:\\taken\\script.txt could not be written ");
  EXPECT_FALSE(m_drive.Exists("taken/graphics"));

  // A drive without a folder behind it cannot hold the site.
  options.m_strScriptPath = "Q:\\site\\script.txt";
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  EXPECT_EQ(m_dialogs.m_messages.back(), "Cant make Site in: Q:\\site\\script.txt");
}

TEST(NewSite, LanguageTagsAndStyleNames) {
  for (const char* tag : {"en", "de-CH", "zh-Hant", "sr-Latn-RS", "es-419"})
    EXPECT_TRUE(IsLanguageTag(tag)) << tag;
  // Anything else would end up inside the lang attribute of every page.
  for (const char* tag : {"", "-", "en-", "en_US", "1en", "en\"><script>", "en US", "abcdefghi"})
    EXPECT_FALSE(IsLanguageTag(tag)) << tag;
  ETemplateStyle style = ETemplateStyle::kClassic;
  EXPECT_TRUE(StyleFromName("modern", style));
  EXPECT_EQ(style, ETemplateStyle::kModern);
  EXPECT_FALSE(StyleFromName("Modern", style));
  EXPECT_EQ(style, ETemplateStyle::kModern);
}

const char* const kModernTemplates[] = {
    "nf_i_template.html",  "nf_p_template.html",  "nf_c_template.html",   "nf_ix_template.html",
    "print_template.html", "block_template.html", "wrapper_template.html"};

TEST_F(NewSiteOnDisk, ModernStyleWritesTemplatesAndStylesheetInItsLanguage) {
  CNewSiteOptions options;
  options.m_strScriptPath = m_drive.Path("site\\script.txt");
  options.m_eStyle = ETemplateStyle::kModern;
  options.m_strLanguage = "de-CH";
  std::string text;
  ASSERT_TRUE(CreateNewSite(TestContext(), options, text));
  EXPECT_EQ(text, BuildDefaultScript(false, "C:\\site", "templates", "gfx"));
  EXPECT_TRUE(m_drive.Exists("site/graphics"));
  for (const char* name : kModernTemplates) {
    SCOPED_TRACE(name);
    std::string page = m_drive.Read(std::string("site/templates/") + name);
    if (std::string(name) == "wrapper_template.html") {
      EXPECT_TRUE(StartsWith(page, "<!-- Template file Velmora 2.0"));
      continue;
    }
    EXPECT_TRUE(StartsWith(page, "<!DOCTYPE html>\r\n<html lang=\"de-CH\">\r\n"));
    EXPECT_EQ(page.find("lang=\"en\""), std::string::npos);
  }
  // Each page type gets the changes of its kind: lists for the site map and index, the stamp
  // on the home page only, and the home page's introduction.
  std::string home = m_drive.Read("site/templates/nf_i_template.html");
  EXPECT_NE(home.find("<!--STAMP--> <!--/STAMP-->"), std::string::npos);
  EXPECT_NE(home.find("class=\"cards\""), std::string::npos);
  EXPECT_EQ(home.find("<!--INPUT/-->"), std::string::npos);
  std::string page = m_drive.Read("site/templates/nf_p_template.html");
  EXPECT_EQ(page.find("STAMP"), std::string::npos);
  EXPECT_EQ(page.find("class=\"cards\""), std::string::npos);
  EXPECT_NE(
      m_drive.Read("site/templates/nf_c_template.html").find("<!--TOC COLS=\"3\"--><!--/TOC-->"),
      std::string::npos);
  EXPECT_NE(m_drive.Read("site/templates/nf_ix_template.html").find("<!--INDEX COLS=\"3\"-->"),
            std::string::npos);
  EXPECT_EQ(m_drive.Read("site/gfx/def.css"), LoadResourceText("modern.css"));
  EXPECT_TRUE(m_dialogs.m_messages.empty());
  EXPECT_TRUE(m_dialogs.m_questions.empty());
}

TEST_F(NewSiteOnDisk, ModernStyleRefusesWhatDoesNotFitBeforeWritingAnything) {
  CNewSiteOptions options;
  options.m_strScriptPath = m_drive.Path("site\\script.txt");
  options.m_eStyle = ETemplateStyle::kModern;
  std::string text;
  options.m_bFrames = true;
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  options.m_bFrames = false;
  options.m_templates.m_eChoice = CNewSiteSource::kCatalog;
  options.m_templates.m_strCatalog = "C:\\tpl";
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  options.m_templates = {};
  options.m_strLanguage = "en\" onload=\"x";
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  ASSERT_EQ(m_dialogs.m_messages.size(), 3u);
  EXPECT_EQ(m_dialogs.m_messages[2], "Not a language tag: en\" onload=\"x");
  EXPECT_TRUE(m_dialogs.m_questions.empty());
  EXPECT_FALSE(m_drive.Exists("site"));
}

// Starting a modern site over an existing one must not lose the templates its owner edited.
TEST_F(NewSiteOnDisk, ModernStyleAsksBeforeReplacingAFileOfTheSite) {
  m_drive.Write("site/templates/nf_p_template.html", "mine");
  m_drive.Write("site/gfx/def.css", "my look");
  CNewSiteOptions options;
  options.m_strScriptPath = m_drive.Path("site\\script.txt");
  options.m_eStyle = ETemplateStyle::kModern;
  m_dialogs.m_answers = {false, true};
  std::string text;
  ASSERT_TRUE(CreateNewSite(TestContext(), options, text));
  ASSERT_EQ(m_dialogs.m_questions.size(), 2u);
  EXPECT_EQ(m_dialogs.m_questions[0],
            "File C:\\site\\templates\\nf_p_template.html exists. \n Replace it ?");
  EXPECT_EQ(m_drive.Read("site/templates/nf_p_template.html"), "mine");
  EXPECT_EQ(m_drive.Read("site/gfx/def.css"), LoadResourceText("modern.css"));
  EXPECT_TRUE(m_drive.Exists("site/templates/nf_i_template.html"));

  // A template that cannot be written is no success.
  m_drive.Remove("site/templates");
  m_drive.Write("site/templates", "a file where the folder belongs");
  m_dialogs.m_answers = {true};
  EXPECT_FALSE(CreateNewSite(TestContext(), options, text));
  EXPECT_EQ(m_dialogs.m_messages.back(),
            "Cant make Site in: C:\\site\\templates\\nf_i_template.html");
}

}  // namespace
}  // namespace velmora
