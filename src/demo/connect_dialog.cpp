#include "demo/connect_dialog.h"

#include "dataaccess/sql_connection.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

TfmConnect::TfmConnect(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Connect To Database"));
  setObjectName(QStringLiteral("fmConnect"));

  auto* bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::StyledPanel);
  auto* form = new QFormLayout(bevel);
  edHost = new QLineEdit(bevel);
  edDBName = new QLineEdit(bevel);
  edUserName = new QLineEdit(bevel);
  edPassword = new QLineEdit(bevel);
  edPassword->setEchoMode(QLineEdit::Password);
  edHost->setObjectName(QStringLiteral("edHost"));
  edDBName->setObjectName(QStringLiteral("edDBName"));
  edUserName->setObjectName(QStringLiteral("edUserName"));
  edPassword->setObjectName(QStringLiteral("edPassword"));
  form->addRow(tr("Host"), edHost);
  form->addRow(tr("Database Name"), edDBName);
  form->addRow(tr("User Name"), edUserName);
  form->addRow(tr("Password"), edPassword);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* buOk = buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole);
  QPushButton* buCancel = buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
  buOk->setObjectName(QStringLiteral("buOk"));
  buCancel->setObjectName(QStringLiteral("buCancel"));
  buOk->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bevel);
  layout->addWidget(buttons);
  resize(330, 166);

  // The database name comes first: the host is usually right as it is.
  setTabOrder(edDBName, edUserName);
  setTabOrder(edUserName, edPassword);
  setTabOrder(edPassword, buOk);
  setTabOrder(buOk, buCancel);
  setTabOrder(buCancel, edHost);
  edDBName->setFocus();
}

bool ShowConnectDialog(TSQLConnection* connection, QWidget* parent) {
  if (!connection)
    return false;
  auto dialog = std::make_unique<TfmConnect>(parent);
  TStringList& params = connection->Params();
  dialog->edHost->setText(params.Value(QStringLiteral("HostName")));
  dialog->edDBName->setText(params.Value(QStringLiteral("Database")));
  dialog->edUserName->setText(params.Value(QStringLiteral("User_Name")));
  dialog->edPassword->setText(params.Value(QStringLiteral("Password")));
  const bool ok = dialog->exec() == QDialog::Accepted;
  if (!ok)
    return false;
  const QString host = dialog->edHost->text();
  const QString database = dialog->edDBName->text();
  const QString user = dialog->edUserName->text();
  const QString password = dialog->edPassword->text();
  dialog.reset();  // released before connecting, also when connecting fails
  connection->SetConnected(false);
  params.SetValue(QStringLiteral("HostName"), host);
  params.SetValue(QStringLiteral("Database"), database);
  params.SetValue(QStringLiteral("User_Name"), user);
  params.SetValue(QStringLiteral("Password"), password);
  connection->SetConnected(true);
  return true;
}
