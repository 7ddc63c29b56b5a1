// The game server of one tournament table: two seats, a match of two deals.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <string>
#include <vector>

#include "random_source.h"
#include "storage.h"

namespace zarnet::services {

inline constexpr int kFrameSize = 20;
inline constexpr int kMatchDeals = 2;
// A match score difference cannot exceed two deals of 120 points and bonus.
inline constexpr int kMaxMatchDiff = 2 * 130;

class TableServer : public QObject {
 public:
  TableServer(int table, Storage& storage, uint64_t seed, QObject* parent = nullptr);
  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const { return server_.errorString(); }

 private:
  struct Player {
    QTcpSocket* socket = nullptr;
    std::string nick;
  };

  void Accept();
  void Read(QTcpSocket* socket);
  void Gone(QTcpSocket* socket);
  void Frame(QTcpSocket* socket, const QByteArray& frame);
  int SeatOf(QTcpSocket* socket) const;
  void Deal();
  void Send(int seat, QByteArray frame);
  QByteArray Signal(char kind, int seat) const;
  // Ends the running match: books it, frees both seats, closes both links.
  void Finish(const MatchOutcome& outcome);
  void Forfeit(int loser);

  int table_;
  Storage& storage_;
  QTcpServer server_;
  Player seats_[3];
  std::vector<QTcpSocket*> unseated_;
  int deals_ = 0;
  bool running_ = false;
  RandomSource rng_;
};

// The 'b' frame of a deck: "b", 40 card codes, 40 orders, 40 points.
QByteArray DeckFrame(RandomSource& rng);

}  // namespace zarnet::services
