// A command that may run for a while: while one runs the other commands are disabled. Its work
// runs on a thread of its own so the window keeps painting and taking input (Stop, Esc,
// resizing); whatever the work shows (report, progress, questions) is shown on the window's
// thread through OnGuiThread.
#pragma once

#include <functional>

namespace velmora {

class CLongCommand {
 public:
  CLongCommand();
  ~CLongCommand();
  CLongCommand(const CLongCommand&) = delete;
  CLongCommand& operator=(const CLongCommand&) = delete;

  static bool IsRunning();
  // Handles pending events when a command runs on the window's thread and 50 ms have passed
  // since the last time; nothing to do while the work runs on its own thread.
  static void LetEventsTurn();

  // Runs work on its own thread and turns the window's events until it is done. Called from
  // within such work, or without an application, it runs work at once.
  static void Run(const std::function<void()>& work);
  // Asks the work running now to stop after its current page; cleared when the next run starts.
  static void RequestStop();
  static bool StopRequested();
};

// Runs fn on the window's thread and waits for it; at once when called there.
void OnGuiThread(const std::function<void()>& fn);

}  // namespace velmora
