// The commands of the front ends, on a session whose script is loaded. Each returns false when
// it could not run; what it found is in the report.
#pragma once

#include <string>
#include <vector>

#include "assembly/templates.h"

namespace velmora {

class CBuildContext;

class CSiteSession;

// Interprets the script, then builds all pages or the pages with these published names.
bool BuildCommand(CSiteSession& session, const std::vector<std::string>& published);
// Interprets the script, then checks all pages or the named ones; problems counts the lines
// that name a broken link or image.
bool CheckCommand(CSiteSession& session, const std::vector<std::string>& published, int& problems);
// Makes the one printable page of the current site (interpreted first when there is none).
bool PrintCommand(CSiteSession& session, bool bTextOnly, const std::string& outputPath);
// Where the one printable page goes by default: the site catalog (a '\' appended when missing)
// and "Pall.html", or for text only the same name ending in ".txt".
std::string OnePageTarget(std::string siteCatalog, bool bTextOnly);
// Replaces a text in all site files or in the given files.
bool ReplaceCommand(CSiteSession& session, const std::string& find, const std::string& with,
                    bool bAll, const std::vector<std::string>& files);
// Writes a starter script (and its graphics folder); the modern style also writes the site's
// templates and stylesheet, with language in their pages. scriptPath may name the site's
// folder, or be empty for the first of C:\mysite, C:\mysite1, ... not taken.
bool NewSiteCommand(CBuildContext& ctx, const std::string& scriptPath, bool bFrames,
                    const std::string& templates, const std::string& resources,
                    ETemplateStyle style = ETemplateStyle::kClassic,
                    const std::string& language = "en");
// Whether the script reads as one of the older format and may be converted; when not, the
// refusal is reported (level 4) and shown in a message box.
bool MayConvert(const CSiteSession& session);
// Converts a script of the older format, with its blocks and templates, and writes the new
// script text back to the script file, in the file's own encoding. False when refused.
bool ConvertCommand(CSiteSession& session);
// Asks whether an older script shall be converted; on Yes converts it as ConvertCommand does.
// False when the script may not be converted, when the user refused, or when the script could
// not be written.
bool OfferConversion(CSiteSession& session);

}  // namespace velmora
