#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>

#include "net/http_fetcher.h"
#include "platform/dialogs.h"
#include "support/local_http_server.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

using testing::CLocalHttpServer;

const std::string kText = "first line\nsecond line\n";
const std::string kBinary("GIF89a\0\r\n\x01\xff", 11);

class Fetcher : public ::testing::Test {
 protected:
  void SetUp() override {
    httplib::Server& s = m_server.Server();
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_paths.push_back(req.path);
      m_accept = req.get_header_value("Accept");
      m_agent = req.get_header_value("User-Agent");
      return httplib::Server::HandlerResponse::Unhandled;
    });
    s.Get("/text.txt", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kText, "text/plain");
    });
    s.Get("/image.gif", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kBinary, "image/gif");
    });
    for (int status : {301, 302, 303})
      s.Get("/moved" + std::to_string(status) + ".html",
            [this, status](const httplib::Request&, httplib::Response& res) {
              res.status = status;
              res.set_header("Location", Url("/text.txt"));
            });
    for (int status : {301, 302, 303})
      s.Get("/nolocation" + std::to_string(status),
            [status](const httplib::Request&, httplib::Response& res) {
              res.status = status;
              res.set_header("Content-Location", "/text.txt");
            });
    s.Get("/chain.html", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 302;
      res.set_header("Location", Url("/moved301.html"));
    });
    s.Get("/relative.html", [](const httplib::Request&, httplib::Response& res) {
      res.status = 302;
      res.set_header("location", " /text.txt ");
    });
    // As common servers answer: a relative target and a body saying where it went.
    s.Get("/dir/old/moved.html", [](const httplib::Request&, httplib::Response& res) {
      res.status = 301;
      res.set_header("Location", "../../text.txt#top");
      res.set_content("<html><body>Moved <a href=\"../../text.txt\">here</a></body></html>",
                      "text/html");
    });
    s.Get("/toftp.html", [](const httplib::Request&, httplib::Response& res) {
      res.status = 302;
      res.set_header("Location", "ftp://127.0.0.1/file.txt");
    });
    s.Get("/dir", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 302;
      res.set_header("Location", Url("/dir/index.html"));
    });
    s.Get("/dir/index.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<p>index</p>", "text/html");
    });
    s.Get("/secret.txt", [](const httplib::Request& req, httplib::Response& res) {
      // "ann:pw" in base64
      if (req.get_header_value("Authorization") == "Basic YW5uOnB3") {
        res.set_content("secret", "text/plain");
        return;
      }
      res.status = 401;
      res.set_header("WWW-Authenticate", "Basic realm=\"test\"");
    });
    s.Get("/missing.txt",
          [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
    s.Get("/broken.txt", [](const httplib::Request&, httplib::Response& res) { res.status = 500; });
    s.Get("/big.txt", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(5000, 'x'), "text/plain");
    });
    s.Get("/chunked.txt", [](const httplib::Request&, httplib::Response& res) {
      res.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink& sink) {
        if (offset >= 5000) {
          sink.done();
          return true;
        }
        std::string piece(500, 'y');
        return sink.write(piece.data(), piece.size());
      });
    });
    ASSERT_TRUE(m_server.Start());
    TestContext().SetDialogs(&m_dialogs);
  }

  void TearDown() override {
    TestContext().SetDialogs(nullptr);
    m_server.Stop();
  }

  std::string Url(const std::string& path) const { return m_server.Url(path); }
  std::vector<std::string> Paths() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_paths;
  }

  CLocalHttpServer m_server;
  CScriptedDialogs m_dialogs;
  std::mutex m_mutex;
  std::vector<std::string> m_paths;
  std::string m_accept, m_agent;
};

