#pragma once

// The designer control: TCustomVantor owns the query model, the diagram work area
// and the tab control with the four clause editors, and keeps the model in step with every
// change on the diagram. TMySQLVantor is the control hosts use: the MySQL model root.
//
//   TMySQLVantor designer(parent);
//   designer.OnGetTableFields = [&](const QString& table, TDataSet*& ds, TParams*&) {
//     ds = host.OpenFieldsOf(table);
//   };
//   designer.SetSQL("SELECT f.title FROM film f");
//   QString sql = designer.GetSQL();

#include "core/operators.h"
#include "core/script_format.h"
#include "core/select_parser.h"
#include "designer/vn_palette.h"
#include "designer/vn_types.h"

#include <QPixmap>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class TDataSet;
class TParams;

namespace vantor {

class TCustomVantor;
class TVnHavingPanel;
class TVnLink;
class TVnListItem;
class TVnOrderPanel;
class TVnSelectPanel;
class TVnTable;
class TVnWherePanel;
class TVnWorkArea;

using TGetTableFieldsEvent =
    std::function<void(const QString& nameOfTable, TDataSet*& dataSet, TParams*& params)>;
using TAddRemoveTableEvent =
    std::function<void(TCustomVantor* sender, TVnTable* table, TVnAction action, bool& accept)>;
using TAddRemoveLinkEvent =
    std::function<void(TCustomVantor* sender, TVnLink* link, TVnAction action, bool& accept)>;
using TEnterProcParameter =
    std::function<void(TCustomVantor* sender, TVnTable* sProcedure, TVnListItem* listItem)>;

// A list facade over the work area's tables (front-most first).
class TVnTableList {
public:
  explicit TVnTableList(TVnWorkArea* workArea) : m_workArea(workArea) {}
  int Count() const;
  TVnTable* Items(int index) const;
  // The work area's AddTable: the new table, or none when the host refused it.
  TVnTable* Add(const QString& tableName, const TDataSet* dataSet);
  // The first table whose RefName equals name exactly, else none.
  TVnTable* FindByRefName(const QString& name) const;

private:
  TVnWorkArea* m_workArea;
};

// The tab control: a QTabWidget whose page changes the designer may refuse.
class TVnPageControl : public QTabWidget {
  Q_OBJECT
public:
  explicit TVnPageControl(QWidget* parent = nullptr);
  // The index of the active page, or -1 when no page is active (all tabs hidden).
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  std::function<void(bool& allowChange)> OnChanging;
  std::function<void()> OnChange;

private:
  void CurrentChanged(int index);
  int m_current = -1;
  int m_quiet = 0;
  friend class TCustomVantor;
};

class TCustomVantor : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString About READ About WRITE SetAbout STORED false)
  Q_PROPERTY(QStringList Aggregates READ Aggregates WRITE SetAggregates)
  Q_PROPERTY(QStringList Functions READ Functions WRITE SetFunctions)
  Q_PROPERTY(QStringList Keywords READ Keywords WRITE SetKeywords)
  Q_PROPERTY(vantor::TVnOperators* Operators READ Operators WRITE SetOperators STORED true)
  Q_PROPERTY(vantor::TVnOptions Options READ Options WRITE SetOptions)
  Q_PROPERTY(vantor::TVnPalette* Palette READ Palette WRITE SetPalette STORED true)
  Q_PROPERTY(bool QuoteIdentifiers READ QuoteIdentifiers WRITE SetQuoteIdentifiers)
  Q_PROPERTY(vantor::TVnScriptFormat ScriptFormat READ ScriptFormat WRITE SetScriptFormat STORED true)
  Q_PROPERTY(vantor::TVnStyle* Style READ Style WRITE SetStyle STORED true)
  Q_PROPERTY(int TabHeight READ TabHeight WRITE SetTabHeight)
  Q_PROPERTY(vantor::TVnVisibleTabs VisibleTabs READ VisibleTabs WRITE SetVisibleTabs)
  Q_PROPERTY(QString _Version READ Version WRITE SetVersion STORED false)

