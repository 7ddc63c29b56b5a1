// Fixed-width fields of the record files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarnet {

// Padded with `fill` on the right and cut to `width`. Control characters
// become blanks: a line break inside a name would split the line.
inline std::string FieldText(std::string_view s, size_t width, char fill = ' ') {
  std::string r(s.substr(0, std::min(s.size(), width)));
  for (char& c : r) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  r.append(width - r.size(), fill);
  return r;
}

// Padded with blanks on the left to `width`, then cut to `width`.
inline std::string PadLeftCut(std::string_view s, size_t width) {
  std::string r(s);
  if (r.size() < width) r.insert(0, width - r.size(), ' ');
  r.resize(width);
  return r;
}

// A number held inside what `width` characters can show.
inline int64_t ClampToWidth(int64_t v, int width) {
  int64_t max = 1;
  for (int i = 0; i < width; ++i) max *= 10;
  return std::clamp<int64_t>(v, -(max / 10 - 1), max - 1);
}

}  // namespace zarnet
