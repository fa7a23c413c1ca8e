// The statement parser: the clause state machine and the handlers of the clauses.

#include "select_parser.h"

#include "errors.h"
#include "name_counter.h"
#include "text_utils.h"

namespace vantor {

namespace {

bool IsOperandKind(TVnTokenKind kind) {
  return kind == tkFunction || kind == tkInteger || kind == tkFloat || kind == tkString ||
         kind == tkIdentifier || kind == tkQuotedName;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tokens as the parser sees them

TVnTokenKind TVnSelectParser::TokenKind() const {
  const TVnTokenKind kind = m_scanner->Kind();
  // Where one quote opens both names and strings, the string quote makes a string.
  if (kind == tkQuotedName && m_scanner->InString() &&
      m_scanner->QuoteChar() == m_scanner->StringQuoteChar())
    return tkString;
  return kind;
}

bool TVnSelectParser::TokenIsQuoted() const {
  const TVnTokenKind kind = m_scanner->Kind();
  return m_scanner->InString() &&
         (kind == tkString || kind == tkIdentifier || kind == tkQuotedName);
}

std::string TVnSelectParser::TokenValue() const {
  if (TokenIsQuoted())
    return DecodeQuoted(m_scanner->Token(), m_scanner->QuoteChar());
  return m_scanner->Token();
}

std::string TVnSelectParser::NameValue() const {
  std::string value = TokenValue();
  // A name that holds a dot, or begins or ends with the identifier quote, would be taken
  // apart or taken as quoted already when rendered: it is kept in its quotes.
  if (value.find('.') != std::string::npos ||
      (!value.empty() &&
       (m_scanner->IsIdentQuote(value.front()) || m_scanner->IsIdentQuote(value.back()))))
    return EncloseDoubling(value, m_scanner->IdentQuoteChar());
  return value;
}

std::string TVnSelectParser::DecodeQuoted(std::string_view text, char quote) const {
  if (text.find(quote) == std::string_view::npos)
    return std::string(text);
  std::string value;
  value.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    value += text[i];
    if (text[i] == quote && i + 1 < text.size() && text[i + 1] == quote)
      ++i;
  }
  return value;
}

bool TVnSelectParser::TokenIs(std::string_view word) const {
  return !TokenIsQuoted() && SameText(m_scanner->Token(), word);
}

bool TVnSelectParser::IsJoinWord(std::string_view s) const {
  return SameText(s, "INNER") || SameText(s, "LEFT") || SameText(s, "RIGHT") ||
         SameText(s, "FULL");
}

// ---------------------------------------------------------------------------------------------
// The state machine

void TVnSelectParser::SetSQL(const std::string& text) {
  m_scanner->SetText(text);
  if (m_scanner->Kind() == tkEnd)
    Clear();
  else
    Parse();
}

// The words that end a condition operand, for dialects whose keyword list lacks them: AND,
// OR, NOT and the words of the operators, kept while the operator list stays the same.
void TVnSelectParser::UpdateConditionWords() {
  std::string captions;
  for (int i = 0; i < Operators().Count(); ++i)
    captions += Operators().Items(i)->Caption() + ",";
  if (captions == m_conditionCaptions && m_conditionWords.Count() > 0)
    return;
  std::vector<std::string> words = {"AND", "OR", "NOT"};
  for (int i = 0; i < Operators().Count(); ++i)
    for (std::string& word : SplitWords(Operators().Items(i)->Caption()))
      words.push_back(std::move(word));
  m_conditionWords.SetWords(std::move(words));
  m_conditionCaptions = std::move(captions);
}

void TVnSelectParser::Parse() {
  m_valid = true;
  UpdateConditionWords();
  std::string text = m_scanner->Text();
  Clear();
  m_state = psStart;
  m_nesting = 0;
  m_tablesInFrom = 0;
  m_tablesWithItems = 0;
  m_soleItemTable = nullptr;
  m_errorToken.reset();
  m_lastTableName.clear();
  m_lastAlias.clear();
  m_scanner->SetText(std::move(text));
  while (m_state != psError && m_state != psDone) {
    const int before = m_scanner->Pos();
    const TVnParseState stateBefore = m_state;
    switch (m_state) {
    case psStart:
      ParseSelect();
      break;
    case psAfterSelect:
      ParseDistinct();
      break;
    case psSelectList:
      ParseSelectList();
      break;
    case psInto:
      ParseInto();
      break;
    case psAfterFrom:
      ParseFromStart();
      break;
    case psFromList:
      ParseFromList();
      break;
    case psWhere:
      ParseWhere();
      break;
    case psGroupBy:
      ParseGroupBy();
      break;
    case psHaving:
      ParseHaving();
      break;
    case psOrderBy:
      ParseOrderBy();
      break;
    case psTail:
      ParseTail();
      break;
    default:
      m_state = psError;
      break;
    }
    if (m_state == psError)
      break;
    if (m_scanner->Kind() == tkEnd) {
      m_state = psDone;
    } else if (m_state != psSelectList && m_state != psFromList && m_state != psTail) {
      Next();
    } else if (m_state == stateBefore && m_scanner->Pos() == before) {
      // A handler that neither moved on nor changed the clause would loop for ever.
      m_state = psError;
    }
  }
  if (m_state == psError)
    DoError(m_errorToken.value_or(m_scanner->Token()), m_scanner->LineNo(),
            m_scanner->LinePos());
}

void TVnSelectParser::FailAt(const std::string& token, int after) {
  m_scanner->SetPosition(after);
  m_errorToken = token;
  m_state = psError;
}

void TVnSelectParser::DoError(const std::string& token, int lineNo, int linePos) {
  m_valid = false;
  // An empty token is the end of the text, unless it is an empty quoted text ('').
  const int code = token.empty() && m_scanner->Kind() == tkEnd ? 2 : 1;
  const int column = linePos - static_cast<int>(token.size());
  if (OnParserError) {
    OnParserError(this, EVnParserError::MessageFor(code, token, lineNo, column), token, lineNo,
                  column);
    return;
  }
  throw EVnParserError(code, token, lineNo, column);
}

// ---------------------------------------------------------------------------------------------
// SELECT and the select list

void TVnSelectParser::ParseSelect() { m_state = TokenIs("SELECT") ? psAfterSelect : psError; }

// "*", an operand, or a bracket or minus sign, which rendering writes for bracketed and
// negative items.
bool TVnSelectParser::TokenStartsSelectList() const {
  if (!TokenIsQuoted() && (Token() == "*" || Token() == "(" || Token() == "-"))
    return true;
  return IsOperandKind(TokenKind());
}

void TVnSelectParser::ParseDistinct() {
  SetDistinct(TokenIs("DISTINCT"));
  if (Distinct())
    Next();
  m_state = TokenStartsSelectList() ? psSelectList : psError;
}

void TVnSelectParser::ParseInto() { m_state = psError; }

void TVnSelectParser::ParseSelectList() {
  while (m_state != psError && m_state != psDone && m_state != psAfterFrom) {
    const TVnTokenKind kind = TokenKind();
    if (kind == tkEnd) {
      m_state = psDone;
    } else if (kind == tkKeyword) {
      m_state = TokenIs("FROM") ? psAfterFrom : psError;
    } else {
      const int before = m_scanner->Pos();
      ParseSelectItem();
      if (m_state == psError)
        break;
      if (m_state == psAfterFrom)  // "*" read FROM already
        break;
      if (Token() == "," && !TokenIsQuoted()) {
        Next();
        if (TokenKind() == tkEnd || TokenKind() == tkKeyword)
          m_state = psError;  // a comma with no item after it
      } else if (m_scanner->Pos() == before || TokenKind() != tkKeyword) {
        if (TokenKind() != tkEnd)
          m_state = psError;
      }
    }
  }
  if (m_state == psError)
    TableDefs().Clear();
}

void TVnSelectParser::ParseSelectItem() {
  // The item is read in a list of its own, then moved (not copied) into its table, which is
  // known only once the item is read.
  TVnFieldDefs& reading = m_itemBeingRead;
  reading.Clear();  // what an error left behind
  reading.SetParser(this);
  TVnFieldDef& item = *reading.Add();
  TVnTableDef* table = nullptr;
  m_aliasGiven = false;
  ParseExpression(item, table, KindsOf({tkKeyword}), "AS", false);
  if (m_state == psError)
    return;
  // An unqualified item: the table that holds such items, else the only table there is.
  // Among several tables it cannot be told which one it belongs to; it stays unqualified in
  // a table of its own rather than being copied into every table. A table that only a
  // qualifier in a call's arguments named holds no items (the call goes to the table of its
  // last qualifier) and is written nowhere, so it does not count.
  if (!table)
    table = TableDefs().FindByAlias(std::string());
  if (!table && TableDefs().Count() == 1)
    table = TableDefs().Items(0);
  if (!table && m_tablesWithItems == 1)
    table = m_soleItemTable;
  if (!table)
    table = TableDefs().Add();
  const bool automaticAlias = !m_aliasGiven && item.Alias() != item.Name();
  reading.MoveItemTo(0, table->Fields());
  if (table->Fields().Count() == 1) {
    ++m_tablesWithItems;
    m_soleItemTable = table;
  }
  TVnFieldDef* placed = table->Fields().Items(table->Fields().Count() - 1);
  // An automatic output name is made unique among the items already read.
  if (automaticAlias) {
    placed->SetAlias(placed->Name());
    placed->SetAlias(placed->MakeUniqueAlias("FIELD_", true));
  }
}

// ---------------------------------------------------------------------------------------------
// FROM

void TVnSelectParser::ParseFromStart() {
  const TVnTokenKind kind = TokenKind();
  m_state = (kind == tkString || kind == tkIdentifier || kind == tkQuotedName || kind == tkOther)
                ? psFromList
                : psError;
}

bool TVnSelectParser::TokenIsTableName() const {
  const TVnTokenKind kind = TokenKind();
  return (kind == tkIdentifier || kind == tkQuotedName || kind == tkString || kind == tkOther) &&
         !Token().empty();
}

void TVnSelectParser::ParseFromList() {
  while (m_state == psFromList) {
    const TVnTokenKind kind = TokenKind();
    if (kind == tkEnd) {
      m_state = psDone;
    } else if (Token() == "," && !TokenIsQuoted()) {
      Next();
      if (!TokenIsTableName())
        m_state = psError;
    } else if (!TokenIsQuoted() && IsJoinWord(Token())) {
      ParseJoin();
    } else if (kind != tkKeyword) {
      ParseTableRef();
    } else if (TokenIs("WHERE")) {
      m_state = psWhere;
    } else if (TokenIs("GROUP") && SameText(m_scanner->Peek(), "BY")) {
      m_state = psGroupBy;
      Next();
    } else if (TokenIs("HAVING")) {
      m_state = psHaving;
    } else if (TokenIs("ORDER") && SameText(m_scanner->Peek(), "BY")) {
      m_state = psOrderBy;
      Next();
    } else {
      m_state = psTail;
    }
  }
  if (m_state == psError)
    TableDefs().Clear();
}

void TVnSelectParser::ParseTableRef() {
  if (!TokenIsTableName()) {
    m_state = psError;
    return;
  }
  const std::string name = NameValue();
  TVnTableDefs& tables = TableDefs();
  const std::string nameToken = Token();
  const int afterName = m_scanner->Pos();
  Next();
  const TVnTokenKind aliasKind = TokenKind();
  const bool aliasFollows =
      aliasKind == tkIdentifier || aliasKind == tkQuotedName || aliasKind == tkOther;
  TVnTableDef* table = nullptr;
  // "t t" reads as "t": rendering writes no alias that equals the name.
  const bool aliased = aliasFollows && !(!TokenIsQuoted() && IsJoinWord(Token()));
  const std::string alias = aliased ? NameValue() : name;
  if (alias.empty()) {
    m_state = psError;  // `` names nothing
    return;
  }
  // Two references under one name: joins name their tables by alias, so they could not be
  // told apart (and the server refuses the statement). The error shows the second name.
  if (const TVnTableDef* earlier = tables.FindByAlias(alias);
      earlier && earlier->Index() < m_tablesInFrom) {
    if (!aliased)
      FailAt(nameToken, afterName);
    m_state = psError;
    return;
  }
  if (aliased)
    Next();
  // The table the select list qualified by this alias, as long as no FROM reference of
  // another table claimed it; without an alias of its own, the table that holds the items
  // read before any table; else a table of its own.
  table = tables.FindByAlias(alias);
  if (table && !table->Name().empty() && table->Name() != name)
    table = nullptr;
  if (!table && alias == name) {
    table = tables.FindByAlias(std::string());
    if (table && !table->Name().empty())
      table = nullptr;
  }
  if (!table)
    table = tables.Add();
  if (table->Name().empty())
    table->SetName(name);
  if (table->Alias() != alias)
    table->SetAlias(alias);
  // The list follows the FROM clause, so the text renders back in the order it was written,
  // whatever order the select list named the tables in.
  if (table->Index() > m_tablesInFrom)
    tables.Move(table->Index(), m_tablesInFrom);
  if (table->Index() == m_tablesInFrom)
    ++m_tablesInFrom;
  m_lastTableName = name;
  m_lastAlias = table->Alias();
  // Anything but a separator, a clause word or a join after the reference is an error.
  const TVnTokenKind kind = TokenKind();
  if (kind == tkEnd || kind == tkKeyword || (Token() == "," && !TokenIsQuoted()) ||
      (!TokenIsQuoted() && IsJoinWord(Token())))
    return;
  m_state = psError;
}


// One side of a join condition: [qualifier "."] field.
bool TVnSelectParser::ReadJoinOperand(std::string& qualifier, std::string& field) {
  qualifier.clear();
  field.clear();
  const auto isName = [this] {
    const TVnTokenKind kind = TokenKind();
    return kind == tkIdentifier || kind == tkQuotedName || kind == tkOther ||
           kind == tkFunction || kind == tkString;
  };
  if (!isName())
    return false;
  field = NameValue();
  if (field.empty())
    return false;
  // A qualifier must name a table of the FROM clause; the error shows it.
  if (m_scanner->Peek() == "." && !TableDefs().FindByAlias(field))
    return false;
  Next();
  if (Token() == "." && !TokenIsQuoted()) {
    Next();
    if (!isName())
      return false;
    qualifier = field;
    field = NameValue();
    if (field.empty())
      return false;
    Next();
  }
  return true;
}

void TVnSelectParser::ParseJoin() {
  TVnJoinKind kind = jkInner;
  if (TokenIs("LEFT"))
    kind = jkLeftOuter;
  else if (TokenIs("RIGHT"))
    kind = jkRightOuter;
  else if (TokenIs("FULL"))
    kind = jkFullOuter;
  Next();
  if (kind != jkInner && TokenIs("OUTER"))
    Next();
  TVnTableDef* left = TableDefs().FindByAlias(m_lastAlias);
  if (!TokenIs("JOIN") || m_lastAlias.empty() || !left) {
    m_state = psError;
    return;
  }
  Next();
  ParseTableRef();
  if (m_state == psError)
    return;
  TVnTableDef* right = TableDefs().FindByAlias(m_lastAlias);
  if (!TokenIs("ON") || !right) {
    m_state = psError;
    return;
  }
  Next();
  // ON (l.a = r.b), with further comparisons joined by AND: a second link between tables
  // already in the join, as rendering writes it.
  for (bool first = true;; first = false) {
    const bool bracketed = Token() == "(" && !TokenIsQuoted();
    if (bracketed)
      Next();
    std::string leftQualifier, leftField, rightQualifier, rightField;
    if (!ReadJoinOperand(leftQualifier, leftField)) {
      m_state = psError;
      return;
    }
    // A comparison, or an operator word of one operand such as LIKE.
    std::string op;
    if (TokenKind() == tkCompare && !TokenIsQuoted()) {
      op = Token();
      Next();
    } else {
      const TVnOperator* word = nullptr;
      if (!ParseOperatorWords(word) || word->Count() != 1 || !word->Prefix().empty()) {
        m_state = psError;
        return;
      }
      op = word->Caption();
    }
    if (!ReadJoinOperand(rightQualifier, rightField)) {
      m_state = psError;
      return;
    }
    if (bracketed) {
      if (Token() != ")" || TokenIsQuoted()) {
        m_state = psError;
        return;
      }
      Next();
    }
    TVnTableDef* owner = leftQualifier.empty() ? (first ? left : nullptr)
                                               : TableDefs().FindByAlias(leftQualifier);
    TVnTableDef* target = rightQualifier.empty() ? (first ? right : nullptr)
                                                 : TableDefs().FindByAlias(rightQualifier);
    if (!owner || !target) {
      m_state = psError;
      return;
    }
    // Written the other way round (ON r.b = l.a): the join belongs to the table brought in,
    // and seen from there a LEFT join is a RIGHT one. Rendering writes it the same way back.
    TVnJoinKind ownKind = kind;
    if (first && owner == right && target != right) {
      if (kind == jkLeftOuter)
        ownKind = jkRightOuter;
      else if (kind == jkRightOuter)
        ownKind = jkLeftOuter;
    }
    TVnJoinDef* join = owner->Joins().Add();
    join->SetLeftField(leftField);
    join->SetOperator(op);
    join->SetRightTable(target->Alias());
    join->SetRightField(rightField);
    join->SetJoinKind(first ? ownKind : kind);
    if (!TokenIs("AND") || m_scanner->Peek() != "(")
      break;
    Next();
  }
  m_lastAlias = right->Alias();
}

// ---------------------------------------------------------------------------------------------
// WHERE, GROUP BY, HAVING, ORDER BY

void TVnSelectParser::ParseWhere() {
  if (ParseCriteria(WhereItems()))
    AfterConditions(true);
}

void TVnSelectParser::ParseHaving() {
  if (ParseCriteria(HavingItems()))
    AfterConditions(false);
}

// The clause after WHERE or HAVING conditions: GROUP BY and HAVING follow WHERE only.
void TVnSelectParser::AfterConditions(bool afterWhere) {
  m_state = psError;
  if (TokenKind() == tkEnd) {
    m_state = psDone;
  } else if (afterWhere && TokenIs("GROUP")) {
    Next();
    if (TokenIs("BY"))
      m_state = psGroupBy;
  } else if (afterWhere && TokenIs("HAVING")) {
    m_state = psHaving;
  } else if (TokenIs("ORDER")) {
    Next();
    if (TokenIs("BY"))
      m_state = psOrderBy;
  } else if (AcceptsTailAfterConditions()) {
    m_state = psTail;
  }
}

bool TVnSelectParser::AcceptsTailAfterConditions() const { return false; }

// A dotted name of a GROUP BY or ORDER BY entry, written without blanks (t.a); quoted parts
// lose their quotes. Empty when the entry is not such a name.
bool TVnSelectParser::ReadDottedName(std::string& name) {
  name.clear();
  while (true) {
    const TVnTokenKind kind = TokenKind();
    const bool part = kind == tkIdentifier || kind == tkQuotedName || kind == tkOther ||
                      kind == tkFunction || kind == tkInteger || kind == tkString;
    if (!part)
      return false;
    const std::string value = NameValue();
    if (value.empty())
      return false;  // '' names nothing
    name += value;
    Next();
    if (Token() != "." || TokenIsQuoted() || m_scanner->BlankCount() > 0)
      return true;
    name += ".";
    Next();
  }
}

// After GROUP BY or ORDER BY entries: the end, a comma or the next clause.
bool TVnSelectParser::AtEntryEnd() const {
  return TokenKind() == tkEnd || TokenKind() == tkKeyword || (Token() == "," && !TokenIsQuoted());
}

void TVnSelectParser::ParseGroupBy() {
  while (TokenKind() != tkEnd && TokenKind() != tkKeyword) {
    std::string entry;
    if (!ReadDottedName(entry) || !AtEntryEnd()) {
      m_state = psError;
      return;
    }
    if (GroupByItems().IndexOf(entry) < 0)
      GroupByItems().Add(entry);
    if (Token() == "," && !TokenIsQuoted()) {
      Next();
      if (TokenKind() == tkEnd || TokenKind() == tkKeyword) {
        m_state = psError;
        return;
      }
    }
  }
  if (TokenKind() == tkEnd) {
    m_state = psDone;
  } else if (TokenIs("HAVING")) {
    m_state = psHaving;
  } else if (TokenIs("ORDER") && SameText(m_scanner->Peek(), "BY")) {
    m_state = psOrderBy;
    Next();
  } else {
    m_state = psTail;
  }
}

void TVnSelectParser::ParseOrderBy() {
  // An entry repeated in the text appears once. Repeated means written the same: a.b.c and
  // "a.b".c are both written "a.b"."c", and the second would be dropped only when the
  // rendered text is read back.
  TVnNameCounter written;
  while (TokenKind() != tkEnd && TokenKind() != tkKeyword) {
    std::string entry;
    if (!ReadDottedName(entry)) {
      m_state = psError;
      return;
    }
    bool descending = false;
    if (TokenIs("DESC")) {
      descending = true;
      Next();
    } else if (TokenIs("ASC")) {
      Next();
    }
    if (!AtEntryEnd()) {
      m_state = psError;
      return;
    }
    if (written.Add(OrderByItems().QuoteItem(entry)))
      OrderByItems().AddItem(entry, descending);
    if (Token() == "," && !TokenIsQuoted()) {
      Next();
      if (TokenKind() == tkEnd || TokenKind() == tkKeyword) {
        m_state = psError;
        return;
      }
    }
  }
  m_state = TokenKind() == tkEnd ? psDone : psTail;
}

void TVnSelectParser::ParseTail() { m_state = psError; }

}  // namespace vantor
