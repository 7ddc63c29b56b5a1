#include <gtest/gtest.h>

#include <httplib.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <thread>

#include "card_art.h"
#include "form_options.h"
#include "kuv_button.h"
#include "settings.h"
#include "words.h"

namespace zarnet {
namespace {

// Records every call; the loaders answer as told and may write a fallback.
class FakeHost : public OptionsHost {
 public:
  explicit FakeHost(Settings& s) : s_(s) {}
  std::vector<std::string> calls;
  bool facesOk = true, backsOk = true, backgroundOk = true;
  std::function<void()> onWindowMode;

  void ApplyLanguage() override { calls.push_back("ApplyLanguage"); }
  void ApplyWindowMode() override {
    calls.push_back("ApplyWindowMode");
    if (onWindowMode) onWindowMode();
  }
  void SoundChanged() override { calls.push_back("SoundChanged"); }
  void MusicChanged() override { calls.push_back("MusicChanged"); }
  void GifAnimationChanged() override { calls.push_back("GifAnimationChanged"); }
  void FlyCardsChanged() override { calls.push_back("FlyCardsChanged"); }
  void CursorChanged() override { calls.push_back("CursorChanged"); }
  void ButtonsChanged() override { calls.push_back("ButtonsChanged"); }
  void NetGameChanged() override { calls.push_back("NetGameChanged"); }
  bool ReloadFaces() override {
    calls.push_back("ReloadFaces");
    if (!facesOk) s_.FaceDesign = 0;
    return facesOk;
  }
  bool ReloadBacks() override {
    calls.push_back("ReloadBacks");
    return backsOk;
  }
  void BackModeChanged() override { calls.push_back("BackModeChanged"); }
  bool ReloadBackground() override {
    calls.push_back("ReloadBackground");
    return backgroundOk;
  }
  void RulesChanged() override { calls.push_back("RulesChanged"); }
  void FontsChanged() override { calls.push_back("FontsChanged"); }
  void RecorderChanged() override { calls.push_back("RecorderChanged"); }
  void DesignChanged() override { calls.push_back("DesignChanged"); }
  void PlaySound(const std::string& name) override { calls.push_back("Sound " + name); }
  void ShowMissingFile(const std::string& f) override { calls.push_back("Missing " + f); }
  void TouchEffect() override { calls.push_back("TouchEffect"); }

  bool Called(const std::string& c) const {
    return std::find(calls.begin(), calls.end(), c) != calls.end();
  }

 private:
  Settings& s_;
};

// A program folder "Zarnet" inside a temporary parent folder.
struct Folders {
  QTemporaryDir dir;
  std::string program;
  Folders() {
    QDir(dir.path()).mkdir("Zarnet");
    program = (dir.path() + "/Zarnet").toStdString();
  }
  std::string Parent() const { return dir.path().toStdString(); }
  static void Touch(const std::string& folder, const char* name) {
    QFile f(QString::fromStdString(folder) + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("qres");
  }
};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLanguageIndex(0); }
  void TearDown() override { SetLanguageIndex(0); }
  // A fresh window over the current settings on a large screen.
  TFormOptions& Open(QSize screen = QSize(1920, 1080)) {
    form.reset();
    host.calls.clear();
    form = std::make_unique<TFormOptions>(s, host, folders.program);
    form->ScreenSize = [screen] { return screen; };
    form->FormShow();
    host.calls.clear();
    return *form;
  }

