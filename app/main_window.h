// The main window: the intro, the menu screen and the card table.
#pragma once

#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QTimer>
#include <QPainter>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "account_outlets.h"
#include "calendar_panel.h"
#include "card_art.h"
#include "form_options.h"
#include "game_state.h"
#include "image_area.h"
#include "kuv_button.h"
#include "move_thinker.h"
#include "player_list.h"
#include "recorder.h"
#include "series_files.h"
#include "settings.h"
#include "sound.h"
#include "table_screen.h"

namespace zarnet {

// Game constants fixed when the window is created.
inline constexpr int GameId = 88;
inline constexpr int GameCode = 808;
inline constexpr const char* GameTag = "crdtol";
inline constexpr int PairSize = 2;
inline constexpr int RatingCharge = 150;

// The folder with exactly one trailing separator.
std::string WithTrailingSeparator(std::string folder);

// What the welcome dialog decided for a menu line.
struct WelcomeResult {
  bool start = false;
  std::string name;           // cp1251, 20 characters, for a new player
  std::string passwordField;  // the new player's encoded password
};

class TForm1;
class TPeerGame;

// The close of a series as the window carries it out.
class WindowSeriesOutlets : public AccountSeriesOutlets {
 public:
  WindowSeriesOutlets(TForm1& form, AccountSession& account, ProgramFiles files)
      : AccountSeriesOutlets(account, std::move(files)), form_(form) {}
  void ShowWaitNotice(bool shown) override;
  void ShowEndOfGame(int place, int32_t score, int bonus) override;
  void ReturnToMenu() override;
  void ClosePeerSocket(uint8_t netRole) override;
  void OpenWorldTopTenEntry(int32_t score) override;
  bool ReadTourRating(int32_t& score) override;
  // The file steps, each followed by the message of a write that failed.
  void WriteHistory(const HisStr& entry) override;
  int FileSeries(bool netList, int slot, const std::string& line, bool cycleEnded,
                 const HisStr& entry) override;

 private:
  TForm1& form_;
};

// The engine's outlets beyond the table: the recorder here, peers through `peer`.
class WindowHooks : public EngineHooks {
 public:
  explicit WindowHooks(TForm1& form) : form_(form) {}
  void TellPeer(PeerEvent event, CardCode card) override {
    if (peer) peer->TellPeer(event, card);
  }
  void SendDeckToPeer() override {
    if (peer) peer->SendDeckToPeer();
  }
  void OnlineDealEnded() override {
    if (peer) peer->OnlineDealEnded();
  }
  void RecordFinalFrame() override;
  EngineHooks* peer = nullptr;

 private:
  TForm1& form_;
};

// The game's own area inside the main window: the size of the window mode,
// centred when the window manager makes the window larger than that.
class TStage : public QWidget {
 public:
  explicit TStage(QWidget* parent) : QWidget(parent) {}
  std::function<void(QPainter&)> Paint;

 protected:
  void paintEvent(QPaintEvent*) override;
};

class TForm1 : public QWidget, public OptionsHost {
 public:
  // programFolder: where the lists, settings and history live.
  explicit TForm1(const std::string& programFolder);
  ~TForm1() override;

  // Every control of the menu and the table stands on it; created first.
  TStage* Stage;
  // --- The program's own state ---
  std::string ProgramFolder;
  std::string TempFolder;
  Settings settings;
  CardArt art;
  Game game;
  std::unique_ptr<TTableScreen> table;
  // --- The web services and the account ---
  ServiceClient webClient;
  BuiltInAddresses webAddresses;
  WebServices web;
  AccountSession account;
  ServiceDirectory directoryFlags;
  std::function<void(bool ratedSwitchable)> OpenAccount;
  std::function<void()> OpenStatistics;
  // The account's place on the menu: the account window, then the booking.
  bool BeginRatedSeries();
  void StartUpWeb();

  AccountPlayerRecords records;
  SeriesBooks books;
  std::unique_ptr<WindowSeriesOutlets> outlets;
  QTimer Timer1;
  std::unique_ptr<Sound> sound;
  QTimer Timer2;  // the tune's watch, every second
  WindowHooks hooks{*this};
  GameRecorder recorder;
  QTimer TimerGIF;
  void StartRecording();
  void FinishRecording();

  // The peer game: its link, wait window and table chat.
  std::unique_ptr<TPeerGame> peer;

  bool FirstPaint = true;
  bool IntroRunning = true;
  bool MenuShown = false;
  bool StartUpFailed = false;

  // --- Seams for the windows other modules open, and for tests ---
  std::function<WelcomeResult(int slot)> OpenWelcome;
  std::function<bool(const QString& text)> Confirm;  // Yes/No
  std::function<void(const QString& text)> Inform;
  std::function<void(int place, int32_t score, int bonus)> OpenEndOfGame;
  // A new name for the current player (cp1251); empty keeps the old one.
  std::function<std::string(const std::string& current)> AskName;
  std::function<void()> OpenTopTen, OpenHistory, OpenOptions, OpenCount, OpenSpeed, OpenHelp, OpenAbout;
  // The world boards and the chat room.
  std::function<void(int32_t score)> OpenWorldTopTenEntry;
  std::function<void()> OpenChat, OpenPassport, OpenWorldTopTen;
  std::function<bool()> CheckChatNews;  // true: unread messages
  // The online tournament: its lobby, the new score after a match, and the
  // step after the player has left the table of a finished match.
  std::function<void()> OpenTournament, AfterOnlineMatch;
  std::function<bool(int32_t& score)> ReadTourScore;

