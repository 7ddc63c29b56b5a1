// The bodies the game posts to its web services and the ways it reads their
// replies. Bodies and replies are cp1251 bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarnet {

using FormPairs = std::vector<std::pair<std::string, std::string>>;

// key=value&key=value, nothing escaped.
std::string TextFormBody(const FormPairs& pairs);
// Each key and value as UTF-8 with form escapes: letters, digits and "*-._"
// stay, a blank becomes "+", every other byte "%XX". A pair with an empty key
// and value stands for an empty line of the list.
std::string ListFormBody(const FormPairs& pairs);

// A real number as the services take it: up to 15 significant digits and a
// decimal point; magnitudes below 0.00001 are "0".
std::string ServiceReal(double v);

struct ReplyTokens {
  bool ok = false;
  bool no = false;
  bool is = false;
};
// "ok", "no" and "is" anywhere in the reply, except that "no" is a refusal
// only in a reply that carries no "$" record.
ReplyTokens ParseTokens(std::string_view reply);

// The digits after the last "$" that is not the reply's final character;
// nothing when there are none.
std::optional<long long> ParseNumber(std::string_view reply);

// The fields of the record after the first "$"; empty when the reply holds none.
std::vector<std::string> ParseRecord(std::string_view reply, char separator = ' ');

// Up to ten records, each from a "$" to the next "*", split at blanks.
std::vector<std::vector<std::string>> ParseRecordList(std::string_view reply);

// "ok" in the second and third characters after the last "$".
bool ParseStatus(std::string_view reply);

// The text between the first "$" and the next one.
std::optional<std::string> ParseDollarText(std::string_view reply);

}  // namespace zarnet
