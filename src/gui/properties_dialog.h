// The properties dialog: the seven build switches, six of them shown as their negation.
#pragma once

#include <QDialog>

namespace velmora {

class CPropertiesDlg : public QDialog {
  Q_OBJECT
 public:
  // The boxes are set from theSettings; OK writes them back, Cancel changes nothing.
  explicit CPropertiesDlg(QWidget* pParent = nullptr);
  void accept() override;
};

}  // namespace velmora
