// The account session against zarnet-services on loopback, and the checks
// and files it stands on.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "account.h"
#include "account_outlets.h"
#include "atomic_file.h"
#include "cipher.h"
#include "engine.h"
#include "recording_view.h"
#include "service_fixture.h"

namespace zarnet {
namespace {

TEST(AccountChecks, FieldRules) {
  const std::string cyr = "\xC8\xE2\xE0\xED";  // cp1251 "Иван"
  struct Case {
    std::string text;
    int kind, result;
  } cases[] = {
      {"Anna", 1, 3},
      {"A", 1, 1},
      {"abcdefghijkl", 1, 3},
      {"abcdefghijklm", 1, 1},  // 13 characters
      {cyr, 1, 1},              // no Cyrillic in a nick
      {cyr, 2, 2},              // a Cyrillic city is fine
      {"Omsk-2", 2, 3},
      {"Sankt Peterburg", 2, 1},  // a blank
      {"abc", 3, 1},
      {"ab#d", 3, 1},
      {"a@b", 4, 3},
      {"@ab", 4, 1},
      {"ab@", 4, 1},
      {"ab", 4, 1},
      {"", 1, 1},
      {"&", 0, 1},
      {"\xB8", 0, 3},  // ё
      {"_", 0, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckAccountField(c.text, c.kind), c.result) << c.text << " " << c.kind;
  EXPECT_EQ(CheckNameField(cyr, 1), 2);  // other windows take Cyrillic nicks
}

TEST(AccountChecks, CountryTables) {
  const int sizes[] = {0, 49, 52, 36, 15, 24, 55};
  for (int c = 1; c <= kContinents; ++c) {
    ASSERT_EQ(CountryCount(c), sizes[c]) << c;
    EXPECT_STREQ(CountryAt(c, 0).english, "Unknown");
    std::set<std::string> shorts;
    for (int i = 0; i < CountryCount(c); ++i) {
      const std::string s = CountryAt(c, i).shortName;
      EXPECT_EQ(s.find(' '), std::string::npos) << s;
      EXPECT_TRUE(shorts.insert(s).second || i == 0) << s;
    }
  }
  EXPECT_STREQ(CountryAt(1, 1).shortName, "Russia");
  EXPECT_STREQ(CountryAt(1, 16).shortName, "Czech_Republic");
  int c = 0, i = 0;
  EXPECT_TRUE(ParseCountryCode(CountryCode(6, 54), &c, &i));
  EXPECT_EQ(c * 1000 + i, 6054);
  for (const char* bad : {"1-049", "7-001", "1_001", "1-0a1", ""}) EXPECT_FALSE(ParseCountryCode(bad, &c, &i)) << bad;
  // Tournament rows carry the name the account was registered with.
  EXPECT_EQ(CountryCodeByName("Russia"), "1-001");
  EXPECT_EQ(CountryCodeByName("Czech_Republic"), "1-016");
  EXPECT_EQ(CountryCodeByName("Czech Republic"), "1-016");
  EXPECT_EQ(CountryCodeByName("Unknown"), "");
  EXPECT_EQ(CountryCodeByName("Atlantis"), "");
}

TEST(AccountChecks, UserFileLivesBesideTheProgramFolder) {
  const std::string dir = test::MakeTempDir("zarnet-userfile");
  std::filesystem::create_directory(dir + "/Zarnet");
  const std::string path = UserFilePath(dir + "/Zarnet/");
  EXPECT_EQ(path, dir + "/" + kUserFileName);
  EXPECT_FALSE(ReadUserFile(path));
  ASSERT_TRUE(WriteUserFile(path, {"Anna", EncipherPassword("s3cret")}));
  const auto back = ReadUserFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->nick, "Anna");
  EXPECT_EQ(DecipherPassword(back->pwC), "s3cret");
  EXPECT_NE(ReadWholeFile(path)->find("Kuv User File\r\nAnna\r\n"), std::string::npos);
  ReplaceFile(path, "Kuv user file\r\nAnna\r\nxx\r\n");
  EXPECT_FALSE(ReadUserFile(path));  // a foreign first line
  EXPECT_TRUE(DeleteUserFile(path));
  EXPECT_TRUE(DeleteUserFile(path));  // nothing left is fine
  test::RemoveTree(dir);
}

TEST(InfoDial, FiguresAndModes) {
  EXPECT_EQ(DialIq(300, 700), 70);
  EXPECT_EQ(DialIq(0, 0), 0);
  struct Case {
    long long n;
    const char* text;
  } cases[] = {{999, "999"}, {1000, "1K"}, {999999, "999K"}, {1234567, "1M"}, {2500000000LL, "2G"}};
  for (const Case& c : cases) EXPECT_EQ(DialCount(c.n), c.text);
  EXPECT_EQ(DialMode(0), 1);
  EXPECT_EQ(DialMode(13), 7);
  EXPECT_EQ(DialMode(14), 1);
}

// One service instance and a session pointed at it.
class AccountService : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    service_ = new test::ServiceProcess;
    ASSERT_TRUE(service_->Start("sqlite"));
  }
  static void TearDownTestSuite() {
    delete service_;
    service_ = nullptr;
  }
  void SetUp() override {
    dir = test::MakeTempDir("zarnet-account");
    std::filesystem::create_directory(dir + "/Zarnet");
    const std::string base = "http://127.0.0.1:" + std::to_string(service_->httpPort()) + "/";
    web = std::make_unique<WebServices>(client, ServiceAddresses{base + "accounts", base + "statistics", base + "tables"});
    session = std::make_unique<AccountSession>(*web, UserFilePath(dir + "/Zarnet"));
  }
  void TearDown() override { test::RemoveTree(dir); }

