// The books of a series: account ratings, the close of a series in its
// order, the general count and the deal counter's hint.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game_state.h"
#include "player_records.h"

namespace zarnet {

// One entry of the history files.
struct HisStr {
  std::string HName;  // the player, or "seat 2/seat 1" in a net game
  int32_t HKon = 0;   // deals of the series
  int32_t HRes = 0;   // score difference of the series
  double HRei = 0.0;  // rating stored after the series
  uint8_t Ac = 0;     // kind, below
};

inline constexpr uint8_t kHistoryLocal = 0;
inline constexpr uint8_t kHistoryAccount = 1;
inline constexpr uint8_t kHistoryOnline = 2;
inline constexpr uint8_t kHistoryNet = 3;

// The account rating when a rated series starts: `kon` is the account's
// deal count already raised by the two deals, and the provisional charge is
// taken off the summed difference.
double AccountRatingStart(int kon, double r);
// The account rating when the series is settled: the charge given back and
// the series' difference added.
double AccountRatingSettle(int kon, int diff, double r);

// The booking at the start of a rated series.
void BookAccountStart(TKuvGame& acc);
// The booking at its end, from the record read again and the cycle position
// kept locally. Returns true when the account's 50-deal cycle is complete.
bool BookAccountSettle(TKuvGame& acc, int keptKonL, int diff, int finalScore);

// A player line of the lists: the name padded or cut to 20, the rating in
// ten characters, the deal number in seven, a blank, the score in six and
// the password field. A number too wide for its field is held at the
// field's limit, and control characters become blanks.
std::string BuildPlayerLine(std::string_view name, double rating, int64_t konNo, int64_t score,
                            std::string_view passwordField);

// What a series' close needs from beyond the engine: files, services,
// windows and sockets. The defaults do nothing and report no success.
class SeriesOutlets {
 public:
  virtual ~SeriesOutlets() = default;
  // Step 1: the recorder's table background and side panels back.
  virtual void RestoreRecorderScreen() {}
  // Hides the table and shows "Please, wait..." over it, or hides the notice.
  virtual void ShowWaitNotice(bool /*shown*/) {}
  // The account record read again for the settlement, and written back.
  virtual bool ReadAccountRecord(TKuvGame& /*acc*/) { return false; }
  virtual bool WriteAccountRecord(const TKuvGame& /*acc*/) { return false; }
  // The player's new tournament score at an online table.
  virtual bool ReadTourRating(int32_t& /*score*/) { return false; }
  virtual void WriteHistory(const HisStr& /*entry*/) {}
  // Counters R1..R12 (index 0 unused).
  virtual void SendGameReport(const std::array<int32_t, 13>& /*r*/) {}
  // Replaces the player's old line in the list by the new one; gives the
  // top-ten place (1..10), 0 when not placed.
  virtual int RefilePlayer(bool /*netList*/, int /*slot*/, const std::string& /*line*/,
                           bool /*cycleEnded*/) {
    return 0;
  }
  // A series kept in a player list: the list line and the history entry,
  // the list first, so a list that cannot be written leaves no entry that
  // disagrees with it. Gives the top-ten place.
  virtual int FileSeries(bool netList, int slot, const std::string& line, bool cycleEnded,
                         const HisStr& entry) {
    const int place = RefilePlayer(netList, slot, line, cycleEnded);
    WriteHistory(entry);
    return place;
  }
  virtual void ClosePeerSocket(uint8_t /*netRole*/) {}
  virtual void ShowEndOfGame(int /*place*/, int32_t /*score*/, int /*bonus*/) {}
  virtual void OpenWorldTopTenEntry(int32_t /*score*/) {}
  // The account cycle's score to the record board; gives the place.
  virtual bool SubmitCycleScore(int32_t /*score*/, int& /*place*/) { return false; }
  // "Unable to write the result of the game! Repeat?"
  virtual bool AskRepeatSubmission() { return false; }
  // Credits the bonus to the account and reads the balance again.
  virtual void CreditBonus(int /*amount*/) {}
  // The account falls back to logged in, music resumes, the menu shows.
  virtual void ReturnToMenu() {}
};

// The account and online records a series books beside the game state.
struct SeriesBooks {
  TKuvGame Account;     // the web account's record as last read
  TKuvClient MyClient;  // the player at an online table
  bool LoggedIn = false;
};

struct SeriesCloseResult {
  int place = 0;        // top-ten place shown by the end-of-game window
  int bonus = 0;        // account currency won with the cycle
  bool accountSettled = false;
  bool cycleEnded = false;
  HisStr history;
  std::string playerLine;
};

// Closes the series after a settled deal; `diff` = ScoreDiff, `deals` =
// KonNo - KonAtStart.
SeriesCloseResult CloseSeries(Game& g, SeriesBooks& books, SeriesOutlets& out, int32_t diff,
                              int32_t deals);

// The seven texts of the general-count window.
struct TCount {
  std::string Count_KonAll;
  std::string Count_KonCur;
  std::string Count_ScoBeg;
  std::string Count_ScoCur;
  std::string Count_ScoAll;
  std::string Count_ReiBeg;
  std::string Count_ReiCur;
};

TCount GeneralCount(const Game& g, const SeriesBooks& books);
// Plays "WOpenFo" and gives the texts the window opens with.
TCount ShowGeneralCount(Game& g, const SeriesBooks& books);

// Labels of the deal counter's hint, from the word tables.
struct DealHintLabels {
  std::string title;         // "Current game"
  std::string generalGames;  // "General number of game:"
  std::string cycleRound;    // "Number of round in a current cycle:"
  std::string sessionRound;  // "Number of round in a current session:"
};

struct DealHint {
  std::string title;
  std::string text;
};

DealHint DealCounterHint(const Game& g, const SeriesBooks& books, const DealHintLabels& labels);
// The deal counter's own text: "Game", ": " and the deals of this series.
std::string DealCounterText(const Game& g, std::string_view gameLabel);

}  // namespace zarnet
