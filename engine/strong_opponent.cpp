#include "strong_opponent.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "engine.h"

namespace zarnet {
namespace {

// Cards are ids 0..39 (card number - 1): id / 4 is the rank row, id % 4 the
// suit, so within a suit a higher id is a stronger card.
using Mask = uint64_t;
constexpr Mask kAllCards = (Mask{1} << 40) - 1;
constexpr int kInf = 1 << 20;
constexpr int kExact = 99;
// A budgeted move's hard limit, in budgets.
constexpr long long kBudgetCap = 4;

constexpr Mask Bit(int id) { return Mask{1} << id; }
constexpr int Suit(int id) { return id & 3; }
constexpr int Row(int id) { return id >> 2; }  // 0 = two .. 9 = ace

constexpr std::array<int, 40> kPoints = [] {
  std::array<int, 40> p{};
  for (int id = 0; id < 40; ++id) p[id] = kRankPoints[Row(id) + 1];
  return p;
}();

// Worth of a card still in hand when the look-ahead stops, in hundredths of
// a point (tuned against the standard player): a trump will take a trick
// later, a plain point card will mostly bring its points home.
constexpr std::array<int, 10> kTrumpHeld = {250, 250, 250, 300, 300, 400, 450, 500, 800, 900};
constexpr std::array<int, 10> kPlainHeld = {0, 0, 0, 0, 0, 300, 300, 600, 900, 900};

int IdOf(CardCode c) { return CardNumberOf(c) - 1; }
CardCode CodeOf(int id) { return kDeckTable[id + 1].code; }

// One deal of the unseen cards, played out by both seats with all cards known.
// Seat 0 is the one choosing; values are its point lead plus the win bonus.
class Solver {
 public:
  struct Node {
    Mask hand[2];
    int deckPos;   // next draw: deck_[deckPos] while below deckCount_, then the last card
    int lastCard;  // the turned-up card, drawn last; -1 once gone
    int pts[2];
    int leader;
  };

  Solver(int trumpSuit, bool blackHand, bool replaceDeuce, const StrongSettings& settings)
      : trump_(trumpSuit),
        deuce_(trumpSuit),
        blackHand_(blackHand),
        replaceDeuce_(replaceDeuce),
        blackMask_(Bit(7 * 4 + trumpSuit) | Bit(8 * 4 + trumpSuit) | Bit(9 * 4 + trumpSuit)),
        winBonus_(settings.winBonus),
        plain_(settings.plainSearch),
        cancel_(settings.cancel) {
    // One table per thread, kept from move to move: a new generation marks
    // every older entry stale without clearing it.
    static thread_local std::vector<Entry> table;
    static thread_local uint32_t generation = 0;
    if (!plain_ && table.empty()) table.resize(kTableSize);
    table_ = &table;
    generation_ = &generation;
  }

  // Cards under the turned-up one, in drawing order. A new deal: what the
  // table holds belongs to the old one.
  void SetDeck(const int* cards, int count) {
    deckCount_ = count;
    std::copy(cards, cards + count, deck_.begin());
    ++*generation_;
  }

  long long Nodes() const { return nodes_; }
  bool Cancelled() const { return cancelled_; }
  // Past `limit` nodes in all the search gives up (OverLimit) until lifted.
  void LimitNodes(long long limit) {
    nodeLimit_ = limit;
    overLimit_ = false;
  }
  bool OverLimit() const { return overLimit_; }

  int DeckLeft(const Node& n) const {
    return n.lastCard < 0 ? 0 : deckCount_ - n.deckPos + 1;
  }

  bool CanSwap(const Node& n, int seat) const {
    return replaceDeuce_ && (n.hand[seat] & Bit(deuce_)) && DeckLeft(n) >= 2;
  }

  // Replace deuce: the turned-up card into the hand, the two of trumps under the deck.
  Node Swap(Node n, int seat) const {
    n.hand[seat] = (n.hand[seat] & ~Bit(deuce_)) | Bit(n.lastCard);
    n.lastCard = deuce_;
    return n;
  }

  bool LedWins(int led, int answer) const {
    if (Suit(led) == Suit(answer)) return led > answer;
    return Suit(led) == trump_ || Suit(answer) != trump_;
  }

