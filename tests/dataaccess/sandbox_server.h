#pragma once

#include "dataaccess/sql_connection.h"
#include "dataaccess/string_list.h"

#include <QString>
#include <gtest/gtest.h>

// Connection parameters for the sandbox server named by the environment that
// `scripts/sandbox env` prints: its socket, TCP port and account.
struct SandboxAddress {
  QString Socket;
  int Port = 0;
  QString User;
  QString Password;

  // Fails the calling test, saying how to provide the server, when the variables are unset.
  static SandboxAddress FromEnvironment();
  TStringList Params(const QString& database = QStringLiteral("sakila")) const;
};

// A fixture whose Connection is open on the sandbox server's sakila database. A test fails
// (never skips) when the server cannot be reached.
class SandboxTest : public ::testing::Test {
protected:
  void SetUp() override;

  SandboxAddress Address;
  TSQLConnection Connection;
};

// A database of its own for the running test process, dropped at the end: tests run as
// parallel processes and must not meet in the same tables.
class ScratchDatabase {
public:
  explicit ScratchDatabase(TSQLConnection& connection);
  ~ScratchDatabase();
  const QString& Name() const { return m_name; }

private:
  TSQLConnection& m_connection;
  QString m_name;
};
