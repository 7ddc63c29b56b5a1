// Peer series on loopback played through the main window's own buttons and
// hand clicks: two windows in one process, and a window against zarnet-netbot.
#include "../spin_until.h"
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "engine.h"
#include "main_window.h"
#include "network_section.h"
#include "peer_game.h"
#include "service_client.h"
#include "service_fixture.h"
#include "window_play.h"
#include "words.h"

namespace zarnet {
namespace {

struct Seat {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  std::vector<QString> errors;
  explicit Seat() {
    const std::string folder = dir.path().toStdString();
    Settings s = testing::QuietSettings("Mr.X");
    s.OptFlyCards = true;  // flights run their own loops while messages arrive
    s.NetGame = true;
    testing::InstallProgramFolder(folder, s);
    form = std::make_unique<TForm1>(folder);
    form->table->PauseScale = 0;
    form->Confirm = [](const QString&) { return true; };
    form->Inform = [](const QString&) {};
    form->OpenEndOfGame = [](int, int32_t, int) {};
    form->peer->ShowError = [this](const QString& t) { errors.push_back(t); };
    form->show();
    form->RunStartUp();
    form->EndIntro();
  }
  GameState& gs() { return form->game.gs; }
  // One step of what a player would do now; false when nothing is offered.
  bool Step() {
    TKuvCardsButton* upper = form->table->Button7;
    if (upper->isVisible() && upper->isEnabled()) {
      QTest::mouseClick(upper, Qt::LeftButton);
      return true;
    }
    if (gs().DealActive && gs().DealPhase == 2 && gs().Turn == 2 && !gs().DealOver) {
      testing::ClickCard(*form, 1);
      return true;
    }
    return false;
  }
};

// Plays on until `done`: each window does what is offered, and when nobody
// could act the move drivers tick, as their timers would.
template <typename F>
bool PlayUntil(std::initializer_list<Seat*> seats, F done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 60000) {
    bool acted = false;
    for (Seat* s : seats) acted |= s->Step();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!acted)
      for (Seat* s : seats) s->form->Timer1Timer();
  }
  return done();
}

bool PairOver(Seat& s) { return s.gs().DealOver && s.gs().KonNo == 2; }

// The host opens its table; from inside its wait window the guest joins,
// after `beforeGuest` has had the listening port.
void Link(Seat& host, Seat& guest, std::function<void(quint16)> beforeGuest = {}) {
  guest.form->peer->RunWait = [](TFormWait& w) {
    w.show();
    SpinUntil([&] { return !w.isVisible(); });
  };
  guest.form->OpenWelcome = [&guest, &host](int) {
    const quint16 port = host.form->peer->connection.ListeningPort();
    return WelcomeResult{guest.form->peer->StartLink(2, "127.0.0.1", port, "Guest"), "Guest", {}};
  };
  host.form->peer->RunWait = [&guest, &host, beforeGuest](TFormWait& w) {
    w.show();
    EXPECT_EQ(w.Status(), WordText(WordId::ExpectationOfConnectionOfOtherPlayers));
    EXPECT_FALSE(w.Button1->isEnabled());
    if (beforeGuest) beforeGuest(host.form->peer->connection.ListeningPort());
    guest.form->MenuLineClick(kSlotNewPlayer);
    ASSERT_TRUE(SpinUntil([&] { return w.Button1->isEnabled(); }));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
  };
  host.form->OpenWelcome = [&host](int) {
    return WelcomeResult{host.form->peer->StartLink(1, {}, 0, "Host"), "Host", {}};
  };
  host.form->MenuLineClick(kSlotNewPlayer);
}

