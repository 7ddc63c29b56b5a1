// The scripts over raw HTTP, against SQLite and against PostgreSQL.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cipher.h"
#include "codec.h"
#include "handlers.h"
#include "service_fixture.h"
#include "storage.h"

namespace zarnet::test {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The game's text form: cp1251 bytes, nothing escaped.
std::string TextForm(const Pairs& pairs) {
  std::string out;
  for (const auto& [k, v] : pairs) out += (out.empty() ? "" : "&") + k + "=" + Utf8ToCp1251(v);
  return out;
}

// The game's list form: UTF-8 percent escapes, '+' for a blank.
std::string Escape(const std::string& utf8) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : utf8) {
    if (std::isalnum(c) || c == '*' || c == '-' || c == '.' || c == '_') out += char(c);
    else if (c == ' ') out += '+';
    else out += {'%', hex[c >> 4], hex[c & 15]};
  }
  return out;
}
std::string ListForm(const Pairs& pairs) {
  std::string out;
  for (const auto& [k, v] : pairs) out += (out.empty() ? "" : "&") + Escape(k) + "=" + Escape(v);
  return out;
}

class Services : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    const std::string db = BackendDb(GetParam(), &cluster_, &why);
    if (db.empty()) GTEST_SKIP() << "PostgreSQL suite skipped: " << why;
    ASSERT_TRUE(service_.Start(db));
  }

  // Replies come back in cp1251; the checks read UTF-8.
  std::string Post(const std::string& path, const std::string& body, const std::string& source = "127.0.0.1") {
    const HttpReply r = service_.Post(path, body, source);
    EXPECT_EQ(r.status, 200) << path << " " << body;
    return Cp1251ToUtf8(r.body);
  }
  std::string Accounts(const std::string& body, const std::string& source = "127.0.0.1") {
    return Post("/accounts", body, source);
  }
  std::string Tables(const std::string& body, const std::string& source = "127.0.0.1") {
    return Post("/tables", body, source);
  }

  void Register(const std::string& nick, const std::string& pw = "pass1", const std::string& city = "Moscow") {
    ASSERT_EQ(Accounts(TextForm({{"nick", nick}, {"pw", pw}, {"city", city}, {"country1", "Russia"},
                                 {"country2", "1-001"}, {"sex", "M"}, {"email", nick + "@mail.ru"},
                                 {"dater", "01.02.2024"}, {"R01", "xxx"}, {"R02", "xxx"}, {"R03", "xxx"},
                                 {"R04", "0"}, {"R05", "0"}, {"R06", "0"}})),
              "ok\n");
  }

  std::string Submit(int board, const std::string& nick, long long score, const std::string& r10 = "#",
                     const std::string& source = "127.0.0.1") {
    return Tables(TextForm({{"gid", std::to_string(board)}, {"nick", nick}, {"city", "Riga"},
                            {"country", "1-012"}, {"score", std::to_string(score)}, {"R7", "M"},
                            {"R8", "5.7f"}, {"R9", "#"}, {"R10", r10 + "*"}}),
                  source);
  }
  std::string SetSeat(int table, int seat, const std::string& nick, const std::string& source = "127.0.0.1") {
    const std::string n = std::to_string(seat);
    return Post("/tournament",
                TextForm({{"clienton" + n, "0"}, {"gid", "88"}, {"num", std::to_string(table)}, {"can", "1"},
                          {"nick" + n, nick}, {"score" + n, "0"}, {"kon" + n, "0"}, {"rating" + n, "0"},
                          {"country" + n, "Russia"}, {"city" + n, "Omsk"}, {"sex" + n, "M"}, {"ip" + n, "10.0.0.1"}}),
                source);
  }
  std::string Login(const std::string& nick, const std::string& pw, const std::string& source = "127.0.0.1") {
    return Accounts(ListForm({{"nick", nick}, {"pw", pw}, {"label0", "0"}}), source);
  }

  PgCluster cluster_;
  ServiceProcess service_;
};

