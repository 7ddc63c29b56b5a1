// The tournament from the player's side: two lobbies, two engines and the
// table game server of zarnet-services on loopback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <set>

#include "atomic_file.h"
#include "engine.h"
#include "form_tour.h"
#include "kuv_button.h"
#include "recording_view.h"
#include "series.h"
#include "service_fixture.h"
#include "tour_players.h"
#include "words.h"

namespace zarnet {
namespace {

TKuvTable TableWith(const char* nick1, int score1, const char* nick2) {
  TKuvTable t;
  t.Seat[1].Nick = nick1;
  t.Seat[1].Score = score1;
  t.Seat[2].Nick = nick2;
  return t;
}

TEST(TourLobby, SeatButtonRules) {
  const QString take = QString::fromStdString(WordUtf8(WordId::TakeThePlaceOf));
  const QString logOff = QString::fromStdString(WordUtf8(WordId::LogOff));
  const QString free = QString::fromStdString(WordUtf8(WordId::Free));
  struct Case {
    TKuvTable table;
    int seat, myTable, mySeat;
    QString caption;
    bool enabled;
  } cases[] = {
      {TableWith("Boris", 17, "X"), 1, 0, 0, "Boris : 17", false},
      {TableWith("Boris", 17, "X"), 2, 0, 0, take, true},
      {TableWith("Boris", 17, "X"), 2, 5, 1, take, false},  // one seat at a time
      {TableWith("X", 0, "X"), 1, 0, 0, take, true},
      {TableWith("X", 0, "X"), 2, 0, 0, free, false},
      {TableWith("Boris", 17, "X"), 1, 3, 1, logOff, true},  // our own seat on table 3
      {TableWith("Boris", 17, "Anna"), 2, 3, 2, "Anna : 0", false},
  };
  for (const Case& c : cases) {
    const SeatButtonLook look = SeatButtonFor(c.table, 3, c.seat, c.myTable, c.mySeat);
    EXPECT_EQ(look.caption, c.caption) << c.table.Seat[1].Nick << " seat " << c.seat;
    EXPECT_EQ(look.enabled, c.enabled) << c.table.Seat[1].Nick << " seat " << c.seat;
  }
}

TEST(TourLobby, OnlyPlainNicksNameFiles) {
  for (const char* ok : {"Tom", "Anna-1", "\xC8\xE2\xE0\xED"})
    EXPECT_TRUE(NickFitsFileName(ok)) << ok;
  for (const char* bad : {"", "X", "../etc", "a/b", "a\\b", ".hidden", "c:d", "tab\tname"})
    EXPECT_FALSE(NickFitsFileName(bad)) << bad;
}

TEST(TourLobby, WelcomeLineShrinksWithLength) {
  EXPECT_EQ(WelcomeFontHeight(39), 28);
  EXPECT_EQ(WelcomeFontHeight(45), 24);
  EXPECT_EQ(WelcomeFontHeight(54), 24);
  EXPECT_EQ(WelcomeFontHeight(60), 20);
}

TEST(TourLobby, NoServiceShowsNoConnect) {
  ServiceClient client;
  TourService service(client, "http://127.0.0.1:1/tournament");
  RecordingView view;
  Game game(&view);
  OnlineTable table(game);
  TKuvClient me;
  TFTour lobby(service, table, me, TourAccount{"Tom", "Russia", "Omsk", 'M'}, TourSeams{},
               FormStyle{});
  const QString noConnect = QString::fromStdString(WordUtf8(WordId::NoConnect));
  EXPECT_EQ(lobby.LabelWe->text(), noConnect);
  EXPECT_EQ(lobby.SG[3][2]->text(), noConnect);  // the place
  EXPECT_EQ(lobby.ButtonTa[1]->text(), QString::fromStdString(WordUtf8(WordId::ServerOff)));
  EXPECT_FALSE(lobby.ButtonTb[10]->isEnabled());
  EXPECT_EQ(me.Score, 0);
  lobby.ClickSeat(1, 1);  // nothing to sit at
  EXPECT_EQ(lobby.MyTable, 0);
}

class OnlineMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite", "", extraArgs_));
    for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick)) << nick;
    url_ = "http://127.0.0.1:" + std::to_string(service_.httpPort()) + "/tournament";
  }
  // Tom takes seat 1 of `t`, Ada seat 2, and the first deck arrives.
  void StartMatch(Seat& tom, Seat& ada, int t) {
    tom.lobby->ClickSeat(t, 1);
    ASSERT_EQ(tom.lobby->MyTable, t);
    ada.lobby->RefreshLobby();
    ada.lobby->ClickSeat(t, 2);
    ASSERT_TRUE(PumpUntil([&] { return tom.game.opt.OnlineGame && ada.game.opt.OnlineGame; }));
    EXPECT_EQ(tom.lobby->result(), QDialog::Accepted);  // the lobbies closed for the match
    EXPECT_EQ(ada.lobby->result(), QDialog::Accepted);
    EXPECT_EQ(tom.game.SeatName[1], "Ada");
    EXPECT_EQ(ada.game.SeatName[1], "Tom");
  }
  test::ServiceProcess service_;
  std::string extraArgs_;
  std::string url_;
};

