#include "platform/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

namespace velmora {
namespace {

// FindText takes a faster road on longer texts; every answer must still be std::string's.
TEST(Strings, FindTextAgreesWithFindEverywhere) {
  std::mt19937 random(11);
  auto randomText = [&](size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += "<!-AP>\r\n"[random() % 8];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    const std::string text = randomText(random() % 200);
    const std::string part = round % 50 == 0 ? std::string() : randomText(1 + random() % 6);
    for (size_t pos :
         {size_t{0}, size_t{1}, size_t{17}, text.size() / 2, text.size(), text.size() + 3})
      ASSERT_EQ(FindText(text, part, pos), text.find(part, pos)) << text << " / " << part;
  }
  // The two-form search answers as the earlier of two plain ones, overlapping forms included.
  for (int round = 0; round < 300; ++round) {
    const std::string text = randomText(random() % 200);
    const std::string part = randomText(1 + random() % 6);
    std::string other = part;
    for (char& c : other)
      if (random() % 2)
        c = c == 'A' ? 'P' : c == '<' ? '!' : c;
    if (round % 40 == 0)
      other += "A";  // forms of different lengths are searched one after the other
    for (size_t pos : {size_t{0}, size_t{5}, text.size() / 3, text.size()})
      ASSERT_EQ(FindEitherText(text, part, other, pos),
                std::min(text.find(part, pos), text.find(other, pos)))
          << text << " / " << part << " / " << other;
  }
  const std::string page = std::string(100, 'x') + "<!--PAGENAME-->" + std::string(40, 'y');
  EXPECT_EQ(FindEitherText(page + "<!--pagename-->", "<!--pagename-->", "<!--PAGENAME-->"), 100u);
  EXPECT_EQ(FindText(page, "<!--PAGENAME-->"), 100u);
  EXPECT_EQ(FindText(page, "<!--PAGENAME-->", 101), std::string::npos);
  EXPECT_EQ(FindText(page, "y", 150), 150u);
}

}  // namespace
}  // namespace velmora
