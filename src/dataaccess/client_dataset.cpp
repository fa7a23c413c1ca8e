#include "dataaccess/client_dataset.h"

#include "dataaccess/database_error.h"
#include "dataaccess/dataset_provider.h"

void TClientDataSet::SetProvider(TDataSetProvider* provider) {
  Close();
  m_provider = provider;
}

void TClientDataSet::DoOpen() {
  if (!m_provider)
    throw EDatabaseError(QStringLiteral("Missing data provider or data packet"));
  TDataPacket packet = m_provider->GetData();
  LoadRecords(std::move(packet.Fields), std::move(packet.Values));
}

void TClientDataSet::DoClose() {
  LoadRecords({}, {});
}

void TClientDataSet::Refresh() {
  CheckActive();
  const int recNo = RecNo();
  TDataPacket packet = m_provider->GetData();
  LoadRecords(std::move(packet.Fields), std::move(packet.Values), recNo);
  DataEvent(TDataEvent::DataSetChange);
}
