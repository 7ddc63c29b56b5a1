#include <gtest/gtest.h>

#include <QLabel>
#include <QMap>
#include <QWidget>

#include "calendar_panel.h"

namespace zarnet {
namespace {

// Every picture a flat colour of its own, so a pixel tells which one was drawn where.
QColor ColourOf(const QString& name) {
  const uint h = qHash(name);
  return QColor(40 + h % 200, 40 + (h / 200) % 200, 40 + (h / 40000) % 200);
}

class FakeLibrary : public PictureSource {
 public:
  bool present = true;
  bool withBase = true;
  int opens = 0, closes = 0;

  bool Open(const QString& library) override {
    if (!present || library != kCalendarLibrary) return false;
    ++opens;
    return true;
  }
  void Close() override { ++closes; }
  QImage Read(const QString& type, const QString& name) override {
    if (type != "RCDATA") return {};
    QSize size(kCalendarIconWidth, kCalendarIconHeight);
    if (name == "R_BASE") {
      if (!withBase) return {};
      size = QSize(kCalendarWidth, kCalendarHeight);
    } else if (name.size() == 4) {
      size = QSize(kCalendarSignSize, kCalendarSignSize);
    }
    QImage img(size, QImage::Format_ARGB32);
    img.fill(name == "R_BASE" ? QColor(Qt::white) : ColourOf(name));
    // The sheet's top corner is clear, so the table shows through it.
    if (name == "R_BASE")
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) img.setPixel(x, y, 0);
    return img;
  }
};

// A table background whose every pixel tells its own position.
QImage PositionBackground() {
  QImage bg(1600, 1000, QImage::Format_RGB32);
  for (int y = 0; y < bg.height(); ++y)
    for (int x = 0; x < bg.width(); ++x) bg.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
  return bg;
}

struct Fixture {
  QWidget window;
  FakeLibrary* library = new FakeLibrary;
  TCalendar cal{&window, std::unique_ptr<PictureSource>(library)};
  QDateTime now;
  QImage background = PositionBackground();
  bool menu = true;
  std::vector<bool> shownChanges;

