#include "fuzz_sandbox.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "markup/keyword_index.h"
#include "platform/build_settings.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/test_context.h"

namespace velmora {

void FuzzCheck(bool bCondition, const char* pszWhat) {
  if (bCondition)
    return;
  std::fprintf(stderr, "fuzz check failed: %s\n", pszWhat);
  std::abort();
}

bool HostPathInside(const std::string& hostPath, const std::string& folder) {
  // The system reads a path only up to a NUL byte.
  std::string normal;
  if (!NormalizeHost(hostPath.substr(0, hostPath.find('\0')), normal))
    return false;
  return normal == folder || StartsWith(normal, folder + "/");
}

void CGuardedDisk::Check(const std::string& path) const {
  std::string host;
  if (TestContext().drives.ToHost(path, host) && !HostPathInside(host, m_strAllowed)) {
    std::fprintf(stderr, "change outside %s: %s\n", m_strAllowed.c_str(), host.c_str());
    std::abort();
  }
}

bool CGuardedDisk::WriteFile(const std::string& path, std::string_view bytes) {
  Check(path);
  return CHostDisk::WriteFile(path, bytes);
}

bool CGuardedDisk::MakeFolder(const std::string& path, bool& bExisted) {
  Check(path);
  return CHostDisk::MakeFolder(path, bExisted);
}

bool CGuardedDisk::RemoveFile(const std::string& path) {
  Check(path);
  return CHostDisk::RemoveFile(path);
}

CFuzzSandbox& CFuzzSandbox::Get() {
  static CFuzzSandbox sandbox;
  return sandbox;
}

CFuzzSandbox::CFuzzSandbox() : m_disk(TestContext().drives) {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
  m_strHost = mkdtemp(pattern.data());
  for (char c = 'A'; c <= 'Z'; ++c) TestContext().drives.SetDrive(c, {});
  TestContext().drives.SetDrive('C', m_strHost);
  m_disk.m_strAllowed = m_strHost;
  TestContext().SetDisk(&m_disk);
  TestContext().SetDialogs(&m_dialogs);
  setenv("SOURCE_DATE_EPOCH", "1015300800", 1);
}

CFuzzSandbox::~CFuzzSandbox() {
  TestContext().SetDisk(nullptr);
  TestContext().SetDialogs(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(m_strHost, ignored);
}

void CFuzzSandbox::Reset() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(m_strHost, ignored))
    std::filesystem::remove_all(entry.path(), ignored);
  m_disk.m_strAllowed = m_strHost;
  m_dialogs.m_bAnswer = false;
  TestContext().settings = CBuildSettings();
  TestContext().settings.Internet = 0;
  TestContext().report = CReport();
  TestContext().report.SetDialogs(&m_dialogs);
  TestContext().index.ResetIndex();
}

void CFuzzSandbox::AllowOnly(const std::string& internalFolder) {
  std::string host;
  FuzzCheck(TestContext().drives.ToHost(internalFolder, host), "allowed folder is on drive C:");
  m_disk.m_strAllowed = host;
}

void CFuzzSandbox::Write(const std::string& relative, std::string_view bytes) const {
  std::string path = relative;
  ReplaceAll(path, "\\", "/");
  const std::filesystem::path host = std::filesystem::path(m_strHost) / path;
  std::filesystem::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void CFuzzSandbox::Read(const std::string& relative, std::string& bytes) const {
  std::ifstream in(std::filesystem::path(m_strHost) / relative, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace velmora
