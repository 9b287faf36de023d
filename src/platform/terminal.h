// The terminal (console) the program may run on.
#pragma once

namespace velmora {

bool StandardInputIsTerminal();
// Also makes the terminal take the cursor controls the progress bar writes, where it must be
// asked to.
bool StandardErrorIsTerminal();

// While it lives, what is typed at the terminal is not shown (a password). Showing comes back
// when it ends, and also when the user interrupts the program meanwhile.
class CEchoOff {
 public:
  CEchoOff();
  ~CEchoOff();
  CEchoOff(const CEchoOff&) = delete;
  CEchoOff& operator=(const CEchoOff&) = delete;

 private:
  bool m_bActive = false;
};

}  // namespace velmora
