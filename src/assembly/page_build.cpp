// Building one page: the template and blocks (or the page's own file), then one fixed sequence
// of expansions over the whole text, the site-wide collectors, and the write. Each step sees
// the output of every earlier one.
#include "assembly/page_build.h"
#include "model/build_context.h"

#include "assembly/blocks.h"
#include "assembly/footers.h"
#include "assembly/page_steps.h"
#include "assembly/reference_correction.h"
#include "assembly/templates.h"
#include "markup/keyword_index.h"
#include "markup/page_charset.h"
#include "model/collection.h"
#include "model/node.h"
#include "model/replace_rule.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "platform/build_settings.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// Points every reference into the resource folder ("gfx/" after any number of "../", at the
// start of an attribute or url() value) at folder; with an empty folder only the file name
// stays. Text that merely contains the letters, and sub-folders or web addresses that happen
// to end in "gfx", are left alone.
void PointAtResources(std::string& text, const std::string& folder) {
  static const std::string kGfx = "gfx/";
  std::string result;
  size_t copied = 0;
  for (size_t found = FindText(text, kGfx); found != std::string::npos;
       found = FindText(text, kGfx, found + kGfx.size())) {
    size_t start = found;
    while (start >= 3 && text.compare(start - 3, 3, "../") == 0) start -= 3;
    if (start > 0 && !Contains("\"'=(", std::string_view(&text[start - 1], 1)))
      continue;
    if (copied == 0)
      result.reserve(text.size() + 64);
    result.append(text, copied, start - copied);
    if (!folder.empty()) {
      result += folder;
      result += '/';
    }
    copied = found + kGfx.size();
  }
  if (copied == 0)
    return;
  result.append(text, copied);
  text = std::move(result);
}

}  // namespace

bool ReadPageSources(CPage& page) {
  if (page.m_strLocalPath.empty() || page.HasOption('N') || !page.m_pSite)
    return false;
  page.Context().report.AddLine(page.m_strName + " - " + page.m_strLocalPath, EAlert::kInfo);

  if (!page.HasOption('K')) {
    CTemplate* pTemplate = GetTemplate(*page.m_pSite, page.m_strType);
    if (!pTemplate) {
      page.Context().report.AddFormatted(EMessage::kCantGet, " template: " + page.m_strType,
                                         EAlert::kError);
      return false;
    }
    page.m_strContent.clear();
    if (LoadTemplate(*pTemplate))
      page.m_strContent = pTemplate->m_strContent;
    if (page.m_strContent.empty()) {
      page.Context().report.AddLine(FormatText("   Can't load template: %1", page.m_strType),
                                    EAlert::kError);
      return false;
    }
    PlaceBlocks(page);
  } else {
    LoadPage(page);
  }
  if (page.m_strContent.empty()) {
    // A kept page's own file is its only source: one that is there but cannot be read is
    // left as it is, and only an empty one is replaced.
    std::string text;
    MakeMissingPage(
        page, !page.HasOption('K') || !page.Context().files.AnythingAt(page.m_strLocalPath) ||
                  (page.Context().files.ReadTextFile(page.m_strLocalPath, text) && text.empty()));
    return false;
  }
  return true;
}

void ExpandPageText(CPage& page, const CWebSite& site, CPageTail* pTail) {
  std::string& text = page.m_strContent;
  const CBuildSettings& settings = page.Context().settings;
  if (!page.HasOption('K') && settings.CheckNameRefs)
    CorrectNameRefs(page, site, text);
  ApplyPatches(page, text);
  MakeConList(page, site, text);
  MakeLocalToc(page, text);
  MakeBasedOn(page, site, text);
  MakeToc(page, site, text);
  MakeSingleToc(page, site, text);
  MakeTrail(page, site, text);
  MakeNeighbourLinks(page, site, text);
  ExpandValueTags(page, site, text);

  // Without replace rules the index and the resource references see this text as it is.
  if (!pTail || !site.m_replaceRules.empty())
    return;
  pTail->m_bPrintPage = Contains(text, "<!--PRINTLIST");
  if (settings.BuildCollections)
    for (const auto& pCollection : site.m_collections)
      pTail->m_collected.push_back(pCollection->Find(text));
  if (settings.BuildIndex && page.m_nLevel > 0)
    pTail->m_words = page.Context().index.FindWords(text);
  CorrectGfxReferences(page, site);
  pTail->m_bReady = true;
}

void GatherPage(CPage& page, CPageTail* pTail) {
  CWebSite& site = *page.m_pSite;
  const bool bTail = pTail && pTail->m_bReady;
  if (bTail ? pTail->m_bPrintPage : Contains(page.m_strContent, "<!--PRINTLIST"))
    site.m_printPages.push_back(&page);
  if (page.Context().settings.BuildCollections) {
    for (size_t i = 0; i < site.m_collections.size(); ++i) {
      if (bTail)
        site.m_collections[i]->Add(page.m_strLocalPath, std::move(pTail->m_collected[i]));
      else
        site.m_collections[i]->CollectFromPage(&page, page.m_strContent);
    }
  }
  if (bTail) {
    if (page.Context().settings.BuildIndex && page.m_nLevel > 0)
      page.Context().index.AddWords(page.m_strLocalPath, page.m_strName, pTail->m_words);
  } else {
    for (const auto& pRule : site.m_replaceRules) pRule->Apply(page.m_strContent);
    if (page.Context().settings.BuildIndex && page.m_nLevel > 0)
      page.Context().index.ScanPage(page.m_strLocalPath, page.m_strName, page.m_strContent);
    CorrectGfxReferences(page, site);
  }

  DeclareUtf8Charset(page.m_strContent);
}

bool MayWriteElsewhere(CPage& page) {
  return page.HasStorablePath() && page.Context().files.MakeFoldersFor(page.m_strLocalPath);
}

bool WritePageFile(const CPage& page) {
  return page.Context().Disk().WriteFile(page.m_strLocalPath, page.m_strContent);
}

bool StorePage(CPage& page, bool bWritten) {
  if (!bWritten && !page.StoreLocal()) {
    CBuildContext& ctx = page.Context();
    ctx.report.AddLine(FormatText("   Can't store: %1", page.m_strLocalPath), EAlert::kError);
    if (const std::string reason = ctx.Disk().FailureReason(); !reason.empty())
      ctx.report.AddLine("   " + reason, EAlert::kInfo);
    return false;
  }
  page.Context().report.AddLine("   OK", EAlert::kInfo);
  return true;
}

bool WritePage(CPage& page, CPageTail* pTail) {
  GatherPage(page, pTail);
  return StorePage(page, false);
}

bool BuildPage(CPage& page) {
  if (!ReadPageSources(page))
    return false;
  ExpandPageText(page, *page.m_pSite, nullptr);
  return WritePage(page, nullptr);
}

void CorrectGfxReferences(CPage& page, const CWebSite& site) {
  std::string gfx = site.GfxPath();
  while (EndsWith(gfx, "\\")) gfx.pop_back();
  // The folder part of the path to a file in the resources; empty for a page that lies in
  // the resource folder itself, whose references then name the resources directly.
  static const std::string kDummy = "dummy.html";
  std::string folder = RelativePath(page.m_strLocalPath, gfx + "\\" + kDummy);
  if (EndsWith(folder, kDummy))
    folder.erase(folder.size() - kDummy.size());
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
    folder.pop_back();
  PointAtResources(page.m_strContent, folder);
}

}  // namespace velmora
