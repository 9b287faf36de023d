#include "cli/cli_options.h"

#include "app/new_site.h"
#include "app/settings_store.h"
#include "cli/cli_commands.h"
#include "platform/strings.h"

namespace velmora {

namespace {

// Reads an option's value, either glued on with "=" or as the next argument.
class COptionReader {
 public:
  COptionReader(const std::vector<std::string>& args) : m_args(args) {}

  bool Done() const { return m_nNext >= m_args.size(); }
  // Takes the next argument; splits "--name=value" into the name and a pending value.
  std::string Take() {
    std::string arg = m_args[m_nNext++];
    m_bHasGlued = false;
    if (StartsWith(arg, "--")) {
      size_t equals = arg.find('=');
      if (equals != std::string::npos) {
        m_strGlued = arg.substr(equals + 1);
        m_bHasGlued = true;
        arg.resize(equals);
      }
    }
    return arg;
  }
  bool Value(const std::string& option, std::string& value, std::string& error) {
    if (m_bHasGlued) {
      value = m_strGlued;
      m_bHasGlued = false;
      return true;
    }
    if (Done()) {
      error = option + " needs a value";
      return false;
    }
    value = m_args[m_nNext++];
    return true;
  }
  // An option without value must not have been written with "=".
  bool NoValue(const std::string& option, std::string& error) {
    if (!m_bHasGlued)
      return true;
    error = option + " takes no value";
    return false;
  }

