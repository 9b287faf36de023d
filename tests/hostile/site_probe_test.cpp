// Hostile blocks, templates and script lines built into a small site: every build ends, the
// page does not grow from one build to the next, and numbers out of range do no harm.
#include <gtest/gtest.h>

#include <string>

#include "assembly/page_build.h"
#include "build/page_check.h"
#include "markup/keyword_index.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/report.h"
#include "support/script_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::string Repeat(const std::string& piece, size_t nTimes) {
  std::string text;
  for (size_t i = 0; i < nTimes; ++i) text += piece;
  return text;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) ++n;
  return n;
}

const char kTemplate[] =
    "<html><head><title>t</title></head><body><!--BLOCK--><!--/BLOCK-->"
    "</body></html>";

class HostileSite : public ::testing::Test {
 protected:
  void SetUp() override { site.Write("templates\\nf_p_template.html", kTemplate); }
  // Interprets a home page and a child page with the block, builds both twice and returns
  // the second build of the home page.
  std::string BuildTwice(const std::string& block) {
    site.Write("blocks\\b.html", block);
    EXPECT_TRUE(
        site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html\r\n"
                       "2,Child,P,child.html\r\nBLOCKS:blocks\\b.html"));
    if (!site.m_pSite)
      return {};
    for (const auto& pPage : site.m_pSite->Pages()) BuildPage(*pPage);
    const std::string first = site.Read("index.html");
    for (const auto& pPage : site.m_pSite->Pages()) BuildPage(*pPage);
    const std::string second = site.Read("index.html");
    EXPECT_EQ(first.size(), second.size());
    return second;
  }
  CScriptSite site;
};

TEST_F(HostileSite, BrokenAndNestedTagsInABlockBuildAndStayTheSameSize) {
  const std::string blocks[] = {
      "<!--BLOCK-->--><!--TOC<!--TOC--><!--/TOC--><!--X/--><!--/BLOCK-->",
      "<!--BLOCK-->" + std::string("a\0b<!--TOC\0/-->", 15) + "<!--/BLOCK-->",
      "<!--BLOCK x=\"never<!--LOCALTOC--><h2>A</h2><!--CONLIST-->",
      "<!--BLOCK--><!--BLOCK--><!--/BLOCK--><!--SINGLETOC/--><!--PATCH/--><!--/BLOCK-->",
      "<!--BLOCK--><!--TOC COLS=\"-5\" MIN_LEVEL=\"-2147483649\"/--><!--/BLOCK-->",
      "-->" + Repeat("<!--X/-->", 2000),
  };
  for (const std::string& block : blocks) {
    BuildTwice(block);
    EXPECT_TRUE(site.Exists("child.html"));
  }
}

TEST_F(HostileSite, HugeColumnCountsMakeABoundedTable) {
  const std::string page = BuildTwice(
      "<!--BLOCK--><!--TOC COLS=\"99999999999\"--><!--/TOC-->"
      "<!--SINGLETOC COLS=\"2000000000\"--><!--/SINGLETOC--><!--/BLOCK-->");
  EXPECT_NE(page.find("child.html"), std::string::npos);
  EXPECT_LT(Count(page, "<td"), 1000u);
}

TEST_F(HostileSite, APatchThatNamesItselfIsPutInOnce) {
  site.Write("self.html", "[<!--PATCH FILENAME=\"C:\\site\\self.html\"/-->]");
  const std::string page =
      BuildTwice("<!--BLOCK--><!--PATCH FILENAME=\"C:\\site\\self.html\"/--><!--/BLOCK-->");
  EXPECT_EQ(Count(page, "[<!--PATCH"), 1u);
}

// A kept page is built from its own written file, so whatever a build adds must be found and
// replaced by the next one.
TEST_F(HostileSite, AKeptPageWithBrokenTagsDoesNotGrowFromBuildToBuild) {
  site.Write("kept.html",
             "<!--TOC<!--/TOC--><!--SINGLETOC x<!--/SINGLETOC--><!--TRAIL <!--/TRAIL-->"
             "<!--CONLIST<!--/CONLIST-->");
  ASSERT_TRUE(site.Interpret("1,Home,,kept.html\r\n2,Child,P,child.html"));
  CPage* pPage = site.Page("Home");
  ASSERT_NE(pPage, nullptr);
  BuildPage(*pPage);
  const size_t nFirst = site.Read("kept.html").size();
  BuildPage(*pPage);
  BuildPage(*pPage);
  EXPECT_EQ(site.Read("kept.html").size(), nFirst);
}

