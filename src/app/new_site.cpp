#include "app/new_site.h"

#include <utility>
#include <vector>

#include "model/build_context.h"
#include "net/address_paths.h"
#include "platform/current_folder.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/strings.h"
#include "res/messages.h"
#include "res/resources.h"

namespace velmora {

namespace {

const char* const kCrLf = "\r\n";

// The location a source takes in the script: the default folder, the catalog with its final
// backslash, or the normalised address. False for an address that is not an http address.
bool SourceLocation(CBuildContext& ctx, CNewSiteSource source, const char* defaultFolder,
                    const std::string& siteCatalog, std::string& location) {
  source.m_strCatalog = CatalogFromField(ctx, source.m_strCatalog, siteCatalog);
  CompleteSeparators(source);
  if (source.m_eChoice == CNewSiteSource::kAddress) {
    std::string address = source.m_strAddress;
    if (!NormalizeHttpAddress(address)) {
      ctx.Dialogs().MessageBox("Bad form or service( not http): " + address);
      return false;
    }
    location = address;
  } else if (source.m_eChoice == CNewSiteSource::kCatalog) {
    location = source.m_strCatalog;
  } else {
    location = defaultFolder;
  }
  return true;
}

// The modern style makes the site's own templates and stylesheet, so it needs a site without
// frames whose templates and resources are its own; what does not fit is told.
bool StyleFits(CBuildContext& ctx, const CNewSiteOptions& options) {
  if (options.m_eStyle == ETemplateStyle::kClassic)
    return true;
  std::string problem;
  if (options.m_bFrames)
    problem = "The modern style is made for a site without frames";
  else if (options.m_templates.m_eChoice != CNewSiteSource::kStandard ||
           options.m_resources.m_eChoice != CNewSiteSource::kStandard)
    problem =
        "The modern style writes the site's own templates and stylesheet: choose the "
        "standard templates and resources";
  else if (!IsLanguageTag(options.m_strLanguage))
    problem = "Not a language tag: " + options.m_strLanguage;
  if (problem.empty())
    return true;
  ctx.Dialogs().MessageBox(problem);
  return false;
}

// The modern style's templates go into the site's template catalog and its stylesheet into
// the resource folder, where the build takes them instead of its built-in defaults. A file
// already there is replaced only when the user agrees.
bool WriteStyleFiles(CBuildContext& ctx, const std::string& siteCatalog,
                     const std::string& language) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& type : StyleTemplateTypes(ETemplateStyle::kModern)) {
    std::string text = BuiltinTemplateText(type, ETemplateStyle::kModern);
    ReplaceAll(text, "<html lang=\"en\">", "<html lang=\"" + language + "\">");
    files.emplace_back(siteCatalog + "\\templates\\" + DefaultTemplateFileName(type), text);
  }
  files.emplace_back(siteCatalog + "\\gfx\\def.css", LoadResourceText("modern.css"));
  for (const auto& [path, text] : files) {
    if (ctx.files.FileExists(path) &&
        !ctx.Dialogs().AskYesNoDefaultNo(FormatMessage(EMessage::kReplaceFile, path)))
      continue;
    if (!ctx.files.MakeDirs(path)) {
      ctx.Dialogs().MessageBox("Cant make Site in: " + path);
      return false;
    }
    if (!ctx.files.WriteTextFile(path, text))
      return false;  // the write has told the user why
  }
  return true;
}

}  // namespace

bool StyleFromName(const std::string& name, ETemplateStyle& style) {
  if (name == "classic")
    style = ETemplateStyle::kClassic;
  else if (name == "modern")
    style = ETemplateStyle::kModern;
  else
    return false;
  return true;
}

bool IsLanguageTag(const std::string& tag) {
  std::vector<std::string> parts = Split(tag, "-");
  for (size_t n = 0; n < parts.size(); ++n) {
    const std::string& part = parts[n];
    if (part.empty() || part.size() > 8)
      return false;
    for (char c : part) {
      bool bLetter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (!bLetter && !(n > 0 && c >= '0' && c <= '9'))
        return false;
    }
  }
  return !parts.empty();
}

std::string CatalogFromField(CBuildContext& ctx, const std::string& field,
                             const std::string& siteCatalog) {
  const std::string value = Trim(field);
  if (value.empty())
    return value;
  if (value[0] == '/' || (value.size() >= 2 && value[1] == ':'))
    return ctx.drives.PathFromUser(value);
  std::string full;
  return ctx.folder.FullPath(siteCatalog + "\\" + value, full) ? full : value;
}