TEST(PeerWindows, TwoWindowsPlayASeriesAndAgree) {
  Seat host, guest;
  Link(host, guest);
  ASSERT_TRUE(host.form->table->TableShown());
  ASSERT_TRUE(guest.form->table->TableShown());
  EXPECT_TRUE(guest.form->table->Edit1->isVisible());
  // A chat line typed at one table shows at the other once the deal is laid.
  ASSERT_TRUE(SpinUntil([&] { return guest.gs().DealPhase == 1 && guest.form->table->Edit1->isEnabled(); }));
  QTest::keyClicks(guest.form->table->Edit1, "Good luck!");
  QTest::keyClick(guest.form->table->Edit1, Qt::Key_Return);
  ASSERT_TRUE(SpinUntil([&] { return host.form->table->memo.line[1] == "Good luck!"; }));
  EXPECT_TRUE(guest.form->table->Edit1->text().isEmpty());
  QDir().mkpath(ZARNET_SHEETS_DIR);
  host.form->grab().save(ZARNET_SHEETS_DIR "/peer_host_chat.png");
  auto done = [&] { return PairOver(host) && PairOver(guest); };
  PlayUntil({&host, &guest}, done);
  guest.form->grab().save(ZARNET_SHEETS_DIR "/peer_guest_pair_over.png");
  ASSERT_TRUE(done()) << "host deal " << host.gs().KonNo << " turn " << int(host.gs().Turn) << ", guest deal "
                      << guest.gs().KonNo << " turn " << int(guest.gs().Turn);
  EXPECT_EQ(host.gs().GameScore[1], guest.gs().GameScore[2]);
  EXPECT_EQ(host.gs().GameScore[2], guest.gs().GameScore[1]);
  EXPECT_GT(host.gs().GameScore[1] + host.gs().GameScore[2], 200);
  // After the pair both leave through the lower button; nobody is told of an interruption.
  QTest::mouseClick(guest.form->table->Button8, Qt::LeftButton);
  SpinUntil([&] { return !host.form->peer->connection.HasPeer(); }, 1000);
  QTest::mouseClick(host.form->table->Button8, Qt::LeftButton);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_FALSE(host.form->table->TableShown());
}

TEST(PeerWindows, GuestLeavingMidDealSendsTheHostToTheMenu) {
  Seat host, guest;
  Link(host, guest);
  // The host begins the deal; the guest then leaves by the menu command.
  ASSERT_TRUE(SpinUntil([&] { return !guest.form->game.WaitingForDeck; }));
  QTest::mouseClick(host.form->table->Button7, Qt::LeftButton);
  ASSERT_TRUE(SpinUntil([&] { return guest.gs().DealPhase == 2; }));
  ASSERT_TRUE(guest.form->QuitClick());
  ASSERT_TRUE(SpinUntil([&] { return !host.errors.empty(); }));
  EXPECT_EQ(host.errors[0], WordText(WordId::Client) + " " + WordText(WordId::HasInterruptedGame) + "\n\r" +
                                WordText(WordId::PressOkForExitToTheMainMenu));
  EXPECT_FALSE(host.form->table->TableShown());
  EXPECT_TRUE(guest.errors.empty());
  // The listening socket closes on the next tick, not inside its own event.
  EXPECT_TRUE(host.form->peer->connection.Active());
  host.form->Timer1Timer();
  EXPECT_FALSE(host.form->peer->connection.Active());
}

// A port scan's silent connection, in before the guest, does not take the seat.
TEST(PeerWindows, SilentFirstConnectionDoesNotKeepTheGuestOut) {
  Seat host, guest;
  QTcpSocket silent;
  Link(host, guest, [&](quint16 port) {
    silent.connectToHost("127.0.0.1", port);
    ASSERT_TRUE(silent.waitForConnected(2000));
    SpinUntil([] { return false; }, 100);  // the host has taken it in
  });
  ASSERT_TRUE(host.form->table->TableShown());
  ASSERT_TRUE(guest.form->table->TableShown());
  EXPECT_EQ(host.form->game.SeatName[1], PadName("Guest"));
  EXPECT_TRUE(SpinUntil([&] { return silent.state() == QAbstractSocket::UnconnectedState; }));
}

