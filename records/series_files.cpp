#include "series_files.h"

#include <unistd.h>

#include <cstdio>
#include <optional>

#include "atomic_file.h"

namespace zarnet {
namespace {

constexpr std::string_view kPendingHeader = "ZARNET PENDING SERIES\n";
constexpr size_t kMaxListBytes = 4096;
constexpr size_t kMaxHistoryBytes = (kHistoryEntriesPerFile + 2) * (kHistoryLineLength + 2) + 64;

std::string Fnv64(std::string_view text) {
  uint64_t h = 0xCBF29CE484222325ULL;
  for (unsigned char c : text) h = (h ^ c) * 0x100000001B3ULL;
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

// What a close is about to write: each file's name in the program folder
// and its whole new text.
struct PendingPair {
  std::string listName;
  std::string list;
  std::string historyName;
  std::string history;
};

std::string EncodePending(const PendingPair& p) {
  std::string out(kPendingHeader);
  out += p.listName + "\n" + std::to_string(p.list.size()) + "\n" + p.list;
  out += p.historyName + "\n" + std::to_string(p.history.size()) + "\n" + p.history;
  return out + Fnv64(out) + "\n";
}

// A name and a counted block from `text` at `at`.
bool TakeBlock(std::string_view text, size_t& at, size_t limit, std::string& name,
               std::string& block) {
  const size_t nameEnd = text.find('\n', at);
  if (nameEnd == std::string_view::npos || nameEnd - at > 64) return false;
  name = std::string(text.substr(at, nameEnd - at));
  const size_t sizeEnd = text.find('\n', nameEnd + 1);
  if (sizeEnd == std::string_view::npos || sizeEnd - nameEnd - 1 > 7 || sizeEnd == nameEnd + 1)
    return false;
  size_t size = 0;
  for (char c : text.substr(nameEnd + 1, sizeEnd - nameEnd - 1)) {
    if (c < '0' || c > '9') return false;
    size = size * 10 + size_t(c - '0');
  }
  if (size > limit || text.size() - sizeEnd - 1 < size) return false;
  block = std::string(text.substr(sizeEnd + 1, size));
  at = sizeEnd + 1 + size;
  return true;
}

// The note read back, only when it is whole and names files of ours.
std::optional<PendingPair> DecodePending(std::string_view text) {
  if (text.substr(0, kPendingHeader.size()) != kPendingHeader || text.size() < 17) return std::nullopt;
  const std::string_view body = text.substr(0, text.size() - 17);
  if (text.substr(text.size() - 17) != Fnv64(body) + "\n") return std::nullopt;
  PendingPair p;
  size_t at = kPendingHeader.size();
  if (!TakeBlock(body, at, kMaxListBytes, p.listName, p.list) ||
      !TakeBlock(body, at, kMaxHistoryBytes, p.historyName, p.history) || at != body.size())
    return std::nullopt;
  if (p.listName != kClubListName && p.listName != kNetListName) return std::nullopt;
  const std::string prefix = std::string(kHistoryFolder) + "/";
  const std::string first = HistoryFileName(kClubListName, 1);
  if (p.historyName.size() != prefix.size() + first.size() || p.historyName.rfind(prefix, 0) != 0)
    return std::nullopt;
  const int n = std::atoi(p.historyName.c_str() + p.historyName.size() - 8);
  if (n < 1 || n > kHistoryLastFile || p.historyName != prefix + HistoryFileName(kClubListName, n))
    return std::nullopt;
  if (!ParsePlayerList(p.list) || !CheckHistoryText(p.history).valid) return std::nullopt;
  return p;
}

bool WritePair(const ProgramFiles& files, const PendingPair& p) {
  const HistoryPlace place = files.History();
  HistoryAppend history;
  history.path = files.programDir + "/" + p.historyName;
  history.content = p.history;
  return ReplaceFile(files.programDir + "/" + p.listName, p.list) &&
         CommitHistoryAppend(place, history);
}

}  // namespace

PendingSeries CompletePendingSeries(const ProgramFiles& files) {
  const std::string path = files.PendingPath();
  if (access(path.c_str(), F_OK) != 0) return PendingSeries::None;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return PendingSeries::Kept;
  const std::optional<PendingPair> pair = DecodePending(*text);
  // A note that does not read whole was never finished, so neither file
  // was touched after it.
  if (!pair) {
    unlink(path.c_str());
    return PendingSeries::None;
  }
  if (!WritePair(files, *pair)) return PendingSeries::Kept;
  unlink(path.c_str());
  return PendingSeries::Completed;
}

std::string FilePlayerRecords::PlayerLine(bool netList, int line) {
  const std::optional<std::string> text = ReadWholeFile(files_.ListPath(netList));
  if (!text || line < 1 || line > 5) return {};
  const std::optional<ListLines> lines = ParsePlayerList(*text);
  return lines ? (*lines)[line] : std::string();
}

void FileSeriesOutlets::WriteHistory(const HisStr& entry) {
  lastHistory = zarnet::WriteHistory(files_.History(), 1, &entry, Stamp());
}

int FileSeriesOutlets::RefilePlayer(bool netList, int slot, const std::string& line,
                                    bool cycleEnded) {
  lastListPath = files_.ListPath(netList);
  lastFiling = RefilePlayerLine(lastListPath, slot, line, cycleEnded);
  return lastFiling.topTenPlace;
}

int FileSeriesOutlets::FileSeries(bool netList, int slot, const std::string& line,
                                  bool cycleEnded, const HisStr& entry) {
  lastListPath = files_.ListPath(netList);
  lastHistory = {};
  auto listFailed = [&](ListStatus status) {
    lastFiling = FilingResult{};
    lastFiling.status = status;
    lastHistory.status = HistoryWrite::NotWritten;
    return 0;
  };
  // An earlier close still waiting for its files goes first; writing over
  // its note would lose it.
  if (CompletePendingSeries(files_) == PendingSeries::Kept) return listFailed(ListStatus::WriteError);
  ListRewrite list = PrepareRefile(lastListPath, slot, line, cycleEnded);
  if (list.filing.status != ListStatus::Ok) return listFailed(list.filing.status);
  const HistoryPlace place = files_.History();
  const HistoryAppend history = PrepareHistoryAppend(place, entry, Stamp());
  if (!history.setAside.empty()) lastHistory.setAside.push_back(history.setAside);
  Step(1);
  const bool noted =
      history.status == HistoryWrite::Ok &&
      ReplaceFile(files_.PendingPath(),
                  EncodePending({netList ? kNetListName : kClubListName, list.content,
                                 std::string(kHistoryFolder) + "/" +
                                     HistoryFileName(kClubListName, history.fileNumber),
                                 history.content}),
                  kNewListMode);
  Step(2);
  if (!ReplaceFile(lastListPath, list.content)) {
    if (noted) unlink(files_.PendingPath().c_str());
    return listFailed(ListStatus::WriteError);
  }
  lastFiling = list.filing;
  Step(3);
  if (CommitHistoryAppend(place, history)) {
    lastHistory.fileNumber = history.fileNumber;
  } else {
    lastHistory.status = HistoryWrite::Failed;
  }
  Step(4);
  if (noted) unlink(files_.PendingPath().c_str());
  Step(5);
  return lastFiling.topTenPlace;
}

}  // namespace zarnet