  // Plays the trick and the draws after it; returns true when a Black Hand
  // ends the deal, with its value in *terminal.
  bool Play(Node& n, int led, int answer, int* terminal) const {
    const int follower = 1 - n.leader;
    n.hand[n.leader] &= ~Bit(led);
    n.hand[follower] &= ~Bit(answer);
    const int winner = LedWins(led, answer) ? n.leader : follower;
    n.pts[winner] += kPoints[led] + kPoints[answer];
    n.leader = winner;
    if (n.lastCard >= 0) {
      n.hand[winner] |= Bit(Draw(n));
      n.hand[1 - winner] |= Bit(Draw(n));
      if (blackHand_) {
        for (int s = 0; s < 2; ++s) {
          if (n.hand[s] == blackMask_) {
            *terminal = s == 0 ? 120 + winBonus_ : -120 - winBonus_;
            return true;
          }
        }
      }
    }
    return false;
  }

  // Value of the position at a trick's start, `depth` tricks still searched.
  // Fail-soft: outside (alpha, beta) the value is a bound on the true one.
  int Lead(const Node& n, int depth, int alpha, int beta) {
    if ((n.hand[0] | n.hand[1]) == 0) return Final(n);
    if (depth == 0) return Eval(n);
    if (++nodes_ % 1024 == 0 && cancel_ && cancel_->load(std::memory_order_relaxed))
      cancelled_ = true;
    if (nodes_ > nodeLimit_) overLimit_ = true;
    if (cancelled_ || overLimit_) return 0;
    const int L = n.leader;
    const bool maxing = L == 0;

    Entry* slot = nullptr;
    Key key{};
    int hint = -1;
    if (!plain_) {
      key = KeyOf(n, depth);
      slot = &(*table_)[Index(key)];
      if (slot->generation == *generation_ && slot->key == key) {
        const int v = slot->value;
        if (slot->bound == kExactBound) return v;
        if (slot->bound == kLowerBound && v >= beta) return v;
        if (slot->bound == kUpperBound && v <= alpha) return v;
        hint = slot->move;
      }
    }
    const int alpha0 = alpha, beta0 = beta;

    // Leads of both variants (as held, and after the swap), the remembered
    // best one first.
    int moves[8];
    int count = 0;
    const bool swapOk = CanSwap(n, L);
    const Node swapped = swapOk ? Swap(n, L) : n;
    count += OrderLeads(n.hand[L], moves);
    if (swapOk) {
      const int c = OrderLeads(swapped.hand[L], moves + count);
      for (int i = count; i < count + c; ++i) moves[i] |= kSwapFlag;
      count += c;
    }
    if (hint >= 0) {
      for (int i = 1; i < count; ++i) {
        if (moves[i] == hint) {
          std::rotate(moves, moves + i, moves + i + 1);
          break;
        }
      }
    }
    int best = maxing ? -kInf : kInf;
    int bestMove = moves[0];
    for (int i = 0; i < count; ++i) {
      const Node& m = (moves[i] & kSwapFlag) ? swapped : n;
      const int value = Answer(m, moves[i] & kCardMask, depth, alpha, beta);
      if (maxing ? value > best : value < best) {
        best = value;
        bestMove = moves[i];
      }
      if (maxing) {
        alpha = std::max(alpha, value);
      } else {
        beta = std::min(beta, value);
      }
      if (alpha >= beta) break;
    }
    if (slot && !cancelled_ && !overLimit_ && best > -kInf && best < kInf) {
      slot->key = key;
      slot->generation = *generation_;
      slot->value = best;
      slot->move = static_cast<int8_t>(bestMove);
      slot->bound = best <= alpha0 ? kUpperBound : best >= beta0 ? kLowerBound : kExactBound;
    }
    return best;
  }

  // Value once `led` lies on the table and the follower is to answer.
  int Answer(const Node& n, int led, int depth, int alpha, int beta) {
    const int F = 1 - n.leader;
    const bool maxing = F == 0;
    int best = maxing ? -kInf : kInf;
    int moves[4];
    const int count = OrderAnswers(n.hand[F], led, moves);
    for (int i = 0; i < count; ++i) {
      const int value = AfterAnswer(n, led, moves[i], depth, alpha, beta);
      if (maxing) {
        best = std::max(best, value);
        alpha = std::max(alpha, value);
      } else {
        best = std::min(best, value);
        beta = std::min(beta, value);
      }
      if (alpha >= beta) break;
    }
    return best;
  }

  int AfterAnswer(const Node& n, int led, int answer, int depth, int alpha = -kInf,
                  int beta = kInf) {
    Node m = n;
    int terminal = 0;
    if (Play(m, led, answer, &terminal)) return terminal;
    if (plain_) return Lead(m, depth - 1, -kInf, kInf);
    return Lead(m, depth - 1, alpha, beta);
  }

