// The tournament lobby: ten tables of two seats, the server's state and
// welcome text, the player's own results; and the tournament top ten.
#pragma once

#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "form_common.h"
#include "online_table.h"
#include "tour_service.h"

namespace zarnet {

class TKuvCardsButton;

// One seat button as the table's fields and the player's own seat make it.
struct SeatButtonLook {
  QString caption;
  bool enabled = false;
};
SeatButtonLook SeatButtonFor(const TKuvTable& table, int t, int seat, int myTable, int mySeat);

// Design height of the welcome line for a text of `length` characters.
int WelcomeFontHeight(size_t length);

// The free record sent when a seat is given up: every string "X", every number 0.
TKuvClient FreeSeatRecord(char sex);

// What the lobby needs of the program around it.
struct TourSeams {
  std::function<void(const std::string& sound)> play;
  // The Attention window with its lines; a plain message box.
  std::function<void(const QStringList& lines)> notice;
  std::function<void(const QString& text)> message;
  // The player's address as the outside sees it.
  std::function<std::string()> externalAddress;
  // The world top ten on its tournament category (graphic look); when unset
  // the tournament's own top ten opens.
  std::function<void()> openWorldTopTen;
};

// The account the player sits down with (cp1251 bytes).
struct TourAccount {
  std::string Nick, Country, City;
  char Sex = 'M';
};

class TFTour : public TRecordDialog {
 public:
  // `myClient` is filled when the lobby opens and kept for the series.
  // `background` is "GFormTour" from the graphics library; null for the plain look.
  TFTour(TourService& service, OnlineTable& table, TKuvClient& myClient, const TourAccount& account,
         TourSeams seams, const FormStyle& style, QImage background = {},
         QWidget* parent = nullptr);
  ~TFTour() override;

  void RefreshLobby();
  void ShowMyResults();
  void ClickSeat(int table, int seat);
  // The first deck of a match has arrived.
  void CloseForMatch();
  void Timer1Timer();
  void Timer2Timer();
  void ButtonTopClick();

  bool GraphicLook() const { return !background_.isNull(); }

  // Lobby state.
  TableList Tables;
  std::string TableServerAddress;
  int32_t TableBasePort = 0;
  char ServerStatus = 'X';
  std::string WelcomeText;
  int MyTable = 0, MySeat = 0;

  // Controls, 1-based.
  std::array<TKuvCardsButton*, 11> ButtonT{}, ButtonTa{}, ButtonTb{};
  TKuvCardsButton *ButtonUp, *ButtonOk, *ButtonTop;
  QLabel *LabelWe, *LabelPl, *Image1, *Image3;
  std::array<std::array<QLabel*, 3>, 7> SG{};  // rows 1..6, columns 1..2
  QTimer Timer1, Timer2, Timer48;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
  void paintEvent(QPaintEvent* e) override;

 private:
  void SeatsOff();
  void FreeHeldSeat(char sex);
  TKuvCardsButton*& SeatButton(int t, int seat) { return seat == 1 ? ButtonTa[t] : ButtonTb[t]; }
  void Play(const char* sound) {
    if (seams_.play) seams_.play(sound);
  }
  TourService& service_;
  OnlineTable& online_;
  TKuvClient& me_;
  TourSeams seams_;
  FormStyle style_;
  QImage background_;
};

class TFormTourTop10 : public TRecordDialog {
 public:
  TFormTourTop10(TourService& service, const TKuvClient& me, const FormStyle& style,
                 QWidget* parent = nullptr);
  void ShowTourTopTen();
  // The chosen kind, kept between openings: 's', 'r' or 'k'.
  static char Kind;
  std::array<QRadioButton*, 3> RG{};
  QLabel* List;
  QLabel* Place;
  std::array<TKuvRecord, 11> Top{};
  int MyPlace = -1;

 private:
  TourService& service_;
  const TKuvClient& me_;
  FormStyle style_;
};

}  // namespace zarnet
