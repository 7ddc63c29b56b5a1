// Storage over Qt SQL. Each thread that serves requests gets its own
// connection (Qt connections belong to the thread that opened them), with its
// statements prepared once.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <array>
#include <chrono>
#include <atomic>
#include <ctime>
#include <type_traits>
#include <cmath>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>

#include "codec.h"
#include "storage.h"

namespace zarnet::services {

std::string NickKey(const std::string& nick) {
  std::string key = nick;
  for (char& c : key) {
    const unsigned char u = c;
    if (u >= 'A' && u <= 'Z') c = static_cast<char>(u + 32);
    else if (u >= 0xC0 && u <= 0xDF) c = static_cast<char>(u + 32);  // cp1251 А..Я
    else if (u == 0xA8) c = static_cast<char>(0xB8);                 // Ё
  }
  return key;
}

namespace {

QString U(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }
std::string C(const QVariant& v) { return Utf8ToCp1251(v.toString().toStdString()); }
int64_t I(const QVariant& v) { return v.toLongLong(); }

const char* const kTourColumns[] = {"score", "rating", "kon"};
const char* TourColumn(char kind) {
  return kind == 'r' ? kTourColumns[1] : kind == 'k' ? kTourColumns[2] : kTourColumns[0];
}

class SqlStorage : public Storage {
 public:
  ~SqlStorage() override = default;

  // --- versions of the kept replies -------------------------------------
  // The sum of the kind's shards: it grows with every write of the kind.
  int64_t Version(Kept kind) override {
    int64_t sum = 0;
    for (const auto& shard : versions_[size_t(kind)]) sum += shard.load();
    return sum;
  }

  void RefreshVersions() override {
    auto& q = Run("SELECT kind, shard, version FROM kept_versions", {});
    while (q.next()) {
      const int kind = q.value(0).toInt(), shard = q.value(1).toInt();
      if (kind >= 0 && kind < kKeptKinds && shard >= 0 && shard < kVersionShards)
        Raise(Kept(kind), shard, q.value(2).toLongLong());
    }
    q.finish();
  }

  // --- accounts ---------------------------------------------------------
  CreateResult CreateAccount(const Account& a) override {
    return Write([&] {
      auto& q = Run(
          "INSERT INTO accounts (nick, nick_key, pw_hash, city, country1, country2, sex, email,"
          " dater, r01, r02, r03, r04, r05, r06) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"
          " ON CONFLICT (nick_key) DO NOTHING",
          {U(a.nick), U(NickKey(a.nick)), QString::fromStdString(a.pwHash), U(a.city), U(a.country1),
           U(a.country2), U(a.sex), U(a.email), U(a.dater), U(a.r01), U(a.r02), U(a.r03),
           qlonglong(a.r04), qlonglong(a.r05), qlonglong(a.r06)});
      const bool created = q.numRowsAffected() == 1;
      q.finish();
      return created ? CreateResult::Created : CreateResult::Exists;
    });
  }

  std::optional<Account> FindAccount(const std::string& nick) override {
    auto& q = Run(
        "SELECT nick, pw_hash, city, country1, country2, sex, email, dater, r01, r02, r03, r04,"
        " r05, r06 FROM accounts WHERE nick_key = ?",
        {U(NickKey(nick))});
    std::optional<Account> a;
    if (q.next()) {
      a.emplace();
      a->nick = C(q.value(0));
      a->pwHash = q.value(1).toString().toStdString();
      a->city = C(q.value(2));
      a->country1 = C(q.value(3));
      a->country2 = C(q.value(4));
      a->sex = C(q.value(5));
      a->email = C(q.value(6));
      a->dater = C(q.value(7));
      a->r01 = C(q.value(8));
      a->r02 = C(q.value(9));
      a->r03 = C(q.value(10));
      a->r04 = I(q.value(11));
      a->r05 = I(q.value(12));
      a->r06 = I(q.value(13));
    }
    q.finish();
    return a;
  }

  int64_t MemberCount() override { return Scalar("SELECT COUNT(*) FROM accounts", {}); }

  std::optional<Profile> ReadProfile(const std::string& nick) override {
    auto id = AccountId(nick);
    if (!id) return std::nullopt;
    Profile p;
    auto& q = Run(
        "SELECT f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14 FROM profiles"
        " WHERE account_id = ?",
        {qlonglong(*id)});
    if (q.next())
      for (int i = 0; i < kProfileFields; ++i) p[i] = C(q.value(i));
    q.finish();
    return p;
  }

  bool SaveProfile(const std::string& nick, const Profile& p) override {
    auto id = AccountId(nick);
    if (!id) return false;
    QVariantList args{qlonglong(*id)};
    for (const auto& f : p) args << U(f);
    return Write([&] {
      Run("INSERT INTO profiles (account_id, f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12,"
          " f13, f14) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?) ON CONFLICT (account_id) DO UPDATE SET"
          " f1 = excluded.f1, f2 = excluded.f2, f3 = excluded.f3, f4 = excluded.f4,"
          " f5 = excluded.f5, f6 = excluded.f6, f7 = excluded.f7, f8 = excluded.f8,"
          " f9 = excluded.f9, f10 = excluded.f10, f11 = excluded.f11, f12 = excluded.f12,"
          " f13 = excluded.f13, f14 = excluded.f14",
          args)
          .finish();
      return true;
    });
  }

