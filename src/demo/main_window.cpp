#include "demo/main_window.h"

#include "core/errors.h"
#include "core/select_parser.h"
#include "dataaccess/client_dataset.h"
#include "dataaccess/data_grid.h"
#include "dataaccess/data_navigator.h"
#include "dataaccess/data_source.h"
#include "dataaccess/dataset_provider.h"
#include "dataaccess/sql_connection.h"
#include "dataaccess/sql_query.h"
#include "demo/connect_dialog.h"
#include "demo/sql_highlighter.h"
#include "designer/vantor.h"
#include "designer/vn_message_box.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_table.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// Above this size the editor shows text without colours: colouring megabytes of text would
// keep the window busy for seconds.
constexpr qsizetype kHighlightLimit = 1 << 20;

const char* const kFileFilter =
    QT_TRANSLATE_NOOP("TfmMain", "SQL Files (*.sql);;Text Files (*.txt);;All Files (*)");

// Shows the hourglass while alive.
class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The editor holds lines; the statement has CR LF line breaks, as the parser and files
// expect them.
QString WithCrLf(const QString& text) {
  QString result = text;
  result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return result;
}

}  // namespace

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("fmMain"));
  resize(696, 480);

  SQLConnection = std::make_unique<TSQLConnection>();
  TStringList& params = SQLConnection->Params();
  params.SetValue(QStringLiteral("BlobSize"), QStringLiteral("-1"));
  params.SetValue(QStringLiteral("Database"), QString());
  params.SetValue(QStringLiteral("ErrorResourceFile"), QString());
  params.SetValue(QStringLiteral("HostName"), QStringLiteral("localhost"));
  params.SetValue(QStringLiteral("LocaleCode"), QStringLiteral("0000"));
  params.SetValue(QStringLiteral("Password"), QString());
  params.SetValue(QStringLiteral("User_Name"), QStringLiteral("root"));
  SQLConnection->SetAfterConnect([this](TSQLConnection&) { AfterConnect(); });
  SQLConnection->SetAfterDisconnect([this](TSQLConnection&) { AfterDisconnect(); });
  SQLQuery = std::make_unique<TSQLQuery>();
  SQLQuery->SetSQLConnection(SQLConnection.get());
  DataSetProvider = std::make_unique<TDataSetProvider>();
  DataSetProvider->SetDataSet(SQLQuery.get());
  ClientDataSet = std::make_unique<TClientDataSet>();
  ClientDataSet->SetProvider(DataSetProvider.get());
  DataSource = new TDataSource(this);
  DataSource->SetDataSet(ClientDataSet.get());

  CreatePages();
  CreateActions();
  statusBar();

  // Hidden until the first execution.
  Pages->setTabVisible(pgResult, false);
  Pages->setCurrentIndex(pgBuilder);
  connect(Pages, &QTabWidget::currentChanged, this, &TfmMain::PageChanged);
  UpdateCaption();
  QApplication::setApplicationDisplayName(QString());
  QApplication::setApplicationName(windowTitle());
}

TfmMain::~TfmMain() {
  // Taking the pages down changes the current page: that is no user's page change.
  disconnect(Pages, nullptr, this, nullptr);
  // The designer goes before the data it was shown.
  delete Vantor;
  Vantor = nullptr;
  if (SQLConnection)
    SQLConnection->SetAfterDisconnect(nullptr);
}

