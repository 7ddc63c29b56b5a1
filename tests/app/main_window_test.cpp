// The main window driven as a player drives it: through its buttons, clicks
// on the hand and the move driver's ticks, against real list files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QElapsedTimer>
#include <QTest>
#include <gif_lib.h>
#include <algorithm>
#include <filesystem>

#include "atomic_file.h"
#include "cards.h"
#include "engine.h"
#include "history.h"
#include "form_help.h"
#include "main_window.h"
#include "window_play.h"
#include "player_list.h"
#include "series.h"
#include "settings.h"

namespace zarnet {
namespace {

using testing::ClickCard;
using testing::PlayDeal;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path().toStdString();
    testing::InstallProgramFolder(folder, testing::QuietSettings("Mr.X"));
  }

  // A started window at the menu.
  std::unique_ptr<TForm1> Open() {
    auto form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->Confirm = [this](const QString&) { return confirmAnswer; };
    form->Inform = [this](const QString& t) { informed.push_back(t); };
    form->OpenWelcome = [](int) { return WelcomeResult{true, "Tester"}; };
    form->OpenEndOfGame = [this](int place, int32_t score, int) {
      endPlace = place;
      endScore = score;
    };
    form->show();
    form->RunStartUp();
    form->EndIntro();
    return form;
  }

  void PutPlayer(int slot, const std::string& name, int kon, int score) {
    auto lines = *ParsePlayerList(*ReadWholeFile(ListPath()));
    lines[slot] = BuildPlayerLine(name, 1.5, kon, score, EncodePassword(""));
    ReplaceFile(ListPath(), FormatPlayerList(lines));
  }

  std::string ListPath() const { return folder + "/" + kClubListName; }
  ListLines List() const { return *ParsePlayerList(*ReadWholeFile(ListPath())); }



  QTemporaryDir dir;
  std::string folder;
  bool confirmAnswer = true;
  std::vector<QString> informed;
  int endPlace = -1;
  int32_t endScore = 0;
};

TEST(MainWindowFolder, TrailingSeparatorOnce) {
  EXPECT_EQ(WithTrailingSeparator("/opt/zarnet"), "/opt/zarnet/");
  EXPECT_EQ(WithTrailingSeparator("/opt/zarnet/"), "/opt/zarnet/");
}

TEST_F(MainWindowTest, CreatedWithTheTableHiddenAndSeriesItemsOff) {
  TForm1 form(folder);
  for (QWidget* w : {static_cast<QWidget*>(form.table->ImageCards[1]),
                     static_cast<QWidget*>(form.table->ImageCards[2]),
                     static_cast<QWidget*>(form.table->ImageKoloda),
                     static_cast<QWidget*>(form.table->Button7), static_cast<QWidget*>(form.ListButton[1])})
    EXPECT_FALSE(w->isVisible());
  for (QAction* a : {form.Quit, form.GenCount, form.ChangeName, form.MRadio, form.MChat})
    EXPECT_FALSE(a->isEnabled());
}

TEST_F(MainWindowTest, MissingListEndsStartUpWithItsMessage) {
  std::filesystem::remove(ListPath());
  auto form = std::make_unique<TForm1>(folder);
  form->Inform = [this](const QString& t) { informed.push_back(t); };
  form->RunStartUp();
  EXPECT_TRUE(form->StartUpFailed);
  ASSERT_EQ(informed.size(), 1u);
  EXPECT_TRUE(informed[0].contains("Zarnet.clb"));
}

TEST_F(MainWindowTest, CoveringTheWindowDoesNotLoadSettingsAgain) {
  auto form = Open();
  form->settings.FlySpeed = 2;
  form->repaint();
  QApplication::processEvents();
  EXPECT_EQ(form->settings.FlySpeed, 2);
}

