// Building all pages of a site or a selection, with the site-wide passes after them.
#pragma once

#include <vector>

namespace velmora {

class CPage;
class CWebSite;

// The setting lines, the resources and templates, every page in script order, then the print
// pages, collections and index pages and the stamp on the home page; one report batch. No
// selection builds every page.
void BuildPages(CWebSite& site, const std::vector<CPage*>* pSelection = nullptr);

}  // namespace velmora
