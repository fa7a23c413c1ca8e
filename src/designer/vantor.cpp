#include "designer/vantor.h"

#include "core/mysql_parser.h"
#include "dataaccess/dataset.h"
#include "dataaccess/params.h"
#include "designer/vn_strings.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_glyphs.h"
#include "diagram/vn_links.h"
#include "diagram/vn_table.h"
#include "editors/vn_select_order.h"
#include "editors/vn_where_panel.h"

#include <QApplication>
#include <QMetaProperty>
#include <QVBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

#include <algorithm>

namespace vantor {
namespace {

std::string Std(const QString& s) { return s.toStdString(); }
QString Qs(const std::string& s) { return QString::fromStdString(s); }

QStringList ToStringList(const TVnWordList& list) {
  QStringList out;
  out.reserve(list.Count());
  for (const std::string& w : list.Words())
    out << Qs(w);
  return out;
}

std::vector<std::string> ToWords(const QStringList& list) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(list.size()));
  for (const QString& s : list)
    out.push_back(Std(s));
  return out;
}

// The default comma text, sorted, against the current list's comma text.
bool DiffersFromDefault(const TVnWordList& current, const TVnWordList& defaults) {
  TVnWordList sorted;
  sorted.SetCommaText(defaults.CommaText());
  return sorted.CommaText() != current.CommaText();
}

std::unique_ptr<TVnSelectParser> MakeSelectParser() { return NewParser<TVnSelectParser>(); }
std::unique_ptr<TVnSelectParser> MakeMySelectParser() { return NewParser<TVnMySelectParser>(); }

}  // namespace

// ---------------------------------------------------------------------------------------
// The splitter between the work area and the tab control: dragging it sets the tab height.

class TVnSplitterHandle : public QWidget {
public:
  explicit TVnSplitterHandle(TCustomVantor* designer) : QWidget(designer), m_designer(designer) {
    setCursor(Qt::SplitVCursor);
    setObjectName(QStringLiteral("Splitter"));
  }

protected:
  void mousePressEvent(QMouseEvent* e) override {
    m_grab = e->globalPosition().toPoint().y();
    m_start = m_designer->m_tabHeight;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton))
      return;
    const int h = m_start - (e->globalPosition().toPoint().y() - m_grab);
    m_designer->m_tabHeight = std::clamp(h, 30, std::max(30, m_designer->height() - 40));
    m_designer->LayoutChildren();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
  }

private:
  TCustomVantor* m_designer;
  int m_grab = 0;
  int m_start = 0;
};

// ---------------------------------------------------------------------------------------

int TVnTableList::Count() const { return m_workArea->TableCount(); }
TVnTable* TVnTableList::Items(int index) const { return m_workArea->TableAt(index); }
TVnTable* TVnTableList::Add(const QString& tableName, const TDataSet* dataSet) {
  return m_workArea->AddTable(tableName, dataSet);
}
TVnTable* TVnTableList::FindByRefName(const QString& name) const {
  for (const auto& t : m_workArea->Tables())
    if (t->RefName() == name)
      return t.get();
  return nullptr;
}

// ---------------------------------------------------------------------------------------

TVnPageControl::TVnPageControl(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("PageCtrl"));
  setDocumentMode(true);
  connect(this, &QTabWidget::currentChanged, this, &TVnPageControl::CurrentChanged);
}

int TVnPageControl::ActivePageIndex() const {
  const int i = currentIndex();
  return i >= 0 && isTabVisible(i) ? i : -1;
}

void TVnPageControl::SetActivePageIndex(int index) {
  ++m_quiet;
  setCurrentIndex(index);
  m_current = currentIndex();
  --m_quiet;
}

void TVnPageControl::CurrentChanged(int index) {
  if (m_quiet) {
    m_current = index;
    return;
  }
  bool allow = true;
  if (OnChanging)
    OnChanging(allow);
  if (!allow) {
    ++m_quiet;
    setCurrentIndex(m_current);
    --m_quiet;
    return;
  }
  m_current = index;
  if (OnChange)
    OnChange();
}

// ---------------------------------------------------------------------------------------

TCustomVantor::TCustomVantor(QWidget* parent, bool designing)
    : TCustomVantor(parent, designing, &MakeSelectParser) {}

TCustomVantor::TCustomVantor(QWidget* parent, bool designing, TParserFactory factory)
    : QWidget(parent), m_designing(designing) {
  Construct(factory);
}

