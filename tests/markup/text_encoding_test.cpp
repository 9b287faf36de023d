#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// "Café “x” – 東京 𝄞" in UTF-8: two-, three- and four-byte characters.
const std::string kUtf8Text =
    "Caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC "
    "\xF0\x9D\x84\x9E\r\n";

TEST(TextEncoding, WideEncodingsGoToUtf8AndBack) {
  for (ETextEncoding wanted :
       {ETextEncoding::kUtf16Le, ETextEncoding::kUtf16Be, ETextEncoding::kUtf32Le,
        ETextEncoding::kUtf32Be, ETextEncoding::kUtf8Bom, ETextEncoding::kPlain}) {
    const std::string bytes = EncodeText(kUtf8Text, wanted);
    std::string text;
    ETextEncoding found = ETextEncoding::kPlain;
    ASSERT_TRUE(DecodeText(bytes, text, found)) << static_cast<int>(wanted);
    EXPECT_EQ(found, wanted);
    EXPECT_EQ(text, kUtf8Text);
  }
  // The surrogate pair and the byte order, written out.
  EXPECT_EQ(EncodeText("\xF0\x9D\x84\x9E", ETextEncoding::kUtf16Le),
            std::string("\xFF\xFE\x34\xD8\x1E\xDD", 6));
  EXPECT_EQ(EncodeText("A", ETextEncoding::kUtf32Be), std::string("\0\0\xFE\xFF\0\0\0A", 8));
  // Bytes that are not UTF-8 are taken as Latin-1 on the way out.
  EXPECT_EQ(EncodeText("\xE9", ETextEncoding::kUtf16Be), std::string("\xFE\xFF\0\xE9", 4));
}

TEST(TextEncoding, BrokenWideTextDoesNotDecode) {
  std::string text = "kept";
  ETextEncoding found = ETextEncoding::kPlain;
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE"
                                      "A\0B",
                                      5),
                          text, found));  // cut unit
  EXPECT_TRUE(text.empty());
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE\x00\xDC", 4), text, found));  // lone low half
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE\x00\xD8"
                                      "A\0",
                                      6),
                          text, found));
  EXPECT_FALSE(DecodeText(std::string("\0\0\xFE\xFF\0\x11\0\0", 8), text, found));  // > U+10FFFF
  // Without a mark the bytes are the text, whatever they hold.
  ASSERT_TRUE(DecodeText(std::string("a\0\xE9", 3), text, found));
  EXPECT_EQ(found, ETextEncoding::kPlain);
  EXPECT_EQ(text, std::string("a\0\xE9", 3));
}

TEST(TextEncoding, MarksAreDroppedFromTextsForPages) {
  std::string text = "\xEF\xBB\xBF<p>a</p>";
  DropByteOrderMark(text);
  EXPECT_EQ(text, "<p>a</p>");
  text = EncodeText("<p>\xC3\xA9</p>", ETextEncoding::kUtf16Le);
  DropByteOrderMark(text);
  EXPECT_EQ(text, "<p>\xC3\xA9</p>");
  text = std::string("\xFE\xFF\0", 3);  // cannot be decoded: only the mark goes
  DropByteOrderMark(text);
  EXPECT_EQ(text, std::string("\0", 1));
  text = "\xEF\xBB<p>";  // no whole mark
  DropByteOrderMark(text);
  EXPECT_EQ(text, "\xEF\xBB<p>");
}

TEST(TextEncoding, Utf8Validity) {
  EXPECT_TRUE(IsValidUtf8(kUtf8Text));
  EXPECT_TRUE(IsAscii("plain text, long enough for the word loop"));
  EXPECT_FALSE(IsAscii("plain text, long enough for the word loop \xC3\xA9"));
  EXPECT_FALSE(IsValidUtf8("Caf\xE9"));           // Latin-1
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond Unicode
  EXPECT_FALSE(IsValidUtf8("\xE2\x80"));          // cut off
}

}  // namespace
}  // namespace velmora
