// Blocks: loading a block file into its block elements, the text written for a missing or empty
// block, and placing the elements into the page's template. Also the loading of a page that is
// taken whole from its own file (option K).
#include <algorithm>
#include <memory>

#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
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
  CTemplate* pTemplate = pSite ? pSite->GetTemplate(type) : nullptr;
  if (!pTemplate || !pTemplate->Load())
    return {};
  return pTemplate->m_strContent;
}

void ReleaseText(CBlock& block) {
  block.m_tags.clear();
  std::string().swap(block.m_strContent);
}

}  // namespace

bool CBlock::Load() {
  m_tags.clear();
  // A block file of the site that does not exist yet is simply made from its default ("Make:",
  // level 1); only a file that is there and cannot be read is an error.
  // A file of the site is read first and looked for only when that fails.
  const bool bOwnFile = m_strUrl.empty() && m_strOutsidePath.empty();
  const bool bRead = bOwnFile && LoadLocal();
  const bool bNotMadeYet = bOwnFile && !bRead && !Context().files.AnythingAt(m_strLocalPath);
  if (!bRead && (bNotMadeYet || !CNode::Load()))
    MakeDefaultBlock(true);
  if (m_strContent.empty())
    MakeDefaultBlock(false);
  if (!Contains(m_strContent, "<!--BLOCK"))
    MarkBodyAsBlock(m_strContent);

  // The images of content fetched or read from outside the site just now are fetched or
  // copied too, and the local copy keeps references from its own place. The page gets them
  // pointed from its own folder afterwards, in the same way whether the copy was made now or
  // is read offline, so an offline build gives the pages of the online build.
  const bool bFresh = !m_bLoadedCopy && (!m_strOutsidePath.empty() ||
                                         (!m_strUrl.empty() && Context().settings.Internet));
  size_t position = 0;
  while (true) {
    size_t start = position, end = 0;
    if (!FindElement(m_strContent, start, end, "<!--BLOCK", kBlockEnd))
      break;
    auto element =
        std::make_unique<CTagElement>(m_strContent.substr(start, end - start), &Context().report);
    std::string corrected = element->m_strContent;
    position = end;
    if (bFresh && LocaliseImages(corrected) > 0) {
      element->m_strContent = corrected;
      const std::string rebuilt = element->Rebuild();
      m_strContent.replace(start, end - start, rebuilt);
      StoreLocal();
      position = start + rebuilt.size();
    }
    // The element keeps what the page gets; the block text stays as it is kept.
    if (PointImagesFromHost(corrected, !bFresh) > 0)
      element->m_strContent = corrected;
    m_tags.push_back(std::move(element));
  }
  return true;
}

void CBlock::MakeDefaultBlock(bool bMissing) {
  if (!bMissing) {
    m_strContent = kBlockStart + "\r\nHas loaded an empty block: " + m_strLocalPath;
    if (!m_strUrl.empty())
      m_strContent += "<br>" + m_strUrl;
    if (!m_strOutsidePath.empty())
      m_strContent += "<br>" + m_strOutsidePath;
    m_strContent += "\r\n" + kBlockEnd;
    return;
  }

  // A file that is there but could not be read (or holds more than a text may) is the user's:
  // its load was reported, and the default stands in for it without being written over it.
  const bool bMake = !Context().files.AnythingAt(m_strLocalPath);
  if (bMake)
    Context().report.AddLine(FormatText("Make: %1", m_strLocalPath), EAlert::kNotice);
  const std::string blockTemplate = TemplateText(m_pSite, "B");
  if (!blockTemplate.empty()) {
    m_strContent = blockTemplate;
    const std::string heading = m_pPage ? DefaultHeading(m_pPage->m_strType) : std::string();
    if (heading.empty() || ReplaceBetween(m_strContent, kBlockStart, kBlockEnd, heading) == 0) {
      std::string origin = m_strLocalPath + "<br>";
      if (!m_strUrl.empty())
        origin += "\r\nOriginal at: " + m_strUrl + "<br>";
      if (!m_strOutsidePath.empty())
        origin += "\r\nOriginal at: " + m_strOutsidePath + "<br>";
      ReplaceAll(m_strContent, "<!--BLOCKFILENAME/-->", origin + "You should edit this");
    }
  } else {
    m_strContent = "<html>\r\n<head><title>a Velmora block</title></head>\r\n<body>\r\n" +
                   kBlockStart + "<p>\r\nA Block:" + m_strLocalPath + "<br>";
    if (!m_strUrl.empty())
      m_strContent += "\r\nOriginal at: " + m_strUrl + "<br>";
    m_strContent += "\r\n</p>\r\n" + kBlockEnd + "\r\n</body>\r\n</html>";
  }
  if (bMake)
    StoreLocal();
}

bool CPage::Load() {
  if (!CNode::Load() || m_strContent.empty())
    return false;
  std::string text = m_strContent;
  if (!m_strUrl.empty() && Context().settings.Internet) {
    if (FetchRemoteImages(text) > 0) {
      m_strContent = text;
      StoreLocal();
    }
  } else if (!m_strOutsidePath.empty()) {
    if (CopyOutsideImages(text) > 0) {
      m_strContent = text;
      StoreLocal();
    }
  } else if (Context().settings.CheckAllImages && CheckBlockImages(text) > 0) {
    m_strContent = text;
  }
  return true;
}

void CPage::PlaceBlocks() {
  if (!m_pSite)
    return;
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
  auto tooMuch = [this](const std::string& path) {
    Context().report.AddLine(FormatText("   Too much text, block not placed: %1", path),
                             EAlert::kError);
  };
  for (size_t nIndex : m_blockIndexes)
    if (CBlock* pBlock = m_pSite->GetBlock(nIndex)) {
      pBlock->Load();
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
        std::string wrapper = TemplateText(m_pSite, "W");
        if (wrapper.empty()) {
          Context().report.AddLine(FormatText("   Can't load template: %1", "W"), EAlert::kError);
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
    const int nPlaced =
        ReplaceBetween(m_strContent, start, MakeEndTag(start), target.m_strContent, kMaxTextBytes);
    if (nPlaced < 0)
      tooMuch(target.m_strFirstBlock);
    else if (nPlaced == 0)
      Context().report.AddLine(FormatText("   Can't place block: %1", start), EAlert::kInfo);
  }
}

}  // namespace velmora
