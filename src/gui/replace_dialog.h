// The replace tool's dialog: the text to replace, its replacement and the files to change.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace velmora {

class CReplaceTool;

class CReplaceDlg : public QDialog {
  Q_OBJECT
 public:
  // The list is filled from the tool's candidate files.
  explicit CReplaceDlg(CReplaceTool& tool, QWidget* pParent = nullptr);
  void accept() override;

  std::string m_strFind;
  std::string m_strWith;
  std::vector<std::string> m_chosenFiles;  // in list order, after OK
  // What "Select / unselect all" does next: false selects all, true clears the selection.
  // Selections made by hand leave it alone.
  bool m_bSelectAll = false;

 private slots:
  void ToggleAll();

 private:
  CReplaceTool& m_tool;
  QLineEdit* m_pFind = nullptr;
  QLineEdit* m_pWith = nullptr;
  QListWidget* m_pFiles = nullptr;
};

}  // namespace velmora
