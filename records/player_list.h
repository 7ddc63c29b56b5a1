// The player lists "Zarnet.clb" and "Zarnet.net": five players, the top ten,
// a marker line and a checksum line, in fixed columns of cp1251 text.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "series.h"

namespace zarnet {

inline constexpr const char* kClubListName = "Zarnet.clb";
inline constexpr const char* kNetListName = "Zarnet.net";

inline constexpr int kListLineCount = 17;
inline constexpr size_t kPlayerLineLength = 59;
inline constexpr size_t kTopTenLineLength = 26;
inline constexpr size_t kMarkerLineLength = 28;
// Game identifier 88 plus 100.
inline constexpr char kListMarker = static_cast<char>(188);
inline constexpr std::string_view kEmptyPlayerLine =
    "##################################### #####################";
inline constexpr int kCycleDeals = 50;

enum class ListStatus {
  Ok,
  Missing,     // "Can`t find the file"
  Incorrect,   // "The incorrect file"
  WriteError,  // "Error of disk writing!"
};

// Lines 1..17 of a list; index 0 is not used.
using ListLines = std::array<std::string, kListLineCount + 1>;

struct ListCheck {
  ListStatus status = ListStatus::Missing;
  // The file cannot be written, so results will not be kept.
  bool badAttributes = false;
  // Line 17 begins with "1": the interface language becomes Russian.
  bool russian = false;
};

// The three sums over the first 583 characters of lines 1..16, as line 17
// holds them in its characters 11..28.
std::string ListChecksum(const ListLines& lines);
// Lines 1..17 when the text is a well-formed list whose checksum holds.
std::optional<ListLines> ParsePlayerList(std::string_view text);
// The list as it is written: 17 lines, each ended by a line break, with the
// checksum of line 17 brought up to date.
std::string FormatPlayerList(ListLines lines);

ListCheck CheckPlayerList(const std::string& path);

// The list an installation ships: five free player lines and a top ten of
// made-up players, marker and checksum lines.
std::string InstallationList();

// "<label> "<path>"!" as the missing and wrong file messages show it.
std::string FileMessage(std::string_view label, std::string_view path);
// The bad attributes warning: "The file", the path, " has incorrect
// attributes!", a line break, "The work of the program will be incorrect!".
std::string AttributesMessage(std::string_view theFile, std::string_view path,
                              std::string_view hasIncorrectAttributes,
                              std::string_view workWillBeIncorrect);

// Five password characters, blank-padded or cut, each written as the three
// digits of its code plus 234.
std::string EncodePassword(std::string_view password);
// Nothing when the field is not 15 such digits.
std::optional<std::string> DecodePassword(std::string_view field);

// One player line read.
struct ListPlayer {
  std::string Name;           // columns 1-20
  double Rating = 0.0;        // columns 21-30
  int32_t KonNo = 0;          // columns 31-37
  int32_t Score = 0;          // columns 39-44
  std::string RatingText;     // the fields as they stand
  std::string KonText;
  std::string ScoreText;
  std::string PasswordField;  // columns 45-59
  bool Free = false;          // the empty player line
};

ListPlayer ParsePlayerLine(std::string_view line);
// Line `slot` (1..5) of the list at `path`; nothing when the list is missing
// or wrong, or the slot is out of range.
std::optional<ListPlayer> LoadPlayer(const std::string& path, int slot);

// What filing did, for the end-of-game window.
struct FilingResult {
  ListStatus status = ListStatus::Ok;
  int topTenPlace = 0;  // 1..10, 0 when not placed or no cycle ended
  int topTenScore = 0;
  int filedLine = 0;    // 1..5, 0 when the rating is below all five
};

// The in-memory steps, for callers that combine them before one write.
void RemoveLine(ListLines& lines, int slot);
FilingResult InsertLine(ListLines& lines, std::string playerLine, bool cycleEnded);

// Deletes player line `slot` (1..5) and appends the empty line; slot 6 does
// nothing. The file is rewritten in one piece.
ListStatus RemovePlayerLine(const std::string& path, int slot);
// Files the new line and, when a cycle has just ended, its score into the top ten.
FilingResult InsertPlayerLine(const std::string& path, const std::string& playerLine,
                              bool cycleEnded);
// The end of a series: the old line out and the new one in, in one write,
// so that no failure in between can lose the player.
FilingResult RefilePlayerLine(const std::string& path, int slot, const std::string& playerLine,
                              bool cycleEnded);

// A refiling worked out but not yet written: the list's new text when the
// status is Ok.
struct ListRewrite {
  FilingResult filing;
  std::string content;
};
ListRewrite PrepareRefile(const std::string& path, int slot, const std::string& playerLine,
                          bool cycleEnded);

// A player list holds passwords: a new one is readable by its owner only.
inline constexpr unsigned kNewListMode = 0600;

// --- The menu's list ---------------------------------------------------------

// Width of a text in the menu's fixed font at height 11, in pixels.
using MeasureText = std::function<int(std::string_view)>;

struct MenuListLabels {
  std::string headingScore;   // " The members of club    Games    Score "
  std::string headingRating;  // " The members of club    Games   Rating "
};

struct MenuListTexts {
  std::string heading;
  std::array<std::string, 6> players;  // Button1..Button5 texts, 1..5
  std::array<std::string, 4> topThree; // Panel1..Panel3, 1..3
};

// Cuts characters from position 20 backwards until the text measures less
// than `limit`, keeping at least four; marks a cut that took a name's
// letters with three dots.
std::string ShortenToWidth(std::string text, int limit, const MeasureText& measure);

// The texts of the menu for `mode` 1 (games in the cycle, score) or 2 (deals,
// rating) from a list's lines 1..9.
MenuListTexts ShowPlayerList(const ListLines& lines, int mode, const MenuListLabels& labels,
                             const MeasureText& measure);
// Button5 standing for the web account.
std::string AccountButtonText(std::string_view nick, int mode, int32_t kon, int32_t konL,
                              int32_t score, double rating);

// --- The welcome dialog --------------------------------------------------------

enum class Admission {
  Ok,
  IncorrectName,        // "Incorrect name!"
  PasswordsDiffer,      // "The passwords do not coincide!"
  IncorrectPassword,    // "The incorrect password!"
};

struct AdmittedPlayer {
  Admission result = Admission::Ok;
  std::string Name;           // 20 characters
  std::string PasswordField;  // for a new player, the encoded password
  std::string KonText;        // for a new player, "  0"
  std::string ScoreText;      // for a new player, "     0"
};

// `storedField` is the listed player's password field (slots 1..5); a new
// player (slot 6) gives the password twice.
AdmittedPlayer AdmitPlayer(int slot, std::string_view name, std::string_view password,
                           std::string_view passwordAgain, std::string_view storedField);

}  // namespace zarnet
