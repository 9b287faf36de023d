// The system's current folder, kept as an internal path; the process's own working directory
// is never changed.
#pragma once

#include <string>

namespace velmora {

// Sets the current folder when it exists; false otherwise.
bool SetCurrentFolder(const std::string& folder);
const std::string& CurrentFolder();
// Resolves a path against the current folder: "." and ".." collapsed, a leading "\" taken
// from the current drive's root. False when no full path can be formed.
bool FullPath(const std::string& path, std::string& fullPath);

}  // namespace velmora
