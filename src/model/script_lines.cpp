#include "model/script_lines.h"

#include "platform/strings.h"

namespace velmora {

std::vector<std::string> PrepareScriptLines(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& piece : Split(text, "\r\n", true)) {
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

}  // namespace velmora