void TfmMain::CreatePages() {
  auto* splitter = new QSplitter(this);
  splitter->setHandleWidth(3);

  lvTables = new QTreeWidget(splitter);
  lvTables->setObjectName(QStringLiteral("lvTables"));
  lvTables->setHeaderLabels({tr("Tables")});
  lvTables->setRootIsDecorated(false);
  lvTables->setDragEnabled(true);
  lvTables->setDragDropMode(QAbstractItemView::DragOnly);
  lvTables->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvTables->header()->setSectionResizeMode(QHeaderView::Stretch);
  connect(lvTables, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    RunAction(this, [this, item] { DropTable(item->text(0), 0, 0); });
  });

  Pages = new QTabWidget(splitter);
  Pages->setObjectName(QStringLiteral("Pages"));

  Vantor = new vantor::TMySQLVantor(Pages);
  Vantor->setObjectName(QStringLiteral("Vantor"));
  Vantor->OnGetTableFields = [this](const QString& name, TDataSet*& dataSet, TParams*& params) {
    GetTableFields(name, dataSet, params);
  };
  Vantor->SetOnParserError([this](vantor::TVnSelectParser* sender, const std::string& message,
                                  const std::string& token, int line, int column) {
    ParserError(sender, message, token, line, column);
  });
  // Table names dragged from the list drop onto the diagram.
  Vantor->WorkArea()->viewport()->setAcceptDrops(true);
  Vantor->WorkArea()->viewport()->installEventFilter(this);
  Pages->addTab(Vantor, tr("Builder"));

  auto* sqlPage = new QWidget(Pages);
  auto* sqlLayout = new QVBoxLayout(sqlPage);
  sqlLayout->setContentsMargins(0, 0, 0, 0);
  sqlLayout->setSpacing(2);
  mmSQL = new QPlainTextEdit(sqlPage);
  mmSQL->setObjectName(QStringLiteral("mmSQL"));
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(13);
  mmSQL->setFont(font);
  mmSQL->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_highlighter = new TSqlHighlighter(mmSQL->document(), &Vantor->Parser()->Scanner());
  laCaret = new QLabel(sqlPage);
  laCaret->setObjectName(QStringLiteral("laCaret"));
  laCaret->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(mmSQL, &QPlainTextEdit::cursorPositionChanged, this, &TfmMain::UpdateCaret);
  sqlLayout->addWidget(mmSQL);
  sqlLayout->addWidget(laCaret);
  UpdateCaret();
  Pages->addTab(sqlPage, tr("SQL"));

  auto* resultPage = new QWidget(Pages);
  auto* resultLayout = new QVBoxLayout(resultPage);
  resultLayout->setContentsMargins(0, 0, 0, 0);
  resultLayout->setSpacing(0);
  DBNavigator = new TDBNavigator(resultPage);
  DBNavigator->SetDataSource(DataSource);
  DBGrid = new TDBGrid(resultPage);
  DBGrid->SetDataSource(DataSource);
  laRowLimit = new QLabel(tr("Only the first %L1 rows are shown.").arg(kMaxResultRows), resultPage);
  laRowLimit->setObjectName(QStringLiteral("laRowLimit"));
  laRowLimit->setVisible(false);
  auto* resultBar = new QHBoxLayout;
  resultBar->addWidget(DBNavigator);
  resultBar->addWidget(laRowLimit, 1);
  resultLayout->addLayout(resultBar);
  resultLayout->addWidget(DBGrid);
  Pages->addTab(resultPage, tr("Result"));

  splitter->addWidget(lvTables);
  splitter->addWidget(Pages);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({185, 511});
  setCentralWidget(splitter);
}