void TCustomVantor::Construct(TParserFactory factory) {
  // 2. Size.
  resize(300, 340);
  // 3. Model, palette, style, options.
  m_parser = factory();
  m_palette = std::make_unique<TVnPalette>(this);
  m_style = std::make_unique<TVnStyle>(this);
  m_options = TVnOptions{vnoRowSelect};
  // 4. Images.
  m_images = {VnGlyph(TVnGlyph::TableBmp), VnGlyph(TVnGlyph::FieldBmp)};
  // 5. Tab control.
  m_pageControl = new TVnPageControl(this);
  if (!m_designing) {
    m_pageControl->OnChanging = [this](bool& allow) { TabChanging(allow); };
    m_pageControl->OnChange = [this] { RefreshActivePage(); };
  }
  // 6. Splitter.
  m_splitter = new TVnSplitterHandle(this);
  // 7. Tab sheets, each adding its bit to VisibleTabs.
  ++m_pageControl->m_quiet;
  const TVnTextId captions[4] = {sCriterions, sSelection, sGroupCriterions, sSorting};
  for (int i = 0; i < 4; ++i) {
    m_pages[i] = new QWidget;
    m_pages[i]->setAutoFillBackground(true);
    m_pageControl->addTab(m_pages[i], VnText(captions[i]));
    SetVisibleTabs(m_visibleTabs + static_cast<TVnVisibleTab>(i));
  }
  --m_pageControl->m_quiet;
  m_pageControl->SetActivePageIndex(0);
  if (!m_designing) {
    auto place = [](QWidget* page, QWidget* editor) {
      auto* layout = new QVBoxLayout(page);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->addWidget(editor);
    };
    m_wherePanel = new TVnWherePanel(m_pages[0]);
    m_wherePanel->SetParser(m_parser.get());
    m_wherePanel->SetIsHaving(false);
    m_wherePanel->Initialize();
    place(m_pages[0], m_wherePanel);

    m_selectPanel = new TVnSelectPanel(m_pages[1]);
    m_selectPanel->SetParser(m_parser.get());
    TVnSelectGrid* grid = m_selectPanel->Grid();
    grid->OnRowChanged = [this](auto& s, auto& a, auto& o) { GridRowChanged(s, a, o); };
    grid->OnRowChanging = [this](auto& s, auto& a, auto& o) { GridRowChanging(s, a, o); };
    grid->OnRowDeleted = [this](auto& s, auto& a, auto& o) { GridRowDeleted(s, a, o); };
    grid->OnOutputNameChanging = [this](auto& s, auto& o, QString& n) {
      GridOutputNameChanging(s, o, n);
    };
    place(m_pages[1], m_selectPanel);

    m_havingPanel = new TVnHavingPanel(m_pages[2]);
    m_havingPanel->SetParser(m_parser.get());
    m_havingPanel->SetIsHaving(true);
    m_havingPanel->Initialize();
    place(m_pages[2], m_havingPanel);

    m_orderPanel = new TVnOrderPanel(m_pages[3]);
    m_orderPanel->SetParser(m_parser.get());
    m_orderPanel->OnGetFieldList = [this](TVnOrderPanel*, QStringList& list) {
      GetOrderFieldList(&list);
    };
    place(m_pages[3], m_orderPanel);

    // 8. Work area and table list.
    m_workArea = new TVnWorkArea(this);
    m_workArea->setAttribute(Qt::WA_AlwaysShowToolTips);
    m_workArea->OnFieldCheck = [this](TVnTable* t, TVnListItem* i) { FieldCheckChanged(t, i); };
    m_workArea->OnTableAdded = [this](TVnTable* t) { TableAdded(t); };
    m_workArea->OnTableClosing = [this](TVnTable* t) { TableClosing(t); };
    m_workArea->OnAliasChange = [this](TVnTable* t, const QString& old) { AliasChanged(t, old); };
    m_tableList = std::make_unique<TVnTableList>(m_workArea);
  }
  LayoutChildren();
}

TCustomVantor::~TCustomVantor() {
  // The diagram goes before the model; releasing it does not touch the model.
  delete m_workArea;
  m_workArea = nullptr;
  m_tableList.reset();
}

std::unique_ptr<TVnSelectParser> TCustomVantor::CreateParser() const { return MakeSelectParser(); }

TMySQLVantor::TMySQLVantor(QWidget* parent, bool designing)
    : TCustomVantor(parent, designing, &MakeMySelectParser) {}

