#include "app/commands.h"

#include "app/new_site.h"
#include "model/build_context.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {
// A host path, a drive path, a path beginning with "." or the name of an existing folder of the
// new site is a catalog; anything else ("example.org/tpl", "http://...") is a web address. A
// relative catalog is taken from the new script's folder, as the desktop dialog does; a file
// stands for its folder, as a file picked in the dialog does.
CNewSiteSource SourceFromArgument(CBuildContext& ctx, const std::string& value,
                                  const std::string& scriptPath) {
  CNewSiteSource source;
  if (value.empty())
    return source;
  const std::string siteCatalog = scriptPath.substr(0, scriptPath.rfind('\\'));
  const std::string catalog = CatalogFromField(ctx, value, siteCatalog);
  bool bFolder = StartsWith(value, "/") || Contains(value, ":\\") || StartsWith(value, ".") ||
                 (!Contains(value, "://") && ctx.Disk().FolderExists(catalog));
  if (bFolder) {
    source.m_eChoice = CNewSiteSource::kCatalog;
    source.m_strCatalog = value;
    if (ctx.Disk().FileExists(catalog))
      source.m_strCatalog = catalog.substr(0, catalog.rfind('\\') + 1);
  } else {
    source.m_eChoice = CNewSiteSource::kAddress;
    source.m_strAddress = value;
  }
  return source;
}

// A folder (one that exists, or a last piece without an extension) holds the new site: its
// script is FOLDER\script.txt. No path at all takes the proposal mysite, mysite1, ...
std::string ScriptPathFor(CBuildContext& ctx, const std::string& path) {
  if (path.empty())
    return ProposeScriptPath(ctx);
  const size_t slash = path.rfind('\\');
  const std::string last = path.substr(slash == std::string::npos ? 0 : slash + 1);
  if (!ctx.Disk().FolderExists(path) && Contains(last, "."))
    return path;
  return (EndsWith(path, "\\") ? path : path + "\\") + "script.txt";
}
}  // namespace

bool NewSiteCommand(CBuildContext& ctx, const std::string& scriptPath, bool bFrames,
                    const std::string& templates, const std::string& resources,
                    ETemplateStyle style, const std::string& language) {
  CNewSiteOptions options;
  options.m_strScriptPath = ScriptPathFor(ctx, scriptPath);
  options.m_bFrames = bFrames;
  options.m_templates = SourceFromArgument(ctx, templates, options.m_strScriptPath);
  options.m_resources = SourceFromArgument(ctx, resources, options.m_strScriptPath);
  options.m_eStyle = style;
  options.m_strLanguage = language;
  std::string text;
  if (!CreateNewSite(ctx, options, text))
    return false;
  ctx.report.AddLine("New site script: " + options.m_strScriptPath, EAlert::kInfo);
  return true;
}

}  // namespace velmora
