// The Windows host disk on a folder mapped as C:: names in other scripts or in the code page
// are files, names of devices are refused, a write replaces the whole file or nothing, and
// temporary files of a process that ended go with the next write into their folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/disk.h"
#include "platform/win/wide_text.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<CDirEntry> entries;
  EXPECT_TRUE(TestContext().Disk().ListFolder(folder, entries));
  std::vector<std::string> names;
  for (const CDirEntry& entry : entries) names.push_back(entry.m_strName);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WindowsDisk, UnicodeNamesAreFilesAndDeviceNamesAreRefused) {
  CTempDrive drive('C');
  bool bExisted = true;
  ASSERT_TRUE(TestContext().Disk().MakeFolder("C:\\site", bExisted));
  EXPECT_FALSE(bExisted);
  for (const char* name : {"caf\xC3\xA9.html", "\xE6\x9D\xB1.html", "console.html"})
    ASSERT_TRUE(TestContext().Disk().WriteFile(std::string("C:\\site\\") + name, name)) << name;
  // A name in Windows-1252 bytes is the same file as its UTF-8 spelling.
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\site\\caf\xE9.html", "1252"));
  std::string bytes;
  for (const char* device : {"con.html", "AUX", "nul .txt", "com1.html", "lpt9", "conout$"}) {
    const std::string path = std::string("C:\\site\\") + device;
    EXPECT_FALSE(TestContext().Disk().WriteFile(path, "lost")) << device;
    EXPECT_FALSE(TestContext().Disk().ReadFile(path, bytes)) << device;
    EXPECT_FALSE(TestContext().Disk().FileExists(path)) << device;
    EXPECT_FALSE(TestContext().Disk().MakeFolder(path + "\\x", bExisted)) << device;
  }
  EXPECT_EQ(Names("C:\\site"),
            (std::vector<std::string>{"caf\xC3\xA9.html", "console.html", "\xE6\x9D\xB1.html"}));
  ASSERT_TRUE(TestContext().Disk().ReadFile("C:\\site\\caf\xC3\xA9.html", bytes));
  EXPECT_EQ(bytes, "1252");
  EXPECT_TRUE(TestContext().Disk().FileExists("C:\\site\\console.html"));
  EXPECT_FALSE(TestContext().Disk().FolderExists("C:\\site\\console.html"));
  EXPECT_TRUE(TestContext().Disk().FolderExists("C:\\site"));
  EXPECT_FALSE(TestContext().Disk().ReadFile("C:\\site", bytes));
  EXPECT_FALSE(TestContext().Disk().ReadFile("C:\\site\\console.html", bytes, 3));
  EXPECT_TRUE(TestContext().Disk().RemoveFile("C:\\site\\console.html"));
  EXPECT_FALSE(TestContext().Disk().FileExists("C:\\site\\console.html"));
}

TEST(WindowsDisk, AWriteReplacesTheWholeFileOrLeavesIt) {
  CTempDrive drive('C');
  drive.Write("page.html", std::string(100000, 'o'));
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\page.html", "new"));
  EXPECT_EQ(drive.Read("page.html"), "new");

  // A read-only file and a folder are not replaced.
  drive.Write("locked.html", "kept");
  const std::wstring locked = WideFromBytes(drive.HostFolder() + "\\locked.html");
  ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(TestContext().Disk().WriteFile("C:\\locked.html", "new"));
  EXPECT_EQ(drive.Read("locked.html"), "kept");
  ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool bExisted = false;
  ASSERT_TRUE(TestContext().Disk().MakeFolder("C:\\folder.html", bExisted));
  EXPECT_FALSE(TestContext().Disk().WriteFile("C:\\folder.html", "new"));
  EXPECT_FALSE(TestContext().Disk().WriteFile("C:\\missing\\page.html", "new"));
  EXPECT_EQ(Names("C:\\"), (std::vector<std::string>{"folder.html", "locked.html", "page.html"}));
}

TEST(WindowsDisk, TemporaryFilesOfEndedProcessesAreSweptOnce) {
  CTempDrive drive('C');
  // Process numbers are multiples of four: 4094 + 1 is no process's.
  drive.Write(".velmora-4095-0.tmp", "left by a killed build");
  drive.Write(".velmora-" + std::to_string(::GetCurrentProcessId()) + "-99.tmp", "mine");
  drive.Write(".velmora-x-0.tmp", "not one of ours");
  TestContext().Disk().ForgetSweptFolders();
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\page.html", "page"));
  EXPECT_FALSE(drive.Exists(".velmora-4095-0.tmp"));
  EXPECT_TRUE(drive.Exists(".velmora-" + std::to_string(::GetCurrentProcessId()) + "-99.tmp"));
  EXPECT_TRUE(drive.Exists(".velmora-x-0.tmp"));
}

TEST(WindowsDisk, StampsTellAReplacedFileFromTheOldOne) {
  CTempDrive drive('C');
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\a.txt", "one"));
  CFileStamp before, after;
  ASSERT_TRUE(TestContext().Disk().Stamp("C:\\a.txt", before));
  EXPECT_EQ(before.m_nSize, 3);
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\a.txt", "two"));
  ASSERT_TRUE(TestContext().Disk().Stamp("C:\\a.txt", after));
  EXPECT_NE(before, after);
  EXPECT_FALSE(TestContext().Disk().Stamp("C:\\", after));
  std::int64_t seconds = 0;
  ASSERT_TRUE(TestContext().Disk().ModificationTime("C:\\a.txt", seconds));
  EXPECT_GT(seconds, 1600000000);
}

}  // namespace
}  // namespace velmora