TEST_F(MainWindowTest, ClicksThatPlayNothing) {
  auto form = Open();
  form->MenuLineClick(kSlotNewPlayer);
  GameState& gs = form->game.gs;
  ASSERT_TRUE(form->table->TableShown());
  ASSERT_EQ(gs.DealPhase, 1);
  // Before the deal is begun.
  ClickCard(*form, 1);
  EXPECT_EQ(gs.HandCount[2], 3);
  QTest::mouseClick(form->table->Button7, Qt::LeftButton);
  ASSERT_EQ(gs.DealPhase, 2);
  // The new player leads the first deal; while the computer answers a click plays nothing.
  ASSERT_EQ(gs.Turn, 2);
  ClickCard(*form, 1);
  ASSERT_EQ(gs.Turn, 1);
  EXPECT_EQ(gs.HandCount[2], 2);
  ClickCard(*form, 1);
  EXPECT_EQ(gs.HandCount[2], 2);
  form->Timer1Timer();
  EXPECT_EQ(gs.Turn, kTurnTrickDone);
  EXPECT_TRUE(form->table->Button7->isEnabled());
}

TEST_F(MainWindowTest, KeysPlayTheSlotAndPressTheUpperButton) {
  auto form = Open();
  form->MenuLineClick(kSlotNewPlayer);
  GameState& gs = form->game.gs;
  QTest::keyClick(form.get(), Qt::Key_Return);
  ASSERT_EQ(gs.DealPhase, 2);
  const CardCode second = gs.Hand[2][2];
  QTest::keyClick(form.get(), Qt::Key_2);
  EXPECT_EQ(gs.Table[1], second);  // the led card
  form->Timer1Timer();
  QTest::keyClick(form.get(), Qt::Key_Space);
  EXPECT_EQ(gs.Table[1], EmptyCard);  // the trick was collected
  EXPECT_FALSE(form->table->Button7->isEnabled());  // its "Ok" is spent
}

TEST_F(MainWindowTest, ReplaceDeuceOfferIsWithdrawnOnPlay) {
  auto form = Open();
  // Trump hearts; the player's hand (deck 4..6) holds the two of hearts. A
  // new player leads the first deal.
  const std::vector<std::string> chosen = {"5\xE1", "6\xE1", "7\xE1", "2\xF7", "4\xEA", "5\xEA"};
  const std::string underDeck = "\xD2\xF7";
  std::string deck;
  for (const auto& c : chosen) deck += c;
  for (int k = 1; k <= 40; ++k) {
    const std::string b = kDeckTable[k].code.Bytes();
    if (b == underDeck || std::find(chosen.begin(), chosen.end(), b) != chosen.end()) continue;
    deck += b;
  }
  deck += underDeck;
  ASSERT_EQ(deck.size(), 80u);
  form->game.PresetDeck = deck;
  form->MenuLineClick(kSlotNewPlayer);
  GameState& gs = form->game.gs;
  ASSERT_EQ(gs.Trump, '\xF7');
  QTest::mouseClick(form->table->Button7, Qt::LeftButton);
  ASSERT_EQ(gs.Turn, 2);
  form->Timer1Timer();
  EXPECT_TRUE(form->table->Button8->isEnabled());
  EXPECT_EQ(form->table->lowerText, ButtonText::ReplaceDeuce);
  ClickCard(*form, 1);
  EXPECT_FALSE(form->table->Button8->isEnabled());
}

TEST_F(MainWindowTest, QuittingRemovesTheLineLeavingBooksIt) {
  PutPlayer(1, "Quitter", 10, 40);
  PutPlayer(2, "Stayer", 10, 40);
  {
    auto form = Open();
    form->MenuLineClick(1);
    QTest::mouseClick(form->table->Button7, Qt::LeftButton);
    ASSERT_TRUE(form->QuitClick());
    EXPECT_FALSE(form->table->TableShown());
    EXPECT_TRUE(form->MenuShown);
  }
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(List()[k].find("Quitter"), std::string::npos);
  {
    auto form = Open();
    int slot = 0;
    for (int k = 1; k <= 5; ++k)
      if (List()[k].rfind("Stayer", 0) == 0) slot = k;
    ASSERT_GT(slot, 0);
    form->MenuLineClick(slot);
    PlayDeal(*form);
    QTest::mouseClick(form->table->Button8, Qt::LeftButton);
    EXPECT_FALSE(form->table->TableShown());
  }
  bool found = false;
  for (int k = 1; k <= 5; ++k) {
    const ListPlayer p = ParsePlayerLine(List()[k]);
    if (p.Name.rfind("Stayer", 0) == 0) {
      found = true;
      EXPECT_EQ(p.KonNo, 11);
    }
  }
  EXPECT_TRUE(found);
}

