#include "strong_opponent.h"

#include <algorithm>
#include <array>
#include <bit>

#include "engine.h"

namespace zarnet {
namespace {

// Cards are ids 0..39 (card number - 1): id / 4 is the rank row, id % 4 the
// suit, so within a suit a higher id is a stronger card.
using Mask = uint64_t;
constexpr Mask kAllCards = (Mask{1} << 40) - 1;
constexpr int kInf = 1 << 20;
// What winning the deal is worth beyond its points (in point-difference units).
constexpr int kWinBonus = 30;
constexpr int kExact = 99;

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

  Solver(int trumpSuit, bool blackHand, bool replaceDeuce)
      : trump_(trumpSuit),
        deuce_(trumpSuit),
        blackHand_(blackHand),
        replaceDeuce_(replaceDeuce),
        blackMask_(Bit(7 * 4 + trumpSuit) | Bit(8 * 4 + trumpSuit) | Bit(9 * 4 + trumpSuit)) {}

  // Cards under the turned-up one, in drawing order.
  void SetDeck(const int* cards, int count) {
    deckCount_ = count;
    std::copy(cards, cards + count, deck_.begin());
  }

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
            *terminal = s == 0 ? 120 + kWinBonus : -120 - kWinBonus;
            return true;
          }
        }
      }
    }
    return false;
  }

  // Value of the position at a trick's start, `depth` tricks still searched.
  int Lead(const Node& n, int depth, int alpha, int beta) {
    if ((n.hand[0] | n.hand[1]) == 0) return Final(n);
    if (depth == 0) return Eval(n);
    const int L = n.leader;
    const bool maxing = L == 0;
    int best = maxing ? -kInf : kInf;
    const int variants = CanSwap(n, L) ? 2 : 1;
    for (int v = 0; v < variants; ++v) {
      const Node m = v == 0 ? n : Swap(n, L);
      int moves[4];
      const int count = OrderLeads(m.hand[L], moves);
      for (int i = 0; i < count; ++i) {
        const int value = Answer(m, moves[i], depth, alpha, beta);
        if (maxing) {
          best = std::max(best, value);
          alpha = std::max(alpha, value);
        } else {
          best = std::min(best, value);
          beta = std::min(beta, value);
        }
        if (alpha >= beta) return best;
      }
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
      const int value = AfterAnswer(n, led, moves[i], depth);
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

  int AfterAnswer(const Node& n, int led, int answer, int depth) {
    Node m = n;
    int terminal = 0;
    if (Play(m, led, answer, &terminal)) return terminal;
    return Lead(m, depth - 1, -kInf, kInf);
  }

 private:
  int Draw(Node& n) const {
    if (n.deckPos < deckCount_) return deck_[n.deckPos++];
    const int c = n.lastCard;
    n.lastCard = -1;
    return c;
  }

  int Final(const Node& n) const {
    const int lead = n.pts[0] - n.pts[1];
    if (n.pts[0] >= 61) return lead + kWinBonus;
    if (n.pts[1] >= 61) return lead - kWinBonus;
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

  int trump_;
  int deuce_;
  bool blackHand_;
  bool replaceDeuce_;
  Mask blackMask_;
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

}  // namespace

StrongChoice StrongChoose(Game& g, int seat, const StrongSettings& settings) {
  const GameState& gs = g.gs;
  if ((seat != 1 && seat != 2) || gs.Turn != seat || gs.DealOver) return {};
  const Knowledge k = Observe(g, seat);
  if (k.mine == 0) return {};
  if (!k.consistent) return StandardChoice(g, seat);

  const int trumpSuit = SuitIndexOf(gs.Trump) - 1;
  Solver solver(trumpSuit, g.opt.OptBlackHand, g.opt.OptReplaceDeuce);

  // Root actions: a card, or (when leading) the swap and then a card.
  struct Action {
    bool swap;
    int card;
    long long total;
  };
  std::array<Action, 8> actions{};
  int actionCount = 0;
  const bool canSwap = k.leading && CanReplaceDeuce(g, seat);
  const int deuce = trumpSuit;
  for (int v = 0; v < (canSwap ? 2 : 1); ++v) {
    Mask hand = k.mine;
    if (v == 1) hand = (hand & ~Bit(deuce)) | Bit(k.turned);
    for (Mask h = hand; h; h &= h - 1) actions[actionCount++] = {v == 1, std::countr_zero(h), 0};
  }
  if (actionCount == 1) return {actions[0].swap, CodeOf(actions[0].card)};

  const int tricksLeft = std::popcount(k.mine) + (k.deckUnknown + (k.turned >= 0)) / 2;
  const bool exact = tricksLeft <= settings.exactTricks;
  const int depth = exact ? kExact : std::max(1, settings.depthTricks);
  // With the deck gone the opponent's hand is all that is unseen: one deal.
  const int samples = k.deckUnknown == 0 ? 1 : std::max(1, settings.samples);

  std::array<int, 40> unseen{};
  int unseenCount = 0;
  for (Mask u = k.unseen; u; u &= u - 1) unseen[unseenCount++] = std::countr_zero(u);

  for (int s = 0; s < samples; ++s) {
    if (samples > 1) {
      for (int i = unseenCount - 1; i > 0; --i) {
        const int j = static_cast<int>(g.strongRng.Below(static_cast<uint32_t>(i + 1)));
        std::swap(unseen[i], unseen[j]);
      }
    }
    Solver::Node root{};
    root.hand[0] = k.mine;
    root.hand[1] = k.oppKnown;
    for (int i = 0; i < k.oppUnknown; ++i) root.hand[1] |= Bit(unseen[i]);
    solver.SetDeck(unseen.data() + k.oppUnknown, k.deckUnknown);
    root.deckPos = 0;
    root.lastCard = k.turned;
    root.pts[0] = k.pts[0];
    root.pts[1] = k.pts[1];
    if (k.leading) {
      root.leader = 0;
      for (int a = 0; a < actionCount; ++a) {
        const Solver::Node n = actions[a].swap ? solver.Swap(root, 0) : root;
        actions[a].total += solver.Answer(n, actions[a].card, depth, -kInf, kInf);
      }
    } else {
      root.leader = 1;
      for (int a = 0; a < actionCount; ++a)
        actions[a].total += solver.AfterAnswer(root, k.led, actions[a].card, depth);
    }
  }

  int best = 0;
  for (int a = 1; a < actionCount; ++a)
    if (actions[a].total > actions[best].total) best = a;
  return {actions[best].swap, CodeOf(actions[best].card)};
}

bool StrongComputerMove(Game& g, int seat, const StrongSettings& settings) {
  GameState& gs = g.gs;
  if (gs.Turn != seat) return false;
  const StrongChoice c = StrongChoose(g, seat, settings);
  if (c.card == EmptyCard) return false;
  const bool leading = gs.Leader == seat;
  if (leading && c.replaceDeuce) ReplaceDeuce(g, seat);
  int slot = 0;
  for (int k = 1; k <= 3; ++k)
    if (gs.Hand[seat][k] == c.card) slot = k;
  if (slot == 0) return false;
  PlayCard(g, seat, slot);
  gs.Turn = leading ? static_cast<uint8_t>(Other(seat)) : kTurnTrickDone;
  return true;
}

}  // namespace zarnet
