#include <cctype>
#include <functional>
#include <unordered_map>

#include "build/page_check.h"

#include "assembly/blocks.h"
#include "markup/html_tags.h"
#include "markup/page_references.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// The anchors of texts already read during one page's check, by the text's file.
class CAnchorCache {
 public:
  const CAnchors& Of(const std::string& key, const std::function<CAnchors()>& read) {
    auto it = m_anchors.find(key);
    if (it == m_anchors.end())
      it = m_anchors.emplace(key, read()).first;
    return it->second;
  }

 private:
  std::unordered_map<std::string, CAnchors> m_anchors;
};

// A web address: probed when working on-line. True when it leads somewhere; otherwise
// problem holds the line to list.
bool CheckWebAddress(CBuildContext& ctx, const std::string& address, std::string& problem) {
  if (!ctx.settings.Internet) {
    problem = "Not checked: " + address;
    return false;
  }
  const int nStatus = ctx.fetcher.Probe(address);
  switch (nStatus) {
    case 200:
      return true;
    case 99:
      // Only an address that cannot be interpreted is worded so; a server may not answer.
      switch (ctx.fetcher.GetProbeFailure()) {
        case CHttpFetcher::EProbeFailure::kNoAnswer:
          problem = address + "  -  No answer";
          break;
        case CHttpFetcher::EProbeFailure::kClient:
          problem = address + "  -  " + ctx.fetcher.GetProbeError();
          break;
        default:
          problem = address + TrimRight(Message(EMessage::kNotAnAddress));
          break;
      }
      break;
    case 301:
    case 302:
    case 303:
      problem = address + "  -  Redirected to: " + ctx.fetcher.GetRedirectedLocation();
      break;
    case 401:
      problem = address + "  -  Password required";
      break;
    default:
      problem = address + "  -  " + std::to_string(nStatus);
      break;
  }
  return false;
}

bool IsHtmlFile(const std::string& path) {
  const std::string name = ToLower(path.substr(path.rfind('\\') + 1));
  return EndsWith(name, ".html") || EndsWith(name, ".htm") || EndsWith(name, ".xhtml") ||
         EndsWith(name, ".shtml");
}

