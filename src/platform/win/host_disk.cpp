// The host disk on Windows: paths reach the system as UTF-16, and a file is written through a
// temporary file that MoveFileExW puts in its place.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/win/wide_text.h"

namespace velmora {

namespace {

bool SystemPathOf(const CDriveMap& drives, const std::string& path, std::wstring& system) {
  std::string host;
  if (!drives.ToHost(path, host))
    return false;
  system = SystemPath(host);
  return true;
}

class CHandle {
 public:
  explicit CHandle(HANDLE h) : m_h(h) {}
  ~CHandle() {
    if (IsOpen())
      ::CloseHandle(m_h);
  }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_h; }
  // Closes now; false when the system reports a failure (a delayed write error).
  bool Close() {
    const bool ok = ::CloseHandle(m_h) != 0;
    m_h = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE m_h;
};

// Files are opened so that others may read, write, rename and delete them meanwhile, as a
// POSIX file is.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::int64_t NsSince1970(const FILETIME& time) {
  // FILETIME counts 100 ns steps from 1601.
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (ticks - 116444736000000000LL) * 100;
}

bool Attributes(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

bool IsFolder(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool CHostDisk::ReadFile(const std::string& path, std::string& bytes, size_t nMaxBytes) {
  std::wstring system;
  if (!SystemPathOf(m_drives, path, system))
    return false;
  // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS: only files are read.
  CHandle file(::CreateFileW(system.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
      !::GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > nMaxBytes)
    return false;
  // Read to the end, not to the size seen: a file that grows meanwhile is read on, up to the
  // limit.
  bytes.assign(static_cast<size_t>(size.QuadPart) + 1, '\0');
  size_t done = 0;
  while (true) {
    const size_t want = std::min<size_t>(bytes.size() - done, 1 << 30);
    DWORD n = 0;
    if (!::ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(want), &n, nullptr)) {
      bytes.clear();
      return false;
    }
    done += n;
    if (done > nMaxBytes) {
      bytes.clear();
      return false;
    }
    if (n == 0 || done < bytes.size())
      break;
    bytes.resize(std::min(bytes.size() * 2, nMaxBytes == SIZE_MAX ? SIZE_MAX : nMaxBytes + 1));
  }
  bytes.resize(done);
  return true;
}

namespace {

// Temporary files are named ".velmora-PID-N.tmp", as on every host.
constexpr std::wstring_view kTempStart = L".velmora-";
constexpr std::wstring_view kTempEnd = L".tmp";

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

DWORD TempOwner(std::wstring_view name) {
  if (!name.starts_with(kTempStart) || !name.ends_with(kTempEnd))
    return 0;
  name.remove_prefix(kTempStart.size());
  DWORD pid = 0;
  size_t i = 0;
  for (; i < name.size() && name[i] >= L'0' && name[i] <= L'9' && pid < 1u << 28; ++i)
    pid = pid * 10 + static_cast<DWORD>(name[i] - L'0');
  return i > 0 && i < name.size() && name[i] == L'-' ? pid : 0;
}

bool ProcessRuns(DWORD pid) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process)
    return ::GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
  const bool bRuns = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return bRuns;
}

// Removes the temporary files that processes which no longer run left in the folder, once per
// folder when the folders swept are remembered (by their host name, key).
void SweepOnce(const std::wstring& folder, const std::string& key, CSweptFolders* pSwept) {
  if (pSwept && !pSwept->First(key))
    return;
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((folder + L".velmora-*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return;
  const DWORD self = ::GetCurrentProcessId();
  do {
    const DWORD owner = TempOwner(found.cFileName);
    if (owner > 0 && owner != self && !ProcessRuns(owner))
      ::DeleteFileW((folder + found.cFileName).c_str());
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 30));
    DWORD n = 0;
    if (!::WriteFile(file, bytes.data(), want, &n, nullptr) || n == 0)
      return false;
    bytes.remove_prefix(n);
  }
  return true;
}

// Whether a file that is there may be replaced: a folder cannot be, and a read-only file is
// left as it is.
bool MayReplace(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  return !IsFolder(attributes) && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

}  // namespace

bool CSweptFolders::First(const std::string& folder) {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_folders.insert(folder).second;
}

void CSweptFolders::Forget() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_folders.clear();
}

// A link is replaced by the file on Windows (links there are rare and need rights to make);
// the new file takes the folder's default permissions.
bool WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes,
                             const CAtomicWrite& how) {
  const std::wstring target = SystemPath(hostPath);
  const std::wstring folder = FolderOf(target);
  SweepOnce(folder, hostPath.substr(0, hostPath.find_last_of("\\/") + 1), how.m_pSwept);
  if (!MayReplace(target))
    return false;
  static std::atomic<unsigned> nextTemp = 0;
  std::wstring temp;
  HANDLE handle = INVALID_HANDLE_VALUE;
  for (int nTries = 0; handle == INVALID_HANDLE_VALUE && nTries < 100; ++nTries) {
    temp = folder + std::wstring(kTempStart) + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(nextTemp++) + std::wstring(kTempEnd);
    handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
      return false;
  }
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  CHandle file(handle);
  bool ok = WriteAll(file.Get(), bytes) && (!how.m_bFlush || ::FlushFileBuffers(file.Get()));
  ok = file.Close() && ok;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (how.m_bFlush ? MOVEFILE_WRITE_THROUGH : 0);
  if (ok && ::MoveFileExW(temp.c_str(), target.c_str(), flags))
    return true;
  ::DeleteFileW(temp.c_str());
  return false;
}

