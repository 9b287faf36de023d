#include "build/replace_tool.h"
#include "model/content_loader.h"

#include <algorithm>
#include <unordered_set>

#include "build/resource_copy.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {
// The text with its line ends as the file has them: CR LF when the file holds one, else LF.
// The search and replacement texts come with CR LF (from the dialog, or a file read as lines).
std::string WithLineEndsOf(const std::string& bytes, const std::string& text) {
  std::string lines = CrLfToLf(text);
  if (bytes.find("\r\n") != std::string::npos)
    ReplaceAll(lines, "\n", "\r\n");
  return lines;
}

// One key for every name of the same file: drive letters compare ignoring case, and the host
// path takes out "." and ".." pieces.
std::string FileKey(CBuildContext& ctx, const std::string& path) {
  std::string host;
  return ctx.drives.ToHost(path, host) ? host : ToUpper(path);
}
}  // namespace

const std::vector<std::string>& CReplaceTool::FillCandidates() {
  m_candidates.clear();
  // The site's own copies of the templates are the ones a replacement must reach.
  CopyTemplates(m_site);
  auto add = [&](const CNode& node) {
    if (!node.m_strLocalPath.empty())
      m_candidates.push_back(node.m_strLocalPath);
  };
  for (const auto& pTemplate : m_site.m_templates) add(*pTemplate);
  for (const auto& pPage : m_site.Pages()) add(*pPage);
  for (CPage* pPage : m_site.m_printPages) add(*pPage);
  for (const auto& pBlock : m_site.m_blocks) add(*pBlock);
  std::stable_sort(m_candidates.begin(), m_candidates.end(), LessNoCase);
  return m_candidates;
}

bool CReplaceTool::ReplacementText(const std::string& with, std::string& replacement) {
  if (with.size() <= 2 || !StartsWith(with, "#")) {
    replacement = with;
    return true;
  }
  CNode source(&m_site);
  if (!source.SetLocation(TrimLeft(with.substr(1))) || !LoadContent(source)) {
    m_site.m_context.Dialogs().MessageBox(FormatText("Can't load file: %1", with));
    return false;
  }
  replacement = source.GetContent();
  return true;
}

bool CReplaceTool::Replace(const std::string& find, const std::string& with,
                           const std::vector<std::string>& files) {
  m_nReplaces = 0;
  m_nFiles = 0;
  if (find.empty() || files.empty())
    return false;
  std::string replacement;
  if (!ReplacementText(with, replacement))
    return false;

  m_site.m_context.Progress().Show(static_cast<int>(files.size()));
  int nPosition = 0;
  // A file named twice (by two block lines, say) is changed once: a replacement that holds
  // its search text would otherwise be applied to its own result.
  std::unordered_set<std::string> done;
  for (const std::string& file : files) {
    // The bytes are changed where the search text is and nowhere else: the file keeps its line
    // ends, its last line end and anything else a read as lines would change.
    std::string bytes;
    if (done.insert(FileKey(m_site.m_context, file)).second &&
        m_site.m_context.files.ReadTextBytes(file, bytes)) {
      const size_t nCount =
          ReplaceAll(bytes, WithLineEndsOf(bytes, find), WithLineEndsOf(bytes, replacement));
      if (nCount > 0) {
        m_site.m_context.files.WriteTextFile(file, bytes);
        m_nReplaces += static_cast<int>(nCount);
        ++m_nFiles;
      }
    }
    m_site.m_context.Progress().SetPos(++nPosition);
  }
  if (m_bResultInReport)
    m_site.m_context.report.AddLine(ResultText(), EAlert::kInfo);
  else
    m_site.m_context.Dialogs().MessageBox(ResultText());
  m_site.m_context.Progress().Hide();
  return true;
}

std::string CReplaceTool::ResultText() const {
  return FormatText("%1 replaces in %2 files", std::to_string(m_nReplaces),
                    std::to_string(m_nFiles));
}

}  // namespace velmora
