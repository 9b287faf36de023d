#include "assembly/templates.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "model/node.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/resources.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) ++n;
  return n;
}

TEST(TemplateDefaults, EachKindGetsItsListTagAndStampRule) {
  struct {
    const char* pszType;
    const char* pszList;  // what stands where the placeholder was; nullptr: nothing
    bool bStamp;
  } kinds[] = {
      {"I", nullptr, true},
      {"P", nullptr, false},
      {"C", "<!--TOC COLS=\"3\"--><!--/TOC-->", false},
      {"IX", "<!--INDEX COLS=\"3\"--><!--/INDEX-->", false},
      {"FI", nullptr, true},
      {"FP", nullptr, false},
      {"FC", "<!--TOC COLS=\"3\"-->\r\n<!--/TOC-->", false},
      {"FIX", "<!--INDEX COLS=\"3\"-->\r\n<!--/INDEX-->", false},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.pszType);
    CTemplate tpl(&EmptyTestSite());
    TestContext().report.Clear();
    ASSERT_TRUE(MakeDefaultText(tpl, kind.pszType));
    const std::string& text = tpl.m_strContent;
    EXPECT_EQ(Count(text, "<!--INPUT/-->"), 0u);
    if (kind.pszList) {
      EXPECT_EQ(Count(text, kind.pszList), 1u);
    }
    EXPECT_EQ(Count(text, "<!--STAMP-->"), kind.bStamp ? 1u : 0u);
    EXPECT_EQ(Count(text, "<!--/STAMP-->"), kind.bStamp ? 1u : 0u);
    EXPECT_EQ(Count(text, "<!--BLOCK-->"), 1u);
    EXPECT_EQ(TestContext().report.Text(),
              std::string("Using original: Template type:") + kind.pszType + "\r\n");
  }
}

TEST(TemplateDefaults, OnlyKnownTypesHaveADefault) {
  for (const char* pszType : {"FF", "FT", "FL", "PP", "B", "W"}) {
    CTemplate tpl(&EmptyTestSite());
    EXPECT_TRUE(MakeDefaultText(tpl, pszType)) << pszType;
    EXPECT_NE(tpl.m_strContent.find("Template file Velmora 2.0"), std::string::npos);
  }
  CTemplate tpl(&EmptyTestSite());
  tpl.m_strContent = "kept";
  TestContext().report.Clear();
  EXPECT_FALSE(MakeDefaultText(tpl, "X"));
  EXPECT_FALSE(MakeDefaultText(tpl, "p"));  // types compare with case
  EXPECT_EQ(tpl.m_strContent, "kept");
  EXPECT_EQ(TestContext().report.Text(), "");

  EXPECT_EQ(DefaultTemplateFileName("FIX"), "f_ix_template.html");
  EXPECT_EQ(DefaultTemplateFileName("X"), "");
  // Every file a web server is asked for is a kind the program can also make itself.
  EXPECT_EQ(TemplateFileNames().size(), 14u);
  for (const char* pszType : {"I", "P", "C", "IX", "FI", "FP", "FC", "FIX"}) {
    CTemplate page(&EmptyTestSite());
    EXPECT_TRUE(MakeDefaultText(page, pszType)) << pszType;
  }
}

class SiteTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    m_drive.Write("site\\script.txt", "");
    m_site.m_strCatalog = "C:\\site\\";
    m_site.m_strTemplates = "C:\\site\\tpl";  // no final backslash
    TestContext().report.Clear();
    TestContext().report.ResetHighestLevel();
  }

  CTempDrive m_drive{'C'};
  CWebSite m_site{TestContext(), {}};
};