std::unique_ptr<TVnSelectParser> TMySQLVantor::CreateParser() const { return MakeMySelectParser(); }

// ---------------------------------------------------------------------------------------
// Layout: the tab control at the bottom, the splitter above it, the work area filling the rest.

void TCustomVantor::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutChildren();
}

void TCustomVantor::LayoutChildren() {
  const QRect r = rect();
  int bottom = r.bottom() + 1;
  if (m_pageControl->isVisibleTo(this) || !m_pageControl->isHidden()) {
    const int h = std::min(m_tabHeight, r.height());
    m_pageControl->setGeometry(r.left(), bottom - h, r.width(), h);
    bottom -= h;
    if (!m_splitter->isHidden()) {
      m_splitter->setGeometry(r.left(), bottom - 5, r.width(), 5);
      bottom -= 5;
    }
  }
  if (m_workArea)
    m_workArea->setGeometry(r.left(), r.top(), r.width(), std::max(0, bottom - r.top()));
}

// ---------------------------------------------------------------------------------------
// Properties.

QStringList TCustomVantor::Aggregates() const { return ToStringList(m_parser->Aggregates()); }
void TCustomVantor::SetAggregates(const QStringList& list) { m_parser->Aggregates().SetWords(ToWords(list)); }
QStringList TCustomVantor::Functions() const { return ToStringList(m_parser->Scanner().Functions()); }
void TCustomVantor::SetFunctions(const QStringList& list) { m_parser->Scanner().Functions().SetWords(ToWords(list)); }
QStringList TCustomVantor::Keywords() const { return ToStringList(m_parser->Scanner().Keywords()); }
void TCustomVantor::SetKeywords(const QStringList& list) { m_parser->Scanner().Keywords().SetWords(ToWords(list)); }

TVnSelectParser& TCustomVantor::DefaultsRoot() const {
  if (!m_defaults)
    m_defaults = CreateParser();
  return *m_defaults;
}

bool TCustomVantor::IsAggregatesStored() const {
  return DiffersFromDefault(m_parser->Aggregates(), DefaultsRoot().Aggregates());
}
bool TCustomVantor::IsFunctionsStored() const {
  return DiffersFromDefault(m_parser->Scanner().Functions(), DefaultsRoot().Scanner().Functions());
}
bool TCustomVantor::IsKeywordsStored() const {
  return DiffersFromDefault(m_parser->Scanner().Keywords(), DefaultsRoot().Scanner().Keywords());
}

void TCustomVantor::SetOperators(TVnOperators* operators) {
  if (operators && operators != &m_parser->Operators())
    m_parser->Operators().Assign(*operators);
}

void TCustomVantor::SetPalette(TVnPalette* palette) {
  if (palette && palette != m_palette.get())
    m_palette->Assign(palette);
}

void TCustomVantor::SetStyle(TVnStyle* style) {
  if (style && style != m_style.get())
    m_style->Assign(style);
}

void TCustomVantor::SetTabHeight(int value) {
  if (value > DefaultTabHeight && value != m_tabHeight) {
    m_tabHeight = value;
    LayoutChildren();
  }
}

void TCustomVantor::SetVisibleTabs(TVnVisibleTabs value) {
  if (value == m_visibleTabs)
    return;
  m_visibleTabs = value;
  TVnPageControl* pc = m_pageControl;
  const int count = pc->count();
  const int p = pc->currentIndex();
  const int before = pc->ActivePageIndex();
  ++pc->m_quiet;
  for (int i : {3, 2, 1, 0})
    if (i < count)
      pc->setTabVisible(i, value.Contains(static_cast<TVnVisibleTab>(i)));
  // The page that was active stays so when its tab is shown; otherwise the next shown page
  // after it (with wrap-around), else the nearest before it.
  int target = -1;
  if (p >= 0 && p < count) {
    if (pc->isTabVisible(p)) {
      target = p;
    } else {
      for (int k = 1; k < count && target < 0; ++k)
        if (pc->isTabVisible((p + k) % count))
          target = (p + k) % count;
      for (int k = p - 1; k >= 0 && target < 0; --k)
        if (pc->isTabVisible(k))
          target = k;
    }
  }
  if (target >= 0)
    pc->setCurrentIndex(target);
  pc->m_current = pc->currentIndex();
  --pc->m_quiet;
  const bool shown = !value.Empty();
  pc->setVisible(shown);
  m_splitter->setVisible(shown);
  LayoutChildren();
  // A page that became active by this change shows a fresh editor.
  if (pc->ActivePageIndex() != before && pc->ActivePageIndex() >= 0 && m_workArea)
    RefreshActivePage();
}

