// The main window on a real X screen with a window manager: the sizes fit
// the screen, maximising spreads the game, and both players' cards fly with
// the same frames. Run through under_wm.sh (1920x1080, openbox).
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

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

TEST_F(ScreenTest, MaximisingSpreadsTheGameAndRestoringReturns) {
  if (!OnX()) GTEST_SKIP() << "needs a window manager";
  auto form = Open(1);
  Settle(*form, [&] { return form->windowHandle()->frameMargins().top() > 0; });
  ASSERT_EQ(form->size(), QSize(760, 500));
  form->showMaximized();
  Settle(*form, [&] { return form->width() > 760 && form->Factors.WindowWidth == form->width(); });
  EXPECT_GT(form->width(), 1500);
  EXPECT_EQ(form->Factors.WindowWidth, form->width());
  EXPECT_EQ(form->Factors.WindowHeight, form->height());
  const QRect inside = form->rect();
  for (TKuvCardsButton* b : MenuButtons(*form)) EXPECT_TRUE(inside.contains(b->geometry())) << b->text().toStdString();
  // The game is spread, not left in a corner: the exit button sits in the lower half's middle.
  EXPECT_NEAR(form->Button11->geometry().center().x(), form->width() / 2, form->width() / 20);
  form->showNormal();
  Settle(*form, [&] { return form->size() == QSize(760, 500); });
  EXPECT_EQ(form->size(), QSize(760, 500));
  EXPECT_EQ(form->Factors.WindowWidth, 760);
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

}  // namespace
}  // namespace zarnet