 private:
  const std::vector<std::string>& m_args;
  size_t m_nNext = 0;
  std::string m_strGlued;
  bool m_bHasGlued = false;
};

// Sets a three-state option, refusing a contradiction such as --yes with --no.
bool SetChoice(int& choice, int value, const std::string& option, std::string& error) {
  if (choice != -1 && choice != value) {
    error = option + " contradicts an earlier option";
    return false;
  }
  choice = value;
  return true;
}

bool GlobalOption(const std::string& arg, COptionReader& reader, CCliOptions& options,
                  std::string& error, bool& bKnown) {
  bKnown = arg == "-h" || FindCliOption(nullptr, arg);
  if (!bKnown)
    return true;
  if (arg == "--online" || arg == "--offline")
    return reader.NoValue(arg, error) &&
           SetChoice(options.m_nInternet, arg == "--online" ? 1 : 0, arg, error);
  if (arg == "--yes" || arg == "--no")
    return reader.NoValue(arg, error) &&
           SetChoice(options.m_nAnswer, arg == "--yes" ? 1 : 0, arg, error);
  if (arg == "--quiet")
    return reader.NoValue(arg, error) && (options.m_bQuiet = true);
  if (arg == "--host-paths")
    return reader.NoValue(arg, error) && (options.m_bHostPaths = true);
  if (arg == "--help" || arg == "-h")
    return reader.NoValue(arg, error) && (options.m_bHelp = true);
  if (arg == "--version")
    return reader.NoValue(arg, error) && (options.m_bVersion = true);
  if (arg == "--set") {
    std::string text, name;
    int value = 0;
    if (!reader.Value(arg, text, error))
      return false;
    if (!ParseSettingAssignment(text, name, value)) {
      error = "--set needs NAME=0 or NAME=1 with a setting name, not \"" + text + "\"";
      return false;
    }
    // The Internet setting is the one --online and --offline give: all three must agree.
    if (name == "Internet")
      return SetChoice(options.m_nInternet, value, "--set " + text, error);
    for (const auto& [setName, setValue] : options.m_sets) {
      if (setName == name && setValue != value) {
        error = "--set " + text + " contradicts an earlier option";
        return false;
      }
    }
    options.m_sets.emplace_back(name, value);
    return true;
  }
  return true;
}

bool CommandOption(const std::string& arg, COptionReader& reader, CCliOptions& options,
                   std::string& error, bool& bKnown) {
  const std::string& command = options.m_strCommand;
  bKnown = FindCliOption(FindCliCommand(command), arg);
  if (!bKnown)
    return true;
  if (command == "print") {
    if (arg == "--text")
      return reader.NoValue(arg, error) && (options.m_bText = true);
    if (arg == "--output")
      return reader.Value(arg, options.m_strOutput, error);
  } else if (command == "replace") {
    if (arg == "--find")
      return (options.m_bFindGiven = true) && reader.Value(arg, options.m_strFind, error);
    if (arg == "--with")
      return (options.m_bWithGiven = true) && reader.Value(arg, options.m_strWith, error);
    if (arg == "--all")
      return reader.NoValue(arg, error) && (options.m_bAll = true);
  } else if (command == "new") {
    if (arg == "--frames")
      return reader.NoValue(arg, error) && (options.m_bFrames = true);
    if (arg == "--templates")
      return reader.Value(arg, options.m_strTemplates, error);
    if (arg == "--resources")
      return reader.Value(arg, options.m_strResources, error);
    if (arg == "--style")
      return reader.Value(arg, options.m_strStyle, error);
    if (arg == "--language")
      return reader.Value(arg, options.m_strLanguage, error);
  } else if (command == "serve") {
    if (arg == "--port")
      return (options.m_bPortGiven = true) && reader.Value(arg, options.m_strPort, error);
    if (arg == "--bind")
      return (options.m_bBindGiven = true) && reader.Value(arg, options.m_strBind, error);
  }
  return true;
}

// The modern style writes the site's own templates and stylesheet for a site without frames;
// the language goes into those templates only.
bool CheckNewSiteStyle(const CCliOptions& options, std::string& error) {
  ETemplateStyle style = ETemplateStyle::kClassic;
  if (!StyleFromName(options.m_strStyle, style)) {
    error = "--style takes classic or modern, not \"" + options.m_strStyle + "\"";
    return false;
  }
  if (style == ETemplateStyle::kClassic) {
    if (!options.m_strLanguage.empty())
      error = "--language goes with --style modern";
  } else if (options.m_bFrames || !options.m_strTemplates.empty() ||
             !options.m_strResources.empty()) {
    error =
        "--style modern writes the site's own templates: no --frames, --templates or "
        "--resources";
  } else if (!options.m_strLanguage.empty() && !IsLanguageTag(options.m_strLanguage)) {
    error = "--language needs a language tag such as en or de-CH, not \"" + options.m_strLanguage +
            "\"";
  }
  return error.empty();
}

// The checks that need the whole command line.
bool CheckCommandLine(CCliOptions& options, std::string& error) {
  const CCliCommand* pShape = FindCliCommand(options.m_strCommand);
  size_t count = options.m_args.size();
  // An empty argument names no script, file or page; taken as one it would name a folder.
  for (const std::string& arg : options.m_args) {
    if (arg.empty()) {
      error = "an empty argument for " + options.m_strCommand;
      return false;
    }
  }
  if (count < pShape->m_nMinArgs) {
    error = options.m_strCommand + " needs " +
            (options.m_strCommand == "settings" ? "arguments" : "a SCRIPT");
    return false;
  }
  if (count > pShape->m_nMaxArgs) {
    error = "too many arguments for " + options.m_strCommand;
    return false;
  }
  if (options.m_strCommand == "replace") {
    if (!options.m_bFindGiven || !options.m_bWithGiven) {
      error = "replace needs --find TEXT and --with TEXT";
      return false;
    }
    if (options.m_strFind.empty()) {
      error = "--find needs a text that is not empty";
      return false;
    }
    if (options.m_bAll == (count > 1)) {
      error = "replace needs either --all or FILE arguments";
      return false;
    }
  }
  if (options.m_strCommand == "serve") {
    const std::string& port = options.m_strPort;
    if (options.m_bPortGiven) {
      bool bDigits = !port.empty() && port.size() <= 5 &&
                     port.find_first_not_of("0123456789") == std::string::npos;
      options.m_nPort = bDigits ? std::stoi(port) : -1;
      if (options.m_nPort < 0 || options.m_nPort > 65535) {
        error = "--port needs a number from 0 to 65535, not \"" + port + "\"";
        return false;
      }
    }
    if (options.m_strBind.empty() && options.m_bBindGiven) {
      error = "--bind needs an address";
      return false;
    }
  }
  if (options.m_strCommand == "new" && !CheckNewSiteStyle(options, error))
    return false;
  if (options.m_strCommand == "help" && count == 1 && !FindCliCommand(options.m_args[0])) {
    error = "no command \"" + options.m_args[0] + "\" to describe";
    return false;
  }
  if (options.m_strCommand == "settings") {
    for (const std::string& arg : options.m_args) {
      std::string name;
      int value = 0;
      if (!ParseSettingAssignment(arg, name, value)) {
        error = "settings takes NAME=0 or NAME=1 with a setting name, not \"" + arg + "\"";
        return false;
      }
      options.m_changes.emplace_back(name, value);
    }
  }
  return true;
}
}  // namespace

bool ParseSettingAssignment(const std::string& text, std::string& name, int& value) {
  size_t equals = text.find('=');
  if (equals == std::string::npos)
    return false;
  std::string wanted = text.substr(0, equals);
  std::string number = text.substr(equals + 1);
  if (number != "0" && number != "1")
    return false;
  for (const char* known : kSettingNames) {
    if (EqualsNoCase(wanted, known)) {
      name = known;
      value = number == "1" ? 1 : 0;
      return true;
    }
  }
  return false;
}

bool ParseArguments(const std::vector<std::string>& args, CCliOptions& options,
                    std::string& error) {
  COptionReader reader(args);
  bool bOptionsEnded = false;
  while (!reader.Done()) {
    std::string arg = reader.Take();
    bool bOption = !bOptionsEnded && arg.size() > 1 && arg[0] == '-';
    if (bOption && arg == "--") {
      bOptionsEnded = true;
      continue;
    }
    if (bOption) {
      bool bKnown = false;
      if (!GlobalOption(arg, reader, options, error, bKnown))
        return false;
      if (!bKnown && !options.m_strCommand.empty() &&
          !CommandOption(arg, reader, options, error, bKnown))
        return false;
      if (!bKnown) {
        error = "unknown option " + arg +
                (options.m_strCommand.empty() ? "" : " for " + options.m_strCommand);
        return false;
      }
      continue;
    }
    if (options.m_strCommand.empty()) {
      if (!FindCliCommand(arg)) {
        error = "unknown command \"" + arg + "\"";
        return false;
      }
      options.m_strCommand = arg;
      continue;
    }
    options.m_args.push_back(arg);
  }
  if (options.m_bHelp || options.m_bVersion)
    return true;
  if (options.m_strCommand.empty()) {
    options.m_bNoCommand = true;
    error = "no command given";
    return false;
  }
  return CheckCommandLine(options, error);
}

}  // namespace velmora