  std::optional<GameResults> ReadGameResults(const std::string& nick,
                                             const std::string& prefix) override {
    auto id = AccountId(nick);
    if (!id) return std::nullopt;
    GameResults r;
    auto& q = Run(
        "SELECT kon, best, rating, ses, konl, score, r1, r2 FROM game_results"
        " WHERE account_id = ? AND prefix = ?",
        {qlonglong(*id), U(prefix)});
    if (q.next()) {
      r.kon = I(q.value(0));
      r.best = I(q.value(1));
      r.rating = q.value(2).toDouble();
      r.ses = I(q.value(3));
      r.konl = I(q.value(4));
      r.score = I(q.value(5));
      r.r1 = I(q.value(6));
      r.r2 = C(q.value(7));
    }
    q.finish();
    return r;
  }

  bool SaveGameResults(const std::string& nick, const std::string& prefix,
                       const GameResults& r) override {
    auto id = AccountId(nick);
    if (!id) return false;
    return Write([&] {
      Run("INSERT INTO game_results (account_id, prefix, kon, best, rating, ses, konl, score, r1,"
          " r2) VALUES (?,?,?,?,?,?,?,?,?,?) ON CONFLICT (account_id, prefix) DO UPDATE SET"
          " kon = excluded.kon, best = excluded.best, rating = excluded.rating,"
          " ses = excluded.ses, konl = excluded.konl, score = excluded.score, r1 = excluded.r1,"
          " r2 = excluded.r2",
          {qlonglong(*id), U(prefix), qlonglong(r.kon), qlonglong(r.best), r.rating,
           qlonglong(r.ses), qlonglong(r.konl), qlonglong(r.score), qlonglong(r.r1), U(r.r2)})
          .finish();
      Bump(Kept::TopTen);
      return true;
    });
  }

  std::vector<TopAccount> AccountTopTen(const std::string& prefix) override {
    auto& q = Run(
        "SELECT a.nick, a.city, a.country2, a.sex, g.rating FROM game_results g"
        " JOIN accounts a ON a.id = g.account_id WHERE g.prefix = ?"
        " ORDER BY g.rating DESC, a.id LIMIT 10",
        {U(prefix)});
    return AllRows(q, [](QSqlQuery& row) {
      return TopAccount{C(row.value(0)), C(row.value(1)), C(row.value(2)), C(row.value(3)),
                        row.value(4).toDouble()};
    });
  }

  int64_t RatingPlace(const std::string& prefix, double rating) override {
    return Scalar("SELECT COUNT(*) FROM game_results WHERE prefix = ? AND rating > ?",
                  {U(prefix), rating}) + 1;
  }

  void AddPendingBonus(const std::string& nick, int64_t amount) override {
    auto id = AccountId(nick);
    if (!id) return;
    Write([&] {
      Run("INSERT INTO pending_bonus (account_id, amount) VALUES (?, ?)", {qlonglong(*id), qlonglong(amount)})
          .finish();
      return true;
    });
  }

  bool ClaimBonus(const std::string& nick, int64_t amount) override {
    auto id = AccountId(nick);
    if (!id) return false;
    return Write([&] {
      auto& q = Run("SELECT id FROM pending_bonus WHERE account_id = ? AND amount = ? ORDER BY id LIMIT 1",
                    {qlonglong(*id), qlonglong(amount)});
      if (!q.next()) {
        q.finish();
        return false;
      }
      const qlonglong bonus = q.value(0).toLongLong();
      q.finish();
      auto& d = Run("DELETE FROM pending_bonus WHERE id = ?", {bonus});
      const bool mine = d.numRowsAffected() == 1;  // a concurrent claim may have won
      d.finish();
      if (!mine) return false;
      Run("UPDATE accounts SET r04 = r04 + ? WHERE id = ?", {qlonglong(amount), qlonglong(*id)}).finish();
      return true;
    });
  }

  // --- record boards ----------------------------------------------------
  int64_t SubmitRecord(int board, BoardRow row, bool numbered) override {
    return Write([&] {
      if (numbered) {
        row.score = Scalar(
            "INSERT INTO board_counters (board, last) VALUES (?, COALESCE((SELECT MAX(score) FROM"
            " records WHERE board = ?), 0) + 1) ON CONFLICT (board) DO UPDATE SET"
            " last = board_counters.last + 1 RETURNING last",
            {board, board});
      }
      const int64_t id = Scalar(
          "INSERT INTO records (board, score, nick, country, city, r07, r08, r09, r10, created_at)"
          " VALUES (?,?,?,?,?,?,?,?,?,?) RETURNING id",
          {board, qlonglong(row.score), U(row.nick), U(row.country), U(row.city), U(row.r07),
           U(row.r08), U(row.r09), U(row.r10), qlonglong(std::time(nullptr))});
      const int64_t place = Scalar(
          "SELECT COUNT(*) FROM records WHERE board = ? AND (score > ? OR (score = ? AND id < ?))",
          {board, qlonglong(row.score), qlonglong(row.score), qlonglong(id)}) + 1;
      Bump(Kept::Records);
      return place;
    });
  }

  std::vector<BoardRow> TopRecords(int board) override {
    return Rows(Run("SELECT score, nick, country, city, r07, r08, r09, r10 FROM records"
                    " WHERE board = ? ORDER BY score DESC, id LIMIT 10",
                    {board}),
                1);
  }

