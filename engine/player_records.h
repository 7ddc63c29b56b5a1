// The stored player records a series starts from, as the engine sees them.
#pragma once

#include <cstdint>
#include <string>

namespace zarnet {

// The web account's results for this game.
struct TKuvGame {
  int32_t Kon = 0;
  int32_t Score = 0;
  int32_t Sessions = 0;
  double Rating = 0.0;
  int32_t Best = 0;
  int32_t KonL = 0;
  int32_t Place = 0;
  char PlayNow = 'N';
  int32_t R1 = 0;
  std::string R2;
};

// One player as the tournament service knows him.
struct TKuvClient {
  std::string Nick = "X";
  int32_t Score = 0;
  int32_t Kon = 0;
  int32_t Rating = 0;
  std::string Country;
  std::string City;
  char Sex = 'M';
  std::string IP;
};

// Where StartDeal reads the player of a new series from.
class PlayerRecords {
 public:
  virtual ~PlayerRecords() = default;
  // Line `line` (1..5) of the network list or of the club list, without its
  // line break; empty when it cannot be read.
  virtual std::string PlayerLine(bool netList, int line) = 0;
  virtual TKuvGame AccountGame() = 0;
  virtual std::string AccountNick() = 0;
  virtual TKuvClient OnlineClient() = 0;
};

}  // namespace zarnet
