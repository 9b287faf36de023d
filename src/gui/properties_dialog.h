// The properties dialog: the seven build switches, six of them shown as their negation.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;

namespace velmora {

struct CBuildSettings;

class CPropertiesDlg : public QDialog {
  Q_OBJECT
 public:
  // The boxes are set from the settings; OK writes them back, Cancel changes nothing.
  // The dialog shows and, when accepted, changes these settings.
  explicit CPropertiesDlg(CBuildSettings& settings, QWidget* pParent = nullptr);
  void accept() override;

 private:
  CBuildSettings& m_settings;
  std::vector<QCheckBox*> m_boxes;  // in the order of the switch table
};

}  // namespace velmora
