// Interpretation of the prepared script lines into the site model: general keys and their
// defaults, the catalogs, replace rules, collections, index sources, pages and blocks, and
// finally the outline.
#include "markup/keyword_index.h"
#include "model/build_context.h"
#include "model/collection.h"
#include "model/content_loader.h"
#include "model/published_list.h"
#include "model/replace_rule.h"
#include "model/script_lines.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "platform/current_folder.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

bool TakeValue(const std::string& line, std::string_view key, std::string& value) {
  if (!StartsWith(line, key))
    return false;
  value = Trim(std::string_view(line).substr(key.size()));
  return true;
}

// Catalog values beginning with "/" are folders of the host machine; the program itself
// works on drive paths.
std::string DrivePath(const CDriveMap& drives, const std::string& value) {
  return IsHostPath(value) ? drives.PathFromUser(value) : value;
}

void StripOuterBackslashes(std::string& value) {
  if (EndsWith(value, "\\"))
    value.pop_back();
  if (StartsWith(value, "\\"))
    value.erase(0, 1);
}

// Replace keys may be written with ":" in place of "=".
bool IsReplaceLine(const std::string& line) {
  if (line.size() < 8)
    return false;
  std::string key = line.substr(0, 8);
  ReplaceAll(key, ":", "=");
  return key == "RSIMPLE=" || key == "RDOUBLE=" || key == "R1QUOTE=" || key == "R2QUOTE=";
}

// The pieces of a BLOCKS: or BASED_ON: line; a repeated key counts as a comma.
std::vector<std::string> LinePieces(const std::string& line, std::string_view key) {
  std::string text = line.substr(key.size());
  ReplaceAll(text, key, ",");
  ReplaceAll(text, ",,", ",");
  return Split(text, ",", true);
}

void LoadIndexLine(CWebSite& site, const std::string& line) {
  CNode source(&site);
  if (!source.SetLocation(Trim(std::string_view(line).substr(6)))) {
    site.m_context.report.AddFormatted(EMessage::kIgnoringIndexLine, line, EAlert::kInfo);
    return;
  }
  if (LoadContent(source))
    site.m_context.index.LoadIndexSource(source.m_strContent);
}

class CInterpretation {
 public:
  explicit CInterpretation(CWebSite& site) : m_site(site) {}
  bool Run();

 private:
  void ReadGeneralLines();
  bool ReadGeneralLine(const std::string& line);
  bool MakeCatalogCurrent();
  bool ResolveSupportCatalog(std::string& value, bool& bElsewhere, const char* defaultName,
                             const char* assumingText, const char* fatalText);
  void ReportMissingValues();
  void ReadPages();
  void ReadBlockLine(CPage* pPage, const std::string& line);

  CWebSite& m_site;
  // INDEX: lines met before any CATALOG= line wait until the catalog is known.
  std::vector<std::string> m_waitingIndexLines;
};

bool CInterpretation::Run() {
  ReadGeneralLines();

  if (m_site.m_strVersion != "2.0") {
    m_site.m_context.report.AddLine("FATAL ERROR: missing: VERSION=2.0", EAlert::kFatal);
    return false;
  }
  if (!MakeCatalogCurrent())
    return false;
  if (!ResolveSupportCatalog(m_site.m_strResources, m_site.m_bResourcesElsewhere, "gfx",
                             "Assuming resource catalog: %1",
                             "FATAL ERROR: Not legal resourse catalog, RESOURCES="))
    return false;
  if (!ResolveSupportCatalog(m_site.m_strTemplates, m_site.m_bTemplatesElsewhere, "templates",
                             "Assuming template catalog: %1", "FATAL ERROR: No templates"))
    return false;
  ReportMissingValues();

  if (m_site.m_lines.empty()) {
    m_site.m_context.report.AddLine(kTooFewLinesText, EAlert::kFatal);
    return false;
  }
  ReadPages();
  if (m_site.Pages().empty()) {
    m_site.m_context.report.AddLine(kTooFewLinesText, EAlert::kFatal);
    return false;
  }

  m_site.FormOutline();
  m_site.m_context.report.AddLine(
      "Can establish structure\r\n---------------------------------------", EAlert::kInfo);
  if (m_site.m_pPublishedList)
    m_site.FillPublishedList(*m_site.m_pPublishedList);
  return true;
}

// Consumes the general, replace, collect and index lines; the rest stays, in order, for the
// page pass. The kept lines are moved down in one sweep.
void CInterpretation::ReadGeneralLines() {
  std::vector<std::string>& lines = m_site.m_lines;
  size_t nKept = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    m_site.m_context.Progress().Step();
    if (ReadGeneralLine(lines[n]))
      continue;
    if (nKept != n)
      lines[nKept] = std::move(lines[n]);
    ++nKept;
  }
  lines.resize(nKept);
  for (const std::string& line : m_waitingIndexLines) LoadIndexLine(m_site, line);
}

