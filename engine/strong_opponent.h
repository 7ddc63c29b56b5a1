// The stronger computer player. It deals the cards it cannot see at random
// (consistently with what it has seen), solves every such deal by alpha-beta
// and plays the move whose average result is best.
#pragma once

#include "game_state.h"

namespace zarnet {

struct StrongSettings {
  int samples = 40;      // deals of the unseen cards per move while the deck lasts
  int depthTricks = 3;   // tricks looked ahead while the deck lasts
  int exactTricks = 5;   // from this many tricks left, each sample is solved to the end
};

struct StrongChoice {
  bool replaceDeuce = false;  // swap the two of trumps before leading
  CardCode card = EmptyCard;  // the card to play, after the swap if there is one
};

// What `seat` would do now; `card` is EmptyCard when the seat is not to move.
// Reads only what that seat can see and draws on g.strongRng.
StrongChoice StrongChoose(Game& g, int seat, const StrongSettings& settings = {});

// Plays StrongChoose's move as ComputerMove plays the standard one: the swap
// if chosen, the card, and Turn. False when the seat is not to move.
bool StrongComputerMove(Game& g, int seat, const StrongSettings& settings = {});

}  // namespace zarnet
