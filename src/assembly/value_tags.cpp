// Value tags: site and page values put into the page text. Paired tags keep their start and end
// tags so a written page can be built again; the order matters because a value inserted by one
// tag is searched by every later one.
#include "assembly/page_steps.h"
#include "markup/attribute_text.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/clock.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

// The to-top link on pages that begin with the HTML5 doctype: the same without the image
// border attribute that HTML5 no longer has.
constexpr const char* kHtml5ToTop =
    "<p><a href=\"#TopOfPage\"><img src=\"gfx/up.gif\" alt=\"TopOfPage\" width=\"17\" "
    "height=\"9\"></a></p>";

void ReplacePaired(std::string& text, const std::string& name, const std::string& value) {
  const std::string startTag = "<!--" + name + "-->";
  ReplaceBetween(text, startTag, MakeEndTag(startTag), value);
}

}  // namespace

void ExpandValueTags(CPage& page, const CWebSite& site, std::string& text) {
  if (!site.m_strSiteOrg.empty())
    ReplaceQuotedAfterKeys(text, "<!--SITEORG/-->", "href=", EscapeAttribute(site.m_strSiteOrg),
                           true, false);
  if (!site.m_strSiteAuthor.empty())
    ReplacePaired(text, "SITEAUTHOR", site.m_strSiteAuthor);

  // An empty page author or message takes the site's and keeps it for the rest of the command.
  if (page.m_strAuthor.empty())
    page.m_strAuthor = site.m_strSiteAuthor;
  if (!page.m_strAuthor.empty())
    ReplacePaired(text, "PAGEAUTHOR", page.m_strAuthor);
  if (page.m_strMessage.empty())
    page.m_strMessage = site.m_strMessage;
  if (!page.m_strMessage.empty())
    ReplacePaired(text, "AMESSAGE", page.m_strMessage);

  // Only the first keywords meta element is changed.
  if (!site.m_strKeywords.empty())
    ReplaceQuotedAfterKeys(text, "keywords", "content=", EscapeAttribute(site.m_strKeywords), false,
                           false);

  if (!site.m_strSiteName.empty())
    ReplacePaired(text, "SITENAME", site.m_strSiteName);
  ReplacePaired(text, "PAGENAME", page.m_strName);
  ReplaceBetween(text, "<TITLE>", "</TITLE>", page.m_strName);
  ReplaceBetween(text, "<title>", "</title>", page.m_strName);
  ReplacePaired(text, "PAGENO", page.m_strNumber);
  ReplacePaired(text, "PAGECOUNT", std::to_string(site.Pages().size()));
  ReplacePaired(text, "DATE", FormatDate(CurrentTime()));
  if (text.find("<!--TOTOP/-->") != std::string::npos) {
    const std::string toTop =
        BeginsWithHtml5Doctype(text) ? kHtml5ToTop : Message(EMessage::kToTop);
    ReplaceAll(text, "<!--TOTOP/-->", "\r\n" + toTop + "\r\n");
  }
}

}  // namespace velmora
