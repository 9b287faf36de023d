#include "model/node.h"

namespace velmora {

CPage::CPage(CWebSite* pSite, const std::string& line) : CNode(pSite) { m_bValid = ParseLine(line); }
bool CPage::ParseLine(const std::string&) { return false; }

CBlock::CBlock(CWebSite* pSite, CPage* pPage, const std::string& location) : CNode(pSite) {
  m_pPage = pPage;
  m_bValid = ParseLine(location);
}
bool CBlock::ParseLine(const std::string&) { return false; }

}  // namespace velmora
