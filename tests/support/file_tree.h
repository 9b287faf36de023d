// Every regular file under a host folder with its bytes, to show that an operation changed
// nothing outside the places it may write to.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

// Relative path ("site/index.html") to content.
using CFileTree = std::map<std::string, std::string>;

CFileTree SnapshotTree(const std::string& hostFolder);

// The files added, removed or changed between the two snapshots, leaving out those whose
// relative path starts with one of the allowed prefixes. Each entry is "+ path", "- path" or
// "* path".
std::vector<std::string> TreeChanges(const CFileTree& before, const CFileTree& after,
                                     const std::vector<std::string>& allowedPrefixes = {});

}  // namespace velmora::testing
