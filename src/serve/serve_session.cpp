#include "serve/serve_session.h"

#include "app/commands.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/node.h"
#include "model/script_file.h"
#include "platform/current_folder.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/file_watcher.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "serve/unchanged_files_disk.h"

namespace velmora {

namespace {
// The host form of a path the build reads, resolved as the build resolves it.
bool HostPathOf(const CBuildContext& ctx, const std::string& path, std::string& hostPath) {
  std::string full;
  if (path.empty() || !ctx.folder.FullPath(path, full) || !ctx.drives.ToHost(full, hostPath))
    return false;
  while (hostPath.size() > 1 && hostPath.back() == '/') hostPath.pop_back();
  return true;
}
}  // namespace

CServeSession::CServeSession(CBuildContext& ctx, const std::string& scriptPath)
    : m_session(ctx), m_strScriptPath(scriptPath) {}

bool CServeSession::Build() {
  CBuildContext& ctx = m_session.m_context;
  ctx.report.ResetHighestLevel();
  CDisk& disk = ctx.Disk();
  CUnchangedFilesDisk unchanged(disk);
  ctx.SetDisk(&unchanged);
  std::vector<std::string> errors;
  bool bRan = false;
  switch (m_session.LoadScript(m_strScriptPath)) {
    case EScriptRead::kRead:
      bRan = BuildCommand(m_session, {});
      break;
    case EScriptRead::kNotAScript:
      errors.push_back(FormatText(kNotAScriptText, m_strScriptPath));
      break;
    case EScriptRead::kUnreadable:
      errors.push_back("Cannot read the script " + m_strScriptPath);
      break;
  }
  ctx.SetDisk(&disk);
  if (!bRan && errors.empty()) {
    errors = Split(ctx.report.Text(), "\r\n", true);
    if (errors.empty())
      errors.push_back("The site could not be built from " + m_strScriptPath);
  } else {
    errors = ctx.report.ErrorLines();
  }
  if (m_session.m_pWebSite) {
    std::string catalog;
    if (HostPathOf(m_session.m_context, m_session.m_pWebSite->m_strCatalog, catalog))
      m_strCatalogHost = catalog;
    FindHomePage();
    FindInputs();
  } else if (m_files.empty()) {
    std::string script;
    if (HostPathOf(m_session.m_context, m_strScriptPath, script))
      m_files.push_back(script);
  }
  m_channel.Publish(std::move(errors));
  return bRan;
}

void CServeSession::FindHomePage() {
  m_strHomePage.clear();
  const CPage* pHome = m_session.m_pWebSite->HomePage();
  std::string host;
  if (pHome && HostPathOf(m_session.m_context, pHome->m_strLocalPath, host) &&
      StartsWith(host, m_strCatalogHost + "/"))
    m_strHomePage = host.substr(m_strCatalogHost.size() + 1);
}

// A build that could not interpret the script keeps the inputs found before, so fixing a
// block or the script brings the next build.
void CServeSession::FindInputs() {
  const CWebSite& site = *m_session.m_pWebSite;
  m_files.clear();
  m_folders.clear();
  std::string host;
  if (HostPathOf(m_session.m_context, m_strScriptPath, host))
    m_files.push_back(host);
  for (const auto& pBlock : site.m_blocks)
    if (HostPathOf(m_session.m_context, pBlock->m_strLocalPath, host))
      m_files.push_back(host);
  for (const std::string& line : site.m_lines) {
    if (!StartsWith(line, "INDEX:"))
      continue;
    CNode source(const_cast<CWebSite*>(&site));
    if (source.SetLocation(Trim(std::string_view(line).substr(6))) &&
        HostPathOf(m_session.m_context, source.m_strLocalPath, host))
      m_files.push_back(host);
  }
  // The catalogs are watched whole unless they are the site catalog itself, where every
  // written page would start another build.
  for (const std::string* pFolder : {&site.m_strTemplates, &site.m_strResources})
    if (HostPathOf(m_session.m_context, *pFolder, host) && host != m_strCatalogHost)
      m_folders.push_back(host);
}

std::unique_ptr<CFileWatcher> CServeSession::MakeWatcher() const {
  auto pWatcher = std::make_unique<CFileWatcher>();
  for (const std::string& file : m_files) pWatcher->AddFile(file);
  for (const std::string& folder : m_folders) pWatcher->AddFolder(folder);
  return pWatcher;
}

void CServeSession::WatchAndRebuild(int nStopFd) {
  std::unique_ptr<CFileWatcher> pWatcher = MakeWatcher();
  bool bPending = false;
  for (;;) {
    if (!bPending &&
        pWatcher->WaitDebounced(m_nQuietMs, m_nMaxWaitMs, nStopFd) != CFileWatcher::EWait::kChanged)
      return;
    // Watching goes on while the build runs, so a save during it brings another build.
    std::unique_ptr<CFileWatcher> pNext = MakeWatcher();
    std::vector<std::string> files = m_files, folders = m_folders;
    Build();
    bPending = false;
    if (files != m_files || folders != m_folders) {
      bPending = pNext->Wait(0, -1) == CFileWatcher::EWait::kChanged;
      pNext = MakeWatcher();
    }
    pWatcher = std::move(pNext);
  }
}

}  // namespace velmora
