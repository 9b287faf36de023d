#include "cli/cli_report_window.h"

#include <algorithm>

#include "cli/terminal_progress.h"
#include "platform/drive_map.h"
#include "platform/strings.h"

namespace velmora {

void CCliReportWindow::Refresh(const std::string& text) {
  if (m_bQuiet)
    PrintNewAlerts();
  else
    PrintNewLines(text);
}

void CCliReportWindow::PrintNewLines(const std::string& text) {
  // The text only grows until the report is cleared; it shrinks after a clear, and by one
  // empty line after the end of a batch, which shows the text followed by an extra CR LF.
  if (text.size() < m_nPrinted) {
    m_nPrinted = text.size();
    return;
  }
  size_t from = m_nPrinted;
  if (from >= 2 && text.compare(from - 2, 2, "\r\n") != 0)
    from -= 2;
  size_t end = text.rfind("\r\n");
  if (end == std::string::npos || end + 2 <= from)
    return;
  Print(CrLfToLf(std::string_view(text).substr(from, end + 2 - from)));
  m_nPrinted = end + 2;
}

void CCliReportWindow::PrintNewAlerts() {
  const auto& alerts = m_report.Alerts();
  long long fresh = m_report.AlertsReported() - m_nAlertsPrinted;
  m_nAlertsPrinted = m_report.AlertsReported();
  size_t count = std::min(static_cast<size_t>(std::max(fresh, 0LL)), alerts.size());
  std::string lines;
  for (size_t i = alerts.size() - count; i < alerts.size(); ++i)
    lines += CrLfToLf(alerts[i]) + "\n";
  if (!lines.empty())
    Print(lines);
}

void CCliReportWindow::Print(const std::string& text) {
  if (m_pProgress)
    m_pProgress->Erase();
  const std::string shown = m_pHostPaths ? m_pHostPaths->WithHostPaths(text) : text;
  std::fwrite(shown.data(), 1, shown.size(), m_pOut);
  std::fflush(m_pOut);
  if (m_pProgress)
    m_pProgress->Redraw();
}

}  // namespace velmora
