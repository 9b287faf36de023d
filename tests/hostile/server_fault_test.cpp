// Servers that break the protocol: headers that do not parse or never end, bodies that never
// end or expand when decoded, and servers that stop sending or drip bytes. Every fetch must end
// in a result and a log line, store nothing it did not get whole, and leave an earlier local
// copy as it was.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "assembly/page_build.h"
#include "model/node.h"
#include "model/web_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/raw_http_server.h"
#include "support/script_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

using testing::CRawConnection;
using testing::CRawHttpServer;

constexpr long long kCap = 1 << 20;

// The headers of a good answer with the given extra lines.
std::string Headers(const std::string& status, const std::string& lines) {
  return "HTTP/1.1 " + status + "\r\n" + lines + "Connection: close\r\n\r\n";
}

std::string Gzip(const std::string& bytes) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// Sixteen mebibytes of zeros in gzip form, a few kilobytes.
const std::string& PackedZeros() {
  static const std::string packed = Gzip(std::string(16 << 20, '\0'));
  return packed;
}

// Sends the piece again and again until the client gives up.
void SendForever(CRawConnection& connection, const std::string& piece) {
  while (connection.Send(piece)) {
  }
}

void Serve(const std::string& path, CRawConnection& c) {
  const std::string body = "<!--BLOCK-->fresh<!--/BLOCK-->";
  const std::string length = "Content-Length: " + std::to_string(body.size()) + "\r\n";
  if (path == "/good.html") {
    c.Send(Headers("200 OK", length) + body);
  } else if (path == "/nocolon.html") {
    c.Send(Headers("200 OK", "this line is no header\r\n: \r\n" + length) + body);
  } else if (path == "/negative.html") {
    c.Send(Headers("200 OK", "Content-Length: -5\r\n") + body);
  } else if (path == "/hugelength.html") {
    c.Send(Headers("200 OK", "Content-Length: 99999999999999999999999\r\n") + body);
  } else if (path == "/twolengths.html") {
    c.Send(Headers("200 OK", length + "Content-Length: 3\r\n") + body);
  } else if (path == "/badstatus.html") {
    c.Send("HTTP/1.1 2000000000000 OK\r\n" + length + "\r\n" + body);
  } else if (path == "/nostatus.html") {
    c.Send(body);
  } else if (path == "/nul.html") {
    c.Send(Headers("200 OK", std::string("X-A: \0\0\0\r\n", 10) + length) + body);
  } else if (path == "/badchunk.html") {
    c.Send(Headers("200 OK", "Transfer-Encoding: chunked\r\n") + "zz\r\n" + body + "\r\n0\r\n\r\n");
  } else if (path == "/hugechunk.html") {
    c.Send(Headers("200 OK", "Transfer-Encoding: chunked\r\n") + "FFFFFFFFFFFFFFFFFF\r\n" + body);
  } else if (path == "/barelf.html") {
    c.Send("HTTP/1.1 200 OK\nContent-Length: " + std::to_string(body.size()) + "\n\n" + body);
  } else if (path == "/shortbody.html") {
    c.Send(Headers("200 OK", "Content-Length: 1000\r\n") + body);
  } else if (path == "/badredirect.html") {
    c.Send(Headers("302 Found", std::string("Location: \x01\x02 \0 ::\r\n", 18)));
  } else if (path == "/longheader.html") {
    c.Send("HTTP/1.1 200 OK\r\nX-Long: ");
    SendForever(c, std::string(4096, 'h'));
  } else if (path == "/endlessheaders.html") {
    c.Send("HTTP/1.1 200 OK\r\n");
    SendForever(c, "X-More: h\r\n");
  } else if (path == "/endless.html" || path == "/endless404.html") {
    c.Send(Headers(path == "/endless.html" ? "200 OK" : "404 Not Found",
                   "Transfer-Encoding: chunked\r\n"));
    SendForever(c, "1000\r\n" + std::string(4096, 'e') + "\r\n");
  } else if (path == "/endless401.html") {
    c.Send(Headers("401 Unauthorized",
                   "WWW-Authenticate: Basic realm=\"x\"\r\nTransfer-Encoding: chunked\r\n"));
    SendForever(c, "1000\r\n" + std::string(4096, 'e') + "\r\n");
  } else if (path == "/bomb.html") {
    c.Send(Headers("200 OK", "Content-Encoding: gzip\r\nContent-Length: " +
                                 std::to_string(PackedZeros().size()) + "\r\n") +
           PackedZeros());
  } else if (path == "/stall.html") {
    c.Send(Headers("200 OK", "Content-Length: 1000\r\n") + "<!--BLOCK-->");
    c.Pause(30000);
  } else if (path == "/stallheaders.html") {
    c.Send("HTTP/1.1 200 OK\r\nContent-");
    c.Pause(30000);
  } else if (path == "/drip.html") {
    // Faster than any sensible stall limit, slower than any useful transfer.
    c.Send(Headers("200 OK", "Content-Length: 100000\r\n"));
    while (c.Send("d") && c.Pause(100)) {
    }
  }
}

