// Shared by the desktop program's tests: a temporary folder as drive C, a settings file inside
// it, and starter sites written there.
#pragma once

#include <stdlib.h>

#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/commands.h"
#include "gui/main_frame.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "support/test_context.h"

namespace velmora::test {

class CTempDrive {
 public:
  CTempDrive() {
    char pattern[] = "/tmp/velmora-gui-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    ::setenv("VELMORA_CONFIG", (m_folder + "/config/Quarn20.conf").c_str(), 1);
    velmora::TestContext().drives.SetDrive('C', m_folder);
  }
  ~CTempDrive() {
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
  }
  // The host path of an internal path on drive C.
  std::string Host(const std::string& internalPath) const {
    std::string host;
    velmora::TestContext().drives.ToHost(internalPath, host);
    return host;
  }
  std::string Read(const std::string& internalPath) const {
    std::ifstream file(Host(internalPath), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }
  void Write(const std::string& internalPath, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(Host(internalPath)).parent_path());
    std::ofstream(Host(internalPath), std::ios::binary) << bytes;
  }
  // Moves the file's time as another program writing it would.
  void Touch(const std::string& internalPath, int nSeconds = 100) const {
    const auto path = std::filesystem::path(Host(internalPath));
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::seconds(nSeconds));
  }
  // A fresh starter site; returns its script text.
  std::string NewSite(const std::string& scriptPath) const {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(Host(scriptPath)).parent_path(), error);
    if (!NewSiteCommand(velmora::TestContext(), scriptPath, false, "", ""))
      return "";
    return Read(scriptPath);
  }

  std::string m_folder;
};

// Whether the window's command is enabled now, after its rules were applied.
inline bool Enabled(CMainFrame& frame, int nId) {
  frame.UpdateActions();
  return frame.Action(nId)->isEnabled();
}

}  // namespace velmora::test
