// Host paths on Windows: every drive letter is the real drive of that letter unless the
// settings or VELMORA_DRIVE_x give it a folder; "\" separates the pieces, and no piece names
// a device.
#include <windows.h>

#include <cctype>
#include <string_view>

#include "platform/drive_map.h"
#include "platform/strings.h"
#include "platform/win/wide_text.h"

namespace velmora {

namespace {
char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// The part of an absolute path that ".." cannot climb above: "C:" or "\\server\share";
// empty for a path that is not absolute.
std::string RootOf(std::string_view path) {
  if (HasDrive(path) && (path.size() == 2 || IsSeparator(path[2])))
    return std::string(1, Upper(path[0])) + ":";
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    const size_t server = path.find_first_of("\\/", 2);
    if (server == std::string_view::npos || server == 2)
      return {};
    const size_t share = path.find_first_of("\\/", server + 1);
    std::string root(path.substr(0, share == std::string_view::npos ? path.size() : share));
    ReplaceAll(root, "/", "\\");
    return root.size() > server + 1 ? root : std::string();
  }
  return {};
}

// "con", "NUL.html", "com1.txt ": names the system takes for its devices in every folder.
// Reading one could wait on the console for ever and writing one would lose the page, so no
// internal path reaches them.
bool IsDeviceName(std::string_view piece) {
  std::string base = ToUpper(piece.substr(0, piece.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
      base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '0' && base[3] <= '9';
}

std::string WithoutFinalSeparator(std::string folder) {
  ReplaceAll(folder, "/", "\\");
  while (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
  return folder;
}
}  // namespace

bool NormalizeHost(const std::string& path, std::string& result) {
  const std::string root = RootOf(path);
  if (root.empty())
    return false;
  std::vector<std::string> kept;
  std::string rest = path.substr(root.size());
  ReplaceAll(rest, "/", "\\");
  for (std::string& piece : Split(rest, "\\", true)) {
    if (piece == ".")
      continue;
    if (piece == "..") {
      if (kept.empty())
        return false;
      kept.pop_back();
      continue;
    }
    kept.push_back(std::move(piece));
  }
  result = root;
  for (const std::string& piece : kept) result += "\\" + piece;
  if (kept.empty())
    result += "\\";
  return true;
}

CDriveMap::CDriveMap() {
  for (char c = 'A'; c <= 'Z'; ++c) m_folders[c] = std::string(1, c) + ":";
  ApplyEnvironment();
}

void CDriveMap::SetDrive(char cLetter, const std::string& hostFolder) {
  if (hostFolder.empty())
    m_folders.erase(Upper(cLetter));
  else
    m_folders[Upper(cLetter)] = WithoutFinalSeparator(hostFolder);
}

bool CDriveMap::ToHost(const std::string& internalPath, std::string& hostPath) const {
  // The system reads a path only up to a NUL: "C:\\..\0x" would name the folder above C:.
  if (!HasDrive(internalPath) || internalPath.find('\0') != std::string::npos)
    return false;
  const std::string folder = HostFolder(internalPath[0]);
  if (folder.empty())
    return false;
  std::string normal;
  if (!NormalizeHost("C:\\" + internalPath.substr(2), normal))
    return false;
  for (const std::string& piece : Split(normal.substr(3), "\\", true))
    if (IsDeviceName(piece))
      return false;
  // normal is "C:\" or "C:\a\b": the pieces go under the drive's folder.
  const std::string pieces = normal.substr(2);
  if (pieces == "\\")
    hostPath = folder.size() == 2 ? folder + "\\" : folder;
  else
    hostPath = folder + pieces;
  return true;
}

bool CDriveMap::ToInternal(const std::string& hostPath, std::string& internalPath) const {
  std::string absolute = hostPath;
  if (RootOf(absolute).empty()) {
    const std::wstring wide = WideFromBytes(hostPath);
    wchar_t full[32768];
    const DWORD n = ::GetFullPathNameW(wide.c_str(), 32768, full, nullptr);
    if (n == 0 || n >= 32768)
      return false;
    absolute = Utf8FromWide(std::wstring_view(full, n));
  }
  std::string normal;
  if (!NormalizeHost(absolute, normal))
    return false;
  // The folder that holds the path with the longest name wins; the file system ignores case.
  char best = 0;
  size_t bestLength = 0;
  for (const auto& [letter, folder] : m_folders) {
    const bool under = normal.size() >= folder.size() &&
                       EqualsNoCase(normal.substr(0, folder.size()), folder) &&
                       (normal.size() == folder.size() || normal[folder.size()] == '\\');
    if (under && (best == 0 || folder.size() > bestLength)) {
      best = letter;
      bestLength = folder.size();
    }
  }
  if (best == 0)
    return false;
  std::string rest = normal.substr(bestLength);
  if (rest.empty())
    rest = "\\";
  internalPath = std::string(1, best) + ":" + rest;
  return true;
}

// A path in the host's form that is not already an internal one: on Windows only a network
// path, since every other absolute path has a drive letter.
bool IsHostPath(const std::string& path) {
  return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsAbsoluteHostPath(const std::string& path) {
  return !RootOf(path).empty();
}

}  // namespace velmora
