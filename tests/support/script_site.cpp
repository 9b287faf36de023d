#include "support/script_site.h"

#include <stdlib.h>

#include <filesystem>

#include "platform/build_settings.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/test_context.h"

namespace velmora {

CScriptSite::CScriptSite() {
  TestContext().SetDialogs(&m_dialogs);
  TestContext().settings = CBuildSettings();
  setenv("SOURCE_DATE_EPOCH", "1015300800", 1);  // 5 March 2002, midday UTC
}

CScriptSite::~CScriptSite() {
  m_pSite.reset();
  TestContext().SetDialogs(nullptr);
  TestContext().settings = CBuildSettings();
  unsetenv("SOURCE_DATE_EPOCH");
}

bool CScriptSite::Interpret(const std::string& lines) {
  std::vector<std::string> script = {"VERSION=2.0", "CATALOG=C:\\site\\", "SITENAME=Test Site"};
  for (const std::string& line : Split(lines, "\r\n", true)) script.push_back(Trim(line));
  std::filesystem::create_directories(m_drive.HostFolder() + "/site");
  m_pSite = std::make_unique<CWebSite>(TestContext(), script);
  TestContext().report.Clear();
  if (m_pSite->Interpret())
    return true;
  m_pSite.reset();
  return false;
}

CPage* CScriptSite::Page(const std::string& name) const {
  return m_pSite ? m_pSite->FindPageByName(name) : nullptr;
}

void CScriptSite::Write(const std::string& relative, const std::string& bytes) const {
  m_drive.Write("site\\" + relative, bytes);
}

std::string CScriptSite::Read(const std::string& relative) const {
  return m_drive.Read("site\\" + relative);
}

bool CScriptSite::Exists(const std::string& relative) const {
  return m_drive.Exists("site\\" + relative);
}

const std::string& CScriptSite::Report() const {
  return TestContext().report.Text();
}

}  // namespace velmora
