// The searching computer players against each other and the standard one over
// mirrored decks: every deck is played twice, the second time with the seats
// (cards and lead) swapped, so luck of the cards cancels out. Prints, per
// match, the first player's win rate with its standard error and the time it
// takes per move (its own CPU time, and the wall clock).
//
//   strong_bench [--deals N] [--seed S] [--threads T]
//                [--match LEVEL:LEVEL]... [--samples K] [--depth D] [--exact E]
//                [--budget NODES] [--reach E] [--endgame NODES] [--cap NODES]
//                [--bonus B] [--no-read] [--plain]
//
// LEVEL is standard, strong or expert; the tuning options change the first
// player of every match. Without --match: strong:standard, expert:standard,
// expert:strong. Matches run side by side on T threads (2).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

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

struct Player {
  OpponentLevel level = OpponentLevel::Standard;
  StrongSettings settings;
};

struct Match {
  Player first, second;
  std::string name;
  // Results.
  long long deals = 0, firstWins = 0, secondWins = 0, ties = 0, moves = 0;
  double totalWallMs = 0, worstWallMs = 0, totalCpuMs = 0, worstCpuMs = 0;
  int worstTrick = 0, worstDeckNext = 0;
  // Per mirrored pair: the first player's wins (0, 1 or 2), for the spread.
  double pairSum = 0, pairSquares = 0;
  long long pairs = 0;
  double seconds = 0;
};

std::string DeckBytes(const GameState& gs) {
  std::string s;
  for (int i = 1; i <= 40; ++i) s += gs.Deck[i].Bytes();
  return s;
}

// One deal from `deck` with the first player in `firstSeat`; `leader` leads
// first. Returns +1 when the first player wins, -1 when it loses, 0 on a tie.
int PlayDeal(Game& g, const std::string& deck, bool continueSeries, int firstSeat, int leader,
             Match& m) {
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
      const Player& p = seat == firstSeat ? m.first : m.second;
      if (p.level == OpponentLevel::Standard) {
        ComputerMove(g, seat);
        continue;
      }
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = ThreadCpuMs();
      StrongComputerMove(g, seat, p.settings);
      if (seat != firstSeat) continue;
      const double ms = ThreadCpuMs() - cpuStart;
      const double wallMs =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      ++m.moves;
      m.totalWallMs += wallMs;
      m.worstWallMs = std::max(m.worstWallMs, wallMs);
      m.totalCpuMs += ms;
      if (ms > m.worstCpuMs) {
        m.worstCpuMs = ms;
        m.worstTrick = trick;
        m.worstDeckNext = gs.DeckNext;
      }
    }
    if (gs.DealOver) break;
    CollectTrick(g);
    ++trick;
  }
  const int gain1 = gs.GameScore[1] - before1, gain2 = gs.GameScore[2] - before2;
  const int firstGain = firstSeat == 1 ? gain1 : gain2;
  const int secondGain = firstSeat == 1 ? gain2 : gain1;
  ++m.deals;
  if (firstGain > secondGain) {
    ++m.firstWins;
    return 1;
  }
  if (secondGain > firstGain) {
    ++m.secondWins;
    return -1;
  }
  ++m.ties;
  return 0;
}

