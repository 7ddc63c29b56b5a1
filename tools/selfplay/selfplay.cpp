#include "selfplay.h"

#include <chrono>
#include <cstdio>

#include "codec.h"
#include "engine.h"
#include "strong_opponent.h"

namespace zarnet {

std::string CheckDealInvariants(const GameState& gs, bool trickStart) {
  int seen[41] = {};
  auto count = [&](CardCode c) {
    const int n = CardNumberOf(c);
    if (n) ++seen[n];
    return n != 0;
  };
  if (gs.DeckNext < 7 || gs.DeckNext > 41) return "DeckNext out of range";
  for (int i = gs.DeckNext; i <= 40; ++i)
    if (!count(gs.Deck[i])) return "a deck slot holds no card";
  for (int s = 1; s <= 2; ++s) {
    if (gs.HandCount[s] > 3) return "a hand holds more than three cards";
    for (int k = 1; k <= 4; ++k) {
      const bool filled = !(gs.Hand[s][k] == EmptyCard);
      if (filled != (k <= gs.HandCount[s])) return "hand slots and HandCount disagree";
      if (filled) count(gs.Hand[s][k]);
    }
  }
  for (int i = 1; i <= 2; ++i)
    if (!(gs.Table[i] == EmptyCard)) count(gs.Table[i]);
  for (int i = 1; i < gs.PlayedNext; ++i)
    if (!count(gs.Played[i])) return "a played slot holds no card";
  for (int n = 1; n <= 40; ++n)
    if (seen[n] != 1) return "card " + CardToUtf8(kDeckTable[n].code) + " is not in exactly one place";
  if (trickStart) {
    if (gs.HandCount[1] != gs.HandCount[2]) return "hand counts differ at a trick's start";
    if (gs.DeckNext <= 40 && gs.HandCount[1] != 3) return "a hand is short while the deck lasts";
    if (gs.Turn != gs.Leader) return "Turn is not the leader at a trick's start";
  }
  if (gs.DeckNext <= 40 && gs.Deck[40].suit != gs.Trump) return "the turned-up card is no trump";
  return {};
}

namespace {

std::string Utf8(CardCode c) { return CardToUtf8(c); }

int BlackHandSeat(const GameState& gs) {
  for (int s = 1; s <= 2; ++s) {
    const auto& h = gs.Hand[s];
    if (h[1] == CardCode{kKing, gs.Trump} && h[2] == CardCode{'3', gs.Trump} &&
        h[3] == CardCode{kAce, gs.Trump})
      return s;
  }
  return 0;
}

}  // namespace

SelfPlaySummary RunSelfPlay(const SelfPlayOptions& o, std::ostream* trace, TableView* view) {
  Game g(view);
  g.rng.Seed(o.seed);
  g.opt.OptBlackHand = o.blackHand;
  g.opt.OptReplaceDeuce = o.replaceDeuce;
  g.opt.OptFlyCards = false;
  g.opt.SoundOn = false;
  g.opt.PlayerSlot = kSlotNewPlayer;
  g.player.Name = "Seat 2";
  // Its own stream, so the same seed deals the same cards whoever plays.
  g.strongRng.Seed(o.seed ^ 0x9E3779B97F4A7C15ULL);
  auto move = [&](int seat) { return LevelComputerMove(g, seat, seat == 1 ? o.seat1 : o.seat2); };

  SelfPlaySummary sum;
  const long long deals = o.deck.empty() ? o.deals : 1;
  std::string failure;
  auto check = [&](bool trickStart) {
    if (!g.gs.DealOver) {
      std::string f = CheckDealInvariants(g.gs, trickStart);
      if (!f.empty()) {
        ++sum.invariantFailures;
        if (failure.empty()) failure = f;
      }
    }
  };

  const auto start = std::chrono::steady_clock::now();
  for (long long d = 1; d <= deals; ++d) {
    if (!o.deck.empty()) g.PresetDeck = o.deck;
    StartDeal(g, d > 1);
    if (d == 1 && (o.firstLeader == 1 || o.firstLeader == 2)) {
      g.gs.Turn = g.gs.Leader = static_cast<uint8_t>(o.firstLeader);
    }
    GameState& gs = g.gs;
    const int before1 = gs.GameScore[1];
    const int before2 = gs.GameScore[2];
    int blackHand = 0;
    gs.DealPhase = 2;
    blackHand = BlackHandSeat(gs);
    CheckBlackHand(g);
    if (!o.blackHand) blackHand = 0;
    check(true);
    int trick = 0;
    while (!gs.DealOver) {
      const int leader = gs.Leader;
      const CardCode turned = gs.Deck[40];
      const int deckNext = gs.DeckNext;
      move(leader);
      if (!(gs.Deck[40] == turned) && deckNext <= 40) ++sum.deuceSwaps;
      check(false);
      move(gs.Turn);
      ++trick;
      if (trace) {
        *trace << "trick=" << trick << " leader=" << leader << " led=" << Utf8(gs.Table[1])
               << " answer=" << Utf8(gs.Table[2]) << " winner=" << int(gs.TrickWinner)
               << " points=" << gs.TablePoints[1] + gs.TablePoints[2] << "\n";
      }
      check(false);
      if (gs.DealOver) break;
      CollectTrick(g);
      if (gs.DealOver) {
        blackHand = BlackHandSeat(gs);
        break;
      }
      check(true);
    }
    if (!blackHand && gs.TrickPoints[1] + gs.TrickPoints[2] != 120) {
      ++sum.invariantFailures;
      if (failure.empty()) failure = "a played-out deal does not split 120 points";
    }
    const int game1 = gs.GameScore[1] - before1;
    const int game2 = gs.GameScore[2] - before2;
    if (blackHand) ++sum.blackHands;
    if (game1 > game2) ++sum.seat1Wins;
    else if (game2 > game1) ++sum.seat2Wins;
    else ++sum.ties;
    if (trace) {
      *trace << "deal=" << d << " trump=" << Cp1251ToUtf8(std::string(1, gs.Trump))
             << " points1=" << gs.TrickPoints[1] << " points2=" << gs.TrickPoints[2]
             << " game1=" << game1 << " game2=" << game2 << " blackhand=" << blackHand << "\n";
    }
    ++sum.deals;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sum.dealsPerSecond = seconds > 0 ? sum.deals / seconds : 0.0;
  sum.firstFailure = failure;
  return sum;
}

std::string SummaryLine(const SelfPlaySummary& s) {
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.0f", s.dealsPerSecond);
  return "deals=" + std::to_string(s.deals) + " seat1_wins=" + std::to_string(s.seat1Wins) +
         " seat2_wins=" + std::to_string(s.seat2Wins) + " ties=" + std::to_string(s.ties) +
         " black_hands=" + std::to_string(s.blackHands) +
         " deuce_swaps=" + std::to_string(s.deuceSwaps) +
         " invariant_failures=" + std::to_string(s.invariantFailures) + " deals_per_s=" + rate;
}

}  // namespace zarnet
