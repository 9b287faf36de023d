#include "assembly/templates.h"

#include <algorithm>
#include <memory>

#include "model/build_context.h"
#include "model/content_loader.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/disk.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/resources.h"

namespace velmora {

namespace {

// What the built-in text of a kind needs before it is a template: the <!--INPUT/-->
// placeholder removed or replaced by a list tag, and for the non-home pages the stamp tags.
struct CTemplateKind {
  const char* pszType;
  const char* pszFileName;  // the default file in the template catalog
  const char* pszBuiltin;   // the built-in text it is made from
  const char* pszModern;    // the modern style's text; nullptr: the style has no such type
  const char* pszInput;     // what <!--INPUT/--> becomes; nullptr: the text has none
  bool bRemoveStamp;
  // The built-in text <!--INPUT/--> becomes in the modern style; nullptr: as pszInput.
  const char* pszModernInput = nullptr;
};

// The page types of one family share one built-in text and differ by the changes made to it.
const CTemplateKind kKinds[] = {
    {"I", "nf_i_template.html", "standard_page.html", "modern_page.html", "", false,
     "modern_welcome.html"},
    {"P", "nf_p_template.html", "standard_page.html", "modern_page.html", "", true},
    {"C", "nf_c_template.html", "standard_page.html", "modern_page.html",
     "<!--TOC COLS=\"3\"--><!--/TOC-->", true},
    {"IX", "nf_ix_template.html", "standard_page.html", "modern_page.html",
     "<!--INDEX COLS=\"3\"--><!--/INDEX-->", true},
    {"FI", "f_i_template.html", "frame_page.html", nullptr, "", false},
    {"FP", "f_p_template.html", "frame_page.html", nullptr, "", true},
    {"FC", "f_c_template.html", "frame_page.html", nullptr, "<!--TOC COLS=\"3\"-->\r\n<!--/TOC-->",
     true},
    {"FIX", "f_ix_template.html", "frame_page.html", nullptr,
     "<!--INDEX COLS=\"3\"-->\r\n<!--/INDEX-->", true},
    {"FF", "f_f_template.html", "f_f_template.html", nullptr, nullptr, false},
    {"FT", "f_t_template.html", "f_t_template.html", nullptr, nullptr, false},
    {"FL", "f_l_template.html", "f_l_template.html", nullptr, nullptr, false},
    {"PP", "print_template.html", "print_template.html", "modern_print.html", nullptr, false},
    {"B", "block_template.html", "block_template.html", "modern_block.html", nullptr, false},
    {"W", "wrapper_template.html", "wrapper_template.html", "modern_wrapper.html", nullptr, false},
};

const CTemplateKind* FindKind(const std::string& type) {
  for (const CTemplateKind& kind : kKinds)
    if (type == kind.pszType)
      return &kind;
  return nullptr;
}

}  // namespace

std::string BuiltinTemplateText(const std::string& type, ETemplateStyle style) {
  const CTemplateKind* pKind = FindKind(type);
  const char* pszBuiltin = !pKind                              ? nullptr
                           : style == ETemplateStyle::kClassic ? pKind->pszBuiltin
                                                               : pKind->pszModern;
  if (!pszBuiltin)
    return {};
  std::string text = LoadResourceText(pszBuiltin);
  if (style == ETemplateStyle::kModern && pKind->pszModernInput)
    ReplaceAll(text, "<!--INPUT/-->", LoadResourceText(pKind->pszModernInput));
  else if (pKind->pszInput)
    ReplaceAll(text, "<!--INPUT/-->", pKind->pszInput);
  if (pKind->bRemoveStamp) {
    ReplaceAll(text, "<!--STAMP-->", "");
    ReplaceAll(text, "<!--/STAMP-->", "");
  }
  return text;
}

std::vector<std::string> StyleTemplateTypes(ETemplateStyle style) {
  std::vector<std::string> types;
  for (const CTemplateKind& kind : kKinds)
    if (style == ETemplateStyle::kClassic || kind.pszModern)
      types.push_back(kind.pszType);
  return types;
}

std::string DefaultTemplateFileName(const std::string& type) {
  const CTemplateKind* pKind = FindKind(type);
  return pKind ? pKind->pszFileName : "";
}

const std::vector<std::string>& TemplateFileNames() {
  static const std::vector<std::string> names = {
      "print_template.html", "block_template.html", "wrapper_template.html", "nf_c_template.html",
      "nf_i_template.html",  "nf_p_template.html",  "nf_ix_template.html",   "f_c_template.html",
      "f_i_template.html",   "f_p_template.html",   "f_ix_template.html",    "f_f_template.html",
      "f_l_template.html",   "f_t_template.html"};
  return names;
}

namespace {

// Makes the template ready at its location: read from elsewhere, or made from its built-in
// default when its file is not there yet. bNamed: the location comes from an ATEMPLATE= line
// rather than the template catalog. False when the location gives no usable template.
bool OpenTemplate(CTemplate& tpl, const std::string& location, bool bNamed) {
  if (!tpl.ParseLine(location))
    return false;
  CBuildContext& ctx = tpl.Context();
  const bool bRemote = !tpl.m_strUrl.empty() || !tpl.m_strOutsidePath.empty();
  if (!bRemote && ctx.files.FileExists(tpl.m_strLocalPath))
    return true;
  // A default file that is not there yet is expected on a new site: it is made at once
  // instead of first failing to load it. A file that a template line names is read like any
  // other file, so that one missing or unreadable is reported.
  const bool bLoaded = (bRemote || bNamed) && LoadTemplate(tpl);
  if (!bRemote && !bLoaded && ctx.files.AnythingAt(tpl.m_strLocalPath))
    return false;  // there but unreadable: the default is not written over it
  if (!bLoaded && !MakeDefaultText(tpl, tpl.m_strName))
    return false;
  return tpl.StoreLocal();
}

// The template of a type; m_bValid tells whether the location gave a usable template.
std::unique_ptr<CTemplate> MakeTemplate(CWebSite& site, const std::string& type,
                                        const std::string& location, bool bNamed) {
  auto pTemplate = std::make_unique<CTemplate>(&site);
  pTemplate->m_strName = type;
  pTemplate->m_bValid = OpenTemplate(*pTemplate, location, bNamed);
  return pTemplate;
}

}  // namespace

bool LoadTemplate(CTemplate& tpl) {
  CFileStamp stamp;
  const bool bStamped = tpl.m_strUrl.empty() && tpl.m_strOutsidePath.empty() &&
                        tpl.Context().Disk().Stamp(tpl.m_strLocalPath, stamp);
  if (bStamped && tpl.m_bKept && stamp == tpl.m_keptStamp) {
    tpl.m_strContent = tpl.m_strKeptText;
    return true;
  }
  tpl.m_bKept = false;
  if (!LoadContent(tpl))
    return false;
  // The stamp was taken before the read: a file changed meanwhile is read again next time.
  if (bStamped) {
    tpl.m_bKept = true;
    tpl.m_keptStamp = stamp;
    tpl.m_strKeptText = tpl.m_strContent;
  }
  return true;
}

bool MakeDefaultText(CTemplate& tpl, const std::string& type) {
  const CTemplateKind* pKind = FindKind(type);
  if (!pKind)
    return false;
  tpl.Context().report.AddLine(FormatText("Using original: %1", "Template type:" + type),
                               EAlert::kWarning);
  tpl.m_strContent = BuiltinTemplateText(type, ETemplateStyle::kClassic);
  return !tpl.m_strContent.empty();
}

CTemplate* GetTemplate(CWebSite& site, const std::string& type) {
  for (const auto& pTemplate : site.m_templates)
    if (pTemplate->m_strName == type)
      return pTemplate.get();
  std::string fileName = DefaultTemplateFileName(type);
  if (fileName.empty()) {
    site.m_context.report.AddLine(FormatText("Cannot make: %1", ""), EAlert::kError);
    return nullptr;
  }
  std::string path = site.m_strTemplates;
  if (!EndsWith(path, "\\"))
    path += "\\";
  path += fileName;
  auto pTemplate = MakeTemplate(site, type, path, false);
  if (!pTemplate->m_bValid) {
    site.m_context.report.AddLine(FormatText("Cannot make: %1", path), EAlert::kError);
    return nullptr;
  }
  site.m_templates.push_back(std::move(pTemplate));
  return site.m_templates.back().get();
}

void ApplyTemplateLines(CWebSite& site) {
  for (const std::string& value : site.m_templateLines) {
    // Fields are trimmed like those of every other script line.
    std::vector<std::string> fields;
    for (const std::string& field : Split(value, ",", true))
      if (std::string trimmed = Trim(field); !trimmed.empty())
        fields.push_back(std::move(trimmed));
    if (fields.size() != 2) {
      site.m_context.report.AddLine(FormatText("Bad template line: %1", value), EAlert::kError);
      continue;
    }
    const std::string& type = fields[0];
    std::erase_if(site.m_templates, [&](const auto& p) { return p->m_strName == type; });
    auto pTemplate = MakeTemplate(site, type, fields[1], true);
    if (pTemplate->m_bValid)
      site.m_templates.push_back(std::move(pTemplate));
    else
      site.m_context.report.AddLine(FormatText("Cannot make: %1", value), EAlert::kInfo);
  }
}

}  // namespace velmora
