#include "world_link.h"

#include <QMessageBox>
#include <QWidget>

#include "form_options.h"
#include "message_box.h"
#include "passport.h"
#include "player_list.h"
#include "world_top.h"

namespace zarnet {

TWorldLink::TWorldLink(QWidget* window, Settings& settings, std::string programFolder, WebServices& web,
                       TourService* tour)
    : QObject(window), window_(window), s_(settings), folder_(std::move(programFolder)), web_(web), tour_(tour) {
  Inform = [this](const QString& t) { TellPlayer(window_, window_->windowTitle(), t); };
  ChatTimer.setInterval(10000);
  connect(&ChatTimer, &QTimer::timeout, this, &TWorldLink::ChatTimerTick);
}

void TWorldLink::ShowPassport() { zarnet::ShowPassport(s_, Style(), window_); }

void TWorldLink::ShowWorldTopTen(int category) {
  PlaySound("WOpenFo");
  WorldSources src;
  src.web = &web_;
  src.tour = tour_;
  src.clubListPath = folder_ + "/" + kClubListName;
  src.netListPath = folder_ + "/" + kNetListName;
  src.accountNick = AccountNick();
  src.accountCity = AccountCity();
  src.plainLook = !LibraryPresent(folder_, "KuvCGraph1.dll");
  TFormServerRead w(s_, src, Style(), category, window_);
  w.OpenPassport = [this] { ShowPassport(); };
  w.exec();
}

void TWorldLink::SubmitResult(int32_t score) {
  TFormServerWrite w(s_, &web_, score, Style(), window_);
  w.OpenPassport = [this] { ShowPassport(); };
  w.exec();
}

void TWorldLink::OpenChatRoom() {
  PlaySound("WOpenFo");
  if (ChatClosed()) {
    Inform(WordText(WordId::ChatIsTemporarilyUnavailable));
    return;
  }
  // The file holds the options and the last message seen; re-reading it
  // first keeps another copy's or an earlier run's choices.
  Chat.settings = ReadChatSettings(folder_);
  SaveChatSettings(folder_, Chat.settings);
  Chat.Unread = false;
  RedrawIndicators();
  ChatOpen = true;
  {
    TFormChat w(s_, web_, Chat, folder_, Style(), window_);
    w.OpenPassport = [this] { ShowPassport(); };
    w.exec();
  }
  ChatOpen = false;
  Chat.Unread = false;
  RedrawIndicators();
}

bool TWorldLink::CheckChatNews() {
  Chat.Unread = zarnet::CheckChatNews(web_, folder_, &Chat);
  return Chat.Unread;
}

void TWorldLink::ChatTimerTick() {
  if (Chat.Unread || ++ChatTicks < 90) return;
  ChatTicks = 0;
  if (!CheckChatNews()) return;
  if (MenuShown()) RedrawIndicators();
  PlaySound("WToMenK");
  if (DealActive() && Chat.settings.PopUp && !ChatOpen) OpenChatRoom();
}

}  // namespace zarnet
