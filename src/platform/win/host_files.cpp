#include "platform/host_files.h"

#include <windows.h>

#include "platform/disk.h"
#include "platform/environment.h"
#include "platform/win/wide_text.h"

namespace velmora {

bool ReadHostFile(const std::string& hostPath, std::string& bytes, bool& bMissing) {
  bMissing = false;
  const std::wstring path = SystemPath(hostPath);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    bMissing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return false;
  }
  bytes.clear();
  char buffer[65536];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ::ReadFile(file, buffer, sizeof buffer, &n, nullptr) != 0) && n > 0)
    bytes.append(buffer, n);
  ::CloseHandle(file);
  return ok;
}

bool MakeHostFoldersFor(const std::string& hostPath) {
  const std::wstring path = SystemPath(hostPath);
  const size_t last = path.rfind(L'\\');
  if (last == std::wstring::npos)
    return true;
  // Each folder from the top down; those above the first that can be made (the drive, the
  // server and share) fail harmlessly.
  for (size_t slash = path.find(L'\\', 1); slash <= last; slash = path.find(L'\\', slash + 1))
    ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  const DWORD attributes = ::GetFileAttributesW(path.substr(0, last).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string UserSettingsFile(const std::string& vendor, const std::string& file) {
  std::string base = EnvironmentVariable("APPDATA");
  if (base.empty())
    base = EnvironmentVariable("USERPROFILE") + "\\AppData\\Roaming";
  return base + "\\" + vendor + "\\" + file;
}

}  // namespace velmora
