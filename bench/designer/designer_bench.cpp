// SetSQL of 100 tables x 20 fields with 99 joins and 500 select items, diagram included
// (target < 150 ms); a full repaint of that diagram into a QImage (target < 10 ms); the area
// that moving one table repaints.

#include "dataaccess/memory_dataset.h"
#include "designer/vantor.h"
#include "designer/vn_work_area.h"
#include "diagram/vn_table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

using namespace vantor;

namespace {
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  constexpr int kTables = 100, kFields = 20, kSelected = 5;

  TFields fields;
  for (int f = 0; f < kFields; ++f)
    fields.Add(TField(QStringLiteral("f%1").arg(f), ftInteger));
  TMemoryDataSet dataSet(fields);

  QString select, from;
  for (int t = 0; t < kTables; ++t)
    for (int f = 0; f < kSelected; ++f)
      select += QStringLiteral("%1t%2.f%3").arg(select.isEmpty() ? "" : ", ").arg(t).arg(f * 3);
  from = QStringLiteral("t0");
  for (int t = 1; t < kTables; ++t)
    from += QStringLiteral(" INNER JOIN t%1 ON (t%2.f0 = t%1.f1)").arg(t).arg(t - 1);
  const QString sql = QStringLiteral("SELECT ") + select + QStringLiteral(" FROM ") + from;

  TMySQLVantor designer;
  designer.resize(1280, 800);
  designer.show();
  QApplication::processEvents();
  designer.OnGetTableFields = [&](const QString&, TDataSet*& ds, TParams*&) { ds = &dataSet; };

  std::vector<double> setSql;
  for (int run = 0; run < 7; ++run) {
    QElapsedTimer timer;
    timer.start();
    designer.SetSQL(sql);
    setSql.push_back(timer.nsecsElapsed() / 1e6);
    QApplication::processEvents();
  }
  TVnWorkArea* wa = designer.WorkArea();
  std::printf("SetSQL: %d tables, %zu links, %d select items: median %.1f ms (min %.1f, max %.1f)\n",
              wa->TableCount(), wa->Links().size(), designer.Parser()->TableDefs().FieldCount(),
              Median(setSql), *std::min_element(setSql.begin(), setSql.end()),
              *std::max_element(setSql.begin(), setSql.end()));

  // Full repaint of the whole diagram (every table and link) into one image.
  QRect all;
  for (const auto& t : wa->Tables())
    all |= t->GetBounds();
  all.adjust(-20, -20, 20, 20);
  QImage image(all.size(), QImage::Format_ARGB32_Premultiplied);
  const QPoint scroll = wa->ScrollOffset();
  std::vector<double> paint;
  for (int run = 0; run < 15; ++run) {
    QElapsedTimer timer;
    timer.start();
    QPainter p(&image);
    p.translate(scroll - all.topLeft());
    wa->PaintDiagram(p, QRegion(all.translated(-scroll)));
    p.end();
    paint.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::printf("Full repaint into a %dx%d QImage: median %.2f ms (min %.2f)\n", all.width(),
              all.height(), Median(paint), *std::min_element(paint.begin(), paint.end()));

  // Rearranged into a 10 x 10 grid (as a host would place them) and painted again.
  for (int i = 0; i < wa->TableCount(); ++i) {
    TVnTable* t = wa->TableAt(i);
    const int n = t->Name().mid(1).toInt();
    t->SetLeft(20 + (n % 10) * 140);
    t->SetTop(20 + (n / 10) * 150);
  }
  all = QRect();
  for (const auto& t : wa->Tables())
    all |= t->GetBounds();
  all.adjust(-20, -20, 20, 20);
  QImage grid(all.size(), QImage::Format_ARGB32_Premultiplied);
  paint.clear();
  for (int run = 0; run < 15; ++run) {
    QElapsedTimer timer;
    timer.start();
    QPainter p(&grid);
    p.translate(scroll - all.topLeft());
    wa->PaintDiagram(p, QRegion(all.translated(-scroll)));
    p.end();
    paint.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::printf("Full repaint of the 10x10 grid into a %dx%d QImage: median %.2f ms\n", all.width(),
              all.height(), Median(paint));

  // Moving one table: what is invalidated.
  QApplication::processEvents();
  wa->TakeInvalidated();
  TVnTable* moved = wa->FindTable("t12");
  moved->MoveBy(25, 40);
  const QRegion region = wa->TakeInvalidated();
  long area = 0;
  for (const QRect& r : region)
    area += static_cast<long>(r.width()) * r.height();
  const QSize vp = wa->viewport()->size();
  std::printf("Moving one table (2 links) invalidates %d rectangles, %ld px = %.1f%% of the %dx%d view\n",
              region.rectCount(), area, 100.0 * area / (vp.width() * vp.height()), vp.width(),
              vp.height());
  return 0;
}
