// The progress bar of the command line: one line on standard error, overwritten in place.
// Only made when standard error is a terminal.
#pragma once

#include <cstdio>

#include "platform/dialogs.h"

namespace velmora {

class CTerminalProgress : public CProgress {
 public:
  explicit CTerminalProgress(std::FILE* pOut) : m_pOut(pOut) {}
  void Show(int nRange) override;
  void SetPos(int nPos) override;
  void Step() override;
  void Hide() override;
  void WaitCursor(bool) override {}

  // Take the bar off the screen before other output, and put it back after.
  void Erase();
  void Redraw();

 private:
  void Draw(bool bForce);

  std::FILE* m_pOut;
  bool m_bVisible = false;
  bool m_bDrawn = false;
  int m_nRange = 0;
  int m_nPos = 0;
  int m_nDrawnFill = -1;
  int m_nDrawnPos = -1;
};

}  // namespace velmora
