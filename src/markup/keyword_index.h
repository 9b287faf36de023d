// The site index: keywords and synonyms from INDEX: sources, occurrences found in the built
// pages, and the index pages that list them.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {

class CPage;
class CWebSite;

// One keyword with its synonyms and the pages it was found on.
class CIndexEntry {
 public:
  // From "keyword,synonym,..."; empty pieces are dropped and nothing is trimmed.
  explicit CIndexEntry(const std::string& line);
  bool IsEmpty() const { return m_strKeyword.empty(); }
  // True when the word equals the keyword or a synonym, ignoring case.
  bool Names(const std::string& word) const;
  // Adds the page unless the same name and path (ignoring case) are listed already.
  void AddPage(const std::string& name, const std::string& path);
  // Orders the pages by name ignoring case; pages of equal names keep their order.
  void SortPages();

  std::string m_strKeyword;
  std::vector<std::string> m_synonyms;
  std::vector<std::string> m_pageNames;
  std::vector<std::string> m_pagePaths;  // parallel to m_pageNames
};

class CKeywordIndex {
 public:
  void ResetIndex();
  void LoadIndexSource(const std::string& text);
  void ScanPage(CPage* pPage, const std::string& text);
  void ScanPage(const std::string& path, const std::string& name, const std::string& text);
  void BuildIndexPages(CWebSite& site);
  // The index text for one INDEX element of the page at pagePath.
  std::string FormatIndex(const std::string& pagePath, int nCols, bool bReference, bool bSort);

  std::vector<std::unique_ptr<CIndexEntry>> m_sourceEntries;
  std::vector<std::unique_ptr<CIndexEntry>> m_tagEntries;
  // Each lower-case keyword and synonym of m_tagEntries, naming the first entry that has it.
  std::unordered_map<std::string, CIndexEntry*> m_tagNames;
  std::vector<std::string> m_indexPages;
};

extern CKeywordIndex theKeywordIndex;

}  // namespace velmora
