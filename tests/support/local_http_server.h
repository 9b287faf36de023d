// An HTTP server on 127.0.0.1 at a free port, serving from a second thread for the life of
// the object. Register the routes on Server() before calling Start().
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace velmora::testing {

class CLocalHttpServer {
 public:
  CLocalHttpServer() {
    // Requests to the test server never go through a proxy from the environment.
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::setenv("NO_PROXY", "127.0.0.1", 1);
  }
  ~CLocalHttpServer() { Stop(); }
  CLocalHttpServer(const CLocalHttpServer&) = delete;
  CLocalHttpServer& operator=(const CLocalHttpServer&) = delete;

  httplib::Server& Server() { return m_server; }

  // False when no port could be bound.
  bool Start() {
    m_nPort = m_server.bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0)
      return false;
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // Until the accept loop runs, stop() would not reach it.
    while (!m_server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  }
  void Stop() {
    if (!m_thread.joinable())
      return;
    m_server.stop();
    m_thread.join();
  }

  int Port() const { return m_nPort; }
  // "http://127.0.0.1:port" followed by the path.
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_nPort) + path;
  }

 private:
  httplib::Server m_server;
  std::thread m_thread;
  int m_nPort = 0;
};

}  // namespace velmora::testing
