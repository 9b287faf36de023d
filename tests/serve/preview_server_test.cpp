// The preview as the desktop program starts it: built, served at a free port, its home page's
// address reachable even when the file name needs escaping, and a taken port refused.
#include "serve/preview_server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <thread>

#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

TEST(PreviewServerTest, HomePageAddressAndTakenPort) {
  CTempDrive drive;
  CScriptedDialogs dialogs;
  TestContext().SetDialogs(&dialogs);
  TestContext().settings = CBuildSettings();
  drive.Write("site.txt",
              "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Preview\r\n"
              "1,Home,P,pages\\my home+1.html\r\nBLOCKS:blocks\\home.html\r\n");
  drive.Write("site/blocks/home.html", "<p>Home text</p>");

  CPreviewServer preview(TestContext(), "C:\\site.txt");
  std::string error;
  ASSERT_TRUE(preview.Start("127.0.0.1", 0, error)) << error;
  const std::string root = "http://127.0.0.1:" + std::to_string(preview.Port()) + "/";
  EXPECT_EQ(preview.RootUrl(), root);
  ASSERT_EQ(preview.HomeUrl(), root + "pages/my%20home%2B1.html");

  httplib::Client client("127.0.0.1", preview.Port());
  auto home = client.Get("/pages/my%20home%2B1.html");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->status, 200);
  EXPECT_NE(home->body.find("Home text"), std::string::npos);

  CPreviewServer second(TestContext(), "C:\\site.txt");
  EXPECT_FALSE(second.Start("127.0.0.1", preview.Port(), error));
  EXPECT_NE(error.find(std::to_string(preview.Port())), std::string::npos) << error;

  preview.Stop();
  EXPECT_FALSE(client.Get("/"));
  TestContext().SetDialogs(nullptr);
}

// Pages are written through a temporary file and a rename, so a request during a build gets the
// old page or the new one, never a part; the served page still ends as the page does.
TEST(PreviewServerTest, PagesFetchedDuringRebuildsAreWhole) {
  CTempDrive drive;
  CScriptedDialogs dialogs;
  TestContext().SetDialogs(&dialogs);
  TestContext().settings = CBuildSettings();
  drive.Write("site.txt",
              "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Whole\r\n"
              "1,Home,P,index.html\r\nBLOCKS:blocks\\home.html\r\n");
  auto block = [](char fill) {
    return "<p>" + std::string(400000, fill) + "</p><p>end of " + fill + "</p>";
  };
  drive.Write("site/blocks/home.html", block('a'));
  CPreviewServer preview(TestContext(), "C:\\site.txt");
  std::string error;
  ASSERT_TRUE(preview.Start("127.0.0.1", 0, error)) << error;
  const std::string page = drive.Read("site/index.html");
  const std::string ending = page.substr(page.size() - 16);

  std::atomic<bool> bBuilding{true};
  int nFetched = 0, nBroken = 0;
  std::thread client([&] {
    httplib::Client http("127.0.0.1", preview.Port());
    while (bBuilding) {
      auto answer = http.Get("/index.html");
      ++nFetched;
      if (!answer || answer->status != 200 || !answer->body.ends_with(ending) ||
          (answer->body.find("end of a") == std::string::npos &&
           answer->body.find("end of b") == std::string::npos))
        ++nBroken;
    }
  });
  for (int i = 0; i < 20; ++i) {
    drive.Write("site/blocks/home.html", block(i % 2 ? 'a' : 'b'));
    EXPECT_TRUE(preview.Rebuild());
  }
  bBuilding = false;
  client.join();
  EXPECT_GT(nFetched, 0);
  EXPECT_EQ(nBroken, 0) << "of " << nFetched;
  preview.Stop();
  TestContext().SetDialogs(nullptr);
}

}  // namespace
}  // namespace velmora
