#pragma once

#include "dataaccess/dataset.h"

#include <vector>

// A snapshot of a dataset: its fields and all its values, record after record.
struct TDataPacket {
  TFields Fields;
  std::vector<QVariant> Values; // Fields.Count() per record
};

// Supplies a TClientDataSet with the records of another dataset, usually a TSQLQuery.
class TDataSetProvider {
public:
  TDataSet* DataSet() const { return m_dataSet; }
  // Not owned.
  void SetDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }

  // Runs the source afresh (closes and reopens it) and reads every record; the source is left
  // closed.
  TDataPacket GetData();

private:
  TDataSet* m_dataSet = nullptr;
};
