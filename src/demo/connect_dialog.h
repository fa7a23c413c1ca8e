#pragma once

#include <QDialog>

class QLineEdit;
class TSQLConnection;

// The connection dialog: host, database, user and password of a connection.
class TfmConnect : public QDialog {
  Q_OBJECT
public:
  explicit TfmConnect(QWidget* parent = nullptr);

  QLineEdit* edHost = nullptr;
  QLineEdit* edDBName = nullptr;
  QLineEdit* edUserName = nullptr;
  QLineEdit* edPassword = nullptr;
};

// Shows the dialog for connection's parameters; on OK writes them back and connects (a failed
// connect raises the data-access error). True exactly when the dialog closed with OK.
bool ShowConnectDialog(TSQLConnection* connection, QWidget* parent = nullptr);
