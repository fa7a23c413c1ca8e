#pragma once

// The diagram surface: a scroll area over a 5000 x 5000 document that owns the
// table windows, the links and the joins, keeps the model's join entries in step with the
// links, and paints in layers (tables front to back, the background, then the links).
// Mouse and keyboard input plug into the slots of the diagram objects later.

#include "designer/vn_types.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QRegion>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QMenu;
class QScrollBar;
class TDataSet;

namespace vantor {

class TCustomVantor;
class TVnFloatObject;
class TVnJoin;
class TVnLink;
class TVnListItem;
class TVnTable;

inline constexpr int VnDocumentSize = 5000;

using TVnFieldCheckHook = std::function<void(TVnTable* table, TVnListItem* item)>;
using TVnTableHook = std::function<void(TVnTable* table)>;
using TVnAliasChangeHook = std::function<void(TVnTable* table, const QString& oldRefName)>;
using TVnLinkSelectHook = std::function<void(QObject* sender, TVnTable* leftTable,
                                             TVnTable* rightTable, TVnListItem* leftItem,
                                             TVnListItem* rightItem, bool selected)>;

class TVnWorkArea : public QAbstractScrollArea {
  Q_OBJECT

public:
  // owner must be a TCustomVantor, else EVnDesignerError "Given parent is not valid for
  // WorkArea!".
  explicit TVnWorkArea(QWidget* owner);
  ~TVnWorkArea() override;

  TCustomVantor* Designer() const { return m_designer; }

  // Members. Tables: index 0 is the front-most window.
  const std::vector<std::unique_ptr<TVnJoin>>& Joins() const { return m_joins; }
  const std::vector<std::unique_ptr<TVnLink>>& Links() const { return m_links; }
  const std::vector<std::unique_ptr<TVnTable>>& Tables() const { return m_tables; }
  int TableCount() const { return static_cast<int>(m_tables.size()); }
  TVnTable* TableAt(int index) const;
  TVnHitZone HitZone = hzNone;
  TVnFloatObject* HoverObject = nullptr;
  TVnFloatObject* ActiveObject = nullptr;
  TVnListItem* DropItem = nullptr;
  TVnTable* ScrollTable = nullptr;
  TVnListItem* HighlightItem = nullptr;
  int GrabX = 0, GrabY = 0, LastX = 0, LastY = 0, AnchorX = 0, AnchorY = 0;
  QMenu* PopupMenu() const { return m_popupMenu; }
  const QFont& DiagramFont() const { return m_font; }
  const QFont& BoldFont() const { return m_boldFont; }
  const QFontMetrics& Metrics() const { return m_metrics; }
  const QFontMetrics& BoldMetrics() const { return m_boldMetrics; }
  // The font's height in pixels (Windows' |Font.Height|: 11 for 8 points at 96 dpi).
  int FontHeight() const { return m_fontHeight; }
  void SetDiagramFont(const QFont& font);
  QPen Pen;
  QScrollBar* ItemScrollBar() const { return m_itemScrollBar; }
  QLineEdit* AliasEdit() const { return m_aliasEdit; }
  QLineEdit* SearchEdit() const { return m_searchEdit; }

  TVnLinkSelectHook OnLinkSelect;
  TVnFieldCheckHook OnFieldCheck;
  TVnTableHook OnTableAdded;
  TVnTableHook OnTableClosing;
  TVnAliasChangeHook OnAliasChange;

  // Current scroll positions (document = client + scroll).
  int ScrollX() const;
  int ScrollY() const;
  QPoint ScrollOffset() const { return {ScrollX(), ScrollY()}; }

  // Operations.
  void Clear();
  TVnTable* AddTable(const QString& tableName, const TDataSet* dataSet);
  TVnTable* FindTable(const QString& name) const;
  TVnLink* AddLink(TVnTable* firstTable, TVnTable* secondTable, TVnListItem* firstItem,
                   TVnListItem* secondItem);
  void RemoveLink(TVnLink* link, int index, bool repaint);
  TVnJoin* FindJoin(const TVnTable* a, const TVnTable* b, bool& reversed) const;
  bool LinkExists(const TVnTable* a, const TVnTable* b, const TVnListItem* itemA,
                  const TVnListItem* itemB) const;
  void BringToFront(TVnFloatObject* object);
  void DeselectAll();
  void SetZoneCursor(TVnHitZone zone);
  bool DragFieldName() const;
  int IndexOfLink(const TVnLink* link) const;

  // The private messages, as direct calls (0xB067 .. 0xB06B). VnDeleteLink is posted:
  // PostDeleteLink queues it, so that the menu or box that asked has closed first.
  void VnTableMoved(TVnTable* table);
  void VnTableResized(TVnTable* table);
  void VnCloseTable(TVnTable* table);
  void VnUnlinkTable(TVnTable* table);
  void VnDeleteLink(TVnLink* link);
  void PostDeleteLink(TVnLink* link);

  // Painting. PaintDiagram draws the part clip (client coordinates) of the diagram; the
  // painter's origin is the viewport's top-left corner.
  void PaintDiagram(QPainter& painter, const QRegion& clip);
  // Invalidates a rectangle or region given in document coordinates.
  void InvalidateDoc(const QRect& docRect);
  void InvalidateClient(const QRegion& clientRegion);
  // The region invalidated since the last call (client coordinates): lets tests and the
  // benchmark see what a change repaints.
  QRegion TakeInvalidated();
  // The colour of the background.
  QColor BackgroundColor() const;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  friend class TVnTable;
  void UpdateScrollRanges();
  // Records the model's join entry of a link (AddLink step 7 and a refused close).
  void RecordLinkJoin(TVnLink* link);
  void DropLinkJoin(TVnLink* link);
  struct TLinkEntry;
  TLinkEntry LinkEntry(TVnLink* link) const;

  TCustomVantor* m_designer;
  std::vector<std::unique_ptr<TVnJoin>> m_joins;
  std::vector<std::unique_ptr<TVnLink>> m_links;
  std::vector<std::unique_ptr<TVnTable>> m_tables;
  QMenu* m_popupMenu;
  QFont m_font;
  QFont m_boldFont;
  QFontMetrics m_metrics;
  QFontMetrics m_boldMetrics;
  int m_fontHeight = 11;
  QScrollBar* m_itemScrollBar;
  QLineEdit* m_aliasEdit;
  QLineEdit* m_searchEdit;
  QRegion m_invalidated;
  bool m_clearing = false;
};

}  // namespace vantor
