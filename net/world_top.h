// The world top ten window and the result window of a finished game.
#pragma once

#include <QImage>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "form_common.h"
#include "passport.h"
#include "service_requests.h"
#include "settings.h"

class QLabel;
class QTabBar;

namespace zarnet {

class TKuvCardsButton;
class TourService;

inline constexpr int kWindowsBoard = 808;  // game id 88 + 720
inline constexpr int kAndroidBoard = kWindowsBoard + 100;
inline constexpr int kAccountBoard = kWindowsBoard + 300;

// Category 1..7 of the window: its heading and, for 2..4, its board (0 else).
WordId CategoryHeading(int category);
int CategoryBoard(int category);

// Name (characters 1-20) and score (21-26) of the ten top-ten lines of a
// player list; empty when the file is missing or fails its check.
struct LocalRow {
  std::string name;   // cp1251, trailing blanks removed
  std::string score;  // as written, blanks removed
};
std::vector<LocalRow> LocalTopTen(const std::string& listPath);

// Where the window reads from; any of them may be missing.
struct WorldSources {
  WebServices* web = nullptr;
  TourService* tour = nullptr;
  std::string clubListPath, netListPath;
  std::string accountNick, accountCity;  // for the rows around the player on the account board
  bool plainLook = false;  // no graphics library: three tabs for the three boards
};

class TFormServerRead : public TRecordDialog {
  Q_OBJECT

 public:
  TFormServerRead(Settings& settings, WorldSources sources, const FormStyle& style, int category = 3,
                  QWidget* parent = nullptr);

  std::function<void()> OpenPassport;

  std::array<TKuvCardsButton*, 8> CategoryButton{};  // 1..7
  std::array<TKuvCardsButton*, 4> KindButton{};      // 1..3: s, r, k
  QTabBar* TabControl1 = nullptr;  // the plain look's boards
  TKuvCardsButton* ButtonRefresh = nullptr;
  TKuvCardsButton* ButtonPassport = nullptr;
  QLabel* Heading = nullptr;
  QLabel* Image1 = nullptr;  // the list
  QTimer Timer1;
  QImage List;
  int Category = 3;
  char TourKind = 's';
  bool ReadOk = false;
  long long GameCount = -1;

  void ShowCategory(int category);
  void RefreshClick();
  void Timer1Timer();

 private:
  void Redraw();
  Settings& s_;
  WorldSources src_;
  FormStyle style_;
};

class TFormServerWrite : public TRecordDialog {
  Q_OBJECT

 public:
  TFormServerWrite(Settings& settings, WebServices* web, int32_t score, const FormStyle& style,
                   QWidget* parent = nullptr);

  std::function<void(const QString&)> Inform;
  std::function<void()> OpenPassport;

  int32_t ResultScore = 0;
  long long ResultPlace = -1;
  bool ResultSent = false;
  TKuvCardsButton* ButtonSend = nullptr;
  TKuvCardsButton* ButtonPassport = nullptr;
  TKuvCardsButton* ButtonClose = nullptr;
  QLabel* Image1 = nullptr;

  void SendClick();
  void PassportClick();
  void Redraw();

 private:
  Settings& s_;
  WebServices* web_;
};

}  // namespace zarnet
