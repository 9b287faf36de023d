// Drive letters of internal paths mapped to host folders: C: is $HOME, Z: is "/", others are
// unmapped unless the settings file ([Drives]) or VELMORA_DRIVE_x names a folder. On Windows
// each letter is its own drive unless so mapped.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace velmora {

class CDriveMap {
 public:
  CDriveMap();  // the defaults and the VELMORA_DRIVE_x variables
  void SetDrive(char cLetter, const std::string& hostFolder);
  // Applies VELMORA_DRIVE_x from the environment (they win over the settings file).
  void ApplyEnvironment();
  std::string HostFolder(char cLetter) const;  // empty when unmapped

  // "C:\a\b.txt" -> "/home/u/a/b.txt". False for an unmapped drive, a path without drive, or
  // one that climbs above its drive's folder.
  bool ToHost(const std::string& internalPath, std::string& hostPath) const;
  // "/home/u/a" -> "C:\a": made absolute against the process's working directory, then written
  // on the drive whose folder is the longest prefix.
  bool ToInternal(const std::string& hostPath, std::string& internalPath) const;
  // A path from the command line: host paths are converted, internal ones kept.
  std::string PathFromUser(const std::string& path) const;
  // The text with every internal path ("C:\site\a.html", up to the end of the line or a comma,
  // quote or other character no path holds) written in the host's form; paths on unmapped
  // drives stay as they are.
  std::string WithHostPaths(std::string_view text) const;

 private:
  std::map<char, std::string> m_folders;  // upper-case letter -> host folder without final '/'
};

// True when the text looks like a host path ("/..." ) rather than an internal one.
bool IsHostPath(const std::string& path);
// True for a host path that names its place without the working directory: "/a" on POSIX
// systems, "D:" or "\server\share" on Windows.
bool IsAbsoluteHostPath(const std::string& path);
// Collapses "." and ".." of a host path; false when ".." would climb above the root.
bool NormalizeHost(const std::string& path, std::string& result);

}  // namespace velmora
