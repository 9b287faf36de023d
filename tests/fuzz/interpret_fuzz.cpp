// Interprets a site script made of arbitrary bytes. The first byte picks the answer to the
// questions asked (create the catalog?) and whether forward slashes count as backslashes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_sandbox.h"
#include "model/published_list.h"
#include "model/script_lines.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "support/test_context.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  CFuzzSandbox& sandbox = CFuzzSandbox::Get();
  sandbox.Reset();
  sandbox.m_dialogs.m_bAnswer = data[0] & 1;
  TestContext().settings.AllowForwardSlashes = data[0] & 2;
  sandbox.Write("site/index.html", "<html><body>old page</body></html>");

  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> lines = PrepareScriptLines(text);
  if (!HasEnoughScriptLines(lines) || !HasVersionLine(lines))
    return 0;
  CWebSite site(TestContext(), std::move(lines));
  CPublishedList published;
  site.m_pPublishedList = &published;
  if (site.Interpret()) {
    FuzzCheck(!site.Pages().empty(), "an interpreted site has pages");
    // The outline walks and look-ups that every page build makes.
    for (CNode* pNode : site.Sequence()) {
      pNode->NextPage();
      pNode->PreviousPage();
      site.FirstWithLocalPath(pNode);
    }
    for (const auto& pPage : site.Pages()) site.FirstPageNamed(pPage->m_strName);
  }
  return 0;
}
