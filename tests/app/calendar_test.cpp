#include <gtest/gtest.h>

#include <algorithm>
#include <set>
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
// by the days between the two: 13 from 1900 to 2099, 14 in the 2100s, ...
Date ReferenceOrthodoxEaster(int y) {
  const int a = y % 4, b = y % 7, c = y % 19, d = (19 * c + 15) % 30;
  const int e = (2 * a + 4 * b - d + 34) % 7;
  const int month = (d + e + 114) / 31, day = (d + e + 114) % 31 + 1;
  int shift = 13;
  for (int century = 2100; century <= y; century += 100)
    if (century % 400 != 0) ++shift;
  return DateFromDayOfYear(y, DayOfYear({y, month, day}) + shift);
}

TEST(Calendar, EasterDates) {
  struct Case {
    int year;
    Date orthodox, western;
  } cases[] = {
      {2010, {2010, 4, 4}, {2010, 4, 4}},   {2024, {2024, 5, 5}, {2024, 3, 31}},
      {2025, {2025, 4, 20}, {2025, 4, 20}}, {2021, {2021, 5, 2}, {2021, 4, 4}},
      {2008, {2008, 4, 27}, {2008, 3, 23}},  // the earliest Western Easter of the century
      {2038, {2038, 4, 25}, {2038, 4, 25}},
      {2101, {2101, 4, 24}, {2101, 4, 17}},  // the Julian calendar is 14 days behind by now
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OrthodoxEaster(c.year), c.orthodox) << c.year;
    EXPECT_EQ(WesternEaster(c.year), c.western) << c.year;
  }
  for (int y = 1900; y <= 2400; ++y) {
    EXPECT_EQ(WesternEaster(y), ReferenceWesternEaster(y)) << y;
    EXPECT_EQ(OrthodoxEaster(y), ReferenceOrthodoxEaster(y)) << y;
  }
}

TEST(Calendar, WeekdaysAndDays) {
  EXPECT_EQ(Weekday({2026, 12, 10}), 5);  // a Thursday
  EXPECT_EQ(Weekday({2024, 3, 31}), 1);   // Easter Sunday
  EXPECT_EQ(Weekday({2000, 1, 1}), 7);    // a Saturday
  EXPECT_EQ(DayOfYear({2024, 9, 12}), 256);
  EXPECT_EQ(DayOfYear({2025, 9, 13}), 256);
  EXPECT_EQ(DateFromDayOfYear(2024, 60), (Date{2024, 2, 29}));
  EXPECT_EQ(DateFromDayOfYear(2025, 60), (Date{2025, 3, 1}));
}

bool HasHoliday(const Date& d, const std::string& name) {
  const auto hits = HolidaysOn(d);
  return std::any_of(hits.begin(), hits.end(), [&](const HolidayToday& h) {
    return HolidayName(HolidayTable()[h.entry], 0) == name;
  });
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
      {{2025, 9, 12}, "Programmer`s day", false},
      {{2025, 1, 20}, "Martin Luther King Day", true},  // third Monday
      {{2025, 1, 13}, "Martin Luther King Day", false},
      {{2025, 1, 27}, "Martin Luther King Day", false},
      {{2025, 1, 21}, "Martin Luther King Day", false},  // third week, but a Tuesday
      {{2026, 1, 19}, "Martin Luther King Day", true},
      {{2025, 2, 17}, "Martin Luther King Day", false},  // third Monday of February
      {{2025, 11, 27}, "Thanksgiving", true},  // fourth Thursday
      {{2025, 11, 20}, "Thanksgiving", false},
      {{2024, 11, 28}, "Thanksgiving", true},
      {{2026, 11, 26}, "Thanksgiving", true},
      {{2024, 5, 5}, "Easter", true},
      {{2024, 3, 31}, "Easter", true},
      {{2024, 4, 28}, "The entry into Jerusalem", true},  // Palm Sunday
      {{2024, 6, 13}, "Ascension Of Our Lord", true},     // a Thursday
      {{2024, 6, 14}, "Ascension Of Our Lord", false},
      {{2024, 6, 23}, "Trinity Sunday", true},
      {{2024, 6, 24}, "Trinity Sunday", false},
      {{2025, 6, 8}, "Trinity Sunday", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HasHoliday(c.day, c.name), c.shown)
        << c.name << " " << c.day.year << "-" << c.day.month << "-" << c.day.day;
}

TEST(Calendar, LastWeekdayRule) {
  // Not used by the table itself, so a made-up entry: the last Sunday of May.
  const auto e = ParseHolidayEntry("****l.1.05#ALL#R_NEWYEAR#a#b#c#d#e#f#g#h#i#j#");
  ASSERT_TRUE(e);
  EXPECT_EQ(ResolveHolidayDate(*e, {2025, 5, 25}), (Date{2025, 5, 25}));
  EXPECT_EQ(ResolveHolidayDate(*e, {2025, 5, 18}).month, 0);
  EXPECT_EQ(ResolveHolidayDate(*e, {2026, 5, 31}), (Date{2026, 5, 31}));
  EXPECT_EQ(ResolveHolidayDate(*e, {2025, 6, 29}).month, 0);
  // February's last week moves with the leap day.
  const auto feb = ParseHolidayEntry("****l.5.02#ALL#R_NEWYEAR#a#b#c#d#e#f#g#h#i#j#");
  ASSERT_TRUE(feb);
  EXPECT_EQ(ResolveHolidayDate(*feb, {2024, 2, 29}), (Date{2024, 2, 29}));
  EXPECT_EQ(ResolveHolidayDate(*feb, {2024, 2, 22}).month, 0);
  EXPECT_EQ(ResolveHolidayDate(*feb, {2025, 2, 27}), (Date{2025, 2, 27}));
}

