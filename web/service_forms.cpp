#include "service_forms.h"

#include <charconv>
#include <cmath>

#include "codec.h"

namespace zarnet {
namespace {

void AppendEscaped(std::string& out, std::string_view cp1251) {
  static const char* kHex = "0123456789ABCDEF";
  for (unsigned char c : Cp1251ToUtf8(cp1251)) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
        c == '-' || c == '.' || c == '_') {
      out += static_cast<char>(c);
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
}

// The position of the first or last "$" that is not the final character.
size_t Dollar(std::string_view reply, bool last) {
  if (reply.size() < 2) return std::string_view::npos;
  const std::string_view body = reply.substr(0, reply.size() - 1);
  return last ? body.rfind('$') : body.find('$');
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      fields.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return fields;
}

}  // namespace

std::string TextFormBody(const FormPairs& pairs) {
  std::string body;
  for (const auto& [key, value] : pairs) {
    if (!body.empty()) body += '&';
    body += key + "=" + value;
  }
  return body;
}

std::string ListFormBody(const FormPairs& pairs) {
  std::string body;
  bool first = true;
  for (const auto& [key, value] : pairs) {
    if (!first) body += '&';
    first = false;
    if (key.empty() && value.empty()) continue;  // an empty line of the list
    AppendEscaped(body, key);
    body += '=';
    AppendEscaped(body, value);
  }
  return body;
}

std::string ServiceReal(double v) {
  if (std::fabs(v) < 0.00001) return "0";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  return ec == std::errc() ? std::string(buf, end) : "0";
}

ReplyTokens ParseTokens(std::string_view reply) {
  ReplyTokens t;
  // A record's own text may hold "no" (a city, an e-mail, a profile line);
  // only a reply without one is a refusal.
  const bool record = Dollar(reply, false) != std::string_view::npos;
  for (size_t i = 0; i + 1 < reply.size(); ++i) {
    const std::string_view pair = reply.substr(i, 2);
    t.ok |= pair == "ok";
    t.no |= !record && pair == "no";
    t.is |= pair == "is";
  }
  return t;
}

std::optional<long long> ParseNumber(std::string_view reply) {
  const size_t p = Dollar(reply, true);
  if (p == std::string_view::npos) return std::nullopt;
  size_t end = p + 1;
  while (end < reply.size() - 1 && reply[end] >= '0' && reply[end] <= '9') ++end;
  if (end == p + 1) return std::nullopt;
  long long v = 0;
  auto [ptr, ec] = std::from_chars(reply.data() + p + 1, reply.data() + end, v);
  if (ec != std::errc()) return std::nullopt;
  return v;
}

std::vector<std::string> ParseRecord(std::string_view reply, char separator) {
  const size_t p = Dollar(reply, false);
  if (p == std::string_view::npos) return {};
  size_t end = reply.find('$', p + 1);
  if (end == std::string_view::npos) end = reply.size() - 1;
  return Split(reply.substr(p + 1, end - p - 1), separator);
}

std::vector<std::vector<std::string>> ParseRecordList(std::string_view reply) {
  std::vector<std::vector<std::string>> records;
  if (reply.size() < 2) return records;
  for (size_t i = 0; i + 1 < reply.size() && records.size() < 10; ++i) {
    if (reply[i] != '$') continue;
    size_t end = reply.find('*', i + 1);
    if (end == std::string_view::npos) end = reply.size() - 1;
    records.push_back(Split(reply.substr(i + 1, end - i - 1), ' '));
  }
  return records;
}

bool ParseStatus(std::string_view reply) {
  const size_t p = Dollar(reply, true);
  if (p == std::string_view::npos) return false;
  std::string_view rest = reply.substr(p + 1);
  rest = rest.substr(0, rest.find('#'));
  return rest.size() >= 3 && rest.substr(1, 2) == "ok";
}

std::optional<std::string> ParseDollarText(std::string_view reply) {
  const size_t p = Dollar(reply, false);
  if (p == std::string_view::npos) return std::nullopt;
  const size_t end = reply.find('$', p + 1);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(reply.substr(p + 1, end - p - 1));
}

}  // namespace zarnet
