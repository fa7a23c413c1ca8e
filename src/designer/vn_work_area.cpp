#include "designer/vn_work_area.h"

#include "core/select_parser.h"
#include "designer/vantor.h"
#include "designer/vn_strings.h"
#include "diagram/vn_links.h"
#include "diagram/vn_table.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace vantor {
namespace {

QFont DefaultDiagramFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSize(8);
  return f;
}

QFont Bold(QFont f) {
  f.setBold(true);
  return f;
}

std::string Std(const QString& s) { return s.toStdString(); }

QWidget* CheckOwner(QWidget* owner) {
  if (!qobject_cast<TCustomVantor*>(owner))
    throw EVnDesignerError(Std(VnText(sInvalidWorkAreaParent)));
  return owner;
}

// The FROM entry of a diagram table: by its reference name, else by its table name.
TVnTableDef* FromEntry(TVnSelectParser* parser, const TVnTable* table) {
  if (!parser || !table)
    return nullptr;
  TVnTableDefs& defs = parser->TableDefs();
  if (TVnTableDef* d = defs.FindByAlias(Std(table->RefName())))
    return d;
  return defs.FindByName(Std(table->Name()));
}

}  // namespace

TVnWorkArea::TVnWorkArea(QWidget* owner)
    : QAbstractScrollArea(CheckOwner(owner)),
      m_designer(qobject_cast<TCustomVantor*>(owner)),
      m_popupMenu(new QMenu(this)),
      m_font(DefaultDiagramFont()),
      m_boldFont(Bold(m_font)),
      m_metrics(m_font),
      m_boldMetrics(m_boldFont),
      m_itemScrollBar(new QScrollBar(Qt::Vertical, viewport())),
      m_aliasEdit(new QLineEdit(viewport())),
      m_searchEdit(new QLineEdit(viewport())) {
  setObjectName(QStringLiteral("WorkArea"));
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  SetDiagramFont(m_font);
  Pen = QPen(Qt::black, 1);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
  UpdateScrollRanges();

  m_itemScrollBar->hide();
  m_itemScrollBar->setFocusPolicy(Qt::NoFocus);
  connect(m_itemScrollBar, &QScrollBar::valueChanged, this, [this](int value) {
    if (auto* t = dynamic_cast<TVnTable*>(ActiveObject)) {
      t->ScrollTo(value);
      VnTableResized(t);
    }
  });

  m_aliasEdit->hide();
  m_aliasEdit->setFrame(false);
  QPalette pal = m_aliasEdit->palette();
  pal.setColor(QPalette::Base, ColorToQColor(m_designer->Palette()->ActiveCaption()));
  m_aliasEdit->setPalette(pal);
  m_searchEdit->hide();
  m_searchEdit->setFixedHeight(15);
}

TVnWorkArea::~TVnWorkArea() { Clear(); }

void TVnWorkArea::SetDiagramFont(const QFont& font) {
  m_font = font;
  m_boldFont = Bold(font);
  m_metrics = QFontMetrics(m_font);
  m_boldMetrics = QFontMetrics(m_boldFont);
  m_fontHeight = QFontInfo(m_font).pixelSize();
  viewport()->update();
}

TVnTable* TVnWorkArea::TableAt(int index) const {
  if (index < 0 || index >= TableCount())
    return nullptr;
  return m_tables[static_cast<std::size_t>(index)].get();
}

int TVnWorkArea::ScrollX() const { return horizontalScrollBar()->value(); }
int TVnWorkArea::ScrollY() const { return verticalScrollBar()->value(); }

void TVnWorkArea::UpdateScrollRanges() {
  const QSize vs = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, VnDocumentSize - vs.width()));
  horizontalScrollBar()->setPageStep(vs.width());
  verticalScrollBar()->setRange(0, std::max(0, VnDocumentSize - vs.height()));
  verticalScrollBar()->setPageStep(vs.height());
}

void TVnWorkArea::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void TVnWorkArea::scrollContentsBy(int dx, int dy) {
  viewport()->scroll(dx, dy);
  m_invalidated += viewport()->rect();
}

// ---------------------------------------------------------------------------------------

void TVnWorkArea::Clear() {
  HoverObject = nullptr;
  ActiveObject = nullptr;
  DropItem = nullptr;
  ScrollTable = nullptr;
  HighlightItem = nullptr;
  m_itemScrollBar->hide();
  m_aliasEdit->hide();
  m_links.clear();
  m_joins.clear();
  m_tables.clear();
}

