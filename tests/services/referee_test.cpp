// The table referee on decks laid out by hand: the rules that a random deck
// rarely reaches.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "cards.h"
#include "referee.h"

namespace zarnet::services {
namespace {

// Card numbers: rank row * 4 + suit, hearts first.
constexpr int kDeuceHearts = 1, kFourHearts = 5, kKingHearts = 29, kThreeHearts = 33, kAceHearts = 37;

// 80 code bytes: `first` from Deck[1] on, `last` as Deck[40], the rest in number order.
std::string Deck(std::initializer_list<int> first, int last) {
  std::string codes;
  bool used[41] = {};
  for (int n : first) codes += kDeckTable[n].code.Bytes(), used[n] = true;
  used[last] = true;
  for (int n = 1; n <= 40; ++n)
    if (!used[n]) codes += kDeckTable[n].code.Bytes();
  return codes + kDeckTable[last].code.Bytes();
}

std::string Play(int card) { return "hhod" + kDeckTable[card].code.Bytes(); }

TEST(Referee, BlackHandEndsTheDealWhenItBegins) {
  Referee r;
  r.BeginDeal(Deck({kKingHearts, kThreeHearts, kAceHearts}, kDeuceHearts), true);
  EXPECT_EQ(r.Move(2, "hsitkon2"), Referee::Verdict::Illegal) << "seat 1 leads the first deal";
  Referee fresh;
  fresh.BeginDeal(Deck({kAceHearts, kKingHearts, kThreeHearts}, kDeuceHearts), true);
  EXPECT_EQ(fresh.Move(1, "hsitkon2"), Referee::Verdict::Relay);
  EXPECT_TRUE(fresh.DealOver());
  EXPECT_EQ(fresh.Score(1), 120);
  EXPECT_EQ(fresh.Score(2), 0);
  EXPECT_EQ(fresh.Move(1, Play(kAceHearts)), Referee::Verdict::Illegal) << "no play after the deal";
}

TEST(Referee, OnlyTheHolderOfTheDeuceReplacesItOnHisTurn) {
  Referee r;
  r.BeginDeal(Deck({kDeuceHearts}, kFourHearts), true);
  EXPECT_EQ(r.Move(2, "hchan2"), Referee::Verdict::Illegal);
  EXPECT_EQ(r.Move(1, "hsitkon2"), Referee::Verdict::Relay);
  EXPECT_EQ(r.Move(1, "hchan2"), Referee::Verdict::Relay);
  // The deuce went under the deck; the turned-up four came to the hand.
  EXPECT_EQ(r.Move(1, Play(kDeuceHearts)), Referee::Verdict::Illegal);
  Referee again;
  again.BeginDeal(Deck({kDeuceHearts}, kFourHearts), true);
  again.Move(1, "hsitkon2");
  again.Move(1, "hchan2");
  EXPECT_EQ(again.Move(1, Play(kFourHearts)), Referee::Verdict::Relay);
  EXPECT_EQ(again.Move(1, "hchan2"), Referee::Verdict::Illegal) << "once";
  EXPECT_EQ(again.Move(1, "hxyz"), Referee::Verdict::Ignore);
}

TEST(Referee, TheSecondDealIsLedBySeatTwoAndScoresAddUp) {
  Referee r;
  r.BeginDeal(Deck({kKingHearts, kThreeHearts, kAceHearts}, kDeuceHearts), true);
  r.Move(1, "hsitkon2");
  r.BeginDeal(Deck({2, 3, 4, kKingHearts, kThreeHearts, kAceHearts}, kDeuceHearts), false);
  EXPECT_EQ(r.deals(), 2);
  EXPECT_EQ(r.Move(1, "hsitkon2"), Referee::Verdict::Illegal);
  EXPECT_EQ(r.Move(2, "hsitkon2"), Referee::Verdict::Relay);
  EXPECT_EQ(r.Score(1), 120);
  EXPECT_EQ(r.Score(2), 120);
}

}  // namespace
}  // namespace zarnet::services
