// The records the game exchanges with its web services.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zarnet {

struct TInfo14 {
  std::string Name1, Name2, About, Telephone, EMailO, Skype, WebSite, OK, VK, Telegram, FaceBook,
      Twitter, Instagramm, YouTube;
};

struct TKuvUser {
  std::string Nick;
  std::string Pw;
  std::string City = "#";
  std::string Country1 = "Russia";
  std::string Country2 = "1-001";
  char Sex = 'M';
  std::string EMail = "#";
  std::string DateR = "00.00.0000";
  std::string R01 = "#", R02 = "#", R03 = "#";
  int32_t R04 = 0, R05 = 0, R06 = 0;
  std::string PwC;
  TInfo14 Info;
};

struct TKuvTop10 {
  std::string Nick;
  std::string City;
  std::string Country;
  char Sex = 'M';
  double Rating = 0.0;
};

struct TKuvRecord {
  int32_t RID = 0;
  int32_t GID = 0;
  int32_t Score = 0;
  std::string Nick = "#";
  std::string Country = "#";
  std::string City = "#";
  std::string R07 = "#";
  std::string R08 = "#";
  std::string R09 = "#";
  std::string R10 = "#*";
  int32_t Place = 0;
};

// The entry a finished game sends to a score board; R08 is left to the
// service, R09 and R10 are unused.
inline TKuvRecord ScoreRecord(std::string nick, std::string city, std::string country, int32_t score, char sex) {
  TKuvRecord r;
  r.Nick = std::move(nick);
  r.City = std::move(city);
  r.Country = std::move(country);
  r.Score = score;
  r.R07 = std::string(1, sex);
  r.R09 = "#";
  r.R10 = "#";
  return r;
}

struct TKuvStat {
  int32_t GID = 0;
  int32_t Stat1 = 0, Stat2 = 0, Stat3 = 0;
  std::string Stat4;
  std::array<int32_t, 13> StatX{};  // 1..12
  int32_t StatY = 0;
  std::string StatZ;
};

}  // namespace zarnet
