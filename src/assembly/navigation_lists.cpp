// <!--CONLIST-->, <!--TOC--> and <!--SINGLETOC-->: lists of the site's pages, one div per
// page with a class that encodes its level, laid out in table columns for the two TOCs.
#include <algorithm>
#include <vector>

#include "assembly/element_expansion.h"
#include "assembly/navigation_lists.h"
#include "assembly/page_steps.h"
#include "markup/attribute_text.h"
#include "markup/column_table.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "res/messages.h"

namespace velmora {

namespace {

const char* const kCrLf = "\r\n";
// The bullet on pages that begin with the HTML5 doctype: its spacing and alignment as a style.
const char* const kHtml5Bullet =
    "<img src=\"gfx/bullet.gif\" width=\"3\" height=\"5\" "
    "style=\"margin: 0 2px; vertical-align: middle\" alt=\">\">";
const int kMaxLevelClass = 10;
static_assert(kMaxLevelClass < 100, "level classes are written with at most two digits");
// A wider table lays nothing out; the bound keeps a stray COLS value from making millions of cells.
const int kMaxColumns = 100;

std::string LevelDiv(const char* prefix, int nLevel) {
  return std::string("<div class=\"") + prefix +
         std::to_string(std::clamp(nLevel, 0, kMaxLevelClass)) + "\">";
}

// LevelDiv written straight onto the end of out: the context list of a large folder has
// hundreds of entries on every page.
void AppendLevelDiv(std::string& out, const char* prefix, int nLevel) {
  out += "<div class=\"";
  out += prefix;
  const int nClass = std::clamp(nLevel, 0, kMaxLevelClass);
  if (nClass >= 10)
    out += static_cast<char>('0' + nClass / 10);
  out += static_cast<char>('0' + nClass % 10);
  out += "\">";
}

std::string ColumnTable(const std::vector<std::string>& columns, bool bHtml5) {
  std::string table = kCrLf;
  table += ColumnTableStart(bHtml5);
  table += kCrLf;
  for (const std::string& column : columns) {
    table += ColumnCellStart(bHtml5);
    table += column;
    table += "</td>";
    table += kCrLf;
  }
  table += "</table>";
  table += kCrLf;
  return table;
}

int IntAttribute(const CTagElement& element, const char* name, int nDefault) {
  const int n = element.GetIntAttribute(name);
  return n == -999 ? nDefault : n;
}

int ColumnsAttribute(const CTagElement& element) {
  return std::min(IntAttribute(element, "COLS", 3), kMaxColumns);
}

// Where TOC breaks its columns: evenly, but moved onto top-level entries (level nTopLevel)
// that lie close after an even break, unless that makes a column much longer than the rest.
std::vector<size_t> TocBreaks(const std::vector<int>& levels, int nCols, int nTopLevel) {
  const long n = static_cast<long>(levels.size());
  const long f = n / nCols;
  const long t = f / 3;
  std::vector<long> breaks(nCols + 1);
  for (int k = 0; k <= nCols; ++k) breaks[k] = k * f;
  if (nCols >= 2) {
    int nPointer = 1;
    for (long j = 0; j < n; ++j) {
      if (levels[j] == nTopLevel && j > breaks[nPointer] - t) {
        breaks[nPointer] = j;
        if (nPointer < nCols - 1)
          ++nPointer;
      }
    }
    for (int k = 0; k + 1 < nCols; ++k) {
      if (breaks[k + 1] - breaks[k] > f + t) {
        for (int i = 0; i <= nCols; ++i) breaks[i] = i * f;
        break;
      }
    }
  }
  return std::vector<size_t>(breaks.begin(), breaks.end());
}

}  // namespace

namespace {

// LinkAddress written onto the end of out.
void AppendLinkAddress(std::string& out, const CPage& built, const CWebSite& site, const CNode& q) {
  if (!q.m_strUrl.empty()) {
    out += q.m_strUrl;
    return;
  }
  const CNode* pTarget = site.FirstWithLocalPath(&q);
  if (!pTarget && !q.m_strLocalPath.empty())
    pTarget = &q;
  if (!pTarget)
    return;
  // A heading followed by a page at a web address leads to that address.
  if (!pTarget->m_strUrl.empty())
    out += pTarget->m_strUrl;
  else
    AppendRelativePath(out, built.m_strLocalPath, pTarget->m_strLocalPath);
}

// MakeLink(LinkAddress(built, q), text) written onto the end of out.
void AppendLinkTo(std::string& out, const CPage& built, const CWebSite& site, const CNode& q,
                  const std::string& text) {
  const size_t nStart = out.size();
  out += "<a href=\"";
  const size_t nAddress = out.size();
  AppendLinkAddress(out, built, site, q);
  if (out.size() == nAddress) {
    out.resize(nStart);
    out += text;
    return;
  }
  // Addresses hardly ever hold a character to escape; only those are written again.
  if (std::string_view(out).substr(nAddress).find_first_of("\"&<>") != std::string_view::npos)
    out.replace(nAddress, std::string::npos,
                EscapeAttribute(std::string_view(out).substr(nAddress)));
  if (text.empty()) {
    const std::string address = out.substr(nAddress);
    out += "\">";
    out += address;
  } else {
    out += "\">";
    out += text;
  }
  out += "</a>";
}

}  // namespace

std::string LinkAddress(const CPage& built, const CWebSite& site, const CNode& q) {
  std::string address;
  AppendLinkAddress(address, built, site, q);
  return address;
}

std::string MakeConListText(const CPage& page, const CWebSite& site, bool bBullet, bool bHtml5) {
  std::string list;
  if (site.OutlinePosition(&page) >= 0) {
    // The listed nodes are the top level, the ancestors, the siblings and the children;
    // gather just those and put them in outline order.
    std::vector<const CNode*> nodes = site.NodesWithLevels(1, 1);
    for (CNode* pAncestor = page.m_pParent; pAncestor; pAncestor = pAncestor->m_pParent)
      nodes.push_back(pAncestor);
    if (page.m_pParent)
      nodes.insert(nodes.end(), page.m_pParent->m_children.begin(),
                   page.m_pParent->m_children.end());
    nodes.insert(nodes.end(), page.m_children.begin(), page.m_children.end());
    std::vector<std::pair<long, const CNode*>> ordered;
    for (const CNode* pNode : nodes) {
      const long nPosition = site.OutlinePosition(pNode);
      if (nPosition >= 0 && pNode->m_nLevel > 0)
        ordered.emplace_back(nPosition, pNode);
    }
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());

    for (const auto& [nPosition, pNode] : ordered) {
      list += kCrLf;
      if (pNode == &page) {
        if (bBullet) {
          AppendLevelDiv(list, "aclevel", pNode->m_nLevel - 1);
          list += bHtml5 ? kHtml5Bullet : Message(EMessage::kBullet);
        } else {
          AppendLevelDiv(list, "aclevel", pNode->m_nLevel);
        }
        list += pNode->m_strName;
      } else {
        AppendLevelDiv(list, "clevel", pNode->m_nLevel);
        AppendLinkTo(list, page, site, *pNode, pNode->m_strName);
      }
      list += "</div>";
    }
  }
  list += kCrLf;
  return list;
}

