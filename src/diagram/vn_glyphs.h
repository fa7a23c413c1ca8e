#pragma once

// The bitmaps the designer draws with (the resources "BTN1" ... "FIELDBMP").
// They are ours to draw: each is painted once with QPainter into a pixmap with a transparent
// background, so drawing one "through its mask" is a plain drawPixmap.

#include <QPixmap>
#include <QString>

namespace vantor {

enum class TVnGlyph {
  Btn1,        // 12 x 12: triangle pointing down (collapse / expand)
  Btn2,        // 12 x 12: dash (unlink)
  Btn3,        // 12 x 12: cross (close)
  Box1,        // 12 x 12: caption check box, nothing checked
  Box2,        // 12 x 12: some checked (grey with a tick)
  Box3,        // 12 x 12: all checked (white with a tick)
  CheckBmp,    // 16 x 16: field item checked
  UncheckBmp,  // 16 x 16: field item unchecked
  InputNull,   // 16 x 16: parameter item without a value
  InputParam,  // 16 x 16: parameter item with a value
  TableBmp,    // 16 x 16: a table (image list entry 0)
  FieldBmp,    // 16 x 16: a field (image list entry 1)
  Count
};

// The pixmap of a glyph; built on first use (needs a QGuiApplication).
const QPixmap& VnGlyph(TVnGlyph glyph);
// The glyph stored under a resource name ("BTN1", "CHECKBMP", ...); null pixmap when unknown.
QPixmap VnGlyphByName(const QString& resourceName);

}  // namespace vantor
