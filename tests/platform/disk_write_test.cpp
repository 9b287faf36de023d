#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/disk.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The number of a process that has ended.
pid_t EndedProcess() {
  const pid_t pid = ::fork();
  if (pid == 0)
    ::_exit(0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid;
}

std::string Temp(pid_t pid, int n) {
  return ".velmora-" + std::to_string(pid) + "-" + std::to_string(n) + ".tmp";
}

// Temporary files of writes that a killed process left: the first write into a folder removes
// those of processes that no longer run, and nothing else.
TEST(DiskWrite, LeftOverTemporaryFilesOfEndedProcessesAreRemovedWhereFilesAreWritten) {
  CTempDrive drive('C');
  const pid_t dead = EndedProcess();
  const std::string running = Temp(::getppid(), 1), self = Temp(::getpid(), 999999);
  for (const std::string& name :
       {Temp(dead, 0), Temp(dead, 17), running, self, std::string(".velmora-notes.tmp"),
        std::string(".velmora-12x-1.tmp"), Temp(dead, 3) + ".keep"}) {
    drive.Write("site\\" + name, "part of a page");
    drive.Write("other\\" + name, "part of a page");
  }
  TestContext().Disk().ForgetSweptFolders();
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\site\\index.html", "<html></html>"));
  EXPECT_FALSE(drive.Exists("site\\" + Temp(dead, 0)));
  EXPECT_FALSE(drive.Exists("site\\" + Temp(dead, 17)));
  for (const std::string& kept : {running, self, std::string(".velmora-notes.tmp"),
                                  std::string(".velmora-12x-1.tmp"), Temp(dead, 3) + ".keep"})
    EXPECT_TRUE(drive.Exists("site\\" + kept)) << kept;
  EXPECT_TRUE(drive.Exists("other\\" + Temp(dead, 0)));  // nothing was written there

  // Once per folder, until the next build starts.
  drive.Write("site\\" + Temp(dead, 5), "part of a page");
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\site\\index.html", "<html>again</html>"));
  EXPECT_TRUE(drive.Exists("site\\" + Temp(dead, 5)));
  TestContext().Disk().ForgetSweptFolders();
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\site\\b.html", "<html></html>"));
  EXPECT_FALSE(drive.Exists("site\\" + Temp(dead, 5)));
  EXPECT_EQ(drive.Read("site\\index.html"), "<html>again</html>");
}

// A page whose name is a link is replaced by the page, so a page never lands outside its
// folder, and the file the link named stays as it was.
TEST(DiskWrite, APageReplacesALinkNotItsTarget) {
  CTempDrive drive('C');
  drive.Write("outside.txt", "not the site's");
  drive.Write("site\\keep.txt", "");
  fs::create_symlink(drive.HostFolder() + "/outside.txt", drive.HostFolder() + "/site/a.html");
  ASSERT_TRUE(TestContext().Disk().WriteFile("C:\\site\\a.html", "<html></html>"));
  EXPECT_FALSE(fs::is_symlink(drive.HostFolder() + "/site/a.html"));
  EXPECT_EQ(drive.Read("site\\a.html"), "<html></html>");
  EXPECT_EQ(drive.Read("outside.txt"), "not the site's");
}

}  // namespace
}  // namespace velmora
