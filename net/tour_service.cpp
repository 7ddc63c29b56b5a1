#include "tour_service.h"

#include "cipher.h"

#include "number_text.h"

namespace zarnet {

std::string TournamentAddress() {
  // Kept enciphered like the other service addresses.
  static constexpr const char* kStored = "IgFVjIl43X5Ja9HnNyseFzAHKKUDvZerrZfMjK2HR3i";
  return Decipher(kStored, kTournamentKey).value_or(std::string());
}
namespace {

const std::string kGid = "88";

bool Int(const std::string& text, int32_t* v) {
  const auto n = ReadInteger(text);
  if (!n) return false;
  *v = static_cast<int32_t>(*n);
  return true;
}

// The list pairs of this service go with an empty line between them.
std::string SpacedList(const FormPairs& pairs) {
  FormPairs spaced;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (i > 0) spaced.push_back({"", ""});
    spaced.push_back(pairs[i]);
  }
  return ListFormBody(spaced);
}

}  // namespace

std::string ReadTablesBody() { return SpacedList({{"readtable10", kGid}, {"gid", kGid}}); }

std::string ReadServerInfoBody() { return SpacedList({{"serverinforead", "0"}, {"gid", kGid}}); }

std::string SetSeatBody(int table, int seat, int can, const TKuvClient& c) {
  const std::string s = std::to_string(seat);
  return TextFormBody({{"client" + std::string("on") + s, "0"},
                       {"gid", kGid},
                       {"num", std::to_string(table)},
                       {"can", std::to_string(can)},
                       {"nick" + s, c.Nick},
                       {"score" + s, std::to_string(c.Score)},
                       {"kon" + s, std::to_string(c.Kon)},
                       {"rating" + s, std::to_string(c.Rating)},
                       {"country" + s, c.Country},
                       {"city" + s, c.City},
                       {"sex" + s, std::string(1, c.Sex)},
                       {"ip" + s, c.IP}});
}

std::string ReadSeatBody(int table, int seat) {
  return SpacedList(
      {{"readclient" + std::to_string(seat), "0"}, {"gid", kGid}, {"num", std::to_string(table)}});
}

std::string ReadTourRatingBody(const std::string& nick) {
  return TextFormBody({{"readrating" + kGid, "0"}, {"nick", nick}});
}

std::string ReadTourPlaceBody(char kind, long long value) {
  const char* key = kind == 's' ? "score1" : kind == 'r' ? "rating1" : "kon1";
  return TextFormBody({{"place" + std::string(1, kind) + kGid, "0"}, {key, std::to_string(value)}});
}

std::string ReadTourTopTenBody(char kind) {
  return SpacedList({{"top10" + std::string(1, kind) + kGid, "0"}, {"nick", "z"}});
}

bool ParseTables(std::string_view reply, TableList* tables) {
  *tables = TableList{};
  const auto records = ParseRecordList(reply);
  for (size_t r = 0; r < records.size() && r < 10; ++r) {
    const auto& f = records[r];
    TKuvTable& t = (*tables)[10 - r];
    auto field = [&](size_t n) -> const std::string* { return n <= f.size() ? &f[n - 1] : nullptr; };
    if (auto v = field(2)) t.IP = *v;
    if (auto v = field(3); v && !Int(*v, &t.Port)) return false;
    if (auto v = field(4)) t.Free = *v;
    if (auto v = field(5); v && !Int(*v, &t.R1)) return false;
    if (auto v = field(6)) t.R2 = *v;
    for (int s = 1; s <= 2; ++s) {
      const size_t base = 7 + (s - 1) * 8;
      TKuvSeat& seat = t.Seat[s];
      if (auto v = field(base)) seat.Nick = *v;
      if (auto v = field(base + 1); v && !Int(*v, &seat.Score)) return false;
      if (auto v = field(base + 2); v && !Int(*v, &seat.Kon)) return false;
      if (auto v = field(base + 3); v && !Int(*v, &seat.Rating)) return false;
      if (auto v = field(base + 4)) seat.Country = *v;
      if (auto v = field(base + 5)) seat.City = *v;
      if (auto v = field(base + 6)) seat.Sex = *v;
      if (auto v = field(base + 7)) seat.IP = *v;
    }
  }
  return true;
}

void ParseServerInfo(std::string_view reply, char* status, std::string* welcome) {
  *status = 'X';
  welcome->clear();
  const auto f = ParseRecord(reply);
  if (!f.empty() && !f[0].empty()) *status = f[0][0];
  if (f.size() >= 2) *welcome = f[1];
}

