#include "dataaccess/dataset_model.h"

#include "dataaccess/data_source.h"

#include <QDate>
#include <QDateTime>

TDataSetTableModel::TDataSetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDataSetTableModel::SetDataSource(TDataSource* dataSource) {
  if (m_dataSource)
    disconnect(m_dataSource, nullptr, this, nullptr);
  m_dataSource = dataSource;
  if (m_dataSource) {
    connect(m_dataSource, &TDataSource::DataSetChanged, this, &TDataSetTableModel::Reset);
    connect(m_dataSource, &QObject::destroyed, this, &TDataSetTableModel::Reset);
  }
  Reset();
}

void TDataSetTableModel::Reset() {
  beginResetModel();
  endResetModel();
}

TDataSet* TDataSetTableModel::Browsable() const {
  TDataSet* dataSet = m_dataSource ? m_dataSource->DataSet() : nullptr;
  return dataSet && dataSet->Active() && !dataSet->IsUnidirectional() ? dataSet : nullptr;
}

int TDataSetTableModel::rowCount(const QModelIndex& parent) const {
  const TDataSet* dataSet = Browsable();
  return parent.isValid() || !dataSet ? 0 : dataSet->RecordCount();
}

int TDataSetTableModel::columnCount(const QModelIndex& parent) const {
  const TDataSet* dataSet = Browsable();
  return parent.isValid() || !dataSet ? 0 : dataSet->Fields().Count();
}

QVariant TDataSetTableModel::data(const QModelIndex& index, int role) const {
  const TDataSet* dataSet = Browsable();
  if (!dataSet || !index.isValid() || index.row() >= dataSet->RecordCount() ||
      index.column() >= dataSet->Fields().Count())
    return {};
  switch (role) {
  case Qt::DisplayRole:
  case Qt::ToolTipRole:
    return DisplayText(dataSet->RecordValue(index.row() + 1, index.column()));
  case Qt::UserRole:
    return dataSet->RecordValue(index.row() + 1, index.column());
  case Qt::TextAlignmentRole: {
    const QVariant value = dataSet->RecordValue(index.row() + 1, index.column());
    const bool numeric =
        value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
        value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::Double;
    return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
  }
  default:
    return {};
  }
}

QVariant TDataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const TDataSet* dataSet = Browsable();
  if (role != Qt::DisplayRole || !dataSet)
    return {};
  if (orientation == Qt::Vertical)
    return section + 1;
  return section < dataSet->Fields().Count() ? dataSet->Fields()[section].FieldName() : QVariant();
}

QString TDataSetTableModel::DisplayText(const QVariant& value) {
  if (value.isNull())
    return {};
  switch (value.typeId()) {
  case QMetaType::QByteArray:
    return QStringLiteral("(BLOB)");
  case QMetaType::QDate:
    return value.toDate().toString(Qt::ISODate);
  case QMetaType::QDateTime: {
    const QDateTime dateTime = value.toDateTime();
    return dateTime.toString(dateTime.time().msec() != 0 ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")
                                                         : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
  }
  default:
    return value.toString();
  }
}
