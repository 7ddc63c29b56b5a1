#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine.h"
#include "number_text.h"
#include "recording_view.h"
#include "series.h"

namespace zarnet {
namespace {

TEST(SeriesAccounting, LocalRatingCases) {
  RecordingView view;
  Game g(&view);
  // A new player wins one deal 71:49: 81 against 49 with the bonus.
  g.gs.KonNo = 1;
  g.gs.GameScore[2] = 81;
  g.gs.GameScore[1] = 49;
  BookDealResult(g);
  EXPECT_EQ(g.gs.ScoreDiff, 32);
  EXPECT_DOUBLE_EQ(g.gs.SeriesRating, 3.2);

  struct Case {
    int k, diff;
    double r0;
    int k0;
    double rating;
  } cases[] = {
      {12, -30, 1.5, 10, 1.0},      // (15 - 3) / 12
      {1, 1200, 0.0, 0, 99.99},     // would be 120
      {1, -1300, 0.0, 0, -99.99},
      {3, 1, 0.0, 0, 0.033333},     // six decimals
      {0, 10, 2.5, 0, 2.5},         // no deal to average yet
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(LocalRating(c.k, c.diff, c.r0, c.k0), c.rating) << c.k << " " << c.diff;
  }
}

TEST(SeriesAccounting, AccountRatingTakesTheChargeAndGivesItBack) {
  EXPECT_NEAR(AccountRatingStart(2, 0.0), -74.96, 1e-9);
  EXPECT_NEAR(AccountRatingSettle(2, 30, -74.96), 15.04, 1e-9);
  // Q = kon * (rating - kon / 50) is the summed difference: start and settle
  // together add exactly the series' difference to it.
  const auto q = [](int kon, double r) { return kon * (r - kon / 50.0); };
  const int kon = 120;
  const double r = 3.7;
  const double started = AccountRatingStart(kon + 2, r);
  EXPECT_NEAR(q(kon + 2, started), q(kon, r) - 150, 1e-9);
  EXPECT_NEAR(q(kon + 2, AccountRatingSettle(kon + 2, -44, started)), q(kon, r) - 44, 1e-9);
}

TEST(SeriesAccounting, AccountCycleCompletesAfter25Games) {
  TKuvGame server;
  server.Best = 100;
  for (int game = 1; game <= 25; ++game) {
    const TKuvGame local = server;  // the copy read when the series starts
    BookAccountStart(server);
    EXPECT_EQ(server.KonL, 0);
    const bool complete = BookAccountSettle(server, local.KonL, 4, local.Score + 4);
    EXPECT_EQ(complete, game == 25) << game;
    if (game < 25) {
      EXPECT_EQ(server.KonL, 2 * game);
      EXPECT_EQ(server.Score, 4 * game);
    }
  }
  EXPECT_EQ(server.Kon, 50);
  EXPECT_EQ(server.Sessions, 1);
  EXPECT_EQ(server.KonL, 0);
  EXPECT_EQ(server.Score, 0);
  EXPECT_EQ(server.Best, 100);  // 100 is better than the cycle's 100
  EXPECT_NEAR(server.Rating, 100.0 / 50 + 50 / 50.0, 1e-9);
}

// Writes down each step of a close.
class Outlets : public SeriesOutlets {
 public:
  std::vector<std::string> steps;
  HisStr history;
  std::array<int32_t, 13> report{};
  std::string line;
  int refileSlot = -1;
  bool refileNet = false, refileCycle = false;
  int place = 0;
  TKuvGame server;
  bool readOk = true;
  int submitFailures = 0;
  bool repeat = true;
  int32_t tourScore = 0;

