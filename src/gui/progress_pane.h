// The view's vertical progress bar and the wait cursor, for interpretation and the site commands.
#pragma once

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

 private:
  QProgressBar* m_pBar;
  int m_nWaitCursors = 0;  // wait cursors asked for and not yet restored
};

}  // namespace velmora