// The window as host against a raw guest socket, linked and its first deal laid.
struct RawGuest {
  Seat host;
  QTcpSocket guest;
  QByteArray wire;  // what the guest has read
  RawGuest() {
    host.form->peer->RunWait = [this](TFormWait& w) {
      w.show();
      guest.connectToHost("127.0.0.1", host.form->peer->connection.ListeningPort());
      guest.waitForConnected(2000);
      guest.write(QByteArray::fromStdString(HelloMessage("Raw")));
      SpinUntil([&] { return w.Button1->isEnabled(); });
      QTest::mouseClick(w.Button1, Qt::LeftButton);
    };
    host.form->OpenWelcome = [this](int) {
      return WelcomeResult{host.form->peer->StartLink(1, {}, 0, "Host"), "Host", {}};
    };
    host.form->MenuLineClick(kSlotNewPlayer);
    Read(int(kWelcomeLength + kDeckLength));
  }
  bool Read(int atLeast) {
    return SpinUntil([&] { return (wire += guest.readAll()).size() >= atLeast; });
  }
};

// The peer gets the move at once, not after the card has flown and the trick is collected.
TEST(PeerWindows, MoveIsOnTheWireBeforeItsFlight) {
  RawGuest raw;
  ASSERT_TRUE(raw.host.form->table->TableShown());
  ASSERT_GE(raw.wire.size(), qsizetype(kWelcomeLength + kDeckLength));
  QTest::mouseClick(raw.host.form->table->Button7, Qt::LeftButton);  // deal 1: the host leads
  ASSERT_TRUE(raw.Read(int(kWelcomeLength + kDeckLength + kMoveLength)));
  ASSERT_EQ(raw.wire.right(int(kMoveLength)).toStdString(), kBeginMessage);
  std::vector<std::string> order;
  TForm1& form = *raw.host.form;
  form.table->flight.SetWindow(FlightWindow{[&] {
                                              raw.guest.waitForReadyRead(300);
                                              raw.wire += raw.guest.readAll();
                                              order.push_back(raw.wire.contains("hhod") ? "move written" : "nothing yet");
                                              order.push_back("flight");
                                              return form.grab().toImage();
                                            },
                                            [](const QImage&, const QRect&) {}, [](int) {}});
  ASSERT_EQ(raw.host.gs().Turn, 2);
  testing::ClickCard(form, 1);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[0], "move written");
  EXPECT_EQ(order[1], "flight");
}

// A deck whose values disagree with its cards ends the link as a peer leaving does.
TEST(PeerWindows, DeckWithWrongValuesShowsThePeerLeftMessage) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  Game dealer;
  StartDeal(dealer, false);
  std::string deck = DeckMessage(dealer.gs, false, false);
  deck.replace(161, 2, dealer.gs.DeckPoints[1] == 11 ? "00" : "11");
  QTcpSocket* raw = nullptr;
  Seat guest;
  guest.form->peer->RunWait = [&](TFormWait& w) {
    w.show();
    ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
    raw = server.nextPendingConnection();
    QByteArray hello;
    ASSERT_TRUE(SpinUntil([&] { return (hello += raw->readAll()).size() >= qsizetype(kHelloLength); }));
    raw->write(QByteArray::fromStdString(WelcomeMessage("Raw") + deck));
    SpinUntil([&] { return !w.isVisible(); });
  };
  guest.form->OpenWelcome = [&](int) {
    return WelcomeResult{guest.form->peer->StartLink(2, "127.0.0.1", server.serverPort(), "Guest"), "Guest", {}};
  };
  guest.form->MenuLineClick(kSlotNewPlayer);
  ASSERT_TRUE(SpinUntil([&] { return !guest.errors.empty(); }));
  EXPECT_EQ(guest.errors[0], WordText(WordId::Server) + " " + WordText(WordId::HasInterruptedGame) + "\n\r" +
                                 WordText(WordId::PressOkForExitToTheMainMenu));
  EXPECT_FALSE(guest.form->table->TableShown());
  ASSERT_NE(raw, nullptr);
  EXPECT_TRUE(SpinUntil([&] { return raw->state() == QAbstractSocket::UnconnectedState; }));
}

