#include "markup/attribute_text.h"

#include <gtest/gtest.h>

#include "markup/text_operations.h"

namespace velmora {
namespace {

TEST(AttributeText, EscapesOnlyWhatEndsOrBreaksAValue) {
  EXPECT_EQ(EscapeAttribute("pages/a b.html#x'y"), "pages/a b.html#x'y");
  EXPECT_EQ(EscapeAttribute("r&d \"<q>\""), "r&amp;d &quot;&lt;q&gt;&quot;");
  EXPECT_EQ(MakeLink("r&d.html", ""), "<a href=\"r&amp;d.html\">r&amp;d.html</a>");
  // The shown text is markup already and stays as it is.
  EXPECT_EQ(MakeLink("a.html", "<b>A</b> & B"), "<a href=\"a.html\"><b>A</b> & B</a>");
  // A frame name is quoted only when it has to be.
  EXPECT_EQ(MakeLink("a.html", "A", "main"), "<a href=\"a.html\" target=main>A</a>");
  EXPECT_EQ(MakeLink("a.html", "A", "my \"frame\""),
            "<a href=\"a.html\" target=\"my &quot;frame&quot;\">A</a>");
}

TEST(AttributeText, DecodesTheBasicReferencesOnly) {
  EXPECT_EQ(DecodeBasicReferences("a &amp;lt; &lt;&gt;&quot;&#39; &nbsp; &amp & &#x27;"),
            "a &lt; <>\"' &nbsp; &amp & &#x27;");
}

TEST(AttributeText, RecognisesTheHtml5DoctypeOnly) {
  EXPECT_TRUE(BeginsWithHtml5Doctype("<!DOCTYPE html>\r\n<html>"));
  EXPECT_TRUE(BeginsWithHtml5Doctype("\xEF\xBB\xBF \r\n<!doctype  HTML >"));
  EXPECT_FALSE(BeginsWithHtml5Doctype("<html><!DOCTYPE html>"));
  EXPECT_FALSE(BeginsWithHtml5Doctype("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"));
  EXPECT_FALSE(BeginsWithHtml5Doctype("<!DOCTYPEhtml>"));
  EXPECT_FALSE(BeginsWithHtml5Doctype("<!DOCTYPE htmlx>"));
  EXPECT_FALSE(BeginsWithHtml5Doctype("<!DOCTYPE html"));
  EXPECT_FALSE(BeginsWithHtml5Doctype(""));
}

TEST(AttributeText, FragmentNamesNeedNoDecoding) {
  EXPECT_EQ(FragmentName("Part one"), "Part-one");
  EXPECT_EQ(FragmentName(" a\tb\r\n"), "-a-b--");
  EXPECT_EQ(FragmentName("Say \"hi\" <now> #1 50% [x]"),
            "Say-%22hi%22-%3Cnow%3E-%231-50%25-%5Bx%5D");
  EXPECT_EQ(FragmentName("R&D:a/b?c=d,e;f(g)'h'!~@$*+_."), "R&D:a/b?c=d,e;f(g)'h'!~@$*+_.");
  EXPECT_EQ(FragmentName("caf\xC3\xA9"), "caf\xC3\xA9");
  EXPECT_EQ(FragmentName(""), "-");
  EXPECT_EQ(AnchorElement("R&D", true), "<a id=\"R&amp;D\"></a>");
  EXPECT_EQ(AnchorElement("a b", false, " "), "<a name=\"a b\"> </a>");
}

}  // namespace
}  // namespace velmora
