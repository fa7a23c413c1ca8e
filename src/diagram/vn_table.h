#pragma once

// Table windows on the diagram: TVnTable with its field items TVnListItem, the
// geometry as plain functions, and the field-type categories.

#include "dataaccess/field_type.h"
#include "diagram/vn_float_object.h"

#include <QRect>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class TDataSet;
class QFont;

namespace vantor {

class TVnTable;

// The field-type categories: a link joins two fields of one category, or of the same type
// outside them.
bool IsIntegerFieldType(TFieldType type);
bool IsFloatFieldType(TFieldType type);
bool IsStringFieldType(TFieldType type);
// Whether a field of type target may be joined to a dragged field of type source.
bool FieldTypesCompatible(TFieldType source, TFieldType target);
// "Float", "Integer", "String", "Date" ..., or ''.
QString FieldTypeCaption(TFieldType type);

// A rectangle given by its edges (right and bottom exclusive), as the geometry is written down
// them: VnRect(l, t, r, b).
inline QRect VnRect(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

// The geometry of a table window, in document coordinates. Plain data and functions, so that
// tests and painting share the figures without any window.
struct TVnTableGeometry {
  int Left = 0;
  int Top = 0;
  int Width = 100;
  int Height = 0;
  int CaptionHeight = 20;
  int ItemHeight = 16;
  int BorderWidth = 2;
  int Margin = 2;
  int ButtonsWidth = 40;
  int ScrollBarWidth = 16;
  int TopItem = 0;
  int VisibleItems = 0;
  int ItemCount = 0;
  bool Expanded = true;

  QRect Bounds() const;
  QRect CaptionBand() const;
  QRect CaptionTextRect() const;
  QRect ButtonsRect() const;
  QRect CheckBoxGlyphRect() const;  // the 12 x 12 picture
  QRect CheckBoxHitRect() const;    // where it reacts to the mouse
  QRect ItemAreaRect() const;
  QRect InnerFrameRect() const;
  QRect ExpandedRect() const;  // (L, T, L + W, T + H)
  // The row of item index, unclipped.
  QRect RowRect(int index) const;
  // Where a link to item index ends (empty outside 0 .. ItemCount - 1).
  QRect AnchorRect(int index) const;
  int VisibleItemsFor(int height) const;
  int MinWidth() const { return CaptionHeight + ButtonsWidth + 20; }
  int MinHeight() const { return CaptionHeight + 2 * ItemHeight + 4; }
  int ClampTopItem(int index) const;
  // Index of the whole visible row under document y, or -1 (ItemAt).
  int ItemIndexAt(int y) const;
};

// Item kinds.
enum : std::uint8_t { ikParameter = 1, ikField = 2 };
// Flags of TVnListItem::Draw.
enum : std::uint8_t { idFocused = 1, idTableSelected = 2, idDropTarget = 4 };

class TVnListItem {
public:
  TVnListItem(TVnTable* table, QString name, TFieldType dataType, std::uint8_t kind);

  TVnTable* Table() const { return m_table; }
  const QString& Name() const { return m_name; }
  TFieldType DataType() const { return m_dataType; }
  std::uint8_t Kind() const { return m_kind; }
  bool Checked() const { return m_checked; }
  bool Highlighted() const { return m_highlighted; }
  int Index() const { return m_index; }

  // Changes the check with all notifications (OnFieldCheck, OnEnterProcParameter).
  void SetChecked(bool value);
  // Changes the check, repaints it and updates the table's CheckState; no field-check hook.
  void SetCheckedQuiet(bool value);
  void SetHighlighted(bool value);
  // Draws the row rect (in the painter's coordinates).
  void Draw(QPainter& painter, const QRect& rect, bool erase, std::uint8_t flags) const;
  QString GetTypeName() const { return FieldTypeCaption(m_dataType); }
  QRect GetAnchorRect() const;

private:
  friend class TVnTable;
  void InvalidateGlyph() const;

  TVnTable* m_table;
  QString m_name;
  TFieldType m_dataType;
  std::uint8_t m_kind;
  bool m_checked = false;
  bool m_highlighted = false;
  bool m_inSetChecked = false;
  int m_index = -1;
};

class TVnTable : public TVnFloatObject {
public:
  // Raises EVnDesignerError "Invalid parent for table object!" without a work area.
  TVnTable(TVnWorkArea* workArea, QString name, const TDataSet* dataSet);
  ~TVnTable() override;

  const QString& Name() const { return m_name; }
  const QString& Alias() const { return m_alias; }
  // A plain assignment: repaints the caption, raises no hook.
  void SetAlias(const QString& alias);
  QString RefName() const;
  QString GetCaptionText() const;
  QString HintText;

  int CheckState() const { return m_checkState; }
  int PressedButton = -1;
  int HotButton = -1;
  bool Expanded() const { return m_geo.Expanded; }
  bool Closing() const { return m_closing; }
  void ResetClosing() { m_closing = false; }
  int CaptionHeight() const { return m_geo.CaptionHeight; }
  int ButtonsWidth() const { return m_geo.ButtonsWidth; }
  int BorderWidth() const { return m_geo.BorderWidth; }
  int Margin() const { return m_geo.Margin; }
  int ScrollBarWidth() const { return m_geo.ScrollBarWidth; }
  TVnListItem* FocusedItem = nullptr;
  int Left() const { return m_geo.Left; }
  int Top() const { return m_geo.Top; }
  int Width() const { return m_geo.Width; }
  int Height() const { return m_geo.Height; }
  int ItemHeight() const { return m_geo.ItemHeight; }
  int TopItem() const { return m_geo.TopItem; }
  int VisibleItems() const { return m_geo.VisibleItems; }
  int ItemCount() const { return static_cast<int>(m_items.size()); }
  TVnListItem* Items(int index) const { return m_items.at(static_cast<std::size_t>(index)).get(); }
  const TVnTableGeometry& Geometry() const { return m_geo; }

  void SetCaptionHeight(int value);
  void SetItemHeight(int value);
  void FillItems(const TDataSet* dataSet);
  TVnListItem* FindItem(const QString& name) const;

  QRect GetBounds() const { return m_geo.Bounds(); }
  QRect GetCaptionTextRect() const { return m_geo.CaptionTextRect(); }
  QRect GetButtonsRect() const { return m_geo.ButtonsRect(); }
  QRect GetItemAreaRect() const { return m_geo.ItemAreaRect(); }
  // On screen (client coordinates); empty when the item is not one of ours.
  QRect GetItemRect(const TVnListItem* item) const;
  QRect GetItemAnchorRect(const TVnListItem* item) const;
  int GetNeededWidth() const;
  // The item whose whole visible row lies under client y, or none.
  TVnListItem* ItemAt(int clientY) const;

  void SetLeft(int x);
  void SetTop(int y);
  void MoveBy(int dx, int dy);
  void SetWidth(int width);
  void SetHeight(int height);
  void DragLeftEdge(int dx);
  void DragTopEdge(int dy);
  void ScrollTo(int index);
  void SetExpanded(bool value);
  bool UpdateScrollBar();
  void SetCheckState(int state);
  void SetAllChecked(int state);
  void CloseTable();
  void UnlinkTable();
  virtual QColor GetClientColor() const;

  // Slots.
  void SetSelected(bool value) override;
  void GetHint(QString& text) override { text = HintText; }
  void Paint(QPainter& painter) override;
  // Table interaction (a later issue) fills these in; until then a table answers no zone and
  // offers no menu entries.
  TVnHitZone HitTest(QPoint clientPos) override;
  void BuildPopupMenu(QMenu& menu, int x, int y, TVnHitZone zone) override;
  virtual void DblClick(TVnMouseMessage& message, TVnHitZone zone);

  // Draws caption button index (0..2) in state 0 pressed, 1 normal, 2 hot; rect on screen.
  void DrawCaptionButton(QPainter& painter, const QRect& buttonsRect, int index, int state) const;

private:
  friend class TVnListItem;
  void UpdateCheckStateFrom(bool value);
  void AfterHeightChange(int oldHeight);
  void Invalidate(const QRect& docRect) const;
  QRect ToClient(const QRect& docRect) const;

  QString m_name;
  QString m_alias;
  int m_checkState = 0;
  bool m_closing = false;
  TVnTableGeometry m_geo;
  // The caption as last shortened for its width (painting cache).
  std::pair<QString, int> m_elidedFor;
  QString m_elided;
  std::vector<std::unique_ptr<TVnListItem>> m_items;
};

}  // namespace vantor
