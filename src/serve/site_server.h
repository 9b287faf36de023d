// Serves the files of one host folder over HTTP from threads of its own: a folder serves its
// index.html, HTML pages get the live-reload script, /__velmora/events is the event stream
// that tells open pages about builds.
#pragma once

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace velmora {

class CReloadChannel;

// The event stream's path; no file of a site can be served under it.
inline constexpr const char* kEventsPath = "/__velmora/events";

class CSiteServer {
 public:
  explicit CSiteServer(CReloadChannel& channel);
  ~CSiteServer();
  CSiteServer(const CSiteServer&) = delete;
  CSiteServer& operator=(const CSiteServer&) = delete;

  // Binds address:port (port 0: any free one) and starts serving rootHostFolder. False with a
  // reason when the folder does not exist or the port cannot be bound.
  bool Start(const std::string& rootHostFolder, const std::string& address, int nPort,
             std::string& error);
  int Port() const { return m_nPort; }
  // Ends the event streams, stops accepting and waits for the serving threads.
  void Stop();

 private:
  void ServeFile(const httplib::Request& request, httplib::Response& response);
  void ServeEvents(httplib::Response& response);

  CReloadChannel& m_channel;
  std::unique_ptr<httplib::Server> m_pServer;
  std::thread m_thread;
  std::string m_strRoot;
  int m_nPort = 0;
};

}  // namespace velmora
