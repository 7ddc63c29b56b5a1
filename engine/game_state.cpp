#include "game_state.h"

namespace zarnet {

Game::Game(TableView* v) : view(v) {
  static NullView nullView;
  if (view == nullptr) view = &nullView;
}

void ArrangeHand(GameState& gs, int seat) {
  auto& hand = gs.Hand[seat];
  auto& orders = gs.HandOrder[seat];
  auto& points = gs.HandPoints[seat];
  // Plain cards by rising level, then trumps by rising level; equal levels keep
  // their slot order (a stable sort). Levels run 1..13, so emptied slots
  // (order 0 or 99) drop out and the empty slots gather at the end.
  // Each kept slot's place is the number of kept slots that sort before it.
  // Every slot is read field by field into one packed word: a single wide copy
  // of the hand would stall on the narrow stores that just changed it.
  uint64_t packed[4];
  unsigned keys[4];
  for (int i = 0; i < 4; ++i) {
    const CardCode c = hand[i + 1];
    const unsigned level = orders[i + 1];
    packed[i] = uint64_t{static_cast<unsigned char>(c.rank)} << 24 |
                uint64_t{static_cast<unsigned char>(c.suit)} << 16 | level << 8 | points[i + 1];
    const bool kept = level - 1 <= 12;
    keys[i] = kept ? ((c.suit == gs.Trump) << 4 | level) << 2 | i : 0xFFFF;
  }
  uint64_t out[5] = {0, 0, 0, 0, 0};  // out[4] takes the dropped slots
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    const bool kept = keys[i] != 0xFFFF;
    n += kept;
    const int place = (keys[0] < keys[i]) + (keys[1] < keys[i]) + (keys[2] < keys[i]) +
                      (keys[3] < keys[i]);
    out[kept ? place : 4] = packed[i];
  }
  for (int slot = 1; slot <= 4; ++slot) {
    if (slot <= n) {
      const uint64_t p = out[slot - 1];
      hand[slot] = {static_cast<char>(p >> 24), static_cast<char>(p >> 16)};
      orders[slot] = static_cast<uint8_t>(p >> 8);
      points[slot] = static_cast<uint8_t>(p);
    } else {
      hand[slot] = EmptyCard;
      orders[slot] = 99;
      points[slot] = 0;
    }
  }
  for (int slot = 1; slot <= 4; ++slot) {
    if (hand[slot] == EmptyCard) {
      gs.HandCount[seat] = static_cast<uint8_t>(slot - 1);
      return;
    }
  }
}

}  // namespace zarnet
