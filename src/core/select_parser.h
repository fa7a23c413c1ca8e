#pragma once

#include "criterion.h"
#include "operators.h"
#include "scanner.h"
#include "script_format.h"
#include "string_lists.h"
#include "table_def.h"
#include "word_list.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The clause the parser is in.
enum TVnParseState : std::uint8_t {
  psStart = 0,       // SELECT expected
  psError = 1,       // ends the parse with an error
  psDone = 2,        // ends the parse
  psAfterSelect = 3,
  psSelectList = 4,
  psInto = 5,
  psAfterFrom = 6,
  psFromList = 7,
  psWhere = 8,
  psGroupBy = 9,
  psHaving = 10,
  psOrderBy = 11,
  psTail = 12,  // after the last clause
};

// A set of token kinds, one bit per kind.
using TVnTokenKinds = std::uint32_t;
constexpr TVnTokenKinds KindsOf(std::initializer_list<TVnTokenKind> kinds) {
  TVnTokenKinds set = 0;
  for (TVnTokenKind kind : kinds)
    set |= TVnTokenKinds{1} << kind;
  return set;
}
constexpr bool HasKind(TVnTokenKinds set, TVnTokenKind kind) {
  return (set >> kind) & 1u;
}

// The root of the query model: it owns the scanner, the FROM tables with their select items
// and joins, the WHERE/HAVING trees, the GROUP BY and ORDER BY lists, the aggregate and
// operator lists and the letter-case settings. It renders the model as SELECT text and reads
// SELECT text back into it.
//
//   auto root = NewParser<TVnSelectParser>();
//   TVnTableDef* t = root->TableDefs().Add();
//   t->SetName("orders");
//   t->Fields().Add()->SetName("id");
//   root->GetScript();  // "SELECT \r\n  orders.id\r\nFROM\r\n  orders\r\n"
//
// Roots are made with NewParser<T>(), which runs the virtual Create() once the object is
// complete, so that a dialect's scanner and lists are the ones created.
class TVnSelectParser {
public:
  class ConstructKey {
    ConstructKey() = default;
    template <class TParser> friend std::unique_ptr<TParser> NewParser();
  };

  explicit TVnSelectParser(ConstructKey) {}
  virtual ~TVnSelectParser();
  TVnSelectParser(const TVnSelectParser&) = delete;
  TVnSelectParser& operator=(const TVnSelectParser&) = delete;

  virtual void Create();
  // Empties the model (not Distinct) and the scanner's text.
  virtual void Clear();

  TVnSQLScanner& Scanner() const { return *m_scanner; }
  bool Valid() const { return m_valid; }

  TVnTableDefs& TableDefs() const { return *m_tableDefs; }
  TVnWhereItems& WhereItems() const { return *m_whereItems; }
  TVnHavingItems& HavingItems() const { return *m_havingItems; }
  TVnOrderByItems& OrderByItems() const { return *m_orderByItems; }
  TVnGroupByItems& GroupByItems() const { return *m_groupByItems; }
  TVnWordList& Aggregates() { return m_aggregates; }
  const TVnWordList& Aggregates() const { return m_aggregates; }
  TVnOperators& Operators() const { return *m_operators; }

  virtual bool Distinct() const { return m_distinct; }
  virtual void SetDistinct(bool value) { m_distinct = value; }

  TVnScriptFormat& ScriptFormat() { return m_scriptFormat; }
  const TVnScriptFormat& ScriptFormat() const { return m_scriptFormat; }
  void SetScriptFormat(const TVnScriptFormat& format);
  std::string FormatKeyword(std::string_view s) const { return m_scriptFormat.FormatKeyword(s); }
  std::string FormatFunction(std::string_view s) const { return m_scriptFormat.FormatFunction(s); }
  // Identifier quoting as rendering uses it: a name that looks like a file (".db") is quoted
  // as a whole, any other through the scanner's QuoteName.
  std::string QuoteIdent(std::string_view s) const;

  // The whole statement, or '' when the model has neither select items nor tables.
  virtual std::string GetScript();

  // Reads text into the model: an empty text (or one of only blanks, or ";") clears it.
  // Errors go to OnParserError when it is assigned and are raised as EVnParserError
  // otherwise; Valid tells whether the text was read. An unterminated string is always
  // raised.
  void SetSQL(const std::string& text);
  // Rebuilds the model from the scanner's text.
  virtual void Parse();
  virtual void DoError(const std::string& token, int lineNo, int linePos);
  virtual bool IsJoinWord(std::string_view s) const;

  TVnParserErrorEvent OnParserError;

protected:
  // Clause handlers, driven by Parse through the parse state.
  virtual void ParseSelect();
  virtual void ParseDistinct();
  virtual void ParseInto();
  virtual void ParseSelectItem();
  virtual void ParseSelectList();
  virtual void ParseFromStart();
  virtual void ParseTableRef();
  virtual void ParseJoin();
  virtual void ParseFromList();
  virtual void ParseWhere();
  virtual void ParseGroupBy();
  virtual void ParseHaving();
  virtual void ParseOrderBy();
  virtual void ParseTail();
  // Reads a WHERE or HAVING condition list; false (with the error state) when it cannot.
  virtual bool ParseCriteria(TVnCriterions& list);
  // Reads one expression into item. table receives the table a qualifier names (or the
  // table made for "*"); stopKinds end the expression unless the token is one of stopWords
  // (comma text); operand is set for condition operands.
  virtual void ParseExpression(TVnFunctionDef& item, TVnTableDef*& table, TVnTokenKinds stopKinds,
                               std::string_view stopWords, bool operand);

