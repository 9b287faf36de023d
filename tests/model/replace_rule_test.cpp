#include "model/replace_rule.h"

#include <gtest/gtest.h>

#include "model/web_site.h"
#include "platform/report.h"

namespace velmora {
namespace {

TEST(ReplaceRule, ParsesEachKindByItsFieldCount) {
  CWebSite site{{}};
  struct {
    const char* line;
    bool valid;
  } cases[] = {
      {"RSIMPLE=a,b", true},     {"RSIMPLE=a,", true},        {"RSIMPLE=,b", false},
      {"RSIMPLE=a,b,c", false},  {"RSIMPLE=", false},         {"RDOUBLE=<b>,</b>,x", true},
      {"RDOUBLE=<b>,,x", false}, {"RDOUBLE=<b>,</b>", false}, {"R1QUOTE:src=,x", true},
      {"R1QUOTE=,x", false},     {"R2QUOTE=a,b,", true},      {"R2QUOTE=a,,c", false},
      {"RTRIPLE=a,b", false},    {"R2QUOTE=a,b,c,d", false},
  };
  for (const auto& c : cases) EXPECT_EQ(CReplaceRule(&site, c.line).m_bValid, c.valid) << c.line;

  CReplaceRule spaced(&site, "RDOUBLE= a , b , c ");
  EXPECT_EQ(spaced.m_strLeft, " a ");
  EXPECT_EQ(spaced.m_strRight, " b ");
  EXPECT_EQ(spaced.m_strIn, " c ");
  EXPECT_EQ(spaced.m_strKind, "RDOUBLE");
}

TEST(ReplaceRule, SimpleReplacement) {
  CWebSite site{{}};
  std::string text = "aaa b aa";
  CReplaceRule(&site, "RSIMPLE=aa,a").Apply(text);
  EXPECT_EQ(text, "aa b a");
  CReplaceRule(&site, "RSIMPLE=a,a").Apply(text);
  EXPECT_EQ(text, "aa b a");
  CReplaceRule(&site, "RSIMPLE= b,").Apply(text);
  EXPECT_EQ(text, "aa a");
}

TEST(ReplaceRule, MissingReplacementFileIsReportedAtEveryUse) {
  CWebSite site{{}};
  site.m_strCatalog = "C:\\nowhere\\";
  CReplaceRule rule(&site, "RSIMPLE=x,#missing");
  std::string text = "x";
  theReport.Clear();
  rule.Apply(text);
  rule.Apply(text);
  EXPECT_EQ(text, "x");
  EXPECT_FALSE(rule.m_bLoaded);
  std::string report = theReport.Text();
  size_t nFirst = report.find("Cannot make: #missing\r\n");
  ASSERT_NE(nFirst, std::string::npos);
  EXPECT_NE(report.find("Cannot make: #missing\r\n", nFirst + 1), std::string::npos);
}

}  // namespace
}  // namespace velmora
