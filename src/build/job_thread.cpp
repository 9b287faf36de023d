#include "build/job_thread.h"

#include <utility>

namespace velmora {

CJobThread::CJobThread() : m_thread([this] { Loop(); }) {}

CJobThread::~CJobThread() {
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty(); });
    m_bStop = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void CJobThread::Start(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  m_changed.notify_all();
}

void CJobThread::Wait() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait(lock, [this] { return m_jobs.empty(); });
  if (m_pError)
    std::rethrow_exception(std::exchange(m_pError, nullptr));
}

void CJobThread::Loop() {
  std::unique_lock<std::mutex> lock(m_mutex);
  while (true) {
    m_changed.wait(lock, [this] { return !m_jobs.empty() || m_bStop; });
    if (m_bStop)
      return;
    // The job stays queued while it runs, so that waiting for the queue waits for it.
    std::function<void()> job = std::move(m_jobs.front());
    lock.unlock();
    std::exception_ptr pError;
    try {
      job();
    } catch (...) {
      pError = std::current_exception();
    }
    lock.lock();
    m_jobs.pop_front();
    if (pError) {
      m_pError = pError;
      m_jobs.clear();
    }
    m_changed.notify_all();
  }
}

}  // namespace velmora
