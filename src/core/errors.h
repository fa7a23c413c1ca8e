#pragma once

#include <stdexcept>
#include <string>

namespace vantor {

// The base of every error the core raises; the message is the user-visible text.
class EVnError : public std::runtime_error {
public:
  explicit EVnError(const std::string& message) : std::runtime_error(message) {}
};

// A parse error: the code says which message it carries; LinePos is the column where
// the offending token starts.
class EVnParserError : public EVnError {
public:
  EVnParserError(int code, std::string token, int lineNo, int linePos);

  int Code() const { return m_code; }
  const std::string& Token() const { return m_token; }
  int LineNo() const { return m_lineNo; }
  int LinePos() const { return m_linePos; }

  // The message for a code, as the exception builds it.
  static std::string MessageFor(int code, const std::string& token, int lineNo, int linePos);

private:
  int m_code;
  std::string m_token;
  int m_lineNo;
  int m_linePos;
};

// Assign between objects of incompatible classes.
class EVnAssignError : public EVnError {
public:
  EVnAssignError(const std::string& sourceClass, const std::string& targetClass);
};

// An index outside a list.
class EVnListIndexError : public EVnError {
public:
  explicit EVnListIndexError(int index);
};

}  // namespace vantor
