// The holiday calendar beside the menu: today's date panel, the animal of the
// year and today's holidays, fixed and movable.
#pragma once

#include <string>
#include <vector>

namespace zarnet {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const Date&) const = default;
};

bool IsLeapYear(int year);
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

// One row of the holiday table.
struct HolidayEntry {
  const char* date;     // "dd.mm.yyyy", "pasha.p+40", "****3.2.01", ...
  const char* tag;      // "ALL", "RUS", ...
  const char* picture;  // "R_NEWYEAR", ...
  const char* english;  // the name, and the key of its word-table entry
};

const std::vector<HolidayEntry>& HolidayTable();

// The fixed date a table entry takes in the year of `today`, or nothing
// (day 0) when a weekday rule does not fall on today.
Date ResolveHolidayDate(const HolidayEntry& e, const Date& today);

struct HolidayToday {
  int entry = 0;        // index into HolidayTable()
  int anniversary = 0;  // years since the event; 0 when the entry has no year
};

// Today's holidays in table order, at most six.
std::vector<HolidayToday> HolidaysOn(const Date& today);

// The kind tags with a word-table kind; "ALL" and "RU-" have none.
bool TagHasKind(const std::string& tag);

}  // namespace zarnet
