// Hostile input: whatever the bytes, the core answers with its own error or with a model it
// can render; it never crashes, hangs or runs out of stack.

#include "core/errors.h"
#include "core/mysql_parser.h"
#include "core/select_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace vantor;

namespace {

enum class TDialect : std::uint8_t { MySQL, Generic };

std::unique_ptr<TVnSelectParser> NewRoot(TDialect dialect) {
  if (dialect == TDialect::MySQL)
    return NewParser<TVnMySelectParser>();
  return NewParser<TVnSelectParser>();
}

// What the core made of a text: its error, or the model and its rendering.
struct TOutcome {
  bool error = false;
  std::string message;
  std::string rendered;
  std::unique_ptr<TVnSelectParser> root;
};

TOutcome Parse(TDialect dialect, const std::string& text, TVnFormatMode functions = qfmAsIs) {
  TOutcome outcome;
  outcome.root = NewRoot(dialect);
  outcome.root->ScriptFormat().SetFunctionsFormat(functions);
  try {
    outcome.root->SetSQL(text);
  } catch (const EVnError& e) {
    outcome.error = true;
    outcome.message = e.what();
    return outcome;
  }
  // Without an OnParserError handler, an invalid text must have raised.
  EXPECT_TRUE(outcome.root->Valid());
  outcome.rendered = outcome.root->GetScript();
  return outcome;
}

std::string Repeat(const std::string& part, std::size_t count) {
  std::string text;
  text.reserve(part.size() * count);
  for (std::size_t i = 0; i < count; ++i)
    text += part;
  return text;
}

constexpr std::size_t kDeep = 100000;
constexpr std::size_t kTenMegabytes = 10u << 20;

// Select items t0.c0, t1.c1, ... over tables t0, t1, ... until the text is 10 MB. (The 10 MB
// statements with a model are in the tests below, which check the model too.)
std::string HugeSelectList() {
  std::string items;
  std::string tables;
  int i = 0;
  while (items.size() + tables.size() < kTenMegabytes) {
    const std::string n = std::to_string(i);
    items += (i ? ", t" : "t") + std::to_string(i % 1000) + ".c" + n;
    if (i < 1000)
      tables += (i ? ", t" : "t") + n;
    ++i;
  }
  return "SELECT " + items + " FROM " + tables;
}

enum class TExpect : std::uint8_t { Error, Model };

struct THostileCase {
  const char* name;
  std::function<std::string()> text;
  TExpect expect;
};

void PrintTo(const THostileCase& c, std::ostream* os) {
  *os << c.name;
}

const THostileCase kHostileCases[] = {
    // Nesting beyond any real statement is refused rather than recursed into.
    {"ParenthesesInSelectList",
     [] { return "SELECT " + Repeat("(", kDeep) + "a" + Repeat(")", kDeep) + " FROM t"; },
     TExpect::Error},
    {"ParenthesesInWhere",
     [] { return "SELECT a FROM t WHERE " + Repeat("(", kDeep) + "a = 1" + Repeat(")", kDeep); },
     TExpect::Error},
    {"UnclosedParenthesesInWhere", [] { return "SELECT a FROM t WHERE " + Repeat("(", kDeep); },
     TExpect::Error},
    {"NegatedGroupsInWhere",
     [] {
       return "SELECT a FROM t WHERE " + Repeat("NOT (", kDeep) + "(a = 1)" + Repeat(")", kDeep);
     },
     TExpect::Error},
    {"NestedCalls",
     [] { return "SELECT " + Repeat("COUNT(", kDeep) + "a" + Repeat(")", kDeep) + " FROM t"; },
     TExpect::Error},
    {"NestedCallsInCondition",
     [] {
       return "SELECT a FROM t WHERE " + Repeat("f(", kDeep) + "a" + Repeat(")", kDeep) + " = 1";
     },
     TExpect::Error},
    {"TenMegabyteWhere",
     [] { return "SELECT a FROM t WHERE (a = 1)" + Repeat(" OR (a = 1)", kTenMegabytes / 11); },
     TExpect::Model},
    {"TenMegabytesOfCommas", [] { return "SELECT a" + std::string(kTenMegabytes, ','); },
     TExpect::Error},
    {"TenMegabytesOfBlanks", [] { return std::string(kTenMegabytes, ' '); }, TExpect::Model},
    {"NulInWord", [] { return std::string("SELECT a\0b FROM t", 17); }, TExpect::Error},
    {"NulAlone", [] { return std::string(1, '\0'); }, TExpect::Error},
    {"NulInString", [] { return std::string("SELECT 'a\0b' FROM t", 19); }, TExpect::Model},
    {"InvalidUtf8Word", [] { return std::string("SELECT \xff\xfe FROM t"); }, TExpect::Error},
    {"InvalidUtf8InAlias", [] { return std::string("SELECT t.a AS '\xc3\x28' FROM t"); },
     TExpect::Model},
    {"InvalidUtf8InString", [] { return std::string("SELECT '\xed\xa0\x80' FROM t"); },
     TExpect::Model},
    {"LoneApostrophe", [] { return std::string("'"); }, TExpect::Error},
    {"LoneDoubleQuote", [] { return std::string("\""); }, TExpect::Error},
    {"LoneBackQuote", [] { return std::string("`"); }, TExpect::Error},
    {"ApostropheAtEnd", [] { return std::string("SELECT a FROM t WHERE a = '"); }, TExpect::Error},
    {"BackslashAtEnd", [] { return std::string("SELECT a FROM t WHERE a = '\\"); }, TExpect::Error},
    // An empty quoted name names no sort entry.
    {"EmptySortEntry", [] { return std::string("SELECT a FROM t ORDER BY a, ''"); },
     TExpect::Error},
    // An empty quoted name names nothing.
    {"EmptyQuotedName", [] { return std::string("SELECT a / `` x FROM t"); }, TExpect::Error},
    // A backslash is a plain character in a back-quoted name: `a\` ends there.
    {"BackslashInBackQuotedName", [] { return std::string("SELECT `a\\`b` FROM t"); },
     TExpect::Error},
};

class Hostile : public testing::TestWithParam<std::tuple<TDialect, THostileCase>> {};

TEST_P(Hostile, GivesAnErrorOrAModel) {
  const auto& [dialect, c] = GetParam();
  const TOutcome outcome = Parse(dialect, c.text());
  if (c.expect == TExpect::Error) {
    EXPECT_TRUE(outcome.error) << "rendered: " << outcome.rendered.substr(0, 200);
    EXPECT_FALSE(outcome.message.empty());
  } else {
    EXPECT_FALSE(outcome.error) << outcome.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Core, Hostile,
                         testing::Combine(testing::Values(TDialect::MySQL, TDialect::Generic),
                                          testing::ValuesIn(kHostileCases)),
                         [](const testing::TestParamInfo<Hostile::ParamType>& info) {
                           return std::string(std::get<0>(info.param) == TDialect::MySQL
                                                  ? "MySQL_"
                                                  : "Generic_") +
                                  std::get<1>(info.param).name;
                         });

class Dialects : public testing::TestWithParam<TDialect> {};

INSTANTIATE_TEST_SUITE_P(Core, Dialects, testing::Values(TDialect::MySQL, TDialect::Generic),
                         [](const testing::TestParamInfo<TDialect>& info) {
                           return info.param == TDialect::MySQL ? "MySQL" : "Generic";
                         });

// The refusal of deep nesting must not cost statements people write.
TEST_P(Dialects, ModerateNestingStillReads) {
  const std::string text = "SELECT " + Repeat("(", 50) + "t.a + 1" + Repeat(")", 50) +
                           " AS x FROM t WHERE " + Repeat("(", 50) + "a = 1" + Repeat(")", 50);
  const TOutcome outcome = Parse(GetParam(), text);
  ASSERT_FALSE(outcome.error) << outcome.message;
  EXPECT_NE(outcome.rendered.find("+ 1"), std::string::npos) << outcome.rendered;
  EXPECT_NE(outcome.rendered.find("= 1"), std::string::npos) << outcome.rendered;
}

TEST_P(Dialects, HugeStatementsKeepEveryItem) {
  const TOutcome list = Parse(GetParam(), HugeSelectList());
  ASSERT_FALSE(list.error) << list.message;
  const TVnTableDefs& tables = list.root->TableDefs();
  ASSERT_GT(tables.FieldCount(), 500000);
  const TVnFieldDef* last = tables.FieldBySelectIndex(tables.FieldCount() - 1);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Name(), "c" + std::to_string(tables.FieldCount() - 1));

  const std::string value(kTenMegabytes, 'x');
  const TOutcome literal = Parse(GetParam(), "SELECT '" + value + "' AS s FROM t");
  ASSERT_FALSE(literal.error) << literal.message;
  EXPECT_NE(literal.rendered.find("'" + value + "'"), std::string::npos);
}

// Bytes that are neither ASCII nor UTF-8 are data like any other: kept, not mangled.
TEST_P(Dialects, OddBytesInNamesAndValuesSurvive) {
  const std::string name("a\0\xff\xc3(", 5);
  const std::string value("v\0\xed\xa0\x80", 5);
  const char quote = GetParam() == TDialect::MySQL ? '`' : '"';
  const std::string text =
      std::string("SELECT t.") + quote + name + quote + ", '" + value + "' AS s FROM t";
  const TOutcome outcome = Parse(GetParam(), text);
  ASSERT_FALSE(outcome.error) << outcome.message;
  const TVnFieldDef* field = outcome.root->TableDefs().FieldBySelectIndex(0);
  const TVnFieldDef* literal = outcome.root->TableDefs().FieldBySelectIndex(1);
  ASSERT_NE(field, nullptr);
  ASSERT_NE(literal, nullptr);
  EXPECT_EQ(field->Name(), name);
  EXPECT_EQ(literal->Kind(), fkString);
  EXPECT_EQ(literal->Name(), value);
}

TEST_P(Dialects, LoneQuoteIsAnUnterminatedString) {
  for (const char* text : {"'", "SELECT 'abc", "SELECT a FROM t WHERE b = 'x"}) {
    const TOutcome outcome = Parse(GetParam(), text);
    EXPECT_TRUE(outcome.error) << text;
    EXPECT_EQ(outcome.message, "Unterminated string.") << text;
  }
}

// Random bytes, and random runs of the grammar's own words and punctuation, which get much
// further into the parser than bytes alone.
TEST_P(Dialects, RandomInput) {
  static const std::string kPieces[] = {"SELECT ",
                                        "DISTINCT ",
                                        "FROM ",
                                        "WHERE ",
                                        "GROUP BY ",
                                        "HAVING ",
                                        "ORDER BY ",
                                        "LIMIT ",
                                        "INNER JOIN ",
                                        "LEFT OUTER JOIN ",
                                        "ON ",
                                        "AND ",
                                        "OR ",
                                        "NOT ",
                                        "IN ",
                                        "BETWEEN ",
                                        "IS NULL ",
                                        "LIKE ",
                                        "AS ",
                                        "DESC ",
                                        "COUNT(",
                                        "LOCATE(",
                                        "(",
                                        ")",
                                        ",",
                                        ".",
                                        "*",
                                        "=",
                                        "<>",
                                        ">=",
                                        "-",
                                        "+",
                                        ";",
                                        "'",
                                        "''",
                                        "\"",
                                        "`",
                                        "\\",
                                        "\r\n",
                                        "\n",
                                        " ",
                                        "t",
                                        "a",
                                        "b1",
                                        "1",
                                        "2.5",
                                        "'x'",
                                        "`q q`",
                                        std::string(1, '\0'),
                                        "\xff",
                                        "\xc3\xa9"};
  std::mt19937 random(20261210);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const std::size_t length = random() % 120;
    if (i % 2 == 0) {
      for (std::size_t n = 0; n < length; ++n)
        text += static_cast<char>(random() % 256);
    } else {
      for (std::size_t n = 0; n < length; ++n)
        text += kPieces[random() % std::size(kPieces)];
    }
    SCOPED_TRACE(testing::Message() << "input #" << i);
    const TOutcome outcome = Parse(GetParam(), text);
    if (outcome.error) {
      EXPECT_FALSE(outcome.message.empty());
    }
  }
}

} // namespace

