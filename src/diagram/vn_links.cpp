#include "diagram/vn_links.h"

#include "designer/vn_strings.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_table.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace vantor {

TVnTable* TVnJoin::GetTable(int index) const {
  return index == 0 ? m_left : index == 1 ? m_right : nullptr;
}

QString TVnJoin::GetTableName(int index) const {
  const TVnTable* t = GetTable(index);
  return t ? t->Name() : QString();
}

TVnLink::TVnLink(TVnWorkArea* workArea, TVnJoin* join, TVnListItem* leftItem, TVnListItem* rightItem)
    : TVnFloatObject(workArea), m_join(join), m_leftItem(leftItem), m_rightItem(rightItem),
      m_points(4) {
  UpdatePath();
}

void TVnLink::CheckIndex(int index) const {
  if (index < 0 || index >= PointCount())
    throw EVnDesignerError(QString(VnText(sInvalidIndex)).replace(QLatin1String("%d"), QString::number(index)).toStdString());
}

QPoint TVnLink::GetPoint(int index) const {
  CheckIndex(index);
  return m_points[static_cast<std::size_t>(index)] - WorkArea()->ScrollOffset();
}

void TVnLink::SetPoint(int index, QPoint point) {
  CheckIndex(index);
  m_points[static_cast<std::size_t>(index)] = point;
}

void TVnLink::UpdatePath() {
  for (int i = 0; i < 2; ++i)
    if (!m_join->GetTable(i))
      throw EVnDesignerError(QString(VnText(sInvalidLinkTable)).replace(QLatin1String("%s"), QString()).toStdString());
  const QRect a = m_leftItem->GetAnchorRect();
  const QRect b = m_rightItem->GetAnchorRect();
  const int n = PointCount();
  const int aRight = a.left() + a.width(), bRight = b.left() + b.width();
  const int ay = a.top() + a.height() / 2;
  const int by = b.top() + b.height() / 2;
  // Left end.
  const int refLeft = n > 4 ? m_points[2].x() : bRight;
  if (refLeft < a.left()) {
    SetPoint(0, {a.left(), ay});
    SetPoint(1, {a.left() - 10, ay});
  } else {
    SetPoint(0, {aRight, ay});
    SetPoint(1, {aRight + 10, ay});
  }
  // Right end.
  const int refRight = n > 4 ? m_points[static_cast<std::size_t>(n - 3)].x() : aRight;
  if (refRight < b.left()) {
    SetPoint(n - 1, {b.left(), by});
    SetPoint(n - 2, {b.left() - 10, by});
  } else {
    SetPoint(n - 1, {bRight, by});
    SetPoint(n - 2, {bRight + 10, by});
  }
  int l = INT_MAX, t = INT_MAX, r = 0, btm = 0;
  for (const QPoint& p : m_points) {
    l = std::min(l, p.x());
    t = std::min(t, p.y());
    r = std::max(r, p.x());
    btm = std::max(btm, p.y());
  }
  m_bounds = VnRect(l - 3, t - 3, r + 3, btm + 3);
}

QRegion TVnLink::GetPathRegion(TVnPathPart part) const {
  const int n = PointCount();
  int from = 0, to = n - 1;  // segments from..to-1
  if (part == ppLeftEnd)
    to = std::min(2, n - 1);
  else if (part == ppRightEnd)
    from = std::max(0, n - 3);
  QRegion region;
  const QPoint offset = WorkArea()->ScrollOffset();
  for (int i = from; i < to; ++i) {
    const QPoint p = m_points[static_cast<std::size_t>(i)] - offset;
    const QPoint q = m_points[static_cast<std::size_t>(i + 1)] - offset;
    region += VnRect(std::min(p.x(), q.x()) - 3, std::min(p.y(), q.y()) - 3,
                     std::max(p.x(), q.x()) + 4, std::max(p.y(), q.y()) + 4);
  }
  return region;
}

void TVnLink::Paint(QPainter& painter) {
  // A plain polyline through the route; markers and the selected look come with the links issue.
  const QPoint offset = WorkArea()->ScrollOffset();
  QPolygon poly;
  poly.reserve(PointCount());
  for (const QPoint& p : m_points)
    poly << p - offset;
  painter.drawPolyline(poly);
}

}  // namespace vantor