  Settings s = DefaultSettings("Mr.X");
  FakeHost host{s};
  Folders folders;
  std::unique_ptr<TFormOptions> form;
};

TEST_F(OptionsTest, EachSwitchWritesTheRecordAndTellsTheHostAtOnce) {
  Folders::Touch(folders.program, kGraphLibrary);  // the touch effect needs it
  TFormOptions& f = Open();
  const struct {
    QCheckBox* box;
    bool Settings::*field;
    const char* call;
  } cases[] = {
      {f.CheckBox1, &Settings::SoundOn, "SoundChanged"},
      {f.CheckBox2, &Settings::MusicOn, "MusicChanged"},
      {f.CheckBox3, &Settings::GifAnimation, "GifAnimationChanged"},
      {f.CheckBox4, &Settings::OptFlyCards, "FlyCardsChanged"},
      {f.CheckBoxCur, &Settings::OwnCursor, "CursorChanged"},
      {f.CheckBoxBut, &Settings::NewButtons, "ButtonsChanged"},
      {f.CheckBoxNet, &Settings::NetGame, "NetGameChanged"},
      {f.CheckBox5, &Settings::OptBlackHand, "RulesChanged"},
      {f.CheckBox6, &Settings::OptReplaceDeuce, "RulesChanged"},
      {f.CheckBoxSG1, &Settings::RecordGames, "RecorderChanged"},
      {f.CheckBoxD1, &Settings::SaluteButtons, "DesignChanged"},
      {f.CheckBoxD2, &Settings::SaluteCards, "DesignChanged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    const bool before = s.*c.field;
    EXPECT_EQ(c.box->isChecked(), before);
    host.calls.clear();
    c.box->click();
    EXPECT_EQ(s.*c.field, !before);
    EXPECT_EQ(host.calls, std::vector<std::string>{c.call});
    c.box->click();
    EXPECT_EQ(s.*c.field, before);
  }
}

TEST_F(OptionsTest, NewButtonsRestyleTheWindowsOwnButtons) {
  TFormOptions& f = Open();
  f.CheckBoxBut->click();
  EXPECT_TRUE(f.Button1->Nata());
  EXPECT_TRUE(f.LibraryButtons[0]->Nata());
  f.CheckBoxBut->click();
  EXPECT_FALSE(f.Button3->Nata());
}

TEST_F(OptionsTest, LanguageRelocalizesTheWindowAndTheMainWindow) {
  TFormOptions& f = Open();
  EXPECT_EQ(f.windowTitle(), "Options");
  EXPECT_EQ(f.PageControl1->count(), 9);
  EXPECT_EQ(f.ComboBoxLan->count(), 10);
  f.ComboBoxLan->setCurrentIndex(1);
  EXPECT_EQ(s.Language, 1);
  EXPECT_EQ(LanguageIndex(), 1);
  EXPECT_EQ(host.calls, std::vector<std::string>{"ApplyLanguage"});
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Опции"));
  EXPECT_EQ(f.PageControl1->tabText(0), QString::fromUtf8("Общие"));
  EXPECT_EQ(f.CheckBox1->text(), QString::fromUtf8("Звук"));
  EXPECT_EQ(f.Button3->text(), QString::fromUtf8("Скорость=4"));
  // The language list names each language in its own tongue, whatever the current one.
  EXPECT_EQ(f.ComboBoxLan->itemText(2), "Deutsch");
  EXPECT_FALSE(f.ComboBoxLan->itemIcon(1).isNull());  // its flag
  // Relocalizing kept every other setting and selection.
  EXPECT_EQ(f.ComboBoxWSize->currentIndex(), 0);
  EXPECT_EQ(f.ComboBoxWSize->count(), 5);
}

// Nine tabs in 500 pixels: in every language all of them stay in sight, only
// names too long for their share are shortened, and the hint keeps the whole name.
TEST_F(OptionsTest, AllNineTabsFitInEveryLanguage) {
  for (int language = 0; language < kLanguageCount; ++language) {
    SCOPED_TRACE(language);
    s.Language = language;
    TFormOptions& f = Open();
    f.show();
    auto* bar = f.PageControl1->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_LE(bar->tabRect(8).right(), f.PageControl1->width());
    const QFontMetrics fm(bar->font());
    for (int i = 0; i < 9; ++i) {
      // Whole names only, each within its tab.
      EXPECT_EQ(f.PageControl1->tabText(i), f.PageControl1->tabToolTip(i));
      EXPECT_LE(fm.horizontalAdvance(f.PageControl1->tabText(i)), bar->tabRect(i).width())
          << f.PageControl1->tabText(i).toStdString();
    }
    EXPECT_LE(f.PageControl1->geometry().right(), f.width());
  }
}

TEST_F(OptionsTest, WindowSizeAppliesTheModeAndStopsRecordingInLargerWindows) {
  s.RecordGames = true;
  TFormOptions& f = Open();
  EXPECT_TRUE(f.CheckBoxSG1->isEnabled());
  f.ComboBoxWSize->setCurrentIndex(4);
  EXPECT_EQ(s.WindowMode, 5);
  EXPECT_FALSE(s.RecordGames);
  EXPECT_TRUE(host.Called("ApplyWindowMode"));
  EXPECT_FALSE(f.CheckBoxSG1->isEnabled());
  EXPECT_FALSE(f.CheckBoxSG1->isChecked());
  EXPECT_EQ(f.ComboBoxWSize->toolTip(), "1520 x 1000");
  // A fallback the mode change made (the design reset) shows at once.
  host.onWindowMode = [&] { s.FaceDesign = 0; };
  s.FaceDesign = 33;
  f.ComboBoxWSize->setCurrentIndex(2);
  EXPECT_EQ(s.WindowMode, 3);
  EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
}

TEST_F(OptionsTest, SizeListLosesWhatTheScreenCannotHold) {
  const struct {
    QSize screen;
    int items;
  } cases[] = {{{1920, 1080}, 5}, {{1520, 1020}, 5}, {{1519, 1080}, 4}, {{1600, 1019}, 4},
               {{1290, 870}, 4},  {{1289, 900}, 3},  {{990, 670}, 3},   {{1024, 669}, 2},
               {{800, 600}, 2}};
  for (const auto& c : cases) {
    EXPECT_EQ(WindowSizeItemsFor(c.screen), c.items) << c.screen.width() << "x" << c.screen.height();
    TFormOptions& f = Open(c.screen);
    EXPECT_EQ(f.ComboBoxWSize->count(), c.items);
  }
  // The remaining items keep their numbers; a mode the screen cannot hold is left
  // alone in the record and shown as no choice.
  s.WindowMode = 5;
  TFormOptions& f = Open(QSize(1024, 768));
  EXPECT_EQ(f.ComboBoxWSize->count(), 3);
  EXPECT_EQ(f.ComboBoxWSize->currentIndex(), -1);
  EXPECT_EQ(s.WindowMode, 5);
  f.ComboBoxWSize->setCurrentIndex(1);
  EXPECT_EQ(s.WindowMode, 2);
  EXPECT_EQ(f.ComboBoxWSize->toolTip(), "1024 x 768");
}

TEST_F(OptionsTest, SpeedAndPassportButtons) {
  TFormOptions& f = Open();
  EXPECT_EQ(f.Button3->text(), "Speed=4");
  f.OpenSpeedWindow = [&] { s.FlySpeed = 6; };
  f.Button3->click();
  EXPECT_EQ(f.Button3->text(), "Speed=6");
  bool passport = false;
  f.OpenPassport = [&] {
    EXPECT_EQ(host.calls, std::vector<std::string>{"Sound WOpenFo"});  // the sound comes first
    passport = true;
  };
  f.Button4->click();
  EXPECT_TRUE(passport);
}

TEST_F(OptionsTest, FaceDesignLoadsAndFallsBackToTheBuiltInOne) {
  TFormOptions& f = Open();
  f.ComboBox1->setCurrentIndex(12);
  EXPECT_EQ(s.FaceDesign, 12);
  EXPECT_EQ(host.calls, std::vector<std::string>{"ReloadFaces"});
  host.facesOk = false;
  f.ComboBox1->setCurrentIndex(40);
  EXPECT_EQ(s.FaceDesign, 0);
  EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
}

// The preview always shows the four cards at the small size and leaves the
// store's sizes as they were.
TEST_F(OptionsTest, PreviewShowsFourSmallCardsInEveryWindowSize) {
  for (const double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    CardArt art(std::make_unique<ResourceSource>(QString::fromStdString(folders.program)));
    art.Notice = [](const QStringList&) {};
    art.Scale = scale;
    art.SmallWindow = scale < 1.3;
    ASSERT_TRUE(art.LoadFaceDesign());
    const int width = art.CardWidth, height = art.CardHeight;
    TFormOptions f(s, host, folders.program, &art);
    const QImage& p = f.Preview();
    ASSERT_EQ(p.size(), QSize(260, 96));
    for (int x : {0, 63, 126, 189}) {
      EXPECT_GT(qAlpha(p.pixel(x + 35, 48)), 0) << x;  // a card lies there
      EXPECT_GT(qAlpha(p.pixel(x + 35, 94)), 0) << x;  // reaching the small height
    }
    EXPECT_EQ(art.CardWidth, width);
    EXPECT_EQ(art.CardHeight, height);
    EXPECT_EQ(art.Scale, scale);
    EXPECT_FALSE(f.Image1->pixmap().isNull());
  }
}

TEST_F(OptionsTest, BackSetKeepsTheChangeModeConsistent) {
  TFormOptions& f = Open();
  auto& item = f.RadioGroup2Items;
  EXPECT_TRUE(item[0]->isChecked());
  EXPECT_FALSE(item[2]->isEnabled());
  item[1]->click();
  EXPECT_TRUE(s.BackAlwaysOne);
  EXPECT_EQ(host.calls, std::vector<std::string>{"BackModeChanged"});

  // Sets 8..11 have ten backs and only change at random.
  for (int set : {8, 11}) {
    f.ComboBox2->setCurrentIndex(set);
    EXPECT_EQ(s.BackSet, set);
    EXPECT_TRUE(item[2]->isChecked());
    EXPECT_TRUE(item[2]->isEnabled());
    EXPECT_FALSE(item[0]->isEnabled());
    EXPECT_FALSE(item[1]->isEnabled());
    EXPECT_FALSE(s.BackAlwaysOne);
  }
  EXPECT_TRUE(host.Called("ReloadBacks"));
  f.ComboBox2->setCurrentIndex(12);
  EXPECT_TRUE(item[0]->isChecked());  // random is gone: back to by weekday
  EXPECT_FALSE(item[2]->isEnabled());
  EXPECT_TRUE(item[1]->isEnabled());

  host.backsOk = false;
  f.ComboBox2->setCurrentIndex(5);
  EXPECT_EQ(s.BackSet, 0);
  EXPECT_EQ(f.ComboBox2->currentIndex(), 0);
}

TEST_F(OptionsTest, OpponentChoiceRoundTripsThroughTheSettingsFile) {
  TFormOptions& f = Open();
  EXPECT_TRUE(f.RadioOpponentStandard->isChecked());
  f.RadioOpponentStrong->click();
  EXPECT_EQ(s.Opponent, OpponentLevel::Strong);
  EXPECT_EQ(host.calls, std::vector<std::string>{"RulesChanged"});
  f.CheckBox6->click();  // the other rules keep their places beside it
  ASSERT_TRUE(SaveSettings(folders.program, s));
  QFile file(QString::fromStdString(folders.program) + "/Zarnet.ini");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("\r\n10S###\r\n"));
  file.close();

  s = LoadSettings(folders.program, "Mr.X");
  EXPECT_EQ(s.Opponent, OpponentLevel::Strong);
  EXPECT_FALSE(s.OptReplaceDeuce);
  TFormOptions& again = Open();
  EXPECT_TRUE(again.RadioOpponentStrong->isChecked());
  again.RadioOpponentExpert->click();
  EXPECT_EQ(s.Opponent, OpponentLevel::Expert);
  EXPECT_FALSE(again.RadioOpponentStrong->isChecked());
  ASSERT_TRUE(SaveSettings(folders.program, s));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("\r\n10E###\r\n"));
  file.close();
  EXPECT_EQ(LoadSettings(folders.program, "Mr.X").Opponent, OpponentLevel::Expert);
  EXPECT_TRUE(Open().RadioOpponentExpert->isChecked());
  s.Opponent = OpponentLevel::Expert;
  Open().RadioOpponentStandard->click();
  EXPECT_EQ(s.Opponent, OpponentLevel::Standard);
  ASSERT_TRUE(SaveSettings(folders.program, s));
  EXPECT_EQ(LoadSettings(folders.program, "Mr.X").Opponent, OpponentLevel::Standard);
}

