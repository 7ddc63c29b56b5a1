// Every window and control in the ten languages, in the small and the large
// window (both card sizes), offscreen: no caption is wider than its control.
// Qt's own file chooser is held to the same, and must not stay English.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "../addresses_at.h"
#include "caption_fit.h"
#include "form_account.h"
#include "form_count.h"
#include "form_end_game.h"
#include "form_history.h"
#include "form_password.h"
#include "form_speed.h"
#include "form_top_ten.h"
#include "main_window.h"
#include "message_box.h"
#include "series.h"
#include "window_play.h"

namespace zarnet {
namespace {

class Captions : public ::testing::TestWithParam<int> {
 protected:
  void Check(const QWidget& w, const QString& where) {
    for (const QString& c : ClippedCaptions(&w)) failures << where + ": " + c;
  }
  void Show(QWidget& w, const QString& where) {
    w.show();
    QApplication::processEvents();
    Check(w, where);
  }
  QStringList failures;
};

TEST_P(Captions, FitInEveryLanguage) {
  const int mode = GetParam();
  for (int language = 0; language < kLanguageCount; ++language) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    Settings s = testing::QuietSettings("Mr.X");
    s.Language = language;
    s.WindowMode = mode;
    testing::InstallProgramFolder(folder, s);
    TForm1 form(folder);
    form.table->PauseScale = 0;
    form.Confirm = [](const QString&) { return true; };
    form.Inform = [](const QString&) {};  // a box would wait for a click offscreen
    form.OpenWelcome = [](int) { return WelcomeResult{true, "Tester"}; };
    form.show();
    form.RunStartUp();
    form.EndIntro();
    const QString tag = QString("language %1, mode %2, ").arg(language).arg(mode);
    Check(form, tag + "menu");
    for (int listMode : {1, 2}) {
      form.settings.PlayerListMode = listMode;
      form.ShowPlayerListOnMenu();
      Check(form, tag + "menu list " + QString::number(listMode));
    }

    form.MenuLineClick(kSlotNewPlayer);
    for (ButtonText t : {ButtonText::ToBegin, ButtonText::Ok, ButtonText::NextGame, ButtonText::ExitToMenu,
                         ButtonText::ReplaceDeuce}) {
      form.table->SetButtonText(GameButton::Upper, t);
      form.table->SetButtonText(GameButton::Lower, t);
      Check(form, tag + "table");
    }

    TFormOptions options(form.settings, form, form.ProgramFolder, &form.art, &form);
    options.show();
    auto* tabs = options.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      QApplication::processEvents();
      Check(options, tag + "options tab " + QString::number(i + 1));
    }
    options.close();

    FormStyle style;
    style.scale = form.Factors.Scale;
    int speed = 3;
    TFormSpeed speedWindow(&speed, style, &form);
    Show(speedWindow, tag + "speed");
    TFormPassword welcome(folder + "/" + kClubListName, kSlotNewPlayer, "Mr.X", style, &form);
    Show(welcome, tag + "welcome");
    EndGameData end;
    end.place = 1;
    end.score = 1234;
    end.animate = false;
    TFormEndGame endGame(end, style, &form);
    Show(endGame, tag + "end of game");
    TFormCount count(ShowGeneralCount(form.game, form.books), "Tester", style, &form);
    Show(count, tag + "running score");
    TFormTopTen top(folder, false, style, &form);
    Show(top, tag + "top ten");
    TFHistory history(folder, style, &form);
    Show(history, tag + "history");

    // The account windows, against services that answer nothing at once.
    ServiceClient client;
    const BuiltInAddresses addr = AddressesAt("http://127.0.0.1:9/");
    WebServices web(client, addr.scripts);
    AccountSession session(web, folder + "/" + kUserFileName);
    AccountPictures pictures;
    AccountDesktop quiet;
    quiet.inform = [](const QString&) {};
    quiet.confirm = [](const QString&) { return false; };
    quiet.today = [] { return std::string("11.12.2026"); };
    TFAcc1 account(session, addr, pictures, true, style, quiet, &form);
    account.show();
    for (int i = 0; i < account.PageControl1->count(); ++i) {
      account.PageControl1->setCurrentIndex(i);
      QApplication::processEvents();
      Check(account, tag + "account tab " + QString::number(i + 1));
    }
    account.close();
    TFAcc2 profile(session, addr, pictures, style, quiet, &form);
    Show(profile, tag + "profile");
    TFStat statistics(web, form.settings, {}, style, quiet, &form);
    Show(statistics, tag + "statistics");

    // Qt's own file chooser speaks the game's language too.
    const std::unique_ptr<QFileDialog> chooser = MakeFileDialog(&form, WordText(WordId::ChoosePhoto), "JPEG (*.jpg)");
    auto* buttons = chooser->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
    const QString cancel = buttons->button(QDialogButtonBox::Cancel)->text().remove('&');
    if (language == 0) EXPECT_EQ(cancel, "Cancel");
    else EXPECT_NE(cancel, "Cancel") << tag.toStdString() << "file chooser";
    Show(*chooser, tag + "file chooser");
    chooser->close();
  }
  EXPECT_TRUE(failures.isEmpty()) << failures.size() << " clipped:\n" << failures.join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, Captions, ::testing::Values(1, 5),
                         [](const auto& info) { return info.param == 1 ? "Small" : "Large"; });

}  // namespace
}  // namespace zarnet