TEST_F(OnlineMatch, TwoDealsFromTheLobbiesAreBooked) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  tom.lobby->show();
  tom.lobby->ClickSeat(4, 1);
  ASSERT_TRUE(PumpUntil([&] { return tom.table.link.TableLinkState == 2; }));
  // Holding a seat: Log off on it, and no way out of the window.
  EXPECT_EQ(tom.lobby->ButtonTa[4]->text(), QString::fromStdString(WordUtf8(WordId::LogOff)));
  EXPECT_FALSE(tom.lobby->ButtonOk->isEnabled());
  EXPECT_FALSE(tom.lobby->close());
  EXPECT_TRUE(tom.lobby->isVisible());
  // Logging off frees the seat at the service too.
  tom.lobby->ClickSeat(4, 1);
  EXPECT_EQ(tom.lobby->MyTable, 0);
  EXPECT_EQ(tom.lobby->ButtonTa[4]->text(),
            QString::fromStdString(WordUtf8(WordId::TakeThePlaceOf)));
  EXPECT_TRUE(tom.lobby->ButtonOk->isEnabled());

  StartMatch(tom, ada, 4);
  Seat* seats[2] = {&tom, &ada};
  QElapsedTimer clock;
  clock.start();
  while (!(tom.table.link.TableLinkState == 10 && ada.table.link.TableLinkState == 10) &&
         clock.elapsed() < 30000) {
    bool moved = false;
    for (Seat* s : seats) moved |= s->Step();
    // Table seat 1 asks for the second deal.
    GameState& gs = tom.game.gs;
    if (gs.DealOver && gs.Turn == kTurnTrickDone && gs.KonNo - gs.KonAtStart < 2 &&
        tom.view.buttonEnabled[0]) {
      UpperButtonClick(tom.game);
      EXPECT_FALSE(tom.view.buttonEnabled[0]);  // asked once, the deck comes
      moved = true;
    }
    if (!moved) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(1);
    }
  }
  ASSERT_EQ(tom.table.link.TableLinkState, 10);
  ASSERT_EQ(ada.table.link.TableLinkState, 10);
  EXPECT_EQ(tom.game.OnlineKon, 2);
  EXPECT_EQ(tom.game.gs.GameScore[2], ada.game.gs.GameScore[1]);
  const int diff = tom.game.gs.GameScore[2] - tom.game.gs.GameScore[1];
  // The server books the outcome and closes both links.
  ASSERT_TRUE(PumpUntil([&] {
    return tom.table.CS.state() == QAbstractSocket::UnconnectedState &&
           ada.table.CS.state() == QAbstractSocket::UnconnectedState;
  }));
  EXPECT_TRUE(tom.ends.empty() && ada.ends.empty());  // a close after the match says nothing
  int32_t kon = 0, rating = 0;
  EXPECT_EQ(tom.service.ReadTourRating("Tom", &kon, &rating), diff);
  EXPECT_EQ(kon, 2);
  EXPECT_EQ(ada.service.ReadTourRating("Ada", &kon, &rating), -diff);

  // Leaving the table closes the series with the new tournament score.
  EXPECT_TRUE(LowerButtonClick(tom.game, tom.books, tom.outlets));
  EXPECT_FALSE(tom.game.opt.OnlineGame);

  // The lobby opened again shows the new score; the top ten lists both.
  tom.OpenLobby("Tom");
  EXPECT_EQ(tom.books.MyClient.Score, diff);
  EXPECT_EQ(tom.lobby->SG[2][2]->text(), QString::number(diff));
  TFormTourTop10 top(tom.service, tom.books.MyClient, FormStyle{});
  std::set<std::string> listed = {top.Top[1].Nick, top.Top[2].Nick};
  EXPECT_EQ(listed, (std::set<std::string>{"Tom", "Ada"}));
  EXPECT_EQ(top.MyPlace, diff >= 0 ? 1 : 2);
}

