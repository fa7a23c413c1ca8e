#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class TDataSet;
class TDataSource;

// The records of a data source's dataset as a read-only Qt table model: one row per record,
// one column per field, field names as column headers. Empty while the dataset is closed or
// unidirectional. Display values are text; Qt::UserRole gives the raw value.
class TDataSetTableModel : public QAbstractTableModel {
  Q_OBJECT

public:
  explicit TDataSetTableModel(QObject* parent = nullptr);

  TDataSource* DataSource() const { return m_dataSource; }
  void SetDataSource(TDataSource* dataSource);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // How a grid cell shows a value: "" for NULL, "(BLOB)" for binary data, ISO dates.
  static QString DisplayText(const QVariant& value);

private:
  TDataSet* Browsable() const;
  void Reset();

  QPointer<TDataSource> m_dataSource;
};
