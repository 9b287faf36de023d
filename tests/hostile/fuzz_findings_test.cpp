// Inputs the fuzz targets found faults with, reduced, built the way the targets build them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembly/page_build.h"
#include "markup/element_rewrite.h"
#include "markup/tag_element.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "support/script_site.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

// A kept page is built from its own written file: every expansion must find what the last
// build put in and replace it.
TEST(FuzzFindings, AKeptPageWithHeadingsAndSelfClosingTagsKeepsItsSize) {
  const std::string pages[] = {
      "<html><body><h1>T</h1><h2>A</h2><!--TOC/--><!--SINGLETOC/--><!--TRAIL/-->"
      "<!--BASEDON/--><!--CONLIST/--><!--LOCALTOC LEVEL=\"2\"/--></body></html>",
      // The local table of contents goes inside a heading left open.
      "<!--BLOCK--><h2>T</h1><h2>A</h2><b>colour</b><!--/BLOCK-->",
  };
  for (const std::string& page : pages) {
    CScriptSite site;
    site.Write("kept.html", page);
    ASSERT_TRUE(site.Interpret("1,Home,,kept.html\r\nBASED_ON:Home\r\n2,Child,,child.html"));
    CPage* pPage = site.Page("Home");
    ASSERT_NE(pPage, nullptr);
    BuildPage(*pPage);
    const std::string first = site.Read("kept.html");
    BuildPage(*pPage);
    EXPECT_EQ(site.Read("kept.html"), first);
  }
}

// A heading left open into a table of contents that the build fills anew ends, at the next
// build, where the following heading ends: it is never listed, and the page does not grow.
TEST(FuzzFindings, AHeadingLeftOpenIntoATableOfContentsIsNotListed) {
  CScriptSite site;
  site.Write("kept.html",
             "<html><body><h1>T</h1><h2>A <!--TOC--><p>old</h2></p><!--/TOC--><h2>B</h2>"
             "</body></html>");
  ASSERT_TRUE(site.Interpret("1,Home,,kept.html,,,K\r\n2,Child,,child.html"));
  CPage* pPage = site.Page("Home");
  ASSERT_NE(pPage, nullptr);
  std::vector<std::string> builds;
  for (int i = 0; i < 3; ++i) {
    BuildPage(*pPage);
    builds.push_back(site.Read("kept.html"));
  }
  EXPECT_EQ(builds[0].find("#A"), std::string::npos);
  EXPECT_LE(builds[1].size(), builds[0].size());
  EXPECT_EQ(builds[2], builds[1]);
}

// A start tag left open up to its end tag is closed before any tag opening inside it: closed
// after a dangling "<!--/TOC" it would hold an end tag, and each refill would add content.
TEST(FuzzFindings, AStartTagLeftOpenKeepsItsSizeOnEveryRewrite) {
  const std::string texts[] = {
      "<!--TOC<!--TOC-/><!--/TOC<!--/TOC-->",
      "<!--TOC COLS=\"2\" <!--/TOC-->",
      "<!--TOC <!--X--> <!--/TOC x<!--/TOC-->",
      "<!--TOC x=\"3!--/<!--BASEDON<!--/TOC--> after <!--TOC/-->",
      "<!--TOC x//<!--/TOC-->",
  };
  auto fill = [](CTagElement& element) { element.m_strContent = "<p>filled</p>"; };
  for (const std::string& text : texts) {
    std::string once = text;
    RewriteElements(once, "<!--TOC", "", fill);
    std::string twice = once;
    RewriteElements(twice, "<!--TOC", "", fill);
    EXPECT_EQ(twice, once) << text;
  }
}

// A file on another drive is copied below "imported" under its path; a path of only dots has
// no name to copy to.
TEST(FuzzFindings, AnotherDrivesPathOfOnlyDotsIsRefused) {
  CNode node(&EmptyTestSite());
  node.m_strCatalog = "C:\\site\\";
  EXPECT_FALSE(node.SetLocation("D:\\.\\..\\."));
  EXPECT_TRUE(node.m_strLocalPath.empty());
  ASSERT_TRUE(node.SetLocation("D:\\..\\a\\.\\b.html"));
  EXPECT_EQ(node.m_strLocalPath, "C:\\site\\imported\\a\\b.html");
}

// The host reads a path up to its first NUL byte, so "C:\..\0x" would name the folder above
// the drive's own.
TEST(FuzzFindings, APathWithANulByteReachesNoHostFile) {
  CTempDrive drive;
  std::string host;
  EXPECT_FALSE(TestContext().drives.ToHost(std::string("C:\\..\0x", 7), host));
  EXPECT_FALSE(TestContext().drives.ToHost(std::string("C:\\a\0\\b", 7), host));
  std::vector<CDirEntry> entries;
  EXPECT_FALSE(TestContext().Disk().ListFolder(std::string("C:\\..\0", 6), entries));
  EXPECT_TRUE(TestContext().drives.ToHost("C:\\a\\b", host));
}

}  // namespace
}  // namespace velmora
