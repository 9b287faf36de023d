#include "markup/keyword_index.h"

#include <algorithm>
#include <optional>

#include "markup/attribute_text.h"
#include "markup/column_table.h"
#include "markup/element_rewrite.h"
#include "markup/page_charset.h"
#include "markup/text_operations.h"
#include "net/address_paths.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
  return ToLower(a) < ToLower(b);
}

// Where a marked region begins and ends; npos for both when it is incomplete.
struct CRegion {
  size_t m_nStart = std::string::npos;
  size_t m_nEnd = std::string::npos;
  CRegion(const std::string& text, const std::string& open, const std::string& close)
      : m_nStart(FindText(text, open)), m_nEnd(FindText(text, close)) {}
  bool HoldsStrictly(size_t pos) const {
    return m_nStart != std::string::npos && m_nEnd != std::string::npos && pos > m_nStart &&
           pos < m_nEnd;
  }
};

}  // namespace

CIndexEntry::CIndexEntry(const std::string& line) {
  std::vector<std::string> pieces = Split(line, ",", true);
  if (pieces.empty())
    return;
  m_strKeyword = pieces.front();
  m_synonyms.assign(pieces.begin() + 1, pieces.end());
}

bool CIndexEntry::Names(const std::string& word) const {
  if (EqualsNoCase(m_strKeyword, word))
    return true;
  return std::any_of(m_synonyms.begin(), m_synonyms.end(),
                     [&](const std::string& synonym) { return EqualsNoCase(synonym, word); });
}

std::string CIndexEntry::PageKey(const std::string& name, const std::string& path) {
  return ToLower(name) + "\n" + ToLower(path);
}

void CIndexEntry::AddPage(const std::string& name, const std::string& path) {
  AddPage(name, path, PageKey(name, path));
}

void CIndexEntry::AddPage(const std::string& name, const std::string& path,
                          const std::string& key) {
  if (m_pageKeys.size() != m_pageNames.size()) {  // the lists were changed directly
    m_pageKeys.clear();
    for (size_t i = 0; i < m_pageNames.size(); ++i)
      m_pageKeys.insert(PageKey(m_pageNames[i], m_pagePaths[i]));
  }
  if (!m_pageKeys.insert(key).second)
    return;
  m_pageNames.push_back(name);
  m_pagePaths.push_back(path);
}

void CIndexEntry::SortPages() {
  std::vector<size_t> order(m_pageNames.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return LessNoCase(m_pageNames[a], m_pageNames[b]); });
  std::vector<std::string> names, paths;
  for (size_t i : order) {
    names.push_back(m_pageNames[i]);
    paths.push_back(m_pagePaths[i]);
  }
  m_pageNames.swap(names);
  m_pagePaths.swap(paths);
}

void CKeywordIndex::ResetIndex() {
  m_sourceEntries.clear();
  m_tagEntries.clear();
  m_tagNames.clear();
  m_indexPages.clear();
  m_pFinder.reset();
}

void CKeywordIndex::LoadIndexSource(const std::string& source) {
  std::string text = source;
  if (!Contains(text, "\r\n"))
    ReplaceAll(text, "\n", "\r\n");
  for (const std::string& line : Split(text, "\r\n", true)) {
    auto pEntry = std::make_unique<CIndexEntry>(line);
    if (!pEntry->IsEmpty())
      m_sourceEntries.push_back(std::move(pEntry));
  }
  m_pFinder.reset();
  std::stable_sort(
      m_sourceEntries.begin(), m_sourceEntries.end(),
      [](const std::unique_ptr<CIndexEntry>& a, const std::unique_ptr<CIndexEntry>& b) {
        return LessNoCase(a->m_strKeyword, b->m_strKeyword);
      });
}

void CKeywordIndex::ScanPage(const std::string& path, const std::string& name,
                             const std::string& pageText) {
  std::string fileText;
  if (pageText.empty() && (path.empty() || !m_files.ReadTextFile(path, fileText)))
    return;
  PrepareScan();
  AddWords(path, name, FindWords(pageText.empty() ? fileText : pageText));
}

CPageWords CKeywordIndex::FindWords(const std::string& text) const {
  CPageWords words;
  // An index page lists keywords; it is never listed under one.
  if (Contains(text, "<!--INDEX")) {
    words.m_bIndexPage = true;
    return words;
  }

  size_t start = 0, end = 0;
  while (start < text.size() && FindElement(text, start, end, "<!--INX", "<!--/INX-->")) {
    std::string keyword =
        CTagElement(text.substr(start, end - start), &m_report).GetAttribute("NAME");
    start = end;
    if (!keyword.empty())
      words.m_tagKeywords.push_back(std::move(keyword));
  }

  // A word counts where it first occurs, unless that is inside the navigation list (but a
  // table of contents nested there still counts).
  const CRegion conList(text, "<!--CONLIST", "<!--/CONLIST-->");
  std::optional<CRegion> toc;  // looked for only when a word occurs first inside the list
  auto counts = [&](size_t pos) {
    if (pos == std::string::npos)
      return false;
    if (!conList.HoldsStrictly(pos))
      return true;
    if (!toc)
      toc.emplace(text, "<!--TOC", "<!--/TOC-->");
    return toc->HoldsStrictly(pos);
  };
  // The words in entry order, each keyword followed by its synonyms.
  const std::vector<size_t> first = m_pFinder->FirstOccurrences(text);
  size_t nWord = 0;
  for (size_t nEntry = 0; nEntry < m_sourceEntries.size(); ++nEntry) {
    bool bCounts = counts(first[nWord++]);
    for (size_t i = 0; i < m_sourceEntries[nEntry]->m_synonyms.size(); ++i, ++nWord)
      bCounts = bCounts || counts(first[nWord]);
    if (bCounts)
      words.m_sourceEntries.push_back(nEntry);
  }
  return words;
}

