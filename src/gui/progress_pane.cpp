#include "gui/progress_pane.h"

#include <QApplication>
#include <QProgressBar>

#include "gui/long_command.h"

namespace velmora {

CProgressPane::~CProgressPane() {
  while (m_nWaitCursors > 0) WaitCursor(false);
}

void CProgressPane::Show(int nRange) {
  m_pBar->setRange(0, nRange > 0 ? nRange : 1);
  m_pBar->setValue(0);
  m_pBar->setVisible(true);
  CLongCommand::LetEventsTurn();
}

void CProgressPane::SetPos(int nPos) {
  m_pBar->setValue(nPos > m_pBar->maximum() ? m_pBar->maximum() : nPos);
  CLongCommand::LetEventsTurn();
}

void CProgressPane::Step() {
  SetPos(m_pBar->value() + 1);
}

void CProgressPane::Hide() {
  m_pBar->setVisible(false);
}

void CProgressPane::WaitCursor(bool bOn) {
  if (bOn) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_nWaitCursors;
  } else if (m_nWaitCursors > 0) {
    QApplication::restoreOverrideCursor();
    --m_nWaitCursors;
  }
}

}  // namespace velmora
