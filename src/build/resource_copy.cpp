#include "build/resource_copy.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "assembly/templates.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/current_folder.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"
#include "res/resources.h"

namespace velmora {

namespace {

const char* const kResourceImages[] = {"logo.gif",  "navigare.gif", "left_bg.gif",
                                       "pixel.gif", "up.gif",       "bullet.gif"};
// The order a web server is asked for them when its listing gave too little.
const char* const kServerResources[] = {"pixel.gif",    "up.gif",      "bullet.gif", "logo.gif",
                                        "navigare.gif", "left_bg.gif", "def.css"};

std::string WithBackslash(std::string folder) {
  if (!EndsWith(folder, "\\"))
    folder += "\\";
  return folder;
}

// Makes sure folder (without a final backslash) exists; a failure is shown in a message box.
bool MakeSiteFolder(CBuildContext& ctx, const std::string& folder) {
  if (ctx.Disk().FolderExists(folder) ||
      (ctx.files.MakeDirs(folder) && ctx.Disk().FolderExists(folder)))
    return true;
  ctx.Dialogs().MessageBox(FormatText("Cannot make: %1", folder));
  return false;
}

// A listed name is copied only when it names a file right in the listed folder. Names with
// ".." or "\" would land outside the target folder, so they are refused as well.
bool IsListedFile(const std::string& value) {
  return !Contains(value, "/") && Contains(value, ".") && !Contains(value, "mailto:") &&
         !Contains(value, "MAILTO:") && !Contains(value, "\\") && !Contains(value, "..");
}

std::string BaseWithoutSlash(std::string base) {
  while (EndsWith(base, "/") && !EndsWith(base, "//")) base.pop_back();
  return base;
}

bool FetchTextTo(CBuildContext& ctx, const std::string& address, const std::string& path) {
  std::string text, log;
  return ctx.fetcher.GetText(address, text, log) && ctx.files.WriteTextFile(path, text);
}

bool FetchBinaryTo(CBuildContext& ctx, const std::string& address, const std::string& path) {
  std::string log;
  return ctx.fetcher.GetBinary(address, path, log) && ctx.Disk().FileExists(path);
}

// Reads the listing page at address and copies the files it links to into folder; every
// name goes through fetch (text or bytes chosen by the caller). Returns the files that
// arrived, or -1 when the listing itself could not be fetched.
template <typename Fetch>
int CopyListedFiles(CBuildContext& ctx, const std::string& address, const std::string& folder,
                    std::string& base, Fetch fetch) {
  std::string listing, log;
  if (!ctx.fetcher.GetText(address, listing, log))
    return -1;
  base = address;
  if (!ctx.fetcher.GetRedirectedLocation().empty())
    base = ctx.fetcher.GetRedirectedLocation();
  base = BaseWithoutSlash(base);
  ReplaceAll(listing, "A HREF", "a href");
  std::vector<std::string> values;
  CollectQuotedValues(listing, "href", 7, values);
  // A name listed many times is fetched once.
  std::unordered_set<std::string> seen;
  int nArrived = 0;
  for (const std::string& value : values)
    if (IsListedFile(value) && seen.insert(value).second &&
        fetch(ctx, base + "/" + value, folder + value))
      ++nArrived;
  return nArrived;
}

// Resources or templates given by a web address with the Internet off: only the local copy
// from an earlier run can serve.
void ReportOffline(CBuildContext& ctx, const std::string& address, const std::string& folder) {
  ctx.report.AddFormatted(EMessage::kInternetOff, address, EAlert::kInfo);
  if (ctx.Disk().FolderExists(folder))
    ctx.report.AddFormatted(EMessage::kUsingLocalCopy, folder, EAlert::kInfo);
}

void WriteMissingResources(CBuildContext& ctx, const std::string& folder) {
  for (const char* pszName : kResourceImages) {
    std::string path = folder + pszName;
    // Only a file that is not there at all is missing; one that cannot be read is the user's.
    if (ctx.files.AnythingAt(path))
      continue;
    std::string_view bytes;
    if (BuiltinFile(pszName, bytes) && ctx.files.WriteBinaryFile(path, bytes))
      ctx.report.AddLine(FormatText("Using original: %1", pszName), EAlert::kWarning);
  }
  std::string path = folder + "def.css";
  if (!ctx.files.AnythingAt(path) && ctx.files.WriteTextFile(path, LoadResourceText("def.css")))
    ctx.report.AddLine(FormatText("Using original: %1", "def.css"), EAlert::kWarning);
}

}  // namespace

bool CopyLayoutResources(CWebSite& site) {
  if (site.m_bResourcesElsewhere) {
    std::string folder = site.m_strCatalog + "gfx";
    if (!MakeSiteFolder(site.m_context, folder))
      return false;
    std::string target = folder + "\\";
    std::string address = site.m_strResources;
    if (NormalizeHttpAddress(address)) {
      if (!site.m_context.settings.Internet) {
        ReportOffline(site.m_context, address, folder);
      } else {
        std::string base;
        int nArrived =
            CopyListedFiles(site.m_context, address, target, base,
                            [](CBuildContext& ctx, const std::string& from, const std::string& to) {
                              return Contains(from, ".css") || Contains(from, ".CSS")
                                         ? FetchTextTo(ctx, from, to)
                                         : FetchBinaryTo(ctx, from, to);
                            });
        if (nArrived >= 0 && nArrived <= 2) {
          for (const char* pszName : kServerResources) {
            std::string from = base + "/" + pszName;
            if (EndsWith(pszName, ".css"))
              FetchTextTo(site.m_context, from, target + pszName);
            else
              FetchBinaryTo(site.m_context, from, target + pszName);
          }
        }
      }
    } else {
      CopyFiles(site.m_context, site.m_strResources, target);
    }
  }
  WriteMissingResources(site.m_context, WithBackslash(site.GfxPath()));
  return true;
}

bool CopyTemplates(CWebSite& site) {
  if (site.m_strTemplates.size() < 2)
    return true;
  if (site.m_bTemplatesElsewhere) {
    std::string folder = site.m_strCatalog + "templates";
    if (!MakeSiteFolder(site.m_context, folder))
      return false;
    std::string target = folder + "\\";
    std::string address = site.m_strTemplates;
    if (NormalizeHttpAddress(address)) {
      if (!site.m_context.settings.Internet) {
        ReportOffline(site.m_context, address, folder);
      } else {
        std::string base;
        int nArrived = CopyListedFiles(site.m_context, address, target, base, FetchTextTo);
        if (nArrived >= 0 && nArrived <= 4)
          for (const std::string& name : TemplateFileNames())
            FetchTextTo(site.m_context, base + "/" + name, target + name);
      }
    } else {
      CopyFiles(site.m_context, site.m_strTemplates, target);
    }
    site.m_strTemplates = target;
  }
  ApplyTemplateLines(site);
  return true;
}

bool CopyFiles(CBuildContext& ctx, const std::string& source, const std::string& destination) {
  if (source.empty() || destination.empty())
    return false;
  std::string from = WithBackslash(source);
  std::string to = WithBackslash(destination);
  std::string remembered = ctx.folder.Get();
  if (!ctx.folder.Set(from, ctx.Disk()))
    return false;
  from = WithBackslash(ctx.folder.Get());
  ctx.folder.Set(remembered, ctx.Disk());

  // Breadth first, so the files of a folder come before those of its sub-folders.
  std::vector<std::string> files;
  std::deque<std::string> folders = {from};
  while (!folders.empty()) {
    std::string folder = folders.front();
    folders.pop_front();
    std::vector<CDirEntry> entries;
    if (!ctx.Disk().ListFolder(folder, entries))
      continue;
    std::sort(entries.begin(), entries.end(),
              [](const CDirEntry& a, const CDirEntry& b) { return a.m_strName < b.m_strName; });
    for (const CDirEntry& entry : entries) {
      if (entry.m_strName.empty() || entry.m_strName[0] == '.')
        continue;  // hidden
      if (entry.m_bFolder)
        folders.push_back(folder + entry.m_strName + "\\");
      else
        files.push_back(folder + entry.m_strName);
    }
  }

  for (const std::string& file : files) {
    std::string target = to + file.substr(from.size());
    std::string folder = target.substr(0, target.rfind('\\'));
    std::string bytes;
    // MakeDirs is given a file in the folder so that a folder name with "." is made too.
    bool bCopied = ctx.files.MakeDirs(folder + "\\x.x") && ctx.Disk().ReadFile(file, bytes) &&
                   ctx.Disk().WriteFile(target, bytes);
    if (!bCopied && ctx.Dialogs().AskYesNo("Give up attempt to copy files?"))
      return false;
  }
  return true;
}

}  // namespace velmora