TEST_F(Fetcher, GetTextAndGetBinarySendTheirHeadersAndLogOk) {
  std::string content = "old", log = "old";
  EXPECT_TRUE(TestContext().fetcher.GetText(Url("/text.txt"), content, log));
  EXPECT_EQ(content, kText);  // line ends as the server sent them
  EXPECT_EQ(log, "GET: " + Url("/text.txt") + " OK");
  EXPECT_EQ(m_accept, "text/*");
  EXPECT_EQ(m_agent.substr(0, 7), "Velmora");

  CTempDrive drive;
  EXPECT_TRUE(
      TestContext().fetcher.GetBinary(Url("/image.gif"), "C:\\site\\imported\\image.gif", log));
  EXPECT_EQ(log, "GET: " + Url("/image.gif") + " OK");
  EXPECT_EQ(m_accept, "binary/*");
  EXPECT_EQ(drive.Read("site\\imported\\image.gif"), kBinary);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), "");
  EXPECT_TRUE(m_dialogs.m_questions.empty());
}

TEST_F(Fetcher, AddressFormsAreCleanedBeforeTheRequest) {
  std::string content, log;
  std::string quoted = " \"HTTP://127.0.0.1:" + std::to_string(m_server.Port()) + "/text.txt\" ";
  EXPECT_TRUE(TestContext().fetcher.GetText(quoted, content, log));
  EXPECT_EQ(log, "GET: " + quoted + " OK");  // the log keeps the address as given

  std::string bare = "127.0.0.1:" + std::to_string(m_server.Port()) + "/text.txt";
  EXPECT_TRUE(TestContext().fetcher.GetText(bare, content, log));
  EXPECT_EQ(content, kText);
  EXPECT_EQ(TestContext().fetcher.Probe(bare), 200);
  EXPECT_EQ(Paths().size(), 3u);

  content = "old";
  EXPECT_FALSE(TestContext().fetcher.GetText(" \"ab\" ", content, log));
  EXPECT_EQ(content, "");
  EXPECT_EQ(log, "GET:  \"ab\"  Can only use URLs beginning with http://\r\n     ab");
  EXPECT_FALSE(TestContext().fetcher.GetBinary("abcd", "C:\\x.gif", log));
  EXPECT_EQ(TestContext().fetcher.Probe("\"x\""), 0);
  EXPECT_EQ(Paths().size(), 3u);  // nothing more was sent
}

TEST_F(Fetcher, RedirectIsFollowedOnceAfterTheUserAgrees) {
  for (int status : {301, 302, 303}) {
    m_dialogs.m_answers = {true};
    m_dialogs.m_questions.clear();
    std::string content, log;
    std::string from = Url("/moved" + std::to_string(status) + ".html");
    EXPECT_TRUE(TestContext().fetcher.GetText(from, content, log)) << status;
    EXPECT_EQ(content, kText);
    EXPECT_EQ(log, "GET: " + from + " Redirected to: " + Url("/text.txt") + " OK");
    ASSERT_EQ(m_dialogs.m_questions.size(), 1u);
    EXPECT_EQ(m_dialogs.m_questions[0],
              "Accept Redirection\n\nFrom:  " + from + "\n\nTo: " + Url("/text.txt") + "\n");
    EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), Url("/text.txt"));
  }

  // A relative target is taken against the server that answered.
  m_dialogs.m_answers = {true};
  std::string content, log;
  EXPECT_TRUE(TestContext().fetcher.GetText(Url("/relative.html"), content, log));
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), Url("/text.txt"));

  // A relative target with a body.
  m_dialogs.m_answers = {true};
  EXPECT_TRUE(TestContext().fetcher.GetText(Url("/dir/old/moved.html"), content, log));
  EXPECT_EQ(log,
            "GET: " + Url("/dir/old/moved.html") + " Redirected to: " + Url("/text.txt") + " OK");
  EXPECT_EQ(content, kText);
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/dir/old/moved.html")), 301);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), Url("/text.txt"));

  // A redirect to a second redirect ends with the second status; it is not followed.
  m_dialogs.m_answers = {true, true};
  m_dialogs.m_questions.clear();
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/chain.html"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/chain.html") + " Redirected to: " + Url("/moved301.html") +
                     " Code= 301");
  EXPECT_EQ(m_dialogs.m_questions.size(), 1u);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), "");
}

