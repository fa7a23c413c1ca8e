#include "dataaccess/database_error.h"

#include <QSqlError>

namespace {

QString WithCode(const QString& text, int code) {
  return code != 0 ? QStringLiteral("%1 (error %2)").arg(text).arg(code) : text;
}

} // namespace

EDatabaseError::EDatabaseError(const QString& message, int errorCode)
    : std::runtime_error(WithCode(message, errorCode).toStdString()), m_errorCode(errorCode) {}

EDatabaseError EDatabaseError::FromSqlError(const QSqlError& error) {
  bool numeric = false;
  const int code = error.nativeErrorCode().toInt(&numeric);
  QString text = error.databaseText().trimmed();
  if (text.isEmpty())
    text = error.driverText().trimmed();
  if (text.isEmpty())
    text = QStringLiteral("Unknown database error");
  return EDatabaseError(text, numeric ? code : 0);
}

bool EDatabaseError::IsConnectionLost() const {
  switch (m_errorCode) {
  case 2002: // can't connect through the socket
  case 2003: // can't connect over TCP
  case 2006: // server has gone away
  case 2013: // lost connection during query
  case 2055: // lost connection at a protocol step
  case 1927: // connection was killed
  case 4031: // disconnected by the server for inactivity
    return true;
  default:
    return false;
  }
}
