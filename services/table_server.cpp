#include "table_server.h"

#include <QPointer>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

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

bool LinkCounter::Take(const QString& address) {
  int& n = links_[address];
  if (n >= perAddress_) return false;
  ++n;
  return true;
}

void LinkCounter::Give(const QString& address) {
  auto it = links_.find(address);
  if (it == links_.end()) return;
  if (--it.value() <= 0) links_.erase(it);
}

QString AddressText(const QHostAddress& address) {
  bool v4 = false;
  const quint32 ip = address.toIPv4Address(&v4);
  return v4 ? QHostAddress(ip).toString() : address.toString();
}

TableServer::TableServer(int table, Storage& storage, uint64_t seed, LinkCounter& counter, LinkLimits limits,
                         QObject* parent)
    : QObject(parent), table_(table), storage_(storage), counter_(counter), limits_(limits), rng_(seed) {
  connect(&server_, &QTcpServer::newConnection, this, &TableServer::Accept);
  sweep_.setInterval(1000);
  connect(&sweep_, &QTimer::timeout, this, &TableServer::Sweep);
  sweep_.start();
  outcomeWait_.setSingleShot(true);
  connect(&outcomeWait_, &QTimer::timeout, this, [this] {
    if (!running_ || !played_) return;
    Log("no outcome frame from seat 1: the played outcome is booked");
    FinishPlayed();
  });
}

TableServer::~TableServer() {
  for (const auto& [socket, link] : links_) socket->disconnect(this);
  links_.clear();
}

bool TableServer::Listen(const QHostAddress& address, quint16 port) { return server_.listen(address, port); }

void TableServer::Log(const char* format, ...) const {
  char line[400];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::fprintf(stderr, "table %d: %s\n", table_, line);
}

void TableServer::Accept() {
  while (QTcpSocket* s = server_.nextPendingConnection()) {
    const QString address = AddressText(s->peerAddress());
    if (!counter_.Take(address)) {
      Log("link from %s refused: %d links from that address already", qPrintable(address), limits_.perAddress);
      s->abort();
      s->deleteLater();
      continue;
    }
    // Links that never say "connect" must not crowd out the players: the
    // oldest one goes.
    const int seated = (seats_[1].socket != nullptr) + (seats_[2].socket != nullptr);
    if (int(links_.size()) - seated >= limits_.unseatedPerTable) {
      QTcpSocket* oldest = nullptr;
      qint64 age = -1;
      for (const auto& [socket, link] : links_)
        if (!SeatOf(socket) && link.opened.elapsed() > age) oldest = socket, age = link.opened.elapsed();
      if (oldest) Drop(oldest, "the oldest link without a seat makes room");
    }
    Link link;
    link.address = address;
    link.opened.start();
    links_.emplace(s, link);
    // Qt stops reading from the system when this much waits unread.
    s->setReadBufferSize(4096);
    // Relayed frames go on at once, not behind the acknowledgement of the last.
    s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(s, &QTcpSocket::readyRead, this, [this, s] { Read(s); });
    connect(s, &QTcpSocket::disconnected, this, [this, s] { Gone(s); });
  }
}

int TableServer::SeatOf(QTcpSocket* socket) const {
  if (!socket) return 0;
  for (int seat = 1; seat <= 2; ++seat)
    if (seats_[seat].socket == socket) return seat;
  return 0;
}

void TableServer::Read(QTcpSocket* socket) {
  // Whole frames only; a part waits in the socket for the rest.
  try {
    while (links_.count(socket) && socket->bytesAvailable() >= kFrameSize &&
           socket->state() == QAbstractSocket::ConnectedState)
      Frame(socket, socket->read(kFrameSize));
  } catch (const StorageError& e) {
    Log("storage failed: %s", e.what());
    Drop(socket, "the storage failed");
    return;
  }
  auto it = links_.find(socket);
  if (it == links_.end()) return;
  QElapsedTimer& partial = it->second.partialSince;
  if (socket->bytesAvailable() == 0) partial.invalidate();
  else if (!partial.isValid()) partial.start();
}