  // --- Start-up and intro ---
  void RunStartUp();
  void BuildIntro();
  void IntroTick();
  void EndIntro();
  QImage IntroPicture;  // the still part
  QImage IntroFrame;    // what the window shows
  std::array<int, 11> IntroColour{};  // colour of each title letter, 1..10
  int IntroTicks = 0;
  std::array<QPoint, 4> SuitPos{};

  // --- Screens ---
  void ApplyWindowMode() override;
  void LayoutMenuScreen();
  void LayoutTableScreen();
  void ShowPlayerListOnMenu();
  void ApplyLanguage() override;
  ScaleFactors Factors;
  TCalendar* Calendar = nullptr;

  // --- What the options window changes, at once ---
  void SoundChanged() override;
  void MusicChanged() override;
  void GifAnimationChanged() override;
  void FlyCardsChanged() override;
  void CursorChanged() override;
  void ButtonsChanged() override;
  void NetGameChanged() override;
  bool ReloadFaces() override;
  bool ReloadBacks() override;
  void BackModeChanged() override;
  bool ReloadBackground() override;
  void RulesChanged() override;
  void FontsChanged() override;
  void RecorderChanged() override {}
  void DesignChanged() override;
  void PlaySound(const std::string& name) override { game.Play(name, false); }
  void ShowMissingFile(const std::string& fileName) override;
  void TouchEffect() override;
  void Button10Click();
  // The size shown, which a screen too small for the chosen one makes smaller.
  bool SmallWindow() const { return shownMode_ == WindowMode::Small; }
  WindowMode shownMode_ = WindowMode::Small;

  // --- Flow ---
  void Timer1Timer();
  // A searching opponent is thinking out its move right now, off this thread.
  bool ComputerSearching() const { return thinker_.Thinking() && !thinker_.Ready(); }
  void MenuLineClick(int slot);
  void StartSeries(int slot, const WelcomeResult& a);
  // Hides the menu screen for the table.
  void LeaveMenuScreen();
  void Button7Click();
  void Button8Click();
  void ImageCards2MouseUp(QMouseEvent* e);
  void ImageCards1MouseUp(QMouseEvent* e);
  void ImageStolMouseUp(QMouseEvent* e);
  void ImageKolodaMouseUp(QMouseEvent* e);
  void ImageCards2MouseMove(QMouseEvent* e);
  bool QuitClick();
  void GenCountClick();
  void ChangeNameClick();
  void MSpeedClick();
  // Plays the card of a hand slot as a click on it would; false when nothing is played.
  bool PlaySlot(int slot);
  void SyncTimer();
  // The settings a series plays with: sound, flights, the two rules, the opponent.
  void TakeGameOptions();
  void ReturnToMenu();
  bool InSeries() const { return table && table->TableShown(); }
  // Writes the settings; a failure is told with "Can`t save options!".
  bool SaveSettingsOrTell();
  // Takes the abandoned player's line out of the list in use, telling a failure.
  void RemoveAbandonedLine(uint8_t slot);
  // The message of a list that could not be rewritten; nothing when it was.
  void TellListStatus(ListStatus status, const std::string& path);

  // --- Cursors: the arrow, and the first frames of the animated ones ---
  QCursor CurArrow, CurHand, CurWait, CurEdit;
  void LoadCursors();
  void ApplyCursors();

  // --- Menu controls ---
  TImageArea* ImTitle;
  TImageArea* ImCaption;
  TImageArea* ImElite;
  std::array<TImageArea*, 4> Panel{};  // Panel1..Panel3
  TKuvCardsButton* Panel4;
  std::array<TKuvCardsButton*, 7> ListButton{};  // Button1..Button6
  TKuvCardsButton *Button9, *Button10, *Button11, *BHistory, *BMode;
  QLabel *RxGIFAn1, *RxGIFAn2;
  // The chat indicator, shown on the menu while messages are unread.
  QPushButton* RxGIFAnChat = nullptr;
  QMovie* GifSiren = nullptr;
  bool ChatUnread = false;
  void ShowChatIndicator();
  QMovie *Gif1 = nullptr, *Gif2 = nullptr;
  TImageArea* ImClock1;
  // The pictures that open the account, the statistics, the tournament and the world top ten.
  std::array<TImageArea*, 4> MenuIcon{};
  TImageArea* ImClock2;  // the information dial
  void DrawInfoDial();
  QMenu* PopupMenu1;
  QAction *Quit, *GenCount, *ChangeName, *MSpeed, *MHelp, *MAbout, *MRadio, *MChat, *MTour, *MAccount, *MStatistics;
  QAction* MWorldTop;
  MenuListTexts menuTexts;
  std::array<QString, 4> topThree;

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // The window manager's frame around the client area; none before it shows.
  QMargins FrameMargins() const;
  // Maximised or full screen: the window has the size the window manager gave it.
  bool Spread() const;
  QSize spreadSize_;  // the window's size when the mode was last applied spread
  // Re-applies the window mode once the frame, the state or the size moved
  // away from what the last application assumed.
  void RefitLater();
  QMargins frameUsed_;
  QTimer refit_;
  void CreateMenuControls();
  void PlaceMenu(QWidget* w, double x, double y, double width, int height);
  void DrawTopPanel(int k);
  void DrawClock();
  bool busy_ = false;  // an engine call is running
  // The searching players think off this thread; their moves land on Timer1.
  MoveThinker thinker_;
  bool closing_ = false;
};

}  // namespace zarnet