void TCustomVantor::RepaintPart(TVnRepaintTarget target) {
  if (target == TVnRepaintTarget::WorkArea) {
    if (m_workArea)
      m_workArea->viewport()->update();
  } else {
    if (m_wherePanel)
      m_wherePanel->viewport()->update();
    if (m_havingPanel)
      m_havingPanel->viewport()->update();
  }
}

// ---------------------------------------------------------------------------------------
// SQL in and out.

QString TCustomVantor::GetSQL() { return Qs(m_parser->GetScript()); }

void TCustomVantor::ClearDesign() {
  m_parser->Clear();
  if (m_workArea)
    m_workArea->Clear();
  if (m_wherePanel) {
    m_wherePanel->Clear();
    m_havingPanel->Clear();
    m_selectPanel->Clear();
    m_orderPanel->Clear();
  }
  RefreshActivePage();
  if (m_workArea)
    m_workArea->viewport()->update();
}

void TCustomVantor::SetSQL(const QString& text) {
  // 1. Empty everything.
  ClearDesign();
  // 2. Parse (raises without an OnParserError handler).
  m_parser->SetSQL(Std(text));
  if (!m_workArea)
    return;
  // 3. Table windows.
  TVnTableDefs& defs = m_parser->TableDefs();
  const int n = defs.Count();
  for (int i = 0; i < n && i < defs.Count(); ++i) {
    TVnTableDef* d = defs.Items(i);
    // A table without a name only holds items read before any table: it has no window.
    if (d->Name().empty())
      continue;
    TDataSet* dataSet = nullptr;
    TParams* params = nullptr;
    if (OnGetTableFields)
      OnGetTableFields(Qs(d->Name()), dataSet, params);
    if (!dataSet)
      break;  // this table and all later ones get no window; they stay in the model
    TVnTable* w = m_tableList->Add(Qs(d->Name()), dataSet);
    if (!w)
      continue;  // the host refused the window: the model keeps the table as parsed
    const QString alias = Qs(d->Alias());
    if (w->Name() != alias) {
      w->SetAlias(alias);
      // The caption now carries the alias: widen as AddTable widens for the name alone.
      if (w->Width() < w->GetNeededWidth())
        w->SetWidth(w->GetNeededWidth());
    }
    TVnFieldDefs& fields = d->Fields();
    for (int j = 0; j < fields.Count();) {
      TVnFieldDef* f = fields.Items(j);
      TVnListItem* item = w->FindItem(Qs(f->Name()));
      // A plain field the table lacks is dropped; "t.*" (a field with no name) is kept.
      if (f->Kind() == fkField && !item && !f->Name().empty()) {
        fields.Delete(j);
        continue;
      }
      if (item)
        item->SetChecked(true);
      ++j;
    }
    defs.MakeAliasesUnique();
  }
  // 4. Links.
  for (int i = 0; i < defs.Count(); ++i) {
    TVnTableDef* d = defs.Items(i);
    TVnJoinDefs& joins = d->Joins();
    for (int k = 0; k < joins.Count(); ++k) {
      TVnJoinDef* j = joins.Items(k);
      TVnTable* t1 = m_tableList->FindByRefName(Qs(d->Alias()));
      TVnTable* t2 = m_tableList->FindByRefName(Qs(j->RightTable()));
      if (!t1 || !t2 || t1 == t2 || j->LeftField().empty())
        continue;
      TVnListItem* i1 = t1->FindItem(Qs(j->LeftField()));
      TVnListItem* i2 = t2->FindItem(Qs(j->RightField()));
      if (!i1 || !i2)
        continue;  // a join naming a missing field gets no link; the model keeps it
      const TVnJoinKind kind = j->JoinKind();
      if (TVnLink* link = m_workArea->AddLink(t1, t2, i1, i2))
        link->Join()->Kind = kind;
    }
  }
  // 5. Editors.
  m_selectPanel->RefreshFromModel();
  m_orderPanel->RefreshFromModel();
}

void TCustomVantor::BeginOperatorsUpdate() {
  if (m_wherePanel) {
    m_wherePanel->BeginOperatorsUpdate();
    m_havingPanel->BeginOperatorsUpdate();
  }
}