class ServerFault : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_server.Start());
    TestContext().fetcher.m_nConnectTimeoutSeconds = 2;
    TestContext().fetcher.m_nStallTimeoutSeconds = 2;
    TestContext().fetcher.m_nTransferTimeoutSeconds = 3;
    TestContext().fetcher.m_nMaxBodyBytes = kCap;
    m_site.m_dialogs.m_bDefaultAnswer = true;
  }

  // Fetches the path as text and as a file; checks what every fetch owes its caller and
  // gives the text's result.
  bool FetchBothWays(const std::string& path, std::string& content) {
    const std::string url = m_server.Url(path);
    std::string log;
    const bool bText = TestContext().fetcher.GetText(url, content, log);
    EXPECT_EQ(log.find("GET: " + url + " "), 0u) << log;
    if (bText) {
      EXPECT_TRUE(log.ends_with("OK")) << log;
    } else {
      EXPECT_EQ(content, "") << path;
    }
    EXPECT_LE(content.size(), static_cast<size_t>(kCap)) << path;

    const std::string file = m_site.m_drive.Path("got\\file.bin");
    const bool bBinary = TestContext().fetcher.GetBinary(url, file, log);
    EXPECT_EQ(bBinary, m_site.m_drive.Exists("got\\file.bin")) << path << " " << log;
    EXPECT_LE(m_site.m_drive.Read("got\\file.bin").size(), static_cast<size_t>(kCap));
    m_site.m_drive.Remove("got\\file.bin");
    TestContext().fetcher.Probe(url);
    return bText;
  }

  CScriptSite m_site;  // set up first: it resets the settings
  CRawHttpServer m_server{Serve};
};

TEST_F(ServerFault, MalformedHeadersEndInAResult) {
  std::string content;
  ASSERT_TRUE(FetchBothWays("/good.html", content));
  EXPECT_EQ(content, "<!--BLOCK-->fresh<!--/BLOCK-->");
  for (const char* path :
       {"/nocolon.html", "/negative.html", "/hugelength.html", "/twolengths.html",
        "/badstatus.html", "/nostatus.html", "/nul.html", "/badchunk.html", "/hugechunk.html",
        "/barelf.html", "/shortbody.html", "/badredirect.html"}) {
    // A body that was cut short or could not be framed is never taken as the text.
    if (FetchBothWays(path, content)) {
      EXPECT_EQ(content, "<!--BLOCK-->fresh<!--/BLOCK-->") << path;
    }
  }
}

TEST_F(ServerFault, HeadersThatNeverEndAreGivenUpOn) {
  std::string content;
  EXPECT_FALSE(FetchBothWays("/longheader.html", content));
  EXPECT_FALSE(FetchBothWays("/endlessheaders.html", content));
}

TEST_F(ServerFault, EndlessBodiesStopAtTheCap) {
  std::string content, log;
  EXPECT_FALSE(FetchBothWays("/endless.html", content));
  EXPECT_FALSE(FetchBothWays("/endless404.html", content));
  // After the password is given the answer is still a 401 that never ends.
  m_site.m_dialogs.m_passwords = {{"ann", "pw"}};
  EXPECT_FALSE(TestContext().fetcher.GetText(m_server.Url("/endless401.html"), content, log));
  EXPECT_EQ(log.find("GET: " + m_server.Url("/endless401.html") + " "), 0u);
}

// The fetcher asks for no encoding, so a body packed anyway is taken as the bytes that came
// and never expands past the cap.
TEST_F(ServerFault, APackedBodyIsNotExpanded) {
  std::string content;
  ASSERT_TRUE(FetchBothWays("/bomb.html", content));
  EXPECT_EQ(content, PackedZeros());
}

TEST_F(ServerFault, ServersThatStopOrDripAreGivenUpOn) {
  // Text and file share the transfer; the text alone keeps the waiting short.
  for (const char* path : {"/stall.html", "/stallheaders.html", "/drip.html"}) {
    std::string content, log;
    EXPECT_FALSE(TestContext().fetcher.GetText(m_server.Url(path), content, log)) << path;
    EXPECT_EQ(log.find("GET: " + m_server.Url(path) + " Error  "), 0u) << log;
    EXPECT_EQ(content, "");
  }
}

// A failed fetch reads the local copy and leaves it as it was.
TEST_F(ServerFault, AFailedFetchKeepsTheLocalCopy) {
  TestContext().settings.Internet = 1;
  const std::string copy = "<!--BLOCK-->kept copy<!--/BLOCK-->\r\n";
  m_site.Write("templates\\nf_p_template.html", "<body><!--BLOCK--><!--/BLOCK--></body>");
  std::string blocks;
  std::vector<std::string> copies;
  for (const char* path : {"/nostatus.html", "/badchunk.html", "/shortbody.html",
                           "/twolengths.html", "/endless.html"}) {
    blocks += (blocks.empty() ? "" : ",") + m_server.Url(path);
    copies.push_back(std::string("imported\\") + (path + 1));
    m_site.Write(copies.back(), copy);
  }
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html\r\nBLOCKS:" + blocks));
  ASSERT_TRUE(BuildPage(*m_site.Page("Home")));
  for (const std::string& path : copies) EXPECT_EQ(m_site.Read(path), copy) << path;
  EXPECT_NE(m_site.Report().find("Loaded copy: "), std::string::npos);
}

}  // namespace
}  // namespace velmora
