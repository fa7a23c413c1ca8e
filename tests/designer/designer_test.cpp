// Tests of the designer control, the work area and the table windows.

#include "core/mysql_parser.h"
#include "dataaccess/memory_dataset.h"
#include "designer/vantor.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_links.h"
#include "diagram/vn_table.h"
#include "editors/vn_select_order.h"
#include "editors/vn_where_panel.h"

#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include <map>
#include <memory>

using namespace vantor;

namespace {

// An in-memory field supplier: table name -> field list.
class FieldSupplier {
public:
  void Add(const QString& table, TFields fields) {
    m_sets[table] = std::make_unique<TMemoryDataSet>(std::move(fields));
  }
  void Attach(TCustomVantor& d) {
    d.OnGetTableFields = [this](const QString& name, TDataSet*& ds, TParams*&) {
      auto it = m_sets.find(name);
      ds = it == m_sets.end() ? nullptr : it->second.get();
    };
  }
  TDataSet* Get(const QString& t) { return m_sets.at(t).get(); }

private:
  std::map<QString, std::unique_ptr<TMemoryDataSet>> m_sets;
};

TFields Fields(std::initializer_list<const char*> names, TFieldType type = ftInteger) {
  TFields f;
  for (const char* n : names)
    f.Add(TField(QString::fromLatin1(n), type));
  return f;
}

int SelectCount(TCustomVantor& d) { return d.Parser()->TableDefs().FieldCount(); }

}  // namespace

class DesignerTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    m_supplier = std::make_unique<FieldSupplier>();
    m_supplier->Add("t", Fields({"x", "y", "z"}));
    m_supplier->Add("a", Fields({"id", "name"}));
    m_supplier->Add("b", Fields({"id", "a_id", "label"}));
    m_supplier->Add("c", Fields({"id", "b_id"}));
  }

  void emptySqlEmptiesEverything() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT x FROM t");
    QCOMPARE(d.TableList()->Count(), 1);
    d.SetSQL("");
    QCOMPARE(d.TableList()->Count(), 0);
    QCOMPARE(d.GetSQL(), QString());
    QVERIFY(d.Parser()->Valid());
  }

  void aliasedTableGetsWindowAndCheck() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT a.x FROM t a");
    QCOMPARE(d.TableList()->Count(), 1);
    TVnTable* w = d.TableList()->Items(0);
    QCOMPARE(w->RefName(), QString("a"));
    QCOMPARE(w->GetCaptionText(), QString("t (a)"));
    QVERIFY(w->FindItem("x")->Checked());
    QVERIFY(!w->FindItem("y")->Checked());
    QCOMPARE(w->CheckState(), 1);
    QCOMPARE(SelectCount(d), 1);
    const QString sql = d.GetSQL();
    QVERIFY2(sql.contains("t a") || sql.contains("`t` `a`"), qPrintable(sql));
  }

  void missingDatasetStopsWindowsButKeepsModel() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetQuoteIdentifiers(false);
    d.SetSQL("SELECT t.x, q.v, a.id FROM t, q, a");
    QCOMPARE(d.TableList()->Count(), 1);
    QCOMPARE(d.Parser()->TableDefs().Count(), 3);
    const QString sql = d.GetSQL();
    QVERIFY2(sql.contains("q.v") && sql.contains("a.id") && sql.contains("t.x"), qPrintable(sql));
  }

  void unknownSelectFieldIsDropped() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetQuoteIdentifiers(false);
    d.SetSQL("SELECT t.x, t.nothere, t.* FROM t");
    const QString sql = d.GetSQL();
    QVERIFY2(!sql.contains("nothere"), qPrintable(sql));
    QVERIFY2(sql.contains("t.x"), qPrintable(sql));
    QVERIFY2(sql.contains("t.*"), qPrintable(sql));  // "all fields" is not a missing field
  }

  void joinsBecomeLinks() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetQuoteIdentifiers(false);
    const QString text = "SELECT a.name, b.label FROM a INNER JOIN b ON (a.id = b.a_id) "
                         "LEFT OUTER JOIN c ON (b.id = c.b_id)";
    auto plain = NewParser<TVnMySelectParser>();
    plain->Scanner().SetQuoteIdentifiers(false);
    plain->SetSQL(text.toStdString());
    const QString expected = QString::fromStdString(plain->GetScript());
    d.SetSQL(text);
    TVnWorkArea* wa = d.WorkArea();
    QCOMPARE(wa->TableCount(), 3);
    QCOMPARE(int(wa->Links().size()), 2);
    QCOMPARE(int(wa->Joins().size()), 2);
    bool reversed = true;
    TVnJoin* bc = wa->FindJoin(wa->FindTable("b"), wa->FindTable("c"), reversed);
    QVERIFY(bc);
    QVERIFY(!reversed);
    QCOMPARE(bc->Kind, jkLeftOuter);
    QVERIFY(wa->LinkExists(wa->FindTable("a"), wa->FindTable("b"), wa->FindTable("a")->FindItem("id"),
                           wa->FindTable("b")->FindItem("a_id")));
    QCOMPARE(d.GetSQL(), expected);
  }

  void checkAndUncheckWriteTheModel() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT t.x FROM t");
    TVnTable* w = d.TableList()->Items(0);
    QCOMPARE(SelectCount(d), 1);
    w->FindItem("y")->SetChecked(true);
    QCOMPARE(SelectCount(d), 2);
    w->FindItem("y")->SetChecked(true);  // already there: nothing added
    QCOMPARE(SelectCount(d), 2);
    w->FindItem("y")->SetChecked(false);
    QCOMPARE(SelectCount(d), 1);
    w->FindItem("z")->SetChecked(true);
    w->FindItem("y")->SetChecked(true);
    QCOMPARE(w->CheckState(), 2);
    w->FindItem("z")->SetChecked(false);
    QCOMPARE(w->CheckState(), 1);
    int fired = 0;
    auto old = d.WorkArea()->OnFieldCheck;
    d.WorkArea()->OnFieldCheck = [&](TVnTable* t, TVnListItem* i) { ++fired; old(t, i); };
    w->SetAllChecked(2);
    QCOMPARE(fired, 3);
    QCOMPARE(SelectCount(d), 3);
    w->SetAllChecked(0);
    QCOMPARE(w->CheckState(), 0);
    QCOMPARE(SelectCount(d), 0);
  }

  void closingTableRemovesEntriesAndJoins() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT a.name, b.label FROM a INNER JOIN b ON (a.id = b.a_id)");
    TVnWorkArea* wa = d.WorkArea();
    wa->FindTable("a")->CloseTable();
    QCOMPARE(wa->TableCount(), 1);
    QCOMPARE(int(wa->Links().size()), 0);
    QCOMPARE(int(wa->Joins().size()), 0);
    QCOMPARE(d.Parser()->TableDefs().Count(), 1);
    QVERIFY(!d.GetSQL().contains("name"));
    QVERIFY(d.GetSQL().contains("label"));
  }

  void refusedCloseKeepsModelInStep() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT a.name, b.label FROM a INNER JOIN b ON (a.id = b.a_id)");
    d.OnAddRemoveTable = [](TCustomVantor*, TVnTable*, TVnAction action, bool& accept) {
      if (action == vnaRemove)
        accept = false;
    };
    TVnWorkArea* wa = d.WorkArea();
    TVnTable* a = wa->FindTable("a");
    const int before = a->CheckState();
    a->CloseTable();
    QCOMPARE(wa->TableCount(), 2);
    QVERIFY(!a->FindItem("name")->Checked());
    QCOMPARE(a->CheckState(), before);
    QCOMPARE(d.Parser()->TableDefs().Count(), 2);
    TVnTableDef* def = d.Parser()->TableDefs().FindByAlias("a");
    QVERIFY(def);
    QCOMPARE(def->Joins().Count(), 1);
    QCOMPARE(int(wa->Links().size()), 1);
  }

  void tabHeightRules() {
    TMySQLVantor d;
    QCOMPARE(d.TabHeight(), 170);
    QVERIFY(!d.IsPropertyStored("TabHeight"));
    d.SetTabHeight(150);
    QCOMPARE(d.TabHeight(), 170);
    d.SetTabHeight(170);
    QCOMPARE(d.TabHeight(), 170);
    d.SetTabHeight(200);
    QCOMPARE(d.TabHeight(), 200);
    QVERIFY(d.IsPropertyStored("TabHeight"));
    d.SetTabHeight(170);
    QCOMPARE(d.TabHeight(), 200);
    QCOMPARE(d.property("TabHeight").toInt(), 200);
  }

  void visibleTabsRules() {
    TMySQLVantor d;
    TVnPageControl* pc = d.PageControl();
    QCOMPARE(pc->count(), 4);
    QCOMPARE(pc->tabText(0), QString("Criterions"));
    QCOMPARE(pc->tabText(1), QString("Selection"));
    QCOMPARE(pc->tabText(2), QString("Grouping criterions"));
    QCOMPARE(pc->tabText(3), QString("Sorting"));
    QCOMPARE(pc->objectName(), QString("PageCtrl"));
    QCOMPARE(pc->ActivePageIndex(), 0);
    QVERIFY(!d.IsPropertyStored("VisibleTabs"));
    d.SetVisibleTabs(TVnVisibleTabs{vntSelection, vntGroupCriterions, vntSorting});
    QCOMPARE(pc->ActivePageIndex(), 1);
    QVERIFY(d.IsPropertyStored("VisibleTabs"));
    d.SetVisibleTabs(TVnVisibleTabs{});
    QVERIFY(pc->isHidden());
    QVERIFY(d.Splitter()->isHidden());
    d.SetVisibleTabs(AllVisibleTabs);
    QVERIFY(!pc->isHidden());
    QVERIFY(!d.Splitter()->isHidden());
    // Hiding the last page's tab wraps around to the first shown page.
    pc->setCurrentIndex(3);
    d.SetVisibleTabs(TVnVisibleTabs{vntSelection, vntGroupCriterions});
    QCOMPARE(pc->ActivePageIndex(), 1);
  }

  void onlyTheActiveEditorIsRefreshed() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetVisibleTabs(TVnVisibleTabs{vntSelection, vntGroupCriterions, vntSorting});
    QCOMPARE(d.PageControl()->ActivePageIndex(), 1);
    d.SetSQL("SELECT t.x FROM t");
    const int where = d.WherePanel()->RefreshCount();
    const int select = d.SelectPanel()->RefreshCount();
    d.TableList()->Items(0)->FindItem("y")->SetChecked(true);
    QCOMPARE(d.WherePanel()->RefreshCount(), where);
    QCOMPARE(d.SelectPanel()->RefreshCount(), select + 1);
    QCOMPARE(d.SelectPanel()->Grid()->SourceFields, QStringList({"t.x", "t.y", "t.z"}));
  }

  void storedRulesAndConstants() {
    TMySQLVantor d;
    QVERIFY(!d.IsPropertyStored("Options"));
    QVERIFY(!d.IsPropertyStored("Aggregates"));
    QVERIFY(!d.IsPropertyStored("Functions"));
    QVERIFY(!d.IsPropertyStored("Keywords"));
    QVERIFY(!d.IsPropertyStored("QuoteIdentifiers"));
    QVERIFY(!d.IsPropertyStored("About"));
    QVERIFY(!d.IsPropertyStored("_Version"));
    QVERIFY(d.IsPropertyStored("Operators"));
    QVERIFY(d.IsPropertyStored("Palette"));
    QVERIFY(d.IsPropertyStored("Style"));
    QVERIFY(d.IsPropertyStored("ScriptFormat"));
    d.SetOptions(TVnOptions{});
    QVERIFY(d.IsPropertyStored("Options"));
    d.SetQuoteIdentifiers(false);
    QVERIFY(d.IsPropertyStored("QuoteIdentifiers"));
    QStringList aggregates = d.Aggregates();
    aggregates.removeLast();
    d.setProperty("Aggregates", aggregates);
    QVERIFY(d.IsPropertyStored("Aggregates"));
    QStringList keywords = d.Keywords();
    keywords << "FROBNICATE";
    d.SetKeywords(keywords);
    QVERIFY(d.IsPropertyStored("Keywords"));
    QCOMPARE(d.property("_Version").toString(), QString("2.01"));
    d.setProperty("_Version", "9");
    d.setProperty("About", "x");
    QCOMPARE(d.property("_Version").toString(), QString("2.01"));
    QCOMPARE(d.property("About").toString(), QString());
    // Palette colours are stored only when changed.
    QVERIFY(!d.Palette()->IsPropertyStored("TableClient"));
    d.Palette()->SetTableClient(0x00F0F0F0);
    QVERIFY(d.Palette()->IsPropertyStored("TableClient"));
    TVnPalette other;
    d.Palette()->Assign(&other);
    QCOMPARE(d.Palette()->TableClient(), TVnPalette::DefTableClient);
    QVERIFY_THROWS_EXCEPTION(EVnAssignError, d.Palette()->Assign(d.Style()));
  }

  void addTableNamesAndPlacement() {
    TMySQLVantor d;
    TVnWorkArea* wa = d.WorkArea();
    TVnTable* t0 = wa->AddTable("t", m_supplier->Get("t"));
    TVnTable* t1 = wa->AddTable("t", m_supplier->Get("t"));
    TVnTable* t2 = wa->AddTable("t", m_supplier->Get("t"));
    QCOMPARE(t0->RefName(), QString("t"));
    QCOMPARE(t1->RefName(), QString("t1"));
    QCOMPARE(t2->RefName(), QString("t2"));
    QCOMPARE(t1->Alias(), QString("t1"));
    QCOMPARE(wa->TableAt(0), t2);  // the newest in front, selected
    QVERIFY(t2->Selected());
    QVERIFY(!t1->Selected());
    QCOMPARE(wa->ActiveObject, t2);
    QCOMPARE(t0->Left(), 50);
    QCOMPARE(t0->Top(), 20);
    QCOMPARE(t1->Left(), t0->Left() + t0->Width() + 10);
    QCOMPARE(t1->Top(), 20);
    QCOMPARE(t2->Left(), t1->Left() + t1->Width() + 10);
    QVERIFY(t0->Width() >= t0->GetNeededWidth());
    QCOMPARE(d.Parser()->TableDefs().Count(), 3);
    QCOMPARE(wa->FindTable("t1"), t1);
    QCOMPARE(wa->FindTable("T1"), nullptr);
    QCOMPARE(wa->FindTable(" "), nullptr);
    // The host may refuse a table.
    d.OnAddRemoveTable = [](TCustomVantor*, TVnTable*, TVnAction, bool& accept) { accept = false; };
    QCOMPARE(wa->AddTable("t", m_supplier->Get("t")), nullptr);
    QCOMPARE(wa->TableCount(), 3);
  }

  void linksShareOneJoin() {
    TMySQLVantor d;
    TVnWorkArea* wa = d.WorkArea();
    TVnTable* a = wa->AddTable("a", m_supplier->Get("a"));
    TVnTable* b = wa->AddTable("b", m_supplier->Get("b"));
    TVnLink* l1 = wa->AddLink(a, b, a->FindItem("id"), b->FindItem("a_id"));
    TVnLink* l2 = wa->AddLink(b, a, b->FindItem("id"), a->FindItem("id"));  // against the join
    QVERIFY(l1 && l2);
    QCOMPARE(int(wa->Joins().size()), 1);
    QCOMPARE(l1->Join(), l2->Join());
    QCOMPARE(l2->LeftItem(), a->FindItem("id"));  // in the join's orientation
    TVnTableDef* da = d.Parser()->TableDefs().FindByAlias("a");
    QCOMPARE(da->Joins().Count(), 2);
    wa->RemoveLink(l1, 0, true);
    QCOMPARE(int(wa->Joins().size()), 1);
    QCOMPARE(da->Joins().Count(), 1);
    wa->RemoveLink(l2, 0, true);
    QCOMPARE(int(wa->Joins().size()), 0);
    QCOMPARE(da->Joins().Count(), 0);
    QCOMPARE(d.Parser()->TableDefs().FindByAlias("b")->Joins().Count(), 0);
    // A refused link leaves neither link nor join.
    d.OnAddRemoveLink = [](TCustomVantor*, TVnLink*, TVnAction, bool& accept) { accept = false; };
    QCOMPARE(wa->AddLink(a, b, a->FindItem("id"), b->FindItem("a_id")), nullptr);
    QCOMPARE(int(wa->Joins().size()), 0);
    QCOMPARE(da->Joins().Count(), 0);
  }

  void reversedModelJoinIsRemovedWithItsLink() {
    TMySQLVantor d;
    m_supplier->Attach(d);
    d.SetSQL("SELECT a.name FROM a INNER JOIN b ON (a.id = b.a_id)");
    TVnWorkArea* wa = d.WorkArea();
    TVnTable* a = wa->FindTable("a");
    TVnTable* b = wa->FindTable("b");
    TVnLink* l = wa->AddLink(b, a, b->FindItem("label"), a->FindItem("name"));
    QVERIFY(l);
    QCOMPARE(int(wa->Joins().size()), 1);
    const int total = d.Parser()->TableDefs().FindByAlias("a")->Joins().Count() +
                      d.Parser()->TableDefs().FindByAlias("b")->Joins().Count();
    QCOMPARE(total, 2);
    wa->PostDeleteLink(l);
    QCOMPARE(int(wa->Links().size()), 2);  // posted: still there
    QCoreApplication::processEvents();
    QCOMPARE(int(wa->Links().size()), 1);
    QCOMPARE(d.Parser()->TableDefs().FindByAlias("a")->Joins().Count() +
                 d.Parser()->TableDefs().FindByAlias("b")->Joins().Count(),
             1);
  }

  void tableGeometryFigures() {
    TMySQLVantor d;
    TVnWorkArea* wa = d.WorkArea();
    m_supplier->Add("ten", Fields({"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9"}));
    TVnTable three(wa, "t", m_supplier->Get("t"));
    QCOMPARE(three.CaptionHeight(), 20);
    QCOMPARE(three.ItemHeight(), 16);
    QCOMPARE(three.VisibleItems(), 3);
    QCOMPARE(three.Height(), 77);
    QCOMPARE(three.Width(), 100);
    QVERIFY_THROWS_EXCEPTION(EVnDesignerError, TVnTable(nullptr, "x", nullptr));
    TVnTable* ten = wa->AddTable("ten", m_supplier->Get("ten"));
    QCOMPARE(ten->VisibleItems(), 6);
    QCOMPARE(ten->Height(), 128);
    QVERIFY(ten->Selected());
    QVERIFY(!wa->ItemScrollBar()->isHidden());
    QCOMPARE(wa->ItemScrollBar()->maximum(), 4);
    QCOMPARE(wa->ItemScrollBar()->pageStep(), 5);
    ten->ScrollTo(-3);
    QCOMPARE(ten->TopItem(), 0);
    ten->ScrollTo(100);
    QCOMPARE(ten->TopItem(), 4);
    QCOMPARE(wa->ItemScrollBar()->value(), 4);
    // Anchors: scrolled above -> caption band; below -> bottom strip.
    QCOMPARE(ten->GetItemAnchorRect(ten->FindItem("f0")), ten->Geometry().CaptionBand());
    ten->ScrollTo(0);
    const TVnTableGeometry& g = ten->Geometry();
    QCOMPARE(ten->GetItemAnchorRect(ten->FindItem("f9")),
             VnRect(g.Left, g.Top + g.Height - 2, g.Left + g.Width, g.Top + g.Height));
    ten->SetExpanded(false);
    QCOMPARE(ten->GetItemAnchorRect(ten->FindItem("f2")), ten->GetBounds());
    QCOMPARE(ten->GetBounds().height(), 20);
    ten->SetExpanded(true);
    ten->SetHeight(10);
    QCOMPARE(ten->Height(), 56);
    QCOMPARE(ten->VisibleItems(), 1);
    ten->SetWidth(10);
    QCOMPARE(ten->Width(), 80);
    TVnTable* small = wa->AddTable("t", m_supplier->Get("t"));
    small->SetHeight(128);
    QCOMPARE(small->VisibleItems(), 5);
    small->ScrollTo(2);
    QCOMPARE(small->TopItem(), 0);
    QVERIFY(wa->ItemScrollBar()->isHidden());
    // Geometry without any window.
    TVnTableGeometry free;
    free.Height = 77;
    free.ItemCount = 3;
    free.VisibleItems = 3;
    QCOMPARE(free.RowRect(0), VnRect(4, 21, 96, 37));
    QCOMPARE(free.ItemAreaRect(), VnRect(4, 22, 96, 73));
    QCOMPARE(free.ItemIndexAt(36), 0);
    QCOMPARE(free.ItemIndexAt(37), 1);
    QCOMPARE(free.ItemIndexAt(200), -1);
  }

  void itemsNamesAndTypes() {
    TMySQLVantor d;
    TFields f;
    f.Add(TField("id", ftInteger));
    f.Add(TField("price", ftCurrency));
    f.Add(TField("stamp", ftTimeStamp));
    TMemoryDataSet ds(f);
    TVnTable* t = d.WorkArea()->AddTable("goods", &ds);
    QCOMPARE(t->FindItem("id")->GetTypeName(), QString("Integer"));
    QCOMPARE(t->FindItem("price")->GetTypeName(), QString("Float"));
    QCOMPARE(t->FindItem("stamp")->GetTypeName(), QString());
    QCOMPARE(t->FindItem("ID"), nullptr);
    QCOMPARE(FieldTypeCaption(ftTypedBinary), QString("Typed binary"));
    QVERIFY(!FieldTypesCompatible(ftInteger, ftCurrency));
    QVERIFY(FieldTypesCompatible(ftInteger, ftLargeint));
    QVERIFY(FieldTypesCompatible(ftDate, ftDate));
    QVERIFY(!FieldTypesCompatible(ftDate, ftDateTime));
    QVERIFY(FieldTypesCompatible(ftMemo, ftFixedChar));
    QCOMPARE(t->GetCaptionText(), QString("goods"));
    t->SetAlias("  ");
    QCOMPARE(t->RefName(), QString("goods"));
  }

  void workAreaNeedsADesigner() {
    QWidget plain;
    QVERIFY_THROWS_EXCEPTION(EVnDesignerError, TVnWorkArea area(&plain));
  }

  void movingRepaintsOnlyItsRegion() {
    TMySQLVantor d;
    d.resize(900, 700);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    m_supplier->Attach(d);
    d.SetSQL("SELECT a.name, b.label, c.id FROM a INNER JOIN b ON (a.id = b.a_id) "
             "INNER JOIN c ON (b.id = c.b_id)");
    TVnWorkArea* wa = d.WorkArea();
    TVnTable* c = wa->FindTable("c");
    wa->TakeInvalidated();
    const QRect before = c->GetBounds();
    c->MoveBy(30, 200);
    const QRegion r = wa->TakeInvalidated();
    QVERIFY(r.contains(before));
    QVERIFY(r.contains(c->GetBounds()));
    // Table a, which no moved link touches, is not repainted.
    QVERIFY(!r.intersects(wa->FindTable("a")->GetBounds().adjusted(0, 0, -0, -0)));
    // Far less than the visible diagram is repainted.
    int area = 0;
    for (const QRect& part : r)
      area += part.width() * part.height();
    QVERIFY2(area * 4 < wa->viewport()->width() * wa->viewport()->height(), qPrintable(QString::number(area)));
  }

  // The picture is the behaviour: a table drawn in place with its caption and its rows.
  void grabbedTablePicture() {
    TMySQLVantor d;
    d.resize(400, 400);
    m_supplier->Attach(d);
    d.SetSQL("SELECT t.x, t.z FROM t");
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    TVnWorkArea* wa = d.WorkArea();
    const QImage img = wa->viewport()->grab().toImage();
    img.save(QDir::temp().filePath("vantor-designer-table.png"));
    TVnTable* t = wa->TableAt(0);
    const TVnTableGeometry& g = t->Geometry();
    // In place: background left of the table, caption colour (selected: silver) inside it.
    QCOMPARE(img.pixelColor(g.Left - 5, g.Top + 5), wa->BackgroundColor());
    QCOMPARE(img.pixelColor(g.Left + g.Width - 2 - 45, g.Top + 10), QColor(192, 192, 192));
    // The caption text is drawn (dark pixels in the caption text rectangle).
    auto darkPixels = [&](const QRect& r) {
      int n = 0;
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          n += img.pixelColor(x, y).lightness() < 100;
      return n;
    };
    QVERIFY(darkPixels(g.CaptionTextRect()) > 10);
    // Checked rows show the tick; the unchecked one an empty box.
    auto glyph = [&](int i) { QRect r = g.RowRect(i); return QRect(r.left() + 3, r.top() + 4, 10, 10); };
    QVERIFY(darkPixels(glyph(0)) > 3);
    QCOMPARE(darkPixels(glyph(1)), 0);
    QVERIFY(darkPixels(glyph(2)) > 3);
    // Each row carries its field name.
    for (int i = 0; i < 3; ++i) {
      QRect r = g.RowRect(i);
      QVERIFY(darkPixels(QRect(r.left() + 18, r.top() + 2, 30, r.height() - 3)) > 3);
    }
    // The same picture as a paint into an image.
    QImage direct(wa->viewport()->size(), QImage::Format_RGB32);
    QPainter p(&direct);
    wa->PaintDiagram(p, QRegion(direct.rect()));
    p.end();
    QCOMPARE(direct.convertToFormat(QImage::Format_RGB32), img.convertToFormat(QImage::Format_RGB32));
  }

private:
  std::unique_ptr<FieldSupplier> m_supplier;
};

QTEST_MAIN(DesignerTest)
#include "designer_test.moc"
