#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "assembly/blocks.h"
#include "model/node.h"
#include "support/script_site.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;

// Loads one block file of a page and returns the contents of its block elements.
class BlockLoadTest : public ::testing::Test {
 protected:
  std::vector<std::string> Elements(const std::string& bytes) {
    site.Write("blocks\\b.html", bytes);
    EXPECT_TRUE(site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html"));
    std::vector<std::string> contents;
    if (!site.m_pSite || site.m_pSite->m_blocks.empty())
      return contents;
    CBlock& block = *site.m_pSite->m_blocks[0];
    EXPECT_TRUE(LoadBlock(block));
    for (const auto& pElement : block.m_tags) contents.push_back(pElement->m_strContent);
    return contents;
  }
  CScriptSite site;
};

TEST_F(BlockLoadTest, BlockElementsAreTakenInTextOrder) {
  EXPECT_THAT(Elements("x<!--BLOCK-->one<!--/BLOCK-->y<!--BLOCK TARGET=\"A\"-->two<!--/BLOCK-->"),
              ::testing::ElementsAre("one", "two"));
}

TEST_F(BlockLoadTest, WithoutBlockElementsTheBodyOrTheWholeFileIsTheBlock) {
  EXPECT_THAT(
      Elements("<html><head><title>t</title></head><BODY bgcolor=\"#fff\">text</BODY></html>"),
      ::testing::ElementsAre("text"));
  EXPECT_THAT(Elements("<p>just a fragment</p>"), ::testing::ElementsAre("<p>just a fragment</p>"));
  EXPECT_THAT(Elements("<HTML><HEAD><title>t</title></HEAD><p>no body</p></HTML>"),
              ::testing::ElementsAre("<p>no body</p>"));
  // A file cut off inside its body still gives what it has.
  EXPECT_THAT(Elements("<html><body>cut off"), ::testing::ElementsAre("cut off"));
}

TEST_F(BlockLoadTest, AnEmptyBlockFileSaysSoInThePageAndIsNotRewritten) {
  const std::vector<std::string> contents = Elements("");
  ASSERT_EQ(contents.size(), 1u);
  EXPECT_EQ(contents[0], "\r\nHas loaded an empty block: C:\\site\\blocks\\b.html\r\n");
  EXPECT_EQ(site.Read("blocks\\b.html"), "");
}

}  // namespace
}  // namespace velmora
