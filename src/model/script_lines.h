// Preparing the script text for interpretation: cutting it into lines, dropping blank, short
// and comment lines, and the two checks that decide whether the text can be interpreted.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// The report and message-box text for a script with too few usable lines.
inline constexpr const char* kTooFewLinesText = "To few valid lines in script";
// The report and message-box text for a script that has no version line and is not of the
// older format either; %1 is the script's path.
inline constexpr const char* kNotOlderScriptText =
    "No VERSION=2.0 line, and the text does not read as a script of the older format (no page "
    "line of that format, no ORG=, LAYOUT= or OPTION: line): it is neither interpreted nor "
    "converted: %1";

// Cuts at CR LF (a lone CR or LF does not end a line), skips a UTF-8 byte-order mark, trims, drops
// lines of 2 characters or fewer and "//" comments, and rewrites the older "BLOCK," lines into
// "BLOCKS:" lines.
std::vector<std::string> PrepareScriptLines(const std::string& text);

// A script needs at least three lines after preparation.
bool HasEnoughScriptLines(const std::vector<std::string>& lines);

// Scripts of the current format carry a line beginning "VERSION=2.0"; others are offered for
// conversion instead of being interpreted.
bool HasVersionLine(const std::vector<std::string>& lines);

// A script without a version line is converted only when it reads as one of the older format:
// it has a page line of that format or a key only that format has (ORG=, LAYOUT=, OPTION:).
// Anything else may be any text file, and converting it would rewrite the user's files.
bool ReadsAsOlderScript(const std::vector<std::string>& lines);

}  // namespace velmora
