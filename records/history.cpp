#include "history.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "atomic_file.h"
#include "number_text.h"
#include "text_fields.h"

namespace zarnet {
namespace {

constexpr const char* kSetAsideMark = ".damaged-";

struct Sums {
  long long s1 = 0, s2 = 0, s3 = 0;
};

Sums LineSums(std::string_view line) {
  Sums s;
  const size_t n = std::min<size_t>(99, line.size());
  for (size_t i = 0; i < n; ++i) {
    const long long c = static_cast<unsigned char>(line[i]);
    const size_t pos = i + 1;
    s.s1 += c;
    if (pos % 2 == 0) s.s2 += c;
    if (pos % 3 == 0) s.s3 += c;
  }
  return s;
}

std::string Digits(long long v, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, v);
  return buf;
}

std::string TotalsLine(const Sums& t) {
  return Digits(t.s1, 10) + Digits(t.s2, 10) + Digits(t.s3, 10);
}

std::string MarkerLine() {
  std::string m = "$";
  m += static_cast<char>(188);  // game identifier 88 plus 100
  m += '}';
  m.append(99 - m.size(), '#');
  return m + HistoryLineChecksum(m);
}

const char* KindMark(uint8_t ac) {
  switch (ac) {
    case kHistoryAccount: return "A#########";
    case kHistoryOnline: return "T#########";
    case kHistoryNet: return "N#########";
    default: return "L#########";
  }
}

// The entry lines of a valid file, without its marker and totals.
std::vector<std::string> EntryLines(std::string_view text) {
  std::vector<std::string> entries;
  for (std::string& line : SplitLines(std::string(text))) {
    if (!line.empty() && line[0] == '$') break;
    entries.push_back(std::move(line));
  }
  return entries;
}

std::string WithChecksum(std::string line) {
  line.resize(std::max<size_t>(line.size(), 99), ' ');
  return line.replace(99, std::string::npos, HistoryLineChecksum(line));
}

}  // namespace

std::string HistoryFileName(std::string_view clubListName, int n) {
  const size_t dot = clubListName.rfind('.');
  std::string base(clubListName.substr(0, dot));
  return base + "_I" + Digits(n, 4) + ".hst";
}

std::string HistoryPlace::Folder() const { return programDir + "/" + kHistoryFolder; }

std::string HistoryPlace::FilePath(int n) const {
  return Folder() + "/" + HistoryFileName(clubListName, n);
}

std::string ShortDate(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  const size_t n = std::strftime(buf, sizeof buf, "%x", &tm);
  return std::string(buf, n);
}

std::string HistoryLineChecksum(std::string_view line) {
  const Sums s = LineSums(line);
  return Digits(s.s1, 5) + Digits(s.s2, 5) + Digits(s.s3, 5);
}

std::string FormatHistoryFile(std::vector<std::string> lines) {
  lines.push_back(MarkerLine());
  Sums totals;
  std::string out;
  for (std::string& l : lines) {
    l = WithChecksum(std::move(l));
    const Sums s = LineSums(l);
    totals.s1 += s.s1;
    totals.s2 += s.s2;
    totals.s3 += s.s3;
    out += l + "\n";
  }
  return out + TotalsLine(totals) + "\n";
}

HistoryCheck CheckHistoryText(std::string_view text) {
  HistoryCheck check;
  check.state = HistoryFileState::Invalid;
  const std::vector<std::string> lines = SplitLines(std::string(text));
  Sums totals;
  int entries = 0;
  // The totals are summed from the lines' text; the digits a line carries
  // are not checked one by one.
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool marker = !line.empty() && line[0] == '$';
    if (line.size() >= kHistoryLineLength) {
      const Sums s = LineSums(line);
      totals.s1 += s.s1;
      totals.s2 += s.s2;
      totals.s3 += s.s3;
    } else if (!marker) {
      return check;
    }
    if (!marker) {
      ++entries;
      continue;
    }
    if (i + 1 >= lines.size() || lines[i + 1].size() < 30) return check;
    if (lines[i + 1].compare(0, 30, TotalsLine(totals)) != 0) return check;
    check.valid = true;
    check.state = HistoryFileState::Valid;
    check.entries = entries;
    return check;
  }
  return check;
}

HistoryCheck CheckHistoryFile(const HistoryPlace& place, int n) {
  const std::string path = place.FilePath(n);
  HistoryCheck check;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) check.state = HistoryFileState::Unreadable;
    return check;
  }
  check.state = HistoryFileState::Unreadable;
  if (!S_ISREG(st.st_mode)) return check;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return check;
  check = CheckHistoryText(*text);
  if (check.valid) check.date = ShortDate(st.st_mtime);
  return check;
}

HistoryStamp HistoryStamp::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_hour, tm.tm_min, ShortDate(t)};
}