  std::vector<BoardRow> RecordsAround(int board, const std::string& nick,
                                      const std::string& city) override {
    auto& q = Run(
        "SELECT id, score FROM records WHERE board = ? AND nick = ? AND city = ?"
        " ORDER BY score DESC, id LIMIT 1",
        {board, U(nick), U(city)});
    if (!q.next()) {
      q.finish();
      return {};
    }
    const qlonglong id = q.value(0).toLongLong(), score = q.value(1).toLongLong();
    q.finish();
    const int64_t place =
        Scalar("SELECT COUNT(*) FROM records WHERE board = ? AND (score > ? OR (score = ? AND id < ?))",
               {board, score, score, id}) + 1;
    const int64_t first = std::max<int64_t>(1, place - 4);
    return Rows(Run("SELECT score, nick, country, city, r07, r08, r09, r10 FROM records"
                    " WHERE board = ? ORDER BY score DESC, id LIMIT 10 OFFSET ?",
                    {board, qlonglong(first - 1)}),
                first);
  }

  int64_t RecordCount(int board) override {
    return Scalar("SELECT COUNT(*) FROM records WHERE board = ?", {board});
  }

  bool TryChatPost(const std::string& poster, int64_t now, int64_t interval) override {
    return Write([&] {
      auto& q = Run(
          "INSERT INTO chat_posts (nick_key, last_at) VALUES (?, ?) ON CONFLICT (nick_key) DO UPDATE"
          " SET last_at = excluded.last_at WHERE chat_posts.last_at <= ?",
          {U(NickKey(poster)), qlonglong(now), qlonglong(now - interval)});
      const bool allowed = q.numRowsAffected() == 1;
      q.finish();
      return allowed;
    });
  }

  bool TakeCycleEntry(const std::string& nick) override {
    auto id = AccountId(nick);
    if (!id) return false;
    return Write([&] {
      const int64_t cycles =
          Scalar("SELECT COALESCE(MAX(ses), 0) FROM game_results WHERE account_id = ?", {qlonglong(*id)});
      auto& q = Run(
          "INSERT INTO cycle_entries (account_id, cycles) VALUES (?, ?) ON CONFLICT (account_id) DO UPDATE"
          " SET cycles = excluded.cycles WHERE cycle_entries.cycles < excluded.cycles",
          {qlonglong(*id), qlonglong(cycles)});
      const bool taken = cycles > 0 && q.numRowsAffected() == 1;
      q.finish();
      return taken;
    });
  }

  // --- sessions and login throttling --------------------------------------
  void OpenSession(const std::string& nick, const std::string& address, int64_t now,
                   int64_t expiresAt) override {
    Write([&] {
      Run("DELETE FROM sessions WHERE nick_key = ? AND expires_at <= ?", {U(NickKey(nick)), qlonglong(now)})
          .finish();
      Run("INSERT INTO sessions (nick_key, address, expires_at) VALUES (?, ?, ?) ON CONFLICT"
          " (nick_key, address) DO UPDATE SET expires_at = excluded.expires_at",
          {U(NickKey(nick)), U(address), qlonglong(expiresAt)})
          .finish();
      return true;
    });
  }

  bool UseSession(const std::string& nick, const std::string& address, int64_t now,
                  int64_t expiresAt) override {
    return Write([&] {
      auto& q = Run("UPDATE sessions SET expires_at = ? WHERE nick_key = ? AND address = ? AND expires_at > ?",
                    {qlonglong(expiresAt), U(NickKey(nick)), U(address), qlonglong(now)});
      const bool open = q.numRowsAffected() == 1;
      q.finish();
      return open;
    });
  }

  int64_t LoginBlockedUntil(const std::string& key) override {
    return Scalar("SELECT blocked_until FROM login_failures WHERE fkey = ?", {U(key)});
  }

  void LoginFailed(const std::string& key, int64_t now, int freeFailures, int64_t maxWait) override {
    Write([&] {
      const int64_t failures =
          Scalar("INSERT INTO login_failures (fkey, failures, blocked_until) VALUES (?, 1, 0) ON CONFLICT"
                 " (fkey) DO UPDATE SET failures = login_failures.failures + 1 RETURNING failures",
                 {U(key)});
      if (failures >= freeFailures) {
        const int64_t over = std::min<int64_t>(failures - freeFailures, 20);
        const int64_t wait = std::min<int64_t>(maxWait, int64_t{1} << over);
        Run("UPDATE login_failures SET blocked_until = ? WHERE fkey = ?", {qlonglong(now + wait), U(key)})
            .finish();
      }
      return true;
    });
  }

  void LoginSucceeded(const std::string& key) override {
    Write([&] {
      Run("DELETE FROM login_failures WHERE fkey = ?", {U(key)}).finish();
      return true;
    });
  }

