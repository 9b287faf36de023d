// The preview loop: builds the site as the build command does, then watches what the build
// read (script, blocks, template catalog, resource folder, index sources) and builds again
// after every change, telling the open pages through the reload channel.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/site_session.h"
#include "serve/reload_channel.h"

namespace velmora {

class CFileWatcher;
class CBuildContext;

class CServeSession {
 public:
  // Every build works with the context; each makes a new site from the script.
  CServeSession(CBuildContext& ctx, const std::string& scriptPath);

  // Reads the script again, interprets it and builds all pages; the report goes to the
  // report's window. Publishes the build with its error lines. False when it could not run.
  bool Build();
  // The site catalog's host folder; empty before a build that interpreted the site.
  const std::string& CatalogHostFolder() const { return m_strCatalogHost; }
  // The home page's file relative to the catalog, '/' between folders; empty when the site has
  // none inside the catalog.
  const std::string& HomePagePath() const { return m_strHomePage; }
  // Host paths of the watched files and folders, as found by the last build.
  const std::vector<std::string>& WatchedFiles() const { return m_files; }
  const std::vector<std::string>& WatchedFolders() const { return m_folders; }
  // Builds again after every change of the watched inputs until nStopFd becomes readable.
  void WatchAndRebuild(int nStopFd);

  CReloadChannel m_channel;
  CSiteSession m_session;
  // An editor's save of several files is one change: the build waits this long for quiet,
  // but no longer than the maximum after the first change.
  int m_nQuietMs = 60;
  int m_nMaxWaitMs = 400;

 private:
  void FindInputs();
  void FindHomePage();
  std::unique_ptr<CFileWatcher> MakeWatcher() const;

  std::string m_strScriptPath;
  std::string m_strCatalogHost;
  std::string m_strHomePage;
  std::vector<std::string> m_files;
  std::vector<std::string> m_folders;
};

}  // namespace velmora
