#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "engine.h"
#include "move_thinker.h"
#include "strong_opponent.h"

namespace zarnet {
namespace {

std::vector<CardCode> Cards(const char* utf8) {
  std::string bytes;
  EXPECT_TRUE(CardsFromUtf8(utf8, &bytes)) << utf8;
  std::vector<CardCode> out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back({bytes[i], bytes[i + 1]});
  return out;
}

CardCode Card(const char* utf8) { return Cards(utf8).at(0); }

void SetHand(GameState& gs, int seat, const std::vector<CardCode>& cards) {
  for (int slot = 1; slot <= 4; ++slot) {
    const CardInfo c = slot <= static_cast<int>(cards.size()) ? CardInfoOf(cards[slot - 1])
                                                              : CardInfo{EmptyCard, 0, 0};
    gs.Hand[seat][slot] = c.code;
    gs.HandOrder[seat][slot] = c.order;
    gs.HandPoints[seat][slot] = c.points;
  }
  gs.HandCount[seat] = static_cast<uint8_t>(cards.size());
  ArrangeHand(gs, seat);
}

// A hand-made position late in a deal, seat 1 to move. `deck` lists
// Deck[DeckNext..40] (the last is the turned-up card); `led` is seat 2's card
// on the table when seat 1 answers. Every other card counts as played.
struct Position {
  char trump;
  const char* mine;
  const char* opp;
  const char* deck;
  const char* led;
  int points1, points2;
};

void SetUpPosition(Game& g, const Position& p) {
  GameState& gs = g.gs;
  gs = GameState{};
  gs.DealActive = true;
  gs.DealPhase = 2;
  gs.Trump = p.trump;
  const auto mine = Cards(p.mine), opp = Cards(p.opp), deck = Cards(p.deck);
  SetHand(gs, 1, mine);
  SetHand(gs, 2, opp);
  std::vector<CardCode> held(mine);
  held.insert(held.end(), opp.begin(), opp.end());
  held.insert(held.end(), deck.begin(), deck.end());
  const bool answering = *p.led != '\0';
  if (answering) {
    const CardInfo led = CardInfoOf(Card(p.led));
    gs.Table[1] = led.code;
    gs.TableOrder[1] = led.order;
    gs.TablePoints[1] = led.points;
    held.push_back(led.code);
  }
  gs.PlayedNext = 1;
  for (int n = 1; n <= 40; ++n) {
    const CardCode c = kDeckTable[n].code;
    if (std::find(held.begin(), held.end(), c) == held.end()) gs.Played[gs.PlayedNext++] = c;
  }
  gs.DeckNext = static_cast<uint8_t>(41 - deck.size());
  for (size_t i = 0; i < deck.size(); ++i) {
    const CardInfo c = CardInfoOf(deck[i]);
    gs.Deck[gs.DeckNext + i] = c.code;
    gs.DeckOrder[gs.DeckNext + i] = c.order;
    gs.DeckPoints[gs.DeckNext + i] = c.points;
  }
  if (deck.empty()) gs.Deck[40] = gs.Played[1];  // long since taken and played
  g.TurnedAtDeal = gs.Deck[40];
  gs.Leader = answering ? 2 : 1;
  gs.Turn = 1;
  gs.TrickPoints[1] = p.points1;
  gs.TrickPoints[2] = p.points2;
}

// Positions with exactly one winning move (to 61) against any defence, where
// the standard rules play a losing one.
TEST(StrongOpponent, FindsTheOnlyWinningMoveInEndPositions) {
  struct Case {
    Position p;
    const char* winning;
  } cases[] = {
      // Leading the king of hearts draws out the queen of trumps or the three.
      {{kDiamonds, "5бВкКч", "6бДб3к", "", "", 54, 47}, "Кч"},
      // One more point is needed: the jack of diamonds makes the ace take it.
      {{kSpades, "5чВбДк", "4кВпТб", "", "", 60, 42}, "Вб"},
      // The plain ace first, before the trump ace can be drawn out.
      {{kHearts, "7ч7пТп", "Вб3пТч", "", "", 57, 29}, "Тп"},
      // Answering a small trump: give the jack, keep the three and the queen
      // of trumps for the last two tricks.
      {{kHearts, "ВбДч3б", "2бКб", "", "5ч", 46, 55}, "Вб"},
  };
  for (const OpponentLevel level : {OpponentLevel::Strong, OpponentLevel::Expert}) {
    for (const Case& c : cases) {
      Game g;
      SetUpPosition(g, c.p);
      const StrongChoice choice = StrongChoose(g, 1, SettingsForLevel(level));
      EXPECT_FALSE(choice.replaceDeuce);
      EXPECT_EQ(CardToUtf8(choice.card), c.winning) << c.p.mine;
    }
  }
}

TEST(StrongOpponent, TakesReplaceDeuceWhenOnlyTheSwapWins) {
  // Two cards left in the deck: an unseen one and the turned-up three of
  // trumps. Whatever the unseen cards, only taking the three reaches 61.
  Game g;
  SetUpPosition(g, {kDiamonds, "2б7пВк", "4п5пДб", "7б3б", "", 57, 48});
  const StrongChoice swap = StrongChoose(g, 1);
  EXPECT_TRUE(swap.replaceDeuce);
  EXPECT_NE(CardToUtf8(swap.card), "2б");
  EXPECT_TRUE(StrongComputerMove(g, 1));
  EXPECT_EQ(CardToUtf8(g.gs.Deck[40]), "2б");
  EXPECT_EQ(g.gs.Turn, 2);

  // With the rule off the same hand just leads one of its cards.
  Game off;
  off.opt.OptReplaceDeuce = false;
  SetUpPosition(off, {kDiamonds, "2б7пВк", "4п5пДб", "7б3б", "", 57, 48});
  EXPECT_FALSE(StrongChoose(off, 1).replaceDeuce);
}

TEST(StrongOpponent, DoesNothingWhenNotToMove) {
  Game g;
  SetUpPosition(g, {kHearts, "7ч7пТп", "Вб3пТч", "", "", 57, 29});
  g.gs.Turn = 2;
  EXPECT_EQ(StrongChoose(g, 1).card, EmptyCard);
  EXPECT_FALSE(StrongComputerMove(g, 1));
  EXPECT_EQ(g.gs.HandCount[1], 3);
}

// Deals of the stronger player against the standard one, seat by seat.
class StrongDeals : public ::testing::Test {
 protected:
  void SetUpGame(Game& g, uint64_t seed) {
    g.rng.Seed(seed);
    g.strongRng.Seed(seed * 31 + 7);
    g.opt.OptFlyCards = false;
    g.opt.SoundOn = false;
  }

