// "Make one page": the file the one printable page goes to, as HTML or as text only.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace velmora {

class CMakeOnePageDlg : public QDialog {
  Q_OBJECT
 public:
  // siteCatalog gets a '\' appended when it lacks one.
  explicit CMakeOnePageDlg(const std::string& siteCatalog, QWidget* pParent = nullptr);

  std::string m_strTarget;  // the file shown, read after OK
  bool m_bTextOnly = false;
  std::string m_strHtmlTarget;  // the site catalog and "Pall.html"
  std::string m_strTextTarget;  // the same ending in ".txt"

 private slots:
  void OnTextOnly(bool bTicked);

 private:
  QLabel* m_pTarget = nullptr;
};

}  // namespace velmora
