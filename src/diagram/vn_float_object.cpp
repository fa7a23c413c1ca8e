#include "diagram/vn_float_object.h"

#include "designer/vn_work_area.h"

namespace vantor {

void TVnFloatObject::SetSelected(bool value) {
  m_selected = value;
  if (value && m_workArea)
    m_workArea->BringToFront(this);
}

void TVnFloatObject::MouseDown(TVnMouseMessage& message, TVnHitZone) {
  if (OnMouseDown)
    OnMouseDown(this, message.Button, message.Modifiers, message.Pos.x(), message.Pos.y());
  message.Result = 1;
}

void TVnFloatObject::MouseMove(TVnMouseMessage& message, TVnHitZone) {
  if (OnMouseMove)
    OnMouseMove(this, message.Modifiers, message.Pos.x(), message.Pos.y());
  message.Result = 1;
}

void TVnFloatObject::MouseUp(TVnMouseMessage& message, TVnHitZone) {
  if (OnMouseUp)
    OnMouseUp(this, message.Button, message.Modifiers, message.Pos.x(), message.Pos.y());
  message.Result = 1;
}

void TVnFloatObject::KeyDown(int& key, Qt::KeyboardModifiers shift) {
  if (OnKeyDown)
    OnKeyDown(this, key, shift);
}

void TVnFloatObject::KeyUp(int& key, Qt::KeyboardModifiers shift) {
  if (OnKeyUp)
    OnKeyUp(this, key, shift);
}

void TVnFloatObject::MouseLeave(TVnMouseMessage&, TVnHitZone) {}

}  // namespace vantor