  explicit Fixture(QDateTime at) : now(std::move(at)) {
    cal.Now = [this] { return now; };
    cal.MenuShown = [this] { return menu; };
    cal.Background = [this] { return &background; };
    QObject::connect(&cal, &TCalendar::ShownChanged, [this](bool s) { shownChanges.push_back(s); });
  }
  QStringList CycleHints(int ticks) {
    QStringList out{cal.ImCalR->toolTip()};
    for (int i = 0; i < ticks; ++i) {
      cal.TimerCalTimer();
      out << cal.ImCalR->toolTip();
    }
    return out;
  }
};

QDateTime At(int y, int m, int d, int hh = 12, int mm = 0, int ss = 0) {
  return QDateTime(QDate(y, m, d), QTime(hh, mm, ss));
}

TEST(CalendarPanel, BuildsTodaysPictureSet) {
  SetLanguageIndex(0);
  Fixture f(At(2025, 2, 2));
  f.cal.ShowCalendar();
  ASSERT_TRUE(f.cal.Shown());
  EXPECT_EQ(f.cal.CalendarSize, 4);
  EXPECT_EQ(f.cal.Hints[1], "Aquarius");
  EXPECT_EQ(f.cal.Hints[2], "Year Of The Snake");
  EXPECT_EQ(f.cal.Hints[3],
            "The day of the victory of Soviet forces in the battle of Stalingrad (82-th anniversary, "
            "Russian Festival)");
  EXPECT_EQ(f.cal.Hints[4], "Candlemas (Catholic feast)");
  // Each picture at its place on the sheet.
  struct Spot {
    int slot;
    QPoint at;
    const char* picture;
  } spots[] = {{1, {17 + 13, 65 + 13}, "R_11"},
               {2, {3 + 27, 27 + 35}, "R_VOSSNAK"},
               {3, {3, 27}, "R_RUSORDN"},
               {4, {3 + 53, 27 + 69}, "R_KATKRES"}};
  for (const Spot& s : spots)
    EXPECT_EQ(QColor(f.cal.Pictures[s.slot].pixel(s.at)), ColourOf(s.picture)) << s.picture;
  EXPECT_EQ(QColor(f.cal.Pictures[2].pixel(2, 27)), QColor(Qt::white));  // the sheet beside it
  EXPECT_EQ(f.library->opens, f.library->closes);  // released after the build
}

// Share of pixels in the day number's band that are red and that are dark.
std::pair<int, int> DayInk(const QImage& panel) {
  int red = 0, dark = 0;
  for (int y = 22; y < 42; ++y)
    for (int x = 0; x < kCalendarWidth; ++x) {
      const QColor c = panel.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++red;
      if (c.red() < 90 && c.green() < 90 && c.blue() < 90) ++dark;
    }
  return {red, dark};
}

TEST(CalendarPanel, DayNumberIsRedOnSundays) {
  Fixture sunday(At(2025, 2, 2)), monday(At(2025, 2, 3));
  ASSERT_TRUE(sunday.cal.BuildCalendar("Comic Sans MS", 0, 0));
  ASSERT_TRUE(monday.cal.BuildCalendar("Comic Sans MS", 0, 0));
  const auto [sunRed, sunDark] = DayInk(sunday.cal.Pictures[1]);
  const auto [monRed, monDark] = DayInk(monday.cal.Pictures[1]);
  EXPECT_GT(sunRed, 10);
  EXPECT_EQ(sunDark, 0);
  EXPECT_EQ(monRed, 0);
  EXPECT_GT(monDark, 10);
}

TEST(CalendarPanel, PlacedForEveryWindowSize) {
  struct Case {
    ScaleFactors factors;
    QPoint left, right;
  } cases[] = {
      {FactorsForMode(WindowMode::Small), {150, 95}, {550, 95}},
      {FactorsForMode(WindowMode::Medium1), {204, 139}, {724, 139}},  // 123.5 rounds to 124
      {FactorsForMode(WindowMode::Large), {330, 240}, {1130, 240}},
      {FactorsForMode(WindowMode::FullScreen, 1920, 1080), {425, 263}, {1435, 263}},
  };
  for (const Case& c : cases) {
    Fixture f(At(2025, 2, 2));
    f.cal.Factors = c.factors;
    f.cal.ShowCalendar();
    EXPECT_EQ(f.cal.ImCalL->geometry(), QRect(c.left, QSize(60, 100))) << c.factors.ScaleX;
    EXPECT_EQ(f.cal.ImCalR->geometry(), QRect(c.right, QSize(60, 100))) << c.factors.ScaleX;
    // The table shows through the sheet's clear corner, as under each control.
    EXPECT_EQ(f.cal.Pictures[1].pixel(1, 2), f.background.pixel(c.left + QPoint(1, 2)));
    EXPECT_EQ(f.cal.Pictures[4].pixel(2, 1), f.background.pixel(c.right + QPoint(2, 1)));
  }
}

TEST(CalendarPanel, RightPictureCycles) {
  SetLanguageIndex(0);
  Fixture f(At(2025, 2, 2));
  f.cal.ShowCalendar();
  EXPECT_TRUE(f.cal.TimerCal->isActive());
  EXPECT_EQ(f.cal.TimerCal->interval(), 10000);
  EXPECT_EQ(f.cal.ImCalL->toolTip(), "Aquarius");
  EXPECT_EQ(f.cal.SideShift(), 20);
  int ticks = 0;
  f.cal.Tick = [&ticks] { ++ticks; };
  EXPECT_EQ(f.CycleHints(4), (QStringList{f.cal.Hints[2], f.cal.Hints[3], f.cal.Hints[4],
                                              f.cal.Hints[2], f.cal.Hints[3]}));
  EXPECT_EQ(f.cal.ImCalR->Picture(), f.cal.Pictures[3]);
  EXPECT_EQ(ticks, 4);
  f.cal.HideCalendar();
  EXPECT_TRUE(f.cal.ImCalL->isHidden());
  EXPECT_TRUE(f.cal.ImCalR->isHidden());
  EXPECT_EQ(f.cal.SideShift(), 0);
  EXPECT_EQ(f.shownChanges, (std::vector<bool>{true, false}));

  // A day without holidays keeps the animal.
  Fixture plain(At(2025, 3, 3));
  plain.cal.ShowCalendar();
  EXPECT_EQ(plain.cal.CalendarSize, 2);
  EXPECT_EQ(plain.CycleHints(2), QStringList(3, "Year Of The Snake"));
}

TEST(CalendarPanel, TheNewDay) {
  SetLanguageIndex(0);
  Fixture f(At(2025, 1, 20, 23, 59, 50));  // Inauguration and Martin Luther King Day
  f.cal.ShowCalendar();
  EXPECT_EQ(f.cal.CalendarSize, 4);
  EXPECT_EQ(f.cal.Hints[1], "Capricorn");
  f.now = At(2025, 1, 21, 0, 0, 5);
  f.cal.TimerCalTimer();
  EXPECT_EQ(f.cal.Hints[1], "Aquarius");
  EXPECT_EQ(f.cal.CalendarSize, 2);
  EXPECT_EQ(f.cal.ImCalL->toolTip(), "Aquarius");
  // A tick held up past the first half minute still finds the day has changed.
  f.now = At(2025, 1, 22, 0, 3, 0);
  f.cal.TimerCalTimer();
  EXPECT_EQ(f.cal.ImCalL->Picture(), f.cal.Pictures[1]);
  Fixture check(At(2025, 1, 22));
  check.cal.ShowCalendar();
  EXPECT_EQ(f.cal.Pictures[1], check.cal.Pictures[1]);
  EXPECT_TRUE(f.cal.Shown());

  // Off the menu there is no rebuild, and the pictures go.
  Fixture table(At(2025, 1, 20, 23, 59, 50));
  table.cal.ShowCalendar();
  table.menu = false;
  table.now = At(2025, 1, 21, 0, 0, 5);
  table.cal.TimerCalTimer();
  EXPECT_FALSE(table.cal.Shown());
  EXPECT_EQ(table.cal.Hints[1], "Capricorn");
  EXPECT_EQ(table.shownChanges, (std::vector<bool>{true, false}));
}

TEST(CalendarPanel, WithoutTheLibraryNothingShows) {
  Fixture f(At(2025, 2, 2));
  f.library->present = false;
  auto* other = new QLabel("menu", &f.window);
  other->setGeometry(40, 30, 100, 200);
  other->show();
  f.cal.ShowCalendar();
  EXPECT_FALSE(f.cal.Shown());
  EXPECT_EQ(f.cal.SideShift(), 0);
  EXPECT_TRUE(f.cal.ImCalL->isHidden());
  EXPECT_TRUE(f.cal.ImCalR->isHidden());
  EXPECT_FALSE(f.cal.TimerCal->isActive());
  EXPECT_TRUE(f.shownChanges.empty());
  EXPECT_EQ(other->geometry(), QRect(40, 30, 100, 200));
  EXPECT_FALSE(other->isHidden());

  // A library without its sheet counts as missing.
  Fixture damaged(At(2025, 2, 2));
  damaged.library->withBase = false;
  EXPECT_FALSE(damaged.cal.BuildCalendar("Comic Sans MS", 0, 0));
  EXPECT_EQ(damaged.library->opens, damaged.library->closes);

  // The library taken away while shown: the next new day hides the pictures.
  Fixture gone(At(2025, 2, 2, 23, 59, 55));
  gone.cal.ShowCalendar();
  ASSERT_TRUE(gone.cal.Shown());
  gone.library->present = false;
  gone.now = At(2025, 2, 3, 0, 0, 5);
  gone.cal.TimerCalTimer();
  EXPECT_FALSE(gone.cal.Shown());
  EXPECT_FALSE(gone.cal.TimerCal->isActive());
  EXPECT_EQ(gone.shownChanges, (std::vector<bool>{true, false}));
}

// The library the build paints, read the way the program reads it.
TEST(CalendarLibrary, EveryNameAnswersAtItsSize) {
  ResourceSource lib(ZARNET_PROGRAM_DIR);
  ASSERT_TRUE(lib.Open(kCalendarLibrary));
  QMap<QString, QSize> expected{{"R_BASE", QSize(kCalendarWidth, kCalendarHeight)}};
  for (int s = 1; s <= 12; ++s)
    expected[QString::fromStdString(SignPicture(s))] = QSize(kCalendarSignSize, kCalendarSignSize);
  for (int a = 0; a < 12; ++a)
    expected[QString::fromStdString(AnimalPicture(a))] = QSize(kCalendarIconWidth, kCalendarIconHeight);
  for (const HolidayEntry& e : HolidayTable())
    expected[QString::fromStdString(e.picture)] = QSize(kCalendarIconWidth, kCalendarIconHeight);
  EXPECT_EQ(expected.size(), 1 + 12 + 12 + 29);
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    const QImage img = lib.Read("RCDATA", it.key());
    EXPECT_EQ(img.size(), it.value()) << it.key().toStdString();
    EXPECT_TRUE(img.hasAlphaChannel()) << it.key().toStdString();
  }
  lib.Close();

  QWidget window;
  TCalendar cal(&window, std::make_unique<ResourceSource>(ZARNET_PROGRAM_DIR));
  cal.Now = [] { return QDateTime(QDate(2025, 5, 9), QTime(9, 0)); };
  cal.ShowCalendar();
  EXPECT_TRUE(cal.Shown());
  EXPECT_EQ(cal.CalendarSize, 3);
}

}  // namespace
}  // namespace zarnet