void TCustomVantor::EndOperatorsUpdate() {
  if (m_wherePanel) {
    m_wherePanel->EndOperatorsUpdate();
    m_havingPanel->EndOperatorsUpdate();
  }
}

// ---------------------------------------------------------------------------------------
// Editors.

void TCustomVantor::TabChanging(bool& allowChange) {
  m_wherePanel->HideFieldList(allowChange);
  if (allowChange)
    m_havingPanel->HideFieldList(allowChange);
}

void TCustomVantor::RefreshActivePage() {
  if (!m_wherePanel)
    return;
  switch (m_pageControl->ActivePageIndex()) {
    case 0: m_wherePanel->RefreshFromModel(); break;
    case 1:
      FillSourceFields();
      m_selectPanel->RefreshFromModel();
      break;
    case 2: m_havingPanel->RefreshFromModel(); break;
    case 3: m_orderPanel->RefreshFromModel(); break;
    default: break;
  }
}

void TCustomVantor::FillSourceFields() {
  if (!m_selectPanel)
    return;
  QStringList& list = m_selectPanel->Grid()->SourceFields;
  list.clear();
  for (const auto& t : m_workArea->Tables()) {
    const QString prefix = t->RefName() + QLatin1Char('.');
    for (int i = 0; i < t->ItemCount(); ++i)
      list << prefix + t->Items(i)->Name();
  }
}

void TCustomVantor::GetOrderFieldList(QStringList* list) {
  if (!list)
    return;
  list->clear();
  for (const auto& t : m_workArea->Tables()) {
    if (t->Closing())
      continue;
    const QString prefix = t->RefName() + QLatin1Char('.');
    for (int i = 0; i < t->ItemCount(); ++i)
      *list << prefix + t->Items(i)->Name();
  }
}

// ---------------------------------------------------------------------------------------
// Diagram hooks.

void TCustomVantor::FieldCheckChanged(TVnTable* table, TVnListItem* item) {
  TVnTableDef* d = m_parser->TableDefs().FindByAlias(Std(table->RefName()));
  const std::string name = Std(item->Name());
  if (d) {
    TVnFieldDef* f = d->Fields().FindByName(name);
    if (item->Checked() && !f) {
      TVnFieldDef* nf = d->Fields().Add();
      nf->SetName(name);
      nf->SetKind(fkField);
    } else if (!item->Checked() && f) {
      d->Fields().Delete(f->Index());
    }
  }
  RefreshActivePage();
}

void TCustomVantor::TableAdded(TVnTable* table) {
  TVnTableDefs& defs = m_parser->TableDefs();
  const std::string ref = Std(table->RefName());
  TVnTableDef* d = defs.FindByAlias(ref);
  if (!d)
    d = defs.FindByName(ref);
  if (!d) {
    d = defs.Add();
    d->SetName(Std(table->Name()));
    d->SetAlias(ref);
  }
  d->SetName(Std(table->Name()));
  RefreshActivePage();
}

void TCustomVantor::TableClosing(TVnTable* table) {
  TVnTableDefs& defs = m_parser->TableDefs();
  if (TVnTableDef* d = defs.FindByAlias(Std(table->RefName())))
    defs.Delete(d->Index());
  RefreshActivePage();
}

void TCustomVantor::AliasChanged(TVnTable* table, const QString& oldRefName) {
  TVnTableDefs& defs = m_parser->TableDefs();
  TVnTableDef* d = oldRefName != table->Name() ? defs.FindByAlias(Std(oldRefName))
                                               : defs.FindByName(Std(table->Name()));
  if (d)
    d->SetAlias(Std(table->RefName()));
  const TVnSQLScanner& scanner = m_parser->Scanner();
  const QString newQuoted = Qs(scanner.QuoteName(Std(table->RefName())));
  const QString oldQuoted = Qs(scanner.QuoteName(Std(oldRefName)));
  m_wherePanel->RenameTablePrefix(newQuoted, oldQuoted);
  m_havingPanel->RenameTablePrefix(newQuoted, oldQuoted);
  m_selectPanel->Grid()->RenameTablePrefix(table->RefName(), oldRefName);
  RefreshActivePage();
}

// ---------------------------------------------------------------------------------------
// The select grid's events. Source is "RefName.Field".

