// setenv, unsetenv and mkdtemp for the tests of the Windows build, which use them to set the
// date and the threads and to make scratch folders. The C runtime's _putenv_s sets the
// process's environment too, which the program reads.
#pragma once

#include <direct.h>
#include <stdlib.h>
#include <string.h>

inline int setenv(const char* name, const char* value, int) {
  return _putenv_s(name, value);
}
inline int unsetenv(const char* name) {
  return _putenv_s(name, "");
}
inline char* mkdtemp(char* pattern) {
  return _mktemp_s(pattern, strlen(pattern) + 1) == 0 && _mkdir(pattern) == 0 ? pattern : nullptr;
}
