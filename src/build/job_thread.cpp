#include "build/job_thread.h"

#include <utility>

namespace velmora {

CJobThread::CJobThread() : m_thread([this] { Loop(); }) {}

CJobThread::~CJobThread() {
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_bHasJob; });
    m_bStop = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void CJobThread::Start(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_job = std::move(job);
    m_bHasJob = true;
  }
  m_changed.notify_all();
}

void CJobThread::Wait() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_bHasJob; });
  if (m_pError)
    std::rethrow_exception(std::exchange(m_pError, nullptr));
}

void CJobThread::Loop() {
  while (true) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_bHasJob || m_bStop; });
      if (m_bStop)
        return;
      job = std::move(m_job);
    }
    std::exception_ptr pError;
    try {
      job();
    } catch (...) {
      pError = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_pError = pError;
      m_bHasJob = false;
    }
    m_changed.notify_all();
  }
}

}  // namespace velmora
