// Every request of the accounts, tables and statistics scripts: bodies built
// byte for byte, replies read by their forms, failures leaving the initial
// values.
#pragma once

#include <array>
#include <string>

#include "player_records.h"
#include "service_client.h"
#include "service_forms.h"
#include "service_records.h"

namespace zarnet {

inline constexpr const char* kGamePrefix = "crdtol";
inline constexpr int kServiceGame = 808;
inline constexpr const char* kVersionStamp = "5.7f";

struct ServiceAddresses {
  std::string accounts;
  std::string statistics;
  std::string tables;
};

using RecordList = std::array<TKuvRecord, 11>;  // 1..10
using TopTenList = std::array<TKuvTop10, 11>;

class WebServices {
 public:
  WebServices(ServiceClient& client, ServiceAddresses addresses)
      : client_(client), addr_(std::move(addresses)) {}
  ServiceAddresses& Addresses() { return addr_; }

  // 0 registered, 1 the nick is taken, 2 anything else.
  int RegisterAccount(const TKuvUser& u);
  // False on failure or refusal; the fields read overwrite the initial values.
  bool ReadAccount(TKuvUser* u);
  bool ReadAccountTopTen(TopTenList* top);
  long long ReadRatingPlace(double rating);
  long long ReadMemberCount();
  TInfo14 ReadProfile(const std::string& nick);
  // The password lets only the owner change the profile.
  bool SaveProfile(const std::string& nick, const std::string& pw, const TInfo14& info);
  bool ReadGameResults(const std::string& nick, const std::string& pw, TKuvGame* g);
  bool SaveGameResults(const std::string& nick, const std::string& pw, const TKuvGame& g);
  long long ReadBalance(const std::string& nick);
  bool ChangeBalance(const std::string& nick, int amount);
  long long ReadGameCount(int board);
  bool ReadRecords(int board, RecordList* list);
  bool ReadRecordsAround(int board, const std::string& nick, const std::string& city,
                         RecordList* list);
  long long SubmitRecord(int board, const TKuvRecord& r);
  bool ReadStatistics(int game, TKuvStat* s);
  bool SendLaunchReport(int stat1, int stat2);
  bool SendLike(int stat3, const std::string& nick);
  bool SendGameReport(const std::array<int32_t, 13>& r);

 private:
  HttpReply Post(const std::string& url, const std::string& body);
  ServiceClient& client_;
  ServiceAddresses addr_;
};

// Reply readers, shared with the tests.
void ApplyAccountRecord(std::string_view reply, TKuvUser* u);
void ApplyGameResults(std::string_view reply, TKuvGame* g);
bool ApplyRecordList(std::string_view reply, int board, RecordList* list);
void ApplyTopTen(std::string_view reply, TopTenList* top);
TInfo14 ProfileFromReply(std::string_view reply);
void ApplyStatistics(std::string_view reply, TKuvStat* s);

}  // namespace zarnet