TVnTable* TVnWorkArea::AddTable(const QString& tableName, const TDataSet* dataSet) {
  // 1. Reference name t, t1, t2 ...
  QString ref = tableName;
  int i = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& t : m_tables)
      if (t->RefName() == ref) {
        ref = tableName + QString::number(++i);
        found = true;
        break;
      }
  }
  // 2.
  if (ActiveObject)
    ActiveObject->SetSelected(false);
  ActiveObject = nullptr;
  // 3.
  auto table = std::make_unique<TVnTable>(this, tableName, dataSet);
  if (i > 0)
    table->SetAlias(ref);
  // 4. The host may refuse.
  if (m_designer->OnAddRemoveTable) {
    bool accept = true;
    m_designer->OnAddRemoveTable(m_designer, table.get(), vnaAdd, accept);
    if (!accept)
      return nullptr;
  }
  // 5.
  if (table->Width() < table->GetNeededWidth())
    table->SetWidth(table->GetNeededWidth());
  // 6. Placement: right of whatever it overlaps.
  QRect rc = table->GetBounds().translated(50, 20);
  for (bool moved = true; moved;) {
    moved = false;
    for (const auto& t : m_tables) {
      const QRect b = t->GetBounds();
      if (rc.intersects(b)) {
        rc.moveLeft(b.left() + b.width() + 10);
        moved = true;
        break;
      }
    }
  }
  table->SetLeft(rc.left());
  table->SetTop(rc.top());
  // 7.
  TVnTable* result = table.get();
  m_tables.insert(m_tables.begin(), std::move(table));
  if (OnTableAdded)
    OnTableAdded(result);
  result->SetSelected(true);
  ActiveObject = result;
  InvalidateDoc(result->GetBounds());
  return result;
}

TVnTable* TVnWorkArea::FindTable(const QString& name) const {
  if (name.trimmed().isEmpty())
    return m_tables.size() == 1 ? m_tables.front().get() : nullptr;
  for (const auto& t : m_tables)
    if (t->RefName() == name)
      return t.get();
  return nullptr;
}

TVnJoin* TVnWorkArea::FindJoin(const TVnTable* a, const TVnTable* b, bool& reversed) const {
  reversed = false;
  for (const auto& j : m_joins) {
    if (j->GetTable(0) == a && j->GetTable(1) == b)
      return j.get();
    if (j->GetTable(0) == b && j->GetTable(1) == a) {
      reversed = true;
      return j.get();
    }
  }
  return nullptr;
}

bool TVnWorkArea::LinkExists(const TVnTable* a, const TVnTable* b, const TVnListItem* itemA,
                             const TVnListItem* itemB) const {
  bool reversed = false;
  const TVnJoin* join = FindJoin(a, b, reversed);
  if (!join)
    return false;
  for (const auto& l : m_links) {
    if (l->Join() != join)
      continue;
    if (!reversed && l->LeftItem() == itemA && l->RightItem() == itemB)
      return true;
    if (reversed && l->LeftItem() == itemB && l->RightItem() == itemA)
      return true;
  }
  return false;
}

TVnLink* TVnWorkArea::AddLink(TVnTable* t1, TVnTable* t2, TVnListItem* i1, TVnListItem* i2) {
  if (!t1 || !t2 || !i1 || !i2)
    return nullptr;
  bool reversed = false;
  TVnJoin* join = FindJoin(t1, t2, reversed);
  bool created = false;
  if (!join) {
    m_joins.push_back(std::make_unique<TVnJoin>(this, t1, t2));
    join = m_joins.back().get();
    created = true;
  }
  TVnListItem* left = reversed ? i2 : i1;
  TVnListItem* right = reversed ? i1 : i2;
  auto link = std::make_unique<TVnLink>(this, join, left, right);
  if (m_designer->OnAddRemoveLink) {
    bool accept = true;
    m_designer->OnAddRemoveLink(m_designer, link.get(), vnaAdd, accept);
    if (!accept) {
      if (created)
        m_joins.pop_back();
      return nullptr;
    }
  }
  // A link drawn against its join's direction keeps the model entry it finds in the drawn
  // direction (a statement that joins both ways); otherwise the entry follows the join.
  if (reversed) {
    TVnTableDef* d = FromEntry(m_designer->Parser(), t1);
    if (d && d->Joins().Find(Std(i1->Name()), Std(t2->RefName()), Std(i2->Name())))
      link->ModelReversed = true;
  }
  TVnLink* result = link.get();
  m_links.push_back(std::move(link));
  RecordLinkJoin(result);
  InvalidateClient(result->GetPathRegion(ppWhole));
  return result;
}

// Where a link's join entry lives in the model: the FROM entry of its left table (in the
// model's direction), and the fields and right table that name it.
struct TVnWorkArea::TLinkEntry {
  TVnTableDef* owner = nullptr;
  std::string leftField, rightTable, rightField;
};

