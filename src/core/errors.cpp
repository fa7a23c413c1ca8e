#include "errors.h"

#include "messages.h"

#include <utility>

namespace vantor {

EVnParserError::EVnParserError(int code, std::string token, int lineNo, int linePos)
    : EVnError(MessageFor(code, token, lineNo, linePos)), m_code(code), m_token(std::move(token)),
      m_lineNo(lineNo), m_linePos(linePos) {}

std::string EVnParserError::MessageFor(int code, const std::string& token, int lineNo,
                                       int linePos) {
  switch (code) {
  case 1:
    return FormatText(MessageText(TVnMessage::InvalidToken), token.c_str(), linePos, lineNo);
  case 2:
    return MessageText(TVnMessage::UnexpectedEnd);
  case 3:
    return MessageText(TVnMessage::UnterminatedString);
  default:
    return FormatText(MessageText(TVnMessage::UnknownError), code);
  }
}

EVnAssignError::EVnAssignError(const std::string& sourceClass, const std::string& targetClass)
    : EVnError(FormatText(MessageText(TVnMessage::CannotAssign), sourceClass.c_str(),
                          targetClass.c_str())) {}

EVnListIndexError::EVnListIndexError(int index)
    : EVnError(FormatText(MessageText(TVnMessage::ListIndexError), index)) {}

}  // namespace vantor
