#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "../records/temp_dir.h"
#include "codec.h"
#include "form_count.h"
#include "form_end_game.h"
#include "form_history.h"
#include "form_password.h"
#include "form_speed.h"
#include "form_top_ten.h"
#include "history.h"
#include "kuv_button.h"
#include "number_text.h"
#include "player_list.h"
#include "series.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zarnet {
namespace {

using testing::TempDir;
using testing::WriteText;

QString LabelText(const QWidget& w, const QString& name) {
  const auto* l = w.findChild<QLabel*>(name);
  return l ? l->text() : QString("<no %1>").arg(name);
}

QAbstractButton* Button(const QWidget& w, const char* name) {
  return w.findChild<QAbstractButton*>(name);
}

// --- Welcome dialog ------------------------------------------------------------

// A club list whose line 2 is "Anna" with the password "abc".
class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ListLines lines = *ParsePlayerList(InstallationList());
    lines[2] = BuildPlayerLine("Anna", 1.5, 120, 40, EncodePassword("abc"));
    WriteText(path(), FormatPlayerList(lines));
  }
  std::string path() const { return dir.File(kClubListName); }

  // Opens the dialog without blocking.
  std::unique_ptr<TFormPassword> Open(int slot, const std::string& lastName = "Mr.X") {
    auto form = std::make_unique<TFormPassword>(path(), slot, lastName, FormStyle{});
    form->show();
    return form;
  }
  static void Type(TFormPassword& f, const char* box, const QString& text) {
    auto* e = f.findChild<QLineEdit*>(box);
    ASSERT_NE(e, nullptr) << box;
    e->clear();
    // Key by key, so that the box's own checks see every character.
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(e, &press);
    }
  }

  TempDir dir;
};

TEST_F(PasswordTest, NewPlayerChecksAndMessages) {
  const struct {
    QString name, pass, again;
    const char* message;    // nullptr: admitted
    const char* focusedBox;
  } cases[] = {
      {"", "ab", "ab", "Incorrect name!", "Edit1"},
      {"   ", "ab", "ab", "Incorrect name!", "Edit1"},
      {"Boris", "ab", "abc", "The passwords do not coincide!", "Edit3"},
      {"Boris", "ab", "", "The passwords do not coincide!", "Edit3"},
      {"Boris", "ab", "ab", nullptr, nullptr},
      {"Boris", "", "", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString() + "/" + c.pass.toStdString() + "/" + c.again.toStdString());
    auto form = Open(kSlotNewPlayer);
    Type(*form, "Edit1", c.name);
    Type(*form, "Edit2", c.pass);
    Type(*form, "Edit3", c.again);
    Button(*form, "Button1")->click();
    if (c.message) {
      EXPECT_EQ(form->MessageLine(), c.message);
      EXPECT_TRUE(form->isVisible());
      EXPECT_EQ(form->focusWidget()->objectName(), c.focusedBox);
      // The next keystroke in any box hides the message.
      Type(*form, "Edit2", "x");
      EXPECT_EQ(form->MessageLine(), "");
    } else {
      EXPECT_EQ(form->MessageLine(), "");
      EXPECT_EQ(form->result(), QDialog::Accepted);
      const AdmittedPlayer& a = form->Admitted();
      EXPECT_EQ(a.Name, "Boris" + std::string(15, ' '));
      EXPECT_EQ(a.PasswordField, EncodePassword(c.pass.toStdString()));
      EXPECT_EQ(a.KonText, "  0");
      EXPECT_EQ(a.ScoreText, "     0");
    }
  }
}

