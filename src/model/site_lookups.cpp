#include "model/web_site.h"

namespace velmora {

void CWebSite::PrepareLookups() {
  m_pagesByName.clear();
  for (const auto& pPage : m_pages) m_pagesByName.emplace(pPage->m_strName, pPage.get());
  // Walk the sequence backwards once so each position knows its first node with a file.
  m_firstWithLocalPath.assign(m_sequence.size(), nullptr);
  CNode* pNext = nullptr;
  for (size_t i = m_sequence.size(); i-- > 0;) {
    if (!m_sequence[i]->m_strLocalPath.empty())
      pNext = m_sequence[i];
    m_firstWithLocalPath[i] = pNext;
  }
  m_nLookupPages = m_pages.size();
  m_nLookupSequence = m_sequence.size();
  m_bLookupsReady = true;
}

CPage* CWebSite::FirstPageNamed(const std::string& name) {
  if (!m_bLookupsReady || m_nLookupPages != m_pages.size() ||
      m_nLookupSequence != m_sequence.size())
    PrepareLookups();
  auto it = m_pagesByName.find(name);
  return it == m_pagesByName.end() ? nullptr : it->second;
}

CNode* CWebSite::FirstWithLocalPath(CNode* pNode) {
  if (!pNode)
    return nullptr;
  if (!pNode->m_strLocalPath.empty())
    return pNode;
  if (!m_bLookupsReady || m_nLookupPages != m_pages.size() ||
      m_nLookupSequence != m_sequence.size())
    PrepareLookups();
  const long n = pNode->m_nSequence;
  if (n < 0 || static_cast<size_t>(n) >= m_sequence.size() || m_sequence[n] != pNode)
    return nullptr;  // outside the outline: nothing follows it
  return m_firstWithLocalPath[n];
}

}  // namespace velmora
