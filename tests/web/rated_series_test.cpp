// A rated account series played through the main window, offscreen,
// against zarnet-services on loopback; and the program with no services.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "atomic_file.h"
#include "engine.h"
#include "layout.h"
#include "main_window.h"
#include "window_play.h"
#include "player_list.h"
#include "series.h"
#include "service_fixture.h"
#include "settings.h"

namespace zarnet {
namespace {

using testing::ClickCard;
using testing::PlayDeal;

class RatedSeries : public ::testing::Test {
 protected:
  void SetUp() override {
    root = tmp.path().toStdString();
    folder = root + "/Zarnet";
    std::filesystem::create_directory(folder);
    Settings s = testing::QuietSettings("Mr.X");
    s.LaunchReported = false;
    testing::InstallProgramFolder(folder, s);
  }

  // A started window at the menu, its services at `base`.
  std::unique_ptr<TForm1> Open(const std::string& base) {
    auto form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->webAddresses.scripts = {base + "accounts", base + "statistics", base + "tables"};
    form->webAddresses.directory = base + "directory";
    form->webAddresses.avatars = base + "avatars/";
    form->web.Addresses() = form->webAddresses.scripts;
    form->Confirm = [this](const QString&) { return confirmAnswer; };
    form->Inform = [this](const QString& t) { informed.push_back(t); };
    form->OpenAccount = [this, f = form.get()](bool switchable) {
      ++accountOpened;
      if (switchable && tickRated) f->account.SetRatedPlay(true);
    };
    form->show();
    form->RunStartUp();
    form->EndIntro();
    return form;
  }


  QTemporaryDir tmp;
  std::string root, folder;
  bool confirmAnswer = true;
  bool tickRated = true;
  int accountOpened = 0;
  std::vector<QString> informed;
};

TEST_F(RatedSeries, BookedAtTheStartSettledAtTheEndAbandonedKeepsTheCharge) {
  test::ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite"));
  const std::string base = "http://127.0.0.1:" + std::to_string(service.httpPort()) + "/";
  ServiceClient client;
  WebServices web(client, {base + "accounts", base + "statistics", base + "tables"});
  TKuvUser u;
  u.Nick = "Ranked";
  u.Pw = "pass1";
  u.City = "Omsk";
  u.EMail = "r@x.ru";
  ASSERT_EQ(web.RegisterAccount(u), 0);
  ASSERT_TRUE(WriteUserFile(root + "/" + kUserFileName, {"Ranked", EncipherPassword("pass1")}));

  auto form = Open(base);
  ASSERT_EQ(form->account.State, AccountState::LoggedIn);  // the start-up login
  EXPECT_TRUE(form->settings.LaunchReported);               // the launch report went through
  EXPECT_TRUE(form->ListButton[5]->text().startsWith("Ranked"));

  // The large window shows the information dial beside the menu.
  form->settings.WindowMode = 4;
  form->ApplyWindowMode();
  ASSERT_TRUE(form->ImClock2->isVisible());
  EXPECT_FALSE(form->ImClock2->picture.isNull());
  EXPECT_FALSE(form->ImClock2->toolTip().contains("NO CONNECT"));
  QDir().mkpath(ZARNET_SHEETS_DIR);
  form->grab().save(QString(ZARNET_SHEETS_DIR) + "/menu_with_dial.png");
  form->settings.WindowMode = 1;
  form->ApplyWindowMode();

  form->MenuLineClick(5);
  ASSERT_EQ(accountOpened, 1);
  ASSERT_TRUE(form->table->TableShown());
  EXPECT_EQ(form->game.opt.PlayerSlot, kSlotAccount);
  TKuvGame g;
  ASSERT_TRUE(web.ReadGameResults("Ranked", "pass1", &g));
  EXPECT_EQ(g.Kon, 2);  // the provisional charge
  const double charged = g.Rating;
  EXPECT_DOUBLE_EQ(charged, AccountRatingStart(2, 0.0));

  PlayDeal(*form);
  EXPECT_FALSE(form->table->Button8->isEnabled());  // account deals come in pairs
  QTest::mouseClick(form->table->Button7, Qt::LeftButton);
  PlayDeal(*form);
  ASSERT_TRUE(form->table->Button8->isEnabled());
  const int32_t diff = form->game.gs.ScoreDiff;
  QTest::mouseClick(form->table->Button8, Qt::LeftButton);
  EXPECT_TRUE(form->MenuShown);
  EXPECT_EQ(form->account.State, AccountState::LoggedIn);
  ASSERT_TRUE(web.ReadGameResults("Ranked", "pass1", &g));
  EXPECT_EQ(g.Kon, 2);
  EXPECT_EQ(g.KonL, 2);
  EXPECT_EQ(g.Score, diff);
  EXPECT_NEAR(g.Rating, AccountRatingSettle(2, diff, charged), 1e-6);

  // A second rated series left through the menu keeps its charge.
  form->MenuLineClick(5);
  ASSERT_TRUE(form->table->TableShown());
  ASSERT_TRUE(form->QuitClick());
  EXPECT_EQ(form->account.State, AccountState::LoggedIn);
  ASSERT_TRUE(web.ReadGameResults("Ranked", "pass1", &g));
  EXPECT_EQ(g.Kon, 4);
  EXPECT_NEAR(g.Rating, AccountRatingStart(4, AccountRatingSettle(2, diff, charged)), 1e-6);

  // With the box left clear the account place starts nothing.
  tickRated = false;
  form->MenuLineClick(5);
  EXPECT_FALSE(form->table->TableShown());

  // Booking without the services logs the player out.
  tickRated = true;
  service.Stop();
  informed.clear();
  form->MenuLineClick(5);
  EXPECT_FALSE(form->table->TableShown());
  ASSERT_EQ(informed.size(), 1u);
  EXPECT_EQ(informed[0], QString::fromStdString(WordUtf8(WordId::CouldNotConnectToServer)));
  EXPECT_EQ(form->account.State, AccountState::Guest);
}

TEST_F(RatedSeries, NoServicesStartsAsGuestWithoutHanging) {
  ASSERT_TRUE(WriteUserFile(root + "/" + kUserFileName, {"Ranked", EncipherPassword("pass1")}));
  const auto t0 = std::chrono::steady_clock::now();
  auto form = Open("http://127.0.0.1:9/");
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
  EXPECT_TRUE(form->MenuShown || !form->IntroRunning);
  EXPECT_EQ(form->account.State, AccountState::Guest);
  EXPECT_FALSE(form->settings.LaunchReported);
  // The fifth line stays a list line and opens the welcome dialog.
  int welcomed = 0;
  form->OpenWelcome = [&](int) {
    ++welcomed;
    return WelcomeResult{};
  };
  form->MenuLineClick(6);
  EXPECT_EQ(welcomed, 1);
  EXPECT_EQ(accountOpened, 0);
}

}  // namespace
}  // namespace zarnet
