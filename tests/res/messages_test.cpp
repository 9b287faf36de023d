#include "res/messages.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Messages, FormattingFillsPlaceholdersAndKeepsControlCharacters) {
  EXPECT_EQ(FormatMessage(33, "x.html"), "Bad path: x.html");
  EXPECT_EQ(FormatMessage(19000, "ftp://a"),
            "Can only use URLs beginning with http://\r\n     ftp://a");
  EXPECT_EQ(FormatMessage(19007, "http://a/", "http://b/"),
            "Accept Redirection\n\nFrom:  http://a/\n\nTo: http://b/\n");
  EXPECT_EQ(Message(27), "Ignoring collect: %1 ");
  EXPECT_EQ(Message(12345), "");
}

TEST(Messages, StampLinksToTheProductAddress) {
  std::string stamp = FormatMessage(2, Message(1));
  EXPECT_EQ(stamp.find("%1"), std::string::npos);
  EXPECT_NE(stamp.find("href=\"" + Message(1) + "\""), std::string::npos);
  EXPECT_NE(stamp.find(">Velmora 2.0</a>"), std::string::npos);
}

}  // namespace
}  // namespace velmora
