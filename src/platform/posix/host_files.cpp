#include "platform/host_files.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/environment.h"

namespace velmora {

bool ReadHostFile(const std::string& hostPath, std::string& bytes, bool& bMissing) {
  bMissing = false;
  std::ifstream file(hostPath, std::ios::binary);
  if (!file) {
    std::error_code error;
    bMissing = !std::filesystem::exists(hostPath, error) && !error;
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  bytes = text.str();
  return !file.bad();
}

bool MakeHostFoldersFor(const std::string& hostPath) {
  const std::filesystem::path target(hostPath);
  std::error_code error;
  if (target.has_parent_path())
    std::filesystem::create_directories(target.parent_path(), error);
  return !error;
}

std::string UserSettingsFile(const std::string& vendor, const std::string& file) {
  std::string base = EnvironmentVariable("XDG_CONFIG_HOME");
  if (base.empty() || base[0] != '/') {
    const std::string home = EnvironmentVariable("HOME");
    base = (home.empty() ? std::string("/root") : home) + "/.config";
  }
  return base + "/" + vendor + "/" + file;
}

}  // namespace velmora
