// Scaling of the query model: rendering and building large select lists.
//
// Run: build/bench/bench_core --benchmark_filter=. --benchmark_repetitions=1
// Compare the /100000 rows with the /10000 rows: the work grows ten times.

#include "core/select_parser.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace vantor;

namespace {

constexpr int kItemsPerTable = 100;

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
BENCHMARK(BM_Render)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_AddFields)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
