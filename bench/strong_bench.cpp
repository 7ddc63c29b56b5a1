// The stronger computer player against the standard one over mirrored decks:
// every deck is played twice, the second time with the seats (cards and lead)
// swapped, so luck of the cards cancels out. Prints the win rate and the time
// the stronger player takes per move (its own CPU time, and the wall clock).
//
//   strong_bench [--deals N] [--seed S] [--samples K] [--depth D] [--exact E]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <ctime>

#include "engine.h"
#include "strong_opponent.h"

namespace {

using namespace zarnet;

// CPU time of this thread: unlike the wall clock it does not count the time
// other programs on a shared machine take the core away.
double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Tally {
  long long deals = 0, strongWins = 0, standardWins = 0, ties = 0, moves = 0;
  double totalMs = 0, worstWallMs = 0, totalCpuMs = 0, worstMs = 0;
  int worstTrick = 0, worstDeckNext = 0;
  long long worstDeal = 0;
};

std::string DeckBytes(const GameState& gs) {
  std::string s;
  for (int i = 1; i <= 40; ++i) s += gs.Deck[i].Bytes();
  return s;
}

// One deal from `deck` with the stronger player in `strongSeat`; `leader` leads first.
void PlayDeal(Game& g, const std::string& deck, bool continueSeries, int strongSeat, int leader,
              const StrongSettings& settings, Tally& t) {
  g.PresetDeck = deck;
  StartDeal(g, continueSeries);
  GameState& gs = g.gs;
  gs.Turn = gs.Leader = static_cast<uint8_t>(leader);
  const int before1 = gs.GameScore[1], before2 = gs.GameScore[2];
  gs.DealPhase = 2;
  CheckBlackHand(g);
  int trick = 1;
  while (!gs.DealOver) {
    for (int half = 0; half < 2 && !gs.DealOver; ++half) {
      const int seat = gs.Turn;
      if (seat == strongSeat) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        StrongComputerMove(g, seat, settings);
        const double ms = ThreadCpuMs() - cpuStart;
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        ++t.moves;
        t.totalMs += wallMs;
        t.worstWallMs = std::max(t.worstWallMs, wallMs);
        t.totalCpuMs += ms;
        if (ms > t.worstMs) {
          t.worstMs = ms;
          t.worstTrick = trick;
          t.worstDeckNext = gs.DeckNext;
          t.worstDeal = t.deals + 1;
        }
      } else {
        ComputerMove(g, seat);
      }
    }
    if (gs.DealOver) break;
    CollectTrick(g);
    ++trick;
  }
  const int strongGain = strongSeat == 1 ? gs.GameScore[1] - before1 : gs.GameScore[2] - before2;
  const int standardGain = strongSeat == 1 ? gs.GameScore[2] - before2 : gs.GameScore[1] - before1;
  ++t.deals;
  if (strongGain > standardGain) ++t.strongWins;
  else if (standardGain > strongGain) ++t.standardWins;
  else ++t.ties;
}

bool Arg(int argc, char** argv, int& i, const char* name, long long* out) {
  if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) return false;
  *out = std::atoll(argv[++i]);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  long long deals = 20000, seed = 1, v = 0;
  StrongSettings settings;
  for (int i = 1; i < argc; ++i) {
    if (Arg(argc, argv, i, "--deals", &deals)) continue;
    if (Arg(argc, argv, i, "--seed", &seed)) continue;
    if (Arg(argc, argv, i, "--samples", &v)) { settings.samples = static_cast<int>(v); continue; }
    if (Arg(argc, argv, i, "--depth", &v)) { settings.depthTricks = static_cast<int>(v); continue; }
    if (Arg(argc, argv, i, "--exact", &v)) { settings.exactTricks = static_cast<int>(v); continue; }
    std::fprintf(stderr,
                 "usage: strong_bench [--deals N] [--seed S] [--samples K] [--depth D] "
                 "[--exact E]\n");
    return 2;
  }
  Game g;
  g.opt.OptFlyCards = false;
  g.opt.SoundOn = false;
  g.rng.Seed(static_cast<uint64_t>(seed));
  g.strongRng.Seed(static_cast<uint64_t>(seed) ^ 0x9E3779B97F4A7C15ULL);
  Tally t;
  const auto start = std::chrono::steady_clock::now();
  for (long long pair = 0; pair < (deals + 1) / 2; ++pair) {
    ShuffleDeck(g);
    const std::string deck = DeckBytes(g.gs);
    const int leader = static_cast<int>(pair % 2) + 1;
    PlayDeal(g, deck, pair > 0, 1, leader, settings, t);
    // The same cards again, the stronger player now in the standard one's place.
    PlayDeal(g, deck, true, 2, leader == 1 ? 2 : 1, settings, t);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "deals=%lld strong_wins=%lld standard_wins=%lld ties=%lld win_rate=%.2f%%\n"
      "moves=%lld cpu: avg_ms=%.3f worst_ms=%.3f (deal %lld, trick %d, DeckNext %d)\n"
      "wall: avg_ms=%.3f worst_ms=%.3f seconds=%.0f\n",
      t.deals, t.strongWins, t.standardWins, t.ties, 100.0 * t.strongWins / std::max(1LL, t.deals),
      t.moves, t.totalCpuMs / std::max(1LL, t.moves), t.worstMs, t.worstDeal, t.worstTrick,
      t.worstDeckNext, t.totalMs / std::max(1LL, t.moves), t.worstWallMs, seconds);
  return 0;
}