TEST_P(Services, RegistrationLoginAndRefusals) {
  Register("Ivan", "secret1", "Москва");
  // The same nick in any case is taken.
  EXPECT_EQ(Accounts(TextForm({{"nick", "IVAN"}, {"pw", "other1"}, {"city", "Riga"}, {"country1", "Latvia"},
                               {"country2", "1-012"}, {"sex", "W"}, {"email", "i@x.lv"}, {"dater", "1.1.2024"},
                               {"R01", "xxx"}, {"R02", "xxx"}, {"R03", "xxx"}, {"R04", "0"}, {"R05", "0"},
                               {"R06", "0"}})),
            "is\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Ivan"}, {"pw", "wrong1"}, {"label0", "0"}})), "no\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Nobody"}, {"pw", "secret1"}, {"label0", "0"}})), "no\n");
  // The Cyrillic city, sent raw in cp1251, comes back in cp1251.
  EXPECT_EQ(Accounts(ListForm({{"nick", "Ivan"}, {"pw", "secret1"}, {"label0", "0"}})),
            "$Москва Russia 1-001 M Ivan@mail.ru 01.02.2024 xxx xxx xxx 0 0 0\n");
  EXPECT_EQ(Accounts(TextForm({{"label1", "0"}})), "$1\n");

  // Field checks: too long, Cyrillic nick, e-mail without a proper "@".
  const Pairs good = {{"nick", "Petr"},       {"pw", "pass1"}, {"city", "Riga"},  {"country1", "Latvia"},
                      {"country2", "1-012"},  {"sex", "M"},    {"email", "p@x.lv"}, {"dater", "1.1.2024"}};
  struct Case {
    const char* key;
    const char* value;
  } bad[] = {{"nick", "Thirteen_char"}, {"nick", "Пётр"}, {"pw", "abc"}, {"email", "@px.lv"},
             {"email", "px.lv@"},       {"city", "A_city_name_of_16"}, {"nick", "a b"}};
  for (const Case& c : bad) {
    Pairs p = good;
    for (auto& [k, v] : p)
      if (k == c.key) v = c.value;
    EXPECT_EQ(Accounts(TextForm(p)), "no\n") << c.key << "=" << c.value;
  }
  EXPECT_EQ(Accounts(TextForm({{"label1", "0"}})), "$1\n");
  EXPECT_EQ(Accounts(TextForm(good)), "ok\n");
  EXPECT_EQ(Accounts(TextForm({{"label1", "0"}})), "$2\n");
}

TEST_P(Services, GameResultsRatingPlaceAndTopTen) {
  Register("Anna");
  Register("Boris");
  const auto read = [&](const std::string& nick, const std::string& pw) {
    return Accounts(ListForm({{"nick", nick}, {"pw", pw}, {"crdtolbest", "0"}}));
  };
  EXPECT_EQ(read("Anna", "pass1"), "$0 0 0 0 0 0 0 #\n");
  const auto save = [&](const std::string& nick, const std::string& pw, const std::string& rating,
                        const std::string& kon) {
    return Accounts(TextForm({{"nick", nick}, {"pw", pw}, {"crdtolkon", kon}, {"crdtolbest", "840"},
                              {"crdtolrating", rating}, {"crdtolses", "2"}, {"crdtolkonl", "7"},
                              {"crdtolscore", "-35"}, {"crdtolR1", "0"}, {"crdtolR2", "#"}}));
  };
  EXPECT_EQ(save("Anna", "bad11", "1500.5", "107"), "no\n");
  EXPECT_EQ(read("Anna", "bad11"), "no\n");
  EXPECT_EQ(save("Anna", "pass1", "1523.75", "107"), "ok\n");
  EXPECT_EQ(save("Boris", "pass1", "1600,25", "12"), "ok\n");  // a comma reads as the point
  EXPECT_EQ(read("Anna", "pass1"), "$107 840 1523.75 2 7 -35 0 #\n");
  EXPECT_EQ(save("Anna", "pass1", "abc", "1"), "no\n");

  EXPECT_EQ(Accounts(ListForm({{"crdtolkon", "0"}})),
            "$1 Boris Moscow 1-001 1-001 M 1600.25*$2 Anna Moscow 1-001 1-001 M 1523.75*\n");
  const struct {
    const char* rating;
    const char* place;
  } places[] = {{"1700", "$1\n"}, {"1550.1", "$2\n"}, {"1523.75", "$2\n"}, {"0", "$3\n"}};
  for (const auto& c : places)
    EXPECT_EQ(Accounts(TextForm({{"crdtolrating", c.rating}})), c.place) << c.rating;
  // Another game's prefix keeps its own results.
  EXPECT_EQ(Accounts(ListForm({{"nick", "Anna"}, {"pw", "pass1"}, {"abcdefbest", "0"}})), "$0 0 0 0 0 0 0 #\n");
}

