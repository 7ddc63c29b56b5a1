#include <gtest/gtest.h>

#include "cards.h"

namespace zarnet {
namespace {

TEST(Cards, NumbersTurnIntoCodesOrdersAndPoints) {
  struct Case {
    int n;
    const char* utf8;
    int order, points;
  } cases[] = {{1, "2ч", 1, 0}, {2, "2б", 1, 0}, {4, "2п", 1, 0},  {5, "4ч", 2, 0},
               {21, "Вч", 6, 2}, {33, "3ч", 9, 10}, {37, "Тч", 10, 11}, {40, "Тп", 10, 11}};
  for (const Case& c : cases) {
    const CardInfo info = CardFromNumber(c.n);
    EXPECT_EQ(CardToUtf8(info.code), c.utf8) << c.n;
    EXPECT_EQ(info.order, c.order) << c.n;
    EXPECT_EQ(info.points, c.points) << c.n;
    EXPECT_EQ(CardNumberOf(info.code), c.n);
  }
}

TEST(Cards, DeckHoldsFortyDistinctCardsWorth120) {
  int sum = 0;
  for (int n = 1; n <= 40; ++n) {
    sum += kDeckTable[n].points;
    for (int m = n + 1; m <= 40; ++m) EXPECT_FALSE(kDeckTable[n].code == kDeckTable[m].code);
    EXPECT_NE(kDeckTable[n].code.rank, '8');
    EXPECT_NE(kDeckTable[n].code.rank, '9');
  }
  EXPECT_EQ(sum, 120);
  EXPECT_EQ(CardNumberOf(EmptyCard), 0);
}

}  // namespace
}  // namespace zarnet
