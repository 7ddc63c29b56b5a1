#include <gtest/gtest.h>

#include "engine.h"
#include "recording_view.h"
#include "test_util.h"

namespace zarnet {
namespace {

using testing::C;
using testing::HandUtf8;
using testing::SetHand;
using testing::Suit;

struct WinnerCase {
  const char *led, *answer, *trump;
  int leader, winner;
};

TEST(TrickWinnerOf, HigherOfTheLedSuitUnlessTrumped) {
  const WinnerCase cases[] = {
      {"Тч", "3ч", "п", 2, 2},  // same suit: ace over three
      {"Тч", "2п", "п", 2, 1},  // the answer trumps
      {"2б", "Тч", "п", 1, 1},  // suits differ, no trump: the led card
      {"2п", "Тп", "п", 1, 2},  // higher trump
      {"Кп", "Тч", "п", 2, 2},  // a led trump beats a plain ace
      {"7к", "Вк", "ч", 1, 2},
  };
  for (const WinnerCase& c : cases) {
    const CardInfo led = CardInfoOf(C(c.led));
    const CardInfo ans = CardInfoOf(C(c.answer));
    EXPECT_EQ(TrickWinnerOf(c.leader, Suit(c.trump), led.code, ans.code, led.order, ans.order),
              c.winner)
        << c.led << " " << c.answer;
  }
}

// A deal reduced to its last trick: the deck is gone, one card in each hand.
class LastTrick : public ::testing::Test {
 protected:
  RecordingView view;
  Game g{&view};
  void SetUp() override {
    g.opt.OptFlyCards = false;
    GameState& gs = g.gs;
    gs.DealActive = true;
    gs.DealPhase = 2;
    gs.Trump = Suit("п");
    gs.DeckNext = 41;
    gs.Leader = gs.Turn = 2;
    gs.KonNo = 7;
    SetHand(gs, 2, {"Тч"});
    SetHand(gs, 1, {"2б"});
  }
  void PlayOut(int before1, int before2) {
    g.gs.TrickPoints[1] = before1;
    g.gs.TrickPoints[2] = before2;
    PlayCard(g, 2, 1);
    PlayCard(g, 1, 1);
  }
};

TEST_F(LastTrick, SixtyOneWinsTheBonus) {
  g.gs.GameScore[1] = 5;
  PlayOut(59, 50);
  EXPECT_TRUE(g.gs.DealOver);
  EXPECT_TRUE(g.gs.DealSettled);
  EXPECT_EQ(g.gs.TrickPoints[2], 61);
  EXPECT_EQ(g.gs.GameScore[2], 71);
  EXPECT_EQ(g.gs.GameScore[1], 5 + 59);
  EXPECT_EQ(view.Count("PlayEffect WKoGutX"), 1);
  EXPECT_EQ(view.Count("PlayEffect WPlMore"), 0);
  EXPECT_TRUE(view.Has("ShowDealResult 2 59:61"));
  EXPECT_EQ(g.gs.ScoreDiff, 71 - 64);
  EXPECT_TRUE(view.Has("DrawHand 1 reveal"));
  EXPECT_EQ(view.buttonText[0], ButtonText::NextGame);
}

TEST_F(LastTrick, SixtyAllGivesNoBonus) {
  PlayOut(60, 49);
  EXPECT_EQ(g.gs.GameScore[1], 60);
  EXPECT_EQ(g.gs.GameScore[2], 60);
  EXPECT_EQ(view.Count("PlayEffect WPlMore"), 1);
  EXPECT_EQ(view.Count("PlayEffect WKoGutX") + view.Count("PlayEffect WKoBadX"), 0);
  EXPECT_TRUE(view.Has("ShowDealResult 0 60:60"));
}

TEST_F(LastTrick, PanelsShowTheWinnersGain) {
  PlayOut(59, 50);
  EXPECT_TRUE(view.Has("DrawScorePanel 2 1 71 11 61"));
  EXPECT_TRUE(view.Has("DrawScorePanel 1 2 59 -1000000 59"));
}

TEST_F(LastTrick, FiftiethDealLeavesOnlyTheWayToTheMenu) {
  g.gs.KonNo = 50;
  PlayOut(59, 50);
  EXPECT_FALSE(view.buttonEnabled[0]);
  EXPECT_TRUE(view.buttonEnabled[1]);
}

// Plays a whole deal with the computer's rules on both seats.
void PlayDeal(Game& g) {
  GameState& gs = g.gs;
  gs.DealPhase = 2;
  CheckBlackHand(g);
  while (!gs.DealOver) {
    ComputerMove(g, gs.Leader);
    ComputerMove(g, gs.Turn);
    if (gs.DealOver) break;
    CollectTrick(g);
    if (gs.PlayedNext == 35) {  // the 17th trick was collected
      EXPECT_EQ(gs.DeckNext, 41);
      EXPECT_TRUE(gs.DeckEmptyAnnounced);
      EXPECT_EQ(gs.HandCount[1], 3);
      EXPECT_EQ(gs.HandCount[2], 3);
    }
    if (gs.PlayedNext == 33) {
      EXPECT_EQ(gs.DeckNext, 39);  // two cards left before the 17th trick
    }
  }
}

TEST(WholeDeal, DeckRunsOutAfterTheSeventeenthTrick) {
  RecordingView view;
  Game g(&view);
  g.opt.OptBlackHand = false;
  g.opt.OptReplaceDeuce = false;
  g.rng.Seed(42);
  StartDeal(g, false);
  PlayDeal(g);
  EXPECT_EQ(g.gs.PlayedNext, 39);  // the last trick ends the deal uncollected
  EXPECT_EQ(g.gs.TrickPoints[1] + g.gs.TrickPoints[2], 120);
  EXPECT_EQ(view.Count("PlayEffect WKoloNo"), 1);
}

TEST(WholeDeal, LoserOfTheSeventeenthTrickTakesTheTurnedUpCard) {
  Game g;
  g.opt.OptBlackHand = false;
  g.opt.OptReplaceDeuce = false;
  g.rng.Seed(7);
  StartDeal(g, false);
  const CardCode turned = g.gs.Deck[40];
  GameState& gs = g.gs;
  gs.DealPhase = 2;
  while (gs.PlayedNext < 33) {
    ComputerMove(g, gs.Leader);
    ComputerMove(g, gs.Turn);
    CollectTrick(g);
  }
  ComputerMove(g, gs.Leader);
  ComputerMove(g, gs.Turn);
  const int loser = gs.TrickWinner == 1 ? 2 : 1;
  CollectTrick(g);
  bool found = false;
  for (int k = 1; k <= 3; ++k) found |= gs.Hand[loser][k] == turned;
  EXPECT_TRUE(found);
}

class Deuce : public ::testing::Test {
 protected:
  RecordingView view;
  Game g{&view};
  void SetUp() override {
    g.opt.OptFlyCards = true;
    GameState& gs = g.gs;
    gs.Trump = Suit("п");
    gs.DeckNext = 7;
    gs.Deck[40] = C("Тп");
    gs.DeckOrder[40] = 10;
    gs.DeckPoints[40] = 11;
    SetHand(gs, 2, {"5ч", "2п", "Кб"});
    ArrangeHand(gs, 2);
    gs.Leader = gs.Turn = 2;
  }
};

TEST_F(Deuce, SwapTakesTheTurnedUpTrump) {
  ASSERT_TRUE(CanReplaceDeuce(g, 2));
  ReplaceDeuce(g, 2);
  EXPECT_EQ(HandUtf8(g.gs, 2), (std::vector<std::string>{"5ч", "Кб", "Тп", "##"}));
  EXPECT_EQ(g.gs.HandCount[2], 3);
  EXPECT_EQ(CardToUtf8(g.gs.Deck[40]), "2п");
  EXPECT_EQ(g.gs.DeckOrder[40], 1);
  EXPECT_EQ(g.gs.DeckPoints[40], 0);
  EXPECT_EQ(view.Count("FlyCard"), 2);
  EXPECT_EQ(view.Count("PlayEffect WPlMore wait"), 1);
  EXPECT_EQ(view.buttonText[1], ButtonText::ExitToMenu);
}

TEST_F(Deuce, RefusedWithOnlyTheTurnedUpCardLeft) {
  g.gs.DeckNext = 40;
  EXPECT_FALSE(CanReplaceDeuce(g, 2));
  g.gs.DeckNext = 39;
  EXPECT_TRUE(CanReplaceDeuce(g, 2));
  g.opt.OptReplaceDeuce = false;
  EXPECT_FALSE(CanReplaceDeuce(g, 2));
}

TEST_F(Deuce, OfferLapsesWhenThePlayerPlays) {
  g.gs.DealActive = true;
  g.gs.DealPhase = 2;
  MoveDriverTick(g);
  EXPECT_TRUE(view.buttonEnabled[1]);
  EXPECT_EQ(view.buttonText[1], ButtonText::ReplaceDeuce);
  SetHand(g.gs, 1, {"4ч", "6ч", "7ч"});
  ASSERT_TRUE(PlayerPlayCard(g, 1, 100));
  EXPECT_FALSE(view.buttonEnabled[1]);
  EXPECT_EQ(g.gs.Turn, 1);
}

TEST(BlackHand, EndsTheDealWith120AndDropsTheTrickPoints) {
  RecordingView view;
  Game g(&view);
  GameState& gs = g.gs;
  gs.Trump = Suit("к");
  gs.DealActive = true;
  gs.DeckNext = 15;
  gs.TrickPoints[1] = 30;
  gs.TrickPoints[2] = 10;
  gs.GameScore[2] = 40;
  SetHand(gs, 2, {"Тк", "Кк", "3к"});
  ArrangeHand(gs, 2);
  SetHand(gs, 1, {"2ч", "4ч", "5ч"});
  CheckBlackHand(g);
  EXPECT_TRUE(gs.DealOver);
  EXPECT_TRUE(gs.DealSettled);
  EXPECT_EQ(gs.Turn, kTurnTrickDone);
  EXPECT_EQ(gs.GameScore[2], 160);
  EXPECT_EQ(gs.GameScore[1], 0);
  EXPECT_TRUE(view.Has("DrawNamePlate 2 b Black Hand!"));
  EXPECT_EQ(view.Count("PlayEffect WKoGutX"), 1);
  EXPECT_TRUE(view.Has("ShowDealResult 2 0:120"));
}

TEST(BlackHand, OffWhenTheRuleIsOffOrTheHandDiffers) {
  Game g;
  GameState& gs = g.gs;
  gs.Trump = Suit("к");
  SetHand(gs, 1, {"Кк", "3к", "Тк"});
  g.opt.OptBlackHand = false;
  CheckBlackHand(g);
  EXPECT_FALSE(gs.DealOver);
  g.opt.OptBlackHand = true;
  SetHand(gs, 1, {"Дк", "3к", "Тк"});
  CheckBlackHand(g);
  EXPECT_FALSE(gs.DealOver);
  SetHand(gs, 1, {"Кк", "3к", "Тк"});
  CheckBlackHand(g);
  EXPECT_TRUE(gs.DealOver);
  EXPECT_EQ(gs.GameScore[1], 120);
}

TEST(Collect, WinnerDrawsFirstAndLeads) {
  Game g;
  GameState& gs = g.gs;
  g.opt.OptFlyCards = false;
  gs.Trump = Suit("п");
  gs.DeckNext = 7;
  gs.PlayedNext = 1;
  for (int i = 7; i <= 40; ++i) gs.Deck[i] = kDeckTable[i].code;
  for (int i = 7; i <= 40; ++i) gs.DeckOrder[i] = kDeckTable[i].order;
  SetHand(gs, 1, {"Тч", "4б"});
  SetHand(gs, 2, {"5ч", "7б"});
  gs.Table[1] = C("Кк");
  gs.Table[2] = C("2к");
  gs.Leader = 2;
  gs.TrickWinner = 1;
  gs.Turn = kTurnTrickDone;
  CollectTrick(g);
  EXPECT_EQ(gs.Leader, 1);
  EXPECT_EQ(gs.Turn, 1);
  EXPECT_EQ(gs.DeckNext, 9);
  EXPECT_EQ(gs.PlayedNext, 3);
  EXPECT_EQ(gs.Played[1], C("Кк"));
  bool winnerGotFirst = false;
  for (int k = 1; k <= 3; ++k) winnerGotFirst |= gs.Hand[1][k] == kDeckTable[7].code;
  EXPECT_TRUE(winnerGotFirst);
  EXPECT_EQ(gs.Table[1], EmptyCard);
}

}  // namespace
}  // namespace zarnet
