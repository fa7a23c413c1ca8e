#pragma once

#include <functional>
#include <string>

namespace vantor {

// Every text of the core that a user may see. Hosts translate them by installing a
// translator; the core itself only knows the English originals.
enum class TVnMessage {
  InvalidToken,        // "Invalid token '%s' at position %d of line %d."
  UnexpectedEnd,       // "Unexpected end of statement."
  UnterminatedString,  // "Unterminated string."
  UnknownError,        // "Unknown error (#%d)."
  CannotAssign,        // "Cannot assign a %s to a %s."
  ListIndexError,      // "List index out of bounds (%d)."
  StatementTooLong,    // "The statement is too long (%d characters)."
};

// The original (untranslated) text of a message.
const char* MessageOriginal(TVnMessage id);

// The text of a message as the host wants it shown: translated when a translator is installed.
std::string MessageText(TVnMessage id);

using TVnMessageTranslator = std::function<std::string(TVnMessage id, const char* original)>;

// Installs the host's translator; an empty function restores the originals.
void SetMessageTranslator(TVnMessageTranslator translator);

// printf-style formatting, e.g. FormatText(MessageText(TVnMessage::InvalidToken), "AS", 17, 1).
// Arguments are C types: pass std::string through c_str().
std::string FormatPrintf(const char* format, ...);
// va_start on a reference parameter is undefined behaviour (clang refuses it), hence the
// template in front of the C-style variadic function.
template <class... TArgs> std::string FormatText(const std::string& format, TArgs... args) {
  return FormatPrintf(format.c_str(), args...);
}

}  // namespace vantor
