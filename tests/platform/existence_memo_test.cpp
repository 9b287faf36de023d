#include "platform/existence_memo.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

// Answers are kept, and whatever goes through the memo changes them.
TEST(ExistenceMemo, RemembersAnswersUntilItChangesTheFile) {
  CTempDrive drive('C');
  drive.Write("a.gif", "GIF");
  CExistenceMemoScope scope(TestContext().DiskSlot(), TestContext().drives);
  EXPECT_TRUE(TestContext().Disk().FileExists("C:\\a.gif"));
  EXPECT_FALSE(TestContext().Disk().FileExists("C:\\b.gif"));

  // Changed around the memo: not seen until the memo itself changes the file.
  std::remove((drive.HostFolder() + "/a.gif").c_str());
  EXPECT_TRUE(TestContext().Disk().FileExists("C:\\a.gif"));
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\b.gif", "GIF"));
  EXPECT_TRUE(TestContext().Disk().FileExists("C:\\b.gif"));
  ASSERT_TRUE(TestContext().Disk().RemoveFile("C:\\b.gif"));
  EXPECT_FALSE(TestContext().Disk().FileExists("C:\\b.gif"));
  // Two spellings of one drive letter are one file.
  EXPECT_FALSE(TestContext().Disk().FileExists("C:\\e.gif"));
  ASSERT_TRUE(TestContext().Disk().WriteFile("c:\\e.gif", "GIF"));
  EXPECT_TRUE(TestContext().Disk().FileExists("C:\\e.gif"));
  bool bExisted = false;
  ASSERT_TRUE(TestContext().Disk().MakeFolder("C:\\d.gif", bExisted));
  EXPECT_FALSE(TestContext().Disk().FileExists("C:\\d.gif"));
}

TEST(ExistenceMemo, TheScopeGivesTheDiskBack) {
  CDisk* pBefore = &TestContext().Disk();
  {
    CExistenceMemoScope scope(TestContext().DiskSlot(), TestContext().drives);
    EXPECT_NE(&TestContext().Disk(), pBefore);
  }
  EXPECT_EQ(&TestContext().Disk(), pBefore);
}

}  // namespace
}  // namespace velmora
