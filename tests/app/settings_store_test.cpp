#include "app/settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/drive_map.h"

namespace velmora {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-settings-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    m_file = m_folder + "/conf/Quarn20.conf";
  }
  void TearDown() override {
    std::filesystem::remove_all(m_folder);
    ::unsetenv("VELMORA_DRIVE_Q");
  }
  void WriteConf(const std::string& text) {
    std::filesystem::create_directories(m_folder + "/conf");
    std::ofstream(m_file) << text;
  }
  std::string ReadConf() {
    std::ifstream file(m_file);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::string m_folder, m_file;
};

TEST_F(SettingsStoreTest, MissingFileAndValuesGiveTheDefaults) {
  CBuildSettings settings;
  settings.Internet = 7;
  CSettingsStore store(m_file);
  ASSERT_TRUE(store.Load(settings));
  EXPECT_EQ(settings.Internet, 7);  // untouched without a file

  WriteConf("[Build_Performance]\nBuildIndex=0\nInternet = 1\r\nCheckAllImages=yes\n");
  CBuildSettings fromFile;
  ASSERT_TRUE(CSettingsStore(m_file).Load(fromFile));
  EXPECT_EQ(fromFile.Internet, 1);
  EXPECT_EQ(fromFile.BuildIndex, 0);
  EXPECT_EQ(fromFile.CheckAllImages, 1);  // not an integer: the default stays
  EXPECT_EQ(fromFile.BuildCollections, 1);
  EXPECT_EQ(fromFile.AllowForwardSlashes, 0);
}

TEST_F(SettingsStoreTest, ValuesOutsideTheirSectionAreNotSettings) {
  WriteConf("Internet=1\n[Other]\nBuildIndex=0\n[Build_Performance]\nCheckNameRefs=0\n");
  CBuildSettings settings;
  CSettingsStore(m_file).Load(settings);
  EXPECT_EQ(settings.Internet, 0);
  EXPECT_EQ(settings.BuildIndex, 1);
  EXPECT_EQ(settings.CheckNameRefs, 0);
}

TEST_F(SettingsStoreTest, SaveWritesTheSevenInOrderAndRoundTrips) {
  CBuildSettings settings;
  settings.Internet = 1;
  settings.BuildPrintPages = 0;
  settings.AllowForwardSlashes = 5;                    // any integer is kept as it is
  ASSERT_TRUE(CSettingsStore(m_file).Save(settings));  // makes the missing folder
  EXPECT_EQ(ReadConf(),
            "[Build_Performance]\nInternet=1\nBuildIndex=1\nBuildCollections=1\n"
            "BuildPrintPages=0\nCheckNameRefs=1\nCheckAllImages=1\nAllowForwardSlashes=5\n");
  CBuildSettings back;
  CSettingsStore(m_file).Load(back);
  EXPECT_EQ(back.Internet, 1);
  EXPECT_EQ(back.BuildPrintPages, 0);
  EXPECT_EQ(back.AllowForwardSlashes, 5);
  EXPECT_FALSE(std::filesystem::exists(m_file + ".tmp-" + std::to_string(::getpid())));
}

