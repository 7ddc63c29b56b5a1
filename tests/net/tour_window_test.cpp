// A match played from the main window against a second player, through the
// table server of zarnet-services on loopback; the pictures of the lobby and
// of the table with the move clocks go to build/sheets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include "atomic_file.h"
#include "kuv_button.h"
#include "main_window.h"
#include "player_list.h"
#include "service_fixture.h"
#include "settings.h"
#include "tour_binding.h"
#include "tour_players.h"
#include "words.h"

namespace zarnet {
namespace {

void Sheet(QWidget* w, const char* name) {
  QDir().mkpath(ZARNET_SHEETS_DIR);
  w->grab().save(QString(ZARNET_SHEETS_DIR) + "/" + name + ".png");
}

TFTour* OpenLobby() {
  return dynamic_cast<TFTour*>(QApplication::activeModalWidget());
}

class TourWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite"));
    for (const char* nick : {"Tom", "Ada"})
      ASSERT_EQ(
          service_
              .Post("/accounts",
                    std::string("nick=") + nick +
                        "&pw=pass1&city=Omsk&country1=Russia&country2=1-001&sex=M&email=" + nick +
                        "@x.ru&dater=1.1.2024&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0")
              .body,
          "ok\n");
    url_ = "http://127.0.0.1:" + std::to_string(service_.httpPort()) + "/tournament";
    folder_ = dir_.path().toStdString();
    ReplaceFile(folder_ + "/" + kClubListName, InstallationList());
    ReplaceFile(folder_ + "/" + kNetListName, InstallationList());
    Settings s = DefaultSettings("Tom");
    s.OptFlyCards = false;
    s.SoundOn = false;
    s.MusicOn = false;
    SaveSettings(folder_, s);
  }
  test::ServiceProcess service_;
  QTemporaryDir dir_;
  std::string folder_, url_;
};