  // --- statistics -------------------------------------------------------
  void AddStats(int gid, int64_t starts, int64_t uniqueStarts, int64_t likes,
                const std::string* lastLike, const std::array<int64_t, 12>& sums) override {
    Write([&] {
      Run("INSERT INTO statistics (gid) VALUES (?) ON CONFLICT (gid) DO NOTHING", {gid}).finish();
      QVariantList args{qlonglong(starts), qlonglong(uniqueStarts), qlonglong(likes)};
      for (int64_t s : sums) args << qlonglong(s);
      args << gid;
      Run("UPDATE statistics SET starts = starts + ?, uniq = uniq + ?, likes = likes + ?,"
          " x1 = x1 + ?, x2 = x2 + ?, x3 = x3 + ?, x4 = x4 + ?, x5 = x5 + ?, x6 = x6 + ?,"
          " x7 = x7 + ?, x8 = x8 + ?, x9 = x9 + ?, x10 = x10 + ?, x11 = x11 + ?, x12 = x12 + ?"
          " WHERE gid = ?",
          args)
          .finish();
      if (lastLike) Run("UPDATE statistics SET last_like = ? WHERE gid = ?", {U(*lastLike), gid}).finish();
      Bump(Kept::Statistics);
      return true;
    });
  }

  GameStats ReadStats(int gid) override {
    auto& q = Run(
        "SELECT starts, uniq, likes, last_like, x1, x2, x3, x4, x5, x6, x7, x8, x9, x10, x11, x12,"
        " y, z FROM statistics WHERE gid = ?",
        {gid});
    GameStats s;
    if (q.next()) {
      s.starts = I(q.value(0));
      s.uniqueStarts = I(q.value(1));
      s.likes = I(q.value(2));
      s.lastLike = C(q.value(3));
      for (int i = 0; i < 12; ++i) s.sums[i] = I(q.value(4 + i));
      s.y = I(q.value(16));
      s.z = C(q.value(17));
    }
    q.finish();
    return s;
  }

  // --- tournament -------------------------------------------------------
  std::array<Seat, 3> ReadTable(int table) override {
    std::array<Seat, 3> seats;
    auto& q = Run(
        "SELECT seat, nick, score, kon, rating, country, city, sex, ip FROM tour_seats"
        " WHERE tbl = ? ORDER BY seat",
        {table});
    while (q.next()) {
      const int s = q.value(0).toInt();
      if (s < 1 || s > 2) continue;
      seats[s] = SeatFrom(q, 1);
    }
    q.finish();
    return seats;
  }

  Seat ReadSeat(int table, int seat) override { return ReadTable(table)[seat]; }

  SeatResult TakeSeat(int table, int seat, const Seat& s, const std::string& holder) override {
    return Write([&] {
      const QString key = U(NickKey(s.nick));
      if (Scalar("SELECT COUNT(*) FROM tour_seats WHERE nick_key = ?", {key}) > 0) return SeatResult::Refused;
      if (Scalar("SELECT COUNT(*) FROM tour_seats WHERE tbl = ? AND seat = ? AND nick_key = ''",
                 {table, seat}) == 0)
        return SeatResult::Taken;
      Run("INSERT INTO tour_players (nick_key, nick, score, kon, rating, country, city, sex)"
          " VALUES (?,?,0,0,?,?,?,?) ON CONFLICT (nick_key) DO UPDATE SET nick = excluded.nick,"
          " country = excluded.country, city = excluded.city, sex = excluded.sex",
          {key, U(s.nick), qlonglong(kStartRating), U(s.country), U(s.city), U(s.sex)})
          .finish();
      // The figures on the seat are ours, not the ones the client sent.
      const TourPlayer p = PlayerByKey(key, s.nick);
      // Concurrent takers may all have seen the seat free: only the update
      // that still finds it free wins (the row lock re-checks the condition).
      auto& q = Run("UPDATE tour_seats SET nick = ?, nick_key = ?, score = ?, kon = ?, rating = ?,"
                    " country = ?, city = ?, sex = ?, ip = ?, holder = ? WHERE tbl = ? AND seat = ?"
                    " AND nick_key = ''",
                    {U(s.nick), key, qlonglong(p.score), qlonglong(p.kon), qlonglong(p.rating), U(s.country),
                     U(s.city), U(s.sex), U(s.ip), U(holder), table, seat});
      const bool won = q.numRowsAffected() == 1;
      q.finish();
      if (!won) return SeatResult::Taken;
      Bump(Kept::Tournament);
      return SeatResult::Ok;
    });
  }

  void FreeSeat(int table, int seat) override {
    Write([&] {
      FreeSeatIn(table, seat);
      Bump(Kept::Tournament);
      return true;
    });
  }

  std::string SeatHolder(int table, int seat) override {
    auto& q = Run("SELECT holder FROM tour_seats WHERE tbl = ? AND seat = ?", {table, seat});
    std::string h = q.next() ? C(q.value(0)) : std::string();
    q.finish();
    return h;
  }

  TourPlayer TourRating(const std::string& nick) override { return PlayerByKey(U(NickKey(nick)), nick); }

  int64_t TourPlace(char kind, int64_t value) override {
    const std::string sql = std::string("SELECT COUNT(*) FROM tour_players WHERE kon > 0 AND ") +
                            TourColumn(kind) + " > ?";
    return Scalar(Intern(sql), {qlonglong(value)}) + 1;
  }

  std::vector<TourPlayer> TourTopTen(char kind) override {
    const std::string sql = std::string("SELECT nick, score, kon, rating, country, city, sex FROM"
                                        " tour_players WHERE kon > 0 ORDER BY ") +
                            TourColumn(kind) + " DESC, nick_key LIMIT 10";
    return AllRows(Run(Intern(sql), {}), PlayerFrom);
  }

