// The new-site dialog: where the site lives and where its templates and resources come from.
// OK writes the starter script and the "graphics" folder.
#pragma once

#include <QDialog>
#include <string>

namespace velmora {

class CNewSiteDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CNewSiteDlg(QWidget* pParent = nullptr);
  void accept() override;

  std::string m_strScriptPath;  // internal path of the script written, after OK
  std::string m_strScriptText;  // the script text written, after OK
};

}  // namespace velmora
