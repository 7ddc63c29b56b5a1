#include "service_requests.h"

#include "number_text.h"

namespace zarnet {
namespace {

std::string P(const char* key) { return std::string(kGamePrefix) + key; }
std::string N(long long v) { return std::to_string(v); }

int32_t IntOr(const std::string& text, int32_t fallback) {
  const auto v = ReadInteger(text);
  return v ? static_cast<int32_t>(*v) : fallback;
}

// The profile texts cannot carry the reply's own markers.
std::string ProfileText(std::string s) {
  for (char& c : s)
    if (c == '$' || c == '~') c = ' ';
  return s;
}

long long NumberOr(const HttpReply& r) {
  if (!r.ok) return -1;
  const auto n = ParseNumber(r.body);
  return n ? *n : -1;
}

}  // namespace

HttpReply WebServices::Post(const std::string& url, const std::string& body) {
  client_.SetUserAgent("KuvSpecAccess");
  return client_.PostForm(url, body);
}

int WebServices::RegisterAccount(const TKuvUser& u) {
  const HttpReply r = Post(addr_.accounts,
                           TextFormBody({{"nick", u.Nick}, {"pw", u.Pw}, {"city", u.City},
                                         {"country1", u.Country1}, {"country2", u.Country2},
                                         {"sex", std::string(1, u.Sex)}, {"email", u.EMail},
                                         {"dater", u.DateR}, {"R01", "xxx"}, {"R02", "xxx"},
                                         {"R03", "xxx"}, {"R04", N(u.R04)}, {"R05", N(u.R05)},
                                         {"R06", N(u.R06)}}));
  if (!r.ok) return 2;
  const ReplyTokens t = ParseTokens(r.body);
  return t.is ? 1 : t.ok ? 0 : 2;
}

void ApplyAccountRecord(std::string_view reply, TKuvUser* u) {
  const auto f = ParseRecord(reply);
  std::string* texts[] = {&u->City, &u->Country1, &u->Country2, nullptr, &u->EMail,
                          &u->DateR, &u->R01,     &u->R02,      &u->R03};
  for (size_t i = 0; i < f.size() && i < 12; ++i) {
    if (i == 3) {
      if (!f[i].empty()) u->Sex = f[i][0];
    } else if (i < 9) {
      *texts[i] = f[i];
    } else {
      int32_t* ints[] = {&u->R04, &u->R05, &u->R06};
      *ints[i - 9] = IntOr(f[i], *ints[i - 9]);
    }
  }
}

bool WebServices::ReadAccount(TKuvUser* u) {
  u->City = u->Country1 = u->Country2 = u->EMail = u->R01 = u->R02 = u->R03 = "#";
  u->Sex = '#';
  u->DateR = "00.00.0000";
  u->R04 = u->R05 = u->R06 = 0;
  const HttpReply r =
      Post(addr_.accounts, ListFormBody({{"nick", u->Nick}, {"pw", u->Pw}, {"label0", "0"}}));
  if (!r.ok || ParseTokens(r.body).no) return false;
  ApplyAccountRecord(r.body, u);
  return true;
}

void ApplyTopTen(std::string_view reply, TopTenList* top) {
  const auto records = ParseRecordList(reply);
  for (size_t i = 0; i < records.size(); ++i) {
    const auto& f = records[i];
    TKuvTop10& e = (*top)[i + 1];
    if (f.size() >= 2) e.Nick = f[1];
    if (f.size() >= 3) e.City = f[2];
    if (f.size() >= 4) e.Country = f[3];
    if (f.size() >= 5) e.Country = f[4];
    if (f.size() >= 6 && !f[5].empty()) e.Sex = f[5][0];
    if (f.size() >= 7) e.Rating = ReadDecimal(f[6]).value_or(e.Rating);
  }
}

bool WebServices::ReadAccountTopTen(TopTenList* top) {
  *top = TopTenList{};
  const HttpReply r = Post(addr_.accounts, ListFormBody({{P("kon"), "0"}}));
  if (!r.ok) return false;
  ApplyTopTen(r.body, top);
  return true;
}

long long WebServices::ReadRatingPlace(double rating) {
  return NumberOr(Post(addr_.accounts, TextFormBody({{P("rating"), ServiceReal(rating)}})));
}

long long WebServices::ReadMemberCount() {
  return NumberOr(Post(addr_.accounts, TextFormBody({{"label1", "0"}})));
}

TInfo14 ProfileFromReply(std::string_view reply) {
  TInfo14 p;
  if (ParseTokens(reply).no) return p;
  const auto f = ParseRecord(reply, '~');
  std::string* fields[] = {&p.Name1, &p.Name2, &p.About,   &p.Telephone, &p.EMailO,
                           &p.WebSite, &p.Skype, &p.OK,    &p.VK,        &p.Telegram,
                           &p.FaceBook, &p.Twitter, &p.Instagramm, &p.YouTube};
  for (size_t i = 0; i < f.size() && i < 14; ++i) *fields[i] = f[i];
  return p;
}

TInfo14 WebServices::ReadProfile(const std::string& nick) {
  const HttpReply r =
      Post(addr_.accounts, ListFormBody({{"nick", nick}, {"labelinforead", "0"}}));
  return r.ok ? ProfileFromReply(r.body) : TInfo14{};
}

bool WebServices::SaveProfile(const std::string& nick, const std::string& pw, const TInfo14& i) {
  const HttpReply r = Post(
      addr_.accounts,
      TextFormBody({{"nick", nick}, {"pw", pw}, {"labelinfosave", "0"}, {"namei", ProfileText(i.Name1)},
                    {"name2", ProfileText(i.Name2)}, {"about", ProfileText(i.About)},
                    {"telephone", ProfileText(i.Telephone)}, {"emailo", ProfileText(i.EMailO)},
                    {"website", ProfileText(i.WebSite)}, {"skype", ProfileText(i.Skype)},
                    {"ok", ProfileText(i.OK)}, {"vk", ProfileText(i.VK)},
                    {"telegram", ProfileText(i.Telegram)}, {"facebook", ProfileText(i.FaceBook)},
                    {"twitter", ProfileText(i.Twitter)},
                    {"instagramm", ProfileText(i.Instagramm)},
                    {"youtube", ProfileText(i.YouTube)}}));
  return r.ok && ParseTokens(r.body).ok;
}

void ApplyGameResults(std::string_view reply, TKuvGame* g) {
  const auto f = ParseRecord(reply);
  if (f.size() >= 1) g->Kon = IntOr(f[0], g->Kon);
  if (f.size() >= 2) g->Best = IntOr(f[1], g->Best);
  if (f.size() >= 3) g->Rating = ReadDecimal(f[2]).value_or(g->Rating);
  if (f.size() >= 4) g->Sessions = IntOr(f[3], g->Sessions);
  if (f.size() >= 5) g->KonL = IntOr(f[4], g->KonL);
  if (f.size() >= 6) g->Score = IntOr(f[5], g->Score);
  if (f.size() >= 7) g->R1 = IntOr(f[6], g->R1);
  if (f.size() >= 8) g->R2 = f[7];
}

bool WebServices::ReadGameResults(const std::string& nick, const std::string& pw, TKuvGame* g) {
  g->Kon = g->Score = g->Sessions = 0;
  g->Rating = 0.0;
  g->PlayNow = 'N';
  g->R1 = 0;
  g->R2 = "#";
  const HttpReply r =
      Post(addr_.accounts, ListFormBody({{"nick", nick}, {"pw", pw}, {P("best"), "0"}}));
  if (!r.ok || ParseTokens(r.body).no) return false;
  ApplyGameResults(r.body, g);
  return true;
}

bool WebServices::SaveGameResults(const std::string& nick, const std::string& pw,
                                  const TKuvGame& g) {
  const HttpReply r = Post(
      addr_.accounts,
      TextFormBody({{"nick", nick}, {"pw", pw}, {P("kon"), N(g.Kon)}, {P("best"), N(g.Best)},
                    {P("rating"), ServiceReal(g.Rating)}, {P("ses"), N(g.Sessions)},
                    {P("konl"), N(g.KonL)}, {P("score"), N(g.Score)}, {P("R1"), N(g.R1)},
                    {P("R2"), g.R2}}));
  return r.ok && ParseTokens(r.body).ok;
}

long long WebServices::ReadBalance(const std::string& nick) {
  const HttpReply r = Post(addr_.accounts, ListFormBody({{"nick", nick}, {"labelkuvread", "0"}}));
  if (!r.ok || ParseTokens(r.body).no) return -1;
  const auto text = ParseDollarText(r.body);
  const auto n = text ? ReadInteger(*text) : std::nullopt;
  return n ? *n : -1;
}

bool WebServices::ChangeBalance(const std::string& nick, int amount) {
  const HttpReply r = Post(addr_.accounts,
                           TextFormBody({{"nick", nick}, {"labelkuvsave", "0"}, {"R04", N(amount)}}));
  return r.ok && ParseTokens(r.body).ok;
}

long long WebServices::ReadGameCount(int board) {
  return NumberOr(Post(addr_.tables, ListFormBody({{"rgid", N(board)}})));
}

bool ApplyRecordList(std::string_view reply, int board, RecordList* list) {
  *list = RecordList{};
  for (TKuvRecord& e : *list) e.GID = board;
  const auto records = ParseRecordList(reply);
  for (size_t i = 0; i < records.size(); ++i) {
    const auto& f = records[i];
    TKuvRecord& e = (*list)[i + 1];
    if (f.size() >= 1) e.Place = IntOr(f[0], e.Place);
    if (f.size() >= 3) e.Score = IntOr(f[2], e.Score);
    std::string* texts[] = {&e.Nick, &e.Country, &e.City, &e.R07, &e.R08, &e.R09, &e.R10};
    for (size_t k = 3; k < f.size() && k < 10; ++k) *texts[k - 3] = f[k];
  }
  return true;
}

bool WebServices::ReadRecords(int board, RecordList* list) {
  ApplyRecordList("", board, list);
  client_.SetReadTimeoutMs(3000);
  const HttpReply r = Post(addr_.tables, ListFormBody({{"gid", N(board)}}));
  return r.ok && ApplyRecordList(r.body, board, list);
}

bool WebServices::ReadRecordsAround(int board, const std::string& nick, const std::string& city,
                                    RecordList* list) {
  ApplyRecordList("", board, list);
  client_.SetReadTimeoutMs(3000);
  const HttpReply r =
      Post(addr_.tables, TextFormBody({{"gid", N(board)}, {"nick", nick}, {"city", city}}));
  return r.ok && ApplyRecordList(r.body, board, list);
}

long long WebServices::SubmitRecord(int board, const TKuvRecord& e) {
  return NumberOr(Post(addr_.tables, TextFormBody({{"gid", N(board)}, {"nick", e.Nick},
                                                   {"city", e.City}, {"country", e.Country},
                                                   {"score", N(e.Score)}, {"R7", e.R07},
                                                   {"R8", kVersionStamp}, {"R9", e.R09},
                                                   {"R10", e.R10 + "*"}})));
}

void ApplyStatistics(std::string_view reply, TKuvStat* s) {
  const auto records = ParseRecordList(reply);
  if (records.empty()) return;
  const auto& f = records[0];
  int32_t* firsts[] = {&s->Stat1, &s->Stat2, &s->Stat3};
  for (size_t i = 0; i < f.size() && i < 3; ++i) *firsts[i] = IntOr(f[i], *firsts[i]);
  if (f.size() >= 4) s->Stat4 = f[3];
  for (size_t i = 4; i < f.size() && i < 16; ++i) s->StatX[i - 3] = IntOr(f[i], 0);
  if (f.size() >= 17) s->StatY = IntOr(f[16], 0);
  if (f.size() >= 18) s->StatZ = f[17];
}

bool WebServices::ReadStatistics(int game, TKuvStat* s) {
  *s = TKuvStat{};
  s->GID = game;
  client_.SetReadTimeoutMs(3000);
  const HttpReply r = Post(addr_.statistics, ListFormBody({{"gid", N(game)}}));
  if (!r.ok) return false;
  ApplyStatistics(r.body, s);
  return true;
}

bool WebServices::SendLaunchReport(int stat1, int stat2) {
  const HttpReply r = Post(addr_.statistics, TextFormBody({{"gid", N(kServiceGame)},
                                                           {"stat1", N(stat1)},
                                                           {"stat2", N(stat2)}}));
  return r.ok && ParseStatus(r.body);
}

bool WebServices::SendLike(int stat3, const std::string& nick) {
  const HttpReply r = Post(addr_.statistics, TextFormBody({{"gid", N(kServiceGame)},
                                                           {"stat3", N(stat3)},
                                                           {"stat4", nick}}));
  return r.ok && ParseStatus(r.body);
}

bool WebServices::SendGameReport(const std::array<int32_t, 13>& counters) {
  FormPairs pairs = {{"gid", N(kServiceGame)}};
  for (int i = 1; i <= 12; ++i) pairs.push_back({"R" + N(i), N(counters[i])});
  const HttpReply r = Post(addr_.statistics, TextFormBody(pairs));
  return r.ok && ParseStatus(r.body);
}

}  // namespace zarnet
