// The new-site dialog: where the site lives and where its templates and resources come from.
// OK writes the starter script and the "graphics" folder.
#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace velmora {

class CBuildContext;

class CNewSiteDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CNewSiteDlg(CBuildContext& ctx, QWidget* pParent = nullptr);
  ~CNewSiteDlg() override;
  // Writes the site; the dialog stays open when a step stops (the user has been told why).
  void accept() override;

  std::string m_strScriptPath;  // internal path of the script written, after OK
  std::string m_strScriptText;  // the script text written, after OK

 private slots:
  void BrowseScript();

 private:
  struct CSourceControls;
  // A group box with the three choices of a source. ids: standard, catalog, catalog field,
  // browse, address radio, address field; texts: the three radios' and the browse hint.
  CSourceControls AddSourceBox(const char* szTitle, const std::array<const char*, 6>& ids,
                               const std::array<const char*, 4>& texts);
  // Lets the user pick a file; its folder, with the final '\', goes into the field.
  bool BrowseCatalog(QLineEdit* pCatalog);
  // The internal path of a host path picked in a file dialog; empty (and told) when none.
  std::string ChosenPath(const QString& hostPath);

  QLineEdit* m_pScriptPath = nullptr;
  QCheckBox* m_pFrames = nullptr;
  QComboBox* m_pStyle = nullptr;     // the built-in defaults, or the modern style
  QLineEdit* m_pLanguage = nullptr;  // the modern style's page language
  CBuildContext& m_ctx;
  std::unique_ptr<CSourceControls> m_pTemplates;
  std::unique_ptr<CSourceControls> m_pResources;
};

}  // namespace velmora
