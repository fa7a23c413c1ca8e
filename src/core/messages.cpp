#include "messages.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

namespace vantor {
namespace {

TVnMessageTranslator& Translator() {
  static TVnMessageTranslator translator;
  return translator;
}

}  // namespace

const char* MessageOriginal(TVnMessage id) {
  switch (id) {
  case TVnMessage::InvalidToken:
    return "Invalid token '%s' at position %d of line %d.";
  case TVnMessage::UnexpectedEnd:
    return "Unexpected end of statement.";
  case TVnMessage::UnterminatedString:
    return "Unterminated string.";
  case TVnMessage::UnknownError:
    return "Unknown error (#%d).";
  case TVnMessage::CannotAssign:
    return "Cannot assign a %s to a %s.";
  case TVnMessage::ListIndexError:
    return "List index out of bounds (%d).";
  case TVnMessage::StatementTooLong:
    return "The statement is too long (%d characters).";
  }
  return "";
}

std::string MessageText(TVnMessage id) {
  const char* original = MessageOriginal(id);
  if (Translator())
    return Translator()(id, original);
  return original;
}

void SetMessageTranslator(TVnMessageTranslator translator) { Translator() = std::move(translator); }

std::string FormatPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return result;
}

}  // namespace vantor
