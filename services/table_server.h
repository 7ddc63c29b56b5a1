// The game server of one tournament table: two seats, a match of two deals,
// refereed by the game's engine.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <string>
#include <unordered_map>

#include "random_source.h"
#include "referee.h"
#include "storage.h"

namespace zarnet::services {

inline constexpr int kFrameSize = 20;
inline constexpr int kMatchDeals = 2;

// What one link may cost the table servers.
struct LinkLimits {
  int connectMs = 10'000;         // a link must say "connect" within this
  int moveMs = 26'000;            // the move clock: a half frame may wait this long, and
                                  // the seat to move one and a half times as long
  qint64 maxUnsent = 64 * 1024;   // output a player leaves unread
  int perAddress = 8;             // links from one address, all tables together
  int unseatedPerTable = 64;      // links that have not said "connect" yet, per table
  int outcomeWaitMs = 10'000;     // after the last deal, for seat 1's outcome frame
};

// Links per address across the ten tables of one process.
class LinkCounter {
 public:
  explicit LinkCounter(int perAddress) : perAddress_(perAddress) {}
  bool Take(const QString& address);
  void Give(const QString& address);

 private:
  int perAddress_;
  QHash<QString, int> links_;
};

// An IPv4 address mapped into IPv6 is written as plain IPv4, as the HTTP side writes it.
QString AddressText(const QHostAddress& address);

class TableServer : public QObject {
 public:
  TableServer(int table, Storage& storage, uint64_t seed, LinkCounter& counter, LinkLimits limits = {},
              QObject* parent = nullptr);
  // Links still open are closed without their handlers, which need a whole server.
  ~TableServer() override;
  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const { return server_.errorString(); }

 private:
  struct Player {
    QTcpSocket* socket = nullptr;
    std::string nick;
  };
  struct Link {
    QString address;
    QElapsedTimer opened;
    QElapsedTimer partialSince;  // valid while a frame is half received
  };

  void Accept();
  void Read(QTcpSocket* socket);
  void Gone(QTcpSocket* socket);
  void Frame(QTcpSocket* socket, const QByteArray& frame);
  void Connect(QTcpSocket* socket, const QByteArray& frame);
  void Move(int seat, const QByteArray& frame, const QByteArray& relayed);
  int SeatOf(QTcpSocket* socket) const;
  void Deal(bool first);
  void Send(int seat, const QByteArray& frame);
  QByteArray Signal(char kind, int seat) const;
  // Closes a link after the current event: never from inside its own handlers.
  void Drop(QTcpSocket* socket, const char* why);
  void Sweep();
  void Log(const char* format, ...) const;
  // Books the outcome the referee computed for a finished match.
  void FinishPlayed();
  // Ends the running match: books it, frees both seats, sends the notice to
  // one seat and closes both links.
  void Conclude(MatchOutcome m, const QByteArray& notice, int noticeSeat);
  // The loser's opponent gets the notice frame ('a' or 'T') first.
  void Forfeit(int loser, char notice);

  int table_;
  Storage& storage_;
  LinkCounter& counter_;
  LinkLimits limits_;
  QTcpServer server_;
  QTimer sweep_;
  QTimer outcomeWait_;
  QElapsedTimer moveClock_;  // since the last move the game went on with
  Player seats_[3];
  std::unordered_map<QTcpSocket*, Link> links_;
  bool running_ = false;
  bool played_ = false;  // both deals played out: the outcome is known
  Referee referee_;
  RandomSource rng_;
};

// The 'b' frame of a deck: "b", 40 card codes, 40 orders, 40 points.
QByteArray DeckFrame(RandomSource& rng);

}  // namespace zarnet::services
