#include "move_thinker.h"

namespace zarnet {

MoveThinker::Position MoveThinker::PositionOf(const Game& g, int seat) {
  const GameState& gs = g.gs;
  Position p;
  p.kon = gs.KonNo;
  p.playedNext = gs.PlayedNext;
  p.turn = gs.Turn;
  p.leader = gs.Leader;
  p.deckNext = gs.DeckNext;
  p.seat = static_cast<uint8_t>(seat);
  p.led = gs.Table[1];
  p.turned = gs.Deck[40];
  for (int k = 1; k <= 3; ++k) p.hand[k] = gs.Hand[seat][k];
  return p;
}

void MoveThinker::Start(const Game& g, int seat, const StrongSettings& wanted) {
  const Position p = PositionOf(g, seat);
  if (running_ && p == position_) return;
  Cancel();
  position_ = p;
  running_ = true;
  cancel_ = false;
  done_ = false;
  // The worker owns a copy of the game without its outlets: the search only
  // reads the cards and draws on its own random stream.
  Game copy = g;
  copy.view = nullptr;
  copy.records = nullptr;
  copy.hooks = nullptr;
  StrongSettings settings = wanted;
  settings.cancel = &cancel_;
  worker_ = std::thread([this, copy = std::move(copy), seat, settings]() mutable {
    choice_ = StrongChoose(copy, seat, settings);
    rngAfter_ = copy.strongRng;
    done_.store(true, std::memory_order_release);
  });
}

std::optional<StrongChoice> MoveThinker::Take(Game& g) {
  if (!running_ || !done_.load(std::memory_order_acquire)) return std::nullopt;
  worker_.join();
  running_ = false;
  if (!(PositionOf(g, position_.seat) == position_)) return std::nullopt;
  g.strongRng = rngAfter_;
  return choice_;
}

void MoveThinker::Cancel() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  running_ = false;
}

}  // namespace zarnet