  // A new account, logged in.
  void Register(const std::string& nick, const std::string& pw = "pass1") {
    session->PutRegistrationDefaults();
    session->User.Nick = nick;
    session->SetPassword(pw);
    session->User.City = "Omsk";
    session->User.EMail = nick + "@x.ru";
    ASSERT_EQ(session->CreateAccount("01.02.2026"), 0);
  }

  TKuvGame ServerRecord(const std::string& nick, const std::string& pw = "pass1") {
    TKuvGame g;
    EXPECT_TRUE(web->ReadGameResults(nick, pw, &g));
    return g;
  }

  static test::ServiceProcess* service_;
  std::string dir;
  ServiceClient client;
  std::unique_ptr<WebServices> web;
  std::unique_ptr<AccountSession> session;
};
test::ServiceProcess* AccountService::service_ = nullptr;

TEST_F(AccountService, RegisterLoginLogoutAndRemember) {
  Register("Vera");
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  EXPECT_EQ(session->User.DateR, "01.02.2026");
  EXPECT_GE(session->Members, 1);
  EXPECT_TRUE(session->ResultsRead);

  // The same nick again is taken, and the guest keeps no date.
  AccountSession other(*web, UserFilePath(dir + "/Zarnet"));
  other.User = session->User;
  EXPECT_EQ(other.CreateAccount("02.02.2026"), 1);
  EXPECT_EQ(other.State, AccountState::Guest);
  EXPECT_EQ(other.User.DateR, "00.00.0000");

  session->User.R04 = 7;
  ASSERT_TRUE(session->LoginOrLogout());  // out
  EXPECT_EQ(session->State, AccountState::Guest);
  EXPECT_EQ(session->User.R04, 0);

  session->SetPassword("wrong");
  EXPECT_FALSE(session->LoginOrLogout());
  EXPECT_EQ(session->State, AccountState::Guest);
  session->SetPassword("pass1");
  ASSERT_TRUE(session->LoginOrLogout());
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  EXPECT_EQ(session->User.City, "Omsk");

  ASSERT_TRUE(session->RememberLogin());
  EXPECT_TRUE(session->UserFileExists());
  AccountSession next(*web, UserFilePath(dir + "/Zarnet"));
  next.StartUpLogin();
  EXPECT_EQ(next.State, AccountState::LoggedIn);
  EXPECT_EQ(next.User.Nick, "Vera");
  EXPECT_EQ(next.User.EMail, "Vera@x.ru");
  ASSERT_TRUE(session->ForgetLogin());
  EXPECT_FALSE(session->UserFileExists());
  AccountSession third(*web, UserFilePath(dir + "/Zarnet"));
  third.StartUpLogin();
  EXPECT_EQ(third.State, AccountState::Guest);
}

TEST_F(AccountService, RememberedPasswordWithHashLogsInWithADash) {
  Register("Dasha", "ab-cd");
  WriteUserFile(UserFilePath(dir + "/Zarnet"), {"Dasha", EncipherPassword("ab#cd")});
  AccountSession next(*web, UserFilePath(dir + "/Zarnet"));
  next.StartUpLogin();
  EXPECT_EQ(next.State, AccountState::LoggedIn);
  EXPECT_EQ(next.User.Pw, "ab-cd");
}

