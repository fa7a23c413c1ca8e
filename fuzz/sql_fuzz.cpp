// Feeds arbitrary bytes to both dialects. Bad input may only end in the core's own errors;
// anything that parses must render to text that parses back into a model rendering the same
// text again (the round trip the designer relies on when it switches between text and
// diagram).

#include "core/errors.h"
#include "core/mysql_parser.h"
#include "core/select_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vantor;

namespace {

// Control bytes and bytes above ASCII are shown escaped, so that the report shows the
// input exactly (a NUL would end it otherwise); CR LF stays a line break.
std::string Printable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\r\\n\n";
      ++i;
    } else if (c < 0x20 || c >= 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

[[noreturn]] void Fail(const char* dialect, const char* what, const std::string& input,
                       const std::string& rendered, const std::string& detail) {
  std::fprintf(stderr,
               "round trip failed (%s dialect): %s\n--- input ---\n%s\n--- rendered ---\n%s\n"
               "--- detail ---\n%s\n",
               dialect, what, Printable(input).c_str(), Printable(rendered).c_str(),
               Printable(detail).c_str());
  std::abort();
}

// The letter case of the rendering is taken from the input, so that a crash reproduces from
// the input alone while the corpus still reaches every mode.
void ApplyFormat(TVnSelectParser& root, const std::string& input) {
  const std::size_t h = input.size();
  root.ScriptFormat().SetKeywordsFormat(static_cast<TVnFormatMode>(h % 4));
  root.ScriptFormat().SetFunctionsFormat(static_cast<TVnFormatMode>((h / 4) % 4));
}

template <class TParser> void RoundTrip(const char* dialect, const std::string& input) {
  auto first = NewParser<TParser>();
  ApplyFormat(*first, input);
  try {
    first->SetSQL(input);
  } catch (const EVnError&) {
    return;
  }
  if (!first->Valid())
    return;
  const std::string rendered = first->GetScript();

  auto second = NewParser<TParser>();
  ApplyFormat(*second, input);
  try {
    second->SetSQL(rendered);
  } catch (const EVnError& e) {
    Fail(dialect, "the rendered text does not parse", input, rendered, e.what());
  }
  if (!second->Valid())
    Fail(dialect, "the rendered text is not valid", input, rendered, "");
  const std::string again = second->GetScript();
  if (again != rendered)
    Fail(dialect, "the rendered text renders differently", input, rendered, again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  RoundTrip<TVnMySelectParser>("MySQL", input);
  RoundTrip<TVnSelectParser>("generic", input);
  return 0;
}
