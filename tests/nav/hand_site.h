// A small site assembled by hand for the navigation tests: pages with levels, files and
// options, placed into an outline by their levels and numbered in pre-order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/web_site.h"
#include "support/test_context.h"

namespace velmora {

class CHandSite {
 public:
  CHandSite() : m_site(TestContext(), std::vector<std::string>{}) {
    m_site.m_strCatalog = "C:\\site\\";
    m_site.m_pRoot = std::make_unique<CNode>(&m_site);
  }

  // remote: path in the catalog ("" for a heading without a file).
  CPage& Add(int nLevel, const std::string& name, const std::string& remote = {},
             const std::string& option = {}, const std::string& url = {}) {
    auto pPage = std::make_unique<CPage>(&m_site);
    pPage->m_nLevel = nLevel;
    pPage->m_strName = name;
    pPage->m_strOption = option;
    pPage->m_strUrl = url;
    pPage->m_strType = "P";
    pPage->m_bValid = true;
    if (!remote.empty()) {
      pPage->m_strRemotePath = remote;
      pPage->m_strLocalPath = m_site.m_strCatalog + remote;
      pPage->m_strFileName = remote.substr(remote.rfind('\\') + 1);
    }
    return m_site.AddPage(std::move(pPage));
  }

  // Places the pages by level (a deeper page goes under the last shallower one; level 0
  // stays outside) and lets the site number its outline.
  CWebSite& Finish() {
    std::vector<CNode*> stack{m_site.m_pRoot.get()};
    for (auto& pPage : m_site.Pages()) {
      if (pPage->m_nLevel <= 0)
        continue;
      while (stack.size() > 1 && stack.back()->m_nLevel >= pPage->m_nLevel) stack.pop_back();
      pPage->m_pParent = stack.back();
      stack.back()->m_children.push_back(pPage.get());
      stack.push_back(pPage.get());
    }
    m_site.PrepareOutline();
    return m_site;
  }

  CPage& Page(const std::string& name) { return *m_site.FindPageByName(name); }
  CWebSite& Site() { return m_site; }

 private:
  CWebSite m_site;
};

}  // namespace velmora
