// The holiday calendar beside the menu: today's date panel, the animal of the
// year and today's holidays, fixed and movable. Plain arithmetic and texts; the
// pictures are composed in calendar_panel.h.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "words.h"

namespace zarnet {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const Date&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
int DayOfYear(const Date& d);
Date DateFromDayOfYear(int year, int dayOfYear);
// 1 Sunday .. 7 Saturday.
int Weekday(const Date& d);

Date OrthodoxEaster(int year);
Date WesternEaster(int year);

// 1 Aries .. 12 Pisces.
int ZodiacSign(const Date& d);
// 0 rat .. 11 pig, in the order of the calendar library's pictures.
int AnimalOfYear(int year);

// Word-table names: month 1..12, sign 1..12, animal 0..11 (rat first).
WordId MonthWord(int month);
WordId SignWord(int sign);
WordId AnimalWord(int animal);
// Picture names in the calendar library: "R_01".."R_12", "R_VOSKRIS".."R_VOSPIG0".
std::string SignPicture(int sign);
std::string AnimalPicture(int animal);

// One row of the holiday table.
struct HolidayEntry {
  std::string date;     // "dd.mm.yyyy", "pasha.p+39", "****3.2.01", ...
  std::string tag;      // "ALL", "RUS", ...
  std::string picture;  // "R_NEWYEAR", ...
  // Russian, English, German, French, Spanish, Chinese, Italian, Czech,
  // Japanese, Korean: the order of the table's texts.
  std::array<std::string, 10> names;
};

// One table text: date (10) "#" tag (3) "#" picture (9) "#" and ten names each
// followed by "#"; anything after the tenth name is ignored. Nothing when the
// text does not have that shape.
std::optional<HolidayEntry> ParseHolidayEntry(std::string_view text);

const std::vector<HolidayEntry>& HolidayTable();

// The entry's name in interface language 0..9 (English for anything else).
const std::string& HolidayName(const HolidayEntry& e, int language);

// The word-table kind of a tag; "ALL", "RU-" and unknown tags have none.
std::optional<WordId> KindWord(const std::string& tag);

// The fixed date a table entry takes in the year of `today`, or nothing
// (month and day 0) when a weekday rule does not fall on today.
Date ResolveHolidayDate(const HolidayEntry& e, const Date& today);

struct HolidayToday {
  int entry = 0;      // index into HolidayTable()
  int eventYear = 0;  // the year of the event, 0 when the entry has none
  int anniversary = 0;  // years since the event
};

// Today's holidays in table order, at most six.
inline constexpr int kMaxHolidaysShown = 6;
std::vector<HolidayToday> HolidaysOn(const Date& today);

// The holiday picture's hint in the current language:
// name, then " (anniversary, kind)", " (anniversary)" or " (kind)".
std::string HolidayHint(const HolidayToday& h);

}  // namespace zarnet
