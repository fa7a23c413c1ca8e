#include "dataaccess/memory_dataset.h"

#include "dataaccess/database_error.h"

#include <algorithm>

TMemoryDataSet::TMemoryDataSet(TFields fields) {
  SetFields(std::move(fields));
}

void TMemoryDataSet::SetFieldDefs(TFields fields) {
  if (Active())
    throw EDatabaseError(QStringLiteral("Cannot change the fields of an open dataset"));
  SetFields(std::move(fields));
  m_values.clear();
}

void TMemoryDataSet::AppendRecord(std::vector<QVariant> values) {
  if (static_cast<int>(values.size()) != Fields().Count()) {
    throw EDatabaseError(QStringLiteral("A record needs %1 values, got %2")
                             .arg(Fields().Count())
                             .arg(values.size()));
  }
  m_values.insert(m_values.end(), std::make_move_iterator(values.begin()),
                  std::make_move_iterator(values.end()));
  if (Active()) {
    if (m_current < 0)
      MoveTo(0, true, false);
    DataEvent(TDataEvent::DataSetChange);
  }
}

void TMemoryDataSet::ClearRecords() {
  m_values.clear();
  m_current = -1;
  SetBofEof(true, true);
  if (Active())
    DataEvent(TDataEvent::DataSetChange);
}

int TMemoryDataSet::RecordCount() const {
  const int fields = Fields().Count();
  return fields == 0 ? 0 : static_cast<int>(m_values.size() / fields);
}

int TMemoryDataSet::RecNo() const {
  return Active() ? m_current + 1 : 0;
}

void TMemoryDataSet::SetRecNo(int recNo) {
  CheckActive();
  if (RecordCount() == 0)
    return;
  MoveTo(std::clamp(recNo, 1, RecordCount()) - 1, false, false);
}

void TMemoryDataSet::First() {
  CheckActive();
  MoveTo(RecordCount() > 0 ? 0 : -1, true, RecordCount() == 0);
}

void TMemoryDataSet::Next() {
  CheckActive();
  if (m_current + 1 < RecordCount())
    MoveTo(m_current + 1, false, false);
  else
    SetBofEof(RecordCount() == 0, true);
}

void TMemoryDataSet::Prior() {
  CheckActive();
  if (m_current > 0)
    MoveTo(m_current - 1, false, false);
  else
    SetBofEof(true, RecordCount() == 0);
}

void TMemoryDataSet::Last() {
  CheckActive();
  MoveTo(RecordCount() - 1, RecordCount() == 0, true);
}

QVariant TMemoryDataSet::FieldValue(int index) const {
  CheckActive();
  CheckFieldIndex(index);
  if (m_current < 0)
    throw EDatabaseError(QStringLiteral("The dataset has no current record"));
  return m_values[static_cast<size_t>(m_current) * Fields().Count() + index];
}

QVariant TMemoryDataSet::RecordValue(int recNo, int index) const {
  CheckActive();
  CheckFieldIndex(index);
  if (recNo < 1 || recNo > RecordCount())
    throw EDatabaseError(
        QStringLiteral("Record %1 out of range 1 to %2").arg(recNo).arg(RecordCount()));
  return m_values[static_cast<size_t>(recNo - 1) * Fields().Count() + index];
}

void TMemoryDataSet::DoOpen() {
  m_current = RecordCount() > 0 ? 0 : -1;
  SetBofEof(true, RecordCount() == 0);
}

void TMemoryDataSet::LoadRecords(TFields fields, std::vector<QVariant> values, int recNo) {
  SetFields(std::move(fields));
  m_values = std::move(values);
  const int count = RecordCount();
  m_current = count == 0 ? -1 : std::clamp(recNo, 1, count) - 1;
  SetBofEof(m_current <= 0, count == 0);
}

void TMemoryDataSet::CheckFieldIndex(int index) const {
  if (index < 0 || index >= Fields().Count())
    throw EDatabaseError(QStringLiteral("Field index %1 out of range").arg(index));
}

void TMemoryDataSet::MoveTo(int row, bool bof, bool eof) {
  const bool moved = row != m_current;
  m_current = row;
  SetBofEof(bof, eof);
  if (moved)
    DataEvent(TDataEvent::RecordMove);
}
