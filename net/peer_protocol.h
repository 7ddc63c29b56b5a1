// The messages two copies of the game exchange over one TCP connection, and
// the receiver that applies them to the engine.
#pragma once

#include <string>
#include <string_view>

#include "game_state.h"

namespace zarnet {

inline constexpr int kGameId = 88;
inline constexpr int kLinkCode = 25;

// The ten-character commands.
inline constexpr std::string_view kNextMessage = "hnext#####";
inline constexpr std::string_view kCollectMessage = "hslit#####";
inline constexpr std::string_view kChangeDeuceMessage = "hchan2####";
inline constexpr std::string_view kBeginMessage = "hsitkon2##";

inline constexpr size_t kHelloLength = 35;
inline constexpr size_t kWelcomeLength = 28;
inline constexpr size_t kDeckLength = 243;
inline constexpr size_t kMoveLength = 10;

// Rule letters of the deck message: 'И' on, 'Л' off.
inline constexpr char kRuleOn = '\xC8';
inline constexpr char kRuleOff = '\xCB';

// The link as the peer code keeps it.
struct PeerLink {
  uint8_t LinkState = 0;   // 0 none, 1 connecting, 2 handshake done, 3 a deck was sent
  std::string PlayerName;  // 20 characters, blank-padded
  std::string pending;     // bytes of a message not yet complete
  int ignored = 0;         // messages and stray bytes ignored since the link was made
  // Guest: the welcome came; what follows waits in `pending` until the
  // series is under way (clear it, then read on with no new bytes).
  bool held = false;
};

// What the receiver needs from the program around it.
class PeerOutlet {
 public:
  virtual ~PeerOutlet() = default;
  virtual void Write(const std::string& bytes) = 0;
  // Host: the guest's hello was accepted.
  virtual void SecondPlayerConnected() {}
  // Guest: the host's welcome arrived; the guest's series starts.
  virtual void GuestSeriesStarts() {}
  virtual void ChatLine(const std::string& text, int colour) { (void)text, (void)colour; }
  // A move that the deal does not allow now (out of turn, a card the peer
  // does not hold here): ignored, never applied.
  virtual void PeerOutOfStep() {}
  // Guest: a deck is about to start the next deal.
  virtual void DeckArrived() {}
  // Bytes that make no message of ours; they are skipped.
  virtual void BadMessage(const std::string& bytes) { (void)bytes; }
  // The peer sent what no honest copy sends (a deck whose values disagree
  // with its cards); the link cannot go on. The receiver stops reading.
  virtual void ProtocolViolation(const std::string& what) { (void)what; }
};

// The deck as both links send it: 40 codes, 40 orders and 40 points as two
// digits each (240 bytes).
std::string DeckBlocks(const GameState& gs);
// Fills Deck, DeckOrder and DeckPoints when the blocks name each card once
// and every order and point value is the one of its card; otherwise changes
// nothing. With a null `gs` it only checks.
bool ReadDeckBlocks(std::string_view blocks, GameState* gs);

// Looks for a greeting (`prefix` and then bytes up to `length`) in `buffer`,
// dropping what comes before it. A whole one is taken out, with the bytes
// after the prefix in `tail`; a possible start of one is kept for more bytes.
bool TakeGreeting(std::string& buffer, std::string_view prefix, size_t length, std::string* tail);
// The first 15 bytes of a hello of this game.
std::string HelloPrefix();
// Host: a guest's hello was found; the link is made and the guest welcomed.
void AcceptHello(Game& g, PeerLink& link, PeerOutlet& out, const std::string& guestName);

std::string PadName(std::string_view name);
std::string HelloMessage(std::string_view playerName);
std::string WelcomeMessage(std::string_view playerName);
std::string DeckMessage(const GameState& gs, bool blackHand, bool replaceDeuce);
std::string PlayMessage(CardCode card);
std::string ChatMessage(std::string_view text);

// Binds the engine's peer hooks to a link: the host's fresh decks and the
// local player's actions go out as messages.
class PeerHooks : public EngineHooks {
 public:
  PeerHooks(Game& g, PeerLink& link, PeerOutlet& out) : g_(g), link_(link), out_(out) {}
  void SendDeckToPeer() override;
  void TellPeer(PeerEvent event, CardCode card) override;

 private:
  Game& g_;
  PeerLink& link_;
  PeerOutlet& out_;
};

// The message that tells the peer of a local action.
std::string PeerEventMessage(PeerEvent event, CardCode card);

// Writes the deck of the deal just made (host).
void SendDeck(Game& g, PeerLink& link, PeerOutlet& out);

// Takes the bytes of one read. Whole messages are applied at once; a message
// cut between reads waits in `link.pending` for the rest.
void OnPeerRead(Game& g, PeerLink& link, PeerOutlet& out, std::string_view bytes);

}  // namespace zarnet
