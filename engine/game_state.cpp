#include "game_state.h"

namespace zarnet {

Game::Game(TableView* v) : view(v) {
  // Every program that deals starts from fresh hands and fresh choices of the
  // searching players; tests, benchmarks and replays seed both again for a
  // known sequence.
  rng.Seed(EntropySeed());
  strongRng.Seed(EntropySeed());
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
  // Each kept slot's place is the number of kept slots that sort before it;
  // the whole sort runs without data-dependent branches, which matter here
  // because every play and every draw rearranges a hand.
  // Slots are read field by field into packed words: a single wide copy of
  // the hand would stall on the narrow stores that just changed it.
  constexpr uint32_t kEmptyPacked = uint32_t{'#'} << 24 | uint32_t{'#'} << 16 | 99u << 8;
  uint32_t packed[4];
  uint32_t keys[4];
  for (int i = 0; i < 4; ++i) {
    const CardCode c = hand[i + 1];
    const uint32_t level = orders[i + 1];
    packed[i] = uint32_t{static_cast<unsigned char>(c.rank)} << 24 |
                uint32_t{static_cast<unsigned char>(c.suit)} << 16 | level << 8 | points[i + 1];
    const uint32_t kept = level - 1 <= 12;
    const uint32_t key = ((uint32_t{c.suit == gs.Trump} << 4 | level) << 2) | i;
    keys[i] = kept ? key : 0xFFFF;
  }
  uint32_t out[5] = {kEmptyPacked, kEmptyPacked, kEmptyPacked, kEmptyPacked, 0};
  for (int i = 0; i < 4; ++i) {
    const int place = (keys[0] < keys[i]) + (keys[1] < keys[i]) + (keys[2] < keys[i]) +
                      (keys[3] < keys[i]);
    out[keys[i] != 0xFFFF ? place : 4] = packed[i];
  }
  int firstEmpty = 0;
  for (int slot = 4; slot >= 1; --slot) {
    const uint32_t p = out[slot - 1];
    hand[slot] = {static_cast<char>(p >> 24), static_cast<char>(p >> 16)};
    orders[slot] = static_cast<uint8_t>(p >> 8);
    points[slot] = static_cast<uint8_t>(p);
    firstEmpty = (p >> 16) == 0x2323 ? slot : firstEmpty;
  }
  if (firstEmpty) gs.HandCount[seat] = static_cast<uint8_t>(firstEmpty - 1);
}

}  // namespace zarnet