// Quadratic work over these pages takes minutes, past the time limit these tests run under;
// linear work, a second or two.
TEST_F(HostileSite, MegabytesOfHeadingsLinksAndTagsBuild) {
  site.Write("p.txt", "p");
  std::string keywords;
  for (int i = 0; i < 50000; ++i)
    keywords += "<!--INX NAME=\"k" + std::to_string(i) + ",s" + std::to_string(i) + "\"/-->";
  const std::string page = BuildTwice(
      "<!--BLOCK--><h1>T</h1>" + Repeat("<h2>x</h2>", 50000) +
      Repeat("<a href=\"Child\">c</a>", 50000) + Repeat("<!--TRAIL/-->", 50000) +
      Repeat("<!--BASEDON/-->", 50000) +
      Repeat("<!--PATCH FILENAME=\"C:\\site\\p.txt\"/-->", 50000) +
      Repeat("<!--PATCH FILENAME=\"C:\\site\\none.txt\"/-->", 50000) + keywords + "<!--/BLOCK-->");
  EXPECT_EQ(Count(page, "<a name=\"x\">"), 50000u);
  EXPECT_EQ(Count(page, "<a href=\"child.html\">c</a>"), 50000u);
  TestContext().index.ResetIndex();
}

// Checking a built page looks each anchor up once, not once per link.
TEST_F(HostileSite, CheckingManyAnchorLinks) {
  std::string block = "<!--BLOCK-->";
  for (int i = 0; i < 20000; ++i) {
    const std::string n = std::to_string(i);
    block += "<a name=\"" + n + "\"> </a><a href=\"#" + n + "\">x</a><a href=\"Child#" + n +
             "\">y</a><a href=\"child.html#" + n + "\">z</a>";
  }
  BuildTwice(block + "<!--/BLOCK-->");
  TestContext().report.Clear();
  CheckPage(*site.Page("Home"));
  EXPECT_NE(site.Report().find("\r\nOK\r\n"), std::string::npos);
}

TEST_F(HostileSite, ManySiteValueTags) {
  site.Write(
      "blocks\\b.html",
      "<!--BLOCK-->" + Repeat("<!--SITEORG/--><a href=\"x\">o</a>", 50000) + "<!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret(
      "SITEORG=http://org.example/\r\nKEYWORDS=k\r\n1,Home,P,index.html\r\nBLOCKS:blocks\\b.html"));
  BuildPage(*site.Page("Home"));
  EXPECT_EQ(Count(site.Read("index.html"), "href=\"http://org.example/\""), 50000u);
}

// A level below 1 hands the outline back past the first page, so it comes last here.
TEST_F(HostileSite, OddScriptLinesAreRefusedOrClampedWithoutHarm) {
  site.Write("blocks\\b.html",
             "<!--BLOCK--><!--TOC MAX_LEVEL=\"99999999999\"--><!--/TOC--><!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret(
      "1,Home,P,index.html\r\nBLOCKS:blocks\\b.html\r\n2,Child,P,child.html\r\n"
      "99999999999,High,P,high.html\r\n,,,,,,,,\r\n,\r\nBLOCKS:" +
      Repeat(",", 100000) + "\r\n" + std::string("\x01\xff\xfe,\x80,P,\x7f.html", 15) +
      "\r\nBASED_ON:,,,,\r\n-2147483649,Low,P,low.html\r\nBLOCKS:blocks\\b.html"));
  for (const auto& pPage : site.m_pSite->Pages()) BuildPage(*pPage);
  const std::string home = site.Read("index.html");
  EXPECT_NE(home.find("\"child.html\""), std::string::npos);
  EXPECT_NE(home.find("<div class=\"tlevel10\"><a href=\"high.html\">"), std::string::npos);
  EXPECT_TRUE(site.Exists("low.html"));
}

}  // namespace
}  // namespace velmora
