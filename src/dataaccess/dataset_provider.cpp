#include "dataaccess/dataset_provider.h"

#include "dataaccess/database_error.h"

TDataPacket TDataSetProvider::GetData() {
  if (!m_dataSet)
    throw EDatabaseError(QStringLiteral("The provider has no dataset"));
  TDataSet& source = *m_dataSet;
  source.Close();
  source.Open();
  TDataPacket packet;
  try {
    packet.Fields = source.Fields();
    const int fieldCount = packet.Fields.Count();
    if (const int count = source.RecordCount(); count > 0)
      packet.Values.reserve(static_cast<size_t>(count) * fieldCount);
    for (; !source.Eof(); source.Next()) {
      for (int i = 0; i < fieldCount; ++i)
        packet.Values.push_back(source.FieldValue(i));
    }
  } catch (...) {
    source.Close();
    throw;
  }
  source.Close();
  return packet;
}
