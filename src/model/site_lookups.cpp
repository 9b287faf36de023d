#include <algorithm>

#include "model/web_site.h"

namespace velmora {

void CWebSite::PrepareLookups() {
  m_pagesByName.clear();
  m_pagesByLocalPath.clear();
  for (const auto& pPage : m_pages) {
    m_pagesByName.emplace(pPage->m_strName, pPage.get());
    if (!pPage->m_strLocalPath.empty())
      m_pagesByLocalPath.emplace(pPage->m_strLocalPath, pPage.get());
  }
  // Walk the sequence backwards once so each position knows its first node with a file.
  m_firstWithLocalPath.assign(m_sequence.size(), nullptr);
  CNode* pNext = nullptr;
  for (size_t i = m_sequence.size(); i-- > 0;) {
    if (!m_sequence[i]->m_strLocalPath.empty())
      pNext = m_sequence[i];
    m_firstWithLocalPath[i] = pNext;
  }
  m_outlinePosition.clear();
  m_nodesByLevel.clear();
  for (size_t i = 0; i < m_sequence.size(); ++i) {
    CNode* pNode = m_sequence[i];
    m_outlinePosition.emplace(pNode, i);
    if (pNode != m_pRoot.get() && pNode->m_pParent)
      m_nodesByLevel[pNode->m_nLevel].emplace_back(i, pNode);
  }
  m_pPreparedHome = HomePage();
  m_nLookupPages = m_pages.size();
  m_nLookupSequence = m_sequence.size();
  m_bLookupsReady = true;
}

void CWebSite::EnsureLookups() {
  if (!m_bLookupsReady || m_nLookupPages != m_pages.size() ||
      m_nLookupSequence != m_sequence.size())
    PrepareLookups();
}

CPage* CWebSite::FirstPageNamed(const std::string& name) {
  EnsureLookups();
  auto it = m_pagesByName.find(name);
  return it == m_pagesByName.end() ? nullptr : it->second;
}

CPage* CWebSite::PageWithLocalPath(const std::string& path) {
  EnsureLookups();
  auto it = m_pagesByLocalPath.find(path);
  return it == m_pagesByLocalPath.end() ? nullptr : it->second;
}

CNode* CWebSite::FirstWithLocalPath(CNode* pNode) {
  if (!pNode)
    return nullptr;
  if (!pNode->m_strLocalPath.empty())
    return pNode;
  EnsureLookups();
  auto it = m_outlinePosition.find(pNode);
  // Outside the outline nothing follows the node.
  return it == m_outlinePosition.end() ? nullptr : m_firstWithLocalPath[it->second];
}

std::vector<CNode*> CWebSite::NodesWithLevels(int nMinLevel, int nMaxLevel) {
  EnsureLookups();
  std::vector<std::pair<size_t, CNode*>> found;
  if (nMaxLevel < nMinLevel)
    return {};
  for (auto it = m_nodesByLevel.lower_bound(nMinLevel);
       it != m_nodesByLevel.end() && it->first <= nMaxLevel; ++it)
    found.insert(found.end(), it->second.begin(), it->second.end());
  std::sort(found.begin(), found.end());
  std::vector<CNode*> nodes;
  nodes.reserve(found.size());
  for (const auto& entry : found) nodes.push_back(entry.second);
  return nodes;
}

long CWebSite::OutlinePosition(const CNode* pNode) {
  EnsureLookups();
  // The number PrepareOutline gave the node answers without a look-up while it still holds.
  if (pNode && pNode->m_nSequence >= 0 &&
      static_cast<size_t>(pNode->m_nSequence) < m_sequence.size() &&
      m_sequence[static_cast<size_t>(pNode->m_nSequence)] == pNode)
    return pNode->m_nSequence;
  auto it = m_outlinePosition.find(pNode);
  return it == m_outlinePosition.end() ? -1 : static_cast<long>(it->second);
}

CPage* CWebSite::PreparedHomePage() {
  EnsureLookups();
  return m_pPreparedHome;
}

}  // namespace velmora
