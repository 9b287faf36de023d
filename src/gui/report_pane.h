// The report window: shows the report's text in a text field, adding only what is new when
// the report has grown.
#pragma once

#include <string>

#include "platform/report.h"

class QPlainTextEdit;

namespace velmora {

class CReportPane : public CReportWindow {
 public:
  explicit CReportPane(QPlainTextEdit* pEdit) : m_pEdit(pEdit) {}
  // May be called from a command's own thread; the text is shown on the window's thread.
  void Refresh(const std::string& text) override;

 private:
  void Show(const std::string& text);

  QPlainTextEdit* m_pEdit;
  std::string m_strShown;  // the bytes on screen
};

}  // namespace velmora
