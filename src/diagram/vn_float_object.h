#pragma once

// The common base of the diagram objects: tables and links. The work area talks
// to them only through the virtual slots below.

#include "designer/vn_types.h"

#include <QPoint>
#include <QString>

#include <functional>

class QMenu;
class QPainter;

namespace vantor {

class TVnWorkArea;

// A mouse message as the work area hands it on: client position, buttons, modifiers, and
// the result the object sets (1 = handled).
struct TVnMouseMessage {
  QPoint Pos;
  Qt::MouseButton Button = Qt::LeftButton;
  Qt::MouseButtons Buttons = Qt::NoButton;
  Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
  int Result = 0;
};

using TVnMouseEvent = std::function<void(class TVnFloatObject* sender, Qt::MouseButton button,
                                         Qt::KeyboardModifiers shift, int x, int y)>;
using TVnMouseMoveEvent =
    std::function<void(class TVnFloatObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;
using TVnKeyEvent =
    std::function<void(class TVnFloatObject* sender, int& key, Qt::KeyboardModifiers shift)>;

class TVnFloatObject {
public:
  explicit TVnFloatObject(TVnWorkArea* workArea) : m_workArea(workArea) {}
  virtual ~TVnFloatObject() = default;
  TVnFloatObject(const TVnFloatObject&) = delete;
  TVnFloatObject& operator=(const TVnFloatObject&) = delete;

  TVnWorkArea* WorkArea() const { return m_workArea; }
  bool Selected() const { return m_selected; }

  // Slot 0: sets Selected; selecting asks the work area to bring the object to the front.
  virtual void SetSelected(bool value);
  // Slot 1: the hint text.
  virtual void GetHint(QString& text) = 0;
  // Slot 2: draws the object in client coordinates; the work area has set the clipping.
  virtual void Paint(QPainter& painter) = 0;
  // Slots 3 to 8: mouse and keys; the base fires the hooks.
  virtual void MouseDown(TVnMouseMessage& message, TVnHitZone zone);
  virtual void MouseMove(TVnMouseMessage& message, TVnHitZone zone);
  virtual void MouseUp(TVnMouseMessage& message, TVnHitZone zone);
  virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
  virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
  virtual void MouseLeave(TVnMouseMessage& message, TVnHitZone zone);
  // Slot 9: the zone under a point in client coordinates.
  virtual TVnHitZone HitTest(QPoint clientPos) = 0;
  // Slot 10: the context menu entries for a right click at (x, y) in zone.
  virtual void BuildPopupMenu(QMenu& menu, int x, int y, TVnHitZone zone) = 0;

  TVnMouseEvent OnMouseDown;
  TVnMouseEvent OnMouseUp;
  TVnMouseMoveEvent OnMouseMove;
  TVnKeyEvent OnKeyDown;
  TVnKeyEvent OnKeyUp;

protected:
  void StoreSelected(bool value) { m_selected = value; }

private:
  TVnWorkArea* m_workArea;
  bool m_selected = false;
};

}  // namespace vantor