void CKeywordIndex::AddWords(const std::string& path, const std::string& name,
                             const CPageWords& words) {
  if (words.m_bIndexPage) {
    m_indexPages.push_back(path);
    return;
  }
  for (const std::string& keyword : words.m_tagKeywords) {
    // Looked up by name: comparing with every entry made pages of many tags take minutes.
    if (auto it = m_tagNames.find(ToLower(keyword)); it != m_tagNames.end()) {
      it->second->AddPage(name, path);
      continue;
    }
    auto pEntry = std::make_unique<CIndexEntry>(keyword);
    if (pEntry->IsEmpty())
      continue;
    pEntry->AddPage(name, path);
    m_tagNames.emplace(ToLower(pEntry->m_strKeyword), pEntry.get());
    for (const std::string& synonym : pEntry->m_synonyms)
      m_tagNames.emplace(ToLower(synonym), pEntry.get());
    m_tagEntries.push_back(std::move(pEntry));
  }
  if (words.m_sourceEntries.empty())
    return;
  const std::string pageKey = CIndexEntry::PageKey(name, path);
  for (size_t nEntry : words.m_sourceEntries) m_sourceEntries[nEntry]->AddPage(name, path, pageKey);
}

void CKeywordIndex::PrepareScan() {
  SourceWordFinder();
}

const CWordFinder& CKeywordIndex::SourceWordFinder() {
  std::vector<const CIndexEntry*> entries;
  for (const auto& pEntry : m_sourceEntries) entries.push_back(pEntry.get());
  if (!m_pFinder || entries != m_finderEntries) {
    std::vector<std::string> words;
    for (const CIndexEntry* pEntry : entries) {
      words.push_back(pEntry->m_strKeyword);
      words.insert(words.end(), pEntry->m_synonyms.begin(), pEntry->m_synonyms.end());
    }
    m_pFinder = std::make_unique<CWordFinder>(std::move(words));
    m_finderEntries = std::move(entries);
  }
  return *m_pFinder;
}

std::string CKeywordIndex::FormatIndex(const std::string& pagePath, int nCols, bool bReference,
                                       bool bSort, bool bHtml5) {
  struct CPart {
    std::string m_strKeyword, m_strPages;
  };
  std::vector<CPart> parts;
  for (const auto& pEntry : m_sourceEntries) {
    if (bSort)
      pEntry->SortPages();
    CPart part;
    part.m_strKeyword = "\r\n<div class=\"indexkeyword\">" + pEntry->m_strKeyword + "</div>\r\n";
    for (size_t i = 0; i < pEntry->m_pageNames.size(); ++i) {
      const std::string& pageName = pEntry->m_pageNames[i];
      const std::string shown =
          bReference ? MakeLink(RelativePath(pagePath, pEntry->m_pagePaths[i]), pageName)
                     : pageName;
      part.m_strPages += "<div class=\"indexentry\">" + shown + "</div>\r\n";
    }
    parts.push_back(std::move(part));
  }
  // The keyword parts are ordered byte by byte, so capitals come before small letters.
  std::stable_sort(parts.begin(), parts.end(),
                   [](const CPart& a, const CPart& b) { return a.m_strKeyword < b.m_strKeyword; });

  // An empty index is no table: a row without cells is markup the parser has to repair.
  if (nCols <= 1 || parts.empty()) {
    std::string index;
    for (const CPart& part : parts) index += part.m_strKeyword + part.m_strPages;
    return index;
  }

  // Every column but the last takes n / cols entries; the last takes the rest.
  const size_t perColumn = parts.size() / static_cast<size_t>(nCols);
  std::vector<std::string> columns;
  size_t inColumn = 0;
  for (const CPart& part : parts) {
    if (columns.empty() || (inColumn >= perColumn && columns.size() < static_cast<size_t>(nCols))) {
      columns.emplace_back();
      inColumn = 0;
    }
    columns.back() += part.m_strKeyword + part.m_strPages;
    ++inColumn;
  }
  std::string index = std::string("\r\n") + ColumnTableStart(bHtml5) + "\r\n";
  for (const std::string& column : columns)
    index += ColumnCellStart(bHtml5) + ("<div class=\"sitemap\">" + column) + "</div></td>\r\n";
  index += "</table>\r\n";
  return index;
}

void CKeywordIndex::BuildIndexPages() {
  for (const std::string& pagePath : m_indexPages) {
    std::string text;
    if (!m_files.ReadTextFile(pagePath, text))
      continue;
    const bool bHtml5 = BeginsWithHtml5Doctype(text);
    RewriteElements(
        text, "<!--INDEX", "<!--/INDEX-->",
        [&](CTagElement& element) {
          int nCols = element.GetIntAttribute("COLS");
          if (nCols == -999)
            nCols = 3;
          // From the first index page on, the keywords of INX tags are part of the source list.
          for (auto& pEntry : m_tagEntries) m_sourceEntries.push_back(std::move(pEntry));
          m_tagEntries.clear();
          m_tagNames.clear();
          m_pFinder.reset();
          const std::string index =
              FormatIndex(pagePath, nCols, element.GetAttribute("REFERENCE") == "ON",
                          element.GetAttribute("SORT") == "ON", bHtml5);
          if (element.GetAttribute("APPEND") == "ON")
            element.m_strContent += index;
          else
            element.m_strContent = index;
        },
        &m_report);
    DeclareUtf8Charset(text);  // the index may bring UTF-8 text into a page that had none
    m_files.WriteTextFile(pagePath, text);
  }
}

}  // namespace velmora
