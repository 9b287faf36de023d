// What the process gets from its host: environment variables and the command line's arguments,
// both as UTF-8 on every host.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// The variable's value; empty when it is not set.
std::string EnvironmentVariable(const char* name);
// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace velmora
