// The main window's writes as an ordinary user meets them: fresh deals at
// every start, and every list, history or settings write that fails told
// with its message while the files on disk stay as they were.
//
// Run as root, the suite first becomes the unprivileged user "nobody", so
// read-only files and folders really refuse its writes.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "atomic_file.h"
#include "form_history.h"
#include "history.h"
#include "main_window.h"
#include "player_list.h"
#include "settings.h"
#include "window_play.h"
#include "words.h"

namespace zarnet {
namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

class RecordsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(geteuid(), 0u) << "the suite must run unprivileged";
    folder = dir.path().toStdString();
    testing::InstallProgramFolder(folder, testing::QuietSettings("Mr.X"));
  }

  std::unique_ptr<TForm1> Open() {
    auto form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->Confirm = [](const QString&) { return true; };
    form->Inform = [this](const QString& t) { informed.push_back(t); };
    form->OpenWelcome = [](int) { return WelcomeResult{true, "Tester", {}}; };
    form->OpenEndOfGame = [](int, int32_t, int) {};
    form->show();
    form->RunStartUp();
    form->EndIntro();
    return form;
  }

  // A new player's series of one deal, filed by the lower button.
  void PlayOneDealSeries(TForm1& form) {
    form.MenuLineClick(kSlotNewPlayer);
    testing::PlayDeal(form);
    QTest::mouseClick(form.table->Button8, Qt::LeftButton);
    ASSERT_TRUE(form.MenuShown);
  }

  std::string Path(const std::string& name) const { return folder + "/" + name; }
  HistoryPlace History() const { return {folder, kClubListName}; }
  int Told(const QString& text) const { return int(std::count(informed.begin(), informed.end(), text)); }

  QTemporaryDir dir;
  std::string folder;
  std::vector<QString> informed;
};

TEST_F(RecordsWindowTest, TwoStartsDealDifferentFirstHands) {
  std::array<CardCode, 41> decks[2];
  for (auto& deck : decks) {
    auto form = Open();
    form->MenuLineClick(kSlotNewPlayer);
    ASSERT_TRUE(form->table->TableShown());
    deck = form->game.gs.Deck;
  }
  EXPECT_NE(decks[0], decks[1]);
}

TEST_F(RecordsWindowTest, ReadOnlyListIsWarnedAtStartAndAtTheSeriesEnd) {
  const std::string list = Path(kClubListName);
  ListLines lines = *ParsePlayerList(*ReadWholeFile(list));
  lines[1] = BuildPlayerLine("Leaver", 1.0, 3, 3, EncodePassword(""));
  ASSERT_TRUE(ReplaceFile(list, FormatPlayerList(lines)));
  ASSERT_EQ(chmod(list.c_str(), 0444), 0);
  const std::string before = *ReadWholeFile(list);
  auto form = Open();
  const QString warning = W(WordId::TheFile) + " \"" + QString::fromStdString(list) + "\"" +
                          W(WordId::HasIncorrectAttributes) + "\n" +
                          W(WordId::TheWorkOfTheProgramWillBeIncorrect);
  ASSERT_EQ(informed, std::vector<QString>{warning});
  PlayOneDealSeries(*form);
  EXPECT_EQ(Told(W(WordId::ErrorOfDiskWriting)), 1);
  EXPECT_EQ(Told(W(WordId::CanntSaveHistory)), 0);
  EXPECT_EQ(*ReadWholeFile(list), before);
  // The entry is left out with the line, so list and history agree.
  EXPECT_FALSE(std::filesystem::exists(History().Folder()));

  // Leaving a listed player's series takes the line out: that write fails alike.
  form->MenuLineClick(1);
  QTest::mouseClick(form->table->Button7, Qt::LeftButton);
  ASSERT_TRUE(form->QuitClick());
  EXPECT_EQ(Told(W(WordId::ErrorOfDiskWriting)), 2);
  EXPECT_EQ(*ReadWholeFile(list), before);
}