QByteArray TableServer::Signal(char kind, int seat) const {
  QByteArray f(kFrameSize, '#');
  f[0] = kind;
  f[kFrameSize - 1] = char('0' + seat);
  return f;
}

void TableServer::Send(int seat, const QByteArray& frame) {
  QTcpSocket* s = seats_[seat].socket;
  if (!s) return;
  s->write(frame);
  if (s->bytesToWrite() > limits_.maxUnsent) Drop(s, "a player leaves his output unread");
}

void TableServer::Drop(QTcpSocket* socket, const char* why) {
  auto it = links_.find(socket);
  if (it == links_.end()) return;
  Log("link from %s closed: %s", qPrintable(it->second.address), why);
  socket->disconnect(this);
  Gone(socket);
  socket->abort();
}

void TableServer::Sweep() {
  std::vector<std::pair<QTcpSocket*, const char*>> late;
  for (const auto& [socket, link] : links_) {
    if (!SeatOf(socket) && link.opened.elapsed() > limits_.connectMs)
      late.emplace_back(socket, "no \"connect\" in time");
    else if (link.partialSince.isValid() && link.partialSince.elapsed() > limits_.moveMs)
      late.emplace_back(socket, "a half frame waited longer than the move clock");
  }
  for (const auto& [socket, why] : late) Drop(socket, why);
  // A player who neither moves nor lets his own clock run out loses on time,
  // as his client would have told.
  if (running_ && !played_ && moveClock_.isValid() && moveClock_.elapsed() > limits_.moveMs * 3 / 2) {
    const int seat = referee_.ToMove();
    Log("seat %d loses on time: no move for %lld s", seat, static_cast<long long>(moveClock_.elapsed() / 1000));
    Forfeit(seat, 'T');
  }
}

void TableServer::Frame(QTcpSocket* socket, const QByteArray& frame) {
  const int seat = SeatOf(socket);
  if (seat == 0) {
    Connect(socket, frame);
    return;
  }
  const int other = 3 - seat;
  QByteArray relayed = frame;
  relayed[kFrameSize - 1] = char('0' + seat);  // the seat is ours to say
  switch (frame[0]) {
    case 'h':
      Move(seat, frame, relayed);
      return;
    case 's':
      if (running_) Send(other, relayed);
      return;
    default:
      break;
  }
  if (frame.startsWith("bnext")) {
    // Only between the deals: a deal in progress cannot be abandoned.
    if (running_ && seat == 1 && referee_.DealOver() && !played_) Deal(false);
    else Log("\"bnext\" from seat %d ignored: no deal has just ended", seat);
  } else if (frame.startsWith("TOut")) {
    if (running_ && !played_) Forfeit(seat, 'T');
  } else if (frame.startsWith("disA")) {
    if (running_) {
      if (played_) FinishPlayed();
      else Forfeit(seat, 'a');
    } else {
      seats_[seat] = {};
      socket->disconnectFromHost();
    }
  } else if (frame[0] == 'o') {
    if (!running_ || seat != 1) return;
    if (!played_) {
      Log("outcome frame before the end of the match ignored: %s", frame.constData());
      return;
    }
    bool ok1 = false, ok2 = false;
    const int d1 = frame.mid(1, 5).trimmed().toInt(&ok1);
    const int d2 = frame.mid(6, 5).trimmed().toInt(&ok2);
    const int played1 = referee_.Score(1) - referee_.Score(2);
    if (!ok1 || !ok2 || d1 != played1 || d2 != -played1)
      Log("outcome frame %s disagrees with the play (%d): the play is booked", frame.constData(), played1);
    FinishPlayed();
  }
}

