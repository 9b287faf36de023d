#include "net/address.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseAddress, SplitsServiceServerObjectAndPort) {
  CAddress a;
  ASSERT_TRUE(ParseAddress("HTTP://www.example.com:8080/dir/page.html?x=1", a));
  EXPECT_EQ(a.m_strService, "http");
  EXPECT_EQ(a.m_strServer, "www.example.com");
  EXPECT_EQ(a.m_strObject, "/dir/page.html?x=1");
  EXPECT_EQ(a.m_nPort, 8080);
  EXPECT_TRUE(IsHttpService(a));

  ASSERT_TRUE(ParseAddress("https://user:pw@host", a));
  EXPECT_EQ(a.m_strServer, "host");
  EXPECT_EQ(a.m_strObject, "/");
  EXPECT_EQ(a.m_nPort, 443);
  EXPECT_TRUE(IsHttpService(a));

  ASSERT_TRUE(ParseAddress("http://host?q=1", a));
  EXPECT_EQ(a.m_strObject, "/?q=1");
  ASSERT_TRUE(ParseAddress("http://[::1]:81/x", a));
  EXPECT_EQ(a.m_strServer, "[::1]");
  EXPECT_EQ(a.m_nPort, 81);

  ASSERT_TRUE(ParseAddress("ftp://files.example.org/a.zip", a));
  EXPECT_FALSE(IsHttpService(a));
}

TEST(ParseAddress, SchemesWithoutServer) {
  CAddress a;
  ASSERT_TRUE(ParseAddress("mailto:ann@example.com", a));
  EXPECT_EQ(a.m_strService, "mailto");
  EXPECT_TRUE(a.m_strServer.empty());
}

TEST(ParseAddress, RefusesWhatIsNoAddress) {
  CAddress a;
  for (const char* text :
       {"www.example.com/page.html", "pages/a.html", "/abs/path", "http://", "http:///x",
        "http://host:port/x", "http://host:/x", "http://host:99999/", "http://ho st/x",
        "http://D:\\dir/a.html", "1http://x/"})
    EXPECT_FALSE(ParseAddress(text, a)) << text;
}

TEST(ResolveAddress, RedirectTargetsAreTakenAgainstTheAnsweringAddress) {
  CAddress base, a;
  ASSERT_TRUE(ParseAddress("http://host:8080/dir/sub/page.html?x=1", base));
  const std::pair<const char*, const char*> cases[] = {
      {"other.html", "http://host:8080/dir/sub/other.html"},
      {"../up.html#part", "http://host:8080/dir/up.html"},
      {"./../../../../top.html", "http://host:8080/top.html"},
      {"/abs/x.html?y=2", "http://host:8080/abs/x.html?y=2"},
      {"?z=3", "http://host:8080/dir/sub/page.html?z=3"},
      {"sub2/", "http://host:8080/dir/sub/sub2/"},
      {"..", "http://host:8080/dir/"},
      {"//elsewhere/x.html", "http://elsewhere/x.html"},
      {"https://secure/x.html", "https://secure/x.html"}};
  for (const auto& [reference, expected] : cases) {
    ASSERT_TRUE(ResolveAddress(base, reference, a)) << reference;
    EXPECT_EQ(AddressText(a), expected) << reference;
  }
  ASSERT_TRUE(ResolveAddress(base, "ftp://files/x.zip", a));
  EXPECT_FALSE(IsHttpService(a));
  // A reference that names a service it does not spell out fully is no path on this server.
  for (const char* reference : {"", "#top", "file:///etc/passwd", "bad target", "x\x01y"})
    EXPECT_FALSE(ResolveAddress(base, reference, a) && IsHttpService(a)) << reference;
}

}  // namespace
}  // namespace velmora
