#include "diagram/vn_glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace vantor {
namespace {

QPixmap Blank(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  return pm;
}

void Tick(QPainter& p, QRectF box, const QColor& color) {
  QPainterPath path;
  const qreal w = box.width(), h = box.height();
  path.moveTo(box.left() + w * 0.22, box.top() + h * 0.52);
  path.lineTo(box.left() + w * 0.42, box.top() + h * 0.72);
  path.lineTo(box.left() + w * 0.78, box.top() + h * 0.28);
  p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

QPixmap Draw(TVnGlyph glyph) {
  const bool small = glyph <= TVnGlyph::Box3;
  QPixmap pm = Blank(small ? 12 : 16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor ink(0x33, 0x33, 0x33);
  const QColor frame(0x80, 0x80, 0x80);
  switch (glyph) {
    case TVnGlyph::Btn1: {
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      const QPointF tri[3] = {{2.5, 4.0}, {9.5, 4.0}, {6.0, 8.0}};
      p.drawPolygon(tri, 3);
      break;
    }
    case TVnGlyph::Btn2:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.fillRect(QRect(3, 5, 6, 2), ink);
      break;
    case TVnGlyph::Btn3:
      p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.0, 3.0), QPointF(9.0, 9.0));
      p.drawLine(QPointF(9.0, 3.0), QPointF(3.0, 9.0));
      break;
    case TVnGlyph::Box1:
    case TVnGlyph::Box2:
    case TVnGlyph::Box3:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(frame);
      p.setBrush(glyph == TVnGlyph::Box2 ? QColor(0xC8, 0xC8, 0xC8) : QColor(Qt::white));
      p.drawRect(0, 0, 11, 11);
      p.setRenderHint(QPainter::Antialiasing, true);
      if (glyph != TVnGlyph::Box1)
        Tick(p, QRectF(0, 0, 12, 12), glyph == TVnGlyph::Box2 ? QColor(0x60, 0x60, 0x60) : ink);
      break;
    case TVnGlyph::CheckBmp:
    case TVnGlyph::UncheckBmp:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(frame);
      p.setBrush(Qt::white);
      p.drawRect(2, 2, 11, 11);
      p.setRenderHint(QPainter::Antialiasing, true);
      if (glyph == TVnGlyph::CheckBmp)
        Tick(p, QRectF(2, 2, 12, 12), QColor(0x10, 0x10, 0x10));
      break;
    case TVnGlyph::InputNull:
      p.setPen(QPen(frame, 1.2));
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
      break;
    case TVnGlyph::InputParam:
      p.setPen(QPen(ink, 1.2));
      p.setBrush(QColor(0x2F, 0x6F, 0xB5));
      p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
      break;
    case TVnGlyph::TableBmp:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QColor(0x40, 0x40, 0x40));
      p.setBrush(Qt::white);
      p.drawRect(1, 2, 13, 11);
      p.fillRect(QRect(2, 3, 12, 3), QColor(0x6A, 0x8C, 0xB8));
      p.drawLine(2, 9, 13, 9);
      p.drawLine(7, 6, 7, 12);
      break;
    case TVnGlyph::FieldBmp:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QColor(0x40, 0x40, 0x40));
      p.setBrush(QColor(0xF4, 0xE8, 0xB0));
      p.drawRect(2, 5, 11, 6);
      break;
    case TVnGlyph::Count:
      break;
  }
  return pm;
}

}  // namespace

const QPixmap& VnGlyph(TVnGlyph glyph) {
  static std::array<QPixmap, static_cast<std::size_t>(TVnGlyph::Count)> cache;
  QPixmap& pm = cache[static_cast<std::size_t>(glyph)];
  if (pm.isNull())
    pm = Draw(glyph);
  return pm;
}

QPixmap VnGlyphByName(const QString& name) {
  static const char* const names[] = {"BTN1", "BTN2", "BTN3", "BOX1", "BOX2", "BOX3",
                                      "CHECKBMP", "UNCHECKBMP", "INPUTNULL", "INPUTPARAM",
                                      "TABLEBMP", "FIELDBMP"};
  for (int i = 0; i < static_cast<int>(TVnGlyph::Count); ++i)
    if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
      return VnGlyph(static_cast<TVnGlyph>(i));
  return {};
}

}  // namespace vantor
