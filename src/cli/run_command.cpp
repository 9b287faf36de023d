#include "cli/run_command.h"

#include <cstdio>

#include "app/commands.h"
#include "app/new_site.h"
#include "app/settings_store.h"
#include "app/site_session.h"
#include "cli/serve_command.h"
#include "model/build_context.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {
void Complain(const std::string& text) {
  std::fprintf(stderr, "velmora: %s\n", text.c_str());
}

// From the command's result, what was reported and the problems a check counted.
int ExitStatus(const CReport& report, bool bRan, int problems = 0) {
  if (!bRan || report.Reported(EAlert::kFatal))
    return kExitCouldNotRun;
  if (report.Reported(EAlert::kError) || problems > 0)
    return kExitErrors;
  return kExitClean;
}

// A folder or address given for a new site: absolute host folders become internal paths;
// anything else (a relative folder, an address) is told apart by the new command.
std::string LocationFromUser(const CDriveMap& drives, const std::string& text) {
  return IsHostPath(text) ? drives.PathFromUser(text) : text;
}

int Settings(const CCliOptions& options) {
  CSettingsStore store;
  CBuildSettings stored;
  if (!store.Load(stored)) {
    Complain("cannot read the settings file " + store.Path());
    return kExitCouldNotRun;
  }
  for (const auto& [name, value] : options.m_changes) *SettingByName(stored, name) = value;
  if (!options.m_changes.empty() && !store.Save(stored)) {
    Complain("cannot write the settings file " + store.Path());
    return kExitCouldNotRun;
  }
  for (const char* name : kSettingNames) std::printf("%s=%d\n", name, *SettingByName(stored, name));
  return kExitClean;
}
}  // namespace

bool LoadSession(CSiteSession& session, const std::string& script) {
  std::string path = session.m_context.drives.PathFromUser(script);
  switch (session.LoadScript(path)) {
    case EScriptRead::kRead:
      return true;
    case EScriptRead::kNotAScript:
      Complain(FormatText(kNotAScriptText, script));
      return false;
    case EScriptRead::kUnreadable:
      break;
  }
  Complain("cannot read the script " + script + " (" + path + ")");
  return false;
}

int RunCommand(CBuildContext& ctx, const CCliOptions& options) {
  const std::string& command = options.m_strCommand;
  if (command == "settings")
    return Settings(options);
  if (command == "new") {
    ETemplateStyle style = ETemplateStyle::kClassic;
    StyleFromName(options.m_strStyle, style);  // checked with the command line
    const std::string script =
        options.m_args.empty() ? "" : ctx.drives.PathFromUser(options.m_args[0]);
    bool ok = NewSiteCommand(ctx, script, options.m_bFrames,
                             LocationFromUser(ctx.drives, options.m_strTemplates),
                             LocationFromUser(ctx.drives, options.m_strResources), style,
                             options.m_strLanguage.empty() ? "en" : options.m_strLanguage);
    return ExitStatus(ctx.report, ok);
  }
  if (command == "serve")
    return ServeCommand(ctx, options);

  CSiteSession session(ctx);
  if (!LoadSession(session, options.m_args[0]))
    return kExitCouldNotRun;
  std::vector<std::string> rest(options.m_args.begin() + 1, options.m_args.end());
  if (command == "interpret")
    return ExitStatus(ctx.report, session.LoadAndInterpret());
  if (command == "build")
    return ExitStatus(ctx.report, BuildCommand(session, rest));
  if (command == "check") {
    int problems = 0;
    bool ok = CheckCommand(session, rest, problems);
    return ExitStatus(ctx.report, ok, problems);
  }
  if (command == "print") {
    std::string output =
        options.m_strOutput.empty() ? "" : ctx.drives.PathFromUser(options.m_strOutput);
    return ExitStatus(ctx.report, PrintCommand(session, options.m_bText, output));
  }
  if (command == "replace") {
    std::vector<std::string> files;
    for (const std::string& file : rest) files.push_back(ctx.drives.PathFromUser(file));
    return ExitStatus(ctx.report, ReplaceCommand(session, options.m_strFind, options.m_strWith,
                                                 options.m_bAll, files));
  }
  if (command == "convert")
    return ExitStatus(ctx.report, ConvertCommand(session));
  Complain("unknown command " + command);
  return kExitUsage;
}

}  // namespace velmora
