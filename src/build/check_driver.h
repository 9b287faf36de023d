// Checking the written pages of a site or a selection.
#pragma once

#include <vector>

namespace velmora {

class CPage;
class CWebSite;

// Checks each page (CheckPage) and ends with a line counting pages, problems and web links
// not checked, the counts the site keeps in m_nCheckedPages, m_nCheckProblems and
// m_nUncheckedLinks. No selection checks every page.
void CheckPages(CWebSite& site, const std::vector<CPage*>* pSelection = nullptr);

}  // namespace velmora