TEST_F(Fetcher, RedirectsThatAreRefusedOrUnusable) {
  std::string content, log;
  m_dialogs.m_answers = {false};
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/moved302.html"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/moved302.html") + " Site redirects to unaccepted address");
  EXPECT_EQ(Paths(), std::vector<std::string>{"/moved302.html"});

  // Content-Location is not a redirect target.
  m_dialogs.m_questions.clear();
  for (int status : {301, 302, 303}) {
    std::string from = Url("/nolocation" + std::to_string(status));
    EXPECT_FALSE(TestContext().fetcher.GetText(from, content, log));
    EXPECT_EQ(log, "GET: " + from + " Site redirects to unaccepted address");
    EXPECT_FALSE(TestContext().fetcher.GetBinary(from, "C:\\x.gif", log));
    EXPECT_EQ(log, "GET: " + from + " Site redirects to unaccepted address");
  }
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/toftp.html"), content, log));
  EXPECT_EQ(
      log, "GET: " + Url("/toftp.html") + " The redirected URL does not reference a HTTP resource");
  EXPECT_TRUE(m_dialogs.m_questions.empty());
}

TEST_F(Fetcher, FolderRedirectedToFileIsRefusedForTextOnly) {
  std::string content, log;
  m_dialogs.m_bDefaultAnswer = true;
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/dir"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/dir") + " Code= 302");
  EXPECT_TRUE(m_dialogs.m_questions.empty());

  CTempDrive drive;
  EXPECT_TRUE(TestContext().fetcher.GetBinary(Url("/dir"), "C:\\s\\index.html", log));
  EXPECT_EQ(m_dialogs.m_questions.size(), 1u);
  EXPECT_EQ(drive.Read("s\\index.html"), "<p>index</p>");
}

TEST_F(Fetcher, PasswordIsAskedOnceAndRetriedOnce) {
  std::string content, log;
  m_dialogs.m_passwords = {{"ann", "pw"}};
  EXPECT_TRUE(TestContext().fetcher.GetText(Url("/secret.txt"), content, log));
  EXPECT_EQ(content, "secret");
  EXPECT_EQ(m_dialogs.m_passwordQuestions, std::vector<std::string>{Url("/secret.txt")});

  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/secret.txt"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/secret.txt") + " Access denied: Invalid password");

  m_dialogs.m_passwords = {{"ann", "wrong"}, {"ann", "pw"}};
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/secret.txt"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/secret.txt") + " Code= 401");
  EXPECT_EQ(m_dialogs.m_passwords.size(), 1u);  // asked only once
}

TEST_F(Fetcher, ErrorStatusesFail) {
  std::string content, log;
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/missing.txt"), content, log));
  EXPECT_EQ(log, "GET: " + Url("/missing.txt") + " Code= 404");
  CTempDrive drive;
  EXPECT_FALSE(TestContext().fetcher.GetBinary(Url("/broken.txt"), "C:\\b\\broken.txt", log));
  EXPECT_EQ(log, "GET: " + Url("/broken.txt") + " Code= 500");
  EXPECT_FALSE(drive.Exists("b"));
}

