#pragma once

#include "dataaccess/dataset.h"

#include <vector>

// A dataset that keeps all its records in memory: for tests, for hosts without a server, and
// as the store of TClientDataSet. Its field list and records may be set while it is closed and
// survive closing.
class TMemoryDataSet : public TDataSet {
public:
  TMemoryDataSet() = default;
  explicit TMemoryDataSet(TFields fields);

  // Only while closed; drops the records.
  void SetFieldDefs(TFields fields);
  // One value per field, in field order.
  void AppendRecord(std::vector<QVariant> values);
  void ClearRecords();

  int RecordCount() const override;
  int RecNo() const override;
  void SetRecNo(int recNo) override;
  void First() override;
  void Next() override;
  void Prior() override;
  void Last() override;
  QVariant FieldValue(int index) const override;
  QVariant RecordValue(int recNo, int index) const override;
  using TDataSet::FieldValue;

protected:
  void DoOpen() override;
  void DoClose() override {}

  // For datasets that fill the store from elsewhere: values hold the records one after the
  // other, fields.Count() values each. Keeps the cursor on `recNo` as far as the records go.
  void LoadRecords(TFields fields, std::vector<QVariant> values, int recNo = 1);

private:
  void CheckFieldIndex(int index) const;
  void MoveTo(int row, bool bof, bool eof);

  std::vector<QVariant> m_values;
  int m_current = -1; // row index of the current record; -1 when there is none
};
