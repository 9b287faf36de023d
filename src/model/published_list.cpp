#include "model/published_list.h"

#include <algorithm>

#include "platform/strings.h"

namespace velmora {

namespace {
bool NameBefore(const CPublishedList::CEntry& a, const CPublishedList::CEntry& b) {
  return LessNoCase(a.m_strName, b.m_strName);
}
}  // namespace

void CPublishedList::Add(const std::string& name, CPage* pPage) {
  CEntry entry{name, pPage, false};
  auto it = std::upper_bound(m_entries.begin(), m_entries.end(), entry, NameBefore);
  m_entries.insert(it, std::move(entry));
}

void CPublishedList::AddAll(std::vector<CEntry> entries) {
  m_entries.insert(m_entries.end(), std::make_move_iterator(entries.begin()),
                   std::make_move_iterator(entries.end()));
  std::stable_sort(m_entries.begin(), m_entries.end(), NameBefore);
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

std::vector<size_t> CPublishedList::SelectedPositions() const {
  std::vector<size_t> positions;
  for (size_t n = 0; n < m_entries.size(); ++n)
    if (m_entries[n].m_bSelected)
      positions.push_back(n);
  return positions;
}

void CPublishedList::SelectPositions(const std::vector<size_t>& positions) {
  for (size_t n : positions)
    if (n < m_entries.size())
      m_entries[n].m_bSelected = true;
}

std::vector<CPage*> CPublishedList::SelectedPages() const {
  std::vector<CPage*> pages;
  for (const CEntry& entry : m_entries)
    if (entry.m_bSelected)
      pages.push_back(entry.m_pPage);
  return pages;
}

}  // namespace velmora
