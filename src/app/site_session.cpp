#include "app/site_session.h"

#include "model/build_context.h"
#include "model/script_lines.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"

namespace velmora {

// The file is read line by line, so a script saved with bare LF line ends reads the same as
// one with CR LF; the lines are joined with CR LF, as the script window holds them.
EScriptRead CSiteSession::LoadScript(const std::string& scriptPath) {
  m_strScriptPath = scriptPath;
  return ReadScriptFile(m_context.files, scriptPath, m_strScriptText, m_eScriptEncoding);
}

bool CSiteSession::LoadAndInterpret() {
  if (m_pReportWindow)
    m_context.report.SetWindow(m_pReportWindow);
  // The list goes first: its entries point at the pages of the site being deleted.
  m_publishedList.Clear();
  m_pWebSite.reset();
  m_context.report.Clear();
  // Every command starts here: servers that did not answer in the last one are asked again.
  m_context.fetcher.BeginRun();

  std::vector<std::string> lines = PrepareScriptLines(m_strScriptText);
  if (!HasEnoughScriptLines(lines)) {
    m_context.report.AddLine(kTooFewLinesText, EAlert::kFatal);
    m_context.Dialogs().MessageBox(kTooFewLinesText);
    return false;
  }
  if (!HasVersionLine(lines)) {
    OfferConversion();
    return false;
  }

  size_t lineCount = lines.size();
  auto pSite = std::make_unique<CWebSite>(m_context, std::move(lines));
  pSite->m_pPublishedList = &m_publishedList;
  pSite->m_strScriptPath = m_strScriptPath;
  m_context.Progress().WaitCursor(true);
  if (m_context.settings.Internet)
    m_context.Progress().Show(static_cast<int>(lineCount));
  bool ok = pSite->Interpret();
  m_context.Progress().Hide();
  m_context.Progress().WaitCursor(false);
  if (!ok) {
    m_publishedList.Clear();
    return false;
  }
  m_pWebSite = std::move(pSite);
  return true;
}

}  // namespace velmora
