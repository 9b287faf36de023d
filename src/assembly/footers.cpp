// The smaller page operations around the build: the BASEDON list, the generator stamp that
// FinishPage puts into a written page, and the page written when a page's own file is missing.
#include "assembly/footers.h"

#include "assembly/page_build.h"
#include "assembly/page_steps.h"
#include "markup/page_charset.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/node.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"
#include "res/resources.h"

namespace velmora {

namespace {

constexpr const char* kMissingPageResource = "missing_page.html";

// Fills every STAMP element except those switched off; false when there is none.
// Built in one pass, so a page of many elements is copied once.
bool FillStampElements(std::string& text, const std::string& stamp, CReport& report) {
  bool bFound = false;
  std::string out;
  size_t copied = 0, position = 0;
  while (true) {
    size_t start = position, end = 0;
    if (!FindElement(text, start, end, "<!--STAMP", "<!--/STAMP-->"))
      break;
    bFound = true;
    position = end;
    CTagElement element(text.substr(start, end - start), &report);
    if (element.GetAttribute("SHOW") == "OFF")
      continue;
    element.m_strContent = stamp;
    out.append(text, copied, start - copied);
    out += element.Rebuild();
    copied = end;
  }
  if (copied > 0) {
    out.append(text, copied);
    text = std::move(out);
  }
  return bFound;
}

}  // namespace

void MakeBasedOn(CPage& page, const CWebSite& site, std::string& text) {
  // Built in one pass, so a page of many elements is copied once.
  std::string out;
  size_t copied = 0, position = 0;
  while (true) {
    size_t start = position, end = 0;
    if (!FindElement(text, start, end, "<!--BASEDON", ""))
      break;
    CTagElement element(text.substr(start, end - start), &page.Context().report);
    const bool bAppend = element.GetAttribute("APPEND") == "ON";
    std::string lines;
    for (const std::string& entry : page.m_basedOn) {
      // Looked up by name in the site's prepared table, not page by page.
      const CPage* pBase = site.FirstPageNamed(entry);
      if (!pBase) {
        page.Context().report.AddFormatted(EMessage::kCantGet, " BASED_ON:" + entry, EAlert::kInfo);
        continue;
      }
      // A page that is only linked to (option N) is reached at its web address.
      const bool bDirect =
          pBase->m_strLocalPath.empty() || (pBase->HasOption('N') && !pBase->m_strUrl.empty());
      const std::string address =
          bDirect ? pBase->m_strUrl : RelativePath(page.m_strLocalPath, pBase->m_strLocalPath);
      lines += "<div class=\"basedon\">" + MakeLink(address, entry) + "</div>";
    }
    if (!lines.empty())
      lines += "\r\n";
    if (lines.empty() || !bAppend)
      element.m_strContent = lines;
    else
      element.m_strContent += lines;
    out.append(text, copied, start - copied);
    out += element.Rebuild();
    copied = position = end;
  }
  if (copied > 0) {
    out.append(text, copied);
    text = std::move(out);
  }
}

void FinishPage(CPage& page) {
  if (page.m_strContent.empty())
    page.LoadLocal();
  if (page.m_strContent.empty())
    return;
  const std::string stamp = FormatMessage(EMessage::kStamp, Message(EMessage::kProductAddress));

  if (Contains(page.m_strContent, "<!--STAMP")) {
    if (FillStampElements(page.m_strContent, stamp, page.Context().report) ||
        ReplaceBetween(page.m_strContent, "<!--STAMP-->", "<!--/STAMP-->", stamp) > 0) {
      page.StoreLocal();
      return;
    }
  }

  // No stamp place in the page: a footer line, added once however often the page is finished.
  const bool bLeft = StartsWith(page.m_strType, "F") || page.m_strType == "PP";
  const std::string footer =
      (bLeft ? "<div class=\"leftfooter\">" : "<div class=\"mainfooter\">") + stamp + "</div>";
  if (!Contains(page.m_strContent, footer) &&
      ReplaceAll(page.m_strContent, "<!--/AMESSAGE--><br>", "<!--/AMESSAGE-->\r\n" + footer) == 0 &&
      ReplaceAll(page.m_strContent, "</body>", footer + "\r\n</body>") == 0 &&
      ReplaceAll(page.m_strContent, "</BODY>", footer + "\r\n</BODY>") == 0 &&
      ReplaceAll(page.m_strContent, "</html>", footer + "\r\n</html>") == 0) {
    ReplaceAll(page.m_strContent, "</HTML>", footer + "\r\n</HTML>");
  }
  page.StoreLocal();
}

void MakeMissingPage(CPage& page, bool bStore) {
  page.m_strContent = LoadResourceText(kMissingPageResource);
  ReplaceAll(page.m_strContent, "<!--_PAGENAME-->", page.m_strName);
  ReplaceAll(page.m_strContent, "<!--_LOCALFILENAME-->", page.m_strLocalPath);
  std::string remote = "none";
  if (!page.m_strUrl.empty())
    remote = page.m_strUrl;
  else if (!page.m_strOutsidePath.empty())
    remote = page.m_strOutsidePath;
  ReplaceAll(page.m_strContent, "<!--_REMOTEFILENAME-->", remote);
  // The stylesheet link is pointed from the page's folder, as on every built page.
  CorrectGfxReferences(page, *page.m_pSite);
  DeclareUtf8Charset(page.m_strContent);
  if (bStore)
    page.StoreLocal();
}

}  // namespace velmora
