// Blocks: loading a block file into its block elements, the text written for a missing or empty
// block, and placing the elements into the page's template. Also the loading of a page that is
// taken whole from its own file (option K).
#include "assembly/blocks.h"

#include <algorithm>
#include <memory>

#include "assembly/reference_correction.h"
#include "assembly/templates.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/content_loader.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {

const std::string kBlockStart = "<!--BLOCK-->";
const std::string kBlockEnd = "<!--/BLOCK-->";

// A block file without block elements: its body (or the whole text) becomes one element.
void MarkBodyAsBlock(std::string& text) {
  ReplaceAll(text, "<BODY", "<body");
  ReplaceAll(text, "</BODY>", "</body>");
  const size_t body = text.find("<body");
  const size_t close = body == std::string::npos ? body : text.find('>', body);
  if (close != std::string::npos) {
    text.insert(close + 1, kBlockStart);
    // A file cut off before its body ends still gives its text.
    if (ReplaceAll(text, "</body>", kBlockEnd + "</body>") == 0)
      text += kBlockEnd;
    return;
  }
  ReplaceAll(text, "<HTML>", "<html>");
  ReplaceAll(text, "</HTML>", "</html>");
  if (!Contains(text, "<html>")) {
    text = kBlockStart + text + kBlockEnd;
    return;
  }
  ReplaceAll(text, "<html>", "<html>" + kBlockStart);
  ReplaceAll(text, "</html>", kBlockEnd + "</html>");
  ReplaceAll(text, "<HEAD>", "<head>");
  ReplaceAll(text, "</HEAD>", "</head>");
  ReplaceBetween(text, "<head>", "</head>", "");
  ReplaceAll(text, "<head>", "");
  ReplaceAll(text, "</head>", "");
}

// The heading a missing block of a page of this type starts with; empty for ordinary pages.
std::string DefaultHeading(const std::string& type) {
  if (type == "IX" || type == "FIX")
    return "<h1>SiteIndex</h1>\r\n";
  if (type == "C" || type == "FC")
    return "<h1>SiteMap</h1>\r\n";
  if (type == "I" || type == "FI")
    return "<h1>Welcome</h1>\r\n";
  if (type == "PP")
    return "<!--PRINTLIST PAGES=\"ALL\"--> <!--/PRINTLIST-->\r\n";
  return {};
}

// The text of a template, read again for every use so that edits take effect at once.
std::string TemplateText(CWebSite* pSite, const std::string& type) {
  CTemplate* pTemplate = pSite ? GetTemplate(*pSite, type) : nullptr;
  if (!pTemplate || !LoadTemplate(*pTemplate))
    return {};
  return pTemplate->m_strContent;
}

void ReleaseText(CBlock& block) {
  block.m_tags.clear();
  std::string().swap(block.m_strContent);
}

}  // namespace