  void BookMatch(const MatchOutcome& m) override {
    Write([&] {
      const QString k1 = U(NickKey(m.nick1)), k2 = U(NickKey(m.nick2));
      const TourPlayer p1 = PlayerByKey(k1, m.nick1), p2 = PlayerByKey(k2, m.nick2);
      // Elo with K = 32 on whole points.
      const double expected1 = 1.0 / (1.0 + std::pow(10.0, double(p2.rating - p1.rating) / 400.0));
      const int64_t delta = std::llround(32.0 * (m.result1 - expected1));
      Book(k1, m.nick1, m.diff1, m.deals, delta);
      Book(k2, m.nick2, m.diff2, m.deals, -delta);
      FreeSeatIn(m.table, 1);
      FreeSeatIn(m.table, 2);
      Bump(Kept::Tournament);
      return true;
    });
  }

 protected:
  struct Conn {
    QSqlDatabase db;
    std::unordered_map<const char*, std::unique_ptr<QSqlQuery>> statements;
    bool inTransaction = false;
  };

  // Sets up a new connection of this thread (driver, options) and opens it.
  virtual QSqlDatabase Connect(const QString& name) = 0;
  // The column type of an automatic row id.
  virtual const char* IdType() const = 0;
  // Serialises writers where the database cannot do it well itself.
  virtual std::unique_lock<std::timed_mutex> LockWrites() { return {}; }
  virtual void LockMigrations() {}
  virtual void UnlockMigrations() {}

