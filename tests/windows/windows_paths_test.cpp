// The Windows platform layer's paths and text: drive letters are the real drives unless
// mapped, host paths compare ignoring case, and bytes reach the system as UTF-16, Windows-1252
// where they are not UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/settings_store.h"
#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/win/wide_text.h"

namespace velmora {
namespace {

TEST(WindowsDriveMap, EveryLetterIsItsOwnDriveUntilMapped) {
  CDriveMap map;
  std::string host;
  ASSERT_TRUE(map.ToHost("c:\\site\\pages\\..\\index.html", host));
  EXPECT_EQ(host, "C:\\site\\index.html");
  ASSERT_TRUE(map.ToHost("D:", host));
  EXPECT_EQ(host, "D:\\");  // "D:" alone would be the working folder of that drive
  EXPECT_FALSE(map.ToHost("C:\\..\\x", host));
  EXPECT_FALSE(map.ToHost(std::string("C:\\a\0b", 6), host));

  map.SetDrive('q', "D:\\sites\\");
  ASSERT_TRUE(map.ToHost("Q:\\a/b.html", host));
  EXPECT_EQ(host, "D:\\sites\\a\\b.html");
  ASSERT_TRUE(map.ToHost("Q:\\", host));
  EXPECT_EQ(host, "D:\\sites");
  EXPECT_FALSE(map.ToHost("Q:\\..\\secret.txt", host));
  map.SetDrive('Q', "");
  EXPECT_FALSE(map.ToHost("Q:\\a", host));
}

TEST(WindowsDriveMap, HostPathsTakeTheMappedFolderWithTheLongestNameIgnoringCase) {
  CDriveMap map;
  map.SetDrive('Q', "D:\\sites");
  std::string internal;
  ASSERT_TRUE(map.ToInternal("d:\\SITES\\a\\b.html", internal));
  EXPECT_EQ(internal, "Q:\\a\\b.html");
  // A folder whose name only starts like the mapped one is not under it.
  ASSERT_TRUE(map.ToInternal("D:\\sitesold\\a", internal));
  EXPECT_EQ(internal, "D:\\sitesold\\a");
  ASSERT_TRUE(map.ToInternal("relative\\x.txt", internal));
  EXPECT_EQ(internal.substr(1, 2), ":\\");
  EXPECT_EQ(internal.substr(internal.size() - 15), "\\relative\\x.txt");

  EXPECT_TRUE(IsHostPath("\\\\server\\share\\a"));
  EXPECT_FALSE(IsHostPath("C:\\a"));
  EXPECT_TRUE(IsAbsoluteHostPath("D:\\a"));
  EXPECT_TRUE(IsAbsoluteHostPath("\\\\server\\share"));
  EXPECT_FALSE(IsAbsoluteHostPath("a\\b"));
  EXPECT_FALSE(IsAbsoluteHostPath("\\\\server"));
}

TEST(WindowsText, BytesThatAreNotUtf8AreWindows1252) {
  EXPECT_EQ(WideFromBytes("caf\xC3\xA9"), L"caf\u00E9");
  EXPECT_EQ(WideFromBytes("caf\xE9"), L"caf\u00E9");
  EXPECT_EQ(WideFromBytes("\x80 \x93q\x94 \x81"), L"\u20AC \u201Cq\u201D \u0081");
  EXPECT_EQ(Utf8FromWide(L"\u6771\u4EAC \U0001F600"), "\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8FromWide(WideFromBytes("caf\xE9")), "caf\xC3\xA9");
}

TEST(WindowsText, SystemPathsAreLongFormWithBackslashes) {
  EXPECT_EQ(SystemPath("C:\\site/pages\\con.html"), L"\\\\?\\C:\\site\\pages\\con.html");
  EXPECT_EQ(SystemPath("\\\\server\\share\\a"), L"\\\\?\\UNC\\server\\share\\a");
  EXPECT_EQ(SystemPath("relative\\a"), L"relative\\a");
}

TEST(WindowsEnvironment, ValuesAndTheSettingsFileAreUnicode) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"VELMORA_TEST_VALUE", L"D:\\caf\u00E9"));
  EXPECT_EQ(EnvironmentVariable("VELMORA_TEST_VALUE"), "D:\\caf\xC3\xA9");
  ::SetEnvironmentVariableW(L"VELMORA_TEST_VALUE", nullptr);
  EXPECT_EQ(EnvironmentVariable("VELMORA_TEST_VALUE"), "");

  ::SetEnvironmentVariableW(L"VELMORA_CONFIG", nullptr);
  ::SetEnvironmentVariableW(L"APPDATA", L"C:\\Users\\\u00C5sa\\AppData\\Roaming");
  EXPECT_EQ(SettingsFilePath(),
            "C:\\Users\\\xC3\x85sa\\AppData\\Roaming\\Tarnwick College\\Quarn20.conf");
}

}  // namespace
}  // namespace velmora
