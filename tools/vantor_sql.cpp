// vantor-sql: the SQL core without the GUI. Reads one SELECT statement and prints it as the
// designer renders it, or prints the model the parser built from it.

#include "model_json.h"

#include "core/errors.h"
#include "core/mysql_parser.h"
#include "core/select_parser.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace vantor;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitParseError = 1;
constexpr int kExitInputError = 2;

constexpr const char* kUsage = R"(Usage: vantor-sql COMMAND [OPTIONS] [FILE]

Reads one SELECT statement from FILE, or from standard input when FILE is missing or "-".
Line ends may be CR LF or LF alone (an LF alone reads as CR LF, also inside quoted text).

Commands:
  format   Print the statement as the designer renders it (lines end in CR LF).
  model    Print the model the parser built, as JSON (see below).

Options:
  --dialect mysql|generic   SQL dialect (default: mysql).
  --no-quote                Do not quote identifiers when rendering.
  --keywords MODE           Letter case of keywords: asis, upper, lower or first
                            (first: Date_Format style). Default: asis.
  --functions MODE          Letter case of function names, as for --keywords.
  -h, --help                Show this text.

Exit status:
  0  success.
  1  the statement does not parse. Standard error shows the message, then the
     offending token, its line and the column where it starts:
       Invalid token 'AS' at position 17 of line 1.
       token: AS
       line: 1
       column: 17
  2  the input cannot be read, or the command line is wrong.

JSON of "model" (keys in this order):
  distinct        true or false
  tables          [{name, alias, fields, joins}] in FROM order; a table with an empty name
                  holds select items read before any table
    fields        [{name, alias, kind, select_index, args}]: the select items of the table;
                  kind is none, function, field, integer, float, string or expression;
                  select_index is the 0-based position in the whole select list; args are
                  function arguments as {name, kind, args}
    joins         [{kind, left_field, operator, right_table, right_field}]; kind is inner,
                  left_outer, right_outer or full_outer; right_table is the right table's
                  alias
  where, having   {group_kind, items}: group_kind is all (AND), any (OR), none (NOT AND)
                  or not_all (NOT OR); an item is a condition {left, operator, args} or a
                  nested {group_kind, items}
  group_by        ["entry", ...] as written in the statement
  order_by        [{entry, descending}]
  filter          none, distinct, distinctrow or all               (mysql only)
  select_options  ["STRAIGHT_JOIN", ...]                           (mysql only)
  limit_rows      LIMIT row count, 0 when there is none            (mysql only)
  limit_offset    LIMIT offset, 0 when there is none               (mysql only)
Bytes of names and values that are not UTF-8 appear as U+FFFD in the JSON.
)";

// A wrong command line; the message says what is wrong.
class EUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TCommand : std::uint8_t { Format, Model };

struct TOptions {
  TCommand command = TCommand::Format;
  std::string file; // empty: standard input
  bool mysql = true;
  bool quote = true;
  TVnFormatMode keywords = qfmAsIs;
  TVnFormatMode functions = qfmAsIs;
};

int UsageError(const std::string& message) {
  std::fprintf(stderr, "vantor-sql: %s\nTry 'vantor-sql --help'.\n", message.c_str());
  return kExitInputError;
}

bool ParseMode(std::string_view text, TVnFormatMode& mode) {
  if (text == "asis")
    mode = qfmAsIs;
  else if (text == "upper")
    mode = qfmUpperCase;
  else if (text == "lower")
    mode = qfmLowerCase;
  else if (text == "first")
    mode = qfmFirstUpper;
  else
    return false;
  return true;
}

