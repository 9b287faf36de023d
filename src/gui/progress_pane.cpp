#include "gui/progress_pane.h"

#include <QApplication>
#include <QProgressBar>

#include "gui/long_command.h"

namespace velmora {

namespace {
constexpr auto kShowInterval = std::chrono::milliseconds(50);
}

CProgressPane::~CProgressPane() {
  while (m_nWaitCursors > 0) WaitCursor(false);
}

bool CProgressPane::Due(std::chrono::steady_clock::time_point& last) {
  const auto now = std::chrono::steady_clock::now();
  if (now - last < kShowInterval)
    return false;
  last = now;
  return true;
}

void CProgressPane::Show(int nRange) {
  // A new run shows its first page at once.
  m_nPos = 0;
  m_lastPos = m_lastWorking = {};
  OnGuiThread([this, nRange] {
    m_pBar->setRange(0, nRange > 0 ? nRange : 1);
    m_pBar->setValue(0);
    m_pBar->setVisible(true);
  });
  CLongCommand::LetEventsTurn();
}

void CProgressPane::SetPos(int nPos) {
  m_nPos = nPos;
  if (!Due(m_lastPos))
    return;
  OnGuiThread(
      [this, nPos] { m_pBar->setValue(nPos > m_pBar->maximum() ? m_pBar->maximum() : nPos); });
  CLongCommand::LetEventsTurn();
}

void CProgressPane::Step() {
  SetPos(m_nPos + 1);
}

void CProgressPane::Hide() {
  OnGuiThread([this] { m_pBar->setVisible(false); });
}

void CProgressPane::WaitCursor(bool bOn) {
  OnGuiThread([this, bOn] {
    if (bOn) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      ++m_nWaitCursors;
    } else if (m_nWaitCursors > 0) {
      QApplication::restoreOverrideCursor();
      --m_nWaitCursors;
    }
  });
}

void CProgressPane::Working(const std::string& path) {
  if (m_onWorking && Due(m_lastWorking))
    OnGuiThread([this, &path] { m_onWorking(path); });
}

bool CProgressPane::StopRequested() const {
  return CLongCommand::StopRequested();
}

}  // namespace velmora
