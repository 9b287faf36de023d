#include "support/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace velmora::testing {

bool CRawConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (m_bStopping)
      return false;
    pollfd ready{m_nSocket, POLLOUT, 0};
    if (::poll(&ready, 1, 50) <= 0)
      continue;
    const ssize_t n = ::send(m_nSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0)
      return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool CRawConnection::Pause(int nMilliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMilliseconds);
  while (!m_bStopping && std::chrono::steady_clock::now() < until) {
    // A client that has hung up ends the wait.
    pollfd ready{m_nSocket, POLLRDHUP, 0};
    if (::poll(&ready, 1, 10) > 0 && (ready.revents & (POLLRDHUP | POLLHUP | POLLERR)))
      return false;
  }
  return !m_bStopping;
}

CRawHttpServer::CRawHttpServer(CHandler handler) : m_handler(std::move(handler)) {
  // Requests to the test server never go through a proxy from the environment.
  ::setenv("no_proxy", "127.0.0.1", 1);
  ::setenv("NO_PROXY", "127.0.0.1", 1);
}

CRawHttpServer::~CRawHttpServer() {
  m_bStopping = true;
  if (m_thread.joinable())
    m_thread.join();
  if (m_nListener >= 0)
    ::close(m_nListener);
}

bool CRawHttpServer::Start() {
  m_nListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (m_nListener < 0 ||
      ::bind(m_nListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m_nListener, 8) != 0 ||
      ::getsockname(m_nListener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return false;
  m_nPort = ntohs(address.sin_port);
  m_thread = std::thread([this] { Serve(); });
  return true;
}

void CRawHttpServer::Serve() {
  while (!m_bStopping) {
    pollfd ready{m_nListener, POLLIN, 0};
    if (::poll(&ready, 1, 50) <= 0)
      continue;
    const int nSocket = ::accept4(m_nListener, nullptr, nullptr, SOCK_CLOEXEC);
    if (nSocket < 0)
      continue;
    ++m_nConnections;
    // The request headers, up to their blank line.
    std::string request;
    while (!m_bStopping && request.find("\r\n\r\n") == std::string::npos &&
           request.size() < 65536) {
      pollfd in{nSocket, POLLIN, 0};
      if (::poll(&in, 1, 50) <= 0)
        continue;
      char buffer[4096];
      const ssize_t n = ::recv(nSocket, buffer, sizeof buffer, 0);
      if (n <= 0)
        break;
      request.append(buffer, static_cast<size_t>(n));
    }
    const size_t pathStart = request.find(' ');
    const size_t pathEnd = request.find(' ', pathStart + 1);
    if (pathStart != std::string::npos && pathEnd != std::string::npos) {
      CRawConnection connection(nSocket, m_bStopping);
      m_handler(request.substr(pathStart + 1, pathEnd - pathStart - 1), connection);
    }
    ::close(nSocket);
  }
}

}  // namespace velmora::testing
