// What the desktop view holds between commands: the script file and its text, the current
// site and the published-pages list. Shared by the command line and the desktop program.
#pragma once

#include <memory>
#include <string>

#include "model/published_list.h"
#include "model/script_file.h"
#include "model/web_site.h"

namespace velmora {

class CReportWindow;
class CBuildContext;

class CSiteSession {
 public:
  // The session's sites work with the context for as long as the session lives.
  explicit CSiteSession(CBuildContext& context) : m_context(context) {}

  // Reads the script file (internal path) into m_strScriptText, decoded as ReadScriptFile
  // does; m_eScriptEncoding is how the file is written back.
  EScriptRead LoadScript(const std::string& scriptPath);
  // Load and interpret: the current site is replaced by one interpreted from m_strScriptText;
  // on failure there is none.
  bool LoadAndInterpret();
  // A script without a VERSION=2.0 line is offered for conversion instead of being
  // interpreted, when it reads as one of the older format; anything else is refused. Load and
  // interpret fails after it either way.
  void OfferConversion();

  CBuildContext& m_context;
  std::string m_strScriptPath;
  std::string m_strScriptText;  // UTF-8 for a script saved as UTF-16 or UTF-32
  ETextEncoding m_eScriptEncoding = ETextEncoding::kPlain;
  std::unique_ptr<CWebSite> m_pWebSite;
  CPublishedList m_publishedList;
  // Where the report is shown; bound to the report at every load. None: left as it is.
  CReportWindow* m_pReportWindow = nullptr;
};

}  // namespace velmora
