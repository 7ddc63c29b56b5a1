#include "player_list.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "atomic_file.h"
#include "number_text.h"
#include "text_fields.h"

namespace zarnet {
namespace {

size_t ExpectedLength(int line) {
  if (line <= 5) return kPlayerLineLength;
  if (line <= 15) return kTopTenLineLength;
  return kMarkerLineLength;
}

// Padded or cut, bytes kept as they are: for lines already in a list.
std::string Fit(std::string_view s, size_t width, char fill = ' ') {
  std::string r(s.substr(0, std::min(s.size(), width)));
  r.append(width - r.size(), fill);
  return r;
}

std::string SixDigits(long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%06lld", v);
  return buf;
}

std::optional<double> LineRating(std::string_view line) {
  if (line.size() < 30 || line[20] == '#') return std::nullopt;
  return ReadDecimal(line.substr(20, 10));
}

bool IsFree(std::string_view line) { return line.size() < 37 || line[36] == '#'; }

}  // namespace

std::string ListChecksum(const ListLines& lines) {
  std::string all;
  for (int i = 1; i <= 16; ++i) all += lines[i];
  all.resize(5 * kPlayerLineLength + 10 * kTopTenLineLength + kMarkerLineLength, ' ');
  long long s1 = 0, s2 = 0, s3 = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    const long long c = static_cast<unsigned char>(all[i]);
    const size_t pos = i + 1;
    s1 += c;
    if (pos % 2 == 0) s2 += c;
    if (pos % 3 == 0) s3 += c;
  }
  return SixDigits(s1) + SixDigits(s2) + SixDigits(s3);
}

std::optional<ListLines> ParsePlayerList(std::string_view text) {
  const std::vector<std::string> split = SplitLines(std::string(text));
  if (split.size() != kListLineCount) return std::nullopt;
  ListLines lines;
  for (int i = 1; i <= kListLineCount; ++i) {
    lines[i] = split[i - 1];
    if (lines[i].size() != ExpectedLength(i)) return std::nullopt;
  }
  if (lines[16][0] != kListMarker || lines[16][1] != '}') return std::nullopt;
  if (lines[17].compare(10, 18, ListChecksum(lines)) != 0) return std::nullopt;
  return lines;
}

std::string FormatPlayerList(ListLines lines) {
  for (int i = 1; i <= kListLineCount; ++i) lines[i] = Fit(lines[i], ExpectedLength(i), '#');
  lines[17].replace(10, 18, ListChecksum(lines));
  std::string out;
  for (int i = 1; i <= kListLineCount; ++i) out += lines[i] + "\n";
  return out;
}

ListCheck CheckPlayerList(const std::string& path) {
  ListCheck check;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return check;
  check.status = ListStatus::Incorrect;
  if (!S_ISREG(st.st_mode)) return check;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return check;
  const std::optional<ListLines> lines = ParsePlayerList(*text);
  if (!lines) return check;
  check.status = ListStatus::Ok;
  check.badAttributes = access(path.c_str(), W_OK) != 0;
  check.russian = (*lines)[17][0] == '1';
  return check;
}

std::string InstallationList() {
  static const char* const kNames[10] = {"Ivo",   "Marta", "Stefan", "Lena",  "Pavel",
                                         "Nadia", "Tomas", "Vera",   "Kiril", "Olga"};
  static const int kScores[10] = {480, 410, 355, 300, 260, 215, 170, 130, 90, 50};
  ListLines lines;
  for (int i = 1; i <= 5; ++i) lines[i] = std::string(kEmptyPlayerLine);
  for (int i = 0; i < 10; ++i) {
    lines[6 + i] = Fit(kNames[i], 20) + RightAligned(kScores[i], 6);
  }
  lines[16] = std::string(1, kListMarker) + "}";
  lines[17] = "0";
  return FormatPlayerList(lines);
}

std::string FileMessage(std::string_view label, std::string_view path) {
  return std::string(label) + " \"" + std::string(path) + "\"!";
}

std::string AttributesMessage(std::string_view theFile, std::string_view path,
                              std::string_view hasIncorrectAttributes,
                              std::string_view workWillBeIncorrect) {
  return std::string(theFile) + " \"" + std::string(path) + "\"" +
         std::string(hasIncorrectAttributes) + "\n" + std::string(workWillBeIncorrect);
}

