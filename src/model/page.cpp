#include "model/node.h"
#include "platform/strings.h"

namespace velmora {

namespace {

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CPage::CPage(CWebSite* pSite, const std::string& line) : CNode(pSite) {
  m_bValid = ParseLine(line);
}

// level,name[,type[,location[,author[,message[,option]]]]]
bool CPage::ParseLine(const std::string& line) {
  std::vector<std::string> fields = Split(Trim(line), ",");
  if (fields.size() < 2 || fields.size() > 7)
    return false;
  m_nLevel = ParseLeadingInt(Trim(fields[0]));
  m_strName = Trim(fields[1]);
  if (fields.size() > 2)
    m_strType = Trim(fields[2]);
  std::string location;
  if (fields.size() > 3)
    location = Trim(fields[3]);
  // A page without location is a heading in the outline; the rest of the line is not read.
  if (location.empty())
    return true;

  bool bLocated = SetLocation(location);
  if (fields.size() > 4)
    m_strAuthor = Trim(fields[4]);
  if (fields.size() > 5)
    m_strMessage = Trim(fields[5]);
  if (fields.size() > 6)
    m_strOption = Trim(fields[6]);

  // With option N the page is only linked to, so its location need not give a local file.
  if (!HasOption('N')) {
    if (!bLocated || m_strLocalPath.empty())
      return false;
    // Pages from elsewhere are taken as they are, without a template.
    if (!m_strUrl.empty() || !m_strOutsidePath.empty())
      m_strOption = "K";
    if (HasOption('K'))
      m_strType.clear();
    if (m_strType.empty())
      m_strOption = "K";
  }
  return true;
}

CBlock::CBlock(CWebSite* pSite, CPage* pPage, const std::string& location) : CNode(pSite) {
  m_pPage = pPage;
  m_bValid = ParseLine(location);
}

bool CBlock::ParseLine(const std::string& line) {
  return SetLocation(Trim(line)) && !m_strLocalPath.empty();
}

bool CTemplate::ParseLine(const std::string& location) {
  if (!SetLocation(location))
    return false;
  if (m_strUrl.empty() && m_strOutsidePath.empty())
    return true;
  // The local copy of a template from elsewhere lives in "templates" of the site; a name
  // that is no plain file name would put it somewhere else.
  if (m_strFileName.empty() && !m_strOutsidePath.empty())
    m_strFileName = FileNameOf(m_strOutsidePath);
  if (m_strFileName.empty() || m_strFileName == "." || m_strFileName == ".." ||
      m_strFileName.find_first_of("\\/?") != std::string::npos)
    return false;
  m_strRemotePath = "templates\\" + m_strFileName;
  m_strLocalPath = m_strCatalog + m_strRemotePath;
  return true;
}

}  // namespace velmora