bool LoadBlock(CBlock& block) {
  CBuildContext& ctx = block.Context();
  block.m_tags.clear();
  // A block file of the site that does not exist yet is simply made from its default ("Make:",
  // level 1); only a file that is there and cannot be read is an error.
  // A file of the site is read first and looked for only when that fails.
  const bool bOwnFile = block.m_strUrl.empty() && block.m_strOutsidePath.empty();
  const bool bRead = bOwnFile && block.LoadLocal();
  const bool bNotMadeYet = bOwnFile && !bRead && !ctx.files.AnythingAt(block.m_strLocalPath);
  if (!bRead && (bNotMadeYet || !LoadContent(block)))
    MakeDefaultBlock(block, true);
  if (block.m_strContent.empty())
    MakeDefaultBlock(block, false);
  if (!Contains(block.m_strContent, "<!--BLOCK"))
    MarkBodyAsBlock(block.m_strContent);

  // The images of content fetched or read from outside the site just now are fetched or
  // copied too, and the local copy keeps references from its own place. The page gets them
  // pointed from its own folder afterwards, in the same way whether the copy was made now or
  // is read offline, so an offline build gives the pages of the online build.
  const bool bFresh = !block.m_bLoadedCopy && (!block.m_strOutsidePath.empty() ||
                                               (!block.m_strUrl.empty() && ctx.settings.Internet));
  size_t position = 0;
  while (true) {
    size_t start = position, end = 0;
    if (!FindElement(block.m_strContent, start, end, "<!--BLOCK", kBlockEnd))
      break;
    auto element =
        std::make_unique<CTagElement>(block.m_strContent.substr(start, end - start), &ctx.report);
    std::string corrected = element->m_strContent;
    position = end;
    if (bFresh && LocaliseImages(block, corrected) > 0) {
      element->m_strContent = corrected;
      const std::string rebuilt = element->Rebuild();
      block.m_strContent.replace(start, end - start, rebuilt);
      block.StoreLocal();
      position = start + rebuilt.size();
    }
    // The element keeps what the page gets; the block text stays as it is kept.
    if (PointImagesFromHost(block, corrected, !bFresh) > 0)
      element->m_strContent = corrected;
    block.m_tags.push_back(std::move(element));
  }
  return true;
}

void MakeDefaultBlock(CBlock& block, bool bMissing) {
  CBuildContext& ctx = block.Context();
  if (!bMissing) {
    block.m_strContent = kBlockStart + "\r\nHas loaded an empty block: " + block.m_strLocalPath;
    if (!block.m_strUrl.empty())
      block.m_strContent += "<br>" + block.m_strUrl;
    if (!block.m_strOutsidePath.empty())
      block.m_strContent += "<br>" + block.m_strOutsidePath;
    block.m_strContent += "\r\n" + kBlockEnd;
    return;
  }

  // A file that is there but could not be read (or holds more than a text may) is the user's:
  // its load was reported, and the default stands in for it without being written over it.
  const bool bMake = !ctx.files.AnythingAt(block.m_strLocalPath);
  if (bMake)
    ctx.report.AddLine(FormatText("Make: %1", block.m_strLocalPath), EAlert::kNotice);
  const std::string blockTemplate = TemplateText(block.m_pSite, "B");
  if (!blockTemplate.empty()) {
    block.m_strContent = blockTemplate;
    const std::string heading =
        block.m_pPage ? DefaultHeading(block.m_pPage->m_strType) : std::string();
    if (heading.empty() ||
        ReplaceBetween(block.m_strContent, kBlockStart, kBlockEnd, heading) == 0) {
      std::string origin = block.m_strLocalPath + "<br>";
      if (!block.m_strUrl.empty())
        origin += "\r\nOriginal at: " + block.m_strUrl + "<br>";
      if (!block.m_strOutsidePath.empty())
        origin += "\r\nOriginal at: " + block.m_strOutsidePath + "<br>";
      ReplaceAll(block.m_strContent, "<!--BLOCKFILENAME/-->", origin + "You should edit this");
    }
  } else {
    block.m_strContent = "<html>\r\n<head><title>a Velmora block</title></head>\r\n<body>\r\n" +
                         kBlockStart + "<p>\r\nA Block:" + block.m_strLocalPath + "<br>";
    if (!block.m_strUrl.empty())
      block.m_strContent += "\r\nOriginal at: " + block.m_strUrl + "<br>";
    block.m_strContent += "\r\n</p>\r\n" + kBlockEnd + "\r\n</body>\r\n</html>";
  }
  if (bMake)
    block.StoreLocal();
}

bool LoadPage(CPage& page) {
  CBuildContext& ctx = page.Context();
  if (!LoadContent(page) || page.m_strContent.empty())
    return false;
  std::string text = page.m_strContent;
  if (!page.m_strUrl.empty() && ctx.settings.Internet) {
    if (FetchRemoteImages(page, text) > 0) {
      page.m_strContent = text;
      page.StoreLocal();
    }
  } else if (!page.m_strOutsidePath.empty()) {
    if (CopyOutsideImages(page, text) > 0) {
      page.m_strContent = text;
      page.StoreLocal();
    }
  } else if (ctx.settings.CheckAllImages && CheckBlockImages(page, text) > 0) {
    page.m_strContent = text;
  }
  return true;
}