std::string EncodePassword(std::string_view password) {
  const std::string padded = Fit(password, 5);
  std::string field;
  for (char c : padded) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", static_cast<unsigned char>(c) + 234);
    field += buf;
  }
  return field;
}

std::optional<std::string> DecodePassword(std::string_view field) {
  if (field.size() != 15) return std::nullopt;
  std::string password;
  for (int i = 0; i < 5; ++i) {
    const std::optional<long long> code = ReadInteger(field.substr(i * 3, 3));
    if (!code || field[i * 3] == ' ' || *code < 234 || *code > 234 + 255) return std::nullopt;
    password += static_cast<char>(*code - 234);
  }
  return password;
}

ListPlayer ParsePlayerLine(std::string_view line) {
  const std::string l = Fit(line, kPlayerLineLength);
  ListPlayer p;
  p.Name = l.substr(0, 20);
  p.RatingText = l.substr(20, 10);
  p.KonText = l.substr(30, 7);
  p.ScoreText = l.substr(38, 6);
  p.PasswordField = l.substr(44, 15);
  p.Free = IsFree(l);
  p.Rating = LineRating(l).value_or(0.0);
  p.KonNo = static_cast<int32_t>(ReadInteger(p.KonText).value_or(0));
  p.Score = static_cast<int32_t>(ReadInteger(p.ScoreText).value_or(0));
  return p;
}

std::optional<ListPlayer> LoadPlayer(const std::string& path, int slot) {
  if (slot < 1 || slot > 5) return std::nullopt;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  const std::optional<ListLines> lines = ParsePlayerList(*text);
  if (!lines) return std::nullopt;
  return ParsePlayerLine((*lines)[slot]);
}

void RemoveLine(ListLines& lines, int slot) {
  if (slot < 1 || slot > 5) return;
  for (int i = slot; i < 5; ++i) lines[i] = lines[i + 1];
  lines[5] = std::string(kEmptyPlayerLine);
}

FilingResult InsertLine(ListLines& lines, std::string playerLine, bool cycleEnded) {
  FilingResult r;
  playerLine = FieldText(playerLine, kPlayerLineLength);
  if (cycleEnded) {
    const int64_t score = ReadInteger(playerLine.substr(38, 6)).value_or(0);
    r.topTenScore = static_cast<int>(score);
    for (int i = 6; i <= 15; ++i) {
      // A score that does not read counts as below every real one.
      const std::optional<long long> held = ReadInteger(std::string_view(lines[i]).substr(20));
      if (!held || *held <= score) {
        for (int j = 15; j > i; --j) lines[j] = lines[j - 1];
        lines[i] = playerLine.substr(0, 20) + RightAligned(ClampToWidth(score, 6), 6);
        r.topTenPlace = i - 5;
        break;
      }
    }
    // The next cycle starts from zero.
    playerLine.replace(38, 6, "     0");
  }
  const double rating = LineRating(playerLine).value_or(0.0);
  for (int i = 1; i <= 5; ++i) {
    const std::optional<double> held = IsFree(lines[i]) ? std::nullopt : LineRating(lines[i]);
    if (IsFree(lines[i]) || (held && *held <= rating)) {
      for (int j = 5; j > i; --j) lines[j] = lines[j - 1];
      lines[i] = playerLine;
      r.filedLine = i;
      break;
    }
  }
  return r;
}

namespace {

// Reads the list and lets `change` work on it; the new text when it reads.
template <typename Change>
ListStatus ChangeList(const std::string& path, Change change, std::string& content) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return ListStatus::Missing;
  const std::optional<std::string> text = ReadWholeFile(path);
  // A damaged list is never written over: the start-up check refuses it,
  // and a fresh checksum would hide the damage.
  std::optional<ListLines> lines = text ? ParsePlayerList(*text) : std::nullopt;
  if (!lines) return ListStatus::Incorrect;
  change(*lines);
  content = FormatPlayerList(*lines);
  return ListStatus::Ok;
}

}  // namespace

ListStatus RemovePlayerLine(const std::string& path, int slot) {
  if (slot < 1 || slot > 5) return ListStatus::Ok;
  std::string content;
  const ListStatus status =
      ChangeList(path, [&](ListLines& lines) { RemoveLine(lines, slot); }, content);
  if (status != ListStatus::Ok) return status;
  return ReplaceFile(path, content) ? ListStatus::Ok : ListStatus::WriteError;
}

