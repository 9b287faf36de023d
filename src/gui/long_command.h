// A command that may run for a while: while one runs the other commands are disabled, and
// progress and report updates let the event loop turn (at most every 50 ms) so the window
// keeps repainting.
#pragma once

namespace velmora {

class CLongCommand {
 public:
  CLongCommand();
  ~CLongCommand();
  CLongCommand(const CLongCommand&) = delete;
  CLongCommand& operator=(const CLongCommand&) = delete;

  static bool IsRunning();
  // Handles pending events when a command runs and 50 ms have passed since the last time.
  static void LetEventsTurn();
};

}  // namespace velmora