TEST_F(Fetcher, ProbeAsksNothingAndReportsTheStatus) {
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/text.txt")), 200);
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/missing.txt")), 404);
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/broken.txt")), 500);
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/secret.txt")), 401);
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/moved302.html")), 302);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), Url("/text.txt"));
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/toftp.html")), 302);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), "");
  EXPECT_TRUE(m_dialogs.m_questions.empty());
  EXPECT_TRUE(m_dialogs.m_passwordQuestions.empty());

  // Each address is probed once in a run.
  const size_t nAsked = Paths().size();
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/moved302.html")), 302);
  EXPECT_EQ(TestContext().fetcher.GetRedirectedLocation(), Url("/text.txt"));
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/missing.txt")), 404);
  EXPECT_EQ(Paths().size(), nAsked);
  TestContext().fetcher.BeginRun();
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/missing.txt")), 404);
  EXPECT_EQ(Paths().size(), nAsked + 1);

  EXPECT_EQ(TestContext().fetcher.Probe("ftp://127.0.0.1/x.txt"), 99);
  EXPECT_EQ(TestContext().fetcher.GetProbeFailure(), CHttpFetcher::EProbeFailure::kUnreadable);
  m_server.Stop();
  TestContext().fetcher.BeginRun();
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/text.txt")), 99);
  EXPECT_EQ(TestContext().fetcher.GetProbeFailure(), CHttpFetcher::EProbeFailure::kNoAnswer);
  EXPECT_NE(TestContext().fetcher.GetProbeError(), "");
  std::string content, log;
  EXPECT_FALSE(TestContext().fetcher.GetText(Url("/text.txt"), content, log));
  EXPECT_EQ(log.substr(0, log.find("Error  ") + 7), "GET: " + Url("/text.txt") + " Error  ");
  EXPECT_GT(log.size(), ("GET: " + Url("/text.txt") + " Error  ").size());
}

TEST_F(Fetcher, OversizedBodyFailsAndStoresNothing) {
  TestContext().fetcher.m_nMaxBodyBytes = 1000;
  std::string content, log;
  for (const char* path : {"/big.txt", "/chunked.txt"}) {
    EXPECT_FALSE(TestContext().fetcher.GetText(Url(path), content, log)) << path;
    EXPECT_NE(log.find(" Error  "), std::string::npos) << log;
    EXPECT_EQ(content, "");
  }
  CTempDrive drive;
  EXPECT_FALSE(TestContext().fetcher.GetBinary(Url("/chunked.txt"), "C:\\big.txt", log));
  EXPECT_FALSE(drive.Exists("big.txt"));
  EXPECT_EQ(TestContext().fetcher.Probe(Url("/big.txt")), 200);  // a probe reads no body
}

TEST_F(Fetcher, GetBinaryThatCannotStoreFails) {
  std::string log;
  // Drive Q is not mapped, so no folder can be made there.
  EXPECT_FALSE(TestContext().fetcher.GetBinary(Url("/image.gif"), "Q:\\x\\image.gif", log));
  EXPECT_EQ(log, "GET: " + Url("/image.gif") + " Cannot store: Q:\\x\\image.gif");
  ASSERT_EQ(m_dialogs.m_messages.size(), 2u);
  EXPECT_EQ(m_dialogs.m_messages[0], "Can't make dir:Q:\\x");
  EXPECT_EQ(m_dialogs.m_messages[1], "Cannot store: Q:\\x\\image.gif");
}

