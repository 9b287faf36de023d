// Runs one command of the velmora program and gives its exit status.
#pragma once

#include <string>

#include "cli/cli_options.h"

namespace velmora {

// Exit statuses of the program.
enum : int {
  kExitClean = 0,   // nothing of level 3 or 4 reported
  kExitErrors = 1,  // the command ran and reported errors
  kExitCouldNotRun = 2,
  kExitUsage = 64,
};

class CSiteSession;

// Reads the script named on the command line into the session; tells on standard error why
// it cannot.
bool LoadSession(CSiteSession& session, const std::string& script);

// theSettings must hold the settings of this run; the dialogs, progress and report window
// must be installed.
int RunCommand(const CCliOptions& options);

}  // namespace velmora
