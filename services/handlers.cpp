#include "handlers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "cipher.h"
#include "forms.h"
#include "passwords.h"

namespace zarnet::services {
namespace {

// --- reply forms ----------------------------------------------------------
// Every reply ends with a line end: the game never reads the final character.
// Refusals carry no '$', so number and record readers fail on them.
const std::string kOk = "ok\n";
const std::string kNo = "no\n";
const std::string kIs = "is\n";

std::string Number(int64_t n) { return "$" + std::to_string(n) + "\n"; }
std::string Status(bool ok) { return ok ? "$ ok #\n" : "$ no #\n"; }

// A blank-separated field may not be empty: an empty one would shift the
// numbering of the fields after it.
std::string F(const std::string& s) { return s.empty() ? "#" : s; }

std::string Join(const std::vector<std::string>& fields, char sep) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += sep;
    out += fields[i];
  }
  return out;
}

std::string Record(const std::vector<std::string>& fields, char sep = ' ') {
  return "$" + Join(fields, sep) + "\n";
}

// Records of a list each run from '$' to '*'.
std::string ListItem(const std::vector<std::string>& fields) { return "$" + Join(fields, ' ') + "*"; }

// --- field checks ---------------------------------------------------------
enum class Chars {
  Account,      // Latin letters, digits and ! ( ) , - . @ _
  AccountCyr,   // the same and the Cyrillic letters of cp1251
  Word,         // any visible character that does not break a reply record
  Text,         // profile texts: blanks allowed, '$' and '~' not
  Decimal,
  Address,
};

bool IsCyrillic(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

bool Allowed(unsigned char c, Chars kind) {
  switch (kind) {
    case Chars::Account:
    case Chars::AccountCyr:
      if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
      if (std::string_view("!(),-.@_").find(char(c)) != std::string_view::npos) return true;
      return kind == Chars::AccountCyr && IsCyrillic(c);
    case Chars::Word:
      return c > 0x20 && c != 0x7F && c != '$' && c != '*' && c != '~';
    case Chars::Text:
      return c >= 0x20 && c != 0x7F && c != '$' && c != '~';
    case Chars::Decimal:
      return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',';
    case Chars::Address:
      return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == '.' ||
             c == ':' || c == 'X';
  }
  return false;
}

// Collects the fields of one request and remembers whether any was refused.
class Fields {
 public:
  explicit Fields(const Form& form) : form_(form) {}

  std::string Text(std::string_view key, size_t minLen, size_t maxLen, Chars kind) {
    const std::string* v = form_.Get(key);
    if (!v || v->size() < minLen || v->size() > maxLen) return Fail();
    for (unsigned char c : *v)
      if (!Allowed(c, kind)) return Fail();
    return *v;
  }

  // An optional text that may be missing or empty.
  std::string Optional(std::string_view key, size_t maxLen, Chars kind, std::string fallback) {
    const std::string* v = form_.Get(key);
    if (!v || v->empty()) return fallback;
    return Text(key, 1, maxLen, kind);
  }

  int64_t Integer(std::string_view key, int64_t lo, int64_t hi) {
    const std::string* v = form_.Get(key);
    int64_t n = 0;
    if (!v || v->empty() || v->size() > 20) return Fail(), 0;
    const char* end = v->data() + v->size();
    auto [p, ec] = std::from_chars(v->data(), end, n);
    if (ec != std::errc() || p != end || n < lo || n > hi) return Fail(), 0;
    return n;
  }

  double Real(std::string_view key) {
    std::string v = Text(key, 1, 30, Chars::Decimal);
    for (char& c : v)
      if (c == ',') c = '.';
    double d = 0;
    auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (!ok_ || ec != std::errc() || p != v.data() + v.size() || !std::isfinite(d) || std::fabs(d) > 1e12)
      return Fail(), 0.0;
    return d;
  }

  bool ok() const { return ok_; }

 private:
  std::string Fail() {
    ok_ = false;
    return {};
  }
  const Form& form_;
  bool ok_ = true;
};

constexpr int64_t kInt32Min = -2147483648LL, kInt32Max = 2147483647LL;

constexpr int kChatBoard = 100, kWindowsBoard = 808, kAndroidBoard = 908, kAccountBoard = 1108;

// Sums beyond what the game's 32-bit counters read are shown at their limit.
std::string Clamped32(int64_t n) { return std::to_string(std::clamp(n, kInt32Min, kInt32Max)); }

// The six-letter game prefix of keys like "crdtolkon", or nothing.
std::optional<std::string> GamePrefix(const Form& form, std::string_view suffix) {
  for (const auto& [key, value] : form.Pairs()) {
    if (key.size() != 6 + suffix.size() || key.compare(6, std::string::npos, suffix) != 0) continue;
    bool letters = true;
    for (int i = 0; i < 6; ++i) letters = letters && key[i] >= 'a' && key[i] <= 'z';
    if (letters) return key.substr(0, 6);
  }
  return std::nullopt;
}

// Profile keys as SaveProfile sends them, in the order ReadProfile answers.
const char* const kProfileKeys[kProfileFields] = {"namei",    "name2",    "about",   "telephone", "emailo",
                                                  "website",  "skype",    "ok",      "vk",        "telegram",
                                                  "facebook", "twitter",  "instagramm", "youtube"};
const size_t kProfileLimits[kProfileFields] = {20, 20, 50, 20, 50, 50, 50, 50, 50, 50, 60, 50, 50, 50};

}  // namespace