std::string PageContent(CPage& page) {
  if (page.m_strContent.empty() && !LoadPage(page))
    return {};
  return page.m_strContent;
}

void PlaceBlocks(CPage& page) {
  if (!page.m_pSite)
    return;
  CBuildContext& ctx = page.Context();
  struct CTarget {
    std::string m_strName;
    std::string m_strContent;
    std::string m_strFirstBlock;  // the path of the first block placed there, for the report
  };
  std::vector<CTarget> targets;  // in order of first appearance; pages have few

  // Every block is loaded before any is wrapped, so their report lines come first. A page is
  // given no more block text than a text file may hold, however often a large block is named,
  // wrapped or placed.
  std::vector<CBlock*> blocks;
  size_t nLoaded = 0;
  auto tooMuch = [&ctx](const std::string& path) {
    ctx.report.AddLine(FormatText("   Too much text, block not placed: %1", path), EAlert::kError);
  };
  for (size_t nIndex : page.m_blockIndexes)
    if (CBlock* pBlock = page.m_pSite->GetBlock(nIndex)) {
      LoadBlock(*pBlock);
      nLoaded += pBlock->m_strContent.size();
      if (nLoaded > kMaxTextBytes) {
        tooMuch(pBlock->m_strLocalPath);
        ReleaseText(*pBlock);
        break;
      }
      blocks.push_back(pBlock);
    }
  size_t nGathered = 0;
  bool bFull = false;
  for (CBlock* pBlock : blocks) {
    for (const auto& pElement : pBlock->m_tags) {
      if (bFull)
        break;
      // Wrapped as a copy: a block named twice on the page is wrapped once for each.
      std::string content = pElement->m_strContent;
      bool bFits = true;
      if (EqualsNoCase(pElement->GetAttribute("WRAPME"), "ON")) {
        std::string wrapper = TemplateText(page.m_pSite, "W");
        if (wrapper.empty()) {
          ctx.report.AddLine(FormatText("   Can't load template: %1", "W"), EAlert::kError);
        } else {
          bFits =
              ReplaceBetween(wrapper, "<!--WRAP-->", "<!--/WRAP-->", content, kMaxTextBytes) >= 0;
          content = wrapper;
        }
      }
      // Each wrapping copies the wrapper, which may be large, so the wrapped texts count.
      nGathered += content.size();
      if (!bFits || nGathered > kMaxTextBytes) {
        tooMuch(pBlock->m_strLocalPath);
        bFull = true;
        break;
      }
      const std::string name = pElement->GetAttribute("TARGET");
      auto it = std::find_if(targets.begin(), targets.end(),
                             [&](const CTarget& t) { return t.m_strName == name; });
      if (it == targets.end())
        targets.push_back({name, content, pBlock->m_strLocalPath});
      else
        it->m_strContent += content;
    }
    // Loaded again for every build; kept, the blocks of a large site would all stay in memory.
    ReleaseText(*pBlock);
  }

  // A template may hold a target's placeholder many times, and each gets the whole text.
  for (const CTarget& target : targets) {
    const std::string start =
        target.m_strName.empty() ? kBlockStart : "<!--" + target.m_strName + "-->";
    const int nPlaced = ReplaceBetween(page.m_strContent, start, MakeEndTag(start),
                                       target.m_strContent, kMaxTextBytes);
    if (nPlaced < 0)
      tooMuch(target.m_strFirstBlock);
    else if (nPlaced == 0)
      ctx.report.AddLine(FormatText("   Can't place block: %1", start), EAlert::kInfo);
  }
}

}  // namespace velmora
