// The program's one log: lines with alert levels from information to fatal. Lines above
// information reported inside a batch are also gathered and shown in the alert box at its end.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CDialogs;
enum class EMessage : int;

// How much a report line matters. Lines above kInfo are alerts; kError and kFatal make a
// command fail.
enum class EAlert : int { kInfo = 0, kNotice = 1, kWarning = 2, kError = 3, kFatal = 4 };

// Where the report is shown: the GUI's report window, the CLI's standard output.
class CReportWindow {
 public:
  virtual ~CReportWindow() = default;
  // Called with the whole report text whenever the window would be refreshed.
  virtual void Refresh(const std::string& text) = 0;
};

// Report lines held back while a page is built on another thread or ahead of its turn, and
// given to the report later in the order the pages were built.
class CReportBuffer {
 public:
  bool IsEmpty() const { return m_lines.empty(); }

 private:
  friend class CReport;
  struct CLine {
    std::string m_strText;
    EAlert m_level;
    bool m_bHeading;
  };
  std::vector<CLine> m_lines;
};

class CReport {
 public:
  // While a buffer is set, this thread's lines go into it instead of the report.
  static void RedirectThread(CReportBuffer* pBuffer);
  static CReportBuffer* ThreadRedirect();
  // Adds the buffered lines as if they were reported now, and empties the buffer.
  void Replay(CReportBuffer& buffer);
  void SetWindow(CReportWindow* pWindow) { m_pWindow = pWindow; }
  CReportWindow* Window() const { return m_pWindow; }
  // Where the end-of-batch alert box is shown; none: it is not shown.
  void SetDialogs(CDialogs* pDialogs) { m_pDialogs = pDialogs; }
  void Clear();
  void AddHeading(const std::string& text);
  void AddLine(const std::string& text, EAlert level);
  void AddMessage(EMessage id, EAlert level);
  void AddFormatted(EMessage id, const std::string& arg, EAlert level);
  void SetBatch(bool bOn);

  const std::string& Text() const { return m_strText; }
  const std::vector<std::string>& Alerts() const { return m_alerts; }
  // The highest level reported since the report was made or ResetHighestLevel was called;
  // the command line derives its exit status from it. -1 when nothing was reported.
  int HighestLevel() const { return m_nHighestLevel; }
  // Whether a line of this level or above was reported since then.
  bool Reported(EAlert level) const { return m_nHighestLevel >= static_cast<int>(level); }
  void ResetHighestLevel() {
    m_nHighestLevel = -1;
    m_errors.clear();
  }
  // The lines of level 3 and 4 since then; a clear of the report keeps them, so the errors of
  // interpretation are still there after the build that followed it.
  const std::vector<std::string>& ErrorLines() const { return m_errors; }
  // Lines reported above level 0 since the report was made, never reset; lets a window that
  // shows only the alerts tell which of Alerts() it has not shown yet.
  long long AlertsReported() const { return m_nAlertsReported; }
  // Lines reported at level 3 or 4 since the report was made, never reset; a command counts
  // its own errors as the difference.
  long long ErrorsReported() const { return m_nErrorsReported; }

  bool m_bAlertSwitch = true;

 private:
  void Refresh();

  CReportWindow* m_pWindow = nullptr;
  CDialogs* m_pDialogs = nullptr;
  std::string m_strText;
  bool m_bBatch = false;
  std::vector<std::string> m_alerts;
  int m_nHighestLevel = -1;
  std::vector<std::string> m_errors;
  long long m_nAlertsReported = 0;
  long long m_nErrorsReported = 0;
};

// The desktop alert box's text: the first six alerts, "..." after them when there are more
// than five, and the box's question.
std::string AlertBoxText(const std::vector<std::string>& alerts);

}  // namespace velmora
