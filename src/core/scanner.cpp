#include "scanner.h"

#include "errors.h"
#include "messages.h"
#include "text_utils.h"

#include <utility>

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnScanner

bool TVnScanner::IsLetter(char c) const { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

namespace {

// The delimiter characters as a table: this test runs for every character read.
struct DelimiterTable {
  bool is[256] = {};
  constexpr DelimiterTable() {
    for (char c : std::string_view(".,/\\;:(){}[]*+-<=>!\r"))
      is[static_cast<unsigned char>(c)] = true;
  }
};
constexpr DelimiterTable kDelimiters;

}  // namespace

bool TVnScanner::IsDelimiter(char c) const { return kDelimiters.is[static_cast<unsigned char>(c)]; }

bool TVnScanner::IsDigit(char c) const { return c >= '0' && c <= '9'; }

bool TVnScanner::IsQuote(char c) const { return c == '"' || c == '\''; }

bool TVnScanner::IsSpace(char c) const { return c == ' ' || c == '\t'; }

bool TVnScanner::IsOpenBracket(char c) const { return c == '('; }

bool TVnScanner::IsCloseBracket(char c) const { return c == ')'; }

void TVnScanner::Reset() {
  m_token.clear();
  m_pos = 1;
  m_inString = false;
  m_quoteChar = '\0';
  m_parenDepth = 0;
}

void TVnScanner::SetPosition(int n) {
  m_token.clear();
  m_inString = false;
  m_quoteChar = '\0';
  m_pos = n;
}

void TVnScanner::Create() { Reset(); }

const std::string& TVnScanner::First() {
  Reset();
  return NextToken();
}

void TVnScanner::SetText(std::string text) {
  // Positions are ints throughout (they are columns for the user too); refuse what would
  // not fit rather than wrap around.
  constexpr std::size_t kMaxLength = 1u << 30;
  if (text.size() > kMaxLength)
    throw EVnError(FormatText(MessageText(TVnMessage::StatementTooLong),
                              static_cast<int>(kMaxLength)));
  m_text = std::move(text);
  m_length = static_cast<int>(m_text.size());
  First();
}

// ---------------------------------------------------------------------------------------------
// TVnSQLScanner

struct TVnSQLScanner::State {
  int pos;
  std::string token;
  TVnTokenKind kind;
  bool inString;
  char quoteChar;
  bool emptyStringMark;
  int parenDepth;
  int lineNo;
  int linePos;
  int blankCount;
};

TVnSQLScanner::State TVnSQLScanner::SaveState() const {
  return State{m_pos,        m_token,      m_kind,   m_inString,  m_quoteChar,
               m_emptyStringMark, m_parenDepth, m_lineNo, m_linePos, m_blankCount};
}

void TVnSQLScanner::RestoreState(const State& state) {
  m_pos = state.pos;
  m_token = state.token;
  m_kind = state.kind;
  m_inString = state.inString;
  m_quoteChar = state.quoteChar;
  m_emptyStringMark = state.emptyStringMark;
  m_parenDepth = state.parenDepth;
  m_lineNo = state.lineNo;
  m_linePos = state.linePos;
  m_blankCount = state.blankCount;
}

void TVnSQLScanner::Create() {
  TVnScanner::Create();
  for (int i = 0; i < 256; ++i) {
    const char c = static_cast<char>(i);
    m_classes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
        ((IsQuote(c) || IsIdentQuote(c)) ? ccQuote : 0) | (IsDelimiter(c) ? ccDelimiter : 0) |
        (IsSpace(c) ? ccSpace : 0));
  }
  LoadFunctions();
  LoadKeywords();
  LoadArithOperators();
  m_lineNo = 1;
  m_linePos = 1;
  m_quoteIdentifiers = true;
}

void TVnSQLScanner::Reset() {
  TVnScanner::Reset();
  m_lineNo = 1;
  m_linePos = 1;
  m_blankCount = 0;
  m_emptyStringMark = false;
  m_kind = tkEnd;
  m_checkpointCount = 0;
  m_nextCheckpoint = 0;
}

std::string TVnSQLScanner::Peek() {
  const State saved = SaveState();
  try {
    std::string next = NextToken();
    RestoreState(saved);
    return next;
  } catch (...) {
    RestoreState(saved);
    throw;
  }
}