TVnWorkArea::TLinkEntry TVnWorkArea::LinkEntry(TVnLink* link) const {
  TVnTable* a = link->Join()->GetTable(0);
  TVnTable* b = link->Join()->GetTable(1);
  TVnListItem* li = link->LeftItem();
  TVnListItem* ri = link->RightItem();
  if (link->ModelReversed) {
    std::swap(a, b);
    std::swap(li, ri);
  }
  return {FromEntry(m_designer->Parser(), a), Std(li->Name()), Std(b->RefName()),
          Std(ri->Name())};
}

void TVnWorkArea::RecordLinkJoin(TVnLink* link) {
  const TLinkEntry e = LinkEntry(link);
  if (!e.owner || e.owner->Joins().Find(e.leftField, e.rightTable, e.rightField))
    return;
  TVnJoinDef* j = e.owner->Joins().Add();
  j->SetLeftField(e.leftField);
  j->SetRightTable(e.rightTable);
  j->SetRightField(e.rightField);
}

void TVnWorkArea::DropLinkJoin(TVnLink* link) {
  const TLinkEntry e = LinkEntry(link);
  if (!e.owner)
    return;
  if (TVnJoinDef* j = e.owner->Joins().Find(e.leftField, e.rightTable, e.rightField))
    e.owner->Joins().Delete(j->Index());
}

void TVnWorkArea::RemoveLink(TVnLink* link, int index, bool repaint) {
  if (index < 0 || index >= static_cast<int>(m_links.size()) ||
      m_links[static_cast<std::size_t>(index)].get() != link)
    return;
  if (HoverObject == link)
    HoverObject = nullptr;
  if (ActiveObject == link) {
    link->SetSelected(false);
    ActiveObject = nullptr;
  }
  if (repaint)
    InvalidateClient(link->GetPathRegion(ppWhole));
  DropLinkJoin(link);
  TVnJoin* join = link->Join();
  m_links.erase(m_links.begin() + index);
  const bool used = std::any_of(m_links.begin(), m_links.end(),
                                [join](const auto& l) { return l->Join() == join; });
  if (!used)
    std::erase_if(m_joins, [join](const auto& j) { return j.get() == join; });
}

int TVnWorkArea::IndexOfLink(const TVnLink* link) const {
  for (std::size_t i = 0; i < m_links.size(); ++i)
    if (m_links[i].get() == link)
      return static_cast<int>(i);
  return -1;
}

void TVnWorkArea::BringToFront(TVnFloatObject* object) {
  auto it = std::find_if(m_tables.begin(), m_tables.end(),
                         [object](const auto& t) { return t.get() == object; });
  if (it == m_tables.end() || it == m_tables.begin())
    return;
  std::rotate(m_tables.begin(), it, it + 1);
  InvalidateDoc(m_tables.front()->GetBounds());
}

void TVnWorkArea::DeselectAll() {
  for (const auto& t : m_tables)
    if (t->Selected())
      t->SetSelected(false);
  for (const auto& l : m_links)
    if (l->Selected())
      l->SetSelected(false);
}

void TVnWorkArea::SetZoneCursor(TVnHitZone zone) {
  switch (zone) {
    case hzLeft:
    case hzRight: viewport()->setCursor(Qt::SizeHorCursor); break;
    case hzTop:
    case hzBottom: viewport()->setCursor(Qt::SizeVerCursor); break;
    case hzTopLeft:
    case hzBottomRight: viewport()->setCursor(Qt::SizeFDiagCursor); break;
    case hzBottomLeft:
    case hzTopRight: viewport()->setCursor(Qt::SizeBDiagCursor); break;
    case hzLinkEnd: viewport()->setCursor(Qt::UpArrowCursor); break;
    case hzLinkPoint: viewport()->setCursor(Qt::SizeAllCursor); break;
    default: viewport()->unsetCursor(); break;
  }
}

bool TVnWorkArea::DragFieldName() const {
  return m_designer->Options().Contains(vnoDragFieldName);
}

// ---------------------------------------------------------------------------------------
// The private messages.

namespace {
bool Attached(const TVnLink& link, const TVnTable* table) {
  return link.Join()->GetTable(0) == table || link.Join()->GetTable(1) == table;
}
}  // namespace

void TVnWorkArea::VnTableMoved(TVnTable* table) {
  for (const auto& l : m_links) {
    if (!Attached(*l, table))
      continue;
    TVnPathPart part = l->Join()->GetTable(1) == table ? ppRightEnd : ppLeftEnd;
    if (l->PointCount() == 4)
      part = ppWhole;
    InvalidateClient(l->GetPathRegion(part));
    l->UpdatePath();
    InvalidateClient(l->GetPathRegion(part));
  }
}

