#include "table_link.h"

#include "engine.h"
#include "number_text.h"
#include "peer_protocol.h"

namespace zarnet {
namespace {

void EndMatch(Game& g, TableLink& link, TableOutlet& out, MatchEnd why) {
  link.TableLinkState = 10;
  g.gs.DealSettled = true;
  link.TimerRunning = false;
  g.View().DrawTurnTimer(1, -1);
  g.View().DrawTurnTimer(2, -1);
  out.MatchEnded(why);
  out.CloseSocket();
  g.View().EnableButton(GameButton::Upper, false);
  g.View().EnableButton(GameButton::Lower, true);
  g.gs.Turn = kTurnMatchAborted;
}

// The deal the server sent: the player in table seat 1 holds Deck[1..3].
bool TakeDeck(Game& g, TableLink& link, TableOutlet& out, std::string_view m) {
  GameState next = g.gs;
  if (!ReadDeckBlocks(m.substr(1, 240), &next)) return false;
  for (int s = 1; s <= 2; ++s)
    for (int k = 1; k <= 4; ++k) {
      next.Hand[s][k] = EmptyCard;
      next.HandOrder[s][k] = 99;
      next.HandPoints[s][k] = 99;
    }
  GiveDeckCards(next, 2, link.PlaySeat == 1 ? 1 : 4);
  GiveDeckCards(next, 1, link.PlaySeat == 1 ? 4 : 1);
  next.Trump = next.Deck[40].suit;
  const bool firstDeal = g.gs.KonNo == 0;
  g.gs = next;
  g.opt.OnlineGame = true;
  g.opt.OptBlackHand = g.opt.OptReplaceDeuce = true;
  g.opt.PlayerSlot = kSlotOnline;
  g.TablePlace = link.PlaySeat;
  if (firstDeal) out.CloseLobby();
  StartDeal(g, !firstDeal);
  link.TimerSeat = g.gs.Turn;
  link.MoveCountdown = kMoveSeconds;
  link.TimerRunning = true;
  out.DealStarted();
  return true;
}

void ApplyMove(Game& g, TableLink& link, TableOutlet& out, std::string_view f) {
  GameState& gs = g.gs;
  TableView& v = g.View();
  v.DrawNamePlate(1, g.SeatName[1], 'y');
  v.DrawNamePlate(2, g.SeatName[2], 'y');
  if (f.substr(0, 4) == "hhod") {
    gs.DealPhase = 2;
    v.SetButtonText(GameButton::Upper, ButtonText::Ok);
    const CardCode card{f[4], f[5]};
    int slot = 0;
    for (int k = 1; k <= gs.HandCount[1]; ++k)
      if (gs.Hand[1][k] == card) slot = k;
    if (slot == 0) return;  // not in the opponent's hand here: out of step
    gs.PeerSlot = static_cast<uint8_t>(slot);
    PlayCard(g, 1, slot);
    if (gs.Leader == 2) {
      gs.Turn = kTurnTrickDone;
      if (!gs.DealOver) {
        v.EnableButton(GameButton::Upper, true);
        StartMyClock(g, link);
      }
    }
  } else if (f.substr(0, 5) == "hnext") {
    gs.Turn = 2;
    v.DrawNamePlate(1, out.ThatsAll(), 'b');
    StartMyClock(g, link);
  } else if (f.substr(0, 5) == "hslit") {
    CollectTrick(g);
    if (gs.Turn == 2) StartMyClock(g, link);
  } else if (f.substr(0, 6) == "hchan2") {
    ReplaceDeuce(g, 1);
  } else if (f.substr(0, 8) == "hsitkon2") {
    gs.DealPhase = 2;
    CheckBlackHand(g);
    if (!gs.DealOver && gs.Turn == 2) StartMyClock(g, link);
  }
}

}  // namespace

std::string TableFrame(std::string_view payload, int playSeat) {
  std::string f(payload.substr(0, kTableFrameLength - 1));
  f.resize(kTableFrameLength - 1, '#');
  f += static_cast<char>('0' + playSeat);
  return f;
}

std::string OutcomeFrame(int scoreSeat1, int scoreSeat2, int playSeat) {
  return TableFrame("o" + RightAligned(scoreSeat1 - scoreSeat2, 5) +
                        RightAligned(scoreSeat2 - scoreSeat1, 5),
                    playSeat);
}

std::string TableDeckFrame(const GameState& gs) { return "b" + DeckBlocks(gs); }

void StartMyClock(Game& g, TableLink& link) {
  g.View().DrawTurnTimer(1, -1);
  link.TimerSeat = 2;
  link.MoveCountdown = kMoveSeconds;
}

void StartOpponentClock(Game& g, TableLink& link) {
  g.View().DrawTurnTimer(2, -1);
  link.TimerSeat = 1;
  link.MoveCountdown = kMoveSeconds;
}

void OnTableWritable(Game& g, TableLink& link, TableOutlet& out) {
  if (link.TableLinkState != 1) return;
  out.Write(TableFrame("connect" + std::string(1, static_cast<char>('0' + link.PlaySeat)),
                       link.PlaySeat));
  link.TableLinkState = 2;
  g.gs.KonNo = 0;  // the next deck is the match's first deal
}

void OnTableRead(Game& g, TableLink& link, TableOutlet& out, std::string_view bytes) {
  std::string& buf = link.pending;
  buf.append(bytes);
  while (!buf.empty()) {
    const std::string_view b = buf;
    size_t used = kTableFrameLength;
    if (b[0] == 'b') {
      // Keep a deck that is still short. A frame can follow it in the same
      // read when the leader begins at once: it belongs to the new deal.
      if (b.size() < kTableDeckLength) return;
      TakeDeck(g, link, out, b.substr(0, kTableDeckLength));
      buf.erase(0, kTableDeckLength);
      continue;
    }
    if (b.size() < kTableFrameLength) return;
    const std::string_view f = b.substr(0, kTableFrameLength);
    if (f[0] == 's') {
      g.Play("WToMenK", false);
      const std::string_view text = f.substr(1, f.find('#') == std::string_view::npos
                                                     ? kTableFrameLength - 2
                                                     : f.find('#') - 1);
      out.ChatLine(std::string(text), f[19] - '0');
    } else if (f[0] == 'h') {
      ApplyMove(g, link, out, f);
    } else if (f[0] == 'a' && link.TableLinkState != 10) {
      g.Play("WWrongs", false);
      EndMatch(g, link, out, MatchEnd::OpponentLeft);
    } else if (f[0] == 'T' && link.TableLinkState != 10) {
      g.Play("WKoGutX", false);
      EndMatch(g, link, out, MatchEnd::OpponentTimeUp);
    }
    buf.erase(0, used);
  }
}

void TableTimerTick(Game& g, TableLink& link, TableOutlet& out) {
  if (!g.opt.OnlineGame || !link.TimerRunning) return;
  if (link.MoveCountdown > 0) --link.MoveCountdown;
  g.View().DrawTurnTimer(link.TimerSeat, link.MoveCountdown);
  if (link.TimerSeat != 2) return;
  g.Play(link.MoveCountdown > 7 ? "STimerA" : "STimerB", false);
  if (link.MoveCountdown < 1) {
    out.Write(TableFrame("TOut", link.PlaySeat));
    g.Play("WWrongs", false);
    EndMatch(g, link, out, MatchEnd::OwnTimeUp);
  }
}

void OnTableDisconnect(Game& g, TableLink& link, TableOutlet& out, bool inMenu) {
  if (inMenu || link.TableLinkState == 10) return;
  EndMatch(g, link, out, MatchEnd::LostConnection);
}

std::string TablePayload(PeerEvent event, CardCode card) {
  switch (event) {
    case PeerEvent::Play: return "hhod" + card.Bytes();
    case PeerEvent::Next: return "hnext";
    case PeerEvent::Collect: return "hslit";
    case PeerEvent::ChangeDeuce: return "hchan2";
    case PeerEvent::Begin: return "hsitkon2";
    case PeerEvent::NextDeal: return "bnext";
  }
  return {};
}

void TableHooks::TellPeer(PeerEvent event, CardCode card) {
  // Seat 1 wins the trick being collected: the opponent leads next.
  const bool opponentLeadsNext = event == PeerEvent::Collect && g_.gs.TrickWinner == 1;
  out_.Write(TableFrame(TablePayload(event, card), link_.PlaySeat));
  if (event == PeerEvent::Next || opponentLeadsNext) StartOpponentClock(g_, link_);
  // One request for the next deal: the button waits for the server's deck.
  if (event == PeerEvent::NextDeal) g_.View().EnableButton(GameButton::Upper, false);
}

void TableHooks::OnlineDealEnded() { AfterTableDeal(g_, link_, out_); }

void AfterTableDeal(Game& g, TableLink& link, TableOutlet& out) {
  GameState& gs = g.gs;
  if (gs.KonNo - gs.KonAtStart >= 2) {
    link.TableLinkState = 10;
    link.TimerRunning = false;
    g.View().DrawTurnTimer(1, -1);
    g.View().DrawTurnTimer(2, -1);
    // Table seat 1's match score is its own GameScore[2].
    if (link.PlaySeat == 1) out.Write(OutcomeFrame(gs.GameScore[2], gs.GameScore[1], 1));
  } else if (link.PlaySeat == 1) {
    StartMyClock(g, link);
  } else {
    StartOpponentClock(g, link);
  }
}

}  // namespace zarnet
