#pragma once

#include "dataaccess/memory_dataset.h"

class TDataSetProvider;

// Holds every record of its provider's dataset in memory for browsing. Opening fetches them,
// Refresh fetches them again and keeps the cursor on the same record number, closing drops
// them.
//
//   query.SetSQL(sql);
//   provider.SetDataSet(&query);
//   clients.SetProvider(&provider);
//   clients.Open();
class TClientDataSet : public TMemoryDataSet {
public:
  TDataSetProvider* Provider() const { return m_provider; }
  // Not owned. Closes the dataset.
  void SetProvider(TDataSetProvider* provider);

  void Refresh() override;

protected:
  void DoOpen() override;
  void DoClose() override;

private:
  TDataSetProvider* m_provider = nullptr;
};
