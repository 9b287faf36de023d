// A thread that runs one job at a time for its owner, which hands it a job and later waits for
// it. Waking a thread costs tens of microseconds here, so jobs are whole batches of pages.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace velmora {

class CJobThread {
 public:
  CJobThread();
  // Lets the job in work end, then ends the thread.
  ~CJobThread();
  CJobThread(const CJobThread&) = delete;
  CJobThread& operator=(const CJobThread&) = delete;

  // Runs the job on the thread; the last job must have been waited for.
  void Start(std::function<void()> job);
  // Returns once the job started last is done (at once when there is none), and throws what
  // ended it early (memory running out), so the owner's build stops as it would on one thread.
  void Wait();

 private:
  void Loop();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::function<void()> m_job;
  bool m_bHasJob = false;
  bool m_bStop = false;
  std::exception_ptr m_pError;
  std::thread m_thread;  // last: it starts once the rest is made
};

}  // namespace velmora