TEST_F(MainWindowTest, WholeSeriesThroughTheWindowIsFiled) {
  auto form = Open();
  form->MenuLineClick(kSlotNewPlayer);
  for (int deal = 1; deal <= 3; ++deal) {
    PlayDeal(*form);
    if (deal < 3) {
      ASSERT_TRUE(form->table->Button7->isEnabled());
      QTest::mouseClick(form->table->Button7, Qt::LeftButton);
      ASSERT_FALSE(form->game.gs.DealOver);
    }
  }
  EXPECT_EQ(form->game.gs.KonNo, 3);
  QTest::mouseClick(form->table->Button8, Qt::LeftButton);
  EXPECT_TRUE(form->MenuShown);
  bool filed = false;
  for (int k = 1; k <= 5; ++k) {
    const ListPlayer p = ParsePlayerLine(List()[k]);
    if (p.Name.rfind("Tester", 0) == 0) filed = p.KonNo == 3;
  }
  EXPECT_TRUE(filed);
  const HistoryPlace place{folder, kClubListName};
  const auto files = ListHistoryFiles(place);
  ASSERT_FALSE(files.empty());
  const std::string text = ReadWholeFile(place.FilePath(1)).value_or("");
  EXPECT_NE(text.find("Tester"), std::string::npos);
}

// Counts the paints that reach the table's areas while the opponent searches.
class PaintsWhileSearching : public QObject {
 public:
  explicit PaintsWhileSearching(const TForm1& form) : form_(form) {}
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && form_.ComputerSearching()) ++count;
    return QObject::eventFilter(watched, e);
  }

 private:
  const TForm1& form_;
};

TEST_F(MainWindowTest, ExpertPlaysADealWhileTheTableKeepsRunning) {
  Settings s = testing::QuietSettings("Mr.X");
  s.Opponent = OpponentLevel::Expert;
  s.OptFlyCards = true;
  testing::InstallProgramFolder(folder, s);
  auto form = Open();
  form->MenuLineClick(kSlotNewPlayer);
  ASSERT_EQ(form->game.opt.Opponent, OpponentLevel::Expert);
  GameState& gs = form->game.gs;

  PaintsWhileSearching paints(*form);
  for (TImageArea* area : {form->table->ImageStol, form->table->ImageCards[1], form->table->ImageCards[2]})
    area->installEventFilter(&paints);
  // Something on the table asks to be drawn every few milliseconds, as a
  // flight or the clock would; the ticks count only while the search runs.
  int ticksWhileSearching = 0;
  QTimer animation;
  animation.setInterval(4);
  QObject::connect(&animation, &QTimer::timeout, [&] {
    if (form->ComputerSearching()) ++ticksWhileSearching;
    form->table->ImageStol->update();
  });
  animation.start();

  int computerMoves = 0;
  QElapsedTimer clock;
  clock.start();
  while (!gs.DealOver && clock.elapsed() < 120000) {
    TKuvCardsButton* upper = form->table->Button7;
    if (upper->isVisible() && upper->isEnabled()) {
      QTest::mouseClick(upper, Qt::LeftButton);
    } else if (gs.DealPhase == 2 && gs.Turn == 2) {
      ClickCard(*form, 1);
    } else {
      const bool computerToMove = gs.Turn == 1;
      QTest::qWait(5);
      if (computerToMove && gs.Turn != 1) ++computerMoves;
    }
  }
  animation.stop();
  ASSERT_TRUE(gs.DealOver);
  EXPECT_TRUE(gs.TrickPoints[1] + gs.TrickPoints[2] == 120 || gs.GameScore[1] + gs.GameScore[2] >= 120);
  EXPECT_GE(computerMoves, 3);
  EXPECT_GT(ticksWhileSearching, 0);
  EXPECT_GT(paints.count, 0);
}

