#include "account.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "atomic_file.h"
#include "cipher.h"
#include "series.h"
#include "service_client.h"

namespace zarnet {
namespace {

bool Cyrillic(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

bool Allowed(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '!': case '(': case ')': case ',': case '-': case '.': case '@': case '_':
      return true;
    default:
      return Cyrillic(c);
  }
}

// 1 refused, 2 with Cyrillic, 3 plain; length and the Cyrillic rule apart.
int Scan(std::string_view text, size_t minLen, size_t maxLen, bool cyrillicAllowed) {
  if (text.size() < minLen || text.size() > maxLen) return 1;
  bool cyr = false;
  for (unsigned char c : text) {
    if (!Allowed(c)) return 1;
    cyr |= Cyrillic(c);
  }
  if (cyr && !cyrillicAllowed) return 1;
  return cyr ? 2 : 3;
}

// The built-in values, enciphered once: they are never held in plain after start.
std::string Held(std::string_view plain) { return Encipher(plain, kAddressKey); }
std::string Open(const std::string& held) { return Decipher(held, kAddressKey).value_or(""); }

}  // namespace

int CheckAccountField(std::string_view text, int kind) {
  if (text.empty()) return 1;
  switch (kind) {
    case 0: return text.size() == 1 && Allowed(static_cast<unsigned char>(text[0])) ? 3 : 1;
    case 1: return Scan(text, 2, 12, false);
    case 2: return Scan(text, 2, 15, true);
    case 3: return Scan(text, 4, 12, false);
    case 4: {
      const int r = Scan(text, 2, 30, false);
      const size_t at = text.find('@');
      if (r == 1 || at == std::string_view::npos || at == 0) return 1;
      // "@" anywhere from the second character on, but not as the last.
      if (text.back() == '@') return 1;
      return r;
    }
    default: return 1;
  }
}

int CheckNameField(std::string_view text, int kind) {
  if (text.empty()) return 1;
  if (kind == 0) return CheckAccountField(text, 0);
  return Scan(text, 2, kind == 1 ? 12 : 15, true);
}

std::string CountryCode(int continent, int index) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d-%03d", continent, index);
  return buf;
}

bool ParseCountryCode(std::string_view code, int* continent, int* index) {
  if (code.size() != 5 || code[1] != '-') return false;
  for (size_t i : {0u, 2u, 3u, 4u})
    if (code[i] < '0' || code[i] > '9') return false;
  const int c = code[0] - '0';
  const int n = (code[2] - '0') * 100 + (code[3] - '0') * 10 + (code[4] - '0');
  if (c < 1 || c > kContinents || n >= CountryCount(c)) return false;
  *continent = c;
  *index = n;
  return true;
}

std::string CountryCodeByName(std::string_view name) {
  if (name.empty()) return {};
  for (int c = 1; c <= kContinents; ++c)
    for (int n = 1; n < CountryCount(c); ++n) {
      const Country& k = CountryAt(c, n);
      if (name == k.shortName || name == k.english) return CountryCode(c, n);
    }
  return {};
}

// --- User file ---

std::string UserFilePath(const std::string& programFolder) {
  std::filesystem::path p(programFolder);
  if (!p.has_filename()) p = p.parent_path();  // a trailing separator
  return (p.parent_path() / kUserFileName).string();
}

std::optional<RememberedLogin> ReadUserFile(const std::string& path) {
  const auto text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  const auto lines = SplitLines(*text);
  if (lines.size() < 3 || lines[0] != kUserFileHeader) return std::nullopt;
  return RememberedLogin{lines[1], lines[2]};
}

bool WriteUserFile(const std::string& path, const RememberedLogin& login) {
  return ReplaceFile(path, std::string(kUserFileHeader) + "\r\n" + login.nick + "\r\n" + login.pwC + "\r\n");
}

bool DeleteUserFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return !std::filesystem::exists(path, ec);
}

std::string EncipherPassword(std::string_view pw) { return Encipher(pw, kUserFileKey); }
std::string DecipherPassword(std::string_view pwC) { return Decipher(pwC, kUserFileKey).value_or(""); }

// --- Addresses ---

BuiltInAddresses DefaultAddresses() {
  static const std::string base = Held("http://127.0.0.1:8088/");
  const std::string b = Open(base);
  BuiltInAddresses a;
  a.scripts = {b + "accounts", b + "statistics", b + "tables"};
  a.tournament = b + "tournament";
  a.directory = b + "directory";
  a.avatars = b + "avatars/";
  a.ownAddress = b + "get_ip.php";
  static const std::string user = Held("zarnetphoto"), pw = Held("Kv7-photo-up");
  a.ftpHost = "127.0.0.1";
  a.ftpPort = 2121;
  a.ftpUser = Open(user);
  a.ftpPassword = Open(pw);
  a.ftpFolder = "/";
  return a;
}

