#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "markup/paths.h"
#include "markup/text_operations.h"
#include "model/web_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// The names of a text's anchors, each the text between an opening <a name=" and the next quote.
// Read once per text: searching the whole text for every link made a page of many anchor links
// take quadratic time.
using CAnchors = std::unordered_set<std::string>;
CAnchors AnchorNames(const std::string& text) {
  static const std::string kOpen = "<a name=\"";
  CAnchors names;
  for (size_t at = text.find(kOpen); at != std::string::npos; at = text.find(kOpen, at + 1)) {
    const size_t from = at + kOpen.size();
    const size_t close = text.find('"', from);
    if (close == std::string::npos)
      break;
    names.insert(text.substr(from, close - from));
  }
  return names;
}

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
bool CheckWebAddress(const std::string& address, std::string& problem) {
  if (!theSettings.Internet) {
    problem = "Not checked: " + address;
    return false;
  }
  const int nStatus = theFetcher.Probe(address);
  switch (nStatus) {
    case 200:
      return true;
    case 99:
      problem = address + TrimRight(Message(19001));
      break;
    case 301:
    case 302:
    case 303:
      problem = address + "  -  Redirected to: " + theFetcher.GetRedirectedLocation();
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

// A link by page name, optionally with an anchor on that page.
bool CheckPageName(CWebSite& site, const std::string& value, CAnchorCache& cache) {
  const size_t hash = value.find('#');
  CPage* pTarget = site.FindPageByName(value.substr(0, hash));
  if (!pTarget)
    return false;
  if (hash == std::string::npos)
    return true;
  const CAnchors& anchors = cache.Of("page:" + pTarget->m_strLocalPath,
                                     [&] { return AnchorNames(pTarget->GetContent()); });
  return anchors.contains(value.substr(hash + 1));
}

// A link to a file relative to the page, optionally with an anchor in it.
bool CheckFileReference(CPage& page, const std::string& value, CAnchorCache& cache) {
  std::string file = ResolveRelative(page.m_strLocalPath, value);
  if (file.empty())
    return false;
  std::string anchor;
  const size_t hash = file.find('#');
  if (hash != std::string::npos) {
    anchor = file.substr(hash + 1);
    file.erase(hash);
  }
  if (!FileExists(file))
    return false;
  if (anchor.empty())
    return true;
  CPage* pTarget = page.m_pSite->FindPage(file);
  if (pTarget &&
      cache
          .Of("page:" + pTarget->m_strLocalPath, [&] { return AnchorNames(pTarget->GetContent()); })
          .contains(anchor))
    return true;
  return cache
      .Of("file:" + file,
          [&] {
            std::string text;
            return ReadTextFile(file, text) ? AnchorNames(text) : CAnchors();
          })
      .contains(anchor);
}

}  // namespace

void CPage::CheckPage() {
  // An N page is only linked to: it is not part of the built site, and loading it would
  // fetch (or miss) someone else's page.
  if (m_strLocalPath.empty() || HasOption('N'))
    return;
  std::string text = GetContent();
  if (text.empty())
    return;
  ReplaceAll(text, "A HREF", "a href");
  ReplaceAll(text, "A NAME", "a name");
  ReplaceAll(text, "IMG SRC", "img src");
  SetContent(text);

  std::vector<std::string> links;
  CollectQuotedValues(text, "a href", 8, links);
  std::vector<std::string> problems;
  CAnchorCache anchorCache;
  // Each web address is asked once: a page repeating a link to a server that does not answer
  // would otherwise wait out the time limit for every copy.
  std::unordered_map<std::string, std::pair<bool, std::string>> probed;
  auto checkWebAddress = [&](const std::string& address, std::string& problem) {
    auto it = probed.find(address);
    if (it == probed.end()) {
      const bool bOk = CheckWebAddress(address, problem);
      it = probed.emplace(address, std::make_pair(bOk, problem)).first;
    }
    problem = it->second.second;
    return it->second.first;
  };
  const CAnchors ownAnchors = AnchorNames(text);
  for (const std::string& link : links) {
    const std::string value = Trim(link);
    std::string problem;
    if (value.size() < 2) {
      problems.push_back(value);
    } else if (Contains(value, "mailto:") || Contains(value, "MAILTO:")) {
      // Mail addresses cannot be checked; they are set aside.
    } else if (HasHostPart(value)) {
      if (!checkWebAddress(value, problem))
        problems.push_back(problem);
    } else if (StartsWith(value, "#")) {
      if (!ownAnchors.contains(value.substr(1)))
        problems.push_back(value);
    } else if (IsPlainPageName(value)) {
      if (!CheckPageName(*m_pSite, value, anchorCache))
        problems.push_back(value);
    } else if (!CheckFileReference(*this, value, anchorCache)) {
      problems.push_back("Not found: " + value);
    }
  }

  std::vector<std::string> images;
  CollectQuotedValues(text, "img src", 9, images);
  for (const std::string& image : images) {
    std::string problem;
    if (HasHostPart(image)) {
      if (!checkWebAddress(image, problem))
        problems.push_back(problem);
      continue;
    }
    const std::string file = ResolveRelative(m_strLocalPath, image);
    if (file.empty() || !FileExists(file))
      problems.push_back(image);
  }

  theReport.AddLine("", 0);
  theReport.AddLine(m_strName + " - " + m_strLocalPath, 0);
  if (problems.empty()) {
    theReport.AddLine("OK", 0);
    return;
  }
  for (const std::string& problem : problems)
    theReport.AddLine(problem.empty() ? "empty" : problem, 3);
  if (m_pSite)
    m_pSite->m_nCheckProblems += static_cast<int>(problems.size());
}

}  // namespace velmora