void RunMatch(Match& m, long long deals, uint64_t seed) {
  Game g;
  g.opt.OptFlyCards = false;
  g.opt.SoundOn = false;
  g.rng.Seed(seed);
  g.strongRng.Seed(seed ^ 0x9E3779B97F4A7C15ULL);
  const auto start = std::chrono::steady_clock::now();
  for (long long pair = 0; pair < (deals + 1) / 2; ++pair) {
    ShuffleDeck(g);
    const std::string deck = DeckBytes(g.gs);
    const int leader = static_cast<int>(pair % 2) + 1;
    const int a = PlayDeal(g, deck, pair > 0, 1, leader, m);
    // The same cards again, the first player now in the second one's place.
    const int b = PlayDeal(g, deck, true, 2, leader == 1 ? 2 : 1, m);
    const double wins = (a > 0) + (b > 0);
    m.pairSum += wins;
    m.pairSquares += wins * wins;
    ++m.pairs;
    // A long run shows how far it got.
    if (m.pairs % 250 == 0) {
      std::fprintf(stderr, "%s: deals=%lld win_rate=%.2f%% cpu avg_ms=%.3f worst_ms=%.3f\n",
                   m.name.c_str(), m.deals, 100.0 * m.firstWins / m.deals,
                   m.totalCpuMs / std::max(1LL, m.moves), m.worstCpuMs);
    }
  }
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool ParseLevel(const std::string& text, OpponentLevel* level) {
  if (text == "standard") *level = OpponentLevel::Standard;
  else if (text == "strong") *level = OpponentLevel::Strong;
  else if (text == "expert") *level = OpponentLevel::Expert;
  else return false;
  return true;
}

bool Arg(int argc, char** argv, int& i, const char* name, long long* out) {
  if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) return false;
  char* end = nullptr;
  *out = std::strtoll(argv[++i], &end, 10);
  return end && *end == '\0' && *out >= 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: strong_bench [--deals N] [--seed S] [--threads T] [--match LEVEL:LEVEL]...\n"
               "                    [--samples K] [--depth D] [--exact E] [--budget NODES]\n"
               "                    [--reach E] [--endgame NODES] [--cap NODES] [--bonus B]\n"
               "                    [--no-read] [--plain]\n"
               "                    (LEVEL: standard|strong|expert)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  long long deals = 400, seed = 1, threads = 2, samples = -1, depth = -1, exact = -1, budget = -1,
            reach = -1, bonus = -1, endgame = -1, cap = -1, v = 0;
  bool plain = false, noRead = false;
  std::vector<std::pair<OpponentLevel, OpponentLevel>> pairs;
  for (int i = 1; i < argc; ++i) {
    if (Arg(argc, argv, i, "--deals", &deals) || Arg(argc, argv, i, "--seed", &seed) ||
        Arg(argc, argv, i, "--threads", &threads) || Arg(argc, argv, i, "--samples", &samples) ||
        Arg(argc, argv, i, "--depth", &depth) || Arg(argc, argv, i, "--exact", &exact) ||
        Arg(argc, argv, i, "--budget", &budget) || Arg(argc, argv, i, "--reach", &reach) ||
        Arg(argc, argv, i, "--bonus", &bonus) || Arg(argc, argv, i, "--endgame", &endgame) ||
        Arg(argc, argv, i, "--cap", &cap))
      continue;
    if (std::strcmp(argv[i], "--plain") == 0) {
      plain = true;
      continue;
    }
    if (std::strcmp(argv[i], "--no-read") == 0) {
      noRead = true;
      continue;
    }
    if (std::strcmp(argv[i], "--match") == 0 && i + 1 < argc) {
      const std::string text = argv[++i];
      const size_t colon = text.find(':');
      OpponentLevel a, b;
      if (colon == std::string::npos || !ParseLevel(text.substr(0, colon), &a) ||
          !ParseLevel(text.substr(colon + 1), &b))
        return Usage();
      pairs.emplace_back(a, b);
      continue;
    }
    (void)v;
    return Usage();
  }
  if (deals < 2 || threads < 1 || threads > 64) return Usage();
  if (pairs.empty()) {
    pairs = {{OpponentLevel::Strong, OpponentLevel::Standard},
             {OpponentLevel::Expert, OpponentLevel::Standard},
             {OpponentLevel::Expert, OpponentLevel::Strong}};
  }
  const char* names[] = {"standard", "strong", "expert"};
  std::vector<Match> matches(pairs.size());
  for (size_t k = 0; k < pairs.size(); ++k) {
    Match& m = matches[k];
    m.first.level = pairs[k].first;
    m.second.level = pairs[k].second;
    m.first.settings = SettingsForLevel(m.first.level);
    m.second.settings = SettingsForLevel(m.second.level);
    StrongSettings& s = m.first.settings;
    if (samples >= 0) s.samples = static_cast<int>(samples);
    if (depth >= 0) s.depthTricks = static_cast<int>(depth);
    if (exact >= 0) s.exactTricks = static_cast<int>(exact);
    if (budget >= 0) s.nodeBudget = budget;
    if (reach >= 0) s.exactReach = static_cast<int>(reach);
    if (endgame >= 0) s.endgameBudget = endgame;
    if (cap >= 0) s.nodeCap = cap;
    if (bonus >= 0) s.winBonus = static_cast<int>(bonus);
    s.plainSearch = plain;
    if (noRead) s.readOpponent = false;
    m.name = std::string(names[static_cast<int>(m.first.level)]) + " vs " +
             names[static_cast<int>(m.second.level)];
  }
  // Each match on a thread of its own, at most `threads` at once.
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (long long t = 0; t < std::min<long long>(threads, matches.size()); ++t) {
    workers.emplace_back([&] {
      for (size_t k; (k = next++) < matches.size();)
        RunMatch(matches[k], deals, static_cast<uint64_t>(seed));
    });
  }
  for (std::thread& w : workers) w.join();

  for (const Match& m : matches) {
    const double n = std::max(1LL, m.pairs);
    const double mean = m.pairSum / n;
    const double variance = std::max(0.0, m.pairSquares / n - mean * mean);
    // The rate is half the pair mean; its error follows the pairs' spread.
    const double se = m.pairs > 1 ? 100.0 * std::sqrt(variance / (n - 1)) / 2 : 0.0;
    std::printf(
        "%s: deals=%lld first_wins=%lld second_wins=%lld ties=%lld win_rate=%.2f%% se=%.2f%%\n"
        "  first's moves=%lld cpu: avg_ms=%.3f worst_ms=%.3f (trick %d, DeckNext %d)"
        " wall: avg_ms=%.3f worst_ms=%.3f seconds=%.0f\n",
        m.name.c_str(), m.deals, m.firstWins, m.secondWins, m.ties,
        100.0 * m.firstWins / std::max(1LL, m.deals), se, m.moves,
        m.totalCpuMs / std::max(1LL, m.moves), m.worstCpuMs, m.worstTrick, m.worstDeckNext,
        m.totalWallMs / std::max(1LL, m.moves), m.worstWallMs, m.seconds);
  }
  return 0;
}