ServiceDirectory ApplyDirectory(BuiltInAddresses* a, int readTimeoutMs) {
  ServiceDirectory flags;
  auto fetch = [&]() -> std::optional<ServiceDirectory> {
    const HttpReply r = HttpGet(a->directory, readTimeoutMs);
    if (!r.ok) return std::nullopt;
    return ParseServiceDirectory(r.body);
  };
  auto use = [](const std::optional<std::string>& held, std::string* target) {
    if (!held) return;
    const auto plain = Decipher(*held, kAddressKey);
    if (plain && !plain->empty()) *target = *plain;
  };
  if (auto d = fetch()) {
    flags.worldTopTenPaused = d->worldTopTenPaused;
    flags.chatPaused = d->chatPaused;
    if (!d->worldTopTenPaused) use(d->tablesAddress, &a->scripts.tables);
  }
  if (auto d = fetch()) use(d->statisticsAddress, &a->scripts.statistics);
  if (auto d = fetch()) use(d->accountsAddress, &a->scripts.accounts);
  return flags;
}

// --- Session ---

void AccountSession::SetPassword(const std::string& pw) {
  User.Pw = pw;
  User.PwC = EncipherPassword(pw);
}

void AccountSession::PutRegistrationDefaults() {
  User.City.clear();
  User.Country2 = "1-001";
  User.Country1 = "Russia";
  User.Sex = 'M';
  User.EMail.clear();
  User.DateR = "00.00.0000";
}

void AccountSession::StartUpLogin() {
  State = AccountState::Guest;
  const auto login = ReadUserFile(userFile_);
  if (!login) return;
  std::string pw = DecipherPassword(login->pwC);
  for (char& c : pw)
    if (c == ' ' || c == '#' || c == '$') c = '-';
  TKuvUser u;
  u.Nick = login->nick;
  u.Pw = pw;
  const bool ok = web_.ReadAccount(&u);
  u.Info = User.Info;
  User = u;
  SetPassword(pw);
  if (ok) State = AccountState::LoggedIn;
}

int AccountSession::CreateAccount(const std::string& today) {
  User.DateR = today;
  User.R01 = User.R02 = User.R03 = "xxx";
  User.R04 = User.R05 = User.R06 = 0;
  const int result = web_.RegisterAccount(User);
  if (result != 0) {
    State = AccountState::Guest;
    User.DateR = "00.00.0000";
    return result;
  }
  State = AccountState::LoggedIn;
  ReadMembers();
  TKuvUser u = User;
  if (web_.ReadAccount(&u)) {
    u.Info = User.Info;
    User = u;
  }
  AfterLogin();
  return 0;
}

void AccountSession::AfterLogin() {
  RefreshMyResults();
  User.Info = web_.ReadProfile(User.Nick);
}

bool AccountSession::LoginOrLogout() {
  if (LoggedIn()) {
    State = AccountState::Guest;
    User.R04 = User.R05 = User.R06 = 0;
    return true;
  }
  TKuvUser u;
  u.Nick = User.Nick;
  u.Pw = User.Pw;
  if (!web_.ReadAccount(&u)) {
    ResultsRead = false;
    Members = -1;
    return false;
  }
  State = AccountState::LoggedIn;
  u.Info = User.Info;
  User = u;
  SetPassword(u.Pw);
  AfterLogin();
  ReadMembers();
  ReadTopProfile();
  return true;
}

bool AccountSession::RememberLogin() { return WriteUserFile(userFile_, {User.Nick, User.PwC}); }
bool AccountSession::ForgetLogin() { return DeleteUserFile(userFile_); }
bool AccountSession::UserFileExists() const { return std::filesystem::exists(userFile_); }

void AccountSession::RefreshMyResults() {
  if (!LoggedIn()) return;
  TKuvGame g = Game;
  ResultsRead = web_.ReadGameResults(User.Nick, User.Pw, &g);
  const long long place = ResultsRead ? web_.ReadRatingPlace(g.Rating) : -1;
  g.Place = place > 0 ? static_cast<int32_t>(place) : 0;
  Game = g;
}

bool AccountSession::RefreshTopTen() {
  TopRead = web_.ReadAccountTopTen(&Top);
  return TopRead;
}

void AccountSession::ReadMembers() { Members = web_.ReadMemberCount(); }

