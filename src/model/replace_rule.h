// A replace line of the script (RSIMPLE, RDOUBLE, R1QUOTE, R2QUOTE) applied to every built page.
#pragma once

#include <string>

namespace velmora {

class CWebSite;

class CReplaceRule {
 public:
  CReplaceRule(CWebSite* pSite, const std::string& line);
  void Apply(std::string& text);

  bool m_bValid = false;
  std::string m_strCatalog;
  std::string m_strOut;
  std::string m_strIn;
  std::string m_strLeft;
  std::string m_strRight;
  std::string m_strKey;
  std::string m_strKey2;
  std::string m_strKind;
  bool m_bLoaded = false;
  CWebSite* m_pSite = nullptr;
};

}  // namespace velmora
