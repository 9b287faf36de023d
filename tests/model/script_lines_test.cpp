#include "model/script_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

TEST(ScriptLines, CutOnlyAtCrLfTrimAndDropShortAndCommentLines) {
  std::string text =
      "  VERSION=2.0  \r\n\r\n// Page section\r\nab\r\n \t x y \r\n"
      "1,Home\nstill the same line\r\n2,Lone\rCR";
  EXPECT_EQ(PrepareScriptLines(text),
            (Lines{"VERSION=2.0", "x y", "1,Home\nstill the same line", "2,Lone\rCR"}));
  EXPECT_TRUE(PrepareScriptLines("").empty());
  EXPECT_TRUE(PrepareScriptLines("\r\n\r\n   \r\n").empty());
}

TEST(ScriptLines, OlderBlockLinesBecomeBlocksLines) {
  EXPECT_EQ(PrepareScriptLines("BLOCK,a.html,BLOCK,b.html\r\nX BLOCK,c.html"),
            (Lines{"BLOCKS:a.html,BLOCKS:b.html", "X BLOCK,c.html"}));
  EXPECT_EQ(PrepareScriptLines("BLOCKS:a.html"), (Lines{"BLOCKS:a.html"}));
}

TEST(ScriptLines, ChecksBeforeInterpretation) {
  EXPECT_FALSE(HasEnoughScriptLines(PrepareScriptLines("VERSION=2.0\r\n// c\r\nCATALOG=C:\\s")));
  EXPECT_TRUE(HasEnoughScriptLines(PrepareScriptLines("VERSION=2.0\r\nCATALOG=C:\\s\r\n1,a")));
  EXPECT_TRUE(HasVersionLine({"CATALOG=C:\\s", "VERSION=2.0 "}));
  EXPECT_TRUE(HasVersionLine({"VERSION=2.01"}));  // only the first 11 characters count
  EXPECT_FALSE(HasVersionLine({"VERSION=1.0", "version=2.0"}));
  // A commented-out version line does not count.
  EXPECT_FALSE(HasVersionLine(PrepareScriptLines("//VERSION=2.0\r\nCATALOG=C:\\s\r\n1,a")));
}

TEST(ScriptLines, AByteOrderMarkBeforeTheVersionLineIsSkipped) {
  const Lines lines = PrepareScriptLines("\xEF\xBB\xBFVERSION=2.0\r\nCATALOG=C:\\s\r\n1,a");
  EXPECT_EQ(lines.front(), "VERSION=2.0");
  EXPECT_TRUE(HasVersionLine(lines));
  // Only at the start of the text.
  EXPECT_EQ(PrepareScriptLines("a=1\r\n\xEF\xBB\xBF"
                               "b=2")[1],
            "\xEF\xBB\xBF"
            "b=2");
}

// Conversion rewrites files in place, so only a text that reads as an older script is offered.
TEST(ScriptLines, OnlyScriptsOfTheOlderFormatReadAsSuch) {
  EXPECT_TRUE(ReadsAsOlderScript(PrepareScriptLines("CATALOG=C:\\s\r\n1,I,Home,index.html,,,,M")));
  EXPECT_TRUE(ReadsAsOlderScript({"0,F,Frames,frames.html,,,,,x"}));
  EXPECT_TRUE(ReadsAsOlderScript({"SITENAME=x", "ORG=http://a/"}));
  EXPECT_TRUE(ReadsAsOlderScript({"LAYOUT=F"}));
  EXPECT_TRUE(ReadsAsOlderScript({"OPTION:INDEX=SORT"}));

  // A current script whose version line is commented out, text of other kinds, block lines.
  EXPECT_FALSE(ReadsAsOlderScript(
      PrepareScriptLines("// VERSION=2.0\r\nCATALOG=C:\\s\r\nSITEORG=http://a/\r\n"
                         "1,Home,I,index.html\r\nBLOCKS:a.html,b.html,c.html,d,e,f,g,h")));
  EXPECT_FALSE(ReadsAsOlderScript({"name,street,town,zip.code,phone,mail,age,notes"}));
  EXPECT_FALSE(ReadsAsOlderScript({"1,2,3,4,5,6,7,8"}));   // no file for a location
  EXPECT_FALSE(ReadsAsOlderScript({"1,P,A,a.html,,,M"}));  // seven fields
  EXPECT_FALSE(ReadsAsOlderScript({}));
}

TEST(ScriptLines, ToleratesBinaryAndHugeText) {
  std::string binary;
  for (int n = 0; n < 200000; ++n) binary.push_back(static_cast<char>((n * 7919) % 256));
  PrepareScriptLines(binary);

  std::string huge(1 << 20, 'x');
  huge[500] = '\0';
  Lines lines = PrepareScriptLines("VERSION=2.0\r\n" + huge + "\r\n1,a");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].size(), huge.size());
}

}  // namespace
}  // namespace velmora