TEST_F(OptionsTest, FontRolesNamesPercentagesAndDefaults) {
  TFormOptions& f = Open();
  EXPECT_EQ(f.SpinEdit1->minimum(), 50);
  EXPECT_EQ(f.SpinEdit1->maximum(), 150);
  f.ComboBoxFont->setCurrentIndex(2);
  EXPECT_TRUE(host.calls.empty());  // choosing a role changes nothing
  f.SpinEdit1->setValue(120);
  EXPECT_EQ(s.Fonts[2].percentage, 120);
  EXPECT_EQ(s.Fonts[0].percentage, 100);
  const QString family = f.FontComboBox1->itemText(f.FontComboBox1->count() - 1);
  f.FontComboBox1->setCurrentFont(QFont(family));
  EXPECT_EQ(s.Fonts[2].name, f.FontComboBox1->currentText().toStdString());
  EXPECT_EQ(s.Fonts[1].name, "Comic Sans MS");
  EXPECT_TRUE(host.Called("FontsChanged"));
  // Another role shows its own values; the defaults button resets all four.
  f.ComboBoxFont->setCurrentIndex(0);
  EXPECT_EQ(f.SpinEdit1->value(), 100);
  f.SpinEdit1->setValue(60);
  f.ComboBoxFont->setCurrentIndex(2);
  EXPECT_EQ(f.SpinEdit1->value(), 120);
  f.Button2->click();
  EXPECT_EQ(s.Fonts, DefaultSettings("").Fonts);
  EXPECT_EQ(f.SpinEdit1->value(), 100);
}

