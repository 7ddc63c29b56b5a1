// What the services keep, behind one interface: SQLite in the data folder by
// default, PostgreSQL when players outgrow one machine. Texts are cp1251
// bytes here, as on the wire; the databases hold UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zarnet::services {

// A database that cannot be reached or refuses a statement. The HTTP layer
// answers 503, which the game treats as no connection.
struct StorageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Account {
  std::string nick, pwHash, city, country1, country2, sex, email, dater, r01, r02, r03;
  int64_t r04 = 0, r05 = 0, r06 = 0;
};

inline constexpr int kProfileFields = 14;
using Profile = std::array<std::string, kProfileFields>;

struct GameResults {
  int64_t kon = 0, best = 0;
  double rating = 0;
  int64_t ses = 0, konl = 0, score = 0, r1 = 0;
  std::string r2 = "#";
};

struct TopAccount {
  std::string nick, city, country, sex;
  double rating = 0;
};

struct BoardRow {
  int64_t score = 0;
  std::string nick, country, city, r07, r08, r09, r10;
  int64_t place = 0;
};

struct GameStats {
  int64_t starts = 0, uniqueStarts = 0, likes = 0;
  std::string lastLike;
  std::array<int64_t, 12> sums{};
  int64_t y = 0;
  std::string z;
};

struct TourPlayer {
  std::string nick;
  int64_t score = 0, kon = 0, rating = 0;
  std::string country = "X", city = "X", sex = "M";
};

struct Seat {
  std::string nick = "X";
  int64_t score = 0, kon = 0, rating = 0;
  std::string country = "X", city = "X", sex = "M", ip = "X";
};

inline constexpr int kTables = 10;
inline constexpr int64_t kStartRating = 1000;

enum class CreateResult { Created, Exists };
enum class SeatResult { Ok, Taken, Refused };

// The outcome of one match at a table server, booked for both seats.
struct MatchOutcome {
  int table = 0;
  std::string nick1, nick2;
  int64_t diff1 = 0, diff2 = 0;  // score changes
  int deals = 0;                 // kon counted for each player
  double result1 = 0.5;          // 1 seat 1 won, 0 seat 2 won, 0.5 even
};

// What the services keep rendered in memory. A write that changes one kind
// bumps its version in the database in the write's own transaction, so every
// instance on the database learns of it.
enum class Kept { Records, TopTen, Statistics, Tournament };
inline constexpr int kKeptKinds = 4;

class Storage {
 public:
  virtual ~Storage() = default;

  // A kind's version as this process knows it: its own writes at once,
  // other processes' as of the last RefreshVersions.
  virtual int64_t Version(Kept kind) = 0;
  virtual void RefreshVersions() = 0;

  // Accounts.
  virtual CreateResult CreateAccount(const Account& a) = 0;
  virtual std::optional<Account> FindAccount(const std::string& nick) = 0;
  virtual int64_t MemberCount() = 0;
  virtual std::optional<Profile> ReadProfile(const std::string& nick) = 0;
  virtual bool SaveProfile(const std::string& nick, const Profile& p) = 0;
  // Nothing when the account does not exist; zeros before the first save.
  virtual std::optional<GameResults> ReadGameResults(const std::string& nick,
                                                     const std::string& prefix) = 0;
  virtual bool SaveGameResults(const std::string& nick, const std::string& prefix,
                               const GameResults& r) = 0;
  virtual std::vector<TopAccount> AccountTopTen(const std::string& prefix) = 0;
  virtual int64_t RatingPlace(const std::string& prefix, double rating) = 0;
  virtual void AddPendingBonus(const std::string& nick, int64_t amount) = 0;
  // Credits the amount when a bonus of exactly that amount is pending.
  virtual bool ClaimBonus(const std::string& nick, int64_t amount) = 0;

  // Record boards. Numbered boards take the next message number themselves.
  virtual int64_t SubmitRecord(int board, BoardRow row, bool numbered) = 0;
  virtual std::vector<BoardRow> TopRecords(int board) = 0;
  virtual std::vector<BoardRow> RecordsAround(int board, const std::string& nick,
                                              const std::string& city) = 0;
  virtual int64_t RecordCount(int board) = 0;
  // True, and the time kept, when the poster's last post is at least
  // `interval` seconds before `now`. The poster is a nick or an address key.
  virtual bool TryChatPost(const std::string& poster, int64_t now, int64_t interval) = 0;
  // One entry of an account on board 1108 per completed cycle: true, and the
  // cycle count kept, when the account's cycles grew since its last entry.
  virtual bool TakeCycleEntry(const std::string& nick) = 0;

  // Login sessions, bound to the caller's address.
  virtual void OpenSession(const std::string& nick, const std::string& address, int64_t now,
                           int64_t expiresAt) = 0;
  // True while a session of the nick is open from the address at `now`; it
  // then lasts until `expiresAt`.
  virtual bool UseSession(const std::string& nick, const std::string& address, int64_t now,
                          int64_t expiresAt) = 0;
  // Login throttling, by key ("n:" + nick or "a:" + address).
  virtual int64_t LoginBlockedUntil(const std::string& key) = 0;
  // Counts a failure; from `freeFailures` on, each one blocks for a doubled wait up to `maxWait`.
  virtual void LoginFailed(const std::string& key, int64_t now, int freeFailures, int64_t maxWait) = 0;
  virtual void LoginSucceeded(const std::string& key) = 0;

  // Statistics.
  virtual void AddStats(int gid, int64_t starts, int64_t uniqueStarts, int64_t likes,
                        const std::string* lastLike, const std::array<int64_t, 12>& sums) = 0;
  virtual GameStats ReadStats(int gid) = 0;

  // Tournament.
  virtual std::array<Seat, 3> ReadTable(int table) = 0;  // [1], [2]
  virtual Seat ReadSeat(int table, int seat) = 0;
  virtual SeatResult TakeSeat(int table, int seat, const Seat& s, const std::string& holder) = 0;
  virtual void FreeSeat(int table, int seat) = 0;
  // Who took the seat: its holder's address; empty when free.
  virtual std::string SeatHolder(int table, int seat) = 0;
  virtual TourPlayer TourRating(const std::string& nick) = 0;
  // kind 's' score, 'r' rating, 'k' kon.
  virtual int64_t TourPlace(char kind, int64_t value) = 0;
  virtual std::vector<TourPlayer> TourTopTen(char kind) = 0;
  virtual void BookMatch(const MatchOutcome& m) = 0;
};

// "sqlite" opens DIR/zarnet.db; "postgresql://..." a PostgreSQL database.
// Runs the schema migrations; throws StorageError when it cannot.
std::unique_ptr<Storage> OpenStorage(const std::string& db, const std::string& dataDir);

// The lower-case nick that keeps "Bob" and "bob" from being two accounts.
std::string NickKey(const std::string& nick);

}  // namespace zarnet::services
