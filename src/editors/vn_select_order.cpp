#include "editors/vn_select_order.h"

#include "core/select_parser.h"

#include <QVBoxLayout>

namespace vantor {

TVnSelectGrid::TVnSelectGrid(QWidget* parent) : QWidget(parent) {
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void TVnSelectGrid::RenameTablePrefix(const QString& newPrefix, const QString& oldPrefix) {
  // The editor issue rewrites the source column here.
  Q_UNUSED(newPrefix);
  Q_UNUSED(oldPrefix);
}

TVnSelectPanel::TVnSelectPanel(QWidget* parent) : QWidget(parent), m_grid(new TVnSelectGrid(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_grid);
}

void TVnSelectPanel::SetParser(TVnSelectParser* parser) {
  if (parser == m_parser)
    return;
  m_grid->Aggregates.clear();
  m_parser = parser;
  if (parser)
    for (const std::string& word : parser->Aggregates().Words())
      m_grid->Aggregates << QString::fromStdString(word);
}

void TVnSelectPanel::RefreshFromModel() {
  // The editor issue rebuilds the grid rows from the model's select list here.
  ++m_refreshCount;
}

void TVnSelectPanel::Clear() {}

TVnOrderPanel::TVnOrderPanel(QWidget* parent) : QWidget(parent) {
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void TVnOrderPanel::RefreshFromModel() {
  ++m_refreshCount;
  m_fieldList.clear();
  if (OnGetFieldList)
    OnGetFieldList(this, m_fieldList);
  // The editor issue rebuilds the two lists from m_fieldList and the model's ORDER BY list here.
}

void TVnOrderPanel::Clear() { m_fieldList.clear(); }

}  // namespace vantor