public:
  static constexpr int DefaultTabHeight = 170;

  // designing: the control sits in a form designer; it then has no work area and no editors.
  explicit TCustomVantor(QWidget* parent = nullptr, bool designing = false);
  ~TCustomVantor() override;

  // Virtual operations.
  virtual std::unique_ptr<TVnSelectParser> CreateParser() const;
  virtual QString GetSQL();
  virtual void SetSQL(const QString& text);
  virtual void BeginOperatorsUpdate();
  virtual void EndOperatorsUpdate();

  // Members.
  TVnWorkArea* WorkArea() const { return m_workArea; }
  TVnTableList* TableList() const { return m_tableList.get(); }
  TVnPageControl* PageControl() const { return m_pageControl; }
  QWidget* Splitter() const { return m_splitter; }
  TVnWherePanel* WherePanel() const { return m_wherePanel; }
  TVnSelectPanel* SelectPanel() const { return m_selectPanel; }
  TVnHavingPanel* HavingPanel() const { return m_havingPanel; }
  TVnOrderPanel* OrderPanel() const { return m_orderPanel; }
  // Image 0: table ("TABLEBMP"), image 1: field ("FIELDBMP"); 16 x 16.
  const std::vector<QPixmap>& Images() const { return m_images; }
  TVnSelectParser* Parser() const { return m_parser.get(); }
  bool IsDesigning() const { return m_designing; }

  TGetTableFieldsEvent OnGetTableFields;
  TAddRemoveTableEvent OnAddRemoveTable;
  TAddRemoveLinkEvent OnAddRemoveLink;
  TEnterProcParameter OnEnterProcParameter;
  // The model's own OnParserError; the designer keeps no copy.
  const TVnParserErrorEvent& OnParserError() const { return m_parser->OnParserError; }
  void SetOnParserError(TVnParserErrorEvent handler) { m_parser->OnParserError = std::move(handler); }

  // Properties.
  QString About() const { return {}; }
  void SetAbout(const QString&) {}
  QString Version() const { return QStringLiteral("2.01"); }
  void SetVersion(const QString&) {}
  QStringList Aggregates() const;
  void SetAggregates(const QStringList& list);
  QStringList Functions() const;
  void SetFunctions(const QStringList& list);
  QStringList Keywords() const;
  void SetKeywords(const QStringList& list);
  TVnOperators* Operators() const { return &m_parser->Operators(); }
  void SetOperators(TVnOperators* operators);
  TVnOptions Options() const { return m_options; }
  void SetOptions(TVnOptions options) { m_options = options; }
  TVnPalette* Palette() const { return m_palette.get(); }
  void SetPalette(TVnPalette* palette);
  bool QuoteIdentifiers() const { return m_parser->Scanner().QuoteIdentifiers(); }
  void SetQuoteIdentifiers(bool value) { m_parser->Scanner().SetQuoteIdentifiers(value); }
  TVnScriptFormat ScriptFormat() const { return m_parser->ScriptFormat(); }
  void SetScriptFormat(const TVnScriptFormat& format) { m_parser->SetScriptFormat(format); }
  TVnStyle* Style() const { return m_style.get(); }
  void SetStyle(TVnStyle* style);
  int TabHeight() const { return m_tabHeight; }
  void SetTabHeight(int value);
  TVnVisibleTabs VisibleTabs() const { return m_visibleTabs; }
  void SetVisibleTabs(TVnVisibleTabs value);

  // Stored-in-form rules. Qt 6's moc takes no function for STORED, so the rules are plain
  // functions and IsPropertyStored dispatches to them by property name (the other
  // properties answer their STORED flag).
  Q_INVOKABLE bool IsPropertyStored(const QString& name) const;
  bool IsAggregatesStored() const;
  bool IsFunctionsStored() const;
  bool IsKeywordsStored() const;
  bool IsOptionsStored() const { return !(m_options == TVnOptions{vnoRowSelect}); }
  bool IsQuoteIdentifiersStored() const { return !QuoteIdentifiers(); }
  bool IsTabHeightStored() const { return m_tabHeight != DefaultTabHeight; }
  bool IsVisibleTabsStored() const { return !(m_visibleTabs == AllVisibleTabs); }

  // Editors and model in step.
  void ClearDesign();
  void RefreshActivePage();
  void FillSourceFields();
  void GetOrderFieldList(QStringList* list);
  void FieldCheckChanged(TVnTable* table, TVnListItem* item);
  void TableAdded(TVnTable* table);
  void TableClosing(TVnTable* table);
  void AliasChanged(TVnTable* table, const QString& oldRefName);

  // Repaints the parts a palette or style change shows in.
  void RepaintPart(TVnRepaintTarget target);

protected:
  using TParserFactory = std::unique_ptr<TVnSelectParser> (*)();
  // For dialects: C++ cannot call the derived CreateParser while the base is being built, so
  // a dialect passes its factory here (and returns the same from its CreateParser).
  TCustomVantor(QWidget* parent, bool designing, TParserFactory factory);
  void resizeEvent(QResizeEvent* event) override;

private:
  void Construct(TParserFactory factory);
  void LayoutChildren();
  void TabChanging(bool& allowChange);
  // The select grid's four events.
  void GridRowChanging(const QString& source, const QString& aggregate, const QString& outputName);
  void GridRowChanged(const QString& source, const QString& aggregate, const QString& outputName);
  void GridRowDeleted(const QString& source, const QString& aggregate, const QString& outputName);
  void GridOutputNameChanging(const QString& source, const QString& oldName, QString& newName);
  TVnSelectParser& DefaultsRoot() const;

  bool m_designing;
  std::unique_ptr<TVnSelectParser> m_parser;
  std::unique_ptr<TVnPalette> m_palette;
  TVnOptions m_options{vnoRowSelect};
  std::unique_ptr<TVnStyle> m_style;
  std::vector<QPixmap> m_images;
  TVnPageControl* m_pageControl = nullptr;
  QWidget* m_splitter = nullptr;
  QWidget* m_pages[4] = {};
  TVnWherePanel* m_wherePanel = nullptr;
  TVnSelectPanel* m_selectPanel = nullptr;
  TVnHavingPanel* m_havingPanel = nullptr;
  TVnOrderPanel* m_orderPanel = nullptr;
  TVnWorkArea* m_workArea = nullptr;
  std::unique_ptr<TVnTableList> m_tableList;
  TVnVisibleTabs m_visibleTabs;
  int m_tabHeight = DefaultTabHeight;
  mutable std::unique_ptr<TVnSelectParser> m_defaults;
  friend class TVnSplitterHandle;
};

// The designer hosts use: its model root is the MySQL dialect's TVnMySelectParser.
class TMySQLVantor : public TCustomVantor {
  Q_OBJECT
public:
  explicit TMySQLVantor(QWidget* parent = nullptr, bool designing = false);
  std::unique_ptr<TVnSelectParser> CreateParser() const override;
};

}  // namespace vantor

Q_DECLARE_METATYPE(vantor::TVnOperators*)
Q_DECLARE_METATYPE(vantor::TVnScriptFormat)
