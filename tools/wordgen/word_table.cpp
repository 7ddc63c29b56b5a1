#include "word_table.h"

#include <set>
#include <sstream>

namespace zarnet::wordgen {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return out;
}

bool IsIdentifier(const std::string& s) {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!alpha(s[0])) return false;
  for (char c : s)
    if (!alpha(c) && !digit(c)) return false;
  return true;
}

std::string ExpectedHeader() {
  std::string h = "id";
  for (const char* code : kColumnCodes) {
    h += '\t';
    h += code;
  }
  return h;
}

// Plain forms of U+00C0..U+017F; an empty entry keeps the character.
constexpr const char* kFolded[0x180 - 0xC0] = {
    // U+00C0
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "Th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y",
    // U+0100
    "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
    "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
    "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
    "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
    "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
    "S", "s", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
    "U", "u", "U", "u", "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "s",
};

}  // namespace

std::string FoldLatinAccents(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    // Two-byte sequences C3 80..C5 BF are exactly U+00C0..U+017F.
    if (b >= 0xC3 && b <= 0xC5 && i + 1 < utf8.size()) {
      const auto cont = static_cast<unsigned char>(utf8[i + 1]);
      const int code = ((b & 0x1F) << 6) | (cont & 0x3F);
      if ((cont & 0xC0) == 0x80 && code >= 0xC0 && kFolded[code - 0xC0][0] != '\0') {
        out += kFolded[code - 0xC0];
        ++i;
        continue;
      }
    }
    out += utf8[i];
  }
  return out;
}

bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t c = len == 1 ? b : b & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
      auto cont = static_cast<unsigned char>(s[i + k]);
      if ((cont & 0xC0) != 0x80) return false;
      c = (c << 6) | (cont & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    i += len;
  }
  return true;
}

bool Unescape(const std::string& raw, std::string* out, std::string* why) {
  out->clear();
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      *out += raw[i];
      continue;
    }
    if (i + 1 == raw.size()) {
      *why = "backslash at the end of a text";
      return false;
    }
    switch (raw[++i]) {
      case 'n': *out += '\n'; break;
      case 'r': *out += '\r'; break;
      case 't': *out += '\t'; break;
      case '\\': *out += '\\'; break;
      default:
        *why = std::string("unknown escape \\") + raw[i];
        return false;
    }
  }
  return true;
}

std::optional<std::vector<WordRow>> ParseWordTable(std::istream& in, ParseError* error) {
  auto fail = [&](int line, std::string message) {
    *error = {line, std::move(message)};
    return std::nullopt;
  };
  std::vector<WordRow> rows;
  std::set<std::string> ids;
  std::string line;
  int lineNo = 0;
  bool headerSeen = false;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a file saved with CRLF
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!headerSeen) {
      if (line != ExpectedHeader()) {
        return fail(lineNo, "the first line must be the header \"id<TAB>en<TAB>ru<TAB>de<TAB>fr<TAB>es"
                            "<TAB>zh<TAB>it<TAB>cs<TAB>ja<TAB>ko\"");
      }
      headerSeen = true;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (!IsValidUtf8(line)) return fail(lineNo, "the line is not valid UTF-8");
    auto fields = SplitTabs(line);
    if (fields.size() != kLanguages + 1) {
      std::ostringstream m;
      m << "expected an id and " << kLanguages << " texts (" << kLanguages + 1 << " fields), found "
        << fields.size() << " fields";
      return fail(lineNo, m.str());
    }
    WordRow row;
    row.id = fields[0];
    row.line = lineNo;
    if (!IsIdentifier(row.id)) return fail(lineNo, "\"" + row.id + "\" is not a valid identifier");
    if (!ids.insert(row.id).second) return fail(lineNo, "duplicate id \"" + row.id + "\"");
    for (int lang = 0; lang < kLanguages; ++lang) {
      const std::string& raw = fields[lang + 1];
      if (raw.empty()) {
        return fail(lineNo, "id \"" + row.id + "\": the " + kColumnCodes[lang] + " text is empty");
      }
      std::string why;
      if (!Unescape(raw, &row.texts[lang], &why)) {
        return fail(lineNo, "id \"" + row.id + "\", " + kColumnCodes[lang] + " text: " + why);
      }
    }
    rows.push_back(std::move(row));
  }
  if (!headerSeen) return fail(1, "the file is empty; it needs the header line");
  if (rows.empty()) return fail(lineNo, "the file holds no entries");
  return rows;
}

}  // namespace zarnet::wordgen