TEST_P(Services, ProfileNeedsTheOwnersPasswordAndKeepsTheTexts) {
  Register("Olga");
  Pairs profile = {{"nick", "Olga"},      {"pw", "pass1"},      {"labelinfosave", "0"}, {"namei", "Ольга"},
                   {"name2", "Smith"},    {"about", "Likes cards & tea"}, {"telephone", "+7 900"},
                   {"emailo", "o@x.ru"},  {"website", "http://o.ru"}, {"skype", ""}, {"ok", ""},
                   {"vk", ""},            {"telegram", "@olga"}, {"facebook", ""}, {"twitter", ""},
                   {"instagramm", ""},    {"youtube", "yt"}};
  Pairs noPassword = profile;
  noPassword.erase(noPassword.begin() + 1);
  // Without the password only the owner's session may save it.
  EXPECT_EQ(Accounts(ListForm(noPassword), "127.0.0.2"), "no\n");
  EXPECT_EQ(Accounts(ListForm(profile)), "ok\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Olga"}, {"labelinforead", "0"}})),
            "$Ольга~Smith~Likes cards & tea~+7 900~o@x.ru~http://o.ru~~~~@olga~~~~yt\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Nobody"}, {"labelinforead", "0"}})), "no\n");
  // The game's own text form: raw blanks and cp1251.
  Pairs text = profile;
  text[3].second = "Оля";
  text[5].second = "Likes cards";
  EXPECT_EQ(Accounts(TextForm(text)), "ok\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Olga"}, {"labelinforead", "0"}})),
            "$Оля~Smith~Likes cards~+7 900~o@x.ru~http://o.ru~~~~@olga~~~~yt\n");
  // A '$' or '~' would break the reply record; a text over its box is refused.
  for (const char* about : {"a$b", "a~b", "123456789012345678901234567890123456789012345678901"}) {
    Pairs p = profile;
    p[5].second = about;
    EXPECT_EQ(Accounts(ListForm(p)), "no\n") << about;
  }
}

TEST_P(Services, BalanceGrowsOnlyByAnEarnedBonus) {
  Register("Kira");
  const std::string balance = ListForm({{"nick", "Kira"}, {"labelkuvread", "0"}});
  const auto credit = [&](const char* amount) {
    return Accounts(TextForm({{"nick", "Kira"}, {"labelkuvsave", "0"}, {"R04", amount}}));
  };
  const auto completeCycles = [&](const char* cycles) {
    return Accounts(TextForm({{"nick", "Kira"}, {"pw", "pass1"}, {"crdtolkon", "50"}, {"crdtolbest", "900"},
                              {"crdtolrating", "10"}, {"crdtolses", cycles}, {"crdtolkonl", "0"},
                              {"crdtolscore", "0"}, {"crdtolR1", "0"}, {"crdtolR2", "#"}}));
  };
  EXPECT_EQ(Accounts(balance), "$0$\n");
  EXPECT_EQ(credit("25"), "no\n");
  // An account enters its board once per completed cycle.
  EXPECT_EQ(Submit(1108, "Kira", 900), "no\n");
  ASSERT_EQ(completeCycles("1"), "ok\n");
  EXPECT_EQ(Submit(1108, "Kira", 900), "$1\n");
  EXPECT_EQ(Submit(1108, "Kira", 900), "no\n");
  EXPECT_EQ(Submit(1108, "Nobody", 900), "no\n");  // the accounts' board has accounts only
  EXPECT_EQ(credit("10"), "no\n");  // place 1 earned 25, not 10
  EXPECT_EQ(credit("1000"), "no\n");
  EXPECT_EQ(Accounts(TextForm({{"nick", "Kira"}, {"labelkuvsave", "0"}, {"R04", "25"}}), "127.0.0.2"), "no\n")
      << "only from the owner's session";
  EXPECT_EQ(credit("25"), "ok\n");
  EXPECT_EQ(credit("25"), "no\n");  // once
  EXPECT_EQ(Accounts(balance), "$25$\n");
  ASSERT_EQ(completeCycles("2"), "ok\n");
  EXPECT_EQ(Submit(1108, "Kira", 800), "$2\n");
  EXPECT_EQ(credit("10"), "ok\n");
  EXPECT_EQ(Accounts(balance), "$35$\n");
}

