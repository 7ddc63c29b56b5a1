// The history files: one line per finished series, at most 840 to a file,
// guarded by line and totals checksums.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "series.h"

namespace zarnet {

inline constexpr const char* kHistoryFolder = "History";
inline constexpr int kHistoryEntriesPerFile = 840;
inline constexpr int kHistoryLastFile = 9999;
inline constexpr size_t kHistoryLineLength = 114;

// "Zarnet_I0001.hst" for list "Zarnet.clb" and n = 1.
std::string HistoryFileName(std::string_view clubListName, int n);

// Where the history of a program folder lives.
struct HistoryPlace {
  std::string programDir;
  std::string clubListName = "Zarnet.clb";
  std::string Folder() const;
  std::string FilePath(int n) const;
};

// The system's short date, as the history shows it.
std::string ShortDate(std::time_t t);

enum class HistoryFileState {
  Missing,
  Valid,
  Invalid,     // a file that fails its checks
  Unreadable,  // something that cannot be read or is no plain file
};

struct HistoryCheck {
  bool valid = false;
  int entries = 0;
  std::string date;  // the file's modification date
  HistoryFileState state = HistoryFileState::Missing;
};

// The checks of a file's text alone, without its date.
HistoryCheck CheckHistoryText(std::string_view text);
HistoryCheck CheckHistoryFile(const HistoryPlace& place, int n);

// The five-digit sums S1 S2 S3 over the first 99 characters of a line.
std::string HistoryLineChecksum(std::string_view line);

// The clock of a write: "hh:nn" and the short date.
struct HistoryStamp {
  int hour = 0;
  int minute = 0;
  std::string date;
  static HistoryStamp Now();
};

// A whole file from its entry lines: the lines, the marker line and the
// totals line, each ended by a line break. Each line's checksum digits are
// written afresh from its text, so the totals agree with what a check sums.
std::string FormatHistoryFile(std::vector<std::string> entryLines);

// One entry line of 114 characters.
std::string HistoryEntryLine(const HisStr& entry, const HistoryStamp& stamp);

enum class HistoryWrite {
  Ok,
  Failed,      // "Cann`t save history!"
  NotWritten,  // left out with its list line, which could not be written
};

struct HistoryWriteResult {
  HistoryWrite status = HistoryWrite::Ok;
  int fileNumber = 0;  // the file the last entry went to
  // Damaged files moved out of the way instead of being written over.
  std::vector<std::string> setAside;
};

// The name a damaged file is kept under: "<path>.damaged-YYYYMMDD", with
// "-2", "-3", ... when that name is taken.
std::string SetAsideName(const std::string& path, std::time_t when);

// One entry's append, ready to be written: the file and its whole new text.
struct HistoryAppend {
  HistoryWrite status = HistoryWrite::Ok;
  int fileNumber = 0;
  std::string path;
  std::string content;
  std::string setAside;  // where a damaged file at `path` was moved
};

// Finds the file the entry goes to and builds its new text. A damaged file
// there is renamed out of the way first and the entry starts a fresh file;
// a file that cannot be read is never replaced.
HistoryAppend PrepareHistoryAppend(const HistoryPlace& place, const HisStr& entry,
                                   const HistoryStamp& stamp);
// Writes a prepared append, making the folder when it is missing.
bool CommitHistoryAppend(const HistoryPlace& place, const HistoryAppend& append);

// Appends `count` (1..4) entries to the current history file.
HistoryWriteResult WriteHistory(const HistoryPlace& place, int count, const HisStr* entries,
                                const HistoryStamp& stamp = HistoryStamp::Now());

// The damaged files kept in the history folder, by name.
std::vector<std::string> SetAsideHistoryFiles(const HistoryPlace& place);

// --- The history window ------------------------------------------------------

struct HistoryFileItem {
  int number = 0;
  std::string text;  // "File I0001 <date>"
};

// The files while they are valid: listing stops at the first invalid one.
std::vector<HistoryFileItem> ListHistoryFiles(const HistoryPlace& place);

struct HistoryLabels {
  std::string local;    // "Local"
  std::string net;      // "Net"
  std::string account;  // "Account"
  std::string tourney;  // "Tourney"
};

// One grid row: Time, Date, Player, Games, Result, Rating, Type.
using HistoryRow = std::array<std::string, 7>;
inline constexpr std::array<int, 7> kHistoryColumnWidths = {45, 65, 210, 45, 55, 55, 80};

std::vector<HistoryRow> ReadHistoryRows(const HistoryPlace& place, int n,
                                        const HistoryLabels& labels);

}  // namespace zarnet
