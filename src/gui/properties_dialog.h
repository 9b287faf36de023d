// The properties dialog: the seven build switches, six of them shown as their negation.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;

namespace velmora {

class CPropertiesDlg : public QDialog {
  Q_OBJECT
 public:
  // The boxes are set from theSettings; OK writes them back, Cancel changes nothing.
  explicit CPropertiesDlg(QWidget* pParent = nullptr);
  void accept() override;

 private:
  std::vector<QCheckBox*> m_boxes;  // in the order of the switch table
};

}  // namespace velmora
