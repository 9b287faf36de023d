#include "platform/drive_map.h"

#include <cctype>
#include <string_view>

#include "platform/environment.h"
#include "platform/strings.h"

namespace velmora {

namespace {
char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
}  // namespace

void CDriveMap::ApplyEnvironment() {
  for (char c = 'A'; c <= 'Z'; ++c) {
    std::string name = std::string("VELMORA_DRIVE_") + c;
    if (const std::string value = EnvironmentVariable(name.c_str()); !value.empty())
      SetDrive(c, value);
  }
}

std::string CDriveMap::HostFolder(char cLetter) const {
  auto it = m_folders.find(Upper(cLetter));
  return it == m_folders.end() ? std::string() : it->second;
}

std::string CDriveMap::WithHostPaths(std::string_view text) const {
  std::string result;
  size_t copied = 0;
  for (size_t colon = FindText(text, ":\\"); colon != std::string_view::npos;
       colon = FindText(text, ":\\", colon + 2)) {
    // A drive letter standing on its own: "C:\", not the end of a word such as "abc:\".
    if (colon == 0 || colon - 1 < copied ||
        !std::isalpha(static_cast<unsigned char>(text[colon - 1])) ||
        (colon >= 2 && std::isalnum(static_cast<unsigned char>(text[colon - 2]))))
      continue;
    const size_t start = colon - 1;
    size_t end = text.find_first_of("\r\n\t,\"'<>|*?", colon);
    if (end == std::string_view::npos)
      end = text.size();
    while (end > colon + 2 && text[end - 1] == ' ') --end;
    const std::string internal(text.substr(start, end - start));
    std::string host;
    if (!ToHost(internal, host))
      continue;
    if (internal.back() == '\\' && host.back() != '/')
      host += '/';
    result.append(text.substr(copied, start - copied));
    result += host;
    copied = end;
  }
  result.append(text.substr(copied));
  return result;
}

std::string CDriveMap::PathFromUser(const std::string& path) const {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
    return path;
  std::string internal;
  return ToInternal(path, internal) ? internal : path;
}

}  // namespace velmora
