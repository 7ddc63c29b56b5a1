// The main window on a real X screen with a window manager: the sizes fit
// the screen, maximising centres the largest size that fits, and both
// players' cards fly with the same frames. Run through under_wm.sh (1920x1080, openbox).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "main_window.h"
#include "window_play.h"

namespace zarnet {
namespace {

bool OnX() { return QGuiApplication::platformName() == "xcb"; }

class ScreenTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> Open(int windowMode, bool fly = false, int speed = 4) {
    Settings s = testing::QuietSettings("Mr.X");
    s.WindowMode = windowMode;
    s.OptFlyCards = fly;
    s.FlySpeed = speed;
    testing::InstallProgramFolder(dir.path().toStdString(), s);
    auto form = std::make_unique<TForm1>(dir.path().toStdString());
    form->Confirm = [](const QString&) { return true; };
    form->Inform = [](const QString&) {};
    form->OpenWelcome = [](int) { return WelcomeResult{true, "Tester"}; };
    form->show();
    form->RunStartUp();
    form->EndIntro();
    // Nothing is painted before the window is on the screen.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }

  // Waits until the window manager has framed the window and the game has
  // taken the frame into account.
  static void Settle(TForm1& form, const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && !done()) QTest::qWait(50);
    QTest::qWait(200);
  }

  static std::vector<TKuvCardsButton*> MenuButtons(TForm1& form) {
    std::vector<TKuvCardsButton*> all = {form.Button9, form.Button10, form.Button11, form.BHistory, form.BMode,
                                 form.Panel4};
    for (int k = 1; k <= 6; ++k) all.push_back(form.ListButton[k]);
    return all;
  }

  QTemporaryDir dir;
};

TEST_F(ScreenTest, FullScreenSizeFitsUnderTheTitleBar) {
  if (!OnX()) GTEST_SKIP() << "needs a window manager";
  auto form = Open(2);
  Settle(*form, [&] { return form->windowHandle()->frameMargins().top() > 0 &&
                             form->frameGeometry().height() <= 1080; });
  form->Timer1.stop();
  const QRect screen = form->screen()->availableGeometry();
  ASSERT_GT(form->windowHandle()->frameMargins().top(), 0) << "no title bar: is the manager running?";
  EXPECT_TRUE(screen.contains(form->frameGeometry()))
      << form->frameGeometry().x() << "," << form->frameGeometry().y() << " "
      << form->frameGeometry().width() << "x" << form->frameGeometry().height();
  EXPECT_EQ(form->Factors.WindowHeight, form->height());
  for (TKuvCardsButton* b : MenuButtons(*form)) {
    ASSERT_TRUE(b->isVisible()) << b->objectName().toStdString();
    const QRect r(b->mapToGlobal(QPoint(0, 0)), b->size());
    EXPECT_TRUE(screen.contains(r)) << b->text().toStdString() << " at " << r.y() << "+" << r.height();
  }
}

TEST_F(ScreenTest, MaximisingCentresTheLargestSizeThatFits) {
  if (!OnX()) GTEST_SKIP() << "needs a window manager";
  auto form = Open(1);
  Settle(*form, [&] { return form->windowHandle()->frameMargins().top() > 0; });
  ASSERT_EQ(form->size(), QSize(760, 500));
  form->showMaximized();
  Settle(*form, [&] { return form->width() > 760 && form->Factors.WindowWidth > 760; });
  // 1920 x 1080 less the title bar holds the large size, 1520 x 1000.
  EXPECT_GT(form->width(), 1520);
  EXPECT_EQ(form->Factors.WindowWidth, 1520);
  EXPECT_EQ(form->Factors.WindowHeight, 1000);
  const QRect stage = form->Stage->geometry();
  EXPECT_EQ(stage.size(), QSize(1520, 1000));
  EXPECT_LE(std::abs(stage.center().x() - form->rect().center().x()), 1);
  EXPECT_LE(std::abs(stage.center().y() - form->rect().center().y()), 1);
  for (TKuvCardsButton* b : MenuButtons(*form)) {
    const QRect r(b->mapTo(form.get(), QPoint(0, 0)), b->size());
    EXPECT_TRUE(stage.contains(r)) << b->text().toStdString();
  }
  // Beside the table the window shows its own colour.
  const QImage shown = form->grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, form->height() / 2), QColor(0xc0, 0xc0, 0xc0));
  QDir().mkpath(ZARNET_SHEETS_DIR);
  shown.save(QString(ZARNET_SHEETS_DIR) + "/maximised_menu.png");
  form->showNormal();
  Settle(*form, [&] { return form->size() == QSize(760, 500); });
  EXPECT_EQ(form->size(), QSize(760, 500));
  EXPECT_EQ(form->Factors.WindowWidth, 760);
  EXPECT_EQ(form->Stage->geometry(), QRect(0, 0, 760, 500));
}

