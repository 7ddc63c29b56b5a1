#include "peer_connection.h"

#include <QHostAddress>
#include <algorithm>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace zarnet {

bool ValidGuestAddress(const QString& address) {
  if (address.count('.') != 3 || address.endsWith('.')) return false;
  for (const QString& group : address.split('.')) {
    if (group.isEmpty() || group.size() > 3) return false;
  }
  return true;
}

namespace {

QString FilterEdit(const QString& text, const QString& lastValid, bool allowDot) {
  for (QChar c : text) {
    if (!(c.isDigit() && c.unicode() < 128) && !(allowDot && c == '.')) return lastValid;
  }
  return text;
}

// Moves are small and sent one behind another: none may wait for the
// peer's delayed acknowledgement of the one before.
void NoDelay(QTcpSocket* s) { s->setSocketOption(QAbstractSocket::LowDelayOption, 1); }

// Lets go of a socket without losing what was written to it last.
void Release(QObject* owner, QTcpSocket* s) {
  s->disconnect(owner);
  if (s->state() == QAbstractSocket::ConnectedState) {
    s->flush();
    QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    s->disconnectFromHost();
    if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
  } else {
    s->abort();
    s->deleteLater();
  }
}

}  // namespace

QString FilterAddressEdit(const QString& text, const QString& lastValid) {
  return FilterEdit(text, lastValid, true);
}

QString FilterPortEdit(const QString& text, const QString& lastValid) {
  return FilterEdit(text, lastValid, false);
}

PeerConnection::PeerConnection(Game& game, PeerLink& link, QObject* parent)
    : QObject(parent), game_(game), link_(link) {}

PeerConnection::~PeerConnection() { Close(); }

bool PeerConnection::Listen(quint16 port, const QHostAddress& address) {
  Close();
  server_ = new QTcpServer(this);
  connect(server_, &QTcpServer::newConnection, this, &PeerConnection::OnNewConnection);
  if (!server_->listen(address, port)) {
    delete server_;
    server_ = nullptr;
    return false;
  }
  return true;
}

quint16 PeerConnection::ListeningPort() const { return server_ ? server_->serverPort() : 0; }

void PeerConnection::OnNewConnection() {
  while (QTcpSocket* s = server_->nextPendingConnection()) {
    NoDelay(s);
    if (!peer_ && link_.LinkState >= 2) {
      // The link was made without a socket (its owner set the state): this one carries it.
      TakePeer(s);
      continue;
    }
    if (peer_ || link_.LinkState != 1) {
      // One opponent per table: later callers are turned away.
      s->disconnectFromHost();
      s->deleteLater();
      continue;
    }
    if (callers_.size() >= kMaxCallers) DropCaller(callers_.front().socket);
    callers_.push_back({s, {}, 0});
    connect(s, &QTcpSocket::readyRead, this, [this, s] { OnCallerRead(s); });
    connect(s, &QTcpSocket::disconnected, this, [this, s] { DropCaller(s); });
    // A silent caller must not hold the only seat.
    QTimer::singleShot(helloTimeoutMs, s, [this, s] { DropCaller(s); });
  }
}

void PeerConnection::OnCallerRead(QTcpSocket* socket) {
  auto it = std::find_if(callers_.begin(), callers_.end(), [socket](const Caller& c) { return c.socket == socket; });
  if (it == callers_.end()) return;
  const QByteArray data = socket->readAll();
  it->received += static_cast<size_t>(data.size());
  it->bytes.append(data.constData(), static_cast<size_t>(data.size()));
  std::string name;
  if (TakeGreeting(it->bytes, HelloPrefix(), kHelloLength, &name)) {
    const std::string rest = std::move(it->bytes);
    callers_.erase(it);
    TakePeer(socket);
    AcceptHello(game_, link_, *this, name);
    if (peer_ == socket && !rest.empty()) OnPeerRead(game_, link_, *this, rest);
  } else if (it->received > kHelloBudget) {
    DropCaller(socket);  // no guest of ours talks this long before its hello
  }
}

void PeerConnection::TakePeer(QTcpSocket* s) {
  DropCallers();
  s->disconnect(this);
  peer_ = s;
  link_.pending.clear();
  connect(s, &QTcpSocket::readyRead, this, [this, s] { OnRead(s); });
  connect(s, &QTcpSocket::disconnected, this, [this, s] {
    if (peer_ == s) peer_ = nullptr;
    s->deleteLater();
    // Nobody may step into the seat without a hello of its own.
    link_.LinkState = 0;
    emit peerLeft();
  });
}

void PeerConnection::DropCaller(QTcpSocket* socket) {
  auto it = std::find_if(callers_.begin(), callers_.end(), [socket](const Caller& c) { return c.socket == socket; });
  if (it == callers_.end()) return;
  callers_.erase(it);
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
}

void PeerConnection::DropCallers() {
  while (!callers_.empty()) DropCaller(callers_.back().socket);
}

void PeerConnection::Connect(const QString& address, quint16 port) {
  Close();
  auto* s = new QTcpSocket(this);
  peer_ = s;
  connect(s, &QTcpSocket::connected, this, [this, s] {
    NoDelay(s);
    if (link_.LinkState == 1) Write(HelloMessage(link_.PlayerName));
  });
  connect(s, &QTcpSocket::readyRead, this, [this, s] { OnRead(s); });
  connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError error) {
    if (error == QAbstractSocket::RemoteHostClosedError) return;  // reported as a disconnect
    s->abort();
    emit connectFailed();
  });
  connect(s, &QTcpSocket::disconnected, this, [this] { emit peerLeft(); });
  s->connectToHost(address, port);
}

void PeerConnection::Close() {
  link_.pending.clear();
  link_.held = false;
  DropCallers();
  if (peer_) {
    QTcpSocket* s = peer_;
    peer_ = nullptr;
    Release(this, s);
  }
  if (server_) {
    server_->close();
    server_->deleteLater();
    server_ = nullptr;
  }
}

void PeerConnection::ReadOn() {
  link_.held = false;
  OnPeerRead(game_, link_, *this, {});
}

void PeerConnection::DropPeer() {
  if (!peer_) return;
  QTcpSocket* s = peer_;
  peer_ = nullptr;
  Release(this, s);
  link_.pending.clear();
}

bool PeerConnection::HasPeer() const { return !peer_.isNull(); }

bool PeerConnection::Active() const { return server_ != nullptr || peer_ != nullptr; }

void PeerConnection::Write(const std::string& bytes) {
  if (!peer_) return;
  peer_->write(bytes.data(), static_cast<qint64>(bytes.size()));
  // Out now: the window may be about to animate the move with the loop held.
  peer_->flush();
}

void PeerConnection::ProtocolViolation(const std::string& what) {
  if (game_.opt.NetRole == 1) {
    DropPeer();
  } else {
    Close();
  }
  link_.LinkState = 0;
  emit protocolViolation(what);
}

void PeerConnection::OnRead(QTcpSocket* socket) {
  const QByteArray data = socket->readAll();
  if (!data.isEmpty()) emit received();
  OnPeerRead(game_, link_, *this, std::string_view(data.constData(), data.size()));
}

}  // namespace zarnet
