#include "platform/report.h"

#include "platform/dialogs.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {
thread_local CReportBuffer* tlpBuffer = nullptr;
}

void CReport::RedirectThread(CReportBuffer* pBuffer) {
  tlpBuffer = pBuffer;
}

CReportBuffer* CReport::ThreadRedirect() {
  return tlpBuffer;
}

void CReport::Replay(CReportBuffer& buffer) {
  for (const CReportBuffer::CLine& line : buffer.m_lines) {
    if (line.m_bHeading)
      AddHeading(line.m_strText);
    else
      AddLine(line.m_strText, line.m_level);
  }
  buffer.m_lines.clear();
}

void CReport::Clear() {
  m_strText.clear();
  Refresh();
}

void CReport::AddHeading(const std::string& text) {
  if (tlpBuffer) {
    tlpBuffer->m_lines.push_back({text, EAlert::kInfo, true});
    return;
  }
  m_strText += "\r\n" + text + "\r\n";
  if (m_nHighestLevel < 0)
    m_nHighestLevel = 0;
  if (!m_bBatch)
    Refresh();
}

void CReport::AddLine(const std::string& text, EAlert level) {
  const int nLevel = static_cast<int>(level);
  if (tlpBuffer) {
    tlpBuffer->m_lines.push_back({text, level, false});
    return;
  }
  m_strText += text + "\r\n";
  if (nLevel > m_nHighestLevel)
    m_nHighestLevel = nLevel;
  if (level >= EAlert::kError)
    m_errors.push_back(text);
  if (level > EAlert::kInfo) {
    m_alerts.push_back(text);
    ++m_nAlertsReported;
  }
  if (level >= EAlert::kError)
    ++m_nErrorsReported;
  if (!m_bBatch)
    Refresh();
}

void CReport::AddMessage(EMessage id, EAlert level) {
  AddLine(Message(id), level);
}

void CReport::AddFormatted(EMessage id, const std::string& arg, EAlert level) {
  AddLine(FormatText(Message(id), arg), level);
}

std::string AlertBoxText(const std::vector<std::string>& alerts) {
  std::string list;
  for (size_t i = 0; i < alerts.size() && i < 6; ++i) list += alerts[i] + "\n";
  if (alerts.size() > 5)
    list += "...";
  return FormatText(
      "Reported:\r\n%1\r\nSee Report Window\r\n\r\nDo you want to see this alert again ?", list);
}

void CReport::SetBatch(bool bOn) {
  if (bOn) {
    m_bBatch = true;
    m_alerts.clear();
    return;
  }
  m_bBatch = false;
  if (m_pWindow)
    m_pWindow->Refresh(m_strText + "\r\n");
  if (m_bAlertSwitch && !m_alerts.empty() && m_pDialogs && !m_pDialogs->ShowAlerts(m_alerts))
    m_bAlertSwitch = false;
}

void CReport::Refresh() {
  if (m_pWindow)
    m_pWindow->Refresh(m_strText);
}

}  // namespace velmora