TEST_F(OnlineMatch, OwnClockRunningOutLosesTheMatch) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  StartMatch(tom, ada, 2);
  // Tom leads the first deal and does not move.
  ASSERT_EQ(tom.game.gs.Turn, 2);
  tom.table.link.MoveCountdown = 2;
  ASSERT_TRUE(PumpUntil([&] { return !tom.ends.empty() && !ada.ends.empty(); }, 6000));
  EXPECT_TRUE(tom.view.Has("PlayEffect STimerB"));
  EXPECT_EQ(tom.ends[0], MatchEndLines(MatchEnd::OwnTimeUp, "Ada"));
  EXPECT_EQ(ada.ends[0], MatchEndLines(MatchEnd::OpponentTimeUp, "Tom"));
  EXPECT_EQ(ada.game.gs.Turn, kTurnMatchAborted);
  EXPECT_EQ(tom.game.gs.Turn, kTurnMatchAborted);
  int32_t kon = 0, rating = 0;
  tom.service.ReadTourRating("Tom", &kon, &rating);
  int32_t konA = 0, ratingA = 0;
  ada.service.ReadTourRating("Ada", &konA, &ratingA);
  EXPECT_LT(rating, ratingA);  // the loss is booked against Tom
}

TEST_F(OnlineMatch, OpponentLeavingEndsTheMatchWon) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  StartMatch(tom, ada, 7);
  ada.table.CS.abort();  // Ada's program goes away
  ASSERT_TRUE(PumpUntil([&] { return !tom.ends.empty(); }));
  ASSERT_EQ(tom.ends.size(), 1u);
  EXPECT_EQ(tom.ends[0][0],
            WordUtf8(WordId::Player) + " Ada " + WordUtf8(WordId::InterruptedTheGame));
  EXPECT_EQ(tom.ends[0][1], WordUtf8(WordId::YouWon));
  EXPECT_EQ(tom.game.gs.Turn, kTurnMatchAborted);
  EXPECT_FALSE(tom.view.buttonEnabled[0]);
  EXPECT_TRUE(tom.view.buttonEnabled[1]);
  // The server's close that follows adds nothing.
  PumpUntil([&] { return tom.table.CS.state() == QAbstractSocket::UnconnectedState; });
  EXPECT_EQ(tom.ends.size(), 1u);
  EXPECT_TRUE(tom.game.gs.DealSettled);
}

TEST_F(OnlineMatch, AMoveThatCameWithoutReadSignalIsTakenOnTheNextTick) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  StartMatch(tom, ada, 3);
  ASSERT_EQ(tom.game.gs.DealPhase, 1);
  // Ada's program is busy while Tom begins: the bytes arrive, the signal is lost.
  ada.table.CS.blockSignals(true);
  ASSERT_TRUE(tom.Step());
  ASSERT_TRUE(PumpUntil([&] { return ada.table.CS.bytesAvailable() >= 20; }));
  ada.table.CS.blockSignals(false);
  EXPECT_EQ(ada.game.gs.DealPhase, 1);
  ASSERT_TRUE(PumpUntil([&] { return ada.game.gs.DealPhase == 2; }, 2500));
  EXPECT_EQ(ada.table.CS.bytesAvailable(), 0);
  // The match goes on from there.
  ASSERT_TRUE(PumpUntil([&] {
    tom.Step();
    return ada.game.gs.Turn == 2;
  }));
}

