#include "support/temp_drive.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/drive_map.h"
#include "support/test_context.h"

namespace velmora {

namespace {
std::filesystem::path HostPath(const std::string& root, std::string relative) {
  for (char& c : relative)
    if (c == '\\')
      c = '/';
  return std::filesystem::path(root) / relative;
}
}  // namespace

CTempDrive::CTempDrive(char cLetter) : m_cLetter(cLetter) {
  // A name no other folder has, made by this process alone (create_directory fails for a
  // folder that is there).
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder = std::filesystem::temp_directory_path() / ("velmora-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  m_strHost = folder.string();
  m_strPrevious = TestContext().drives.HostFolder(cLetter);
  TestContext().drives.SetDrive(cLetter, m_strHost);
}

CTempDrive::~CTempDrive() {
  TestContext().drives.SetDrive(m_cLetter, m_strPrevious);
  std::error_code ignored;
  std::filesystem::remove_all(m_strHost, ignored);
}

std::string CTempDrive::Path(const std::string& relative) const {
  return std::string(1, m_cLetter) + ":\\" + relative;
}

void CTempDrive::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path path = HostPath(m_strHost, relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string CTempDrive::Read(const std::string& relative) const {
  std::ifstream in(HostPath(m_strHost, relative), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool CTempDrive::Exists(const std::string& relative) const {
  return std::filesystem::exists(HostPath(m_strHost, relative));
}

void CTempDrive::Remove(const std::string& relative) const {
  std::error_code ignored;
  std::filesystem::remove_all(HostPath(m_strHost, relative), ignored);
}

}  // namespace velmora