bool CInterpretation::ReadGeneralLine(const std::string& line) {
  std::string value;
  if (TakeValue(line, "VERSION=", m_site.m_strVersion))
    return true;
  if (TakeValue(line, "CATALOG=", value)) {
    value = DrivePath(m_site.m_context.drives, value);
    if (!value.empty() && !EndsWith(value, "\\"))
      value += '\\';
    m_site.m_strCatalog = value;
    return true;
  }
  if (TakeValue(line, "SITENAME=", m_site.m_strSiteName))
    return true;
  if (TakeValue(line, "TEMPLATES=", value)) {
    m_site.m_strTemplates = DrivePath(m_site.m_context.drives, value);
    StripOuterBackslashes(m_site.m_strTemplates);
    return true;
  }
  if (TakeValue(line, "RESOURCES=", value)) {
    m_site.m_strResources = DrivePath(m_site.m_context.drives, value);
    StripOuterBackslashes(m_site.m_strResources);
    return true;
  }
  if (TakeValue(line, "KEYWORDS=", m_site.m_strKeywords))
    return true;
  if (TakeValue(line, "MESSAGE=", m_site.m_strMessage))
    return true;
  if (TakeValue(line, "SITEORG=", value)) {
    ReplaceAll(value, "HTTP://", "http://");
    ReplaceAll(value, "HTTPS://", "https://");
    // Secure addresses are web addresses as they stand.
    if (!Contains(value, "http://") && !Contains(value, "https://"))
      value.insert(0, "http://");
    m_site.m_strSiteOrg = value;
    return true;
  }
  if (TakeValue(line, "SITEAUTHOR=", m_site.m_strSiteAuthor))
    return true;
  if (TakeValue(line, "ATEMPLATE=", value)) {
    m_site.m_templateLines.push_back(value);
    return true;
  }
  if (IsReplaceLine(line)) {
    auto pRule = std::make_unique<CReplaceRule>(&m_site, line);
    if (pRule->m_bValid)
      m_site.m_replaceRules.push_back(std::move(pRule));
    else
      m_site.m_context.report.AddLine("Ignoring replace. " + line, EAlert::kNotice);
    return true;
  }
  if (StartsWith(line, "COLLECT:")) {
    auto pCollection = std::make_unique<CCollection>(&m_site, line.substr(8));
    if (pCollection->m_bValid)
      m_site.m_collections.push_back(std::move(pCollection));
    else
      m_site.m_context.report.AddFormatted(EMessage::kIgnoringCollect, line, EAlert::kNotice);
    return true;
  }
  if (StartsWith(line, "INDEX:")) {
    if (m_site.m_strCatalog.empty())
      m_waitingIndexLines.push_back(line);
    else
      LoadIndexLine(m_site, line);
    return true;
  }
  return false;
}

bool CInterpretation::MakeCatalogCurrent() {
  const std::string& catalog = m_site.m_strCatalog;
  if (catalog.empty()) {
    m_site.m_context.report.AddLine("FATAL ERROR: No legal site catalog, CATALOG=", EAlert::kFatal);
    return false;
  }
  if (m_site.m_context.folder.Set(catalog, m_site.m_context.Disk()))
    return true;
  if (!m_site.m_context.Dialogs().AskYesNo(
          FormatText("The catalog : %1 does not exist\r\nTry to ceate it ?", catalog)))
    return false;
  // MakeDirs takes a last piece with a dot for a file name; naming a file inside the catalog
  // makes sure a catalog such as "C:\www.site\" is made as well.
  if (!m_site.m_context.files.MakeDirs(catalog + "index.html") ||
      !m_site.m_context.folder.Set(catalog, m_site.m_context.Disk())) {
    m_site.m_context.Dialogs().MessageBox(FormatText("Cannot make: %1", catalog));
    return false;
  }
  return true;
}

