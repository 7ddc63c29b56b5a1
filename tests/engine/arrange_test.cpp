#include <gtest/gtest.h>

#include "test_util.h"

namespace zarnet {
namespace {

using testing::C;
using testing::HandUtf8;
using testing::SetHand;
using testing::Suit;
using V = std::vector<std::string>;

struct ArrangeCase {
  const char* trump;
  std::vector<const char*> hand;
  V expected;
  int count;
};

class ArrangeHandTest : public ::testing::TestWithParam<ArrangeCase> {};

TEST_P(ArrangeHandTest, PlainCardsWeakestFirstThenTrumps) {
  const ArrangeCase& c = GetParam();
  GameState gs;
  gs.Trump = Suit(c.trump);
  SetHand(gs, 1, c.hand);
  ArrangeHand(gs, 1);
  EXPECT_EQ(HandUtf8(gs, 1), c.expected);
  EXPECT_EQ(gs.HandCount[1], c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, ArrangeHandTest,
    ::testing::Values(
        ArrangeCase{"ч", {"Тп", "2ч", "Дб"}, {"Дб", "Тп", "2ч", "##"}, 3},
        ArrangeCase{"п", {"Тп", "3п", "Кп"}, {"Кп", "3п", "Тп", "##"}, 3},
        // Equal strength in two suits keeps the slot order, either way round.
        ArrangeCase{"п", {"Кб", "Кч", "2к"}, {"2к", "Кб", "Кч", "##"}, 3},
        ArrangeCase{"п", {"Кч", "Кб", "2к"}, {"2к", "Кч", "Кб", "##"}, 3},
        // Four cards inside the deuce exchange are sorted too.
        ArrangeCase{"ч", {"Тч", "5б", "2ч", "3к"}, {"5б", "3к", "2ч", "Тч"}, 4}));

TEST(ArrangeHand, EmptiedSlotsMoveToTheEnd) {
  GameState gs;
  gs.Trump = Suit("к");
  SetHand(gs, 2, {"Тб", "5ч", "7п"});
  gs.Hand[2][2] = EmptyCard;  // played: order 0
  gs.HandOrder[2][2] = 0;
  ArrangeHand(gs, 2);
  EXPECT_EQ(HandUtf8(gs, 2), (V{"7п", "Тб", "##", "##"}));
  EXPECT_EQ(gs.HandOrder[2][3], 99);
  EXPECT_EQ(gs.HandCount[2], 2);
}

TEST(ArrangeHand, EmptyHandCountsZero) {
  GameState gs;
  gs.Trump = Suit("к");
  SetHand(gs, 1, {});
  gs.HandCount[1] = 3;
  ArrangeHand(gs, 1);
  EXPECT_EQ(HandUtf8(gs, 1), (V{"##", "##", "##", "##"}));
  EXPECT_EQ(gs.HandCount[1], 0);
}

TEST(ArrangeHand, FourRealCardsKeepTheCount) {
  GameState gs;
  gs.Trump = Suit("к");
  SetHand(gs, 1, {"Тб", "5ч", "7п", "2к"});
  gs.HandCount[1] = 3;  // as during the exchange, before it is raised
  ArrangeHand(gs, 1);
  EXPECT_EQ(gs.HandCount[1], 3);
}

}  // namespace
}  // namespace zarnet
