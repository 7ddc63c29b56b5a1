#include "calendar.h"

#include <cstdlib>
#include <cstring>

namespace zarnet {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

namespace {

constexpr int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int DaysInMonth(int year, int month) {
  return month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month];
}

int Digits(const char* s, int n) {
  int v = 0;
  for (int i = 0; i < n; ++i) {
    if (s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

}  // namespace

int DayOfYear(const Date& d) {
  int n = d.day;
  for (int m = 1; m < d.month; ++m) n += DaysInMonth(d.year, m);
  return n;
}

Date DateFromDayOfYear(int year, int n) {
  int month = 1;
  while (month < 12 && n > DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
  return {year, month, n};
}

int Weekday(const Date& d) {
  // Zeller's congruence, turned into 1 = Sunday.
  int m = d.month, y = d.year;
  if (m < 3) {
    m += 12;
    --y;
  }
  const int k = y % 100, j = y / 100;
  const int h = (d.day + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
  return (h + 6) % 7 + 1;
}

Date OrthodoxEaster(int y) {
  const int L = IsLeapYear(y) ? 1 : 0;
  const int a = (19 * (y % 19) + 15) % 30;
  const int b = (2 * (y % 4) + 4 * (y % 7) + 6 * a + 6) % 7;
  const int s = a + b;
  const int julian = s <= 9 ? L + 59 + 22 + s : L + 90 + s - 9;
  return DateFromDayOfYear(y, julian + 13);
}

Date WesternEaster(int y) {
  const int L = IsLeapYear(y) ? 1 : 0;
  const int G = y % 19 + 1;
  const int C = y / 100 + 1;
  const int X = (3 * C) / 4 - 12;
  const int Z = (8 * C + 5) / 25 - 5;
  const int D = (5 * y) / 4 - X - 10;
  int E = ((11 * G + 20 + Z - X) % 30 + 30) % 30;
  if ((E == 25 && G > 11) || E == 24) ++E;
  int N = 44 - E;
  if (N < 21) N += 30;
  N = N + 7 - ((D + N) % 7);
  return DateFromDayOfYear(y, L + 59 + N);
}

int ZodiacSign(const Date& d) {
  // First days of Aries .. Pisces.
  static const int kStart[13][2] = {{0, 0},   {3, 21},  {4, 21},  {5, 21},  {6, 22},
                                    {7, 23},  {8, 24},  {9, 24},  {10, 24}, {11, 23},
                                    {12, 22}, {1, 21},  {2, 21}};
  int sign = 10;  // Capricorn runs over the new year
  const int today = d.month * 100 + d.day;
  int best = -1;
  for (int s = 1; s <= 12; ++s) {
    const int start = kStart[s][0] * 100 + kStart[s][1];
    if (start <= today && start > best) {
      best = start;
      sign = s;
    }
  }
  return sign;
}

int AnimalOfYear(int year) {
  // The year modulo 12 counts from the monkey; the pictures count from the rat.
  static const int kByRemainder[12] = {8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7};
  return kByRemainder[((year % 12) + 12) % 12];
}

const std::vector<HolidayEntry>& HolidayTable() {
  static const std::vector<HolidayEntry> table = {
      {"01.01.0000", "ALL", "R_NEWYEAR", "New Year"},
      {"20.01.0000", "USA", "R_USAFLAG", "Inauguration day"},
      {"25.01.0000", "RUS", "R_RUSZNAN", "Tatyana`s day, the day of Russian students"},
      {"27.01.0000", "RUS", "R_RUSORDN", "Day of the lifting of the siege of Leningrad"},
      {"****3.2.01", "USA", "R_USAFLAG", "Martin Luther King Day"},
      {"02.02.1943", "RUS", "R_RUSORDN",
       "The day of the victory of Soviet forces in the battle of Stalingrad"},
      {"08.02.0000", "RUS", "R_RUSFLAG", "The day of Russian Science"},
      {"14.02.0000", "ALL", "R_LOVE000", "Valentine`s day"},
      {"23.02.0000", "RUS", "R_RUSGEOR", "Defender of the fatherland day"},
      {"08.03.0000", "ALL", "R_8MARCH0", "International women`s day"},
      {"17.03.0000", "USA", "R_USAPATR", "St. Patrick`s day"},
      {"01.04.0000", "ALL", "R_1April0", "April Fool`s day"},
      {"02.04.0000", "RUS", "R_RUSFLAG", "Unity day"},
      {"12.04.0000", "RUS", "R_RUSFLAG", "Day of cosmonautics"},
      {"18.04.1242", "RUS", "R_RUSGEOR",
       "The day of the victory of the Russian army in the battle on the ice"},
      {"01.05.0000", "ALL", "R_1May000", "Labor Day"},
      {"02.05.0000", "ISP", "R_ISPFLAG", "Day Of Madrid"},
      {"07.05.0000", "RUS", "R_RUSFLAG", "Radio day"},
      {"08.05.0000", "FRA", "R_FRAFLAG", "Victory day"},
      {"09.05.1945", "RUS", "R_RUSORDN", "Victory day in Great Patriotic war"},
      {"24.05.0000", "RUS", "R_RUSFLAG", "The day of Slavonic Literature and culture"},
      {"29.05.0000", "RUS", "R_RUSFLAG", "Chemist`s day"},
      {"01.06.0000", "ALL", "R_BABY000", "International children`s day"},
      {"12.06.0000", "RUS", "R_RUSFLAG", "Russia Day"},
      {"14.06.0000", "USA", "R_USAFLAG", "American flag day"},
      {"21.06.0000", "FRA", "R_FRAMUS0", "Music day"},
      {"22.06.0000", "RU-", "R_RUSORDN", "Day of remembrance and mourning"},
      {"27.06.0000", "RUS", "R_RUSFLAG", "Youth day"},
      {"04.07.0000", "USA", "R_USA4JUL", "Independence day"},
      {"08.07.0000", "RUS", "R_RUSFLAG", "Day of family, love and fidelity"},
      {"10.07.1709", "RUS", "R_RUSGEOR",
       "The day of the victory of the Russian army in the battle of Poltava"},
      {"14.07.0000", "FRA", "R_FRAFLAG", "Bastille Day"},
      {"18.07.0000", "USA", "R_USAFLAG", "National hot dog day"},
      {"28.07.0988", "RUS", "R_RUSFLAG", "The day of the baptism of RUS`"},
      {"16.08.0000", "USA", "R_USAELVI", "Elvis Presley Memorial Day"},
      {"22.08.0000", "RUS", "R_RUSFLAG", "The day of the national flag of Russia"},
      {"23.08.1943", "RUS", "R_RUSORDN",
       "The day of the victory of Soviet forces in the battle of Kursk"},
      {"01.09.0000", "RUS", "R_RUSZNAN", "The day of knowledge"},
      {"02.09.0000", "ALL", "R_WAR0000", "Day of the end of World War II"},
      {"08.09.1812", "RUS", "R_RUSGEOR", "Borodino day"},
      {"13.09.0000", "ALL", "R_ALLPROG", "Programmer`s day"},
      {"21.09.1380", "RUS", "R_RUSGEOR",
       "The day of the victory of Russian regiments in the battle of Kulikovo"},
      {"01.10.0000", "RUS", "R_OLD0000", "Day of older persons"},
      {"03.10.0000", "DEU", "R_DEUFLAG", "Day of German unity"},
      {"05.10.0000", "RUS", "R_TEACHER", "Teacher`s day"},
      {"12.10.0000", "ISP", "R_ISPFLAG", "National day of Spain"},
      {"21.10.0000", "ENG", "R_ENGFLAG", "Apple day"},
      {"31.10.0000", "ALL", "R_HALLO00", "Halloween"},
      {"05.11.0000", "ENG", "R_ENGFLAG", "Guy Fawkes night or Night campfires"},
      {"11.11.0000", "ALL", "R_WAR0000", "The end of the first world war"},
      {"****4.5.11", "USA", "R_USABLAG", "Thanksgiving"},
      {"05.12.1941", "RUS", "R_RUSORDN",
       "The first day of the Soviet troops counterattack near Moscow"},
      {"06.12.0000", "ISP", "R_ISPFLAG", "Constitution Day in Spain"},
      {"12.12.0000", "RUS", "R_RUSFLAG", "Constitution Day Of Russia"},
      {"22.12.0000", "RUS", "R_RUSFLAG", "The day of power branch workers"},
      {"27.12.0000", "RUS", "R_RUSFLAG", "The rescuer day Russia"},
      {"pasha.p000", "PRA", "R_PASHA00", "Easter"},
      {"pasha.p-07", "PRA", "R_PRAKRES", "The entry into Jerusalem"},
      {"pasha.p+40", "PRA", "R_PRAKRES", "Ascension Of Our Lord"},
      {"pasha.p+50", "PRA", "R_PRAKRES", "Trinity Sunday"},
      {"07.01.0000", "PRA", "R_ROGDEST", "Christmas"},
      {"14.01.0000", "PRA", "R_PRAKRES", "Circumcision Of The Lord"},
      {"19.01.0000", "PRA", "R_PRAKRES", "Epiphany"},
      {"15.02.0000", "PRA", "R_PRAKRES", "Candlemas"},
      {"07.04.0000", "PRA", "R_PRAKRES", "Annunciation to the Most Holy Theotokos"},
      {"07.07.0000", "PRA", "R_PRAKRES", "The Nativity of John the Baptist (Forerunner)"},
      {"12.07.0000", "PRA", "R_PRAKRES", "Day of the Holy Primate Apostles Peter and Paul"},
      {"19.08.0000", "PRA", "R_PRAKRES", "Transfiguration"},
      {"28.08.0000", "PRA", "R_PRAKRES", "Dormition of the Virgin"},
      {"11.09.0000", "PRA", "R_PRAKRES", "Beheading of John the Baptist"},
      {"21.09.0000", "PRA", "R_PRAKRES", "Nativity Of The Virgin"},
      {"27.09.0000", "PRA", "R_PRAKRES", "Exaltation of the Cross of the Lord"},
      {"14.10.0000", "PRA", "R_PRAKRES", "Protection of the Most Holy Theotokos"},
      {"04.12.0000", "PRA", "R_PRAKRES", "Introduction to the temple of the Most Holy Theotokos"},
      {"pasha.k000", "KAT", "R_PASHA00", "Easter"},
      {"02.02.0000", "KAT", "R_KATKRES", "Candlemas"},
      {"25.03.0000", "KAT", "R_KATKRES", "Annunciation to the Most Holy Theotokos"},
      {"06.08.0000", "KAT", "R_KATKRES", "Transfiguration"},
      {"08.09.0000", "KAT", "R_KATKRES", "Nativity of the Mother of God"},
      {"01.11.0000", "KAT", "R_KATKRES", "All Saints` day"},
      {"24.12.0000", "KAT", "R_ROGDEST", "Christmas Eve"},
      {"25.12.0000", "KAT", "R_ROGDEST", "Christmas"},
  };
  return table;
}

Date ResolveHolidayDate(const HolidayEntry& e, const Date& today) {
  const char* f = e.date;
  const int y = today.year;
  if (std::strncmp(f, "pasha.", 6) == 0) {
    const Date easter = f[6] == 'p' ? OrthodoxEaster(y) : WesternEaster(y);
    int n = DayOfYear(easter);
    if (f[7] == '+' || f[7] == '-') {
      const int offset = Digits(f + 8, 2);
      n += f[7] == '+' ? offset : -offset;
    }
    return DateFromDayOfYear(y, n);
  }
  if (std::strncmp(f, "****", 4) == 0) {
    const int w = f[6] - '0';
    const int month = Digits(f + 8, 2);
    if (today.month != month || Weekday(today) != w) return {y, 0, 0};
    if (f[4] == 'l') {
      const int days = DaysInMonth(y, month);
      return today.day > days - 7 ? today : Date{y, 0, 0};
    }
    const int n = f[4] - '0';
    return (today.day - 1) / 7 + 1 == n ? today : Date{y, 0, 0};
  }
  Date d{y, Digits(f + 3, 2), Digits(f, 2)};
  if (std::strcmp(e.picture, "R_ALLPROG") == 0) d = DateFromDayOfYear(y, 256);
  return d;
}

std::vector<HolidayToday> HolidaysOn(const Date& today) {
  std::vector<HolidayToday> out;
  const auto& table = HolidayTable();
  for (size_t i = 0; i < table.size() && out.size() < 6; ++i) {
    const Date d = ResolveHolidayDate(table[i], today);
    if (d.month != today.month || d.day != today.day) continue;
    const char* f = table[i].date;
    const int year = (f[2] == '.' && f[5] == '.') ? Digits(f + 6, 4) : 0;
    out.push_back({static_cast<int>(i), year > 0 ? today.year - year : 0});
  }
  return out;
}

bool TagHasKind(const std::string& tag) { return tag != "ALL" && tag != "RU-"; }

}  // namespace zarnet
