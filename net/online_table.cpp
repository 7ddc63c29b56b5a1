#include "online_table.h"

#include <sys/ioctl.h>

#include "words.h"

namespace zarnet {

std::vector<std::string> MatchEndLines(MatchEnd why, const std::string& opponent) {
  switch (why) {
    case MatchEnd::OpponentLeft:
      return {
          WordUtf8(WordId::Player) + " " + opponent + " " + WordUtf8(WordId::InterruptedTheGame),
          WordUtf8(WordId::YouWon)};
    case MatchEnd::OpponentTimeUp:
      return {WordUtf8(WordId::PlayerTimeIsUp) + " " + opponent + " " + WordUtf8(WordId::TimeIsUp),
              WordUtf8(WordId::YouWon)};
    case MatchEnd::OwnTimeUp:
      return {WordUtf8(WordId::YourTimeIsUp), WordUtf8(WordId::YouLose)};
    case MatchEnd::LostConnection:
      return {WordUtf8(WordId::LostConnectionWithTheServer)};
  }
  return {};
}

void ReadSeatsForDeal(Game& g, TourService& service, int table, int playSeat, TKuvClient* players) {
  TKuvClient seat[3];
  for (int s : {1, 2}) {
    if (!service.ReadSeat(table, s == 1 ? 3 - playSeat : playSeat, &seat[s]) ||
        seat[s].Nick.empty())
      seat[s].Nick = "X";
    if (seat[s].Nick != "X") g.SeatName[s] = seat[s].Nick;
    if (players) players[s] = seat[s];
  }
  g.View().DrawNamePlate(1, g.SeatName[1], 'y');
  g.View().DrawNamePlate(2, g.SeatName[2], 'y');
}

bool NickFitsFileName(const std::string& nick) {
  if (nick.empty() || nick == "X" || nick[0] == '.' || nick.size() > 40) return false;
  for (unsigned char c : nick)
    if (c < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
        c == '<' || c == '>' || c == '|')
      return false;
  return true;
}

OnlineTable::OnlineTable(Game& game, QObject* parent)
    : QObject(parent), hooks(game, link, *this), g_(game) {
  TimerTimer.setInterval(1000);
  connect(&TimerTimer, &QTimer::timeout, this, [this] { Tick(); });
  connect(&CS, &QTcpSocket::readyRead, this, [this] { CSRead(); });
  // Once connected the socket can be written: the connect frame goes out.
  connect(&CS, &QTcpSocket::connected, this, [this] {
    // Frames go one behind another; none waits for the acknowledgement of the last.
    CS.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    CSWrite();
  });
  connect(&CS, &QTcpSocket::errorOccurred, this, [this] { CSError(); });
  connect(&CS, &QTcpSocket::disconnected, this, [this] { CSDisconnect(); });
}

OnlineTable::~OnlineTable() {
  closing_ = true;
  CS.abort();
}

void OnlineTable::ConnectTable(int table, int playSeat, const QString& address, quint16 port) {
  CS.abort();
  table_ = table;
  link = TableLink{};
  link.PlaySeat = static_cast<uint8_t>(playSeat);
  link.TableLinkState = 1;
  ConnectionError = false;
  CS.connectToHost(address, port);
}

void OnlineTable::LeaveSeat() {
  if (CS.state() == QAbstractSocket::ConnectedState) SendFrame("disA");
  CloseSocket();
  link.TableLinkState = 0;
}

void OnlineTable::SendFrame(const std::string& payload) {
  Write(TableFrame(payload, link.PlaySeat));
}

void OnlineTable::Write(const std::string& bytes) {
  if (CS.state() != QAbstractSocket::ConnectedState) return;
  CS.write(bytes.data(), qint64(bytes.size()));
  CS.flush();  // before any flight of the move holds the loop
}

void OnlineTable::ChatLine(const std::string& text, int seat) {
  if (onChat) onChat(text, seat);
}

void OnlineTable::MatchEnded(MatchEnd why) {
  TimerTimer.stop();
  if (onMatchEnded) onMatchEnded(why);
}

void OnlineTable::CloseLobby() {
  if (onCloseLobby) onCloseLobby();
}

void OnlineTable::CloseSocket() {
  // What was written still goes out before the link closes.
  if (CS.state() != QAbstractSocket::UnconnectedState) CS.disconnectFromHost();
}

std::string OnlineTable::ThatsAll() {
  return Word(WordId::ThatsAll);
}

void OnlineTable::DealStarted() {
  TimerTimer.start();
  if (onDealStarted) onDealStarted(table_, link.PlaySeat);
}

void OnlineTable::CSRead() {
  // A notice shown from a frame runs its own loop: a read from there would
  // cut into the frames being handled, so the outer read takes it instead.
  if (reading_) return;
  reading_ = true;
  while (CS.bytesAvailable() > 0) {
    const QByteArray bytes = CS.readAll();
    OnTableRead(g_, link, *this, std::string_view(bytes.constData(), size_t(bytes.size())));
  }
  reading_ = false;
  if (link.TableLinkState == 10 && !link.TimerRunning) TimerTimer.stop();
}

void OnlineTable::Poll() {
  if (reading_ || CS.state() != QAbstractSocket::ConnectedState) return;
  // Bytes can wait in the socket, or in the system, with no read signal to
  // follow them while both players wait for each other: take them now.
  int waiting = 0;
  const bool inSystem = ioctl(int(CS.socketDescriptor()), FIONREAD, &waiting) == 0 && waiting > 0;
  if (CS.bytesAvailable() > 0 || (inSystem && CS.waitForReadyRead(0))) CSRead();
}

void OnlineTable::CSWrite() {
  if (CS.state() == QAbstractSocket::ConnectedState) OnTableWritable(g_, link, *this);
}

void OnlineTable::CSError() {
  // A close by the server is a disconnection, handled there.
  if (CS.error() == QAbstractSocket::RemoteHostClosedError) return;
  // A poll that found nothing reports a time-out; the link is fine.
  if (CS.error() == QAbstractSocket::SocketTimeoutError) return;
  if (closing_) return;
  ConnectionError = true;
  CS.abort();
}

void OnlineTable::CSDisconnect() {
  if (closing_) return;
  if (!g_.opt.OnlineGame) {
    // The server went away while the player waited in the lobby: the seat
    // must be freed, as after a failed connection.
    if (link.TableLinkState == 1 || link.TableLinkState == 2) ConnectionError = true;
    return;
  }
  const bool menu = inMenu && inMenu();
  if (!menu && link.TableLinkState != 10) TimerTimer.stop();
  OnTableDisconnect(g_, link, *this, menu);
}

void OnlineTable::Tick() {
  Poll();
  if (!TimerTimer.isActive()) return;  // the frames ended the match
  TableTimerTick(g_, link, *this);
  if (!link.TimerRunning) TimerTimer.stop();
}

}  // namespace zarnet
