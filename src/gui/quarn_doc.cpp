#include "gui/quarn_doc.h"

#include "model/build_context.h"
#include "model/script_file.h"
#include "platform/disk.h"
#include "platform/file_access.h"
#include "platform/strings.h"

namespace velmora {

void CQuarnDoc::NewDocument() {
  m_strPathName.clear();
  m_strText.clear();
  m_encoding = CScriptEncoding();
  m_bModified = false;
}

bool CQuarnDoc::Open(const std::string& path, std::string& error) {
  std::string bytes;
  if (!m_ctx.files.ReadTextBytes(path, bytes)) {
    error = "Cannot open the script " + path;
    return false;
  }
  std::string text;
  ETextEncoding encoding = ETextEncoding::kPlain;
  if (!DecodeScriptBytes(bytes, text, encoding)) {
    error = FormatText(kNotAScriptText, path);
    return false;
  }
  Adopt(path, bytes);
  return true;
}

bool CQuarnDoc::Save(const std::string& path, const std::string& bytes) {
  if (!m_ctx.files.MakeDirs(path) || !m_ctx.Disk().WriteFile(path, bytes))
    return false;
  m_strPathName = path;
  m_strText = bytes;
  m_bModified = false;
  return true;
}

void CQuarnDoc::Adopt(const std::string& path, const std::string& bytes) {
  m_strPathName = path;
  m_strText = bytes;
  ScriptToText(bytes, m_encoding);
  m_bModified = false;
}

std::string CQuarnDoc::Title() const {
  if (m_strPathName.empty())
    return "Untitled";
  size_t slash = m_strPathName.find_last_of("\\/");
  return slash == std::string::npos ? m_strPathName : m_strPathName.substr(slash + 1);
}

}  // namespace velmora
