// What the programs do with an exception that no command caught: memory running out is the
// one to expect (the input limits bound every text a build makes, not what the machine has).
#pragma once

#include <string>

namespace velmora {

class CBuildContext;

// The report line for the exception being handled; only to be called inside a catch block.
std::string FatalErrorText();

// Reports the exception being handled as a fatal line (level 4) and ends the report's batch,
// so the line is shown; only to be called inside a catch block.
void ReportFatalError(CBuildContext& ctx);

}  // namespace velmora
