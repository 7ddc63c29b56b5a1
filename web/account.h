// The player's web account: input checks, the remembered login, the
// built-in service addresses, and the session that logs in, registers and
// books rated series on the accounts script. Plain C++: the windows sit on
// top of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "service_directory.h"
#include "service_records.h"
#include "service_requests.h"

namespace zarnet {

enum class AccountState : uint8_t { Guest = 1, LoggedIn = 2, RatedPlay = 3 };

// 1 refused, 2 accepted with Cyrillic letters, 3 accepted. Kinds: 0 one
// typed character, 1 nick, 2 city, 3 password, 4 e-mail. `text` is cp1251.
int CheckAccountField(std::string_view text, int kind);
// The relaxed rule of the other windows that ask for a nick (kind 1, 2..12)
// or a city (kind 2, 2..15): Cyrillic accepted in both.
int CheckNameField(std::string_view text, int kind);

// --- Country tables ---
inline constexpr int kContinents = 6;
struct Country {
  const char* english;
  const char* russian;  // UTF-8
  const char* shortName;  // sent to the services
};
// Entries 0..CountryCount(c)-1 of continent 1..6; entry 0 is "Unknown".
int CountryCount(int continent);
const Country& CountryAt(int continent, int index);
// "c-nnn" and back; false for a code outside the tables.
std::string CountryCode(int continent, int index);
bool ParseCountryCode(std::string_view code, int* continent, int* index);
// The code of a country named by its short or English name; empty when none is.
std::string CountryCodeByName(std::string_view name);

// --- The user file in the parent folder of the program's folder ---
inline constexpr const char* kUserFileName = "KuvUser.kuv";
inline constexpr const char* kUserFileHeader = "Kuv User File";
std::string UserFilePath(const std::string& programFolder);
struct RememberedLogin {
  std::string nick;
  std::string pwC;
};
// Nothing for a missing file or one with a foreign first line.
std::optional<RememberedLogin> ReadUserFile(const std::string& path);
bool WriteUserFile(const std::string& path, const RememberedLogin& login);
bool DeleteUserFile(const std::string& path);

std::string EncipherPassword(std::string_view pw);
std::string DecipherPassword(std::string_view pwC);

// --- Built-in addresses, held enciphered ---
struct BuiltInAddresses {
  ServiceAddresses scripts;
  std::string tournament;
  std::string directory;
  std::string avatars;  // folder, the nick and ".jpg" follow
  std::string ownAddress;
  std::string ftpHost;
  int ftpPort = 21;
  std::string ftpUser, ftpPassword, ftpFolder;
};
BuiltInAddresses DefaultAddresses();
// The three directory fetches: each replaces its address when present.
// Gives the pause flags.
ServiceDirectory ApplyDirectory(BuiltInAddresses* a, int readTimeoutMs = 3000);

// What a session asks the player; the defaults answer No.
struct AccountQuestions {
  std::function<bool()> repeatAfterNoConnection;  // "Could not connect to server!" "Repeat?"
};

// The one account of the player at this computer.
class AccountSession {
 public:
  AccountSession(WebServices& web, std::string userFilePath)
      : web_(web), userFile_(std::move(userFilePath)) {}

  TKuvUser User;
  TKuvGame Game;
  AccountState State = AccountState::Guest;
  TopTenList Top;
  bool TopRead = false;
  bool ResultsRead = false;
  long long Members = -1;  // -1: not read
  TInfo14 TopInfo;         // the profile of the top ten's first player
  bool RatedRunning = false;  // a booked rated series is at the table
  AccountQuestions ask;

  bool LoggedIn() const { return State != AccountState::Guest; }
  WebServices& Web() { return web_; }

  // The password box: the field and its enciphered form together.
  void SetPassword(const std::string& pw);
  // The registration defaults of a guest.
  void PutRegistrationDefaults();

  // From the user file; a missing or foreign file leaves a guest.
  void StartUpLogin();
  // 0 created, 1 nick taken, 2 failed; `today` in the short date format.
  int CreateAccount(const std::string& today);
  // Logs out when logged in; otherwise logs in with the typed nick and
  // password. False when a login failed.
  bool LoginOrLogout();
  bool RememberLogin();
  bool ForgetLogin();
  bool UserFileExists() const;

  void RefreshMyResults();
  bool RefreshTopTen();
  void ReadMembers();
  void ReadTopProfile();

  bool RatedPlayAllowed() const { return State != AccountState::Guest && !RatedRunning; }
  void SetRatedPlay(bool on);

  // Books the provisional charge on the server: read the record, save it
  // with the charge (three tries). True when booked; `Game` then holds the
  // values read, from which the series counts.
  bool BookRatedStart();
  // The settlement's transfers, asking to repeat while they fail.
  bool ReadForSettlement(TKuvGame* g);
  bool WriteSettlement(const TKuvGame& g);
  // After the series: the rated state falls back to logged in.
  void EndRatedSeries();
  // Credits a cycle bonus and reads the balance into R04.
  void CreditBonus(int amount);

 private:
  void AfterLogin();
  WebServices& web_;
  std::string userFile_;
};

// The information dial's figure for one mode (1..7).
struct DialReading {
  std::string figure;  // "00" when the read failed
  std::string hint;    // cp1251
  bool failed = false;
  std::string flagCode;  // the country code beside mode 3's figure
};
int DialMode(int minute);
// A count in at most three digits and a letter: K, M or G.
std::string DialCount(long long n);
// share of points people lost: round(100 * lost / (won + lost)).
long long DialIq(long long won, long long lost);
struct DialLabels {
  std::string iq, gamesPc, bestWindows, bestAndroid, bestAccount, currency, members, noConnect,
      no;
};
DialReading ReadDial(int mode, AccountSession& s, const DialLabels& labels);

}  // namespace zarnet
