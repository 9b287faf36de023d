#include "markup/keyword_index.h"

namespace velmora {

CKeywordIndex theKeywordIndex;

void CKeywordIndex::ResetIndex() {}
void CKeywordIndex::LoadIndexSource(const std::string&) {}
void CKeywordIndex::ScanPage(CPage*, const std::string&) {}
void CKeywordIndex::BuildIndexPages(CWebSite&) {}

}  // namespace velmora
