// zarnet-netbot: one side of a peer series played by the computer's rules,
// over the same messages and engine as the game.
//
//   zarnet-netbot --host PORT [--series N] [--name NAME]   (PORT 0: any free port)
//   zarnet-netbot --guest ADDRESS:PORT [--name NAME]
//
// Prints "deal=K points_me=A points_peer=B" after each deal and
// "series=N diff=D" after each series. Moves the deal does not allow and
// stray bytes are ignored and counted on stderr. Exit status: 0 done, 1 usage
// or the link failed, 2 the peer broke the protocol, 3 the peer was silent
// for the whole time-out.
#include <QCoreApplication>
#include <QHostAddress>
#include <QTimer>
#include <cstdio>
#include <string>

#include "engine.h"
#include "peer_connection.h"
#include "peer_protocol.h"

namespace zarnet {
namespace {

class NetBot : public QObject {
 public:
  NetBot(uint8_t role, std::string name, int series, int timeoutSeconds)
      : role_(role), seriesWanted_(series) {
    g_.opt.NetRole = role;
    g_.opt.OptFlyCards = false;
    g_.opt.SoundOn = false;
    g_.opt.PlayerSlot = kSlotNewPlayer;
    g_.player.Name = PadName(name);
    link_.PlayerName = PadName(name);
    connect(&conn_, &PeerConnection::secondPlayerConnected, this, [this] {
      silence_.start();  // the hello was the guest's first word
      BeginSeries();
    });
    connect(&conn_, &PeerConnection::guestSeriesStarts, this, [this] {
      BeginSeries();
      QTimer::singleShot(0, &conn_, [this] { conn_.ReadOn(); });
    });
    connect(&conn_, &PeerConnection::protocolViolation, this,
            [this](const std::string& what) { Finish(2, "the peer sent " + what); });
    // The host may deal again before the next tick: the finished deal is told first.
    connect(&conn_, &PeerConnection::deckArrived, this, [this] {
      if (inSeries_ && g_.gs.DealOver && reportedKon_ != g_.gs.KonNo) Report();
    });
    connect(&conn_, &PeerConnection::connectFailed, this, [this] { Finish(1, "no connection"); });
    connect(&conn_, &PeerConnection::peerLeft, this, [this] { PeerLeft(); });
    // The answer goes out as soon as the peer's move is in.
    connect(&conn_, &PeerConnection::received, this, [this] {
      silence_.start();
      QTimer::singleShot(0, this, [this] { ActAll(); });
    });
    tick_.setInterval(5);
    connect(&tick_, &QTimer::timeout, this, [this] { ActAll(); });
    tick_.start();
    silence_.setSingleShot(true);
    silence_.setInterval(timeoutSeconds * 1000);
    connect(&silence_, &QTimer::timeout, this, [this] { Finish(3, "timed out"); });
    silence_.start();
  }

  bool Listen(quint16 port) {
    link_.LinkState = 1;
    return conn_.Listen(port, QHostAddress::LocalHost);
  }
  quint16 Port() const { return conn_.ListeningPort(); }
  void Connect(const QString& address, quint16 port) {
    link_.LinkState = 1;
    conn_.Connect(address, port);
  }

 private:
  void BeginSeries() {
    g_.opt.NetGame = true;
    g_.hooks = &hooks_;
    inSeries_ = true;
    reportedKon_ = -1;
    last_[1] = last_[2] = 0;
    g_.gs.DealActive = true;
    StartDeal(g_, false);
  }

  // Every step the table allows now, one after another.
  void ActAll() {
    for (int steps = 0; steps < 8 && Act(); ++steps) {
    }
  }

  // One step of whatever the table allows now; false when there was none.
  bool Act() {
    if (!inSeries_ || finished_) return false;
    GameState& gs = g_.gs;
    if (!gs.DealActive || (role_ == 2 && g_.WaitingForDeck)) return false;
    if (gs.DealOver) {
      if (reportedKon_ != gs.KonNo) Report();
      // The host deals the second deal of the pair; after it the series is done.
      if (role_ == 1 && gs.KonNo % 2 == 1) {
        UpperButtonClick(g_);
        return true;
      }
      if (gs.KonNo % 2 == 0) EndSeries();
      return false;
    }
    if (gs.DealPhase == 1) {
      if (role_ != 1) return false;
      UpperButtonClick(g_);
      return true;
    }
    if (gs.Turn == 2) {
      const bool leads = gs.Leader == 2;
      if (leads && CanReplaceDeuce(g_, 2)) LowerButtonReplacesDeuce(g_);
      const int slot =
          leads ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump, gs.Played.data())
                : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.HandPoints[2].data(), gs.Trump,
                               gs.Table[1], gs.TableOrder[1], gs.TablePoints[1]);
      return PlayerPlayCard(g_, slot, 0);
    }
    if (gs.Turn == kTurnTrickDone && gs.Leader == 2) {
      UpperButtonClick(g_);  // the side that led collects
      return true;
    }
    return false;
  }

