#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "assembly/page_build.h"
#include "assembly/printable_sections.h"
#include "build/print_pages.h"
#include "markup/attribute_text.h"
#include "markup/element_rewrite.h"
#include "markup/page_charset.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "platform/dialogs.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// The pages of the outline below pNode (pNode itself when bSelf), in outline order. Outlines
// may be tens of thousands of levels deep, so the walk keeps its own stack.
void AddOutline(CNode* pNode, bool bSelf, std::vector<CPage*>& pages) {
  if (!pNode)
    return;
  std::vector<CNode*> pending{pNode};
  while (!pending.empty()) {
    CNode* pCurrent = pending.back();
    pending.pop_back();
    if (pCurrent != pNode || bSelf)
      if (auto* pPage = dynamic_cast<CPage*>(pCurrent))
        pages.push_back(pPage);
    pending.insert(pending.end(), pCurrent->m_children.rbegin(), pCurrent->m_children.rend());
  }
}

bool IsWholeOutline(const std::string& pagesValue) {
  return pagesValue.empty() || EqualsNoCase(pagesValue, "ALL");
}

// The pages a PRINTLIST element asks for, each once, in the order asked.
std::vector<CPage*> PrintListPages(CWebSite& site, const std::string& pagesValue) {
  std::vector<CPage*> pages;
  if (IsWholeOutline(pagesValue)) {
    AddOutline(site.m_pRoot.get(), false, pages);
  } else {
    for (const std::string& piece : Split(pagesValue, ",", true)) {
      std::string reference = Trim(piece);
      const bool bSubtree = EndsWith(reference, "+");
      if (bSubtree)
        reference = Trim(reference.substr(0, reference.size() - 1));
      if (reference.empty())
        continue;
      CPage* pPage = site.FindPage(reference);
      if (!pPage) {
        site.m_context.report.AddFormatted(EMessage::kCantGet, Trim(piece), EAlert::kNotice);
        continue;
      }
      if (bSubtree)
        AddOutline(pPage, true, pages);
      else
        pages.push_back(pPage);
    }
  }
  std::vector<CPage*> unique;
  std::unordered_set<const CPage*> seen;
  for (CPage* pPage : pages)
    if (seen.insert(pPage).second)
      unique.push_back(pPage);
  return unique;
}

// The pages held in a print page by their local paths in lower case; the first page held under
// a path is the one its links lead to.
using CHeldPages = std::unordered_map<std::string, const CPage*>;

// Links of the gathered sections that lead to a page held in the print page become links to
// that page's anchor there.
void PointLinksAtAnchors(std::string& text, const std::string& printPagePath,
                         const CHeldPages& held, bool bIdAnchors) {
  RewriteQuotedValues(text, "a href=", 9, [&](const std::string& value, std::string& out) {
    const std::string reference = DecodeBasicReferences(Trim(value));
    if (reference.empty() || StartsWith(reference, "#") || Contains(reference, ":"))
      return false;
    const std::string target =
        ResolveRelative(printPagePath, reference.substr(0, reference.find('#')));
    if (target.empty())
      return false;
    const auto it = held.find(ToLower(target));
    if (it == held.end())
      return false;
    out = "#" + EscapeAttribute(PrintAnchorName(it->second->m_strRemotePath, bIdAnchors));
    return true;
  });
}

// On a page of id anchors, the ids of one gathered page are made its own: two pages may well
// have a heading of the same text. Each id of the sections (but the page's anchor) is put after
// the page's anchor name, and so are the section's links to those ids.
void PrefixGatheredIds(std::string& sections, const std::string& pageAnchor) {
  std::unordered_set<std::string> ids;
  RewriteQuotedValues(sections, " id=", 4, [&](const std::string& value, std::string& out) {
    if (value.empty() || value == pageAnchor)
      return false;
    ids.insert(value);
    out = pageAnchor + "-" + value;
    return true;
  });
  if (ids.empty())
    return;
  RewriteQuotedValues(sections, "href=", 6, [&](const std::string& value, std::string& out) {
    if (!StartsWith(value, "#") || !ids.contains(value.substr(1)))
      return false;
    out = "#" + pageAnchor + "-" + value.substr(1);
    return true;
  });
}

