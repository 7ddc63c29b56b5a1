// The calendar's two pictures beside the menu: the date panel on the left, and
// on the right the animal of the year and today's holidays, one every ten seconds.
//
// Use from the main window:
//   auto* cal = new TCalendar(this, std::make_unique<ResourceSource>(programFolder));
//   cal->Factors = <the window mode's scale factors>;
//   cal->Background = [this] { return &art.Background; };  // the table background
//   cal->MenuShown = [this] { return <menu screen is up>; };
//   cal->ShowCalendar();  // when the menu is drawn, after a language or background change
//   cal->HideCalendar();  // when the table is laid out
// Shown() says whether the pictures are up; SideShift() is then 20, how much further
// out the side pictures stand. ShownChanged fires when that changes. Tick, when set,
// runs on every timer tick after the calendar's own work (the extras' polls).
// Without the calendar library nothing is shown, the timer stops and nothing else
// is touched.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "calendar.h"
#include "card_art.h"
#include "layout.h"

namespace zarnet {

inline constexpr const char* kCalendarLibrary = "KuvCalendar01.dll";
inline constexpr int kCalendarWidth = 60;
inline constexpr int kCalendarHeight = 100;
// Sizes of the library's pictures and where they sit on "R_BASE".
inline constexpr int kCalendarSignSize = 26;       // "R_01".."R_12" at (17, 65)
inline constexpr int kCalendarIconWidth = 54;      // animals and holidays at (3, 27)
inline constexpr int kCalendarIconHeight = 70;
inline constexpr int kCalendarSlots = 8;  // 1 date, 2 animal, 3..8 holidays

// One unscaled 60 x 100 picture control with its hint.
class TCalendarPicture : public QWidget {
 public:
  explicit TCalendarPicture(QWidget* parent);
  void SetPicture(const QImage& picture, const QString& hint);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage picture_;
};

class TCalendar : public QObject {
  Q_OBJECT

 public:
  TCalendar(QWidget* mainWindow, std::unique_ptr<PictureSource> source);

  ScaleFactors Factors;
  // The table background at window size; null or a null image paints nothing under the panels.
  std::function<const QImage*()> Background;
  std::function<bool()> MenuShown = [] { return true; };
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

  // Fills the picture set for today; false when the library is missing. Sizes of
  // 0 take the defaults (day 12, month 8 points).
  bool BuildCalendar(const QString& fontName, int monthFontSize, int dayFontSize);
  // Places the controls, builds the calendar and starts the cycle; hides them on failure.
  void ShowCalendar();
  // Hides both pictures at once (the table screen); the timer keeps running.
  void HideCalendar() { SetShown(false); }
  // Every 10 s: the new day after midnight, hidden off the menu, the next picture.
  void TimerCalTimer();
  bool Shown() const;
  int SideShift() const { return Shown() ? 20 : 0; }
  std::function<void()> Tick;

  TCalendarPicture* ImCalL;
  TCalendarPicture* ImCalR;
  QTimer* TimerCal;

  // 1-based by slot; index 0 unused.
  std::array<QImage, kCalendarSlots + 1> Pictures;
  std::array<QString, kCalendarSlots + 1> Hints;
  int CalendarSize = 0;
  int CycleSlot = 2;  // the slot ImCalR shows

 signals:
  void ShownChanged(bool shown);

 private:
  void FillBackground(QImage& picture, QPoint at) const;
  void SetShown(bool shown);
  std::unique_ptr<PictureSource> source_;
  QDate built_;  // the day the pictures show
};

}  // namespace zarnet
