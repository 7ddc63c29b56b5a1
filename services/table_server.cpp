#include "table_server.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>

#include "cards.h"

namespace zarnet::services {

QByteArray DeckFrame(RandomSource& rng) {
  int numbers[41];
  for (int i = 1; i <= 40; ++i) numbers[i] = i;
  for (int i = 40; i > 1; --i) std::swap(numbers[i], numbers[1 + rng.Below(uint32_t(i))]);
  QByteArray frame("b");
  for (int i = 1; i <= 40; ++i) frame += QByteArray::fromStdString(kDeckTable[numbers[i]].code.Bytes());
  char two[12];
  for (int i = 1; i <= 40; ++i) {
    std::snprintf(two, sizeof two, "%02d", kDeckTable[numbers[i]].order);
    frame += two;
  }
  for (int i = 1; i <= 40; ++i) {
    std::snprintf(two, sizeof two, "%02d", kDeckTable[numbers[i]].points);
    frame += two;
  }
  return frame;
}

TableServer::TableServer(int table, Storage& storage, uint64_t seed, QObject* parent)
    : QObject(parent), table_(table), storage_(storage), rng_(seed) {
  connect(&server_, &QTcpServer::newConnection, this, &TableServer::Accept);
}

bool TableServer::Listen(const QHostAddress& address, quint16 port) { return server_.listen(address, port); }

void TableServer::Accept() {
  while (QTcpSocket* s = server_.nextPendingConnection()) {
    // Relayed frames go on at once, not behind the acknowledgement of the last.
    s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    unseated_.push_back(s);
    connect(s, &QTcpSocket::readyRead, this, [this, s] { Read(s); });
    connect(s, &QTcpSocket::disconnected, this, [this, s] { Gone(s); });
  }
}

int TableServer::SeatOf(QTcpSocket* socket) const {
  for (int seat = 1; seat <= 2; ++seat)
    if (seats_[seat].socket == socket) return seat;
  return 0;
}

void TableServer::Read(QTcpSocket* socket) {
  // Whole frames only; a part waits in the socket for the rest.
  while (socket->bytesAvailable() >= kFrameSize && socket->state() == QAbstractSocket::ConnectedState)
    Frame(socket, socket->read(kFrameSize));
  // Nobody sends more than a few frames without being answered.
  if (socket->bytesAvailable() > 64 * 1024) socket->abort();
}

QByteArray TableServer::Signal(char kind, int seat) const {
  QByteArray f(kFrameSize, '#');
  f[0] = kind;
  f[kFrameSize - 1] = char('0' + seat);
  return f;
}

void TableServer::Send(int seat, QByteArray frame) {
  if (QTcpSocket* s = seats_[seat].socket) s->write(frame);
}

void TableServer::Frame(QTcpSocket* socket, const QByteArray& frame) {
  const int seat = SeatOf(socket);
  if (seat == 0) {
    // The first frame of a link says which seat it plays.
    const int wanted = frame.startsWith("connect") ? frame[7] - '0' : 0;
    if ((wanted != 1 && wanted != 2) || seats_[wanted].socket) {
      socket->disconnectFromHost();
      return;
    }
    const Seat booked = storage_.ReadSeat(table_, wanted);
    if (booked.nick == "X") {  // nobody took that seat at the tournament
      socket->disconnectFromHost();
      return;
    }
    unseated_.erase(std::remove(unseated_.begin(), unseated_.end(), socket), unseated_.end());
    seats_[wanted] = {socket, booked.nick};
    if (!running_ && seats_[1].socket && seats_[2].socket) {
      running_ = true;
      deals_ = 0;
      Deal();
    }
    return;
  }
  const int other = 3 - seat;
  QByteArray relayed = frame;
  relayed[kFrameSize - 1] = char('0' + seat);  // the seat is ours to say
  switch (frame[0]) {
    case 'h':
    case 's':
      if (running_) Send(other, relayed);
      return;
    default:
      break;
  }
  if (frame.startsWith("bnext")) {
    if (running_ && seat == 1 && deals_ < kMatchDeals) Deal();
  } else if (frame.startsWith("TOut")) {
    if (running_) {
      Send(other, Signal('T', seat));
      Forfeit(seat);
    }
  } else if (frame.startsWith("disA")) {
    if (running_) {
      Send(other, Signal('a', seat));
      Forfeit(seat);
    } else {
      seats_[seat] = {};
      socket->disconnectFromHost();
    }
  } else if (frame[0] == 'o') {
    if (!running_ || seat != 1 || deals_ != kMatchDeals) return;
    bool ok1 = false, ok2 = false;
    const int d1 = frame.mid(1, 5).trimmed().toInt(&ok1);
    const int d2 = frame.mid(6, 5).trimmed().toInt(&ok2);
    if (!ok1 || !ok2 || d1 != -d2 || std::abs(d1) > kMaxMatchDiff) {
      std::fprintf(stderr, "table %d: outcome refused: %s\n", table_, frame.constData());
      return;
    }
    MatchOutcome m;
    m.diff1 = d1;
    m.diff2 = d2;
    m.deals = kMatchDeals;
    m.result1 = d1 > 0 ? 1.0 : d1 < 0 ? 0.0 : 0.5;
    Finish(m);
  }
}

void TableServer::Deal() {
  ++deals_;
  const QByteArray deck = DeckFrame(rng_);
  Send(1, deck);
  Send(2, deck);
}

void TableServer::Forfeit(int loser) {
  MatchOutcome m;
  m.deals = deals_;
  m.result1 = loser == 1 ? 0.0 : 1.0;
  Finish(m);
}

void TableServer::Finish(const MatchOutcome& outcome) {
  running_ = false;
  MatchOutcome m = outcome;
  m.table = table_;
  m.nick1 = seats_[1].nick;
  m.nick2 = seats_[2].nick;
  try {
    storage_.BookMatch(m);
  } catch (const StorageError& e) {
    std::fprintf(stderr, "table %d: booking failed: %s\n", table_, e.what());
  }
  for (int seat = 1; seat <= 2; ++seat) {
    QTcpSocket* s = seats_[seat].socket;
    seats_[seat] = {};
    if (s) s->disconnectFromHost();  // after what is queued has gone out
  }
}

void TableServer::Gone(QTcpSocket* socket) {
  unseated_.erase(std::remove(unseated_.begin(), unseated_.end(), socket), unseated_.end());
  const int seat = SeatOf(socket);
  if (seat) {
    seats_[seat].socket = nullptr;  // the nick stays for the booking
    if (running_) {
      Send(3 - seat, Signal('a', seat));
      Forfeit(seat);
    } else {
      seats_[seat] = {};
    }
  }
  socket->deleteLater();
}

}  // namespace zarnet::services
