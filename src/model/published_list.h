// The list of published pages: remote paths sorted alphabetically ignoring case, each
// carrying its page, with a selection that survives refilling by position.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CPage;

class CPublishedList {
 public:
  struct CEntry {
    std::string m_strName;
    CPage* m_pPage = nullptr;
    bool m_bSelected = false;
  };
  void Clear() { m_entries.clear(); }
  // Adds an entry at its sorted place.
  void Add(const std::string& name, CPage* pPage);
  // Adds many entries at once, keeping the list sorted (entries of equal name in given order).
  void AddAll(std::vector<CEntry> entries);
  // Selects the entry of that name (with "\" or "/"); false when there is none.
  bool Select(const std::string& name);
  std::vector<CPage*> SelectedPages() const;  // in list order
  std::vector<size_t> SelectedPositions() const;
  // Selects the entries at these positions; positions past the end are passed over.
  void SelectPositions(const std::vector<size_t>& positions);
  int Count() const { return static_cast<int>(m_entries.size()); }

  std::vector<CEntry> m_entries;
};

}  // namespace velmora
