// Fetches a 100,000-row result from the sandbox server into a TClientDataSet and, side by side,
// with the mariadb command-line client (--batch, output to /dev/null). Each fetch runs in a
// process of its own, so that wall time and peak memory (wait4's ru_maxrss) are measured the
// same way for both; the figure to watch is the ratio of the medians (target: at most 2).
//
//   source <(scripts/sandbox env) && bench_dataaccess_fetch [rounds]
#include "dataaccess/client_dataset.h"
#include "dataaccess/database_error.h"
#include "dataaccess/dataset_provider.h"
#include "dataaccess/sql_connection.h"
#include "dataaccess/sql_query.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int Rows = 100000;
const char* const Query =
    "SELECT f.film_id, f.title, f.release_year, f.rental_rate, f.last_update, a.actor_id, "
    "a.first_name, a.last_name FROM film f CROSS JOIN actor a ORDER BY f.film_id, a.actor_id "
    "LIMIT 100000";

std::string Env(const char* name, const char* fallback = "") {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

using Clock = std::chrono::steady_clock;

int FetchOnce(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const auto start = Clock::now();
  TSQLConnection connection;
  connection.Params().SetValue("HostName", "localhost");
  connection.Params().SetValue("UnixSocket", QString::fromStdString(Env("VANTOR_DB_SOCKET")));
  connection.Params().SetValue("Database", "sakila");
  connection.Params().SetValue("User_Name",
                               QString::fromStdString(Env("VANTOR_DB_USER", "vantor")));
  connection.Params().SetValue("Password",
                               QString::fromStdString(Env("VANTOR_DB_PASSWORD", "vantor")));
  TSQLQuery query;
  query.SetSQLConnection(&connection);
  query.SetSQL(QString::fromLatin1(Query));
  TDataSetProvider provider;
  provider.SetDataSet(&query);
  TClientDataSet clients;
  clients.SetProvider(&provider);
  try {
    clients.Open();
  } catch (const EDatabaseError& error) {
    std::fprintf(stderr, "fetch failed: %s\n", error.what());
    return 1;
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (clients.RecordCount() != Rows) {
    std::fprintf(stderr, "fetched %d rows, expected %d\n", clients.RecordCount(), Rows);
    return 1;
  }
  std::printf("    in-process: connect + fetch %d rows into TClientDataSet: %.1f ms\n", Rows, ms);
  return 0;
}

struct Run {
  double Ms;
  long PeakKiB;
};

// Runs argv with standard output sent to /dev/null when `quiet`; measures the child alone.
Run Spawn(const std::vector<std::string>& args, bool quiet) {
  std::vector<char*> argv;
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet)
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const auto start = Clock::now();
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    std::exit(1);
  }
  return {ms, usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--fetch-once")
    return FetchOnce(argc, argv);
  if (Env("VANTOR_DB_SOCKET").empty()) {
    std::fprintf(stderr, "VANTOR_DB_SOCKET is unset: scripts/sandbox start && "
                         "source <(scripts/sandbox env)\n");
    return 1;
  }
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::vector<std::string> ours{"/proc/self/exe", "--fetch-once"};
  const std::vector<std::string> client{"mariadb",
                                        "--no-defaults",
                                        "--batch",
                                        "--socket=" + Env("VANTOR_DB_SOCKET"),
                                        "--user=" + Env("VANTOR_DB_USER", "vantor"),
                                        "--password=" + Env("VANTOR_DB_PASSWORD", "vantor"),
                                        "--database=sakila",
                                        std::string("--execute=") + Query};
  std::vector<double> oursMs, clientMs;
  long oursPeak = 0, clientPeak = 0;
  Spawn(client, true); // warm the server's buffer pool
  for (int round = 0; round < rounds; ++round) {
    std::printf("round %d\n", round + 1);
    std::fflush(stdout);
    const Run a = Spawn(ours, false);
    const Run b = Spawn(client, true);
    oursMs.push_back(a.Ms);
    clientMs.push_back(b.Ms);
    oursPeak = std::max(oursPeak, a.PeakKiB);
    clientPeak = std::max(clientPeak, b.PeakKiB);
    std::printf("    TClientDataSet process %.1f ms, mariadb --batch %.1f ms\n", a.Ms, b.Ms);
  }
  const double ourMedian = Median(oursMs);
  const double clientMedian = Median(clientMs);
  std::printf("\n%d rows, median of %d runs (whole process: start, connect, fetch, exit)\n", Rows,
              rounds);
  std::printf("  TClientDataSet      %8.1f ms   peak RSS %7.1f MiB\n", ourMedian,
              oursPeak / 1024.0);
  std::printf("  mariadb --batch     %8.1f ms   peak RSS %7.1f MiB\n", clientMedian,
              clientPeak / 1024.0);
  std::printf("  ratio               %8.2f (target: at most 2)\n", ourMedian / clientMedian);
  return 0;
}
