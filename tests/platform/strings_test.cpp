#include "platform/strings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Strings, ReplaceAllIsLeftToRightWithoutOverlaps) {
  std::string text = "aaaa";
  EXPECT_EQ(ReplaceAll(text, "aa", "b"), 2u);
  EXPECT_EQ(text, "bb");
  text = "x";
  EXPECT_EQ(ReplaceAll(text, "", "y"), 0u);
}

TEST(Strings, SplitKeepsOrRemovesEmptyPieces) {
  EXPECT_EQ(Split("a,,b", ",").size(), 3u);
  EXPECT_EQ(Split("a,", ",").size(), 2u);
  EXPECT_EQ(Split("a,,b", ",", true).size(), 2u);
}

TEST(Strings, ParseLeadingInt) {
  EXPECT_EQ(ParseLeadingInt("  -12x"), -12);
  EXPECT_EQ(ParseLeadingInt("x"), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999999"), 2147483647);
}

}  // namespace
}  // namespace velmora
