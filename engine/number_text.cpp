#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zarnet {

std::string RightAligned(long long value, int width, char fill) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), fill);
  return s;
}

std::string RatingText10(double rating) {
  const long long n = std::llround(std::nearbyint(rating * 1e6));
  if (n == 0) return "  0,000000";
  std::string digits = std::to_string(std::llabs(n));
  if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
  digits.insert(digits.size() - 6, 1, ',');
  if (n < 0) digits.insert(0, 1, '-');
  if (digits.size() < 10) digits.insert(0, 10 - digits.size(), ' ');
  return digits;
}

std::string TwoDecimalText(double value, int width) {
  const long long n = std::llround(std::nearbyint(value * 100.0));
  const long long a = std::llabs(n);
  std::string s = std::to_string(a / 100) + "," + (a % 100 < 10 ? "0" : "") +
                  std::to_string(a % 100);
  if (n < 0) s.insert(0, 1, '-');
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
  return s;
}

namespace {

std::string_view Trim(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '-' || (c >= '0' && c <= '9')) {
      s += c;
    } else {
      s += '.';
      s.append(text.substr(i + 1));
      break;
    }
  }
  std::string_view t = Trim(s);
  if (t.empty()) return 0.0;
  double v = 0.0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return v;
}

std::optional<long long> ReadInteger(std::string_view text) {
  std::string_view t = Trim(text);
  if (t.empty()) return std::nullopt;
  long long v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace zarnet
