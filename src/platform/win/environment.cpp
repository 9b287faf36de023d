#include "platform/environment.h"

#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include "platform/win/wide_text.h"

namespace velmora {

std::string EnvironmentVariable(const char* name) {
  const std::wstring wideName = WideFromBytes(name);
  const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (n == 0)
    return {};
  std::wstring value(n, L'\0');
  const DWORD written = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
  value.resize(written < n ? written : 0);
  return Utf8FromWide(value);
}

// The arguments as typed, from the UTF-16 command line: argv holds them in the code page,
// where a name in another script would have lost its letters.
std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> arguments;
  int nArgs = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
  if (!wide)
    return arguments;
  for (int i = 1; i < nArgs; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace velmora