// Round-trip failures the fuzzer found, reduced by hand: each statement reads, and its
// rendering must read back into the same text.
struct TRoundTripCase {
  const char* name;
  TDialect dialect;
  const char* text;
  TVnFormatMode functions = qfmAsIs;  // the letter case of function names
};

void PrintTo(const TRoundTripCase& c, std::ostream* os) { *os << c.name; }

class FuzzRoundTrip : public testing::TestWithParam<TRoundTripCase> {};

TEST_P(FuzzRoundTrip, RenderingReadsBackTheSame) {
  const TRoundTripCase& c = GetParam();
  const TOutcome first = Parse(c.dialect, c.text, c.functions);
  ASSERT_FALSE(first.error) << first.message;
  const TOutcome second = Parse(c.dialect, first.rendered, c.functions);
  ASSERT_FALSE(second.error) << second.message << "\n" << first.rendered;
  EXPECT_EQ(second.rendered, first.rendered);
}

INSTANTIATE_TEST_SUITE_P(
    Core, FuzzRoundTrip,
    testing::Values(
        // No FROM, an aggregate beside a plain item: nothing to group by.
        TRoundTripCase{"NoFromWithAggregate", TDialect::MySQL, "SELECT a, COUNT(b)"},
        TRoundTripCase{"NoFromWithAggregateGeneric", TDialect::Generic, "SELECT a, COUNT(b)"},
        // Quoted names holding a dot stay one name, not a dotted path.
        TRoundTripCase{"DotInQuotedName", TDialect::MySQL, "SELECT `o.i` FROM t"},
        TRoundTripCase{"DotInQuotedNameGeneric", TDialect::Generic, "SELECT \"o.i\" FROM t"},
        TRoundTripCase{"DotInAlias", TDialect::MySQL, "SELECT t.a AS `x.y` FROM t"},
        // A name ending in a dot kept its quotes only by chance: text after it could escape.
        TRoundTripCase{"QuotedNameEndingInDot", TDialect::MySQL, "SELECT `a.` FROM t"},
        TRoundTripCase{"NameThatWouldEscape", TDialect::MySQL,
                       "SELECT t.`1; DROP TABLE x; -- .` FROM t"},
        // Names that begin and end with a quote are no quoted names.
        TRoundTripCase{"NameInQuotes", TDialect::MySQL, "SELECT ```a`` b``` FROM t"},
        TRoundTripCase{"NameInQuotesGeneric", TDialect::Generic,
                       "SELECT \"\"\"a\"\" b\"\"\" FROM t"},
        TRoundTripCase{"AliasOfQuotesGeneric", TDialect::Generic,
                       "SELECT a AS \"\"\"\"\"\" FROM t"},
        // "t t" is "t": it takes over the items read before any table, as "t" would.
        TRoundTripCase{"AliasEqualToName", TDialect::MySQL, "SELECT a, COUNT(b) FROM u x, zz zz"},
        // A qualifier in a call's arguments names a table that holds nothing: the one table
        // with items still takes the unqualified item.
        TRoundTripCase{"QualifierOnlyInArguments", TDialect::MySQL,
                       "SELECT F(x.a, t.b) AS n, c"},
        TRoundTripCase{"QualifierOnlyInArgumentsFrom", TDialect::MySQL,
                       "SELECT F(x.a, t.b) AS n, c FROM t"},
        // Two sort entries written the same way are one entry: a.b.c is written "a.b"."c".
        TRoundTripCase{"SortEntriesWrittenAlike", TDialect::Generic,
                       "SELECT a FROM t ORDER BY x.y.z, \"x.y\".z, b"},
        TRoundTripCase{"SortEntriesWrittenAlikeMySQL", TDialect::MySQL,
                       "SELECT a FROM t ORDER BY x.y.z DESC, `x.y`.z, b"},
        // A second, unaliased reference of a table does not take the first one's items.
        TRoundTripCase{"SameTableTwice", TDialect::MySQL, "SELECT t1.a, c AS a FROM t x, t"},
        // Names in the string quote of the generic dialect stay names.
        TRoundTripCase{"ApostropheTableGeneric", TDialect::Generic,
                       "SELECT t1.a FROM '''''''''''''''''S''''"},
        // A value named as itself keeps its AS: ' ' AS ' '.
        TRoundTripCase{"ValueAliasedAsItself", TDialect::MySQL, "SELECT ' ' ' ' FROM t"},
        // A call of an unknown function whose quoted name is no plain word keeps the quotes.
        TRoundTripCase{"QuotedCallName", TDialect::MySQL, "SELECT `my func`(a) F FROM t"},
        TRoundTripCase{"QuotedCallNameInExpression", TDialect::MySQL,
                       "SELECT `my func`(a) / 2 FROM t"},
        TRoundTripCase{"QuotedCallNameInExpressionGeneric", TDialect::Generic,
                       "SELECT \"my func\"(a) + \"x\"\"y\"(b) FROM t"},
        // An empty alias names nothing; the item keeps its generated one.
        TRoundTripCase{"EmptyAlias", TDialect::MySQL, "SELECT a, COUNT(b) `` FROM t"},
        // A call of an unknown function is written in the functions' letter case: aliased
        // as the name it is written under, it is that name's item without AS.
        TRoundTripCase{"UnknownCallAliasedAsWrittenName", TDialect::MySQL,
                       "SELECT M(o.id) AS m FROM orders o", qfmLowerCase},
        TRoundTripCase{"UnknownCallAliasedAsWrittenNameUpper", TDialect::MySQL,
                       "SELECT m(o.id) AS M FROM orders o", qfmUpperCase},
        TRoundTripCase{"UnknownCallAliasedAsItsName", TDialect::MySQL,
                       "SELECT m(o.id) AS m FROM orders o", qfmUpperCase}),
    [](const testing::TestParamInfo<TRoundTripCase>& info) { return info.param.name; });