  void Migrate() {
    Conn& c = Connection();
    LockMigrations();
    try {
      Exec(c, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
      QSqlQuery q(c.db);
      if (!q.exec("SELECT COALESCE(MAX(version), 0) FROM schema_version") || !q.next())
        throw StorageError(q.lastError().text().toStdString());
      const int have = q.value(0).toInt();
      q.finish();
      const auto steps = Migrations();
      for (size_t v = have; v < steps.size(); ++v) {
        if (!c.db.transaction()) throw StorageError(c.db.lastError().text().toStdString());
        for (const std::string& sql : steps[v]) Exec(c, sql);
        Exec(c, "INSERT INTO schema_version (version) VALUES (" + std::to_string(v + 1) + ")");
        if (!c.db.commit()) throw StorageError(c.db.lastError().text().toStdString());
      }
    } catch (...) {
      c.db.rollback();
      UnlockMigrations();
      throw;
    }
    UnlockMigrations();
    RefreshVersions();
  }

  Conn& Connection() {
    auto& slot = ThreadSlot();
    if (slot && slot->db.isOpen()) return *slot;
    DropConnection();
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("zarnet-%1").arg(counter++);
    auto c = std::make_unique<Conn>();
    try {
      c->db = Connect(name);
    } catch (...) {
      c.reset();
      QSqlDatabase::removeDatabase(name);
      throw;
    }
    slot = std::move(c);
    return *slot;
  }

  // Closes this thread's connection; the next statement opens a new one.
  void DropConnection() {
    auto& slot = ThreadSlot();
    if (!slot) return;
    const QString name = slot->db.connectionName();
    slot.reset();  // statements and the handle go before Qt forgets the name
    if (!name.isEmpty()) QSqlDatabase::removeDatabase(name);
  }

  // After a failed statement: true when the connection itself is gone (the
  // server restarted or the network dropped it), not just the statement.
  static bool Lost(Conn& c) {
    if (!c.db.isOpen()) return true;
    QSqlQuery probe(c.db);
    return !probe.exec("SELECT 1");
  }

  static void Exec(Conn& c, const std::string& sql) {
    QSqlQuery q(c.db);
    if (!q.exec(QString::fromStdString(sql)))
      throw StorageError(q.lastError().text().toStdString() + " in: " + sql);
  }

 private:
  std::unique_ptr<Conn>& ThreadSlot() {
    thread_local std::unordered_map<const SqlStorage*, std::unique_ptr<Conn>> mine;
    return mine[this];
  }

  // One transaction. When the connection is found gone before the commit, the
  // server has dropped the transaction with it, so it runs once more on a new
  // connection. A commit that fails is not repeated: it may have been kept.
  template <class F>
  std::invoke_result_t<F&> Write(F&& f) {
    auto lock = LockWrites();
    for (int attempt = 0;; ++attempt) {
      Bumped().fill({-1, 0});
      Conn& c = Connection();
      if (!c.db.transaction()) {
        const std::string error = c.db.lastError().text().toStdString();
        if (attempt == 0 && Lost(c)) {
          DropConnection();
          continue;
        }
        throw StorageError(error);
      }
      c.inTransaction = true;
      std::optional<std::invoke_result_t<F&>> result;
      try {
        result.emplace(f());
      } catch (const StorageError&) {
        c.inTransaction = false;
        c.db.rollback();
        if (attempt == 0 && Lost(c)) {
          DropConnection();
          continue;
        }
        throw;
      } catch (...) {
        c.inTransaction = false;
        c.db.rollback();
        throw;
      }
      c.inTransaction = false;
      if (!c.db.commit()) {
        const std::string error = c.db.lastError().text().toStdString();
        c.db.rollback();
        throw StorageError(error);
      }
      // Only now: a reply rendered before the commit must not carry the new version.
      for (int k = 0; k < kKeptKinds; ++k)
        if (Bumped()[k].first >= 0) Raise(Kept(k), Bumped()[k].first, Bumped()[k].second);
      return std::move(*result);
    }
  }

  // Statement texts built at run time live here, so their address can key
  // the prepared-statement cache.
  const char* Intern(const std::string& sql) {
    static std::mutex m;
    static std::unordered_map<std::string, std::unique_ptr<std::string>> texts;
    std::lock_guard lock(m);
    auto& t = texts[sql];
    if (!t) t = std::make_unique<std::string>(sql);
    return t->c_str();
  }

  // Runs a prepared statement. Outside a transaction a lost connection is
  // reopened and the statement run once more; inside one, Write repeats the
  // whole transaction. Statements returned earlier are finished by then.
  QSqlQuery& Run(const char* sql, const QVariantList& args) {
    for (int attempt = 0;; ++attempt) {
      Conn& c = Connection();
      auto& q = c.statements[sql];
      std::string error;
      if (!q) {
        q = std::make_unique<QSqlQuery>(c.db);
        if (!q->prepare(QString::fromUtf8(sql))) {
          error = q->lastError().text().toStdString();
          q.reset();
        }
      }
      if (q) {
        for (int i = 0; i < args.size(); ++i) q->bindValue(i, args[i]);
        if (q->exec()) return *q;
        error = q->lastError().text().toStdString();
      }
      if (attempt == 0 && !c.inTransaction && Lost(c)) {
        DropConnection();
        continue;
      }
      throw StorageError(error + " in: " + sql);
    }
  }

  // Shard and new version of each kind bumped by this thread's open transaction.
  static std::array<std::pair<int, int64_t>, kKeptKinds>& Bumped() {
    thread_local std::array<std::pair<int, int64_t>, kKeptKinds> bumped{};
    return bumped;
  }

  // Inside Write: the kind's data changes with this transaction. Writers
  // spread over shards, so concurrent transactions on PostgreSQL do not
  // queue on one row lock until they commit.
  void Bump(Kept kind) {
    thread_local const int shard = int(std::hash<std::thread::id>{}(std::this_thread::get_id()) % kVersionShards);
    Bumped()[size_t(kind)] = {
        shard, Scalar("UPDATE kept_versions SET version = version + 1 WHERE kind = ? AND shard = ? RETURNING version",
                      {int(kind), shard})};
  }

  void Raise(Kept kind, int shard, int64_t version) {
    auto& v = versions_[size_t(kind)][size_t(shard)];
    for (int64_t seen = v.load(); seen < version && !v.compare_exchange_weak(seen, version);) {
    }
  }

  int64_t Scalar(const char* sql, const QVariantList& args) {
    auto& q = Run(sql, args);
    const int64_t v = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    return v;
  }

  std::optional<int64_t> AccountId(const std::string& nick) {
    auto& q = Run("SELECT id FROM accounts WHERE nick_key = ?", {U(NickKey(nick))});
    std::optional<int64_t> id;
    if (q.next()) id = q.value(0).toLongLong();
    q.finish();
    return id;
  }

  // Every row of an executed statement, read by `read`; the statement is freed after.
  template <class Read>
  static std::vector<std::invoke_result_t<Read&, QSqlQuery&>> AllRows(QSqlQuery& q, Read read) {
    std::vector<std::invoke_result_t<Read&, QSqlQuery&>> rows;
    while (q.next()) rows.push_back(read(q));
    q.finish();
    return rows;
  }

  // Board rows numbered from `firstPlace`.
  static std::vector<BoardRow> Rows(QSqlQuery& q, int64_t firstPlace) {
    return AllRows(q, [place = firstPlace](QSqlQuery& row) mutable {
      BoardRow r;
      r.score = I(row.value(0));
      r.nick = C(row.value(1));
      r.country = C(row.value(2));
      r.city = C(row.value(3));
      r.r07 = C(row.value(4));
      r.r08 = C(row.value(5));
      r.r09 = C(row.value(6));
      r.r10 = C(row.value(7));
      r.place = place++;
      return r;
    });
  }

  static Seat SeatFrom(QSqlQuery& q, int at) {
    Seat s;
    s.nick = C(q.value(at));
    s.score = I(q.value(at + 1));
    s.kon = I(q.value(at + 2));
    s.rating = I(q.value(at + 3));
    s.country = C(q.value(at + 4));
    s.city = C(q.value(at + 5));
    s.sex = C(q.value(at + 6));
    s.ip = C(q.value(at + 7));
    return s;
  }

  // A player from the columns nick, score, kon, rating, country, city, sex.
  static TourPlayer PlayerFrom(QSqlQuery& q) {
    TourPlayer p;
    p.nick = C(q.value(0));
    p.score = I(q.value(1));
    p.kon = I(q.value(2));
    p.rating = I(q.value(3));
    p.country = C(q.value(4));
    p.city = C(q.value(5));
    p.sex = C(q.value(6));
    return p;
  }

  TourPlayer PlayerByKey(const QString& key, const std::string& nick) {
    auto& q = Run("SELECT nick, score, kon, rating, country, city, sex FROM tour_players WHERE nick_key = ?",
                  {key});
    TourPlayer p;
    p.nick = nick;
    p.rating = kStartRating;
    if (q.next()) p = PlayerFrom(q);
    q.finish();
    return p;
  }

  void Book(const QString& key, const std::string& nick, int64_t diff, int deals, int64_t delta) {
    Run("INSERT INTO tour_players (nick_key, nick, score, kon, rating, country, city, sex)"
        " VALUES (?, ?, 0, 0, ?, 'X', 'X', 'M') ON CONFLICT (nick_key) DO NOTHING",
        {key, U(nick), qlonglong(kStartRating)})
        .finish();
    Run("UPDATE tour_players SET score = score + ?, kon = kon + ?, rating = rating + ?"
        " WHERE nick_key = ?",
        {qlonglong(diff), deals, qlonglong(delta), key})
        .finish();
  }

  void FreeSeatIn(int table, int seat) {
    Run("UPDATE tour_seats SET nick = 'X', nick_key = '', score = 0, kon = 0, rating = 0,"
        " country = 'X', city = 'X', sex = 'M', ip = 'X', holder = '' WHERE tbl = ? AND seat = ?",
        {table, seat})
        .finish();
  }

  static constexpr int kVersionShards = 8;
  std::array<std::array<std::atomic<int64_t>, kVersionShards>, kKeptKinds> versions_{};

  std::vector<std::vector<std::string>> Migrations() const {
    const std::string id = IdType();
    std::vector<std::string> first = {
        "CREATE TABLE accounts (id " + id +
            ", nick TEXT NOT NULL, nick_key TEXT NOT NULL UNIQUE, pw_hash TEXT NOT NULL,"
            " city TEXT NOT NULL, country1 TEXT NOT NULL, country2 TEXT NOT NULL, sex TEXT NOT NULL,"
            " email TEXT NOT NULL, dater TEXT NOT NULL, r01 TEXT NOT NULL, r02 TEXT NOT NULL,"
            " r03 TEXT NOT NULL, r04 BIGINT NOT NULL DEFAULT 0, r05 BIGINT NOT NULL DEFAULT 0,"
            " r06 BIGINT NOT NULL DEFAULT 0)",
        "CREATE TABLE profiles (account_id BIGINT PRIMARY KEY REFERENCES accounts (id),"
        " f1 TEXT, f2 TEXT, f3 TEXT, f4 TEXT, f5 TEXT, f6 TEXT, f7 TEXT, f8 TEXT, f9 TEXT,"
        " f10 TEXT, f11 TEXT, f12 TEXT, f13 TEXT, f14 TEXT)",
        "CREATE TABLE game_results (account_id BIGINT NOT NULL REFERENCES accounts (id),"
        " prefix TEXT NOT NULL, kon BIGINT NOT NULL, best BIGINT NOT NULL,"
        " rating DOUBLE PRECISION NOT NULL, ses BIGINT NOT NULL, konl BIGINT NOT NULL,"
        " score BIGINT NOT NULL, r1 BIGINT NOT NULL, r2 TEXT NOT NULL,"
        " PRIMARY KEY (account_id, prefix))",
        "CREATE INDEX game_results_rating ON game_results (prefix, rating)",
        "CREATE TABLE pending_bonus (id " + id +
            ", account_id BIGINT NOT NULL REFERENCES accounts (id), amount BIGINT NOT NULL)",
        "CREATE TABLE records (id " + id +
            ", board INTEGER NOT NULL, score BIGINT NOT NULL, nick TEXT NOT NULL,"
            " country TEXT NOT NULL, city TEXT NOT NULL, r07 TEXT NOT NULL, r08 TEXT NOT NULL,"
            " r09 TEXT NOT NULL, r10 TEXT NOT NULL, created_at BIGINT NOT NULL)",
        "CREATE INDEX records_board_score ON records (board, score DESC, id)",
        "CREATE INDEX records_board_nick ON records (board, nick, city)",
        "CREATE TABLE board_counters (board INTEGER PRIMARY KEY, last BIGINT NOT NULL)",
        "CREATE TABLE chat_posts (nick_key TEXT PRIMARY KEY, last_at BIGINT NOT NULL)",
        "CREATE TABLE statistics (gid INTEGER PRIMARY KEY, starts BIGINT NOT NULL DEFAULT 0,"
        " uniq BIGINT NOT NULL DEFAULT 0, likes BIGINT NOT NULL DEFAULT 0,"
        " last_like TEXT NOT NULL DEFAULT '', x1 BIGINT NOT NULL DEFAULT 0,"
        " x2 BIGINT NOT NULL DEFAULT 0, x3 BIGINT NOT NULL DEFAULT 0, x4 BIGINT NOT NULL DEFAULT 0,"
        " x5 BIGINT NOT NULL DEFAULT 0, x6 BIGINT NOT NULL DEFAULT 0, x7 BIGINT NOT NULL DEFAULT 0,"
        " x8 BIGINT NOT NULL DEFAULT 0, x9 BIGINT NOT NULL DEFAULT 0, x10 BIGINT NOT NULL DEFAULT 0,"
        " x11 BIGINT NOT NULL DEFAULT 0, x12 BIGINT NOT NULL DEFAULT 0, y BIGINT NOT NULL DEFAULT 0,"
        " z TEXT NOT NULL DEFAULT '')",
        "CREATE TABLE tour_players (nick_key TEXT PRIMARY KEY, nick TEXT NOT NULL,"
        " score BIGINT NOT NULL, kon BIGINT NOT NULL, rating BIGINT NOT NULL,"
        " country TEXT NOT NULL, city TEXT NOT NULL, sex TEXT NOT NULL)",
        "CREATE TABLE tour_seats (tbl INTEGER NOT NULL, seat INTEGER NOT NULL, nick TEXT NOT NULL,"
        " nick_key TEXT NOT NULL, score BIGINT NOT NULL, kon BIGINT NOT NULL,"
        " rating BIGINT NOT NULL, country TEXT NOT NULL, city TEXT NOT NULL, sex TEXT NOT NULL,"
        " ip TEXT NOT NULL, holder TEXT NOT NULL, PRIMARY KEY (tbl, seat))",
        // One seat at a time per player.
        "CREATE UNIQUE INDEX tour_seats_nick ON tour_seats (nick_key) WHERE nick_key <> ''",
    };
    for (int t = 1; t <= kTables; ++t)
      for (int s = 1; s <= 2; ++s)
        first.push_back("INSERT INTO tour_seats VALUES (" + std::to_string(t) + ", " + std::to_string(s) +
                        ", 'X', '', 0, 0, 0, 'X', 'X', 'M', 'X', '')");
    // Sessions, login throttling and account board entries.
    std::vector<std::string> second = {
        "CREATE TABLE sessions (nick_key TEXT NOT NULL, address TEXT NOT NULL,"
        " expires_at BIGINT NOT NULL, PRIMARY KEY (nick_key, address))",
        "CREATE TABLE login_failures (fkey TEXT PRIMARY KEY, failures BIGINT NOT NULL,"
        " blocked_until BIGINT NOT NULL)",
        "CREATE TABLE cycle_entries (account_id BIGINT PRIMARY KEY REFERENCES accounts (id),"
        " cycles BIGINT NOT NULL)",
    };
    // Versions of the replies kept in memory.
    std::vector<std::string> third = {
        "CREATE TABLE kept_versions (kind INTEGER NOT NULL, shard INTEGER NOT NULL, version BIGINT NOT NULL,"
        " PRIMARY KEY (kind, shard))",
    };
    for (int k = 0; k < kKeptKinds; ++k)
      for (int shard = 0; shard < kVersionShards; ++shard)
        third.push_back("INSERT INTO kept_versions VALUES (" + std::to_string(k) + ", " + std::to_string(shard) +
                        ", 0)");
    return {first, second, third};
  }
};

class SqliteStorage final : public SqlStorage {
 public:
  explicit SqliteStorage(QString path) : path_(std::move(path)) { Migrate(); }

