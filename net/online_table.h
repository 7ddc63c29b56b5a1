// The player's side of a tournament table: the socket to the table's game
// server, the move clock, and the engine hooks that put the player's actions
// on the wire.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "game_state.h"
#include "table_link.h"
#include "tour_service.h"

namespace zarnet {

// The notice lines shown when a match ends early, UTF-8 from the word tables.
std::vector<std::string> MatchEndLines(MatchEnd why, const std::string& opponent);

// At the start of each deal: the opponent's seat, then our own, give the
// names on the plates. `players`, when given, receives them: [1] the
// opponent, [2] ourselves; a seat that cannot be read keeps Nick "X".
void ReadSeatsForDeal(Game& g, TourService& service, int table, int playSeat,
                      TKuvClient* players = nullptr);

// A nick that can name a file of its own in a folder: no separators, no
// leading dot, no control characters.
bool NickFitsFileName(const std::string& nick);

class OnlineTable : public QObject, public TableOutlet {
 public:
  explicit OnlineTable(Game& game, QObject* parent = nullptr);
  ~OnlineTable() override;

  // The seat at `table` was taken: connect to its game server.
  void ConnectTable(int table, int playSeat, const QString& address, quint16 port);
  // The player leaves the seat before a match: "disA" and the link closes.
  void LeaveSeat();
  void SendFrame(const std::string& payload);

  // What the window around the table does.
  std::function<void(MatchEnd why)> onMatchEnded;
  std::function<void()> onCloseLobby;
  // A deal has begun: the seats' players are read for the name plates.
  std::function<void(int table, int playSeat)> onDealStarted;
  std::function<void(const std::string& text, int seat)> onChat;
  // The table shows the menu, not a game: a lost link then says nothing.
  std::function<bool()> inMenu;

  TableLink link;
  TableHooks hooks;
  bool ConnectionError = false;  // raised by a socket error, cleared by the lobby
  int Table() const { return table_; }
  QTcpSocket CS;
  QTimer TimerTimer;

  // TableOutlet
  void Write(const std::string& bytes) override;
  void ChatLine(const std::string& text, int seat) override;
  void MatchEnded(MatchEnd why) override;
  void CloseLobby() override;
  // Takes what reached the socket without a read signal; every clock tick runs it.
  void Poll();
  void CloseSocket() override;
  std::string ThatsAll() override;
  void DealStarted() override;

 private:
  void CSRead();
  void CSWrite();
  void CSError();
  void CSDisconnect();
  void Tick();
  Game& g_;
  int table_ = 0;
  bool closing_ = false;
  bool reading_ = false;
};

}  // namespace zarnet
