// The site index: keywords and synonyms from INDEX: sources, occurrences found in the built
// pages, and the index pages that list them.
#pragma once

#include <string>

namespace velmora {

class CPage;
class CWebSite;

class CKeywordIndex {
 public:
  void ResetIndex();
  void LoadIndexSource(const std::string& text);
  void ScanPage(CPage* pPage, const std::string& text);
  void BuildIndexPages(CWebSite& site);
};

extern CKeywordIndex theKeywordIndex;

}  // namespace velmora
