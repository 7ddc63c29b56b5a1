#include "engine.h"
#include "strong_opponent.h"

namespace zarnet {

void OfferReplaceDeuce(Game& g) {
  if (!CanReplaceDeuce(g, 2)) return;
  g.View().EnableButton(GameButton::Lower, true);
  g.View().SetButtonText(GameButton::Lower, ButtonText::ReplaceDeuce);
}

namespace {

void SeatOneMove(Game& g) {
  if (g.opt.StrongOpponent) {
    StrongComputerMove(g, 1);
  } else {
    ComputerMove(g, 1);
  }
}

}  // namespace

void MoveDriverTick(Game& g) {
  GameState& gs = g.gs;
  if (!gs.DealActive || gs.DealPhase != 2 || g.opt.NetGame || g.opt.OnlineGame) return;
  TableView& v = g.View();
  if (gs.Leader == 1 && gs.Turn == 1) {
    SeatOneMove(g);
    v.SetButtonText(GameButton::Upper, ButtonText::Ok);
    v.EnableButton(GameButton::Upper, false);
  } else if (gs.Leader == 2 && gs.Turn == 1) {
    SeatOneMove(g);
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

}  // namespace zarnet

namespace zarnet {

void UpperButtonClick(Game& g) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  if (!gs.DealActive) return;
  if (gs.DealPhase == 1) {
    gs.DealPhase = 2;
    v.EnableButton(GameButton::Upper, false);
    v.SetButtonText(GameButton::Upper, ButtonText::Ok);
    g.TimerEnabled = true;
    CheckBlackHand(g);
  } else if (gs.Turn == kTurnTrickDone && !gs.DealOver) {
    v.DrawNamePlate(1, g.SeatName[1], 'y');
    v.DrawNamePlate(2, g.SeatName[2], 'y');
    CollectTrick(g);
  } else if (gs.Turn == kTurnTrickDone && gs.DealOver && !g.opt.OnlineGame) {
    g.TimerEnabled = false;
    StartDeal(g, true);
  }
}

bool PlayerPlayCard(Game& g, int slot, int x) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  if (!gs.DealActive || gs.DealPhase != 2 || gs.Turn != 2) return false;
  if (slot < 1 || slot > 3 || gs.Hand[2][slot] == EmptyCard) return false;
  gs.PlayedCardX = x;
  v.EnableButton(GameButton::Lower, false);
  v.SetButtonText(GameButton::Lower, ButtonText::ExitToMenu);
  PlayCard(g, 2, slot);
  v.DrawNamePlate(1, g.SeatName[1], 'y');
  v.DrawNamePlate(2, g.SeatName[2], 'y');
  if (gs.Leader == 2) {
    gs.Turn = 1;
    v.EnableButton(GameButton::Upper, false);
  } else {
    gs.Turn = kTurnTrickDone;
    if (!g.opt.NetGame && !g.opt.OnlineGame && !gs.DealOver) v.EnableButton(GameButton::Upper, true);
  }
  return true;
}

}  // namespace zarnet