// A scheme other than a web address's ("mailto:", "javascript:", "data:", "tel:"): nothing a
// check can follow. A single letter before the colon is a drive, not a scheme.
bool HasOtherScheme(const std::string& value) {
  const size_t colon = value.find(':');
  if (colon == std::string::npos || colon < 2 || value.find_first_of("/?#") < colon)
    return false;
  for (size_t i = 0; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (!(std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'))))
      return false;
  }
  const std::string scheme = ToLower(value.substr(0, colon));
  return scheme != "http" && scheme != "https" && scheme != "file";
}

// The anchors of a page of the site: from its text when that is in memory, else from its file.
// Never through the content loader, whose fetches and report lines do not belong in a check.
CAnchors PageAnchors(const CNode& page) {
  if (!page.m_strContent.empty())
    return ReadAnchors(page.m_strContent);
  std::string text;
  return page.Context().files.ReadTextFile(page.m_strLocalPath, text) ? ReadAnchors(text)
                                                                      : CAnchors();
}

// A link by page name, optionally with an anchor on that page. It leads where reference
// correction points it: a heading page, which has no file, stands for the first page with a
// file from it on.
bool CheckPageName(const CWebSite& site, const std::string& value, CAnchorCache& cache) {
  const size_t hash = value.find('#');
  const CNode* pTarget = site.FirstWithLocalPath(site.FirstPageNamed(value.substr(0, hash)));
  if (!pTarget)
    return false;
  // An N page is someone else's: it is linked at its web address and its anchors are not ours.
  if (hash == std::string::npos || pTarget->HasOption('N'))
    return true;
  const CAnchors& anchors =
      cache.Of(pTarget->m_strLocalPath, [&] { return PageAnchors(*pTarget); });
  return HasAnchor(anchors, value.substr(hash + 1));
}

// A reference to a file, relative to the page or to the catalog; a link's anchor is looked
// for in the file when that is an HTML page.
bool CheckFileReference(CPage& page, const std::string& value, bool bLink,
                        const CAnchors& ownAnchors, CAnchorCache& cache) {
  const CReferenceTarget target =
      ResolveFileReference(page.m_strLocalPath, page.m_strCatalog, value);
  const std::string& file = target.m_strFile;
  // The page itself is there: its text is being checked.
  const bool bSelf = file == page.m_strLocalPath;
  if (file.empty() || (!bSelf && !page.Context().files.FileExists(file)))
    return false;
  if (!bLink || target.m_strFragment.empty() || !IsHtmlFile(file))
    return true;
  if (bSelf)
    return HasAnchor(ownAnchors, target.m_strFragment);
  const CAnchors& anchors = cache.Of(file, [&] {
    const CPage* pTarget = page.m_pSite ? page.m_pSite->PageWithLocalPath(file) : nullptr;
    if (pTarget && !pTarget->m_strContent.empty())
      return ReadAnchors(pTarget->m_strContent);
    std::string text;
    return page.Context().files.ReadTextFile(file, text) ? ReadAnchors(text) : CAnchors();
  });
  return HasAnchor(anchors, target.m_strFragment);
}

// A line of a page's check: a problem, or a web address left unchecked off-line, which is
// listed but is no error.
struct CCheckLine {
  std::string m_strText;
  bool m_bUnchecked = false;
};

}  // namespace

void CheckPage(CPage& page) {
  CBuildContext& ctx = page.Context();
  // An N page is only linked to: it is not part of the built site, and loading it would
  // fetch (or miss) someone else's page.
  if (page.m_strLocalPath.empty() || page.HasOption('N'))
    return;
  const std::string text = PageContent(page);
  if (text.empty())
    return;

  const CPageReferences found = ReadPageReferences(text);
  // Links first, then images, each in the order of the page.
  std::vector<const CPageReference*> references;
  for (const CPageReference& reference : found.m_references)
    if (reference.m_eKind != EReferenceKind::kImage)
      references.push_back(&reference);
  for (const CPageReference& reference : found.m_references)
    if (reference.m_eKind == EReferenceKind::kImage)
      references.push_back(&reference);

  std::vector<CCheckLine> lines;
  CAnchorCache anchorCache;
  // Each web address is asked once: a page repeating a link to a server that does not answer
  // would otherwise wait out the time limit for every copy.
  std::unordered_map<std::string, std::pair<bool, std::string>> probed;
  auto checkWebAddress = [&](const std::string& address, std::string& problem) {
    auto it = probed.find(address);
    if (it == probed.end()) {
      const bool bOk = CheckWebAddress(ctx, address, problem);
      it = probed.emplace(address, std::make_pair(bOk, problem)).first;
    }
    problem = it->second.second;
    return it->second.first;
  };
  for (const CPageReference* pReference : references) {
    const std::string& shown = pReference->m_strValue;
    const std::string value = DecodeCharacterReferences(shown);
    const bool bImage = pReference->m_eKind == EReferenceKind::kImage;
    const bool bNavigation = pReference->m_eKind == EReferenceKind::kNavigation;
    std::string problem;
    if (value.size() < 2 && value != "/") {
      lines.push_back({shown});
    } else if (Contains(value, "mailto:") || Contains(value, "MAILTO:") || HasOtherScheme(value)) {
      // Mail addresses, scripts and inline data cannot be checked; they are set aside.
    } else if (HasHostPart(value) || StartsWith(value, "//")) {
      const std::string address = StartsWith(value, "//") ? "http:" + value : value;
      if (!checkWebAddress(address, problem))
        lines.push_back({problem, !ctx.settings.Internet});
    } else if (bNavigation && StartsWith(value, "#")) {
      if (!HasAnchor(found.m_anchors, value.substr(1)))
        lines.push_back({shown});
    } else if (bNavigation && IsPlainPageName(value) && value[0] != '?') {
      if (!page.m_pSite || !CheckPageName(*page.m_pSite, value, anchorCache))
        lines.push_back({shown});
    } else if (!CheckFileReference(page, value, bNavigation, found.m_anchors, anchorCache)) {
      lines.push_back({bImage ? shown : "Not found: " + shown});
    }
  }

  ctx.report.AddLine("", EAlert::kInfo);
  ctx.report.AddLine(page.m_strName + " - " + page.m_strLocalPath, EAlert::kInfo);
  if (page.m_pSite)
    ++page.m_pSite->m_nCheckedPages;
  if (lines.empty()) {
    ctx.report.AddLine("OK", EAlert::kInfo);
    return;
  }
  for (const CCheckLine& line : lines) {
    ctx.report.AddLine(line.m_strText.empty() ? "empty" : line.m_strText,
                       line.m_bUnchecked ? EAlert::kWarning : EAlert::kError);
    if (line.m_bUnchecked && page.m_pSite)
      ++page.m_pSite->m_nUncheckedLinks;
  }
}

}  // namespace velmora
