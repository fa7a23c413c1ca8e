#include "dataaccess/data_grid.h"

#include "dataaccess/data_source.h"
#include "dataaccess/dataset_model.h"

#include <QHeaderView>

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), m_model(new TDataSetTableModel(this)) {
  setModel(m_model);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::FollowCursor);
}

TDataSource* TDBGrid::DataSource() const {
  return m_model->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
  if (TDataSource* old = m_model->DataSource())
    disconnect(old, nullptr, this, nullptr);
  m_model->SetDataSource(dataSource);
  if (dataSource)
    connect(dataSource, &TDataSource::RecordMoved, this, &TDBGrid::FollowCursor);
}

void TDBGrid::FollowCursor() {
  TDataSource* source = DataSource();
  TDataSet* dataSet = source ? source->DataSet() : nullptr;
  if (!dataSet || !dataSet->Active() || m_model->rowCount() == 0)
    return;
  const int row = dataSet->RecNo() - 1;
  if (row < 0 || row == currentIndex().row())
    return;
  m_following = true;
  const int column = std::max(currentIndex().column(), 0);
  setCurrentIndex(m_model->index(row, column));
  m_following = false;
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (m_following || !current.isValid())
    return;
  TDataSource* source = DataSource();
  TDataSet* dataSet = source ? source->DataSet() : nullptr;
  if (dataSet && dataSet->Active() && dataSet->RecNo() != current.row() + 1)
    dataSet->SetRecNo(current.row() + 1);
}