void TVnSQLScanner::RememberCheckpoint() {
  m_checkpoints[m_nextCheckpoint] = Checkpoint{m_pos, m_lineNo, m_linePos, m_parenDepth};
  m_nextCheckpoint = (m_nextCheckpoint + 1) % kCheckpoints;
  if (m_checkpointCount < kCheckpoints)
    ++m_checkpointCount;
}

TVnSQLScanner::Checkpoint TVnSQLScanner::NearestCheckpoint(int n) const {
  Checkpoint best{1, 1, 1, 0};
  for (std::size_t i = 0; i < m_checkpointCount; ++i) {
    const Checkpoint& cp = m_checkpoints[i];
    if (cp.pos <= n && cp.pos > best.pos)
      best = cp;
  }
  return best;
}

void TVnSQLScanner::SetPosition(int n) {
  if (n < 1)
    n = 1;
  if (n > m_length + 1)
    n = m_length + 1;
  // Replay the characters between the nearest known state and n the way NextToken counts
  // them: a line break outside quotes starts a new line, any other character is a column,
  // and brackets outside quotes change the depth.
  Checkpoint cp = NearestCheckpoint(n);
  char openQuote = '\0';
  int i = cp.pos;
  while (i < n) {
    const char c = At(i);
    if (openQuote != '\0') {
      if (c == openQuote)
        openQuote = '\0';
      ++cp.linePos;
      ++i;
    } else if (c == '\r' && At(i + 1) == '\n' && i + 1 < n) {
      ++cp.lineNo;
      cp.linePos = 1;
      i += 2;
    } else {
      if (IsQuote(c) || IsIdentQuote(c))
        openQuote = c;
      else if (c == '(')
        ++cp.parenDepth;
      else if (c == ')')
        --cp.parenDepth;
      ++cp.linePos;
      ++i;
    }
  }
  TVnScanner::SetPosition(n);
  m_lineNo = cp.lineNo;
  m_linePos = cp.linePos;
  m_parenDepth = cp.parenDepth;
  m_emptyStringMark = false;
  m_kind = n > m_length ? tkEnd : tkOther;
}

TVnTokenKind TVnSQLScanner::KindOfClosingQuote(char c) const {
  const bool stringQuote = IsQuote(c);
  const bool identQuote = IsIdentQuote(c);
  if (stringQuote && identQuote)
    return tkQuotedName;
  return identQuote ? tkIdentifier : tkString;
}

void TVnSQLScanner::ClassifyWord(const std::string& word) {
  if (word.empty())
    m_kind = tkEnd;
  else if (IsFunction(word))
    m_kind = tkFunction;
  else if (IsKeyword(word))
    m_kind = tkKeyword;
  else if (IsNumber(word))
    m_kind = tkInteger;
  else if (IsIdentifier(word) || IsIdentifier(Unquote(word)))
    m_kind = tkIdentifier;
}

// Blanks and line breaks outside quoted text, counted as ReadRawToken would count them one
// by one; statements are mostly blanks, so this runs first.
void TVnSQLScanner::SkipBlanks() {
  if (m_inString)
    return;
  while (m_pos <= m_length) {
    const char c = At(m_pos);
    int width = 0;
    if (ClassOf(c) & ccSpace)
      width = 1;
    else if (c == '\r' && At(m_pos + 1) == '\n')
      width = 2;
    else
      return;
    if (m_kind != tkBlank && m_kind != tkLineBreak)
      m_blankCount = 0;
    ++m_blankCount;
    m_pos += width;
    if (width == 2) {
      m_kind = tkLineBreak;
      ++m_lineNo;
      m_linePos = 1;
    } else {
      m_kind = tkBlank;
      ++m_linePos;
    }
  }
}

