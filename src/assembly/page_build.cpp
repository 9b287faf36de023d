// Building one page: the template and blocks (or the page's own file), then one fixed sequence
// of expansions over the whole text, the site-wide collectors, and the write. Each step sees
// the output of every earlier one.
#include "assembly/page_steps.h"
#include "markup/collection.h"
#include "markup/keyword_index.h"
#include "markup/paths.h"
#include "model/node.h"
#include "model/replace_rule.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

constexpr int kCantGetMessage = 54;

// Points every reference into the resource folder ("gfx/" after any number of "../", at the
// start of an attribute or url() value) at folder. Text that merely contains the letters, and
// sub-folders or web addresses that happen to end in "gfx", are left alone.
std::string PointAtResources(const std::string& text, const std::string& folder) {
  static const std::string kGfx = "gfx/";
  std::string result;
  result.reserve(text.size());
  size_t copied = 0;
  for (size_t found = text.find(kGfx); found != std::string::npos;
       found = text.find(kGfx, found + kGfx.size())) {
    size_t start = found;
    while (start >= 3 && text.compare(start - 3, 3, "../") == 0) start -= 3;
    if (start > 0 && !Contains("\"'=(", std::string_view(&text[start - 1], 1)))
      continue;
    result.append(text, copied, start - copied);
    result += folder + "/";
    copied = found + kGfx.size();
  }
  result.append(text, copied);
  return result;
}

}  // namespace

bool CPage::Build() {
  if (m_strLocalPath.empty() || HasOption('N') || !m_pSite)
    return false;
  theReport.AddLine(m_strName + " - " + m_strLocalPath, 0);

  if (!HasOption('K')) {
    CTemplate* pTemplate = m_pSite->GetTemplate(m_strType);
    if (!pTemplate) {
      theReport.AddFormatted(kCantGetMessage, " template: " + m_strType, 3);
      return false;
    }
    m_strContent.clear();
    if (pTemplate->Load())
      m_strContent = pTemplate->m_strContent;
    if (m_strContent.empty()) {
      theReport.AddLine(FormatText("   Can't load template: %1", m_strType), 3);
      return false;
    }
    PlaceBlocks();
    if (theSettings.CheckNameRefs)
      CorrectNameRefs(m_strContent);
  } else {
    Load();
  }
  if (m_strContent.empty()) {
    // A kept page's own file is its only source: one that is there but cannot be read is
    // left as it is, and only an empty one is replaced.
    std::string text;
    MakeMissingPage(!HasOption('K') || !AnythingAt(m_strLocalPath) ||
                    (ReadTextFile(m_strLocalPath, text) && text.empty()));
    return false;
  }

  ApplyPatches(*this, m_strContent);
  MakeConList(*this, m_strContent);
  MakeLocalToc(*this, m_strContent);
  MakeBasedOn(*this, m_strContent);
  MakeToc(*this, m_strContent);
  MakeSingleToc(*this, m_strContent);
  MakeTrail(*this, m_strContent);
  MakeNeighbourLinks(*this, m_strContent);
  ExpandValueTags(*this, m_strContent);

  if (Contains(m_strContent, "<!--PRINTLIST"))
    m_pSite->m_printPages.push_back(this);
  if (theSettings.BuildCollections)
    for (const auto& pCollection : m_pSite->m_collections)
      pCollection->CollectFromPage(this, m_strContent);
  for (const auto& pRule : m_pSite->m_replaceRules) pRule->Apply(m_strContent);
  if (theSettings.BuildIndex && m_nLevel > 0)
    theKeywordIndex.ScanPage(this, m_strContent);
  CorrectGfxReferences();

  if (!StoreLocal()) {
    theReport.AddLine(FormatText("   Can't store: %1", m_strLocalPath), 3);
    return false;
  }
  theReport.AddLine("   OK", 0);
  return true;
}

void CPage::CorrectGfxReferences() {
  if (!m_pSite)
    return;
  std::string gfx = m_pSite->GfxPath();
  while (EndsWith(gfx, "\\")) gfx.pop_back();
  std::string folder = RelativePath(m_strLocalPath, gfx + "\\dummy.html");
  const size_t cut = folder.find("/dummy.html");
  if (cut != std::string::npos)
    folder.erase(cut);
  m_strContent = PointAtResources(m_strContent, folder);
}

}  // namespace velmora
