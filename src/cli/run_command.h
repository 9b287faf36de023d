// Runs one command of the velmora program and gives its exit status.
#pragma once

#include <string>

#include "cli/cli_options.h"

namespace velmora {

class CBuildContext;

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

// The context's settings must be those of this run; its dialogs, progress and report window
// must be installed.
int RunCommand(CBuildContext& ctx, const CCliOptions& options);

}  // namespace velmora
