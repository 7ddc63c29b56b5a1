// zarnet-netbot against raw peers on loopback, and two bots through a relay
// that splits, delays and salts what they send each other. The wire bytes
// here are written from the message layouts, not by the game's own code.
#include "../spin_until.h"
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace {

QByteArray Name20(const char* name) { return QByteArray(name).leftJustified(20, ' '); }
QByteArray Hello(const char* name, const char* game = "88", const char* link = "25") {
  return "kuv" + QByteArray(game) + link + "connect1" + Name20(name);
}
QByteArray Welcome(const char* name) { return "connect2" + Name20(name); }

// A deck message in deck order: cp1251 rank letters from the two up to the
// ace with their orders and points, four suits each; the rule letters off.
QByteArray Deck(int wrongPointAt = 0) {
  const char ranks[] = {'2', '4', '5', '6', '7', '\xC2', '\xC4', '\xCA', '3', '\xD2'};
  const int points[] = {0, 0, 0, 0, 0, 2, 3, 4, 10, 11};
  const char suits[] = {'\xF7', '\xE1', '\xEA', '\xEF'};
  QByteArray cards, orders, values;
  for (int r = 0; r < 10; ++r)
    for (char suit : suits) {
      cards += ranks[r];
      cards += suit;
      orders += QByteArray::number(r + 1).rightJustified(2, '0');
      const int p = cards.size() / 2 == wrongPointAt ? 11 : points[r];
      values += QByteArray::number(p).rightJustified(2, '0');
    }
  return "b" + cards + orders + values + "\xCB\xCB";
}

// zarnet-netbot in a process of its own.
struct Bot {
  QProcess process;
  QByteArray err;
  explicit Bot(const QStringList& args) {
    process.start(ZARNET_NETBOT, args);
    process.waitForStarted();
  }
  ~Bot() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished();
    }
  }
  quint16 ListeningPort() {
    static const QRegularExpression line("listening on 127\\.0\\.0\\.1:(\\d+)");
    QRegularExpressionMatch m;
    SpinUntil([&] {
      err += process.readAllStandardError();
      m = line.match(QString::fromLatin1(err));
      return m.hasMatch();
    });
    return static_cast<quint16>(m.captured(1).toUInt());
  }
  // The exit status, or -1 when still running after `ms`.
  int Finish(int ms) {
    SpinUntil([&] { return process.state() == QProcess::NotRunning; }, ms);
    err += process.readAllStandardError();
    return process.state() == QProcess::NotRunning ? process.exitCode() : -1;
  }
  // "deal=..." and "series=..." lines with the seats' points swapped, as the
  // other side prints them.
  QStringList Printed(bool mirrored) {
    QStringList out;
    static const QRegularExpression deal("^deal=(\\d+) points_me=(\\d+) points_peer=(\\d+)$");
    static const QRegularExpression series("^series=\\d+ diff=(-?\\d+)$");
    for (const QString& l : QString::fromLatin1(process.readAllStandardOutput()).split('\n')) {
      if (auto m = deal.match(l); m.hasMatch())
        out << QString("deal=%1 %2 %3").arg(m.captured(1), m.captured(mirrored ? 3 : 2), m.captured(mirrored ? 2 : 3));
      if (auto m = series.match(l); m.hasMatch())
        out << QString("diff=%1").arg(mirrored ? -m.captured(1).toInt() : m.captured(1).toInt());
    }
    return out;
  }
};

// One message as it is cut from the stream by its first byte and length,
// then sent on as pieces, each after its own pause.
struct Piece {
  int pauseMs;
  QByteArray bytes;
};
using Salt = std::function<std::vector<Piece>(const QByteArray& message)>;

