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

// Whether the peer (seat 1 here) may make this move now. A move the deal
// does not allow would corrupt the hands or the turn, so it is never applied.
bool MoveAllowed(const Game& g, std::string_view f, int slot) {
  const GameState& gs = g.gs;
  if (!gs.DealActive || g.WaitingForDeck) return false;
  // The peer's card of this trick, if it has played one.
  const CardCode peerCard = gs.Leader == 1 ? gs.Table[1] : gs.Table[2];
  const bool peerToPlay = !gs.DealOver && gs.Turn == 1 && gs.DealPhase != 1 && peerCard == EmptyCard;
  if (f.substr(0, 4) == "hhod")
    return peerToPlay && slot != 0 && (gs.Leader == 1 || gs.Table[1] != EmptyCard);
  if (f.substr(0, 5) == "hnext")
    return !gs.DealOver && gs.Turn == 1 && gs.Leader == 1 && gs.Table[1] != EmptyCard && gs.Table[2] == EmptyCard;
  if (f.substr(0, 5) == "hslit")
    return !gs.DealOver && gs.Turn == kTurnTrickDone && gs.Leader == 1 && gs.Table[2] != EmptyCard;
  if (f.substr(0, 6) == "hchan2") return peerToPlay && !gs.DealSettled && CanReplaceDeuce(g, 1);
  // The begin: the guest's deal was laid and waits for it.
  return g.opt.NetRole == 2 && gs.DealPhase == 1 && !gs.DealOver;
}

// One ten-character move frame of a known command.
void ApplyMove(Game& g, PeerLink& link, PeerOutlet& out, std::string_view f) {
  GameState& gs = g.gs;
  int slot = 0;
  if (f.substr(0, 4) == "hhod") {
    const CardCode card{f[4], f[5]};
    for (int k = 1; k <= 3; ++k)
      if (gs.Hand[1][k] == card) slot = k;
  }
  if (!MoveAllowed(g, f, slot)) {
    ++link.ignored;
    out.PeerOutOfStep();
    return;
  }
  RedrawPlates(g);
  if (f.substr(0, 4) == "hhod") {
    gs.DealPhase = 2;
    g.View().SetButtonText(GameButton::Upper, ButtonText::Ok);
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
  } else {
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
    // Both sides score from these values: they must be the card's own.
    const CardInfo info = CardInfoOf(c);
    if (orders[i] != info.order || points[i] != info.points) return false;
  }
  if (!gs) return true;
  gs->Deck = deck;
  gs->DeckOrder = orders;
  gs->DeckPoints = points;
  return true;
}

std::string HelloPrefix() { return "kuv" + TwoDigits(kGameId) + TwoDigits(kLinkCode) + "connect1"; }

bool TakeGreeting(std::string& buffer, std::string_view prefix, size_t length, std::string* tail) {
  for (size_t i = 0; i < buffer.size(); ++i) {
    const size_t n = std::min(prefix.size(), buffer.size() - i);
    if (buffer.compare(i, n, prefix, 0, n) != 0) continue;
    if (buffer.size() - i < length) {
      buffer.erase(0, i);  // perhaps the start of one: wait for the rest
      return false;
    }
    *tail = buffer.substr(i + prefix.size(), length - prefix.size());
    buffer.erase(0, i + length);
    return true;
  }
  buffer.clear();
  return false;
}