// Fills every PRINTLIST element of the page and writes it; true when it was written.
bool FillPrintPage(CPage& page) {
  if (page.m_strContent.empty())
    BuildPage(page);
  if (page.m_strContent.empty())
    return false;
  page.Context().report.AddLine(page.m_strName + " - " + page.m_strLocalPath, EAlert::kInfo);

  const std::string& printPath = page.m_strLocalPath;
  std::string text = page.m_strContent;
  // Print pages that list one another grow by a factor on every page; a page stays within what
  // a text file may hold: from the print list that would pass that on, they keep their content.
  size_t nSize = text.size();
  bool bFull = false;
  const bool bIdAnchors = BeginsWithHtml5Doctype(text);
  // Each page's anchor is written once in the print page, before its first section; links
  // lead only to pages that gave a section, and so an anchor.
  std::unordered_set<const CPage*> anchored;
  CHeldPages held;
  auto take = [&](CPage& source, bool bTextOnly, EPrintAnchor anchor) {
    std::string sections = ExtractPrintableSections(source, printPath, bTextOnly, false, anchor);
    if (bIdAnchors && !bTextOnly)
      PrefixGatheredIds(sections, EscapeAttribute(PrintAnchorName(source.m_strRemotePath, true)));
    return sections;
  };
  // Nothing a list gathers from changes while this page is filled: each page's sections are
  // taken once in each form, however many lists name it. Pages without sections are passed
  // over from then on.
  std::unordered_map<const CPage*, std::string> unanchored[2];  // by the text-only flag
  std::unordered_set<const CPage*> bare;
  std::optional<std::vector<CPage*>> outline;  // taken when a list first asks for it
  RewriteElements(
      text, "<!--PRINTLIST", "<!--/PRINTLIST-->",
      [&](CTagElement& element) {
        if (bFull)
          return;
        const bool bTextOnly = element.GetAttribute("TEXTONLY") == "ON";
        std::string gathered;
        const std::string pagesValue = element.GetAttribute("PAGES");
        const bool bWhole = IsWholeOutline(pagesValue);
        std::vector<CPage*> listed;
        if (!bWhole)
          listed = PrintListPages(*page.m_pSite, pagesValue);
        else if (!outline)
          outline = PrintListPages(*page.m_pSite, pagesValue);
        for (CPage* pPage : bWhole ? *outline : listed) {
          // Pages linked to directly (option N) are built elsewhere and have no text here.
          if (pPage == &page || pPage->m_strLocalPath.empty() || pPage->HasOption('N') ||
              bare.contains(pPage))
            continue;
          // Text-only sections lose their anchors; the page may still be anchored by a later list.
          if (!bTextOnly && !anchored.contains(pPage)) {
            const std::string sections =
                take(*pPage, false, bIdAnchors ? EPrintAnchor::kId : EPrintAnchor::kName);
            if (sections.empty()) {
              bare.insert(pPage);
            } else {
              anchored.insert(pPage);
              held.emplace(ToLower(pPage->m_strLocalPath), pPage);
            }
            gathered += sections;
          } else {
            auto& taken = unanchored[bTextOnly ? 1 : 0];
            auto it = taken.find(pPage);
            if (it == taken.end())
              it = taken.emplace(pPage, take(*pPage, bTextOnly, EPrintAnchor::kNone)).first;
            gathered += it->second;
          }
          if (nSize + gathered.size() > kMaxTextBytes) {
            page.Context().report.AddLine(
                FormatText("   Too much text, print list not filled: %1", printPath),
                EAlert::kError);
            bFull = true;
            return;
          }
        }
        nSize += gathered.size();
        if (!bTextOnly)
          PointLinksAtAnchors(gathered, printPath, held, bIdAnchors);
        if (element.GetAttribute("APPEND") == "ON")
          element.m_strContent += gathered;
        else
          element.m_strContent = gathered;
      },
      &page.Context().report);
  page.SetContent(text);
  CorrectGfxReferences(page, *page.m_pSite);
  DeclareUtf8Charset(page.m_strContent);

  if (page.StoreLocal()) {
    page.Context().report.AddLine("OK", EAlert::kInfo);
    return true;
  }
  page.Context().report.AddLine(FormatText("Can't write: %1", printPath), EAlert::kWarning);
  return false;
}

}  // namespace

void MakePrintPage(CPage& page) {
  FillPrintPage(page);
}

bool MakeOnePage(CWebSite& site, const std::string& filePath, bool bTextOnly) {
  CBuildContext& ctx = site.m_context;
  if (bTextOnly) {
    std::string text;
    for (const auto& pPage : site.Pages())
      if (pPage->m_nLevel > 0 && !pPage->m_strLocalPath.empty() && !pPage->HasOption('N'))
        text += ExtractPrintableSections(*pPage, filePath, true, false, EPrintAnchor::kNone);
    for (int pass = 0; pass < 2; ++pass) ReplaceAll(text, "\r\n\r\n\r\n", "\r\n");
    return ctx.files.WriteTextFile(filePath, text);
  }

  CPage onePage(&site, "0,OneprintPage,PP," + filePath);
  if (!onePage.m_bValid) {
    ctx.report.AddFormatted(EMessage::kBadPath, filePath, EAlert::kError);
    return false;
  }
  // The page lands where it was asked for and is built from the print template, even on
  // another drive than the catalog (where a page line would otherwise keep its own file).
  onePage.m_strLocalPath = filePath;
  onePage.m_strOutsidePath.clear();
  onePage.m_strType = "PP";
  onePage.m_strOption.clear();
  BuildPage(onePage);
  // The build may have registered the temporary page; it must not outlive this call there.
  std::erase(site.m_printPages, &onePage);
  std::string text = onePage.m_strContent;
  if (text.empty())
    return false;
  ReplaceBetween(text, "<!--BLOCK-->", "<!--/BLOCK-->",
                 "<!--PRINTLIST PAGES=\"ALL\"--> <!--/PRINTLIST-->");
  onePage.SetContent(text);
  return FillPrintPage(onePage);
}

}  // namespace velmora