void TfmMain::CreateActions() {
  QStyle* style = this->style();
  const auto action = [this](const QString& text, const QString& hint, const QIcon& icon,
                             std::function<void()> handler) {
    auto* a = new QAction(icon, text, this);
    a->setToolTip(hint);
    a->setStatusTip(QString());
    connect(a, &QAction::triggered, this, [this, handler] { RunAction(this, handler); });
    return a;
  };
  QAction* tbConnect = action(tr("Connect..."), tr("Connect To Database"),
                              style->standardIcon(QStyle::SP_DriveNetIcon), [this] { Connect(); });
  QAction* tbDisconnect =
      action(tr("Disconnect"), tr("Disconnect From Database"),
             style->standardIcon(QStyle::SP_DialogCloseButton), [this] { Disconnect(); });
  QAction* tbLoad = action(tr("Load..."), tr("Load Query From File"),
                           style->standardIcon(QStyle::SP_DialogOpenButton),
                           [this] { LoadWithDialog(); });
  QAction* tbSave = action(tr("Save..."), tr("Save Query To File"),
                           style->standardIcon(QStyle::SP_DialogSaveButton),
                           [this] { SaveWithDialog(); });
  QAction* tbExecute = action(tr("Execute"), tr("Execute Query"),
                              style->standardIcon(QStyle::SP_MediaPlay), [this] { Execute(); });
  QAction* tbClear = action(tr("Clear"), tr("Clear Query"),
                            style->standardIcon(QStyle::SP_DialogResetButton), [this] { Clear(); });
  tbConnect->setObjectName(QStringLiteral("tbConnect"));
  tbDisconnect->setObjectName(QStringLiteral("tbDisconnect"));
  tbLoad->setObjectName(QStringLiteral("tbLoad"));
  tbSave->setObjectName(QStringLiteral("tbSave"));
  tbExecute->setObjectName(QStringLiteral("tbExecute"));
  tbClear->setObjectName(QStringLiteral("tbClear"));

  QToolBar* toolBar = addToolBar(tr("Tool Bar"));
  toolBar->setObjectName(QStringLiteral("ToolBar"));
  toolBar->setMovable(false);
  toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolBar->addAction(tbConnect);
  toolBar->addAction(tbDisconnect);
  toolBar->addSeparator();
  toolBar->addAction(tbLoad);
  toolBar->addAction(tbSave);
  toolBar->addSeparator();
  toolBar->addAction(tbExecute);
  toolBar->addSeparator();
  toolBar->addAction(tbClear);

  const auto entry = [this](QMenu* menu, const QString& text, const QKeySequence& shortcut,
                            std::function<void()> handler) {
    QAction* a = menu->addAction(text);
    a->setShortcut(shortcut);
    if (handler)
      connect(a, &QAction::triggered, this, [this, handler] { RunAction(this, handler); });
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  entry(file, tr("&Connect To Database..."), {}, [this] { Connect(); });
  entry(file, tr("&Disconnect From Database"), {}, [this] { Disconnect(); });
  file->addSeparator();
  entry(file, tr("&Load..."), QKeySequence(Qt::Key_F3), [this] { LoadWithDialog(); });
  entry(file, tr("&Save"), QKeySequence(Qt::Key_F2), nullptr);
  entry(file, tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::Key_F2), [this] { SaveWithDialog(); });
  file->addSeparator();
  entry(file, tr("Exit"), QKeySequence(Qt::ALT | Qt::Key_X), [this] { close(); });

  QMenu* query = menuBar()->addMenu(tr("&Query"));
  entry(query, tr("&Execute"), QKeySequence(Qt::Key_F9), [this] { Execute(); });
  query->addSeparator();
  entry(query, tr("&Clear"), {}, [this] { Clear(); });

  QMenu* view = menuBar()->addMenu(tr("&View"));
  QAction* options = entry(view, tr("&Vantor Options..."), {}, [this] { ShowOptions(); });
  options->setEnabled(false);  // the options dialog comes with a later version
  view->addSeparator();
  miQuoteIdents = view->addAction(tr("&Quote Identifiers"));
  miQuoteIdents->setObjectName(QStringLiteral("miQuoteIdents"));
  miQuoteIdents->setCheckable(true);
  miQuoteIdents->setChecked(true);
  connect(miQuoteIdents, &QAction::toggled, this,
          [this](bool checked) { RunAction(this, [this, checked] { SetQuoteIdentifiers(checked); }); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  entry(help, tr("&About..."), QKeySequence(Qt::Key_F1), [this] { ShowAbout(); });
}

// ---------------------------------------------------------------------------------------------
// Connection

void TfmMain::UpdateCaption() {
  const QString database = SQLConnection->Connected()
                               ? SQLConnection->Params().Value(QStringLiteral("Database"))
                               : QString();
  setWindowTitle(tr("Orbek MySQL Vantor demo application [%1]").arg(database));
}

void TfmMain::FillTableList() {
  if (!SQLConnection->Connected())
    return;
  // The database's own tables first, then those of the server's schemas, each sorted.
  QStringList tables;
  SQLConnection->GetTableNames(tables, false);
  QStringList all;
  SQLConnection->GetTableNames(all, true);
  tables.sort(Qt::CaseInsensitive);
  QStringList system;
  for (const QString& name : all)
    if (!tables.contains(name))
      system.append(name);
  system.sort(Qt::CaseInsensitive);
  tables += system;

  const QIcon icon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
  lvTables->setUpdatesEnabled(false);
  lvTables->clear();
  for (const QString& name : tables) {
    auto* item = new QTreeWidgetItem(lvTables, {name});
    item->setIcon(0, icon);
  }
  lvTables->setUpdatesEnabled(true);
}

void TfmMain::Connect() {
  if (ShowConnectDialog(SQLConnection.get(), this))
    UpdateCaption();
}

void TfmMain::Disconnect() { SQLConnection->SetConnected(false); }

void TfmMain::AfterConnect() {
  // The server stops a result one row past the limit, which tells that rows were left out.
  SQLConnection->ExecuteDirect(
      QStringLiteral("SET SESSION sql_select_limit = %1").arg(kMaxResultRows + 1));
  SQLQuery->Close();
  FillTableList();
  UpdateCaption();
  Clear();
}

void TfmMain::AfterDisconnect() {
  lvTables->clear();
  SQLConnection->Params().SetValue(QStringLiteral("Database"), QString());
  Clear();
  UpdateCaption();
}

void TfmMain::closeEvent(QCloseEvent* event) {
  RunAction(this, [this] { SQLConnection->SetConnected(false); });
  event->accept();
}

void TfmMain::SetQuoteIdentifiers(bool quote) {
  Vantor->SetQuoteIdentifiers(quote);
  FillTableList();
}

// ---------------------------------------------------------------------------------------------
// Tables and the designer

QString TfmMain::QuoteTableName(const QString& name, bool quote) {
  if (!quote)
    return name;
  // A back quote inside a name is doubled, so that no name can break out of its quotes. A
  // name of another schema ("mysql.user") is quoted part by part.
  QStringList parts = name.split(QLatin1Char('.'));
  for (QString& part : parts)
    part = QLatin1Char('`') + QString(part).replace(QLatin1Char('`'), QStringLiteral("``")) +
           QLatin1Char('`');
  return parts.join(QLatin1Char('.'));
}

QString TfmMain::FieldProbe(const QString& tableName) const {
  return QStringLiteral("SELECT * FROM %1 WHERE 0 = 1")
      .arg(QuoteTableName(tableName, miQuoteIdents->isChecked()));
}

void TfmMain::DropTable(const QString& tableName, int x, int y) {
  TWaitCursor wait;
  struct TCloseQuery {
    TSQLQuery* query;
    ~TCloseQuery() { query->Close(); }
  } closeQuery{SQLQuery.get()};
  SQLQuery->Close();
  SQLQuery->SetSQL(FieldProbe(tableName));
  SQLQuery->Open();
  vantor::TVnTable* table = Vantor->TableList()->Add(tableName, SQLQuery.get());
  if (table && x != 0 && y != 0) {
    table->SetLeft(x);
    table->SetTop(y);
  }
}

void TfmMain::GetTableFields(const QString& nameOfTable, TDataSet*& dataSet, TParams*& params) {
  TWaitCursor wait;
  SQLQuery->Close();
  SQLQuery->SetSQL(FieldProbe(nameOfTable));
  SQLQuery->Open();
  dataSet = SQLQuery.get();
  params = nullptr;
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Vantor->WorkArea()->viewport())
    return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto* drag = static_cast<QDropEvent*>(event);
    if (drag->source() == lvTables || drag->source() == lvTables->viewport())
      drag->acceptProposedAction();
    else
      drag->ignore();
    return true;
  }
  case QEvent::Drop: {
    auto* drop = static_cast<QDropEvent*>(event);
    QTreeWidgetItem* item = lvTables->currentItem();
    if ((drop->source() != lvTables && drop->source() != lvTables->viewport()) || !item)
      return true;
    drop->acceptProposedAction();
    // Client coordinates to the diagram's document coordinates.
    const QPoint at = drop->position().toPoint() +
                      QPoint(Vantor->WorkArea()->horizontalScrollBar()->value(),
                             Vantor->WorkArea()->verticalScrollBar()->value());
    const QString name = item->text(0);
    RunAction(this, [this, name, at] { DropTable(name, at.x(), at.y()); });
    return true;
  }
  default:
    return QMainWindow::eventFilter(watched, event);
  }
}

