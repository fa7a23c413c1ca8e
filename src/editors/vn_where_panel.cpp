#include "editors/vn_where_panel.h"

#include <QPalette>

namespace vantor {

TVnCriterionPanel::TVnCriterionPanel(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

void TVnCriterionPanel::Initialize() { m_initialized = true; }

void TVnCriterionPanel::RefreshFromModel() {
  // The editor issue rebuilds the condition rows from the model's WhereItems / HavingItems here.
  ++m_refreshCount;
}

void TVnCriterionPanel::Clear() {
  // The editor issue empties the rows here.
}

void TVnCriterionPanel::RenameTablePrefix(const QString& newPrefix, const QString& oldPrefix) {
  // The editor issue rewrites the rows' table references here.
  Q_UNUSED(newPrefix);
  Q_UNUSED(oldPrefix);
}

void TVnCriterionPanel::HideFieldList(bool& allowChange) {
  // No field picker exists yet, so nothing is open and the change is allowed.
  Q_UNUSED(allowChange);
}

void TVnCriterionPanel::BeginOperatorsUpdate() {}
void TVnCriterionPanel::EndOperatorsUpdate() {}

}  // namespace vantor
