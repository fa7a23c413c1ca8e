#pragma once

// The designer's persistent property objects: its palette, its style and the
// style of the diagram objects. Each setter stores a changed value and repaints the parts
// of its designer that show it (never while the designer is being designed).

#include "designer/vn_types.h"

#include <QObject>

namespace vantor {

class TCustomVantor;

// Which parts of the designer a change repaints.
enum class TVnRepaintTarget { WorkArea, ConditionEditors };

class TVnPalette : public QObject {
  Q_OBJECT
  Q_PROPERTY(uint ActiveCondition READ ActiveCondition WRITE SetActiveCondition)
  Q_PROPERTY(uint ConditionText READ ConditionText WRITE SetConditionText)
  Q_PROPERTY(uint ConditionItemText READ ConditionItemText WRITE SetConditionItemText)
  Q_PROPERTY(uint ProcClient READ ProcClient WRITE SetProcClient)
  Q_PROPERTY(uint TableClient READ TableClient WRITE SetTableClient)
  Q_PROPERTY(uint ItemText READ ItemText WRITE SetItemText)
  Q_PROPERTY(uint SelectedItemText READ SelectedItemText WRITE SetSelectedItemText)
  Q_PROPERTY(uint ActiveCaption READ ActiveCaption WRITE SetActiveCaption)
  Q_PROPERTY(uint InactiveCaption READ InactiveCaption WRITE SetInactiveCaption)

public:
  static constexpr TColor DefActiveCondition = 0xFFFFFF;
  static constexpr TColor DefConditionText = 0x000000;
  static constexpr TColor DefConditionItemText = 0x800000;
  static constexpr TColor DefProcClient = clInfoBk;
  static constexpr TColor DefTableClient = 0xFFFFFF;
  static constexpr TColor DefItemText = 0x000000;
  static constexpr TColor DefSelectedItemText = 0xFFFFFF;
  static constexpr TColor DefActiveCaption = 0xC0C0C0;
  static constexpr TColor DefInactiveCaption = clBtnFace;

  // owner: the designer whose parts the palette repaints; none for a free palette.
  explicit TVnPalette(TCustomVantor* owner = nullptr);

  TCustomVantor* Owner() const { return m_owner; }

  TColor ActiveCondition() const { return m_activeCondition; }
  TColor ConditionText() const { return m_conditionText; }
  TColor ConditionItemText() const { return m_conditionItemText; }
  TColor ProcClient() const { return m_procClient; }
  TColor TableClient() const { return m_tableClient; }
  TColor ItemText() const { return m_itemText; }
  TColor SelectedItemText() const { return m_selectedItemText; }
  TColor ActiveCaption() const { return m_activeCaption; }
  TColor InactiveCaption() const { return m_inactiveCaption; }

  void SetActiveCondition(TColor c) { Set(m_activeCondition, c, TVnRepaintTarget::ConditionEditors); }
  void SetConditionText(TColor c) { Set(m_conditionText, c, TVnRepaintTarget::ConditionEditors); }
  void SetConditionItemText(TColor c) { Set(m_conditionItemText, c, TVnRepaintTarget::ConditionEditors); }
  void SetProcClient(TColor c) { Set(m_procClient, c, TVnRepaintTarget::WorkArea); }
  void SetTableClient(TColor c) { Set(m_tableClient, c, TVnRepaintTarget::WorkArea); }
  void SetItemText(TColor c) { Set(m_itemText, c, TVnRepaintTarget::WorkArea); }
  void SetSelectedItemText(TColor c) { Set(m_selectedItemText, c, TVnRepaintTarget::WorkArea); }
  void SetActiveCaption(TColor c) { Set(m_activeCaption, c, TVnRepaintTarget::WorkArea); }
  void SetInactiveCaption(TColor c) { Set(m_inactiveCaption, c, TVnRepaintTarget::WorkArea); }

  // Copies the colours through the setters; a source of another class raises EVnAssignError.
  void Assign(const QObject* source);

