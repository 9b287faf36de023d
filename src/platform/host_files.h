// Files named by host paths, for the one file that lives on no drive: the settings file.
#pragma once

#include <string>

namespace velmora {

// The whole file; bMissing tells a file that is not there (the read then fails).
bool ReadHostFile(const std::string& hostPath, std::string& bytes, bool& bMissing);
// Makes the folder that holds the file and the folders above it that are missing.
bool MakeHostFoldersFor(const std::string& hostPath);
// The user's settings file of that vendor: under $XDG_CONFIG_HOME or ~/.config on POSIX
// systems, under %APPDATA% on Windows.
std::string UserSettingsFile(const std::string& vendor, const std::string& file);

}  // namespace velmora
