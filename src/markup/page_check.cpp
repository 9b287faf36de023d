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

bool HasAnchor(const std::string& text, const std::string& anchor) {
  return Contains(text, "<a name=\"" + anchor + "\"");
}

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
bool CheckPageName(CWebSite& site, const std::string& value) {
  const size_t hash = value.find('#');
  CPage* pTarget = site.FindPageByName(value.substr(0, hash));
  if (!pTarget)
    return false;
  if (hash == std::string::npos)
    return true;
  return HasAnchor(pTarget->GetContent(), value.substr(hash + 1));
}

// A link to a file relative to the page, optionally with an anchor in it.
bool CheckFileReference(CPage& page, const std::string& value) {
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
  if (pTarget && HasAnchor(pTarget->GetContent(), anchor))
    return true;
  std::string text;
  return ReadTextFile(file, text) && HasAnchor(text, anchor);
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
  for (const std::string& link : links) {
    const std::string value = Trim(link);
    std::string problem;
    if (value.size() < 2) {
      problems.push_back(value);
    } else if (Contains(value, "mailto:") || Contains(value, "MAILTO:")) {
      // Mail addresses cannot be checked; they are set aside.
    } else if (HasHostPart(value)) {
      if (!CheckWebAddress(value, problem))
        problems.push_back(problem);
    } else if (StartsWith(value, "#")) {
      if (!HasAnchor(text, value.substr(1)))
        problems.push_back(value);
    } else if (IsPlainPageName(value)) {
      if (!CheckPageName(*m_pSite, value))
        problems.push_back(value);
    } else if (!CheckFileReference(*this, value)) {
      problems.push_back("Not found: " + value);
    }
  }

  std::vector<std::string> images;
  CollectQuotedValues(text, "img src", 9, images);
  for (const std::string& image : images) {
    std::string problem;
    if (HasHostPart(image)) {
      if (!CheckWebAddress(image, problem))
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