std::string HistoryEntryLine(const HisStr& entry, const HistoryStamp& stamp) {
  char time[16];
  std::snprintf(time, sizeof time, "%2d:%02d", std::clamp(stamp.hour, 0, 99),
                std::clamp(stamp.minute, 0, 99));
  std::string line = PadLeftCut(time, 5) + PadLeftCut(stamp.date, 10) +
                     FieldText(entry.HName, 51) + RightAligned(ClampToWidth(entry.HKon, 3), 3) +
                     RightAligned(ClampToWidth(entry.HRes, 10), 10) +
                     TwoDecimalText(std::clamp(entry.HRei, -999999.99, 9999999.99), 10) +
                     KindMark(entry.Ac);
  return line + HistoryLineChecksum(line);
}

std::string SetAsideName(const std::string& path, std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char day[16];
  std::strftime(day, sizeof day, "%Y%m%d", &tm);
  const std::string base = path + kSetAsideMark + day;
  std::string name = base;
  struct stat st;
  for (int k = 2; lstat(name.c_str(), &st) == 0 && k < 10000; ++k) name = base + "-" + std::to_string(k);
  return name;
}

HistoryAppend PrepareHistoryAppend(const HistoryPlace& place, const HisStr& entry,
                                   const HistoryStamp& stamp) {
  HistoryAppend a;
  int n = 1;
  HistoryCheck check;
  for (; n <= kHistoryLastFile; ++n) {
    check = CheckHistoryFile(place, n);
    if (!check.valid || check.entries < kHistoryEntriesPerFile) break;
  }
  a.fileNumber = n;
  a.path = place.FilePath(n);
  // Full to the last file, or a file that cannot even be read: nothing is
  // written rather than something lost.
  if (n > kHistoryLastFile || check.state == HistoryFileState::Unreadable) {
    a.status = HistoryWrite::Failed;
    return a;
  }
  std::vector<std::string> lines;
  if (check.valid) {
    const std::optional<std::string> text = ReadWholeFile(a.path);
    if (!text) {
      a.status = HistoryWrite::Failed;
      return a;
    }
    lines = EntryLines(*text);
  } else if (check.state == HistoryFileState::Invalid) {
    // A damaged file may still hold years of entries: it is kept, by name.
    const std::string aside = SetAsideName(a.path, std::time(nullptr));
    if (std::rename(a.path.c_str(), aside.c_str()) != 0) {
      a.status = HistoryWrite::Failed;
      return a;
    }
    a.setAside = aside;
  }
  lines.push_back(HistoryEntryLine(entry, stamp));
  a.content = FormatHistoryFile(std::move(lines));
  return a;
}

bool CommitHistoryAppend(const HistoryPlace& place, const HistoryAppend& append) {
  if (append.status != HistoryWrite::Ok) return false;
  if (mkdir(place.Folder().c_str(), 0755) != 0 && errno != EEXIST) return false;
  return ReplaceFile(append.path, append.content);
}

HistoryWriteResult WriteHistory(const HistoryPlace& place, int count, const HisStr* entries,
                                const HistoryStamp& stamp) {
  HistoryWriteResult r;
  if (count < 1 || count > 4 || entries == nullptr) {
    r.status = HistoryWrite::Failed;
    return r;
  }
  // One at a time, so that a file never takes more than its 840.
  for (int i = 0; i < count; ++i) {
    const HistoryAppend a = PrepareHistoryAppend(place, entries[i], stamp);
    if (!a.setAside.empty()) r.setAside.push_back(a.setAside);
    if (!CommitHistoryAppend(place, a)) {
      r.status = HistoryWrite::Failed;
      return r;
    }
    r.fileNumber = a.fileNumber;
  }
  return r;
}

std::vector<std::string> SetAsideHistoryFiles(const HistoryPlace& place) {
  std::vector<std::string> names;
  DIR* d = opendir(place.Folder().c_str());
  if (d == nullptr) return names;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.find(kSetAsideMark) != std::string::npos) names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<HistoryFileItem> ListHistoryFiles(const HistoryPlace& place) {
  std::vector<HistoryFileItem> items;
  for (int n = 1; n <= kHistoryLastFile; ++n) {
    const HistoryCheck check = CheckHistoryFile(place, n);
    if (!check.valid) break;
    items.push_back({n, "File I" + Digits(n, 4) + " " + check.date});
  }
  return items;
}

std::vector<HistoryRow> ReadHistoryRows(const HistoryPlace& place, int n,
                                        const HistoryLabels& labels) {
  std::vector<HistoryRow> rows;
  const std::optional<std::string> text = ReadWholeFile(place.FilePath(n));
  if (!text) return rows;
  for (const std::string& raw : EntryLines(*text)) {
    std::string l = raw;
    l.resize(std::max(l.size(), kHistoryLineLength), ' ');
    const std::string* type = &labels.local;
    switch (l[89]) {
      case 'N': type = &labels.net; break;
      case 'A': type = &labels.account; break;
      case 'T': type = &labels.tourney; break;
      default: break;
    }
    rows.push_back({l.substr(0, 5), l.substr(5, 10), l.substr(15, 51), l.substr(66, 3),
                    l.substr(69, 10), l.substr(79, 10), *type});
  }
  return rows;
}

}  // namespace zarnet