namespace {
// The system's error of this thread's last failed write or new folder; 0 when the path had
// no host name.
thread_local DWORD tlFailure = 0;

bool Failed() {
  tlFailure = ::GetLastError();
  return false;
}
}  // namespace

std::string CHostDisk::FailureReason() const {
  if (tlFailure == 0)
    return {};
  wchar_t* pText = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, tlFailure, 0, reinterpret_cast<wchar_t*>(&pText), 0, nullptr);
  std::wstring text(pText ? pText : L"", n);
  ::LocalFree(pText);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.'))
    text.pop_back();
  return Utf8FromWide(text);
}

bool CHostDisk::WriteFile(const std::string& path, std::string_view bytes) {
  std::string host;
  ::SetLastError(0);
  return (m_drives.ToHost(path, host) &&
          WriteHostFileAtomically(host, bytes, {.m_pSwept = &m_swept})) ||
         Failed();
}

bool CHostDisk::FileExists(const std::string& path) {
  std::wstring system;
  WIN32_FILE_ATTRIBUTE_DATA data;
  return SystemPathOf(m_drives, path, system) && Attributes(system, data) &&
         !IsFolder(data.dwFileAttributes);
}

bool CHostDisk::FolderExists(const std::string& path) {
  std::wstring system;
  WIN32_FILE_ATTRIBUTE_DATA data;
  return SystemPathOf(m_drives, path, system) && Attributes(system, data) &&
         IsFolder(data.dwFileAttributes);
}

bool CHostDisk::MakeFolder(const std::string& path, bool& bExisted) {
  bExisted = false;
  std::wstring system;
  ::SetLastError(0);
  if (!SystemPathOf(m_drives, path, system))
    return Failed();
  if (::CreateDirectoryW(system.c_str(), nullptr))
    return true;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (::GetLastError() == ERROR_ALREADY_EXISTS && Attributes(system, data) &&
      IsFolder(data.dwFileAttributes)) {
    bExisted = true;
    return true;
  }
  return Failed();
}

bool CHostDisk::ListFolder(const std::string& path, std::vector<CDirEntry>& entries) {
  entries.clear();
  std::wstring system;
  if (!SystemPathOf(m_drives, path, system))
    return false;
  if (!system.ends_with(L'\\'))
    system += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((system + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..")
      continue;
    const bool bFolder = IsFolder(found.dwFileAttributes);
    // A junction or link to a folder may lead back up the tree, and a walk that follows it
    // never ends.
    if (bFolder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
      continue;
    entries.push_back({Utf8FromWide(name), bFolder});
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return true;
}

bool CHostDisk::ModificationTime(const std::string& path, std::int64_t& seconds) {
  std::wstring system;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!SystemPathOf(m_drives, path, system) || !Attributes(system, data))
    return false;
  seconds = NsSince1970(data.ftLastWriteTime) / 1000000000;
  return true;
}

bool CHostDisk::Stamp(const std::string& path, CFileStamp& stamp) {
  std::wstring system;
  if (!SystemPathOf(m_drives, path, system))
    return false;
  // No access asked: only the file's information is read.
  CHandle file(::CreateFileW(system.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.IsOpen() || !::GetFileInformationByHandle(file.Get(), &info) ||
      IsFolder(info.dwFileAttributes))
    return false;
  stamp.m_nSize = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.m_nModifiedNs = NsSince1970(info.ftLastWriteTime);
  stamp.m_nChangedNs = NsSince1970(info.ftCreationTime);
  stamp.m_nInode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp.m_nDevice = info.dwVolumeSerialNumber;
  return true;
}

bool CHostDisk::RemoveFile(const std::string& path) {
  std::wstring system;
  return SystemPathOf(m_drives, path, system) && ::DeleteFileW(system.c_str());
}

}  // namespace velmora
