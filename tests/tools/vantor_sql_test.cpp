#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

std::string ShellQuote(const std::string& s) {
  std::string quoted = "'";
  for (char c : s)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs vantor-sql with args, feeding input on standard input.
TRun RunTool(const std::vector<std::string>& args, const std::string& input = "") {
  static int counter = 0;
  const fs::path dir =
      fs::temp_directory_path() /
      ("vantor_sql_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  fs::create_directories(dir);
  std::ofstream(dir / "in", std::ios::binary) << input;
  std::string command = ShellQuote(VANTOR_SQL_PATH);
  for (const std::string& arg : args)
    command += " " + ShellQuote(arg);
  command += " <" + ShellQuote((dir / "in").string()) + " >" + ShellQuote((dir / "out").string()) +
             " 2>" + ShellQuote((dir / "err").string());
  const int raw = std::system(command.c_str());
  TRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(dir / "out");
  run.err = ReadFile(dir / "err");
  fs::remove_all(dir);
  return run;
}

// ---------------------------------------------------------------------------------------------
// format

struct TFormatCase {
  const char* name;
  std::vector<std::string> args;
  const char* input;
  const char* expected;
};

void PrintTo(const TFormatCase& c, std::ostream* os) {
  *os << c.name;
}

class Format : public testing::TestWithParam<TFormatCase> {};

TEST_P(Format, PrintsTheRenderedStatement) {
  const TFormatCase& c = GetParam();
  const TRun run = RunTool(c.args, c.input);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, c.expected);
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Tool, Format,
    testing::Values(
        TFormatCase{
            "MySqlQuotedByDefault",
            {"format"},
            "select t.a, t.b from t where a = 1 order by a desc limit 5",
            "SELECT \r\n  `t`.`a`,\r\n  `t`.`b`\r\nFROM\r\n  `t`\r\nWHERE\r\n  (`a` = 1)\r\n"
            "ORDER BY\r\n  `a` DESC\r\nLIMIT 5"},
        TFormatCase{"GenericUnquotedLowerKeywords",
                    {"format", "--dialect", "generic", "--no-quote", "--keywords", "lower"},
                    "SELECT t.a, t.b FROM t WHERE (a = 1) AND (b < 2)",
                    "select \r\n  t.a,\r\n  t.b\r\nfrom\r\n  t\r\nwhere\r\n  (a = 1) and \r\n"
                    "  (b < 2)\r\n"},
        TFormatCase{"FunctionCaseWithEqualsForm",
                    {"format", "--functions=first", "--keywords=upper"},
                    "select count(t.a) as n, date_format(t.d, '%Y') as y from t",
                    "SELECT \r\n  Count(`t`.`a`) AS `n`,\r\n  Date_Format(`t`.`d`, '%Y') AS `y`\r\n"
                    "FROM\r\n  `t`\r\n"},
        // Unix line ends read as line breaks; a lone LF would otherwise glue words together.
        TFormatCase{"UnixLineEnds",
                    {"format", "-"},
                    "SELECT t.a\nFROM t\n",
                    "SELECT \r\n  `t`.`a`\r\nFROM\r\n  `t`\r\n"},
        TFormatCase{"EmptyInputPrintsNothing", {"format"}, "", ""}),
    [](const testing::TestParamInfo<TFormatCase>& info) { return info.param.name; });

TEST(Tool, ReadsTheNamedFile) {
  const fs::path file = fs::temp_directory_path() / "vantor_sql_test_file.sql";
  std::ofstream(file, std::ios::binary) << "SELECT t.a FROM t";
  const TRun run = RunTool({"format", file.string()}, "SELECT ignored FROM stdin");
  fs::remove(file);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "SELECT \r\n  `t`.`a`\r\nFROM\r\n  `t`\r\n");
}

// ---------------------------------------------------------------------------------------------
// model

