#include "markup/keyword_index.h"

#include <gtest/gtest.h>

#include "model/web_site.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class KeywordIndex : public ::testing::Test {
 protected:
  void SetUp() override { index.ResetIndex(); }

  // The pages listed under a keyword, by name.
  std::vector<std::string> PagesOf(const std::string& keyword) const {
    for (const auto& pEntry : index.m_sourceEntries)
      if (pEntry->m_strKeyword == keyword)
        return pEntry->m_pageNames;
    for (const auto& pEntry : index.m_tagEntries)
      if (pEntry->m_strKeyword == keyword)
        return pEntry->m_pageNames;
    return {"<no such keyword>"};
  }

  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
      ++n;
    return n;
  }

  CKeywordIndex index{TestContext().files, TestContext().report};
};

TEST_F(KeywordIndex, SourcesSortIgnoringCaseButTheIndexSortsByBytes) {
  index.LoadIndexSource("banana\nApple,apples\n\ncherry,,Kirsche\n");
  ASSERT_EQ(index.m_sourceEntries.size(), 3u);
  EXPECT_EQ(index.m_sourceEntries[0]->m_strKeyword, "Apple");
  EXPECT_EQ(index.m_sourceEntries[1]->m_strKeyword, "banana");
  EXPECT_EQ(index.m_sourceEntries[2]->m_strKeyword, "cherry");
  EXPECT_EQ(index.m_sourceEntries[2]->m_synonyms, std::vector<std::string>{"Kirsche"});

  index.ResetIndex();
  index.LoadIndexSource("apple\r\nBanana\r\n");
  EXPECT_EQ(index.m_sourceEntries[0]->m_strKeyword, "apple");
  const std::string text = index.FormatIndex("C:\\site\\ix.html", 1, false, false);
  EXPECT_EQ(text,
            "\r\n<div class=\"indexkeyword\">Banana</div>\r\n"
            "\r\n<div class=\"indexkeyword\">apple</div>\r\n");
}

TEST_F(KeywordIndex, SynonymsCountAndOnlyTheFirstOccurrenceIsJudged) {
  index.LoadIndexSource("Apple,apples,Malus\r\nPear\r\nPlum\r\n");
  index.ScanPage("C:\\site\\a.html", "A", "<p>We grow apples.</p>");
  // Pear first occurs in the navigation list, so its later use in the body is not seen.
  index.ScanPage("C:\\site\\b.html", "B", "<!--CONLIST-->Pear<!--/CONLIST--><p>Pear and Plum</p>");
  // A table of contents inside the navigation list still counts.
  index.ScanPage("C:\\site\\c.html", "C", "<!--CONLIST--><!--TOC-->Pear<!--/TOC--><!--/CONLIST-->");
  index.ScanPage("C:\\site\\a.html", "a", "apples again, same page and path ignoring case");

  EXPECT_EQ(PagesOf("Apple"), std::vector<std::string>{"A"});
  EXPECT_EQ(PagesOf("Pear"), std::vector<std::string>{"C"});
  EXPECT_EQ(PagesOf("Plum"), std::vector<std::string>{"B"});
}

TEST_F(KeywordIndex, IndexPagesAreRegisteredNotScanned) {
  index.LoadIndexSource("Apple");
  index.ScanPage("C:\\site\\ix.html", "Index", "Apple <!--INDEX/-->");
  EXPECT_EQ(index.m_indexPages, std::vector<std::string>{"C:\\site\\ix.html"});
  EXPECT_TRUE(PagesOf("Apple").empty());
}

TEST_F(KeywordIndex, InxTagsMakeEntriesThatSynonymsJoin) {
  index.ScanPage("C:\\site\\a.html", "A",
                 "<!--INX NAME=\"Rose,roses\"-->x<!--/INX--> <!--INX NAME=\"\"/-->");
  index.ScanPage("C:\\site\\b.html", "B", "<!--INX NAME=\"ROSES\"/-->");
  ASSERT_EQ(index.m_tagEntries.size(), 1u);
  EXPECT_EQ(PagesOf("Rose"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(KeywordIndex, ColumnsDealEntriesEvenlyWithTheRestInTheLast) {
  std::string source;
  for (char c = 'a'; c < 'a' + 10; ++c) source += std::string(1, c) + "\n";
  index.LoadIndexSource(source);
  const std::string table = index.FormatIndex("C:\\site\\ix.html", 3, false, false);
  ASSERT_EQ(Count(table, "<td "), 3u);
  const size_t second = table.find("<td ", table.find("<td ") + 1);
  const size_t third = table.find("<td ", second + 1);
  EXPECT_EQ(Count(table.substr(0, second), "indexkeyword"), 3u);
  EXPECT_EQ(Count(table.substr(second, third - second), "indexkeyword"), 3u);
  EXPECT_EQ(Count(table.substr(third), "indexkeyword"), 4u);
  EXPECT_EQ(Count(table, "</tr>"), 0u);

  index.ResetIndex();
  index.LoadIndexSource("a\nb\n");
  EXPECT_EQ(Count(index.FormatIndex("C:\\site\\ix.html", 3, false, false), "<td "), 2u);
  // Zero or fewer columns are read as one: a plain list.
  EXPECT_EQ(Count(index.FormatIndex("C:\\site\\ix.html", 0, false, false), "<table"), 0u);
  // A column is a div: a paragraph cannot hold the entries' divs. No entries, no table.
  EXPECT_EQ(Count(table, "<td valign=\"top\"><div class=\"sitemap\">"), 3u);
  EXPECT_EQ(Count(table, "<p"), 0u);
  index.ResetIndex();
  EXPECT_EQ(index.FormatIndex("C:\\site\\ix.html", 3, false, false), "");
}

TEST_F(KeywordIndex, IndexPagesAreFilledOnDisk) {
  CTempDrive drive;
  drive.Write("site\\ix.html",
              "<!--INDEX REFERENCE=\"ON\" SORT=\"ON\" COLS=\"1\"-->old<!--/INDEX-->\n"
              "<!--INDEX APPEND=\"ON\"-->kept<!--/INDEX-->");
  index.LoadIndexSource("Apple");
  index.ScanPage("C:\\site\\pages\\z.html", "Zed", "Apple");
  index.ScanPage("C:\\site\\pages\\a.html", "Apple Page", "Apple");
  index.ScanPage("C:\\site\\ix.html", "Index", "");
  CWebSite site(TestContext(), {});
  index.BuildIndexPages();

  const std::string page = drive.Read("site\\ix.html");
  EXPECT_NE(page.find("<!--INDEX REFERENCE=\"ON\" SORT=\"ON\" COLS=\"1\"-->\r\n"
                      "<div class=\"indexkeyword\">Apple</div>\r\n"
                      "<div class=\"indexentry\"><a href=\"pages/a.html\">Apple Page</a></div>\r\n"
                      "<div class=\"indexentry\"><a href=\"pages/z.html\">Zed</a></div>\r\n"
                      "<!--/INDEX-->"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<!--INDEX APPEND=\"ON\"-->kept\r\n<table"), std::string::npos) << page;
}

}  // namespace
}  // namespace velmora
