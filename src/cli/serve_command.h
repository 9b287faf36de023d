// velmora serve: builds the site, serves its catalog and builds again after every change
// until Ctrl-C.
#pragma once

#include "cli/cli_options.h"

namespace velmora {

class CBuildContext;

// The exit status: 0 after Ctrl-C, 2 when the site could not be built or served.
int ServeCommand(CBuildContext& ctx, const CCliOptions& options);

}  // namespace velmora
