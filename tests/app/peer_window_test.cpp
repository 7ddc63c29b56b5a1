// Two main windows in one process play a peer series on loopback through
// their own buttons and hand clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "atomic_file.h"
#include "engine.h"
#include "main_window.h"
#include "peer_game.h"
#include "player_list.h"
#include "settings.h"
#include "words.h"
#include "codec.h"

namespace zarnet {
namespace {

template <typename F>
bool SpinUntil(F done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

struct Seat {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  std::vector<QString> errors;
  explicit Seat() {
    const std::string folder = dir.path().toStdString();
    ReplaceFile(folder + "/" + kClubListName, InstallationList());
    ReplaceFile(folder + "/" + kNetListName, InstallationList());
    Settings s = DefaultSettings("Mr.X");
    s.SoundOn = s.MusicOn = false;
    s.NetGame = true;
    SaveSettings(folder, s);
    form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->Confirm = [](const QString&) { return true; };
    form->Inform = [](const QString&) {};
    form->OpenEndOfGame = [](int, int32_t, int) {};
    form->peer->ShowError = [this](const QString& t) { errors.push_back(t); };
    form->show();
    form->RunStartUp();
    form->EndIntro();
  }
  GameState& gs() { return form->game.gs; }
  void ClickCard(int slot) {
    const auto xs = LayoutHand(form->table->layout.hand[2].width, gs().HandCount[2], form->art.CardWidth);
    QTest::mouseClick(form->table->ImageCards[2], Qt::LeftButton, {}, QPoint(xs[slot - 1] + 5, 10));
  }
  // One step of what a player would do now; false when nothing is offered.
  bool Step() {
    TKuvCardsButton* upper = form->table->Button7;
    if (upper->isVisible() && upper->isEnabled()) {
      QTest::mouseClick(upper, Qt::LeftButton);
      return true;
    }
    if (gs().DealActive && gs().DealPhase == 2 && gs().Turn == 2 && !gs().DealOver) {
      ClickCard(1);
      return true;
    }
    return false;
  }
};

// The host opens its table; from inside its wait window the guest joins.
void Link(Seat& host, Seat& guest) {
  guest.form->peer->RunWait = [](TFormWait& w) {
    w.show();
    SpinUntil([&] { return !w.isVisible(); });
  };
  guest.form->OpenWelcome = [&guest, &host](int) {
    const quint16 port = host.form->peer->connection.ListeningPort();
    return WelcomeResult{guest.form->peer->StartLink(2, "127.0.0.1", port, "Guest"), "Guest"};
  };
  host.form->peer->RunWait = [&guest](TFormWait& w) {
    w.show();
    EXPECT_EQ(w.Status(), WordText(WordId::ExpectationOfConnectionOfOtherPlayers));
    EXPECT_FALSE(w.Button1->isEnabled());
    guest.form->MenuLineClick(kSlotNewPlayer);
    ASSERT_TRUE(SpinUntil([&] { return w.Button1->isEnabled(); }));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
  };
  host.form->OpenWelcome = [&host](int) {
    return WelcomeResult{host.form->peer->StartLink(1, {}, 0, "Host"), "Host"};
  };
  host.form->MenuLineClick(kSlotNewPlayer);
}

TEST(PeerWindows, TwoWindowsPlayASeriesAndAgree) {
  Seat host, guest;
  Link(host, guest);
  ASSERT_TRUE(host.form->table->TableShown());
  ASSERT_TRUE(guest.form->table->TableShown());
  EXPECT_TRUE(guest.form->table->Edit1->isVisible());
  auto done = [&] {
    return host.gs().DealOver && guest.gs().DealOver && host.gs().KonNo == 2 && guest.gs().KonNo == 2;
  };
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 60000) {
    const bool hostActed = host.Step();
    const bool guestActed = guest.Step();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    // Nobody can act: the move drivers tick, as their timers would.
    if (!hostActed && !guestActed) {
      host.form->Timer1Timer();
      guest.form->Timer1Timer();
    }
  }
  ASSERT_TRUE(done()) << "host deal " << host.gs().KonNo << " turn " << int(host.gs().Turn) << ", guest deal "
                      << guest.gs().KonNo << " turn " << int(guest.gs().Turn);
  EXPECT_EQ(host.gs().GameScore[1], guest.gs().GameScore[2]);
  EXPECT_EQ(host.gs().GameScore[2], guest.gs().GameScore[1]);
  EXPECT_GT(host.gs().GameScore[1] + host.gs().GameScore[2], 200);
  // After the pair both leave through the lower button; nobody is told of an interruption.
  QTest::mouseClick(guest.form->table->Button8, Qt::LeftButton);
  SpinUntil([&] { return !host.form->peer->connection.HasPeer(); }, 1000);
  QTest::mouseClick(host.form->table->Button8, Qt::LeftButton);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_FALSE(host.form->table->TableShown());
}

TEST(PeerWindows, GuestLeavingMidDealSendsTheHostToTheMenu) {
  Seat host, guest;
  Link(host, guest);
  // The host begins the deal; the guest then leaves by the menu command.
  ASSERT_TRUE(SpinUntil([&] { return !guest.form->game.WaitingForDeck; }));
  QTest::mouseClick(host.form->table->Button7, Qt::LeftButton);
  ASSERT_TRUE(SpinUntil([&] { return guest.gs().DealPhase == 2; }));
  ASSERT_TRUE(guest.form->QuitClick());
  ASSERT_TRUE(SpinUntil([&] { return !host.errors.empty(); }));
  EXPECT_EQ(host.errors[0], WordText(WordId::Client) + " " + WordText(WordId::HasInterruptedGame) + "\n\r" +
                                WordText(WordId::PressOkForExitToTheMainMenu));
  EXPECT_FALSE(host.form->table->TableShown());
  EXPECT_TRUE(guest.errors.empty());
  // The listening socket closes on the next tick, not inside its own event.
  EXPECT_TRUE(host.form->peer->connection.Active());
  host.form->Timer1Timer();
  EXPECT_FALSE(host.form->peer->connection.Active());
}

}  // namespace
}  // namespace zarnet