// Sits between a guest and a host and passes every message through `salt`.
class Relay : public QObject {
 public:
  Relay(quint16 hostPort, Salt toHost, Salt toGuest) : hostPort_(hostPort) {
    salt_[0] = std::move(toHost);
    salt_[1] = std::move(toGuest);
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      side_[0] = server_.nextPendingConnection();
      side_[1] = new QTcpSocket(this);
      side_[1]->connectToHost(QHostAddress::LocalHost, hostPort_);
      side_[1]->waitForConnected(2000);
      for (int from = 0; from < 2; ++from) {
        side_[from]->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(side_[from], &QTcpSocket::readyRead, this, [this, from] { Take(from); });
        connect(side_[from], &QTcpSocket::disconnected, this, [this, from] {
          closing_[from] = true;
          Pump(from);
        });
      }
    });
  }
  quint16 Port() const { return server_.serverPort(); }

 private:
  static int LengthOf(const QByteArray& b) {
    switch (b[0]) {
      case 'k': return 35;
      case 'c': return 28;
      case 'b': return 243;
      case 'h': return 10;
      default: return static_cast<int>(b.size());
    }
  }
  void Take(int from) {
    buffer_[from] += side_[from]->readAll();
    while (!buffer_[from].isEmpty() && buffer_[from].size() >= LengthOf(buffer_[from])) {
      const int n = LengthOf(buffer_[from]);
      for (Piece& p : salt_[from](buffer_[from].left(n))) queue_[from].push_back(std::move(p));
      buffer_[from].remove(0, n);
    }
    Pump(from);
  }
  // Sends the queued pieces from side `from` to the other side in order.
  void Pump(int from) {
    if (busy_[from]) return;
    if (queue_[from].empty()) {
      if (closing_[from]) side_[1 - from]->disconnectFromHost();
      return;
    }
    busy_[from] = true;
    QTimer::singleShot(queue_[from].front().pauseMs, this, [this, from] {
      QTcpSocket* to = side_[1 - from];
      to->write(queue_[from].front().bytes);
      to->flush();
      queue_[from].pop_front();
      busy_[from] = false;
      Pump(from);
    });
  }

  quint16 hostPort_;
  QTcpServer server_;
  QTcpSocket* side_[2] = {};  // 0 the guest's connection, 1 ours to the host
  QByteArray buffer_[2];
  std::deque<Piece> queue_[2];
  bool busy_[2] = {}, closing_[2] = {};
  Salt salt_[2];
};

// Host and guest bots through a relay, each to finish its series and agree
// with the other; what the host and the guest wrote on stderr.
std::pair<QByteArray, QByteArray> PlayThroughRelay(Salt toHost, Salt toGuest, const QStringList& hostArgs, const QStringList& guestArgs,
                      int ms) {
  Bot host(QStringList{"--host", "0"} + hostArgs);
  const quint16 port = host.ListeningPort();
  EXPECT_NE(port, 0);
  if (port == 0) return {};
  Relay relay(port, std::move(toHost), std::move(toGuest));
  Bot guest(QStringList{"--guest", "127.0.0.1:" + QString::number(relay.Port()), "--name", "Guest"} + guestArgs);
  const int guestStatus = guest.Finish(ms);
  const int hostStatus = host.Finish(2000);
  EXPECT_EQ(guestStatus, 0) << guest.err.toStdString();
  EXPECT_EQ(hostStatus, 0) << host.err.toStdString();
  const QStringList seenByHost = host.Printed(false);
  EXPECT_EQ(seenByHost.size(), 3) << seenByHost.join('\n').toStdString();
  EXPECT_EQ(guest.Printed(true), seenByHost);
  return {host.err, guest.err};
}