TEST_F(OptionsTest, BackgroundChoicesAndTheirRules) {
  TFormOptions& f = Open();
  EXPECT_EQ(f.ComboBoxBG1->currentIndex(), 1);  // pattern 2
  f.ComboBoxBG1->setCurrentIndex(9);
  EXPECT_EQ(s.BgPattern, 10);
  f.ComboBoxBG2->setCurrentIndex(6);
  EXPECT_EQ(s.BgColour, 6);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "ReloadBackground"), 2);
  // A missing background library goes back to the built-in one.
  host.backgroundOk = false;
  f.ComboBoxBG1->setCurrentIndex(4);
  EXPECT_EQ(s.BgPattern, 2);
  EXPECT_EQ(s.BgColour, 0);
  EXPECT_EQ(f.ComboBoxBG1->currentIndex(), 1);
  EXPECT_EQ(f.ComboBoxBG2->currentIndex(), 0);

  const struct {
    bool menu, table;
    int pattern;
    bool bg1, bg2;
  } rules[] = {{false, false, 2, true, true}, {true, false, 2, true, true},
               {true, true, 2, false, false}, {false, false, 0, true, false}};
  for (const auto& r : rules) {
    s.MenuDesign = r.menu;
    s.TableDesign = r.table;
    s.BgPattern = r.pattern;
    TFormOptions& g = Open();
    EXPECT_EQ(g.ComboBoxBG1->isEnabled(), r.bg1);
    EXPECT_EQ(g.ComboBoxBG2->isEnabled(), r.bg2);
  }
}

