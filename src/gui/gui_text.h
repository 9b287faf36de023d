// Bytes of the program shown in Qt widgets and read back: valid UTF-8 is shown as such, anything
// else as Latin-1. Paths chosen in file dialogs become internal paths.
#pragma once

#include <QString>
#include <string>

namespace velmora {

class CDriveMap;

QString ToQString(const std::string& bytes);
// What the user typed, as UTF-8 bytes; CR LF line ends are kept as they were shown.
std::string FromQString(const QString& text);
// Message texts use CR LF; widgets want LF.
QString DisplayText(const std::string& bytes);

// The host path of an internal path, for starting a file dialog there; empty when the path
// does not reach the host.
QString HostPath(const CDriveMap& drives, const std::string& internalPath);
// A host path from a file dialog as an internal path; empty when no drive covers it.
std::string InternalFromHost(const CDriveMap& drives, const QString& hostPath);

}  // namespace velmora
