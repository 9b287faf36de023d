#include "model/script_file.h"

#include <gtest/gtest.h>

#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class ScriptFile : public ::testing::Test {
 protected:
  EScriptRead Read(const std::string& bytes) {
    drive.Write("script.txt", bytes);
    return ReadScriptFile(TestContext().files, "C:\\script.txt", text, encoding);
  }

  CTempDrive drive;
  std::string text;
  ETextEncoding encoding = ETextEncoding::kPlain;
};

TEST_F(ScriptFile, TextIsReadWithCrLfLineEndsInWhateverEncodingItWasSaved) {
  ASSERT_EQ(Read("VERSION=2.0\nSITENAME=Caf\xE9\r\n"), EScriptRead::kRead);
  EXPECT_EQ(text, "VERSION=2.0\r\nSITENAME=Caf\xE9");
  EXPECT_EQ(encoding, ETextEncoding::kPlain);

  ASSERT_EQ(Read("\xEF\xBB\xBFVERSION=2.0\r\nSITENAME=x"), EScriptRead::kRead);
  EXPECT_EQ(text, "VERSION=2.0\r\nSITENAME=x");
  EXPECT_EQ(encoding, ETextEncoding::kUtf8Bom);

  // Line ends are found after decoding: the bytes of a UTF-16 line feed are not one.
  const std::string script = "VERSION=2.0\nSITENAME=\xE6\x9D\xB1\xE4\xBA\xAC\n";
  for (ETextEncoding saved : {ETextEncoding::kUtf16Le, ETextEncoding::kUtf16Be,
                              ETextEncoding::kUtf32Le, ETextEncoding::kUtf32Be}) {
    ASSERT_EQ(Read(EncodeText(script, saved)), EScriptRead::kRead);
    EXPECT_EQ(text, "VERSION=2.0\r\nSITENAME=\xE6\x9D\xB1\xE4\xBA\xAC");
    EXPECT_EQ(encoding, saved);
  }
  // Tabs, form feeds and an end-of-file mark are text too.
  EXPECT_EQ(Read("VERSION=2.0\t\f\r\nSITENAME=x\x1A"), EScriptRead::kRead);
}

TEST_F(ScriptFile, FilesThatAreNotTextAreRefused) {
  EXPECT_EQ(Read(std::string("VERSION=2.0\r\n\0\0", 15)), EScriptRead::kNotAScript);
  EXPECT_TRUE(text.empty());
  // UTF-16 without its mark is full of NUL bytes.
  EXPECT_EQ(Read(EncodeText("VERSION=2.0", ETextEncoding::kUtf16Le).substr(2)),
            EScriptRead::kNotAScript);
  EXPECT_EQ(Read(EncodeText("VERSION=2.0", ETextEncoding::kUtf16Le) + "x"),
            EScriptRead::kNotAScript);
  EXPECT_EQ(Read("GIF89a\x01\x02\x03\x1B"), EScriptRead::kNotAScript);
  // A NUL in UTF-16 text is refused after decoding as well.
  EXPECT_EQ(Read(EncodeText(std::string("a\0b", 3), ETextEncoding::kUtf16Be)),
            EScriptRead::kNotAScript);
  EXPECT_EQ(ReadScriptFile(TestContext().files, "C:\\missing.txt", text, encoding),
            EScriptRead::kUnreadable);
}

}  // namespace
}  // namespace velmora