namespace {
struct SourceRef {
  TVnTable* window = nullptr;
  TVnListItem* item = nullptr;
  QString table;
  QString field;
};
SourceRef ResolveSource(TVnTableList* tables, const QString& source) {
  SourceRef r;
  const int dot = source.indexOf(QLatin1Char('.'));
  r.table = dot < 0 ? source : source.left(dot);
  r.field = dot < 0 ? QString() : source.mid(dot + 1);
  if (tables && (r.window = tables->FindByRefName(r.table)))
    r.item = r.window->FindItem(r.field);
  return r;
}
}  // namespace

void TCustomVantor::GridRowChanged(const QString& source, const QString& aggregate,
                                   const QString& outputName) {
  SourceRef r = ResolveSource(m_tableList.get(), source);
  if (!r.window || !r.item)
    return;
  r.item->SetCheckedQuiet(aggregate.isEmpty());
  TVnTableDefs& defs = m_parser->TableDefs();
  TVnTableDef* d = defs.FindByAlias(Std(r.table));
  if (!d) {
    d = defs.Add();
    d->SetAlias(Std(r.window->RefName()));
    d->SetName(Std(r.window->Name()));
  }
  TVnFieldDef* f = d->Fields().FindByAlias(Std(outputName));
  if (!f)
    f = d->Fields().Add();
  f->SetAlias(Std(outputName));
  f->Args().Clear();
  if (aggregate.isEmpty()) {
    f->SetName(Std(r.field));
    f->SetKind(fkField);
  } else {
    f->SetName(Std(aggregate));
    f->SetKind(fkFunction);
    TVnFunctionDef* arg = f->Args().Add();
    arg->SetName(Std(r.field));
    arg->SetKind(fkField);
  }
  // The editor issue writes f's Alias back into the grid's output-name cell here.
}

void TCustomVantor::GridRowChanging(const QString& source, const QString& aggregate,
                                    const QString& outputName) {
  SourceRef r = ResolveSource(m_tableList.get(), source);
  if (!r.window || !r.item)
    return;
  r.item->SetCheckedQuiet(false);
  TVnTableDef* d = m_parser->TableDefs().FindByAlias(Std(r.table));
  TVnFieldDef* f = d ? d->Fields().FindByAlias(Std(outputName)) : nullptr;
  if (!f)
    return;
  if (f->Kind() == fkFunction && Qs(f->Name()) != aggregate) {
    f->SetName(Std(aggregate));
  } else if (f->Kind() == fkField && !aggregate.isEmpty()) {
    const std::string oldName = f->Name();
    f->Args().Clear();
    f->SetName(Std(aggregate));
    f->SetKind(fkFunction);
    TVnFunctionDef* arg = f->Args().Add();
    arg->SetName(oldName);
    arg->SetKind(fkField);
  }
}

void TCustomVantor::GridRowDeleted(const QString& source, const QString&, const QString& outputName) {
  SourceRef r = ResolveSource(m_tableList.get(), source);
  if (!r.window || !r.item)
    return;
  r.item->SetCheckedQuiet(false);
  if (TVnTableDef* d = m_parser->TableDefs().FindByAlias(Std(r.table)))
    if (TVnFieldDef* f = d->Fields().FindByAlias(Std(outputName)))
      d->Fields().Delete(f->Index());
}

void TCustomVantor::GridOutputNameChanging(const QString& source, const QString& oldName,
                                           QString& newName) {
  const int dot = source.indexOf(QLatin1Char('.'));
  const QString table = dot < 0 ? source : source.left(dot);
  if (TVnTableDef* d = m_parser->TableDefs().FindByAlias(Std(table)))
    if (TVnFieldDef* f = d->Fields().FindByAlias(Std(oldName)))
      f->SetAlias(Std(newName));
}

}  // namespace vantor

namespace vantor {

bool TCustomVantor::IsPropertyStored(const QString& n) const {
  if (n == QLatin1String("Aggregates")) return IsAggregatesStored();
  if (n == QLatin1String("Functions")) return IsFunctionsStored();
  if (n == QLatin1String("Keywords")) return IsKeywordsStored();
  if (n == QLatin1String("Options")) return IsOptionsStored();
  if (n == QLatin1String("QuoteIdentifiers")) return IsQuoteIdentifiersStored();
  if (n == QLatin1String("TabHeight")) return IsTabHeightStored();
  if (n == QLatin1String("VisibleTabs")) return IsVisibleTabsStored();
  const int i = metaObject()->indexOfProperty(n.toLatin1().constData());
  return i >= 0 && metaObject()->property(i).isStored();
}

}  // namespace vantor