void TableServer::Connect(QTcpSocket* socket, const QByteArray& frame) {
  const QString& address = links_.at(socket).address;
  // The first frame of a link says which seat it plays.
  const int wanted = frame.startsWith("connect") ? frame[7] - '0' : 0;
  if (wanted != 1 && wanted != 2) {
    Drop(socket, "the first frame is no \"connect\"");
    return;
  }
  if (seats_[wanted].socket) {
    Drop(socket, "the seat is linked already");
    return;
  }
  const Seat booked = storage_.ReadSeat(table_, wanted);
  if (booked.nick == "X") {  // nobody took that seat at the tournament
    Drop(socket, "nobody took that seat");
    return;
  }
  if (QString::fromStdString(storage_.SeatHolder(table_, wanted)) != address) {
    Drop(socket, "the seat was taken from another address");
    return;
  }
  seats_[wanted] = {socket, booked.nick};
  if (!running_ && seats_[1].socket && seats_[2].socket) {
    running_ = true;
    played_ = false;
    Deal(true);
  }
}

void TableServer::Move(int seat, const QByteArray& frame, const QByteArray& relayed) {
  if (!running_ || played_) return;
  switch (referee_.Move(seat, std::string_view(frame.constData(), kFrameSize - 1))) {
    case Referee::Verdict::Ignore:
      Log("seat %d: %s ignored", seat, referee_.why().c_str());
      return;
    case Referee::Verdict::Illegal:
      Log("seat %d forfeits the match: %s", seat, referee_.why().c_str());
      Forfeit(seat, 'a');
      return;
    case Referee::Verdict::Relay:
      break;
  }
  moveClock_.start();
  Send(3 - seat, relayed);
  if (running_ && referee_.DealOver() && referee_.deals() >= kMatchDeals) {
    played_ = true;
    outcomeWait_.start(limits_.outcomeWaitMs);
  }
}

void TableServer::Deal(bool first) {
  const QByteArray deck = DeckFrame(rng_);
  referee_.BeginDeal(std::string_view(deck.constData() + 1, 80), first);
  moveClock_.start();
  Send(1, deck);
  Send(2, deck);
}

void TableServer::Forfeit(int loser, char notice) {
  if (!running_) return;
  MatchOutcome m;
  m.deals = referee_.deals();
  m.result1 = loser == 1 ? 0.0 : 1.0;
  Conclude(m, notice ? Signal(notice, loser) : QByteArray(), 3 - loser);
}

void TableServer::FinishPlayed() {
  if (!running_) return;
  MatchOutcome m;
  m.diff1 = referee_.Score(1) - referee_.Score(2);
  m.diff2 = -m.diff1;
  m.deals = referee_.deals();
  m.result1 = m.diff1 > 0 ? 1.0 : m.diff1 < 0 ? 0.0 : 0.5;
  Conclude(m, {}, 0);
}

void TableServer::Conclude(MatchOutcome m, const QByteArray& notice, int noticeSeat) {
  running_ = false;
  played_ = false;
  outcomeWait_.stop();
  m.table = table_;
  m.nick1 = seats_[1].nick;
  m.nick2 = seats_[2].nick;
  QTcpSocket* links[3] = {nullptr, seats_[1].socket, seats_[2].socket};
  seats_[1] = seats_[2] = {};
  try {
    storage_.BookMatch(m);
  } catch (const StorageError& e) {
    Log("booking failed: %s", e.what());
  }
  if (noticeSeat && links[noticeSeat] && !notice.isEmpty()) links[noticeSeat]->write(notice);
  for (int seat = 1; seat <= 2; ++seat) {
    QTcpSocket* s = links[seat];
    auto it = links_.find(s);
    if (it == links_.end()) continue;
    it->second.opened.restart();  // a link left open by its player is swept after the connect time
    s->disconnectFromHost();      // after what is queued has gone out
  }
}

void TableServer::Gone(QTcpSocket* socket) {
  auto it = links_.find(socket);
  if (it == links_.end()) return;
  counter_.Give(it->second.address);
  links_.erase(it);
  const int seat = SeatOf(socket);
  if (seat) {
    seats_[seat].socket = nullptr;  // the nick stays for the booking
    if (!running_) seats_[seat] = {};
    else if (played_) FinishPlayed();
    else Forfeit(seat, 'a');
  }
  socket->deleteLater();
}

}  // namespace zarnet::services
