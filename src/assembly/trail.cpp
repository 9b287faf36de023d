// <!--TRAIL--> (home page, ancestors, page name) and the neighbour markers that point the
// next link or image-map area at the next, previous, home and parent page.
#include "assembly/element_expansion.h"
#include "assembly/navigation_lists.h"
#include "assembly/page_steps.h"
#include "markup/attribute_text.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"

namespace velmora {

namespace {

const char* const kSeparator = " > ";

std::string Link(const std::string& address, const std::string& text) {
  return "<a href=\"" + EscapeAttribute(address) + "\">" + text + "</a>";
}

// The home page as a trail entry or neighbour: normally the relative path to its file; a
// home page with option N is reached at its web address, and one without a file of its own
// through the first page after it that has one.
std::string HomeAddress(const CPage& page, const CWebSite& site, const CPage& home,
                        const std::string& from, const std::string& homePath) {
  if (home.HasOption('N') && !home.m_strUrl.empty())
    return home.m_strUrl;
  if (home.m_strLocalPath.empty())
    return LinkAddress(page, site, home);
  return RelativePath(from, homePath);
}

}  // namespace

std::string MakeTrailText(const CPage& page, const CWebSite& site) {
  std::string trail = page.m_strName;
  const CPage* pHome = site.PreparedHomePage();
  bool bHomeMet = false;
  for (const CNode* pAncestor = page.m_pParent; pAncestor; pAncestor = pAncestor->m_pParent) {
    if (pAncestor == pHome)
      bHomeMet = true;
    std::string entry;
    if (pAncestor->HasOption('N'))
      entry = Link(pAncestor->m_strUrl, pAncestor->m_strUrl);
    else if (!pAncestor->m_strLocalPath.empty())
      entry =
          Link(RelativePath(page.m_strLocalPath, pAncestor->m_strLocalPath), pAncestor->m_strName);
    if (!entry.empty())
      trail = entry + kSeparator + trail;
  }
  if (!bHomeMet && pHome) {
    const std::string address =
        HomeAddress(page, site, *pHome, page.m_strLocalPath, pHome->m_strLocalPath);
    if (!address.empty())
      trail = Link(address, pHome->m_strName) + kSeparator + trail;
  }
  return trail;
}

void MakeTrail(CPage& page, const CWebSite& site, std::string& text) {
  ExpandElements(
      text, "<!--TRAIL", "<!--/TRAIL-->",
      [&](const CTagElement&) { return MakeTrailText(page, site); }, &page.Context().report);
}

void MakeNeighbourLinks(CPage& page, const CWebSite& site, std::string& text) {
  const bool bInOutline = site.OutlinePosition(&page) >= 0;
  // Relative to this page's file, as the lists on it are: a page outside the catalog reaches
  // the pages inside it. A page that does not exist leaves the link pointing at this page
  // itself; the outline root, which has no file, keeps the reference relative to the page's
  // published path.
  auto addressOf = [&](const CNode* pTarget) -> std::string {
    if (!pTarget)
      return page.m_strFileName;
    if (pTarget->HasOption('N'))
      return pTarget->m_strUrl;
    if (pTarget->m_strLocalPath.empty())
      return RelativePath(page.m_strRemotePath, pTarget->m_strRemotePath);
    return RelativePath(page.m_strLocalPath, pTarget->m_strLocalPath);
  };

  const CNode* pNext = bInOutline ? page.NextPage() : nullptr;
  const CNode* pPrevious = bInOutline ? page.PreviousPage() : nullptr;
  const CPage* pHome = site.PreparedHomePage();
  const CNode* pParent = page.m_pParent;

  std::string home = page.m_strFileName;
  if (pHome)
    home = HomeAddress(page, site, *pHome, page.m_strLocalPath, pHome->m_strLocalPath);
  if (home.empty())
    home = page.m_strFileName;
  // A heading above the page has no file; its link leads to the first page under it. The
  // outline root keeps the empty reference of a top-level page's parent.
  std::string parent = addressOf(pParent);
  if (pParent && pParent->m_pParent && !pParent->HasOption('N') && pParent->m_strLocalPath.empty())
    parent = LinkAddress(page, site, *pParent);

  ReplaceQuotedAfterKeys(text, "<!--NEXT/-->", "href=", EscapeAttribute(addressOf(pNext)), true,
                         false);
  ReplaceQuotedAfterKeys(text, "<!--PREV/-->", "href=", EscapeAttribute(addressOf(pPrevious)), true,
                         false);
  ReplaceQuotedAfterKeys(text, "<!--HOME/-->", "href=", EscapeAttribute(home), true, false);
  ReplaceQuotedAfterKeys(text, "<!--PARENT/-->", "href=", EscapeAttribute(parent), true, false);
}

}  // namespace velmora
