#pragma once

// Joins and links, as far as the work area needs them now: a join shared by all
// links of a pair of tables, and a link with its four-point route, its bounds, its repaint
// regions and a plain drawing. Break points, markers, hit tests, menus, the hint and the
// delete confirmation come with the links issue.

#include "core/join_def.h"
#include "diagram/vn_float_object.h"

#include <QPoint>
#include <QRect>
#include <QRegion>

#include <vector>

namespace vantor {

class TVnTable;
class TVnListItem;

class TVnJoin {
public:
  TVnJoin(TVnWorkArea* workArea, TVnTable* left, TVnTable* right)
      : m_workArea(workArea), m_left(left), m_right(right) {}
  virtual ~TVnJoin() = default;

  TVnWorkArea* WorkArea() const { return m_workArea; }
  TVnJoinKind Kind = jkInner;
  // 0: the left table, 1: the right table, else none.
  TVnTable* GetTable(int index) const;
  QString GetTableName(int index) const;

private:
  TVnWorkArea* m_workArea;
  TVnTable* m_left;
  TVnTable* m_right;
};

enum TVnPathPart { ppWhole = 0, ppLeftEnd = 1, ppRightEnd = 2 };

class TVnLink : public TVnFloatObject {
public:
  TVnLink(TVnWorkArea* workArea, TVnJoin* join, TVnListItem* leftItem, TVnListItem* rightItem);

  TVnJoin* Join() const { return m_join; }
  TVnListItem* LeftItem() const { return m_leftItem; }
  TVnListItem* RightItem() const { return m_rightItem; }
  int OperatorIndex = 0;
  int DragIndex = -1;
  QPoint DragPoint;
  // True when the model's join entry of this link runs from the join's right table to its
  // left table (the link was drawn against the join's direction): the entry lives on the
  // right table's FROM entry, with the fields swapped.
  bool ModelReversed = false;

  int PointCount() const { return static_cast<int>(m_points.size()); }
  // Client coordinates; an index outside the list raises "Invalid index = %d ".
  QPoint GetPoint(int index) const;
  // A document point.
  void SetPoint(int index, QPoint point);
  QRect GetBounds() const { return m_bounds; }
  void SetBounds(const QRect& r) { m_bounds = r; }
  // Recomputes the end points and the bounds.
  void UpdatePath();
  // The region (client coordinates) that covers the drawn link or one end of it.
  QRegion GetPathRegion(TVnPathPart part) const;
  // Document coordinates.
  const std::vector<QPoint>& Points() const { return m_points; }

  void GetHint(QString& text) override { text.clear(); }
  void Paint(QPainter& painter) override;
  TVnHitZone HitTest(QPoint) override { return hzNone; }
  void BuildPopupMenu(QMenu&, int, int, TVnHitZone) override {}

private:
  void CheckIndex(int index) const;

  TVnJoin* m_join;
  TVnListItem* m_leftItem;
  TVnListItem* m_rightItem;
  std::vector<QPoint> m_points;
  QRect m_bounds;
};

}  // namespace vantor