// zarnet-netbot in a process of its own, and what it printed.
struct Bot {
  QProcess process;
  std::vector<std::pair<int, int>> deals;  // points_me, points_peer
  int seriesDiff = 0;
  explicit Bot(const QStringList& args) { process.start(ZARNET_NETBOT, args); }
  quint16 ListeningPort() {
    static const QRegularExpression line("listening on 127\\.0\\.0\\.1:(\\d+)");
    QByteArray err;
    QRegularExpressionMatch m;
    SpinUntil([&] {
      err += process.readAllStandardError();
      m = line.match(QString::fromLatin1(err));
      return m.hasMatch();
    });
    return static_cast<quint16>(m.captured(1).toUInt());
  }
  // The exit status; the printed lines are read into `deals` and `seriesDiff`.
  int Finish() {
    SpinUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
    static const QRegularExpression deal("^deal=\\d+ points_me=(-?\\d+) points_peer=(-?\\d+)$");
    static const QRegularExpression series("^series=1 diff=(-?\\d+)$");
    for (const QString& l : QString::fromLatin1(process.readAllStandardOutput()).split('\n')) {
      if (auto m = deal.match(l); m.hasMatch()) deals.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
      if (auto m = series.match(l); m.hasMatch()) seriesDiff = m.captured(1).toInt();
    }
    return process.state() == QProcess::NotRunning ? process.exitCode() : -1;
  }
};

// Both sides count the same points from opposite seats.
void ExpectSameScores(Seat& window, Bot& bot) {
  ASSERT_EQ(bot.deals.size(), 2u);
  int mine = 0, peer = 0;
  for (auto [me, other] : bot.deals) mine += me, peer += other;
  EXPECT_EQ(window.gs().GameScore[1], mine);
  EXPECT_EQ(window.gs().GameScore[2], peer);
  EXPECT_EQ(bot.seriesDiff, window.gs().GameScore[1] - window.gs().GameScore[2]);
  EXPECT_GE(mine + peer, 240);
}

// The guest window takes a seat at the table a bot hosts on `port`.
void JoinAsGuest(Seat& guest, quint16 port) {
  guest.form->peer->RunWait = [](TFormWait& w) {
    w.show();
    SpinUntil([&] { return !w.isVisible(); });
  };
  guest.form->OpenWelcome = [&guest, port](int) {
    return WelcomeResult{guest.form->peer->StartLink(2, "127.0.0.1", port, "Guest"), "Guest", {}};
  };
  guest.form->MenuLineClick(kSlotNewPlayer);
}

TEST(PeerWindows, GuestWindowPlaysTheNetbotHost) {
  Bot bot({"--host", "0", "--name", "Bot", "--timeout", "60"});
  const quint16 port = bot.ListeningPort();
  ASSERT_NE(port, 0);
  Seat guest;
  JoinAsGuest(guest, port);
  ASSERT_TRUE(guest.form->table->TableShown());
  EXPECT_EQ(guest.form->game.SeatName[1].substr(0, 4), "Bot ");
  ASSERT_TRUE(PlayUntil({&guest}, [&] { return PairOver(guest); }));
  ASSERT_EQ(bot.Finish(), 0) << bot.process.readAllStandardError().toStdString();
  ExpectSameScores(guest, bot);
  // The bot leaving after the pair is no interruption; the lower button leaves.
  QTest::mouseClick(guest.form->table->Button8, Qt::LeftButton);
  EXPECT_FALSE(guest.form->table->TableShown());
  EXPECT_TRUE(guest.errors.empty());
}

