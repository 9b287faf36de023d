// Inputs the fuzz targets found faults with, reduced, built the way the targets build them.
#include <gtest/gtest.h>

#include <string>

#include "model/node.h"
#include "model/web_site.h"
#include "support/script_site.h"

namespace velmora {
namespace {

// A kept page is built from its own written file: every expansion must find what the last
// build put in and replace it.
TEST(FuzzFindings, AKeptPageWithHeadingsAndSelfClosingTagsKeepsItsSize) {
  CScriptSite site;
  site.Write("kept.html",
             "<html><body><h1>T</h1><h2>A</h2><!--TOC/--><!--SINGLETOC/--><!--TRAIL/-->"
             "<!--BASEDON/--><!--CONLIST/--><!--LOCALTOC LEVEL=\"2\"/--></body></html>");
  ASSERT_TRUE(site.Interpret("1,Home,,kept.html\r\nBASED_ON:Home\r\n2,Child,,child.html"));
  CPage* pPage = site.Page("Home");
  ASSERT_NE(pPage, nullptr);
  pPage->Build();
  const std::string first = site.Read("kept.html");
  pPage->Build();
  EXPECT_EQ(site.Read("kept.html"), first);
}

}  // namespace
}  // namespace velmora