// Everything the peer may send that changes nothing: stray bytes, hellos of
// other games, "abort" and chat lines cut between reads, decks from the
// wrong side, and every deck and move sent twice (out of turn the second time).
TEST(NetbotPeer, IgnorableInputWholeAndSplitLeavesTheSeriesToItsEnd) {
  QByteArray lastDeck;
  int n = 0;
  auto salt = [&](bool toHost) {
    return [&, toHost](const QByteArray& m) {
      std::vector<Piece> p;
      if (m.startsWith("kuv")) {
        p = {{0, "\x01zz"}, {15, Hello("Other", "87")}, {15, Hello("Other", "88", "24").left(20)},
             {15, Hello("Other", "88", "24").mid(20)}, {15, "ab"}, {15, "ort"}};
      }
      if (m[0] == 'b') lastDeck = m;
      switch (n++ % 4) {
        case 0: p.push_back({0, "ab"}), p.push_back({15, "ort"}); break;
        case 1: p.push_back({0, "sgood"}), p.push_back({15, " luck"}); break;
        case 2: if (toHost && !lastDeck.isEmpty()) p.push_back({0, lastDeck}); break;
        default: p.push_back({0, "?!\r\n"});
      }
      p.push_back({15, m.left(m.size() / 2)});
      p.push_back({15, m.mid(m.size() / 2)});
      if (m[0] == 'h' || m[0] == 'b') p.push_back({0, m});
      return p;
    };
  };
  const auto [hostErr, guestErr] =
      PlayThroughRelay(salt(true), salt(false), {"--timeout", "60"}, {"--timeout", "60"}, 60000);
  EXPECT_TRUE(hostErr.contains("ignored")) << hostErr.toStdString();
  EXPECT_TRUE(guestErr.contains("ignored")) << guestErr.toStdString();
}

// Only silence ends a bot's wait: a peer whose every message comes 150 ms
// late plays a whole series against a bot that waits one second.
TEST(NetbotPeer, SlowPeerPlaysAWholeSeriesWithinTheTimeOut) {
  auto late = [](const QByteArray& m) { return std::vector<Piece>{{150, m}}; };
  auto prompt = [](const QByteArray& m) { return std::vector<Piece>{{0, m}}; };
  QElapsedTimer clock;
  clock.start();
  PlayThroughRelay(late, prompt, {"--timeout", "1"}, {"--timeout", "5"}, 60000);
  EXPECT_GT(clock.elapsed(), 3000);  // the series outlasted the time-out many times over
}

TEST(NetbotPeer, SilentPeerTimesOut) {
  Bot bot({"--host", "0", "--timeout", "1"});
  const quint16 port = bot.ListeningPort();
  QTcpSocket peer;
  peer.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(peer.waitForConnected(2000));
  peer.write(Hello("Quiet"));
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(bot.Finish(5000), 3);
  EXPECT_GE(clock.elapsed(), 900);
}

// A connection that never says hello does not hold the host's only seat.
TEST(NetbotPeer, SilentFirstConnectionDoesNotKeepTheGuestOut) {
  Bot host({"--host", "0", "--timeout", "30"});
  const quint16 port = host.ListeningPort();
  QTcpSocket silent, quitter;
  silent.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(silent.waitForConnected(2000));
  // Another leaves halfway through its hello; its bytes leave with it.
  quitter.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(quitter.waitForConnected(2000));
  quitter.write(Hello("Gone").left(20));
  quitter.waitForBytesWritten(1000);
  quitter.abort();
  Bot guest({"--guest", "127.0.0.1:" + QString::number(port), "--timeout", "30"});
  EXPECT_EQ(guest.Finish(30000), 0) << guest.err.toStdString();
  EXPECT_EQ(host.Finish(2000), 0) << host.err.toStdString();
}

TEST(NetbotPeer, DeckWithAWrongPointValueIsRefused) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  Bot guest({"--guest", "127.0.0.1:" + QString::number(server.serverPort()), "--timeout", "30"});
  ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
  QTcpSocket* host = server.nextPendingConnection();
  QByteArray got;
  ASSERT_TRUE(SpinUntil([&] { return (got += host->readAll()).size() >= 35; }));
  EXPECT_EQ(got, Hello("NetBot"));
  host->write(Welcome("Raw") + Deck(1));  // the two of hearts claims 11 points
  host->flush();
  EXPECT_EQ(guest.Finish(5000), 2) << guest.err.toStdString();
  EXPECT_TRUE(SpinUntil([&] { return host->state() == QAbstractSocket::UnconnectedState; }));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
