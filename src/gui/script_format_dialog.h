// The modeless script-format help window: seven tabs, each showing the lines of its part of a
// script.
#pragma once

#include <QDialog>

namespace velmora {

class CScriptFormatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CScriptFormatDlg(QWidget* pParent = nullptr);
};

}  // namespace velmora
