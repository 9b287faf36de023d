// The most recently opened scripts (internal paths), newest first, kept in the settings file's
// [Recent File List] section as File1 to File5.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CRecentFiles {
 public:
  static constexpr size_t kMaxFiles = 5;

  void Load();
  bool Save() const;
  // Puts the path first; an older entry of the same path goes.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& Files() const { return m_files; }

 private:
  std::vector<std::string> m_files;
};

}  // namespace velmora