void AcceptHello(Game& g, PeerLink& link, PeerOutlet& out, const std::string& guestName) {
  link.LinkState = 2;
  g.SeatName[1] = guestName;
  g.SeatName[2] = link.PlayerName;
  out.Write(WelcomeMessage(link.PlayerName));
  out.SecondPlayerConnected();
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

enum class Scan { Whole, Partial, None };

bool IsRank(char c) {
  for (int r = 1; r <= 10; ++r)
    if (kRankChars[r] == c) return true;
  return false;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A move frame at the front: a known command, or a play of a real card.
Scan MoveAt(std::string_view b) {
  static constexpr std::string_view kCommands[] = {kNextMessage.substr(0, 5), kCollectMessage.substr(0, 5),
                                                   kChangeDeuceMessage.substr(0, 6), kBeginMessage.substr(0, 8)};
  const size_t n = std::min(b.size(), kMoveLength);
  bool fits = false;
  for (std::string_view c : kCommands) {
    const size_t k = std::min(n, c.size());
    fits = fits || b.substr(0, k) == c.substr(0, k);
  }
  const size_t k = std::min<size_t>(n, 4);
  if (!fits && b.substr(0, k) == std::string_view("hhod").substr(0, k)) {
    fits = n < 5 || IsRank(b[4]);
    if (n >= 6) fits = CardNumberOf({b[4], b[5]}) != 0;
  }
  if (!fits) return Scan::None;
  return n == kMoveLength ? Scan::Whole : Scan::Partial;
}

// A deck at the front, as far as its bytes go: card codes, then digits. Its
// values are checked against the cards once it is whole.
Scan DeckAt(std::string_view b) {
  const size_t n = std::min(b.size(), kDeckLength);
  for (size_t i = 1; i < n && i <= 240; ++i) {
    if (i <= 80) {
      const bool first = i % 2 == 1;
      if (first ? !IsRank(b[i]) : CardNumberOf({b[i - 1], b[i]}) == 0) return Scan::None;
    } else if (!IsDigit(b[i])) {
      return Scan::None;
    }
  }
  return n == kDeckLength ? Scan::Whole : Scan::Partial;
}

// A message known by its first bytes and its length.
Scan FixedAt(std::string_view b, std::string_view start, size_t length) {
  const size_t n = std::min(b.size(), start.size());
  if (b.substr(0, n) != start.substr(0, n)) return Scan::None;
  return b.size() >= length ? Scan::Whole : Scan::Partial;
}

// Any message but a chat line at the front, and its length.
Scan MessageAt(std::string_view b, size_t* length) {
  static const std::string hello = HelloPrefix();
  switch (b[0]) {
    case 'h': *length = kMoveLength; return MoveAt(b);
    case 'b': *length = kDeckLength; return DeckAt(b);
    case 'a': *length = 5; return FixedAt(b, "abort", 5);
    case 'k': *length = kHelloLength; return FixedAt(b, hello, kHelloLength);
    case 'c': *length = kWelcomeLength; return FixedAt(b, "connect2", kWelcomeLength);
    default: return Scan::None;
  }
}

// Whole messages to the end, or up to the start of one more.
bool Messages(std::string_view b, bool partialTail) {
  if (b.empty()) return false;
  while (!b.empty()) {
    size_t length = 0;
    const Scan s = MessageAt(b, &length);
    if (s == Scan::None) return false;
    if (s == Scan::Partial) return partialTail;
    b.remove_prefix(length);
  }
  return true;
}

// A chat line has no length of its own: 1 to 15 characters, ended where
// messages sent after it begin, else at the end of what has come. Zero while
// only the 's' is here.
size_t ChatLength(std::string_view b) {
  if (b.size() < 2) return 0;
  const size_t last = std::min<size_t>(16, b.size() - 1);
  for (bool partialTail : {false, true})
    for (size_t n = 2; n <= last; ++n)
      if (Messages(b.substr(n), partialTail)) return n;
  return std::min<size_t>(16, b.size());
}

// Guest: a whole deck from the host. False when the peer broke the protocol.
bool TakeDeck(Game& g, PeerLink& link, PeerOutlet& out, const std::string& m) {
  if (!ReadDeckBlocks(std::string_view(m).substr(1, 240), nullptr)) return false;
  const GameState& gs = g.gs;
  if (!g.WaitingForDeck && gs.DealActive && !gs.DealOver) {
    // A deal is under way: a new deck now would throw it away.
    ++link.ignored;
    out.PeerOutOfStep();
    return true;
  }
  out.DeckArrived();
  ApplyDeck(g, m);
  g.WaitingForDeck = false;
  StartDeal(g, true);
  return true;
}

}  // namespace

void OnPeerRead(Game& g, PeerLink& link, PeerOutlet& out, std::string_view bytes) {
  std::string& buf = link.pending;
  buf.append(bytes);
  const bool host = g.opt.NetRole == 1;
  const bool guest = g.opt.NetRole == 2;
  std::string stray;  // bytes skipped in this read, reported once
  auto skip = [&](size_t n) {
    if (stray.empty()) ++link.ignored;
    stray.append(buf, 0, n);
    buf.erase(0, n);
  };
  // Each message leaves the buffer before it is acted on, so an outlet may
  // read on from inside its call.
  while (!buf.empty() && !link.held) {
    const std::string_view b = buf;
    size_t length = 0;
    const Scan scan = b[0] == 's' ? Scan::None : MessageAt(b, &length);
    if (b[0] == 's') {
      const size_t n = ChatLength(b);
      if (n == 0) break;
      const std::string chat(b.substr(1, n - 1));
      buf.erase(0, n);
      out.ChatLine(chat, g.opt.NetRole);
      g.Play("WToMenK", false);
    } else if (scan == Scan::Partial) {
      break;
    } else if (scan == Scan::Whole && b[0] == 'a') {
      buf.erase(0, length);
    } else if ((host || guest) && link.LinkState == 1) {
      // Until the greeting only the greeting counts; what comes before it is skipped.
      const size_t before = buf.size();
      std::string tail;
      const bool found =
          host ? TakeGreeting(buf, HelloPrefix(), kHelloLength, &tail) : TakeGreeting(buf, "connect2", kWelcomeLength, &tail);
      if (!found) {
        if (buf.size() < before) ++link.ignored;
        break;
      }
      if (host) {
        AcceptHello(g, link, out, tail);
      } else {
        link.LinkState = 2;
        g.SeatName[1] = tail;
        g.SeatName[2] = link.PlayerName;
        // What follows waits until the guest's series has started.
        link.held = true;
        out.GuestSeriesStarts();
      }
    } else if (scan == Scan::None) {
      skip(1);
    } else if (b[0] == 'k' || b[0] == 'c') {
      buf.erase(0, length);  // a greeting once the link is made
      ++link.ignored;
    } else if (b[0] == 'b') {
      const std::string m(b.substr(0, kDeckLength));
      buf.erase(0, kDeckLength);
      if (!guest) {
        ++link.ignored;  // only the host deals
        out.PeerOutOfStep();
      } else if (!TakeDeck(g, link, out, m)) {
        buf.clear();
        out.ProtocolViolation("a deck whose values disagree with its cards");
        return;
      }
    } else {
      const std::string m(b.substr(0, kMoveLength));
      buf.erase(0, kMoveLength);
      ApplyMove(g, link, out, m);
    }
  }
  if (!stray.empty()) out.BadMessage(stray);
}

}  // namespace zarnet