TEST_F(OptionsTest, RecorderControlsFollowTheSwitch) {
  TFormOptions& f = Open();
  EXPECT_FALSE(f.ComboBoxSG1->isEnabled());
  EXPECT_FALSE(f.SpinEditSG1->isEnabled());
  f.CheckBoxSG1->click();
  EXPECT_TRUE(f.ComboBoxSG1->isEnabled());
  EXPECT_TRUE(f.SpinEditSG1->isEnabled());
  f.ComboBoxSG1->setCurrentIndex(1);
  EXPECT_EQ(s.RecordMode, 2);
  f.SpinEditSG1->setValue(99999);  // held to 10..5000
  EXPECT_EQ(s.FrameDelay, 5000);
  f.SpinEditSG1->setValue(250);
  EXPECT_EQ(s.FrameDelay, 250);
  EXPECT_TRUE(host.Called("RecorderChanged"));
}

TEST_F(OptionsTest, DesignChoicesNeedTheGraphicsLibrary) {
  s.SaluteButtons = s.SaluteCards = true;
  TFormOptions& f = Open();
  // Without the library the touch effects are cleared and cannot be chosen.
  EXPECT_FALSE(s.SaluteButtons);
  EXPECT_FALSE(s.SaluteCards);
  EXPECT_FALSE(f.CheckBoxD1->isEnabled());
  EXPECT_FALSE(f.CheckBoxD2->isChecked());

  // Window styles without the library are fine.
  const struct {
    int item, style;
  } styles[] = {{1, 1}, {2, 3}, {0, 2}};
  for (const auto& c : styles) {
    f.ComboBoxD3->setCurrentIndex(c.item);
    EXPECT_EQ(s.WindowStyle, c.style);
    EXPECT_FALSE(s.LibraryWindows);
  }
  f.ComboBoxD3->setCurrentIndex(2);
  for (QComboBox* box : {f.ComboBoxD1, f.ComboBoxD2, f.ComboBoxD3}) {
    host.calls.clear();
    box->setCurrentIndex(box->count() - 1);
    EXPECT_EQ(host.calls.front(), "Missing KuvCGraph1.dll");
    EXPECT_FALSE(s.MenuDesign);
    EXPECT_FALSE(s.TableDesign);
    EXPECT_FALSE(s.LibraryWindows);
    EXPECT_EQ(s.WindowStyle, 2);
    EXPECT_EQ(f.ComboBoxD1->currentIndex(), 0);
    EXPECT_EQ(f.ComboBoxD2->currentIndex(), 0);
    EXPECT_EQ(f.ComboBoxD3->currentIndex(), 0);
  }

  // With the library in the parent folder everything is open.
  Folders::Touch(folders.Parent(), kGraphLibrary);
  TFormOptions& g = Open();
  EXPECT_TRUE(g.CheckBoxD1->isEnabled());
  g.ComboBoxD1->setCurrentIndex(1);
  EXPECT_TRUE(s.MenuDesign);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ReloadBackground", "DesignChanged"}));
  g.ComboBoxD2->setCurrentIndex(1);
  EXPECT_TRUE(s.TableDesign);
  EXPECT_FALSE(g.ComboBoxBG1->isEnabled());  // the library background is used everywhere
  g.ComboBoxD3->setCurrentIndex(3);
  EXPECT_TRUE(s.LibraryWindows);
  EXPECT_FALSE(host.Called("Missing KuvCGraph1.dll"));
}

