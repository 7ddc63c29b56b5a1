// Writes screenshots of the intro, the menu, a deal in progress and the end
// of a deal, in the small and the large window, into a folder; and the menu
// and a finished deal in each of the ten languages in both windows.
// Usage: zarnet-screens OUTDIR
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "atomic_file.h"
#include "engine.h"
#include "form_end_game.h"
#include "form_options.h"
#include "main_window.h"
#include "player_list.h"
#include "settings.h"

using namespace zarnet;

namespace {

void Save(QWidget& w, const QString& path) {
  if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

const char* const kLanguageTags[10] = {"en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"};

std::string MakeFolder(const QTemporaryDir& dir, int windowMode, int language) {
  const std::string folder = dir.path().toStdString();
  ReplaceFile(folder + "/" + kClubListName, InstallationList());
  ReplaceFile(folder + "/" + kNetListName, InstallationList());
  Settings s = DefaultSettings("Mr.X");
  s.WindowMode = windowMode;
  s.OptFlyCards = false;
  s.Language = language;
  SaveSettings(folder, s);
  return folder;
}

// Plays on until the deal is over: the computer on the timer, the player slot 1.
void PlayOut(TForm1& form) {
  for (int guard = 0; guard < 400 && !form.game.gs.DealOver; ++guard) {
    form.Timer1Timer();
    if (form.game.gs.Turn == 2) form.PlaySlot(1);
    if (form.game.gs.Turn == kTurnTrickDone && !form.game.gs.DealOver) form.Button7Click();
  }
}

// The menu and a finished deal in one language.
void LanguageShots(const QString& out, int windowMode, const QString& tag, int language) {
  QTemporaryDir dir;
  const std::string folder = MakeFolder(dir, windowMode, language);
  TForm1 form(folder);
  form.table->PauseScale = 0;
  form.Confirm = [](const QString&) { return true; };
  form.OpenWelcome = [](int) { return WelcomeResult{true, "Anna"}; };
  form.show();
  form.RunStartUp();
  form.EndIntro();
  QTest::qWait(50);
  const QString name = QString("%1_%2").arg(kLanguageTags[language], tag);
  Save(form, out + "/lang_menu_" + name + ".png");
  form.MenuLineClick(kSlotNewPlayer);
  form.Button7Click();
  PlayOut(form);
  Save(form, out + "/lang_table_" + name + ".png");
}

void Shots(const QString& out, int windowMode, const QString& tag) {
  QTemporaryDir dir;
  const std::string folder = MakeFolder(dir, windowMode, 0);
  TForm1 form(folder);
  form.table->PauseScale = 0;
  form.Confirm = [](const QString&) { return true; };
  form.OpenWelcome = [](int) { return WelcomeResult{true, "Anna"}; };
  form.show();
  QTest::qWait(50);
  for (int i = 0; i < 40; ++i) form.IntroTick();
  Save(form, out + "/intro_" + tag + ".png");
  form.EndIntro();
  QTest::qWait(50);
  Save(form, out + "/menu_" + tag + ".png");
  // A day with two holidays beside the menu.
  form.Calendar->Now = [] { return QDateTime(QDate(2025, 2, 2), QTime(12, 0)); };
  form.LayoutMenuScreen();
  QTest::qWait(50);
  Save(form, out + "/menu_calendar_" + tag + ".png");
  form.MenuLineClick(kSlotNewPlayer);
  Save(form, out + "/dealt_" + tag + ".png");
  form.Button7Click();
  // A few tricks: the computer moves on the timer, the player plays slot 1.
  for (int step = 0; step < 12; ++step) {
    form.Timer1Timer();
    if (form.game.gs.Turn == 2) form.PlaySlot(1);
    form.Timer1Timer();
    if (step == 4) Save(form, out + "/trick_" + tag + ".png");
    if (form.game.gs.Turn == kTurnTrickDone && !form.game.gs.DealOver) form.Button7Click();
  }
  Save(form, out + "/deal_" + tag + ".png");
  PlayOut(form);
  Save(form, out + "/dealover_" + tag + ".png");
  // The end of a game with a first place.
  FormStyle style;
  style.scale = form.Factors.Scale;
  EndGameData data;
  data.place = 1;
  data.score = 1234;
  data.animate = false;
  TFormEndGame end(data, style, &form);
  end.show();
  QTest::qWait(50);
  Save(end, out + "/endgame_" + tag + ".png");
  if (windowMode == 1) {
    // Every tab of the options window.
    TFormOptions options(form.settings, form, form.ProgramFolder, &form.art, &form);
    options.show();
    if (auto* tabs = options.findChild<QTabWidget*>()) {
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QTest::qWait(20);
        Save(options, out + QString("/options_tab%1.png").arg(i + 1));
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zarnet-screens OUTDIR\n");
    return 2;
  }
  const QString out = argv[1];
  QDir().mkpath(out);
  Shots(out, 1, "small");
  Shots(out, 5, "large");
  for (int language = 0; language < 10; ++language) {
    LanguageShots(out, 1, "small", language);
    LanguageShots(out, 5, "large", language);
  }
  return 0;
}
