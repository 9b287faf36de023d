// A COLLECT: line: text marked between two parentheses in the built pages, gathered into the
// pages that carry a COLLECTION element of that name.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CPage;
class CWebSite;

class CCollection {
 public:
  CCollection(CWebSite* pSite, const std::string& text);
  void CollectFromPage(CPage* pPage, std::string& text);
  bool m_bValid = false;
  std::string m_strName;
  std::string m_strLeft;
  std::string m_strRight;
  CWebSite* m_pSite = nullptr;
};

// Fills the COLLECTION elements of the built pages after all pages are built.
void BuildCollectionPages(CWebSite& site);

}  // namespace velmora