void CompleteSeparators(CNewSiteSource& source) {
  if (!source.m_strCatalog.empty() && !EndsWith(source.m_strCatalog, "\\"))
    source.m_strCatalog += "\\";
  if (!source.m_strAddress.empty() && !EndsWith(source.m_strAddress, "/"))
    source.m_strAddress += "/";
}

std::string ProposeScriptPath(CBuildContext& ctx) {
  std::string proposal = "C:\\mysite\\script.txt";
  for (int n = 1; ctx.files.FileExists(proposal); ++n)
    proposal = "C:\\mysite" + std::to_string(n) + "\\script.txt";
  return proposal;
}

std::string BuildDefaultScript(bool bFrames, const std::string& siteCatalog,
                               const std::string& templateLocation,
                               const std::string& resourceLocation) {
  std::string text;
  auto line = [&text](const std::string& l) { text += l + kCrLf; };
  line("// Scriptfile for website MySite");
  if (bFrames)
    line("// Frames");
  line("// General site section");
  line("");
  line("VERSION=2.0");
  line("CATALOG=" + siteCatalog);
  line("TEMPLATES=" + templateLocation);
  line("RESOURCES=" + resourceLocation);
  line("KEYWORDS=velmora,website");
  line("SITENAME=MySite");
  line("SITEAUTHOR=<a href=\"mailto:myself@example.com\">My Self</a>");
  line("SITEORG=http://www.example.com/");
  line("MESSAGE=hello");
  line("");
  line("// Page section");
  line("");
  if (bFrames) {
    line("0,Frameset,FF,index.html");
    line("0,Topframe,FT,top.html");
    line("0,Leftframe,FL,left.html");
    line("1,Home,FI,home.html");
    line("BLOCKS:blocks\\src_home.html");
    line("1,Page1,FP,pages\\pageone.html");
    line("BLOCKS:blocks\\src_page1.html");
    line("1,Page2,FP,pages\\pagetwo.html");
    line("BLOCKS:blocks\\src_page2.html");
    line("1,Siteindex,FIX,pages\\ix.html");
  } else {
    line("1,Home,I,index.html");
    line("BLOCKS:blocks\\src_index.html");
    line("1,Sitemap,C,pages\\toc.html");
    line("BLOCKS:blocks\\src_toc.html");
    line("1,Page1,P,pages\\pageone.html");
    line("BLOCKS:blocks\\src_page1.html");
    line("1,Page2,P,pages\\pagetwo.html");
    line("BLOCKS:blocks\\src_page2.html");
    line("1,Siteindex,IX,pages\\ix.html");
  }
  line("BLOCKS:blocks\\src_ix.html");
  line("");
  line("// a print-page");
  line("0,All Pages,PP,pages\\allpages.html");
  line("BLOCKS:blocks\\src_allpages.html");
  line("");
  line("//Template section");
  line("//.. no own templates defined");
  line("");
  line("");
  line("//Replace section");
  line("//.. is empty");
  line("");
  line("");
  line("//Collect section");
  line("//.. is empty");
  line("");
  return text;
}

bool CreateNewSite(CBuildContext& ctx, const CNewSiteOptions& options, std::string& scriptText) {
  if (!StyleFits(ctx, options))
    return false;
  const std::string& scriptPath = options.m_strScriptPath;
  if (Trim(scriptPath).empty()) {
    ctx.Dialogs().MessageBox("Give the path of the new site's script file");
    return false;
  }
  size_t slash = scriptPath.rfind('\\');
  std::string siteCatalog =
      slash == std::string::npos ? std::string() : scriptPath.substr(0, slash);
  if (ctx.files.FileExists(scriptPath) &&
      !ctx.Dialogs().AskYesNoDefaultNo(FormatMessage(EMessage::kReplaceFile, scriptPath)))
    return false;
  // The addresses are checked before any folder is made, so a refused one leaves nothing.
  std::string templateLocation, resourceLocation;
  if (!SourceLocation(ctx, options.m_templates, "templates", siteCatalog, templateLocation))
    return false;
  if (!SourceLocation(ctx, options.m_resources, "gfx", siteCatalog, resourceLocation))
    return false;
  if (!ctx.files.MakeDirs(scriptPath)) {
    ctx.Dialogs().MessageBox("Cant make Site in: " + scriptPath);
    return false;
  }
  scriptText =
      BuildDefaultScript(options.m_bFrames, siteCatalog, templateLocation, resourceLocation);
  // The write has told the user why; the site is not made without its script.
  if (!ctx.files.WriteTextFile(scriptPath, scriptText))
    return false;
  ctx.files.MakeDirs(siteCatalog + "\\graphics\\dummy.gif");
  return options.m_eStyle == ETemplateStyle::kClassic ||
         WriteStyleFiles(ctx, siteCatalog, options.m_strLanguage);
}

}  // namespace velmora
