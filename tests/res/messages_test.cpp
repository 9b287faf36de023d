#include "res/messages.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Messages, FormattingFillsPlaceholdersAndKeepsControlCharacters) {
  EXPECT_EQ(FormatMessage(EMessage::kBadPath, "x.html"), "Bad path: x.html");
  EXPECT_EQ(FormatMessage(EMessage::kOnlyHttpAddresses, "ftp://a"),
            "Can only use URLs beginning with http://\r\n     ftp://a");
  EXPECT_EQ(FormatMessage(EMessage::kAcceptRedirection, "http://a/", "http://b/"),
            "Accept Redirection\n\nFrom:  http://a/\n\nTo: http://b/\n");
  EXPECT_EQ(Message(EMessage::kIgnoringCollect), "Ignoring collect: %1 ");
  EXPECT_EQ(Message(static_cast<EMessage>(12345)), "");
}

TEST(Messages, StampLinksToTheProductAddress) {
  std::string stamp = FormatMessage(EMessage::kStamp, Message(EMessage::kProductAddress));
  EXPECT_EQ(stamp.find("%1"), std::string::npos);
  EXPECT_NE(stamp.find("href=\"" + Message(EMessage::kProductAddress) + "\""), std::string::npos);
  EXPECT_NE(stamp.find(">Velmora 2.0</a>"), std::string::npos);
}

}  // namespace
}  // namespace velmora