TEST_F(PasswordTest, ListedPlayerMustTypeHisPassword) {
  const struct {
    QString pass;
    bool admitted;
  } cases[] = {{"abc", true}, {"abd", false}, {"ab", false}, {"", false}, {"abc  ", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pass.toStdString());
    auto form = Open(2);
    // The list's name stands in the box and cannot be changed here.
    auto* name = form->findChild<QLineEdit*>("Edit1");
    EXPECT_EQ(name->text(), "Anna");
    EXPECT_TRUE(name->isReadOnly());
    EXPECT_EQ(form->findChild<QLineEdit*>("Edit3"), nullptr);
    EXPECT_EQ(form->focusWidget()->objectName(), "Edit2");
    Type(*form, "Edit2", c.pass);
    Button(*form, "Button1")->click();
    if (c.admitted) {
      EXPECT_EQ(form->MessageLine(), "");
      EXPECT_EQ(form->result(), QDialog::Accepted);
      EXPECT_EQ(form->Admitted().PasswordField, EncodePassword("abc"));
    } else {
      EXPECT_EQ(form->MessageLine(), "The incorrect password!");
      EXPECT_TRUE(form->isVisible());
      EXPECT_EQ(form->focusWidget()->objectName(), "Edit2");
    }
  }
}

TEST_F(PasswordTest, UnreadableListLetsNoListedPlayerIn) {
  ListLines lines = *ParsePlayerList(InstallationList());
  lines[2] = BuildPlayerLine("Anna", 1.5, 120, 40, EncodePassword("abc"));
  std::string text = FormatPlayerList(lines);
  text[60] = 'X';  // the checksum no longer holds
  WriteText(path(), text);
  for (const QString pass : {"abc", ""}) {
    auto form = Open(2);
    Type(*form, "Edit2", pass);
    Button(*form, "Button1")->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->MessageLine(), QString::fromStdString("The incorrect file \"" + path() + "\"!"));
  }
  // Neither a missing list nor a free line lets anyone in.
  for (int slot : {2, 4}) {
    if (slot == 4) WriteText(path(), InstallationList());
    else std::filesystem::remove(path());
    auto form = Open(slot);
    Type(*form, "Edit2", "");
    Button(*form, "Button1")->click();
    EXPECT_TRUE(form->isVisible()) << slot;
    EXPECT_TRUE(form->MessageLine().startsWith("The incorrect file")) << slot;
  }
}

TEST_F(PasswordTest, KeyboardAndTheNextStep) {
  auto form = Open(2);
  Type(*form, "Edit2", "abc");
  // Enter in the password box is Ok; the next step can keep the dialog open.
  int steps = 0;
  bool allow = false;
  form->AfterAdmission = [&] { ++steps; return allow; };
  QTest::keyClick(form->findChild<QLineEdit*>("Edit2"), Qt::Key_Return);
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(form->isVisible());
  allow = true;
  QTest::keyClick(form->findChild<QLineEdit*>("Edit2"), Qt::Key_Enter);
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(form->result(), QDialog::Accepted);

  // Enter on the focused Cancel cancels; so does Escape anywhere.
  auto second = Open(2);
  Button(*second, "Button2")->setFocus();
  QTest::keyClick(Button(*second, "Button2"), Qt::Key_Return);
  EXPECT_EQ(second->result(), QDialog::Rejected);
  EXPECT_FALSE(second->isVisible());
  auto third = Open(kSlotNewPlayer);
  QTest::keyClick(third->findChild<QLineEdit*>("Edit1"), Qt::Key_Escape);
  EXPECT_FALSE(third->isVisible());

  // The net game's place is there, empty and hidden.
  ASSERT_NE(form->NetworkBox(), nullptr);
  EXPECT_FALSE(form->NetworkBox()->isVisible());
}