  // Leads: plain cards before trumps, cheapest first (the usual good lead).
  int OrderLeads(Mask hand, int* out) const {
    int count = 0;
    int keys[4];
    for (Mask h = hand; h; h &= h - 1) {
      const int id = std::countr_zero(h);
      const int key = (Suit(id) == trump_ ? 100 : 0) + kPoints[id] * 4 + Row(id);
      int i = count++;
      while (i > 0 && keys[i - 1] > key) {
        keys[i] = keys[i - 1];
        out[i] = out[i - 1];
        --i;
      }
      keys[i] = key;
      out[i] = id;
    }
    return count;
  }

  // Answers: by what the trick alone gains the follower, best first.
  int OrderAnswers(Mask hand, int led, int* out) const {
    int count = 0;
    int keys[4];
    for (Mask h = hand; h; h &= h - 1) {
      const int id = std::countr_zero(h);
      const int trick = kPoints[led] + kPoints[id];
      int key = LedWins(led, id) ? -trick * 4 - kPoints[id] : trick * 4;
      if (Suit(id) == trump_) key -= 6;  // spending a trump costs
      int i = count++;
      while (i > 0 && keys[i - 1] < key) {
        keys[i] = keys[i - 1];
        out[i] = out[i - 1];
        --i;
      }
      keys[i] = key;
      out[i] = id;
    }
    return count;
  }

 private:
  static constexpr int kSwapFlag = 64;
  static constexpr int kCardMask = 63;
  static constexpr size_t kTableSize = size_t{1} << 17;
  enum : uint8_t { kExactBound, kLowerBound, kUpperBound };

  // Everything a trick's start depends on in one deal: both hands, how far
  // the deck is drawn, which card lies turned up, seat 0's points (seat 1's
  // follow from the cards gone), who leads and how deep the search goes.
  struct Key {
    uint64_t a, b;
    bool operator==(const Key&) const = default;
  };
  struct Entry {
    Key key{};
    uint32_t generation = 0;
    int16_t value = 0;
    int8_t move = -1;
    uint8_t bound = kExactBound;
  };

  static Key KeyOf(const Node& n, int depth) {
    return {n.hand[0] | Mask(n.deckPos) << 40 | Mask(n.lastCard + 1) << 46 |
                Mask(n.leader) << 52 | Mask(depth) << 53,
            n.hand[1] | Mask(n.pts[0]) << 40};
  }
  static size_t Index(const Key& k) {
    const uint64_t h = (k.a * 0x9E3779B97F4A7C15ULL) ^ (k.b * 0xC2B2AE3D27D4EB4FULL);
    return static_cast<size_t>(h >> 40) & (kTableSize - 1);
  }

  int Draw(Node& n) const {
    if (n.deckPos < deckCount_) return deck_[n.deckPos++];
    const int c = n.lastCard;
    n.lastCard = -1;
    return c;
  }

  int Final(const Node& n) const {
    const int lead = n.pts[0] - n.pts[1];
    if (n.pts[0] >= 61) return lead + winBonus_;
    if (n.pts[1] >= 61) return lead - winBonus_;
    return lead;
  }

  int Held(Mask hand) const {
    int v = 0;
    for (; hand; hand &= hand - 1) {
      const int id = std::countr_zero(hand);
      v += Suit(id) == trump_ ? kTrumpHeld[Row(id)] : kPlainHeld[Row(id)];
    }
    return v;
  }

  int Eval(const Node& n) const {
    return n.pts[0] - n.pts[1] + (Held(n.hand[0]) - Held(n.hand[1])) / 100;
  }