// The resource and template catalogs: a folder inside the site, a path relative to it, an
// absolute path or a web address. Elsewhere means that their files are copied into the site.
bool CInterpretation::ResolveSupportCatalog(std::string& value, bool& bElsewhere,
                                            const char* defaultName, const char* assumingText,
                                            const char* fatalText) {
  const std::string& catalog = m_site.m_strCatalog;
  bElsewhere = false;
  if (value.empty()) {
    m_site.m_context.report.AddLine(FormatText(assumingText, defaultName), EAlert::kNotice);
    value = catalog + defaultName;
    return true;
  }
  std::string address = value;
  if (NormalizeHttpAddress(address)) {
    value = address;
    bElsewhere = true;
    return true;
  }
  if (!Contains(value, "\\")) {
    value = catalog + value;
    return true;
  }
  if (StartsWith(value, ".")) {
    if (!m_site.m_context.folder.Set(catalog, m_site.m_context.Disk()))
      return false;
    std::string full;
    if (!m_site.m_context.folder.FullPath(value, full)) {
      m_site.m_context.report.AddLine(fatalText, EAlert::kFatal);
      return false;
    }
    value = full;
    return true;
  }
  if (Contains(value.substr(value.rfind('\\') + 1), ".")) {
    m_site.m_context.report.AddLine(fatalText, EAlert::kFatal);
    return false;
  }
  if (!EqualsNoCase(value.substr(0, 2), catalog.substr(0, 2)))
    bElsewhere = true;
  return true;
}

void CInterpretation::ReportMissingValues() {
  if (m_site.m_strSiteName.empty()) {
    m_site.m_context.report.AddLine("No Site Name, SITENAME=", EAlert::kInfo);
    m_site.m_strSiteName = "Site Name";
  }
  if (m_site.m_strMessage.empty()) {
    m_site.m_context.report.AddLine("No Site Message, MESSAGE=", EAlert::kInfo);
    m_site.m_strMessage = " ";
  }
  if (m_site.m_strSiteOrg.empty())
    m_site.m_context.report.AddLine("No Site Organisation,SITEORG=", EAlert::kInfo);
  if (m_site.m_strSiteAuthor.empty()) {
    m_site.m_context.report.AddLine("No Site Author, SITEAUTHOR=", EAlert::kInfo);
    m_site.m_strSiteAuthor = "nn";
  }
  if (m_site.m_strKeywords.empty())
    m_site.m_context.report.AddLine("No keywords, KEYWORDS=", EAlert::kInfo);
}

// Every remaining line is a page line followed by its BLOCKS: and BASED_ON: lines; those of
// a refused page are passed over in silence.
void CInterpretation::ReadPages() {
  std::vector<std::string>& lines = m_site.m_lines;
  auto isPageLine = [](const std::string& line) {
    return !StartsWith(line, "BLOCKS:") && !StartsWith(line, "BASED_ON:");
  };
  size_t n = 0;
  while (n < lines.size()) {
    const std::string& line = lines[n++];
    m_site.m_context.Progress().Step();
    CPage* pPage = nullptr;
    // A block line with no page before it is no page line, whatever its commas say.
    auto pNew = std::make_unique<CPage>(&m_site);
    if (isPageLine(line) && pNew->ParseLine(line)) {
      pNew->m_bValid = true;
      pPage = &m_site.AddPage(std::move(pNew));
    } else {
      m_site.m_context.report.AddLine("Ignoring pageline: " + line, EAlert::kError);
    }
    for (; n < lines.size() && !isPageLine(lines[n]); ++n) {
      m_site.m_context.Progress().Step();
      if (!pPage)
        continue;
      if (StartsWith(lines[n], "BLOCKS:")) {
        ReadBlockLine(pPage, lines[n]);
      } else {
        for (const std::string& entry : LinePieces(lines[n], "BASED_ON:")) pPage->AddBasedOn(entry);
      }
    }
  }
  lines.clear();
}

void CInterpretation::ReadBlockLine(CPage* pPage, const std::string& line) {
  for (const std::string& piece : LinePieces(line, "BLOCKS:")) {
    auto pBlock = std::make_unique<CBlock>(&m_site, pPage, piece);
    if (!pBlock->m_bValid) {
      m_site.m_context.report.AddLine("Bad block: " + piece, EAlert::kError);
      continue;
    }
    pPage->AddBlock(m_site.m_blocks.size());
    m_site.m_blocks.push_back(std::move(pBlock));
  }
}

}  // namespace

bool CWebSite::Interpret() {
  std::int64_t nTime = 0;
  if (!m_strScriptPath.empty() && m_context.Disk().ModificationTime(m_strScriptPath, nTime))
    m_nLastScriptTime = nTime;

  Clear();
  m_bResourcesElsewhere = false;
  m_bTemplatesElsewhere = false;
  if (m_pPublishedList)
    m_pPublishedList->Clear();
  m_context.report.Clear();
  m_context.report.AddHeading("Checking sitestructure");
  m_context.report.AddMessage(EMessage::kDashes, EAlert::kInfo);
  return CInterpretation(*this).Run();
}

}  // namespace velmora
