// The main window's ways into the world boards and the chat room, with the
// services on loopback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "atomic_file.h"
#include "engine.h"
#include "main_window.h"
#include "window_play.h"
#include "player_list.h"
#include "service_fixture.h"
#include "settings.h"
#include "world_link.h"
#include "world_top.h"

namespace zarnet {
namespace {

using testing::ClickCard;
using testing::PlayDeal;

class WorldWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path().toStdString() + "/Zarnet";
    QDir().mkpath(QString::fromStdString(folder));
    // A player one deal short of a game's end.
    auto lines = *ParsePlayerList(InstallationList());
    lines[1] = BuildPlayerLine("Fifty", 1.5, 49, 900, EncodePassword(""));
    ReplaceFile(folder + "/" + kClubListName, FormatPlayerList(lines));
    ReplaceFile(folder + "/" + kNetListName, InstallationList());
    Settings s = DefaultSettings("Mr.X");
    s.OptFlyCards = false;
    s.SoundOn = false;
    s.MusicOn = false;
    s.PassportNick = "Fifty";
    s.PassportCity = "Kazan";
    SaveSettings(folder, s);
    ASSERT_TRUE(service.Start("sqlite"));
    const std::string base = "http://127.0.0.1:" + std::to_string(service.httpPort());
    web = std::make_unique<WebServices>(client, ServiceAddresses{base + "/accounts", base + "/statistics",
                                                                 base + "/tables"});
  }

  std::unique_ptr<TForm1> Open() {
    auto form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->Confirm = [](const QString&) { return true; };
    form->Inform = [](const QString&) {};
    form->OpenWelcome = [](int) { return WelcomeResult{true, "Tester"}; };
    form->OpenEndOfGame = [](int, int32_t, int) {};
    return form;
  }

  void Start(TForm1& form) {
    form.show();
    form.RunStartUp();
    form.EndIntro();
  }


  // Runs `act` on the modal window as soon as it is up.
  static void WhenModal(std::function<void(QWidget*)> act) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, poll] {
      if (QWidget* w = QApplication::activeModalWidget()) return act(w);
      QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(10, *poll);
  }

  QTemporaryDir dir;
  std::string folder;
  test::ServiceProcess service;
  ServiceClient client;
  std::unique_ptr<WebServices> web;
};

TEST_F(WorldWindowTest, FiftiethDealScoreReachesTheWindowsBoard) {
  auto form = Open();
  TWorldLink world(form.get(), form->settings, form->ProgramFolder, *web);
  form->OpenWorldTopTenEntry = [&](int32_t score) { world.SubmitResult(score); };
  Start(*form);
  form->MenuLineClick(1);
  PlayDeal(*form);
  ASSERT_EQ(form->game.gs.KonNo, 50);
  long long place = -1;
  int32_t shown = 0;
  WhenModal([&](QWidget* w) {
    auto* result = qobject_cast<TFormServerWrite*>(w);
    ASSERT_NE(result, nullptr);
    result->SendClick();
    place = result->ResultPlace;
    shown = result->ResultScore;
    result->accept();
  });
  QTest::mouseClick(form->table->Button8, Qt::LeftButton);
  EXPECT_EQ(shown, form->game.gs.FinalScore);
  ASSERT_GE(place, 1);
  RecordList board;
  ASSERT_TRUE(web->ReadRecords(kWindowsBoard, &board));
  EXPECT_EQ(board[place].Nick, "Fifty");
  EXPECT_EQ(board[place].City, "Kazan");
  EXPECT_EQ(board[place].Score, shown);
}

TEST_F(WorldWindowTest, MenuIndicatorAndChatItem) {
  auto form = Open();
  bool unread = true;
  int opened = 0;
  form->CheckChatNews = [&] { return unread; };
  form->OpenChat = [&] { ++opened; };
  int boards = 0;
  form->OpenWorldTopTen = [&] { ++boards; };
  Start(*form);
  ASSERT_NE(form->RxGIFAnChat, nullptr);
  EXPECT_TRUE(form->RxGIFAnChat->isVisible());
  EXPECT_EQ(form->RxGIFAnChat->toolTip(), WordText(WordId::KuvChat));
  if (const QByteArray sheets = qgetenv("ZARNET_SHEETS"); !sheets.isEmpty()) {
    QDir().mkpath(QString::fromUtf8(sheets));
    form->grab().save(QString::fromUtf8(sheets) + "/world_menu_chat.png");
  }
  QTest::mouseClick(form->RxGIFAnChat, Qt::LeftButton);
  EXPECT_TRUE(form->MChat->isEnabled());
  form->MChat->trigger();
  EXPECT_EQ(opened, 2);
  form->MWorldTop->trigger();
  EXPECT_EQ(boards, 1);
  // At the table the indicator goes away; back at the menu it follows the check.
  form->MenuLineClick(1);
  EXPECT_FALSE(form->RxGIFAnChat->isVisible());
  form->MWorldTop->trigger();  // not over a deal
  EXPECT_EQ(boards, 1);
  unread = false;
  form->LayoutMenuScreen();
  EXPECT_FALSE(form->RxGIFAnChat->isVisible());
}

}  // namespace
}  // namespace zarnet