 protected:
  QSqlDatabase Connect(const QString& name) override {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path_);
    // Writers of this process queue on the writer lock; this only covers
    // another process on the same file.
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=2000");
    if (!db.open()) throw StorageError("cannot open " + path_.toStdString() + ": " +
                                       db.lastError().text().toStdString());
    QSqlQuery q(db);
    // WAL lets readers run beside the writer; NORMAL keeps every commit
    // through a crash of the process (only a power cut may cost the last ones).
    for (const char* p : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA foreign_keys=ON"})
      if (!q.exec(p)) throw StorageError(q.lastError().text().toStdString());
    return db;
  }
  const char* IdType() const override { return "INTEGER PRIMARY KEY AUTOINCREMENT"; }
  // One writer at a time inside the process, instead of busy retries; a
  // writer that cannot have its turn soon gets 503, well inside the game's
  // three-second read.
  std::unique_lock<std::timed_mutex> LockWrites() override {
    std::unique_lock lock(writeMutex_, std::defer_lock);
    if (!lock.try_lock_for(std::chrono::milliseconds(1500)))
      throw StorageError("the database writer is busy");
    return lock;
  }

 private:
  QString path_;
  std::timed_mutex writeMutex_;
};

class PostgresStorage final : public SqlStorage {
 public:
  explicit PostgresStorage(const std::string& url) : url_(QString::fromStdString(url)) {
    if (!url_.isValid() || url_.host().isEmpty()) throw StorageError("bad database address: " + url);
    Migrate();
  }

