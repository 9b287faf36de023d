// The command line of the velmora program: global options, one command and its arguments.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora {

struct CCliOptions {
  std::string m_strCommand;
  std::vector<std::string> m_args;  // the command's plain arguments, SCRIPT first

  // Global options.
  int m_nInternet = -1;  // --online 1, --offline 0, -1 when neither is given
  std::vector<std::pair<std::string, int>> m_sets;  // --set NAME=0|1, names as in the file
  int m_nAnswer = -1;                               // --yes 1, --no 0, -1: ask on a terminal
  bool m_bQuiet = false;
  bool m_bHostPaths = false;  // --host-paths
  bool m_bHelp = false;
  bool m_bVersion = false;
  bool m_bNoCommand = false;  // refused because no command was given

  // print
  bool m_bText = false;
  std::string m_strOutput;
  // replace
  std::string m_strFind, m_strWith;
  bool m_bFindGiven = false, m_bWithGiven = false, m_bAll = false;
  // new
  bool m_bFrames = false;
  std::string m_strTemplates, m_strResources;
  std::string m_strStyle = "classic", m_strLanguage;  // the language only with --style modern

  // serve
  int m_nPort = 8020;  // 0: any free port
  std::string m_strPort;
  bool m_bPortGiven = false;
  std::string m_strBind;  // empty: 127.0.0.1
  bool m_bBindGiven = false;

  // settings NAME=0|1 ...
  std::vector<std::pair<std::string, int>> m_changes;
};

// Reads the arguments after the program name. False with a one-line reason for a usage error.
bool ParseArguments(const std::vector<std::string>& args, CCliOptions& options, std::string& error);

// "NAME=0" or "NAME=1" with one of the seven setting names (any case); name gets the
// name's proper spelling.
bool ParseSettingAssignment(const std::string& text, std::string& name, int& value);

}  // namespace velmora
