#include "model/replace_rule.h"

#include <vector>

#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/content_loader.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

// The line is the whole script line, e.g. "RDOUBLE=left,right,sin". Fields are cut at every
// comma and not trimmed, so blanks at their ends are part of the texts.
CReplaceRule::CReplaceRule(CWebSite* pSite, const std::string& line) : m_pSite(pSite) {
  if (pSite)
    m_strCatalog = pSite->m_strCatalog;
  if (line.size() <= 8)
    return;
  m_strKind = line.substr(0, 7);
  std::vector<std::string> fields = Split(std::string_view(line).substr(8), ",");
  if (m_strKind == "RSIMPLE" && fields.size() == 2) {
    m_strOut = fields[0];
    m_strIn = fields[1];
    m_bValid = !m_strOut.empty();
  } else if (m_strKind == "RDOUBLE" && fields.size() == 3) {
    m_strLeft = fields[0];
    m_strRight = fields[1];
    m_strIn = fields[2];
    m_bValid = !m_strLeft.empty() && !m_strRight.empty();
  } else if (m_strKind == "R1QUOTE" && fields.size() == 2) {
    m_strKey = fields[0];
    m_strIn = fields[1];
    m_bValid = !m_strKey.empty();
  } else if (m_strKind == "R2QUOTE" && fields.size() == 3) {
    m_strKey = fields[0];
    m_strKey2 = fields[1];
    m_strIn = fields[2];
    m_bValid = !m_strKey.empty() && !m_strKey2.empty();
  }
}

void CReplaceRule::Apply(std::string& text) {
  if (!m_bValid)
    return;
  // "#location" names the replacement text; it is read once and then kept.
  if (!m_bLoaded && m_strIn.size() > 1 && m_strIn[0] == '#') {
    CNode source(m_pSite);
    if (!source.SetLocation(m_strIn.substr(1)) || !LoadContent(source)) {
      m_pSite->m_context.report.AddLine("Cannot make: " + m_strIn, EAlert::kInfo);
      return;
    }
    if (!source.m_strUrl.empty() || !source.m_strOutsidePath.empty())
      source.StoreLocal();
    m_strIn = source.m_strContent;
    m_bLoaded = true;
  }

  if (m_strKind == "RSIMPLE") {
    if (m_strOut != m_strIn)
      ReplaceAll(text, m_strOut, m_strIn);
  } else if (m_strKind == "RDOUBLE") {
    ReplaceBetween(text, m_strLeft, m_strRight, m_strIn);
  } else if (m_strKind == "R1QUOTE") {
    ReplaceQuotedAfter(text, m_strKey, m_strIn);
  } else if (m_strKind == "R2QUOTE") {
    ReplaceQuotedAfterKeys(text, m_strKey, m_strKey2, m_strIn, true, true);
  }
}

}  // namespace velmora
