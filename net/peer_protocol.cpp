#include "peer_protocol.h"

#include <algorithm>

#include "engine.h"

namespace zarnet {
namespace {

std::string TwoDigits(int v) { return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }

bool ReadTwoDigits(std::string_view s, uint8_t* v) {
  if (s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return false;
  *v = static_cast<uint8_t>((s[0] - '0') * 10 + (s[1] - '0'));
  return true;
}

std::string HelloPrefix() { return "kuv" + TwoDigits(kGameId) + TwoDigits(kLinkCode) + "connect1"; }

// A deck message: the blocks, then the host's two rule letters.
bool ApplyDeck(Game& g, std::string_view m) {
  if (!ReadDeckBlocks(m.substr(1, 240), &g.gs)) return false;
  GameState& gs = g.gs;
  for (int s = 1; s <= 2; ++s)
    for (int k = 1; k <= 40; ++k) {
      gs.Hand[s][k] = EmptyCard;
      gs.HandOrder[s][k] = 0;
      gs.HandPoints[s][k] = 0;
    }
  // The host's seat 1 is this side's seat 2.
  GiveDeckCards(gs, 2, 1);
  GiveDeckCards(gs, 1, 4);
  gs.Trump = gs.Deck[40].suit;
  g.opt.OptBlackHand = m[241] == kRuleOn;
  g.opt.OptReplaceDeuce = m[242] == kRuleOn;
  return true;
}

void RedrawPlates(Game& g) {
  g.View().DrawNamePlate(1, g.SeatName[1], 'y');
  g.View().DrawNamePlate(2, g.SeatName[2], 'y');
}

// One ten-character move frame.
void ApplyMove(Game& g, PeerOutlet& out, std::string_view f) {
  static constexpr std::string_view kKnown[] = {"hhod", "hnext", "hslit", "hchan2", "hsitkon2"};
  bool known = false;
  for (std::string_view k : kKnown) known = known || f.substr(0, k.size()) == k;
  if (!known) {
    out.BadMessage(std::string(f));
    return;
  }
  GameState& gs = g.gs;
  RedrawPlates(g);
  if (f.substr(0, 4) == "hhod") {
    gs.DealPhase = 2;
    g.View().SetButtonText(GameButton::Upper, ButtonText::Ok);
    const CardCode card{f[4], f[5]};
    int slot = 0;
    for (int k = 1; k <= 3; ++k)
      if (gs.Hand[1][k] == card) slot = k;
    if (slot == 0 || card == EmptyCard) {
      // Playing a slot that does not hold the card would corrupt the hand.
      out.PeerOutOfStep();
      return;
    }
    gs.PeerSlot = static_cast<uint8_t>(slot);
    PlayCard(g, 1, slot);
    if (gs.Leader == 2) {
      gs.Turn = kTurnTrickDone;
      if (!gs.DealOver) g.View().EnableButton(GameButton::Upper, true);
    }
  } else if (f.substr(0, 5) == "hnext") {
    gs.Turn = 2;
  } else if (f.substr(0, 5) == "hslit") {
    CollectTrick(g);
  } else if (f.substr(0, 6) == "hchan2") {
    ReplaceDeuce(g, 1);
  } else if (f.substr(0, 8) == "hsitkon2" && g.opt.NetRole == 2) {
    gs.DealPhase = 2;
    CheckBlackHand(g);
  }
}

}  // namespace

std::string DeckBlocks(const GameState& gs) {
  std::string m;
  m.reserve(240);
  for (int i = 1; i <= 40; ++i) m += gs.Deck[i].Bytes();
  for (int i = 1; i <= 40; ++i) m += TwoDigits(gs.DeckOrder[i]);
  for (int i = 1; i <= 40; ++i) m += TwoDigits(gs.DeckPoints[i]);
  return m;
}

bool ReadDeckBlocks(std::string_view m, GameState* gs) {
  if (m.size() < 240) return false;
  std::array<CardCode, 41> deck{};
  std::array<uint8_t, 41> orders{}, points{};
  bool seen[41] = {};
  for (int i = 1; i <= 40; ++i) {
    const CardCode c{m[2 * i - 2], m[2 * i - 1]};
    const int n = CardNumberOf(c);
    if (n == 0 || seen[n]) return false;
    seen[n] = true;
    deck[i] = c;
    if (!ReadTwoDigits(m.substr(80 + 2 * (i - 1), 2), &orders[i])) return false;
    if (!ReadTwoDigits(m.substr(160 + 2 * (i - 1), 2), &points[i])) return false;
  }
  if (!gs) return true;
  gs->Deck = deck;
  gs->DeckOrder = orders;
  gs->DeckPoints = points;
  return true;
}

std::string PadName(std::string_view name) {
  std::string s(name.substr(0, 20));
  s.resize(20, ' ');
  return s;
}

std::string HelloMessage(std::string_view playerName) { return HelloPrefix() + PadName(playerName); }

std::string WelcomeMessage(std::string_view playerName) { return "connect2" + PadName(playerName); }

std::string DeckMessage(const GameState& gs, bool blackHand, bool replaceDeuce) {
  std::string m = "b" + DeckBlocks(gs);
  m += blackHand ? kRuleOn : kRuleOff;
  m += replaceDeuce ? kRuleOn : kRuleOff;
  return m;
}

std::string PlayMessage(CardCode card) { return "hhod" + card.Bytes() + "####"; }

std::string ChatMessage(std::string_view text) { return "s" + std::string(text.substr(0, 15)); }

std::string PeerEventMessage(PeerEvent event, CardCode card) {
  switch (event) {
    case PeerEvent::Play: return PlayMessage(card);
    case PeerEvent::Next: return std::string(kNextMessage);
    case PeerEvent::Collect: return std::string(kCollectMessage);
    case PeerEvent::ChangeDeuce: return std::string(kChangeDeuceMessage);
    case PeerEvent::Begin: return std::string(kBeginMessage);
    case PeerEvent::NextDeal: break;  // a peer game's host simply deals
  }
  return {};
}

void PeerHooks::SendDeckToPeer() { SendDeck(g_, link_, out_); }

void PeerHooks::TellPeer(PeerEvent event, CardCode card) { out_.Write(PeerEventMessage(event, card)); }

void SendDeck(Game& g, PeerLink& link, PeerOutlet& out) {
  link.LinkState = 3;
  out.Write(DeckMessage(g.gs, g.opt.OptBlackHand, g.opt.OptReplaceDeuce));
}

namespace {

bool IsMoveFrame(std::string_view f) {
  if (f.size() < kMoveLength) return false;
  f = f.substr(0, kMoveLength);
  if (f.substr(0, 4) == "hhod") return f.substr(6) == "####" && CardNumberOf({f[4], f[5]}) != 0;
  return f == kNextMessage || f == kCollectMessage || f == kChangeDeuceMessage || f == kBeginMessage;
}

// Whole move frames and decks up to the end of the bytes.
bool WholeMessages(std::string_view b) {
  if (b.empty()) return false;
  while (!b.empty()) {
    if (IsMoveFrame(b)) {
      b.remove_prefix(kMoveLength);
    } else if (b[0] == 'b' && b.size() >= kDeckLength && ReadDeckBlocks(b.substr(1, 240), nullptr)) {
      b.remove_prefix(kDeckLength);
    } else {
      return false;
    }
  }
  return true;
}

// A chat line has no length of its own. It runs to the end of the bytes,
// unless whole frames that were sent after it follow its first 1 to 15 characters.
size_t ChatLength(std::string_view b) {
  for (size_t n = 2; n <= std::min<size_t>(16, b.size() - 1); ++n)
    if (WholeMessages(b.substr(n))) return n;
  return b.size();
}

}  // namespace

void OnPeerRead(Game& g, PeerLink& link, PeerOutlet& out, std::string_view bytes) {
  std::string& buf = link.pending;
  buf.append(bytes);
  const bool host = g.opt.NetRole == 1;
  const bool guest = g.opt.NetRole == 2;
  // Each message leaves the buffer before it is acted on, so an outlet may
  // read on from inside its call.
  while (!buf.empty() && !link.held) {
    const std::string_view b = buf;
    if (b[0] == 's') {
      const std::string chat(b.substr(1, ChatLength(b) - 1));
      buf.erase(0, chat.size() + 1);
      out.ChatLine(chat, g.opt.NetRole);
      g.Play("WToMenK", false);
    } else if (b.substr(0, 5) == "abort") {
      buf.erase(0, 5);
    } else if (host && link.LinkState == 1 && b[0] == 'k') {
      if (b.size() < kHelloLength) return;
      const std::string m(b.substr(0, kHelloLength));
      buf.erase(0, kHelloLength);
      if (m.substr(0, 15) == HelloPrefix()) {
        link.LinkState = 2;
        g.SeatName[1] = m.substr(15, 20);
        g.SeatName[2] = link.PlayerName;
        out.Write(WelcomeMessage(link.PlayerName));
        out.SecondPlayerConnected();
      } else {
        out.BadMessage(m);
      }
    } else if (guest && link.LinkState == 1 && b[0] == 'c') {
      if (b.size() < kWelcomeLength) return;
      const std::string m(b.substr(0, kWelcomeLength));
      buf.erase(0, kWelcomeLength);
      if (m.substr(0, 8) == "connect2") {
        link.LinkState = 2;
        g.SeatName[1] = m.substr(8, 20);
        g.SeatName[2] = link.PlayerName;
        // What follows waits until the guest's series has started.
        link.held = true;
        out.GuestSeriesStarts();
      } else {
        out.BadMessage(m);
      }
    } else if (guest && b[0] == 'b') {
      if (b.size() < kDeckLength) return;
      const std::string m(b.substr(0, kDeckLength));
      buf.erase(0, kDeckLength);
      if (ReadDeckBlocks(std::string_view(m).substr(1, 240), nullptr)) {
        out.DeckArrived();
        ApplyDeck(g, m);
        g.WaitingForDeck = false;
        StartDeal(g, true);
      } else {
        out.BadMessage(m);
      }
    } else if (b[0] == 'h') {
      if (b.size() < kMoveLength) return;
      const std::string m(b.substr(0, kMoveLength));
      buf.erase(0, kMoveLength);
      ApplyMove(g, out, m);
    } else {
      const std::string m(b);
      buf.clear();  // not a message of ours
      out.BadMessage(m);
    }
  }
}

}  // namespace zarnet
