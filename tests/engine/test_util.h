// Small helpers to build engine positions from readable card codes.
#pragma once

#include <string>
#include <vector>

#include "cards.h"
#include "codec.h"
#include "game_state.h"

namespace zarnet::testing {

inline CardCode C(const char* utf8) {
  const std::string b = Utf8ToCp1251(utf8);
  return {b[0], b[1]};
}

inline char Suit(const char* utf8) { return Utf8ToCp1251(utf8)[0]; }

// Puts the cards into slots 1.. of a seat's hand, with orders and points, and
// empties the rest of slots 1..4.
inline void SetHand(GameState& gs, int seat, std::vector<const char*> cards) {
  for (int k = 1; k <= 4; ++k) {
    gs.Hand[seat][k] = EmptyCard;
    gs.HandOrder[seat][k] = 0;
    gs.HandPoints[seat][k] = 0;
  }
  int k = 1;
  for (const char* c : cards) {
    const CardInfo info = CardInfoOf(C(c));
    gs.Hand[seat][k] = info.code;
    gs.HandOrder[seat][k] = info.order;
    gs.HandPoints[seat][k] = info.points;
    ++k;
  }
  gs.HandCount[seat] = static_cast<uint8_t>(cards.size());
}

inline std::vector<std::string> HandUtf8(const GameState& gs, int seat) {
  std::vector<std::string> out;
  for (int k = 1; k <= 4; ++k) out.push_back(CardToUtf8(gs.Hand[seat][k]));
  return out;
}

// A deck in cp1251 bytes from UTF-8 codes written without separators.
inline std::string DeckBytes(const std::string& utf8) {
  std::string bytes;
  CardsFromUtf8(utf8, &bytes);
  return bytes;
}

}  // namespace zarnet::testing
