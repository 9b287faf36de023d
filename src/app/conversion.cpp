#include "app/conversion.h"

#include <algorithm>

#include "markup/text_operations.h"
#include "model/build_context.h"
#include "platform/current_folder.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {

bool IsReplaceKey(const std::string& line) {
  std::string key = line.substr(0, 8);
  std::replace(key.begin(), key.end(), ':', '=');
  return key == "RSIMPLE=" || key == "RDOUBLE=" || key == "R1QUOTE=" || key == "R2QUOTE=";
}

// A folder value of the script: a host folder ("/home/ann/site") is taken on its drive, as
// interpretation takes it, and the value ends with a backslash.
std::string WithBackslash(CBuildContext& ctx, std::string folder) {
  if (IsHostPath(folder))
    folder = ctx.drives.PathFromUser(folder);
  if (!folder.empty() && !EndsWith(folder, "\\"))
    folder += "\\";
  return folder;
}

std::string Join(const std::vector<std::string>& fields, const char* separator) {
  std::string result;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i)
      result += separator;
    result += fields[i];
  }
  return result;
}

// Images and other binary files kept among the templates hold NUL bytes; text never does.
bool IsTextFile(const std::string& bytes) {
  return bytes.find('\0') == std::string::npos;
}

}  // namespace

void CConversion::AppendUnlessPresent(const std::string& line,
                                      std::vector<std::string>& lines) const {
  if (!Contains(m_strScript, line))
    lines.push_back(line);
}

std::string CConversion::Convert() {
  std::string text = m_strScript;
  ReplaceAll(text, "BLOCK,", "BLOCKS:");
  if (!Contains(text, "SITEORG="))
    ReplaceAll(text, "ORG=", "SITEORG=");

  std::vector<std::string> lines = Split(text, "\r\n");
  // Each line goes in as a copy: converting a page line may append to the lines, and lines
  // appended here are taken in turn as well.
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = lines[i];
    lines[i] = ConvertLine(line, lines);
  }

  // A block shared by several pages is converted once: a second pass would put its collection
  // tags in again, since the old markers stay.
  std::vector<std::string> converted;
  for (const std::string& name : m_blockNames) {
    std::string path = Contains(name, ":\\") ? name : m_strCatalog + name;
    if (std::find(converted.begin(), converted.end(), path) != converted.end())
      continue;
    converted.push_back(path);
    ConvertBlock(path);
  }

  if (m_bFrames) {
    AppendUnlessPresent("ATEMPLATE=I," + m_strTemplates + "f_i_template.html", lines);
    AppendUnlessPresent("ATEMPLATE=X," + m_strTemplates + "f_ix_template.html", lines);
    AppendUnlessPresent("ATEMPLATE=C," + m_strTemplates + "f_c_template.html", lines);
    AppendUnlessPresent("ATEMPLATE=P," + m_strTemplates + "f_p_template.html", lines);
  }

  std::string folder = TemplateFolder();
  std::vector<CDirEntry> entries;
  if (!folder.empty() && m_ctx.folder.Set(folder, m_ctx.Disk()) &&
      m_ctx.Disk().ListFolder(folder, entries)) {
    std::sort(entries.begin(), entries.end(),
              [](const CDirEntry& a, const CDirEntry& b) { return a.m_strName < b.m_strName; });
    // The old print and block templates are matched by their whole names, so that a
    // "small_template.html" or "web_template.html" is converted into itself. A file written
    // under a new name in this run is not converted a second time.
    std::vector<std::string> written;
    for (const CDirEntry& entry : entries) {
      const std::string& name = entry.m_strName;
      if (entry.m_bFolder || StartsWith(name, "."))
        continue;
      if (std::any_of(written.begin(), written.end(),
                      [&name](const std::string& w) { return EqualsNoCase(w, name); }))
        continue;
      std::string target = name;
      if (EqualsNoCase(name, "all_template.html"))
        target = "print_template.html";
      else if (EqualsNoCase(name, "b_template.html"))
        target = "block_template.html";
      if (target != name)
        written.push_back(target);
      ConvertTemplate(folder + name, folder + target);
    }
  }

  std::string result = "VERSION=2.0";
  for (const std::string& line : lines) result += "\r\n" + line;
  return result;
}

// The template catalog as a folder path: a relative value is taken inside the site catalog,
// as interpretation takes it; a web address has no files to convert.
std::string CConversion::TemplateFolder() const {
  std::string folder = m_strTemplates.empty() ? std::string("templates\\") : m_strTemplates;
  if (Contains(folder, "/"))
    return {};
  if (!Contains(folder, ":\\")) {
    if (m_strCatalog.empty())
      return {};
    std::string relative = folder;
    while (StartsWith(relative, "\\")) relative.erase(0, 1);
    folder = m_strCatalog + relative;
  }
  return WithBackslash(m_ctx, folder);
}

std::string CConversion::ConvertLine(const std::string& line, std::vector<std::string>& lines) {
  const std::string t = Trim(line);
  if (StartsWith(t, "//") || t.size() < 3)
    return line;
  if (StartsWith(t, "CATALOG=")) {
    m_strCatalog = WithBackslash(m_ctx, TrimLeft(t.substr(8)));
    return line;
  }
  // An older version line would override the new first line and make the script unreadable.
  if (StartsWith(t, "VERSION="))
    return "// " + t;
  if (StartsWith(t, "LAYOUT=")) {
    if (Trim(t.substr(7)) == "F")
      m_bFrames = true;
    return "";
  }
  for (const char* key :
       {"SITENAME=", "KEYWORDS=", "RESOURCES=", "MESSAGE=", "SITEORG=", "SITEAUTHOR="})
    if (StartsWith(t, key))
      return line;
  if (StartsWith(t, "TEMPLATES=")) {
    m_strTemplates = WithBackslash(m_ctx, TrimLeft(t.substr(10)));
    return line;
  }
  if (StartsWith(t, "OPTION:")) {
    if (Contains(t, "=NOBULLET")) {
      m_bBullet = false;
      return "// " + t;
    }
    if (Contains(t, "=SORT")) {
      m_bSort = true;
      return "// " + t;
    }
  }
  if (StartsWith(t, "ATEMPLATE=")) {
    std::vector<std::string> fields = Split(TrimLeft(t.substr(10)), ",");
    return fields.size() == 3 ? "ATEMPLATE=" + fields[0] + "," + fields[2] : line;
  }
  if (IsReplaceKey(t))
    return line;
  if (StartsWith(t, "COLLECT:")) {
    std::vector<std::string> f = Split(t.substr(8), ",");
    if (f.size() != 6)
      return "// cant convert: " + t;
    std::string name = NextName("Collection-");
    m_collections.push_back(name + "," + f[2] + "," + f[3] + "," + f[4] + "," + f[5]);
    return "COLLECT:" + name + "," + f[0] + "," + f[1];
  }
  std::vector<std::string> fields = Split(t, ",");
  if ((fields.size() == 8 || fields.size() == 9) && !StartsWith(t, "BLOCK") &&
      !StartsWith(t, "BASED"))
    return ConvertPageLine(std::move(fields), lines);
  if (StartsWith(t, "BLOCKS:")) {
    // Trimmed, as interpretation takes each name, so " a.html" names the same block file.
    for (const std::string& name : Split(t.substr(7), ",", true))
      if (!Trim(name).empty())
        m_blockNames.push_back(Trim(name));
  }
  return line;
}

// Old page lines: level, type, name, location, template location, author, message, option
// (and a dropped ninth field).
std::string CConversion::ConvertPageLine(std::vector<std::string> f,
                                         std::vector<std::string>& lines) {
  if (f.size() == 9) {
    f[0] = "0";
    f.pop_back();
  }
  std::swap(f[1], f[2]);
  const std::string oldType = f[2];
  if (!f[4].empty()) {
    // The page's own template becomes a template type of its own, named by an ATEMPLATE= line.
    std::string type = NextName("TP");
    AppendUnlessPresent("ATEMPLATE=" + type + "," + f[4], lines);
    f[2] = type;
  }
  f.erase(f.begin() + 4);
  if (f[6] == "M") {
    f.pop_back();
    for (size_t last = 5; last >= 3 && f.size() == last + 1 && f[last].empty(); --last)
      f.pop_back();
  }
  if (oldType == "F" || oldType == "L" || oldType == "R" || oldType == "T")
    f[0] = "0";
  return Join(f, ",");
}

void CConversion::ConvertBlock(const std::string& path) {
  std::string text;
  if (!m_ctx.files.ReadTextFile(path, text)) {
    m_ctx.report.AddLine("Can't load file: " + path, EAlert::kWarning);
    return;
  }
  if (!m_ctx.files.WriteTextFile(path, ConvertBlockText(text)))
    m_ctx.report.AddLine("Can't write: " + path, EAlert::kWarning);
}

