#include "build/replace_tool.h"
#include "gui/about_dialog.h"
#include "gui/convert_dialog.h"
#include "gui/gui_dialogs.h"
#include "gui/make_one_page_dialog.h"
#include "gui/new_site_dialog.h"
#include "gui/properties_dialog.h"
#include "gui/replace_dialog.h"
#include "gui/script_format_dialog.h"

namespace velmora {

CPropertiesDlg::CPropertiesDlg(QWidget* pParent) : QDialog(pParent) {}
void CPropertiesDlg::accept() {
  QDialog::accept();
}
CNewSiteDlg::CNewSiteDlg(QWidget* pParent) : QDialog(pParent) {}
void CNewSiteDlg::accept() {
  QDialog::accept();
}
CConvertDlg::CConvertDlg(QWidget* pParent) : QDialog(pParent) {}
CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {}
CScriptFormatDlg::CScriptFormatDlg(QWidget* pParent) : QDialog(pParent) {}
CMakeOnePageDlg::CMakeOnePageDlg(const std::string& siteCatalog, QWidget* pParent)
    : QDialog(pParent), m_strTarget(siteCatalog + "Pall.html") {}
CReplaceDlg::CReplaceDlg(CReplaceTool&, QWidget* pParent) : QDialog(pParent) {}
void CReplaceDlg::accept() {
  QDialog::accept();
}
void CGuiDialogs::MessageBox(const std::string&) {}
bool CGuiDialogs::AskYesNo(const std::string&) {
  return false;
}
bool CGuiDialogs::AskPassword(const std::string&, std::string&, std::string&) {
  return false;
}
bool CGuiDialogs::ShowAlerts(const std::string&) {
  return true;
}

}  // namespace velmora
