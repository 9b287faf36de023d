// The replace tool: one text replaced by another in chosen source files of the site (templates,
// pages, blocks), on disk and without undo.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CWebSite;

class CReplaceTool {
 public:
  explicit CReplaceTool(CWebSite& site) : m_site(site) {}
  // Copies the templates into the site (with the ATEMPLATE= lines) and lists the files that
  // may be changed: the local paths of the loaded templates, the pages,
  // the print pages and the blocks, sorted alphabetically. A file named twice is listed twice.
  const std::vector<std::string>& FillCandidates();
  // Replaces every occurrence of find in each of the files, in the order given; a file given
  // twice is processed once. A replacement "#location" (longer than two characters) stands
  // for the text loaded from that location. False when nothing could be done: an empty find
  // text, no files, or a replacement that cannot be loaded (told in a message box).
  bool Replace(const std::string& find, const std::string& with,
               const std::vector<std::string>& files);
  // "n replaces in m files" for the last Replace.
  std::string ResultText() const;

  std::vector<std::string> m_candidates;
  // The result goes to the report (as a level-0 line) instead of a message box: the command
  // line shows it with the report on standard output.
  bool m_bResultInReport = false;
  int m_nReplaces = 0;
  int m_nFiles = 0;

 private:
  // The replacement text: `with` itself, or what the location after "#" holds.
  bool ReplacementText(const std::string& with, std::string& replacement);

  CWebSite& m_site;
};

}  // namespace velmora
