// An HTTP (or, given a certificate and key, HTTPS) server on 127.0.0.1 at a free port, serving
// from a second thread for the life of the object. Register the routes on Server() before
// calling Start().
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace velmora::testing {

class CLocalHttpServer {
 public:
  CLocalHttpServer() : m_pServer(std::make_unique<httplib::Server>()) { NoProxy(); }
  CLocalHttpServer(const std::string& certificateFile, const std::string& keyFile)
      : m_pServer(std::make_unique<httplib::SSLServer>(certificateFile.c_str(), keyFile.c_str())),
        m_strScheme("https") {
    NoProxy();
  }
  ~CLocalHttpServer() { Stop(); }
  CLocalHttpServer(const CLocalHttpServer&) = delete;
  CLocalHttpServer& operator=(const CLocalHttpServer&) = delete;

  httplib::Server& Server() { return *m_pServer; }

  // False when no port could be bound.
  bool Start() {
    if (!m_pServer->is_valid())
      return false;
    m_nPort = m_pServer->bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0)
      return false;
    m_thread = std::thread([this] { m_pServer->listen_after_bind(); });
    // Until the accept loop runs, stop() would not reach it.
    while (!m_pServer->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  }
  void Stop() {
    if (!m_thread.joinable())
      return;
    m_pServer->stop();
    m_thread.join();
  }

  int Port() const { return m_nPort; }
  // "http://127.0.0.1:port" (or "https://...") followed by the path.
  std::string Url(const std::string& path) const {
    return m_strScheme + "://127.0.0.1:" + std::to_string(m_nPort) + path;
  }

 private:
  // Requests to the test server never go through a proxy from the environment.
  static void NoProxy() {
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::setenv("NO_PROXY", "127.0.0.1", 1);
  }

  std::unique_ptr<httplib::Server> m_pServer;
  std::string m_strScheme = "http";
  std::thread m_thread;
  int m_nPort = 0;
};

}  // namespace velmora::testing
