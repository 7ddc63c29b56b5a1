// The tournament service's requests: the ten tables, the server's state,
// the seats, and the players' tournament scores, places and top ten.
#pragma once

#include <array>
#include <string>

#include "player_records.h"
#include "service_client.h"
#include "service_forms.h"
#include "service_records.h"

namespace zarnet {

struct TKuvSeat {
  std::string Nick = "X";
  int32_t Score = 0;
  int32_t Kon = 0;
  int32_t Rating = 0;
  std::string Country = "X";
  std::string City = "X";
  std::string Sex = "M";
  std::string IP = "X";
};

struct TKuvTable {
  std::string IP = "0.0.0.0";
  int32_t Port = 0;
  std::string Free = "X";
  int32_t R1 = 0;
  std::string R2 = "X";
  TKuvSeat Seat[3];  // 1-based: seats 1 and 2
};

using TableList = std::array<TKuvTable, 11>;  // tables 1..10

// The tournament script's built-in address, deciphered; empty when damaged.
std::string TournamentAddress();

// Request bodies, as the service reads them.
std::string ReadTablesBody();
std::string ReadServerInfoBody();
std::string SetSeatBody(int table, int seat, int can, const TKuvClient& client);
std::string ReadSeatBody(int table, int seat);
std::string ReadTourRatingBody(const std::string& nick);
std::string ReadTourPlaceBody(char kind, long long value);
std::string ReadTourTopTenBody(char kind);

// Replies. Each returns false where a number does not convert.
bool ParseTables(std::string_view reply, TableList* tables);
void ParseServerInfo(std::string_view reply, char* status, std::string* welcome);
// 0 taken or freed, 2 the seat was taken meanwhile, 1 anything else.
int SetSeatResult(std::string_view reply);
bool ParseSeat(std::string_view reply, TKuvClient* client);
// The player's tournament score, or -1. A score can be negative: `ok` tells
// a real -1 from a failure.
int ParseTourRating(std::string_view reply, int32_t* kon, int32_t* rating, bool* ok = nullptr);
bool ParseTourTopTen(std::string_view reply, std::array<TKuvRecord, 11>* top);

// The requests over the shared client; each sets the user agent first.
class TourService {
 public:
  TourService(ServiceClient& client, std::string address) : client_(client), address_(std::move(address)) {}
  bool ReadTables(TableList* tables);
  bool ReadServerInfo(char* status, std::string* welcome);
  int SetSeat(int table, int seat, int can, const TKuvClient& client);
  bool ReadSeat(int table, int seat, TKuvClient* client);
  int ReadTourRating(const std::string& nick, int32_t* kon, int32_t* rating, bool* ok = nullptr);
  int ReadTourPlace(char kind, long long value);
  bool ReadTourTopTen(char kind, std::array<TKuvRecord, 11>* top);

 private:
  HttpReply Post(const std::string& body);
  ServiceClient& client_;
  std::string address_;
};

}  // namespace zarnet
