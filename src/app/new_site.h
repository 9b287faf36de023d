// The starter script of a new site and the steps that put it on disk.
#pragma once

#include <string>

#include "assembly/templates.h"

namespace velmora {

class CBuildContext;

// Where the templates or layout resources of a new site come from.
struct CNewSiteSource {
  enum EChoice { kStandard, kCatalog, kAddress };
  EChoice m_eChoice = kStandard;
  std::string m_strCatalog;  // with kCatalog
  std::string m_strAddress;  // with kAddress
};

// A catalog field as the user left it, made a path for the script: empty stays empty (the
// interpretation then takes its default folder), a drive path stays as it is, a host path
// ("/srv/tpl") is taken on its drive, and anything else is relative to the site catalog.
std::string CatalogFromField(CBuildContext& ctx, const std::string& field,
                             const std::string& siteCatalog);

// Puts a '\' after a catalog and a '/' after an address that lack one (empty ones stay empty).
void CompleteSeparators(CNewSiteSource& source);

struct CNewSiteOptions {
  std::string m_strScriptPath;  // internal path of the script file
  bool m_bFrames = false;
  CNewSiteSource m_templates;
  CNewSiteSource m_resources;
  // The modern style also writes the site's own templates and stylesheet, their pages in
  // this language.
  ETemplateStyle m_eStyle = ETemplateStyle::kClassic;
  std::string m_strLanguage = "en";
};

// "classic" or "modern".
bool StyleFromName(const std::string& name, ETemplateStyle& style);
// A language tag fit for the lang attribute: letters, then groups of letters or digits after
// hyphens ("en", "de-CH", "zh-Hant").
bool IsLanguageTag(const std::string& tag);

// "C:\mysite\script.txt", or the first of "C:\mysiteN\script.txt" (N = 1, 2, ...) that does
// not exist yet.
std::string ProposeScriptPath(CBuildContext& ctx);

// The starter script text, every line ended by CR LF.
std::string BuildDefaultScript(bool bFrames, const std::string& siteCatalog,
                               const std::string& templateLocation,
                               const std::string& resourceLocation);

// Writes the starter script and the empty "graphics" folder, and with the modern style its
// templates and stylesheet. False when the user refused to replace an existing script, the
// site folder cannot be made, an address is not an http address, the style does not fit the
// other choices, or a file cannot be written (each told in a message box). On success
// scriptText holds the written text.
bool CreateNewSite(CBuildContext& ctx, const CNewSiteOptions& options, std::string& scriptText);

}  // namespace velmora
