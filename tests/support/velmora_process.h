// Runs the built velmora program as a separate process, so that a test can stop it with a
// signal or limit what it may use: its home, settings file and drive C lie in a folder of the
// test, and its standard output and error go to files there.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace velmora::testing {

class CVelmoraProcess {
 public:
  // folder: holds "c" (drive C) and receives the settings file and the output files.
  explicit CVelmoraProcess(std::string folder) : m_strFolder(std::move(folder)) {}

  // Starts the program; nAddressSpace, when not 0, limits its memory (RLIMIT_AS) in bytes.
  bool Start(const std::vector<std::string>& args, size_t nAddressSpace = 0);
  // Waits for the end; the exit status, or -signal when a signal ended it.
  int Wait();
  void Signal(int nSignal) const;
  // Runs to the end and gives the exit status as Wait does.
  int Run(const std::vector<std::string>& args) { return Start(args) ? Wait() : -1000; }

  std::string Output() const;  // standard output of the last run
  std::string Errors() const;  // standard error of the last run

 private:
  std::string m_strFolder;
  pid_t m_pid = 0;
};

}  // namespace velmora::testing
