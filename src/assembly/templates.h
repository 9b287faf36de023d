// Template kinds, their default files and built-in texts, and the ATEMPLATE= lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CWebSite;

// The look of the built-in texts: the program's defaults, or the HTML5 style a new site may
// start with (no-frames types only).
enum class ETemplateStyle { kClassic, kModern };

// The built-in text of a template type in a style, with the type's changes made (the
// <!--INPUT/--> placeholder, the stamp tags); empty for a type the style has no text for.
std::string BuiltinTemplateText(const std::string& type, ETemplateStyle style);
// The template types a style has texts for, in a fixed order.
std::vector<std::string> StyleTemplateTypes(ETemplateStyle style);

// The default file name of a template type ("nf_i_template.html" for "I"); empty for a type
// the program has no default for.
std::string DefaultTemplateFileName(const std::string& type);
// Every default template file name, in the order a web server is asked for them.
const std::vector<std::string>& TemplateFileNames();
// Replaces loaded templates by those the ATEMPLATE= lines name, in script order.
void ApplyTemplateLines(CWebSite& site);

}  // namespace velmora
