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
  int connected = 0, started = 0, outOfStep = 0, violations = 0;
  void Write(const std::string& bytes) override { written.push_back(bytes); }
  void ProtocolViolation(const std::string&) override { ++violations; }
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

// Feeds `bytes` whole, or one byte per read.
void Feed(Game& g, PeerLink& link, PeerOutlet& out, const std::string& bytes, bool byteByByte) {
  if (!byteByByte) return OnPeerRead(g, link, out, bytes);
  for (char c : bytes) OnPeerRead(g, link, out, std::string(1, c));
}

TEST(PeerReceiver, HelloIsFoundBehindWhatIsIgnored) {
  std::string game87 = HelloMessage("Other"), link24 = HelloMessage("Other");
  game87[4] = '7';
  link24[6] = '4';
  const struct {
    const char* name;
    std::string before;
  } cases[] = {{"stray bytes", "xyz\r\n\x01"},
               {"abort", "abort"},
               {"a hello of game 87", game87},
               {"a hello with link code 24", link24},
               {"a chat line", "shi"},
               {"a welcome", WelcomeMessage("Nobody")},
               {"all of them", "zz" + game87 + "abort" + link24}};
  for (const auto& c : cases)
    for (bool split : {false, true}) {
      Game g;
      g.opt.NetGame = true;
      g.opt.NetRole = 1;
      PeerLink link;
      link.LinkState = 1;
      link.PlayerName = PadName("Host");
      Outlet out;
      Feed(g, link, out, c.before + HelloMessage("Guest"), split);
      SCOPED_TRACE(std::string(c.name) + (split ? ", a byte per read" : ", one read"));
      EXPECT_EQ(out.connected, 1);
      EXPECT_EQ(link.LinkState, 2);
      EXPECT_EQ(g.SeatName[1], PadName("Guest"));
      EXPECT_EQ(out.written, std::vector<std::string>{WelcomeMessage("Host")});
      EXPECT_TRUE(link.pending.empty());
    }
}

// What a move may change, to see that an ignored one changed nothing.
auto Snapshot(const GameState& gs) {
  return std::make_tuple(gs.Hand, gs.HandCount, gs.Table, gs.Turn, gs.Leader, gs.DeckNext, gs.DealPhase,
                         gs.TrickPoints, gs.Deck, gs.PlayedNext);
}

TEST(PeerReceiver, FramesTheDealDoesNotAllowChangeNothing) {
  RecordingView view;
  Game g{&view};
  g.opt.NetGame = true;
  g.opt.NetRole = 1;
  g.opt.OptFlyCards = false;
  g.PresetDeck = DeckBytes(
      "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч");
  PeerLink link;
  link.LinkState = 2;
  Outlet out;
  PeerHooks hooks(g, link, out);
  g.hooks = &hooks;
  StartDeal(g, false);  // deal 1: the host leads; the guest holds 2ч 4б 5к
  const std::string guestDeck = DeckMessage(g.gs, false, false);
  const std::string guestCard = PlayMessage(C("4б"));
  const struct {
    const char* name;
    std::string frame;
  } beforeBegin[] = {{"a play before the begin", guestCard}}, hostToLead[] = {
      {"a play while the host is to lead", guestCard},
      {"a next from the side that did not lead", std::string(kNextMessage)},
      {"a collect of a trick nobody played", std::string(kCollectMessage)},
      {"a begin from the guest", std::string(kBeginMessage)},
      {"a deuce swap while the host is to lead", std::string(kChangeDeuceMessage)},
      {"a deck from the guest", guestDeck},
      {"a card the guest does not hold", PlayMessage(C("Тч"))},
  };
  auto expectIgnored = [&](const char* name, const std::string& frame) {
    SCOPED_TRACE(name);
    const auto before = Snapshot(g.gs);
    const int ignored = link.ignored, outOfStep = out.outOfStep;
    OnPeerRead(g, link, out, frame);
    EXPECT_EQ(Snapshot(g.gs), before);
    EXPECT_EQ(link.ignored, ignored + 1);
    EXPECT_EQ(out.outOfStep, outOfStep + 1);
    EXPECT_TRUE(link.pending.empty());
  };
  for (const auto& c : beforeBegin) expectIgnored(c.name, c.frame);
  UpperButtonClick(g);
  ASSERT_EQ(g.gs.Turn, 2);
  for (const auto& c : hostToLead) expectIgnored(c.name, c.frame);
  // The host leads; the guest answers once, and only once.
  ASSERT_TRUE(PlayerPlayCard(g, 1, 0));
  expectIgnored("a next from the answering side", std::string(kNextMessage));
  OnPeerRead(g, link, out, guestCard);
  ASSERT_EQ(g.gs.Turn, kTurnTrickDone);
  expectIgnored("a second answer", PlayMessage(C("5к")));
  expectIgnored("a collect by the side that did not lead", std::string(kCollectMessage));
  EXPECT_EQ(out.violations, 0);
}