void AccountSession::ReadTopProfile() {
  TopInfo = Top[1].Nick.empty() ? TInfo14{} : web_.ReadProfile(Top[1].Nick);
}

void AccountSession::SetRatedPlay(bool on) {
  if (!RatedPlayAllowed()) return;
  State = on ? AccountState::RatedPlay : AccountState::LoggedIn;
}

bool AccountSession::BookRatedStart() {
  TKuvGame read = Game;
  if (!web_.ReadGameResults(User.Nick, User.Pw, &read)) return false;
  TKuvGame booked = read;
  BookAccountStart(booked);
  bool saved = false;
  for (int attempt = 0; attempt < 3 && !saved; ++attempt)
    saved = web_.SaveGameResults(User.Nick, User.Pw, booked);
  if (!saved) return false;
  // The series counts from the values read; the charge stays on the server.
  Game = read;
  ResultsRead = true;
  RatedRunning = true;
  return true;
}

bool AccountSession::ReadForSettlement(TKuvGame* g) {
  for (;;) {
    TKuvGame read = *g;
    if (web_.ReadGameResults(User.Nick, User.Pw, &read)) {
      read.Place = g->Place;
      *g = read;
      return true;
    }
    if (!ask.repeatAfterNoConnection || !ask.repeatAfterNoConnection()) return false;
  }
}

bool AccountSession::WriteSettlement(const TKuvGame& g) {
  for (;;) {
    if (web_.SaveGameResults(User.Nick, User.Pw, g)) return true;
    if (!ask.repeatAfterNoConnection || !ask.repeatAfterNoConnection()) return false;
  }
}

void AccountSession::EndRatedSeries() {
  RatedRunning = false;
  if (State == AccountState::RatedPlay) State = AccountState::LoggedIn;
}

void AccountSession::CreditBonus(int amount) {
  web_.ChangeBalance(User.Nick, amount);
  const long long balance = web_.ReadBalance(User.Nick);
  if (balance >= 0) User.R04 = static_cast<int32_t>(balance);
}

// --- Information dial ---

int DialMode(int minute) { return ((minute % 7) + 7) % 7 + 1; }

std::string DialCount(long long n) {
  if (n > 999999999) return std::to_string(n / 1000000000) + "G";
  if (n > 999999) return std::to_string(n / 1000000) + "M";
  if (n > 999) return std::to_string(n / 1000) + "K";
  return std::to_string(n);
}

long long DialIq(long long won, long long lost) {
  if (won + lost == 0) return 0;
  return std::llround(100.0 * static_cast<double>(lost) / static_cast<double>(won + lost));
}

DialReading ReadDial(int mode, AccountSession& s, const DialLabels& l) {
  DialReading d;
  WebServices& web = s.Web();
  auto fail = [&](std::string hint, const std::string& sep) {
    d.failed = true;
    d.figure = "00";
    d.hint = hint + (sep.empty() && !hint.empty() && hint.back() != ' ' ? " " : sep) + l.noConnect;
    return d;
  };
  if (mode == 6 && !s.LoggedIn()) mode = 7;
  switch (mode) {
    case 1:
    case 2: {
      TKuvStat st;
      const std::string hint = mode == 1 ? l.iq : l.gamesPc;
      if (!web.ReadStatistics(kServiceGame, &st)) return fail(hint, ": ");
      d.hint = hint;
      d.figure = mode == 1 ? std::to_string(DialIq(st.StatX[3], st.StatX[4])) : DialCount(st.StatX[1]);
      return d;
    }
    case 3:
    case 4:
    case 5: {
      const int board = mode == 3 ? 808 : mode == 4 ? 908 : 1108;
      const std::string& label = mode == 3 ? l.bestWindows : mode == 4 ? l.bestAndroid : l.bestAccount;
      RecordList list;
      if (!web.ReadRecords(board, &list)) return fail(label, "");
      const TKuvRecord& top = list[1];
      const bool empty = top.Place == 0 || top.Nick.empty() || top.Nick == "#";
      d.hint = label + (empty ? l.no : top.Nick);
      d.figure = std::to_string(empty ? 0 : top.Score);
      if (mode == 3 && !empty) d.flagCode = top.Country;
      return d;
    }
    case 6: {
      const long long b = web.ReadBalance(s.User.Nick);
      if (b < 0) return fail(l.currency, "");
      d.hint = l.currency;
      d.figure = DialCount(b);
      return d;
    }
    default: {
      const long long n = web.ReadMemberCount();
      if (n < 0) return fail(l.members, "");
      d.hint = l.members;
      d.figure = DialCount(n);
      return d;
    }
  }
}

}  // namespace zarnet