TEST_F(TourWindow, AMatchFromTheMenuAndBackToTheLobby) {
  TForm1 form(folder_);
  form.table->PauseScale = 0;
  form.show();
  form.RunStartUp();
  form.EndIntro();
  TournamentBinding binding;
  binding.address = url_;
  binding.account = [] { return TourAccount{"Tom", "Russia", "Omsk", 'M'}; };
  BindTournament(
      form, [] { return FormStyle{}; }, binding);

  // Not logged in: the lobby stays shut.
  QStringList shown;
  QTimer::singleShot(50, [&] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      shown << w->objectName();
      w->close();
    }
  });
  form.OpenTournament();
  EXPECT_FALSE(shown.contains("TFTour"));

  form.books.LoggedIn = true;
  QDir().mkpath(QString::fromStdString(service_.dataDir()) + "/avatars");
  QImage photo(40, 50, QImage::Format_RGB32);
  photo.fill(Qt::darkCyan);
  ASSERT_TRUE(photo.save(QString::fromStdString(service_.dataDir()) + "/avatars/Ada.jpg", "JPEG"));
  Seat ada(url_, "Ada", "10.0.0.2");
  bool sat = false;
  QTimer::singleShot(50, [&] {
    TFTour* lobby = OpenLobby();
    ASSERT_NE(lobby, nullptr);
    Sheet(lobby, "tour_lobby_plain");
    lobby->ClickSeat(3, 1);
    ASSERT_EQ(lobby->MyTable, 3);
    EXPECT_FALSE(lobby->ButtonOk->isEnabled());
    Sheet(lobby, "tour_lobby_waiting");
    ada.lobby->RefreshLobby();
    ada.lobby->ClickSeat(3, 2);
    sat = true;
  });
  form.OpenTournament();  // returns when the first deck closes the lobby
  ASSERT_TRUE(sat);
  ASSERT_TRUE(form.game.opt.OnlineGame);
  ASSERT_TRUE(form.InSeries());
  EXPECT_TRUE(form.table->ImTimer[2]->isVisible());
  PumpUntil([&] { return false; }, 1200);  // a tick of the move clock
  Sheet(&form, "tour_match_clocks");
  EXPECT_EQ(form.game.SeatName[1], "Ada");
  // Ada's photo is kept for the balloon over her name plate.
  const QImage kept(QString::fromStdString(folder_) + "/History/Ada.bmp");
  EXPECT_EQ(kept.size(), QSize(40, 50));

  QElapsedTimer clock;
  clock.start();
  while (!(form.game.gs.DealSettled && form.game.gs.KonNo - form.game.gs.KonAtStart >= 2 &&
           ada.table.link.TableLinkState == 10) &&
         clock.elapsed() < 30000) {
    bool moved = ada.Step();
    const GameState& gs = form.game.gs;
    if (gs.Turn == 2 && gs.DealPhase == 2 && !gs.DealOver) {
      const int slot =
          gs.Leader == 2
              ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump, gs.Played.data())
              : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.HandPoints[2].data(),
                             gs.Trump, gs.Table[1], gs.TableOrder[1], gs.TablePoints[1]);
      moved |= form.PlaySlot(slot);
    } else if (form.table->Button7->isEnabled() && form.table->Button7->isVisible()) {
      form.Button7Click();  // begin, collect, or ask for the next deal
      moved = true;
    }
    PumpUntil([] { return false; }, moved ? 1 : 5);
  }
  ASSERT_EQ(form.game.OnlineKon, 2);
  ASSERT_EQ(ada.table.link.TableLinkState, 10);
  const int diff = form.game.gs.GameScore[2] - form.game.gs.GameScore[1];
  // The server books the outcome and closes the links.
  ASSERT_TRUE(PumpUntil([&] { return ada.table.CS.state() == QAbstractSocket::UnconnectedState; }));
  Sheet(&form, "tour_match_over");

  // Leaving the table books the series and opens the lobby again with the new score.
  QString scoreShown;
  QTimer::singleShot(300, [&] {
    if (TFTour* lobby = OpenLobby()) {
      scoreShown = lobby->SG[2][2]->text();
      lobby->close();
    }
  });
  ASSERT_TRUE(form.table->Button8->isEnabled());
  form.Button8Click();
  PumpUntil([&] { return !scoreShown.isEmpty(); }, 5000);
  EXPECT_FALSE(form.game.opt.OnlineGame);
  EXPECT_FALSE(form.InSeries());
  EXPECT_EQ(scoreShown, QString::number(diff));
  EXPECT_EQ(form.books.MyClient.Score, diff);

  ServiceClient client;
  TourService service(client, url_);
  TFormTourTop10 top(service, form.books.MyClient, FormStyle{});
  top.show();
  EXPECT_EQ(top.Top[diff >= 0 ? 1 : 2].Nick, "Tom");
  Sheet(&top, "tour_top_ten");
}

// The graphic look, with a stand-in for the graphics library's background.
TEST_F(TourWindow, GraphicLookSheet) {
  ServiceClient client;
  TourService service(client, url_);
  RecordingView view;
  Game game(&view);
  OnlineTable table(game);
  TKuvClient me;
  QImage background(900, 640, QImage::Format_RGB32);
  QPainter p(&background);
  QLinearGradient g(0, 0, 0, 640);
  g.setColorAt(0, QColor(0x20, 0x30, 0x60));
  g.setColorAt(1, QColor(0x08, 0x10, 0x20));
  p.fillRect(background.rect(), g);
  p.end();
  TFTour lobby(service, table, me, TourAccount{"Tom", "Russia", "Omsk", 'M'}, TourSeams{},
               FormStyle{}, background);
  lobby.show();
  ASSERT_TRUE(lobby.GraphicLook());
  EXPECT_TRUE(lobby.Image1->isVisible());
  EXPECT_FALSE(lobby.SG[1][1]->isVisible());
  Sheet(&lobby, "tour_lobby_graphic");
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