// The whole-screen size, maximised, spreads over the window.
TEST_F(ScreenTest, MaximisedWholeScreenSizeSpreads) {
  if (!OnX()) GTEST_SKIP() << "needs a window manager";
  auto form = Open(2);
  Settle(*form, [&] { return form->windowHandle()->frameMargins().top() > 0; });
  form->showMaximized();
  // The whole-screen size is already about as wide before the manager maximises.
  Settle(*form, [&] {
    return form->isMaximized() && form->width() == form->screen()->availableGeometry().width() &&
           form->Factors.WindowWidth == form->width() && form->Factors.WindowHeight == form->height();
  });
  EXPECT_EQ(form->Factors.WindowWidth, form->width());
  EXPECT_EQ(form->Factors.WindowHeight, form->height());
  EXPECT_EQ(form->Stage->geometry(), form->rect());
}

// Frames painted for one flight of the computer's card and one of the
// player's (a real click), beyond the flight's steps.
TEST_F(ScreenTest, BothPlayersCardsFlyWithTheSameFrames) {
  for (int speed : {1, 4}) {
    SCOPED_TRACE(speed);
    auto form = Open(1, true, speed);
    form->table->PauseScale = 1;
    form->MenuLineClick(kSlotNewPlayer);
    form->Button7Click();
    GameState& gs = form->game.gs;
    int extra[3] = {-1, -1, -1};  // by seat
    for (int guard = 0; guard < 8 && (extra[1] < 0 || extra[2] < 0); ++guard) {
      const int before = form->table->FlightLayer->FramesPainted;
      int seat = 0;
      if (gs.Turn == 2) {
        testing::ClickCard(*form, 1);
        seat = 2;
      } else if (gs.Turn == 1) {
        form->Timer1Timer();
        seat = 1;
      } else {
        form->Button7Click();
        continue;
      }
      const int frames = form->table->FlightLayer->FramesPainted - before;
      if (extra[seat] < 0) extra[seat] = frames - form->table->LastFlightSteps;
    }
    ASSERT_GE(extra[1], 0);
    ASSERT_GE(extra[2], 0);
    // Every step shows, for either player.
    EXPECT_LE(std::abs(extra[1] - extra[2]), 1) << extra[1] << " " << extra[2];
    EXPECT_LE(extra[2], 2);
    EXPECT_GE(extra[2], 0);
  }
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The player's card, played by a real click and by a real key press through
// the X server (xdotool), flies at the computer's pace: as many frames beyond
// its steps, at intervals alike, at speeds 1 and 4.
TEST_F(ScreenTest, PlayersCardKeepsTheComputersPaceWithMouseAndKeys) {
  if (!OnX()) GTEST_SKIP() << "needs a window manager";
  const QString xdotool = QStandardPaths::findExecutable("xdotool");
  if (xdotool.isEmpty()) GTEST_SKIP() << "needs xdotool";
  for (int speed : {1, 4}) {
    for (bool keys : {false, true}) {
      SCOPED_TRACE(QString("speed %1, %2").arg(speed).arg(keys ? "keys" : "mouse").toStdString());
      auto form = Open(1, true, speed);
      form->table->PauseScale = 1;
      Settle(*form, [&] { return form->windowHandle()->frameMargins().top() > 0; });
      form->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
      struct Flight {
        int steps = 0;
        std::vector<qint64> frames;  // ns
      };
      std::vector<Flight> mine, computers;
      Flight* current = nullptr;
      QElapsedTimer clock;
      clock.start();
      TTableScreen& t = *form->table;
      t.OnFlightBegins = [&](QPoint from, QPoint to) {
        current = nullptr;
        // Played cards land in the table area's slots: the player's the lower one.
        const Rect& area = t.layout.table;
        if (to.x() != area.left + t.look.len(5)) return;
        if (to.y() == area.top + t.look.len(102)) current = &mine.emplace_back();
        if (to.y() == area.top + t.look.len(2)) current = &computers.emplace_back();
        if (current) current->steps = int(FlightPath(from.x(), from.y(), to.x(), to.y()).size());
      };
      t.FlightLayer->OnFramePainted = [&] {
        if (current) current->frames.push_back(clock.nsecsElapsed());
      };
      form->MenuLineClick(kSlotNewPlayer);
      form->Button7Click();
      GameState& gs = form->game.gs;
      QElapsedTimer guard;
      guard.start();
      while ((mine.empty() || computers.empty()) && guard.elapsed() < 30000 && !gs.DealOver) {
        if (gs.DealPhase == 2 && gs.Turn == 2) {
          const size_t before = mine.size();
          if (keys) {
            QProcess::execute(xdotool, {"key", "1"});
          } else {
            const auto xs = LayoutHand(t.layout.hand[2].width, gs.HandCount[2], form->art.CardWidth);
            const QPoint at = t.ImageCards[2]->mapToGlobal(QPoint(xs[0] + 5, 10));
            QProcess::execute(xdotool, {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()),
                                        "click", "1"});
          }
          QElapsedTimer wait;
          wait.start();
          while (mine.size() == before && wait.elapsed() < 3000) QTest::qWait(5);
          ASSERT_GT(mine.size(), before) << "the input did not play a card";
          while (current && wait.elapsed() < 5000 && t.flight.FlightRunning) QTest::qWait(5);
        } else if (t.Button7->isVisible() && t.Button7->isEnabled()) {
          form->Button7Click();
        } else {
          QTest::qWait(5);  // the computer moves on its own timer
        }
      }
      ASSERT_GE(mine.size(), 1u);
      ASSERT_GE(computers.size(), 1u);
      auto extra = [](const Flight& f) { return int(f.frames.size()) - f.steps; };
      auto intervals = [](const std::vector<Flight>& flights) {
        std::vector<double> ms;
        for (const Flight& f : flights)
          for (size_t i = 1; i < f.frames.size(); ++i) ms.push_back((f.frames[i] - f.frames[i - 1]) / 1e6);
        return ms;
      };
      const double minePace = Median(intervals(mine)), theirPace = Median(intervals(computers));
      std::printf("speed %d %s: frames beyond steps %d (player) %d (computer); median interval %.2f ms (player) "
                  "%.2f ms (computer)\n",
                  speed, keys ? "keys" : "mouse", extra(mine[0]), extra(computers[0]), minePace, theirPace);
      // Every step shows, for either player.
      EXPECT_GE(extra(mine[0]), 0);
      EXPECT_LE(std::abs(extra(mine[0]) - extra(computers[0])), 1);
      // Alike pace: a flight paced by another clock (a frame every 66 ms
      // against every 10) or shown only at its end would be far off.
      EXPECT_LT(minePace, 2 * theirPace + 0.5);
      EXPECT_LT(theirPace, 2 * minePace + 0.5);
      t.OnFlightBegins = nullptr;
      t.FlightLayer->OnFramePainted = nullptr;
    }
  }
}