TEST_F(OnlineMatch, ServerGoneMidMatchEndsItForBoth) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  StartMatch(tom, ada, 1);
  service_.Kill();
  ASSERT_TRUE(PumpUntil([&] { return !tom.ends.empty() && !ada.ends.empty(); }));
  for (Seat* s : {&tom, &ada}) {
    EXPECT_EQ(s->ends[0], MatchEndLines(MatchEnd::LostConnection, ""));
    EXPECT_EQ(s->game.gs.Turn, kTurnMatchAborted);
    EXPECT_TRUE(s->game.gs.DealSettled);
    EXPECT_FALSE(s->table.ConnectionError);  // a match's loss is not the lobby's
  }
}

TEST_F(OnlineMatch, ASeatTakenMeanwhileIsRefused) {
  Seat tom(url_, "Tom", "10.0.0.1"), ada(url_, "Ada", "10.0.0.2");
  ada.lobby->ClickSeat(8, 1);
  tom.lobby->ClickSeat(8, 1);  // Tom's lobby still shows it free
  EXPECT_EQ(tom.sounds, std::vector<std::string>{"WWrongs"});
  EXPECT_EQ(tom.lobby->MyTable, 0);
  EXPECT_EQ(tom.table.link.TableLinkState, 0);
  EXPECT_EQ(tom.lobby->ButtonTa[8]->text(), "Ada : 0");  // and it refreshes
}

TEST_F(OnlineMatch, ServerSwitchedOffFreesTheHeldSeat) {
  Seat tom(url_, "Tom", "10.0.0.1");
  tom.lobby->ClickSeat(5, 1);
  ASSERT_EQ(tom.lobby->MyTable, 5);
  ASSERT_TRUE(PumpUntil([&] { return tom.table.link.TableLinkState == 2; }));
  ReplaceFile(service_.dataDir() + "/TourPause", "");
  tom.lobby->RefreshLobby();
  EXPECT_EQ(tom.lobby->MyTable, 0);
  EXPECT_EQ(tom.table.link.TableLinkState, 0);
  const QString off = QString::fromStdString(WordUtf8(WordId::ServerOff));
  for (int t = 1; t <= 10; ++t) {
    EXPECT_EQ(tom.lobby->ButtonTa[t]->text(), off);
    EXPECT_FALSE(tom.lobby->ButtonTb[t]->isEnabled());
  }
  EXPECT_TRUE(tom.lobby->ButtonOk->isEnabled());
  TKuvClient seat;
  ASSERT_TRUE(tom.service.ReadSeat(5, 1, &seat));
  EXPECT_EQ(seat.Nick, "X");
}

class RemoteTables : public OnlineMatch {
 protected:
  RemoteTables() { extraArgs_ = "--table-address 10.255.0.1"; }
};

TEST_F(RemoteTables, SameAddressMayNotTakeTheSecondSeat) {
  Seat tom(url_, "Tom", "10.0.0.9"), ada(url_, "Ada", "10.0.0.9");
  tom.lobby->ClickSeat(6, 1);
  ada.lobby->RefreshLobby();
  ada.lobby->ClickSeat(6, 2);
  ASSERT_EQ(ada.notices.size(), 1u);
  EXPECT_EQ(
      ada.notices[0][0],
      QString::fromStdString(WordUtf8(WordId::ThisTableIsAlreadyOccupiedByAPlayerWithYourIp)));
  EXPECT_EQ(ada.lobby->MyTable, 0);
  EXPECT_EQ(ada.lobby->Tables[6].Seat[2].Nick, "X");
}

TEST_F(OnlineMatch, UnreachableTableFreesTheSeat) {
  Seat tom(url_, "Tom", "10.0.0.1");
  // Nothing listens there: the lobby's watch frees the seat.
  tom.lobby->TableBasePort = 1;
  tom.lobby->ClickSeat(9, 1);
  ASSERT_EQ(tom.lobby->MyTable, 9);
  ASSERT_TRUE(PumpUntil([&] { return tom.table.ConnectionError; }));
  tom.lobby->Timer2Timer();
  EXPECT_EQ(tom.lobby->MyTable, 0);
  ASSERT_FALSE(tom.notices.empty());
  EXPECT_EQ(tom.notices.back()[0], QString::fromStdString(WordUtf8(WordId::ServerConnectionError)));
  EXPECT_EQ(tom.lobby->Tables[9].Seat[1].Nick, "X");
}

}  // namespace
}  // namespace zarnet
