#include <gtest/gtest.h>

#include <sstream>

#include "engine.h"
#include "selfplay.h"
#include "test_util.h"

namespace zarnet {
namespace {

const char* kDeck =
    "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч";

TEST(SelfPlay, ReplaysAGivenDeckTheSameWayEachTime) {
  SelfPlayOptions o;
  o.deck = testing::DeckBytes(kDeck);
  o.firstLeader = 1;
  o.blackHand = false;  // this deck deals seat 1 a Black Hand
  o.trace = true;
  std::ostringstream a, b;
  const SelfPlaySummary s = RunSelfPlay(o, &a);
  RunSelfPlay(o, &b);
  EXPECT_EQ(a.str(), b.str());
  EXPECT_EQ(s.deals, 1);
  EXPECT_EQ(s.invariantFailures, 0);
  const std::string t = a.str();
  EXPECT_EQ(t.rfind("trick=1 leader=1 ", 0), 0u) << t;
  EXPECT_NE(t.find("trick=20 "), std::string::npos);
  EXPECT_NE(t.find("deal=1 trump=ч "), std::string::npos);
  o.blackHand = true;
  std::ostringstream c;
  EXPECT_EQ(RunSelfPlay(o, &c).blackHands, 1);
  EXPECT_NE(c.str().find("blackhand=1"), std::string::npos);
}

TEST(SelfPlay, SameSeedSameSeries) {
  SelfPlayOptions o;
  o.deals = 300;
  o.seed = 5;
  const SelfPlaySummary a = RunSelfPlay(o, nullptr);
  const SelfPlaySummary b = RunSelfPlay(o, nullptr);
  EXPECT_EQ(a.seat1Wins, b.seat1Wins);
  EXPECT_EQ(a.deuceSwaps, b.deuceSwaps);
  EXPECT_EQ(a.seat1Wins + a.seat2Wins + a.ties, 300);
  EXPECT_GT(a.deuceSwaps, 0);
  o.replaceDeuce = false;
  o.blackHand = false;
  const SelfPlaySummary c = RunSelfPlay(o, nullptr);
  EXPECT_EQ(c.deuceSwaps, 0);
  EXPECT_EQ(c.blackHands, 0);
}

TEST(DealInvariants, CatchACardInTwoPlaces) {
  Game g;
  StartDeal(g, false);
  EXPECT_EQ(CheckDealInvariants(g.gs, true), "");
  g.gs.Hand[1][1] = g.gs.Deck[40];
  EXPECT_NE(CheckDealInvariants(g.gs, true), "");
  StartDeal(g, true);
  g.gs.HandCount[2] = 2;
  EXPECT_NE(CheckDealInvariants(g.gs, true), "");
}

}  // namespace
}  // namespace zarnet