// Mean difference per pixel (red, green and blue summed) inside the two
// pictures' common rect less `inset` pixels at each side.
double MeanDifference(const QImage& one, const QImage& other, int inset) {
  const QImage a = one.convertToFormat(QImage::Format_RGB32), b = other.convertToFormat(QImage::Format_RGB32);
  const QRect r = a.rect().intersected(b.rect()).adjusted(inset, inset, -inset, -inset);
  double sum = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (r.width() * r.height());
}

// Run with ZARNET_TEST_DPR=2: the table and the menu come in the screen's
// real pixels, the cards sharp rather than enlarged.
TEST_F(ScreenTest, FineScreenGetsRealPixels) {
  auto form = Open(1);
  const double dpr = form->devicePixelRatioF();
  if (dpr < 2) GTEST_SKIP() << "needs a screen of device pixel ratio 2 (ZARNET_TEST_DPR=2)";
  form->MenuLineClick(kSlotNewPlayer);
  form->Button7Click();
  ASSERT_EQ(form->game.gs.HandCount[2], 3);
  TImageArea* hand = form->table->ImageCards[2];
  const QImage grabbed = hand->grab().toImage();
  ASSERT_EQ(grabbed.size(), hand->size() * 2);
  const auto xs = LayoutHand(hand->width(), 3, form->art.CardWidth);
  const QRect card(xs[0] * 2, 0, form->art.CardWidth * 2, form->art.CardHeight * 2);
  const QImage shown = grabbed.copy(card);
  // The card drawn straight into pixels of the ratio, and drawn in window
  // pixels then enlarged (sharp-edged or smooth) as a coarse table shows it.
  const CardCode code = form->game.gs.Hand[2][1];
  QImage fine(card.size(), QImage::Format_ARGB32_Premultiplied);
  fine.setDevicePixelRatio(2);
  fine.fill(Qt::darkGreen);
  form->art.DrawCard(0, 0, code, fine);
  QImage coarse(form->art.CardWidth, form->art.CardHeight, QImage::Format_ARGB32_Premultiplied);
  coarse.fill(Qt::darkGreen);
  form->art.DrawCard(0, 0, code, coarse);
  // The rounded corners show the table underneath: only the inside counts.
  const double toFine = MeanDifference(shown, fine, 8);
  const double toEnlarged = std::min(MeanDifference(shown, coarse.scaled(card.size()), 8),
                                     MeanDifference(shown, coarse.scaled(card.size(), Qt::IgnoreAspectRatio,
                                                                         Qt::SmoothTransformation), 8));
  EXPECT_LT(toFine, 1.0);
  EXPECT_GT(toEnlarged, 5.0) << "the card is an enlarged coarse picture";
  QDir().mkpath(ZARNET_SHEETS_DIR);
  grabbed.save(QString(ZARNET_SHEETS_DIR) + "/dpr2_hand.png");

  const QImage table = form->grab().toImage();
  EXPECT_EQ(table.size(), form->size() * 2);
  table.save(QString(ZARNET_SHEETS_DIR) + "/dpr2_table.png");
  {
    TFormOptions options(form->settings, *form, form->ProgramFolder, &form->art, form.get());
    options.show();
    options.grab().save(QString(ZARNET_SHEETS_DIR) + "/dpr2_options.png");
  }

  // The menu's captions and the window as a whole.
  form->ReturnToMenu();
  const QImage menu = form->grab().toImage();
  EXPECT_EQ(menu.size(), form->size() * 2);
  const QImage button = form->Button11->grab().toImage();
  EXPECT_EQ(button.size(), form->Button11->size() * 2);
  menu.save(QString(ZARNET_SHEETS_DIR) + "/dpr2_menu.png");
}

}  // namespace
}  // namespace zarnet