 protected:
  QSqlDatabase Connect(const QString& name) override {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
    db.setHostName(url_.host());
    db.setPort(url_.port(5432));
    db.setDatabaseName(url_.path().mid(1).isEmpty() ? "postgres" : url_.path().mid(1));
    if (!url_.userName().isEmpty()) db.setUserName(url_.userName());
    if (!url_.password().isEmpty()) db.setPassword(url_.password());
    db.setConnectOptions("connect_timeout=5");
    if (!db.open()) throw StorageError("cannot connect to PostgreSQL: " + db.lastError().text().toStdString());
    return db;
  }
  const char* IdType() const override { return "BIGSERIAL PRIMARY KEY"; }
  // Several service instances may start at once against one database.
  void LockMigrations() override { Exec(Connection(), "SELECT pg_advisory_lock(808088)"); }
  void UnlockMigrations() override { Exec(Connection(), "SELECT pg_advisory_unlock(808088)"); }

 private:
  QUrl url_;
};

}  // namespace

std::unique_ptr<Storage> OpenStorage(const std::string& db, const std::string& dataDir) {
  if (db == "sqlite") return std::make_unique<SqliteStorage>(QString::fromStdString(dataDir + "/zarnet.db"));
  if (db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0)
    return std::make_unique<PostgresStorage>(db);
  throw StorageError("unknown database: " + db);
}

}  // namespace zarnet::services
