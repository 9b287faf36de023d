#include "model/collection.h"

#include <gtest/gtest.h>

#include "model/web_site.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

TEST(Collection, DefinitionNeedsExactlyThreeParts) {
  EXPECT_FALSE(CCollection(nullptr, "news,<p>").m_bValid);
  EXPECT_FALSE(CCollection(nullptr, "news,<p>,</p>,x").m_bValid);
  CCollection collection(nullptr, "news,,<p> ,</p>");
  ASSERT_TRUE(collection.m_bValid);
  EXPECT_EQ(collection.m_strLeft, "<p> ");  // blanks belong to the marker
  EXPECT_EQ(collection.m_strRight, "</p>");
}

TEST(Collection, PiecesAreGatheredInPageOrderAndShowingPagesNoted) {
  CCollection news(nullptr, "news,<!--NEWS-->,<!--/NEWS-->");
  news.CollectFromPage("C:\\s\\a.html",
                       "<!--NEWS--> one<!--/NEWS-->x<!--NEWS-->two<!--/NEWS--><!--NEWS-->open");
  news.CollectFromPage("C:\\s\\b.html", "NAME=\"news\" but no element");
  news.CollectFromPage("C:\\s\\c.html", "<!--COLLECTION NAME=\"news\"/-->");
  EXPECT_EQ(news.m_texts, (std::vector<std::string>{" one", "two"}));
  EXPECT_EQ(news.m_sourcePages, (std::vector<std::string>{"C:\\s\\a.html", "C:\\s\\a.html"}));
  EXPECT_EQ(news.m_showingPages, std::vector<std::string>{"C:\\s\\c.html"});
}

TEST(Collection, ElementsAreFilledOnlyByTheirOwnCollection) {
  CTempDrive drive;
  drive.Write(
      "s\\news.html",
      "<!--COLLECTION NAME=\"news\" LINESEPARATOR=\"\"-->old<!--/COLLECTION-->|"
      "<!--COLLECTION NAME=\"tips\" LINESEPARATOR=\"<hr>\"-->old<!--/COLLECTION-->|"
      "<!--COLLECTION NAME=\"news\" REFERENCE=\"ON\" APPEND=\"ON\"-->old<!--/COLLECTION-->");
  CWebSite site(TestContext(), {});
  site.m_collections.push_back(std::make_unique<CCollection>(&site, "news,[,]"));
  site.m_collections.push_back(std::make_unique<CCollection>(&site, "tips,{,}"));
  for (const auto& pCollection : site.m_collections) {
    pCollection->CollectFromPage("C:\\s\\pages\\a.html", "[n1] {t1} [n2]");
    pCollection->CollectFromPage("C:\\s\\news.html", "");
  }
  BuildCollectionPages(site);
  EXPECT_EQ(drive.Read("s\\news.html"),
            "<!--COLLECTION NAME=\"news\" LINESEPARATOR=\"\"-->\r\n<br/>n1\r\n<br/>n2\r\n"
            "<!--/COLLECTION-->|"
            "<!--COLLECTION NAME=\"tips\" LINESEPARATOR=\"<hr>\"-->\r\n<hr>t1\r\n"
            "<!--/COLLECTION-->|"
            "<!--COLLECTION NAME=\"news\" REFERENCE=\"ON\" APPEND=\"ON\"-->old\r\n"
            "<br/><a href=\"pages/a.html\">n1</a>\r\n<br/><a href=\"pages/a.html\">n2</a>\r\n"
            "<!--/COLLECTION-->");
}

// A link cannot hold a link: a piece with links of its own keeps them and is followed by the
// link to its page, named after the page. Addresses from file names are escaped.
TEST(Collection, PiecesHoldingLinksAreNotWrappedInAnother) {
  CWebSite site(TestContext(), {});
  CPage& page = site.AddPage(std::make_unique<CPage>(&site));
  page.m_strLocalPath = "C:\\s\\pages\\r&d.html";
  page.m_strName = "R&D";
  CCollection news(&site, "news,[,]");
  news.CollectFromPage(
      "C:\\s\\pages\\r&d.html",
      "[see <A HREF=\"x.html\">x</A>][plain][<a\r\nhref=\"y\">y</a>][<abbr>z</abbr>]");
  EXPECT_EQ(news.FormatList("C:\\s\\news.html", true, "|"),
            "\r\n|see <A HREF=\"x.html\">x</A> <a href=\"pages/r&amp;d.html\">R&D</a>\r\n"
            "|<a href=\"pages/r&amp;d.html\">plain</a>\r\n"
            "|<a\r\nhref=\"y\">y</a> <a href=\"pages/r&amp;d.html\">R&D</a>\r\n"
            "|<a href=\"pages/r&amp;d.html\"><abbr>z</abbr></a>\r\n");
}

}  // namespace
}  // namespace velmora
