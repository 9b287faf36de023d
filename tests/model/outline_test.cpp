#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/web_site.h"
#include "platform/report.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class OutlineTest : public ::testing::Test {
 protected:
  void SetUp() override { TestContext().report.Clear(); }

  CPage* AddPage(int nLevel, const std::string& name, const std::string& localPath = "x.html") {
    auto pPage = std::make_unique<CPage>(&m_site);
    pPage->m_nLevel = nLevel;
    pPage->m_strName = name;
    pPage->m_strLocalPath = localPath;
    return &m_site.AddPage(std::move(pPage));
  }
  CPage* Page(size_t n) { return m_site.Pages()[n].get(); }

  CWebSite m_site{TestContext(), {}};
};

TEST_F(OutlineTest, PlacesPagesByLevel) {
  for (int nLevel : {1, 2, 2, 1, 3, 0, 2}) AddPage(nLevel, "p" + std::to_string(nLevel));
  m_site.FormOutline();
  CNode* pRoot = m_site.m_pRoot.get();
  EXPECT_EQ(pRoot->m_children, (std::vector<CNode*>{Page(0), Page(3)}));
  EXPECT_EQ(Page(0)->m_children, (std::vector<CNode*>{Page(1), Page(2)}));
  EXPECT_EQ(Page(3)->m_children, (std::vector<CNode*>{Page(4), Page(6)}));
  EXPECT_EQ(Page(5)->m_pParent, nullptr);
  EXPECT_TRUE(Page(4)->IsBelow(pRoot));
  EXPECT_FALSE(Page(4)->IsBelow(Page(0)));
  EXPECT_EQ(Page(6)->Top(), pRoot);
  EXPECT_EQ(TestContext().report.Text().find("Force level"), std::string::npos);
}

TEST_F(OutlineTest, FirstOutlinePageIsForcedToLevelOne) {
  AddPage(0, "frame");
  AddPage(2, "Start");
  AddPage(3, "Child");
  AddPage(2, "Next");
  m_site.FormOutline();
  EXPECT_EQ(Page(1)->m_nLevel, 1);
  EXPECT_NE(TestContext().report.Text().find("Force level 1 on page: Start\r\n"),
            std::string::npos);
  // The following pages keep their levels: level 2 is now below the first page.
  EXPECT_EQ(Page(2)->m_pParent, Page(1));
  EXPECT_EQ(Page(3)->m_pParent, Page(1));
  EXPECT_EQ(Page(0)->m_pParent, nullptr);
}

TEST_F(OutlineTest, EmptyOutlineAndPagesHandedBackPastTheTop) {
  AddPage(0, "a");
  AddPage(0, "b");
  m_site.FormOutline();
  EXPECT_TRUE(m_site.m_pRoot->m_children.empty());
  EXPECT_EQ(m_site.Sequence().size(), 1u);

  m_site.Clear();
  AddPage(1, "a");
  AddPage(-1, "negative");
  AddPage(1, "after");
  m_site.FormOutline();
  EXPECT_EQ(m_site.m_pRoot->m_children.size(), 1u);
  EXPECT_EQ(Page(1)->m_pParent, nullptr);
  EXPECT_EQ(Page(2)->m_pParent, nullptr);
  EXPECT_EQ(Page(2)->NextInSequence(), nullptr);
}

TEST_F(OutlineTest, NavigationFollowsTheWalkAndSkipsHeadings) {
  AddPage(1, "home");
  AddPage(2, "heading", "");
  AddPage(3, "a");
  AddPage(2, "linked", "")->m_strOption = "N";
  AddPage(0, "frame");
  AddPage(1, "last");
  m_site.FormOutline();
  CNode* pRoot = m_site.m_pRoot.get();
  EXPECT_EQ(m_site.Sequence(),
            (std::vector<CNode*>{pRoot, Page(0), Page(1), Page(2), Page(3), Page(5)}));
  EXPECT_EQ(Page(0)->PreviousInSequence(), pRoot);
  EXPECT_EQ(pRoot->PreviousInSequence(), nullptr);
  EXPECT_EQ(Page(5)->NextInSequence(), nullptr);
  EXPECT_EQ(Page(0)->NextPage(), Page(2));
  EXPECT_EQ(Page(2)->NextPage(), Page(3));
  EXPECT_EQ(Page(3)->NextPage(), Page(5));
  EXPECT_EQ(Page(5)->NextPage(), nullptr);
  EXPECT_EQ(Page(2)->PreviousPage(), Page(0));
  EXPECT_EQ(Page(0)->PreviousPage(), nullptr);
  // Pages outside the outline have no neighbours.
  EXPECT_EQ(Page(4)->NextPage(), nullptr);
  EXPECT_EQ(Page(4)->PreviousInSequence(), nullptr);
}

TEST_F(OutlineTest, UnpreparedOutlineWalksTheSameWay) {
  for (int nLevel : {1, 2, 3, 3, 2, 1, 2}) AddPage(nLevel, "p");
  Page(3)->m_strLocalPath.clear();
  m_site.FormOutline();
  // A page added drops the prepared walk; the tree stays and is walked node by node.
  AddPage(0, "frame");
  EXPECT_TRUE(m_site.Sequence().empty());
  EXPECT_EQ(m_site.OutlinePosition(Page(2)), -1);
  std::vector<CNode*> walked{m_site.m_pRoot.get()}, pages, back;
  while (CNode* p = walked.back()->NextInSequence()) walked.push_back(p);
  for (CNode* p = Page(0); p; p = p->NextPage()) pages.push_back(p);
  for (CNode* p = Page(6); p; p = p->PreviousPage()) back.push_back(p);

  m_site.PrepareOutline();
  EXPECT_EQ(walked, m_site.Sequence());
  std::vector<CNode*> prepared, preparedBack;
  for (CNode* p = Page(0); p; p = p->NextPage()) prepared.push_back(p);
  for (CNode* p = Page(6); p; p = p->PreviousPage()) preparedBack.push_back(p);
  EXPECT_EQ(pages, prepared);
  EXPECT_EQ(back, preparedBack);
  EXPECT_EQ(pages.size(), 6u);
}

TEST_F(OutlineTest, DeepOutlineNeedsNoRecursion) {
  const int nDepth = 50000;
  for (int n = 1; n <= nDepth; ++n) AddPage(n, "p");
  AddPage(1, "tail");
  m_site.FormOutline();
  CPage* pDeepest = Page(nDepth - 1);
  EXPECT_EQ(pDeepest->Top(), m_site.m_pRoot.get());
  EXPECT_TRUE(pDeepest->IsBelow(Page(0)));
  EXPECT_EQ(pDeepest->NextPage(), Page(nDepth));
  EXPECT_EQ(Page(nDepth)->PreviousPage(), pDeepest);
  EXPECT_EQ(m_site.Sequence().size(), static_cast<size_t>(nDepth) + 2);
}

}  // namespace
}  // namespace velmora
