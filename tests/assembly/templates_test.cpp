#include "assembly/templates.h"

#include <gtest/gtest.h>

#include "model/node.h"
#include "platform/report.h"
#include "res/resources.h"

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
    CTemplate tpl(nullptr);
    theReport.Clear();
    ASSERT_TRUE(tpl.MakeDefaultText(kind.pszType));
    const std::string& text = tpl.m_strContent;
    EXPECT_EQ(Count(text, "<!--INPUT/-->"), 0u);
    if (kind.pszList) {
      EXPECT_EQ(Count(text, kind.pszList), 1u);
    }
    EXPECT_EQ(Count(text, "<!--STAMP-->"), kind.bStamp ? 1u : 0u);
    EXPECT_EQ(Count(text, "<!--/STAMP-->"), kind.bStamp ? 1u : 0u);
    EXPECT_EQ(Count(text, "<!--BLOCK-->"), 1u);
    EXPECT_EQ(theReport.Text(),
              std::string("Using original: Template type:") + kind.pszType + "\r\n");
  }
}

TEST(TemplateDefaults, OnlyKnownTypesHaveADefault) {
  for (const char* pszType : {"FF", "FT", "FL", "PP", "B", "W"}) {
    CTemplate tpl(nullptr);
    EXPECT_TRUE(tpl.MakeDefaultText(pszType)) << pszType;
    EXPECT_NE(tpl.m_strContent.find("Template file Velmora 2.0"), std::string::npos);
  }
  CTemplate tpl(nullptr);
  tpl.m_strContent = "kept";
  theReport.Clear();
  EXPECT_FALSE(tpl.MakeDefaultText("X"));
  EXPECT_FALSE(tpl.MakeDefaultText("p"));  // types compare with case
  EXPECT_EQ(tpl.m_strContent, "kept");
  EXPECT_EQ(theReport.Text(), "");

  EXPECT_EQ(DefaultTemplateFileName("FIX"), "f_ix_template.html");
  EXPECT_EQ(DefaultTemplateFileName("X"), "");
  // Every file a web server is asked for is a kind the program can also make itself.
  EXPECT_EQ(TemplateFileNames().size(), 14u);
  for (const std::string& name : TemplateFileNames()) EXPECT_NE(LoadResourceText(name), "") << name;
}

}  // namespace
}  // namespace velmora
