// The link to a tournament table's game server: 20-character frames, the
// deck the server deals, the opponent's relayed moves and the move clock.
#pragma once

#include <string>
#include <string_view>

#include "game_state.h"

namespace zarnet {

inline constexpr size_t kTableFrameLength = 20;
inline constexpr size_t kTableDeckLength = 241;
inline constexpr int kMoveSeconds = 26;

struct TableLink {
  uint8_t PlaySeat = 1;        // the seat taken at the table
  uint8_t TableLinkState = 0;  // 0 none, 1 connecting, 2 connected, 10 match over
  uint8_t TimerSeat = 0;       // 1 the opponent's clock runs, 2 our own
  int MoveCountdown = 0;
  bool TimerRunning = false;
  std::string pending;         // a deck frame not yet complete
};

// Why a match ended early, for the notice shown to the player.
enum class MatchEnd { OpponentLeft, OpponentTimeUp, OwnTimeUp, LostConnection };

class TableOutlet {
 public:
  virtual ~TableOutlet() = default;
  virtual void Write(const std::string& bytes) = 0;
  virtual void ChatLine(const std::string& text, int seat) { (void)text, (void)seat; }
  virtual void MatchEnded(MatchEnd why) { (void)why; }
  // The first deal of a match has arrived: the lobby closes.
  virtual void CloseLobby() {}
  virtual void CloseSocket() {}
  // The text "That`s All..." on seat 1's blue plate, from the word tables.
  virtual std::string ThatsAll() { return {}; }
  // A deal from the server has been laid out and its clock runs.
  virtual void DealStarted() {}
};

// payload, '#' up to character 19, the seat digit.
std::string TableFrame(std::string_view payload, int playSeat);
// "o" and the two match differences, five characters each.
std::string OutcomeFrame(int scoreSeat1, int scoreSeat2, int playSeat);
// The server's deck frame: "b", 40 codes, 40 orders, 40 points.
std::string TableDeckFrame(const GameState& gs);

void StartMyClock(Game& g, TableLink& link);
void StartOpponentClock(Game& g, TableLink& link);

// The socket became writable: the connect frame goes out once.
void OnTableWritable(Game& g, TableLink& link, TableOutlet& out);
void OnTableRead(Game& g, TableLink& link, TableOutlet& out, std::string_view bytes);
// One second of the move clock.
void TableTimerTick(Game& g, TableLink& link, TableOutlet& out);
void OnTableDisconnect(Game& g, TableLink& link, TableOutlet& out, bool inMenu);
// After a deal: the match ends after its second deal, or the clock of table
// seat 1 runs until it asks for the next one.
void AfterTableDeal(Game& g, TableLink& link, TableOutlet& out);

std::string TablePayload(PeerEvent event, CardCode card);

// Binds the engine's hooks to a table: the player's actions go out as frames
// and the end of each deal is handled by the link.
class TableHooks : public EngineHooks {
 public:
  TableHooks(Game& g, TableLink& link, TableOutlet& out) : g_(g), link_(link), out_(out) {}
  void TellPeer(PeerEvent event, CardCode card) override;
  void OnlineDealEnded() override;

 private:
  Game& g_;
  TableLink& link_;
  TableOutlet& out_;
};

}  // namespace zarnet
