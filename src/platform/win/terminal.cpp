#include "platform/terminal.h"

#include <windows.h>

namespace velmora {

namespace {
bool IsConsole(DWORD nHandle) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(nHandle), &mode) != 0;
}

HANDLE theQuietInput = INVALID_HANDLE_VALUE;
DWORD theEchoingMode = 0;

// Ctrl+C or closing the console while a password is typed: the echo comes back before the
// program ends.
BOOL WINAPI OnConsoleEvent(DWORD) {
  ::SetConsoleMode(theQuietInput, theEchoingMode);
  return FALSE;  // the handler before this one (ending the program) runs next
}
}  // namespace

bool StandardInputIsTerminal() {
  return IsConsole(STD_INPUT_HANDLE);
}

bool StandardErrorIsTerminal() {
  HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (!::GetConsoleMode(error, &mode))
    return false;
  // The progress bar clears its line with a cursor control the console takes only when asked.
  return ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

CEchoOff::CEchoOff() {
  theQuietInput = ::GetStdHandle(STD_INPUT_HANDLE);
  if (!::GetConsoleMode(theQuietInput, &theEchoingMode))
    return;
  m_bActive = true;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  ::SetConsoleMode(theQuietInput, theEchoingMode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
}

CEchoOff::~CEchoOff() {
  if (!m_bActive)
    return;
  ::SetConsoleMode(theQuietInput, theEchoingMode);
  ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

}  // namespace velmora
