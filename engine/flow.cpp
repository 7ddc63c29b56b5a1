#include "engine.h"
#include "series.h"
#include "strong_opponent.h"

namespace zarnet {

void OfferReplaceDeuce(Game& g) {
  if (!CanReplaceDeuce(g, 2)) return;
  g.View().EnableButton(GameButton::Lower, true);
  g.View().SetButtonText(GameButton::Lower, ButtonText::ReplaceDeuce);
}

namespace {

void SeatOneMove(Game& g, const StrongChoice* decided) {
  // A move thought out elsewhere that no longer fits is thought out again here.
  if (decided && ApplyChoice(g, 1, *decided)) return;
  LevelComputerMove(g, 1, g.opt.Opponent);
}

}  // namespace

bool ComputerToMove(const Game& g) {
  const GameState& gs = g.gs;
  return gs.DealActive && gs.DealPhase == 2 && !g.opt.NetGame && !g.opt.OnlineGame &&
         gs.Turn == 1 && !gs.DealOver;
}

void MoveDriverTick(Game& g, const StrongChoice* decided) {
  GameState& gs = g.gs;
  if (!gs.DealActive || gs.DealPhase != 2 || g.opt.NetGame || g.opt.OnlineGame) return;
  TableView& v = g.View();
  if (gs.Leader == 1 && gs.Turn == 1) {
    SeatOneMove(g, decided);
    v.SetButtonText(GameButton::Upper, ButtonText::Ok);
    v.EnableButton(GameButton::Upper, false);
  } else if (gs.Leader == 2 && gs.Turn == 1) {
    SeatOneMove(g, decided);
    if (!gs.DealOver) {
      v.SetButtonText(GameButton::Upper, ButtonText::Ok);
      v.EnableButton(GameButton::Upper, true);
    }
  } else if (gs.Leader == 2 && gs.Turn == 2) {
    OfferReplaceDeuce(g);
  }
}

void SetUpButtonsAfterDeal(Game& g) {
  const GameState& gs = g.gs;
  TableView& v = g.View();
  const bool odd = gs.KonNo % 2 != 0;
  if (g.opt.OnlineGame) {
    const bool matchRunning = gs.KonNo - gs.KonAtStart < 2;
    v.EnableButton(GameButton::Upper, matchRunning && g.TablePlace == 1);
    v.EnableButton(GameButton::Lower, !matchRunning);
    return;
  }
  if (!g.opt.NetGame) {
    v.EnableButton(GameButton::Upper, gs.KonNo % 50 != 0);
    v.EnableButton(GameButton::Lower, true);
  } else {
    v.EnableButton(GameButton::Upper, g.opt.NetRole == 1 && odd);
    v.EnableButton(GameButton::Lower, !odd);
  }
  if (g.opt.PlayerSlot == kSlotAccount) {
    v.EnableButton(GameButton::Upper, odd);
    v.EnableButton(GameButton::Lower, !odd);
  }
}


namespace {

void TellPeer(Game& g, PeerEvent e, CardCode card = EmptyCard) {
  if ((g.opt.NetGame || g.opt.OnlineGame) && g.hooks) g.hooks->TellPeer(e, card);
}

}  // namespace

void UpperButtonClick(Game& g) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  if (!gs.DealActive) return;
  if (gs.DealPhase == 1) {
    if (g.opt.OnlineGame || g.opt.NetRole == 1) TellPeer(g, PeerEvent::Begin);
    gs.DealPhase = 2;
    v.EnableButton(GameButton::Upper, false);
    v.SetButtonText(GameButton::Upper, ButtonText::Ok);
    g.TimerEnabled = true;
    CheckBlackHand(g);
  } else if (gs.Turn == kTurnTrickDone && !gs.DealOver) {
    v.DrawNamePlate(1, g.SeatName[1], 'y');
    v.DrawNamePlate(2, g.SeatName[2], 'y');
    TellPeer(g, PeerEvent::Collect);
    CollectTrick(g);
  } else if (gs.Turn == kTurnTrickDone && gs.DealOver) {
    if (g.opt.OnlineGame) {
      TellPeer(g, PeerEvent::NextDeal);  // the table server deals
    } else {
      g.TimerEnabled = false;
      StartDeal(g, true);
    }
  }
}

bool PlayerPlayCard(Game& g, int slot, int x) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  if (!gs.DealActive || gs.DealPhase != 2 || gs.Turn != 2) return false;
  if (slot < 1 || slot > 3 || gs.Hand[2][slot] == EmptyCard) return false;
  gs.PlayedCardX = x;
  TellPeer(g, PeerEvent::Play, gs.Hand[2][slot]);
  v.EnableButton(GameButton::Lower, false);
  v.SetButtonText(GameButton::Lower, ButtonText::ExitToMenu);
  PlayCard(g, 2, slot);
  v.DrawNamePlate(1, g.SeatName[1], 'y');
  v.DrawNamePlate(2, g.SeatName[2], 'y');
  if (gs.Leader == 2) {
    gs.Turn = 1;
    v.EnableButton(GameButton::Upper, false);
    TellPeer(g, PeerEvent::Next);
  } else {
    gs.Turn = kTurnTrickDone;
    if (!g.opt.NetGame && !g.opt.OnlineGame && !gs.DealOver) v.EnableButton(GameButton::Upper, true);
  }
  return true;
}


bool LowerButtonClick(Game& g, SeriesBooks& books, SeriesOutlets& out) {
  GameState& gs = g.gs;
  if (!gs.DealSettled) return LowerButtonReplacesDeuce(g);
  gs.FinalScore = gs.SeriesScore;
  CloseSeries(g, books, out, gs.ScoreDiff, gs.KonNo - gs.KonAtStart);
  g.opt.OnlineGame = false;
  return true;
}

bool LowerButtonReplacesDeuce(Game& g) {
  GameState& gs = g.gs;
  if (gs.DealSettled || gs.Turn != 2 || !CanReplaceDeuce(g, 2)) return false;
  TellPeer(g, PeerEvent::ChangeDeuce);
  ReplaceDeuce(g, 2);
  return true;
}

}  // namespace zarnet