// Returns -1 when the command line is good, else the exit status.
int ParseCommandLine(int argc, char** argv, TOptions& options) {
  bool haveCommand = false;
  bool haveFile = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    // The value of an option, either "--opt=value" or "--opt value".
    auto value = [&](std::string_view name, std::string& out) {
      if (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
          arg[name.size()] == '=') {
        out = arg.substr(name.size() + 1);
        return true;
      }
      if (arg != name)
        return false;
      if (i + 1 >= argc)
        throw EUsageError(std::string(name) + " needs a value");
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    }
    if (arg == "--no-quote") {
      options.quote = false;
    } else if (value("--dialect", v)) {
      if (v != "mysql" && v != "generic")
        throw EUsageError("unknown dialect '" + v + "' (mysql or generic)");
      options.mysql = v == "mysql";
    } else if (value("--keywords", v)) {
      if (!ParseMode(v, options.keywords))
        throw EUsageError("unknown letter case '" + v + "' (asis, upper, lower or first)");
    } else if (value("--functions", v)) {
      if (!ParseMode(v, options.functions))
        throw EUsageError("unknown letter case '" + v + "' (asis, upper, lower or first)");
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw EUsageError("unknown option '" + std::string(arg) + "'");
    } else if (!haveCommand) {
      if (arg == "format")
        options.command = TCommand::Format;
      else if (arg == "model")
        options.command = TCommand::Model;
      else
        throw EUsageError("unknown command '" + std::string(arg) + "' (format or model)");
      haveCommand = true;
    } else if (!haveFile) {
      options.file = arg == "-" ? std::string() : std::string(arg);
      haveFile = true;
    } else {
      throw EUsageError("only one FILE may be given");
    }
  }
  if (!haveCommand)
    throw EUsageError("no command given (format or model)");
  return -1;
}

bool ReadStream(std::FILE* stream, std::string& text) {
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
    text.append(buffer, n);
  return !std::ferror(stream);
}

// Reads the whole input; on failure prints why and returns false.
bool ReadInput(const std::string& file, std::string& text) {
  if (file.empty()) {
    if (ReadStream(stdin, text))
      return true;
    std::fprintf(stderr, "vantor-sql: cannot read standard input: %s\n", std::strerror(errno));
    return false;
  }
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  bool ok = stream && ReadStream(stream, text);
  const int error = errno;
  if (stream)
    std::fclose(stream);
  if (!ok)
    std::fprintf(stderr, "vantor-sql: cannot read '%s': %s\n", file.c_str(), std::strerror(error));
  return ok;
}

// The scanner knows only CR LF as a line break and reads a lone line feed as part of a word;
// files written on Unix end their lines with a line feed alone.
std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
      result += '\r';
    result += text[i];
  }
  return result;
}

bool Write(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv) {
  TOptions options;
  try {
    if (const int status = ParseCommandLine(argc, argv, options); status >= 0)
      return status;
  } catch (const EUsageError& e) {
    return UsageError(e.what());
  }

  std::string text;
  if (!ReadInput(options.file, text))
    return kExitInputError;

  std::unique_ptr<TVnSelectParser> root;
  if (options.mysql)
    root = NewParser<TVnMySelectParser>();
  else
    root = NewParser<TVnSelectParser>();
  root->Scanner().SetQuoteIdentifiers(options.quote);
  root->ScriptFormat().SetKeywordsFormat(options.keywords);
  root->ScriptFormat().SetFunctionsFormat(options.functions);

  std::string output;
  try {
    root->SetSQL(WithCrLf(text));
    // The model before rendering: rendering derives GROUP BY from the select list.
    if (options.command == TCommand::Model)
      output =
          ModelToJson(*root).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    else
      output = root->GetScript();
  } catch (const EVnParserError& e) {
    // The token as it stands in the text, NUL bytes and line breaks included.
    std::fprintf(stderr, "%s\ntoken: ", e.what());
    std::fwrite(e.Token().data(), 1, e.Token().size(), stderr);
    std::fprintf(stderr, "\nline: %d\ncolumn: %d\n", e.LineNo(), e.LinePos());
    return kExitParseError;
  } catch (const EVnError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitParseError;
  }
  if (!Write(output)) {
    std::fprintf(stderr, "vantor-sql: cannot write the output: %s\n", std::strerror(errno));
    return kExitInputError;
  }
  return kExitOk;
}
