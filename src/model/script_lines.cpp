#include "model/script_lines.h"

#include "platform/strings.h"

namespace velmora {

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A page line of the older format: level, type, name, location, template location, author,
// message, option and perhaps one more field. Its level is a number and its location a file.
bool IsOlderPageLine(const std::string& line) {
  if (StartsWith(line, "BLOCK") || StartsWith(line, "BASED"))
    return false;
  const std::vector<std::string> fields = Split(line, ",");
  return (fields.size() == 8 || fields.size() == 9) && IsDigits(Trim(fields[0])) &&
         Contains(fields[3], ".");
}
}  // namespace

std::vector<std::string> PrepareScriptLines(const std::string& text) {
  std::vector<std::string> lines;
  // A mark that an editor put in front of the first line is not part of it.
  std::string_view body = text;
  if (body.starts_with(kUtf8Mark))
    body.remove_prefix(kUtf8Mark.size());
  for (const std::string& piece : Split(body, "\r\n", true)) {
    std::string line = Trim(piece);
    if (line.size() <= 2 || StartsWith(line, "//"))
      continue;
    if (StartsWith(line, "BLOCK,"))
      ReplaceAll(line, "BLOCK,", "BLOCKS:");
    lines.push_back(std::move(line));
  }
  return lines;
}

bool HasEnoughScriptLines(const std::vector<std::string>& lines) {
  return lines.size() > 2;
}

bool HasVersionLine(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (StartsWith(line, "VERSION=2.0"))
      return true;
  return false;
}

bool ReadsAsOlderScript(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (StartsWith(line, "ORG=") || StartsWith(line, "LAYOUT=") || StartsWith(line, "OPTION:") ||
        IsOlderPageLine(line))
      return true;
  return false;
}

}  // namespace velmora
