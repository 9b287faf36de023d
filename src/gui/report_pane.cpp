#include "gui/report_pane.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "gui/gui_text.h"
#include "gui/long_command.h"
#include "platform/strings.h"

namespace velmora {

// Every report line refreshes the window, so a long report is not set anew each time: only the
// part after what is shown is added. The view follows the end while the report grows.
void CReportPane::Refresh(const std::string& text) {
  OnGuiThread([this, &text] { Show(text); });
  CLongCommand::LetEventsTurn();
}

void CReportPane::Show(const std::string& text) {
  if (!m_strShown.empty() && text.size() >= m_strShown.size() && StartsWith(text, m_strShown)) {
    if (text.size() > m_strShown.size()) {
      QTextCursor cursor(m_pEdit->document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(DisplayText(text.substr(m_strShown.size())));
    }
  } else {
    m_pEdit->setPlainText(DisplayText(text));
  }
  m_strShown = text;
  m_pEdit->verticalScrollBar()->setValue(m_pEdit->verticalScrollBar()->maximum());
}

}  // namespace velmora
