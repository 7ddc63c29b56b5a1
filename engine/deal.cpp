#include <cstring>

#include "engine.h"
#include "number_text.h"

namespace zarnet {
namespace {

std::string PadRight(std::string s, size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Counters of a series that starts from nothing.
void StartFromZero(Game& g) {
  GameState& gs = g.gs;
  gs.KonNo = gs.KonAtStart = gs.ScoreBase = gs.ScoreDiff = gs.SeriesScore = 0;
  gs.SeriesRating = 0.0;
  g.player.StoredRating = 0.0;
  g.player.StoredKon = 0;
  g.player.KonText = "      0";
  g.player.ScoreText = "     0";
}

void LoadSeriesPlayer(Game& g) {
  GameState& gs = g.gs;
  const uint8_t slot = g.opt.PlayerSlot;
  if (slot >= 1 && slot <= 5) {
    std::string line = g.records ? g.records->PlayerLine(g.opt.NetGame, slot) : std::string();
    line = PadRight(std::move(line), 59);
    g.player.Name = line.substr(0, 20);
    g.player.StoredRating = ReadDecimal(line.substr(20, 10)).value_or(0.0);
    g.player.KonText = line.substr(30, 7);
    g.player.ScoreText = line.substr(38, 6);
    g.player.PasswordField = line.substr(44, 15);
    gs.KonNo = static_cast<int32_t>(ReadInteger(g.player.KonText).value_or(0));
    gs.ScoreBase = static_cast<int32_t>(ReadInteger(g.player.ScoreText).value_or(0));
    g.player.StoredKon = gs.KonNo;
    gs.KonAtStart = gs.KonNo;
    gs.ScoreDiff = 0;
    gs.SeriesScore = gs.ScoreBase;
    gs.SeriesRating = g.player.StoredRating;
  } else if (slot == kSlotAccount) {
    const TKuvGame acc = g.records ? g.records->AccountGame() : TKuvGame{};
    g.player.Name = PadRight(g.records ? g.records->AccountNick() : std::string(), 20);
    if (acc.Kon == 0) {
      StartFromZero(g);
    } else {
      gs.KonNo = acc.Kon;
      gs.ScoreBase = acc.Score;
      g.player.StoredRating = acc.Rating;
      g.player.StoredKon = acc.Kon;
      g.player.KonText = RightAligned(acc.Kon, 7);
      g.player.ScoreText = RightAligned(acc.Score, 6);
      gs.KonAtStart = gs.KonNo;
      gs.ScoreDiff = 0;
      gs.SeriesScore = gs.ScoreBase;
      gs.SeriesRating = acc.Rating;
    }
  } else if (slot == kSlotOnline) {
    const TKuvClient c = g.records ? g.records->OnlineClient() : TKuvClient{};
    gs.KonNo = gs.KonAtStart = c.Kon;
    gs.ScoreDiff = 0;
    gs.ScoreBase = gs.SeriesScore = c.Score;
    gs.SeriesRating = c.Rating;
    g.player.StoredRating = c.Rating;
    g.player.StoredKon = c.Kon;
    g.OnlineKon = 0;
  } else {
    StartFromZero(g);
  }
}

void ClearHands(GameState& gs) {
  for (int s = 1; s <= 2; ++s) {
    for (int i = 1; i <= 40; ++i) {
      gs.Hand[s][i] = EmptyCard;
      gs.HandOrder[s][i] = 0;
      gs.HandPoints[s][i] = 0;
    }
  }
}

}  // namespace

void ShuffleDeck(Game& g) {
  // Each position takes a card number not taken yet, drawing again on a
  // repeat: a uniform permutation by rejection.
  uint8_t numbers[41];
  uint64_t taken = 0;
  for (int p = 1; p <= 40; ++p) {
    uint32_t r;
    do {
      r = g.rng.Below(40) + 1;
    } while (taken & (uint64_t{1} << r));
    taken |= uint64_t{1} << r;
    numbers[p] = static_cast<uint8_t>(r);
  }
  GameState& gs = g.gs;
  for (int i = 1; i <= 40; ++i) {
    const CardInfo& c = kDeckTable[numbers[i]];
    gs.Deck[i] = c.code;
    gs.DeckOrder[i] = c.order;
    gs.DeckPoints[i] = c.points;
  }
}

void GiveDeckCards(GameState& gs, int seat, int first) {
  for (int k = 1; k <= 3; ++k) {
    gs.Hand[seat][k] = gs.Deck[first + k - 1];
    gs.HandOrder[seat][k] = gs.DeckOrder[first + k - 1];
    gs.HandPoints[seat][k] = gs.DeckPoints[first + k - 1];
  }
  gs.HandCount[seat] = 3;
}

void ResetDeal(GameState& gs) {
  gs.DealSettled = false;
  gs.DeckEmptyAnnounced = false;
  gs.DeckNext = 7;
  gs.PlayedNext = 1;
  for (int i = 1; i <= 40; ++i) gs.Played[i] = EmptyCard;
  gs.DealPhase = 1;
  gs.DealOver = false;
  gs.DealActive = true;
  gs.TrickPoints[1] = gs.TrickPoints[2] = 0;
  for (int i = 1; i <= 4; ++i) {
    gs.Table[i] = EmptyCard;
    gs.TableOrder[i] = 0;
    gs.TablePoints[i] = 0;
  }
}

void StartDeal(Game& g, bool continueSeries) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  const bool host = g.opt.NetGame && g.opt.NetRole == 1;
  const bool guest = g.opt.NetGame && g.opt.NetRole == 2;

