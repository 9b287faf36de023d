#include "support/file_tree.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora::testing {

namespace fs = std::filesystem;

CFileTree SnapshotTree(const std::string& hostFolder) {
  CFileTree tree;
  std::error_code error;
  for (fs::recursive_directory_iterator it(hostFolder, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file())
      continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    tree[fs::relative(it->path(), hostFolder).generic_string()] = bytes.str();
  }
  return tree;
}

std::vector<std::string> TreeChanges(const CFileTree& before, const CFileTree& after,
                                     const std::vector<std::string>& allowedPrefixes) {
  auto allowed = [&](const std::string& path) {
    for (const std::string& prefix : allowedPrefixes)
      if (path.starts_with(prefix))
        return true;
    return false;
  };
  std::vector<std::string> changes;
  for (const auto& [path, bytes] : before) {
    if (allowed(path))
      continue;
    auto it = after.find(path);
    if (it == after.end())
      changes.push_back("- " + path);
    else if (it->second != bytes)
      changes.push_back("* " + path);
  }
  for (const auto& [path, bytes] : after)
    if (!allowed(path) && !before.count(path))
      changes.push_back("+ " + path);
  return changes;
}

}  // namespace velmora::testing