TEST_F(SiteTemplates, AMissingDefaultFileIsWrittenOnceAndReadAfterwards) {
  CTemplate* pTemplate = GetTemplate(m_site, "P");
  ASSERT_NE(pTemplate, nullptr);
  EXPECT_EQ(pTemplate->m_strLocalPath, "C:\\site\\tpl\\nf_p_template.html");
  std::string written = m_drive.Read("site\\tpl\\nf_p_template.html");
  EXPECT_NE(written.find("<!--BLOCK-->"), std::string::npos);
  EXPECT_EQ(written.find("<!--STAMP-->"), std::string::npos);
  EXPECT_EQ(TestContext().report.Text(), "Using original: Template type:P\r\n");
  // A new site is no error: nothing above the level of an assumed default.
  EXPECT_EQ(TestContext().report.HighestLevel(), 2);

  EXPECT_EQ(GetTemplate(m_site, "P"), pTemplate);
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original"), 1u);

  // The user's edit is what the next page gets, and the file is not made again.
  m_drive.Write("site\\tpl\\nf_p_template.html", "<html>edited</html>");
  ASSERT_TRUE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->GetContent(), "<html>edited</html>");
  m_site.m_templates.clear();
  pTemplate = GetTemplate(m_site, "P");
  ASSERT_NE(pTemplate, nullptr);
  EXPECT_EQ(m_drive.Read("site\\tpl\\nf_p_template.html"), "<html>edited</html>");
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original"), 1u);
}

// Every page reads its template as the file is at that moment, also when only its time or
// nothing but its contents of the same length changed, and when it is gone.
TEST_F(SiteTemplates, EachLoadSeesTheFileAsItIsNow) {
  CTemplate* pTemplate = GetTemplate(m_site, "P");
  ASSERT_NE(pTemplate, nullptr);
  const std::string host = m_drive.HostFolder() + "/site/tpl/nf_p_template.html";
  m_drive.Write("site\\tpl\\nf_p_template.html", "one");
  ASSERT_TRUE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->m_strContent, "one");
  pTemplate->m_strContent.clear();
  ASSERT_TRUE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->m_strContent, "one");

  m_drive.Write("site\\tpl\\nf_p_template.html", "two");
  const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, host.c_str(), times, 0), 0);
  ASSERT_TRUE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->m_strContent, "two");

  std::remove(host.c_str());
  EXPECT_FALSE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->m_strContent, "");
}

TEST_F(SiteTemplates, UnknownTypesAndUnwritableFilesGiveNoTemplate) {
  EXPECT_EQ(GetTemplate(m_site, "X"), nullptr);
  EXPECT_EQ(TestContext().report.Text(), "Cannot make: \r\n");
  EXPECT_EQ(TestContext().report.HighestLevel(), 3);

  // A file where the template folder should be: the default cannot be stored.
  CScriptedDialogs dialogs;
  TestContext().SetDialogs(&dialogs);
  m_drive.Write("site\\tpl", "not a folder");
  TestContext().report.Clear();
  EXPECT_EQ(GetTemplate(m_site, "C"), nullptr);
  EXPECT_NE(TestContext().report.Text().find("Cannot make: C:\\site\\tpl\\nf_c_template.html\r\n"),
            std::string::npos);
  EXPECT_TRUE(m_site.m_templates.empty());
  TestContext().SetDialogs(nullptr);
}

// Template lines are trimmed field by field, and the files they name are read like any other
// file: one that is missing is an error of the build, whether or not a page uses it yet.
TEST_F(SiteTemplates, TemplateLinesAreTrimmedAndTheirMissingFilesReported) {
  m_drive.Write("site\\mytpl\\mine.html", "<html>mine</html>");
  m_site.m_templateLines = {"P , mytpl\\mine.html", "X, mytpl\\none.html", " I ,mytpl\\home.html ",
                            "P, ,"};
  ApplyTemplateLines(m_site);
  CTemplate* pMine = GetTemplate(m_site, "P");
  ASSERT_NE(pMine, nullptr);
  EXPECT_EQ(pMine->GetContent(), "<html>mine</html>");

  EXPECT_NE(TestContext().report.Text().find("Can't load file: C:\\site\\mytpl\\none.html\r\n"
                                             "Cannot make: X, mytpl\\none.html\r\n"),
            std::string::npos)
      << TestContext().report.Text();
  EXPECT_EQ(TestContext().report.HighestLevel(), 3);
  // A missing file of a type with a built-in default gets that default, after the report.
  EXPECT_NE(TestContext().report.Text().find("Can't load file: C:\\site\\mytpl\\home.html\r\n"
                                             "Using original: Template type:I\r\n"),
            std::string::npos)
      << TestContext().report.Text();
  EXPECT_NE(m_drive.Read("site\\mytpl\\home.html").find("<!--BLOCK-->"), std::string::npos);
  EXPECT_NE(TestContext().report.Text().find("Bad template line: P, ,\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora
