// Template kinds, their default files and built-in texts, and the ATEMPLATE= lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CWebSite;

// The default file name of a template type ("nf_i_template.html" for "I"); empty for a type
// the program has no default for.
std::string DefaultTemplateFileName(const std::string& type);
// Every default template file name, in the order a web server is asked for them.
const std::vector<std::string>& TemplateFileNames();
// Replaces loaded templates by those the ATEMPLATE= lines name, in script order.
void ApplyTemplateLines(CWebSite& site);

}  // namespace velmora
