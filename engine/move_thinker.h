// Thinks out seat 1's move on a worker thread, so that the table keeps
// drawing, flying cards and answering clicks while a searching player thinks.
#pragma once

#include <atomic>
#include <optional>
#include <thread>

#include "game_state.h"
#include "strong_opponent.h"

namespace zarnet {

class MoveThinker {
 public:
  MoveThinker() = default;
  MoveThinker(const MoveThinker&) = delete;
  MoveThinker& operator=(const MoveThinker&) = delete;
  ~MoveThinker() { Cancel(); }

  // Starts thinking about `seat`'s move in `g`'s current position, unless it
  // already thinks about exactly this position.
  void Start(const Game& g, int seat, const StrongSettings& settings);

  // The move thought out for `g`'s current position, once ready; the random
  // stream of `g` then moves on as if it had been thought out in place. Empty
  // while thinking, when idle, or when the position is no longer the one
  // thought about (that work is dropped).
  std::optional<StrongChoice> Take(Game& g);

  // Busy with a position whose move is not yet taken.
  bool Thinking() const { return running_; }
  // The move is thought out and waits to be taken.
  bool Ready() const { return running_ && done_.load(std::memory_order_acquire); }

  // Stops the worker and forgets its work; returns at once when idle.
  void Cancel();

 private:
  struct Position {
    int32_t kon = 0;
    uint8_t playedNext = 0, turn = 0, leader = 0, deckNext = 0, seat = 0;
    CardCode led = EmptyCard, turned = EmptyCard;
    std::array<CardCode, 4> hand{};
    bool operator==(const Position&) const = default;
  };
  static Position PositionOf(const Game& g, int seat);

  std::thread worker_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> done_{false};
  bool running_ = false;
  Position position_;
  RandomSource rngAfter_;
  StrongChoice choice_;
};

}  // namespace zarnet
