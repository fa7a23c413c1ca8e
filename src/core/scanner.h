#pragma once

#include "word_list.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vantor {

class TVnSelectParser;

// The kind of the current token. The codes are stable: hosts and tests name them.
enum TVnTokenKind : std::uint8_t {
  tkOther = 0,        // a word of no other kind, e.g. _name or 1abc
  tkKeyword = 1,      // found in Keywords
  tkFunction = 2,     // found in Functions (tested before the keywords)
  tkDelimiter = 3,    // one delimiter character, also a lone carriage return
  tkInteger = 4,      // digits only
  tkFloat = 5,        // digits "." digits
  tkString = 6,       // contents of a text in string quotes
  tkQuote = 7,        // a quote opening or closing a text; never returned
  tkBlank = 8,        // a blank; never returned
  tkLineBreak = 9,    // carriage return + line feed; never returned
  tkEnd = 10,         // end of text (empty token) or ";"
  tkIdentifier = 11,  // an identifier, or the contents of a text in identifier quotes
  tkQuotedName = 12,  // contents of a text in a quote that is both kinds
  tkOperator = 13,    // found in ArithOperators
  tkCompare = 14,     // one or two comparison characters
};

// Receives parse errors instead of an exception when assigned: the sender, the message,
// the offending token, its line and the column where it starts.
using TVnParserErrorEvent = std::function<void(TVnSelectParser* sender, const std::string& errorMsg,
                                               const std::string& token, int lineNo, int linePos)>;

// The abstract scanner: the text, the position, the current token and the string state.
// Positions are 1-based indices into Text, as the parser and the host's editor use them.
//
// Scanners are made with NewScanner<T>(), which runs the virtual Create() once the object
// is complete, so that a dialect's word lists are the ones loaded.
class TVnScanner {
public:
  // Lets only NewScanner construct scanners, so that Create() always runs.
  class ConstructKey {
    ConstructKey() = default;
    template <class TScanner> friend std::unique_ptr<TScanner> NewScanner();
  };

  explicit TVnScanner(ConstructKey) {}
  virtual ~TVnScanner() = default;
  TVnScanner(const TVnScanner&) = delete;
  TVnScanner& operator=(const TVnScanner&) = delete;

  virtual bool IsLetter(char c) const;
  virtual bool IsDelimiter(char c) const;
  virtual bool IsDigit(char c) const;
  virtual bool IsQuote(char c) const;
  virtual bool IsSpace(char c) const;
  // The text of the token NextToken would return; the scanning state is left as it was.
  virtual std::string Peek() = 0;
  virtual bool IsOpenBracket(char c) const;
  virtual bool IsCloseBracket(char c) const;
  virtual void Reset();
  // Moves back (or forward) to character index n to read the text from there again.
  virtual void SetPosition(int n);
  virtual void Create();
  const std::string& First();
  // Reads the next token; the result is Token(), valid until the next read.
  virtual const std::string& NextToken() = 0;

  // Starts scanning text and reads its first token.
  void SetText(std::string text);

  const std::string& Text() const { return m_text; }
  int Pos() const { return m_pos; }
  int Length() const { return m_length; }
  const std::string& Token() const { return m_token; }
  int ParenDepth() const { return m_parenDepth; }
  bool InString() const { return m_inString; }
  char QuoteChar() const { return m_quoteChar; }

protected:
  // The character at 1-based index i; '\0' outside the text.
  char At(int i) const {
    return (i >= 1 && i <= m_length) ? m_text[static_cast<std::size_t>(i - 1)] : '\0';
  }

  std::string m_text;
  int m_pos = 1;
  int m_length = 0;
  std::string m_token;
  int m_parenDepth = 0;
  bool m_inString = false;
  char m_quoteChar = '\0';
};

template <class TScanner> std::unique_ptr<TScanner> NewScanner() {
  auto scanner = std::make_unique<TScanner>(TVnScanner::ConstructKey());
  scanner->Create();
  return scanner;
}

// The SQL tokenizer with keyword, function-name and arithmetic-operator lists, line and
// column tracking and identifier quoting.
class TVnSQLScanner : public TVnScanner {
public:
  explicit TVnSQLScanner(ConstructKey key) : TVnScanner(key) {}

