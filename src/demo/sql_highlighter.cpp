#include "demo/sql_highlighter.h"

#include "core/scanner.h"

namespace {

// Block states: the quote that a quoted text left open at the end of the line, if any.
constexpr int kNoQuote = 0;

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

}  // namespace

TSqlHighlighter::TSqlHighlighter(QTextDocument* document, const vantor::TVnSQLScanner* words)
    : QSyntaxHighlighter(document), m_words(words) {
  m_keyword.setForeground(QColor(0x1f, 0x3f, 0xa8));
  m_keyword.setFontWeight(QFont::Bold);
  m_function.setForeground(QColor(0x7a, 0x2e, 0x9e));
  m_string.setForeground(QColor(0xa3, 0x15, 0x15));
  m_name.setForeground(QColor(0x0b, 0x6e, 0x4f));
  m_number.setForeground(QColor(0x09, 0x86, 0x58));
}

void TSqlHighlighter::highlightBlock(const QString& text) {
  const int length = static_cast<int>(text.size());
  int i = 0;
  QChar open = previousBlockState() > kNoQuote ? QChar(previousBlockState()) : QChar();
  while (i < length) {
    if (!open.isNull()) {
      // Inside quoted text: up to the closing quote (doubled quotes and backslashes escape).
      const QChar quote = open;
      const int start = i;
      while (i < length) {
        if (text[i] == u'\\' && open != u'`') {
          i += 2;
          continue;
        }
        if (text[i] == open) {
          if (i + 1 < length && text[i + 1] == open) {
            i += 2;
            continue;
          }
          ++i;
          open = QChar();
          break;
        }
        ++i;
      }
      i = qMin(i, length);
      setFormat(start, i - start, quote == u'`' ? m_name : m_string);
      continue;
    }
    const QChar c = text[i];
    if (c == u'\'' || c == u'"' || c == u'`') {
      open = c;
      const int start = i++;
      // Colour the opening quote with what follows.
      setFormat(start, 1, c == u'`' ? m_name : m_string);
      continue;
    }
    if (c.isDigit()) {
      const int start = i;
      while (i < length && (text[i].isDigit() || text[i] == u'.'))
        ++i;
      setFormat(start, i - start, m_number);
      continue;
    }
    if (IsWordChar(c)) {
      const int start = i;
      while (i < length && IsWordChar(text[i]))
        ++i;
      const std::string word = text.mid(start, i - start).toStdString();
      if (m_words && m_words->IsFunction(word))
        setFormat(start, i - start, m_function);
      else if (m_words && m_words->IsKeyword(word))
        setFormat(start, i - start, m_keyword);
      continue;
    }
    ++i;
  }
  setCurrentBlockState(open.isNull() ? kNoQuote : open.unicode());
}