TEST_P(Services, RecordBoardPlacesTopTenAndAround) {
  const int board = 808;
  EXPECT_EQ(Tables(ListForm({{"gid", "808"}})), "\n");
  EXPECT_EQ(Submit(board, "p1", 500), "$1\n");
  EXPECT_EQ(Submit(board, "p2", 700), "$1\n");
  EXPECT_EQ(Submit(board, "p3", 500), "$3\n");  // a tie goes after the earlier score
  EXPECT_EQ(Submit(board, "p4", 100), "$4\n");
  for (int i = 5; i <= 12; ++i) EXPECT_EQ(Submit(board, "p" + std::to_string(i), 50), "$" + std::to_string(i) + "\n");
  EXPECT_EQ(Submit(908, "other", 6000), "$1\n");

  const std::string top = Tables(ListForm({{"gid", "808"}}));
  EXPECT_EQ(top.substr(0, top.find('$', 1)), "$1 808 700 p2 1-012 Riga M 5.7f # #*");
  EXPECT_EQ(std::count(top.begin(), top.end(), '$'), 10);
  EXPECT_NE(top.find("*$3 808 500 p3 "), std::string::npos);
  EXPECT_NE(top.find("*$10 808 50 p10 "), std::string::npos);
  EXPECT_EQ(top.find("p11"), std::string::npos);
  EXPECT_EQ(top.back(), '\n');

  EXPECT_EQ(Tables(ListForm({{"rgid", "808"}})), "$12\n");
  EXPECT_EQ(Tables(ListForm({{"rgid", "1234"}})), "$0\n");
  const std::string around = Tables(TextForm({{"gid", "808"}, {"nick", "p11"}, {"city", "Riga"}}));
  EXPECT_EQ(around.rfind("$7 808 50 p7 ", 0), 0u) << around;
  EXPECT_NE(around.find("$12 808 50 p12 "), std::string::npos);
  EXPECT_EQ(Tables(TextForm({{"gid", "808"}, {"nick", "ghost"}, {"city", "Riga"}})), "\n");

  // Fields that would break the record list, or are too long, are refused.
  for (const char* nick : {"a*b", "a$b", "a b", "thirteen_char"})
    EXPECT_EQ(Submit(board, nick, 1), "no\n") << nick;
  EXPECT_EQ(Tables(TextForm({{"gid", "808"}, {"nick", "x"}, {"city", "c"}, {"country", "1-000"},
                             {"score", "99999999999"}})),
            "no\n");
  EXPECT_EQ(Tables(ListForm({{"rgid", "808"}})), "$12\n");

  // Scores no cycle of 50 deals can reach, and boards of other games, are refused.
  for (long long score : {6501LL, -6501LL, 2147483647LL})
    EXPECT_EQ(Submit(board, "p13", score), "no\n") << score;
  EXPECT_EQ(Submit(555, "p13", 10), "no\n");
  EXPECT_EQ(Submit(board, "p13", -6500), "$13\n");
}

TEST_P(Services, ChatBoardNumbersMessagesAndLimitsEachPoster) {
  // The service numbers the messages itself, whatever number was sent.
  EXPECT_EQ(Submit(100, "Lena", 1, "Hello_all"), "$1\n");
  EXPECT_EQ(Submit(100, "Max", 1, "Привет", "127.0.0.2"), "$1\n");
  EXPECT_EQ(Submit(100, "Lena", 3, "again"), "no\n");  // within 15 s
  const std::string board = Tables(ListForm({{"gid", "100"}}));
  EXPECT_EQ(board, "$1 100 2 Max 1-012 Riga M 5.7f # Привет*$2 100 1 Lena 1-012 Riga M 5.7f # Hello_all*\n");
  EXPECT_EQ(Submit(100, "Oleg", 2, std::string(81, 'x'), "127.0.0.3"), "no\n");
}

