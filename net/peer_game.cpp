#include "peer_game.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QVBoxLayout>

#include "codec.h"
#include "engine.h"
#include "kuv_button.h"
#include "table_screen.h"
#include "words.h"

namespace zarnet {

namespace {

// Typed on the focused send button, it turns the peer's hand face up or down.
constexpr std::string_view kRevealCode = "40917";

}  // namespace

// --- The wait window ---

TFormWait::TFormWait(const FormStyle& style, QWidget* parent) : TRecordDialog(parent) {
  setObjectName("FormWait");
  setWindowTitle(WordText(WordId::PleaseWait));
  QVBoxLayout* all = MakeFrame(style);
  auto* title = MakeLabel("Label1", WordText(WordId::PleaseWait), style.Font(20, true), this);
  title->setAlignment(Qt::AlignCenter);
  all->addWidget(title);
  auto* row = new QHBoxLayout;
  Animation = new QLabel(this);
  Animation->setObjectName("Animation");
  movie_ = new QMovie(":/GIF/GifMenu1", QByteArray(), this);
  if (movie_->isValid()) {
    Animation->setMovie(movie_);
    Animation->setFixedSize(style.Len(80), style.Len(100));
    Animation->setScaledContents(true);
  }
  row->addWidget(Animation);
  auto* lines = new QVBoxLayout;
  LabelStatus = MakeLabel("LabelStatus", QString(), style.Font(15, true), this);
  LabelStatus->setMinimumWidth(style.Len(330));
  lines->addWidget(LabelStatus);
  const WordId playerWords[5] = {WordId::Ok, WordId::Ok, WordId::TheSecondPlayerWasConnected,
                                 WordId::TheThirdPlayerWasConnected, WordId::TheFourthPlayerWasConnected};
  for (int k = 2; k <= 4; ++k) {
    LabelPlayer[k] = MakeLabel(QString("LabelPlayer%1").arg(k), WordText(playerWords[k]), style.Font(14), this);
    QPalette p = LabelPlayer[k]->palette();
    p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    LabelPlayer[k]->setPalette(p);
    LabelPlayer[k]->hide();
    lines->addWidget(LabelPlayer[k]);
  }
  lines->addStretch();
  row->addLayout(lines);
  all->addLayout(row);
  Button1 = MakeButton("Button1", WordText(WordId::Ok), 100, style, this);
  Button2 = MakeButton("Button2", WordText(WordId::Cancel), 100, style, this);
  Button2->SetColorSB(TColorSB::DNavy);
  connect(Button1, &QAbstractButton::clicked, this, &TFormWait::OkClick);
  connect(Button2, &QAbstractButton::clicked, this, &TFormWait::CancelClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addSpacing(style.Len(20));
  buttons->addWidget(Button2);
  buttons->addStretch();
  all->addLayout(buttons);
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, &TFormWait::Timer1Timer);
}

void TFormWait::Prepare(const QString& status, bool noGames) {
  LabelStatus->setText(status);
  for (int k = 2; k <= 4; ++k) LabelPlayer[k]->hide();
  Button1->setEnabled(false);
  Button2->setEnabled(true);
  SetDefaultButton(Button2);
  NoGamesFlag = noGames;
  StartSeries = false;
  if (movie_->isValid()) movie_->start();
  Timer1.start();
}

void TFormWait::ShowSecondPlayer() {
  LabelPlayer[2]->show();
  Button1->setEnabled(true);
  Button2->setEnabled(false);
  SetDefaultButton(Button1);
  Button1->setFocus();
}

void TFormWait::Timer1Timer() {
  if (NoGamesFlag) LabelStatus->setText(WordText(WordId::ThereAreNoAccessibleGames));
}

QString TFormWait::Status() const { return LabelStatus->text(); }

void TFormWait::Finish(bool start) {
  StartSeries = start;
  Timer1.stop();
  if (movie_->isValid()) movie_->stop();
  done(start ? Accepted : Rejected);
}

void TFormWait::OkClick() {
  if (Button1->isEnabled()) Finish(true);
}

void TFormWait::CancelClick() {
  if (OnCancel) OnCancel();
  Finish(false);
}

void TFormWait::reject() {
  // Once the guest is in, OK is the way on; leaving still closes the link.
  CancelClick();
}

// --- The engine's hooks ---

class TPeerGame::Hooks : public PeerHooks {
 public:
  Hooks(TPeerGame& peer, Game& g) : PeerHooks(g, peer.link, peer.connection), peer_(peer) {}
  void SendDeckToPeer() override {
    // A fresh deal: its chat starts empty; a revealed table stays so.
    peer_.ClearChat();
    if (peer_.reveal_) peer_.game_.RevealSeat1 = true;
    PeerHooks::SendDeckToPeer();
  }

