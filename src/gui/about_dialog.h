// The about box.
#pragma once

#include <QDialog>

namespace velmora {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* pParent = nullptr);
};

}  // namespace velmora