TEST_P(Services, AnAccountsNickActsOnlyFromItsOwnersSession) {
  Register("Tom");  // registering opens Tom's session from 127.0.0.1
  Register("Ann");
  const std::string away = "127.0.0.2";
  EXPECT_EQ(SetSeat(6, 1, "Tom", away), "no\n");
  EXPECT_EQ(Accounts(TextForm({{"nick", "Tom"}, {"labelkuvsave", "0"}, {"R04", "25"}}), away), "no\n");
  EXPECT_EQ(Submit(808, "Tom", 6000, "#", away), "no\n");
  EXPECT_EQ(Submit(100, "Tom", 1, "I_am_Tom", away), "no\n");
  Pairs profile = {{"nick", "Tom"}, {"labelinfosave", "0"}, {"namei", "Fake"}};
  EXPECT_EQ(Accounts(TextForm(profile), away), "no\n");
  EXPECT_EQ(Accounts(ListForm({{"nick", "Tom"}, {"labelinforead", "0"}})), "$~~~~~~~~~~~~~\n");
  // A free name still posts, and waits before the next post; that does not
  // silence the same name at another address, nor the account's owner.
  EXPECT_EQ(Submit(100, "Incognito", 1, "hello", away), "$1\n");
  EXPECT_EQ(Submit(100, "Incognito", 1, "again", away), "no\n");
  EXPECT_EQ(Submit(100, "Incognito", 1, "me_too", "127.0.0.1"), "$1\n");  // the newest message leads
  EXPECT_EQ(Submit(100, "Tom", 1, "me", "127.0.0.1"), "$1\n");
  // At home everything works; a login from the other address opens a session there too.
  EXPECT_EQ(Submit(808, "Tom", 6000), "$1\n");
  EXPECT_EQ(Accounts(TextForm(profile)), "ok\n");
  EXPECT_EQ(Login("Tom", "pass1", away).substr(0, 1), "$");
  EXPECT_EQ(SetSeat(6, 1, "Tom", away), "ok\n");
  EXPECT_EQ(SetSeat(6, 2, "Ann", away), "no\n");
}

TEST_P(Services, FailedLoginsMakeTheNickAndTheAddressWait) {
  Register("Rita");
  const std::string guesser = "127.0.0.5";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Login("Rita", "guess" + std::to_string(i), guesser), "no\n");
  // Even the right password waits now, from that address and for that nick.
  EXPECT_EQ(Login("Rita", "pass1", guesser), "no\n");
  EXPECT_EQ(Login("Rita", "pass1", "127.0.0.6"), "no\n");
  EXPECT_EQ(Login("Rita", "pass1", "127.0.0.6").find('$'), std::string::npos);
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(Login("Rita", "pass1", "127.0.0.6").substr(0, 1), "$");
}

TEST_P(Services, SixteenTakersOfOneSeatGetOneOk) {
  std::vector<std::string> nicks;
  for (int i = 0; i < 16; ++i) {
    nicks.push_back("Taker" + std::to_string(i));
    Register(nicks.back());
  }
  std::vector<std::string> replies(16);
  std::vector<std::thread> takers;
  for (int i = 0; i < 16; ++i)
    takers.emplace_back([&, i] {
      replies[i] = service_.Post("/tournament", "clienton1=0&gid=88&num=8&can=1&nick1=" + nicks[i] +
                                                    "&score1=0&kon1=0&rating1=0&country1=Russia&city1=Omsk&sex1=M&ip1=10.0.0.1")
                       .body;
    });
  for (auto& t : takers) t.join();
  EXPECT_EQ(std::count(replies.begin(), replies.end(), "ok\n"), 1);
  EXPECT_EQ(std::count(replies.begin(), replies.end(), "is\n"), 15);
}

