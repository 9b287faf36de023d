#include "gui/recent_files.h"

#include "app/settings_store.h"
#include "platform/strings.h"

namespace velmora {

namespace {
const char kSection[] = "Recent File List";
}

void CRecentFiles::Load() {
  m_files.clear();
  CSettingsStore store;
  CBuildSettings unused;
  store.Load(unused);
  const auto entries = store.SectionEntries(kSection);
  for (size_t i = 1; i <= kMaxFiles; ++i) {
    const std::string key = "File" + std::to_string(i);
    for (const auto& [name, value] : entries)
      if (EqualsNoCase(name, key) && !value.empty())
        m_files.push_back(value);
  }
  if (m_files.size() > kMaxFiles)
    m_files.resize(kMaxFiles);
}

bool CRecentFiles::Save() const {
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t i = 0; i < m_files.size(); ++i)
    entries.emplace_back("File" + std::to_string(i + 1), m_files[i]);
  return CSettingsStore().SaveSection(kSection, entries);
}

void CRecentFiles::Add(const std::string& path) {
  Remove(path);
  m_files.insert(m_files.begin(), path);
  if (m_files.size() > kMaxFiles)
    m_files.resize(kMaxFiles);
}

void CRecentFiles::Remove(const std::string& path) {
  std::erase(m_files, path);
}

}  // namespace velmora
