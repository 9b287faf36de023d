#include "markup/text_operations.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Strings = std::vector<std::string>;

TEST(TextBetween, MarkersMustFollowTheStart) {
  EXPECT_EQ(TextBetween("a b-->", " ", "-->"), "b");
  EXPECT_EQ(TextBetween("  b-->", " ", "-->"), "");   // left marker at position 0
  EXPECT_EQ(TextBetween("a-->b c", " ", "-->"), "");  // right before left
  EXPECT_EQ(TextBetween("a b", " ", "-->"), "");
  EXPECT_EQ(TextBetween("x[]", "[", "]"), "");
}

TEST(QuotedValues, CollectHonoursDistanceAndKeepsArray) {
  Strings values{"first"};
  CollectQuotedValues("src=\" a.gif \" src  =  \"far.gif\" src=\"b.gif\"", "src", 5, values);
  EXPECT_EQ(values, (Strings{"first", "a.gif", "b.gif"}));
  CollectQuotedValues("", "src", 3, values);
  CollectQuotedValues("src=\"open", "src", 3, values);
  EXPECT_EQ(values.size(), 3u);
}

TEST(QuotedValues, GetAfterPosition) {
  std::string text = "x href=\"one\" href=\"two\" href   =\"three\"";
  size_t pos = 0;
  std::string value;
  ASSERT_TRUE(GetQuotedValueAfter(text, pos, "href", value, 6));
  EXPECT_EQ(pos, 2u);
  EXPECT_EQ(value, "one");
  pos = 3;
  ASSERT_TRUE(GetQuotedValueAfter(text, pos, "href", value, 6));
  EXPECT_EQ(value, "two");
  pos = 20;
  EXPECT_FALSE(GetQuotedValueAfter(text, pos, "href", value, 6));  // quote too far
  EXPECT_EQ(pos, 24u);
  EXPECT_EQ(value, "");
  pos = 30;
  EXPECT_FALSE(GetQuotedValueAfter(text, pos, "href", value, 6));
  EXPECT_EQ(pos, std::string::npos);
}

TEST(QuotedValues, ReplaceQuotedAfterEveryKey) {
  std::string text = "<a href=\"x\">1</a><a href=\"yy\">2</a><a href=";
  EXPECT_EQ(ReplaceQuotedAfter(text, "href", "href=z"), 2);
  // The new value holds the key itself; the search goes on behind it.
  EXPECT_EQ(text, "<a href=\"href=z\">1</a><a href=\"href=z\">2</a><a href=");
  std::string none = "nothing";
  EXPECT_EQ(ReplaceQuotedAfter(none, "href", "z"), 0);
  EXPECT_EQ(none, "nothing");
}

TEST(QuotedValues, ReplaceAfterTwoKeysCaseForms) {
  const std::string page = "<A HREF=\"1\"> <a Href=\"2\"> <a href=\"3\"> <a HREF=\"4\">";
  std::string text = page;
  ReplaceQuotedAfterKeys(text, "<a", "href=", "N", true, false);
  // Lower and upper forms only: the mixed "Href=" keeps its value.
  EXPECT_EQ(text, "<A HREF=\"N\"> <a Href=\"2\"> <a href=\"N\"> <a HREF=\"N\">");

  text = page;
  ReplaceQuotedAfterKeys(text, "<a", "href=", "N", false, false);
  EXPECT_EQ(text, "<A HREF=\"N\"> <a Href=\"2\"> <a href=\"3\"> <a HREF=\"4\">");

  text = page;
  ReplaceQuotedAfterKeys(text, "<a", "href=", "N", true, true);
  EXPECT_EQ(text, "<A HREF=\"1\"> <a Href=\"2\"> <a href=\"N\"> <a HREF=\"4\">");

  text.clear();
  ReplaceQuotedAfterKeys(text, "<a", "href=", "N", true, true);
  EXPECT_EQ(text, "");
}

TEST(ReplaceBetween, KeepsMarkersAndContinuesAfterRight) {
  std::string text = "[a][bb][c";
  EXPECT_EQ(ReplaceBetween(text, "[", "]", "x"), 2);
  EXPECT_EQ(text, "[x][x][c");
  text = "<!--T-->old<!--/T--> <!--T-->old2<!--/T-->";
  EXPECT_EQ(ReplaceBetween(text, "<!--T-->", "<!--/T-->", "<!--T-->in<!--/T-->"), 2);
  EXPECT_EQ(text, "<!--T--><!--T-->in<!--/T--><!--/T--> <!--T--><!--T-->in<!--/T--><!--/T-->");
  // Contents near the end or as long as the new text are replaced where they stand, others
  // by writing the text anew: the results are the same.
  const std::string middle(100, '.');
  for (const std::string newText : {"", "ab", "abcd"}) {
    text = "[ab]" + middle + "[cd]";
    EXPECT_EQ(ReplaceBetween(text, "[", "]", newText), 2);
    EXPECT_EQ(text, "[" + newText + "]" + middle + "[" + newText + "]");
    text = middle + "[abc]";
    EXPECT_EQ(ReplaceBetween(text, "[", "]", newText), 1);
    EXPECT_EQ(text, middle + "[" + newText + "]");
  }
}

TEST(StripTags, NestingAndStrayBrackets) {
  std::string text = "a<b>c</b>d";
  EXPECT_EQ(StripTags(text), 3u);
  EXPECT_EQ(text, "acd");
  text = "a>b<c>d";
  StripTags(text);
  EXPECT_EQ(text, "ac");
  text = "x<<y>>z";
  StripTags(text);
  EXPECT_EQ(text, "xz");
}

TEST(Links, PlainPageNamesAndAnchors) {
  EXPECT_TRUE(IsPlainPageName("Home"));
  EXPECT_FALSE(IsPlainPageName(""));
  EXPECT_FALSE(IsPlainPageName("#top"));
  EXPECT_FALSE(IsPlainPageName("a.html"));
  EXPECT_FALSE(IsPlainPageName("mailto:x"));
  EXPECT_FALSE(IsPlainPageName("dir/a"));

  EXPECT_EQ(MakeLink("a.html", "A", "_top"), "<a href=\"a.html\" target=_top>A</a>");
  EXPECT_EQ(MakeLink("a.html", ""), "<a href=\"a.html\">a.html</a>");
  EXPECT_EQ(MakeLink("", "just text", "_top"), "just text");
}

}  // namespace
}  // namespace velmora
