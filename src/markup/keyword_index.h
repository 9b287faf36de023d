// The site index: keywords and synonyms from INDEX: sources, occurrences found in the built
// pages, and the index pages that list them.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "markup/word_finder.h"

namespace velmora {

class CFileAccess;
class CReport;

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
  // The same with key = PageKey(name, path), made once for all the entries a page is added to.
  void AddPage(const std::string& name, const std::string& path, const std::string& key);
  static std::string PageKey(const std::string& name, const std::string& path);
  // Orders the pages by name ignoring case; pages of equal names keep their order.
  void SortPages();

  std::string m_strKeyword;
  std::vector<std::string> m_synonyms;
  std::vector<std::string> m_pageNames;
  std::vector<std::string> m_pagePaths;  // parallel to m_pageNames

 private:
  // The listed pages as lower-case "name\npath", so a keyword on every page of a large site
  // is not compared with all its earlier pages each time.
  std::unordered_set<std::string> m_pageKeys;
};

// What one page adds to the index, found without changing the index.
struct CPageWords {
  bool m_bIndexPage = false;               // an index page is listed under no keyword
  std::vector<std::string> m_tagKeywords;  // the NAME of each INX element, in order
  std::vector<size_t> m_sourceEntries;     // indexes into m_sourceEntries found on the page
};

class CKeywordIndex {
 public:
  // Pages given without their text, and the index pages, are read and written through files.
  // Malformed INX and INDEX elements are reported to report.
  CKeywordIndex(CFileAccess& files, CReport& report) : m_files(files), m_report(report) {}
  void ResetIndex();
  void LoadIndexSource(const std::string& text);
  void ScanPage(const std::string& path, const std::string& name, const std::string& text);
  // ScanPage in two halves, so that pages can be searched on another thread while the index
  // is filled in page order: FindWords only reads the index and needs PrepareScan first, and
  // no other change to the index sources between.
  void PrepareScan();
  CPageWords FindWords(const std::string& text) const;
  void AddWords(const std::string& path, const std::string& name, const CPageWords& words);
  void BuildIndexPages();
  // The index text for one INDEX element of the page at pagePath.
  // bHtml5: the page begins with the HTML5 doctype (column table styled inline).
  std::string FormatIndex(const std::string& pagePath, int nCols, bool bReference, bool bSort,
                          bool bHtml5 = false);

  std::vector<std::unique_ptr<CIndexEntry>> m_sourceEntries;
  std::vector<std::unique_ptr<CIndexEntry>> m_tagEntries;
  // Each lower-case keyword and synonym of m_tagEntries, naming the first entry that has it.
  std::unordered_map<std::string, CIndexEntry*> m_tagNames;
  std::vector<std::string> m_indexPages;

 private:
  // Finds the keywords and synonyms of m_sourceEntries, made again when the entries change.
  const CWordFinder& SourceWordFinder();
  CFileAccess& m_files;
  CReport& m_report;
  std::unique_ptr<CWordFinder> m_pFinder;
  std::vector<const CIndexEntry*> m_finderEntries;
};

}  // namespace velmora
