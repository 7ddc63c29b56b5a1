#include "engine.h"

namespace zarnet {
namespace {

int Other(int seat) { return seat == 1 ? 2 : 1; }

Point At(Game& g, Anchor a, int seat, int slot = 0) { return g.View().AnchorPoint(a, seat, slot); }

void Fly(Game& g, Point from, Point to, CardCode card) {
  g.View().FlyCard(from.x, from.y, to.x, to.y, card, true);
}

constexpr CardCode kBackCode{'0', '0'};

void EndDeal(Game& g) {
  GameState& gs = g.gs;
  gs.DealOver = true;
  if (gs.TrickPoints[1] >= 61) {
    gs.GameScore[1] += 10;
    g.Play("WKoBadX", false);
  }
  if (gs.TrickPoints[2] >= 61) {
    gs.GameScore[2] += 10;
    g.Play("WKoGutX", false);
  }
  if (gs.TrickPoints[1] == 60 && gs.TrickPoints[2] == 60) g.Play("WPlMore", false);
  const int winner = gs.TrickPoints[1] >= 61 ? 1 : gs.TrickPoints[2] >= 61 ? 2 : 0;
  g.View().ShowDealResult(winner, gs.TrickPoints[1], gs.TrickPoints[2]);
  gs.GameScore[1] += gs.TrickPoints[1];
  gs.GameScore[2] += gs.TrickPoints[2];
  SetUpButtonsAfterDeal(g);
  g.RevealSeat1 = true;
  RedrawHand(g, 1);
  g.View().SetButtonText(GameButton::Upper, ButtonText::NextGame);
  gs.DealSettled = true;
  BookDealResult(g);
  if (g.opt.OnlineGame && g.hooks) g.hooks->OnlineDealEnded();
}

bool HasBlackHand(const GameState& gs, int seat) {
  const auto& h = gs.Hand[seat];
  return h[1] == CardCode{kKing, gs.Trump} && h[2] == CardCode{'3', gs.Trump} &&
         h[3] == CardCode{kAce, gs.Trump};
}

}  // namespace

void RedrawHand(Game& g, int seat) {
  ArrangeHand(g.gs, seat);
  g.View().DrawHand(seat, seat == 1 && g.RevealSeat1);
}

int TrickWinnerOf(int leader, char trump, CardCode ledCard, CardCode answerCard, int ledOrder,
                  int answerOrder) {
  bool ledWins;
  if (ledCard.suit == answerCard.suit) {
    ledWins = ledOrder > answerOrder;
  } else if (ledCard.suit == trump) {
    ledWins = true;
  } else {
    ledWins = answerCard.suit != trump;
  }
  return ledWins ? leader : Other(leader);
}

void PlayCard(Game& g, int seat, int slot) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  const CardCode card = gs.Hand[seat][slot];
  const uint8_t order = gs.HandOrder[seat][slot];
  const uint8_t points = gs.HandPoints[seat][slot];
  const int place = seat == gs.Leader ? 1 : 2;
  gs.Table[place] = card;
  gs.TableOrder[place] = order;
  gs.TablePoints[place] = points;

  gs.Hand[seat][slot] = EmptyCard;
  gs.HandOrder[seat][slot] = 0;
  gs.HandPoints[seat][slot] = 0;
  --gs.HandCount[seat];
  RedrawHand(g, seat);

  if (g.opt.OptFlyCards) {
    // The player's card starts where it was clicked; PlayedCardX is the card's
    // x inside the hand area.
    const Point origin = At(g, Anchor::HandOrigin, 2);
    const Point from = seat == 2 ? Point{origin.x + gs.PlayedCardX, origin.y}
                                 : At(g, Anchor::HandMiddle, 1);
    Fly(g, from, At(g, Anchor::TablePlace, seat), card);
  }
  v.DrawCard(TableArea::Table, seat, card);
  g.Play("WHodsDo", true);
  v.Pause(200);

  if (seat == gs.Leader) return;