  std::string Peek() override;
  void Reset() override;
  void SetPosition(int n) override;
  void Create() override;
  const std::string& NextToken() override;

  virtual bool IsArithOperator(std::string_view s) const;
  virtual bool IsCompareChar(char c) const;
  virtual bool IsIdentChar(char c) const;
  virtual bool IsIdentQuote(char c) const;
  virtual bool IsIdentifier(std::string_view s) const;
  virtual bool IsNumber(std::string_view s) const;
  virtual bool IsKeyword(std::string_view s) const;
  virtual bool IsFunction(std::string_view s) const;
  // Whether the quote c ends a quoted text: collected is the text read so far inside the
  // quotes, next the character after c ('\0' at the end of the text).
  virtual bool IsStringEnd(char c, std::string_view collected, char quoteChar, char next) const;
  virtual char IdentQuoteChar() const;
  virtual bool QuoteAliases() const;
  virtual bool QuoteIdentifiers() const { return m_quoteIdentifiers; }
  virtual char StringQuoteChar() const;
  virtual bool IsNotQuoted(std::string_view s) const;
  virtual std::string GetKeywords() const;
  virtual std::string GetFunctions() const;
  virtual std::string GetArithOperators() const;
  virtual std::string Unquote(std::string_view s) const;
  virtual void LoadKeywords();
  virtual void LoadFunctions();
  virtual void LoadArithOperators();
  // Identifier quoting of a possibly dotted name: t.f -> "t"."f" for the quote ".
  virtual std::string QuoteName(std::string_view name) const;
  // Whether name reads back as one plain word that is no keyword: a letter, then letters,
  // digits and "_".
  bool IsPlainName(std::string_view name) const;
  // A string value as a literal of the dialect: it's -> 'it''s'.
  virtual std::string QuoteString(std::string_view value) const;

  void SetQuoteIdentifiers(bool value) { m_quoteIdentifiers = value; }

  TVnTokenKind Kind() const { return m_kind; }
  int LineNo() const { return m_lineNo; }
  int LinePos() const { return m_linePos; }
  int BlankCount() const { return m_blankCount; }

  // The lists stay sorted whatever is assigned to them.
  TVnWordList& Keywords() { return m_keywords; }
  const TVnWordList& Keywords() const { return m_keywords; }
  TVnWordList& Functions() { return m_functions; }
  const TVnWordList& Functions() const { return m_functions; }
  TVnWordList& ArithOperators() { return m_arithOperators; }
  const TVnWordList& ArithOperators() const { return m_arithOperators; }

private:
  // Scanning state at the start of a token outside quoted text; SetPosition starts from
  // the nearest one to keep line, column and parenthesis depth right.
  struct Checkpoint {
    int pos = 0;
    int lineNo = 1;
    int linePos = 1;
    int parenDepth = 0;
  };

  struct State;
  State SaveState() const;
  void RestoreState(const State& state);

  // Reads one raw token, blanks, line breaks and quotes included.
  std::string ReadRawToken();
  void SkipBlanks();
  TVnTokenKind KindOfClosingQuote(char c) const;
  void ClassifyWord(const std::string& word);
  void RememberCheckpoint();
  Checkpoint NearestCheckpoint(int n) const;

  TVnTokenKind m_kind = tkEnd;
  TVnWordList m_keywords;
  TVnWordList m_functions;
  TVnWordList m_arithOperators;
  int m_lineNo = 1;
  int m_linePos = 1;
  int m_blankCount = 0;
  bool m_emptyStringMark = false;
  bool m_quoteIdentifiers = true;

  // The character classes of this scanner, read once from the virtual tests in Create():
  // the tokenizer looks them up for every character.
  enum CharClass : std::uint8_t { ccQuote = 1, ccDelimiter = 2, ccSpace = 4 };
  std::uint8_t ClassOf(char c) const { return m_classes[static_cast<unsigned char>(c)]; }
  std::array<std::uint8_t, 256> m_classes{};

  static constexpr std::size_t kCheckpoints = 32;
  std::array<Checkpoint, kCheckpoints> m_checkpoints{};
  std::size_t m_checkpointCount = 0;
  std::size_t m_nextCheckpoint = 0;
};

}  // namespace vantor
