#include "dataaccess/dataset.h"

#include "dataaccess/data_source.h"
#include "dataaccess/database_error.h"

int TFields::IndexOf(const QString& fieldName) const {
  for (int i = 0; i < Count(); ++i) {
    if (m_items[i].FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

const TField* TFields::FindField(const QString& fieldName) const {
  const int index = IndexOf(fieldName);
  return index < 0 ? nullptr : &m_items[index];
}

const TField& TFields::FieldByName(const QString& fieldName) const {
  if (const TField* field = FindField(fieldName))
    return *field;
  throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(fieldName));
}

TDataSet::~TDataSet() {
  for (TDataSource* source : m_dataSources)
    source->DataSetDestroyed();
}

void TDataSet::SetActive(bool active) {
  if (active)
    Open();
  else
    Close();
}

void TDataSet::Open() {
  if (m_active)
    return;
  DoOpen();
  m_active = true;
  DataEvent(TDataEvent::DataSetChange);
}

void TDataSet::Close() {
  if (!m_active)
    return;
  m_active = false;
  DoClose();
  m_bof = m_eof = true;
  DataEvent(TDataEvent::DataSetChange);
}

void TDataSet::SetRecNo(int recNo) {
  CheckActive();
  if (IsUnidirectional())
    RaiseUnidirectional();
  First();
  for (int i = 1; i < recNo && !Eof(); ++i)
    Next();
}

void TDataSet::Prior() {
  RaiseUnidirectional();
}

void TDataSet::Last() {
  RaiseUnidirectional();
}

void TDataSet::Refresh() {
  CheckActive();
  Close();
  Open();
}

QVariant TDataSet::FieldValue(const QString& fieldName) const {
  CheckActive();
  const int index = m_fields.IndexOf(fieldName);
  if (index < 0)
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(fieldName));
  return FieldValue(index);
}

QVariant TDataSet::RecordValue(int, int) const {
  RaiseUnidirectional();
}

void TDataSet::CheckActive() const {
  if (!m_active)
    throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::RaiseUnidirectional() const {
  throw EDatabaseError(QStringLiteral("Operation not allowed on a unidirectional dataset"));
}

void TDataSet::DataEvent(TDataEvent event) {
  // A copy: a handler may attach or detach sources while we notify.
  const std::vector<TDataSource*> sources = m_dataSources;
  for (TDataSource* source : sources)
    source->Notify(event);
}