  // Plays `deals` deals with the stronger player in `strongSeat`, calling
  // `before` ahead of each of its moves.
  template <class F>
  void Play(Game& g, int deals, int strongSeat, F before,
            const StrongSettings& settings = StrongSettings{}) {
    for (int d = 0; d < deals; ++d) {
      StartDeal(g, d > 0);
      GameState& gs = g.gs;
      gs.DealPhase = 2;
      CheckBlackHand(g);
      while (!gs.DealOver) {
        for (int half = 0; half < 2 && !gs.DealOver; ++half) {
          const int seat = gs.Turn;
          if (seat == strongSeat) {
            before(g, seat);
            ASSERT_TRUE(StrongComputerMove(g, seat, settings));
          } else {
            ComputerMove(g, seat);
          }
        }
        if (!gs.DealOver) CollectTrick(g);
      }
    }
  }
};

TEST_F(StrongDeals, PlaysOnlyCardsItHolds) {
  for (int strongSeat = 1; strongSeat <= 2; ++strongSeat) {
    Game g;
    SetUpGame(g, 100 + strongSeat);
    int moves = 0, swaps = 0;
    Play(g, 40, strongSeat, [&](Game& game, int seat) {
      GameState& gs = game.gs;
      std::vector<CardCode> hand(gs.Hand[seat].begin() + 1, gs.Hand[seat].begin() + 4);
      const bool leading = gs.Leader == seat;
      const bool couldSwap = leading && CanReplaceDeuce(game, seat);
      const CardCode turned = gs.Deck[40];
      // Look at what the move left behind once it is made.
      Game probe = game;
      ASSERT_TRUE(StrongComputerMove(probe, seat));
      const CardCode played = probe.gs.Table[leading ? 1 : 2];
      const bool swapped = couldSwap && !(probe.gs.Deck[40] == turned);
      if (swapped) {
        ++swaps;
        std::replace(hand.begin(), hand.end(), CardCode{'2', gs.Trump}, turned);
      }
      EXPECT_NE(std::find(hand.begin(), hand.end(), played), hand.end())
          << CardToUtf8(played) << " was not in the hand";
      EXPECT_NE(played, EmptyCard);
      ++moves;
    });
    EXPECT_GT(moves, 400);
    EXPECT_GT(swaps, 0);
  }
}

// Two games that look the same to the seat but differ in the cards it cannot
// see (the opponent's unknown cards and the deck under the turned-up card)
// must get the same move, at either level.
TEST_F(StrongDeals, SameMoveWhenOnlyUnseenCardsDiffer) {
  const struct {
    OpponentLevel level;
    int deals;
  } levels[] = {{OpponentLevel::Strong, 30}, {OpponentLevel::Expert, 8}};
  for (const auto& l : levels) {
    const StrongSettings settings = SettingsForLevel(l.level);
    Game g;
    SetUpGame(g, 7);
    RandomSource shuffle(99);
    int compared = 0, differed = 0;
    Play(
        g, l.deals, 1,
        [&](Game& game, int seat) {
          const int opp = seat == 1 ? 2 : 1;
          Game other = game;
          GameState& gs = other.gs;
          // The cards it knows the opponent holds stay put: the one it took
          // in a swap, and the last turned-up card.
          auto known = [&](CardCode c) {
            return c == game.TurnedAtDeal || c == game.gs.Deck[40];
          };
          std::vector<CardCode*> places;
          for (int k = 1; k <= gs.HandCount[opp]; ++k)
            if (!known(gs.Hand[opp][k])) places.push_back(&gs.Hand[opp][k]);
          for (int i = gs.DeckNext; i <= 39; ++i) places.push_back(&gs.Deck[i]);
          std::vector<CardCode> pool;
          for (CardCode* p : places) pool.push_back(*p);
          for (size_t i = pool.size(); i > 1; --i)
            std::swap(pool[i - 1], pool[shuffle.Below(static_cast<uint32_t>(i))]);
          for (size_t i = 0; i < places.size(); ++i) *places[i] = pool[i];
          for (int k = 1; k <= gs.HandCount[opp]; ++k) {
            const CardInfo c = CardInfoOf(gs.Hand[opp][k]);
            gs.HandOrder[opp][k] = c.order;
            gs.HandPoints[opp][k] = c.points;
          }
          for (int i = gs.DeckNext; i <= 39; ++i) {
            const CardInfo c = CardInfoOf(gs.Deck[i]);
            gs.DeckOrder[i] = c.order;
            gs.DeckPoints[i] = c.points;
          }
          ArrangeHand(gs, opp);
          if (!std::equal(gs.Hand[opp].begin() + 1, gs.Hand[opp].begin() + 4,
                          game.gs.Hand[opp].begin() + 1))
            ++differed;

          other.strongRng.Seed(compared);
          Game same = game;
          same.strongRng.Seed(compared);
          const StrongChoice a = StrongChoose(same, seat, settings);
          const StrongChoice b = StrongChoose(other, seat, settings);
          EXPECT_EQ(a.card, b.card) << "move " << compared;
          EXPECT_EQ(a.replaceDeuce, b.replaceDeuce) << "move " << compared;
          ++compared;
        },
        settings);
    EXPECT_GT(compared, l.deals * 10);
    EXPECT_GT(differed, compared / 2);
  }
}

// The table of solved positions and the window carried from trick to trick
// only save work: the strong player's moves and its use of the random stream
// stay those of the plain search.
TEST_F(StrongDeals, FastSearchPlaysAsThePlainSearch) {
  StrongSettings plain;
  plain.plainSearch = true;
  int compared = 0;
  for (int strongSeat = 1; strongSeat <= 2; ++strongSeat) {
    Game g;
    SetUpGame(g, 40 + strongSeat);
    Play(g, 12, strongSeat, [&](Game& game, int seat) {
      Game fast = game, slow = game;
      const StrongChoice a = StrongChoose(fast, seat);
      const StrongChoice b = StrongChoose(slow, seat, plain);
      ASSERT_EQ(a.card, b.card) << "move " << compared;
      ASSERT_EQ(a.replaceDeuce, b.replaceDeuce) << "move " << compared;
      ASSERT_EQ(fast.strongRng.Next(), slow.strongRng.Next());
      ++compared;
    });
  }
  EXPECT_GT(compared, 400);
}

// Against the standard player the opponent's true hand explains its plays
// better than hands that differ in one unseen card; every hand keeps some
// weight, since a person need not play by any rules.
TEST_F(StrongDeals, TrueHandExplainsTheStandardPlaysBest) {
  Game g;
  SetUpGame(g, 23);
  int better = 0, worse = 0;
  Play(g, 12, 1, [&](Game& game, int seat) {
    const GameState& gs = game.gs;
    const int opp = 2;
    if (gs.PlayedNext < 7 || gs.DeckNext > 39) return;
    std::vector<CardCode> hand(gs.Hand[opp].begin() + 1,
                               gs.Hand[opp].begin() + 1 + gs.HandCount[opp]);
    const double truth = OpponentHandWeight(game, seat, hand);
    ASSERT_GT(truth, 0);
    double sum = 0;
    int count = 0;
    for (size_t k = 0; k < hand.size(); ++k) {
      if (hand[k] == game.TurnedAtDeal || hand[k] == gs.Deck[40]) continue;  // seen
      for (int i = gs.DeckNext; i <= 39; ++i) {
        std::vector<CardCode> other = hand;
        other[k] = gs.Deck[i];
        const double w = OpponentHandWeight(game, seat, other);
        ASSERT_GT(w, 0) << "move " << better + worse;
        sum += w;
        ++count;
      }
    }
    if (count == 0) return;
    if (truth > sum / count * 1.001) ++better;
    if (truth < sum / count * 0.999) ++worse;
    // A card it has seen elsewhere cannot be in the opponent's hand.
    std::vector<CardCode> impossible = hand;
    impossible[0] = gs.Hand[seat][1];
    EXPECT_EQ(OpponentHandWeight(game, seat, impossible), 0);
  });
  EXPECT_GT(better, 40);
  EXPECT_GT(better, 3 * worse);
}

TEST_F(StrongDeals, SameSeedSameMoves) {
  std::string first, second;
  for (std::string* out : {&first, &second}) {
    Game g;
    SetUpGame(g, 5);
    Play(g, 6, 2, [&](Game& game, int seat) {
      Game probe = game;
      StrongComputerMove(probe, seat);
      *out += probe.gs.Table[probe.gs.Leader == seat ? 1 : 2].Bytes();
    });
  }
  EXPECT_EQ(first, second);
  EXPECT_GT(first.size(), 100u);
}

TEST(StrongOpponent, MoveDriverPlaysTheLevelAsked) {
  // The standard rules lead the jack of clubs here, the searching players the
  // king of hearts.
  const struct {
    OpponentLevel level;
    const char* lead;
  } cases[] = {{OpponentLevel::Standard, "Вк"},
               {OpponentLevel::Strong, "Кч"},
               {OpponentLevel::Expert, "Кч"}};
  for (const auto& c : cases) {
    Game g;
    g.opt.Opponent = c.level;
    SetUpPosition(g, {kDiamonds, "5бВкКч", "6бДб3к", "", "", 54, 47});
    EXPECT_TRUE(ComputerToMove(g));
    MoveDriverTick(g);
    EXPECT_EQ(CardToUtf8(g.gs.Table[1]), c.lead);
    EXPECT_EQ(g.gs.Turn, 2);
    EXPECT_FALSE(ComputerToMove(g));
  }
}

TEST(StrongOpponent, MoveDriverPlaysADecidedMoveAndRethinksAStaleOne) {
  Game g;
  g.opt.Opponent = OpponentLevel::Strong;
  SetUpPosition(g, {kDiamonds, "5бВкКч", "6бДб3к", "", "", 54, 47});
  const StrongChoice decided{false, Card("5б")};
  MoveDriverTick(g, &decided);
  EXPECT_EQ(CardToUtf8(g.gs.Table[1]), "5б");

  // A card no longer held is not played; the tick thinks again instead.
  Game h;
  h.opt.Opponent = OpponentLevel::Strong;
  SetUpPosition(h, {kDiamonds, "5бВкКч", "6бДб3к", "", "", 54, 47});
  const StrongChoice stale{false, Card("Тп")};
  MoveDriverTick(h, &stale);
  EXPECT_EQ(CardToUtf8(h.gs.Table[1]), "Кч");
}

// A mid-deal position of a real deal, seat 1 to move with cards in the deck.
Game MidDeal(uint64_t seed) {
  Game g;
  g.rng.Seed(seed);
  g.opt.OptFlyCards = false;
  g.opt.SoundOn = false;
  StartDeal(g, false);
  g.gs.DealPhase = 2;
  g.gs.Turn = g.gs.Leader = 1;
  for (int trick = 0; trick < 6 && !g.gs.DealOver; ++trick) {
    ComputerMove(g, g.gs.Turn);
    ComputerMove(g, g.gs.Turn);
    CollectTrick(g);
  }
  if (g.gs.Turn == 2) ComputerMove(g, 2);
  return g;
}

bool WaitReady(const MoveThinker& t) {
  for (int i = 0; i < 2000 && !t.Ready(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return t.Ready();
}

TEST(MoveThinker, ThinksAsInPlaceAndDropsWorkForAnotherPosition) {
  for (uint64_t seed : {3, 8, 21}) {
    Game g = MidDeal(seed);
    ASSERT_EQ(g.gs.Turn, 1);
    ASSERT_LE(g.gs.DeckNext, 40);
    g.strongRng.Seed(seed);
    Game inPlace = g;
    const StrongSettings expert = SettingsForLevel(OpponentLevel::Expert);
    const StrongChoice want = StrongChoose(inPlace, 1, expert);

    MoveThinker t;
    EXPECT_FALSE(t.Take(g));  // idle
    t.Start(g, 1, expert);
    EXPECT_TRUE(t.Thinking());
    ASSERT_TRUE(WaitReady(t));
    const auto got = t.Take(g);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->card, want.card);
    EXPECT_EQ(got->replaceDeuce, want.replaceDeuce);
    EXPECT_EQ(g.strongRng.Next(), inPlace.strongRng.Next());
    EXPECT_FALSE(t.Thinking());

    // The position moves on before the move is taken: the work is dropped
    // and the random stream stays where it was.
    t.Start(g, 1, expert);
    Game before = g;
    ASSERT_TRUE(ApplyChoice(g, 1, want));
    ASSERT_TRUE(WaitReady(t));
    EXPECT_FALSE(t.Take(g));
    EXPECT_EQ(g.strongRng.Next(), before.strongRng.Next());
  }
}

TEST(MoveThinker, CancelStopsALongSearch) {
  Game g = MidDeal(5);
  StrongSettings endless = SettingsForLevel(OpponentLevel::Expert);
  endless.samples = endless.maxSamples = 1 << 30;  // hours of work unless stopped
  MoveThinker t;
  t.Start(g, 1, endless);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(t.Ready());
  const auto start = std::chrono::steady_clock::now();
  t.Cancel();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(t.Thinking());
  EXPECT_FALSE(t.Take(g));
}

}  // namespace
}  // namespace zarnet
