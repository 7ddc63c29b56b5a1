#include "referee.h"

#include "engine.h"

namespace zarnet::services {

Referee::Referee() : game_(&view_) {
  game_.opt.OptBlackHand = game_.opt.OptReplaceDeuce = true;  // always on at the tournament
  game_.opt.OptFlyCards = false;
  game_.opt.SoundOn = false;
  game_.gs.DealSettled = true;  // no deal yet
}

void Referee::BeginDeal(std::string_view codes, bool firstOfMatch) {
  GameState& gs = game_.gs;
  if (firstOfMatch) {
    deals_ = 0;
    gs.GameScore = {};
  }
  ++deals_;
  for (int i = 1; i <= 40; ++i) {
    const CardInfo c = CardInfoOf({codes[size_t(2 * i - 2)], codes[size_t(2 * i - 1)]});
    gs.Deck[i] = c.code;
    gs.DeckOrder[i] = c.order;
    gs.DeckPoints[i] = c.points;
  }
  for (int s = 1; s <= 2; ++s)
    for (int k = 1; k <= 4; ++k) {
      gs.Hand[s][k] = EmptyCard;
      gs.HandOrder[s][k] = 99;
      gs.HandPoints[s][k] = 99;
    }
  GiveDeckCards(gs, 1, 1);
  GiveDeckCards(gs, 2, 4);
  gs.Trump = gs.Deck[40].suit;
  // The players' engines sort their hands at once; a Black Hand is read from the sorted slots.
  ArrangeHand(gs, 1);
  ArrangeHand(gs, 2);
  dealLeader_ = deals_ % 2 == 1 ? 1 : 2;
  gs.Turn = gs.Leader = uint8_t(dealLeader_);
  ResetDeal(gs);
  awaitingNext_ = false;
}

int Referee::ToMove() const {
  const GameState& gs = game_.gs;
  if (gs.DealSettled) return 1;
  if (gs.DealPhase != 2) return dealLeader_;
  if (awaitingNext_ || gs.Turn == kTurnTrickDone) return gs.Leader;
  return gs.Turn;
}

Referee::Verdict Referee::Refuse(std::string why) {
  why_ = std::move(why);
  return Verdict::Illegal;
}

Referee::Verdict Referee::Move(int seat, std::string_view f) {
  GameState& gs = game_.gs;
  if (gs.DealSettled) return Refuse("a move while no deal runs");
  if (f.starts_with("hsitkon2")) {
    if (gs.DealPhase != 1 || seat != dealLeader_) return Refuse("the deal begun by the wrong seat or twice");
    gs.DealPhase = 2;
    CheckBlackHand(game_);
    return Verdict::Relay;
  }
  if (f.starts_with("hchan2")) {
    if (gs.Turn != seat || awaitingNext_ || !CanReplaceDeuce(game_, seat)) return Refuse("no deuce to replace now");
    ReplaceDeuce(game_, seat);
    return Verdict::Relay;
  }
  if (f.starts_with("hhod")) {
    if (f.size() < 6) return Refuse("a card frame without a card");
    if (gs.DealPhase != 2 || gs.Turn != seat || awaitingNext_) return Refuse("a card out of turn");
    const CardCode card{f[4], f[5]};
    int slot = 0;
    for (int k = 1; k <= gs.HandCount[seat]; ++k)
      if (gs.Hand[seat][k] == card) slot = k;
    if (slot == 0) return Refuse("a card the mover does not hold");
    const bool leads = seat == gs.Leader;
    PlayCard(game_, seat, slot);
    if (leads) {
      gs.Turn = uint8_t(3 - seat);
      awaitingNext_ = true;
    } else {
      gs.Turn = kTurnTrickDone;
    }
    return Verdict::Relay;
  }
  if (f.starts_with("hnext")) {
    if (!awaitingNext_ || seat != gs.Leader) return Refuse("\"hnext\" without a lead");
    awaitingNext_ = false;
    return Verdict::Relay;
  }
  if (f.starts_with("hslit")) {
    if (gs.Turn != kTurnTrickDone || seat != gs.Leader) return Refuse("a trick collected before it is complete");
    CollectTrick(game_);
    return Verdict::Relay;
  }
  why_ = "an unknown move";
  return Verdict::Ignore;
}

}  // namespace zarnet::services