TEST_F(OptionsTest, DownloadButtonsAreEnabledOnlyWhileTheFileIsAbsent) {
  Folders::Touch(folders.program, "KuvCards06B.dll");
  Folders::Touch(folders.Parent(), "KuvBackG03.dll");
  TFormOptions& f = Open();
  for (const char* file : kDownloadLibraries) {
    SCOPED_TRACE(file);
    const bool present = std::string(file) == "KuvCards06B.dll" || std::string(file) == "KuvBackG03.dll";
    const auto buttons = f.DownloadButtons(file);
    ASSERT_FALSE(buttons.empty());
    for (TKuvCardsButton* b : buttons) {
      EXPECT_EQ(b->isEnabled(), !present);
      EXPECT_EQ(b->KLightSB(), present ? 50 : 0);
      EXPECT_EQ(b->toolTip(), QString("Download ") + file);
    }
  }
  EXPECT_EQ(f.DownloadButtons("KuvCards06B.dll").size(), 3u);  // cards, decks, libraries tabs
  EXPECT_FALSE(f.ButtonDLLCardsB_2->isEnabled());
  EXPECT_FALSE(f.ButtonDLLBackG_1->isEnabled());
  EXPECT_TRUE(f.ButtonDLLCardsA_1->isEnabled());
}

