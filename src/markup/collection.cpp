#include "markup/collection.h"

namespace velmora {

CCollection::CCollection(CWebSite* pSite, const std::string&) : m_pSite(pSite) {}
void CCollection::CollectFromPage(CPage*, std::string&) {}
void BuildCollectionPages(CWebSite&) {}

}  // namespace velmora
