// The two sockets of a peer game: the host listens, the guest connects. All
// events arrive on the UI thread; reads go to the peer message receiver.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

#include "peer_protocol.h"

class QTcpServer;
class QTcpSocket;

namespace zarnet {

// The address a guest types: four groups of 1 to 3 characters between three
// dots, not ending with a dot (the field itself admits only digits and dots).
bool ValidGuestAddress(const QString& address);
// An edited field keeps its text only when every character is allowed.
QString FilterAddressEdit(const QString& text, const QString& lastValid);
QString FilterPortEdit(const QString& text, const QString& lastValid);

class PeerConnection : public QObject, public PeerOutlet {
  Q_OBJECT

 public:
  PeerConnection(Game& game, PeerLink& link, QObject* parent = nullptr);
  ~PeerConnection() override;

  // Host: ServerSocket1 listens on every interface, or on `address` alone.
  bool Listen(quint16 port, const QHostAddress& address = QHostAddress::AnyIPv4);
  quint16 ListeningPort() const;
  // Guest: ClientSocket1 connects; the hello follows once connected.
  void Connect(const QString& address, quint16 port);
  // Deactivates the socket of our role.
  void Close();
  bool Active() const;

  void Write(const std::string& bytes) override;
  void SecondPlayerConnected() override { emit secondPlayerConnected(); }
  void GuestSeriesStarts() override { emit guestSeriesStarts(); }
  void ChatLine(const std::string& text, int colour) override { emit chatLine(text, colour); }
  void PeerOutOfStep() override { emit peerOutOfStep(); }
  void DeckArrived() override { emit deckArrived(); }
  void BadMessage(const std::string& bytes) override { emit badMessage(bytes); }
  // Closes the link at once; `protocolViolation` then tells why.
  void ProtocolViolation(const std::string& what) override;

  // Guest: the series has started; messages held since the welcome are read.
  void ReadOn();
  // Host: closes the accepted connection and listens on for the next guest.
  void DropPeer();
  bool HasPeer() const;

  // Host: a connection that has not said a valid hello within this time, or
  // has sent more than kHelloBudget bytes without one, is closed; the seat
  // stays free for the next.
  int helloTimeoutMs = 10000;
  static constexpr size_t kHelloBudget = 1024;
  // Connections waiting for their hello at once; the oldest gives way.
  static constexpr size_t kMaxCallers = 8;
  size_t CallerCount() const { return callers_.size(); }

 signals:
  void secondPlayerConnected();
  void guestSeriesStarts();
  void chatLine(const std::string& text, int colour);
  void peerOutOfStep();
  void deckArrived();
  void badMessage(const std::string& bytes);
  // The peer broke the protocol; the link is already closed.
  void protocolViolation(const std::string& what);
  // Bytes came from the peer (after its hello, on the host).
  void received();
  // The peer's side of the connection closed (ClientDisconnect / Disconnect).
  void peerLeft();
  // The guest could not connect or lost the connection with an error.
  void connectFailed();

 private:
  // A host's connection that has not yet said its hello, with what it sent.
  struct Caller {
    QTcpSocket* socket;
    std::string bytes;
    size_t received = 0;
  };

  void OnNewConnection();
  void OnCallerRead(QTcpSocket* socket);
  void DropCaller(QTcpSocket* socket);
  void DropCallers();
  void TakePeer(QTcpSocket* socket);
  void OnRead(QTcpSocket* socket);

  Game& game_;
  PeerLink& link_;
  QTcpServer* server_ = nullptr;
  QPointer<QTcpSocket> peer_;  // the host's guest once its hello came, or the guest's socket
  std::vector<Caller> callers_;
};

}  // namespace zarnet
