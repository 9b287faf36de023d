// The system's current folder, kept as an internal path; the process's own working directory
// is never changed.
#pragma once

#include <string>

namespace velmora {

class CDisk;

class CCurrentFolder {
 public:
  // Sets the current folder when it exists on the disk; false otherwise.
  bool Set(const std::string& folder, CDisk& disk);
  const std::string& Get() const { return m_strFolder; }
  // Resolves a path against the current folder: "." and ".." collapsed, a leading "\" taken
  // from the current drive's root. False when no full path can be formed.
  bool FullPath(const std::string& path, std::string& fullPath) const;

 private:
  std::string m_strFolder = "C:\\";
};

}  // namespace velmora
