#include <gtest/gtest.h>

#include "model/published_list.h"
#include "model/web_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class SiteLookup : public ::testing::Test {
 protected:
  CPage* AddPage(int nLevel, const std::string& name, const std::string& type = "",
                 const std::string& remotePath = "") {
    return AddPageTo(m_site, nLevel, name, type, remotePath);
  }
  static CPage* AddPageTo(CWebSite& site, int nLevel, const std::string& name,
                          const std::string& type, const std::string& remotePath) {
    auto pPage = std::make_unique<CPage>(&site);
    pPage->m_nLevel = nLevel;
    pPage->m_strName = name;
    pPage->m_strType = type;
    pPage->m_strRemotePath = remotePath;
    if (!remotePath.empty())
      pPage->m_strLocalPath = "C:\\site\\" + remotePath;
    return &site.AddPage(std::move(pPage));
  }
  CWebSite m_site{TestContext(), {}};
};

TEST_F(SiteLookup, HomePageAndCounts) {
  EXPECT_EQ(m_site.HomePage(), nullptr);
  AddPage(0, "frameset", "FF");
  CPage* pFirst = AddPage(1, "first", "P");
  EXPECT_EQ(m_site.HomePage(), pFirst);
  CPage* pFrameHome = AddPage(0, "home", "FI");
  EXPECT_EQ(m_site.HomePage(), pFrameHome);
  AddPage(2, "second");
  EXPECT_EQ(m_site.CountPages(-1), 4);
  EXPECT_EQ(m_site.CountPages(0), 2);
  EXPECT_EQ(m_site.CountPages(5), 0);
}

TEST_F(SiteLookup, FindPageByAnyOfItsNames) {
  CPage* pA = AddPage(1, "a.html", "", "b.html");
  CPage* pB = AddPage(1, "b.html", "", "pages\\c.html");
  pB->m_strUrl = "http://example.org/c.html";
  EXPECT_EQ(m_site.FindPage("b.html"), pA);  // the first page, by remote path
  EXPECT_EQ(m_site.FindPageByName("b.html"), pB);
  EXPECT_EQ(m_site.FindPage("C:\\site\\pages\\c.html"), pB);
  EXPECT_EQ(m_site.FindPage("http://example.org/c.html"), pB);
  AddPage(1, "");
  EXPECT_EQ(m_site.FindPage(""), nullptr);
  EXPECT_EQ(m_site.FindPageByName("B.HTML"), nullptr);
  EXPECT_EQ(m_site.GetBlock(0), nullptr);
}

TEST_F(SiteLookup, PublishedListIsSortedAndKeepsSelectionByPosition) {
  CPage* pZ = AddPage(1, "z", "P", "z.html");
  AddPage(1, "heading");
  CPage* pA = AddPage(1, "a", "P", "pages\\a.html");
  CPage* pDup = AddPage(1, "a2", "P", "pages\\a.html");
  CPublishedList list;
  m_site.FillPublishedList(list);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(m_site.m_nListed, 3);
  EXPECT_EQ(list.m_entries[0].m_pPage, pA);
  EXPECT_EQ(list.m_entries[1].m_pPage, pDup);
  EXPECT_EQ(list.m_entries[2].m_pPage, pZ);

  EXPECT_TRUE(list.Select("pages/a.html"));
  list.m_entries[2].m_bSelected = true;
  EXPECT_EQ(list.SelectedPages(), (std::vector<CPage*>{pA, pZ}));

  // Refilled from a site with fewer pages: the remembered positions that still exist stay
  // selected, whatever now stands there.
  CWebSite smaller(TestContext(), {});
  AddPageTo(smaller, 1, "z", "P", "z.html");
  AddPageTo(smaller, 1, "heading", "", "");
  CPage* pSecond = AddPageTo(smaller, 1, "a2", "P", "pages\\a.html");
  smaller.FillPublishedList(list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.SelectedPages(), (std::vector<CPage*>{pSecond}));
}

TEST_F(SiteLookup, PublishedListSortsIgnoringCase) {
  CPage* pBeta = AddPage(1, "b", "P", "beta.html");
  CPage* pZeta = AddPage(1, "z", "P", "Zeta.html");
  CPage* pAlpha = AddPage(1, "a", "P", "alpha.html");
  CPublishedList list;
  m_site.FillPublishedList(list);
  list.Select("Zeta.html");
  list.Select("beta.html");
  list.Select("alpha.html");
  EXPECT_EQ(list.SelectedPages(), (std::vector<CPage*>{pAlpha, pBeta, pZeta}));

  // An entry added on its own lands at the same place.
  list.Add("Gamma.html", nullptr);
  list.Add("ALPHA2.html", nullptr);
  std::vector<std::string> names;
  for (const CPublishedList::CEntry& entry : list.m_entries) names.push_back(entry.m_strName);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha.html", "ALPHA2.html", "beta.html", "Gamma.html",
                                             "Zeta.html"}));
}

}  // namespace
}  // namespace velmora
