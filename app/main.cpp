// Zarnet: the program entry.
#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

#include "card_art.h"
#include "codec.h"
#include "form_account.h"
#include "form_count.h"
#include "form_end_game.h"
#include "form_help.h"
#include "form_history.h"
#include "form_password.h"
#include "form_speed.h"
#include "form_top_ten.h"
#include "main_window.h"
#include "message_box.h"
#include "network_section.h"
#include "peer_game.h"
#include "program_folder.h"
#include "series.h"
#include "service_client.h"
#include "tour_binding.h"
#include "words.h"
#include "world_link.h"

using namespace zarnet;

namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

FormStyle StyleOf(const TForm1& form) {
  FormStyle style;
  style.scale = form.Factors.Scale;
  style.serifFamily = QString::fromStdString(form.settings.Fonts[1].name);
  style.serifPercentage = form.settings.Fonts[1].percentage;
  return style;
}

std::string ListPath(const TForm1& form) {
  return form.ProgramFolder + (form.settings.NetGame ? kNetListName : kClubListName);
}

// The windows the main window opens.
void BindWindows(TForm1& form) {
  form.OpenWelcome = [&form](int slot) {
    WelcomeResult result;
    TFormPassword dialog(ListPath(form), slot, form.settings.LastPlayerName, StyleOf(form), &form);
    if (form.settings.NetGame) {
      form.peer->style = StyleOf(form);
      TNetworkSection* section = AttachNetworkSection(dialog, *form.peer, form.settings, StyleOf(form));
      const std::string script = form.webAddresses.ownAddress;
      section->ExternalAddress = [script] { return QString::fromStdString(LookUpExternalAddress(script)); };
      section->ExternalHint = QUrl(QString::fromStdString(script)).host();
    }
    if (dialog.exec() != QDialog::Accepted) return result;
    const AdmittedPlayer& p = dialog.Admitted();
    result.start = true;
    result.name = p.Name;
    result.passwordField = p.PasswordField;
    if (slot == kSlotNewPlayer) {
      const auto end = p.Name.find_last_not_of(' ');
      form.settings.LastPlayerName = end == std::string::npos ? std::string() : p.Name.substr(0, end + 1);
    }
    return result;
  };
  form.AskName = [&form](const std::string& current) {
    QString name = DisplayText(current).trimmed();
    for (;;) {
      bool ok = false;
      name = AskLine(&form, W(WordId::MenuChangeName), W(WordId::Player), name, &ok);
      if (!ok) return std::string();
      // The list stores cp1251: a letter it cannot hold is refused, not dropped.
      const QString outside = LettersOutsideCp1251(name);
      if (outside.isEmpty()) return Utf8ToCp1251(name.trimmed().toStdString());
      form.Inform(RefusedLettersMessage(outside));
    }
  };
  form.OpenEndOfGame = [&form](int place, int32_t score, int bonus) {
    EndGameData data;
    data.place = place;
    data.score = score;
    data.bonus = bonus;
    data.kind = KindOfSeries(form.game.opt.NetGame, form.game.opt.PlayerSlot);
    data.animate = form.settings.GifAnimation;
    TFormEndGame window(data, StyleOf(form), &form);
    window.PlaySound = [&form](const std::string& name) { form.game.Play(name, false); };
    window.exec();
  };
  form.OpenTopTen = [&form] {
    form.game.Play("WOpenFo", false);
    TFormTopTen window(form.ProgramFolder, form.settings.NetGame, StyleOf(form), &form);
    window.exec();
  };
  form.OpenHistory = [&form] {
    form.game.Play("WOpenFo", false);
    TFHistory window(form.ProgramFolder, StyleOf(form), &form);
    window.exec();
  };
  form.OpenCount = [&form] {
    const TCount count = ShowGeneralCount(form.game, form.books);
    TFormCount window(count, form.game.player.Name, StyleOf(form), &form);
    window.exec();
  };
  form.OpenHelp = [&form] {
    TFormHelp window(QString::fromStdString(LanguageCode()), &form);
    window.exec();
  };
  form.OpenAbout = [&form] { ShowAbout(&form); };
  // The web account and the world statistics.
  static AccountPictures pictures;
  form.OpenAccount = [&form](bool ratedSwitchable) {
    form.game.Play("WOpenFo", false);
    TFAcc1 window(form.account, form.webAddresses, pictures, ratedSwitchable, StyleOf(form),
                  DefaultDesktop(&form), &form);
    window.exec();
  };
  form.OpenStatistics = [&form] {
    form.game.Play("WOpenFo", false);
    TFStat window(form.web, form.settings, [&form] { form.SaveSettingsOrTell(); },
                  StyleOf(form), DefaultDesktop(&form), &form);
    window.exec();
  };
  form.OpenSpeed = [&form] {
    TFormSpeed window(&form.settings.FlySpeed, StyleOf(form), &form);
    window.exec();
  };
}

// The world boards and the chat room.
void BindWorld(TForm1& form, TWorldLink& world) {
  world.Style = [&form] { return StyleOf(form); };
  world.PlaySound = [&form](const std::string& name) { form.game.Play(name, false); };
  world.MenuShown = [&form] { return form.MenuShown; };
  world.DealActive = [&form] { return form.InSeries() && form.game.gs.DealActive; };
  world.RedrawIndicators = [&form, &world] {
    form.ChatUnread = world.Chat.Unread;
    form.ShowChatIndicator();
  };
  form.OpenWorldTopTenEntry = [&world](int32_t score) { world.SubmitResult(score); };
  form.OpenPassport = [&world] { world.ShowPassport(); };
  form.OpenChat = [&world] { world.OpenChatRoom(); };
  form.OpenWorldTopTen = [&world] { world.ShowWorldTopTen(3); };
  form.CheckChatNews = [&world] { return world.CheckChatNews(); };
  world.ChatTimer.start();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Zarnet");
  const ProgramPlace place = FindProgramFolder(QCoreApplication::applicationDirPath(),
                                               QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  if (place.folder.isEmpty()) {
    std::fprintf(stderr, "zarnet: %s\n", qPrintable(place.error));
    TellPlayer(nullptr, "Zarnet", place.error, QMessageBox::Critical);
    return 1;
  }
  SetInstalledLibraryFolder(place.installedLibraries);
  TForm1 form(place.folder.toStdString());
  BindWindows(form);
  // The boards and the chat use the window's own services, whose addresses the
  // start-up sets from the built-in table and the service directory.
  TWorldLink world(&form, form.settings, form.ProgramFolder, form.web);
  world.ChatClosed = [&form] { return form.directoryFlags.chatPaused; };
  const auto loggedIn = [&form] { return form.account.State != AccountState::Guest; };
  world.AccountNick = [&form, loggedIn] { return loggedIn() ? form.account.User.Nick : std::string(); };
  world.AccountCity = [&form, loggedIn] { return loggedIn() ? form.account.User.City : std::string(); };
  BindWorld(form, world);
  TournamentBinding tour;
  tour.loggedIn = [&form] { return form.account.State != AccountState::Guest; };
  tour.account = [&form] {
    const TKuvUser& u = form.account.User;
    return TourAccount{u.Nick, u.Country1, u.City, u.Sex};  // the first country
  };
  BindTournament(form, [&form] { return StyleOf(form); }, tour);
  form.show();
  return app.exec();
}