FilingResult InsertPlayerLine(const std::string& path, const std::string& playerLine,
                              bool cycleEnded) {
  return RefilePlayerLine(path, 0, playerLine, cycleEnded);
}

ListRewrite PrepareRefile(const std::string& path, int slot, const std::string& playerLine,
                          bool cycleEnded) {
  ListRewrite r;
  const ListStatus status = ChangeList(
      path,
      [&](ListLines& lines) {
        RemoveLine(lines, slot);
        r.filing = InsertLine(lines, playerLine, cycleEnded);
      },
      r.content);
  if (status != ListStatus::Ok) r.filing = FilingResult{};
  r.filing.status = status;
  return r;
}

FilingResult RefilePlayerLine(const std::string& path, int slot, const std::string& playerLine,
                              bool cycleEnded) {
  ListRewrite r = PrepareRefile(path, slot, playerLine, cycleEnded);
  if (r.filing.status == ListStatus::Ok && !ReplaceFile(path, r.content)) {
    r.filing = FilingResult{};
    r.filing.status = ListStatus::WriteError;
  }
  return r.filing;
}

std::string ShortenToWidth(std::string text, int limit, const MeasureText& measure) {
  if (measure(text) < limit) return text;
  size_t pos = std::min<size_t>(20, text.size());  // 1-based position to remove next
  bool lostLetter = false;
  while (pos > 4 && measure(text) >= limit) {
    const char c = text[pos - 1];
    if (c != ' ' && c != '#') lostLetter = true;
    text.erase(pos - 1, 1);
    --pos;
  }
  if (lostLetter) text.replace(pos - 3, 3, "...");
  return text;
}

MenuListTexts ShowPlayerList(const ListLines& lines, int mode, const MenuListLabels& labels,
                             const MeasureText& measure) {
  MenuListTexts t;
  t.heading = mode == 2 ? labels.headingRating : labels.headingScore;
  for (int k = 1; k <= 5; ++k) {
    const std::string l = Fit(lines[k], kPlayerLineLength, '#');
    const std::string name = l.substr(0, 20);
    const std::string ratingField = l.substr(20, 10);
    const std::string rating =
        ratingField[9] == '#' ? "######"
                              : TwoDecimalText(ReadDecimal(ratingField).value_or(0.0), 6);
    const std::string deals = l.substr(30, 7);
    const std::string score = l.substr(38, 6);
    std::string inCycle = "###";
    if (deals != "#######") {
      inCycle = RightAligned(ReadInteger(deals).value_or(0) % kCycleDeals, 3);
    }
    const std::string text = mode == 2 ? name + "  " + deals + "  " + rating
                                       : name + "    " + inCycle + "    " + score;
    t.players[k] = ShortenToWidth(text, 361, measure);
  }
  for (int k = 1; k <= 3; ++k) {
    const std::string l = Fit(lines[5 + k], kTopTenLineLength, '#');
    t.topThree[k] = ShortenToWidth(l.substr(0, 20) + "  " + l.substr(20, 6), 251, measure);
  }
  return t;
}

std::string AccountButtonText(std::string_view nick, int mode, int32_t kon, int32_t konL,
                              int32_t score, double rating) {
  const std::string name = FieldText(nick, 20);
  if (mode == 2) {
    return name + "  " + RightAligned(kon, 7) + "  " + RightAligned(std::llround(rating), 6);
  }
  return name + "    " + RightAligned(konL, 3) + "    " + RightAligned(score, 6);
}

AdmittedPlayer AdmitPlayer(int slot, std::string_view name, std::string_view password,
                           std::string_view passwordAgain, std::string_view storedField) {
  AdmittedPlayer a;
  if (name.find_first_not_of(' ') == std::string_view::npos) {
    a.result = Admission::IncorrectName;
    return a;
  }
  a.Name = FieldText(name, 20);
  if (slot == 6) {
    if (password != passwordAgain) {
      a.result = Admission::PasswordsDiffer;
      return a;
    }
    a.PasswordField = EncodePassword(password);
    a.KonText = "  0";
    a.ScoreText = "     0";
    return a;
  }
  const std::optional<std::string> stored = DecodePassword(storedField);
  if (!stored || *stored != Fit(password, 5)) a.result = Admission::IncorrectPassword;
  a.PasswordField = std::string(storedField);
  return a;
}

}  // namespace zarnet
