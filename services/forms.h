// Form bodies of the game's requests. Both forms reach us: the text form with
// raw cp1251 bytes, and the list form with UTF-8 percent escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarnet::services {

// Key/value pairs as sent (undecoded); empty pairs are dropped (the
// tournament's list form has an empty line between pairs).
std::vector<std::pair<std::string, std::string>> SplitForm(std::string_view body);

// One value as cp1251 bytes. "%XX" escapes are decoded in both forms; the
// decoded bytes are taken as UTF-8 when they are valid UTF-8 with a non-ASCII
// character, as cp1251 otherwise. '+' is a blank only in the list form.
std::string DecodeValue(std::string_view raw, bool listForm);

class Form {
 public:
  // Keys are ASCII in both forms, so the request can be told from them
  // before the values are decoded.
  explicit Form(std::string_view body);
  // `listForm` is the form the request is made in; the body itself can
  // overrule it: raw blanks or 8-bit bytes only come in the text form, and
  // escapes only in the list form.
  void Decode(bool listForm);

  bool Has(std::string_view key) const;
  // The first value of a key, nothing when absent.
  const std::string* Get(std::string_view key) const;
  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  std::string body_;
};

bool IsListForm(std::string_view body, bool expected);

}  // namespace zarnet::services