  void Report() {
    reportedKon_ = g_.gs.KonNo;
    const GameState& gs = g_.gs;
    std::printf("deal=%d points_me=%d points_peer=%d\n", gs.KonNo - gs.KonAtStart, gs.GameScore[2] - last_[2],
                gs.GameScore[1] - last_[1]);
    last_[1] = gs.GameScore[1];
    last_[2] = gs.GameScore[2];
    std::fflush(stdout);
  }

  void EndSeries() {
    const GameState& gs = g_.gs;
    ++seriesDone_;
    std::printf("series=%d diff=%d\n", seriesDone_, gs.GameScore[2] - gs.GameScore[1]);
    std::fflush(stdout);
    inSeries_ = false;
    g_.gs.DealActive = false;
    if (role_ == 2 || seriesDone_ >= seriesWanted_) {
      Finish(0, {});
      return;
    }
    // The next guest gets a series of its own.
    conn_.DropPeer();
    link_.LinkState = 1;
  }

  void PeerLeft() {
    if (!inSeries_) return;
    const GameState& gs = g_.gs;
    if (gs.DealActive && gs.DealSettled && gs.KonNo % 2 == 0) {
      // The peer closed after the pair's last card: the series is complete.
      if (reportedKon_ != gs.KonNo) Report();
      EndSeries();
      return;
    }
    inSeries_ = false;
    g_.gs.DealActive = false;
    std::fprintf(stderr, "zarnet-netbot: the peer left during the series\n");
    if (role_ == 2) {
      Finish(1, {});
      return;
    }
    link_.LinkState = 1;
  }

  void Finish(int status, const std::string& why) {
    if (finished_) return;
    finished_ = true;
    if (!why.empty()) std::fprintf(stderr, "zarnet-netbot: %s\n", why.c_str());
    if (link_.ignored > 0) std::fprintf(stderr, "zarnet-netbot: ignored %d messages of the peer\n", link_.ignored);
    tick_.stop();
    silence_.stop();
    conn_.Close();
    // Let the close reach the peer before the process ends.
    QTimer::singleShot(50, [status] { QCoreApplication::exit(status); });
  }

  uint8_t role_;
  int seriesWanted_;
  int seriesDone_ = 0;
  NullView view_;
  Game g_{&view_};
  PeerLink link_;
  PeerConnection conn_{g_, link_};
  PeerHooks hooks_{g_, link_, conn_};
  QTimer tick_;
  QTimer silence_;  // restarted by every byte from the peer
  bool inSeries_ = false, finished_ = false;
  int32_t reportedKon_ = -1;
  int32_t last_[3] = {};
};

int Usage() {
  std::fprintf(stderr,
               "usage: zarnet-netbot --host PORT [--series N] [--name NAME] [--timeout SECONDS]\n"
               "       zarnet-netbot --guest ADDRESS:PORT [--name NAME] [--timeout SECONDS]\n");
  return 1;
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  using namespace zarnet;
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  uint8_t role = 0;
  QString address;
  uint port = 0;
  int series = 1;
  int timeout = 300;
  std::string name = "NetBot";
  bool ok = true;
  for (int i = 1; i < args.size(); ++i) {
    const QString a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (!hasValue) return Usage();
    const QString v = args[++i];
    if (a == "--host") {
      role = 1;
      port = v.toUInt(&ok);
    } else if (a == "--guest") {
      role = 2;
      const int colon = v.lastIndexOf(':');
      if (colon <= 0) return Usage();
      address = v.left(colon);
      port = v.mid(colon + 1).toUInt(&ok);
    } else if (a == "--series") {
      series = v.toInt(&ok);
      ok = ok && series >= 1;
    } else if (a == "--name") {
      name = v.toStdString();
      ok = !name.empty() && name.size() <= 9;
    } else if (a == "--timeout") {
      timeout = v.toInt(&ok);
      ok = ok && timeout > 0 && timeout <= 86400;
    } else {
      return Usage();
    }
    if (!ok) return Usage();
  }
  if (role == 0 || port > 65535 || (role == 2 && port == 0)) return Usage();
  NetBot bot(role, name, series, timeout);
  if (role == 1) {
    if (!bot.Listen(static_cast<quint16>(port))) {
      std::fprintf(stderr, "zarnet-netbot: cannot listen on port %u\n", port);
      return 1;
    }
    // With port 0 the system picks one; whoever started the bot learns it here.
    std::fprintf(stderr, "zarnet-netbot: listening on 127.0.0.1:%u\n", bot.Port());
  } else {
    bot.Connect(address, static_cast<quint16>(port));
  }
  return app.exec();
}
