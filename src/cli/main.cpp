// velmora: the command-line program. Reads the stored settings, applies the options of this
// run, and runs one command with the report on standard output.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/fatal_error.h"
#include "app/settings_store.h"
#include "cli/cli_commands.h"
#include "cli/cli_dialogs.h"
#include "cli/cli_options.h"
#include "cli/cli_report_window.h"
#include "cli/run_command.h"
#include "cli/terminal_progress.h"
#include "model/build_context.h"
#include "platform/build_settings.h"
#include "platform/environment.h"
#include "platform/report.h"
#include "platform/terminal.h"

using namespace velmora;

namespace {

int Main(int argc, char** argv) {
  CCliOptions options;
  std::string error;
  if (!ParseArguments(ProgramArguments(argc, argv), options, error)) {
    if (options.m_bNoCommand)
      std::fputs(UsageText().c_str(), stderr);
    else
      std::fprintf(stderr, "velmora: %s\nTry 'velmora --help' for the commands and options.\n",
                   error.c_str());
    return kExitUsage;
  }
  // "velmora help build", "velmora build --help": that command's help; else the usage.
  if (options.m_bHelp || options.m_strCommand == "help") {
    const CCliCommand* pCommand = FindCliCommand(options.m_strCommand);
    if (options.m_strCommand == "help" && !options.m_bHelp)
      pCommand = options.m_args.empty() ? nullptr : FindCliCommand(options.m_args[0]);
    std::fputs((pCommand ? CommandHelpText(*pCommand) : UsageText()).c_str(), stdout);
    return kExitClean;
  }
  if (options.m_bVersion) {
    std::puts("velmora 2.0");
    return kExitClean;
  }

  CBuildContext ctx;
  ctx.threads = ThreadsWanted();
  if (!LoadStoredSettings(ctx))
    std::fprintf(stderr, "velmora: cannot read the settings file %s; using the defaults\n",
                 SettingsFilePath().c_str());
  if (options.m_nInternet != -1)
    ctx.settings.Internet = options.m_nInternet;
  for (const auto& [name, value] : options.m_sets) *SettingByName(ctx.settings, name) = value;

  std::unique_ptr<CTerminalProgress> pProgress;
  if (StandardErrorIsTerminal())
    pProgress = std::make_unique<CTerminalProgress>(stderr);
  const bool bHostPaths = options.m_bHostPaths || EnvironmentVariable("VELMORA_HOST_PATHS") == "1";
  CCliDialogs dialogs(options.m_nAnswer, pProgress.get());
  dialogs.SetHostPaths(bHostPaths ? &ctx.drives : nullptr);
  CCliReportWindow window(stdout, ctx.report, options.m_bQuiet, pProgress.get());
  window.SetHostPaths(bHostPaths ? &ctx.drives : nullptr);
  ctx.SetDialogs(&dialogs);
  ctx.SetProgress(pProgress.get());
  ctx.report.SetWindow(&window);

  int status = kExitCouldNotRun;
  try {
    status = RunCommand(ctx, options);
  } catch (...) {
    ReportFatalError(ctx);
  }

  ctx.report.SetWindow(nullptr);
  ctx.SetProgress(nullptr);
  ctx.SetDialogs(nullptr);
  if (pProgress)
    pProgress->Hide();
  return status;
}

}  // namespace

// No exception ends the program unreported: one that escapes a command is a fatal report line
// (above), one that escapes the rest a message.
int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (...) {
    std::fprintf(stderr, "velmora: %s\n", FatalErrorText().c_str());
    return kExitCouldNotRun;
  }
}
