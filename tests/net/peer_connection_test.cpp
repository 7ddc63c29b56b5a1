#include "../spin_until.h"
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>

#include <QTcpSocket>
#include <algorithm>

#include "engine.h"
#include "peer_connection.h"
#include "recording_view.h"
#include "test_util.h"

namespace zarnet {
namespace {

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

// What a raw socket on the other end reads within a short while.
QByteArray ReadFor(QTcpSocket& s, int ms);
void Send(QTcpSocket& s, const std::string& bytes);

// Callers that say no hello, leave halfway through one or talk too much are
// dropped with their bytes; the seat stays free for the real guest.
TEST(PeerConnection, CallersWithoutAHelloDoNotHoldTheSeat) {
  Side host(1, "Host");
  host.conn.helloTimeoutMs = 300;
  ASSERT_TRUE(host.conn.Listen(0));
  const quint16 port = host.conn.ListeningPort();
  QTcpSocket silent, quitter, talker;
  for (QTcpSocket* s : {&silent, &quitter, &talker}) {
    s->connectToHost("127.0.0.1", port);
    ASSERT_TRUE(s->waitForConnected(2000));
  }
  Send(quitter, HelloMessage("Gone").substr(0, 20));
  Send(talker, std::string(PeerConnection::kHelloBudget + 1, 'x'));
  ReadFor(quitter, 100);  // the host has its half hello
  quitter.abort();
  EXPECT_TRUE(SpinUntil([&] { return talker.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_TRUE(SpinUntil([&] { return silent.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(host.conn.CallerCount(), 0u);

  Side guest(2, "Guest");
  QTcpSocket early;  // in before the guest, silent still when the guest's hello comes
  early.connectToHost("127.0.0.1", port);
  ASSERT_TRUE(early.waitForConnected(2000));
  guest.conn.Connect("127.0.0.1", port);
  ASSERT_TRUE(SpinUntil([&] { return guest.started == 1; }));
  EXPECT_EQ(host.connected, 1);
  EXPECT_EQ(host.game.SeatName[1], PadName("Guest"));
  EXPECT_EQ(host.left, 0);
  EXPECT_TRUE(SpinUntil([&] { return early.state() == QAbstractSocket::UnconnectedState; }));
}

// What a raw socket on the other end reads within a short while.
QByteArray ReadFor(QTcpSocket& s, int ms) {
  QByteArray got;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    s.waitForReadyRead(10);
    got += s.readAll();
  }
  return got;
}

void Send(QTcpSocket& s, const std::string& bytes) {
  s.write(bytes.data(), static_cast<qint64>(bytes.size()));
  s.flush();
  s.waitForBytesWritten(1000);
}

// The host's side of the game, with a bare socket as its guest.
class HostOverLoopback : public ::testing::Test {
 protected:
  void SetUp() override {
    game.opt.NetGame = true;
    game.opt.NetRole = 1;
    link.PlayerName = PadName("Host");
    link.LinkState = 1;
    QObject::connect(&conn, &PeerConnection::chatLine, [this](const std::string& t, int) { chat.push_back(t); });
    ASSERT_TRUE(conn.Listen(0));
    guest.connectToHost("127.0.0.1", conn.ListeningPort());
    ASSERT_TRUE(guest.waitForConnected(2000));
  }
  RecordingView view;
  Game game{&view};
  PeerLink link;
  PeerConnection conn{game, link};
  QTcpSocket guest;
  std::vector<std::string> chat;
};

TEST_F(HostOverLoopback, HelloOfThisGameIsAnsweredAndOfAnotherIgnored) {
  std::string other = HelloMessage("Guest");
  other[4] = '7';  // game 87
  Send(guest, other);
  EXPECT_TRUE(ReadFor(guest, 300).isEmpty());
  EXPECT_EQ(link.LinkState, 1);
  Send(guest, HelloMessage("Guest"));
  EXPECT_EQ(ReadFor(guest, 300).toStdString(), WelcomeMessage("Host"));
  EXPECT_EQ(link.LinkState, 2);
  EXPECT_EQ(game.SeatName[1], PadName("Guest"));
}

TEST_F(HostOverLoopback, MovesChatAndAbortInOneWrite) {
  using testing::C;
  link.LinkState = 3;
  GameState& gs = game.gs;
  gs.DealActive = true;
  gs.DealPhase = 2;
  gs.Trump = testing::Suit("к");
  gs.DeckNext = 7;
  testing::SetHand(gs, 1, {"Тч", "2п", "5б"});
  testing::SetHand(gs, 2, {"4ч", "6ч", "7ч"});
  gs.Leader = gs.Turn = 1;
  Send(guest, "abort");
  ReadFor(guest, 100);
  EXPECT_EQ(gs.Turn, 1);
  EXPECT_EQ(gs.HandCount[1], 3);
  // The play and its "next" come in one read and are applied in order.
  Send(guest, PlayMessage(C("2п")) + std::string(kNextMessage));
  ASSERT_TRUE(SpinUntil([&] { return gs.Turn == 2; }));
  EXPECT_EQ(gs.Table[1], C("2п"));
  EXPECT_EQ(gs.HandCount[1], 2);
  // A chat line followed at once by a move gives the move up.
  gs.Turn = 1;
  Send(guest, "sok" + std::string(kNextMessage));
  ASSERT_TRUE(SpinUntil([&] { return gs.Turn == 2; }));
  ASSERT_EQ(chat.size(), 1u);
  EXPECT_EQ(chat[0], "ok");
  EXPECT_EQ(view.Count("PlayEffect WToMenK"), 1);
}

// The guest's side, with a bare server as its host.
class GuestOverLoopback : public ::testing::Test {
 protected:
  void SetUp() override {
    game.opt.NetGame = true;
    game.opt.NetRole = 2;
    game.opt.OptBlackHand = false;
    game.opt.OptReplaceDeuce = true;
    link.PlayerName = PadName("Guest");
    link.LinkState = 1;
    QObject::connect(&conn, &PeerConnection::guestSeriesStarts, [this] {
      StartDeal(game, false);
      conn.ReadOn();
    });
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    conn.Connect("127.0.0.1", server.serverPort());
    ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
    host = server.nextPendingConnection();
    EXPECT_EQ(ReadFor(*host, 200).toStdString(), HelloMessage("Guest"));
    Game dealer;
    dealer.PresetDeck = testing::DeckBytes(
        "2ч4б5к6п7чВбДкКп3чТб2б4к5п6ч7бВкДпКч3бТк2к4п5ч6б7кВпДчКб3кТп2п4ч5б6к7пВчДбКк3пТч");
    StartDeal(dealer, false);
    deck = DeckMessage(dealer.gs, true, false);
  }
  RecordingView view;
  Game game{&view};
  PeerLink link;
  PeerConnection conn{game, link};
  QTcpServer server;
  QTcpSocket* host = nullptr;
  std::string deck;
};

TEST_F(GuestOverLoopback, DeckCutInTwoIsTakenWholeWithTheHostsRules) {
  Send(*host, WelcomeMessage("Host"));
  ASSERT_TRUE(SpinUntil([&] { return link.LinkState == 2; }));
  ASSERT_TRUE(game.WaitingForDeck);
  Send(*host, deck.substr(0, 150));
  ReadFor(*host, 100);
  EXPECT_TRUE(game.WaitingForDeck);
  Send(*host, deck.substr(150));
  ASSERT_TRUE(SpinUntil([&] { return !game.WaitingForDeck; }));
  EXPECT_TRUE(game.opt.OptBlackHand);
  EXPECT_FALSE(game.opt.OptReplaceDeuce);
  std::vector<std::string> hand = testing::HandUtf8(game.gs, 2);
  std::erase(hand, "##");
  std::sort(hand.begin(), hand.end());
  std::vector<std::string> dealt{"2ч", "4б", "5к"};  // the host's seat 1
  std::sort(dealt.begin(), dealt.end());
  EXPECT_EQ(hand, dealt);
}

TEST_F(GuestOverLoopback, DeckWithAWrongPointValueClosesTheLink) {
  std::vector<std::string> violations;
  QObject::connect(&conn, &PeerConnection::protocolViolation,
                   [&](const std::string& what) { violations.push_back(what); });
  std::string bad = deck;
  bad.replace(161, 2, "11");  // the first card, a two, worth eleven
  Send(*host, WelcomeMessage("Host") + bad + std::string(kBeginMessage));
  ASSERT_TRUE(SpinUntil([&] { return !violations.empty(); }));
  EXPECT_TRUE(game.WaitingForDeck);
  EXPECT_FALSE(conn.HasPeer());
  EXPECT_TRUE(SpinUntil([&] { return host->state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(GuestOverLoopback, DeckRightBehindTheWelcomeWaitsForTheSeries) {
  Send(*host, WelcomeMessage("Host") + deck + std::string(kBeginMessage));
  ASSERT_TRUE(SpinUntil([&] { return game.gs.DealPhase == 2; }));
  EXPECT_FALSE(game.WaitingForDeck);
  EXPECT_EQ(game.gs.KonNo, 1);
  EXPECT_EQ(game.SeatName[1], PadName("Host"));
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
