#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace vantor {
class TVnSQLScanner;
}

// Colours SQL text in the editor from the dialect's own word lists: keywords, function
// names, strings, quoted names and numbers.
class TSqlHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
public:
  // words: the scanner whose keyword and function lists say what is a word (not owned; it
  // must outlive the highlighter).
  TSqlHighlighter(QTextDocument* document, const vantor::TVnSQLScanner* words);

protected:
  void highlightBlock(const QString& text) override;

private:
  const vantor::TVnSQLScanner* m_words;
  QTextCharFormat m_keyword;
  QTextCharFormat m_function;
  QTextCharFormat m_string;
  QTextCharFormat m_name;
  QTextCharFormat m_number;
};
