// The view's vertical progress bar and the wait cursor, for interpretation and the site commands.
// Calls may come from a command's own thread: each is carried out on the window's thread, and
// the bar and the page shown are updated at most every 50 ms.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/dialogs.h"

class QProgressBar;

namespace velmora {

class CProgressPane : public CProgress {
 public:
  explicit CProgressPane(QProgressBar* pBar) : m_pBar(pBar) {}
  ~CProgressPane() override;
  void Show(int nRange) override;
  void SetPos(int nPos) override;
  void Step() override;
  void Hide() override;
  void WaitCursor(bool bOn) override;
  void Working(const std::string& path) override;
  bool StopRequested() const override;

  // Shows the page being worked on (the status bar).
  std::function<void(const std::string&)> m_onWorking;

 private:
  // True, and now noted, when the last update of that kind is 50 ms old.
  static bool Due(std::chrono::steady_clock::time_point& last);

  QProgressBar* m_pBar;
  int m_nWaitCursors = 0;  // wait cursors asked for and not yet restored
  int m_nPos = 0;
  std::chrono::steady_clock::time_point m_lastPos{}, m_lastWorking{};
};

}  // namespace velmora