  if (!continueSeries) {
    gs.GameScore[1] = gs.GameScore[2] = 0;
    gs.Turn = 0;
    LoadSeriesPlayer(g);
  }

  // The guest counts the call that starts its series and each deck that
  // arrives after a finished deal.
  if (!g.opt.NetGame || host || (guest && (!continueSeries || gs.Turn == kTurnTrickDone))) {
    ++gs.KonNo;
  }
  if (g.opt.OnlineGame) ++g.OnlineKon;

  if (!g.opt.NetGame) {
    g.opt.NetRole = 0;
    g.SeatName[1] = "PC";
    g.SeatName[2] = TrimRight(g.player.Name);
  }

  g.RevealSeat1 = false;
  g.TurnedAtDeal = EmptyCard;
  if (!g.opt.OnlineGame && (!g.opt.NetGame || host)) {
    ClearHands(gs);
    if (g.PresetDeck.size() == 80) {
      for (int i = 1; i <= 40; ++i) {
        const CardInfo c = CardInfoOf({g.PresetDeck[2 * i - 2], g.PresetDeck[2 * i - 1]});
        gs.Deck[i] = c.code;
        gs.DeckOrder[i] = c.order;
        gs.DeckPoints[i] = c.points;
      }
      g.PresetDeck.clear();
    } else {
      ShuffleDeck(g);
    }
    gs.Trump = gs.Deck[40].suit;
    g.TurnedAtDeal = gs.Deck[40];
    GiveDeckCards(gs, 1, 1);
    GiveDeckCards(gs, 2, 4);
    g.WaitingForDeck = false;
    if (host && g.hooks) g.hooks->SendDeckToPeer();
  } else if (guest) {
    // The host's deck message has already filled the hands of a further deal.
    g.WaitingForDeck = !continueSeries;
    if (g.WaitingForDeck) ClearHands(gs);
  }

  if (g.opt.OnlineGame) {
    const bool odd = g.OnlineKon % 2 == 1;
    gs.Turn = (g.TablePlace == 1) == odd ? 2 : 1;
  } else {
    gs.Turn = static_cast<uint8_t>(gs.KonNo % 2 + 1);
    if (guest) gs.Turn = gs.Turn == 1 ? 2 : 1;
  }
  gs.Leader = gs.Turn;

  ResetDeal(gs);

  // Table set-up.
  v.ChooseBackOfDay();
  v.EnableSeriesMenu(true);
  v.SetButtonText(GameButton::Lower, ButtonText::ExitToMenu);
  v.LayoutTableScreen();
  v.DrawTurnTimer(1, -1);
  v.DrawTurnTimer(2, -1);
  v.DrawTableCards();
  v.DrawNamePlate(1, "", 'y');
  v.DrawNamePlate(2, "", 'y');
  v.DrawDeckPanel(EmptyCard, '#', 100);
  v.SetButtonText(GameButton::Upper, ButtonText::ToBegin);
  v.SetButtonsVisible(true);
  v.EnableButton(GameButton::Upper, !guest && (!g.opt.OnlineGame || gs.Turn == 2));
  v.EnableButton(GameButton::Lower, false);
  v.DrawDealCounter();
  for (int s = 1; s <= 2; ++s) {
    v.DrawScorePanel(s, gs.Leader == s ? kMarkSeat : kUnmarkSeat, true, gs.GameScore[s],
                     kClearField, gs.TrickPoints[s]);
  }
  g.TimerIntervalMs = 200;
  g.TimerEnabled = false;
  if (guest && g.WaitingForDeck) {
    v.ShowHandNotice(1, v.Text(EngineText::ExpectationOfServer));
    return;
  }
  RedrawHand(g, 1);
  RedrawHand(g, 2);
  v.DrawNamePlate(1, g.SeatName[1], 'y');
  v.DrawNamePlate(2, g.SeatName[2], 'y');
  v.DrawDeckPanel(gs.Deck[40], gs.Trump, gs.DeckNext);
  g.Play("WTasoKo", false);
}

}  // namespace zarnet
