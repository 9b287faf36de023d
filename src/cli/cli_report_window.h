// Shows the report on standard output as it grows, one LF line per report line. In quiet
// mode only the alert lines (level above 0) are printed.
#pragma once

#include <cstdio>
#include <string>

#include "platform/report.h"

namespace velmora {

class CDriveMap;

class CTerminalProgress;

class CCliReportWindow : public CReportWindow {
 public:
  CCliReportWindow(std::FILE* pOut, const CReport& report, bool bQuiet,
                   CTerminalProgress* pProgress = nullptr)
      : m_pOut(pOut), m_report(report), m_bQuiet(bQuiet), m_pProgress(pProgress) {}
  void Refresh(const std::string& text) override;
  // Paths are printed in the host's form ("/home/me/site/a.html" for "C:\site\a.html").
  // Paths are shown in the host's form through the drive map, when one is given.
  void SetHostPaths(const CDriveMap* pDrives) { m_pHostPaths = pDrives; }

 private:
  void PrintNewLines(const std::string& text);
  void PrintNewAlerts();
  void Print(const std::string& text);

  std::FILE* m_pOut;
  const CReport& m_report;
  bool m_bQuiet;
  const CDriveMap* m_pHostPaths = nullptr;
  CTerminalProgress* m_pProgress;
  size_t m_nPrinted = 0;  // how much of the shown text is on the screen
  long long m_nAlertsPrinted = 0;
};

}  // namespace velmora
