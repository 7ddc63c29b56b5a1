// Whole deals with a view that shows nothing, and the shuffle alone.
#include <benchmark/benchmark.h>

#include "engine.h"

namespace {

using namespace zarnet;

void PlayOneDeal(Game& g, bool continueSeries) {
  StartDeal(g, continueSeries);
  GameState& gs = g.gs;
  gs.DealPhase = 2;
  CheckBlackHand(g);
  while (!gs.DealOver) {
    ComputerMove(g, gs.Leader);
    ComputerMove(g, gs.Turn);
    if (gs.DealOver) break;
    CollectTrick(g);
  }
}

void BM_WholeDeal(benchmark::State& state) {
  Game g;
  g.rng.Seed(1);
  g.opt.OptFlyCards = false;
  bool cont = false;
  for (auto _ : state) {
    PlayOneDeal(g, cont);
    cont = true;
    benchmark::DoNotOptimize(g.gs.GameScore[1]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeDeal);

void BM_ShuffleDeck(benchmark::State& state) {
  Game g;
  g.rng.Seed(1);
  for (auto _ : state) {
    ShuffleDeck(g);
    benchmark::DoNotOptimize(g.gs.Deck[40]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShuffleDeck);

}  // namespace

BENCHMARK_MAIN();