TEST_F(SettingsStoreTest, SaveKeepsDrivesCommentsAndUnknownValues) {
  WriteConf(
      "; my settings\n[Drives]\nC=/srv/sites\n\n[Build_Performance]\nInternet=1\n"
      "Colour=blue\nBuildIndex=0\n");
  CBuildSettings settings;
  CSettingsStore store(m_file);
  store.Load(settings);
  settings.Internet = 0;
  ASSERT_TRUE(store.Save(settings));
  EXPECT_EQ(ReadConf(),
            "; my settings\n[Drives]\nC=/srv/sites\n\n[Build_Performance]\nInternet=0\n"
            "BuildIndex=0\nBuildCollections=1\nBuildPrintPages=1\nCheckNameRefs=1\n"
            "CheckAllImages=1\nAllowForwardSlashes=0\nColour=blue\n");

  // A file without the section gets it at the top, the rest after it.
  WriteConf("[Drives]\nD=/data\n");
  ASSERT_TRUE(CSettingsStore(m_file).Save(settings));
  std::string text = ReadConf();
  EXPECT_EQ(text.find("[Build_Performance]\nInternet=0\n"), 0u);
  EXPECT_NE(text.find("\n[Drives]\nD=/data\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, SavingOneSectionKeepsEveryOtherSectionAsItWas) {
  const std::string before =
      "; kept by hand\n[Build_Performance]\nInternet=1\nBuildIndex=0\n\n[Drives]\n"
      "C=/srv/sites\nD = /data\n[Recent File List]\nFile1=/a/site.txt\nFile2=/b/site.txt\n"
      "[Plug-ins]\nColour=blue\n; note\n";
  const std::string after =
      "; kept by hand\n[Build_Performance]\nInternet=1\nBuildIndex=0\n\n[Drives]\n"
      "C=/srv/sites\nD = /data\n[Recent File List]\nFile1=/c/site.txt\n"
      "[Plug-ins]\nColour=blue\n; note\n";
  WriteConf(before);
  CSettingsStore store(m_file);
  CBuildSettings settings;
  ASSERT_TRUE(store.Load(settings));
  ASSERT_TRUE(store.SaveSection("Recent File List", {{"File1", "/c/site.txt"}}));
  EXPECT_EQ(ReadConf(), after);
  // And the other way: saving the switches leaves the recent files and unknown sections alone.
  CSettingsStore again(m_file);
  ASSERT_TRUE(again.Load(settings));
  ASSERT_TRUE(again.Save(settings));
  const std::string saved = ReadConf();
  EXPECT_NE(saved.find("\n[Drives]\nC=/srv/sites\nD = /data\n[Recent File List]\n"
                       "File1=/c/site.txt\n[Plug-ins]\nColour=blue\n; note\n"),
            std::string::npos)
      << saved;
}

// A settings file kept elsewhere (a dotfiles folder) and linked into place stays linked, and a
// file its owner made private stays private.
TEST_F(SettingsStoreTest, SaveWritesThroughALinkAndKeepsThePermissions) {
  namespace fs = std::filesystem;
  fs::create_directories(m_folder + "/dotfiles/deeper");
  fs::create_directories(m_folder + "/conf");
  const std::string real = m_folder + "/dotfiles/deeper/velmora.conf";
  std::ofstream(real) << "[Drives]\nD=/data\n";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  // A relative link to a second link, which names the file.
  fs::create_symlink("deeper/velmora.conf", m_folder + "/dotfiles/link.conf");
  fs::create_symlink("../dotfiles/link.conf", m_file);

  CBuildSettings settings;
  settings.Internet = 1;
  ASSERT_TRUE(CSettingsStore(m_file).Save(settings));
  EXPECT_TRUE(fs::is_symlink(m_file));
  EXPECT_TRUE(fs::is_symlink(m_folder + "/dotfiles/link.conf"));
  EXPECT_EQ(fs::read_symlink(m_file), "../dotfiles/link.conf");
  EXPECT_NE(ReadConf().find("Internet=1\n"), std::string::npos);
  EXPECT_NE(ReadConf().find("[Drives]\nD=/data\n"), std::string::npos);
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  for (const auto& entry : fs::directory_iterator(m_folder + "/dotfiles/deeper"))
    EXPECT_EQ(entry.path().filename(), "velmora.conf");  // no temporary file left

  // A link to a file not made yet: the file is made where the link points.
  fs::remove(real);
  ASSERT_TRUE(CSettingsStore(m_file).Save(settings));
  EXPECT_TRUE(fs::is_symlink(m_file));
  EXPECT_NE(ReadConf().find("Internet=1\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, DrivesAreMappedAndTheEnvironmentWins) {
  WriteConf("[Drives]\nQ=/srv/q\nr:=/srv/r/\nS=relative/folder\nTT=/nowhere\n");
  ::setenv("VELMORA_DRIVE_Q", "/from/env", 1);
  CDriveMap map;
  CBuildSettings settings;
  CSettingsStore store(m_file);
  store.Load(settings);
  store.ApplyDrives(map);
  EXPECT_EQ(map.HostFolder('Q'), "/from/env");
  EXPECT_EQ(map.HostFolder('R'), "/srv/r");
  EXPECT_EQ(map.HostFolder('S'), "");  // a relative folder is not taken
  EXPECT_EQ(map.HostFolder('T'), "");
}

TEST_F(SettingsStoreTest, FileLocationFollowsTheEnvironment) {
  const char* saved = std::getenv("VELMORA_CONFIG");
  std::string savedConfig = saved ? saved : "";
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  std::string savedXdgValue = savedXdg ? savedXdg : "";

  ::setenv("VELMORA_CONFIG", "/x/y.conf", 1);
  EXPECT_EQ(SettingsFilePath(), "/x/y.conf");
  ::unsetenv("VELMORA_CONFIG");
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(SettingsFilePath(), "/cfg/Tarnwick College/Quarn20.conf");
  ::unsetenv("XDG_CONFIG_HOME");
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(SettingsFilePath(), std::string(home) + "/.config/Tarnwick College/Quarn20.conf");
  }

  if (saved)
    ::setenv("VELMORA_CONFIG", savedConfig.c_str(), 1);
  if (savedXdg)
    ::setenv("XDG_CONFIG_HOME", savedXdgValue.c_str(), 1);
}

TEST(SettingNames, LookupIgnoresCase) {
  CBuildSettings settings;
  ASSERT_NE(SettingByName(settings, "checkallimages"), nullptr);
  EXPECT_EQ(SettingByName(settings, "checkallimages"), &settings.CheckAllImages);
  EXPECT_EQ(SettingByName(settings, "Images"), nullptr);
}

}  // namespace
}  // namespace velmora
