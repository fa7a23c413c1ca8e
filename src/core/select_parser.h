#pragma once

#include "criterion.h"
#include "operators.h"
#include "scanner.h"
#include "script_format.h"
#include "string_lists.h"
#include "table_def.h"
#include "word_list.h"

#include <memory>
#include <string>
#include <string_view>

namespace vantor {

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

  TVnParserErrorEvent OnParserError;

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
