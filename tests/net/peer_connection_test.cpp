#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>

#include "peer_connection.h"

namespace zarnet {
namespace {

// Runs the event loop until `done` holds or five seconds pass.
template <typename F>
bool SpinUntil(F done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

TEST(PeerAddress, GuestAddressNeedsFourShortGroups) {
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {{"127.0.0.1", true},   {"192.168.1", false}, {"10.0.0.", false},
               {"10.0.0.1234", false}, {"1..2.3", false},    {"255.255.255.255", true}};
  for (const Case& c : cases) EXPECT_EQ(ValidGuestAddress(c.text), c.ok) << c.text;
}

TEST(PeerAddress, EditsWithForeignCharactersFallBack) {
  EXPECT_EQ(FilterPortEdit("2566a", "25666"), "25666");
  EXPECT_EQ(FilterPortEdit("2567", "25666"), "2567");
  EXPECT_EQ(FilterAddressEdit("10.0.0.5", "127.0.0.1"), "10.0.0.5");
  EXPECT_EQ(FilterAddressEdit("10,0", "127.0.0.1"), "127.0.0.1");
}

struct Side {
  Game game;
  PeerLink link;
  PeerConnection conn{game, link};
  int connected = 0, started = 0, left = 0, failed = 0;
  Side(int role, const char* name) {
    game.opt.NetGame = true;
    game.opt.NetRole = static_cast<uint8_t>(role);
    link.PlayerName = PadName(name);
    link.LinkState = 1;
    QObject::connect(&conn, &PeerConnection::secondPlayerConnected, [this] { ++connected; });
    QObject::connect(&conn, &PeerConnection::guestSeriesStarts, [this] { ++started; });
    QObject::connect(&conn, &PeerConnection::peerLeft, [this] { ++left; });
    QObject::connect(&conn, &PeerConnection::connectFailed, [this] { ++failed; });
  }
};

TEST(PeerConnection, HandshakeOverLoopbackThenTheGuestLeaves) {
  Side host(1, "Host"), guest(2, "Guest");
  ASSERT_TRUE(host.conn.Listen(0));
  guest.conn.Connect("127.0.0.1", host.conn.ListeningPort());
  ASSERT_TRUE(SpinUntil([&] { return guest.started == 1; }));
  EXPECT_EQ(host.connected, 1);
  EXPECT_EQ(host.link.LinkState, 2);
  EXPECT_EQ(guest.link.LinkState, 2);
  EXPECT_EQ(host.game.SeatName[1], PadName("Guest"));
  EXPECT_EQ(guest.game.SeatName[1], PadName("Host"));

  guest.conn.Close();
  EXPECT_TRUE(SpinUntil([&] { return host.left == 1; }));
}

TEST(PeerConnection, NobodyListeningIsAFailedConnect) {
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  const quint16 port = probe.serverPort();
  probe.close();  // a port that was just free
  Side guest(2, "Guest");
  guest.conn.Connect("127.0.0.1", port);
  EXPECT_TRUE(SpinUntil([&] { return guest.failed == 1; }));
  EXPECT_EQ(guest.started, 0);
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
