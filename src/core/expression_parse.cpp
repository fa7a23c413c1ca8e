// Reading below the clause level: expressions (select items, operands, function calls) and
// WHERE/HAVING condition trees.

#include "select_parser.h"

#include "text_utils.h"

namespace vantor {

namespace {

bool IsNameKind(TVnTokenKind kind) {
  return kind == tkFunction || kind == tkIdentifier || kind == tkQuotedName;
}

}  // namespace

// What one expression being read knows besides its item.
struct TVnSelectParser::ExpressionContext {
  TVnTableDef*& table;  // the table a qualifier names, handed back to the caller
  TVnTokenKinds stopKinds;
  std::string_view stopWords;  // comma text
  bool operand;  // a condition operand: fields keep their quoted, qualified text
};

bool TVnSelectParser::TokenIsConditionWord() const {
  if (TokenIsQuoted() || TokenKind() != tkIdentifier)
    return false;
  return m_conditionWords.Contains(Token());
}

bool TVnSelectParser::AtExpressionEnd(const ExpressionContext& context) const {
  const TVnTokenKind kind = TokenKind();
  if (kind == tkEnd)
    return true;
  if (!TokenIsQuoted()) {
    if (Token() == "," || Token() == ")")
      return true;
    if (InCommaText(context.stopWords, Token()))
      return false;
    if (context.operand && TokenIsConditionWord())
      return true;
  }
  return HasKind(context.stopKinds, kind);
}

void TVnSelectParser::ParseExpression(TVnFunctionDef& item, TVnTableDef*& table,
                                      TVnTokenKinds stopKinds, std::string_view stopWords,
                                      bool operand) {
  item.Clear();
  ExpressionContext context{table, stopKinds, stopWords, operand};
  auto* field = dynamic_cast<TVnFieldDef*>(&item);
  const bool selectItem = field && !operand;

  // A select list of "*" alone: the item stands for every column.
  if (selectItem && Token() == "*" && !TokenIsQuoted()) {
    Next();
    if (!TokenIs("FROM")) {
      m_state = psError;
      return;
    }
    table = TableDefs().FindByAlias(std::string());
    if (!table)
      table = TableDefs().Add();
    m_state = psAfterFrom;
    return;
  }

  std::string text;
  if (!ReadExpression(item, context, text, selectItem))
    return;

  if (selectItem) {
    std::string alias;
    bool named = false;
    if (TokenIs("AS")) {
      Next();
      named = true;
    }
    const TVnTokenKind kind = TokenKind();
    if (kind == tkIdentifier || kind == tkQuotedName || kind == tkString) {
      alias = NameValue();
      Next();
      named = true;
    } else if (named) {
      m_state = psError;  // AS without a name
      return;
    }
    // An empty name (AS ``) names nothing: the item keeps its automatic one.
    if (named && !alias.empty()) {
      field->SetAlias(alias);
      m_aliasGiven = true;
    }
  }
  if (!AtExpressionEnd(context))
    m_state = psError;
}

// An expression: terms joined by arithmetic operators. A single term fills item as what it
// is (a field, a literal, a function call); several make it an expression text.
bool TVnSelectParser::ReadExpression(TVnFunctionDef& item, ExpressionContext& context,
                                     std::string& text, bool topLevel) {
  if (!ReadTerm(item, context, text, topLevel))
    return false;
  bool compound = false;
  while (TokenKind() == tkOperator && !TokenIsQuoted()) {
    compound = true;
    text += " " + Token();
    Next();
    TVnFunctionDef next;
    next.SetParser(this);
    std::string termText;
    if (!ReadTerm(next, context, termText, false))
      return false;
    text += " " + termText;
  }
  if (compound) {
    item.Args().Clear();
    item.SetName(text);
    item.SetKind(fkExpression);
  }
  return true;
}

bool TVnSelectParser::ReadTerm(TVnFunctionDef& item, ExpressionContext& context,
                               std::string& text, bool topLevel) {
  const TVnTokenKind kind = TokenKind();
  const bool quoted = TokenIsQuoted();

  // A negative number.
  if (!quoted && Token() == "-") {
    Next();
    if (TokenKind() != tkInteger && TokenKind() != tkFloat) {
      m_state = psError;
      return false;
    }
    text = "-" + Token();
    item.SetName(text);
    item.SetKind(TokenKind() == tkInteger ? fkInteger : fkFloat);
    Next();
    return true;
  }

  // A bracketed expression: a call of no function, whose one argument is the expression.
  if (!quoted && Token() == "(") {
    if (++m_nesting > kMaxNesting) {
      m_state = psError;
      return false;
    }
    Next();
    TVnFunctionDef* inner = item.Args().Add();
    std::string innerText;
    if (!ReadExpression(*inner, context, innerText, false))
      return false;
    if (Token() != ")" || TokenIsQuoted()) {
      m_state = psError;
      return false;
    }
    Next();
    --m_nesting;
    item.SetName(std::string());
    item.SetKind(fkNone);
    text = "(" + innerText + ")";
    return true;
  }

  // NULL as a value: x = NULL, IFNULL(a, NULL).
  if (TokenIs("NULL")) {
    Next();
    item.SetName("NULL");
    item.SetKind(fkNone);
    text = "NULL";
    return true;
  }

  switch (kind) {
  case tkString: {
    const std::string value = TokenValue();
    Next();
    item.SetName(value);
    item.SetKind(fkString);
    text = m_scanner->QuoteString(value);
    return true;
  }
  case tkInteger:
  case tkFloat:
    item.SetName(Token());
    item.SetKind(kind == tkInteger ? fkInteger : fkFloat);
    text = Token();
    Next();
    return true;
  default:
    break;
  }
  if (!IsNameKind(kind)) {
    m_state = psError;
    return false;
  }

  const std::string value = NameValue();
  if (value.empty()) {
    m_state = psError;  // `` names nothing
    return false;
  }
  Next();
  if (Token() == "(" && !TokenIsQuoted())
    return ReadCall(item, context, value, kind == tkFunction && !quoted, text);
  if (kind == tkFunction && !quoted) {
    item.SetName(FormatFunction(value));
    item.SetKind(fkFunction);
    text = item.Name() + "()";
    return true;
  }

  if (Token() == "." && !TokenIsQuoted() && m_scanner->BlankCount() == 0) {
    // A qualified name: qualifier "." field, or qualifier ".*" for all the table's fields.
    Next();
    TVnTableDef* table = TableDefs().FindByAlias(value);
    if (!table && !context.operand) {
      table = TableDefs().Add();
      table->SetAlias(value);
    }
    if (table)
      context.table = table;
    const std::string qualifier = m_scanner->QuoteName(value);
    if (Token() == "*" && !TokenIsQuoted()) {
      if (!topLevel || context.operand) {
        m_state = psError;
        return false;
      }
      Next();
      item.SetName(std::string());
      item.SetKind(fkField);
      text = qualifier + ".*";
      return true;
    }
    if (!IsNameKind(TokenKind())) {
      m_state = psError;
      return false;
    }
    const std::string name = NameValue();
    if (name.empty()) {
      m_state = psError;
      return false;
    }
    Next();
    text = qualifier + "." + m_scanner->QuoteName(name);
    item.SetName(context.operand ? text : name);
    item.SetKind(fkField);
    return true;
  }

  text = m_scanner->QuoteName(value);
  item.SetName(context.operand ? text : value);
  item.SetKind(fkField);
  return true;
}

// name "(" arguments ")": a function of the dialect, or a call the dialect does not know
// (kept as a field reference with arguments).
bool TVnSelectParser::ReadCall(TVnFunctionDef& item, ExpressionContext& context,
                               const std::string& name, bool known, std::string& text) {
  if (++m_nesting > kMaxNesting) {
    m_state = psError;
    return false;
  }
  Next();  // past "("
  item.SetName(known ? FormatFunction(name) : name);
  item.SetKind(known ? fkFunction : fkField);
  std::string arguments;
  if (Token() != ")" || TokenIsQuoted()) {
    while (true) {
      TVnFunctionDef* argument = item.Args().Add();
      std::string argumentText;
      if (arguments.empty() && TokenIs("DISTINCT")) {
        // COUNT(DISTINCT x): the argument is the expression with its DISTINCT.
        Next();
        if (!ReadExpression(*argument, context, argumentText, false))
          return false;
        argumentText = "DISTINCT " + argumentText;
        argument->Args().Clear();
        argument->SetName(argumentText);
        argument->SetKind(fkExpression);
      } else if (Token() == "*" && !TokenIsQuoted()) {
        // COUNT(*): the item belongs to the table that holds unqualified items.
        Next();
        argument->SetName("*");
        argumentText = "*";
        if (!context.operand && !context.table) {
          context.table = TableDefs().FindByAlias(std::string());
          if (!context.table)
            context.table = TableDefs().Add();
        }
      } else if (!ReadExpression(*argument, context, argumentText, false)) {
        return false;
      }
      arguments += arguments.empty() ? argumentText : ", " + argumentText;
      if (Token() == "," && !TokenIsQuoted()) {
        Next();
        continue;
      }
      break;
    }
  }
  if (Token() != ")" || TokenIsQuoted()) {
    m_state = psError;
    return false;
  }
  Next();
  --m_nesting;
  // As rendering writes the call, so that an expression holding it reads back.
  text = (item.QuotesCallName() ? item.QuoteIdent(item.Name()) : item.Name()) + "(" + arguments +
         ")";
  return true;
}

// ---------------------------------------------------------------------------------------------
// Conditions

bool TVnSelectParser::ParseCriteria(TVnCriterions& list) {
  // Nothing to read: an empty list (WHERE at the end of the text).
  if (TokenKind() == tkEnd || (TokenKind() == tkKeyword && !TokenIs("NOT")))
    return true;
  return ParseConditionList(list);
}

bool TVnSelectParser::OpensGroup() {
  if (TokenIsQuoted())
    return false;
  if (Token() == "(")
    return true;
  return TokenIs("NOT") && m_scanner->Peek() == "(";
}

// A list of bracketed conditions joined by AND or OR, or one condition without brackets.
// An element is "(" condition ")", "(" list ")" for a group, or NOT "(" list ")" for a
// negated group; a list that is one negated group is that group: NOT ((a) OR (b)).
bool TVnSelectParser::ParseConditionList(TVnCriterions& list) {
  if (++m_nesting > kMaxNesting) {
    m_state = psError;
    return false;
  }
  if (!OpensGroup()) {
    --m_nesting;
    return ParseCondition(*list.Add());
  }
  std::vector<bool> ors;  // ors[i] joins item i to item i + 1 by OR
  bool lastNegated = false;
  while (true) {
    lastNegated = TokenIs("NOT");
    if (lastNegated)
      Next();
    if (Token() != "(" || TokenIsQuoted()) {
      m_state = psError;
      return false;
    }
    Next();
    TVnCriterion* criterion = list.Add();
    bool ok = false;
    if (lastNegated || OpensGroup()) {
      ok = ParseConditionList(criterion->SubItems());
      if (lastNegated)
        criterion->SubItems().SetGroupKind(
            static_cast<TVnGroupKind>(criterion->SubItems().GroupKind() | gkNone));
    } else {
      ok = ParseCondition(*criterion);
    }
    if (!ok)
      return false;
    if (Token() != ")" || TokenIsQuoted()) {
      m_state = psError;
      return false;
    }
    Next();
    const bool isAnd = TokenIs("AND");
    if (!isAnd && !TokenIs("OR"))
      break;
    const std::string next = m_scanner->Peek();
    if (next != "(" && !SameText(next, "NOT")) {
      m_state = psError;  // a condition after AND or OR must be in brackets
      return false;
    }
    ors.push_back(!isAnd);
    Next();
  }
  if (list.Count() == 1 && lastNegated) {
    TVnCriterions& inner = list.Items(0)->SubItems();
    list.SetGroupKind(inner.GroupKind());
    while (!inner.Empty())
      inner.MoveItemTo(0, list);
    list.Delete(0);
  } else {
    SetConjunctions(list, ors);
  }
  --m_nesting;
  return true;
}

// Gives the list its group kind. Where AND and OR are mixed, AND binds closer, as in SQL:
// each run of items joined by AND becomes a group of its own inside an OR list.
void TVnSelectParser::SetConjunctions(TVnCriterions& list, const std::vector<bool>& ors) {
  bool anyOr = false;
  bool anyAnd = false;
  for (bool isOr : ors)
    (isOr ? anyOr : anyAnd) = true;
  if (!(anyOr && anyAnd)) {
    list.SetGroupKind(anyOr ? gkAny : gkAll);
    return;
  }
  // Runs of AND, from the last so that earlier indices stay put.
  int end = list.Count() - 1;
  for (int i = list.Count() - 1; i >= 0; --i) {
    const bool runStarts = i == 0 || ors[static_cast<std::size_t>(i - 1)];
    if (!runStarts)
      continue;
    if (end > i) {
      TVnCriterion* group = list.Insert(i);
      for (int moved = 0; moved <= end - i; ++moved)
        list.MoveItemTo(i + 1, group->SubItems());
      group->SubItems().SetGroupKind(gkAll);
    }
    end = i - 1;
  }
  list.SetGroupKind(gkAny);
}

// left operator operands: a = 1, x BETWEEN 1 AND 5, c IN ('a', 'b'), d IS NULL.
bool TVnSelectParser::ParseCondition(TVnCriterion& criterion) {
  TVnTableDef* table = nullptr;
  ParseExpression(criterion.Left(), table, KindsOf({tkKeyword, tkCompare}), "", true);
  if (m_state == psError)
    return false;
  const TVnOperator* op = nullptr;
  if (!ParseOperatorWords(op))
    return false;
  criterion.SetOperator(op->Caption());
  for (int i = 0; i < op->Count(); ++i) {
    if (!op->Prefix().empty()) {
      if (Token() != op->Prefix() || TokenIsQuoted()) {
        m_state = psError;
        return false;
      }
      Next();
    }
    // A list operator (IN) takes any number of values inside its brackets.
    const bool list = !op->Prefix().empty() && op->Count() == 1;
    do {
      if (list && criterion.ArgCount() > 0)
        Next();  // past ","
      ParseExpression(*criterion.Args().Add(), table, KindsOf({tkKeyword}), "", true);
      if (m_state == psError)
        return false;
    } while (list && Token() == "," && !TokenIsQuoted());
    if (!op->Postfix().empty()) {
      if (Token() != op->Postfix() || TokenIsQuoted()) {
        m_state = psError;
        return false;
      }
      Next();
    }
    if (i < op->Count() - 1 && !op->Relate().empty()) {
      if (!TokenIs(op->Relate())) {
        m_state = psError;
        return false;
      }
      Next();
    }
  }
  return true;
}

// The operator: words read as long as they begin some caption; the caption they spell must
// be one of the list. "IS" "NOT" "NULL" gives IS NOT NULL.
bool TVnSelectParser::ParseOperatorWords(const TVnOperator*& op) {
  std::string words;
  op = nullptr;
  while (!TokenIsQuoted() && TokenKind() != tkEnd) {
    const std::string candidate = words.empty() ? Token() : words + " " + Token();
    bool partial = false;
    if (!Operators().FindByPrefix(candidate, partial))
      break;
    words = candidate;
    Next();
  }
  for (int i = 0; i < Operators().Count() && !words.empty(); ++i)
    if (SameText(Operators().Items(i)->Caption(), words))
      op = Operators().Items(i);
  if (!op)
    m_state = psError;
  return op != nullptr;
}

}  // namespace vantor