  // The current token, its kind as the parser sees it, and its value: quoted text comes back
  // decoded (doubled quotes undoubled, and the dialect's escapes applied), and a text in the
  // string quote reads as a string even where that quote also quotes names.
  const std::string& Token() const { return m_scanner->Token(); }
  TVnTokenKind TokenKind() const;
  std::string TokenValue() const;
  // The value of a name token, kept in its quotes where rendering would misread it plain.
  std::string NameValue() const;
  bool TokenIs(std::string_view word) const;
  bool TokenIsQuoted() const;
  void Next() { m_scanner->NextToken(); }
  // Undoes the escapes of a quoted text whose quote is quote.
  virtual std::string DecodeQuoted(std::string_view text, char quote) const;
  // Whether LIMIT and the like may follow WHERE or HAVING conditions directly.
  virtual bool AcceptsTailAfterConditions() const;
  void AfterConditions(bool afterWhere);

  bool TokenIsTableName() const;
  bool TokenStartsSelectList() const;
  bool ReadJoinOperand(std::string& qualifier, std::string& field);
  bool ReadDottedName(std::string& name);
  bool AtEntryEnd() const;
  // Expressions, below ParseExpression.
  struct ExpressionContext;
  bool ReadExpression(TVnFunctionDef& item, ExpressionContext& context, std::string& text,
                      bool topLevel);
  bool ReadTerm(TVnFunctionDef& item, ExpressionContext& context, std::string& text,
                bool topLevel);
  bool ReadCall(TVnFunctionDef& item, ExpressionContext& context, const std::string& name,
                bool known, std::string& text);
  bool AtExpressionEnd(const ExpressionContext& context) const;
  // Condition lists and conditions, below ParseCriteria.
  bool OpensGroup();
  void SetConjunctions(TVnCriterions& list, const std::vector<bool>& ors);
  bool ParseConditionList(TVnCriterions& list);
  bool ParseCondition(TVnCriterion& criterion);
  bool ParseOperatorWords(const TVnOperator*& op);
  // Whether the current token is a word of a condition (an operator word, AND, OR, NOT) that
  // ends an operand.
  bool TokenIsConditionWord() const;

  TVnParseState m_state = psStart;
  bool m_aliasGiven = false;  // the select item being read named its output
  // The select item being read, until it moves into its table: one list for all items, so
  // that a statement of many items does not build a list for each.
  TVnFieldDefs m_itemBeingRead{nullptr};
  // The tables the select list put items into so far, and the last of them: the only one
  // while there is one.
  int m_tablesWithItems = 0;
  TVnTableDef* m_soleItemTable = nullptr;  // not owned
  // An error at a token read earlier than the current one: FailAt moves the scanner back
  // to just after it, and the parse reports it instead of the current token.
  void FailAt(const std::string& token, int after);
  std::optional<std::string> m_errorToken;
  std::string m_lastTableName;
  int m_tablesInFrom = 0;  // the first tables of the list are those FROM named, in order
  TVnWordList m_conditionWords;
  std::string m_conditionCaptions;
  void UpdateConditionWords();
  std::string m_lastAlias;
  // Nesting of brackets and condition groups in the text being read; deeper text is an
  // error rather than a model too deep to render.
  int m_nesting = 0;
  static constexpr int kMaxNesting = 200;

protected:
  virtual std::unique_ptr<TVnSQLScanner> CreateScanner() const;
  virtual std::unique_ptr<TVnTableDefs> CreateTableDefs() const;
  virtual std::unique_ptr<TVnWhereItems> CreateWhereItems() const;
  virtual std::unique_ptr<TVnHavingItems> CreateHavingItems() const;
  virtual std::string GetAggregates() const;
  virtual void LoadAggregates();
  virtual void LoadOperators();

  // WHERE, GROUP BY, HAVING and ORDER BY, in this order (HAVING needs the derived GROUP BY).
  std::string ClausesScript();

  bool m_valid = true;

private:
  std::unique_ptr<TVnSQLScanner> m_scanner;
  std::unique_ptr<TVnTableDefs> m_tableDefs;
  std::unique_ptr<TVnWhereItems> m_whereItems;
  std::unique_ptr<TVnOrderByItems> m_orderByItems;
  std::unique_ptr<TVnGroupByItems> m_groupByItems;
  std::unique_ptr<TVnHavingItems> m_havingItems;
  TVnWordList m_aggregates;
  std::unique_ptr<TVnOperators> m_operators;
  bool m_distinct = false;
  TVnScriptFormat m_scriptFormat;
};

template <class TParser> std::unique_ptr<TParser> NewParser() {
  auto root = std::make_unique<TParser>(TVnSelectParser::ConstructKey());
  root->Create();
  return root;
}

}  // namespace vantor
