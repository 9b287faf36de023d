#include "gui/gui_text.h"
#include "platform/drive_map.h"

#include <QFile>
#include <QStringDecoder>

#include "platform/drive_map.h"
#include "platform/strings.h"

namespace velmora {

QString ToQString(const std::string& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!decoder.hasError())
    return text;
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FromQString(const QString& text) {
  return text.toStdString();
}

QString DisplayText(const std::string& bytes) {
  return ToQString(CrLfToLf(bytes));
}

QString HostPath(const CDriveMap& drives, const std::string& internalPath) {
  std::string host;
  if (internalPath.empty() || !drives.ToHost(internalPath, host))
    return {};
  return QFile::decodeName(QByteArray::fromStdString(host));
}

std::string InternalFromHost(const CDriveMap& drives, const QString& hostPath) {
  std::string internal;
  if (hostPath.isEmpty() || !drives.ToInternal(QFile::encodeName(hostPath).toStdString(), internal))
    return {};
  return internal;
}

}  // namespace velmora
