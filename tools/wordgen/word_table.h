// Reading and checking the word table file (UTF-8, tab-separated).
#pragma once

#include <array>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace zarnet::wordgen {

inline constexpr int kLanguages = 10;
// Column order of the file, which is also the language index order.
inline constexpr std::array<const char*, kLanguages> kColumnCodes = {
    "en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"};

struct WordRow {
  std::string id;
  int line = 0;
  std::array<std::string, kLanguages> texts;  // UTF-8, escapes resolved
};

struct ParseError {
  int line = 0;
  std::string message;
};

// Reads the whole file; on the first fault returns nullopt and fills *error.
std::optional<std::vector<WordRow>> ParseWordTable(std::istream& in, ParseError* error);

// "\n" -> line feed and so on; false on an unknown or unfinished escape.
bool Unescape(const std::string& raw, std::string* out, std::string* why);

bool IsValidUtf8(const std::string& s);

// Latin letters with accents (U+00C0..U+017F) become their plain letters
// ("Schließen" -> "Schliessen", "Čeština" -> "Cestina"), so that the cp1251
// form of German, French, Spanish, Italian and Czech texts stays readable.
// Everything else is left as it is. Expects valid UTF-8.
std::string FoldLatinAccents(const std::string& utf8);

}  // namespace zarnet::wordgen
