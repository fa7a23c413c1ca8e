// Places the designer, feeds it a statement through an in-memory field supplier, and checks
// that the diagram and the SQL text come back. Exit code 0 on success.
#include "core/select_parser.h"
#include "dataaccess/memory_dataset.h"
#include "designer/vantor.h"
#include "designer/vn_work_area.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TMemoryDataSet film(TFields{{"film_id", ftSmallint}, {"title", ftString}});
  vantor::TMySQLVantor designer;
  designer.OnGetTableFields = [&](const QString&, TDataSet*& ds, TParams*&) { ds = &film; };
  designer.SetSQL("SELECT f.title FROM film f");
  const QString sql = designer.GetSQL();
  std::printf("%s\n", qPrintable(sql));
  const bool ok = designer.WorkArea()->TableCount() == 1 && sql.contains("title") &&
                  designer.Parser()->Valid();
  return ok ? 0 : 1;
}