  void RestoreRecorderScreen() override { steps.push_back("recorder"); }
  void ShowWaitNotice(bool shown) override { steps.push_back(shown ? "wait" : "unwait"); }
  bool ReadAccountRecord(TKuvGame& acc) override {
    steps.push_back("read account");
    if (readOk) acc = server;
    return readOk;
  }
  bool WriteAccountRecord(const TKuvGame& acc) override {
    steps.push_back("write account");
    server = acc;
    return true;
  }
  bool ReadTourRating(int32_t& s) override {
    steps.push_back("tour rating");
    s = tourScore;
    return true;
  }
  void WriteHistory(const HisStr& e) override {
    steps.push_back("history");
    history = e;
  }
  void SendGameReport(const std::array<int32_t, 13>& r) override {
    steps.push_back("report");
    report = r;
  }
  int RefilePlayer(bool net, int slot, const std::string& l, bool cycle) override {
    steps.push_back("refile");
    refileNet = net;
    refileSlot = slot;
    line = l;
    refileCycle = cycle;
    return place;
  }
  void ClosePeerSocket(uint8_t role) override { steps.push_back("close socket " + std::to_string(role)); }
  void ShowEndOfGame(int p, int32_t s, int bonus) override {
    steps.push_back("end of game " + std::to_string(p) + " " + std::to_string(s) + " " +
                    std::to_string(bonus));
  }
  void OpenWorldTopTenEntry(int32_t s) override { steps.push_back("world top ten " + std::to_string(s)); }
  bool SubmitCycleScore(int32_t, int& p) override {
    steps.push_back("submit");
    if (submitFailures > 0) {
      --submitFailures;
      return false;
    }
    p = place;
    return true;
  }
  bool AskRepeatSubmission() override {
    steps.push_back("repeat?");
    return repeat;
  }
  void CreditBonus(int amount) override { steps.push_back("bonus " + std::to_string(amount)); }
  void ReturnToMenu() override { steps.push_back("menu"); }
};

struct SeriesFixture : ::testing::Test {
  RecordingView view;
  Game g{&view};
  SeriesBooks books;
  Outlets out;

