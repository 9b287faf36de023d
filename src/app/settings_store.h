// The seven build switches and the drive map, kept between runs in an INI file:
// [Build_Performance] holds the switches as integers, [Drives] maps drive letters to host
// folders. The file is $XDG_CONFIG_HOME/Tarnwick College/Quarn20.conf (~/.config when the
// variable is unset), or whatever VELMORA_CONFIG names.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/build_settings.h"

namespace velmora {

class CBuildContext;

class CDriveMap;

// The seven value names in the order they are written.
inline constexpr const char* kSettingNames[] = {
    "Internet",      "BuildIndex",     "BuildCollections",   "BuildPrintPages",
    "CheckNameRefs", "CheckAllImages", "AllowForwardSlashes"};

// The switch of that name (compared ignoring case); nullptr for an unknown name.
int* SettingByName(CBuildSettings& settings, const std::string& name);

// Where the settings file lives for this process.
std::string SettingsFilePath();

class CSettingsStore {
 public:
  CSettingsStore() : m_strPath(SettingsFilePath()) {}
  explicit CSettingsStore(std::string path) : m_strPath(std::move(path)) {}

  // Reads the switches; a missing file or value keeps the default. False only when the file
  // exists but cannot be read.
  bool Load(CBuildSettings& settings);
  // Maps the drives of [Drives] (as read by Load) in driveMap, then lets VELMORA_DRIVE_x win
  // over them.
  void ApplyDrives(CDriveMap& driveMap) const;
  // Writes the seven switches, keeping every other line of the file as it is now. The file
  // is replaced atomically; missing folders on the way are made.
  bool Save(const CBuildSettings& settings);

  // The "name=value" entries of a section, in file order, as read by the last Load.
  std::vector<std::pair<std::string, std::string>> SectionEntries(const std::string& section) const;
  // Replaces the entries of a section (the section is added at the end when missing), keeping
  // every other line of the file as it is now.
  bool SaveSection(const std::string& section,
                   const std::vector<std::pair<std::string, std::string>>& entries);

  const std::string& Path() const { return m_strPath; }

 private:
  bool ReadLines();
  bool WriteSection(const std::string& section, const std::string& values, bool bNewAtTop,
                    const std::function<bool(const std::string&)>& bReplaced);

  std::string m_strPath;
  std::vector<std::string> m_lines;  // the file as last read, without line ends
};

// Loads the context's settings and applies [Drives] to its drive map from the default
// settings file.
bool LoadStoredSettings(CBuildContext& ctx);
// How many threads a page build may use: VELMORA_THREADS, else the machine's cores.
unsigned ThreadsWanted();

}  // namespace velmora
