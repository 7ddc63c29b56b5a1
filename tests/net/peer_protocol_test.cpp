#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "engine.h"
#include "peer_protocol.h"
#include "recording_view.h"
#include "test_util.h"

namespace zarnet {
namespace {

using testing::C;
using testing::DeckBytes;

class Outlet : public PeerOutlet {
 public:
  std::vector<std::string> written;
  std::vector<std::string> chat;
  int connected = 0, started = 0, outOfStep = 0;
  void Write(const std::string& bytes) override { written.push_back(bytes); }
  void SecondPlayerConnected() override { ++connected; }
  void GuestSeriesStarts() override { ++started; }
  void ChatLine(const std::string& text, int) override { chat.push_back(text); }
  void PeerOutOfStep() override { ++outOfStep; }
};

TEST(PeerMessages, LayoutsByteForByte) {
  EXPECT_EQ(HelloMessage("Anna"), "kuv8825connect1Anna                ");
  EXPECT_EQ(HelloMessage("Anna").size(), kHelloLength);
  EXPECT_EQ(WelcomeMessage("Boris"), "connect2Boris               ");
  EXPECT_EQ(PlayMessage(C("2п")), "hhod2\xEF####");
  EXPECT_EQ(ChatMessage("hello"), "shello");

  GameState gs;
  const std::string deck = DeckBytes(
      "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч");
  for (int i = 1; i <= 40; ++i) {
    const CardInfo c = CardInfoOf({deck[2 * i - 2], deck[2 * i - 1]});
    gs.Deck[i] = c.code;
    gs.DeckOrder[i] = c.order;
    gs.DeckPoints[i] = c.points;
  }
  const std::string m = DeckMessage(gs, true, false);
  ASSERT_EQ(m.size(), kDeckLength);
  EXPECT_EQ(m.substr(0, 3), "b2\xF7");
  EXPECT_EQ(m.substr(81, 6), "010203");  // orders of 2ч, 4б, 5к
  EXPECT_EQ(m.substr(161 + 2 * 9, 2), "11");  // the ace Тб is card 10
  EXPECT_EQ(m.substr(241), "\xC8\xCB");
}

class HostSide : public ::testing::Test {
 protected:
  RecordingView view;
  Game g{&view};
  PeerLink link;
  Outlet out;
  void SetUp() override {
    g.opt.NetGame = true;
    g.opt.NetRole = 1;
    link.LinkState = 1;
    link.PlayerName = PadName("Host");
  }
};

TEST_F(HostSide, AcceptsAHelloAndWelcomesTheGuest) {
  OnPeerRead(g, link, out, HelloMessage("Guest"));
  EXPECT_EQ(out.connected, 1);
  EXPECT_EQ(link.LinkState, 2);
  EXPECT_EQ(g.SeatName[1], PadName("Guest"));
  ASSERT_EQ(out.written.size(), 1u);
  EXPECT_EQ(out.written[0], WelcomeMessage("Host"));
}

TEST_F(HostSide, IgnoresAHelloOfAnotherGame) {
  std::string hello = HelloMessage("Guest");
  hello[4] = '7';  // game 87
  OnPeerRead(g, link, out, hello);
  EXPECT_EQ(out.connected, 0);
  EXPECT_EQ(link.LinkState, 1);
  EXPECT_TRUE(out.written.empty());
}

TEST_F(HostSide, AbortAndChatApplyNoMove) {
  g.gs.Turn = 1;
  OnPeerRead(g, link, out, "abort");
  EXPECT_EQ(g.gs.Turn, 1);
  OnPeerRead(g, link, out, "shnext#####");
  ASSERT_EQ(out.chat.size(), 1u);
  EXPECT_EQ(out.chat[0], "hnext#####");
  EXPECT_EQ(g.gs.Turn, 1);
  EXPECT_EQ(view.Count("PlayEffect WToMenK"), 1);
}

TEST_F(HostSide, PlayThenNextInOneRead) {
  link.LinkState = 3;
  GameState& gs = g.gs;
  gs.DealActive = true;
  gs.Trump = testing::Suit("к");
  gs.DeckNext = 7;
  testing::SetHand(gs, 1, {"Тч", "2п", "5б"});
  testing::SetHand(gs, 2, {"4ч", "6ч", "7ч"});
  gs.Leader = gs.Turn = 1;
  OnPeerRead(g, link, out, PlayMessage(C("2п")) + std::string(kNextMessage));
  EXPECT_EQ(gs.Table[1], C("2п"));
  EXPECT_EQ(gs.HandCount[1], 2);
  EXPECT_EQ(gs.Turn, 2);
  // A card the peer does not hold here is not played.
  OnPeerRead(g, link, out, PlayMessage(C("Тп")));
  EXPECT_EQ(out.outOfStep, 1);
  EXPECT_EQ(gs.HandCount[1], 2);
}

TEST(GuestSide, DeckSetsTheHostsRulesAndSwapsTheHands) {
  Game host;
  host.PresetDeck = DeckBytes(
      "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч");
  StartDeal(host, false);
  RecordingView view;
  Game guest(&view);
  guest.opt.NetGame = true;
  guest.opt.NetRole = 2;
  guest.opt.OptBlackHand = false;
  guest.opt.OptReplaceDeuce = true;
  StartDeal(guest, false);
  PeerLink link;
  Outlet out;
  const std::string m = DeckMessage(host.gs, true, false);
  // The deck arrives cut in two reads.
  OnPeerRead(guest, link, out, m.substr(0, 100));
  EXPECT_TRUE(guest.WaitingForDeck);
  OnPeerRead(guest, link, out, m.substr(100));
  EXPECT_FALSE(guest.WaitingForDeck);
  EXPECT_TRUE(guest.opt.OptBlackHand);
  EXPECT_FALSE(guest.opt.OptReplaceDeuce);
  EXPECT_EQ(guest.gs.Deck, host.gs.Deck);
  EXPECT_EQ(testing::HandUtf8(guest.gs, 2), testing::HandUtf8(host.gs, 1));
  EXPECT_EQ(testing::HandUtf8(guest.gs, 1), testing::HandUtf8(host.gs, 2));
  EXPECT_EQ(guest.gs.DeckNext, 7);
  EXPECT_EQ(guest.gs.KonNo, 1);
}

TEST(GuestSide, RefusesADeckThatRepeatsACard) {
  Game host;
  StartDeal(host, false);
  Game guest;
  guest.opt.NetGame = true;
  guest.opt.NetRole = 2;
  StartDeal(guest, false);
  std::string m = DeckMessage(host.gs, true, true);
  m[3] = m[1];
  m[4] = m[2];
  PeerLink link;
  Outlet out;
  OnPeerRead(guest, link, out, m);
  EXPECT_TRUE(guest.WaitingForDeck);
}

// Two copies wired back to back play whole deals through the messages alone,
// each driven by its own table's buttons and clicks.
TEST(PeerGame, BothSidesAgreeOnEveryTrick) {
  struct Pipe : PeerOutlet {
    std::deque<std::string>* queue = nullptr;
    void Write(const std::string& bytes) override { queue->push_back(bytes); }
  };
  Game side[2];
  PeerLink link[2];
  Pipe pipe[2];
  std::deque<std::string> toSide[2];
  std::unique_ptr<PeerHooks> hooks[2];
  for (int i = 0; i < 2; ++i) {
    side[i].opt.NetGame = true;
    side[i].opt.NetRole = static_cast<uint8_t>(i + 1);
    side[i].opt.OptFlyCards = false;
    side[i].rng.Seed(100 + i);
    link[i].LinkState = 2;
    pipe[i].queue = &toSide[1 - i];
    hooks[i] = std::make_unique<PeerHooks>(side[i], link[i], pipe[i]);
    side[i].hooks = hooks[i].get();
  }
  side[1].opt.OptReplaceDeuce = false;  // the host's rules must win
  auto deliver = [&] {
    for (int i = 0; i < 2; ++i)
      while (!toSide[i].empty()) {
        const std::string m = toSide[i].front();
        toSide[i].pop_front();
        OnPeerRead(side[i], link[i], pipe[i], m);
      }
  };
  StartDeal(side[1], false);  // the guest's series begins and waits
  StartDeal(side[0], false);  // the host's first deal sends the deck
  int tricksCollected = 0, deuceSwaps = 0;
  for (int deal = 1; deal <= 6; ++deal) {
    deliver();
    ASSERT_EQ(side[0].gs.KonNo, side[1].gs.KonNo);
    EXPECT_EQ(side[0].gs.Leader == 2, side[0].gs.KonNo % 2 == 1);
    EXPECT_TRUE(side[1].opt.OptReplaceDeuce);
    UpperButtonClick(side[0]);  // the host begins
    deliver();
    int guard = 0;
    while (!side[0].gs.DealOver && ++guard < 200) {
      for (int i = 0; i < 2; ++i) {
        GameState& gs = side[i].gs;
        if (gs.Turn != 2 || gs.DealOver) continue;
        const bool leads = gs.Leader == 2;
        if (leads && LowerButtonReplacesDeuce(side[i])) ++deuceSwaps;
        const int slot =
            leads ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump, gs.Played.data())
                  : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.HandPoints[2].data(),
                                 gs.Trump, gs.Table[1], gs.TableOrder[1], gs.TablePoints[1]);
        ASSERT_TRUE(PlayerPlayCard(side[i], slot, 0));
        deliver();
      }
      for (int i = 0; i < 2; ++i) {
        // The side that led the trick collects it.
        GameState& gs = side[i].gs;
        if (gs.Turn == kTurnTrickDone && !gs.DealOver && gs.Leader == 2) {
          UpperButtonClick(side[i]);
          deliver();
        }
      }
    }
    ASSERT_TRUE(side[0].gs.DealOver);
    ASSERT_TRUE(side[1].gs.DealOver);
    EXPECT_EQ(side[0].gs.GameScore[1], side[1].gs.GameScore[2]);
    EXPECT_EQ(side[0].gs.GameScore[2], side[1].gs.GameScore[1]);
    EXPECT_EQ(side[0].gs.Played, side[1].gs.Played);
    tricksCollected += (side[0].gs.PlayedNext - 1) / 2;
    UpperButtonClick(side[0]);  // the host deals the next one
  }
  EXPECT_GT(tricksCollected, 60);
  EXPECT_GT(deuceSwaps, 0);
}

}  // namespace
}  // namespace zarnet