TEST_F(RecordsWindowTest, HistoryThatCannotBeWrittenIsToldAndKept) {
  {
    auto form = Open();
    PlayOneDealSeries(*form);
    ASSERT_TRUE(informed.empty());
  }
  const std::string history = History().FilePath(1);
  const std::string before = *ReadWholeFile(history);
  ASSERT_EQ(chmod(History().Folder().c_str(), 0555), 0);
  auto form = Open();
  PlayOneDealSeries(*form);
  chmod(History().Folder().c_str(), 0755);
  EXPECT_EQ(informed, std::vector<QString>{W(WordId::CanntSaveHistory)});
  EXPECT_EQ(*ReadWholeFile(history), before);
  // The list was written first and holds both series.
  int filed = 0;
  const ListLines lines = *ParsePlayerList(*ReadWholeFile(Path(kClubListName)));
  for (int k = 1; k <= 5; ++k) filed += lines[k].rfind("Tester", 0) == 0;
  EXPECT_EQ(filed, 2);
}

TEST_F(RecordsWindowTest, SettingsThatCannotBeSavedAreToldOnClosing) {
  const std::string ini = Path(kSettingsFileName);
  ASSERT_EQ(chmod(ini.c_str(), 0444), 0);
  const std::string before = *ReadWholeFile(ini);
  auto form = Open();
  form->settings.FlySpeed = form->settings.FlySpeed == 6 ? 1 : 6;
  form->close();
  EXPECT_EQ(informed, std::vector<QString>{W(WordId::CantSaveOptions)});
  EXPECT_EQ(*ReadWholeFile(ini), before);
}

TEST_F(RecordsWindowTest, DamagedHistoryIsSetAsideByteForByte) {
  {
    auto form = Open();
    PlayOneDealSeries(*form);
  }
  const std::string history = History().FilePath(1);
  std::string damaged = *ReadWholeFile(history);
  damaged[20] ^= 0x01;  // one bit of the first entry's name
  ASSERT_TRUE(ReplaceFile(history, damaged));
  ASSERT_FALSE(CheckHistoryFile(History(), 1).valid);
  auto form = Open();
  PlayOneDealSeries(*form);
  EXPECT_TRUE(informed.empty());
  const std::vector<std::string> aside = SetAsideHistoryFiles(History());
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(aside[0].rfind(HistoryFileName(kClubListName, 1) + ".damaged-", 0), 0u);
  EXPECT_EQ(*ReadWholeFile(History().Folder() + "/" + aside[0]), damaged);
  EXPECT_EQ(CheckHistoryFile(History(), 1).entries, 1);

  TFHistory window(folder, FormStyle{});
  const QLabel* note = window.findChild<QLabel*>("SetAsideNote");
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->text().startsWith(W(WordId::HistorySetAside)));
  EXPECT_TRUE(note->text().contains(QString::fromStdString(aside[0])));
  if (const QByteArray sheets = qgetenv("ZARNET_SHEETS"); !sheets.isEmpty()) {
    window.adjustSize();
    window.grab().save(QString::fromUtf8(sheets) + "/history_set_aside.png");
  }
}

TEST_F(RecordsWindowTest, PrivateListStaysPrivateAfterASeries) {
  const std::string list = Path(kClubListName);
  struct stat st;
  ASSERT_EQ(stat(list.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // as a new list is made
  const std::string before = *ReadWholeFile(list);
  auto form = Open();
  PlayOneDealSeries(*form);
  ASSERT_NE(*ReadWholeFile(list), before);
  ASSERT_EQ(stat(list.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RecordsWindowTest, StrayTemporariesAreRemovedAtTheStart) {
  const std::string stray = TemporaryPathFor(Path(kClubListName));
  const std::string kept = Path("notes.txt");
  std::ofstream(stray) << "half a list";
  std::ofstream(kept) << "mine";
  auto form = Open();
  EXPECT_FALSE(std::filesystem::exists(stray));
  EXPECT_TRUE(std::filesystem::exists(kept));
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  // Root may write anything; the nobody user meets the refusals players meet.
  if (geteuid() == 0) {
    const gid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
      std::perror("dropping to nobody");
      return 1;
    }
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