TEST_P(Services, StatisticsSumTheReports) {
  auto stats = [&] { return Post("/statistics", ListForm({{"gid", "808"}})); };
  EXPECT_EQ(stats(), "$0 0 0 # 0 0 0 0 0 0 0 0 0 0 0 0 0 #*\n");
  const std::string ok = "$ ok #\n", no = "$ no #\n";
  EXPECT_EQ(Post("/statistics", TextForm({{"gid", "808"}, {"stat1", "1"}, {"stat2", "1"}})), ok);
  EXPECT_EQ(Post("/statistics", TextForm({{"gid", "808"}, {"stat1", "1"}, {"stat2", "0"}})), ok);
  EXPECT_EQ(Post("/statistics", TextForm({{"gid", "808"}, {"stat3", "1"}, {"stat4", "Vera"}})), ok);
  Pairs report = {{"gid", "808"}};
  for (int i = 1; i <= 12; ++i) report.push_back({"R" + std::to_string(i), i <= 6 ? std::to_string(i * 10) : "0"});
  EXPECT_EQ(Post("/statistics", TextForm(report)), ok);
  EXPECT_EQ(Post("/statistics", TextForm(report)), ok);
  EXPECT_EQ(Post("/statistics", TextForm({{"gid", "908"}, {"stat1", "1"}, {"stat2", "1"}})), ok);
  // Inflated or negative counters are refused.
  EXPECT_EQ(Post("/statistics", TextForm({{"gid", "808"}, {"stat1", "1000"}, {"stat2", "1"}})), no);
  report[1].second = "-5";
  EXPECT_EQ(Post("/statistics", TextForm(report)), no);
  EXPECT_EQ(stats(), "$2 1 1 Vera 20 40 60 80 100 120 0 0 0 0 0 0 0 #*\n");
}

TEST_P(Services, TournamentSeatsRatingsAndTopTen) {
  Register("Tom");
  Register("Ada");
  const auto seat = [&](int table, int s, int can, const std::string& nick) {
    const std::string n = std::to_string(s);
    const bool leave = nick == "X";
    return Post("/tournament", TextForm({{"client" "on" + n, "0"}, {"gid", "88"}, {"num", std::to_string(table)},
                                         {"can", std::to_string(can)}, {"nick" + n, nick},
                                         {"score" + n, leave ? "0" : "999"}, {"kon" + n, "0"},
                                         {"rating" + n, "0"}, {"country" + n, leave ? "X" : "Russia"},
                                         {"city" + n, leave ? "X" : "Omsk"}, {"sex" + n, leave ? "X" : "M"},
                                         {"ip" + n, leave ? "X" : "10.0.0.1"}}));
  };
  EXPECT_EQ(seat(3, 1, 1, "Tom"), "ok\n");
  EXPECT_EQ(seat(3, 1, 1, "Ada"), "is\n");
  EXPECT_EQ(seat(4, 1, 1, "Tom"), "no\n");      // one seat at a time
  EXPECT_EQ(seat(5, 1, 1, "Stranger"), "no\n");  // no account
  EXPECT_EQ(seat(3, 2, 1, "Ada"), "ok\n");
  // The figures on a seat are the service's own, not the 999 sent.
  const std::string rs = Post("/tournament", ListForm({{"readclient1", "0"}, {"gid", "88"}, {"num", "3"}}));
  EXPECT_EQ(rs, "$Tom 0 0 1000 Russia Omsk M 10.0.0.1\n");
  EXPECT_EQ(Post("/tournament", ListForm({{"readclient2", "0"}, {"gid", "88"}, {"num", "1"}})),
            "$X 0 0 0 X X M X\n");
  const std::string tables = Post("/tournament", ListForm({{"readtable10", "88"}, {"gid", "88"}}));
  const std::string base = std::to_string(service_.tablesBase());
  EXPECT_EQ(tables.rfind("$10 127.0.0.1 " + std::to_string(service_.tablesBase() + 10) + " 2 0 X X 0 0 0 X X M X X", 0), 0u);
  EXPECT_NE(tables.find("*$3 127.0.0.1 " + std::to_string(service_.tablesBase() + 3) +
                        " 0 0 X Tom 0 0 1000 Russia Omsk M 10.0.0.1 Ada 0 0 1000 Russia Omsk M 10.0.0.1*"),
            std::string::npos)
      << tables;
  // Leaving: a nick of another table is refused; the seat's own nick, or the
  // address that took a seat of the table, may free it.
  Register("Eve");
  EXPECT_EQ(seat(7, 1, 1, "Eve"), "ok\n");
  EXPECT_EQ(seat(3, 2, 2, "Eve"), "no\n");
  EXPECT_EQ(seat(3, 2, 2, "Ada"), "ok\n");
  EXPECT_EQ(seat(3, 1, 0, "X"), "ok\n");  // same (loopback) address as the taker
  EXPECT_EQ(seat(3, 1, 0, "X"), "ok\n");  // already free
  EXPECT_EQ(seat(3, 1, 1, "Ada"), "ok\n");

  EXPECT_EQ(Post("/tournament", TextForm({{"readrating88", "0"}, {"nick", "Tom"}})), "$0 0 1000\n");
  EXPECT_EQ(Post("/tournament", TextForm({{"placer88", "0"}, {"rating1", "1000"}})), "$1\n");
  EXPECT_EQ(Post("/tournament", ListForm({{"top10s88", "0"}, {"nick", "z"}})), "\n");
  EXPECT_EQ(Post("/tournament", ListForm({{"serverinforead", "0"}, {"gid", "88"}})),
            "$Y Welcome_to_the_Zarnet_online_tournament!\n");
  EXPECT_EQ(Post("/tournament", ListForm({{"readtable10", "77"}, {"gid", "77"}})), "no\n");
}

