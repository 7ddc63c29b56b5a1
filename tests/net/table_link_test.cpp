#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <memory>

#include "engine.h"
#include "recording_view.h"
#include "table_link.h"
#include "test_util.h"

namespace zarnet {
namespace {

TEST(TableFrames, PaddedToTwentyWithTheSeat) {
  EXPECT_EQ(TableFrame("hnext", 2), "hnext##############2");
  EXPECT_EQ(OutcomeFrame(130, 110, 1), "o   20  -20########1");
  EXPECT_EQ(TableFrame("hhod\xC2\xEF", 1), "hhod\xC2\xEF#############1");
  EXPECT_EQ(TableFrame("s" + std::string(30, 'x'), 1).size(), kTableFrameLength);
}

struct Outlet : TableOutlet {
  std::deque<std::string>* toServer = nullptr;
  std::vector<std::pair<std::string, int>> chat;
  std::vector<MatchEnd> ends;
  int lobbyClosed = 0, socketClosed = 0;
  void Write(const std::string& bytes) override { toServer->push_back(bytes); }
  void ChatLine(const std::string& text, int seat) override { chat.push_back({text, seat}); }
  void MatchEnded(MatchEnd why) override { ends.push_back(why); }
  void CloseLobby() override { ++lobbyClosed; }
  void CloseSocket() override { ++socketClosed; }
};

struct Player {
  RecordingView view;
  Game game{&view};
  TableLink link;
  Outlet out;
  std::deque<std::string> sent;
  std::unique_ptr<TableHooks> hooks;
  explicit Player(int seat) {
    link.PlaySeat = static_cast<uint8_t>(seat);
    link.TableLinkState = 1;
    out.toServer = &sent;
    game.opt.OptFlyCards = false;
    hooks = std::make_unique<TableHooks>(game, link, out);
    game.hooks = hooks.get();
  }
};

TEST(TableLink, ChatAndAbortFrames) {
  Player p(1);
  OnTableWritable(p.game, p.link, p.out);
  ASSERT_EQ(p.sent.size(), 1u);
  EXPECT_EQ(p.sent[0], "connect1###########1");
  EXPECT_EQ(p.link.TableLinkState, 2);
  OnTableRead(p.game, p.link, p.out, TableFrame("shi", 2));
  ASSERT_EQ(p.out.chat.size(), 1u);
  EXPECT_EQ(p.out.chat[0], (std::pair<std::string, int>{"hi", 2}));
  OnTableRead(p.game, p.link, p.out, TableFrame("a", 2));
  ASSERT_EQ(p.out.ends.size(), 1u);
  EXPECT_EQ(p.out.ends[0], MatchEnd::OpponentLeft);
  EXPECT_EQ(p.game.gs.Turn, kTurnMatchAborted);
  OnTableRead(p.game, p.link, p.out, TableFrame("a", 2));  // the match is over already
  EXPECT_EQ(p.out.ends.size(), 1u);
}

// Frames that pile up while the engine pauses arrive in one read.
TEST(TableLink, AMoveAndTheNextDeckInOneRead) {
  Player p(2);
  OnTableWritable(p.game, p.link, p.out);
  Game dealer;
  dealer.rng.Seed(5);
  ShuffleDeck(dealer);
  OnTableRead(p.game, p.link, p.out, TableDeckFrame(dealer.gs));
  ASSERT_EQ(p.game.gs.Turn, 1);  // table seat 1 leads the first deal
  OnTableRead(p.game, p.link, p.out, TableFrame("hsitkon2", 1));
  const CardCode led = p.game.gs.Hand[1][1];
  ShuffleDeck(dealer);
  const std::string next = TableDeckFrame(dealer.gs);
  p.view.calls.clear();
  OnTableRead(p.game, p.link, p.out, TableFrame("hhod" + led.Bytes(), 1) + next);
  // The move first, on the deal it belongs to, then the next deal's table.
  const auto at = [&](const std::string& call) {
    return std::find(p.view.calls.begin(), p.view.calls.end(), call) - p.view.calls.begin();
  };
  EXPECT_LT(at("PlayEffect WHodsDo wait"), at("LayoutTableScreen"));
  EXPECT_LT(at("LayoutTableScreen"), std::ssize(p.view.calls));
  EXPECT_EQ(p.game.OnlineKon, 2);
  // Table seat 2 holds the deck's cards 4 to 6.
  std::set<std::string> own, dealt;
  for (int k = 1; k <= 3; ++k) {
    own.insert(p.game.gs.Hand[2][k].Bytes());
    dealt.insert(dealer.gs.Deck[3 + k].Bytes());
  }
  EXPECT_EQ(own, dealt);
}

TEST(TableLink, ABeginRightBehindTheDeckIsKept) {
  Player p(2);
  OnTableWritable(p.game, p.link, p.out);
  Game dealer;
  dealer.rng.Seed(9);
  ShuffleDeck(dealer);
  OnTableRead(p.game, p.link, p.out, TableDeckFrame(dealer.gs) + TableFrame("hsitkon2", 1));
  EXPECT_EQ(p.game.OnlineKon, 1);
  EXPECT_EQ(p.game.gs.DealPhase, 2);
  EXPECT_TRUE(p.link.pending.empty());
}

TEST(TableLink, OwnClockRunsOut) {
  Player p(2);
  p.game.opt.OnlineGame = true;
  p.link.TimerRunning = true;
  StartMyClock(p.game, p.link);
  p.link.MoveCountdown = 9;
  TableTimerTick(p.game, p.link, p.out);
  EXPECT_TRUE(p.view.Has("PlayEffect STimerA"));
  TableTimerTick(p.game, p.link, p.out);
  EXPECT_TRUE(p.view.Has("PlayEffect STimerB"));
  p.link.MoveCountdown = 1;
  TableTimerTick(p.game, p.link, p.out);
  ASSERT_EQ(p.out.ends.size(), 1u);
  EXPECT_EQ(p.out.ends[0], MatchEnd::OwnTimeUp);
  EXPECT_EQ(p.sent.back(), TableFrame("TOut", 2));
  EXPECT_EQ(p.link.TableLinkState, 10);
}

// A relay standing in for the table server: it deals to both seats and passes
// every move to the other seat.
TEST(TableLink, AMatchOfTwoDealsThroughARelay) {
  Player seat[3] = {Player(1), Player(1), Player(2)};
  Game dealer;
  dealer.rng.Seed(11);
  auto deal = [&] {
    ShuffleDeck(dealer);
    const std::string deck = TableDeckFrame(dealer.gs);
    OnTableRead(seat[1].game, seat[1].link, seat[1].out, deck);
    OnTableRead(seat[2].game, seat[2].link, seat[2].out, deck);
  };
  std::vector<std::string> outcomes;
  auto relay = [&] {
    bool moved = true;
    while (moved) {
      moved = false;
      for (int s = 1; s <= 2; ++s) {
        while (!seat[s].sent.empty()) {
          const std::string f = seat[s].sent.front();
          seat[s].sent.pop_front();
          moved = true;
          if (f[0] == 'o') outcomes.push_back(f);
          else if (f.rfind("bnext", 0) == 0) deal();
          else if (f[0] == 'h' || f[0] == 's')
            OnTableRead(seat[3 - s].game, seat[3 - s].link, seat[3 - s].out, f);
        }
      }
    }
  };
  for (int s = 1; s <= 2; ++s) OnTableWritable(seat[s].game, seat[s].link, seat[s].out);
  for (int s = 1; s <= 2; ++s) seat[s].sent.clear();  // the relay takes the connects
  deal();
  EXPECT_EQ(seat[1].out.lobbyClosed, 1);
  for (int d = 1; d <= 2; ++d) {
    for (int s = 1; s <= 2; ++s) {
      ASSERT_TRUE(seat[s].game.opt.OnlineGame);
      EXPECT_EQ(seat[s].game.OnlineKon, d);
    }
    // Table seat 1 leads the odd deal.
    EXPECT_EQ(seat[1].game.gs.Leader, d % 2 == 1 ? 2 : 1);
    Player& leader = seat[seat[1].game.gs.Leader == 2 ? 1 : 2];
    UpperButtonClick(leader.game);
    relay();
    int guard = 0;
    while (!seat[1].game.gs.DealOver && ++guard < 200) {
      for (int s = 1; s <= 2; ++s) {
        GameState& gs = seat[s].game.gs;
        if (gs.Turn != 2 || gs.DealOver) continue;
        const int slot = gs.Leader == 2
                             ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump,
                                          gs.Played.data())
                             : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(),
                                            gs.HandPoints[2].data(), gs.Trump, gs.Table[1],
                                            gs.TableOrder[1], gs.TablePoints[1]);
        ASSERT_TRUE(PlayerPlayCard(seat[s].game, slot, 0));
        relay();
      }
      for (int s = 1; s <= 2; ++s) {
        GameState& gs = seat[s].game.gs;
        if (gs.Turn == kTurnTrickDone && !gs.DealOver && gs.Leader == 2) {
          UpperButtonClick(seat[s].game);
          relay();
        }
      }
    }
    ASSERT_TRUE(seat[2].game.gs.DealOver);
    EXPECT_EQ(seat[1].game.gs.GameScore[2], seat[2].game.gs.GameScore[1]);
    if (d == 1) {
      UpperButtonClick(seat[1].game);  // table seat 1 asks for the next deal
      relay();
    }
  }
  ASSERT_EQ(outcomes.size(), 1u);
  const int own = seat[1].game.gs.GameScore[2], other = seat[1].game.gs.GameScore[1];
  EXPECT_EQ(outcomes[0], OutcomeFrame(own, other, 1));
  EXPECT_EQ(seat[1].link.TableLinkState, 10);
  EXPECT_EQ(seat[2].link.TableLinkState, 10);
}

}  // namespace
}  // namespace zarnet
