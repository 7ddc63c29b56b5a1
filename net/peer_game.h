// The peer game as the main window runs it: the link with its wait window,
// the engine's hooks bound to the socket, the peer leaving, and the table chat.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "form_common.h"
#include "peer_connection.h"
#include "peer_protocol.h"

class QLabel;
class QMovie;

namespace zarnet {

class TKuvCardsButton;
class TTableScreen;

// "Please, wait...": shown modally while the two copies find each other.
class TFormWait : public TRecordDialog {
  Q_OBJECT

 public:
  explicit TFormWait(const FormStyle& style = {}, QWidget* parent = nullptr);

  // The status line shown, the player lines hidden, OK off and Cancel on.
  void Prepare(const QString& status, bool noGames);
  // The host's guest said hello: its line shows, OK on, Cancel off.
  void ShowSecondPlayer();
  // The one-second tick.
  void Timer1Timer();
  void OkClick();
  void CancelClick();
  QString Status() const;

  bool NoGamesFlag = false;
  bool StartSeries = false;
  // The link's side of Cancel; the window then closes.
  std::function<void()> OnCancel;

  QLabel* LabelStatus;
  std::array<QLabel*, 5> LabelPlayer{};  // 2..4
  QLabel* Animation;
  TKuvCardsButton* Button1;  // OK
  TKuvCardsButton* Button2;  // Cancel
  QTimer Timer1;

 protected:
  // Escape and the title bar's close act as Cancel, so no socket is left open.
  void reject() override;

 private:
  void Finish(bool start);
  QMovie* movie_ = nullptr;
};

class TPeerGame : public QObject {
  Q_OBJECT

 public:
  TPeerGame(Game& game, TTableScreen& table, QWidget* window);
  ~TPeerGame() override;

  // Where the peer's engine hooks are put during a series: the game's own
  // slot unless the window forwards them from hooks of its own.
  EngineHooks** HookSlot;

  // --- Seams the window binds (tests bind their own) ---
  // The modal message of the peer leaving.
  std::function<void(const QString& text)> ShowError;
  // Hide the table and show the menu, as leaving a series does.
  std::function<void()> BackToMenu;
  // Runs the wait window; by default modally.
  std::function<void(TFormWait& wait)> RunWait;
  FormStyle style;

  // The network half of the welcome dialog's OK. Listens (host) or connects
  // (guest) and waits; true when the series is to start. A port that cannot
  // be opened gives false with its message in `error`.
  bool StartLink(uint8_t role, const QString& address, quint16 port, const std::string& playerName,
                 QString* error = nullptr);
  // The wait window's Cancel.
  void CancelLink();
  bool Linked() const;

  // Called as the series starts, before its first deal: the engine plays
  // a net game and speaks to the peer.
  void BindSeries();
  // The main timer's tick; `menu` while the menu is shown.
  void Tick(bool menu);
  // Leaving the series, or its end: the socket of our role closes.
  void CloseLink();

  // --- Table chat ---
  void AddChatLine(int index, const std::string& text);
  void SendTableChat();
  bool RevealOn() const { return reveal_; }

  TFormWait* Wait() const { return wait_.get(); }
  PeerLink link;
  PeerConnection connection;
  bool CloseServerPending = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Hooks;
  // `broken`: the peer broke the protocol; the deal cannot go on whatever its state.
  void OnPeerLeft(bool broken = false);
  void EnableChat(bool on);
  void ClearChat();
  Game& game_;
  TTableScreen& table_;
  QWidget* window_;
  std::unique_ptr<Hooks> hooks_;
  std::unique_ptr<TFormWait> wait_;
  std::string revealTyped_;
  bool reveal_ = false;
};

}  // namespace zarnet
