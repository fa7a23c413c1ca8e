#pragma once

#include "dataaccess/dataset.h"

#include <QObject>

// Connects a dataset to the controls that show it (grid, navigator): it relays the dataset's
// events as Qt signals. Neither side owns the other; whichever dies first unhooks itself.
class TDataSource : public QObject {
  Q_OBJECT

public:
  explicit TDataSource(QObject* parent = nullptr);
  ~TDataSource() override;

  TDataSet* DataSet() const { return m_dataSet; }
  void SetDataSet(TDataSet* dataSet);

signals:
  // The dataset opened, closed, was refreshed, replaced or destroyed: redraw everything.
  void DataSetChanged();
  // The cursor moved to another record.
  void RecordMoved();

private:
  friend class TDataSet;
  void Notify(TDataEvent event);
  void DataSetDestroyed();

  TDataSet* m_dataSet = nullptr; // not owned
};
