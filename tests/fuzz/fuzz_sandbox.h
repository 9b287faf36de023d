// The world a fuzz target runs in: one temporary host folder per process mapped as drive C:,
// every other drive unmapped, the network off, questions answered No, and a disk that stops
// the process when anything would be made or changed outside the folder it allows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/disk.h"

namespace velmora {

// Answers every question No and keeps nothing, so memory does not grow over a long run.
class CFuzzDialogs : public CDialogs {
 public:
  void MessageBox(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return m_bAnswer; }
  bool AskPassword(const std::string&, std::string&, std::string&) override { return false; }
  bool ShowAlerts(const std::vector<std::string>&) override { return true; }
  bool m_bAnswer = false;
};

// The host disk, with every write, new folder and removal checked against the allowed host
// folder as the operating system will see the path (it stops reading at a NUL byte).
class CGuardedDisk : public CHostDisk {
 public:
  explicit CGuardedDisk(const CDriveMap& drives) : CHostDisk(drives) {}
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool MakeFolder(const std::string& path, bool& bExisted) override;
  bool RemoveFile(const std::string& path) override;

  std::string m_strAllowed;  // host folder without final '/'

 private:
  void Check(const std::string& path) const;
};

class CFuzzSandbox {
 public:
  // The sandbox of this process, made on first use; removed when the process ends.
  static CFuzzSandbox& Get();

  // Empties drive C: and resets the program-wide state a run leaves behind.
  void Reset();
  // Changes below this internal folder only (default: the whole drive).
  void AllowOnly(const std::string& internalFolder);
  const std::string& HostFolder() const { return m_strHost; }
  // Host-side writing for setting up a run.
  void Write(const std::string& relative, std::string_view bytes) const;
  void Read(const std::string& relative, std::string& bytes) const;

  CFuzzDialogs m_dialogs;
  CGuardedDisk m_disk;

 private:
  CFuzzSandbox();
  ~CFuzzSandbox();
  std::string m_strHost;
};

// Fails the run (the fuzzer records the input) when the condition does not hold.
void FuzzCheck(bool bCondition, const char* pszWhat);

// True when the host path, read up to its first NUL and with "." and ".." collapsed, is the
// folder or lies below it.
bool HostPathInside(const std::string& hostPath, const std::string& folder);

}  // namespace velmora
