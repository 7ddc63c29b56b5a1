// Feeds arbitrary bytes to the two file checks, both as whole files and as
// edits of a valid file, so the checksums do not stop every input at once.
#include <cstddef>
#include <cstdint>
#include <string>

#include "history.h"
#include "player_list.h"

namespace {

const std::string& ValidList() {
  static const std::string text = zarnet::InstallationList();
  return text;
}

const std::string& ValidHistory() {
  static const std::string text = [] {
    std::vector<std::string> lines;
    const zarnet::HistoryStamp stamp{9, 5, "24.12.2024"};
    for (int i = 0; i < 3; ++i) {
      lines.push_back(zarnet::HistoryEntryLine({"Player", 2, 30 - i, 1.5, 0}, stamp));
    }
    return zarnet::FormatHistoryFile(lines);
  }();
  return text;
}

// Each pair of bytes puts a value at a position of the template.
std::string Edited(const std::string& base, const uint8_t* data, size_t size) {
  std::string s = base;
  for (size_t i = 0; i + 1 < size; i += 2) {
    const size_t pos = (static_cast<size_t>(data[i]) * 7) % (s.size() + 1);
    if (data[i + 1] == 0) {
      if (pos < s.size()) s.erase(pos, 1);
    } else {
      if (pos < s.size()) s[pos] = static_cast<char>(data[i + 1]);
      else s += static_cast<char>(data[i + 1]);
    }
  }
  return s;
}

void CheckList(const std::string& text) {
  const auto lines = zarnet::ParsePlayerList(text);
  if (!lines) return;
  // What passes must survive being written again.
  const std::string again = zarnet::FormatPlayerList(*lines);
  const auto reread = zarnet::ParsePlayerList(again);
  if (!reread || *reread != *lines) __builtin_trap();
  zarnet::ListLines copy = *lines;
  zarnet::RemoveLine(copy, 2);
  zarnet::InsertLine(copy, (*lines)[1], true);
  if (!zarnet::ParsePlayerList(zarnet::FormatPlayerList(copy))) __builtin_trap();
  zarnet::ShowPlayerList(*lines, 1, {}, [](std::string_view s) { return int(s.size()) * 11; });
}

void CheckHistory(const std::string& text) {
  const zarnet::HistoryCheck c = zarnet::CheckHistoryText(text);
  if (c.valid && (c.entries < 0 || static_cast<size_t>(c.entries) * 114 > text.size())) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  CheckList(raw);
  CheckHistory(raw);
  CheckList(Edited(ValidList(), data, size));
  CheckHistory(Edited(ValidHistory(), data, size));
  return 0;
}
