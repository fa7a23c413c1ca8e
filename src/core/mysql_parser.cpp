#include "mysql_parser.h"

#include "mysql_scanner.h"
#include "text_utils.h"

#include <charconv>
#include <vector>

namespace vantor {

std::unique_ptr<TVnSQLScanner> TVnMySelectParser::CreateScanner() const {
  return NewScanner<TVnMySQLScanner>();
}

bool TVnMySelectParser::Distinct() const { return m_mySQLOptions.Filter() == myfoDistinct; }

void TVnMySelectParser::SetDistinct(bool value) {
  TVnSelectParser::SetDistinct(value);
  m_mySQLOptions.SetFilter(value ? myfoDistinct : myfoNone);
}

void TVnMySelectParser::Clear() {
  TVnSelectParser::Clear();
  m_mySQLOptions.Clear();
}

std::string TVnMySelectParser::GetScript() {
  // The select list and FROM clause are most of the text: the rest is written around them
  // in place rather than copying them into a new string.
  std::string text = TableDefs().GetScript();
  if (text.empty())
    return text;
  text.insert(0, FormatKeyword("SELECT") + " " + m_mySQLOptions.OptionsScript() +
                     m_mySQLOptions.FilterScript());
  text += ClausesScript();
  text += m_mySQLOptions.LimitScript();
  return text;
}

namespace {

// The option words are told by their text: SQL_BUFFER_RESULT is no keyword of the list, but
// the renderer writes it and must read it back.
TVnMySQLSelectOption OptionOf(std::string_view word) {
  for (TVnMySQLSelectOption option : TVnMySQLOptions::kAllOptions)
    if (SameText(word, TVnMySQLOptions::OptionWord(option)))
      return option;
  return TVnMySQLSelectOption{0};
}

}  // namespace

void TVnMySelectParser::ParseDistinct() {
  if (TokenIs("DISTINCT")) {
    m_mySQLOptions.SetFilter(myfoDistinct);
    Next();
  }
  const bool option = !TokenIsQuoted() && OptionOf(Token()) != 0;
  if (!option && TokenStartsSelectList()) {
    m_state = psSelectList;
  } else if (option) {
    ParseSelectOptions();
  } else if (TokenIs("DISTINCT") || TokenIs("DISTINCTROW") || TokenIs("ALL")) {
    ParseFilter();
  } else {
    m_state = psError;
  }
}

void TVnMySelectParser::ParseSelectOptions() {
  std::vector<TVnMySQLSelectOption> seen;
  while (true) {
    const TVnMySQLSelectOption option = TokenIsQuoted() ? TVnMySQLSelectOption{0}
                                                         : OptionOf(Token());
    if (option == 0) {
      if (TokenIs("DISTINCT") || TokenIs("DISTINCTROW") || TokenIs("ALL"))
        ParseFilter();
      else
        m_state = psSelectList;
      return;
    }
    for (TVnMySQLSelectOption earlier : seen)
      if (earlier == option) {
        m_state = psError;
        return;
      }
    seen.push_back(option);
    m_mySQLOptions.SetSelectOptions(m_mySQLOptions.SelectOptions() | option);
    Next();
  }
}

void TVnMySelectParser::ParseFilter() {
  m_state = psSelectList;
  if (TokenIs("DISTINCT"))
    m_mySQLOptions.SetFilter(myfoDistinct);
  else if (TokenIs("DISTINCTROW"))
    m_mySQLOptions.SetFilter(myfoDistinctRow);
  else if (TokenIs("ALL"))
    m_mySQLOptions.SetFilter(myfoAll);
  else
    m_state = psError;
  if (m_state != psError)
    Next();
}

bool TVnMySelectParser::ReadLimitNumber(int& value) {
  const std::string& text = Token();
  if (TokenKind() != tkInteger) {
    m_state = psError;
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    m_state = psError;  // beyond a 32-bit integer
    return false;
  }
  Next();
  return true;
}

void TVnMySelectParser::ParseTail() {
  if (!TokenIs("LIMIT")) {
    TVnSelectParser::ParseTail();
    return;
  }
  Next();
  int first = 0;
  if (!ReadLimitNumber(first))
    return;
  int offset = 0;
  int rows = first;
  if (Token() == "," && !TokenIsQuoted()) {
    Next();
    offset = first;
    if (!ReadLimitNumber(rows))
      return;
  } else if (TokenIs("OFFSET")) {
    Next();
    if (!ReadLimitNumber(offset))
      return;
  }
  m_mySQLOptions.SetLimitOffset(offset);
  m_mySQLOptions.SetLimitRows(rows);
  // LIMIT ends the statement: anything after it is an error, not silently dropped text.
  m_state = TokenKind() == tkEnd ? psDone : psError;
}

std::string TVnMySelectParser::DecodeQuoted(std::string_view text, char quote) const {
  if (quote == '`')
    return TVnSelectParser::DecodeQuoted(text, quote);
  // A string: doubled quotes and the backslash escapes of MySQL. \% and \_ keep their
  // backslash, as they do in LIKE patterns.
  if (text.find(quote) == std::string_view::npos && text.find('\\') == std::string_view::npos)
    return std::string(text);
  std::string value;
  value.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == quote && i + 1 < text.size() && text[i + 1] == quote) {
      value += quote;
      ++i;
    } else if (c == '\\' && i + 1 < text.size()) {
      const char escaped = text[++i];
      switch (escaped) {
      case '0':
        value += '\0';
        break;
      case 'b':
        value += '\b';
        break;
      case 'n':
        value += '\n';
        break;
      case 'r':
        value += '\r';
        break;
      case 't':
        value += '\t';
        break;
      case 'Z':
        value += '\x1a';
        break;
      case '%':
      case '_':
        value += '\\';
        value += escaped;
        break;
      default:
        value += escaped;
        break;
      }
    } else {
      value += c;
    }
  }
  return value;
}

}  // namespace vantor