TEST(Tool, ModelShowsEveryPartOfTheStatement) {
  const TRun run = RunTool(
      {"model"}, "SELECT STRAIGHT_JOIN DISTINCTROW o.id, COUNT(o.id) AS n FROM orders o "
                 "LEFT JOIN customers c ON (o.cust_id = c.id) "
                 "WHERE (o.total > 100) AND NOT ((c.x IS NULL) OR (c.y IN (1, 2))) "
                 "GROUP BY o.id HAVING (COUNT(o.id) >= 2) ORDER BY n DESC, o.id LIMIT 20, 10");
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json model = nlohmann::json::parse(run.out);

  ASSERT_EQ(model["tables"].size(), 2u);
  const nlohmann::json& orders = model["tables"][0];
  EXPECT_EQ(orders["name"], "orders");
  EXPECT_EQ(orders["alias"], "o");
  ASSERT_EQ(orders["fields"].size(), 2u);
  EXPECT_EQ(orders["fields"][0]["name"], "id");
  EXPECT_EQ(orders["fields"][0]["kind"], "field");
  EXPECT_EQ(orders["fields"][0]["select_index"], 0);
  const nlohmann::json& count = orders["fields"][1];
  EXPECT_EQ(count["name"], "COUNT");
  EXPECT_EQ(count["alias"], "n");
  EXPECT_EQ(count["kind"], "function");
  EXPECT_EQ(count["select_index"], 1);
  ASSERT_EQ(count["args"].size(), 1u);
  EXPECT_EQ(count["args"][0]["name"], "id");
  EXPECT_EQ(orders["joins"], nlohmann::json::parse(R"([{"kind": "left_outer",
      "left_field": "cust_id", "operator": "=", "right_table": "c", "right_field": "id"}])"));

  const nlohmann::json& where = model["where"];
  EXPECT_EQ(where["group_kind"], "all");
  ASSERT_EQ(where["items"].size(), 2u);
  EXPECT_EQ(where["items"][0]["operator"], ">");
  EXPECT_EQ(where["items"][0]["args"][0]["kind"], "integer");
  EXPECT_EQ(where["items"][1]["group_kind"], "not_all");
  EXPECT_EQ(where["items"][1]["items"][0]["operator"], "IS NULL");
  EXPECT_EQ(where["items"][1]["items"][1]["args"].size(), 2u);
  EXPECT_EQ(model["having"]["items"][0]["operator"], ">=");

  // GROUP BY as the text wrote it, not derived from the select list.
  EXPECT_EQ(model["group_by"], nlohmann::json::parse(R"(["o.id"])"));
  EXPECT_EQ(model["order_by"], nlohmann::json::parse(
                                   R"([{"entry": "n", "descending": true},
                                       {"entry": "o.id", "descending": false}])"));
  EXPECT_EQ(model["filter"], "distinctrow");
  EXPECT_EQ(model["select_options"], nlohmann::json::parse(R"(["STRAIGHT_JOIN"])"));
  EXPECT_EQ(model["limit_rows"], 10);
  EXPECT_EQ(model["limit_offset"], 20);
}

TEST(Tool, GenericModelHasNoMySqlParts) {
  const TRun run = RunTool({"model", "--dialect", "generic"}, "SELECT DISTINCT a FROM t");
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json model = nlohmann::json::parse(run.out);
  EXPECT_EQ(model["distinct"], true);
  EXPECT_FALSE(model.contains("filter"));
  EXPECT_FALSE(model.contains("limit_rows"));
}

// Names are bytes to the core; JSON needs UTF-8, and a name must not make the output fail.
TEST(Tool, ModelOfInvalidUtf8IsStillJson) {
  const TRun run = RunTool({"model"}, "SELECT `a\xff` FROM t");
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json model = nlohmann::json::parse(run.out);
  EXPECT_EQ(model["tables"][0]["fields"][0]["name"], "a\xEF\xBF\xBD");
}

// ---------------------------------------------------------------------------------------------
// Failures

struct TFailureCase {
  const char* name;
  std::vector<std::string> args;
  const char* input;
  int status;
  const char* err; // the whole of standard error
};

void PrintTo(const TFailureCase& c, std::ostream* os) {
  *os << c.name;
}

class Failure : public testing::TestWithParam<TFailureCase> {};

TEST_P(Failure, ExitsWithStatusAndMessage) {
  const TFailureCase& c = GetParam();
  const TRun run = RunTool(c.args, c.input);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Tool, Failure,
    testing::Values(
        TFailureCase{"InvalidToken",
                     {"format"},
                     "SELECT a FROM t AS x",
                     1,
                     "Invalid token 'AS' at position 17 of line 1.\ntoken: AS\nline: 1\n"
                     "column: 17\n"},
        TFailureCase{"InvalidTokenOnLaterLine",
                     {"model"},
                     "SELECT a\r\nFROM t\r\n  AS x",
                     1,
                     "Invalid token 'AS' at position 3 of line 3.\ntoken: AS\nline: 3\n"
                     "column: 3\n"},
        TFailureCase{"UnexpectedEnd",
                     {"format"},
                     "SELECT a FROM t WHERE (a = ",
                     1,
                     "Unexpected end of statement.\ntoken: \nline: 1\ncolumn: 28\n"},
        TFailureCase{"UnterminatedString",
                     {"model"},
                     "SELECT a FROM t WHERE x = 'abc",
                     1,
                     "Unterminated string.\ntoken: abc\nline: 1\ncolumn: 28\n"},
        TFailureCase{"MissingFile",
                     {"format", "/nonexistent/q.sql"},
                     "",
                     2,
                     "vantor-sql: cannot read '/nonexistent/q.sql': No such file or "
                     "directory\n"},
        TFailureCase{"DirectoryAsFile",
                     {"model", "/"},
                     "",
                     2,
                     "vantor-sql: cannot read '/': Is a directory\n"},
        TFailureCase{"UnknownDialect",
                     {"format", "--dialect", "oracle"},
                     "",
                     2,
                     "vantor-sql: unknown dialect 'oracle' (mysql or generic)\n"
                     "Try 'vantor-sql --help'.\n"},
        TFailureCase{"NoCommand",
                     {},
                     "",
                     2,
                     "vantor-sql: no command given (format or model)\n"
                     "Try 'vantor-sql --help'.\n"}),
    [](const testing::TestParamInfo<TFailureCase>& info) { return info.param.name; });

TEST(Tool, HelpDocumentsCommandsOptionsAndStatuses) {
  const TRun run = RunTool({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"format", "model", "--dialect", "--no-quote", "--keywords",
                           "--functions", "select_index", "group_kind", "limit_offset"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

} // namespace