std::string MakeTocText(const CPage& page, const CWebSite& site, int nCols,
                        const std::string& target, int nMinLevel, int nMaxLevel, bool bHtml5) {
  if (nMaxLevel < nMinLevel || nCols <= 0)
    return {};
  const CPage* pHome = site.PreparedHomePage();
  // A site has one outline; it is listed whenever the site has a home page, even one that
  // stands outside it at level 0.
  if (!pHome)
    return {};

  std::vector<std::string> entries;
  std::vector<int> levels;
  for (const CNode* pNode : site.NodesWithLevels(nMinLevel, nMaxLevel)) {
    const std::string address =
        pNode->HasOption('N') ? pNode->m_strUrl : LinkAddress(page, site, *pNode);
    entries.push_back(LevelDiv("tlevel", pNode->m_nLevel) +
                      MakeLink(address, pNode->m_strName, target) + "</div>");
    levels.push_back(pNode->m_nLevel);
  }
  if (entries.empty())
    return {};

  const std::vector<size_t> breaks = TocBreaks(levels, nCols, nMinLevel);
  std::vector<std::string> columns(nCols);
  int nColumn = 0;
  for (size_t j = 0; j < entries.size(); ++j) {
    if (j > 0 && nColumn < nCols - 1 && j == breaks[nColumn + 1])
      ++nColumn;
    columns[nColumn] += entries[j] + kCrLf;
  }
  return ColumnTable(columns, bHtml5);
}

