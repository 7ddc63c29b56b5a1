#include <gtest/gtest.h>

#include "engine.h"
#include "test_util.h"

namespace zarnet {
namespace {

using testing::C;
using testing::SetHand;
using testing::Suit;

struct LeadCase {
  const char* trump;
  std::vector<const char*> hand;
  const char* expected;
};

TEST(ChooseLead, WeakestPlainBelowTheThreeThenWeakestTrump) {
  const LeadCase cases[] = {
      {"п", {"Тч", "2б", "3п"}, "2б"},
      {"п", {"Тч", "3п", "Кп"}, "Кп"},
      {"п", {"3ч", "Тб"}, "3ч"},
      {"п", {"Кч", "Кб", "Тп"}, "Кч"},  // equal levels: slot order
      {"ч", {"4ч", "Тк"}, "4ч"},
  };
  for (const LeadCase& c : cases) {
    GameState gs;
    gs.Trump = Suit(c.trump);
    SetHand(gs, 1, c.hand);
    ArrangeHand(gs, 1);
    const int slot = ChooseLead(gs.Hand[1].data(), gs.HandOrder[1].data(), gs.Trump, gs.Played.data());
    ASSERT_GE(slot, 1);
    EXPECT_EQ(CardToUtf8(gs.Hand[1][slot]), c.expected);
  }
  GameState empty;
  SetHand(empty, 1, {});
  EXPECT_EQ(ChooseLead(empty.Hand[1].data(), empty.HandOrder[1].data(), 'x', empty.Played.data()), 0);
}

struct AnswerCase {
  const char* trump;
  const char* led;
  std::vector<const char*> hand;
  const char* expected;
};

TEST(ChooseAnswer, PriorityListOfTheComputer) {
  const AnswerCase cases[] = {
      {"п", "Тч", {"2ч", "4б", "Дб"}, "2ч"},  // nothing wins: cheapest plain card
      {"п", "4ч", {"Кч", "3ч", "7п"}, "3ч"},  // win with the three before the king
      {"п", "4ч", {"5б", "Вп"}, "5б"},        // a worthless lead is not trumped
      {"п", "Кч", {"5б", "Вп", "2п"}, "Вп"},  // trump with the jack before the two
      {"п", "3п", {"Тп", "2ч"}, "Тп"},
      {"п", "Тч", {"Тп", "3п", "Кб"}, "3п"},  // trumps: the three before the ace
      {"к", "Тч", {"3к", "Тк", "2ч"}, "3к"},
      {"п", "Тч", {"Тп", "3б", "Тк"}, "Тп"},  // plain cards lose; trump ace
      {"б", "Дч", {"Кб", "Дб", "7ч"}, "Дб"},  // queen of trumps before the king
  };
  for (const AnswerCase& c : cases) {
    GameState gs;
    gs.Trump = Suit(c.trump);
    SetHand(gs, 1, c.hand);
    ArrangeHand(gs, 1);
    const CardInfo led = CardInfoOf(C(c.led));
    bool beep = false;
    const int slot = ChooseAnswer(gs.Hand[1].data(), gs.HandOrder[1].data(), gs.HandPoints[1].data(),
                                  gs.Trump, led.code, led.order, led.points, &beep);
    EXPECT_EQ(CardToUtf8(gs.Hand[1][slot]), c.expected) << c.led;
    EXPECT_FALSE(beep);
  }
}

TEST(ChooseAnswer, EmptyHandFallsBackToSlotOneWithABeep) {
  GameState gs;
  SetHand(gs, 1, {});
  bool beep = false;
  const CardInfo led = CardInfoOf(C("Тч"));
  EXPECT_EQ(ChooseAnswer(gs.Hand[1].data(), gs.HandOrder[1].data(), gs.HandPoints[1].data(),
                         Suit("п"), led.code, led.order, led.points, &beep),
            1);
  EXPECT_TRUE(beep);
}

TEST(ComputerMove, ReplacesTheDeuceBeforeLeading) {
  Game g;
  g.opt.OptFlyCards = false;
  GameState& gs = g.gs;
  gs.Trump = Suit("п");
  gs.DeckNext = 11;
  gs.Deck[40] = C("Кп");
  gs.DeckOrder[40] = 8;
  gs.DeckPoints[40] = 4;
  SetHand(gs, 1, {"2п", "Тч", "3б"});
  ArrangeHand(gs, 1);
  gs.Leader = gs.Turn = 1;
  ASSERT_TRUE(ComputerMove(g, 1));
  EXPECT_EQ(CardToUtf8(gs.Deck[40]), "2п");
  EXPECT_EQ(gs.Turn, 2);
  // Holding "Тч", "3б", "Кп" it leads the king of trumps.
  EXPECT_EQ(CardToUtf8(gs.Table[1]), "Кп");
  EXPECT_FALSE(ComputerMove(g, 1));  // not its turn now
}

}  // namespace
}  // namespace zarnet