// A throw-away HTTP server on loopback serving the download folder.
class DownloadServer {
 public:
  httplib::Server server;
  int port = 0;
  DownloadServer() {
    server.Get(R"(/downloads/progr/cards/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
      requested.push_back(req.matches[1].str());
      const auto it = files.find(req.matches[1].str());
      if (it == files.end()) {
        res.status = 404;
        return;
      }
      res.set_content(it->second, "application/octet-stream");
    });
    port = server.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ~DownloadServer() {
    server.stop();
    thread_.join();
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }
  std::map<std::string, std::string> files;
  std::vector<std::string> requested;

 private:
  std::thread thread_;
};

TEST_F(OptionsTest, DownloadPutsTheLibraryIntoTheParentFolder) {
  DownloadServer server;
  const std::string library = std::string("qres\0\0\0\3", 8) + std::string(5000, 'x');
  server.files["KuvCGraph1.dll"] = library;
  server.files["KuvCards06A.dll"] = "<html>moved</html>";  // an error page with a good status
  TFormOptions& f = Open();
  f.DownloadBaseUrl = server.Base();
  EXPECT_FALSE(f.CheckBoxD1->isEnabled());

  f.LibraryButtons[8]->click();
  EXPECT_EQ(server.requested, std::vector<std::string>{"KuvCGraph1.dll"});
  QFile got(QString::fromStdString(folders.Parent()) + "/KuvCGraph1.dll");
  ASSERT_TRUE(got.open(QIODevice::ReadOnly));
  EXPECT_EQ(got.readAll().toStdString(), library);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(folders.program) + "/KuvCGraph1.dll"));
  EXPECT_EQ(host.calls, std::vector<std::string>{"Sound WToMenK"});
  EXPECT_FALSE(f.LibraryButtons[8]->isEnabled());
  EXPECT_TRUE(f.CheckBoxD1->isEnabled());  // the touch effects can now be chosen
  EXPECT_TRUE(f.findChild<QLabel*>("LabelDownload")->text().contains("downloaded"));

  // Failures leave nothing behind and the button ready for another try.
  for (TKuvCardsButton* b : {f.ButtonDLLCardsA_1, f.ButtonDLLCardsC_1}) {
    host.calls.clear();
    b->click();
    EXPECT_EQ(host.calls, std::vector<std::string>{"Sound WWrongs"});
    EXPECT_TRUE(b->isEnabled());
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(folders.Parent()) + "/KuvCards06A.dll"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(folders.Parent()) + "/KuvCards06C.dll"));
  EXPECT_TRUE(f.findChild<QLabel*>("LabelDownload")->text().contains("failed"));

  // No server at all.
  std::string error;
  EXPECT_FALSE(DownloadLibrary("http://127.0.0.1:1", folders.program, "KuvCVoice3.dll", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(OptionsTest, OkAndEscapeCloseWithTheTouchEffectWhenItIsOn) {
  TFormOptions& f = Open();
  f.show();
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&f, &esc);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_TRUE(host.calls.empty());

  s.SaluteButtons = true;
  Folders::Touch(folders.program, kGraphLibrary);
  TFormOptions& g = Open();
  g.show();
  g.Button1->click();
  EXPECT_FALSE(g.isVisible());
  EXPECT_EQ(host.calls, std::vector<std::string>{"TouchEffect"});
}

}  // namespace
}  // namespace zarnet
