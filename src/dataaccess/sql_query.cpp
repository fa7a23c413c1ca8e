#include "dataaccess/sql_query.h"

#include "dataaccess/database_error.h"
#include "dataaccess/sql_connection.h"
#include "dataaccess/type_mapping.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <mysql.h>

TSQLQuery::~TSQLQuery() {
  Close();
  if (m_connection)
    m_connection->DetachQuery(this);
}

void TSQLQuery::SetSQLConnection(TSQLConnection* connection) {
  if (connection == m_connection)
    return;
  Close();
  if (m_connection)
    m_connection->DetachQuery(this);
  m_connection = connection;
  if (m_connection)
    m_connection->AttachQuery(this);
}

void TSQLQuery::SetSQL(const QString& sql) {
  Close();
  m_sql = sql;
}

TSQLConnection& TSQLQuery::CheckConnection() {
  if (!m_connection)
    throw EDatabaseError(QStringLiteral("The query has no connection"));
  if (m_sql.trimmed().isEmpty())
    throw EDatabaseError(QStringLiteral("The query has no SQL statement"));
  m_connection->Open();
  return *m_connection;
}

int TSQLQuery::ExecSQL() {
  TSQLConnection& connection = CheckConnection();
  Close();
  QSqlQuery query(connection.Database());
  if (!query.exec(m_sql)) {
    const QSqlError error = query.lastError();
    query = QSqlQuery();
    connection.RaiseError(error);
  }
  return query.numRowsAffected();
}

void TSQLQuery::DoOpen() {
  TSQLConnection& connection = CheckConnection();
  auto query = std::make_unique<QSqlQuery>(connection.Database());
  query->setForwardOnly(true);
  if (!query->exec(m_sql)) {
    const QSqlError error = query->lastError();
    query.reset();
    connection.RaiseError(error);
  }
  if (!query->isSelect())
    throw EDatabaseError(QStringLiteral("The statement returned no result set"));

  // The driver stores the whole result client-side; we read it through the client library
  // ourselves, which gives the column flags and character sets that QSqlField leaves out and
  // spares a string conversion per value.
  const QVariant handle = query->result()->handle();
  const QByteArray handleType = handle.metaType().name();
  if (handleType != "MYSQL_RES*" && handleType != "st_mysql_res*")
    throw EDatabaseError(QStringLiteral("Unexpected result handle from the Qt SQL driver: %1")
                             .arg(QString::fromLatin1(handleType)));
  MYSQL_RES* result = *static_cast<MYSQL_RES* const*>(handle.constData());
  if (!result)
    throw EDatabaseError(QStringLiteral("The statement returned no result set"));

  TFields fields;
  const unsigned count = mysql_num_fields(result);
  m_valueKinds.clear();
  m_valueKinds.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    const MYSQL_FIELD* field = mysql_fetch_field_direct(result, i);
    const TColumnInfo column{static_cast<int>(field->type), field->flags, field->charsetnr,
                             field->length};
    const int size = static_cast<int>(std::min<std::uint64_t>(field->length, INT_MAX));
    fields.Add(TField(QString::fromUtf8(field->name, field->name_length), FieldTypeOf(column), size,
                      IS_NOT_NULL(field->flags)));
    m_valueKinds.push_back(ValueKindOf(column));
  }
  SetFields(std::move(fields));
  m_query = std::move(query);
  m_result = result;
  m_recNo = 0;
  FetchRow();
  SetBofEof(true, m_row == nullptr);
}

void TSQLQuery::DoClose() {
  m_row = nullptr;
  m_lengths = nullptr;
  m_result = nullptr;
  m_recNo = 0;
  m_query.reset();
  m_valueKinds.clear();
  SetFields({});
}

void TSQLQuery::FetchRow() {
  m_row = mysql_fetch_row(m_result);
  if (m_row) {
    m_lengths = mysql_fetch_lengths(m_result);
    ++m_recNo;
  }
}

int TSQLQuery::RecordCount() const {
  CheckActive();
  return static_cast<int>(mysql_num_rows(m_result));
}

int TSQLQuery::RecNo() const {
  return m_row ? m_recNo : 0;
}

void TSQLQuery::First() {
  CheckActive();
  if (m_recNo > 1)
    RaiseUnidirectional();
  SetBofEof(true, m_row == nullptr);
}

void TSQLQuery::Next() {
  CheckActive();
  if (m_row)
    FetchRow();
  SetBofEof(false, m_row == nullptr);
  DataEvent(TDataEvent::RecordMove);
}

QVariant TSQLQuery::FieldValue(int index) const {
  CheckActive();
  if (index < 0 || index >= Fields().Count())
    throw EDatabaseError(QStringLiteral("Field index %1 out of range").arg(index));
  if (!m_row)
    throw EDatabaseError(QStringLiteral("The dataset has no current record"));
  return DecodeValue(m_valueKinds[index], m_row[index], m_lengths[index]);
}

void TSQLQuery::ConnectionDestroyed() {
  Close();
  m_connection = nullptr;
}
