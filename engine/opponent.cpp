#include "engine.h"

namespace zarnet {
namespace {

bool IsTrump(CardCode c, char trump) { return c.suit == trump; }

}  // namespace

int ChooseLead(const CardCode* hand, const uint8_t* orders, char trump, const CardCode* /*played*/) {
  // Three passes in order: a plain card two..king, a trump, a plain three or
  // ace; by rising level within a pass and by slot within a level. Ranking each
  // card by (pass, level) and taking the first minimum picks the same slot.
  int best = 0;
  int bestKey = 1 << 30;
  for (int slot = 1; slot <= 3; ++slot) {
    if (hand[slot] == EmptyCard) continue;
    const int level = orders[slot];
    int key;
    if (IsTrump(hand[slot], trump)) {
      if (level < 1 || level > 10) continue;
      key = 100 + level;
    } else if (level >= 1 && level <= 8) {
      key = level;
    } else if (level == 9 || level == 10) {
      key = 200 + level;
    } else {
      continue;
    }
    if (key < bestKey) {
      bestKey = key;
      best = slot;
    }
  }
  return best;
}

int ChooseAnswer(const CardCode* hand, const uint8_t* orders, const uint8_t* /*points*/,
                 char trump, CardCode ledCard, int ledOrder, int ledPoints, bool* beep) {
  int n = 0;
  int win[4] = {0, 0, 0, 0};
  for (int k = 1; k <= 3; ++k) {
    if (hand[k] == EmptyCard) continue;
    ++n;
    win[k] = TrickWinnerOf(2, trump, ledCard, hand[k], ledOrder, orders[k]);
  }

  auto lowest = [&](bool trumpSuit, int minOrder, int maxOrder) {
    int best = 0;
    for (int k = 1; k <= n; ++k) {
      if (IsTrump(hand[k], trump) != trumpSuit) continue;
      if (orders[k] < minOrder || orders[k] > maxOrder) continue;
      if (best == 0 || orders[k] < orders[best]) best = k;
    }
    return best;
  };
  // last(rank, suit kind) over a priority list of ranks: the winning card whose
  // rank comes first in the list, the highest slot among equals.
  auto bestWinner = [&](bool trumpSuit, const char* ranks, int count) {
    int found = 0, foundPriority = count;
    for (int k = 1; k <= n; ++k) {
      if (win[k] != 1 || IsTrump(hand[k], trump) != trumpSuit) continue;
      for (int p = 0; p < count; ++p) {
        if (ranks[p] != hand[k].rank) continue;
        if (p <= foundPriority) {
          found = k;
          foundPriority = p;
        }
        break;
      }
    }
    return found;
  };
  static constexpr char kPlainWins[] = {kAce, '3', kKing, kQueen, kJack, '4', '5', '6', '7'};
  static constexpr char kTrumpWins[] = {kJack, kQueen, kKing, '2', '4', '5', '6', '7', '3', kAce};

  int slot = 0;
  const bool noneWins = win[1] == 2 && win[2] != 1 && win[3] != 1;
  if (noneWins) {
    slot = lowest(false, 1, 8);
    if (!slot) slot = lowest(true, 1, 8);
    if (!slot) slot = lowest(false, 9, 99);
    if (!slot) slot = lowest(true, 9, 99);
  }
  if (!slot) slot = bestWinner(false, kPlainWins, 9);
  if (!slot && ledPoints == 0) slot = lowest(false, 1, 5);
  if (!slot) slot = bestWinner(true, kTrumpWins, 10);
  if (slot == 0 || (slot == 2 && n < 2) || (slot == 3 && n < 3)) {
    if (beep) *beep = true;
    slot = 1;
  }
  return slot;
}

bool ComputerMove(Game& g, int seat) {
  GameState& gs = g.gs;
  if (gs.Turn != seat) return false;
  const int other = seat == 1 ? 2 : 1;
  if (gs.Leader == seat) {
    if (CanReplaceDeuce(g, seat)) ReplaceDeuce(g, seat);
    const int slot = ChooseLead(gs.Hand[seat].data(), gs.HandOrder[seat].data(), gs.Trump,
                                gs.Played.data());
    if (slot == 0) return false;
    PlayCard(g, seat, slot);
    gs.Turn = static_cast<uint8_t>(other);
  } else {
    bool beep = false;
    const int slot = ChooseAnswer(gs.Hand[seat].data(), gs.HandOrder[seat].data(),
                                  gs.HandPoints[seat].data(), gs.Trump, gs.Table[1],
                                  gs.TableOrder[1], gs.TablePoints[1], &beep);
    if (beep) g.View().Beep();
    PlayCard(g, seat, slot);
    gs.Turn = kTurnTrickDone;
  }
  return true;
}

}  // namespace zarnet
