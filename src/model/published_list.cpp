#include "model/published_list.h"

#include <algorithm>

#include "platform/strings.h"

namespace velmora {

void CPublishedList::Add(const std::string& name, CPage* pPage) {
  auto it = std::upper_bound(m_entries.begin(), m_entries.end(), name,
                             [](const std::string& n, const CEntry& e) { return n < e.m_strName; });
  m_entries.insert(it, CEntry{name, pPage, false});
}

bool CPublishedList::Select(const std::string& name) {
  std::string wanted = name;
  ReplaceAll(wanted, "/", "\\");
  for (CEntry& entry : m_entries) {
    if (entry.m_strName == wanted) {
      entry.m_bSelected = true;
      return true;
    }
  }
  return false;
}

std::vector<CPage*> CPublishedList::SelectedPages() const {
  std::vector<CPage*> pages;
  for (const CEntry& entry : m_entries)
    if (entry.m_bSelected) pages.push_back(entry.m_pPage);
  return pages;
}

}  // namespace velmora