TEST_F(PasswordTest, BoxesTakeOnlyWhatTheListCanHold) {
  auto form = Open(kSlotNewPlayer, "Mr.X");
  auto* name = form->findChild<QLineEdit*>("Edit1");
  EXPECT_EQ(name->text(), "Mr.X");
  // Cyrillic is kept in cp1251; characters it lacks are refused, not turned
  // into question marks in the file.
  Type(*form, "Edit1", QString::fromUtf8("Иван李WAY-TOO-LONG-NAME-12345"));
  EXPECT_EQ(name->text(), QString::fromUtf8("ИванWAY-TOO-LONG-NAM"));
  // The refusal is said, and stays said while the rest is typed.
  EXPECT_EQ(form->MessageLine(), WordText(WordId::LettersNotAllowed) + QString::fromUtf8(" 李"));
  Type(*form, "Edit1", QString::fromUtf8("Žluťoučký kůň"));
  EXPECT_EQ(name->text(), "luouk k");
  EXPECT_EQ(form->MessageLine(), WordText(WordId::LettersNotAllowed) + QString::fromUtf8(" 李 Ž ť č ý ů ň"));
  // Pasted at once, such a name is refused whole.
  name->clear();
  name->insert(QString::fromUtf8("Kůň"));
  EXPECT_EQ(name->text(), "");
  Type(*form, "Edit1", QString::fromUtf8("ИванWAY-TOO-LONG-NAM"));
  Type(*form, "Edit2", "123456");
  Type(*form, "Edit3", "12345");
  Button(*form, "Button1")->click();
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_EQ(form->Admitted().Name, Utf8ToCp1251("ИванWAY-TOO-LONG-NAM"));
  EXPECT_EQ(form->Admitted().PasswordField, EncodePassword("12345"));
}

TEST_F(PasswordTest, PasswordRefusalNamesNoLetter) {
  auto form = Open(kSlotNewPlayer, "Mr.X");
  Type(*form, "Edit2", QString::fromUtf8("1ö2"));
  EXPECT_EQ(form->findChild<QLineEdit*>("Edit2")->text(), "12");
  // The box hides what is typed; the refusal speaks of the password, not a name.
  EXPECT_EQ(form->MessageLine(), WordText(WordId::PasswordLettersNotAllowed));
  EXPECT_FALSE(form->MessageLine().contains(QString::fromUtf8("ö")));
}

// --- Running score -------------------------------------------------------------

TEST(FormCount, ShowsTheSevenTextsUnderTheirLabels) {
  TCount c{"120", "20", "-45", "32", "-13", "  1,50", "  1,77"};
  TFormCount form(c, Utf8ToCp1251("Вера") + "                ", FormStyle{});
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Player:  Вера"));
  EXPECT_EQ(LabelText(form, "Label0"), "Information about game");
  const struct {
    const char* label;
    const char* value;
  } rows[] = {{"General number of game:", "120"},
              {"Number of round in a current cycle:", "20"},
              {"The initial score:", "-45"},
              {"The current score:", "32"},
              {"The general score:", "-13"},
              {"The initial rating:", "1,50"},
              {"The current rating:", "1,77"}};
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(LabelText(form, QString("Label%1").arg(r)), rows[r - 1].label);
    EXPECT_EQ(LabelText(form, QString("Value%1").arg(r)), rows[r - 1].value);
  }
  form.show();
  QTest::keyClick(&form, Qt::Key_Return);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

// --- Top ten -------------------------------------------------------------------

TEST(FormTopTen, ListsPlacesNamesScoresInTwoColours) {
  TempDir dir;
  ListLines lines = *ParsePlayerList(InstallationList());
  for (int k = 1; k <= 10; ++k) {
    std::string name = k == 2 ? Utf8ToCp1251("Пётр") : "Player" + std::to_string(k);
    name.resize(20, ' ');
    lines[5 + k] = name + RightAligned(1000 - k * 37, 6);
  }
  WriteText(dir.File(kClubListName), FormatPlayerList(lines));
  lines[6] = "Netter              " + RightAligned(-5, 6);
  WriteText(dir.File(kNetListName), FormatPlayerList(lines));

  TFormTopTen club(dir.path(), false, FormStyle{});
  EXPECT_EQ(club.windowTitle(), "Top Ten");
  EXPECT_EQ(LabelText(club, "Label0"), "WINDOWS. LOCAL GAMES WITH PC");
  for (int k = 1; k <= 10; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(LabelText(club, QString("Place%1").arg(k)), QString("%1.").arg(k));
    EXPECT_EQ(LabelText(club, QString("Name%1").arg(k)),
              k == 2 ? QString::fromUtf8("Пётр") : QString("Player%1").arg(k));
    EXPECT_EQ(LabelText(club, QString("Score%1").arg(k)), QString::number(1000 - k * 37));
    const QColor want = k <= 3 ? TFormTopTen::PrizeColour() : TFormTopTen::PlaceColour();
    for (const char* col : {"Place", "Name", "Score"})
      EXPECT_EQ(club.findChild<QLabel*>(QString("%1%2").arg(col).arg(k))->palette().color(QPalette::WindowText),
                want);
  }
  EXPECT_NE(TFormTopTen::PrizeColour(), TFormTopTen::PlaceColour());

  TFormTopTen net(dir.path(), true, FormStyle{});
  EXPECT_EQ(LabelText(net, "Label0"), "WINDOWS. NET GAMES");
  EXPECT_EQ(LabelText(net, "Name1"), "Netter");
  EXPECT_EQ(LabelText(net, "Score1"), "-5");
}