TEST_P(Services, DirectoryAddressFilesAndLimits) {
  const HttpReply dir = RawHttp(service_.httpPort(), "GET", "/directory", "");
  ASSERT_EQ(dir.status, 200);
  const std::string base = "http://127.0.0.1:" + std::to_string(service_.httpPort());
  const auto value = [&](const std::string& key) {
    const size_t at = dir.body.find(key) + key.size() + 1;
    return Decipher(dir.body.substr(at, dir.body.find('#', at) - at), kAddressKey).value_or("?");
  };
  EXPECT_EQ(value("WTGamesPatt"), base + "/tables");
  EXPECT_EQ(value("StatPath"), base + "/statistics");
  EXPECT_EQ(value("AccPath"), base + "/accounts");
  EXPECT_EQ(dir.body.find("Pause"), std::string::npos);
  std::ofstream(service_.dataDir() + "/CTGamesPause").put('\n');
  EXPECT_NE(RawHttp(service_.httpPort(), "GET", "/directory", "").body.find("CTGamesPause#"), std::string::npos);

  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/get_ip.php", "").body, "127.0.0.1");

  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/avatars/Olga.jpg", "").status, 404);
  std::ofstream(service_.dataDir() + "/avatars/Olga.jpg", std::ios::binary) << "\xFF\xD8jpeg";
  const HttpReply photo = RawHttp(service_.httpPort(), "GET", "/avatars/Olga.jpg", "");
  EXPECT_EQ(photo.status, 200);
  EXPECT_EQ(photo.body, "\xFF\xD8jpeg");
  std::ofstream(service_.dataDir() + "/secret.jpg") << "x";
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/avatars/../secret.jpg", "").status, 404);
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/avatars/..%2Fsecret.jpg", "").status, 404);
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/downloads/progr/cards/..%2Fzarnet.db", "").status, 404);
  // The download folder hands out libraries only, whatever else lies there.
  std::filesystem::create_directories(service_.dataDir() + "/downloads");
  std::ofstream(service_.dataDir() + "/downloads/KuvBackG03.dll", std::ios::binary) << "rcc";
  std::ofstream(service_.dataDir() + "/downloads/Zarnet.clb") << "players";
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/downloads/progr/cards/KuvBackG03.dll", "").body, "rcc");
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/downloads/progr/cards/Zarnet.clb", "").status, 404);

  // Bodies over 64 KiB are refused before any work.
  const HttpReply big = service_.Post("/tables", "gid=808&nick=" + std::string(70 * 1024, 'a'));
  EXPECT_EQ(big.status, 413);
  EXPECT_EQ(service_.Post("/accounts", "nonsense=1").body, "no\n");

  // A clean stop on SIGTERM.
  service_.Stop();
  EXPECT_EQ(service_.exitCode(), 0);
}

// Sums past the game's 32-bit counters are shown at the limit, not wrapped.
TEST(StatisticsSums, AreClampedToThirtyTwoBits) {
  const std::string dir = MakeTempDir("zarnet-stats");
  {
    auto db = services::OpenStorage("sqlite", dir);
    std::array<int64_t, 12> sums{};
    sums[0] = 3'000'000'000LL;
    db->AddStats(808, 0, 0, 0, nullptr, sums);
    db->AddStats(808, 0, 0, 0, nullptr, sums);
    services::Services s(*db, services::ServiceConfig{});
    EXPECT_EQ(s.Statistics("gid=808", services::Caller{"127.0.0.1", 0}),
              "$0 0 0 # 2147483647 0 0 0 0 0 0 0 0 0 0 0 0 #*\n");
  }
  RemoveTree(dir);
}