std::string DecimalText(double value) {
  if (std::fabs(value) < 0.00001) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

// --- kept replies -------------------------------------------------------------
namespace {
std::string KeyOf(Script script, std::string_view body) {
  std::string key(1, char(script));
  key += body;
  return key;
}
}  // namespace

std::optional<std::string> ReplyCache::Find(const std::string& key, Storage& db) const {
  std::shared_lock lock(m_);
  const auto it = entries_.find(key);
  if (it == entries_.end() || it->second.version != db.Version(it->second.kind)) return std::nullopt;
  return it->second.reply;
}

void ReplyCache::Keep(const std::string& key, Kept kind, int64_t version, const std::string& reply) {
  if (key.size() > kMaxKey) return;
  std::unique_lock lock(m_);
  if (entries_.size() >= kMaxEntries && !entries_.contains(key)) entries_.clear();
  entries_.insert_or_assign(key, Entry{kind, version, reply});
}

std::optional<std::string> Services::KeptReply(Script script, std::string_view body) const {
  if (body.size() + 1 > ReplyCache::kMaxKey) return std::nullopt;
  return kept_.Find(KeyOf(script, body), db_);
}

template <class Render>
std::string Services::KeepReply(Script script, std::string_view body, zarnet::services::Kept kind, Render render) {
  const int64_t version = db_.Version(kind);
  std::string reply = render();
  kept_.Keep(KeyOf(script, body), kind, version, reply);
  return reply;
}

// --- sessions -----------------------------------------------------------------
bool Services::Login(const std::string& nick, const std::string& pw, const Caller& caller, Account* out) {
  if (nick.empty() || pw.empty()) return false;
  const std::string nickKey = "n:" + NickKey(nick), addressKey = "a:" + caller.address;
  // A blocked key answers like a wrong password, without spending a hash on it.
  if (db_.LoginBlockedUntil(nickKey) >= caller.now || db_.LoginBlockedUntil(addressKey) >= caller.now) {
    std::fprintf(stderr, "zarnet-services: login of %s from %s refused while throttled\n", nick.c_str(),
                 caller.address.c_str());
    return false;
  }
  auto a = db_.FindAccount(nick);
  if (!a || !VerifyPassword(pw, a->pwHash)) {
    for (const std::string& key : {nickKey, addressKey})
      db_.LoginFailed(key, caller.now, config_.loginFreeFailures, config_.loginMaxWait);
    return false;
  }
  db_.LoginSucceeded(nickKey);
  db_.LoginSucceeded(addressKey);
  OpenSession(a->nick, caller);
  if (out) *out = *a;
  return true;
}

void Services::OpenSession(const std::string& nick, const Caller& caller) {
  db_.OpenSession(nick, caller.address, caller.now, caller.now + config_.sessionSeconds);
}

bool Services::HasSession(const std::string& nick, const Caller& caller) {
  return db_.UseSession(nick, caller.address, caller.now, caller.now + config_.sessionSeconds);
}

// --- accounts -----------------------------------------------------------------
std::string Services::Accounts(std::string_view body, const Caller& caller) {
  Form form(body);
  const bool list = form.Has("label0") || form.Has("labelinforead") || form.Has("labelkuvread") ||
                    (GamePrefix(form, "best") && !GamePrefix(form, "ses")) ||
                    (GamePrefix(form, "kon") && !form.Has("nick"));
  form.Decode(list);
  Fields in(form);

  if (form.Has("label0")) {  // ReadAccount
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    const std::string pw = in.Text("pw", 1, 64, Chars::Word);
    Account a;
    if (!in.ok() || !Login(nick, pw, caller, &a)) return kNo;
    return Record({F(a.city), F(a.country1), F(a.country2), F(a.sex), F(a.email), F(a.dater), F(a.r01),
                   F(a.r02), F(a.r03), std::to_string(a.r04), std::to_string(a.r05), std::to_string(a.r06)});
  }
  if (form.Has("label1")) return Number(db_.MemberCount());  // ReadMemberCount

  if (form.Has("labelinforead")) {  // ReadProfile
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    auto p = in.ok() ? db_.ReadProfile(nick) : std::nullopt;
    if (!p) return kNo;
    return Record(std::vector<std::string>(p->begin(), p->end()), '~');
  }
  if (form.Has("labelinfosave")) {  // SaveProfile: only by the owner, by password or session
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    const bool withPassword = form.Has("pw");
    const std::string pw = withPassword ? in.Text("pw", 1, 64, Chars::Word) : std::string();
    Profile p;
    for (int i = 0; i < kProfileFields; ++i) p[i] = in.Optional(kProfileKeys[i], kProfileLimits[i], Chars::Text, "");
    if (!in.ok() || !(withPassword ? Login(nick, pw, caller) : HasSession(nick, caller))) return kNo;
    return db_.SaveProfile(nick, p) ? kOk : kNo;
  }
  if (form.Has("labelkuvread")) {  // ReadBalance
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    auto a = in.ok() ? db_.FindAccount(nick) : std::nullopt;
    if (!a) return kNo;
    return "$" + std::to_string(a->r04) + "$\n";
  }
  if (form.Has("labelkuvsave")) {  // ChangeBalance: only a bonus the owner earned
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    const int64_t amount = in.Integer("R04", 10, 25);
    if (!in.ok() || !HasSession(nick, caller)) return kNo;
    return db_.ClaimBonus(nick, amount) ? kOk : kNo;
  }
  if (auto prefix = GamePrefix(form, "ses")) {  // SaveGameResults
    const std::string& p = *prefix;
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    const std::string pw = in.Text("pw", 1, 64, Chars::Word);
    GameResults r;
    r.kon = in.Integer(p + "kon", 0, kInt32Max);
    r.best = in.Integer(p + "best", kInt32Min, kInt32Max);
    r.rating = in.Real(p + "rating");
    r.ses = in.Integer(p + "ses", 0, kInt32Max);
    r.konl = in.Integer(p + "konl", 0, kInt32Max);
    r.score = in.Integer(p + "score", kInt32Min, kInt32Max);
    r.r1 = in.Integer(p + "R1", kInt32Min, kInt32Max);
    r.r2 = in.Optional(p + "R2", 20, Chars::Word, "#");
    if (!in.ok() || !Login(nick, pw, caller)) return kNo;
    return db_.SaveGameResults(nick, p, r) ? kOk : kNo;
  }
  if (auto prefix = GamePrefix(form, "best")) {  // ReadGameResults
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    const std::string pw = in.Text("pw", 1, 64, Chars::Word);
    if (!in.ok() || !Login(nick, pw, caller)) return kNo;
    auto r = db_.ReadGameResults(nick, *prefix);
    if (!r) return kNo;
    return Record({std::to_string(r->kon), std::to_string(r->best), DecimalText(r->rating),
                   std::to_string(r->ses), std::to_string(r->konl), std::to_string(r->score),
                   std::to_string(r->r1), F(r->r2)});
  }
  if (auto prefix = GamePrefix(form, "kon"); prefix && !form.Has("nick")) {  // ReadAccountTopTen
    return KeepReply(Script::Accounts, body, Kept::TopTen, [&] {
      std::string out;
      int place = 0;
      for (const TopAccount& t : db_.AccountTopTen(*prefix))
        out += ListItem({std::to_string(++place), F(t.nick), F(t.city), F(t.country), F(t.country), F(t.sex),
                         DecimalText(t.rating)});
      return out + "\n";
    });
  }
  if (auto prefix = GamePrefix(form, "rating"); prefix && !form.Has("nick")) {  // ReadRatingPlace
    const double rating = in.Real(*prefix + "rating");
    if (!in.ok()) return kNo;
    return Number(db_.RatingPlace(*prefix, rating));
  }
  if (form.Has("dater")) {  // RegisterAccount
    Account a;
    a.nick = in.Text("nick", 2, 12, Chars::Account);
    const std::string pw = in.Text("pw", 4, 12, Chars::Account);
    a.city = in.Text("city", 2, 15, Chars::AccountCyr);
    a.country1 = in.Text("country1", 1, 20, Chars::Word);
    a.country2 = in.Text("country2", 5, 5, Chars::Word);
    a.sex = in.Text("sex", 1, 1, Chars::Word);
    a.email = in.Text("email", 2, 30, Chars::Account);
    a.dater = in.Text("dater", 1, 10, Chars::Word);
    a.r01 = in.Optional("R01", 12, Chars::Word, "xxx");
    a.r02 = in.Optional("R02", 12, Chars::Word, "xxx");
    a.r03 = in.Optional("R03", 12, Chars::Word, "xxx");
    for (const char* k : {"R04", "R05", "R06"})
      if (form.Has(k)) in.Integer(k, kInt32Min, kInt32Max);
    const size_t at = a.email.find('@');
    if (!in.ok() || at == std::string::npos || at == 0 || at + 1 == a.email.size()) return kNo;
    // The balance starts at zero whatever the client sends.
    if (db_.FindAccount(a.nick)) return kIs;
    a.pwHash = HashPassword(pw);
    if (db_.CreateAccount(a) != CreateResult::Created) return kIs;
    OpenSession(a.nick, caller);  // the password was just given
    return kOk;
  }
  return kNo;
}

// --- record boards ----------------------------------------------------------
std::string Services::Tables(std::string_view body, const Caller& caller) {
  Form form(body);
  const bool list = form.Has("rgid") || !form.Has("nick");
  form.Decode(list);
  Fields in(form);

  if (form.Has("rgid")) {  // ReadGameCount
    const int board = int(in.Integer("rgid", 1, 99999));
    if (!in.ok()) return kNo;
    return KeepReply(Script::Tables, body, Kept::Records, [&] { return Number(db_.RecordCount(board)); });
  }
  const int board = int(in.Integer("gid", 1, 99999));
  if (!in.ok()) return kNo;

  auto listOf = [&](const std::vector<BoardRow>& rows) {
    std::string out;
    for (const BoardRow& r : rows)
      out += ListItem({std::to_string(r.place), std::to_string(board), std::to_string(r.score), F(r.nick),
                       F(r.country), F(r.city), F(r.r07), F(r.r08), F(r.r09), F(r.r10)});
    return out + "\n";
  };

  if (form.Has("score")) {  // SubmitRecord
    BoardRow r;
    r.nick = in.Text("nick", 1, 12, Chars::Word);
    r.city = in.Text("city", 1, 15, Chars::Word);
    r.country = in.Text("country", 1, 20, Chars::Word);
    r.score = in.Integer("score", kInt32Min, kInt32Max);
    r.r07 = in.Optional("R7", 2, Chars::Word, "#");
    r.r08 = in.Optional("R8", 8, Chars::Word, "#");
    r.r09 = in.Optional("R9", 60, Chars::Word, "#");
    // R10 comes with the '*' that ends its record in the lists.
    std::string r10 = form.Get("R10") ? *form.Get("R10") : std::string();
    if (!r10.empty() && r10.back() == '*') r10.pop_back();
    Form tail("R10=" + r10);
    Fields t(tail);
    r.r10 = r10.empty() ? "#" : t.Text("R10", 1, 80, Chars::Word);
    if (!in.ok() || !t.ok()) return kNo;
    const bool chat = board == kChatBoard;
    if (!chat && board != kWindowsBoard && board != kAndroidBoard && board != kAccountBoard) return kNo;
    if (!chat && (r.score < -kMaxBoardScore || r.score > kMaxBoardScore)) return kNo;
    // An account's nick is its owner's: only from an address with his session.
    // Other nicks are free names on the boards and in the chat.
    const bool account = db_.FindAccount(r.nick).has_value();
    if (account && !HasSession(r.nick, caller)) return kNo;
    if (board == kAccountBoard && (!account || !db_.TakeCycleEntry(r.nick))) return kNo;
    // A free nick is limited per address, so nobody silences a name he does
    // not own by posting under it from elsewhere; two programs behind one
    // address keep a limit each.
    const std::string poster = account ? "n:" + r.nick : "a:" + caller.address + " " + r.nick;
    if (chat && !db_.TryChatPost(poster, caller.now, config_.chatInterval)) return kNo;
    const int64_t place = db_.SubmitRecord(board, r, chat);
    // An account's top-ten place on its board earns the bonus the game then claims.
    if (board == kAccountBoard && place <= 10) db_.AddPendingBonus(r.nick, place == 1 ? 25 : 10);
    return Number(place);
  }
  if (form.Has("nick")) {  // ReadRecordsAround
    const std::string nick = in.Text("nick", 1, 12, Chars::Word);
    const std::string city = in.Text("city", 1, 15, Chars::Word);
    if (!in.ok()) return kNo;
    return KeepReply(Script::Tables, body, Kept::Records, [&] { return listOf(db_.RecordsAround(board, nick, city)); });
  }
  // ReadRecords
  return KeepReply(Script::Tables, body, Kept::Records, [&] { return listOf(db_.TopRecords(board)); });
}

// --- statistics -----------------------------------------------------------------
std::string Services::Statistics(std::string_view body, const Caller&) {
  Form form(body);
  const bool list = !form.Has("stat1") && !form.Has("stat3") && !form.Has("R1");
  form.Decode(list);
  Fields in(form);
  const int gid = int(in.Integer("gid", 1, 99999));
  std::array<int64_t, 12> none{};
  if (form.Has("stat1")) {  // SendLaunchReport
    const int64_t s1 = in.Integer("stat1", 0, 1), s2 = in.Integer("stat2", 0, 1);
    if (!in.ok()) return Status(false);
    db_.AddStats(gid, s1, s2, 0, nullptr, none);
    return Status(true);
  }
  if (form.Has("stat3")) {  // SendLike
    const int64_t s3 = in.Integer("stat3", 0, 1);
    const std::string nick = in.Text("stat4", 1, 12, Chars::Word);
    if (!in.ok()) return Status(false);
    db_.AddStats(gid, 0, 0, s3, &nick, none);
    return Status(true);
  }
  if (form.Has("R1")) {  // SendGameReport
    std::array<int64_t, 12> sums{};
    for (int i = 0; i < 12; ++i) sums[i] = in.Integer("R" + std::to_string(i + 1), 0, 1000000);
    if (!in.ok()) return Status(false);
    db_.AddStats(gid, 0, 0, 0, nullptr, sums);
    return Status(true);
  }
  if (!in.ok()) return kNo;
  return KeepReply(Script::Statistics, body, Kept::Statistics, [&] {  // ReadStatistics
    const GameStats s = db_.ReadStats(gid);
    std::vector<std::string> f = {Clamped32(s.starts), Clamped32(s.uniqueStarts), Clamped32(s.likes),
                                  F(s.lastLike)};
    for (int64_t x : s.sums) f.push_back(Clamped32(x));
    f.push_back(Clamped32(s.y));
    f.push_back(F(s.z));
    return ListItem(f) + "\n";
  });
}

// --- tournament -------------------------------------------------------------------
std::string Services::Tournament(std::string_view body, const Caller& caller) {
  Form form(body);
  const bool text = form.Has("clienton1") || form.Has("clienton2") || form.Has("readrating88") ||
                    form.Has("places88") || form.Has("placer88") || form.Has("placek88");
  form.Decode(!text);
  Fields in(form);
  const std::string gid = form.Get("gid") ? *form.Get("gid") : std::string();

  if (form.Has("readtable10")) {  // ReadTables: table 10 first
    if (*form.Get("readtable10") != "88" || gid != "88") return kNo;
    return KeepReply(Script::Tournament, body, Kept::Tournament, [&] {
      std::string out;
      for (int t = kTables; t >= 1; --t) {
        const auto seats = db_.ReadTable(t);
        const int free = (seats[1].nick == "X") + (seats[2].nick == "X");
        std::vector<std::string> f = {std::to_string(t), config_.tableAddress,
                                      std::to_string(config_.tablesBase + t), std::to_string(free), "0", "X"};
        for (int s = 1; s <= 2; ++s) {
          const Seat& x = seats[s];
          for (const std::string& v : {F(x.nick), std::to_string(x.score), std::to_string(x.kon),
                                       std::to_string(x.rating), F(x.country), F(x.city), F(x.sex), F(x.ip)})
            f.push_back(v);
        }
        out += ListItem(f);
      }
      return out + "\n";
    });
  }
  if (form.Has("readrating88")) {  // ReadTourRating
    const std::string nick = in.Text("nick", 1, 12, Chars::Account);
    if (!in.ok()) return kNo;
    const TourPlayer p = db_.TourRating(nick);
    return Record({std::to_string(p.score), std::to_string(p.kon), std::to_string(p.rating)});
  }
  for (const char kind : {'s', 'r', 'k'}) {
    const char* valueKey = kind == 's' ? "score1" : kind == 'r' ? "rating1" : "kon1";
    if (form.Has(std::string("place") + kind + "88")) {  // ReadTourPlace
      const int64_t value = in.Integer(valueKey, kInt32Min, kInt32Max);
      if (!in.ok()) return kNo;
      return Number(db_.TourPlace(kind, value));
    }
    if (form.Has(std::string("top10") + kind + "88")) {  // ReadTourTopTen
      return KeepReply(Script::Tournament, body, Kept::Tournament, [&] {
        std::string out;
        int place = 0;
        for (const TourPlayer& p : db_.TourTopTen(kind)) {
          const int64_t v = kind == 's' ? p.score : kind == 'r' ? p.rating : p.kon;
          out += ListItem({std::to_string(++place), F(p.nick), F(p.city), F(p.country), F(p.sex), std::to_string(v)});
        }
        return out + "\n";
      });
    }
  }
  if (gid != "88") return kNo;
  if (form.Has("serverinforead")) {  // ReadServerInfo
    const bool paused = std::filesystem::exists(config_.dataDir + "/TourPause");
    return Record({paused ? "N" : "Y", "Welcome_to_the_Zarnet_online_tournament!"});
  }
  for (int seat = 1; seat <= 2; ++seat) {
    const std::string n = std::to_string(seat);
    if (form.Has("clienton" + n)) {  // SetSeat
      const int table = int(in.Integer("num", 1, kTables));
      const int64_t can = in.Integer("can", 0, 2);
      Seat s;
      s.nick = in.Text("nick" + n, 1, 12, Chars::Account);
      in.Integer("score" + n, kInt32Min, kInt32Max);
      in.Integer("kon" + n, kInt32Min, kInt32Max);
      in.Integer("rating" + n, kInt32Min, kInt32Max);
      s.country = in.Text("country" + n, 1, 20, Chars::Word);
      s.city = in.Text("city" + n, 1, 15, Chars::AccountCyr);
      s.sex = in.Text("sex" + n, 1, 1, Chars::Word);
      s.ip = in.Text("ip" + n, 1, 45, Chars::Address);
      if (!in.ok()) return kNo;
      // Sitting down or leaving under a nick needs that player's session.
      if (can != 0 && s.nick != "X" && !HasSession(s.nick, caller)) return kNo;
      if (can == 1) {
        // Only registered players sit down.
        if (s.nick == "X" || !db_.FindAccount(s.nick)) return kNo;
        switch (db_.TakeSeat(table, seat, s, caller.address)) {
          case SeatResult::Ok: return kOk;
          case SeatResult::Taken: return kIs;
          case SeatResult::Refused: return kNo;
        }
      }
      // Leaving or freeing: only a player of this table, named by nick, or
      // the address that took one of its seats.
      const auto seats = db_.ReadTable(table);
      if (seats[seat].nick == "X") return kOk;
      bool allowed = false;
      for (int other = 1; other <= 2; ++other) {
        if (seats[other].nick == "X") continue;
        if (s.nick != "X") allowed = allowed || NickKey(s.nick) == NickKey(seats[other].nick);
        else allowed = allowed || db_.SeatHolder(table, other) == caller.address;
      }
      if (!allowed) return kNo;
      db_.FreeSeat(table, seat);
      return kOk;
    }
    if (form.Has("readclient" + n)) {  // ReadSeat
      const int table = int(in.Integer("num", 1, kTables));
      if (!in.ok()) return kNo;
      const Seat x = db_.ReadSeat(table, seat);
      return Record({F(x.nick), std::to_string(x.score), std::to_string(x.kon), std::to_string(x.rating),
                     F(x.country), F(x.city), F(x.sex), F(x.ip)});
    }
  }
  return kNo;
}

std::string Services::Directory(const std::string& base) const {
  std::string out = "WTGamesPatt=" + Encipher(base + "/tables", kAddressKey) + "#";
  out += "StatPath=" + Encipher(base + "/statistics", kAddressKey) + "#";
  out += "AccPath=" + Encipher(base + "/accounts", kAddressKey) + "#";
  if (std::filesystem::exists(config_.dataDir + "/WTGamesPause")) out += "WTGamesPause#";
  if (std::filesystem::exists(config_.dataDir + "/CTGamesPause")) out += "CTGamesPause#";
  return out + "\n";
}

}  // namespace zarnet::services
