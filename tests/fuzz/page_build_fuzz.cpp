// Builds a small site whose page template and block come from the input: the template is the
// text before the first line "=====", the block the text after it. The first byte switches
// the build settings. Nothing may be written outside the site's catalog, and a kept page
// built again and again from its own file must not keep growing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "assembly/page_build.h"
#include "build/build_driver.h"
#include "fuzz_sandbox.h"
#include "model/script_lines.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "support/test_context.h"

using namespace velmora;

namespace {

const char kScript[] =
    "VERSION=2.0\r\n"
    "CATALOG=C:\\site\\\r\n"
    "SITENAME=Fuzz Site\r\n"
    "COLLECT:things,<b>,</b>\r\n"
    "INDEX:keywords.txt\r\n"
    "RSIMPLE=colour,color\r\n"
    "RDOUBLE=<!--X-->,<!--/X-->,y\r\n"
    "1,Home,P,index.html\r\n"
    "BLOCKS:blocks\\b.html\r\n"
    "2,Child,P,pages\\child.html\r\n"
    "BLOCKS:blocks\\b.html,blocks\\b.html\r\n"
    "BASED_ON:Home,Nowhere\r\n"
    "3,Listed,C,pages\\deep\\list.html\r\n"
    "BLOCKS:blocks\\b.html\r\n"
    "2,Kept,,kept.html\r\n";

const char kSeparator[] = "\n=====\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  CFuzzSandbox& sandbox = CFuzzSandbox::Get();
  sandbox.Reset();
  const uint8_t switches = data[0];
  TestContext().settings.BuildIndex = switches & 1;
  TestContext().settings.BuildCollections = switches & 2;
  TestContext().settings.BuildPrintPages = switches & 4;
  TestContext().settings.CheckNameRefs = switches & 8;
  TestContext().settings.CheckAllImages = switches & 16;
  TestContext().settings.AllowForwardSlashes = switches & 32;

  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t cut = text.find(kSeparator);
  const std::string_view templateText = text.substr(0, cut);
  const std::string_view block =
      cut == std::string_view::npos ? std::string_view() : text.substr(cut + sizeof kSeparator - 1);
  sandbox.Write("site/templates/nf_p_template.html", templateText);
  sandbox.Write("site/blocks/b.html", block);
  sandbox.Write("site/kept.html", block);
  sandbox.Write("site/keywords.txt", "colour,color\r\nthing,things\r\n");
  sandbox.AllowOnly("C:\\site");

  CWebSite site(TestContext(), PrepareScriptLines(kScript));
  FuzzCheck(site.Interpret(), "the fixed script interprets");
  BuildPages(site);

  CPage* pKept = site.FindPageByName("Kept");
  FuzzCheck(pKept != nullptr, "the kept page is there");
  // A print list or a collection on the kept page gathers from pages that hold the kept page's
  // last build, so such a page grows by design (and is not built more often than needed).
  std::string first, second, third;
  BuildPage(*pKept);
  sandbox.Read("site/kept.html", first);
  if (first.find("<!--PRINTLIST") != std::string::npos ||
      first.find("<!--COLLECTION") != std::string::npos)
    return 0;
  // Badly nested tags can take one more build to settle: a later step of the build removes a
  // tag that an earlier one went by. From then on the page must not grow.
  BuildPage(*pKept);
  sandbox.Read("site/kept.html", second);
  BuildPage(*pKept);
  sandbox.Read("site/kept.html", third);
  FuzzCheck(third.size() <= second.size(), "a kept page does not grow from build to build");
  return 0;
}
