#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calendar.h"

namespace zarnet {
namespace {

// Easter by the anonymous Gregorian algorithm, written independently.
Date ReferenceWesternEaster(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  return {y, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1};
}

// Orthodox Easter by Meeus' Julian algorithm, moved to the Gregorian calendar
// (13 days in 1900..2099).
Date ReferenceOrthodoxEaster(int y) {
  const int a = y % 4, b = y % 7, c = y % 19, d = (19 * c + 15) % 30;
  const int e = (2 * a + 4 * b - d + 34) % 7;
  const int month = (d + e + 114) / 31, day = (d + e + 114) % 31 + 1;
  const Date julian{y, month, day};
  return DateFromDayOfYear(y, DayOfYear(julian) + 13);
}

TEST(Calendar, EasterDates) {
  EXPECT_EQ(OrthodoxEaster(2010), (Date{2010, 4, 4}));
  EXPECT_EQ(WesternEaster(2010), (Date{2010, 4, 4}));
  EXPECT_EQ(OrthodoxEaster(2024), (Date{2024, 5, 5}));
  EXPECT_EQ(WesternEaster(2024), (Date{2024, 3, 31}));
  for (int y = 1950; y <= 2099; ++y) {
    EXPECT_EQ(WesternEaster(y), ReferenceWesternEaster(y)) << y;
    EXPECT_EQ(OrthodoxEaster(y), ReferenceOrthodoxEaster(y)) << y;
  }
}

TEST(Calendar, WeekdaysAndDays) {
  EXPECT_EQ(Weekday({2026, 12, 10}), 5);  // a Thursday
  EXPECT_EQ(Weekday({2024, 3, 31}), 1);   // Easter Sunday
  EXPECT_EQ(DayOfYear({2024, 9, 12}), 256);
  EXPECT_EQ(DayOfYear({2025, 9, 13}), 256);
  EXPECT_EQ(DateFromDayOfYear(2024, 60), (Date{2024, 2, 29}));
}

bool HasHoliday(const Date& d, const std::string& name) {
  const auto hits = HolidaysOn(d);
  return std::any_of(hits.begin(), hits.end(),
                     [&](const HolidayToday& h) { return HolidayTable()[h.entry].english == name; });
}

TEST(Calendar, MovableHolidays) {
  struct Case {
    Date day;
    const char* name;
    bool shown;
  } cases[] = {
      {{2024, 9, 12}, "Programmer`s day", true},  // the 256th day of a leap year
      {{2024, 9, 13}, "Programmer`s day", false},
      {{2025, 9, 13}, "Programmer`s day", true},
      {{2025, 1, 20}, "Martin Luther King Day", true},  // third Monday
      {{2025, 1, 13}, "Martin Luther King Day", false},
      {{2025, 1, 27}, "Martin Luther King Day", false},
      {{2025, 11, 27}, "Thanksgiving", true},  // fourth Thursday
      {{2025, 11, 20}, "Thanksgiving", false},
      {{2024, 11, 28}, "Thanksgiving", true},
      {{2024, 5, 5}, "Easter", true},
      {{2024, 3, 31}, "Easter", true},
      {{2024, 6, 14}, "Ascension Of Our Lord", true},  // Orthodox Easter + 40
      {{2024, 4, 28}, "The entry into Jerusalem", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HasHoliday(c.day, c.name), c.shown) << c.name << " " << c.day.month << "/" << c.day.day;
}

TEST(Calendar, AnniversaryAndKind) {
  const auto hits = HolidaysOn({2025, 5, 9});
  ASSERT_EQ(hits.size(), 1u);
  const HolidayEntry& e = HolidayTable()[hits[0].entry];
  EXPECT_STREQ(e.english, "Victory day in Great Patriotic war");
  EXPECT_EQ(hits[0].anniversary, 80);
  EXPECT_TRUE(TagHasKind(e.tag));
  EXPECT_FALSE(TagHasKind("ALL"));
  EXPECT_FALSE(TagHasKind("RU-"));
  EXPECT_EQ(HolidaysOn({2025, 1, 1})[0].anniversary, 0);
}

TEST(Calendar, SignsAndAnimals) {
  EXPECT_EQ(ZodiacSign({2025, 3, 21}), 1);
  EXPECT_EQ(ZodiacSign({2025, 3, 20}), 12);
  EXPECT_EQ(ZodiacSign({2025, 1, 10}), 10);
  EXPECT_EQ(ZodiacSign({2025, 12, 22}), 10);
  EXPECT_EQ(ZodiacSign({2025, 1, 21}), 11);
  EXPECT_EQ(AnimalOfYear(2024), 4);  // dragon
  EXPECT_EQ(AnimalOfYear(2020), 0);  // rat
  EXPECT_EQ(AnimalOfYear(2028), 8);  // monkey
}

}  // namespace
}  // namespace zarnet
