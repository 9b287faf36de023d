#include <algorithm>

#include "model/web_site.h"

namespace velmora {

void CWebSite::PrepareLookups() {
  for (const auto& pPage : m_pages) {
    m_pagesByName.emplace(pPage->m_strName, pPage.get());
    if (!pPage->m_strLocalPath.empty())
      m_pagesByLocalPath.emplace(pPage->m_strLocalPath, pPage.get());
  }
  // Walk the sequence backwards once so each position knows its first node with a file.
  m_firstWithLocalPath.assign(m_sequence.size(), nullptr);
  const CNode* pNext = nullptr;
  for (size_t i = m_sequence.size(); i-- > 0;) {
    if (!m_sequence[i]->m_strLocalPath.empty())
      pNext = m_sequence[i];
    m_firstWithLocalPath[i] = pNext;
  }
  for (size_t i = 0; i < m_sequence.size(); ++i) {
    const CNode* pNode = m_sequence[i];
    if (pNode != m_pRoot.get() && pNode->m_pParent)
      m_nodesByLevel[pNode->m_nLevel].push_back(i);
  }
  m_pPreparedHome = HomePage();
  m_bPrepared = true;
}

void CWebSite::DropOutline() {
  if (!m_bPrepared)
    return;
  m_bPrepared = false;
  m_sequence.clear();
  m_nextPage.clear();
  m_previousPage.clear();
  m_pPreparedHome = nullptr;
  m_nodesByLevel.clear();
  m_pagesByName.clear();
  m_pagesByLocalPath.clear();
  m_firstWithLocalPath.clear();
}

const CPage* CWebSite::FirstPageNamed(const std::string& name) const {
  auto it = m_pagesByName.find(name);
  return it == m_pagesByName.end() ? nullptr : it->second;
}

const CPage* CWebSite::PageWithLocalPath(const std::string& path) const {
  auto it = m_pagesByLocalPath.find(path);
  return it == m_pagesByLocalPath.end() ? nullptr : it->second;
}

const CNode* CWebSite::FirstWithLocalPath(const CNode* pNode) const {
  if (!pNode)
    return nullptr;
  if (!pNode->m_strLocalPath.empty())
    return pNode;
  const long nPosition = OutlinePosition(pNode);
  // Outside the outline nothing follows the node.
  return nPosition < 0 ? nullptr : m_firstWithLocalPath[nPosition];
}

std::vector<const CNode*> CWebSite::NodesWithLevels(int nMinLevel, int nMaxLevel) const {
  if (nMaxLevel < nMinLevel)
    return {};
  std::vector<size_t> found;
  for (auto it = m_nodesByLevel.lower_bound(nMinLevel);
       it != m_nodesByLevel.end() && it->first <= nMaxLevel; ++it)
    found.insert(found.end(), it->second.begin(), it->second.end());
  std::sort(found.begin(), found.end());
  std::vector<const CNode*> nodes;
  nodes.reserve(found.size());
  for (size_t nPosition : found) nodes.push_back(m_sequence[nPosition]);
  return nodes;
}

// PrepareOutline numbers every node it walks and only those, so the number answers.
long CWebSite::OutlinePosition(const CNode* pNode) const {
  if (pNode && pNode->m_nSequence >= 0 &&
      static_cast<size_t>(pNode->m_nSequence) < m_sequence.size() &&
      m_sequence[static_cast<size_t>(pNode->m_nSequence)] == pNode)
    return pNode->m_nSequence;
  return -1;
}

}  // namespace velmora
