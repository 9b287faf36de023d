#include "markup/page_charset.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// A page in UTF-8 built from templates that declare Latin-1.
std::string Page(const std::string& head, const std::string& body = "<p>Caf\xC3\xA9</p>") {
  return "<html>\r\n<head>\r\n" + head + "<title>T</title>\r\n</head>\r\n<body>\r\n" + body +
         "\r\n</body>\r\n</html>";
}

TEST(PageCharset, Utf8PagesDeclareUtf8) {
  const std::string latin1Meta =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n";
  const std::string utf8Meta =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";
  std::string page = Page(latin1Meta);
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page(utf8Meta));
  EXPECT_FALSE(DeclareUtf8Charset(page));  // built again: no change

  // Upper-case markup, the short form, and a content type without charset.
  page = Page("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; CHARSET=windows-1252\">");
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; CHARSET=utf-8\">"));
  page = Page("<meta charset=\"ISO-8859-1\"/>");
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page("<meta charset=\"utf-8\"/>"));
  page = Page("<meta http-equiv='content-type' content='text/html'>");
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page("<meta http-equiv='content-type' content='text/html; charset=utf-8'>"));
  page = Page("<meta charset=\"UTF-8\">");
  EXPECT_FALSE(DeclareUtf8Charset(page));
  page = Page("<meta charset=\"\">");
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page("<meta charset=\"utf-8\">"));

  // Only the head is looked at: a charset in the body is the author's text.
  const std::string body = "<p>Caf\xC3\xA9 &lt;meta charset=x&gt;</p><meta charset=\"latin1\">";
  page = Page(latin1Meta, body);
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, Page(utf8Meta, body));
}

TEST(PageCharset, AMetaElementIsAddedWhereThereIsNone) {
  const std::string meta =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
  std::string page = "<HTML><HEAD id=\"h\"><title>\xC3\xA9</title></HEAD><body></body></HTML>";
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, "<HTML><HEAD id=\"h\">\r\n" + meta +
                      "<title>\xC3\xA9</title></HEAD><body></body></HTML>");
  EXPECT_FALSE(DeclareUtf8Charset(page));

  page = "<!DOCTYPE html>\r\n<html><header>\xC3\xA9</header></html>";
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, "<!DOCTYPE html>\r\n<html>\r\n" + meta + "<header>\xC3\xA9</header></html>");

  page = "<!doctype html><p>\xC3\xA9</p>";
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, "<!doctype html>\r\n" + meta + "<p>\xC3\xA9</p>");

  page = "<p>\xE2\x80\x93</p>";
  EXPECT_TRUE(DeclareUtf8Charset(page));
  EXPECT_EQ(page, meta + "\r\n<p>\xE2\x80\x93</p>");
}

TEST(PageCharset, AsciiAndLatin1PagesStayByteForByte) {
  const std::string meta =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">";
  for (const std::string& body :
       {std::string("<p>Cafe</p>"), std::string("<p>Caf\xE9</p>"),
        std::string("<p>Caf\xE9 and Caf\xC3\xA9</p>")}) {  // mixed: not valid UTF-8
    std::string page = Page(meta, body);
    const std::string before = page;
    EXPECT_FALSE(DeclareUtf8Charset(page));
    EXPECT_EQ(page, before);
  }
}

}  // namespace
}  // namespace velmora