std::string MakeSingleTocText(const CPage& page, const CWebSite& site, int nCols,
                              const std::string& target, const std::string& style, bool bSiblings,
                              bool bHtml5) {
  if (nCols <= 0)
    return {};
  const std::string entryStart =
      "<div class=\"" + (style.empty() ? std::string("tlevel1") : EscapeAttribute(style)) + "\">";
  const CNode* pParent = bSiblings ? page.m_pParent : &page;
  if (!pParent)
    return {};

  std::vector<std::string> entries;
  for (const CNode* pChild : pParent->m_children) {
    std::string entry = entryStart;
    if (pChild->HasOption('N'))
      entry += MakeLink(pChild->m_strUrl, pChild->m_strName, target);
    else if (pChild == &page)
      entry += pChild->m_strName;
    else
      entry += MakeLink(LinkAddress(page, site, *pChild), pChild->m_strName, target);
    entries.push_back(entry + "</div>");
  }

  std::vector<std::string> columns(nCols);
  const size_t nPerColumn = entries.size() / nCols;
  int nColumn = 0;
  size_t nCount = 0;
  for (const std::string& entry : entries) {
    if (nColumn < nCols - 1 && nCount >= nPerColumn) {
      ++nColumn;
      nCount = 0;
    }
    columns[nColumn] += entry + kCrLf;
    ++nCount;
  }
  return ColumnTable(columns, bHtml5);
}

void MakeConList(CPage& page, const CWebSite& site, std::string& text) {
  const bool bHtml5 = BeginsWithHtml5Doctype(text);
  ExpandElements(
      text, "<!--CONLIST", "<!--/CONLIST-->",
      [&](const CTagElement& element) {
        return MakeConListText(page, site, element.GetAttribute("BULLET") != "OFF", bHtml5);
      },
      &page.Context().report);
}

void MakeToc(CPage& page, const CWebSite& site, std::string& text) {
  const bool bHtml5 = BeginsWithHtml5Doctype(text);
  ExpandElements(
      text, "<!--TOC", "<!--/TOC-->",
      [&](const CTagElement& element) {
        return MakeTocText(page, site, ColumnsAttribute(element),
                           element.GetAttribute("TARGET_FRAME"),
                           IntAttribute(element, "MIN_LEVEL", 1),
                           IntAttribute(element, "MAX_LEVEL", 1000), bHtml5);
      },
      &page.Context().report);
}

void MakeSingleToc(CPage& page, const CWebSite& site, std::string& text) {
  const bool bHtml5 = BeginsWithHtml5Doctype(text);
  ExpandElements(
      text, "<!--SINGLETOC", "<!--/SINGLETOC-->",
      [&](const CTagElement& element) {
        return MakeSingleTocText(
            page, site, ColumnsAttribute(element), element.GetAttribute("TARGET_FRAME"),
            element.GetAttribute("STYLE"), element.GetAttribute("MEMBERS") == "SIBLINGS", bHtml5);
      },
      &page.Context().report);
}

}  // namespace velmora
