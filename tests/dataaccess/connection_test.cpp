#include "sandbox_server.h"

#include "dataaccess/database_error.h"
#include "dataaccess/sql_connection.h"
#include "dataaccess/sql_query.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QTcpServer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct EventLog {
  QStringList Events;
  void Attach(TSQLConnection& connection) {
    connection.SetAfterConnect([this](TSQLConnection& sender) {
      Events << QStringLiteral("connect:%1").arg(sender.Connected());
    });
    connection.SetAfterDisconnect([this](TSQLConnection& sender) {
      Events << QStringLiteral("disconnect:%1").arg(sender.Connected());
    });
  }
};

using ConnectionTest = SandboxTest;

TEST_F(ConnectionTest, EventsFollowEachChangeOfConnectedAndOnlyChanges) {
  Connection.SetConnected(false);
  EventLog log;
  log.Attach(Connection);

  Connection.SetConnected(true);
  Connection.SetConnected(true);
  Connection.SetConnected(false);
  Connection.SetConnected(false);
  Connection.SetConnected(true);

  EXPECT_EQ(log.Events, QStringList({"connect:1", "disconnect:0", "connect:1"}));
  EXPECT_TRUE(Connection.Connected());
}

TEST_F(ConnectionTest, ReconnectsOverTcpWithChangedParams) {
  Connection.SetConnected(false);
  Connection.Params().SetValue("HostName", "127.0.0.1");
  Connection.Params().SetValue("Port", QString::number(Address.Port));
  Connection.Params().SetValue("Database", "mysql");
  Connection.SetConnected(true);

  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT DATABASE(), @@port");
  query.Open();
  EXPECT_EQ(query.FieldValue(0).toString(), "mysql");
  EXPECT_EQ(query.FieldValue(1).toInt(), Address.Port);
}

TEST_F(ConnectionTest, EachConnectionHasItsOwnQtConnectionRemovedWithIt) {
  QString name;
  {
    TSQLConnection second;
    second.SetParams(Connection.Params());
    second.SetConnected(true);
    name = second.ConnectionName();
    EXPECT_NE(name, Connection.ConnectionName());
    EXPECT_TRUE(QSqlDatabase::contains(name));
  }
  EXPECT_FALSE(QSqlDatabase::contains(name));
}

TEST_F(ConnectionTest, ClosingTheConnectionClosesItsQueries) {
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT 1");
  query.Open();
  Connection.SetConnected(false);
  EXPECT_FALSE(query.Active());
  // Opening connects again.
  query.Open();
  EXPECT_TRUE(Connection.Connected());
  EXPECT_EQ(query.FieldValue(0).toInt(), 1);
}

TEST_F(ConnectionTest, ListsTheDatabaseTablesAndViewsSorted) {
  QStringList tables{"stale entry"};
  Connection.GetTableNames(tables);
  const QStringList sakila{"actor",
                           "actor_info",
                           "address",
                           "category",
                           "city",
                           "country",
                           "customer",
                           "customer_list",
                           "film",
                           "film_actor",
                           "film_category",
                           "film_list",
                           "film_text",
                           "inventory",
                           "language",
                           "nicer_but_slower_film_list",
                           "payment",
                           "rental",
                           "sales_by_film_category",
                           "sales_by_store",
                           "staff",
                           "staff_list",
                           "store"};
  EXPECT_EQ(tables, sakila);

  QStringList withSystem;
  Connection.GetTableNames(withSystem, true);
  EXPECT_EQ(withSystem.mid(0, sakila.size()), sakila);
  EXPECT_TRUE(withSystem.contains("mysql.user"));
  EXPECT_TRUE(withSystem.contains("information_schema.TABLES"));
  for (const QString& name : withSystem.mid(sakila.size()))
    EXPECT_TRUE(name.contains('.')) << name.toStdString();
}

TEST_F(ConnectionTest, ListsNoTablesWithoutADatabase) {
  Connection.SetConnected(false);
  Connection.Params().SetValue("Database", "");
  QStringList tables{"stale entry"};
  Connection.GetTableNames(tables);
  EXPECT_TRUE(tables.isEmpty());
}

TEST_F(ConnectionTest, AStatementLongerThanTheReadTimeoutFailsAndClosesTheSession) {
  Connection.SetConnected(false);
  Connection.Params().SetValue("ReadTimeout", "1");
  Connection.SetConnected(true);
  EventLog log;
  log.Attach(Connection);
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT SLEEP(30)");
  try {
    query.Open();
    FAIL() << "a statement outlasting the read timeout returned";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.ErrorCode(), 2013) << error.what();
    EXPECT_TRUE(error.IsConnectionLost());
  }
  EXPECT_FALSE(Connection.Connected());
  EXPECT_EQ(log.Events, QStringList({"disconnect:0"}));
}

