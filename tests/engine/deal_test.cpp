#include <gtest/gtest.h>

#include <cmath>

#include "engine.h"
#include "recording_view.h"
#include "test_util.h"

namespace zarnet {
namespace {

using testing::DeckBytes;

// A player list whose lines the test writes.
class FakeRecords : public PlayerRecords {
 public:
  std::string line;
  TKuvGame account;
  TKuvClient client;
  std::string PlayerLine(bool, int) override { return line; }
  TKuvGame AccountGame() override { return account; }
  std::string AccountNick() override { return "nick"; }
  TKuvClient OnlineClient() override { return client; }
};

std::string ListLine(const std::string& name, const std::string& rating, int kon, int score) {
  std::string n = name;
  n.resize(20, ' ');
  std::string k = std::to_string(kon), s = std::to_string(score);
  return n + rating + std::string(7 - k.size(), ' ') + k + " " + std::string(6 - s.size(), ' ') +
         s + "267268269270271";
}

const char* kDeck =
    "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч";

TEST(StartDeal, DealsThreeEachAndTurnsUpTheLastCard) {
  RecordingView view;
  Game g(&view);
  g.PresetDeck = DeckBytes(kDeck);
  StartDeal(g, false);
  const GameState& gs = g.gs;
  EXPECT_EQ(gs.DeckNext, 7);
  EXPECT_EQ(gs.Trump, testing::Suit("ч"));
  EXPECT_EQ(gs.HandCount[1], 3);
  EXPECT_EQ(gs.HandCount[2], 3);
  // Seat 1 got Deck[1..3], seat 2 Deck[4..6], each then arranged (trump ч).
  EXPECT_EQ(testing::HandUtf8(gs, 1), (std::vector<std::string>{"4б", "5к", "2ч", "##"}));
  EXPECT_EQ(testing::HandUtf8(gs, 2), (std::vector<std::string>{"6п", "Вб", "7ч", "##"}));
  EXPECT_EQ(gs.DealPhase, 1);
  EXPECT_TRUE(gs.DealActive);
  EXPECT_EQ(gs.PlayedNext, 1);
  EXPECT_EQ(g.SeatName[1], "PC");
  EXPECT_EQ(view.buttonText[0], ButtonText::ToBegin);
  EXPECT_TRUE(view.buttonEnabled[0]);
  EXPECT_FALSE(view.buttonEnabled[1]);
  EXPECT_EQ(view.Count("PlayEffect WTasoKo"), 1);
  EXPECT_FALSE(g.TimerEnabled);
  EXPECT_EQ(g.TimerIntervalMs, 200);
}

TEST(StartDeal, ShuffledDeckIsThePermutationOfTheFortyCards) {
  Game g;
  for (int round = 0; round < 50; ++round) {
    StartDeal(g, round > 0);
    bool seen[41] = {};
    for (int i = 1; i <= 40; ++i) {
      const int n = CardNumberOf(g.gs.Deck[i]);
      ASSERT_GT(n, 0);
      ASSERT_FALSE(seen[n]);
      seen[n] = true;
      EXPECT_EQ(g.gs.DeckOrder[i], kDeckTable[n].order);
      EXPECT_EQ(g.gs.DeckPoints[i], kDeckTable[n].points);
    }
    EXPECT_EQ(g.gs.Trump, g.gs.Deck[40].suit);
  }
}

struct LeaderCase {
  int konBefore;
  uint8_t netRole;
  int turn;
};

TEST(StartDeal, FirstLeaderFollowsTheDealNumber) {
  const LeaderCase cases[] = {{10, 0, 2}, {11, 0, 1}, {10, 1, 2}, {11, 1, 1}, {10, 2, 1}, {11, 2, 2}};
  for (const LeaderCase& c : cases) {
    FakeRecords rec;
    rec.line = ListLine("Anna", "  1,500000", c.konBefore, 12);
    Game g;
    g.records = &rec;
    g.opt.PlayerSlot = 1;
    g.opt.NetGame = c.netRole != 0;
    g.opt.NetRole = c.netRole;
    StartDeal(g, false);
    EXPECT_EQ(g.gs.KonNo, c.konBefore + 1) << c.konBefore << "/" << int(c.netRole);
    EXPECT_EQ(g.gs.Turn, c.turn) << c.konBefore << "/" << int(c.netRole);
    EXPECT_EQ(g.gs.Leader, g.gs.Turn);
  }
}

TEST(StartDeal, ListPlayerCountersComeFromTheLine) {
  FakeRecords rec;
  rec.line = ListLine("Anna", " -2,250000", 10, -40);
  Game g;
  g.records = &rec;
  g.opt.PlayerSlot = 3;
  StartDeal(g, false);
  EXPECT_EQ(g.gs.KonAtStart, 10);
  EXPECT_EQ(g.gs.KonNo, 11);
  EXPECT_EQ(g.gs.ScoreBase, -40);
  EXPECT_EQ(g.gs.SeriesScore, -40);
  EXPECT_DOUBLE_EQ(g.gs.SeriesRating, -2.25);
  EXPECT_EQ(g.player.StoredKon, 10);
  EXPECT_EQ(g.player.PasswordField, "267268269270271");
  EXPECT_EQ(g.SeatName[2], "Anna");
}

TEST(StartDeal, NewPlayerStartsFromZeroAndLeads) {
  Game g;
  g.opt.PlayerSlot = kSlotNewPlayer;
  g.player.Name = "Boris               ";
  StartDeal(g, false);
  EXPECT_EQ(g.gs.KonNo, 1);
  EXPECT_EQ(g.gs.ScoreBase, 0);
  EXPECT_EQ(g.gs.Turn, 2);
  EXPECT_EQ(g.player.KonText, "      0");
}

TEST(StartDeal, FurtherDealKeepsTheSeriesScore) {
  Game g;
  StartDeal(g, false);
  g.gs.GameScore[1] = 40;
  g.gs.GameScore[2] = 90;
  g.gs.TrickPoints[1] = 33;
  StartDeal(g, true);
  EXPECT_EQ(g.gs.GameScore[1], 40);
  EXPECT_EQ(g.gs.GameScore[2], 90);
  EXPECT_EQ(g.gs.TrickPoints[1], 0);
  StartDeal(g, false);
  EXPECT_EQ(g.gs.GameScore[2], 0);
}

TEST(StartDeal, GuestCountsEachDeckAfterAFinishedDeal) {
  Game g;
  g.opt.NetGame = true;
  g.opt.NetRole = 2;
  g.gs.KonNo = 0;
  StartDeal(g, false);
  EXPECT_EQ(g.gs.KonNo, 1);
  StartDeal(g, true);  // the first deck arrives: same deal
  EXPECT_EQ(g.gs.KonNo, 1);
  EXPECT_FALSE(g.WaitingForDeck);
  g.gs.Turn = kTurnTrickDone;
  StartDeal(g, true);  // a deck after a finished deal
  EXPECT_EQ(g.gs.KonNo, 2);
}

TEST(StartDeal, GuestWaitsForTheHostsDeck) {
  RecordingView view;
  Game g(&view);
  g.opt.NetGame = true;
  g.opt.NetRole = 2;
  StartDeal(g, false);
  EXPECT_TRUE(g.WaitingForDeck);
  EXPECT_EQ(g.gs.Hand[1][1], EmptyCard);
  EXPECT_FALSE(view.buttonEnabled[0]);
  EXPECT_TRUE(view.Has("ShowHandNotice 1 Expectation of the server..."));
  EXPECT_EQ(view.Count("PlayEffect WTasoKo"), 0);
}

// Chi-square of each card's position over many shuffles.
double PositionChiSquare(Game& g, int shuffles) {
  std::vector<int> counts(41 * 41, 0);
  for (int s = 0; s < shuffles; ++s) {
    ShuffleDeck(g);
    for (int p = 1; p <= 40; ++p) ++counts[CardNumberOf(g.gs.Deck[p]) * 41 + p];
  }
  const double expected = shuffles / 40.0;
  double chi = 0;
  for (int n = 1; n <= 40; ++n)
    for (int p = 1; p <= 40; ++p) {
      const double d = counts[n * 41 + p] - expected;
      chi += d * d / expected;
    }
  return chi;
}

TEST(ShuffleDeck, EveryCardIsEquallyLikelyInEveryPosition) {
  Game g;
  g.rng.Seed(2024);
  // 1521 degrees of freedom: mean 1521, standard deviation about 55.
  const double chi = PositionChiSquare(g, 40000);
  EXPECT_LT(chi, 1521 + 5 * 55);
  EXPECT_GT(chi, 1521 - 5 * 55);
}

TEST(ShuffleDeck, SameSeedSameDeck) {
  Game a, b;
  a.rng.Seed(99);
  b.rng.Seed(99);
  ShuffleDeck(a);
  ShuffleDeck(b);
  EXPECT_EQ(a.gs.Deck, b.gs.Deck);
  ShuffleDeck(b);
  EXPECT_NE(a.gs.Deck, b.gs.Deck);
}

TEST(ShuffleDeck, EveryNewGameDealsAFreshDeck) {
  // Games created back to back, as two starts of a program are.
  Game a, b;
  ShuffleDeck(a);
  ShuffleDeck(b);
  EXPECT_NE(a.gs.Deck, b.gs.Deck);
  EXPECT_NE(EntropySeed(), EntropySeed());
  // The searching players' own draws differ too, or they would repeat their
  // choices from start to start.
  EXPECT_NE(a.strongRng.Next(), b.strongRng.Next());
}

struct RatingCase {
  int k, diff;
  double r0;
  int k0;
  double expected;
};

TEST(LocalRating, AveragesTheDifferenceWithHalvesToEven) {
  const RatingCase cases[] = {
      {1, 32, 0.0, 0, 3.2},          // a new player's first deal won 71:49
      {12, -30, 1.5, 10, 1.0},       // (15 - 3) / 12
      {64, 1, 0.0, 0, 0.001562},     // 1562.5 millionths: down to the even
      {64, 3, 0.0, 0, 0.004688},     // 4687.5 millionths: up to the even
      {1, 2000, 0.0, 0, 99.99},      // clamped
      {1, -2000, 0.0, 0, -99.99},
      {3, 0, 1.0, 3, 1.0},
  };
  for (const RatingCase& c : cases) {
    EXPECT_NEAR(LocalRating(c.k, c.diff, c.r0, c.k0), c.expected, 1e-12) << c.k << " " << c.diff;
  }
}

TEST(BookDealResult, DifferenceScoreAndRating) {
  Game g;
  g.gs.GameScore[1] = 49;
  g.gs.GameScore[2] = 81;
  g.gs.ScoreBase = 100;
  g.gs.KonNo = 1;
  BookDealResult(g);
  EXPECT_EQ(g.gs.ScoreDiff, 32);
  EXPECT_EQ(g.gs.SeriesScore, 132);
  EXPECT_NEAR(g.gs.SeriesRating, 3.2, 1e-12);
  g.opt.OnlineGame = true;
  g.gs.SeriesRating = 7;
  BookDealResult(g);
  EXPECT_EQ(g.gs.SeriesRating, 7);
}

}  // namespace
}  // namespace zarnet