TEST(PeerWindows, HostWindowPlaysTheNetbotGuest) {
  Seat host;
  std::unique_ptr<Bot> bot;
  host.form->peer->RunWait = [&](TFormWait& w) {
    w.show();
    const QString to = "127.0.0.1:" + QString::number(host.form->peer->connection.ListeningPort());
    bot = std::make_unique<Bot>(QStringList{"--guest", to, "--name", "Bot", "--timeout", "60"});
    ASSERT_TRUE(SpinUntil([&] { return w.Button1->isEnabled(); }));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
  };
  host.form->OpenWelcome = [&](int) {
    return WelcomeResult{host.form->peer->StartLink(1, {}, 0, "Host"), "Host", {}};
  };
  host.form->MenuLineClick(kSlotNewPlayer);
  ASSERT_TRUE(host.form->table->TableShown());
  ASSERT_NE(bot, nullptr);
  EXPECT_EQ(host.form->game.SeatName[1].substr(0, 4), "Bot ");
  ASSERT_TRUE(PlayUntil({&host}, [&] { return PairOver(host); }));
  ASSERT_EQ(bot->Finish(), 0) << bot->process.readAllStandardError().toStdString();
  ExpectSameScores(host, *bot);
  QTest::mouseClick(host.form->table->Button8, Qt::LeftButton);
  EXPECT_FALSE(host.form->table->TableShown());
  EXPECT_TRUE(host.errors.empty());
}

// The first deck a run of the netbot deals, as a guest window receives it.
std::array<CardCode, 41> NetbotFirstDeck() {
  Bot bot({"--host", "0", "--name", "Bot", "--timeout", "60"});
  const quint16 port = bot.ListeningPort();
  Seat guest;
  JoinAsGuest(guest, port);
  EXPECT_TRUE(SpinUntil([&] { return guest.form->table->TableShown() && !guest.form->game.WaitingForDeck; }));
  const std::array<CardCode, 41> deck = guest.gs().Deck;
  bot.process.kill();
  bot.process.waitForFinished();
  return deck;
}

TEST(PeerWindows, NetbotHostDealsAFreshDeckEveryRun) {
  const std::array<CardCode, 41> first = NetbotFirstDeck();
  EXPECT_NE(first[1], EmptyCard);
  EXPECT_NE(first, NetbotFirstDeck());
}

// The welcome dialog's address boxes: the interfaces, then what the services
// see of this machine with their host as the hint, then loopback.
TEST(PeerWelcome, AddressBoxesEndWithTheExternalAddressAndLoopback) {
  test::ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite"));
  const std::string base = "http://127.0.0.1:" + std::to_string(service.httpPort());
  EXPECT_EQ(LookUpExternalAddress(base + "/get_ip.php"), "127.0.0.1");
  EXPECT_EQ(LookUpExternalAddress(base + "/no_such_script.php"), "");

  std::string lastAddress, lastPort;
  TNetworkSection section(lastAddress, lastPort, FormStyle{});
  section.ExternalAddress = [&] { return QString::fromStdString(LookUpExternalAddress(base + "/get_ip.php")); };
  section.ExternalHint = "127.0.0.1";
  QTest::mouseClick(section.ButtonAddresses, Qt::LeftButton);
  int used = 0;
  while (used < 6 && !section.AddressBox[used + 1]->text().isEmpty()) ++used;
  ASSERT_GE(used, 2);
  EXPECT_EQ(section.AddressBox[used]->text(), "127.0.0.1");
  EXPECT_EQ(section.AddressBox[used]->toolTip(), WordText(WordId::Loop));
  EXPECT_EQ(section.AddressBox[used - 1]->text(), "127.0.0.1");
  EXPECT_EQ(section.AddressBox[used - 1]->toolTip(), "127.0.0.1");

  // Without an answer the external box is left out.
  service.Stop();
  QTest::mouseClick(section.ButtonAddresses, Qt::LeftButton);
  for (int k = 1; k <= 6; ++k)
    if (!section.AddressBox[k]->text().isEmpty()) EXPECT_TRUE(section.AddressBox[k]->toolTip() != "127.0.0.1");
}

}  // namespace
}  // namespace zarnet
