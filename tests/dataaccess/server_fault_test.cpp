// The server goes away in the middle of a session. The test runs a sandbox instance of its own
// (no Sakila) so that stopping it leaves the shared one alone.
#include "sandbox_server.h"

#include "dataaccess/client_dataset.h"
#include "dataaccess/database_error.h"
#include "dataaccess/dataset_provider.h"
#include "dataaccess/sql_query.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

namespace {

class OwnServer {
public:
  // Runs `scripts/sandbox <command>`; returns its standard output, or fails the test.
  static std::optional<QString> Sandbox(const QString& command) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VANTOR_SANDBOX", VANTOR_FAULT_SANDBOX);
    env.insert("VANTOR_SANDBOX_SAKILA", "0");
    process.setProcessEnvironment(env);
    process.start(VANTOR_SANDBOX_SCRIPT, {command});
    const bool finished = process.waitForFinished(120000);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
      ADD_FAILURE() << "scripts/sandbox " << command.toStdString()
                    << " failed: " << err.toStdString();
      return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
  }

  static QString EnvValue(const QString& env, const QString& name) {
    const QRegularExpression line(QStringLiteral("^export %1=(.*)$").arg(name),
                                  QRegularExpression::MultilineOption);
    return line.match(env).captured(1);
  }
};

class ServerFaultTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(OwnServer::Sandbox("start").has_value());
    const QString env = OwnServer::Sandbox("env").value_or(QString());
    Socket = OwnServer::EnvValue(env, "VANTOR_DB_SOCKET");
    ASSERT_FALSE(Socket.isEmpty()) << env.toStdString();
    Connection.Params().SetValue("HostName", "localhost");
    Connection.Params().SetValue("UnixSocket", Socket);
    Connection.Params().SetValue("User_Name", OwnServer::EnvValue(env, "VANTOR_DB_USER"));
    Connection.Params().SetValue("Password", OwnServer::EnvValue(env, "VANTOR_DB_PASSWORD"));
    Connection.Params().SetValue("Database", "mysql");
    Connection.Params().SetValue("ConnectTimeout", "3");
    Connection.Params().SetValue("ReadTimeout", "10");
    Connection.SetAfterDisconnect([this](TSQLConnection&) { ++Disconnects; });
  }
  void TearDown() override { OwnServer::Sandbox("stop"); }

  QString Socket;
  TSQLConnection Connection;
  int Disconnects = 0;
};

TEST_F(ServerFaultTest, NextOperationRaisesAndAReconnectWorksOnceTheServerIsBack) {
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT user FROM mysql.user ORDER BY user");
  TDataSetProvider provider;
  provider.SetDataSet(&query);
  TClientDataSet clients;
  clients.SetProvider(&provider);
  clients.Open();
  const int users = clients.RecordCount();
  ASSERT_GT(users, 0);

  ASSERT_TRUE(OwnServer::Sandbox("stop").has_value());

  try {
    clients.Refresh();
    FAIL() << "refreshed from a stopped server";
  } catch (const EDatabaseError& error) {
    EXPECT_TRUE(error.IsConnectionLost()) << error.what();
    EXPECT_TRUE(error.Message().contains("server", Qt::CaseInsensitive)) << error.what();
  }
  EXPECT_FALSE(Connection.Connected());
  EXPECT_EQ(Disconnects, 1);
  // The rows fetched before stay browsable.
  EXPECT_TRUE(clients.Active());
  EXPECT_EQ(clients.RecordCount(), users);

  // While the server is down, connecting fails at once with the client's own error.
  try {
    Connection.SetConnected(true);
    FAIL() << "connected to a stopped server";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.ErrorCode(), 2002) << error.what();
    // The client library cuts long socket paths short in its message: look for the start.
    EXPECT_TRUE(error.Message().contains(QStringLiteral("Can't connect to local server")))
        << error.what();
  }
  EXPECT_FALSE(Connection.Connected());

  ASSERT_TRUE(OwnServer::Sandbox("start").has_value());
  Connection.SetConnected(true);
  clients.Refresh();
  EXPECT_EQ(clients.RecordCount(), users);
}

TEST_F(ServerFaultTest, AQueryOnALostSessionRaisesAndTheNextOpenReconnects) {
  Connection.SetConnected(true);
  ASSERT_TRUE(OwnServer::Sandbox("stop").has_value());
  ASSERT_TRUE(OwnServer::Sandbox("start").has_value());

  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT 42");
  // The old session died with the old server process.
  EXPECT_THROW(query.Open(), EDatabaseError);
  EXPECT_FALSE(Connection.Connected());
  EXPECT_EQ(Disconnects, 1);
  query.Open();
  EXPECT_EQ(query.FieldValue(0).toInt(), 42);
}

} // namespace
