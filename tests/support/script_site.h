// A site interpreted from a few script lines on a temporary drive C:, with default settings, a
// fixed build date and scripted dialogs, for tests that build pages.
#pragma once

#include <memory>
#include <string>

#include "model/web_site.h"
#include "platform/dialogs.h"
#include "support/temp_drive.h"

namespace velmora {

class CScriptSite {
 public:
  CScriptSite();
  ~CScriptSite();
  CScriptSite(const CScriptSite&) = delete;
  CScriptSite& operator=(const CScriptSite&) = delete;

  // Interprets the general keys (catalog C:\site\, site name "Test Site") followed by the
  // given lines, separated by CR LF. False when interpretation failed.
  bool Interpret(const std::string& lines);
  CPage* Page(const std::string& name) const;
  // Files of the site catalog, written and read back with host operations.
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // The report lines added since the last Interpret.
  const std::string& Report() const;

  CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  std::unique_ptr<CWebSite> m_pSite;
};

}  // namespace velmora
