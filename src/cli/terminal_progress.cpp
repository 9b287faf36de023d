#include "cli/terminal_progress.h"

#include <algorithm>
#include <string>

namespace velmora {

namespace {
const int kBarWidth = 40;
}

void CTerminalProgress::Show(int nRange) {
  m_nRange = std::max(nRange, 0);
  m_nPos = 0;
  m_bVisible = true;
  Draw(true);
}

void CTerminalProgress::SetPos(int nPos) {
  m_nPos = std::clamp(nPos, 0, m_nRange);
  Draw(false);
}

void CTerminalProgress::Step() {
  SetPos(m_nPos + 1);
}

void CTerminalProgress::Hide() {
  Erase();
  m_bVisible = false;
}

void CTerminalProgress::Erase() {
  if (!m_bDrawn)
    return;
  std::fputs("\r\033[K", m_pOut);
  std::fflush(m_pOut);
  m_bDrawn = false;
}

void CTerminalProgress::Redraw() {
  Draw(true);
}

void CTerminalProgress::Draw(bool bForce) {
  if (!m_bVisible)
    return;
  int fill =
      m_nRange > 0 ? static_cast<int>(static_cast<long long>(m_nPos) * kBarWidth / m_nRange) : 0;
  // Redrawing for every step of a long run would flood a slow terminal.
  if (!bForce && m_bDrawn && fill == m_nDrawnFill &&
      (m_nRange > 200 ? m_nPos / (m_nRange / 100) == m_nDrawnPos / (m_nRange / 100)
                      : m_nPos == m_nDrawnPos))
    return;
  std::string line = "\r[" + std::string(static_cast<size_t>(fill), '#') +
                     std::string(static_cast<size_t>(kBarWidth - fill), ' ') + "] " +
                     std::to_string(m_nPos) + "/" + std::to_string(m_nRange) + "\033[K";
  std::fputs(line.c_str(), m_pOut);
  std::fflush(m_pOut);
  m_bDrawn = true;
  m_nDrawnFill = fill;
  m_nDrawnPos = m_nPos;
}

}  // namespace velmora
