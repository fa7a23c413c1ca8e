#include "diagram/vn_table.h"

#include "dataaccess/dataset.h"
#include "designer/vantor.h"
#include "designer/vn_strings.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_glyphs.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdlib>

namespace vantor {

// ---------------------------------------------------------------------------------------
// Field-type categories and names.

bool IsIntegerFieldType(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc || t == ftLargeint;
}
bool IsFloatFieldType(TFieldType t) { return t == ftFloat || t == ftCurrency; }
bool IsStringFieldType(TFieldType t) {
  return t == ftString || t == ftMemo || t == ftFmtMemo || t == ftFixedChar || t == ftWideString;
}

bool FieldTypesCompatible(TFieldType s, TFieldType target) {
  if (IsIntegerFieldType(s))
    return IsIntegerFieldType(target);
  if (IsFloatFieldType(s))
    return IsFloatFieldType(target);
  if (IsStringFieldType(s))
    return IsStringFieldType(target);
  return s == target;
}

QString FieldTypeCaption(TFieldType t) {
  if (IsFloatFieldType(t))
    return QStringLiteral("Float");
  if (IsIntegerFieldType(t))
    return QStringLiteral("Integer");
  if (IsStringFieldType(t))
    return QStringLiteral("String");
  switch (t) {
    case ftUnknown: return QStringLiteral("String");
    case ftBoolean: return QStringLiteral("Boolean");
    case ftBCD: return QStringLiteral("BCD");
    case ftDate: return QStringLiteral("Date");
    case ftTime: return QStringLiteral("Time");
    case ftDateTime: return QStringLiteral("DateTime");
    case ftBytes: return QStringLiteral("Bytes");
    case ftVarBytes: return QStringLiteral("VarBytes");
    case ftBlob: return QStringLiteral("Blob");
    case ftGraphic: return QStringLiteral("Graphic");
    case ftVariant: return QStringLiteral("Variant");
    case ftIDispatch: return QStringLiteral("IDispatch");
    case ftParadoxOle: return QStringLiteral("ParadoxOle");
    case ftDBaseOle: return QStringLiteral("DBaseOle");
    case ftTypedBinary: return QStringLiteral("Typed binary");
    case ftCursor: return QStringLiteral("Cursor");
    case ftADT: return QStringLiteral("ADT");
    case ftArray: return QStringLiteral("Array");
    case ftReference: return QStringLiteral("Reference");
    case ftDataSet: return QStringLiteral("Data set");
    case ftOraBlob: return QStringLiteral("Ora blob");
    case ftOraClob: return QStringLiteral("Ora clob");
    case ftInterface: return QStringLiteral("Interface");
    case ftGuid: return QStringLiteral("Guid");
    default: return {};
  }
}

// ---------------------------------------------------------------------------------------
// Geometry.

QRect TVnTableGeometry::Bounds() const {
  return VnRect(Left, Top, Left + Width, Top + (Expanded ? Height : CaptionHeight));
}
QRect TVnTableGeometry::ExpandedRect() const { return VnRect(Left, Top, Left + Width, Top + Height); }
QRect TVnTableGeometry::CaptionBand() const {
  return VnRect(Left, Top, Left + Width, Top + CaptionHeight);
}
QRect TVnTableGeometry::CaptionTextRect() const {
  return VnRect(Left + CaptionHeight + BorderWidth, Top + BorderWidth,
                Left + Width - ButtonsWidth - BorderWidth, Top + CaptionHeight - BorderWidth);
}
QRect TVnTableGeometry::ButtonsRect() const {
  return VnRect(Left + Width - BorderWidth - ButtonsWidth, Top + BorderWidth,
                Left + Width - BorderWidth, Top + CaptionHeight);
}
QRect TVnTableGeometry::CheckBoxGlyphRect() const {
  return QRect(Left + BorderWidth + 4, Top + BorderWidth + 2, 12, 12);
}
QRect TVnTableGeometry::CheckBoxHitRect() const {
  return VnRect(Left + BorderWidth + 2, Top + 2, Left + BorderWidth + 14, Top + 14);
}
QRect TVnTableGeometry::ItemAreaRect() const {
  return VnRect(Left + BorderWidth + Margin, Top + CaptionHeight + Margin,
                Left + Width - BorderWidth - Margin, Top + Height - BorderWidth - Margin);
}
QRect TVnTableGeometry::InnerFrameRect() const {
  return VnRect(Left + BorderWidth, Top + CaptionHeight, Left + Width - BorderWidth,
                Top + Height - BorderWidth);
}
QRect TVnTableGeometry::RowRect(int index) const {
  const int top = Top + CaptionHeight + 1 + (index - TopItem) * (ItemHeight + 1);
  return VnRect(Left + BorderWidth + Margin, top, Left + Width - BorderWidth - Margin,
                top + ItemHeight);
}
QRect TVnTableGeometry::AnchorRect(int index) const {
  if (index < 0 || index >= ItemCount)
    return {};
  if (!Expanded || index < TopItem)
    return CaptionBand();
  if (index > TopItem + VisibleItems)
    return VnRect(Left, Top + Height - BorderWidth, Left + Width, Top + Height);
  const int top = Top + CaptionHeight + 1 + (index - TopItem) * (ItemHeight + 1);
  const int bottom = index == TopItem + VisibleItems ? Top + Height - BorderWidth - Margin
                                                     : top + ItemHeight;
  return VnRect(Left, top, Left + Width, bottom);
}
int TVnTableGeometry::VisibleItemsFor(int height) const {
  return (height - CaptionHeight - BorderWidth - 2 * Margin - 1) / (ItemHeight + 1);
}
int TVnTableGeometry::ClampTopItem(int index) const {
  return std::clamp(index, 0, std::max(0, ItemCount - VisibleItems));
}
int TVnTableGeometry::ItemIndexAt(int y) const {
  for (int i = TopItem; i < TopItem + VisibleItems && i < ItemCount; ++i) {
    const QRect r = RowRect(i);
    if (r.top() + r.height() > y)
      return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------
// Items.

TVnListItem::TVnListItem(TVnTable* table, QString name, TFieldType dataType, std::uint8_t kind)
    : m_table(table), m_name(std::move(name)), m_dataType(dataType), m_kind(kind) {}

void TVnListItem::InvalidateGlyph() const {
  if (m_index < 0 || !m_table->Expanded())
    return;
  QRect r = m_table->Geometry().RowRect(m_index);
  r.setWidth(m_table->ItemHeight());
  m_table->Invalidate(r.intersected(m_table->GetItemAreaRect()));
}

void TVnListItem::SetChecked(bool value) {
  if (m_kind == ikParameter && !m_inSetChecked) {
    m_inSetChecked = true;
    TCustomVantor* designer = m_table->WorkArea()->Designer();
    if (designer->OnEnterProcParameter)
      designer->OnEnterProcParameter(designer, m_table, this);
    m_inSetChecked = false;
  } else {
    m_checked = value;
  }
  InvalidateGlyph();
  if (m_kind == ikField && m_table->WorkArea()->OnFieldCheck)
    m_table->WorkArea()->OnFieldCheck(m_table, this);
  SetCheckedQuiet(value);
}

void TVnListItem::SetCheckedQuiet(bool value) {
  m_checked = value;
  InvalidateGlyph();
  if (m_kind == ikField)
    m_table->UpdateCheckStateFrom(value);
}

void TVnListItem::SetHighlighted(bool value) {
  m_highlighted = value;
  if (m_index < 0)
    return;
  QRect r = m_table->Geometry().RowRect(m_index);
  r.setLeft(r.left() + m_table->ItemHeight());
  m_table->Invalidate(r.intersected(m_table->GetItemAreaRect()));
}

QRect TVnListItem::GetAnchorRect() const { return m_table->GetItemAnchorRect(this); }

void TVnListItem::Draw(QPainter& p, const QRect& rect, bool erase, std::uint8_t flags) const {
  TVnWorkArea* wa = m_table->WorkArea();
  const TVnPalette* pal = wa->Designer()->Palette();
  QRect r = rect;
  r.setTop(r.top() + 1);
  QColor fill;
  if (erase)
    fill = m_table->GetClientColor();
  QColor text = ColorToQColor(pal->ItemText());
  if (flags & idDropTarget) {
    fill = QColor(0, 128, 128);
    text = ColorToQColor(pal->SelectedItemText());
  } else if (flags & idFocused) {
    fill = QColor(192, 192, 192);
    text = ColorToQColor(pal->SelectedItemText());
  }
  const QPixmap& glyph = m_kind == ikField
                             ? VnGlyph(m_checked ? TVnGlyph::CheckBmp : TVnGlyph::UncheckBmp)
                             : VnGlyph(m_checked ? TVnGlyph::InputParam : TVnGlyph::InputNull);
  if (erase)
    p.fillRect(QRect(r.left(), r.top(), m_table->ItemHeight(), r.height()), fill);
  p.drawPixmap(r.topLeft(), glyph);
  r.setLeft(r.left() + m_table->ItemHeight());
  if (fill.isValid())
    p.fillRect(r, fill);
  QString caption = QLatin1Char(' ') + m_name;
  if (wa->Designer()->Options().Contains(vnoShowFieldTypes))
    caption += QStringLiteral(" (") + GetTypeName() + QLatin1Char(')');
  // The table's Paint has set the regular font and the item text colour; a row changes them
  // only when it needs other ones, and puts them back.
  const QFontMetrics& fm = m_highlighted ? wa->BoldMetrics() : wa->Metrics();
  if (m_highlighted)
    p.setFont(wa->BoldFont());
  const bool otherColor = text != ColorToQColor(pal->ItemText());
  if (otherColor)
    p.setPen(text);
  const int baseline = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
  p.drawText(QPoint(r.left(), baseline), caption);
  if (m_highlighted)
    p.setFont(wa->DiagramFont());
  if (otherColor)
    p.setPen(ColorToQColor(pal->ItemText()));
  if ((flags & idFocused) && (flags & idTableSelected)) {
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(ColorToQColor(pal->ItemText()));
  }
}

// ---------------------------------------------------------------------------------------
// Table.

namespace {
TVnWorkArea* CheckWorkArea(TVnWorkArea* workArea) {
  if (!workArea)
    throw EVnDesignerError(VnText(sInvalidTableParent).toStdString());
  return workArea;
}
}  // namespace

TVnTable::TVnTable(TVnWorkArea* workArea, QString name, const TDataSet* dataSet)
    : TVnFloatObject(CheckWorkArea(workArea)), m_name(std::move(name)) {
  const int fh = std::abs(workArea->FontHeight());
  SetCaptionHeight(fh + 4);
  SetItemHeight(fh);
  FillItems(dataSet);
  m_geo.Height = m_geo.VisibleItems * (m_geo.ItemHeight + 1) + m_geo.CaptionHeight +
                 m_geo.BorderWidth + 2 * m_geo.Margin;
}

TVnTable::~TVnTable() = default;

void TVnTable::SetCaptionHeight(int value) {
  value = std::abs(value);
  if (value != 0 && value != m_geo.CaptionHeight)
    m_geo.CaptionHeight = std::max(value, 20);
}

void TVnTable::SetItemHeight(int value) {
  value = std::abs(value);
  if (value != 0 && value != m_geo.ItemHeight)
    m_geo.ItemHeight = std::max(value, 16);
}

void TVnTable::FillItems(const TDataSet* dataSet) {
  m_items.clear();
  FocusedItem = nullptr;
  if (dataSet)
    for (const TField& f : dataSet->Fields()) {
      auto item = std::make_unique<TVnListItem>(this, f.FieldName(), f.DataType(), ikField);
      item->m_index = static_cast<int>(m_items.size());
      m_items.push_back(std::move(item));
    }
  m_geo.ItemCount = ItemCount();
  m_geo.VisibleItems = std::min(ItemCount(), 6);
}

void TVnTable::SetAlias(const QString& alias) {
  if (alias == m_alias)
    return;
  m_alias = alias;
  Invalidate(m_geo.CaptionBand());
}

QString TVnTable::RefName() const { return m_alias.trimmed().isEmpty() ? m_name : m_alias; }

QString TVnTable::GetCaptionText() const {
  if (m_alias.trimmed().isEmpty())
    return m_name;
  return m_name + QStringLiteral(" (") + m_alias + QLatin1Char(')');
}

TVnListItem* TVnTable::FindItem(const QString& name) const {
  for (const auto& item : m_items)
    if (item->Name() == name)
      return item.get();
  return nullptr;
}

QRect TVnTable::ToClient(const QRect& r) const {
  return r.translated(-WorkArea()->ScrollX(), -WorkArea()->ScrollY());
}

void TVnTable::Invalidate(const QRect& docRect) const { WorkArea()->InvalidateDoc(docRect); }

QRect TVnTable::GetItemRect(const TVnListItem* item) const {
  if (!item || item->Table() != this || item->Index() < 0)
    return {};
  return ToClient(m_geo.RowRect(item->Index()));
}

QRect TVnTable::GetItemAnchorRect(const TVnListItem* item) const {
  if (!item || item->Table() != this)
    return {};
  return m_geo.AnchorRect(item->Index());
}

int TVnTable::GetNeededWidth() const {
  QString text = GetCaptionText();
  if (text.isEmpty())
    text = QStringLiteral(" ");
  return m_geo.CaptionHeight + 46 + WorkArea()->BoldMetrics().horizontalAdvance(text);
}

TVnListItem* TVnTable::ItemAt(int clientY) const {
  const int i = m_geo.ItemIndexAt(clientY + WorkArea()->ScrollY());
  return i < 0 ? nullptr : Items(i);
}

// Moving and resizing: invalidate what changes, then tell the work area.

void TVnTable::SetLeft(int x) {
  if (x != m_geo.Left)
    MoveBy(x - m_geo.Left, 0);
}

void TVnTable::SetTop(int y) {
  if (y != m_geo.Top)
    MoveBy(0, y - m_geo.Top);
}

void TVnTable::MoveBy(int dx, int dy) {
  if (dx == 0 && dy == 0)
    return;
  QScrollBar* bar = WorkArea()->ItemScrollBar();
  if (Selected() && !bar->isHidden())
    bar->move(bar->pos() + QPoint(dx, dy));
  Invalidate(GetBounds());
  m_geo.Left += dx;
  m_geo.Top += dy;
  Invalidate(GetBounds());
  WorkArea()->VnTableMoved(this);
}

void TVnTable::SetWidth(int width) {
  width = std::max(width, m_geo.MinWidth());
  if (width == m_geo.Width)
    return;
  QScrollBar* bar = WorkArea()->ItemScrollBar();
  if (Selected() && !bar->isHidden())
    bar->move(bar->pos() + QPoint(width - m_geo.Width, 0));
  const int oldWidth = m_geo.Width;
  m_geo.Width = width;
  Invalidate(m_geo.CaptionBand());
  const int strip = std::min(oldWidth, width) - m_geo.BorderWidth - m_geo.Margin - m_geo.ScrollBarWidth;
  const QRect b = GetBounds();
  Invalidate(VnRect(m_geo.Left + strip, b.top(), m_geo.Left + std::max(oldWidth, width), b.bottom() + 1));
  WorkArea()->VnTableResized(this);
}

void TVnTable::AfterHeightChange(int oldHeight) {
  m_geo.VisibleItems = m_geo.VisibleItemsFor(m_geo.Height);
  if (m_geo.TopItem + m_geo.VisibleItems > ItemCount())
    ScrollTo(ItemCount() - m_geo.VisibleItems);
  if (m_geo.Expanded) {
    const int low = std::min(oldHeight, m_geo.Height) - m_geo.BorderWidth - m_geo.Margin - m_geo.ItemHeight;
    Invalidate(VnRect(m_geo.Left, m_geo.Top + low, m_geo.Left + m_geo.Width,
                      m_geo.Top + std::max(oldHeight, m_geo.Height)));
  }
  if (UpdateScrollBar())
    WorkArea()->ItemScrollBar()->show();
  else if (Selected())
    WorkArea()->ItemScrollBar()->hide();
}

void TVnTable::SetHeight(int height) {
  height = std::max(height, m_geo.MinHeight());
  if (height == m_geo.Height)
    return;
  const int old = m_geo.Height;
  m_geo.Height = height;
  AfterHeightChange(old);
  WorkArea()->VnTableResized(this);
}

void TVnTable::DragLeftEdge(int dx) {
  dx = std::min(dx, m_geo.Width - m_geo.MinWidth());
  if (dx == 0)
    return;
  const QRect old = GetBounds();
  m_geo.Left += dx;
  m_geo.Width -= dx;
  Invalidate(old.united(GetBounds()));
  if (UpdateScrollBar())
    WorkArea()->ItemScrollBar()->show();
  WorkArea()->VnTableResized(this);
}

void TVnTable::DragTopEdge(int dy) {
  dy = std::min(dy, m_geo.Height - m_geo.MinHeight());
  if (dy == 0)
    return;
  const QRect old = GetBounds();
  const int oldHeight = m_geo.Height;
  m_geo.Top += dy;
  m_geo.Height -= dy;
  Invalidate(old.united(GetBounds()));
  AfterHeightChange(oldHeight);
  WorkArea()->VnTableResized(this);
}

void TVnTable::ScrollTo(int index) {
  index = m_geo.ClampTopItem(index);
  if (index == m_geo.TopItem)
    return;
  m_geo.TopItem = index;
  if (m_geo.Expanded)
    Invalidate(m_geo.ItemAreaRect());
  QScrollBar* bar = WorkArea()->ItemScrollBar();
  if (Selected() && !bar->isHidden() && bar->value() != index) {
    const QSignalBlocker quiet(bar);
    bar->setValue(index);
  }
}

void TVnTable::SetExpanded(bool value) {
  if (value == m_geo.Expanded)
    return;
  Invalidate(m_geo.ExpandedRect());
  m_geo.Expanded = value;
  if (Selected()) {
    if (value && UpdateScrollBar())
      WorkArea()->ItemScrollBar()->show();
    else
      WorkArea()->ItemScrollBar()->hide();
  }
  WorkArea()->VnTableResized(this);
}

bool TVnTable::UpdateScrollBar() {
  if (!Selected() || !m_geo.Expanded || m_geo.VisibleItems >= ItemCount())
    return false;
  const QRect area = ToClient(m_geo.ItemAreaRect());
  QScrollBar* bar = WorkArea()->ItemScrollBar();
  const QSignalBlocker quiet(bar);
  bar->setGeometry(area.left() + area.width() - m_geo.ScrollBarWidth, area.top(),
                   m_geo.ScrollBarWidth, area.height());
  bar->setRange(0, ItemCount() - m_geo.VisibleItems);
  bar->setPageStep(m_geo.VisibleItems - 1);
  bar->setValue(m_geo.TopItem);
  return true;
}

void TVnTable::SetCheckState(int state) {
  state = std::clamp(state, 0, 2);
  if (state == m_checkState)
    return;
  Invalidate(VnRect(m_geo.Left, m_geo.Top, m_geo.Left + m_geo.CaptionHeight,
                    m_geo.Top + m_geo.CaptionHeight));
  m_checkState = state;
}

void TVnTable::UpdateCheckStateFrom(bool value) {
  int state = value ? 2 : 0;
  for (const auto& item : m_items)
    if (item->Kind() == ikField && item->Checked() != value) {
      state = 1;
      break;
    }
  if (state != m_checkState)
    SetCheckState(state);
}

void TVnTable::SetAllChecked(int state) {
  SetCheckState(state);
  for (const auto& item : m_items)
    if (item->Kind() == ikField)
      item->SetChecked(state == 2);
}

void TVnTable::CloseTable() {
  m_closing = true;
  TVnWorkArea* wa = WorkArea();
  for (const auto& item : m_items)
    if (item->Checked()) {
      item->m_checked = false;
      if (wa->OnFieldCheck)
        wa->OnFieldCheck(this, item.get());
    }
  if (wa->OnTableClosing)
    wa->OnTableClosing(this);
  Invalidate(GetBounds());
  wa->VnCloseTable(this);  // may destroy this table
}

void TVnTable::UnlinkTable() { WorkArea()->VnUnlinkTable(this); }

QColor TVnTable::GetClientColor() const {
  return ColorToQColor(WorkArea()->Designer()->Palette()->TableClient());
}

void TVnTable::SetSelected(bool value) {
  TVnFloatObject::SetSelected(value);
  Invalidate(GetBounds());
  QScrollBar* bar = WorkArea()->ItemScrollBar();
  if (value && UpdateScrollBar())
    bar->show();
  else
    bar->hide();
}

TVnHitZone TVnTable::HitTest(QPoint) { return hzNone; }
void TVnTable::BuildPopupMenu(QMenu&, int, int, TVnHitZone) {}
void TVnTable::DblClick(TVnMouseMessage&, TVnHitZone) {}

// ---------------------------------------------------------------------------------------
// Painting (client coordinates).

namespace {

struct EdgeColors {
  QColor light{0xE3, 0xE3, 0xE3};     // 3D light
  QColor highlight{0xFF, 0xFF, 0xFF}; // button highlight
  QColor shadow{0xA0, 0xA0, 0xA0};    // button shadow
  QColor dark{0x69, 0x69, 0x69};      // 3D dark shadow
};

// One ring of a 3D edge: top-left in tl, bottom-right in br.
void Ring(QPainter& p, const QRect& r, const QColor& tl, const QColor& br) {
  const int l = r.left(), t = r.top(), rr = r.left() + r.width() - 1, b = r.top() + r.height() - 1;
  p.fillRect(QRect(l, t, r.width(), 1), tl);
  p.fillRect(QRect(l, t, 1, r.height()), tl);
  p.fillRect(QRect(l, b, r.width(), 1), br);
  p.fillRect(QRect(rr, t, 1, r.height()), br);
}

// The operating system's two-ring edge of the given kind; flat: one grey ring.
void DrawEdge(QPainter& p, const QRect& r, bool raisedOuter, bool raisedInner, bool flat) {
  const EdgeColors c;
  if (flat) {
    Ring(p, r, QColor(0x8A, 0x90, 0x98), QColor(0x8A, 0x90, 0x98));
    return;
  }
  if (raisedOuter)
    Ring(p, r, c.light, c.dark);
  else
    Ring(p, r, c.shadow, c.highlight);
  const QRect inner = r.adjusted(1, 1, -1, -1);
  if (raisedInner)
    Ring(p, inner, c.highlight, c.shadow);
  else
    Ring(p, inner, c.dark, c.light);
}

}  // namespace

void TVnTable::DrawCaptionButton(QPainter& p, const QRect& rect, int index, int state) const {
  if (index < 0 || index > 2)
    return;
  const QPixmap& glyph = VnGlyph(index == 0 ? TVnGlyph::Btn1 : index == 1 ? TVnGlyph::Btn2 : TVnGlyph::Btn3);
  const int s = glyph.width();
  const int left = rect.left() + index * (s + 1);
  const int right = left + s;
  const int top = rect.top() + (rect.height() - s - 2) / 2;
  const int bottom = top + s;
  QColor first = Qt::white, second(128, 128, 128);
  if (state == 1 && WorkArea()->Designer()->Style()->ObjectStyle()->FlatButtons())
    first = QColor(128, 128, 128);
  else if (state == 0) {
    first = Qt::black;
    second = Qt::white;
  }
  p.setPen(first);
  p.drawLine(left, bottom, left, top);
  p.drawLine(left, top, right, top);
  p.setPen(second);
  p.drawLine(right, top, right, bottom);
  p.drawLine(right, bottom, left, bottom);
  p.drawPixmap(left + 1, top + 1, glyph);
}

void TVnTable::Paint(QPainter& p) {
  TVnWorkArea* wa = WorkArea();
  const QPoint off(-wa->ScrollX(), -wa->ScrollY());
  const QRect r = GetBounds().translated(off);
  const TCustomVantor* designer = wa->Designer();
  const TVnPalette* pal = designer->Palette();
  const TVnObjectStyle* style = designer->Style()->ObjectStyle();
  const TVnTableGeometry& g = m_geo;

  p.save();
  // Caption band and frame.
  const QColor caption = ColorToQColor(Selected() ? pal->ActiveCaption() : pal->InactiveCaption());
  p.fillRect(r, caption);
  const bool flat = style->Flat();
  switch (style->BorderKind()) {
    case vnkBump: DrawEdge(p, r, true, false, flat); break;
    case vnkEtched: DrawEdge(p, r, false, true, flat); break;
    case vnkRaised: DrawEdge(p, r, true, true, flat); break;
    case vnkSunken: DrawEdge(p, r, false, false, flat); break;
  }
  if (g.Expanded) {
    const QRect inner = g.InnerFrameRect().translated(off);
    p.fillRect(inner, GetClientColor());
    if (flat)
      Ring(p, inner, QColor(0xB4, 0xB9, 0xC0), QColor(0xB4, 0xB9, 0xC0));
    else
      DrawEdge(p, inner, false, false, false);
  }
  // Caption text.
  const QRect textRect = g.CaptionTextRect().translated(off);
  QString text = GetCaptionText();
  if (text.isEmpty())
    text = QStringLiteral(" ");
  const QFontMetrics& bfm = wa->BoldMetrics();
  p.setFont(wa->BoldFont());
  p.setPen(Qt::black);
  if (m_elidedFor != std::make_pair(text, textRect.width())) {
    m_elidedFor = {text, textRect.width()};
    m_elided = bfm.elidedText(text, Qt::ElideRight, textRect.width());
  }
  const QString& elided = m_elided;
  p.drawText(QPoint(textRect.left(), textRect.top() + (textRect.height() - bfm.height()) / 2 + bfm.ascent()),
             elided);
  // Caption buttons and check box.
  const QRect buttons = g.ButtonsRect().translated(off);
  for (int i = 0; i < 3; ++i)
    DrawCaptionButton(p, buttons, i, 1);
  p.drawPixmap(g.CheckBoxGlyphRect().translated(off).topLeft(),
               VnGlyph(m_checkState == 0 ? TVnGlyph::Box1 : m_checkState == 1 ? TVnGlyph::Box2 : TVnGlyph::Box3));
  // Items, clipped to the item area.
  if (g.Expanded && !m_items.empty()) {
    const QRect area = g.ItemAreaRect().translated(off);
    p.setClipRect(area, Qt::IntersectClip);
    p.setFont(wa->DiagramFont());
    p.setPen(ColorToQColor(pal->ItemText()));
    const bool hideSel = designer->Options().Contains(vnoHideSelection);
    const int last = std::min(ItemCount() - 1, g.TopItem + g.VisibleItems);
    for (int i = g.TopItem; i <= last; ++i) {
      const TVnListItem* item = Items(i);
      std::uint8_t flags = 0;
      if (item == FocusedItem && (!hideSel || Selected()))
        flags |= idFocused;
      if (Selected())
        flags |= idTableSelected;
      item->Draw(p, g.RowRect(i).translated(off), false, flags);
    }
  }
  p.restore();
}

}  // namespace vantor
