// Brings a site of the older format up to date: the script text, every block file the script
// names and every text file of the template catalog. Files are rewritten in place, each write
// atomic, so an interrupted conversion leaves every file either old or new.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CBuildContext;

class CConversion {
 public:
  // Blocks and templates are read and written through the context's files.
  CConversion(CBuildContext& ctx, std::string scriptText)
      : m_ctx(ctx), m_strScript(std::move(scriptText)) {}

  // Runs the whole conversion and returns the new script text.
  std::string Convert();

  // The steps, open for tests.
  std::string ConvertLine(const std::string& line, std::vector<std::string>& lines);
  std::string ConvertPageLine(std::vector<std::string> fields, std::vector<std::string>& lines);
  void ConvertBlock(const std::string& path);
  void ConvertTemplate(const std::string& source, const std::string& destination);
  std::string ConvertBlockText(std::string text) const;
  std::string ConvertTemplateText(std::string text) const;
  std::string InsertCollectionTags(std::string text) const;

  CBuildContext& m_ctx;
  std::string m_strScript;     // the text as given
  std::string m_strCatalog;    // from CATALOG=, ending with "\"
  std::string m_strTemplates;  // from TEMPLATES=, ending with "\"
  std::vector<std::string> m_blockNames;
  std::vector<std::string> m_collections;  // name,start,end,separator,link
  int m_nCounter = 1;  // raised before each use: the first generated name carries 2
  bool m_bBullet = true;
  bool m_bSort = false;
  bool m_bFrames = false;

 private:
  std::string NextName(const std::string& prefix) { return prefix + std::to_string(++m_nCounter); }
  void AppendUnlessPresent(const std::string& line, std::vector<std::string>& lines) const;
  std::string TemplateFolder() const;
};

}  // namespace velmora
