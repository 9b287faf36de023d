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
  // A commented-out version line makes the script one of the older format.
  EXPECT_FALSE(HasVersionLine(PrepareScriptLines("//VERSION=2.0\r\nCATALOG=C:\\s\r\n1,a")));
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