TEST(GuestSide, DeckWhoseValuesDisagreeWithItsCardsIsAViolation) {
  Game host;
  StartDeal(host, false);
  const std::string good = DeckMessage(host.gs, false, false);
  const int blank = [&] {
    for (int i = 1; i <= 40; ++i)
      if (host.gs.DeckPoints[i] == 0) return i;
    return 0;
  }();
  ASSERT_NE(blank, 0);
  const struct {
    const char* name;
    size_t at;
    const char* digits;
  } cases[] = {{"eleven points for a card worth none", 161 + 2 * (blank - 1), "11"},
               {"the order of another rank", 81 + 2 * (blank - 1), "10"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Game guest;
    guest.opt.NetGame = true;
    guest.opt.NetRole = 2;
    StartDeal(guest, false);
    PeerLink link;
    link.LinkState = 2;
    Outlet out;
    std::string bad = good;
    bad.replace(c.at, 2, c.digits);
    OnPeerRead(guest, link, out, bad + std::string(kBeginMessage));
    EXPECT_EQ(out.violations, 1);
    EXPECT_TRUE(guest.WaitingForDeck);
    EXPECT_TRUE(link.pending.empty());
  }
}

// Host (side 0) and guest (side 1) wired back to back: what one writes waits
// in the other's queue.
struct WiredPair {
  struct Pipe : PeerOutlet {
    std::deque<std::string>* queue = nullptr;
    void Write(const std::string& bytes) override { queue->push_back(bytes); }
  };
  Game side[2];
  PeerLink link[2];
  Pipe pipe[2];
  std::deque<std::string> toSide[2];
  std::unique_ptr<PeerHooks> hooks[2];
  explicit WiredPair(uint64_t seed) {
    for (int i = 0; i < 2; ++i) {
      side[i].opt.NetGame = true;
      side[i].opt.NetRole = static_cast<uint8_t>(i + 1);
      side[i].opt.OptFlyCards = false;
      side[i].rng.Seed(seed + i);
      link[i].LinkState = 2;
      pipe[i].queue = &toSide[1 - i];
      hooks[i] = std::make_unique<PeerHooks>(side[i], link[i], pipe[i]);
      side[i].hooks = hooks[i].get();
    }
  }
};

// Two copies wired back to back play whole deals through the messages alone,
// each driven by its own table's buttons and clicks.
TEST(PeerGame, BothSidesAgreeOnEveryTrick) {
  WiredPair pair(100);
  Game (&side)[2] = pair.side;
  PeerLink (&link)[2] = pair.link;
  WiredPair::Pipe (&pipe)[2] = pair.pipe;
  std::deque<std::string> (&toSide)[2] = pair.toSide;
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

namespace zarnet {
namespace {

// What the local player of a side does next by the computer's rules, through
// the table's own clicks; false when it is the peer's move.
bool LocalStep(Game& g) {
  GameState& gs = g.gs;
  if (gs.DealOver) return false;
  if (gs.Turn == kTurnTrickDone && gs.Leader == 2) {
    UpperButtonClick(g);  // the side that led collects
    return true;
  }
  if (gs.Turn != 2) return false;
  const bool leads = gs.Leader == 2;
  if (leads) LowerButtonReplacesDeuce(g);
  const int slot = leads ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump, gs.Played.data())
                         : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.HandPoints[2].data(),
                                        gs.Trump, gs.Table[1], gs.TableOrder[1], gs.TablePoints[1]);
  return PlayerPlayCard(g, slot, 0);
}

// The same pair over a hostile wire: before every message comes something to
// ignore, behind every deck and move its duplicate (out of turn by then), and
// every other message arrives a byte per read. The deals must still agree.
TEST(PeerGame, NoiseDuplicatesAndSplitReadsChangeNoDeal) {
  WiredPair pair(300);
  auto [side, link, wire, toSide] = std::tie(pair.side, pair.link, pair.pipe, pair.toSide);
  std::string lastDeck;
  int sent = 0;
  auto deliver = [&] {
    for (int i = 0; i < 2; ++i)
      while (!toSide[i].empty()) {
        const std::string m = toSide[i].front();
        toSide[i].pop_front();
        if (m[0] == 'b') lastDeck = m;
        const std::string noise[] = {"abort", "sgl", "\x01zz\r\n", i == 0 ? lastDeck : "hbogus####"};
        std::string bytes = noise[sent % 4] + m;
        if (m[0] == 'b' || m[0] == 'h') bytes += m;
        Feed(side[i], link[i], wire[i], bytes, ++sent % 2 == 0);
      }
  };
  StartDeal(side[1], false);
  StartDeal(side[0], false);
  for (int deal = 1; deal <= 4; ++deal) {
    deliver();
    UpperButtonClick(side[0]);
    deliver();
    for (int guard = 0; !side[0].gs.DealOver && guard < 200; ++guard) {
      for (int i = 0; i < 2; ++i) {
        if (LocalStep(side[i])) deliver();
      }
    }
    ASSERT_TRUE(side[0].gs.DealOver);
    ASSERT_TRUE(side[1].gs.DealOver);
    EXPECT_EQ(side[0].gs.GameScore[1], side[1].gs.GameScore[2]);
    EXPECT_EQ(side[0].gs.GameScore[2], side[1].gs.GameScore[1]);
    EXPECT_EQ(side[0].gs.Played, side[1].gs.Played);
    UpperButtonClick(side[0]);
  }
  EXPECT_GT(link[0].ignored, 50);
  EXPECT_GT(link[1].ignored, 50);
}

}  // namespace
}  // namespace zarnet
