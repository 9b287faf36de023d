// A COLLECT: line: text marked between two parentheses in the built pages, gathered into the
// pages that carry a COLLECTION element of that name.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CPage;
class CWebSite;

// What one page gives a collection, found without changing the collection.
struct CCollected {
  bool m_bShowing = false;  // the page carries a COLLECTION element of this name
  std::vector<std::string> m_texts;
};

class CCollection {
 public:
  // From "name,leftpar,rightpar"; valid only with exactly three non-empty parts.
  CCollection(CWebSite* pSite, const std::string& text);
  void CollectFromPage(CPage* pPage, std::string& text);
  // Gathers the marked pieces of one page (read from path when text is empty) and notes
  // whether the page shows this collection.
  void CollectFromPage(const std::string& path, const std::string& text);
  // CollectFromPage in two halves, so that pages can be searched on another thread while the
  // collection is filled in page order.
  CCollected Find(const std::string& text) const;
  void Add(const std::string& path, CCollected collected);
  // Fills this collection's elements in the pages that show it.
  void BuildCollectionPages();
  // The list text for one COLLECTION element of the page at pagePath.
  std::string FormatList(const std::string& pagePath, bool bReference,
                         const std::string& separator) const;

  bool m_bValid = false;
  std::string m_strName;
  std::string m_strLeft;
  std::string m_strRight;
  CWebSite* m_pSite = nullptr;
  std::vector<std::string> m_sourcePages;  // parallel to m_texts
  std::vector<std::string> m_texts;
  std::vector<std::string> m_showingPages;
};

// Fills the COLLECTION elements of the built pages after all pages are built.
void BuildCollectionPages(CWebSite& site);

}  // namespace velmora
