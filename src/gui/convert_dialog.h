// "Convert to 2.0": offers the conversion of a script of the older format.
#pragma once

#include <QDialog>

namespace velmora {

class CConvertDlg : public QDialog {
  Q_OBJECT
 public:
  // "Convert now" closes with Accepted, "Do it later" with Rejected.
  explicit CConvertDlg(QWidget* pParent = nullptr);
};

}  // namespace velmora