  int trump_;
  int deuce_;
  bool blackHand_;
  bool replaceDeuce_;
  Mask blackMask_;
  int winBonus_;
  bool plain_;
  const std::atomic<bool>* cancel_;
  bool cancelled_ = false;
  bool overLimit_ = false;
  long long nodeLimit_ = std::numeric_limits<long long>::max();
  long long nodes_ = 0;
  uint32_t* generation_;
  std::vector<Entry>* table_;
  std::array<int, 40> deck_{};
  int deckCount_ = 0;
};

// Everything the seat can see or remember of the deal.
struct Knowledge {
  Mask mine = 0;
  Mask gone = 0;       // played or on the table
  Mask oppKnown = 0;   // cards it knows the opponent holds
  Mask unseen = 0;
  int led = -1;        // the opponent's card on the table when answering
  int turned = -1;     // the turned-up card while it is under the deck
  int oppUnknown = 0;  // opponent's cards among the unseen
  int deckUnknown = 0; // deck cards among the unseen
  int pts[2] = {0, 0};
  bool leading = false;
  bool consistent = true;
};

int Other(int seat) { return seat == 1 ? 2 : 1; }

Knowledge Observe(const Game& g, int seat) {
  const GameState& gs = g.gs;
  const int opp = Other(seat);
  Knowledge k;
  for (int slot = 1; slot <= 3; ++slot) {
    const int id = IdOf(gs.Hand[seat][slot]);
    if (id >= 0) k.mine |= Bit(id);
  }
  for (int i = 1; i < gs.PlayedNext && i <= 40; ++i) {
    const int id = IdOf(gs.Played[i]);
    if (id >= 0) k.gone |= Bit(id);
  }
  k.leading = gs.Leader == seat;
  if (!k.leading) {
    k.led = IdOf(gs.Table[1]);
    if (k.led >= 0) k.gone |= Bit(k.led);
  }
  const bool deckLasts = gs.DeckNext <= 40;
  if (deckLasts) k.turned = IdOf(gs.Deck[40]);

  // The card last turned up stays in memory after the loser of the 17th trick
  // took it; replaying the tricks backwards from the current leader tells who
  // won each one.
  const int deuce = IdOf(CardCode{'2', gs.Trump});
  const int lastTurned = IdOf(gs.Deck[40]);
  const int tricks = (gs.PlayedNext - 1) / 2;
  if (!deckLasts && tricks >= 17 && lastTurned >= 0) {
    int nextLeader = gs.Leader;
    int loser17 = 0;
    for (int t = tricks; t >= 17; --t) {
      const CardCode a = gs.Played[2 * t - 1];
      const CardCode b = gs.Played[2 * t];
      const bool ledWins =
          TrickWinnerOf(1, gs.Trump, a, b, RankOrderOf(a.rank), RankOrderOf(b.rank)) == 1;
      if (t == 17) loser17 = Other(nextLeader);
      nextLeader = ledWins ? nextLeader : Other(nextLeader);
    }
    if (loser17 == opp && !((k.mine | k.gone) & Bit(lastTurned))) k.oppKnown |= Bit(lastTurned);
  }
  // A two of trumps turned up where another card was at the deal: whoever
  // swapped it took that card, and if it is not ours the opponent holds it.
  const int atDeal = IdOf(g.TurnedAtDeal);
  if (atDeal >= 0 && atDeal != deuce && lastTurned == deuce &&
      !((k.mine | k.gone) & Bit(atDeal)))
    k.oppKnown |= Bit(atDeal);

  k.oppUnknown = gs.HandCount[opp] - std::popcount(k.oppKnown);
  k.deckUnknown = deckLasts ? 40 - gs.DeckNext : 0;
  Mask seen = k.mine | k.gone | k.oppKnown;
  if (k.turned >= 0) seen |= Bit(k.turned);
  k.unseen = kAllCards & ~seen;
  k.consistent = k.oppUnknown >= 0 && (k.turned >= 0) == deckLasts &&
                 std::popcount(k.unseen) == k.oppUnknown + k.deckUnknown &&
                 !(k.mine & k.gone) && (k.leading || k.led >= 0);
  k.pts[0] = gs.TrickPoints[seat];
  k.pts[1] = gs.TrickPoints[opp];
  return k;
}

// The opponent's cards played in this deal, trick by trick, as the seat saw
// them: whether it led, its card, and the card it answered.
struct PastPlay {
  int trick;  // 1-based
  bool led;
  int card;
  int other;  // the card it answered; -1 when it led
};

struct History {
  std::vector<PastPlay> plays;  // oldest first
  int loser17 = 0;              // seat that drew the last turned-up card
};

History ReadHistory(const GameState& gs, int seat) {
  History h;
  const int opp = Other(seat);
  const int tricks = (gs.PlayedNext - 1) / 2;
  // Replaying backwards from the current leader tells who led each trick.
  int nextLeader = gs.Leader;
  for (int t = tricks; t >= 1; --t) {
    const CardCode a = gs.Played[2 * t - 1];
    const CardCode b = gs.Played[2 * t];
    if (IdOf(a) < 0 || IdOf(b) < 0) return {};
    const bool ledWins =
        TrickWinnerOf(1, gs.Trump, a, b, RankOrderOf(a.rank), RankOrderOf(b.rank)) == 1;
    const int leader = ledWins ? nextLeader : Other(nextLeader);
    if (t == 17) h.loser17 = Other(nextLeader);
    if (leader == opp) {
      h.plays.push_back({t, true, IdOf(a), -1});
    } else {
      h.plays.push_back({t, false, IdOf(b), IdOf(a)});
    }
    nextLeader = leader;
  }
  std::reverse(h.plays.begin(), h.plays.end());
  if (gs.Leader == opp && gs.Turn == seat && IdOf(gs.Table[1]) >= 0)
    h.plays.push_back({tricks + 1, true, IdOf(gs.Table[1]), -1});
  return h;
}

// How likely a player of each kind is to choose `card` from `hand`. One kind
// plays by the standard rules, the other prefers cheap leads and taking
// points cheaply; each keeps a uniform share, so that no play, however odd,
// rules a deal out.
struct PlayOdds {
  double standard = 1.0;
  double greedy = 1.0;
};

PlayOdds PlayLikelihood(const Solver& solver, char trump, Mask hand, const PastPlay& p) {
  const int n = std::popcount(hand);
  if (n == 0 || !(hand & Bit(p.card))) return {};
  int order[4];
  if (p.led) {
    solver.OrderLeads(hand, order);
  } else {
    solver.OrderAnswers(hand, p.other, order);
  }
  constexpr double kSoft[3] = {1.0, 0.35, 0.12};
  constexpr double kStandardShare = 0.9;
  constexpr double kGreedyShare = 0.6;
  double sum = 0, mine = 0;
  for (int i = 0; i < n; ++i) {
    sum += kSoft[i];
    if (order[i] == p.card) mine = kSoft[i];
  }
  // The standard rules read an arranged hand: plain cards then trumps, each
  // weakest first.
  std::array<CardCode, 5> codes;
  std::array<uint8_t, 5> orders{}, points{};
  codes.fill(EmptyCard);
  int slot = 1;
  for (int trumps = 0; trumps < 2; ++trumps) {
    for (int row = 0; row < 10; ++row) {
      for (int suit = 0; suit < 4; ++suit) {
        const int id = row * 4 + suit;
        if (!(hand & Bit(id)) || (CodeOf(id).suit == trump) != (trumps == 1)) continue;
        codes[slot] = CodeOf(id);
        orders[slot] = static_cast<uint8_t>(row + 1);
        points[slot] = static_cast<uint8_t>(kPoints[id]);
        ++slot;
      }
    }
  }
  int chosen;
  if (p.led) {
    chosen = ChooseLead(codes.data(), orders.data(), trump, nullptr);
  } else {
    const CardCode led = CodeOf(p.other);
    chosen = ChooseAnswer(codes.data(), orders.data(), points.data(), trump, led, Row(p.other) + 1,
                          kPoints[p.other]);
  }
  const bool standard = chosen >= 1 && chosen <= 3 && codes[chosen] == CodeOf(p.card);
  return {kStandardShare * (standard ? 1.0 : 0.0) + (1 - kStandardShare) / n,
          kGreedyShare * mine / sum + (1 - kGreedyShare) / n};
}

}  // namespace

// The standard rules' move, for a state the search cannot read.
StrongChoice StandardChoice(const Game& g, int seat) {
  const GameState& gs = g.gs;
  StrongChoice c;
  int slot;
  if (gs.Leader == seat) {
    slot = ChooseLead(gs.Hand[seat].data(), gs.HandOrder[seat].data(), gs.Trump, gs.Played.data());
  } else {
    slot = ChooseAnswer(gs.Hand[seat].data(), gs.HandOrder[seat].data(),
                        gs.HandPoints[seat].data(), gs.Trump, gs.Table[1], gs.TableOrder[1],
                        gs.TablePoints[1]);
  }
  if (slot >= 1 && slot <= 3) c.card = gs.Hand[seat][slot];
  return c;
}

StrongSettings SettingsForLevel(OpponentLevel level) {
  StrongSettings s;
  if (level == OpponentLevel::Expert) {
    s.samples = 24;
    s.maxSamples = 400;
    s.nodeBudget = 120000;
    s.endgameBudget = 300000;
    s.nodeCap = 1200000;  // about 200 ms on a busy machine
    s.depthTricks = 3;
    s.exactTricks = 8;
    s.exactReach = 12;
    s.readOpponent = true;
    // Its results are counted in deals won: a win weighs more than points.
    s.winBonus = 80;
  }
  return s;
}

namespace {

// One move's search over sampled deals of the unseen cards.
class MoveSearch {
 public:
  MoveSearch(Game& g, const Knowledge& k, const StrongSettings& settings, int seat)
      : g_(g),
        k_(k),
        settings_(settings),
        trump_(g.gs.Trump),
        solver_(SuitIndexOf(g.gs.Trump) - 1, g.opt.OptBlackHand, g.opt.OptReplaceDeuce, settings) {
    for (Mask u = k.unseen; u; u &= u - 1) unseen_[unseenCount_++] = std::countr_zero(u);
    if (settings.readOpponent) {
      history_ = ReadHistory(g.gs, seat);
      opp_ = Other(seat);
      lastTurned_ = IdOf(g.gs.Deck[40]);
      atDeal_ = IdOf(g.TurnedAtDeal);
    }
  }

