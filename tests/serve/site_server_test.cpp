// The server over a real socket: hostile request lines, folders, the 404 page, the reload
// script in served pages only, and the event stream.
#include "serve/site_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "serve/reload_channel.h"

namespace velmora {
namespace {

// Sends one request exactly as written and returns what comes back until the connection ends
// or, when given, the text until has arrived.
std::string RawRequest(int nPort, const std::string& request, const std::string& until = {}) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(nPort));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  timeval timeout{5, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string response;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
    char buffer[4096];
    ssize_t got;
    while ((until.empty() || response.find(until) == std::string::npos) &&
           (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
      response.append(buffer, got);
  }
  ::close(fd);
  return response;
}

std::string Get(int nPort, const std::string& target) {
  return RawRequest(nPort, "GET " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
}

class SiteServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-serve-XXXXXX";
    m_base = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_base + "/site/sub");
    Write("site/index.html", "<html><body><p>Home</p></body></html>");
    Write("site/sub/index.html", "<html><body>Sub</body></html>");
    Write("site/gfx.css", "p{}");
    Write("secret.txt", "TOP SECRET");
    std::filesystem::create_directory_symlink(m_base, m_base + "/site/up");
    std::string error;
    ASSERT_TRUE(m_server.Start(m_base + "/site", "127.0.0.1", 0, error)) << error;
  }
  void TearDown() override {
    m_server.Stop();
    std::filesystem::remove_all(m_base);
  }
  void Write(const std::string& relative, const std::string& text) {
    std::ofstream(m_base + "/" + relative, std::ios::binary) << text;
  }

  std::string m_base;
  CReloadChannel m_channel;
  CSiteServer m_server{m_channel};
};

TEST_F(SiteServerTest, HostileRequestsNeverReachOutside) {
  for (const std::string target :
       {"/../secret.txt", "/%2e%2e/secret.txt", "/%2E%2E/secret.txt",
        "/sub/%2e%2e/%2e%2e/secret.txt", "/sub%2f..%2f..%2fsecret.txt", "/..%5csecret.txt",
        "/%252e%252e/secret.txt", "/up/secret.txt", "/./../secret.txt", "//../secret.txt",
        "/index.html%00/../../secret.txt", "http://x/../secret.txt"}) {
    std::string response = Get(m_server.Port(), target);
    EXPECT_EQ(response.find("TOP SECRET"), std::string::npos) << target;
    EXPECT_EQ(response.rfind("HTTP/1.1 200", 0), std::string::npos) << target << "\n" << response;
  }
}

TEST_F(SiteServerTest, FoldersTypesAndMissingFiles) {
  std::string home = Get(m_server.Port(), "/");
  EXPECT_EQ(home.rfind("HTTP/1.1 200", 0), 0u) << home;
  EXPECT_NE(home.find("Content-Type: text/html"), std::string::npos);
  EXPECT_NE(home.find("<p>Home</p>"), std::string::npos);

  std::string folder = Get(m_server.Port(), "/sub?x=1");
  EXPECT_EQ(folder.rfind("HTTP/1.1 301", 0), 0u) << folder;
  EXPECT_NE(folder.find("Location: /sub/?x=1"), std::string::npos) << folder;
  EXPECT_NE(Get(m_server.Port(), "/sub/").find("Sub"), std::string::npos);

  std::string css = Get(m_server.Port(), "/gfx.css");
  EXPECT_NE(css.find("Content-Type: text/css"), std::string::npos);
  EXPECT_EQ(css.find("EventSource"), std::string::npos);

  std::string missing = Get(m_server.Port(), "/nothing<b>.html");
  EXPECT_EQ(missing.rfind("HTTP/1.1 404", 0), 0u) << missing;
  EXPECT_NE(missing.find("Not Found"), std::string::npos);
  EXPECT_EQ(missing.find("<b>"), std::string::npos);  // the path is escaped
}

TEST_F(SiteServerTest, ReloadScriptOnlyInTheServedPage) {
  std::string home = Get(m_server.Port(), "/index.html");
  size_t script = home.find("new EventSource(\"/__velmora/events\")");
  ASSERT_NE(script, std::string::npos);
  EXPECT_LT(script, home.find("</body>"));
  std::ifstream file(m_base + "/site/index.html");
  std::stringstream onDisk;
  onDisk << file.rdbuf();
  EXPECT_EQ(onDisk.str(), "<html><body><p>Home</p></body></html>");
}

TEST_F(SiteServerTest, EventStreamTellsTheBuildAndItsErrors) {
  m_channel.Publish({"Can't load template: X", "second\r\nline"});
  std::string events =
      RawRequest(m_server.Port(), "GET /__velmora/events HTTP/1.1\r\nHost: x\r\n\r\n", "line\n\n");
  EXPECT_NE(events.find("Content-Type: text/event-stream"), std::string::npos) << events;
  EXPECT_NE(events.find("event: build\ndata: 1\n\n"), std::string::npos) << events;
  EXPECT_NE(events.find("event: errors\ndata: Can't load template: X\ndata: second  line\n\n"),
            std::string::npos)
      << events;
}

TEST(ReloadScriptTest, GoesBeforeTheLastBodyEnd) {
  EXPECT_EQ(WithReloadScript("<BODY>a</BODY>", 3).find("<script>(function(){var g=3,"), 7u);
  std::string frames = WithReloadScript("<frameset></frameset>", 1);
  EXPECT_EQ(frames.find("<frameset></frameset><script>"), 0u);
}

}  // namespace
}  // namespace velmora
