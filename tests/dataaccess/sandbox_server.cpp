#include "sandbox_server.h"

#include "dataaccess/database_error.h"

#include <QCoreApplication>

SandboxAddress SandboxAddress::FromEnvironment() {
  SandboxAddress address;
  address.Socket =
      qEnvironmentVariable("VANTOR_DB_SOCKET", qEnvironmentVariable("MYSQL_UNIX_PORT"));
  address.Port = qEnvironmentVariableIntValue("VANTOR_DB_PORT");
  address.User = qEnvironmentVariable("VANTOR_DB_USER", QStringLiteral("vantor"));
  address.Password = qEnvironmentVariable("VANTOR_DB_PASSWORD", QStringLiteral("vantor"));
  if (address.Socket.isEmpty() || address.Port == 0) {
    ADD_FAILURE() << "The sandbox server is not configured (VANTOR_DB_SOCKET and VANTOR_DB_PORT "
                     "are unset). Run scripts/test, or: scripts/sandbox start && "
                     "source <(scripts/sandbox env)";
  }
  return address;
}

TStringList SandboxAddress::Params(const QString& database) const {
  TStringList params;
  params.SetValue(QStringLiteral("HostName"), QStringLiteral("localhost"));
  params.SetValue(QStringLiteral("UnixSocket"), Socket);
  params.SetValue(QStringLiteral("Database"), database);
  params.SetValue(QStringLiteral("User_Name"), User);
  params.SetValue(QStringLiteral("Password"), Password);
  params.SetValue(QStringLiteral("ConnectTimeout"), QStringLiteral("5"));
  params.SetValue(QStringLiteral("ReadTimeout"), QStringLiteral("60"));
  return params;
}

void SandboxTest::SetUp() {
  Address = SandboxAddress::FromEnvironment();
  if (HasFailure())
    FAIL() << "this test needs the sandbox server";
  Connection.SetParams(Address.Params());
  try {
    Connection.SetConnected(true);
  } catch (const EDatabaseError& error) {
    FAIL() << "Cannot reach the sandbox server on " << Address.Socket.toStdString() << ": "
           << error.what() << " (is scripts/sandbox running?)";
  }
}

ScratchDatabase::ScratchDatabase(TSQLConnection& connection) : m_connection(connection) {
  static int counter = 0;
  m_name =
      QStringLiteral("vantor_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
  m_connection.ExecuteDirect(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
  m_connection.ExecuteDirect(
      QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(m_name));
}

ScratchDatabase::~ScratchDatabase() {
  try {
    m_connection.ExecuteDirect(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
  } catch (const EDatabaseError&) {
    // The test that lost the server already reports why; the name is unique anyway.
  }
}
