// A server on 127.0.0.1 that answers with whatever bytes a test writes, at whatever pace, for
// answers no well-behaved HTTP server would give: broken headers, endless bodies, stalls. One
// thread serves one connection at a time.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace velmora::testing {

class CRawConnection {
 public:
  CRawConnection(int nSocket, const std::atomic<bool>& bStopping)
      : m_nSocket(nSocket), m_bStopping(bStopping) {}
  // False once the client has gone or the server is stopping.
  bool Send(std::string_view bytes);
  // Waits, but not past the server's stop or the client's hanging up; false then.
  bool Pause(int nMilliseconds);
  bool Stopping() const { return m_bStopping; }

 private:
  int m_nSocket;
  const std::atomic<bool>& m_bStopping;
};

class CRawHttpServer {
 public:
  // Called with the request's path (from its first line) once the request headers are in.
  using CHandler = std::function<void(const std::string& path, CRawConnection&)>;

  explicit CRawHttpServer(CHandler handler);
  ~CRawHttpServer();
  CRawHttpServer(const CRawHttpServer&) = delete;
  CRawHttpServer& operator=(const CRawHttpServer&) = delete;

  // False when no port could be bound.
  bool Start();
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_nPort) + path;
  }
  int Connections() const { return m_nConnections; }

 private:
  void Serve();

  CHandler m_handler;
  int m_nListener = -1;
  int m_nPort = 0;
  std::atomic<bool> m_bStopping = false;
  std::atomic<int> m_nConnections = 0;
  std::thread m_thread;
};

}  // namespace velmora::testing
