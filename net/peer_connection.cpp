#include "peer_connection.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

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
    if (peer_) {
      // One opponent per table: later callers are turned away.
      s->disconnectFromHost();
      s->deleteLater();
      continue;
    }
    peer_ = s;
    connect(s, &QTcpSocket::readyRead, this, [this, s] { OnRead(s); });
    connect(s, &QTcpSocket::disconnected, this, [this, s] {
      if (peer_ == s) peer_ = nullptr;
      s->deleteLater();
      emit peerLeft();
    });
  }
}

void PeerConnection::Connect(const QString& address, quint16 port) {
  Close();
  auto* s = new QTcpSocket(this);
  peer_ = s;
  connect(s, &QTcpSocket::connected, this, [this] {
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
  if (peer_) peer_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void PeerConnection::OnRead(QTcpSocket* socket) {
  const QByteArray data = socket->readAll();
  OnPeerRead(game_, link_, *this, std::string_view(data.constData(), data.size()));
}

}  // namespace zarnet
