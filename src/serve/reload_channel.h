// What the serving pages learn about builds: a build number that goes up with every finished
// build, and the error lines of the last one. Event streams wait on it from the server's threads.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace velmora {

class CReloadChannel {
 public:
  // A build has finished; errors is empty when it reported none.
  void Publish(std::vector<std::string> errors);
  long long Generation() const;
  // Waits up to nTimeoutMs for a build newer than known. False once stopped; otherwise the
  // current build number and its errors (unchanged when the wait timed out).
  bool Wait(long long known, int nTimeoutMs, long long& generation,
            std::vector<std::string>& errors) const;
  // Ends every wait, now and later.
  void Stop();

 private:
  mutable std::mutex m_mutex;
  mutable std::condition_variable m_changed;
  long long m_nGeneration = 0;
  std::vector<std::string> m_errors;
  bool m_bStopped = false;
};

// The served form of an HTML page: the script that listens to the event stream goes before
// the last </body>, or at the end when there is none. generation is the build the page is from.
std::string WithReloadScript(const std::string& html, long long generation);

// The events that tell a page about a build: "build" with its number, then "errors" with the
// error lines when there are any.
std::string BuildEvents(long long generation, const std::vector<std::string>& errors);

}  // namespace velmora
