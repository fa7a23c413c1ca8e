#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// The one exception type of the data-access layer. When the server or the client library
// reported the failure, the message carries their own text and error code, e.g.
// "Unknown database 'nosuch' (error 1049)", and ErrorCode() holds the code; failures the layer
// detects itself have ErrorCode() 0.
class EDatabaseError : public std::runtime_error {
public:
  explicit EDatabaseError(const QString& message, int errorCode = 0);

  // Uses the server's text when there is one, Qt's own otherwise.
  static EDatabaseError FromSqlError(const QSqlError& error);

  QString Message() const { return QString::fromUtf8(what()); }
  int ErrorCode() const { return m_errorCode; }
  // True for the client library's "server has gone away" family: the session is unusable and
  // only a new connection helps.
  bool IsConnectionLost() const;

private:
  int m_errorCode;
};
