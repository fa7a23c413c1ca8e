#include "core/errors.h"
#include "core/scanner.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace vantor;

namespace {

struct Token {
  std::string text;
  TVnTokenKind kind;
  bool operator==(const Token& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Token& token) {
  return out << "'" << token.text << "'/" << static_cast<int>(token.kind);
}

std::unique_ptr<TVnSQLScanner> ScannerFor(const std::string& text) {
  auto scanner = NewScanner<TVnSQLScanner>();
  scanner->SetText(text);
  return scanner;
}

// Every token up to and including the end token.
std::vector<Token> ScanAll(const std::string& text) {
  auto scanner = ScannerFor(text);
  std::vector<Token> tokens{{scanner->Token(), scanner->Kind()}};
  for (int guard = 0; scanner->Kind() != tkEnd && guard < 1000; ++guard) {
    scanner->NextToken();
    tokens.push_back({scanner->Token(), scanner->Kind()});
  }
  return tokens;
}

struct TokenCase {
  const char* name;
  std::string text;
  std::vector<Token> tokens;
};

class ScannerTokens : public testing::TestWithParam<TokenCase> {};

TEST_P(ScannerTokens, SplitsAndClassifies) {
  EXPECT_EQ(ScanAll(GetParam().text), GetParam().tokens);
}

const Token kEnd{"", tkEnd};

INSTANTIATE_TEST_SUITE_P(
    Cases, ScannerTokens,
    testing::Values(
        TokenCase{"KeywordAndIdentifier", "SELECT  a", {{"SELECT", tkKeyword}, {"a", tkIdentifier}, kEnd}},
        TokenCase{"GreaterOrEqual", "a>=b", {{"a", tkIdentifier}, {">=", tkCompare}, {"b", tkIdentifier}, kEnd}},
        TokenCase{"NotEqual", "a<>b", {{"a", tkIdentifier}, {"<>", tkCompare}, {"b", tkIdentifier}, kEnd}},
        TokenCase{"EqualsMinus", "x=-1",
                  {{"x", tkIdentifier}, {"=", tkCompare}, {"-", tkOperator}, {"1", tkInteger}, kEnd}},
        TokenCase{"Float", "1.5", {{"1.5", tkFloat}, kEnd}},
        TokenCase{"FloatAfterDot", "1.5.2", {{"1", tkInteger}, {".", tkDelimiter}, {"5.2", tkFloat}, kEnd}},
        TokenCase{"QualifiedName", "t.col", {{"t", tkIdentifier}, {".", tkDelimiter}, {"col", tkIdentifier}, kEnd}},
        TokenCase{"DoubledQuoteStaysDoubled", "'it''s'", {{"it''s", tkQuotedName}, kEnd}},
        TokenCase{"EmptyQuotedText", "''", {{"", tkQuotedName}, kEnd}},
        TokenCase{"EmptyQuotedTextThenWord", "'' a", {{"", tkQuotedName}, {"a", tkIdentifier}, kEnd}},
        TokenCase{"Semicolon", "a;", {{"a", tkIdentifier}, {";", tkEnd}}},
        TokenCase{"OnlyBlanks", "  \r\n \t", {kEnd}},
        TokenCase{"LoneCarriageReturn", "x\ry", {{"x", tkIdentifier}, {"\r", tkDelimiter}, {"y", tkIdentifier}, kEnd}},
        TokenCase{"LoneLineFeedIsPartOfWord", "x\ny", {{"x\ny", tkOther}, kEnd}},
        TokenCase{"UnderscoreAndDigitStart", "_name 1abc", {{"_name", tkOther}, {"1abc", tkOther}, kEnd}},
        TokenCase{"FunctionBeforeKeyword", "count From", {{"count", tkFunction}, {"From", tkKeyword}, kEnd}},
        TokenCase{"NoComments", "--/*", {{"-", tkOperator}, {"-", tkOperator}, {"/", tkOperator}, {"*", tkOperator}, kEnd}},
        TokenCase{"QuotedOperatorStaysText", "'+' ';'", {{"+", tkQuotedName}, {";", tkQuotedName}, kEnd}},
        TokenCase{"QuoteEndsWord", "ab'c'", {{"ab", tkIdentifier}, {"c", tkQuotedName}, kEnd}},
        TokenCase{"BracketsAndComma", "f(a,b)",
                  {{"f", tkIdentifier}, {"(", tkDelimiter}, {"a", tkIdentifier}, {",", tkDelimiter},
                   {"b", tkIdentifier}, {")", tkDelimiter}, kEnd}},
        TokenCase{"NonAsciiBytesFormAWord", "caf\xc3\xa9", {{"caf\xc3\xa9", tkOther}, kEnd}}),
    [](const testing::TestParamInfo<TokenCase>& info) { return info.param.name; });

TEST(Scanner, TracksColumnsBlanksAndLines) {
  auto scanner = ScannerFor("SELECT  a\r\n  b");
  EXPECT_EQ(scanner->LinePos(), 7);
  EXPECT_EQ(scanner->LineNo(), 1);
  scanner->NextToken();
  EXPECT_EQ(scanner->Token(), "a");
  EXPECT_EQ(scanner->LinePos(), 10);
  EXPECT_EQ(scanner->BlankCount(), 2);
  scanner->NextToken();
  EXPECT_EQ(scanner->Token(), "b");
  EXPECT_EQ(scanner->LineNo(), 2);
  EXPECT_EQ(scanner->LinePos(), 4);
  EXPECT_EQ(scanner->BlankCount(), 3);
}

TEST(Scanner, QuotedTextHasNoBlanksBeforeIt) {
  auto scanner = ScannerFor("a   'x'");
  scanner->NextToken();
  EXPECT_EQ(scanner->Token(), "x");
  EXPECT_EQ(scanner->BlankCount(), 0);
}

TEST(Scanner, UnterminatedStringIsRaisedWhereTheContentsStart) {
  auto scanner = ScannerFor("SELECT 'abc");
  EXPECT_EQ(scanner->NextToken(), "abc");
  try {
    scanner->NextToken();
    FAIL() << "no error raised";
  } catch (const EVnParserError& error) {
    EXPECT_EQ(error.Code(), 3);
    EXPECT_STREQ(error.what(), "Unterminated string.");
    EXPECT_EQ(error.Token(), "abc");
    EXPECT_EQ(error.LineNo(), 1);
    EXPECT_EQ(error.LinePos(), 9);
  }
}

TEST(Scanner, PeekLeavesTheWholeStateAsItWas) {
  auto scanner = ScannerFor("a ( '' b");
  scanner->NextToken();  // (
  const int pos = scanner->Pos();
  const int column = scanner->LinePos();
  EXPECT_EQ(scanner->Peek(), "");
  EXPECT_EQ(scanner->Pos(), pos);
  EXPECT_EQ(scanner->LinePos(), column);
  EXPECT_EQ(scanner->ParenDepth(), 1);
  EXPECT_EQ(scanner->Token(), "(");
  EXPECT_EQ(scanner->Kind(), tkDelimiter);
  EXPECT_EQ(scanner->NextToken(), "");
  EXPECT_EQ(scanner->Kind(), tkQuotedName);
  EXPECT_EQ(scanner->NextToken(), "b");
}

TEST(Scanner, PeekAtAnUnterminatedStringRaisesAndRestores) {
  auto scanner = ScannerFor("a 'b");
  EXPECT_EQ(scanner->NextToken(), "b");
  EXPECT_THROW(scanner->Peek(), EVnParserError);
  EXPECT_EQ(scanner->Token(), "b");
  EXPECT_TRUE(scanner->InString());
}

TEST(Scanner, ParenthesisDepthCountsOutsideStrings) {
  auto scanner = ScannerFor("f((a), '(')");
  std::vector<int> depths;
  while (scanner->Kind() != tkEnd) {
    depths.push_back(scanner->ParenDepth());
    scanner->NextToken();
  }
  // f ( ( a ) , ( ) -- the quoted "(" counts for nothing
  EXPECT_EQ(depths, (std::vector<int>{0, 1, 2, 2, 1, 1, 1, 0}));
}

TEST(Scanner, SetPositionBackKeepsLineColumnAndDepth) {
  auto scanner = ScannerFor("SELECT f(a)\r\nFROM  (t)");
  std::vector<std::string> seen;
  int pushBackAt = 0;
  while (scanner->Kind() != tkEnd) {
    if (scanner->Token() == ")" && scanner->LineNo() == 2)
      pushBackAt = scanner->Pos() - 1;
    scanner->NextToken();
  }
  ASSERT_GT(pushBackAt, 0);
  scanner->SetPosition(pushBackAt);
  EXPECT_EQ(scanner->Token(), "");
  EXPECT_EQ(scanner->Kind(), tkOther);
  EXPECT_EQ(scanner->ParenDepth(), 1);
  EXPECT_EQ(scanner->LineNo(), 2);
  EXPECT_EQ(scanner->LinePos(), 9);
  EXPECT_EQ(scanner->NextToken(), ")");
  EXPECT_EQ(scanner->ParenDepth(), 0);
  EXPECT_EQ(scanner->LinePos(), 10);
}

TEST(Scanner, SetPositionFarBackReplaysFromTheStart) {
  std::string text = "(a";
  for (int i = 0; i < 100; ++i)
    text += "\r\n b";
  auto scanner = ScannerFor(text);
  while (scanner->Kind() != tkEnd)
    scanner->NextToken();
  scanner->SetPosition(3);  // just after "(a"
  EXPECT_EQ(scanner->LineNo(), 1);
  EXPECT_EQ(scanner->LinePos(), 3);
  EXPECT_EQ(scanner->ParenDepth(), 1);
  scanner->NextToken();
  EXPECT_EQ(scanner->Token(), "b");
  EXPECT_EQ(scanner->LineNo(), 2);
}

TEST(Scanner, SetPositionAtTheEndGivesEnd) {
  auto scanner = ScannerFor("a b");
  scanner->SetPosition(100);
  EXPECT_EQ(scanner->Kind(), tkEnd);
  EXPECT_EQ(scanner->NextToken(), "");
}

TEST(Scanner, LongRunsOfBlanksDoNotExhaustTheStack) {
  auto scanner = ScannerFor("a" + std::string(5'000'000, ' ') + "b");
  EXPECT_EQ(scanner->NextToken(), "b");
  EXPECT_EQ(scanner->BlankCount(), 5'000'000);
}

struct QuoteCase {
  const char* name;
  std::string input;
  std::string quoted;
};

class QuoteNameCases : public testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteNameCases, Quotes) {
  auto scanner = NewScanner<TVnSQLScanner>();
  EXPECT_EQ(scanner->QuoteName(GetParam().input), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuoteNameCases,
    testing::Values(QuoteCase{"Plain", "t", "\"t\""}, QuoteCase{"Qualified", "t.f", "\"t\".\"f\""},
                    QuoteCase{"AlreadyQuoted", "\"t\".\"f\"", "\"t\".\"f\""},
                    QuoteCase{"SingleAlreadyQuoted", "\"t\"", "\"t\""},
                    QuoteCase{"LeadingPartsAsOne", "a.b.c", "\"a.b\".\"c\""},
                    QuoteCase{"QuotedPartWithDot", "\"a.b\".c", "\"a.b\".\"c\""},
                    QuoteCase{"DoubledQuoteInQuotedPart", "\"a\"\"b\".c", "\"a\"\"b\".\"c\""},
                    QuoteCase{"QuoteInsideIsDoubled", "a\"b", "\"a\"\"b\""},
                    QuoteCase{"Empty", "", ""}, QuoteCase{"TrailingDot", "t.", "t"},
                    QuoteCase{"UnclosedQuotedPart", "\"t.f", "\"t.f"}),
    [](const testing::TestParamInfo<QuoteCase>& info) { return info.param.name; });

TEST(Scanner, QuoteNameWithQuotingOffLeavesTheName) {
  auto scanner = NewScanner<TVnSQLScanner>();
  scanner->SetQuoteIdentifiers(false);
  EXPECT_EQ(scanner->QuoteName("t.f"), "t.f");
}

TEST(Scanner, StringEndNeedsAnEvenRunOfQuotes) {
  auto scanner = NewScanner<TVnSQLScanner>();
  EXPECT_TRUE(scanner->IsStringEnd('\'', "ab", '\'', ' '));
  EXPECT_FALSE(scanner->IsStringEnd('\'', "ab", '\'', '\''));
  EXPECT_FALSE(scanner->IsStringEnd('\'', "ab'", '\'', ' '));
  EXPECT_TRUE(scanner->IsStringEnd('\'', "ab''", '\'', ' '));
  EXPECT_FALSE(scanner->IsStringEnd('"', "ab", '\'', ' '));
}

TEST(Scanner, ReplacedWordListsStaySearchable) {
  auto scanner = NewScanner<TVnSQLScanner>();
  scanner->Keywords().SetWords({"zeta", "Alpha", "MIDDLE"});
  EXPECT_TRUE(scanner->IsKeyword("ALPHA"));
  EXPECT_TRUE(scanner->IsKeyword("middle"));
  EXPECT_TRUE(scanner->IsKeyword("Zeta"));
  EXPECT_FALSE(scanner->IsKeyword("SELECT"));
  scanner->SetText("zeta x");
  EXPECT_EQ(scanner->Kind(), tkKeyword);
}

TEST(ParserError, MessagesByCode) {
  EXPECT_STREQ(EVnParserError(1, "AS", 1, 17).what(), "Invalid token 'AS' at position 17 of line 1.");
  EXPECT_STREQ(EVnParserError(2, "", 3, 1).what(), "Unexpected end of statement.");
  EXPECT_STREQ(EVnParserError(3, "x", 1, 1).what(), "Unterminated string.");
  EXPECT_STREQ(EVnParserError(9, "x", 1, 1).what(), "Unknown error (#9).");
}

}  // namespace
