#include "serve/unchanged_files_disk.h"

namespace velmora {

bool CUnchangedFilesDisk::WriteFile(const std::string& path, std::string_view bytes) {
  // A file larger than the new bytes fails the read unread, and so is written.
  std::string old;
  if (m_inner.ReadFile(path, old, bytes.size()) && old == bytes)
    return true;
  return m_inner.WriteFile(path, bytes);
}

}  // namespace velmora
