#include "gui/tool_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "gui/main_frame.h"

namespace velmora {

namespace {
// A coloured tile with a letter; the "selected" forms carry a white corner mark.
QIcon Tile(const QString& letter, const QColor& colour, bool bSelectedForm, int nSize = 16) {
  QPixmap pixmap(nSize, nSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(colour.darker(140));
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(0.5, 0.5, nSize - 1, nSize - 1), 3, 3);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(nSize * 3 / 4);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, nSize, nSize), Qt::AlignCenter, letter);
  if (bSelectedForm) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(nSize - 5, nSize - 5, 3, 3);
  }
  return QIcon(pixmap);
}

QIcon Standard(QStyle::StandardPixmap picture) {
  return QApplication::style()->standardIcon(picture);
}
}  // namespace

QIcon CommandIcon(int nId) {
  const QColor build(0x2e, 0x7d, 0x32), check(0x15, 0x65, 0xc0), interpret(0xef, 0x6c, 0x00);
  switch (nId) {
    case kIdFileReload:
      return Standard(QStyle::SP_BrowserReload);
    case kIdFileSave:
      return Standard(QStyle::SP_DialogSaveButton);
    case kIdAppAbout:
      return Standard(QStyle::SP_MessageBoxInformation);
    case kIdInterpret:
      return Tile("I", interpret, false);
    case kIdBuildAll:
      return Tile("B", build, false);
    case kIdBuildSelected:
      return Tile("B", build.lighter(130), true);
    case kIdCheckAll:
      return Tile("C", check, false);
    case kIdCheckSelected:
      return Tile("C", check.lighter(130), true);
    default:
      return QIcon();
  }
}

QIcon ProgramIcon() {
  return Tile("V", QColor(0x6a, 0x1b, 0x9a), false, 32);
}

}  // namespace velmora