  struct Action {
    bool swap;
    int card;
    double total;
  };

  Solver& solver() { return solver_; }

  double HandWeight(Mask hand) { return history_.plays.empty() ? 1.0 : Weight(hand); }

  // Deals a fresh sample and adds each action's value, weighed, to its total.
  void Sample(bool shuffle, int depth, Action* actions, int count) {
    if (shuffle && settings_.readOpponent && k_.oppUnknown > 0) {
      DrawLikelyHand();
    } else if (shuffle) {
      Shuffle(0);
    }
    Solver::Node root{};
    root.hand[0] = k_.mine;
    root.hand[1] = k_.oppKnown;
    for (int i = 0; i < k_.oppUnknown; ++i) root.hand[1] |= Bit(unseen_[i]);
    solver_.SetDeck(unseen_.data() + k_.oppUnknown, k_.deckUnknown);
    root.deckPos = 0;
    root.lastCard = k_.turned;
    root.pts[0] = k_.pts[0];
    root.pts[1] = k_.pts[1];
    if (k_.leading) {
      root.leader = 0;
      for (int a = 0; a < count; ++a) {
        const Solver::Node n = actions[a].swap ? solver_.Swap(root, 0) : root;
        actions[a].total += solver_.Answer(n, actions[a].card, depth, -kInf, kInf);
      }
    } else {
      root.leader = 1;
      for (int a = 0; a < count; ++a)
        actions[a].total += solver_.AfterAnswer(root, k_.led, actions[a].card, depth);
    }
  }