// A server that accepts connections (the kernel completes them) and never answers.
class SilentServer {
 public:
  SilentServer() {
    m_nSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(m_nSocket, 4) == 0 &&
        ::getsockname(m_nSocket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      m_nPort = ntohs(address.sin_port);
  }
  ~SilentServer() { ::close(m_nSocket); }
  int m_nSocket = -1;
  int m_nPort = 0;
};

TEST(FetcherTimeout, ServerThatNeverAnswersFailsWithinTheStallTime) {
  ::setenv("no_proxy", "127.0.0.1", 1);
  SilentServer silent;
  ASSERT_GT(silent.m_nPort, 0);
  CHttpFetcher& fetcher = TestContext().fetcher;
  fetcher.m_nStallTimeoutSeconds = 1;
  std::string url = "http://127.0.0.1:" + std::to_string(silent.m_nPort) + "/page.html";
  auto start = std::chrono::steady_clock::now();
  std::string content, log;
  EXPECT_FALSE(fetcher.GetText(url, content, log));
  EXPECT_EQ(log.find("GET: " + url + " Error  "), 0u) << log;
  EXPECT_EQ(fetcher.Probe(url), 99);
  EXPECT_EQ(fetcher.GetProbeFailure(), CHttpFetcher::EProbeFailure::kNoAnswer);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
}

// Within a run a server that gave no answer is not asked again, for any of its addresses;
// the next run asks again.
TEST(FetcherTimeout, AServerWithoutAnswerIsNotAskedAgainInTheRun) {
  ::setenv("no_proxy", "127.0.0.1", 1);
  SilentServer silent;
  ASSERT_GT(silent.m_nPort, 0);
  CHttpFetcher& fetcher = TestContext().fetcher;
  fetcher.m_nStallTimeoutSeconds = 1;
  const std::string server = "http://127.0.0.1:" + std::to_string(silent.m_nPort);
  std::string content, log;
  EXPECT_FALSE(fetcher.GetText(server + "/a.html", content, log));
  // The connection waiting in the queue is taken, so the next one would show.
  const int nTaken = ::accept(silent.m_nSocket, nullptr, nullptr);
  ASSERT_GE(nTaken, 0);
  ::close(nTaken);

  EXPECT_FALSE(fetcher.GetText(server + "/b.html", content, log));
  EXPECT_EQ(log.find("GET: " + server + "/b.html Error  No answer earlier in this run"), 0u) << log;
  CTempDrive drive;
  EXPECT_FALSE(fetcher.GetBinary(server + "/c.gif", "C:\\c.gif", log));
  EXPECT_EQ(fetcher.Probe(server + "/d.html"), 99);
  EXPECT_EQ(fetcher.GetProbeFailure(), CHttpFetcher::EProbeFailure::kNoAnswer);
  pollfd waiting{silent.m_nSocket, POLLIN, 0};
  EXPECT_EQ(::poll(&waiting, 1, 0), 0);  // nothing connected

  fetcher.BeginRun();
  EXPECT_EQ(fetcher.Probe(server + "/d.html"), 99);
  EXPECT_EQ(::poll(&waiting, 1, 0), 1);
}

class FetcherHttps : public ::testing::Test {
 protected:
  void SetUp() override {
    m_server.Server().Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<p>secure</p>", "text/html");
    });
    m_server.Server().Get("/moved.html", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 301;
      res.set_header("Location", m_server.Url("/page.html"));
    });
    ASSERT_TRUE(m_server.Start());
    TestContext().SetDialogs(&m_dialogs);
  }
  void TearDown() override { TestContext().SetDialogs(nullptr); }

  static std::string Fixture(const char* name) {
    return std::string(VELMORA_SOURCE_DIR) + "/tests/fixtures/tls/" + name;
  }

  CLocalHttpServer m_server{Fixture("cert.pem"), Fixture("key.pem")};
  CScriptedDialogs m_dialogs;
  CHttpFetcher& m_fetcher = TestContext().fetcher;
};

TEST_F(FetcherHttps, TrustedServerIsFetchedLikeHttp) {
  m_fetcher.m_strCertificateFile = Fixture("cert.pem");
  std::string content, log;
  std::string upper = "HTTPS" + m_server.Url("/page.html").substr(5);
  EXPECT_TRUE(m_fetcher.GetText(upper, content, log)) << log;
  EXPECT_EQ(content, "<p>secure</p>");
  EXPECT_EQ(log, "GET: " + upper + " OK");

  m_dialogs.m_answers = {true};
  EXPECT_TRUE(m_fetcher.GetText(m_server.Url("/moved.html"), content, log)) << log;
  EXPECT_EQ(m_fetcher.GetRedirectedLocation(), m_server.Url("/page.html"));
  EXPECT_EQ(m_fetcher.Probe(m_server.Url("/moved.html")), 301);
}

// The test certificate is not in the system's store.
TEST_F(FetcherHttps, UnknownCertificateIsRefused) {
  std::string content, log;
  EXPECT_FALSE(m_fetcher.GetText(m_server.Url("/page.html"), content, log));
  EXPECT_EQ(log.find("GET: " + m_server.Url("/page.html") + " Error  "), 0u) << log;
  EXPECT_EQ(content, "");
  EXPECT_EQ(m_fetcher.Probe(m_server.Url("/page.html")), 99);
  // The server answered; the client refused what came.
  EXPECT_EQ(m_fetcher.GetProbeFailure(), CHttpFetcher::EProbeFailure::kClient);
}

}  // namespace
}  // namespace velmora
