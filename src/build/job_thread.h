// A thread that runs the jobs its owner hands it, one at a time in the order given, while the
// owner goes on; the owner later waits for them. Waking a thread costs tens of microseconds
// here, so jobs are whole batches of pages.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace velmora {

class CJobThread {
 public:
  CJobThread();
  // Lets the jobs given end, then ends the thread.
  ~CJobThread();
  CJobThread(const CJobThread&) = delete;
  CJobThread& operator=(const CJobThread&) = delete;

  // Queues a job after those given before.
  void Start(std::function<void()> job);
  // Returns once every job given is done, and throws what ended one early (memory running
  // out), so that the owner's build stops as it would on one thread; the jobs queued after
  // that one are dropped.
  void Wait();

 private:
  void Loop();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::function<void()>> m_jobs;  // the first one runs
  bool m_bStop = false;
  std::exception_ptr m_pError;
  std::thread m_thread;  // last: it starts once the rest is made
};

}  // namespace velmora
