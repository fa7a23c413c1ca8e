#include "dataaccess/sql_connection.h"

#include "dataaccess/database_error.h"
#include "dataaccess/sql_query.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>

namespace {

const QString HostNameParam = QStringLiteral("HostName");
const QString DatabaseParam = QStringLiteral("Database");
const QString UserNameParam = QStringLiteral("User_Name");
const QString PasswordParam = QStringLiteral("Password");
const QString PortParam = QStringLiteral("Port");
const QString UnixSocketParam = QStringLiteral("UnixSocket");
const QString ConnectTimeoutParam = QStringLiteral("ConnectTimeout");
const QString ReadTimeoutParam = QStringLiteral("ReadTimeout");
const QString WriteTimeoutParam = QStringLiteral("WriteTimeout");

QString UniqueConnectionName() {
  static std::atomic<unsigned> counter{0};
  return QStringLiteral("vantor-dataaccess-%1").arg(++counter);
}

// Empty means `fallback`; anything but a whole number in range is the caller's mistake.
int IntegerParam(const TStringList& params, const QString& name, int fallback, int lowest) {
  const QString text = params.Value(name).trimmed();
  if (text.isEmpty())
    return fallback;
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest)
    throw EDatabaseError(
        QStringLiteral("Invalid value '%1' for connection parameter %2").arg(text, name));
  return value;
}

} // namespace

TSQLConnection::TSQLConnection() : m_connectionName(UniqueConnectionName()) {
  for (const QString& name :
       {HostNameParam, DatabaseParam, UserNameParam, PasswordParam, PortParam, UnixSocketParam})
    m_params.SetValue(name, {});
  m_params.SetValue(ConnectTimeoutParam, QStringLiteral("5"));
  m_params.SetValue(ReadTimeoutParam, QStringLiteral("60"));
  m_params.SetValue(WriteTimeoutParam, QStringLiteral("60"));
  m_database = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_connectionName);
}

TSQLConnection::~TSQLConnection() {
  for (TSQLQuery* query : m_queries)
    query->ConnectionDestroyed();
  m_queries.clear();
  m_database.close();
  // removeDatabase wants the last handle to the connection gone first.
  m_database = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_connectionName);
}

void TSQLConnection::SetConnected(bool connected) {
  if (connected == m_connected)
    return;
  if (connected)
    Connect();
  else
    Disconnect();
}

void TSQLConnection::Connect() {
  if (!m_database.isValid()) {
    throw EDatabaseError(QStringLiteral("The Qt SQL driver QMYSQL is not available "
                                        "(Debian package libqt6sql6-mysql)"));
  }
  const QString options = ConnectOptions();
  const int port = IntegerParam(m_params, PortParam, -1, 0);
  m_database.setHostName(m_params.Value(HostNameParam).trimmed());
  m_database.setDatabaseName(m_params.Value(DatabaseParam).trimmed());
  m_database.setUserName(m_params.Value(UserNameParam));
  m_database.setPassword(m_params.Value(PasswordParam));
  m_database.setPort(port);
  m_database.setConnectOptions(options);
  if (!m_database.open()) {
    const QSqlError error = m_database.lastError();
    m_database.close();
    throw EDatabaseError::FromSqlError(error);
  }
  m_connected = true;
  if (m_afterConnect)
    m_afterConnect(*this);
}

void TSQLConnection::Disconnect() {
  // Copy: closing a query may detach it.
  const std::vector<TSQLQuery*> queries = m_queries;
  for (TSQLQuery* query : queries)
    query->Close();
  m_database.close();
  m_connected = false;
  if (m_afterDisconnect)
    m_afterDisconnect(*this);
}

QString TSQLConnection::ConnectOptions() const {
  QStringList options{QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1")
                          .arg(IntegerParam(m_params, ConnectTimeoutParam, 5, 1)),
                      QStringLiteral("MYSQL_OPT_READ_TIMEOUT=%1")
                          .arg(IntegerParam(m_params, ReadTimeoutParam, 60, 1)),
                      QStringLiteral("MYSQL_OPT_WRITE_TIMEOUT=%1")
                          .arg(IntegerParam(m_params, WriteTimeoutParam, 60, 1))};
  const QString socket = m_params.Value(UnixSocketParam).trimmed();
  if (!socket.isEmpty()) {
    if (socket.contains(u';'))
      throw EDatabaseError(QStringLiteral("The socket path may not contain ';': %1").arg(socket));
    options << QStringLiteral("UNIX_SOCKET=") + socket;
  }
  return options.join(u';');
}

void TSQLConnection::GetTableNames(QStringList& list, bool systemTables) {
  auto fetch = [this](const QString& sql, QStringList& names) {
    TSQLQuery query;
    query.SetSQLConnection(this);
    query.SetSQL(sql);
    query.Open();
    for (; !query.Eof(); query.Next())
      names << query.FieldValue(0).toString();
  };
  QStringList names;
  fetch(QStringLiteral("SELECT TABLE_NAME FROM information_schema.TABLES "
                       "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_TYPE <> 'SYSTEM VIEW' "
                       "ORDER BY TABLE_NAME"),
        names);
  if (systemTables) {
    fetch(QStringLiteral(
              "SELECT CONCAT(TABLE_SCHEMA, '.', TABLE_NAME) FROM information_schema.TABLES "
              "WHERE TABLE_SCHEMA IN ('information_schema', 'mysql', "
              "'performance_schema', 'sys') AND NOT TABLE_SCHEMA <=> DATABASE() "
              "ORDER BY 1"),
          names);
  }
  list = std::move(names);
}

int TSQLConnection::ExecuteDirect(const QString& sql) {
  TSQLQuery query;
  query.SetSQLConnection(this);
  query.SetSQL(sql);
  return query.ExecSQL();
}

void TSQLConnection::AttachQuery(TSQLQuery* query) {
  m_queries.push_back(query);
}

void TSQLConnection::DetachQuery(TSQLQuery* query) {
  std::erase(m_queries, query);
}

void TSQLConnection::RaiseError(const QSqlError& sqlError) {
  EDatabaseError error = EDatabaseError::FromSqlError(sqlError);
  if (error.IsConnectionLost() && m_connected)
    Disconnect();
  throw error;
}
