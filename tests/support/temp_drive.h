// A fresh host folder mapped as a drive letter for the length of a test.
#pragma once

#include <string>

namespace velmora {

class CTempDrive {
 public:
  explicit CTempDrive(char cLetter = 'C');
  ~CTempDrive();
  CTempDrive(const CTempDrive&) = delete;
  CTempDrive& operator=(const CTempDrive&) = delete;

  const std::string& HostFolder() const { return m_strHost; }
  // Internal path of a file or folder on the drive: Path("a\\b.txt") is "C:\a\b.txt".
  std::string Path(const std::string& relative = {}) const;
  // Host-side helpers for setting up and reading back files.
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void Remove(const std::string& relative) const;

 private:
  char m_cLetter;
  std::string m_strHost;
  std::string m_strPrevious;
};

}  // namespace velmora