std::string TVnSQLScanner::ReadRawToken() {
  if (m_kind != tkBlank && m_kind != tkLineBreak)
    m_blankCount = 0;
  m_kind = tkOther;
  if (!m_inString)
    RememberCheckpoint();

  std::string r;
  bool quotedContents = false;
  while (m_pos <= m_length) {
    const char c = At(m_pos);
    const std::uint8_t cls = ClassOf(c);
    // A run of word characters, or of quoted text up to the next quote, is taken at once.
    const std::uint8_t stop =
        m_inString ? std::uint8_t(ccQuote) : std::uint8_t(ccQuote | ccDelimiter | ccSpace);
    if ((cls & stop) == 0) {
      int end = m_pos + 1;
      while (end <= m_length && (ClassOf(At(end)) & stop) == 0)
        ++end;
      r.append(m_text, static_cast<std::size_t>(m_pos - 1), static_cast<std::size_t>(end - m_pos));
      m_pos = end;
      continue;
    }
    if (cls & ccQuote) {
      if (m_inString && c == m_quoteChar &&
          (m_pos == m_length || IsStringEnd(c, r, m_quoteChar, At(m_pos + 1)))) {
        if (!r.empty() || m_emptyStringMark) {
          // The contents end here; the closing quote is read as a token of its own next.
          m_emptyStringMark = false;
          m_kind = KindOfClosingQuote(c);
          quotedContents = true;
          break;
        }
      } else if (m_inString) {
        r += c;
        ++m_pos;
        continue;
      } else if (!r.empty()) {
        break;
      }
      if (m_inString) {
        m_inString = false;
        m_quoteChar = '\0';
      } else {
        m_inString = true;
        m_quoteChar = c;
        m_emptyStringMark = At(m_pos + 1) == c && At(m_pos + 2) != c;
      }
      r = c;
      m_kind = tkQuote;
      ++m_pos;
      break;
    }
    if (m_inString) {
      r += c;
      ++m_pos;
      continue;
    }
    if (c == '.' && IsNumber(r)) {
      int i = m_pos + 1;
      while (i <= m_length && IsDigit(At(i)))
        ++i;
      const char after = At(i);
      if (i > m_length || IsSpace(after) || (IsDelimiter(after) && after != '.')) {
        r += m_text.substr(static_cast<std::size_t>(m_pos - 1), static_cast<std::size_t>(i - m_pos));
        m_pos = i;
        m_kind = tkFloat;
        break;
      }
    }
    if (cls & (ccDelimiter | ccSpace)) {
      if (!r.empty())
        break;
      r = c;
      m_kind = (cls & ccDelimiter) ? tkDelimiter : tkBlank;
      ++m_pos;
      if (c == '\r' && At(m_pos) == '\n') {
        r += '\n';
        ++m_pos;
        m_kind = tkLineBreak;
        ++m_lineNo;
        m_linePos = 1;
      } else if (IsCompareChar(c)) {
        if (IsCompareChar(At(m_pos))) {
          r += At(m_pos);
          ++m_pos;
        }
        m_kind = tkCompare;
      }
      break;
    }
    r += c;
    ++m_pos;
  }

  if (m_kind == tkOther)
    ClassifyWord(r);
  else if (m_kind == tkDelimiter && r == ";")
    m_kind = tkEnd;
  // Only unquoted text can be an operator: a string value '+' stays a string.
  if (!quotedContents && IsArithOperator(r))
    m_kind = tkOperator;
  if (m_kind != tkLineBreak)
    m_linePos += static_cast<int>(r.size());
  return r;
}

const std::string& TVnSQLScanner::NextToken() {
  while (true) {
    SkipBlanks();
    std::string r = ReadRawToken();
    if (m_kind == tkQuote)
      continue;
    if (m_kind == tkBlank || m_kind == tkLineBreak) {
      ++m_blankCount;
      continue;
    }
    if (!m_inString) {
      if (r.size() == 1 && IsOpenBracket(r[0]))
        ++m_parenDepth;
      else if (r.size() == 1 && IsCloseBracket(r[0]))
        --m_parenDepth;
    }
    if (m_kind == tkEnd && m_inString)
      throw EVnParserError(3, m_token, m_lineNo, m_linePos - static_cast<int>(m_token.size()));
    m_token = std::move(r);
    return m_token;
  }
}

bool TVnSQLScanner::IsArithOperator(std::string_view s) const { return m_arithOperators.Contains(s); }

bool TVnSQLScanner::IsCompareChar(char c) const { return c == '<' || c == '=' || c == '>'; }

bool TVnSQLScanner::IsIdentChar(char c) const {
  return IsLetter(c) || IsDigit(c) || c == '-' || c == '_';
}

bool TVnSQLScanner::IsIdentQuote(char c) const { return c == '"' || c == '\''; }

bool TVnSQLScanner::IsIdentifier(std::string_view s) const {
  if (s.empty() || !IsLetter(s[0]))
    return false;
  for (std::size_t i = 1; i < s.size(); ++i)
    if (!IsIdentChar(s[i]))
      return false;
  return true;
}

bool TVnSQLScanner::IsNumber(std::string_view s) const {
  if (s.empty())
    return false;
  for (char c : s)
    if (!IsDigit(c))
      return false;
  return true;
}

