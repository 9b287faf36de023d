#include "model/replace_rule.h"

#include <gtest/gtest.h>

#include "model/web_site.h"
#include "platform/report.h"
#include "site_fixture.h"
#include "support/test_context.h"

namespace velmora {
namespace {

TEST(ReplaceRule, ParsesEachKindByItsFieldCount) {
  CWebSite site{TestContext(), {}};
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
  CWebSite site{TestContext(), {}};
  std::string text = "aaa b aa";
  CReplaceRule(&site, "RSIMPLE=aa,a").Apply(text);
  EXPECT_EQ(text, "aa b a");
  CReplaceRule(&site, "RSIMPLE=a,a").Apply(text);
  EXPECT_EQ(text, "aa b a");
  CReplaceRule(&site, "RSIMPLE= b,").Apply(text);
  EXPECT_EQ(text, "aa a");
}

TEST(ReplaceRule, MissingReplacementFileIsReportedAtEveryUse) {
  CWebSite site{TestContext(), {}};
  site.m_strCatalog = "C:\\nowhere\\";
  CReplaceRule rule(&site, "RSIMPLE=x,#missing");
  std::string text = "x";
  TestContext().report.Clear();
  rule.Apply(text);
  rule.Apply(text);
  EXPECT_EQ(text, "x");
  EXPECT_FALSE(rule.m_bLoaded);
  std::string report = TestContext().report.Text();
  size_t nFirst = report.find("Cannot make: #missing\r\n");
  ASSERT_NE(nFirst, std::string::npos);
  EXPECT_NE(report.find("Cannot make: #missing\r\n", nFirst + 1), std::string::npos);
}

TEST(ReplaceRule, MarkerAndQuoteReplacements) {
  CWebSite site{TestContext(), {}};
  auto apply = [&](const std::string& line, std::string text) {
    CReplaceRule rule(&site, line);
    EXPECT_TRUE(rule.m_bValid) << line;
    rule.Apply(text);
    return text;
  };
  EXPECT_EQ(apply("RDOUBLE=<b>,</b>,X", "<b>1</b> <b>22</b> <b>open"), "<b>X</b> <b>X</b> <b>open");
  EXPECT_EQ(apply("RDOUBLE=[,],", "a[b]c[d]"), "a[]c[]");
  EXPECT_EQ(apply("R1QUOTE=src=,new.gif", "<img src=\"a.gif\"><img src=\"b.gif\">"),
            "<img src=\"new.gif\"><img src=\"new.gif\">");
  // A key that holds a quote finds that quote first.
  EXPECT_EQ(apply("R1QUOTE=x\" class=,v", "<p id=\"x\" class=\"c\">"), "<p id=\"x\"v\"c\">");
  EXPECT_EQ(apply("R2QUOTE=<a name=top,href=,up",
                  "<a name=top href=\"x\"> <a href=\"y\"> <a name=top class=\"c\" href=\"z\">"),
            "<a name=top href=\"up\"> <a href=\"y\"> <a name=top class=\"c\" href=\"up\">");
  EXPECT_EQ(apply("R2QUOTE=A,HREF=,x", "<a href=\"y\">"), "<a href=\"y\">");
}

class ReplaceFromFile : public SiteTest {};

TEST_F(ReplaceFromFile, ReplacementTextIsReadOnce) {
  MakeFolder("site");
  ASSERT_TRUE(TestContext().files.WriteTextFile("C:\\site\\footer.txt", "<p>a, b</p>"));
  CWebSite site{TestContext(), {}};
  site.m_strCatalog = "C:\\site\\";
  CReplaceRule rule(&site, "RDOUBLE=<!--F-->,<!--/F-->,#footer.txt");
  std::string text = "<!--F-->old<!--/F-->";
  rule.Apply(text);
  EXPECT_EQ(text, "<!--F--><p>a, b</p><!--/F-->");
  EXPECT_TRUE(rule.m_bLoaded);
  std::filesystem::remove(m_hostRoot + "/site/footer.txt");
  text = "<!--F--><!--/F-->";
  rule.Apply(text);
  EXPECT_EQ(text, "<!--F--><p>a, b</p><!--/F-->");
  EXPECT_FALSE(HasLine("Cannot make: #footer.txt"));
}

}  // namespace
}  // namespace velmora
