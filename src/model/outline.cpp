// The page outline: placing pages by level, numbering its pre-order walk, and the navigation
// that later build steps use. Outlines may be tens of thousands of levels deep, so nothing
// here recurses.
#include <algorithm>

#include "model/build_context.h"
#include "model/web_site.h"
#include "platform/report.h"

namespace velmora {

namespace {

void Attach(CNode* pParent, CNode* pChild) {
  pChild->m_pParent = pParent;
  pParent->m_children.push_back(pChild);
}

// Navigation between pages passes over headings that have no file of their own.
bool CountsAsPage(const CNode* pNode) {
  return !pNode->m_strLocalPath.empty() || pNode->HasOption('N');
}

// The node's position in its site's prepared walk, or -1 when the walk does not hold it.
long PreparedPosition(const CNode* pNode) {
  return pNode->m_pSite ? pNode->m_pSite->OutlinePosition(pNode) : -1;
}

size_t IndexAmongSiblings(const CNode* pNode) {
  const std::vector<CNode*>& siblings = pNode->m_pParent->m_children;
  return std::find(siblings.begin(), siblings.end(), pNode) - siblings.begin();
}

// The walk itself, for nodes outside a prepared outline.
CNode* WalkNext(CNode* pNode) {
  if (!pNode->m_children.empty())
    return pNode->m_children.front();
  for (CNode* p = pNode; p->m_pParent; p = p->m_pParent) {
    size_t nIndex = IndexAmongSiblings(p);
    if (nIndex + 1 < p->m_pParent->m_children.size())
      return p->m_pParent->m_children[nIndex + 1];
  }
  return nullptr;
}

CNode* WalkPrevious(CNode* pNode) {
  if (!pNode->m_pParent)
    return nullptr;
  size_t nIndex = IndexAmongSiblings(pNode);
  if (nIndex == 0 || nIndex >= pNode->m_pParent->m_children.size())
    return pNode->m_pParent;
  CNode* p = pNode->m_pParent->m_children[nIndex - 1];
  while (!p->m_children.empty()) p = p->m_children.back();
  return p;
}

}  // namespace

void CWebSite::FormOutline() {
  PlaceByLevels();
  PrepareOutline();
}

CPage& CWebSite::AddPage(std::unique_ptr<CPage> pPage) {
  DropOutline();
  m_pages.push_back(std::move(pPage));
  return *m_pages.back();
}

void CWebSite::PlaceByLevels() {
  m_pRoot = std::make_unique<CNode>(this);
  for (auto& pPage : m_pages) {
    pPage->m_pParent = nullptr;
    pPage->m_children.clear();
  }
  size_t i = 0;
  while (i < m_pages.size() && m_pages[i]->m_nLevel == 0) ++i;
  if (i == m_pages.size())
    return;

  CPage* pFirst = m_pages[i].get();
  if (pFirst->m_nLevel != 1) {
    m_context.report.AddLine("Force level 1 on page: " + pFirst->m_strName, EAlert::kWarning);
    pFirst->m_nLevel = 1;
  }
  Attach(m_pRoot.get(), pFirst);
  // The current node of every depth; a page of lower level climbs until its depth is found.
  std::vector<CNode*> current{pFirst};
  for (++i; i < m_pages.size(); ++i) {
    CPage* pPage = m_pages[i].get();
    if (pPage->m_nLevel == 0)
      continue;
    while (!current.empty() && pPage->m_nLevel < current.back()->m_nLevel) current.pop_back();
    // Handed back past the first page: this page and all after it stay outside.
    if (current.empty())
      break;
    CNode* pCurrent = current.back();
    if (pPage->m_nLevel == pCurrent->m_nLevel) {
      Attach(pCurrent->m_pParent, pPage);
      current.back() = pPage;
    } else {
      Attach(pCurrent, pPage);
      current.push_back(pPage);
    }
  }
}

void CWebSite::PrepareOutline() {
  DropOutline();
  for (auto& pPage : m_pages) pPage->m_nSequence = -1;

  std::vector<CNode*> pending;
  if (m_pRoot)
    pending.push_back(m_pRoot.get());
  while (!pending.empty()) {
    CNode* pNode = pending.back();
    pending.pop_back();
    pNode->m_nSequence = static_cast<long>(m_sequence.size());
    m_sequence.push_back(pNode);
    pending.insert(pending.end(), pNode->m_children.rbegin(), pNode->m_children.rend());
  }

  const long nCount = static_cast<long>(m_sequence.size());
  m_nextPage.assign(nCount, -1);
  m_previousPage.assign(nCount, -1);
  long nNext = -1;
  for (long n = nCount - 1; n >= 0; --n) {
    m_nextPage[n] = nNext;
    if (CountsAsPage(m_sequence[n]))
      nNext = n;
  }
  long nPrevious = -1;
  for (long n = 0; n < nCount; ++n) {
    m_previousPage[n] = nPrevious;
    if (CountsAsPage(m_sequence[n]))
      nPrevious = n;
  }
  PrepareLookups();
}

CNode* CNode::NextInSequence() {
  long nPos = PreparedPosition(this);
  if (nPos < 0)
    return WalkNext(this);
  const std::vector<CNode*>& sequence = m_pSite->Sequence();
  size_t nNext = static_cast<size_t>(nPos) + 1;
  return nNext < sequence.size() ? sequence[nNext] : nullptr;
}

CNode* CNode::PreviousInSequence() {
  long nPos = PreparedPosition(this);
  if (nPos < 0)
    return WalkPrevious(this);
  return nPos > 0 ? m_pSite->Sequence()[nPos - 1] : nullptr;
}

CNode* CNode::NextPage() {
  long nPos = PreparedPosition(this);
  if (nPos >= 0) {
    long nNext = m_pSite->NextPageAt(nPos);
    return nNext >= 0 ? m_pSite->Sequence()[nNext] : nullptr;
  }
  CNode* p = WalkNext(this);
  while (p && !CountsAsPage(p)) p = WalkNext(p);
  return p;
}

CNode* CNode::PreviousPage() {
  long nPos = PreparedPosition(this);
  if (nPos >= 0) {
    long nPrevious = m_pSite->PreviousPageAt(nPos);
    return nPrevious >= 0 ? m_pSite->Sequence()[nPrevious] : nullptr;
  }
  CNode* p = WalkPrevious(this);
  while (p && !CountsAsPage(p)) p = WalkPrevious(p);
  return p;
}

}  // namespace velmora