  gs.TrickWinner = static_cast<uint8_t>(TrickWinnerOf(gs.Leader, gs.Trump, gs.Table[1],
                                                      gs.Table[2], gs.TableOrder[1],
                                                      gs.TableOrder[2]));
  const int p = gs.TablePoints[1] + gs.TablePoints[2];
  gs.TrickPoints[gs.TrickWinner] += p;
  if (gs.HandCount[1] == 0 && gs.HandCount[2] == 0) EndDeal(g);
  const int w = gs.TrickWinner;
  const int l = Other(w);
  v.DrawScorePanel(w, kMarkSeat, false, gs.GameScore[w], p, gs.TrickPoints[w]);
  v.DrawScorePanel(l, kUnmarkSeat, false, gs.GameScore[l], kClearField, gs.TrickPoints[l]);
}

void DrawFromDeck(Game& g, int seat) {
  GameState& gs = g.gs;
  if (gs.HandCount[seat] >= 3 || gs.DeckNext > 40) return;
  if (g.opt.OptFlyCards) Fly(g, At(g, Anchor::Deck, seat), At(g, Anchor::HandMiddle, seat), kBackCode);
  const int slot = gs.HandCount[seat] + 1;
  gs.Hand[seat][slot] = gs.Deck[gs.DeckNext];
  gs.HandOrder[seat][slot] = gs.DeckOrder[gs.DeckNext];
  gs.HandPoints[seat][slot] = gs.DeckPoints[gs.DeckNext];
  ++gs.DeckNext;
  ++gs.HandCount[seat];
  g.View().DrawDeckPanel(gs.DeckNext <= 40 ? gs.Deck[40] : EmptyCard, gs.Trump, gs.DeckNext);
  RedrawHand(g, seat);
  if (g.opt.OptFlyCards) g.View().Pause(200);
}

void CollectTrick(Game& g) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  // The trick's "Ok" is spent: nothing is left for it until the next trick is on the table.
  v.EnableButton(GameButton::Upper, false);
  const int winner = gs.TrickWinner;
  const int loser = Other(winner);
  const int ledSeat = gs.Leader;  // Table[1] is this seat's card
  gs.Turn = gs.Leader = static_cast<uint8_t>(winner);
  const CardCode ledCard = gs.Table[1];
  const CardCode answerCard = gs.Table[2];
  gs.Played[gs.PlayedNext] = ledCard;
  gs.Played[gs.PlayedNext + 1] = answerCard;
  gs.PlayedNext += 2;

  if (g.opt.OptFlyCards) {
    const CardCode winnerCard = ledSeat == winner ? ledCard : answerCard;
    const CardCode loserCard = ledSeat == winner ? answerCard : ledCard;
    const Point target = At(g, Anchor::WinnerSide, winner);
    v.DrawTableCards();
    v.DrawCard(TableArea::Table, winner, winnerCard);
    Fly(g, At(g, Anchor::TablePlace, loser), target, loserCard);
    v.Pause(200);
    v.DrawTableCards();
    Fly(g, At(g, Anchor::TablePlace, winner), target, winnerCard);
  } else {
    v.DrawTableCards();
  }

  if (gs.HandCount[1] <= 2) {
    const int draws = 3 - gs.HandCount[1];
    for (int i = 0; i < draws; ++i) {
      DrawFromDeck(g, winner);
      DrawFromDeck(g, loser);
    }
  }
  if (!gs.DeckEmptyAnnounced && gs.DeckNext > 40) {
    g.Play("WKoloNo", true);
    gs.DeckEmptyAnnounced = true;
  }
  for (int i = 1; i <= 4; ++i) {
    gs.Table[i] = EmptyCard;
    gs.TableOrder[i] = 0;
    gs.TablePoints[i] = 0;
  }
  for (int s = 1; s <= 2; ++s) v.DrawScorePanel(s, kKeepMark, false, kKeepField, kClearField, kKeepField);
  CheckBlackHand(g);
  if (gs.Turn != kTurnTrickDone) v.EnableButton(GameButton::Upper, false);
  if (gs.Leader == 2 && gs.Turn == 2) OfferReplaceDeuce(g);
}