  // A local player with k0 deals at rating r0 who has played to `konNo`.
  void Local(int k0, double r0, int konNo, int scoreBase) {
    g.opt.PlayerSlot = 2;
    g.player.Name = "Anna                ";
    g.player.StoredKon = k0;
    g.player.StoredRating = r0;
    g.player.PasswordField = "331332333266266";
    g.gs.KonAtStart = k0;
    g.gs.KonNo = konNo;
    g.gs.ScoreBase = scoreBase;
    g.gs.DealActive = true;
  }
};

TEST_F(SeriesFixture, LocalSeriesInItsOrder) {
  Local(10, 1.5, 12, 40);
  g.opt.Recording = true;
  const SeriesCloseResult r = CloseSeries(g, books, out, -30, 2);
  // The list line before the history entry, so the two never disagree.
  const std::vector<std::string> expected = {"recorder", "wait",    "unwait", "report",
                                             "refile",   "history", "menu"};
  EXPECT_EQ(out.steps, expected);
  EXPECT_EQ(out.line, BuildPlayerLine("Anna", 1.0, 12, 10, "331332333266266"));
  EXPECT_EQ(out.line.substr(20, 10), "  1,000000");
  EXPECT_EQ(out.refileSlot, 2);
  EXPECT_FALSE(out.refileNet);
  EXPECT_FALSE(out.refileCycle);
  EXPECT_EQ(out.history.HName, "Anna                ");
  EXPECT_EQ(out.history.HKon, 2);
  EXPECT_EQ(out.history.HRes, -30);
  EXPECT_DOUBLE_EQ(out.history.HRei, 1.0);
  EXPECT_EQ(out.history.Ac, kHistoryLocal);
  const std::array<int32_t, 13> report = {0, 2, 0, 0, 30};
  EXPECT_EQ(out.report, report);
  EXPECT_EQ(g.gs.FinalDiff, -30);
  EXPECT_EQ(g.gs.FinalScore, 10);
  EXPECT_EQ(view.Count("PlayEffect WKoBads"), 1);
  EXPECT_EQ(view.Count("PlayEffect WKoGood"), 0);
  EXPECT_FALSE(g.gs.DealActive);
  EXPECT_TRUE(g.TimerEnabled);
  EXPECT_EQ(g.TimerIntervalMs, 20);
  EXPECT_EQ(r.place, 0);
}

TEST_F(SeriesFixture, FiftiethDealEndsTheGameWithoutTheSeriesSound) {
  Local(45, 2.0, 50, 200);
  out.place = 3;
  const SeriesCloseResult r = CloseSeries(g, books, out, 25, 5);
  EXPECT_TRUE(r.cycleEnded);
  EXPECT_TRUE(out.refileCycle);
  EXPECT_EQ(r.place, 3);
  EXPECT_EQ(view.Count("PlayEffect WKo"), 0);
  const std::vector<std::string> tail = {"refile", "history", "end of game 3 225 0",
                                         "world top ten 225", "menu"};
  EXPECT_EQ(std::vector<std::string>(out.steps.end() - 5, out.steps.end()), tail);
  EXPECT_EQ(out.report[1], 5);
  EXPECT_EQ(out.report[2], 1);
  EXPECT_EQ(out.report[3], 25);

  Local(45, 2.0, 49, 200);
  out.steps.clear();
  CloseSeries(g, books, out, 25, 4);
  EXPECT_EQ(view.Count("PlayEffect WKoGood"), 1);
  EXPECT_EQ(std::count(out.steps.begin(), out.steps.end(), "world top ten 225"), 0);
}

TEST_F(SeriesFixture, NetGameNamesBothPlayersAndClosesTheSocket) {
  Local(0, 0.0, 50, 0);
  g.opt.NetGame = true;
  g.opt.NetRole = 1;
  g.SeatName[1] = "Boris   ";
  g.SeatName[2] = "Anna  ";
  CloseSeries(g, books, out, 12, 3);
  EXPECT_EQ(out.history.HName, "Anna/Boris");
  EXPECT_EQ(out.history.Ac, kHistoryNet);
  EXPECT_TRUE(out.refileNet);
  const std::array<int32_t, 13> report = {0, 0, 0, 0, 0, 2};
  EXPECT_EQ(out.report, report);
  const std::vector<std::string> tail = {"refile", "history", "close socket 1", "end of game 0 12 0",
                                         "menu"};
  EXPECT_EQ(std::vector<std::string>(out.steps.end() - 5, out.steps.end()), tail);
}

TEST_F(SeriesFixture, AccountSeriesSettlesAndSubmitsTheCompletedCycle) {
  g.opt.PlayerSlot = kSlotAccount;
  g.player.Name = "Nick";
  g.gs.KonAtStart = 98;
  g.gs.KonNo = 100;
  g.gs.ScoreBase = 300;
  books.Account.KonL = 48;  // kept from the start of the series
  books.Account.Score = 300;
  out.server.Kon = 100;  // the record read again, already charged
  out.server.Rating = AccountRatingStart(100, 4.0);
  out.server.Best = 200;
  out.place = 1;
  out.submitFailures = 1;
  const SeriesCloseResult r = CloseSeries(g, books, out, 20, 2);
  EXPECT_TRUE(r.accountSettled);
  EXPECT_EQ(out.server.Sessions, 1);
  EXPECT_EQ(out.server.Best, 320);
  EXPECT_EQ(out.server.KonL, 0);
  EXPECT_DOUBLE_EQ(out.history.HRei, out.server.Rating);
  EXPECT_EQ(out.history.Ac, kHistoryAccount);
  EXPECT_EQ(r.bonus, 25);
  const std::vector<std::string> expected = {
      "wait",   "read account", "write account", "unwait",           "history",
      "report", "submit",       "repeat?",       "submit",           "bonus 25",
      "end of game 1 320 25",   "menu"};
  EXPECT_EQ(out.steps, expected);
  // The 50th deal of the local count makes no list entry for an account.
  EXPECT_EQ(out.refileSlot, -1);
}

TEST_F(SeriesFixture, AccountSubmissionGivenUpAndUnreadRecord) {
  g.opt.PlayerSlot = kSlotAccount;
  g.gs.KonNo = 10;
  books.Account.KonL = 48;
  out.server.Kon = 10;
  out.submitFailures = 5;
  out.repeat = false;
  out.place = 5;
  SeriesCloseResult r = CloseSeries(g, books, out, 20, 2);
  EXPECT_EQ(std::count(out.steps.begin(), out.steps.end(), "submit"), 1);
  EXPECT_EQ(r.bonus, 0);
  EXPECT_EQ(std::count(out.steps.begin(), out.steps.end(), "menu"), 1);

  // Without the record read again nothing is settled or submitted.
  books.Account.KonL = 48;
  out.steps.clear();
  out.readOk = false;
  r = CloseSeries(g, books, out, 20, 2);
  EXPECT_FALSE(r.accountSettled);
  EXPECT_EQ(std::count(out.steps.begin(), out.steps.end(), "submit"), 0);
}

TEST_F(SeriesFixture, OnlineTableTakesTheTournamentScore) {
  g.opt.OnlineGame = true;
  g.opt.PlayerSlot = kSlotOnline;
  g.TablePlace = 1;
  g.gs.KonNo = 50;
  g.gs.SeriesRating = 7;
  books.MyClient.Nick = "Tourist";
  books.MyClient.Score = 1000;
  out.tourScore = 1016;
  CloseSeries(g, books, out, 30, 2);
  EXPECT_EQ(out.history.HRes, 16);
  EXPECT_EQ(out.history.HName, "Tourist");
  EXPECT_EQ(out.history.Ac, kHistoryOnline);
  const std::array<int32_t, 13> report = {0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(out.report, report);
  EXPECT_EQ(out.refileSlot, -1);
  EXPECT_EQ(std::count(out.steps.begin(), out.steps.end(), "end of game 0 30 0"), 0);
}

TEST_F(SeriesFixture, GeneralCountAndDealCounterHint) {
  Local(60, 1.25, 63, 40);
  g.gs.ScoreDiff = 30;
  g.gs.SeriesScore = 70;
  const DealHintLabels labels{"Current game", "General:", "Cycle:", "Session:"};
  TCount t = ShowGeneralCount(g, books);
  EXPECT_EQ(view.Count("PlayEffect WOpenFo"), 1);
  EXPECT_EQ(t.Count_KonAll, "63");
  EXPECT_EQ(t.Count_KonCur, "13");
  EXPECT_EQ(t.Count_ScoBeg, "40");
  EXPECT_EQ(t.Count_ScoCur, "30");
  EXPECT_EQ(t.Count_ScoAll, "70");
  EXPECT_EQ(t.Count_ReiBeg, "  1,25");
  EXPECT_EQ(t.Count_ReiCur, TwoDecimalText((60 * 1.25 + 3) / 63, 6));
  DealHint h = DealCounterHint(g, books, labels);
  EXPECT_EQ(h.title, "Current game");
  EXPECT_EQ(h.text, "General: 63\n\rCycle: 13 / 50");
  EXPECT_EQ(DealCounterText(g, "Game"), "Game: 3");

  g.gs.KonNo = 100;
  EXPECT_EQ(GeneralCount(g, books).Count_KonCur, "50");
  g.opt.NetGame = true;
  EXPECT_EQ(DealCounterHint(g, books, labels).text,
            "General: 100\n\rCycle: 50 / 50\n\rSession: 2 / 2");

  g.opt.NetGame = false;
  g.opt.PlayerSlot = kSlotAccount;
  books.Account.KonL = 46;
  books.Account.Rating = 12.6;
  g.gs.KonAtStart = 97;
  g.gs.KonNo = 101;
  t = GeneralCount(g, books);
  EXPECT_EQ(t.Count_KonCur, "50");
  EXPECT_EQ(t.Count_ReiBeg, "13");
  EXPECT_EQ(t.Count_ReiCur, "?");
  EXPECT_EQ(DealCounterHint(g, books, labels).text,
            "General: 101\n\rCycle: 50 / 50\n\rSession: 1 / 2");

  g.opt.OnlineGame = true;
  g.opt.PlayerSlot = kSlotOnline;
  books.MyClient.Rating = 1500;
  t = GeneralCount(g, books);
  EXPECT_EQ(t.Count_KonCur, "-");
  EXPECT_EQ(t.Count_ReiBeg, "1500");
  EXPECT_EQ(DealCounterHint(g, books, labels).text, "General: 101\n\rSession: 1 / 2");
}

}  // namespace
}  // namespace zarnet

namespace zarnet {
namespace {

struct CountingOutlets : SeriesOutlets {
  int refiled = 0, history = 0;
  std::string line;
  int RefilePlayer(bool, int, const std::string& l, bool) override {
    ++refiled;
    line = l;
    return 0;
  }
  void WriteHistory(const HisStr&) override { ++history; }
};

TEST(LowerButton, LeavingAfterASettledDealBooksTheSeries) {
  Game g;
  g.opt.OptFlyCards = false;
  g.opt.PlayerSlot = kSlotNewPlayer;
  g.player.Name = "Boris               ";
  g.player.PasswordField = "267268269270271";
  g.rng.Seed(0x5EED);  // a deal that offers no deuce to swap
  StartDeal(g, false);
  SeriesBooks books;
  CountingOutlets out;
  EXPECT_FALSE(LowerButtonClick(g, books, out));  // mid-deal, no deuce to swap
  EXPECT_EQ(out.refiled, 0);
  g.gs.DealPhase = 2;
  while (!g.gs.DealOver) {
    ComputerMove(g, g.gs.Leader);
    ComputerMove(g, g.gs.Turn);
    if (!g.gs.DealOver) CollectTrick(g);
  }
  ASSERT_TRUE(g.gs.DealSettled);
  EXPECT_TRUE(LowerButtonClick(g, books, out));
  EXPECT_EQ(out.refiled, 1);
  EXPECT_EQ(out.history, 1);
  EXPECT_EQ(g.gs.FinalScore, g.gs.SeriesScore);
  EXPECT_EQ(out.line.substr(0, 20), "Boris               ");
  EXPECT_EQ(out.line.size(), 59u);
}

}  // namespace
}  // namespace zarnet
