// The report window: shows theReport's text in a text field, adding only what is new when
// the report has grown.
#pragma once

#include <string>

#include "platform/report.h"

class QPlainTextEdit;

namespace velmora {

class CReportPane : public CReportWindow {
 public:
  explicit CReportPane(QPlainTextEdit* pEdit) : m_pEdit(pEdit) {}
  void Refresh(const std::string& text) override;

 private:
  QPlainTextEdit* m_pEdit;
  std::string m_strShown;  // the bytes on screen
};

}  // namespace velmora
