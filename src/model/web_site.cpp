#include "model/web_site.h"

#include "markup/collection.h"
#include "model/published_list.h"
#include "model/replace_rule.h"

namespace velmora {

CWebSite::CWebSite(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
CWebSite::~CWebSite() = default;

bool CWebSite::Interpret() { return false; }
void CWebSite::Clear() {}
void CWebSite::FillPublishedList(CPublishedList&) {}
std::string CWebSite::GfxPath() const { return m_bResourcesElsewhere ? m_strCatalog + "gfx" : m_strResources; }
CPage* CWebSite::FindPageByName(const std::string&) const { return nullptr; }
CPage* CWebSite::FindPage(const std::string&) const { return nullptr; }
CPage* CWebSite::HomePage() const { return nullptr; }
int CWebSite::CountPages(int) const { return 0; }
CBlock* CWebSite::GetBlock(size_t nIndex) const {
  return nIndex < m_blocks.size() ? m_blocks[nIndex].get() : nullptr;
}
void CWebSite::ApplyReplaceRules(std::string&) {}
void CWebSite::PrepareOutline() {}

}  // namespace velmora
