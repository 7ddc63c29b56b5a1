#include "forms.h"

#include "codec.h"

namespace zarnet::services {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// True for well-formed UTF-8 that holds at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view s) {
  bool nonAscii = false;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
      extra = 3;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    nonAscii = true;
    i += extra + 1;
  }
  return nonAscii;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitForm(std::string_view body) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t pos = 0;
  while (pos <= body.size()) {
    size_t amp = body.find('&', pos);
    if (amp == std::string_view::npos) amp = body.size();
    std::string_view part = body.substr(pos, amp - pos);
    // A line end may follow the last pair.
    while (!part.empty() && (part.back() == '\r' || part.back() == '\n')) part.remove_suffix(1);
    if (!part.empty()) {
      const size_t eq = part.find('=');
      if (eq == std::string_view::npos)
        pairs.emplace_back(std::string(part), std::string());
      else if (eq > 0)
        pairs.emplace_back(std::string(part.substr(0, eq)), std::string(part.substr(eq + 1)));
    }
    pos = amp + 1;
  }
  return pairs;
}

std::string DecodeValue(std::string_view raw, bool listForm) {
  std::string bytes;
  bytes.reserve(raw.size());
  bool rawHigh = false;
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '%' && i + 2 < raw.size() && HexValue(raw[i + 1]) >= 0 &&
        HexValue(raw[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2]));
      i += 2;
    } else if (c == '+' && listForm) {
      bytes += ' ';
    } else {
      if (static_cast<unsigned char>(c) >= 0x80) rawHigh = true;
      bytes += c;
    }
  }
  // Raw high bytes are the text form's cp1251; escaped UTF-8 is the list form's.
  if (!rawHigh && IsNonAsciiUtf8(bytes)) return Utf8ToCp1251(bytes);
  return bytes;
}

bool IsListForm(std::string_view body, bool expected) {
  bool escape = false;
  for (size_t i = 0; i < body.size(); ++i) {
    const unsigned char c = body[i];
    if (c == ' ' || c >= 0x80) return false;
    if (c == '%' && i + 2 < body.size() && HexValue(body[i + 1]) >= 0 && HexValue(body[i + 2]) >= 0) escape = true;
  }
  return escape || expected;
}

Form::Form(std::string_view body) : pairs_(SplitForm(body)), body_(body) {}

void Form::Decode(bool expectedList) {
  const bool listForm = IsListForm(body_, expectedList);
  for (auto& [key, value] : pairs_) {
    key = DecodeValue(key, listForm);
    value = DecodeValue(value, listForm);
  }
}

bool Form::Has(std::string_view key) const { return Get(key) != nullptr; }

const std::string* Form::Get(std::string_view key) const {
  for (const auto& [k, v] : pairs_)
    if (k == key) return &v;
  return nullptr;
}

}  // namespace zarnet::services