void TVnWorkArea::VnTableResized(TVnTable* table) {
  for (const auto& l : m_links) {
    if (!Attached(*l, table))
      continue;
    InvalidateClient(l->GetPathRegion(ppWhole));
    l->UpdatePath();
    InvalidateClient(l->GetPathRegion(ppWhole));
  }
}

void TVnWorkArea::VnCloseTable(TVnTable* table) {
  if (m_designer->OnAddRemoveTable) {
    bool accept = true;
    m_designer->OnAddRemoveTable(m_designer, table, vnaRemove, accept);
    if (!accept) {
      // The table stays: its FROM entry (removed by CloseTable before the host was asked)
      // comes back, with the join entries of its links, so the model matches the diagram.
      table->ResetClosing();
      if (OnTableAdded)
        OnTableAdded(table);
      for (const auto& l : m_links)
        if (Attached(*l, table))
          RecordLinkJoin(l.get());
      return;
    }
  }
  VnUnlinkTable(table);
  auto it = std::find_if(m_tables.begin(), m_tables.end(),
                         [table](const auto& t) { return t.get() == table; });
  if (it == m_tables.end())
    return;
  if (HoverObject == table)
    HoverObject = nullptr;
  if (ActiveObject == table) {
    table->SetSelected(false);
    ActiveObject = nullptr;
  }
  if (ScrollTable == table)
    ScrollTable = nullptr;
  DropItem = nullptr;
  HighlightItem = nullptr;
  InvalidateDoc(table->GetBounds());
  m_tables.erase(it);
}

void TVnWorkArea::VnUnlinkTable(TVnTable* table) {
  for (int i = 0; i < static_cast<int>(m_links.size());) {
    TVnLink* l = m_links[static_cast<std::size_t>(i)].get();
    if (Attached(*l, table))
      RemoveLink(l, i, true);
    else
      ++i;
  }
}

void TVnWorkArea::VnDeleteLink(TVnLink* link) {
  const int index = IndexOfLink(link);
  if (index < 0)
    return;  // already gone
  if (m_designer->OnAddRemoveLink) {
    bool accept = true;
    m_designer->OnAddRemoveLink(m_designer, link, vnaRemove, accept);
    if (!accept)
      return;
  }
  RemoveLink(link, IndexOfLink(link), true);
}

void TVnWorkArea::PostDeleteLink(TVnLink* link) {
  QMetaObject::invokeMethod(this, [this, link] { VnDeleteLink(link); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------
// Painting.

QColor TVnWorkArea::BackgroundColor() const { return QColor(0xE6, 0xE8, 0xEB); }

void TVnWorkArea::InvalidateDoc(const QRect& docRect) {
  if (docRect.isEmpty())
    return;
  const QRect r = docRect.translated(-ScrollX(), -ScrollY());
  m_invalidated += r;
  viewport()->update(r);
}

void TVnWorkArea::InvalidateClient(const QRegion& region) {
  if (region.isEmpty())
    return;
  m_invalidated += region;
  viewport()->update(region);
}

QRegion TVnWorkArea::TakeInvalidated() { return std::exchange(m_invalidated, QRegion()); }

void TVnWorkArea::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  PaintDiagram(painter, event->region());
}

void TVnWorkArea::PaintDiagram(QPainter& painter, const QRegion& clip) {
  const QPoint offset(-ScrollX(), -ScrollY());
  QRegion free = clip;
  // Tables, front to back; each removes its rectangle, so front tables cover those behind.
  for (const auto& t : m_tables) {
    if (free.isEmpty())
      break;
    const QRect r = t->GetBounds().translated(offset);
    if (!free.intersects(r))
      continue;
    const QRegion part = free.intersected(r);
    if (part.rectCount() == 1)
      painter.setClipRect(part.boundingRect());
    else
      painter.setClipRegion(part);
    t->Paint(painter);
    free -= r;
  }
  painter.setClipping(false);
  // The background, only where no table lies.
  const QColor bg = BackgroundColor();
  for (const QRect& r : free)
    painter.fillRect(r, bg);
  // The links, only where no table lies.
  if (m_links.empty() || free.isEmpty())
    return;
  painter.setClipRegion(free);
  painter.setPen(Pen);
  painter.setBrush(Qt::black);
  const QRect freeBounds = free.boundingRect();
  for (const auto& l : m_links)
    if (l->GetBounds().translated(offset).intersects(freeBounds))
      l->Paint(painter);
  painter.setClipping(false);
}

}  // namespace vantor