TEST(FormTopTen, ShortOrMissingListShowsBlankPlaces) {
  TempDir dir;
  TFormTopTen missing(dir.path(), false, FormStyle{});
  EXPECT_EQ(LabelText(missing, "Name1"), "");
  EXPECT_EQ(LabelText(missing, "Place10"), "10.");
  WriteText(dir.File(kClubListName), "a\nb\nc\nd\ne\nOnly\nTwo lines here, no score at all\n");
  TFormTopTen shortList(dir.path(), false, FormStyle{});
  EXPECT_EQ(LabelText(shortList, "Name1"), "Only");
  EXPECT_EQ(LabelText(shortList, "Score1"), "");
  EXPECT_EQ(LabelText(shortList, "Name2"), "Two lines here, no s");
  EXPECT_EQ(LabelText(shortList, "Score2"), "core a");
  EXPECT_EQ(LabelText(shortList, "Name3"), "");
}

// --- History -------------------------------------------------------------------

class HistoryWindowTest : public ::testing::Test {
 protected:
  HistoryPlace place() const { return {dir.path(), kClubListName}; }
  void MakeFile(int n, const std::vector<HisStr>& entries) {
    std::filesystem::create_directories(place().Folder());
    std::vector<std::string> lines;
    for (const HisStr& e : entries) lines.push_back(HistoryEntryLine(e, {9, 5, "24.12.2024"}));
    WriteText(place().FilePath(n), FormatHistoryFile(lines));
  }
  static std::vector<QStringList> Rows(const TFHistory& h) {
    const auto* grid = h.findChild<QTableWidget*>("StringGrid1");
    std::vector<QStringList> rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
      QStringList row;
      for (int c = 0; c < grid->columnCount(); ++c) row << grid->item(r, c)->text();
      rows.push_back(row);
    }
    return rows;
  }
  TempDir dir;
};

TEST_F(HistoryWindowTest, ListsValidFilesShowsTheLastAndReloads) {
  MakeFile(1, {{"Anna", 12, -30, 1.0, kHistoryLocal}, {Utf8ToCp1251("Вера"), 2, 7, -0.5, kHistoryAccount}});
  MakeFile(2, {{"Boris/Anna", 4, 88, 0.0, kHistoryNet}, {"Olga", 2, -9, 3.25, kHistoryOnline}});
  TFHistory h(dir.path(), FormStyle{});
  EXPECT_EQ(h.windowTitle(), "History of games");
  auto* list = h.findChild<QComboBox*>("ComboBox1");
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(list->itemText(0).startsWith("File I0001 "));
  EXPECT_TRUE(list->itemText(1).startsWith("File I0002 "));
  EXPECT_EQ(list->currentIndex(), 1);
  auto* grid = h.findChild<QTableWidget*>("StringGrid1");
  QStringList titles;
  for (int c = 0; c < 7; ++c) titles << grid->horizontalHeaderItem(c)->text();
  EXPECT_EQ(titles, (QStringList{"Time", "Date", "Player", "Games", "Result", "Rating", "Type"}));
  EXPECT_EQ(grid->columnWidth(2), 210);
  std::vector<QStringList> want = {{"9:05", "24.12.2024", "Boris/Anna", "4", "88", "0,00", "Net"},
                                   {"9:05", "24.12.2024", "Olga", "2", "-9", "3,25", "Tourney"}};
  EXPECT_EQ(Rows(h), want);

  list->setCurrentIndex(0);
  want = {{"9:05", "24.12.2024", "Anna", "12", "-30", "1,00", "Local"},
          {"9:05", "24.12.2024", QString::fromUtf8("Вера"), "2", "7", "-0,50", "Account"}};
  EXPECT_EQ(Rows(h), want);
}

