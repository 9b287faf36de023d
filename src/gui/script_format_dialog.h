// The modeless script-format help window: seven tabs, each showing the lines of its part of a
// script.
#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;
class QTabBar;

namespace velmora {

class CScriptFormatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CScriptFormatDlg(QWidget* pParent = nullptr);

  // The lines of a tab (0 "Site" to 6 "Index"), each followed by CR LF.
  static std::string TabText(int nTab);

 private slots:
  void ShowTab(int nTab);

 private:
  QTabBar* m_pTabs = nullptr;
  QPlainTextEdit* m_pText = nullptr;
};

}  // namespace velmora
