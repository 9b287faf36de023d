#include "serve/site_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "serve/reload_channel.h"
#include "serve/request_path.h"

namespace velmora {

namespace {
// Event streams hold a thread each for as long as a page is open, so the pool is larger than
// the library's default.
constexpr size_t kServingThreads = 48;
// A quiet event stream sends a comment this often, so a closed page frees its thread.
constexpr int kKeepAliveMs = 10000;

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return false;
  std::ostringstream text;
  text << file.rdbuf();
  bytes = text.str();
  return !file.bad();
}

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string StatusPage(const std::string& title, const std::string& text) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
         "</title></head>\n<body><h1>" + title + "</h1><p>" + text + "</p></body></html>\n";
}
}  // namespace

CSiteServer::CSiteServer(CReloadChannel& channel) : m_channel(channel) {}

CSiteServer::~CSiteServer() {
  Stop();
}

bool CSiteServer::Start(const std::string& rootHostFolder, const std::string& address, int nPort,
                        std::string& error) {
  char real[PATH_MAX];
  if (!::realpath(rootHostFolder.c_str(), real)) {
    error = "the folder " + rootHostFolder + " does not exist";
    return false;
  }
  m_strRoot = real;
  if (m_strRoot == "/")
    m_strRoot.clear();  // every path then begins with the root's "/"
  m_pServer = std::make_unique<httplib::Server>();
  m_pServer->new_task_queue = [] { return new httplib::ThreadPool(kServingThreads); };
  m_pServer->set_keep_alive_timeout(2);
  // A response goes out in more than one write: without this, Nagle's algorithm and the
  // client's delayed acknowledgement hold each one back some 40 ms.
  m_pServer->set_tcp_nodelay(true);
  // The library's default, SO_REUSEPORT, would let a second server bind the same port and
  // take half of the requests; SO_REUSEADDR alone refuses a port in use but not one that a
  // server closed a moment ago.
  m_pServer->set_socket_options([](socket_t socket) {
    int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  m_pServer->Get(kEventsPath, [this](const httplib::Request&, httplib::Response& response) {
    ServeEvents(response);
  });
  m_pServer->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    ServeFile(request, response);
  });
  if (nPort == 0) {
    m_nPort = m_pServer->bind_to_any_port(address);
  } else if (m_pServer->bind_to_port(address, nPort)) {
    m_nPort = nPort;
  } else {
    m_nPort = -1;
  }
  if (m_nPort <= 0) {
    error = "cannot listen on " + address + " port " + std::to_string(nPort);
    m_pServer.reset();
    return false;
  }
  m_thread = std::thread([this] { m_pServer->listen_after_bind(); });
  return true;
}

void CSiteServer::Stop() {
  if (!m_pServer)
    return;
  m_channel.Stop();
  // Until the accept loop runs, stop() would not reach it.
  while (m_thread.joinable() && !m_pServer->is_running())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  m_pServer->stop();
  if (m_thread.joinable())
    m_thread.join();
  m_pServer.reset();
}

void CSiteServer::ServeFile(const httplib::Request& request, httplib::Response& response) {
  response.set_header("Cache-Control", "no-store");
  // The build number is taken before the file is read: a page read during a build is from the
  // older build at worst, and its page then reloads once more.
  long long generation = m_channel.Generation();
  std::string file;
  switch (ResolveRequestPath(m_strRoot, request.path, file)) {
    case ERequestTarget::kFolderRedirect: {
      std::string target = request.target;
      size_t query = target.find('?');
      target.insert(query == std::string::npos ? target.size() : query, "/");
      response.set_redirect(target, 301);
      return;
    }
    case ERequestTarget::kForbidden:
      response.status = 403;
      response.set_content(StatusPage("Forbidden", "Only the files of the site are served."),
                           "text/html");
      return;
    case ERequestTarget::kNotFound:
      response.status = 404;
      response.set_content(
          WithReloadScript(
              StatusPage("Not Found", "The site has no file " + EscapeHtml(request.path) + "."),
              generation),
          "text/html");
      return;
    case ERequestTarget::kFile:
      break;
  }
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) {
    response.status = 404;
    response.set_content(StatusPage("Not Found", "The file cannot be read."), "text/html");
    return;
  }
  std::string type = ContentTypeFor(file);
  if (type == "text/html")
    bytes = WithReloadScript(bytes, generation);
  response.set_content(std::move(bytes), type);
}

void CSiteServer::ServeEvents(httplib::Response& response) {
  response.set_header("Cache-Control", "no-store");
  auto pKnown = std::make_shared<long long>(-1);
  response.set_chunked_content_provider(
      "text/event-stream", [this, pKnown](size_t, httplib::DataSink& sink) {
        long long generation = 0;
        std::vector<std::string> errors;
        // The first call answers at once with the current build.
        if (!m_channel.Wait(*pKnown, *pKnown < 0 ? 0 : kKeepAliveMs, generation, errors)) {
          sink.done();
          return true;
        }
        std::string text = generation != *pKnown ? BuildEvents(generation, errors) : ": ping\n\n";
        *pKnown = generation;
        return sink.write(text.data(), text.size());
      });
}

}  // namespace velmora