TEST_F(MainWindowTest, FiftiethDealStopsAndEntersTheTopTen) {
  PutPlayer(1, "Fifty", 49, 900);
  auto form = Open();
  form->MenuLineClick(1);
  PlayDeal(*form);
  EXPECT_EQ(form->game.gs.KonNo, 50);
  EXPECT_FALSE(form->table->Button7->isEnabled());
  ASSERT_TRUE(form->table->Button8->isEnabled());
  QTest::mouseClick(form->table->Button8, Qt::LeftButton);
  EXPECT_GE(endPlace, 1);
  const ListLines lines = List();
  bool inTopTen = false;
  for (int k = 6; k <= 15; ++k)
    if (lines[k].rfind("Fifty", 0) == 0) inTopTen = true;
  EXPECT_TRUE(inTopTen);
}

}  // namespace
}  // namespace zarnet

namespace zarnet {
namespace {

TEST(HelpPage, WrittenLanguageElseEnglish) {
  EXPECT_TRUE(HelpPageText("Rus").contains("Зарнет"));
  EXPECT_TRUE(HelpPageText("Eng").contains("Zarnet: the rules"));
  // No German page is written: the English one stands in.
  EXPECT_EQ(HelpPageText("Deu"), HelpPageText("Eng"));
  EXPECT_TRUE(AboutText().contains("Licen", Qt::CaseInsensitive));
}

}  // namespace
}  // namespace zarnet

namespace zarnet {
namespace {

TEST_F(MainWindowTest, RecordedDealIsWrittenAsAnAnimation) {
  Settings s = LoadSettings(folder, "Mr.X");
  s.RecordGames = true;
  s.FrameDelay = 300;
  SaveSettings(folder, s);
  auto form = Open();
  form->MenuLineClick(kSlotNewPlayer);
  QApplication::processEvents();  // the recording starts once the deal is shown
  ASSERT_TRUE(form->recorder.Recording());
  PlayDeal(*form);
  EXPECT_FALSE(form->recorder.Recording());
  const std::filesystem::path gifs = std::filesystem::path(folder) / "GIFGame";
  ASSERT_TRUE(std::filesystem::is_directory(gifs));
  int count = 0;
  for (const auto& e : std::filesystem::directory_iterator(gifs)) {
    ++count;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(e.path().c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    // Unchanged pictures are dropped: far fewer frames than ticks, at least the deal's moves.
    EXPECT_GE(gif->ImageCount, 2);
    EXPECT_LE(gif->ImageCount, 250);
    GraphicsControlBlock first{}, last{};
    DGifSavedExtensionToGCB(gif, 0, &first);
    DGifSavedExtensionToGCB(gif, gif->ImageCount - 1, &last);
    EXPECT_EQ(first.DelayTime, 30);   // the frame delay, in hundredths
    EXPECT_EQ(last.DelayTime, 500);   // the final picture stands five seconds
    DGifCloseFile(gif, &error);
  }
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace zarnet

namespace zarnet {
namespace {

TEST_F(MainWindowTest, CornerPicturesOpenTheirWindowsFromTheMenuOnly) {
  auto form = Open();
  int account = 0, stats = 0, tour = 0, world = 0;
  form->OpenAccount = [&](bool) { ++account; };
  form->OpenStatistics = [&] { ++stats; };
  form->OpenTournament = [&] { ++tour; };
  form->OpenWorldTopTen = [&] { ++world; };
  for (TImageArea* icon : form->MenuIcon) {
    ASSERT_TRUE(icon->isVisible());
    EXPECT_FALSE(icon->picture.isNull());
    QTest::mouseClick(icon, Qt::LeftButton);
  }
  EXPECT_EQ(std::vector<int>({account, stats, tour, world}), std::vector<int>({1, 1, 1, 1}));
  form->MenuLineClick(kSlotNewPlayer);
  for (TImageArea* icon : form->MenuIcon) EXPECT_FALSE(icon->isVisible());
}

}  // namespace
}  // namespace zarnet
