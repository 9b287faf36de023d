#include "markup/page_references.h"

#include <gtest/gtest.h>

#include "markup/html_tags.h"

namespace velmora {
namespace {

// "kind:value" for each reference, in the order read.
std::vector<std::string> Listed(const std::string& text) {
  std::vector<std::string> result;
  for (const CPageReference& reference : ReadPageReferences(text).m_references) {
    const char* kind = reference.m_eKind == EReferenceKind::kNavigation ? "nav"
                       : reference.m_eKind == EReferenceKind::kResource ? "res"
                                                                        : "img";
    result.push_back(std::string(kind) + ":" + reference.m_strValue);
  }
  return result;
}

TEST(PageReferences, AttributesInAnyPositionQuotingAndLetterCase) {
  EXPECT_EQ(
      Listed("<a class=x href=missing.html>m</a>"
             "<A TITLE='a > b' HREF='single quoted.html'>s</A>"
             "<a\nhref = \" spaced.html \" >t</a>"
             "<img alt=\"logo\" width=3 src=logo.gif>"
             "<a href=\"first.html\" href=\"second.html\">r</a>"
             "<a name=only-a-name>n</a><a href>e</a>"),
      (std::vector<std::string>{"nav:missing.html", "nav:single quoted.html", "nav:spaced.html",
                                "img:logo.gif", "nav:first.html", "nav:"}));
}

TEST(PageReferences, EveryElementABrowserFollows) {
  EXPECT_EQ(
      Listed("<link rel=stylesheet href=\"s.css\"><script src=\"app.js\"></script>"
             "<map><area shape=rect href=\"a.html\"></map><iframe src=\"in.html\"></iframe>"
             "<frameset><frame src=\"left.html\"></frameset>"
             "<meta http-equiv=\"Refresh\" content=\"5; URL='next.html'\">"
             "<meta http-equiv=\"refresh\" content=\"30\">"
             "<body background=\"bg.gif\"><td background=\"cell.gif\">"
             "<img src=\"a.png\" srcset=\"a2.png 2x, a3.png 3x\"><input type=image src=\"go.gif\">"
             "<input type=text src=\"not.gif\"><embed src=\"e.swf\"><object data=\"o.svg\">"
             "<video src=\"v.mp4\" poster=\"p.jpg\"><source src=\"v.webm\"></video>"),
      (std::vector<std::string>{"res:s.css", "res:app.js", "nav:a.html", "nav:in.html",
                                "nav:left.html", "nav:next.html", "img:bg.gif", "img:cell.gif",
                                "img:a.png", "img:a2.png", "img:a3.png", "img:go.gif", "res:e.swf",
                                "res:o.svg", "res:v.mp4", "img:p.jpg", "res:v.webm"}));
}

TEST(PageReferences, WhatABrowserDoesNotReadAsMarkupIsPassedOver) {
  EXPECT_EQ(Listed("<!-- <a href=\"commented.html\"> --><!--TOC--><a href=\"toc.html\">t</a>"
                   "<!--/TOC--><script>document.write('<a href=\"scripted.html\">')</script>"
                   "<style>a[href=\"x.html\"] {}</style><title><a href=\"t.html\"></title>"
                   "a < b <a href=\"after.html\">a</a></p><a href=\"cut.html"),
            (std::vector<std::string>{"nav:toc.html", "nav:after.html"}));
}

TEST(PageReferences, AnchorsAreNamesOfLinksAndIdsOfAnyElement) {
  const CAnchors anchors = ReadAnchors(
      "<a name=\"top\"></a><h2 id='Say &quot;hi&quot;'>x</h2><DIV ID=box>"
      "<map name=\"nav\"></map><a NAME=\"r&amp;d\">");
  EXPECT_EQ(anchors, (CAnchors{"top", "Say \"hi\"", "box", "r&d"}));
  EXPECT_TRUE(HasAnchor(anchors, "Say%20%22hi%22"));
  EXPECT_TRUE(HasAnchor(anchors, "box"));
  EXPECT_FALSE(HasAnchor(anchors, "nav"));
  EXPECT_FALSE(HasAnchor(anchors, "Box"));
}

TEST(PageReferences, CharacterReferencesInValues) {
  EXPECT_EQ(DecodeCharacterReferences("r&amp;d.html?a=1&amp;b=2"), "r&d.html?a=1&b=2");
  EXPECT_EQ(DecodeCharacterReferences("&#34;&#x22;&lt;&gt;&apos;"), "\"\"<>'");
  EXPECT_EQ(DecodeCharacterReferences("&#233;"), "\xC3\xA9");
  EXPECT_EQ(DecodeCharacterReferences("a & b &nbsp; &amp &#;"), "a & b &nbsp; &amp &#;");
  EXPECT_EQ(PercentDecode("my%20page%2ehtml%zz%4"), "my page.html%zz%4");
}

TEST(PageReferences, FileReferencesResolveAsABrowserResolvesThem) {
  const std::string page = "C:\\site\\pages\\a.html";
  const std::string catalog = "C:\\site\\";
  auto file = [&](const std::string& value) {
    return ResolveFileReference(page, catalog, value).m_strFile;
  };
  EXPECT_EQ(file("about.html?x=1"), "C:\\site\\pages\\about.html");
  EXPECT_EQ(file("../gfx/def.css?v=2#x"), "C:\\site\\gfx\\def.css");
  EXPECT_EQ(file("/gfx/logo.gif"), "C:\\site\\gfx\\logo.gif");
  EXPECT_EQ(file("./sub/../b%20c.html"), "C:\\site\\pages\\b c.html");
  EXPECT_EQ(file("sub/"), "C:\\site\\pages\\sub\\index.html");
  EXPECT_EQ(file("/"), "C:\\site\\index.html");
  EXPECT_EQ(file(".."), "C:\\site\\index.html");
  EXPECT_EQ(file("..\\x.html"), "C:\\site\\x.html");
  EXPECT_EQ(file("?x=1"), page);
  EXPECT_EQ(file("../../x.html"), "C:\\x.html");
  EXPECT_EQ(file("../../../x.html"), "");

  const CReferenceTarget target = ResolveFileReference(page, catalog, "b.html?q=#sec%201");
  EXPECT_EQ(target.m_strFile, "C:\\site\\pages\\b.html");
  EXPECT_EQ(target.m_strFragment, "sec%201");
  EXPECT_TRUE(ResolveFileReference(page, catalog, "b.html#").m_bFragment);
}

}  // namespace
}  // namespace velmora