TEST_F(HistoryWindowTest, ListingStopsAtAnAlteredFile) {
  MakeFile(1, {{"Anna", 12, -30, 1.0, kHistoryLocal}});
  MakeFile(2, {{"Boris", 4, 88, 0.0, kHistoryLocal}});
  MakeFile(3, {{"Olga", 2, -9, 3.25, kHistoryLocal}});
  std::string text = testing::ReadText(place().FilePath(2));
  text[17] = 'o';  // "Boris" -> "Boois" without new checksums
  WriteText(place().FilePath(2), text);
  TFHistory h(dir.path(), FormStyle{});
  auto* list = h.findChild<QComboBox*>("ComboBox1");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(Rows(h).at(0).at(2), "Anna");
}

TEST_F(HistoryWindowTest, NoFilesShowsTheNoticeDisabled) {
  TFHistory h(dir.path(), FormStyle{});
  auto* list = h.findChild<QComboBox*>("ComboBox1");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->itemText(0), "No History Files");
  EXPECT_FALSE(list->isEnabled());
  EXPECT_TRUE(Rows(h).empty());
}

// --- End of game ---------------------------------------------------------------

TEST(FormEndGame, ThreeCasesTheirSoundsAndTexts) {
  const struct {
    EndGameData data;
    TFormEndGame::Case c;
    const char* sound;
    QStringList texts;
    bool medal;
  } cases[] = {
      {{1, 1234, 0, EndGameKind::Local, false}, TFormEndGame::Case::Best, "WFiBest",
       {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 1234", "You become a Master of the Order!"}, true},
      {{1, 900, 25, EndGameKind::Account, false}, TFormEndGame::Case::Best, "WFiBest",
       {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 900",
        "You become the Vice-President of the order!", "You get 25 Kuv!!!"}, true},
      {{1, 700, 0, EndGameKind::Net, false}, TFormEndGame::Case::Best, "WFiBest",
       {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 700", "You become a Bachelor of the Order!"}, true},
      {{10, -3, 0, EndGameKind::Local, false}, TFormEndGame::Case::Good, "WFiGood",
       {"CONGRATULATIONS!!!", "Good result!", "Result: -3", "You have hitted in top ten players!"}, true},
      {{2, 50, 10, EndGameKind::Account, false}, TFormEndGame::Case::Good, "WFiGood",
       {"CONGRATULATIONS!!!", "Good result!", "Result: 50", "You have hitted in top ten players!",
        "You get 10 Kuv!!!"}, true},
      {{0, -250, 0, EndGameKind::Local, false}, TFormEndGame::Case::Bad, "WFiBads",
       {"Our regrets...", "Your result keeps to wish best", "Result: -250",
        "You have not hitted in ten best players..."}, false},
      {{17, 40, 0, EndGameKind::Account, false}, TFormEndGame::Case::Bad, "WFiBads",
       {"Our regrets...", "Your result keeps to wish best", "Result: 40 ; Place: 17",
        "You have not hitted in ten best players..."}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.place);
    TFormEndGame form(c.data, FormStyle{});
    std::vector<std::string> sounds;
    form.PlaySound = [&](const std::string& s) { sounds.push_back(s); };
    EXPECT_EQ(form.windowTitle(), "The completion of game");
    EXPECT_EQ(form.WhichCase(), c.c);
    QStringList texts;
    for (int i = 1; form.findChild<QLabel*>(QString("Label%1").arg(i)); ++i)
      texts << LabelText(form, QString("Label%1").arg(i));
    EXPECT_EQ(texts, c.texts);
    const auto* medal = form.findChild<QLabel*>("ImageMedal");
    EXPECT_EQ(medal != nullptr, c.medal);
    if (medal) {
      EXPECT_FALSE(medal->pixmap().isNull());
    }
    form.show();
    form.hide();
    form.show();
    EXPECT_EQ(sounds, std::vector<std::string>{c.sound});
    EXPECT_TRUE(form.Animation()->isValid());
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
  }
}

TEST(FormEndGame, AnimationStopsOrStandsStill) {
  // Without the animation setting each case shows its still frame.
  const struct {
    int place;
    int frame;
  } still[] = {{1, 25}, {5, 24}, {0, 3}};
  for (const auto& s : still) {
    TFormEndGame form({s.place, 10, 0, EndGameKind::Local, false}, FormStyle{});
    form.show();
    EXPECT_EQ(form.Animation()->currentFrameNumber() + 1, s.frame) << s.place;
    EXPECT_NE(form.Animation()->state(), QMovie::Running);
  }
  // With it, the best result's animation runs once and stops at frame 25.
  TFormEndGame best({1, 10, 0, EndGameKind::Local, true}, FormStyle{});
  best.show();
  EXPECT_EQ(best.Animation()->state(), QMovie::Running);
  ASSERT_TRUE(QTest::qWaitFor([&] { return best.Animation()->state() != QMovie::Running; }, 10000));
  EXPECT_EQ(best.Animation()->currentFrameNumber() + 1, 25);
  // The regrets loop.
  TFormEndGame bad({0, 10, 0, EndGameKind::Local, true}, FormStyle{});
  bad.show();
  QTest::qWait(200);
  EXPECT_EQ(bad.Animation()->state(), QMovie::Running);
}

// --- Speed ---------------------------------------------------------------------

TEST(FormSpeed, BarWritesTheSettingAtOnceAndPacesTheIcon) {
  int speed = 2;
  TFormSpeed form(&speed, FormStyle{});
  EXPECT_EQ(form.windowTitle(), "Choice of speed");
  EXPECT_EQ(LabelText(form, "Label0"), "Select a flight speed of cards:");
  auto* bar = form.findChild<QSlider*>("TrackBar1");
  auto* timer = form.findChild<QTimer*>("Timer48");
  EXPECT_EQ(bar->value(), 2);
  EXPECT_EQ(bar->minimum(), 1);
  EXPECT_EQ(bar->maximum(), 6);
  EXPECT_EQ(timer->interval(), 95);
  const int intervals[7] = {0, 110, 95, 80, 65, 40, 25};
  for (int v : {6, 1, 3, 5, 4}) {
    bar->setValue(v);
    EXPECT_EQ(speed, v);
    EXPECT_EQ(timer->interval(), intervals[v]);
  }
  form.show();
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(speed, 5);
  // Ok runs the touch effect before closing; cancelling keeps what was set.
  int touches = 0;
  form.TouchEffect = [&] {
    EXPECT_TRUE(form.isVisible());
    ++touches;
  };
  Button(form, "Button1")->click();
  EXPECT_EQ(touches, 1);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(speed, 5);
}

TEST(FormSpeed, DamagedSettingShowsTheDefaultUntilChanged) {
  for (int bad : {0, 7, -3}) {
    int speed = bad;
    TFormSpeed form(&speed, FormStyle{});
    EXPECT_EQ(form.findChild<QSlider*>("TrackBar1")->value(), 4);
    EXPECT_EQ(speed, bad);
    form.findChild<QSlider*>("TrackBar1")->setValue(6);
    EXPECT_EQ(speed, 6);
  }
}

// --- Common ----------------------------------------------------------------------

TEST(FormStyle, FontHasTheLettersOfTheLanguage) {
  const struct {
    int language;
    QFontDatabase::WritingSystem script;
  } cases[] = {{0, QFontDatabase::Latin}, {1, QFontDatabase::Cyrillic}, {8, QFontDatabase::Japanese}};
  for (const auto& c : cases) {
    SetLanguageIndex(c.language);
    const QFont f = FormStyle{1.5}.Font(20, true);
    EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(f).family()).contains(c.script))
        << c.language << " " << QFontInfo(f).family().toStdString();
    EXPECT_EQ(f.pixelSize(), 30);
    EXPECT_TRUE(f.bold());
  }
  SetLanguageIndex(0);
}

}  // namespace
}  // namespace zarnet
