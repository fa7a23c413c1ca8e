// The designer after SetSQL of a three-table statement over Sakila's film, film_actor and
// actor (an in-memory field supplier with Sakila's columns), grabbed offscreen.

#include "dataaccess/memory_dataset.h"
#include "designer/vantor.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <map>
#include <memory>

using namespace vantor;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/designer.png");
  std::map<QString, std::unique_ptr<TMemoryDataSet>> tables;
  tables["film"] = std::make_unique<TMemoryDataSet>(TFields{
      {"film_id", ftSmallint}, {"title", ftString}, {"description", ftMemo},
      {"release_year", ftSmallint}, {"language_id", ftSmallint},
      {"original_language_id", ftSmallint}, {"rental_duration", ftSmallint},
      {"rental_rate", ftBCD}, {"length", ftSmallint}, {"replacement_cost", ftBCD},
      {"rating", ftString}, {"special_features", ftString}, {"last_update", ftDateTime}});
  tables["film_actor"] = std::make_unique<TMemoryDataSet>(
      TFields{{"actor_id", ftSmallint}, {"film_id", ftSmallint}, {"last_update", ftDateTime}});
  tables["actor"] = std::make_unique<TMemoryDataSet>(
      TFields{{"actor_id", ftSmallint}, {"first_name", ftString}, {"last_name", ftString},
              {"last_update", ftDateTime}});

  TMySQLVantor designer;
  designer.setWindowTitle(QStringLiteral("Vantor"));
  designer.resize(820, 520);
  designer.OnGetTableFields = [&](const QString& name, TDataSet*& ds, TParams*&) {
    auto it = tables.find(name);
    ds = it == tables.end() ? nullptr : it->second.get();
  };
  designer.show();
  designer.SetSQL(
      "SELECT f.title, f.release_year, f.rating, a.first_name, a.last_name "
      "FROM film f INNER JOIN film_actor fa ON (f.film_id = fa.film_id) "
      "INNER JOIN actor a ON (fa.actor_id = a.actor_id)");
  QApplication::processEvents();
  designer.grab().save(out);
  std::printf("%s\n%s\n", qPrintable(out), qPrintable(designer.GetSQL()));
  return 0;
}
