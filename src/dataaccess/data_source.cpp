#include "dataaccess/data_source.h"

#include <algorithm>

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

TDataSource::~TDataSource() {
  if (m_dataSet)
    std::erase(m_dataSet->m_dataSources, this);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == m_dataSet)
    return;
  if (m_dataSet)
    std::erase(m_dataSet->m_dataSources, this);
  m_dataSet = dataSet;
  if (m_dataSet)
    m_dataSet->m_dataSources.push_back(this);
  emit DataSetChanged();
}

void TDataSource::Notify(TDataEvent event) {
  if (event == TDataEvent::DataSetChange)
    emit DataSetChanged();
  else
    emit RecordMoved();
}

void TDataSource::DataSetDestroyed() {
  m_dataSet = nullptr;
  emit DataSetChanged();
}