// A failed connect raises the client's or server's own text and code, and leaves the
// connection closed without events.
struct ConnectFailure {
  const char* Name;
  std::function<void(TStringList&, const SandboxAddress&)> Change;
  QList<int> Codes; // any of these
  const char* Text; // part of the message
};

void PrintTo(const ConnectFailure& failure, std::ostream* os) {
  *os << failure.Name;
}

class ConnectFailureTest : public ::testing::TestWithParam<ConnectFailure> {};

// Accepts connections in the kernel's backlog and never says a word: a hung server.
QTcpServer& SilentServer() {
  static QTcpServer server;
  if (!server.isListening())
    server.listen(QHostAddress::LocalHost);
  return server;
}

// A loopback port that nothing listens on.
int ClosedPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

TEST_P(ConnectFailureTest, RaisesTheServersErrorPromptly) {
  const ConnectFailure& failure = GetParam();
  const SandboxAddress address = SandboxAddress::FromEnvironment();
  ASSERT_FALSE(HasFailure());
  TSQLConnection connection;
  connection.SetParams(address.Params());
  connection.Params().SetValue("ConnectTimeout", "2");
  failure.Change(connection.Params(), address);
  EventLog log;
  log.Attach(connection);

  try {
    connection.SetConnected(true);
    FAIL() << "connected";
  } catch (const EDatabaseError& error) {
    EXPECT_TRUE(failure.Codes.contains(error.ErrorCode())) << error.what();
    EXPECT_TRUE(error.Message().contains(failure.Text)) << error.what();
    EXPECT_TRUE(error.Message().contains(QString::number(error.ErrorCode()))) << error.what();
  }
  EXPECT_FALSE(connection.Connected());
  EXPECT_TRUE(log.Events.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Connect, ConnectFailureTest,
    ::testing::Values(ConnectFailure{"WrongPassword",
                                     [](TStringList& p, const SandboxAddress&) {
                                       p.SetValue("Password", "wrong");
                                     },
                                     {1045},
                                     "Access denied for user 'vantor'"},
                      ConnectFailure{"UnknownDatabase",
                                     [](TStringList& p, const SandboxAddress&) {
                                       p.SetValue("Database", "no_such_db");
                                     },
                                     {1049},
                                     "Unknown database 'no_such_db'"},
                      ConnectFailure{"MissingSocket",
                                     [](TStringList& p, const SandboxAddress&) {
                                       p.SetValue("UnixSocket", "/nonexistent/mysqld.sock");
                                     },
                                     {2002},
                                     "Can't connect"},
                      ConnectFailure{"ClosedPort",
                                     [](TStringList& p, const SandboxAddress&) {
                                       p.SetValue("HostName", "127.0.0.1");
                                       p.SetValue("Port", QString::number(ClosedPort()));
                                     },
                                     {2002, 2003},
                                     "Can't connect"},
                      ConnectFailure{"UnroutableHost",
                                     [](TStringList& p, const SandboxAddress&) {
                                       // TEST-NET-1: never routed, so the connect can only time out
                                       // or fail.
                                       p.SetValue("HostName", "192.0.2.1");
                                     },
                                     {2002, 2003},
                                     "Can't connect"},
                      ConnectFailure{"SilentServer",
                                     [](TStringList& p, const SandboxAddress&) {
                                       p.SetValue("HostName", "127.0.0.1");
                                       p.SetValue("Port",
                                                  QString::number(SilentServer().serverPort()));
                                     },
                                     {2013, 2002, 2003},
                                     "server"}),
    [](const ::testing::TestParamInfo<ConnectFailure>& info) {
      return std::string(info.param.Name);
    });

TEST(ConnectionParams, InvalidNumbersAreRejectedBeforeConnecting) {
  TSQLConnection connection;
  connection.Params().SetValue("Port", "33o6");
  try {
    connection.SetConnected(true);
    FAIL() << "connected";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Invalid value '33o6' for connection parameter Port");
  }
  EXPECT_FALSE(connection.Connected());
}

TEST(ConnectionParams, StartWithTheNamesHostsEdit) {
  TSQLConnection connection;
  for (const char* name : {"HostName", "Database", "User_Name", "Password"})
    EXPECT_GE(connection.Params().IndexOfName(name), 0) << name;
  EXPECT_EQ(connection.DriverName(), "MYSQL");
}

} // namespace