  // Stored-in-form rule by property name: only colours that differ from their defaults.
  Q_INVOKABLE bool IsPropertyStored(const QString& name) const;
  bool IsActiveConditionStored() const { return m_activeCondition != DefActiveCondition; }
  bool IsConditionTextStored() const { return m_conditionText != DefConditionText; }
  bool IsConditionItemTextStored() const { return m_conditionItemText != DefConditionItemText; }
  bool IsProcClientStored() const { return m_procClient != DefProcClient; }
  bool IsTableClientStored() const { return m_tableClient != DefTableClient; }
  bool IsItemTextStored() const { return m_itemText != DefItemText; }
  bool IsSelectedItemTextStored() const { return m_selectedItemText != DefSelectedItemText; }
  bool IsActiveCaptionStored() const { return m_activeCaption != DefActiveCaption; }
  bool IsInactiveCaptionStored() const { return m_inactiveCaption != DefInactiveCaption; }

private:
  void Set(TColor& field, TColor value, TVnRepaintTarget target);

  TCustomVantor* m_owner;
  TColor m_activeCondition = DefActiveCondition;
  TColor m_conditionText = DefConditionText;
  TColor m_conditionItemText = DefConditionItemText;
  TColor m_procClient = DefProcClient;
  TColor m_tableClient = DefTableClient;
  TColor m_itemText = DefItemText;
  TColor m_selectedItemText = DefSelectedItemText;
  TColor m_activeCaption = DefActiveCaption;
  TColor m_inactiveCaption = DefInactiveCaption;
};

class TVnObjectStyle : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
  Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
  Q_PROPERTY(int BorderKind READ BorderKindValue WRITE SetBorderKindValue)

public:
  explicit TVnObjectStyle(TCustomVantor* owner = nullptr);

  bool Flat() const { return m_flat; }
  bool FlatButtons() const { return m_flatButtons; }
  TVnBorderKind BorderKind() const { return m_borderKind; }
  void SetFlat(bool value);
  void SetFlatButtons(bool value);
  void SetBorderKind(TVnBorderKind value);

  // Copies BorderKind, Flat and FlatButtons through the setters.
  void Assign(const QObject* source);

  Q_INVOKABLE bool IsPropertyStored(const QString& name) const;
  bool IsFlatStored() const { return !m_flat; }
  bool IsFlatButtonsStored() const { return !m_flatButtons; }
  bool IsBorderKindStored() const { return m_borderKind != vnkRaised; }

private:
  int BorderKindValue() const { return m_borderKind; }
  void SetBorderKindValue(int v) { SetBorderKind(static_cast<TVnBorderKind>(v)); }
  void Changed();

  TCustomVantor* m_owner;
  bool m_flat = true;
  bool m_flatButtons = true;
  TVnBorderKind m_borderKind = vnkRaised;
};

class TVnStyle : public QObject {
  Q_OBJECT
  Q_PROPERTY(int ButtonStyle READ ButtonStyleValue WRITE SetButtonStyleValue)
  Q_PROPERTY(vantor::TVnObjectStyle* ObjectStyle READ ObjectStyle WRITE SetObjectStyle)

public:
  explicit TVnStyle(TCustomVantor* owner = nullptr);

  TCustomVantor* Owner() const { return m_owner; }
  TVnButtonStyle ButtonStyle() const { return m_buttonStyle; }
  void SetButtonStyle(TVnButtonStyle value);
  TVnObjectStyle* ObjectStyle() const { return m_objectStyle; }
  // Copies the given object into the owned one and repaints the work area.
  void SetObjectStyle(TVnObjectStyle* value);

  void Assign(const QObject* source);

  Q_INVOKABLE bool IsPropertyStored(const QString& name) const;
  bool IsButtonStyleStored() const { return m_buttonStyle != vnsFlat; }

private:
  int ButtonStyleValue() const { return m_buttonStyle; }
  void SetButtonStyleValue(int v) { SetButtonStyle(static_cast<TVnButtonStyle>(v)); }

  TCustomVantor* m_owner;
  TVnButtonStyle m_buttonStyle = vnsFlat;
  TVnObjectStyle* m_objectStyle;  // owned (QObject child)
};

}  // namespace vantor
