#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

bool Parse(std::vector<std::string> args, CCliOptions& options) {
  std::string error;
  return ParseArguments(args, options, error);
}

bool Refused(std::vector<std::string> args) {
  CCliOptions options;
  std::string error;
  bool ok = ParseArguments(args, options, error);
  EXPECT_TRUE(ok || !error.empty());
  return !ok;
}

TEST(CliOptions, GlobalOptionsAnywhereAndCommandOptions) {
  CCliOptions options;
  ASSERT_TRUE(Parse({"--offline", "print", "site.txt", "--quiet", "--text", "--output=/tmp/p.txt",
                     "--set", "checkallimages=0", "--yes"},
                    options));
  EXPECT_EQ(options.m_strCommand, "print");
  EXPECT_EQ(options.m_args, std::vector<std::string>{"site.txt"});
  EXPECT_EQ(options.m_nInternet, 0);
  EXPECT_EQ(options.m_nAnswer, 1);
  EXPECT_TRUE(options.m_bQuiet);
  EXPECT_TRUE(options.m_bText);
  EXPECT_EQ(options.m_strOutput, "/tmp/p.txt");
  ASSERT_EQ(options.m_sets.size(), 1u);
  EXPECT_EQ(options.m_sets[0].first, "CheckAllImages");
  EXPECT_EQ(options.m_sets[0].second, 0);

  CCliOptions replace;
  ASSERT_TRUE(Parse(
      {"replace", "s.txt", "--find", "--yes", "--with", "", "a.html", "--", "--b.html"}, replace));
  EXPECT_EQ(replace.m_strFind, "--yes");  // a value is taken as it is
  EXPECT_EQ(replace.m_nAnswer, -1);
  EXPECT_EQ(replace.m_strWith, "");
  EXPECT_EQ(replace.m_args, (std::vector<std::string>{"s.txt", "a.html", "--b.html"}));

  CCliOptions create;
  ASSERT_TRUE(Parse({"new", "/tmp/s.txt", "--frames", "--templates", "http://x/t/"}, create));
  EXPECT_TRUE(create.m_bFrames);
  EXPECT_EQ(create.m_strTemplates, "http://x/t/");

  CCliOptions settings;
  ASSERT_TRUE(Parse({"settings", "internet=1", "AllowForwardSlashes=0"}, settings));
  ASSERT_EQ(settings.m_changes.size(), 2u);
  EXPECT_EQ(settings.m_changes[0], std::make_pair(std::string("Internet"), 1));

  CCliOptions help;
  EXPECT_TRUE(Parse({"--help"}, help));
  EXPECT_TRUE(help.m_bHelp);

  // The Internet setting given twice the same way is no contradiction.
  CCliOptions online;
  ASSERT_TRUE(Parse({"--online", "--set", "internet=1", "--host-paths", "check", "s.txt"}, online));
  EXPECT_EQ(online.m_nInternet, 1);
  EXPECT_TRUE(online.m_sets.empty());
  EXPECT_TRUE(online.m_bHostPaths);

  // A new site without a script takes the proposal; help names a command or none.
  CCliOptions proposal;
  ASSERT_TRUE(Parse({"new"}, proposal));
  EXPECT_TRUE(proposal.m_args.empty());
  CCliOptions helpBuild;
  ASSERT_TRUE(Parse({"help", "build"}, helpBuild));
  EXPECT_EQ(helpBuild.m_args, std::vector<std::string>{"build"});
}

TEST(CliOptions, UsageErrors) {
  EXPECT_TRUE(Refused({}));
  EXPECT_TRUE(Refused({"publish", "s.txt"}));
  EXPECT_TRUE(Refused({"interpret"}));
  EXPECT_TRUE(Refused({"interpret", "a.txt", "b.txt"}));
  EXPECT_TRUE(Refused({"build", "s.txt", "--text"}));  // an option of another command
  EXPECT_TRUE(Refused({"--yes", "--no", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--online", "--offline", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--offline", "--set", "Internet=1", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--set", "internet=0", "interpret", "s.txt", "--online"}));
  EXPECT_TRUE(Refused({"--set", "BuildIndex=0", "--set", "buildindex=1", "settings"}));
  EXPECT_TRUE(Refused({"build", ""}));  // an empty SCRIPT would name the working folder
  EXPECT_TRUE(Refused({"build", "s.txt", ""}));
  EXPECT_TRUE(Refused({"new", "a", "b"}));
  EXPECT_TRUE(Refused({"help", "publish"}));
  EXPECT_TRUE(Refused({"help", "build", "check"}));
  EXPECT_TRUE(Refused({"--host-paths=1", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--quiet=1", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--set", "Internet=2", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"--set", "Speed=1", "interpret", "s.txt"}));
  EXPECT_TRUE(Refused({"interpret", "s.txt", "--set"}));
  EXPECT_TRUE(Refused({"print", "s.txt", "--output"}));
  EXPECT_TRUE(Refused({"replace", "s.txt", "--find", "a", "--with", "b"}));  // no files, no --all
  EXPECT_TRUE(Refused({"replace", "s.txt", "--find", "a", "--with", "b", "--all", "x.html"}));
  EXPECT_TRUE(Refused({"replace", "s.txt", "--find", "", "--with", "b", "--all"}));
  EXPECT_TRUE(Refused({"replace", "s.txt", "--find", "a", "--all"}));
  EXPECT_TRUE(Refused({"settings", "Internet"}));
  EXPECT_TRUE(Refused({"settings", "Internet=on"}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "--port", "65536"}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "--port", "-1"}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "--port", "80x"}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "--bind="}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "--port="}));
  EXPECT_TRUE(Refused({"serve", "s.txt", "more.txt"}));
}

// The modern style makes the site's own templates, so it goes with neither frames nor
// templates or resources from elsewhere; its language ends up in an attribute of every page.
TEST(CliOptions, NewSiteStyleAndLanguage) {
  CCliOptions modern;
  ASSERT_TRUE(Parse({"new", "s.txt", "--style=modern", "--language", "de-CH"}, modern));
  EXPECT_EQ(modern.m_strStyle, "modern");
  EXPECT_EQ(modern.m_strLanguage, "de-CH");
  CCliOptions classic;
  ASSERT_TRUE(Parse({"new", "s.txt", "--frames"}, classic));
  EXPECT_EQ(classic.m_strStyle, "classic");

  EXPECT_TRUE(Refused({"new", "s.txt", "--style", "fancy"}));
  EXPECT_TRUE(Refused({"new", "s.txt", "--language", "fr"}));  // classic pages have no lang
  EXPECT_TRUE(Refused({"new", "s.txt", "--style", "modern", "--frames"}));
  EXPECT_TRUE(Refused({"new", "s.txt", "--style", "modern", "--templates", "/tmp/t"}));
  EXPECT_TRUE(Refused({"new", "s.txt", "--style", "modern", "--resources", "http://x/"}));
  EXPECT_TRUE(Refused({"new", "s.txt", "--style", "modern", "--language", "en\"x"}));
  EXPECT_TRUE(Refused({"build", "s.txt", "--style", "modern"}));
}

}  // namespace
}  // namespace velmora
