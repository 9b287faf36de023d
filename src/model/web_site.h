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
  // The pages in script order.
  const std::vector<std::unique_ptr<CPage>>& Pages() const { return m_pages; }
  // Adds a page after the others. The prepared outline and its look-ups are dropped with it,
  // so none of them answers for pages that have changed since: FormOutline or PrepareOutline
  // makes them again.
  CPage& AddPage(std::unique_ptr<CPage> pPage);
  // Places the pages into a new outline under m_pRoot by their levels, and prepares it.
  void FormOutline();
  // Numbers the outline under m_pRoot in pre-order into m_nSequence, so navigation needs no
  // walks, and makes the look-ups below. FormOutline does it; an outline placed by hand calls it.
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

  // The outline's pre-order walk, prepared by PrepareOutline; empty until then.
  const std::vector<CNode*>& Sequence() const { return m_sequence; }
  // From a position in Sequence(), the position of the next and of the previous node that
  // navigation counts as a page; -1 when there is none.
  long NextPageAt(long nPosition) const { return m_nextPage[nPosition]; }
  long PreviousPageAt(long nPosition) const { return m_previousPage[nPosition]; }

  // Look-ups that navigation and page-name references make for every page built, made by
  // PrepareOutline. They only read, so the page steps on another thread may use them.
  // The first page in script order with this exact name, or none.
  const CPage* FirstPageNamed(const std::string& name) const;
  // The first page in script order whose local path is exactly this, or none.
  const CPage* PageWithLocalPath(const std::string& path) const;
  // The node itself when it has a local path, else the first node after it in the outline
  // sequence that has one; none when there is no such node.
  const CNode* FirstWithLocalPath(const CNode* pNode) const;
  // The outline nodes whose level lies in [nMinLevel, nMaxLevel], in outline order.
  std::vector<const CNode*> NodesWithLevels(int nMinLevel, int nMaxLevel) const;
  // Position of the node in Sequence(); -1 outside the outline.
  long OutlinePosition(const CNode* pNode) const;
  // HomePage, as it was when the outline was prepared.
  const CPage* PreparedHomePage() const { return m_pPreparedHome; }

 private:
  // The levels placed into the tree under m_pRoot.
  void PlaceByLevels();
  void PrepareLookups();
  // Forgets the walk and the look-ups.
  void DropOutline();

  std::vector<std::unique_ptr<CPage>> m_pages;
  bool m_bPrepared = false;  // the members below hold what PrepareOutline made
  std::vector<CNode*> m_sequence;
  std::vector<long> m_nextPage;      // parallel to m_sequence
  std::vector<long> m_previousPage;  // parallel to m_sequence
  const CPage* m_pPreparedHome = nullptr;
  std::map<int, std::vector<size_t>> m_nodesByLevel;  // positions in m_sequence, in order
  std::unordered_map<std::string, const CPage*> m_pagesByName;
  std::unordered_map<std::string, const CPage*> m_pagesByLocalPath;
  std::vector<const CNode*> m_firstWithLocalPath;  // parallel to m_sequence
};

}  // namespace velmora