 private:
  // Shuffles unseen_[from..].
  void Shuffle(int from) {
    for (int i = unseenCount_ - 1; i > from; --i) {
      const int j = from + static_cast<int>(g_.strongRng.Below(static_cast<uint32_t>(i - from + 1)));
      std::swap(unseen_[i], unseen_[j]);
    }
  }

  // Puts a hand for the opponent into unseen_[0..oppUnknown) and a fresh deck
  // after it. The hands come from a pool of random ones, each drawn as often
  // as its likelihood says, so the search spends itself on hands that
  // explain the opponent's plays.
  void DrawLikelyHand() {
    constexpr int kPool = 256;
    if (pool_.empty()) {
      pool_.reserve(kPool);
      double total = 0;
      for (int c = 0; c < kPool; ++c) {
        Shuffle(0);
        Mask hand = k_.oppKnown;
        for (int i = 0; i < k_.oppUnknown; ++i) hand |= Bit(unseen_[i]);
        total += Weight(hand);
        pool_.push_back({hand & ~k_.oppKnown, total});
      }
    }
    const double u = static_cast<double>(g_.strongRng.Next() >> 11) * 0x1.0p-53 * pool_.back().weightSum;
    const auto it = std::upper_bound(pool_.begin(), pool_.end(), u,
                                     [](double v, const Candidate& c) { return v < c.weightSum; });
    const Mask hand = (it == pool_.end() ? pool_.back() : *it).cards;
    // The chosen hand's cards first, the rest of the unseen cards after them.
    int front = 0;
    for (int i = 0; i < unseenCount_; ++i) {
      if (hand & Bit(unseen_[i])) std::swap(unseen_[i], unseen_[front++]);
    }
    Shuffle(k_.oppUnknown);
  }

  struct Candidate {
    Mask cards;        // the opponent's unknown cards
    double weightSum;  // running total of the likelihoods up to this one
  };
  std::vector<Candidate> pool_;

