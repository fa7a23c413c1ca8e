#pragma once

#include "dataaccess/string_list.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QSqlError;
class TSQLConnection;
class TSQLQuery;

using TConnectionEvent = std::function<void(TSQLConnection& Sender)>;

// A session with a MySQL or MariaDB server, configured by its Params:
//
//   HostName        host name or address; empty or "localhost" means the local socket
//   Database        the default database
//   User_Name       account name
//   Password        account password
//   Port            TCP port (empty: the client library's default, 3306)
//   UnixSocket      socket file for "localhost" (empty: the client library's default, which
//                   the MYSQL_UNIX_PORT environment variable overrides)
//   ConnectTimeout  seconds to wait for the connection and the server's greeting (default 5)
//   ReadTimeout     seconds to wait for an answer to a statement (default 60)
//   WriteTimeout    seconds to wait when sending a statement (default 60)
//
// Other names (BlobSize, LocaleCode, ...) are kept but have no effect. Every failure raises
// EDatabaseError with the server's own text and code. When a statement finds the server gone,
// the connection closes itself (raising AfterDisconnect); setting Connected again reconnects.
//
// Each object owns a Qt SQL connection of a unique name, removed with the object.
class TSQLConnection {
public:
  TSQLConnection();
  TSQLConnection(const TSQLConnection&) = delete;
  TSQLConnection& operator=(const TSQLConnection&) = delete;
  ~TSQLConnection();

  TStringList& Params() { return m_params; }
  const TStringList& Params() const { return m_params; }
  void SetParams(const TStringList& params) { m_params = params; }
  QString DriverName() const { return QStringLiteral("MYSQL"); }
  const QString& ConnectionName() const { return m_connectionName; }

  bool Connected() const { return m_connected; }
  // True connects with the current Params, False disconnects; each change raises its event.
  void SetConnected(bool connected);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  const TConnectionEvent& AfterConnect() const { return m_afterConnect; }
  void SetAfterConnect(TConnectionEvent handler) { m_afterConnect = std::move(handler); }
  const TConnectionEvent& AfterDisconnect() const { return m_afterDisconnect; }
  void SetAfterDisconnect(TConnectionEvent handler) { m_afterDisconnect = std::move(handler); }

  // Replaces `list` with the base tables and views of the current database, sorted. With
  // systemTables, the tables of the server's own schemas (information_schema, mysql,
  // performance_schema, sys) follow, qualified by their schema: "mysql.user".
  void GetTableNames(QStringList& list, bool systemTables = false);

  // Runs a statement that returns no rows; returns the number of rows it affected.
  int ExecuteDirect(const QString& sql);

private:
  friend class TSQLQuery;
  void Connect();
  void Disconnect();
  QSqlDatabase Database() const { return m_database; }
  void AttachQuery(TSQLQuery* query);
  void DetachQuery(TSQLQuery* query);
  // Raises the error; a lost session closes the connection first.
  [[noreturn]] void RaiseError(const QSqlError& error);
  QString ConnectOptions() const;

  QString m_connectionName;
  QSqlDatabase m_database;
  TStringList m_params;
  bool m_connected = false;
  TConnectionEvent m_afterConnect;
  TConnectionEvent m_afterDisconnect;
  std::vector<TSQLQuery*> m_queries; // not owned; closed when the connection closes
};
