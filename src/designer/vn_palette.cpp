#include "designer/vn_palette.h"

#include "designer/vantor.h"

#include <QApplication>
#include <QMetaProperty>
#include <QPalette>

namespace vantor {

QColor ColorToQColor(TColor color) {
  if (color & clSystemColor) {
    const QPalette pal = QApplication::palette();
    switch (color & 0xFF) {
      case 0x18: return QColor(0xFF, 0xFF, 0xE1);  // tool-tip background
      case 0x0F: return pal.color(QPalette::Button);
      case 0x05: return pal.color(QPalette::Base);
      case 0x08: return pal.color(QPalette::Text);
      case 0x0D: return pal.color(QPalette::Highlight);
      case 0x0E: return pal.color(QPalette::HighlightedText);
      case 0x10: return pal.color(QPalette::Dark);
      case 0x14: return pal.color(QPalette::Light);
      default: return pal.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

namespace {
void Repaint(TCustomVantor* owner, TVnRepaintTarget target) {
  if (owner && !owner->IsDesigning())
    owner->RepaintPart(target);
}
}  // namespace

TVnPalette::TVnPalette(TCustomVantor* owner) : QObject(nullptr), m_owner(owner) {}

void TVnPalette::Set(TColor& field, TColor value, TVnRepaintTarget target) {
  if (field == value)
    return;
  field = value;
  Repaint(m_owner, target);
}

void TVnPalette::Assign(const QObject* source) {
  const auto* p = qobject_cast<const TVnPalette*>(source);
  if (!p)
    throw EVnAssignError(source ? source->metaObject()->className() : "nil", "TVnPalette");
  SetActiveCondition(p->ActiveCondition());
  SetConditionText(p->ConditionText());
  SetConditionItemText(p->ConditionItemText());
  SetTableClient(p->TableClient());
  SetItemText(p->ItemText());
  SetSelectedItemText(p->SelectedItemText());
  SetProcClient(p->ProcClient());
  SetActiveCaption(p->ActiveCaption());
  SetInactiveCaption(p->InactiveCaption());
}

TVnObjectStyle::TVnObjectStyle(TCustomVantor* owner) : QObject(nullptr), m_owner(owner) {}

void TVnObjectStyle::Changed() { Repaint(m_owner, TVnRepaintTarget::WorkArea); }

void TVnObjectStyle::SetFlat(bool value) {
  if (m_flat == value)
    return;
  m_flat = value;
  Changed();
}

void TVnObjectStyle::SetFlatButtons(bool value) {
  if (m_flatButtons == value)
    return;
  m_flatButtons = value;
  Changed();
}

void TVnObjectStyle::SetBorderKind(TVnBorderKind value) {
  if (m_borderKind == value)
    return;
  m_borderKind = value;
  Changed();
}

void TVnObjectStyle::Assign(const QObject* source) {
  const auto* s = qobject_cast<const TVnObjectStyle*>(source);
  if (!s)
    throw EVnAssignError(source ? source->metaObject()->className() : "nil", "TVnObjectStyle");
  SetBorderKind(s->BorderKind());
  SetFlat(s->Flat());
  SetFlatButtons(s->FlatButtons());
}

TVnStyle::TVnStyle(TCustomVantor* owner)
    : QObject(nullptr), m_owner(owner), m_objectStyle(new TVnObjectStyle(owner)) {
  m_objectStyle->setParent(this);
}

void TVnStyle::SetButtonStyle(TVnButtonStyle value) {
  if (m_buttonStyle == value)
    return;
  m_buttonStyle = value;
  Repaint(m_owner, TVnRepaintTarget::ConditionEditors);
}

void TVnStyle::SetObjectStyle(TVnObjectStyle* value) {
  if (value == m_objectStyle || !value)
    return;
  m_objectStyle->Assign(value);
  Repaint(m_owner, TVnRepaintTarget::WorkArea);
}

void TVnStyle::Assign(const QObject* source) {
  const auto* s = qobject_cast<const TVnStyle*>(source);
  if (!s)
    throw EVnAssignError(source ? source->metaObject()->className() : "nil", "TVnStyle");
  SetButtonStyle(s->ButtonStyle());
  SetObjectStyle(s->ObjectStyle());
}

}  // namespace vantor

namespace vantor {

namespace {
bool MetaStored(const QObject* o, const QString& name) {
  const int i = o->metaObject()->indexOfProperty(name.toLatin1().constData());
  return i >= 0 && o->metaObject()->property(i).isStored();
}
}  // namespace

bool TVnPalette::IsPropertyStored(const QString& n) const {
  if (n == QLatin1String("ActiveCondition")) return IsActiveConditionStored();
  if (n == QLatin1String("ConditionText")) return IsConditionTextStored();
  if (n == QLatin1String("ConditionItemText")) return IsConditionItemTextStored();
  if (n == QLatin1String("ProcClient")) return IsProcClientStored();
  if (n == QLatin1String("TableClient")) return IsTableClientStored();
  if (n == QLatin1String("ItemText")) return IsItemTextStored();
  if (n == QLatin1String("SelectedItemText")) return IsSelectedItemTextStored();
  if (n == QLatin1String("ActiveCaption")) return IsActiveCaptionStored();
  if (n == QLatin1String("InactiveCaption")) return IsInactiveCaptionStored();
  return MetaStored(this, n);
}

bool TVnObjectStyle::IsPropertyStored(const QString& n) const {
  if (n == QLatin1String("Flat")) return IsFlatStored();
  if (n == QLatin1String("FlatButtons")) return IsFlatButtonsStored();
  if (n == QLatin1String("BorderKind")) return IsBorderKindStored();
  return MetaStored(this, n);
}

bool TVnStyle::IsPropertyStored(const QString& n) const {
  if (n == QLatin1String("ButtonStyle")) return IsButtonStyleStored();
  return MetaStored(this, n);
}

}  // namespace vantor
