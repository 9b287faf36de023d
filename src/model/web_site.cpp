#include "model/web_site.h"

#include "markup/keyword_index.h"
#include "model/build_context.h"
#include "model/collection.h"
#include "model/published_list.h"
#include "model/replace_rule.h"

namespace velmora {

CWebSite::CWebSite(CBuildContext& context, std::vector<std::string> lines)
    : m_context(context), m_lines(std::move(lines)) {}

CWebSite::~CWebSite() {
  Clear();
}

void CWebSite::Clear() {
  DropOutline();
  m_pRoot.reset();
  m_pages.clear();
  m_blocks.clear();
  m_templates.clear();
  m_templateLines.clear();
  m_printPages.clear();
  m_replaceRules.clear();
  m_collections.clear();
  m_context.index.ResetIndex();
  m_strVersion.clear();
  m_strCatalog.clear();
  m_strSiteName.clear();
  m_strTemplates.clear();
  m_strKeywords.clear();
  m_strResources.clear();
  m_strMessage.clear();
  m_strSiteAuthor.clear();
  m_strSiteOrg.clear();
  m_nListed = 0;
}

void CWebSite::FillPublishedList(CPublishedList& list) {
  std::vector<size_t> selected = list.SelectedPositions();
  list.Clear();
  std::vector<CPublishedList::CEntry> entries;
  for (auto& pPage : m_pages)
    if (!pPage->m_strRemotePath.empty())
      entries.push_back(CPublishedList::CEntry{pPage->m_strRemotePath, pPage.get(), false});
  list.AddAll(std::move(entries));
  m_nListed = list.Count();
  list.SelectPositions(selected);
}

std::string CWebSite::GfxPath() const {
  return m_bResourcesElsewhere ? m_strCatalog + "gfx" : m_strResources;
}

CPage* CWebSite::FindPageByName(const std::string& name) const {
  for (auto& pPage : m_pages)
    if (pPage->m_strName == name)
      return pPage.get();
  return nullptr;
}

CPage* CWebSite::FindPage(const std::string& text) const {
  if (text.empty())
    return nullptr;
  for (auto& pPage : m_pages) {
    if (pPage->m_strName == text || pPage->m_strRemotePath == text ||
        pPage->m_strLocalPath == text || pPage->m_strUrl == text)
      return pPage.get();
  }
  return nullptr;
}

// In a frames site the home page is the "FI" page outside the outline.
CPage* CWebSite::HomePage() const {
  for (auto& pPage : m_pages)
    if (pPage->m_nLevel == 0 && pPage->m_strType == "FI")
      return pPage.get();
  for (auto& pPage : m_pages)
    if (pPage->m_nLevel != 0)
      return pPage.get();
  return nullptr;
}

int CWebSite::CountPages(int nLevel) const {
  if (nLevel == -1)
    return static_cast<int>(m_pages.size());
  int nCount = 0;
  for (auto& pPage : m_pages)
    if (pPage->m_nLevel == nLevel)
      ++nCount;
  return nCount;
}

CBlock* CWebSite::GetBlock(size_t nIndex) const {
  return nIndex < m_blocks.size() ? m_blocks[nIndex].get() : nullptr;
}

}  // namespace velmora
