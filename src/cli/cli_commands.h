// The commands and options of the velmora program: what each takes, and the help texts made
// from that. The parser accepts exactly the options listed here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

struct CCliOption {
  const char* m_szName;   // "--output"
  const char* m_szValue;  // the value's placeholder ("FILE"), nullptr for a switch
  const char* m_szText;
};

struct CCliCommand {
  const char* m_szName;
  const char* m_szArguments;  // the synopsis after the name
  size_t m_nMinArgs;
  size_t m_nMaxArgs;  // SIZE_MAX: any number
  const char* m_szSummary;
  std::vector<CCliOption> m_options;
  const char* m_szDetails;  // more lines for the command's help, may be empty
  const char* m_szExample;
};

const std::vector<CCliCommand>& CliCommands();
const std::vector<CCliOption>& GlobalOptions();
const CCliCommand* FindCliCommand(const std::string& name);
// The option of that name among the command's (or, with nullptr, the global ones).
const CCliOption* FindCliOption(const CCliCommand* pCommand, const std::string& name);

// Every command in a line, the global options, and the exit statuses.
std::string UsageText();
// One command's synopsis, description, options and an example.
std::string CommandHelpText(const CCliCommand& command);

}  // namespace velmora