TEST_F(AccountService, RatedSeriesBooksTheChargeAndSettles) {
  Register("Rita");
  session->SetRatedPlay(true);
  EXPECT_EQ(session->State, AccountState::RatedPlay);
  ASSERT_TRUE(session->BookRatedStart());
  EXPECT_FALSE(session->RatedPlayAllowed());  // locked while the series runs
  TKuvGame charged = ServerRecord("Rita");
  EXPECT_EQ(charged.Kon, 2);
  EXPECT_DOUBLE_EQ(charged.Rating, AccountRatingStart(2, 0.0));
  EXPECT_EQ(session->Game.Kon, 0);  // the series counts from the values read

  // Two deals won by 30 in all, closed through the engine's books.
  RecordingView view;
  Game g(&view);
  g.opt.PlayerSlot = kSlotAccount;
  g.gs.KonAtStart = 0;
  g.gs.KonNo = 2;
  g.gs.ScoreBase = 0;
  SeriesBooks books;
  books.Account = session->Game;
  books.LoggedIn = true;
  AccountSeriesOutlets out(*session, ProgramFiles{dir + "/Zarnet"});
  const SeriesCloseResult r = CloseSeries(g, books, out, 30, 2);
  EXPECT_TRUE(r.accountSettled);
  session->EndRatedSeries();
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  const TKuvGame settled = ServerRecord("Rita");
  EXPECT_EQ(settled.Kon, 2);
  EXPECT_EQ(settled.KonL, 2);
  EXPECT_EQ(settled.Score, 30);
  EXPECT_NEAR(settled.Rating, AccountRatingSettle(2, 30, charged.Rating), 1e-6);
  // The game report reached the statistics.
  TKuvStat st;
  ASSERT_TRUE(web->ReadStatistics(kServiceGame, &st));
  EXPECT_GE(st.StatX[1], 2);
  EXPECT_GE(st.StatX[3], 30);
}

TEST_F(AccountService, CompletedCycleGoesToTheAccountBoardWithItsBonus) {
  Register("Cyc");
  TKuvGame start;
  start.Kon = 48;
  start.KonL = 48;
  start.Score = 100;
  start.Rating = 2.0;
  ASSERT_TRUE(web->SaveGameResults("Cyc", "pass1", start));
  session->SetRatedPlay(true);
  ASSERT_TRUE(session->BookRatedStart());
  EXPECT_EQ(session->Game.KonL, 48);

  RecordingView view;
  Game g(&view);
  g.opt.PlayerSlot = kSlotAccount;
  g.gs.KonAtStart = 48;
  g.gs.KonNo = 50;
  g.gs.ScoreBase = 100;
  SeriesBooks books;
  books.Account = session->Game;
  AccountSeriesOutlets out(*session, ProgramFiles{dir + "/Zarnet"});
  const SeriesCloseResult r = CloseSeries(g, books, out, 20, 2);
  ASSERT_TRUE(r.accountSettled);
  EXPECT_EQ(r.place, 1);
  EXPECT_EQ(r.bonus, 25);
  EXPECT_EQ(session->User.R04, 25);  // the balance read after the credit
  const TKuvGame settled = ServerRecord("Cyc");
  EXPECT_EQ(settled.Sessions, 1);
  EXPECT_EQ(settled.Best, 120);
  EXPECT_EQ(settled.KonL, 0);
  EXPECT_EQ(settled.Score, 0);
  RecordList board;
  ASSERT_TRUE(web->ReadRecords(1108, &board));
  EXPECT_EQ(board[1].Nick, "Cyc");
  EXPECT_EQ(board[1].Score, 120);
}

TEST_F(AccountService, AbandonedSeriesKeepsTheCharge) {
  Register("Olga");
  session->SetRatedPlay(true);
  ASSERT_TRUE(session->BookRatedStart());
  session->EndRatedSeries();  // left without a settlement
  const TKuvGame g = ServerRecord("Olga");
  EXPECT_EQ(g.Kon, 2);
  EXPECT_LT(g.Rating, -70.0);  // -150 over two deals, plus 2/50
}

TEST(AccountOffline, NothingAnswersNothingHangs) {
  ServiceClient client;
  const std::string dead = "http://127.0.0.1:9/";
  WebServices web(client, {dead + "accounts", dead + "statistics", dead + "tables"});
  const std::string dir = test::MakeTempDir("zarnet-offline");
  const std::string userFile = dir + "/" + kUserFileName;
  WriteUserFile(userFile, {"Anna", EncipherPassword("pass1")});
  AccountSession s(web, userFile);
  s.StartUpLogin();
  EXPECT_EQ(s.State, AccountState::Guest);
  EXPECT_FALSE(s.RefreshTopTen());
  s.ReadMembers();
  EXPECT_EQ(s.Members, -1);
  int asked = 0;
  s.ask.repeatAfterNoConnection = [&] { return ++asked < 3; };
  TKuvGame g;
  EXPECT_FALSE(s.ReadForSettlement(&g));
  EXPECT_EQ(asked, 3);  // asked until the player gave up
  DialLabels l;
  l.noConnect = "NO CONNECT";
  for (int mode = 1; mode <= 7; ++mode) {
    const DialReading d = ReadDial(mode, s, l);
    EXPECT_TRUE(d.failed) << mode;
    EXPECT_EQ(d.figure, "00");
    EXPECT_NE(d.hint.find("NO CONNECT"), std::string::npos);
  }
  test::RemoveTree(dir);
}

}  // namespace
}  // namespace zarnet