bool TVnSQLScanner::IsKeyword(std::string_view s) const { return m_keywords.Contains(s); }

bool TVnSQLScanner::IsFunction(std::string_view s) const { return m_functions.Contains(s); }

bool TVnSQLScanner::IsStringEnd(char c, std::string_view collected, char quoteChar,
                                char next) const {
  if (c != quoteChar || next == quoteChar)
    return false;
  std::size_t run = 0;
  while (run < collected.size() && collected[collected.size() - 1 - run] == quoteChar)
    ++run;
  return run % 2 == 0;
}

char TVnSQLScanner::IdentQuoteChar() const { return '"'; }

bool TVnSQLScanner::QuoteAliases() const { return false; }

char TVnSQLScanner::StringQuoteChar() const { return '\''; }

bool TVnSQLScanner::IsNotQuoted(std::string_view s) const {
  return !(s.size() >= 2 && IsIdentQuote(s.front()) && IsIdentQuote(s.back()) &&
           s.front() == s.back());
}

std::string TVnSQLScanner::GetKeywords() const {
  return "SELECT,DISTINCT,INTO,FROM,WHERE,GROUP,BY,HAVING,ORDER,ASC,DESC,AS,LEFT,RIGHT,FULL,"
         "INNER,OUTER,JOIN,ON";
}

std::string TVnSQLScanner::GetFunctions() const { return "SUM,MIN,MAX,AVG,COUNT"; }

std::string TVnSQLScanner::GetArithOperators() const { return "+,-,*,/"; }

std::string TVnSQLScanner::Unquote(std::string_view s) const {
  if (!IsNotQuoted(s))
    return std::string(s.substr(1, s.size() - 2));
  return std::string(s);
}

void TVnSQLScanner::LoadKeywords() { m_keywords.SetCommaText(GetKeywords()); }

void TVnSQLScanner::LoadFunctions() { m_functions.SetCommaText(GetFunctions()); }

void TVnSQLScanner::LoadArithOperators() { m_arithOperators.SetCommaText(GetArithOperators()); }

bool TVnSQLScanner::IsPlainName(std::string_view name) const {
  if (name.empty() || !IsLetter(name[0]) || IsKeyword(name))
    return false;
  for (char c : name)
    if (!IsLetter(c) && !IsDigit(c) && c != '_')
      return false;
  return true;
}

std::string TVnSQLScanner::QuoteString(std::string_view value) const {
  return EncloseDoubling(value, StringQuoteChar());
}

std::string TVnSQLScanner::QuoteName(std::string_view name) const {
  if (!QuoteIdentifiers())
    return std::string(name);
  const char q = IdentQuoteChar();
  if (name.find('.') == std::string_view::npos)
    return IsNotQuoted(name) && !name.empty() ? EncloseDoubling(name, q) : std::string(name);
  std::string result;
  std::string rest(name);
  bool plain = true;
  auto separate = [&result] {
    if (!result.empty() && result.back() != '.')
      result += '.';
  };
  // Leading parts up to the last dot: quoted parts are kept as they are, plain ones
  // collected to be quoted as one.
  for (std::size_t dot = rest.find('.'); dot != std::string::npos && dot >= 1;
       dot = rest.find('.')) {
    if (rest[0] == q) {
      separate();
      result += q;
      rest.erase(0, 1);
      // The closing quote is the first one not doubled: `a``b` is one part.
      std::size_t close = 0;
      while (close < rest.size() && (rest[close] != q || (close + 1 < rest.size() && rest[close + 1] == q)))
        close += rest[close] == q ? 2 : 1;
      const std::size_t take = close >= rest.size() ? rest.size() : close + 1;
      result += rest.substr(0, take);
      rest.erase(0, take);
      plain = false;
      const std::size_t nextDot = rest.find('.');
      if (nextDot != std::string::npos)
        rest.erase(0, nextDot + 1);
    } else {
      separate();
      result += rest.substr(0, dot);
      rest.erase(0, dot + 1);
    }
  }
  if (!rest.empty()) {
    if (!result.empty()) {
      if (plain && IsNotQuoted(result))
        result = EncloseDoubling(result, q);
      if (result.back() != '.')
        result += '.';
    }
    result += IsNotQuoted(rest) ? EncloseDoubling(rest, q) : rest;
  }
  return result;
}

}  // namespace vantor
