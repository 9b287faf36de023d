// The man page, the shell completions and the help texts against the commands and options the
// program accepts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"

namespace velmora {
namespace {

std::string ReadSourceFile(const std::string& name) {
  std::ifstream file(std::string(VELMORA_SOURCE_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The man page as plain text: font changes and escapes taken out, "\-" made "-".
std::string ManPageLines() {
  std::string text = std::regex_replace(ReadSourceFile("doc/velmora.1"), std::regex(R"(\\-)"), "-");
  return std::regex_replace(text, std::regex(R"(\\f[BIRP]|\\\||\\e)"), "");
}

// What the man page names: the commands of its COMMANDS section with the options described
// under each, and the options of its OPTIONS section (the global ones).
struct CManPage {
  std::map<std::string, std::set<std::string>> m_commands;
  std::set<std::string> m_globalOptions;
  std::set<std::string> m_elsewhere;  // options named in other sections
};

CManPage ReadManPage() {
  CManPage page;
  std::istringstream lines(ManPageLines());
  std::string line, section, command;
  bool bEntry = false;  // the line after .TP names the entry
  int depth = 0;        // inside .RS ... .RE: a command's own options
  const std::regex option(R"(--[a-z][a-z-]*)");
  while (std::getline(lines, line)) {
    if (line.rfind(".SH ", 0) == 0) {
      section = line.substr(4);
      continue;
    }
    if (line == ".TP") {
      bEntry = true;
      continue;
    }
    if (line == ".RS")
      ++depth;
    if (line == ".RE")
      --depth;
    const bool bHead = bEntry;
    bEntry = false;
    if (section == "COMMANDS" && bHead && depth == 0) {
      std::istringstream words(line.substr(line.find(' ') + 1));
      words >> command;
      page.m_commands[command];
    }
    for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it) {
      if (section == "COMMANDS" && (depth > 0 || bHead))
        page.m_commands[command].insert(it->str());
      else if (section == "OPTIONS" && bHead)
        page.m_globalOptions.insert(it->str());
      else
        page.m_elsewhere.insert(it->str());
    }
  }
  return page;
}

// A command line that uses the option, with a value of the kind its placeholder names.
std::vector<std::string> CommandLineWith(const std::string& command, const CCliOption& option) {
  std::vector<std::string> args;
  if (!command.empty())
    args.push_back(command);
  args.push_back(option.m_szName);
  if (option.m_szValue)
    args.push_back(std::string(option.m_szValue) == "NAME=0|1" ? "Internet=1" : "x");
  args.push_back("--help");  // the command's own arguments are not needed then
  return args;
}

TEST(CliHelp, ManPageNamesExactlyTheCommandsAndOptionsOfTheProgram) {
  const CManPage page = ReadManPage();
  ASSERT_FALSE(page.m_commands.empty());

  // Every command and option of the man page is accepted by the parser, where it is listed.
  for (const auto& [name, options] : page.m_commands) {
    const CCliCommand* pCommand = FindCliCommand(name);
    ASSERT_TRUE(pCommand) << "the man page describes an unknown command " << name;
    for (const std::string& optionName : options) {
      const CCliOption* pOption = FindCliOption(pCommand, optionName);
      ASSERT_TRUE(pOption) << name << " has no option " << optionName;
      CCliOptions parsed;
      std::string error;
      EXPECT_TRUE(ParseArguments(CommandLineWith(name, *pOption), parsed, error))
          << name << " " << optionName << ": " << error;
    }
  }
  for (const std::string& optionName : page.m_globalOptions) {
    const CCliOption* pOption = FindCliOption(nullptr, optionName);
    ASSERT_TRUE(pOption) << "the man page describes an unknown option " << optionName;
    CCliOptions parsed;
    std::string error;
    EXPECT_TRUE(ParseArguments(CommandLineWith("", *pOption), parsed, error)) << error;
  }
  for (const std::string& optionName : page.m_elsewhere) {
    bool bKnown = FindCliOption(nullptr, optionName);
    for (const CCliCommand& command : CliCommands())
      bKnown = bKnown || FindCliOption(&command, optionName);
    EXPECT_TRUE(bKnown) << "the man page mentions an unknown option " << optionName;
  }

  // And the reverse: everything the program accepts is in the man page, in its place.
  for (const CCliCommand& command : CliCommands()) {
    auto it = page.m_commands.find(command.m_szName);
    ASSERT_NE(it, page.m_commands.end()) << "the man page lacks the command " << command.m_szName;
    for (const CCliOption& option : command.m_options)
      EXPECT_TRUE(it->second.contains(option.m_szName))
          << "the man page lacks " << command.m_szName << " " << option.m_szName;
  }
  for (const CCliOption& option : GlobalOptions())
    EXPECT_TRUE(page.m_globalOptions.contains(option.m_szName))
        << "the man page lacks the option " << option.m_szName;
}

TEST(CliHelp, CompletionsOfferEveryCommandAndOption) {
  for (const char* file : {"dist/completions/velmora.bash", "dist/completions/_velmora"}) {
    const std::string text = ReadSourceFile(file);
    auto offers = [&text](const std::string& word) {
      return std::regex_search(text, std::regex("[ '(\"*)|]" + word + "[ :\\[)'\"|]"));
    };
    for (const CCliCommand& command : CliCommands()) {
      EXPECT_TRUE(offers(command.m_szName)) << file << " lacks " << command.m_szName;
      for (const CCliOption& option : command.m_options)
        EXPECT_TRUE(offers(option.m_szName)) << file << " lacks " << option.m_szName;
    }
    for (const CCliOption& option : GlobalOptions())
      EXPECT_TRUE(offers(option.m_szName)) << file << " lacks " << option.m_szName;
  }
}

// Each command's help has its synopsis, its options and an example that the program accepts.
TEST(CliHelp, EveryCommandHasHelpWithAWorkingExample) {
  for (const CCliCommand& command : CliCommands()) {
    const std::string help = CommandHelpText(command);
    const std::string name = command.m_szName;
    EXPECT_NE(help.find("Usage: velmora [OPTIONS] " + name + " "), std::string::npos) << help;
    for (const CCliOption& option : command.m_options)
      EXPECT_NE(help.find(std::string("\n  ") + option.m_szName), std::string::npos) << help;
    EXPECT_NE(UsageText().find("\n  " + name + " "), std::string::npos) << name;

    const std::string marker = "Example:\n  velmora ";
    const size_t example = help.find(marker);
    ASSERT_NE(example, std::string::npos) << help;
    const size_t start = example + marker.size();
    std::istringstream words(help.substr(start, help.find('\n', start) - start));
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    CCliOptions parsed;
    std::string error;
    EXPECT_TRUE(ParseArguments(args, parsed, error)) << help << error;
    EXPECT_EQ(parsed.m_strCommand, name);
  }
}

}  // namespace
}  // namespace velmora