TEST(Calendar, TableTexts) {
  const std::string names = "ru#en#de#fr#es#zh#it#cs#ja#ko#";
  const auto ok = ParseHolidayEntry("01.01.0000#ALL#R_NEWYEAR#" + names + "ignored#");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->date, "01.01.0000");
  EXPECT_EQ(ok->tag, "ALL");
  EXPECT_EQ(ok->picture, "R_NEWYEAR");
  EXPECT_EQ(ok->names[0], "ru");
  EXPECT_EQ(ok->names[9], "ko");
  const char* bad[] = {
      "",
      "01.01.000#ALL#R_NEWYEAR#ru#en#de#fr#es#zh#it#cs#ja#ko#",   // short date
      "01.01.0000#AL#R_NEWYEAR#ru#en#de#fr#es#zh#it#cs#ja#ko#",   // short tag
      "01.01.0000#ALL#R_NEWYEA#ru#en#de#fr#es#zh#it#cs#ja#ko#",   // short picture
      "01.01.0000#ALL#R_NEWYEAR#ru#en#de#fr#es#zh#it#cs#ja#ko",   // last name unterminated
      "01.01.0000#ALL#R_NEWYEAR#ru#en#de#fr#es#zh#it#cs#ja#",     // nine names
      "01.01.0000#ALL#R_NEWYEAR#ru##de#fr#es#zh#it#cs#ja#ko#",    // an empty name
  };
  for (const char* text : bad) EXPECT_FALSE(ParseHolidayEntry(text)) << text;

  // Every row of the built-in table parses: none is dropped.
  EXPECT_EQ(HolidayTable().size(), 82u);
  EXPECT_EQ(HolidayTable().front().picture, "R_NEWYEAR");
  EXPECT_EQ(HolidayTable().back().date, "25.12.0000");
}

TEST(Calendar, NamesByInterfaceLanguage) {
  const HolidayEntry& victory = HolidayTable()[HolidaysOn({2025, 5, 9})[0].entry];
  EXPECT_EQ(HolidayName(victory, 0), "Victory day in Great Patriotic war");
  EXPECT_EQ(HolidayName(victory, 1), "День Победы в Великой Отечественной войне");
  EXPECT_EQ(HolidayName(victory, 2), "Tag des Sieges im Großen Vaterländischen Krieg");
  EXPECT_EQ(HolidayName(victory, 9), "대조국전쟁 승전 기념일");
  EXPECT_EQ(HolidayName(victory, 10), HolidayName(victory, 0));
  EXPECT_EQ(HolidayName(victory, -1), HolidayName(victory, 0));
}

TEST(Calendar, Hints) {
  struct Case {
    Date day;
    int language;
    std::vector<std::string> hints;
  } cases[] = {
      {{2025, 5, 9}, 0, {"Victory day in Great Patriotic war (80-th anniversary, Russian Festival)"}},
      {{2025, 5, 9}, 1, {"День Победы в Великой Отечественной войне (80-летие, Праздник России)"}},
      {{2025, 1, 1}, 0, {"New Year"}},                          // no kind, no year
      {{2025, 6, 22}, 0, {"Day of remembrance and mourning"}},  // "RU-" has no kind
      {{2025, 2, 2}, 0,
       {"The day of the victory of Soviet forces in the battle of Stalingrad (82-th anniversary, "
        "Russian Festival)",
        "Candlemas (Catholic feast)"}},
      {{2025, 4, 20}, 0, {"Easter (The Orthodox holiday)", "Easter (Catholic feast)"}},
      {{2025, 3, 3}, 0, {}},
  };
  for (const Case& c : cases) {
    SetLanguageIndex(c.language);
    std::vector<std::string> hints;
    for (const HolidayToday& h : HolidaysOn(c.day)) hints.push_back(HolidayHint(h));
    EXPECT_EQ(hints, c.hints) << c.day.month << "/" << c.day.day;
  }
  SetLanguageIndex(0);
}

TEST(Calendar, SignsAndAnimals) {
  EXPECT_EQ(ZodiacSign({2025, 3, 21}), 1);
  EXPECT_EQ(ZodiacSign({2025, 3, 20}), 12);
  EXPECT_EQ(ZodiacSign({2025, 1, 10}), 10);
  EXPECT_EQ(ZodiacSign({2025, 12, 22}), 10);
  EXPECT_EQ(ZodiacSign({2025, 12, 21}), 9);
  EXPECT_EQ(ZodiacSign({2025, 1, 21}), 11);
  EXPECT_EQ(ZodiacSign({2025, 8, 24}), 6);
  EXPECT_EQ(AnimalOfYear(2024), 4);  // dragon
  EXPECT_EQ(AnimalOfYear(2020), 0);  // rat
  EXPECT_EQ(AnimalOfYear(2028), 8);  // monkey
  EXPECT_EQ(AnimalOfYear(2031), 11);  // pig
  EXPECT_EQ(SignPicture(1), "R_01");
  EXPECT_EQ(SignPicture(12), "R_12");
  EXPECT_EQ(AnimalPicture(AnimalOfYear(2024)), "R_VOSDRAG");
  EXPECT_EQ(AnimalPicture(AnimalOfYear(2031)), "R_VOSPIG0");
  SetLanguageIndex(0);
  EXPECT_EQ(WordUtf8(SignWord(12)), "Pisces");
  EXPECT_EQ(WordUtf8(AnimalWord(AnimalOfYear(2026))), "Year Of The Horse");
  EXPECT_EQ(WordUtf8(MonthWord(9)), "September");
}

}  // namespace
}  // namespace zarnet