std::string CConversion::ConvertBlockText(std::string text) const {
  static const std::string kStart = "<!--STUFF-->", kEnd = "<!--ENDOFSTUFF-->";
  size_t from = 0;
  while (true) {
    size_t start = text.find(kStart, from);
    if (start == std::string::npos)
      break;
    size_t end = text.find(kEnd, start + kStart.size());
    if (end == std::string::npos)
      break;
    std::string part = text.substr(start, end - start);
    size_t put = part.find("<!--PUTME:");
    size_t close = put == std::string::npos ? put : part.find("-->", put + 10);
    if (close != std::string::npos) {
      std::string name = part.substr(put + 10, close - put - 10);
      ReplaceAll(part, "<!--PUTME:" + name + "-->", "");
      ReplaceAll(part, "-STUFF-->", "-STUFF TARGET=\"" + name + "BLOCK\"-->");
    }
    if (Contains(part, "WRAPME")) {
      if (ReplaceAll(part, "-STUFF-->", "-STUFF WRAPME=\"ON\"-->") == 0)
        ReplaceAll(part, "-STUFF ", "-STUFF WRAPME=\"ON\" ");
      ReplaceAll(part, "<!--WRAPME-->", "");
    }
    text.replace(start, end - start, part);
    from = start + part.size();
  }
  ReplaceAll(text, "<!--STUFF", "<!--BLOCK");
  ReplaceAll(text, "<!--ENDOFSTUFF", "<!--/BLOCK");
  ReplaceAll(text, "<!--TOTOP-->", "<!--TOTOP/-->");
  return InsertCollectionTags(std::move(text));
}

void CConversion::ConvertTemplate(const std::string& source, const std::string& destination) {
  std::string bytes;
  std::string text;
  if (!m_ctx.Disk().ReadFile(source, bytes, kMaxTextBytes) ||
      (IsTextFile(bytes) && !m_ctx.files.ReadTextFile(source, text))) {
    m_ctx.report.AddLine("Can't load file: " + source, EAlert::kWarning);
    return;
  }
  if (!IsTextFile(bytes))
    return;
  if (!m_ctx.files.WriteTextFile(destination, ConvertTemplateText(text)))
    m_ctx.report.AddLine("Can't write: " + destination, EAlert::kWarning);
}

std::string CConversion::ConvertTemplateText(std::string text) const {
  ReplaceAll(text, "<!--ENDOF", "<!--/");
  ReplaceAll(text, "BLOCKS", "BLOCK");
  ReplaceAll(text, "<!--NEXT-->", "<!--NEXT/-->");
  ReplaceAll(text, "<!--PREV-->", "<!--PREV/-->");
  ReplaceAll(text, "<!--HOME-->", "<!--HOME/-->");
  ReplaceAll(text, "<!--ORG-->", "<!--SITEORG/-->");
  ReplaceAll(text, "<!--SITEORG-->", "<!--SITEORG/-->");
  ReplaceAll(text, "<!--TOTOP-->", "<!--TOTOP/-->");

  if (Contains(text, "<!--TOCCOL0-->") && !Contains(text, "<!--TOCCOL1-->")) {
    ReplaceAll(text, "TOCCOL0", "TOC");
    ReplaceBetween(text, "<!--TOC", "<!--/TOC-->", " COLS=\"1\" TARGET_FRAME=\"right\"-->");
    ReplaceAll(text, "<!--/TOC-->",
               "<!--/TOC-->\r\nConversion note: Please check parameters to TOC above\r\n");
  } else {
    ReplaceAll(text, "TOCCOL", "#&%");
    ReplaceBetween(text, "<!--TOC", "<!--/TOC-->", " COLS=\"3\"-->  ");
    ReplaceAll(text, "<!--/TOC-->",
               "<!--/TOC-->\r\n<!--Conversion note: Please check parameters to TOC above-->\r\n");
  }

  ReplaceAll(text, "INXCOL", "#&%");
  ReplaceBetween(text, "<!--INX", "<!--/INX-->", " COLS=\"3\" -->  ");
  ReplaceAll(text, "<!--INX", "<!--INDEX");
  ReplaceAll(text, "<!--/INX-->", "<!--/INDEX-->");

  text = InsertCollectionTags(std::move(text));
  if (m_bSort && !Contains(text, "<!--INDEX SORT=\"ON\""))
    ReplaceAll(text, "<!--INDEX", "<!--INDEX SORT=\"ON\"");
  if (!m_bBullet && !Contains(text, "<!--CONLIST BULLET=\"OFF\"-->"))
    ReplaceAll(text, "<!--CONLIST-->", "<!--CONLIST BULLET=\"OFF\"-->");
  return text;
}

std::string CConversion::InsertCollectionTags(std::string text) const {
  for (const std::string& definition : m_collections) {
    std::vector<std::string> p = Split(definition, ",", true);
    p.resize(std::max<size_t>(p.size(), 5));
    if (p[1].empty() || p[2].empty())
      continue;
    size_t start = text.find(p[1]);
    if (start == std::string::npos || text.find(p[2], start + p[1].size()) == std::string::npos)
      continue;
    text.insert(start,
                "<!--COLLECTION NAME=\"" + p[0] + "\" LINESEPARATOR=\"" + p[3] + "\" LINK=\"" +
                    (p[4] == "L" ? "ON" : "OFF") +
                    "\"--> <!--/COLLECTION-->\r\nConversion note: old collect tags left here:\r\n");
  }
  return text;
}

}  // namespace velmora