int SetSeatResult(std::string_view reply) {
  const ReplyTokens t = ParseTokens(reply);
  return t.is ? 2 : t.ok ? 0 : 1;
}

bool ParseSeat(std::string_view reply, TKuvClient* c) {
  c->Nick.clear();
  c->Rating = 0;
  c->Country.clear();
  c->City.clear();
  c->Sex = 'M';
  const auto f = ParseRecord(reply);
  if (f.size() >= 1) c->Nick = f[0];
  if (f.size() >= 2 && !Int(f[1], &c->Score)) return false;
  if (f.size() >= 3 && !Int(f[2], &c->Kon)) return false;
  if (f.size() >= 4 && !Int(f[3], &c->Rating)) return false;
  if (f.size() >= 5) c->Country = f[4];
  if (f.size() >= 6) c->City = f[5];
  if (f.size() >= 7 && !f[6].empty()) c->Sex = f[6][0];
  if (f.size() >= 8) c->IP = f[7];
  return true;
}

int ParseTourRating(std::string_view reply, int32_t* kon, int32_t* rating, bool* ok) {
  const auto f = ParseRecord(reply);
  int32_t score = -1;
  if (ok) *ok = false;
  if (f.empty() || !Int(f[0], &score)) return -1;
  if (ok) *ok = true;
  if (f.size() >= 2) Int(f[1], kon);
  if (f.size() >= 3) Int(f[2], rating);
  return score;
}

bool ParseTourTopTen(std::string_view reply, std::array<TKuvRecord, 11>* top) {
  *top = {};
  for (TKuvRecord& e : *top) e.Nick = e.City = e.Country = e.R07 = "";
  const auto records = ParseRecordList(reply);
  // Ten rows at most; a longer reply must not run past them.
  for (size_t r = 0; r < records.size() && r < 10; ++r) {
    const auto& f = records[r];
    TKuvRecord& e = (*top)[r + 1];
    if (f.size() >= 1 && !Int(f[0], &e.Place)) return false;
    if (f.size() >= 2) e.Nick = f[1];
    if (f.size() >= 3) e.City = f[2];
    if (f.size() >= 4) e.Country = f[3];
    if (f.size() >= 5) e.R07 = f[4];
    if (f.size() >= 6 && !Int(f[5], &e.Score)) return false;
  }
  return true;
}

HttpReply TourService::Post(const std::string& body) {
  client_.SetUserAgent("KuvSpecAccess");
  return client_.PostForm(address_, body);
}

bool TourService::ReadTables(TableList* tables) {
  *tables = TableList{};
  client_.SetReadTimeoutMs(3000);
  const HttpReply r = Post(ReadTablesBody());
  if (!r.ok) return false;
  TableList parsed;
  if (!ParseTables(r.body, &parsed)) return false;
  *tables = parsed;
  return true;
}

bool TourService::ReadServerInfo(char* status, std::string* welcome) {
  *status = 'X';
  welcome->clear();
  const HttpReply r = Post(ReadServerInfoBody());
  if (!r.ok) return false;
  ParseServerInfo(r.body, status, welcome);
  return true;
}

int TourService::SetSeat(int table, int seat, int can, const TKuvClient& client) {
  const HttpReply r = Post(SetSeatBody(table, seat, can, client));
  return r.ok ? SetSeatResult(r.body) : 1;
}

bool TourService::ReadSeat(int table, int seat, TKuvClient* client) {
  const HttpReply r = Post(ReadSeatBody(table, seat));
  if (!r.ok) {
    ParseSeat("", client);
    return false;
  }
  return ParseSeat(r.body, client);
}

int TourService::ReadTourRating(const std::string& nick, int32_t* kon, int32_t* rating, bool* ok) {
  if (ok) *ok = false;
  const HttpReply r = Post(ReadTourRatingBody(nick));
  return r.ok ? ParseTourRating(r.body, kon, rating, ok) : -1;
}

int TourService::ReadTourPlace(char kind, long long value) {
  const HttpReply r = Post(ReadTourPlaceBody(kind, value));
  if (!r.ok) return -1;
  const auto n = ParseNumber(r.body);
  return n ? static_cast<int>(*n) : -1;
}

bool TourService::ReadTourTopTen(char kind, std::array<TKuvRecord, 11>* top) {
  *top = {};
  const HttpReply r = Post(ReadTourTopTenBody(kind));
  return r.ok && ParseTourTopTen(r.body, top);
}

}  // namespace zarnet
