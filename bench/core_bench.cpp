// Speed and scaling of the core: rendering and building large select lists, parsing typical
// and very large statements.
//
// Run (see the README):
//   build/bench/bench_core --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
//     --benchmark_report_aggregates_only=true
// Compare the /100000 rows with the /10000 rows: the work grows ten times. Interleaving the
// repetitions lets both sizes of a pair share whatever else the machine was doing meanwhile.

#include "core/mysql_parser.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace vantor;

namespace {

constexpr int kItemsPerTable = 100;

// The fastest repetition, the one least disturbed by whatever else the machine runs: on a
// shared virtual machine the larger cases of a pair vary by a tenth or more between runs.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// items select items spread over items/100 tables joined in a chain, a few conditions and
// sort entries.
std::unique_ptr<TVnSelectParser> BuildModel(int items) {
  auto root = NewParser<TVnSelectParser>();
  const int tableCount = items / kItemsPerTable;
  std::vector<TVnTableDef*> tables;
  for (int t = 0; t < tableCount; ++t) {
    TVnTableDef* table = root->TableDefs().Add();
    table->SetName("table_" + std::to_string(t));
    table->SetAlias("t" + std::to_string(t));
    tables.push_back(table);
    if (t > 0) {
      TVnJoinDef* join = tables[t - 1]->Joins().Add();
      join->SetLeftField("id");
      join->SetRightTable(table->Alias());
      join->SetRightField("parent_id");
    }
  }
  for (int i = 0; i < items; ++i) {
    TVnFieldDef* field = tables[i % tableCount]->Fields().Add();
    if (i % 10 == 9) {
      field->SetName("SUM");
      field->SetKind(fkFunction);
      TVnFunctionDef* arg = field->Args().Add();
      arg->SetName("amount");
      arg->SetKind(fkField);
    } else {
      field->SetName("col" + std::to_string(i % 50));
      field->SetKind(fkField);
    }
  }
  for (int c = 0; c < 4; ++c) {
    TVnCriterion* criterion = root->WhereItems().Add();
    criterion->Left().SetName("t0.col" + std::to_string(c));
    criterion->Left().SetKind(fkField);
    criterion->Args().Add()->SetName(std::to_string(c));
  }
  root->OrderByItems().AddItem("t0.col1", true);
  return root;
}

void BM_Render(benchmark::State& state) {
  auto root = BuildModel(static_cast<int>(state.range(0)));
  root->Scanner().SetQuoteIdentifiers(true);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = root->GetScript();
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Render)
    ->ComputeStatistics("min", Fastest)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// Adding field defs one at a time, each getting its unique output name.
void BM_AddFields(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto root = BuildModel(kItemsPerTable);  // one table to start from
    state.PauseTiming();
    std::vector<TVnTableDef*> tables;
    for (int t = 0; t < items / kItemsPerTable; ++t) {
      TVnTableDef* table = root->TableDefs().Add();
      table->SetName("x" + std::to_string(t));
      tables.push_back(table);
    }
    state.ResumeTiming();
    for (int i = 0; i < items; ++i) {
      TVnFieldDef* field = tables[static_cast<std::size_t>(i) % tables.size()]->Fields().Add();
      field->SetName("col" + std::to_string(i % 50));
      field->SetKind(i % 10 == 9 ? fkFunction : fkField);
    }
    benchmark::DoNotOptimize(root->TableDefs().FieldCount());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddFields)
    ->ComputeStatistics("min", Fastest)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace


// ---------------------------------------------------------------------------------------------
// Parsing

namespace {

// Three joins, ten select items with an aggregate, four conditions, ORDER BY and LIMIT.
const char* const kTypicalStatement =
    "SELECT \r\n"
    "  `f`.`film_id`,\r\n  `f`.`title`,\r\n  `f`.`release_year`,\r\n  `f`.`rating`,\r\n"
    "  `c`.`name` AS `category`,\r\n  `a`.`first_name`,\r\n  `a`.`last_name`,\r\n"
    "  `l`.`name` AS `language`,\r\n  `f`.`length`,\r\n  COUNT(`fa`.`actor_id`) AS `actors`\r\n"
    "FROM\r\n  `film` `f` \r\n"
    "  INNER JOIN `film_actor` `fa` ON (`f`.`film_id` = `fa`.`film_id`)\r\n"
    "  INNER JOIN `language` `l` ON (`f`.`language_id` = `l`.`language_id`) \r\n"
    "  INNER JOIN `actor` `a` ON (`fa`.`actor_id` = `a`.`actor_id`)\r\n"
    "WHERE\r\n  (`f`.`length` BETWEEN 60 AND 120) AND \r\n  (`f`.`rating` IN ('PG', 'G')) AND \r\n"
    "  (`a`.`last_name` LIKE 'S%') AND \r\n  (`f`.`release_year` >= 2005)\r\n"
    "GROUP BY\r\n  `f`.`film_id`\r\n"
    "ORDER BY\r\n  `f`.`title`,\r\n  `actors` DESC\r\nLIMIT 20, 10";

void BM_ParseAndRenderTypical(benchmark::State& state) {
  auto root = NewParser<TVnMySelectParser>();
  const std::string text = kTypicalStatement;
  for (auto _ : state) {
    root->SetSQL(text);
    std::string rendered = root->GetScript();
    benchmark::DoNotOptimize(rendered);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseAndRenderTypical)->ComputeStatistics("min", Fastest);

// items select items over items/100 tables joined in a chain.
std::string LargeStatement(int items) {
  const int tables = items / kItemsPerTable;
  std::string text = "SELECT ";
  for (int i = 0; i < items; ++i) {
    if (i > 0)
      text += ",\r\n  ";
    text += "t" + std::to_string(i % tables) + ".col" + std::to_string(i / tables);
  }
  text += "\r\nFROM\r\n  table_0 t0";
  for (int t = 1; t < tables; ++t)
    text += "\r\n  INNER JOIN table_" + std::to_string(t) + " t" + std::to_string(t) + " ON (t" +
            std::to_string(t - 1) + ".id = t" + std::to_string(t) + ".parent_id)";
  text += "\r\nWHERE\r\n  (t0.col1 > 5)\r\nORDER BY\r\n  t0.col2";
  return text;
}

void BM_ParseAndRenderLarge(benchmark::State& state) {
  const std::string text = LargeStatement(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto root = NewParser<TVnMySelectParser>();
    root->SetSQL(text);
    std::string rendered = root->GetScript();
    benchmark::DoNotOptimize(rendered);
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseAndRenderLarge)
    ->ComputeStatistics("min", Fastest)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// Each iteration builds a model and frees it again. glibc hands a freed block back to the
// kernel once it is larger than a trim threshold, and that threshold moves with the sizes the
// process freed before. So the larger case of a pair can end up faulting its memory in afresh
// on every iteration while the smaller one reuses the heap; on a virtual machine that alone
// moves the ratio between 10x and 20x from one run to the next. Both sizes run on memory the
// process keeps, unless VANTOR_BENCH_DEFAULT_MALLOC is set.
int main(int argc, char** argv) {
#ifdef __GLIBC__
  if (!std::getenv("VANTOR_BENCH_DEFAULT_MALLOC")) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
  }
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