// ---------------------------------------------------------------------------------------------
// Pages: text and design in step

void TfmMain::PageChanged(int index) {
  if (m_changingPage)
    return;
  bool allowChange = true;
  PagesChanging(allowChange);
  if (!allowChange) {
    m_changingPage = true;
    Pages->setCurrentIndex(m_currentPage);
    m_changingPage = false;
    return;
  }
  m_currentPage = index;
}

void TfmMain::PagesChanging(bool& allowChange) {
  if (m_currentPage == pgBuilder) {
    mmSQL->setPlainText(Vantor->GetSQL());
    mmSQL->document()->setModified(false);
  } else if (m_currentPage == pgSQL && mmSQL->document()->isModified()) {
    try {
      Vantor->SetSQL(WithCrLf(mmSQL->toPlainText()));
      allowChange = Vantor->Parser()->Valid();
    } catch (const std::exception& error) {
      // An error the parser raised itself (an unterminated string): shown, and the user stays.
      vantor::VnMessageBox(this, QMessageBox::Critical, windowTitle(),
                           QString::fromStdString(error.what()), QMessageBox::Ok);
      allowChange = false;
    }
    mmSQL->document()->setModified(!allowChange);
  }
}

void TfmMain::ParserError(vantor::TVnSelectParser* sender, const std::string& errorMsg,
                          const std::string& token, int, int) {
  // Pos stands just after the token, in bytes of the CR LF text the parser read; the editor
  // counts characters and has no CR.
  const std::string& text = sender->Scanner().Text();
  const int end = qBound(0, sender->Scanner().Pos() - 1, static_cast<int>(text.size()));
  const int startByte = qMax(0, end - static_cast<int>(token.size()));
  const auto editorPosition = [&text](int bytes) {
    const QString prefix = QString::fromUtf8(text.data(), bytes);
    return static_cast<int>(prefix.size() - prefix.count(QLatin1Char('\r')));
  };
  QTextCursor cursor = mmSQL->textCursor();
  cursor.setPosition(editorPosition(startByte));
  cursor.setPosition(editorPosition(end), QTextCursor::KeepAnchor);
  mmSQL->setTextCursor(cursor);
  vantor::VnMessageBox(this, QMessageBox::Critical, windowTitle(),
                       QString::fromStdString(errorMsg), QMessageBox::Ok);
}

