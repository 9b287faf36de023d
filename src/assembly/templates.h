// Template kinds, their default files and built-in texts, and the ATEMPLATE= lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class CTemplate;
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

// The site's template of a type, made from its default file (or the built-in text) the first
// time it is asked for; none when it cannot be made (reported).
CTemplate* GetTemplate(CWebSite& site, const std::string& type);
// Reads the template's text, again for every use so that edits take effect at once; a file
// whose stamp has not changed since the last read gives the text of that read.
bool LoadTemplate(CTemplate& tpl);
// Puts the built-in default for the type into the content; false for a type without one.
bool MakeDefaultText(CTemplate& tpl, const std::string& type);

}  // namespace velmora