void CheckBlackHand(Game& g) {
  GameState& gs = g.gs;
  if (!g.opt.OptBlackHand) return;
  const bool black1 = HasBlackHand(gs, 1);
  const bool black2 = HasBlackHand(gs, 2);
  if (!black1 && !black2) return;
  TableView& v = g.View();
  g.RevealSeat1 = true;
  RedrawHand(g, 1);
  const std::string text = v.Text(EngineText::BlackHand) + "!";
  if (black1) v.DrawNamePlate(1, text, 'b');
  if (black2) v.DrawNamePlate(2, text, 'b');
  g.Play("WPlMore", true);
  // Both seats cannot hold the king, three and ace of trumps at once.
  const int seat = black1 ? 1 : 2;
  gs.GameScore[seat] += 120;
  v.DrawScorePanel(1, seat == 1 ? kMarkSeat : kUnmarkSeat, false, gs.GameScore[1], kClearField,
                   gs.TrickPoints[1]);
  v.DrawScorePanel(2, seat == 2 ? kMarkSeat : kUnmarkSeat, false, gs.GameScore[2], kClearField,
                   gs.TrickPoints[2]);
  g.Play(seat == 1 ? "WKoBadX" : "WKoGutX", false);
  v.ShowDealResult(seat, seat == 1 ? 120 : 0, seat == 2 ? 120 : 0);
  gs.DealOver = true;
  SetUpButtonsAfterDeal(g);
  BookDealResult(g);
  v.SetButtonText(GameButton::Upper, ButtonText::NextGame);
  gs.DealSettled = true;
  gs.Turn = kTurnTrickDone;
  if (g.opt.OnlineGame && g.hooks) g.hooks->OnlineDealEnded();
}

bool CanReplaceDeuce(const Game& g, int seat) {
  const GameState& gs = g.gs;
  if (!g.opt.OptReplaceDeuce || gs.DeckNext > 39) return false;
  const CardCode deuce{'2', gs.Trump};
  for (int slot = 1; slot <= 3; ++slot)
    if (gs.Hand[seat][slot] == deuce) return true;
  return false;
}

void ReplaceDeuce(Game& g, int seat) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  if (!CanReplaceDeuce(g, seat)) return;
  v.EnableButton(GameButton::Upper, false);
  v.EnableButton(GameButton::Lower, false);
  v.DrawDeckPanel(EmptyCard, gs.Trump, gs.DeckNext);

  const CardCode turned = gs.Deck[40];
  if (g.opt.OptFlyCards) Fly(g, At(g, Anchor::Deck, seat), At(g, Anchor::HandSlot, seat, 4), turned);
  gs.Hand[seat][4] = turned;
  gs.HandOrder[seat][4] = gs.DeckOrder[40];
  gs.HandPoints[seat][4] = gs.DeckPoints[40];
  gs.HandCount[seat] = 4;
  RedrawHand(g, seat);
  g.Play("WPlMore", true);
  v.Pause(500);

  const CardCode deuce{'2', gs.Trump};
  int deuceSlot = 1;
  for (int slot = 1; slot <= 4; ++slot)
    if (gs.Hand[seat][slot] == deuce) deuceSlot = slot;
  gs.Hand[seat][deuceSlot] = EmptyCard;
  gs.HandOrder[seat][deuceSlot] = 99;
  gs.HandPoints[seat][deuceSlot] = 99;
  const Point deuceFrom = At(g, Anchor::HandSlot, seat, deuceSlot);
  RedrawHand(g, seat);
  if (g.opt.OptFlyCards) Fly(g, deuceFrom, At(g, Anchor::Deck, seat), deuce);

  gs.Deck[40] = deuce;
  gs.DeckOrder[40] = 1;
  gs.DeckPoints[40] = 0;
  v.DrawDeckPanel(gs.Deck[40], gs.Trump, gs.DeckNext);
  g.Play("WHodsDo", true);
  v.SetButtonText(GameButton::Lower, ButtonText::ExitToMenu);
}

}  // namespace zarnet
