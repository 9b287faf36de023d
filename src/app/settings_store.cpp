#include "app/settings_store.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <thread>

#include "model/build_context.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/host_files.h"
#include "platform/strings.h"

// The settings file is a host file outside every drive of the site: it is read before the drive
// map is complete and names the drives itself, so it is read and written here directly rather
// than through the disk of a run.

namespace velmora {

namespace {
const char kPerformanceSection[] = "Build_Performance";
const char kDrivesSection[] = "Drives";

bool IsSectionHeader(const std::string& line, std::string& name) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']')
    return false;
  name = Trim(std::string_view(line).substr(1, line.size() - 2));
  return true;
}

bool IsComment(const std::string& line) {
  return line.empty() || line[0] == ';' || line[0] == '#';
}

// Splits "name = value"; false for a line without "=".
bool SplitEntry(const std::string& line, std::string& name, std::string& value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos)
    return false;
  name = Trim(std::string_view(line).substr(0, equals));
  value = Trim(std::string_view(line).substr(equals + 1));
  return true;
}

bool IsSettingName(const std::string& name) {
  for (const char* known : kSettingNames)
    if (EqualsNoCase(name, known))
      return true;
  return false;
}

// A value written as an integer; anything else counts as missing.
bool ReadInt(const std::string& value, int& result) {
  if (value.empty())
    return false;
  size_t start = value[0] == '-' || value[0] == '+' ? 1 : 0;
  if (start >= value.size() || !std::isdigit(static_cast<unsigned char>(value[start])))
    return false;
  result = ParseLeadingInt(value);
  return true;
}

}  // namespace

int* SettingByName(CBuildSettings& settings, const std::string& name) {
  int* values[] = {&settings.Internet,           &settings.BuildIndex,
                   &settings.BuildCollections,   &settings.BuildPrintPages,
                   &settings.CheckNameRefs,      &settings.CheckAllImages,
                   &settings.AllowForwardSlashes};
  for (size_t i = 0; i < std::size(kSettingNames); ++i)
    if (EqualsNoCase(name, kSettingNames[i]))
      return values[i];
  return nullptr;
}

std::string SettingsFilePath() {
  std::string path = EnvironmentVariable("VELMORA_CONFIG");
  if (!path.empty())
    return path;
  return UserSettingsFile("Tarnwick College", "Quarn20.conf");
}

bool CSettingsStore::ReadLines() {
  m_lines.clear();
  std::string bytes;
  bool bMissing = false;
  if (!ReadHostFile(m_strPath, bytes, bMissing))
    return bMissing;
  for (std::string& line : Split(bytes, "\n")) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    m_lines.push_back(std::move(line));
  }
  // The piece after the last line end is a line only when it holds something.
  if (!m_lines.empty() && m_lines.back().empty())
    m_lines.pop_back();
  return true;
}

bool CSettingsStore::Load(CBuildSettings& settings) {
  bool ok = ReadLines();
  std::string section, name, value;
  for (const std::string& raw : m_lines) {
    std::string line = Trim(raw);
    if (IsComment(line) || IsSectionHeader(line, section))
      continue;
    if (!EqualsNoCase(section, kPerformanceSection) || !SplitEntry(line, name, value))
      continue;
    int number = 0;
    if (int* pSetting = SettingByName(settings, name); pSetting && ReadInt(value, number))
      *pSetting = number;
  }
  return ok;
}

void CSettingsStore::ApplyDrives(CDriveMap& driveMap) const {
  std::string section, name, value;
  for (const std::string& raw : m_lines) {
    std::string line = Trim(raw);
    if (IsComment(line) || IsSectionHeader(line, section))
      continue;
    if (!EqualsNoCase(section, kDrivesSection) || !SplitEntry(line, name, value))
      continue;
    if (!name.empty() && name.back() == ':')
      name.pop_back();
    if (name.size() != 1 || !std::isalpha(static_cast<unsigned char>(name[0])))
      continue;
    if (StartsWith(value, "~/") || value == "~")
      value = EnvironmentVariable("HOME") + value.substr(1);
    // A relative folder would change meaning with the working directory; it is ignored.
    if (IsAbsoluteHostPath(value))
      driveMap.SetDrive(name[0], value);
  }
  driveMap.ApplyEnvironment();
}

bool CSettingsStore::Save(const CBuildSettings& settings) {
  CBuildSettings copy = settings;
  std::string values;
  for (const char* name : kSettingNames)
    values += std::string(name) + "=" + std::to_string(*SettingByName(copy, name)) + "\n";
  // Other entries of the section stay; a new section goes at the top.
  return WriteSection(kPerformanceSection, values, true, [](const std::string& line) {
    std::string name, value;
    return SplitEntry(line, name, value) && IsSettingName(name);
  });
}

std::vector<std::pair<std::string, std::string>> CSettingsStore::SectionEntries(
    const std::string& wanted) const {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string section, name, value;
  for (const std::string& raw : m_lines) {
    std::string line = Trim(raw);
    if (IsComment(line) || IsSectionHeader(line, section))
      continue;
    if (EqualsNoCase(section, wanted) && SplitEntry(line, name, value))
      entries.emplace_back(name, value);
  }
  return entries;
}

bool CSettingsStore::SaveSection(const std::string& wanted,
                                 const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string values;
  for (const auto& [name, value] : entries) values += name + "=" + value + "\n";
  return WriteSection(wanted, values, false, [](const std::string&) { return true; });
}

// Every line of the file as it is now stays, except the section's entries that bReplaced
// picks; the new values go right after the first header of the section (a new section at the
// top or the end when there is none). Written atomically; missing folders are made.
bool CSettingsStore::WriteSection(const std::string& wanted, const std::string& values,
                                  bool bNewAtTop,
                                  const std::function<bool(const std::string&)>& bReplaced) {
  // Another program may have changed the file since it was loaded.
  if (!ReadLines())
    return false;
  std::string text;
  std::string section;
  bool bWritten = false;
  for (const std::string& raw : m_lines) {
    std::string line = Trim(raw);
    if (IsSectionHeader(line, section)) {
      text += raw + "\n";
      if (!bWritten && EqualsNoCase(section, wanted)) {
        text += values;
        bWritten = true;
      }
      continue;
    }
    if (EqualsNoCase(section, wanted) && !IsComment(line) && bReplaced(line))
      continue;
    text += raw + "\n";
  }
  if (!bWritten && bNewAtTop)
    text = "[" + wanted + "]\n" + values + (text.empty() ? "" : "\n") + text;
  else if (!bWritten)
    text += (text.empty() ? "[" : "\n[") + wanted + "]\n" + values;
  MakeHostFoldersFor(m_strPath);
  return WriteHostFileAtomically(m_strPath, text, {.m_bFlush = true, .m_bKeepFile = true});
}

unsigned ThreadsWanted() {
  if (const std::string value = EnvironmentVariable("VELMORA_THREADS"); !value.empty())
    return static_cast<unsigned>(std::max(1, ParseLeadingInt(value)));
  return std::max(1u, std::thread::hardware_concurrency());
}

bool LoadStoredSettings(CBuildContext& ctx) {
  CSettingsStore store;
  bool ok = store.Load(ctx.settings);
  store.ApplyDrives(ctx.drives);
  return ok;
}

}  // namespace velmora
