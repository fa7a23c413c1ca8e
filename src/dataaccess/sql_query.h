#pragma once

#include "dataaccess/dataset.h"
#include "dataaccess/value_decoding.h"

#include <QSqlQuery>
#include <QString>
#include <memory>
#include <vector>

class TSQLConnection;
struct st_mysql_res;

// A statement run on a TSQLConnection. Opening it runs SQL and exposes the result's fields
// and rows; the rows can be read once, forward (copy them into a TClientDataSet to browse).
// Opening connects the connection when it is not connected yet.
//
//   query.SetSQL("SELECT * FROM film WHERE 0 = 1");
//   query.Open();  // Fields() now describes film's columns
class TSQLQuery : public TDataSet {
public:
  TSQLQuery() = default;
  ~TSQLQuery() override;

  TSQLConnection* SQLConnection() const { return m_connection; }
  // Not owned. Closes the query.
  void SetSQLConnection(TSQLConnection* connection);
  const QString& SQL() const { return m_sql; }
  // Closes the query.
  void SetSQL(const QString& sql);

  // Runs SQL as a statement that returns no rows; returns the number of rows it affected.
  int ExecSQL();

  bool IsUnidirectional() const override { return true; }
  int RecordCount() const override;
  int RecNo() const override;
  // Only allowed while on the first record.
  void First() override;
  void Next() override;
  QVariant FieldValue(int index) const override;
  using TDataSet::FieldValue;

protected:
  void DoOpen() override;
  void DoClose() override;

private:
  friend class TSQLConnection;
  void ConnectionDestroyed();
  TSQLConnection& CheckConnection();
  void FetchRow();

  TSQLConnection* m_connection = nullptr; // not owned
  QString m_sql;
  std::unique_ptr<QSqlQuery> m_query;
  st_mysql_res* m_result = nullptr; // owned by m_query
  char** m_row = nullptr;           // the current row inside m_result
  unsigned long* m_lengths = nullptr;
  int m_recNo = 0;
  std::vector<TValueKind> m_valueKinds;
};
