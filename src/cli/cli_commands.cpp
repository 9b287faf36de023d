#include "cli/cli_commands.h"

#include <cstdint>

namespace velmora {

namespace {
// Where the descriptions start in the usage lists.
const size_t kTextColumn = 28;

std::string Padded(const std::string& left, const char* text) {
  if (left.size() + 1 >= kTextColumn)
    return left + "\n" + std::string(kTextColumn, ' ') + text + "\n";
  return left + std::string(kTextColumn - left.size(), ' ') + text + "\n";
}

std::string OptionLines(const std::vector<CCliOption>& options) {
  std::string lines;
  for (const CCliOption& option : options) {
    std::string left = std::string("  ") + option.m_szName;
    if (option.m_szValue)
      left += std::string(" ") + option.m_szValue;
    lines += Padded(left, option.m_szText);
  }
  return lines;
}
}  // namespace

const std::vector<CCliCommand>& CliCommands() {
  static const std::vector<CCliCommand> commands = {
      {"interpret",
       "SCRIPT",
       1,
       1,
       "interpret the script and print the report",
       {},
       "",
       "velmora interpret ~/mysite/script.txt"},
      {"build",
       "SCRIPT [PUBLISHED...]",
       1,
       SIZE_MAX,
       "build all pages, or the named ones",
       {},
       "A published name is the page's path relative to the site catalog, with / or \\.\n"
       "The report goes to standard output, the alerts at the end to standard error.",
       "velmora build ~/mysite/script.txt pages/pageone.html"},
      {"check",
       "SCRIPT [PUBLISHED...]",
       1,
       SIZE_MAX,
       "check all pages, or the named ones",
       {},
       "Web links are probed only when working online (--online or the Internet setting).",
       "velmora --online check ~/mysite/script.txt"},
      {"print",
       "SCRIPT [--text] [--output FILE]",
       1,
       1,
       "make the one printable page of the site",
       {{"--text", nullptr, "text only, without markup"},
        {"--output", "FILE", "write the page to FILE"}},
       "The page is written to the site catalog as Pall.html, or Pall.txt with --text.",
       "velmora print ~/mysite/script.txt --text"},
      {"replace",
       "SCRIPT --find TEXT --with TEXT (--all | FILE...)",
       1,
       SIZE_MAX,
       "replace a text in site files",
       {{"--find", "TEXT", "the text to replace (not empty, case-sensitive)"},
        {"--with", "TEXT", "the replacement; #PLACE loads it from PLACE"},
        {"--all", nullptr, "every file of the site (templates, pages, blocks)"}},
       "Each FILE must be a file of the site. There is no undo. The count of replacements\n"
       "goes to standard output.",
       "velmora replace ~/mysite/script.txt --find 2025 --with 2026 --all"},
      {"new",
       "[SCRIPT|FOLDER] [--frames] [--templates DIR|URL] [--resources DIR|URL]\n"
       "    [--style classic|modern] [--language TAG]",
       0,
       1,
       "write a starter script",
       {{"--frames", nullptr, "a site with frames"},
        {"--templates", "DIR|URL", "templates from this folder or address"},
        {"--resources", "DIR|URL", "layout resources from this folder or address"},
        {"--style", "classic|modern", "modern: HTML5 templates and stylesheet too"},
        {"--language", "TAG", "the modern pages' language (default en)"}},
       "A FOLDER gets FOLDER/script.txt. Without SCRIPT the site is ~/mysite, or ~/mysiteN for\n"
       "the first N not yet taken. A file given as DIR stands for its folder. The first build\n"
       "writes the templates, blocks and resources. The modern style (a site without frames)\n"
       "writes the site's own templates and stylesheet at once.",
       "velmora new ~/mysite"},
      {"convert",
       "SCRIPT",
       1,
       1,
       "convert an older script, its blocks and templates",
       {},
       "",
       "velmora convert ~/oldsite/script.txt"},
      {"settings",
       "[NAME=0|1 ...]",
       0,
       SIZE_MAX,
       "show, or change and store, the seven settings",
       {},
       "Settings: Internet BuildIndex BuildCollections BuildPrintPages CheckNameRefs\n"
       "CheckAllImages AllowForwardSlashes. Only this command writes the settings file.",
       "velmora settings Internet=1"},
      {"serve",
       "SCRIPT [--port N] [--bind ADDR]",
       1,
       1,
       "build, serve the site, rebuild on change",
       {{"--port", "N", "the port (default 8020; 0: any free one)"},
        {"--bind", "ADDR", "the address to listen on (default 127.0.0.1)"}},
       "Builds the site as build does, then serves its catalog over HTTP until Ctrl-C.\n"
       "Every save of the script, a block, a template or a resource builds the site again\n"
       "and reloads the open pages; a build with errors shows them over the page.",
       "velmora serve ~/mysite/script.txt --port 0"},
      {"help",
       "[COMMAND]",
       0,
       1,
       "usage of every command, or of one",
       {},
       "",
       "velmora help build"},
  };
  return commands;
}

const std::vector<CCliOption>& GlobalOptions() {
  static const std::vector<CCliOption> options = {
      {"--online", nullptr, "the Internet setting on for this run only"},
      {"--offline", nullptr, "the Internet setting off for this run only"},
      {"--set", "NAME=0|1", "any setting for this run only (repeatable)"},
      {"--yes", nullptr, "answer Yes to every question, ask nothing"},
      {"--no", nullptr, "answer No to every question, ask nothing"},
      {"--quiet", nullptr, "print only the alert lines"},
      {"--host-paths", nullptr, "host paths in the report (also VELMORA_HOST_PATHS=1)"},
      {"--help", nullptr, "this text, or with a command its help (also -h)"},
      {"--version", nullptr, "the program's version"},
  };
  return options;
}

const CCliCommand* FindCliCommand(const std::string& name) {
  for (const CCliCommand& command : CliCommands())
    if (name == command.m_szName)
      return &command;
  return nullptr;
}

const CCliOption* FindCliOption(const CCliCommand* pCommand, const std::string& name) {
  for (const CCliOption& option : pCommand ? pCommand->m_options : GlobalOptions())
    if (name == option.m_szName)
      return &option;
  return nullptr;
}

std::string UsageText() {
  std::string text = "Usage: velmora [OPTIONS] COMMAND [ARGS]\nCommands:\n";
  for (const CCliCommand& command : CliCommands())
    text += Padded(std::string("  ") + command.m_szName + " " + command.m_szArguments,
                   command.m_szSummary);
  text += "Options:\n" + OptionLines(GlobalOptions());
  text +=
      "SCRIPT and FILE are host paths (~/mysite/script.txt) or paths such as "
      "C:\\site\\script.txt.\n"
      "Exit status: 0 no errors, 1 errors reported, 2 could not run, 64 usage error.\n"
      "'velmora help COMMAND' describes one command.\n";
  return text;
}

std::string CommandHelpText(const CCliCommand& command) {
  std::string text = std::string("velmora ") + command.m_szName + ": " + command.m_szSummary +
                     "\n\nUsage: velmora [OPTIONS] " + command.m_szName + " " +
                     command.m_szArguments + "\n";
  if (*command.m_szDetails)
    text += std::string("\n") + command.m_szDetails + "\n";
  if (!command.m_options.empty())
    text += "\nOptions:\n" + OptionLines(command.m_options);
  text += "\nGlobal options (any command): see 'velmora --help'.\n";
  text += std::string("\nExample:\n  ") + command.m_szExample + "\n";
  return text;
}

}  // namespace velmora
