// CWebSite: the interpreted site script. It owns the pages, blocks, templates, replace rules,
// collections and the outline root.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/node.h"

namespace velmora {

class CReplaceRule;
class CCollection;
class CPublishedList;
class CBuildContext;

class CWebSite {
 public:
  // The site works with the context it is given for as long as it lives.
  CWebSite(CBuildContext& context, std::vector<std::string> lines);
  ~CWebSite();
  CWebSite(const CWebSite&) = delete;
  CWebSite& operator=(const CWebSite&) = delete;

  bool Interpret();
  void Clear();
  void FillPublishedList(CPublishedList& list);
  std::string GfxPath() const;
  CPage* FindPageByName(const std::string& name) const;
  CPage* FindPage(const std::string& text) const;
  CPage* HomePage() const;
  int CountPages(int nLevel) const;
  CBlock* GetBlock(size_t nIndex) const;
  // Places the pages into a new outline under m_pRoot by their levels.
  void FormOutline();
  // Numbers the outline's pre-order walk into m_nSequence so navigation needs no walks.
  void PrepareOutline();

  CBuildContext& m_context;
  std::string m_strVersion;
  std::string m_strCatalog;
  std::string m_strSiteName;
  std::string m_strTemplates;
  std::string m_strKeywords;
  std::string m_strResources;
  std::string m_strMessage;
  std::string m_strSiteAuthor;
  std::string m_strSiteOrg;
  std::vector<std::unique_ptr<CPage>> m_pages;
  std::vector<std::unique_ptr<CBlock>> m_blocks;
  std::vector<std::unique_ptr<CTemplate>> m_templates;
  std::vector<std::string> m_templateLines;
  std::vector<CPage*> m_printPages;
  std::vector<std::unique_ptr<CReplaceRule>> m_replaceRules;
  std::vector<std::unique_ptr<CCollection>> m_collections;
  std::unique_ptr<CNode> m_pRoot;
  int m_nListed = 0;
  std::vector<std::string> m_lines;
  bool m_bResourcesElsewhere = false;
  bool m_bTemplatesElsewhere = false;
  CPublishedList* m_pPublishedList = nullptr;  // not owned
  long long m_nLastScriptTime = 0;
  std::string m_strScriptPath;  // the script file's internal path, when it has one

  // Of the last CheckPages (build/check_driver.h): the error lines it reported (listed problems and
  // pages that could not be read), the pages it checked and the web addresses it listed unchecked
  // off-line.
  int m_nCheckProblems = 0;
  int m_nCheckedPages = 0;
  int m_nUncheckedLinks = 0;

  // The outline's pre-order walk, prepared by PrepareOutline.
  std::vector<CNode*> m_sequence;
  // For each position in m_sequence, the position of the next and of the previous node that
  // navigation counts as a page; -1 when there is none.
  std::vector<long> m_nextPage;
  std::vector<long> m_previousPage;

  // Look-ups that navigation and page-name references make for every page built. They are
  // made on first use and made again when the pages or the outline have changed since.
  // The first page in script order with this exact name, or none.
  CPage* FirstPageNamed(const std::string& name);
  // The first page in script order whose local path is exactly this, or none.
  CPage* PageWithLocalPath(const std::string& path);
  // The node itself when it has a local path, else the first node after it in the outline
  // sequence that has one; none when there is no such node.
  CNode* FirstWithLocalPath(CNode* pNode);
  // The outline nodes whose level lies in [nMinLevel, nMaxLevel], in outline order.
  std::vector<CNode*> NodesWithLevels(int nMinLevel, int nMaxLevel);
  // Position of the node in m_sequence; -1 outside the outline.
  long OutlinePosition(const CNode* pNode);
  // HomePage, looked up once.
  CPage* PreparedHomePage();
  void ResetLookups() { m_bLookupsReady = false; }

 private:
  void PrepareLookups();
  void EnsureLookups();
  bool m_bLookupsReady = false;
  CPage* m_pPreparedHome = nullptr;
  std::unordered_map<const CNode*, size_t> m_outlinePosition;            // index into m_sequence
  std::map<int, std::vector<std::pair<size_t, CNode*>>> m_nodesByLevel;  // in outline order
  size_t m_nLookupPages = 0;
  size_t m_nLookupSequence = 0;
  std::unordered_map<std::string, CPage*> m_pagesByName;
  std::unordered_map<std::string, CPage*> m_pagesByLocalPath;
  std::vector<CNode*> m_firstWithLocalPath;  // parallel to m_sequence
};

}  // namespace velmora
