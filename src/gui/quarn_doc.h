// The document: the site script file. It holds the bytes as read, how they are shown, the
// file's internal path and the modified flag. The script window holds the text being edited.
#pragma once

#include <string>

#include "gui/script_text.h"

namespace velmora {

class CBuildContext;

// The open and save dialogs' filter and the extension a saved name without one gets.
inline constexpr const char* kScriptFilter = "Script Files (*.txt)";
inline constexpr const char* kScriptExtension = ".txt";

class CQuarnDoc {
 public:
  explicit CQuarnDoc(CBuildContext& ctx) : m_ctx(ctx) {}
  CBuildContext& Context() const { return m_ctx; }

  // An empty document without a path.
  void NewDocument();
  // Reads the file; false, with the reason in error, when it cannot be read or is not a text
  // (a script that is not text is never shown, so never saved over); the document is then
  // unchanged.
  bool Open(const std::string& path, std::string& error);
  // Writes the bytes to path (folders made on the way); on success the document takes that
  // path and is not modified.
  bool Save(const std::string& path, const std::string& bytes);

  // The document shows another text that is already on disk at path (a new site's script).
  void Adopt(const std::string& path, const std::string& bytes);

  const std::string& PathName() const { return m_strPathName; }
  bool HasPath() const { return !m_strPathName.empty(); }
  bool IsModified() const { return m_bModified; }
  void SetModified(bool bModified) { m_bModified = bModified; }
  // The file name shown in the title; "Untitled" without a path.
  std::string Title() const;

  std::string m_strText;  // the file's bytes as last read or saved
  CScriptEncoding m_encoding;

 private:
  CBuildContext& m_ctx;
  std::string m_strPathName;
  bool m_bModified = false;
};

}  // namespace velmora
