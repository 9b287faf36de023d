#include "gui/tool_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include "gui/main_frame.h"

namespace velmora {

namespace {
// A tile with a letter, drawn at each size a toolbar or a dialog may ask for, so it stays
// crisp at any scale. An "all" command is a filled tile; its "selected" form is an outlined
// tile with a check mark in the corner, so the two are told apart at a glance.
QPixmap TilePixmap(const QString& letter, const QColor& colour, bool bSelectedForm, int nSize) {
  QPixmap pixmap(nSize, nSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal pen = qMax<qreal>(1, nSize / 12.0);
  const QRectF tile(pen / 2, pen / 2, nSize - pen, nSize - pen);
  painter.setPen(QPen(colour.darker(140), pen));
  painter.setBrush(bSelectedForm ? QBrush(Qt::white) : QBrush(colour));
  painter.drawRoundedRect(tile, nSize / 5.0, nSize / 5.0);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(nSize * 5 / 8);
  painter.setFont(font);
  painter.setPen(bSelectedForm ? colour.darker(120) : Qt::white);
  painter.drawText(QRectF(0, 0, nSize, nSize), Qt::AlignCenter, letter);
  if (bSelectedForm) {
    const qreal s = nSize;
    QPainterPath tick;
    tick.moveTo(s * 0.58, s * 0.80);
    tick.lineTo(s * 0.70, s * 0.92);
    tick.lineTo(s * 0.96, s * 0.62);
    painter.setPen(QPen(colour.darker(140), qMax<qreal>(1.5, s / 8.0), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
  }
  return pixmap;
}

QIcon Tile(const QString& letter, const QColor& colour, bool bSelectedForm) {
  QIcon icon;
  for (int nSize : {16, 24, 32, 48, 64, 128})
    icon.addPixmap(TilePixmap(letter, colour, bSelectedForm, nSize));
  return icon;
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
      return Tile("B", build, true);
    case kIdCheckAll:
      return Tile("C", check, false);
    case kIdCheckSelected:
      return Tile("C", check, true);
    case kIdPreview:
      return Tile("P", QColor(0x00, 0x83, 0x8f), false);
    case kIdStop:
      return Standard(QStyle::SP_BrowserStop);
    default:
      return QIcon();
  }
}

QIcon ProgramIcon() {
  return Tile("V", QColor(0x6a, 0x1b, 0x9a), false);
}

}  // namespace velmora
