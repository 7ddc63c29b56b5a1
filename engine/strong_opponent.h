// The stronger computer players. They deal the cards they cannot see at random
// (consistently with what they have seen), solve every such deal by alpha-beta
// and play the move whose average result is best. The strong level uses a fixed
// number of deals; the expert spends a budget of search nodes, solves exactly
// from further out and weighs each deal by how well it explains the
// opponent's plays so far.
#pragma once

#include <atomic>
#include <vector>

#include "game_state.h"

namespace zarnet {

struct StrongSettings {
  int samples = 40;      // deals of the unseen cards per move while the deck lasts
  int depthTricks = 3;   // tricks looked ahead while the deck lasts
  int exactTricks = 5;   // from this many tricks left, each sample is solved to the end
  // With a node budget the number of deals is not fixed: at least `samples`,
  // then more while the budget lasts, up to `maxSamples`.
  long long nodeBudget = 0;
  int maxSamples = 0;
  // The budget while the deck lasts and the end is within `exactReach`
  // tricks (0: `nodeBudget`), and a move's hard limit (0: four budgets).
  long long endgameBudget = 0;
  long long nodeCap = 0;
  // From `exactTricks` up to this many tricks left the deals are solved to the
  // end when one of them fits the budget's share.
  int exactReach = 0;
  // Weighs each deal by the likelihood of the opponent's past plays.
  bool readOpponent = false;
  // What winning the deal is worth beyond its points (in point-difference units).
  int winBonus = 30;
  // The search restarts every trick with a full window and keeps no table of
  // solved positions: slower, same moves; kept as the reference for tests.
  bool plainSearch = false;
  // Set from another thread to give up; the choice made then is meaningless.
  const std::atomic<bool>* cancel = nullptr;
};

// The settings of each level above the standard rules.
StrongSettings SettingsForLevel(OpponentLevel level);

struct StrongChoice {
  bool replaceDeuce = false;  // swap the two of trumps before leading
  CardCode card = EmptyCard;  // the card to play, after the swap if there is one
};

// What `seat` would do now; `card` is EmptyCard when the seat is not to move.
// Reads only what that seat can see and draws on g.strongRng.
StrongChoice StrongChoose(Game& g, int seat, const StrongSettings& settings = {});

// How well `hand`, as the opponent's cards now, explains the opponent's plays
// so far, as the expert weighs the deals it samples for `seat`: comparable
// between hands in one position, 0 for a hand the seat knows is impossible.
double OpponentHandWeight(Game& g, int seat, const std::vector<CardCode>& hand);

// What the standard rules would play now (no swap decided here).
StrongChoice StandardChoice(const Game& g, int seat);

// Plays a decided move as ComputerMove plays the standard one: the swap if
// chosen, the card, and Turn. False when the seat is not to move or does not
// hold the card.
bool ApplyChoice(Game& g, int seat, const StrongChoice& choice);

// StrongChoose then ApplyChoice.
bool StrongComputerMove(Game& g, int seat, const StrongSettings& settings = {});

// The move of `level` for `seat`, the standard rules included.
bool LevelComputerMove(Game& g, int seat, OpponentLevel level);

}  // namespace zarnet
