// The disk of a preview build: a file whose bytes are already there is not written again. A
// save of one block changes few pages; writing all of them again through a temporary file and
// a rename would make a rebuild of a large site wait on the file system (ext4 makes files
// slowly while the inodes the renames freed are recent), and the pages that did not change
// keep their time.
#pragma once

#include "platform/disk.h"

namespace velmora {

class CUnchangedFilesDisk : public CDisk {
 public:
  explicit CUnchangedFilesDisk(CDisk& inner) : m_inner(inner) {}

  using CDisk::ReadFile;
  bool ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) override {
    return m_inner.ReadFile(path, bytes, nMaxBytes);
  }
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool FileExists(const std::string& path) override { return m_inner.FileExists(path); }
  bool FolderExists(const std::string& path) override { return m_inner.FolderExists(path); }
  bool MakeFolder(const std::string& path, bool& bExisted) override {
    return m_inner.MakeFolder(path, bExisted);
  }
  bool ListFolder(const std::string& path, std::vector<CDirEntry>& entries) override {
    return m_inner.ListFolder(path, entries);
  }
  bool ModificationTime(const std::string& path, std::int64_t& seconds) override {
    return m_inner.ModificationTime(path, seconds);
  }
  bool RemoveFile(const std::string& path) override { return m_inner.RemoveFile(path); }
  bool Stamp(const std::string& path, CFileStamp& stamp) override {
    return m_inner.Stamp(path, stamp);
  }
  void ForgetSweptFolders() override { m_inner.ForgetSweptFolders(); }
  std::string FailureReason() const override { return m_inner.FailureReason(); }

 private:
  CDisk& m_inner;
};

}  // namespace velmora