 private:
  TPeerGame& peer_;
};

// --- The controller ---

TPeerGame::TPeerGame(Game& game, TTableScreen& table, QWidget* window)
    : QObject(window), connection(game, link), game_(game), table_(table), window_(window) {
  HookSlot = &game.hooks;
  hooks_ = std::make_unique<Hooks>(*this, game);
  RunWait = [](TFormWait& w) { w.exec(); };
  connect(&connection, &PeerConnection::secondPlayerConnected, this, [this] {
    if (wait_) wait_->ShowSecondPlayer();
  });
  connect(&connection, &PeerConnection::guestSeriesStarts, this, [this] {
    if (wait_ && wait_->isVisible()) {
      wait_->Button1->setEnabled(true);
      wait_->OkClick();
    }
  });
  connect(&connection, &PeerConnection::connectFailed, this, [this] {
    if (wait_) wait_->NoGamesFlag = true;
    connection.Close();
    if (game_.gs.DealActive && table_.TableShown()) OnPeerLeft();
  });
  connect(&connection, &PeerConnection::peerLeft, this, [this] { OnPeerLeft(); });
  connect(&connection, &PeerConnection::protocolViolation, this, [this] { OnPeerLeft(true); });
  connect(&connection, &PeerConnection::chatLine, this,
          [this](const std::string& text, int colour) { AddChatLine(colour, "s" + text); });
  connect(&connection, &PeerConnection::deckArrived, this, [this] {
    ClearChat();
    EnableChat(true);
    // The deal about to be laid shows the peer's hand face down; a revealed
    // table turns it up again once it is laid.
    if (reveal_) QTimer::singleShot(0, this, [this] {
      if (!reveal_ || game_.gs.DealOver) return;
      game_.RevealSeat1 = true;
      table_.DrawHand(1, true);
    });
  });
  connect(&connection, &PeerConnection::peerOutOfStep, this, [this] { game_.View().Beep(); });

  table_.Edit1->setMaxLength(15);
  table_.Edit1->installEventFilter(this);
  connect(table_.BitBtn1, &QAbstractButton::clicked, this, &TPeerGame::SendTableChat);
  table_.BitBtn1->installEventFilter(this);
}

TPeerGame::~TPeerGame() {
  if ((*HookSlot) == hooks_.get()) (*HookSlot) = nullptr;
}

bool TPeerGame::StartLink(uint8_t role, const QString& address, quint16 port, const std::string& playerName,
                          QString* error) {
  if (role > 2) role = 2;
  if (role == 0) role = 1;
  game_.opt.NetRole = role;
  link = PeerLink{};
  link.PlayerName = PadName(playerName);
  link.LinkState = 1;
  CloseServerPending = false;
  if (!wait_) wait_ = std::make_unique<TFormWait>(style, window_);
  wait_->OnCancel = [this] { CancelLink(); };
  if (role == 1) {
    if (!connection.Listen(port)) {
      link.LinkState = 0;
      if (error) *error = WordText(WordId::UnableToOpenThePort) + " " + QString::number(port);
      return false;
    }
    wait_->Prepare(WordText(WordId::ExpectationOfConnectionOfOtherPlayers), false);
    game_.WaitingForDeck = false;
  } else {
    wait_->Prepare(WordText(WordId::ExpectationOfGame), true);
    game_.WaitingForDeck = true;
    connection.Connect(address, port);
  }
  RunWait(*wait_);
  if (wait_->StartSeries && Linked()) return true;
  CancelLink();
  return false;
}

void TPeerGame::CancelLink() {
  connection.Close();
  link.LinkState = 0;
}

bool TPeerGame::Linked() const { return link.LinkState >= 2 && connection.HasPeer(); }

void TPeerGame::BindSeries() {
  if (!Linked()) return;
  game_.opt.NetGame = true;
  (*HookSlot) = hooks_.get();
  reveal_ = false;
  revealTyped_.clear();
  ClearChat();
  EnableChat(game_.opt.NetRole == 1);
  // The guest's first deal only lays the table; what the host sent since
  // its welcome is read once that is done.
  if (game_.opt.NetRole == 2) QTimer::singleShot(0, &connection, [this] { connection.ReadOn(); });
}

void TPeerGame::Tick(bool menu) {
  if (menu && CloseServerPending) {
    CloseServerPending = false;
    connection.Close();
  }
}

void TPeerGame::CloseLink() {
  connection.Close();
  link.LinkState = 0;
  EnableChat(false);
  if ((*HookSlot) == hooks_.get()) (*HookSlot) = nullptr;
}

void TPeerGame::OnPeerLeft(bool broken) {
  EnableChat(false);
  const GameState& gs = game_.gs;
  const uint8_t role = game_.opt.NetRole;
  if (wait_ && wait_->isVisible()) {
    if (role == 2) {
      wait_->NoGamesFlag = true;
    } else {
      // The guest went before the start: wait for another.
      wait_->Prepare(WordText(WordId::ExpectationOfConnectionOfOtherPlayers), false);
      link.LinkState = 1;
      link.pending.clear();
    }
    return;
  }
  if (!game_.opt.NetGame || !table_.TableShown()) return;
  if (!broken && (!gs.DealActive || gs.DealSettled)) return;
  game_.Play("WWrongs", false);
  const QString who = WordText(role == 1 ? WordId::Client : WordId::Server);
  const QString text =
      who + " " + WordText(WordId::HasInterruptedGame) + "\n\r" + WordText(WordId::PressOkForExitToTheMainMenu);
  if (ShowError) ShowError(text);
  if (role == 1) {
    // The listening socket is not closed inside one of its own events.
    CloseServerPending = true;
  } else {
    connection.Close();
  }
  link.LinkState = 0;
  if ((*HookSlot) == hooks_.get()) (*HookSlot) = nullptr;
  if (BackToMenu) BackToMenu();
}

void TPeerGame::EnableChat(bool on) {
  table_.Edit1->setEnabled(on);
  table_.BitBtn1->setEnabled(on);
}

// Called before the deal lays the table, which draws the panel.
void TPeerGame::ClearChat() { table_.memo = MessagePanel{}; }

void TPeerGame::AddChatLine(int index, const std::string& text) {
  table_.AddMessageLine(index, Cp1251ToUtf8(text));
}

void TPeerGame::SendTableChat() {
  const QString typed = table_.Edit1->text();
  if (typed.isEmpty() || !table_.Edit1->isEnabled()) return;
  const std::string line = Utf8ToCp1251(typed.left(15).toStdString());
  connection.Write(ChatMessage(line));
  AddChatLine(game_.opt.NetRole, "s" + line);
  table_.Edit1->clear();
}

bool TPeerGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_.Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter sends the line and goes no further: it must not press a game button.
      SendTableChat();
      return true;
    }
  }
  if (watched == table_.BitBtn1) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) revealTyped_.clear();
    if (event->type() == QEvent::KeyPress) {
      const QString t = static_cast<QKeyEvent*>(event)->text();
      if (!t.isEmpty()) {
        revealTyped_ += t.toStdString();
        if (revealTyped_.size() > kRevealCode.size())
          revealTyped_.erase(0, revealTyped_.size() - kRevealCode.size());
        if (revealTyped_ == kRevealCode) {
          revealTyped_.clear();
          reveal_ = !reveal_;
          if (!game_.gs.DealOver) game_.RevealSeat1 = reveal_;
          table_.DrawHand(1, game_.RevealSeat1);
        }
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zarnet
