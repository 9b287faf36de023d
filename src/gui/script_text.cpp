#include "gui/script_text.h"

#include "platform/strings.h"

namespace velmora {

namespace {
QString Decode(const std::string& bytes, bool bLatin1) {
  const qsizetype nSize = static_cast<qsizetype>(bytes.size());
  return bLatin1 ? QString::fromLatin1(bytes.data(), nSize)
                 : QString::fromUtf8(bytes.data(), nSize);
}

bool FitsLatin1(const QString& text) {
  for (QChar c : text)
    if (c.unicode() > 0xFF)
      return false;
  return true;
}
}  // namespace

QString ScriptToText(const std::string& fileBytes, CScriptEncoding& encoding) {
  // Bytes that do not decode as their mark says are shown as they are, mark and all.
  std::string bytes;
  if (!DecodeText(fileBytes, bytes, encoding.m_eMark)) {
    bytes = fileBytes;
    encoding.m_eMark = ETextEncoding::kPlain;
  }
  encoding.m_bLatin1 = !IsValidUtf8(bytes);
  // A file without any line end gets CR LF, the program's own line end, when lines are added.
  const size_t lf = bytes.find('\n');
  encoding.m_strLineEnd =
      lf == std::string::npos || (lf > 0 && bytes[lf - 1] == '\r') ? "\r\n" : "\n";
  QString text = Decode(bytes, encoding.m_bLatin1);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string TextToScript(const QString& shown, const CScriptEncoding& encoding) {
  // A text widget may hold paragraph and line separators where the user pressed Enter.
  QString text = shown;
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  QByteArray bytes = encoding.m_bLatin1 && FitsLatin1(text) ? text.toLatin1() : text.toUtf8();
  std::string result(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (encoding.m_strLineEnd != "\n")
    ReplaceAll(result, "\n", encoding.m_strLineEnd);
  return EncodeText(result, encoding.m_eMark);
}

}  // namespace velmora