// ---------------------------------------------------------------------------------------------
// Execute, clear, load, save

void TfmMain::Execute() {
  QString text;
  if (m_currentPage == pgBuilder)
    text = Vantor->GetSQL();
  else if (m_currentPage == pgSQL)
    text = WithCrLf(mmSQL->toPlainText());
  else
    return;
  ClientDataSet->Close();
  SQLQuery->SetSQL(text);
  ClientDataSet->Open();
  laRowLimit->setVisible(ClientDataSet->RecordCount() > kMaxResultRows);
  Pages->setTabVisible(pgResult, true);
  bool allowChange = true;
  PagesChanging(allowChange);
  m_changingPage = true;
  Pages->setCurrentIndex(pgResult);
  m_changingPage = false;
  m_currentPage = pgResult;
}

void TfmMain::Clear() {
  Vantor->SetSQL(QString());
  mmSQL->clear();
  ClientDataSet->Close();
  SQLQuery->Close();
  if (m_currentPage == pgResult) {
    m_changingPage = true;
    Pages->setCurrentIndex(pgBuilder);
    m_changingPage = false;
    m_currentPage = pgBuilder;
  }
  Pages->setTabVisible(pgResult, false);
}

void TfmMain::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(
        tr("Cannot open %1: %2").arg(fileName, file.errorString()).toStdString());
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw std::runtime_error(
        tr("Cannot read %1: %2").arg(fileName, file.errorString()).toStdString());
  if (bytes.contains('\0'))
    throw std::runtime_error(tr("%1 is not a text file.").arg(fileName).toStdString());
  QString text = QString::fromUtf8(bytes);
  text.remove(QLatin1Char('\r'));
  // Colouring follows the text only while it is small enough to colour at once.
  m_highlighter->setDocument(nullptr);
  mmSQL->setPlainText(text);
  if (text.size() <= kHighlightLimit)
    m_highlighter->setDocument(mmSQL->document());
  mmSQL->document()->setModified(m_currentPage == pgSQL);
}

void TfmMain::SaveToFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error(
        tr("Cannot write %1: %2").arg(fileName, file.errorString()).toStdString());
  const QByteArray bytes = WithCrLf(mmSQL->toPlainText()).toUtf8();
  if (file.write(bytes) != bytes.size() || !file.flush())
    throw std::runtime_error(
        tr("Cannot write %1: %2").arg(fileName, file.errorString()).toStdString());
}

void TfmMain::LoadWithDialog() {
  QFileDialog dialog(this, tr("Open SQL File"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(tr(kFileFilter));
  dialog.setDefaultSuffix(QStringLiteral("sql"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    LoadFromFile(dialog.selectedFiles().constFirst());
}

void TfmMain::SaveWithDialog() {
  QFileDialog dialog(this, tr("Save SQL File"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(tr(kFileFilter));
  dialog.setDefaultSuffix(QStringLiteral("sql"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    SaveToFile(dialog.selectedFiles().constFirst());
}

void TfmMain::ShowOptions() {}

void TfmMain::ShowAbout() {
  QMessageBox::about(this, tr("About"),
                     tr("<b>Vantor</b> %1<p>A visual designer for MySQL SELECT statements.")
                         .arg(Vantor->Version()));
}

void TfmMain::UpdateCaret() {
  const QTextCursor cursor = mmSQL->textCursor();
  laCaret->setText(tr("Line %1, Column %2")
                       .arg(cursor.blockNumber() + 1)
                       .arg(cursor.positionInBlock() + 1));
}

void TfmMain::RunAction(QWidget* parent, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    vantor::VnMessageBox(parent, QMessageBox::Critical, QApplication::applicationName(),
                         QString::fromUtf8(error.what()), QMessageBox::Ok);
  }
}