  // The likelihood of the opponent's recent plays had it held `hand` now.
  // Its earlier hands are rebuilt backwards: before each draw one of the
  // cards held afterwards was not yet there, each of them equally likely.
  // Every such history is followed; the ones that meet in the same hand are
  // merged, so the count stays small.
  double Weight(Mask hand) {
    constexpr int kTricksBack = 6;
    constexpr int kMaxStates = 64;
    // Both kinds of player stay possible: a deal's weight is its likelihood
    // under each, half and half, so plays that no standard player would make
    // leave the greedy kind to decide.
    struct State {
      Mask held;
      double standard, greedy;
    };
    std::array<State, kMaxStates> states, next;
    int count = 1;
    states[0] = {hand, 1.0, 1.0};
    auto account = [&](State& st, const PastPlay& p) {
      const PlayOdds odds = PlayLikelihood(solver_, trump_, st.held, p);
      st.standard *= odds.standard;
      st.greedy *= odds.greedy;
    };
    auto total = [&] {
      double w = 0;
      for (int s = 0; s < count; ++s) w += states[s].standard + states[s].greedy;
      return w;
    };
    const auto& plays = history_.plays;
    if (plays.empty()) return 1.0;
    int i = static_cast<int>(plays.size()) - 1;
    // The hand before the opponent's card of the newest trick it played in.
    if (plays[i].trick * 2 > g_.gs.PlayedNext - 1) {  // its lead on the table now
      states[0].held |= Bit(plays[i].card);
      account(states[0], plays[i]);
      --i;
    }
    const int newest = (g_.gs.PlayedNext - 1) / 2;
    for (int t = newest; i >= 0 && t >= 1 && t > newest - kTricksBack; --t, --i) {
      // Each state is a hand at the start of trick t + 1; undo the draw after t.
      int made = 0;
      bool complete = true;
      for (int s = 0; s < count && complete; ++s) {
        const State& st = states[s];
        Mask choices = Bit(lastTurned_ < 0 ? 0 : lastTurned_);
        if (t > 17) {
          choices = 0;  // no draw after the deck's last trick
        } else if (!(t == 17 && history_.loser17 == opp_)) {
          choices = st.held;
          if (lastTurned_ >= 0) choices &= ~Bit(lastTurned_);
          if (atDeal_ >= 0) choices &= ~Bit(atDeal_);
          if (choices == 0) complete = false;
        } else if (lastTurned_ < 0 || !(st.held & choices)) {
          complete = false;
        }
        const int c = std::max(1, std::popcount(choices));
        for (Mask m = choices;; m &= m - 1) {
          State step = st;
          if (m) step.held &= ~(m & -m);
          step.held |= Bit(plays[i].card);
          step.standard /= c;
          step.greedy /= c;
          // Three cards while the deck lasted, then one fewer each trick.
          if (std::popcount(step.held) != std::min(3, 21 - t)) {
            complete = false;
            break;
          }
          int at = 0;
          while (at < made && next[at].held != step.held) ++at;
          if (at == made) {
            if (made == kMaxStates) {
              complete = false;
              break;
            }
            next[made++] = {step.held, 0.0, 0.0};
          }
          next[at].standard += step.standard;
          next[at].greedy += step.greedy;
          if (m == 0 || (m & (m - 1)) == 0) break;
        }
      }
      if (!complete) break;
      for (int s = 0; s < made; ++s) account(next[s], plays[i]);
      states = next;
      count = made;
    }
    return total();
  }

