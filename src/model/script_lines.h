// Preparing the script text for interpretation: cutting it into lines, dropping blank, short
// and comment lines, and the two checks that decide whether the text can be interpreted.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// The report and message-box text for a script with too few usable lines.
inline constexpr const char* kTooFewLinesText = "To few valid lines in script";

// Cuts at CR LF (a lone CR or LF does not end a line), trims, drops lines of 2 characters or
// fewer and "//" comments, and rewrites the older "BLOCK," lines into "BLOCKS:" lines.
std::vector<std::string> PrepareScriptLines(const std::string& text);

// A script needs at least three lines after preparation.
bool HasEnoughScriptLines(const std::vector<std::string>& lines);

// Scripts of the current format carry a line beginning "VERSION=2.0"; others are offered for
// conversion instead of being interpreted.
bool HasVersionLine(const std::vector<std::string>& lines);

}  // namespace velmora
