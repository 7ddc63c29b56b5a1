// A match played from the main window against a second player, through the
// table server of zarnet-services on loopback; the pictures of the lobby and
// of the table with the move clocks go to build/sheets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <map>
#include <set>

#include "form_link.h"
#include "kuv_button.h"
#include "main_window.h"
#include "service_fixture.h"
#include "tour_binding.h"
#include "tour_players.h"
#include "window_play.h"
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

// A dialog of `form`'s family that is showing now and is a `T`.
template <typename T>
T* Showing(QWidget* form) {
  for (QDialog* d : form->findChildren<QDialog*>())
    if (auto* t = dynamic_cast<T*>(d); t && t->isVisible()) return t;
  return nullptr;
}

// One copy of the program at the tournament: its main window over its own
// program folder, logged in with `nick`.
struct TableWindow {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  std::vector<QStringList> notices;  // the Attention windows it showed

  TableWindow(const std::string& url, const std::string& nick) {
    const std::string folder = dir.path().toStdString();
    testing::InstallProgramFolder(folder, testing::QuietSettings(nick));
    form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->OpenEndOfGame = [](int, int32_t, int) {};
    form->show();
    form->RunStartUp();
    form->EndIntro();
    form->books.LoggedIn = true;
    TournamentBinding binding;
    binding.address = url;
    binding.account = [nick] { return TourAccount{nick, "Russia", "Omsk", 'M'}; };
    BindTournament(
        *form, [] { return FormStyle{}; }, binding);
  }
  GameState& gs() { return form->game.gs; }
  TFTour* Lobby() { return Showing<TFTour>(form.get()); }
  // Answers an Attention window the way a player does, keeping its lines.
  void AnswerNotices() {
    if (auto* link = Showing<TFormLink>(form.get())) {
      QStringList lines;
      for (QLabel* l : link->findChildren<QLabel*>())
        if (!l->text().isEmpty()) lines << l->text();
      notices.push_back(lines);
      link->accept();
    }
  }
  // What a player who plays by the computer's rules does now; false when nothing is offered.
  bool Step() {
    if (!form->game.opt.OnlineGame) return false;
    const GameState& g = gs();
    if (g.DealActive && g.DealPhase == 2 && g.Turn == 2 && !g.DealOver) {
      const int slot = g.Leader == 2
                           ? ChooseLead(g.Hand[2].data(), g.HandOrder[2].data(), g.Trump, g.Played.data())
                           : ChooseAnswer(g.Hand[2].data(), g.HandOrder[2].data(), g.HandPoints[2].data(),
                                          g.Trump, g.Table[1], g.TableOrder[1], g.TablePoints[1]);
      testing::ClickCard(*form, slot);
      return true;
    }
    TKuvCardsButton* upper = form->table->Button7;
    if (upper->isVisible() && upper->isEnabled()) {
      QTest::mouseClick(upper, Qt::LeftButton);  // begin, collect, or ask for the next deal
      return true;
    }
    return false;
  }
};

// Both windows take their seats at `t` from their lobbies, opened from the
// windows; returns when the first deck has closed both lobbies.
void SitDown(TableWindow& first, TableWindow& second, int t) {
  bool clicked = false;
  QTimer::singleShot(50, [&] {
    TFTour* lobby = first.Lobby();
    ASSERT_NE(lobby, nullptr);
    QTest::mouseClick(lobby->ButtonTa[t], Qt::LeftButton);
    ASSERT_EQ(lobby->MyTable, t);
    QTimer::singleShot(50, [&] {
      TFTour* other = second.Lobby();
      ASSERT_NE(other, nullptr);
      ASSERT_TRUE(other->ButtonTb[t]->isEnabled());
      QTest::mouseClick(other->ButtonTb[t], Qt::LeftButton);
      clicked = true;
    });
    second.form->OpenTournament();
  });
  first.form->OpenTournament();
  ASSERT_TRUE(clicked);
  ASSERT_TRUE(first.form->game.opt.OnlineGame && second.form->game.opt.OnlineGame);
  EXPECT_EQ(first.Lobby(), nullptr);
  EXPECT_EQ(second.Lobby(), nullptr);
}

class TourWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite"));
    for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick)) << nick;
    url_ = "http://127.0.0.1:" + std::to_string(service_.httpPort()) + "/tournament";
    folder_ = dir_.path().toStdString();
    testing::InstallProgramFolder(folder_, testing::QuietSettings("Tom"));
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

// What hovering over a seat's name plate shows now; empty when no balloon opens.
std::string BalloonAt(TImageArea* plate) {
  QToolTip::hideText();
  QHelpEvent e(QEvent::ToolTip, QPoint(5, 5), plate->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(plate, &e);
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

TEST_F(TourWindow, TwoWindowsPlayAMatchThroughTheTableServer) {
  QDir().mkpath(QString::fromStdString(service_.dataDir()) + "/avatars");
  QImage photo(40, 50, QImage::Format_RGB32);
  photo.fill(Qt::darkCyan);
  ASSERT_TRUE(photo.save(QString::fromStdString(service_.dataDir()) + "/avatars/Ada.jpg", "JPEG"));
  TableWindow tom(url_, "Tom"), ada(url_, "Ada");
  QTimer attendant;  // the two players answer the notices
  QObject::connect(&attendant, &QTimer::timeout, [&] {
    tom.AnswerNotices();
    ada.AnswerNotices();
  });
  attendant.start(20);
  SitDown(tom, ada, 6);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(tom.form->game.SeatName[1], "Ada");
  EXPECT_EQ(ada.form->game.SeatName[1], "Tom");
  EXPECT_EQ(tom.form->game.TablePlace, 1);
  EXPECT_EQ(ada.form->game.TablePlace, 2);
  for (TableWindow* w : {&tom, &ada}) EXPECT_TRUE(w->form->table->ImTimer[2]->isVisible());
  // Each seat's photo shows in a balloon over its name plate: Ada's own, Tom's the stock face.
  const QString adaPhoto = tom.dir.path() + "/History/Ada.bmp";
  EXPECT_EQ(QImage(adaPhoto).size(), QSize(40, 50));
  auto img = [](const QString& file) { return ("<img src=\"" + file + "\">").toStdString(); };
  EXPECT_EQ(BalloonAt(tom.form->table->ImageSay[1]), img(adaPhoto));
  EXPECT_EQ(BalloonAt(tom.form->table->ImageSay[2]), img(tom.dir.path() + "/History/Tom.bmp"));
  EXPECT_EQ(BalloonAt(ada.form->table->ImageSay[1]), img(ada.dir.path() + "/History/Tom.bmp"));

  ServiceClient client;
  TourService service(client, url_);
  int32_t kon = 0, rating = 0;
  auto booked = [&] {
    service.ReadTourRating("Tom", &kon, &rating);
    return kon == 2;
  };
  QElapsedTimer clock;
  clock.start();
  bool over = false;
  while (!over && clock.elapsed() < 40000) {
    const bool moved = tom.Step() | ada.Step();
    PumpUntil([] { return false; }, moved ? 1 : 5);
    over = true;
    for (TableWindow* w : {&tom, &ada})
      over &= w->gs().DealSettled && w->gs().KonNo - w->gs().KonAtStart >= 2;
  }
  ASSERT_TRUE(over) << "deals " << tom.form->game.OnlineKon << " and " << ada.form->game.OnlineKon;
  EXPECT_TRUE(tom.notices.empty() && ada.notices.empty());  // nothing went wrong on the way
  // The same two deals from opposite seats.
  EXPECT_EQ(tom.gs().GameScore[2], ada.gs().GameScore[1]);
  EXPECT_EQ(tom.gs().GameScore[1], ada.gs().GameScore[2]);
  const int diff = tom.gs().GameScore[2] - tom.gs().GameScore[1];
  ASSERT_TRUE(PumpUntil(booked));
  for (TableWindow* w : {&tom, &ada}) {
    EXPECT_FALSE(w->form->table->Button7->isEnabled());
    EXPECT_TRUE(w->form->table->Button8->isEnabled());
  }

  // Each leaves the table: the series is booked and the lobby opens again,
  // showing the new score; its Top 10 lists both players.
  std::map<std::string, QString> scoreShown;
  std::map<std::string, std::set<std::string>> listed;
  QObject::connect(&attendant, &QTimer::timeout, [&] {
    for (TableWindow* w : {&tom, &ada}) {
      const std::string nick = w->form->books.MyClient.Nick;
      TFTour* lobby = w->Lobby();
      if (!lobby) continue;
      if (auto* top = Showing<TFormTourTop10>(lobby)) {
        for (int k = 1; k <= 10; ++k)
          if (top->Top[k].Nick != "#" && !top->Top[k].Nick.empty()) listed[nick].insert(top->Top[k].Nick);
        Sheet(top, "tour_top_ten_after_match");
        top->close();
      } else if (!scoreShown.count(nick)) {
        scoreShown[nick] = lobby->SG[2][2]->text();
        // Opened from here the Top 10 runs its own loop; the attendant answers it there.
        QTimer::singleShot(0, lobby, [lobby] { QTest::mouseClick(lobby->ButtonTop, Qt::LeftButton); });
      } else if (listed.count(nick)) {
        lobby->close();
      }
    }
  });
  QTest::mouseClick(tom.form->table->Button8, Qt::LeftButton);
  QTest::mouseClick(ada.form->table->Button8, Qt::LeftButton);
  ASSERT_TRUE(PumpUntil([&] { return listed.size() == 2 && !tom.Lobby() && !ada.Lobby(); }, 10000));
  EXPECT_EQ(scoreShown["Tom"], QString::number(diff));
  EXPECT_EQ(scoreShown["Ada"], QString::number(-diff));
  const std::set<std::string> both = {"Tom", "Ada"};
  EXPECT_EQ(listed["Tom"], both);
  EXPECT_EQ(listed["Ada"], both);
  for (TableWindow* w : {&tom, &ada}) {
    EXPECT_FALSE(w->form->game.opt.OnlineGame);
    EXPECT_FALSE(w->form->InSeries());
  }
  EXPECT_EQ(tom.form->books.MyClient.Score, diff);
  EXPECT_EQ(ada.form->books.MyClient.Score, -diff);
  // Away from the tournament the plates show no photo, though the files stay.
  EXPECT_TRUE(QFile::exists(adaPhoto));
  EXPECT_EQ(BalloonAt(tom.form->table->ImageSay[1]), "");
}

TEST_F(TourWindow, OpponentGoneMidMatchLeavesOnlyTheWayOut) {
  TableWindow tom(url_, "Tom");
  auto ada = std::make_unique<TableWindow>(url_, "Ada");
  QTimer attendant;
  QObject::connect(&attendant, &QTimer::timeout, [&] { tom.AnswerNotices(); });
  attendant.start(20);
  SitDown(tom, *ada, 7);
  ASSERT_FALSE(HasFatalFailure());
  ada.reset();  // Ada's program goes away
  ASSERT_TRUE(PumpUntil([&] { return !tom.notices.empty(); }));
  ASSERT_EQ(tom.notices.size(), 1u);
  const QStringList expected = {
      QString::fromStdString(WordUtf8(WordId::Player) + " Ada " + WordUtf8(WordId::InterruptedTheGame)),
      QString::fromStdString(WordUtf8(WordId::YouWon))};
  EXPECT_EQ(tom.notices[0].mid(tom.notices[0].size() - 2), expected);
  EXPECT_EQ(tom.gs().Turn, kTurnMatchAborted);
  EXPECT_TRUE(tom.gs().DealSettled);
  // Only the lower button works: cards and the upper button do nothing.
  EXPECT_FALSE(tom.form->table->Button7->isEnabled());
  EXPECT_FALSE(tom.Step());
  testing::ClickCard(*tom.form, 1);
  EXPECT_EQ(tom.gs().HandCount[2], 3);
  EXPECT_EQ(tom.gs().Turn, kTurnMatchAborted);
  ASSERT_TRUE(tom.form->table->Button8->isEnabled());
  // The server's close that follows adds nothing.
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(tom.notices.size(), 1u);
  // Leaving the table opens the lobby again.
  bool lobbyShown = false;
  QObject::connect(&attendant, &QTimer::timeout, [&] {
    if (TFTour* lobby = tom.Lobby()) {
      lobbyShown = true;
      lobby->close();
    }
  });
  QTest::mouseClick(tom.form->table->Button8, Qt::LeftButton);
  ASSERT_TRUE(PumpUntil([&] { return lobbyShown && !tom.Lobby(); }));
  EXPECT_FALSE(tom.form->game.opt.OnlineGame);
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
