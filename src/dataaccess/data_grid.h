#pragma once

#include <QTableView>

class TDataSetTableModel;
class TDataSource;

// A read-only grid of the records of a data source's dataset. The selected row follows the
// dataset's cursor, and choosing a row moves the cursor there.
class TDBGrid : public QTableView {
  Q_OBJECT

public:
  explicit TDBGrid(QWidget* parent = nullptr);

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* dataSource);
  TDataSetTableModel* Model() const { return m_model; }

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
  void FollowCursor();

  TDataSetTableModel* m_model;
  bool m_following = false; // set while the grid moves itself to the dataset's record
};
