// What the main window reaches of the world boards and the chat room: the
// windows, the unread check and its poll.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "chat_room.h"
#include "form_common.h"
#include "service_requests.h"
#include "settings.h"

class QWidget;

namespace zarnet {

class TourService;

class TWorldLink : public QObject {
  Q_OBJECT

 public:
  TWorldLink(QWidget* window, Settings& settings, std::string programFolder, WebServices& web,
             TourService* tour = nullptr);

  // What the link asks of the main window.
  std::function<FormStyle()> Style = [] { return FormStyle{}; };
  std::function<void(const std::string&)> PlaySound = [](const std::string&) {};
  std::function<void(const QString&)> Inform;
  std::function<bool()> ChatClosed = [] { return false; };  // by the service directory
  std::function<bool()> MenuShown = [] { return false; };
  std::function<bool()> DealActive = [] { return false; };
  std::function<void()> RedrawIndicators = [] {};
  std::function<std::string()> AccountNick = [] { return std::string(); };
  std::function<std::string()> AccountCity = [] { return std::string(); };

  void ShowPassport();
  void ShowWorldTopTen(int category = 3);
  void SubmitResult(int32_t score);
  void OpenChatRoom();
  // The unread test; the result becomes `Unread`.
  bool CheckChatNews();
  // Every 10 s; every 90th tick while nothing is unread it looks again.
  void ChatTimerTick();

  ChatState Chat;
  bool ChatOpen = false;
  int ChatTicks = 0;
  QTimer ChatTimer;

 private:
  QWidget* window_;
  Settings& s_;
  std::string folder_;
  WebServices& web_;
  TourService* tour_;
};

}  // namespace zarnet
