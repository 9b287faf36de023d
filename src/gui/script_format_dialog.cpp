#include "gui/script_format_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "gui/gui_text.h"

namespace velmora {

namespace {

struct CFormatTab {
  const char* m_szName;
  std::initializer_list<const char*> m_lines;
};

const CFormatTab kTabs[] = {
    {"Site",
     {"VERSION=2.0", "SITENAME=", "CATALOG=", "TEMPLATES=", "RESOURCES=", "KEYWORDS=", "MESSAGE=",
      "SITEORG=", "SITEAUTHOR="}},
    {"Page",
     {"level,name[,type[,location[,author[,message[,option]]]]]",
      "    level:   a number between 0 and 10", "    name:    any text not containing /,#,\\,:.",
      "    type:    any text matching a template",
      "    location:a sitelocal path, an absolute path, an url.",
      "    author:  any text, preferrably a full href or mail", "    message: any text",
      "    option:  K, if you want to keep body of his page as is",
      "                 N, if you want to link directly to his page"}},
    {"Block",
     {"BLOCKS:location[,location]", "    location:a sitelocal path, an absolute path, an url."}},
    {"Template",
     {"ATEMPLATE=type,location", "    type:     any text to be used on page-lines",
      "    location: a sitelocal path, an absolute path, an url."}},
    {"Replace",
     {"RSIMPLE=sout,sin", "    Simply replace sout with sin", "RDOUBLE=left,right,sin",
      "    Replace anything between left and right with sin", "R1QUOTE=key,sin",
      "    Replaces first quoted text after key with sin", "R2QUOTE=key1,key2,sin",
      "    Replaces first quoted text after key2 after key1 with sin", "",
      "If sin starts with #, it is interpreted as a file or an url"}},
    {"Collect",
     {"COLLECT:name,leftpar,rightpar", "     name:             name of the collection",
      "     leftpar,rightpar: parenthesis to collect between"}},
    {"Index",
     {"INDEX:location", "     location: file or url with keywords and synonyms to collect"}},
};

}  // namespace

CScriptFormatDlg::CScriptFormatDlg(QWidget* pParent) : QDialog(pParent) {
  setObjectName("167");
  setWindowTitle("Script Forrmat");
  setModal(false);
  auto* pLayout = new QVBoxLayout(this);
  m_pTabs = new QTabBar;
  m_pTabs->setObjectName("1024");
  for (const CFormatTab& tab : kTabs) m_pTabs->addTab(tab.m_szName);
  pLayout->addWidget(m_pTabs);
  m_pText = new QPlainTextEdit;
  m_pText->setObjectName("1025");
  m_pText->setReadOnly(true);
  m_pText->setFrameShadow(QFrame::Sunken);
  m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pText->setFont(QFont("monospace"));
  pLayout->addWidget(m_pText, 1);
  auto* pButtons = new QDialogButtonBox;
  pButtons->addButton("Hide", QDialogButtonBox::AcceptRole)->setObjectName("IDOK");
  connect(pButtons, &QDialogButtonBox::accepted, this, &CScriptFormatDlg::hide);
  pLayout->addWidget(pButtons);
  connect(m_pTabs, &QTabBar::currentChanged, this, &CScriptFormatDlg::ShowTab);
  ShowTab(m_pTabs->currentIndex());
  resize(480, 300);
}

std::string CScriptFormatDlg::TabText(int nTab) {
  std::string text;
  if (nTab < 0 || nTab >= static_cast<int>(std::size(kTabs)))
    return text;
  for (const char* szLine : kTabs[nTab].m_lines) text += std::string(szLine) + "\r\n";
  return text;
}

void CScriptFormatDlg::ShowTab(int nTab) {
  m_pText->setPlainText(DisplayText(TabText(nTab)));
}

}  // namespace velmora
