// The computer's rules playing both seats, with the deal invariants checked
// after every move.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "game_state.h"

namespace zarnet {

struct SelfPlayOptions {
  long long deals = 1000;
  uint64_t seed = 1;
  bool blackHand = true;
  bool replaceDeuce = true;
  std::string deck;     // 80 cp1251 bytes: play one deal from this deck
  int firstLeader = 0;  // 1 or 2 overrides the first deal's leader
  bool trace = false;
  // Which computer player takes each seat.
  OpponentLevel seat1 = OpponentLevel::Standard;
  OpponentLevel seat2 = OpponentLevel::Standard;
};

struct SelfPlaySummary {
  long long deals = 0;
  long long seat1Wins = 0;
  long long seat2Wins = 0;
  long long ties = 0;
  long long blackHands = 0;
  long long deuceSwaps = 0;
  long long invariantFailures = 0;
  double dealsPerSecond = 0.0;
  std::string firstFailure;
};

// Empty when the state holds every invariant of a deal in play, else the first
// broken one.
std::string CheckDealInvariants(const GameState& gs, bool trickStart);

SelfPlaySummary RunSelfPlay(const SelfPlayOptions& options, std::ostream* trace,
                            TableView* view = nullptr);

std::string SummaryLine(const SelfPlaySummary& s);

}  // namespace zarnet