  Game& g_;
  const Knowledge& k_;
  const StrongSettings& settings_;
  char trump_;
  Solver solver_;
  std::array<int, 40> unseen_{};
  int unseenCount_ = 0;
  History history_;
  int opp_ = 0;
  int lastTurned_ = -1;
  int atDeal_ = -1;
};

}  // namespace

StrongChoice StrongChoose(Game& g, int seat, const StrongSettings& settings) {
  const GameState& gs = g.gs;
  if ((seat != 1 && seat != 2) || gs.Turn != seat || gs.DealOver) return {};
  const Knowledge k = Observe(g, seat);
  if (k.mine == 0) return {};
  if (!k.consistent) return StandardChoice(g, seat);

  // Root actions: a card, or (when leading) the swap and then a card.
  using Action = MoveSearch::Action;
  std::array<Action, 8> actions{};
  int actionCount = 0;
  const bool canSwap = k.leading && CanReplaceDeuce(g, seat);
  const int deuce = SuitIndexOf(gs.Trump) - 1;
  for (int v = 0; v < (canSwap ? 2 : 1); ++v) {
    Mask hand = k.mine;
    if (v == 1) hand = (hand & ~Bit(deuce)) | Bit(k.turned);
    for (Mask h = hand; h; h &= h - 1) actions[actionCount++] = {v == 1, std::countr_zero(h), 0};
  }
  if (actionCount == 1) return {actions[0].swap, CodeOf(actions[0].card)};

  MoveSearch search(g, k, settings, seat);
  const int tricksLeft = std::popcount(k.mine) + (k.deckUnknown + (k.turned >= 0)) / 2;
  bool exact = tricksLeft <= settings.exactTricks;
  // With the deck gone the opponent's hand is all that is unseen: one deal.
  if (k.deckUnknown == 0) {
    search.Sample(false, exact ? kExact : std::max(1, settings.depthTricks), actions.data(),
                  actionCount);
  } else {
    const int minSamples = std::max(1, settings.samples);
    const bool budgeted = settings.nodeBudget > 0;
    const int maxSamples = budgeted ? std::max(minSamples, settings.maxSamples) : minSamples;
    // The last tricks before the deck runs out decide most deals.
    const long long budget = tricksLeft <= settings.exactReach && settings.endgameBudget > 0
                                 ? settings.endgameBudget
                                 : settings.nodeBudget;
    // Further out, solve to the end only when one deal fits its share of the
    // budget; otherwise start over looking a few tricks ahead.
    if (!exact && budgeted && tricksLeft <= settings.exactReach) {
      search.solver().LimitNodes(budget / minSamples);
      search.Sample(true, kExact, actions.data(), actionCount);
      exact = !search.solver().OverLimit();
      search.solver().LimitNodes(std::numeric_limits<long long>::max());
      if (!exact) {
        for (int a = 0; a < actionCount; ++a) actions[a].total = 0;
      }
    }
    const int depth = exact ? kExact : std::max(1, settings.depthTricks);
    int done = exact && !(tricksLeft <= settings.exactTricks) ? 1 : 0;
    // However hard the deals, a budgeted move stops at this many nodes once
    // it has one deal: a deal cut short there is left out.
    const long long hardCap = !budgeted                ? std::numeric_limits<long long>::max()
                              : settings.nodeCap > 0 ? settings.nodeCap
                                                     : budget * kBudgetCap;
    while (done < maxSamples && !search.solver().Cancelled()) {
      if (done >= minSamples && search.solver().Nodes() >= budget) break;
      if (done > 0) search.solver().LimitNodes(hardCap);
      const std::array<Action, 8> before = actions;
      search.Sample(true, depth, actions.data(), actionCount);
      if (search.solver().OverLimit()) {
        actions = before;
        break;
      }
      ++done;
    }
  }

  int best = 0;
  for (int a = 1; a < actionCount; ++a)
    if (actions[a].total > actions[best].total) best = a;
  return {actions[best].swap, CodeOf(actions[best].card)};
}

double OpponentHandWeight(Game& g, int seat, const std::vector<CardCode>& hand) {
  if ((seat != 1 && seat != 2) || g.gs.Turn != seat || g.gs.DealOver) return 0;
  const Knowledge k = Observe(g, seat);
  if (!k.consistent) return 0;
  Mask cards = 0;
  for (const CardCode c : hand) {
    const int id = IdOf(c);
    if (id < 0 || (cards & Bit(id))) return 0;
    cards |= Bit(id);
  }
  // A hand the seat knows to be impossible explains nothing.
  if ((cards & k.oppKnown) != k.oppKnown || (cards & ~(k.unseen | k.oppKnown)) ||
      std::popcount(cards) != k.oppUnknown + std::popcount(k.oppKnown))
    return 0;
  const StrongSettings settings = SettingsForLevel(OpponentLevel::Expert);
  MoveSearch search(g, k, settings, seat);
  return search.HandWeight(cards);
}

bool ApplyChoice(Game& g, int seat, const StrongChoice& c) {
  GameState& gs = g.gs;
  if (gs.Turn != seat || gs.DealOver || c.card == EmptyCard) return false;
  const bool leading = gs.Leader == seat;
  if (leading && c.replaceDeuce) {
    const CardCode deuce{'2', gs.Trump};
    bool holds = c.card == gs.Deck[40];
    for (int k = 1; k <= 3; ++k) holds = holds || (gs.Hand[seat][k] == c.card && !(c.card == deuce));
    if (!CanReplaceDeuce(g, seat) || !holds) return false;
    ReplaceDeuce(g, seat);
  }
  int slot = 0;
  for (int k = 1; k <= 3; ++k)
    if (gs.Hand[seat][k] == c.card) slot = k;
  if (slot == 0) return false;
  PlayCard(g, seat, slot);
  gs.Turn = leading ? static_cast<uint8_t>(Other(seat)) : kTurnTrickDone;
  return true;
}

bool StrongComputerMove(Game& g, int seat, const StrongSettings& settings) {
  if (g.gs.Turn != seat) return false;
  return ApplyChoice(g, seat, StrongChoose(g, seat, settings));
}

bool LevelComputerMove(Game& g, int seat, OpponentLevel level) {
  if (level == OpponentLevel::Standard) return ComputerMove(g, seat);
  return StrongComputerMove(g, seat, SettingsForLevel(level));
}

}  // namespace zarnet
