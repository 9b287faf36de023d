// The Windows build has no preview server: its HTTP server library is not there for Windows.
#include <cstdio>

#include "cli/run_command.h"
#include "cli/serve_command.h"

namespace velmora {

int ServeCommand(CBuildContext&, const CCliOptions&) {
  std::fputs(
      "velmora: serve is not available in the Windows build; build the site and open "
      "its pages in the browser\n",
      stderr);
  return kExitCouldNotRun;
}

}  // namespace velmora
