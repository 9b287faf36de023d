// Value tags: site and page values put into the page text. Paired tags keep their start and end
// tags so a written page can be built again; the order matters because a value inserted by one
// tag is searched by every later one.
#include <vector>

#include "assembly/page_steps.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/clock.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

constexpr int kToTopMessage = 17004;

CBetween Paired(const std::string& name, const std::string& value) {
  const std::string startTag = "<!--" + name + "-->";
  return CBetween{startTag, MakeEndTag(startTag), value};
}

}  // namespace

void ExpandValueTags(CPage& page, std::string& text) {
  if (!page.m_pSite)
    return;
  CWebSite& site = *page.m_pSite;

  if (!site.m_strSiteOrg.empty())
    ReplaceQuotedAfterKeys(text, "<!--SITEORG/-->", "href=", site.m_strSiteOrg, true, false);
  // The paired tags between the other replacements are each filled in one pass.
  std::vector<CBetween> paired;
  if (!site.m_strSiteAuthor.empty())
    paired.push_back(Paired("SITEAUTHOR", site.m_strSiteAuthor));

  // An empty page author or message takes the site's and keeps it for the rest of the command.
  if (page.m_strAuthor.empty())
    page.m_strAuthor = site.m_strSiteAuthor;
  if (!page.m_strAuthor.empty())
    paired.push_back(Paired("PAGEAUTHOR", page.m_strAuthor));
  if (page.m_strMessage.empty())
    page.m_strMessage = site.m_strMessage;
  if (!page.m_strMessage.empty())
    paired.push_back(Paired("AMESSAGE", page.m_strMessage));
  ReplaceBetweenEach(text, paired);

  // Only the first keywords meta element is changed.
  if (!site.m_strKeywords.empty())
    ReplaceQuotedAfterKeys(text, "keywords", "content=", site.m_strKeywords, false, false);

  paired.clear();
  if (!site.m_strSiteName.empty())
    paired.push_back(Paired("SITENAME", site.m_strSiteName));
  paired.push_back(Paired("PAGENAME", page.m_strName));
  ReplaceBetweenEach(text, paired);
  ReplaceBetween(text, "<TITLE>", "</TITLE>", page.m_strName);
  ReplaceBetween(text, "<title>", "</title>", page.m_strName);
  ReplaceBetweenEach(text, {Paired("PAGENO", page.m_strNumber),
                            Paired("PAGECOUNT", std::to_string(site.m_pages.size())),
                            Paired("DATE", FormatDate(CurrentTime()))});
  ReplaceAll(text, "<!--TOTOP/-->", "\r\n" + Message(kToTopMessage) + "\r\n");
}

}  // namespace velmora