// Behind a balancer the caller is the address it forwards, but only a
// balancer named on the command line is believed.
TEST(Balancer, OnlyATrustedProxyNamesTheCaller) {
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite", "", "--trusted-proxy 127.0.0.1"));
  struct Case {
    const char* name;
    const char* source;
    const char* header;
    int status;
    const char* caller;
  };
  const Case cases[] = {
      {"a player's own header is ignored", "127.0.0.2", "X-Real-IP: 10.1.2.3\r\n", 200, "127.0.0.2"},
      {"the balancer names the caller", "127.0.0.1", "X-Real-IP: 10.1.2.3\r\n", 200, "10.1.2.3"},
      {"a mapped IPv4 caller is plain IPv4", "127.0.0.1", "X-Real-IP: ::ffff:10.1.2.4\r\n", 200, "10.1.2.4"},
      {"the balancer must name someone", "127.0.0.1", "", 400, ""},
      {"a list is no address", "127.0.0.1", "X-Real-IP: 10.1.2.3, 10.0.0.1\r\n", 400, ""},
      {"a word is no address", "127.0.0.1", "X-Real-IP: nobody\r\n", 400, ""},
  };
  for (const Case& c : cases) {
    const HttpReply r = RawHttp(service.httpPort(), "GET", "/get_ip.php", "", "", c.source, c.header);
    EXPECT_EQ(r.status, c.status) << c.name;
    if (c.status == 200) {
      EXPECT_EQ(r.body, c.caller) << c.name;
    }
  }

  // The session opened through the balancer belongs to the forwarded address.
  const std::string forwarded = "X-Real-IP: 10.1.2.3\r\n";
  const auto post = [&](const std::string& body, const char* source, const std::string& header) {
    return RawHttp(service.httpPort(), "POST", "/tournament", body, "application/x-www-form-urlencoded", source,
                   header)
        .body;
  };
  ASSERT_EQ(RawHttp(service.httpPort(), "POST", "/accounts",
                    "nick=Tom&pw=pass1&city=Omsk&country1=Russia&country2=1-001&sex=M&email=t@x.ru&dater=1.1.2024"
                    "&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0",
                    "application/x-www-form-urlencoded", "127.0.0.1", forwarded)
                .body,
            "ok\n");
  const std::string seat =
      "clienton1=0&gid=88&num=5&can=1&nick1=Tom&score1=0&kon1=0&rating1=0&country1=Russia&city1=Omsk&sex1=M&ip1=X";
  EXPECT_EQ(post(seat, "127.0.0.1", ""), "") << "no caller, no seat";
  EXPECT_EQ(post(seat, "127.0.0.2", forwarded), "no\n") << "a player cannot claim the session's address";
  EXPECT_EQ(post(seat, "127.0.0.1", "X-Real-IP: 10.1.2.9\r\n"), "no\n");
  EXPECT_EQ(post(seat, "127.0.0.1", forwarded), "ok\n");
}

// One SQLite file belongs to one process: split roles need PostgreSQL.
TEST(Balancer, SplitRolesRefuseSqlite) {
  for (const char* role : {"--role http", "--role tables"}) {
    ServiceProcess service;
    EXPECT_FALSE(service.Start("sqlite", "", role)) << role;
  }
}

// HTTP instances report the tournament server on only while a process runs
// the table servers, so the lobby offers no seat nobody can play.
TEST(Roles, TheLobbySeesWhetherATableProcessRuns) {
  PgCluster cluster;
  std::string why;
  const std::string db = BackendDb("postgresql", &cluster, &why);
  if (db.empty()) GTEST_SKIP() << why;
  ServiceProcess http;
  ASSERT_TRUE(http.Start(db, "", "--role http"));
  const auto state = [&] { return http.Post("/tournament", "serverinforead=0&gid=88").body.substr(0, 3); };
  EXPECT_EQ(state(), "$N ");
  {
    ServiceProcess tables;
    ASSERT_TRUE(tables.Start(db, "", "--role tables"));
    EXPECT_EQ(state(), "$Y ");
  }
  // The claim goes with the table process's connection.
  std::string after = state();
  for (int i = 0; i < 50 && after != "$N "; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    after = state();
  }
  EXPECT_EQ(after, "$N ");
}

INSTANTIATE_TEST_SUITE_P(Backends, Services, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace zarnet::test
