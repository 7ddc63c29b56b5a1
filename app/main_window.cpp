#include "main_window.h"

#include "form_account.h"

#include <QApplication>
#include <QThread>
#include <cstring>
#include <ctime>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QWindow>
#include <QToolTip>

#include "atomic_file.h"
#include "chat_room.h"
#include "codec.h"
#include "engine.h"
#include "message_box.h"
#include "peer_game.h"
#include "series.h"
#include "strong_opponent.h"
#include "words.h"

namespace zarnet {

namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

// Colours of the title letters, $BBGGRR, in ring order.
constexpr uint32_t kIntroRing[10] = {0x800080, 0xFFFF00, 0x4080FF, 0x800000, 0x0000FF,
                                     0x008000, 0x00FFFF, 0xFF0000, 0x000080, 0x00FF00};

void RaisedFrame(QPainter& p, QRect r) {
  p.fillRect(r, QColor(0xc0, 0xc0, 0xc0));
  auto edges = [&](QRect e, QColor light, QColor dark) {
    p.setPen(light);
    p.drawLine(e.topLeft(), e.topRight());
    p.drawLine(e.topLeft(), e.bottomLeft());
    p.setPen(dark);
    p.drawLine(e.bottomLeft(), e.bottomRight());
    p.drawLine(e.topRight(), e.bottomRight());
  };
  edges(r, Qt::white, Qt::black);
  edges(r.adjusted(1, 1, -1, -1), Qt::white, Qt::black);
  // The inner pair is sunken: dark above, light below.
  edges(r.adjusted(5, 5, -5, -5), Qt::black, Qt::white);
  edges(r.adjusted(6, 6, -6, -6), Qt::black, Qt::white);
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// --- Series outlets ---

void WindowSeriesOutlets::ShowWaitNotice(bool shown) {
  if (shown) form_.table->ShowTable(false);
}

void WindowSeriesOutlets::ShowEndOfGame(int place, int32_t score, int bonus) {
  if (form_.OpenEndOfGame) form_.OpenEndOfGame(place, score, bonus);
}

void WindowSeriesOutlets::ReturnToMenu() {
  account_.EndRatedSeries();
  form_.ReturnToMenu();
}

void WindowSeriesOutlets::ClosePeerSocket(uint8_t) {
  if (form_.peer) form_.peer->CloseLink();
}

void WindowSeriesOutlets::OpenWorldTopTenEntry(int32_t score) {
  if (form_.OpenWorldTopTenEntry) form_.OpenWorldTopTenEntry(score);
}

bool WindowSeriesOutlets::ReadTourRating(int32_t& score) {
  return form_.ReadTourScore && form_.ReadTourScore(score);
}

void WindowSeriesOutlets::WriteHistory(const HisStr& entry) {
  AccountSeriesOutlets::WriteHistory(entry);
  if (lastHistory.status == HistoryWrite::Failed && form_.Inform) form_.Inform(W(WordId::CanntSaveHistory));
}

int WindowSeriesOutlets::FileSeries(bool netList, int slot, const std::string& line, bool cycleEnded,
                                    const HisStr& entry) {
  const int place = AccountSeriesOutlets::FileSeries(netList, slot, line, cycleEnded, entry);
  form_.TellListStatus(lastFiling.status, lastListPath);
  if (lastHistory.status == HistoryWrite::Failed && form_.Inform) form_.Inform(W(WordId::CanntSaveHistory));
  return place;
}

// --- Creation ---

void TStage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (Paint) Paint(p);
}

TForm1::TForm1(const std::string& programFolder)
    : Stage(new TStage(this)),
      art(std::make_unique<ResourceSource>(QString::fromStdString(programFolder))),
      webAddresses(DefaultAddresses()),
      web(webClient, webAddresses.scripts),
      account(web, UserFilePath(programFolder)),
      records(account, ProgramFiles{programFolder}) {
  // 1-2: names, folder and constants.
  ProgramFolder = WithTrailingSeparator(programFolder);
  outlets = std::make_unique<WindowSeriesOutlets>(*this, account, ProgramFiles{programFolder});
  // 3: caption.
  setWindowTitle(W(WordId::GameName));
  // 4: temporary folder.
  TempFolder = WithTrailingSeparator(QDir::tempPath().toStdString());
  // 5: geometry.
  setMinimumSize(760, 500);
  resize(760, 500);
  move(0, 0);
  Stage->setGeometry(0, 0, 760, 500);
  Stage->Paint = [this](QPainter& p) {
    if (IntroRunning && !IntroFrame.isNull()) {
      p.drawImage(0, 0, IntroFrame);
      return;
    }
    if (!art.Background.isNull()) p.drawImage(0, 0, art.Background);
  };
  refit_.setSingleShot(true);
  refit_.setInterval(50);
  QObject::connect(&refit_, &QTimer::timeout, this, [this] {
    if (IntroRunning) return;
    const bool frameMoved = FrameMargins() != frameUsed_;
    const bool sizeMoved = size() != (Spread() ? spreadSize_ : QSize(Factors.WindowWidth, Factors.WindowHeight));
    // A screen of other pixels (the window moved, or the scale was changed) redraws everything.
    const bool pixelsMoved = devicePixelRatioF() != art.DevicePixelRatio;
    if (frameMoved || sizeMoved || pixelsMoved) ApplyWindowMode();
  });
  setFocusPolicy(Qt::StrongFocus);
  InstallFontSubstitutes();
  table = std::make_unique<TTableScreen>(Stage, game, art, settings);
  game.view = table.get();
  game.records = &records;
  game.hooks = &hooks;
  // 7: every table control hidden.
  CreateMenuControls();
  table->ShowTable(false);
  // 8: the pop-up menu.
  PopupMenu1 = new QMenu(this);
  GenCount = PopupMenu1->addAction(W(WordId::MenuGeneralCount), [this] { GenCountClick(); });
  Quit = PopupMenu1->addAction(W(WordId::MenuLeaveToMenu), [this] { QuitClick(); });
  ChangeName = PopupMenu1->addAction(W(WordId::MenuChangeName), [this] { ChangeNameClick(); });
  MSpeed = PopupMenu1->addAction(W(WordId::MenuSpeed), [this] { MSpeedClick(); });
  PopupMenu1->addSeparator();
  MHelp = PopupMenu1->addAction(W(WordId::MenuHelp), [this] { if (OpenHelp) OpenHelp(); });
  MAbout = PopupMenu1->addAction(W(WordId::MenuAbout), [this] { if (OpenAbout) OpenAbout(); });
  MRadio = PopupMenu1->addAction(W(WordId::MenuRadio));
  MChat = PopupMenu1->addAction(W(WordId::Chat), [this] { if (OpenChat) OpenChat(); });
  MWorldTop = PopupMenu1->addAction(W(WordId::WorldTopTen), [this] {
    if (!InSeries() && OpenWorldTopTen) OpenWorldTopTen();
  });
  MTour = PopupMenu1->addAction(W(WordId::OnlineTournament), [this] {
    if (!busy_ && !table->TableShown() && OpenTournament) OpenTournament();
  });
  for (QAction* a : {Quit, GenCount, ChangeName, MRadio, MChat}) a->setEnabled(false);
  PopupMenu1->addSeparator();
  MAccount = PopupMenu1->addAction(W(WordId::MyAccount), [this] {
    if (!InSeries() && OpenAccount) OpenAccount(false), ShowPlayerListOnMenu();
  });
  MStatistics = PopupMenu1->addAction(W(WordId::Statistics), [this] {
    if (OpenStatistics) OpenStatistics();
  });
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
  setPalette(pal);
  setAutoFillBackground(true);
  // 10: cursors.
  LoadCursors();
  // 11: the top-ten button's hint.
  Button9->setToolTip("50");

  sound = std::make_unique<Sound>(QString::fromStdString(ProgramFolder), QString::fromStdString(TempFolder));
  sound->CantCreateMusicFile = [this] {
    if (Inform) Inform(W(WordId::CantCreateMusicFile));
  };
  table->OnPlayEffect = [this](std::string_view name, bool wait, bool enabled) {
    sound->PlayEffect(name, wait, enabled);
  };
  table->OnSayCard = [this](CardCode card, bool wait) { return sound->SayCard(card, wait); };
  QObject::connect(&Timer2, &QTimer::timeout, this,
                   [this] { sound->MusicTimerTick(settings.MusicOn, MenuShown); });
  table->OnLayoutMenu = [this] { LayoutMenuScreen(); };
  table->OnTableLaidOut = [this] {
    // Each deal is recorded from its first picture, once the deal is on the table.
    if (game.opt.Recording) QTimer::singleShot(0, this, [this] { StartRecording(); });
  };
  TimerGIF.setInterval(100);
  QObject::connect(&TimerGIF, &QTimer::timeout, this, [this] { recorder.GrabFrame(); });
  table->OnSeriesMenu = [this](bool on) {
    Quit->setEnabled(on);
    GenCount->setEnabled(on);
    ChangeName->setEnabled(on && game.opt.PlayerSlot >= 1 && game.opt.PlayerSlot <= 5);
  };
  table->Button7->setFocusPolicy(Qt::NoFocus);
  table->Button8->setFocusPolicy(Qt::NoFocus);
  QObject::connect(table->Button7, &QAbstractButton::clicked, this, [this] { Button7Click(); });
  QObject::connect(table->Button8, &QAbstractButton::clicked, this, [this] { Button8Click(); });
  table->ImageCards[2]->MouseUp = [this](QMouseEvent* e) { ImageCards2MouseUp(e); };
  table->ImageCards[2]->MouseMove = [this](QMouseEvent* e) { ImageCards2MouseMove(e); };
  table->ImageCards[1]->MouseUp = [this](QMouseEvent* e) { ImageCards1MouseUp(e); };
  table->ImageStol->MouseUp = [this](QMouseEvent* e) { ImageStolMouseUp(e); };
  table->ImageKoloda->MouseUp = [this](QMouseEvent* e) { ImageKolodaMouseUp(e); };

  Confirm = [this](const QString& text) {
    return AskYesNo(this, W(WordId::GameName), text);
  };
  Inform = [this](const QString& text) { TellPlayer(this, W(WordId::GameName), text); };
  account.ask.repeatAfterNoConnection = [this] {
    return Confirm && Confirm(W(WordId::CouldNotConnectToServer) + "\n" + W(WordId::Repeat));
  };
  outlets->askRepeatSubmission = [this] {
    return Confirm && Confirm(W(WordId::UnableToWriteTheResultOfTheGame) + " " + W(WordId::Repeat));
  };

  Calendar = new TCalendar(Stage, std::make_unique<ResourceSource>(QString::fromStdString(programFolder)));
  Calendar->Background = [this] { return &art.Background; };
  Calendar->MenuShown = [this] { return MenuShown; };

  QObject::connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1.setInterval(20);

  peer = std::make_unique<TPeerGame>(game, *table, this);
  peer->HookSlot = &hooks.peer;  // the recorder's hooks stay in place
  peer->ShowError = [this](const QString& text) {
    TellPlayer(this, W(WordId::GameName), text, QMessageBox::Critical);
  };
  peer->BackToMenu = [this] {
    ReturnToMenu();
    if (settings.MusicOn) MusicChanged();
  };
}

TForm1::~TForm1() {
  Timer1.stop();
  thinker_.Cancel();
  peer.reset();
  game.view = nullptr;
}

void TForm1::CreateMenuControls() {
  auto area = [this] {
    auto* a = new TImageArea(Stage);
    a->hide();
    return a;
  };
  auto button = [this](std::function<void()> click) {
    auto* b = new TKuvCardsButton(Stage);
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    QObject::connect(b, &QAbstractButton::clicked, this, std::move(click));
    return b;
  };
  ImTitle = area();
  ImCaption = area();
  ImElite = area();
  ImClock1 = area();
  ImClock2 = area();
  for (int k = 1; k <= 3; ++k) Panel[k] = area();
  Panel4 = button([] {});
  Panel4->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (int k = 1; k <= 6; ++k) ListButton[k] = button([this, k] { MenuLineClick(k); });
  Button9 = button([this] { if (OpenTopTen) OpenTopTen(); });
  Button10 = button([this] { Button10Click(); });
  BHistory = button([this] { if (OpenHistory) OpenHistory(); });
  BMode = button([this] {
    game.Play("WOpenFo", false);
    settings.PlayerListMode = settings.PlayerListMode == 1 ? 2 : 1;
    ShowPlayerListOnMenu();
  });
  Button11 = button([this] { close(); });
  RxGIFAn1 = new QLabel(Stage);
  RxGIFAn2 = new QLabel(Stage);
  RxGIFAn1->hide();
  RxGIFAn2->hide();
  const std::array<std::function<void()>, 4> iconClicks = {
      [this] { if (OpenAccount) OpenAccount(false), ShowPlayerListOnMenu(); },
      [this] { if (OpenStatistics) OpenStatistics(); },
      [this] { if (OpenTournament) OpenTournament(); },
      [this] { if (OpenWorldTopTen) OpenWorldTopTen(); }};
  for (int k = 0; k < 4; ++k) {
    MenuIcon[k] = area();
    MenuIcon[k]->Click = [this, click = iconClicks[k]] {
      if (!busy_ && MenuShown) click();
    };
  }
  ImTitle->Click = ImCaption->Click = [this] {
    if (IntroRunning) EndIntro();
  };
}

// --- Start-up ---

void TForm1::paintEvent(QPaintEvent*) {
  if (FirstPaint) {
    // Start-up runs from the first paint, once the window is on the screen.
    QTimer::singleShot(0, this, [this] { RunStartUp(); });
    FirstPaint = false;
  }
  // The window itself shows only its colour, around the stage.
}

void TForm1::RunStartUp() {
  FirstPaint = false;
  // Whatever a write killed half-way left behind: its temporary files, and a
  // series' close to be completed before the lists are read.
  const std::string folder = ProgramFolder.substr(0, ProgramFolder.size() - 1);
  RemoveStrayTemporaries(folder);
  RemoveStrayTemporaries(ProgramFiles{folder}.History().Folder());
  // The folder above is shared: only our own files' leftovers go.
  RemoveStrayTemporaryOf(UserFilePath(folder));
  RemoveStrayTemporaryOf(ChatSettingsPath(folder));
  CompletePendingSeries(ProgramFiles{folder});
  // 2: settings.
  settings = LoadSettings(ProgramFolder, Utf8ToCp1251(WordUtf8(WordId::MrX)));
  SetLanguageIndex(settings.Language);
  art.LanguageIndex = LanguageIndex();
  TakeGameOptions();
  game.opt.NetGame = settings.NetGame;
  directoryFlags = ApplyDirectory(&webAddresses);
  web.Addresses() = webAddresses.scripts;
  // 3: the intro's first frame.
  art.FaceDesign = settings.FaceDesign;
  art.BackSet = settings.BackSet;
  art.AlwaysOneBack = settings.BackAlwaysOne;
  art.LoadFaceDesign();
  art.LoadBackSet();
  BuildIntro();
  IntroTick();
  // 4: both player lists.
  for (bool net : {false, true}) {
    const std::string path = ProgramFolder + (net ? kNetListName : kClubListName);
    const ListCheck c = CheckPlayerList(path);
    if (c.status != ListStatus::Ok) {
      const QString label = c.status == ListStatus::Missing ? W(WordId::CantFindTheFile)
                                                            : W(WordId::TheIncorrectFile);
      StartUpFailed = true;
      if (Inform) Inform(QString::fromStdString(FileMessage(label.toStdString(), path)));
      close();
      return;
    }
    if (c.badAttributes && Inform) {
      Inform(W(WordId::TheFile) + " \"" + QString::fromStdString(path) + "\"" +
             W(WordId::HasIncorrectAttributes) + "\n" + W(WordId::TheWorkOfTheProgramWillBeIncorrect));
    }
    if (c.russian && !net) {
      SetLanguageIndex(1);
      settings.Language = 1;
    }
  }
  // 5: colours, background, hints.
  art.BgPattern = settings.BgPattern;
  art.BgColour = settings.BgColour;
  art.ClientWidth = Stage->width();
  art.ClientHeight = Stage->height();
  art.SmallWindow = true;
  art.LoadBackground(false);
  // 6: the language's texts.
  ApplyLanguage();
  ApplyCursors();
  StartUpWeb();
  // 9: the tune.
  sound->PrepareMusic();
  sound->PlayMusic(settings.MusicOn);
  Timer2.start(1000);
  Timer1.setInterval(20);
  Timer1.start();
}

void TForm1::BuildIntro() {
  const double dpr = devicePixelRatioF();
  IntroPicture = QImage(QSize(760, 500) * dpr, QImage::Format_RGB32);
  IntroPicture.setDevicePixelRatio(dpr);
  IntroPicture.fill(Qt::black);
  QPainter p(&IntroPicture);
  RaisedFrame(p, QRect(QPoint(130, 50), QPoint(630, 450)));
  RaisedFrame(p, QRect(QPoint(230, 150), QPoint(530, 350)));
  QFont f("Comic Sans MS");
  f.setPixelSize(24);
  p.setFont(f);
  p.setPen(FromBgr(0x0000FF));
  DrawCentred(p, 230, 530, 240, W(WordId::ReleaseDate));
  p.setPen(FromBgr(0xFF0000));
  DrawCentred(p, 230, 530, 265, W(WordId::MakerCredit));
  p.setPen(FromBgr(0x646400));
  DrawCentred(p, 230, 530, 315, "V 5.7f");
  const QImage logo = ProgramPicture("Logo");
  if (!logo.isNull()) {
    p.drawImage(QRect(250, 270, 64, 64), logo);
    p.drawImage(QRect(445, 270, 64, 64), logo);
  }
  for (int k = 1; k <= 10; ++k) IntroColour[k] = k - 1;
  SuitPos = {QPoint(155, 68), QPoint(550, 68), QPoint(155, 362), QPoint(550, 362)};
  IntroTicks = 0;
}

void TForm1::IntroTick() {
  if (!IntroRunning || IntroPicture.isNull()) return;
  QImage frame = IntroPicture;
  QPainter p(&frame);
  QString title = W(WordId::GameNameUpper).left(10);
  const int n = static_cast<int>(title.size());
  QFont f("Arial");
  f.setPixelSize(44);
  f.setBold(true);
  p.setFont(f);
  int x0 = 381 - 13 * n;
  int shift = 0;  // accumulated correction of later letters
  std::vector<int> xs(n);
  for (int k = 0; k < n; ++k) {
    const QChar c = title[k];
    int own = 0;
    if (c == 'I' || c == QChar(0xCD) || c == '-') own = 3;
    xs[k] = 26 * k + shift + own;
    if (c == 'W' || c == 'M' || c == QChar(0x41C) || c == QChar(0x42E)) shift += 8, x0 -= 5;
    else if (c == 'Q') shift += 6, x0 -= 4;
    else if (c == 'I' || c == QChar(0xCD)) shift -= 12, x0 += 6;
    else if (c == '-') shift -= 10, x0 += 6;
  }
  const QFontMetrics m(f);
  for (int k = 0; k < n; ++k) {
    p.setPen(FromBgr(kIntroRing[IntroColour[k + 1] % 10]));
    p.drawText(x0 + xs[k], 175 + m.ascent(), QString(title[k]));
  }
  // The suit symbols run round the rectangle (155, 68)-(550, 362).
  for (int s = 0; s < 4; ++s) {
    QPoint& q = SuitPos[s];
    if (q.y() == 68 && q.x() < 550) q.rx()++;
    else if (q.x() == 550 && q.y() < 362) q.ry()++;
    else if (q.y() == 362 && q.x() > 155) q.rx()--;
    else q.ry()--;
    if (!art.SmallSuit[s].isNull()) p.drawImage(q, art.SmallSuit[s]);
  }
  p.end();
  if (++IntroTicks % 10 == 0) {
    const int first = IntroColour[1];
    for (int k = 1; k < 10; ++k) IntroColour[k] = IntroColour[k + 1];
    IntroColour[10] = first;
  }
  IntroFrame = std::move(frame);
  repaint();
}

void TForm1::EndIntro() {
  if (!IntroRunning) return;
  IntroRunning = false;
  IntroPicture = IntroFrame = QImage();
  Timer1.stop();
  ApplyWindowMode();
  MRadio->setEnabled(false);
  MChat->setEnabled(bool(OpenChat));
  LayoutMenuScreen();
  Timer1.setInterval(20);
  Timer1.start();
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
  if (IntroRunning && !FirstPaint) {
    EndIntro();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
  if (IntroRunning && !FirstPaint && e->button() == Qt::LeftButton) EndIntro();
}

// --- Window mode and screens ---

void TForm1::ApplyWindowMode() {
  const WindowMode chosen = static_cast<WindowMode>(std::clamp(settings.WindowMode, 1, 5));
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1920, 1080);
  // The title bar and the frame come off the screen's free area.
  frameUsed_ = FrameMargins();
  const QSize free = avail.size().shrunkBy(frameUsed_);
  const bool spread = Spread();
  // Maximised, the whole-screen size spreads over the window; any other takes
  // the largest fixed size that fits, centred.
  const WindowMode mode = !spread                           ? FittingMode(chosen, free.width(), free.height())
                          : chosen == WindowMode::FullScreen ? WindowMode::FullScreen
                                                             : FittingMode(WindowMode::Large, width(), height());
  const QSize client = spread ? size() : free;
  Factors = FactorsForMode(mode, client.width(), client.height());
  if (!spread) resize(Factors.WindowWidth, Factors.WindowHeight);
  spreadSize_ = spread ? size() : QSize();
  const QSize stage(Factors.WindowWidth, Factors.WindowHeight);
  Stage->setGeometry(spread ? std::max(0, (width() - stage.width()) / 2) : 0,
                     spread ? std::max(0, (height() - stage.height()) / 2) : 0, stage.width(), stage.height());
  art.Scale = Factors.Scale;
  art.SmallWindow = mode == WindowMode::Small;
  art.DevicePixelRatio = devicePixelRatioF();
  shownMode_ = mode;
  art.ClientWidth = Factors.WindowWidth;
  art.ClientHeight = Factors.WindowHeight;
  art.LoadBackground(settings.MenuDesign);
  art.UpdateCardSize();
  if (!art.LoadFaceDesign()) settings.FaceDesign = art.FaceDesign = 0;
  if (!art.LoadBackSet()) settings.BackSet = art.BackSet = 0;
  art.CardShiftX = (art.WideDesign || SmallWindow()) ? 0 : 5;
  if (!SmallWindow()) settings.RecordGames = false;
  table->SetFactors(Factors, SmallWindow());
  if (!spread) {
    // move() places the frame's corner: centre the frame, not the client.
    const int outerW = width() + frameUsed_.left() + frameUsed_.right();
    const int outerH = height() + frameUsed_.top() + frameUsed_.bottom();
    move(avail.left() + std::max(0, Whole((avail.width() - outerW) / 2.0)),
         avail.top() + std::max(0, Whole((avail.height() - outerH) / 2.0)));
  }
  if (table->TableShown()) {
    table->RedrawAll();
  } else if (MenuShown) {
    LayoutMenuScreen();
  }
  update();
}

QMargins TForm1::FrameMargins() const {
  return windowHandle() && isVisible() ? windowHandle()->frameMargins() : QMargins();
}

bool TForm1::Spread() const { return windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen); }

void TForm1::RefitLater() {
  if (!refit_.isActive()) refit_.start();
}

void TForm1::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  RefitLater();
}

void TForm1::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  // The window manager's frame arrives with the first move after showing.
  if (FrameMargins() != frameUsed_ || devicePixelRatioF() != art.DevicePixelRatio) RefitLater();
}

void TForm1::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) RefitLater();
}

void TForm1::PlaceMenu(QWidget* w, double x, double y, double width, int height) {
  w->setGeometry(Whole(x * Factors.ScaleX), Whole(y * Factors.ScaleY), Whole(width * Factors.ScaleX),
                 height);
  w->show();
}

void TForm1::ApplyLanguage() {
  UseQtTranslation(LanguageIndex());
  setWindowTitle(W(WordId::GameName));
  art.LanguageIndex = LanguageIndex();
  Button9->setText(W(WordId::TopTen));
  Button10->setText(W(WordId::Options));
  BHistory->setText(W(WordId::History));
  BMode->setText(W(WordId::ListMode));
  Button11->setText(W(WordId::Exit));
  ListButton[6]->setText(W(WordId::NewPlayer));
  GenCount->setText(W(WordId::MenuGeneralCount));
  Quit->setText(W(WordId::MenuLeaveToMenu));
  ChangeName->setText(W(WordId::MenuChangeName));
  MSpeed->setText(W(WordId::MenuSpeed));
  MHelp->setText(W(WordId::MenuHelp));
  MAbout->setText(W(WordId::MenuAbout));
  MRadio->setText(W(WordId::MenuRadio));
  MChat->setText(W(WordId::Chat));
  MWorldTop->setText(W(WordId::WorldTopTen));
  MTour->setText(W(WordId::OnlineTournament));
  MAccount->setText(W(WordId::MyAccount));
  MStatistics->setText(W(WordId::Statistics));
  if (MenuShown) LayoutMenuScreen();
}

void TForm1::LayoutMenuScreen() {
  table->ShowTable(false);
  MenuShown = true;
  const ScaleFactors& f = Factors;
  const int U = Whole(30 * f.Scale);
  auto len = [&](double a) { return ScaleLen(f, a); };
  // Titles.
  PlaceMenu(ImTitle, 230, 90 - len(5) / f.ScaleY, 300, 3 * U);
  const double dpr = devicePixelRatioF();
  ImTitle->picture = StretchedFine(ProgramPicture("GTitle"), ImTitle->width(), ImTitle->height(), dpr);
  const QString code = QString::fromStdString(LanguageCode());
  ImCaption->setGeometry(CellLeft(f, 180, 400), CellTop(f, 12, 70), len(400), len(70));
  ImCaption->picture =
      StretchedFine(RecolourCaption(ProgramPicture("Cap" + code), settings.CaptionColour), len(400), len(70), dpr);
  ImCaption->show();
  ImElite->setGeometry(CellLeft(f, 205, 350), CellTop(f, 183, 40), len(350), len(40));
  ImElite->picture =
      StretchedFine(ProgramPicture((settings.NetGame ? "Net__" : "Elite") + code), len(350), len(40), dpr);
  ImElite->show();
  // The player list.
  // The three best players stand inside the title's frame, one third each.
  {
    const int inset = std::max(3, len(6));
    const int row = (ImTitle->height() - 2 * inset) / 3;
    for (int k = 1; k <= 3; ++k) {
      Panel[k]->setGeometry(ImTitle->x() + inset, ImTitle->y() + inset + (k - 1) * row, ImTitle->width() - 2 * inset,
                            row);
      Panel[k]->show();
    }
  }
  PlaceMenu(Panel4, 180, 265 - (U + len(10)) / f.ScaleY, 400, U);
  for (int k = 1; k <= 5; ++k) PlaceMenu(ListButton[k], 180, 265 + (k - 1) * U / f.ScaleY, 400, U);
  PlaceMenu(ListButton[6], 280, 265 + (5 * U + len(10)) / f.ScaleY, 200, U);
  // The side buttons are 120 wide rather than 100: "Top Ten" runs long in
  // Russian even at the smallest font step.
  PlaceMenu(Button9, 30, 225, 120, U);
  PlaceMenu(Button10, 610, 225, 120, U);
  PlaceMenu(BHistory, 30, 255, 120, U);
  PlaceMenu(BMode, 610, 255, 120, U);
  PlaceMenu(Button11, 330, 465, 100, U);
  // The title picture stands under the three best players.
  ImTitle->lower();
  // Fonts and colours.
  QFont listFont = SmallWindow()
                       ? RoleFontPixels(table->look, FontRoleId::Fixed, 11)
                       : RoleFontPixels(table->look, FontRoleId::Conew, Whole(16 * f.Scale), true);
  listFont.setStyleHint(QFont::Monospace);
  QFont decor(QString::fromStdString(settings.Fonts[0].name));
  decor.setPixelSize(std::max(8, Whole(FontHeight(16, settings.Fonts[0].percentage) * f.Scale)));
  for (int k = 1; k <= 6; ++k) {
    TKuvCardsButton* b = ListButton[k];
    b->setFont(k == 6 ? decor : listFont);
    b->SetColorSB(settings.MenuDesign ? TColorSB::DCards : TColorSB::DNavy);
    b->SetFontColor(settings.MenuDesign ? LibraryCaptionColour() : FromBgr(0xFFFF00));
    b->SetColorMouse(FromBgr(0x00FFFF));
  }
  for (TKuvCardsButton* b : {Button9, Button10, Button11, BMode, BHistory}) {
    b->setFont(decor);
    b->SetColorSB(settings.MenuDesign ? TColorSB::DCards : TColorSB::DRed);
    b->SetFontColor(settings.MenuDesign ? LibraryCaptionColour() : QColor(Qt::white));
    b->SetColorMouse(FromBgr(0x00FFFF));
  }
  Panel4->setFont(listFont);
  Panel4->SetColorSB(settings.MenuDesign ? TColorSB::DCards : TColorSB::DBlue);
  Panel4->SetFontColor(settings.MenuDesign ? LibraryCaptionColour() : QColor(Qt::white));
  ShowPlayerListOnMenu();
  // The two animations.
  if (!Gif1) {
    Gif1 = new QMovie(":/GIF/GifMenu1", QByteArray(), this);
    Gif2 = new QMovie(":/GIF/GifMenu2", QByteArray(), this);
    RxGIFAn1->setMovie(Gif1);
    RxGIFAn2->setMovie(Gif2);
  }
  // The animations keep their size; in larger windows they stay centred where
  // they stand in the small one, clear of the side buttons and the list.
  RxGIFAn1->setGeometry(Whole(87 * f.ScaleX) - 80, Whole(390 * f.ScaleY) - 100, 160, 200);
  RxGIFAn2->setGeometry(Whole(672 * f.ScaleX) - 80, Whole(390 * f.ScaleY) - 100, 160, 200);
  RxGIFAn1->show();
  RxGIFAn2->show();
  for (QMovie* m : {Gif1, Gif2}) {
    if (settings.GifAnimation) {
      m->start();
    } else {
      m->jumpToFrame(0);
      m->stop();
    }
  }
  // The clock in the large windows.
  const bool clocks = shownMode_ == WindowMode::Medium2 || shownMode_ == WindowMode::Large ||
                      (shownMode_ == WindowMode::FullScreen && f.WindowWidth > 1290 && f.WindowHeight > 850);
  ImClock1->setVisible(clocks);
  ImClock2->setVisible(clocks);
  if (clocks) {
    // Below the left side picture (100 x 200, unscaled).
    const int sideLeft = Whole(60 - Calendar->SideShift() + (f.ScaleX - 1) * 50);
    ImClock1->setGeometry(sideLeft - 7, Whole(30 + (f.ScaleY - 1) * 100) + 210, 115, 64);
    DrawClock();
    // The dial mirrors the clock on the right.
    ImClock2->setGeometry(Stage->width() - ImClock1->x() - 115, ImClock1->y(), 115, 64);
    DrawInfoDial();
  }
  for (QWidget* w : std::initializer_list<QWidget*>{ImTitle, ImCaption, ImElite}) w->update();
  // The four pictures in the upper corners, two each side, unscaled.
  static const char* const kIcons[4] = {"Account48", "Stats", "GTourOn", "Earth48"};
  const WordId hints[4] = {WordId::MyAccount, WordId::Statistics, WordId::OnlineTournament, WordId::WorldTopTen};
  const double iconX[4] = {16, 74, 638, 696};
  for (int k = 0; k < 4; ++k) {
    TImageArea* icon = MenuIcon[k];
    icon->setGeometry(Whole(iconX[k] * f.ScaleX), Whole(14 * f.ScaleY), 48, 48);
    icon->picture = ProgramPicture(kIcons[k]);
    icon->setToolTip(W(hints[k]));
    icon->setCursor(CurHand);
    icon->show();
    icon->update();
  }
  Calendar->Factors = Factors;
  Calendar->ShowCalendar();
  if (CheckChatNews) ChatUnread = CheckChatNews();
  ShowChatIndicator();
  update();
}

void TForm1::ShowChatIndicator() {
  if (!RxGIFAnChat) {
    RxGIFAnChat = new QPushButton(Stage);
    RxGIFAnChat->setObjectName("RxGIFAnChat");
    RxGIFAnChat->setFlat(true);
    RxGIFAnChat->setFocusPolicy(Qt::NoFocus);
    RxGIFAnChat->setIconSize(QSize(40, 40));
    QObject::connect(RxGIFAnChat, &QPushButton::clicked, this, [this] { if (OpenChat) OpenChat(); });
    GifSiren = new QMovie(":/GIF/GSirenaR", QByteArray(), this);
    QObject::connect(GifSiren, &QMovie::frameChanged, this,
                     [this] { RxGIFAnChat->setIcon(GifSiren->currentPixmap()); });
    GifSiren->jumpToFrame(0);
  }
  RxGIFAnChat->setToolTip(W(WordId::KuvChat));
  const bool shown = ChatUnread && MenuShown;
  // Top right, below the corner pictures and clear of the calendar.
  RxGIFAnChat->setGeometry(Stage->width() - 54, Whole(14 * Factors.ScaleY) + 54, 48, 48);
  RxGIFAnChat->setVisible(shown);
  if (shown && settings.GifAnimation) {
    GifSiren->start();
  } else {
    GifSiren->stop();
    GifSiren->jumpToFrame(0);
  }
}

void TForm1::DrawTopPanel(int k) {
  TImageArea* a = Panel[k];
  // Names and scores are drawn in the screen's real pixels.
  const double dpr = devicePixelRatioF();
  a->picture = QImage(a->size() * dpr, QImage::Format_ARGB32_Premultiplied);
  a->picture.setDevicePixelRatio(dpr);
  a->picture.fill(Qt::transparent);
  QPainter p(&a->picture);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!art.Background.isNull()) p.drawImage(-a->x(), -a->y(), art.Background);
  const QImage title = ImTitle->picture;
  if (!title.isNull()) p.drawImage(ImTitle->x() - a->x(), ImTitle->y() - a->y(), title);
  QImage medal = ProgramPicture(QString("GMEDAL0%1").arg(k)).convertToFormat(QImage::Format_ARGB32);
  // The medal bitmaps stand on a flat ground: its corner colour is keyed out.
  if (!medal.isNull())
    medal.setAlphaChannel(medal.createMaskFromColor(medal.pixel(0, 0) | 0xff000000u, Qt::MaskOutColor));
  const int h = a->height();
  if (!medal.isNull()) p.drawImage(QRect(4, 2, h - 4, h - 4), medal);
  QFont f = RoleFontPixels(table->look, FontRoleId::Serif, std::max(10, Whole(h * 0.6)), true);
  p.setFont(f);
  p.setPen(FromBgr(0x800000));
  // The score is the line's last field: right-aligned in a column of its own,
  // so that the three scores line up whatever the names' widths.
  const QString line = topThree[k];
  const int cut = line.trimmed().lastIndexOf(' ');
  const QString name = cut < 0 ? line.trimmed() : line.trimmed().left(cut).trimmed();
  const QString score = cut < 0 ? QString() : line.trimmed().mid(cut + 1);
  const QFontMetrics fm(f);
  const int scoreWidth = fm.horizontalAdvance("000000");
  // Clear of the suit marks down the frame's right edge.
  const int right = a->width() - ScaleLen(Factors, 18);
  p.drawText(QRect(right - scoreWidth, 0, scoreWidth, h), Qt::AlignVCenter | Qt::AlignRight, score);
  const QRect nameRoom(h + 2, 0, right - scoreWidth - h - 8, h);
  p.drawText(nameRoom, Qt::AlignVCenter | Qt::AlignLeft, fm.elidedText(name, Qt::ElideRight, nameRoom.width()));
  p.end();
  a->update();
}

void TForm1::ShowPlayerListOnMenu() {
  const bool net = settings.NetGame;
  const std::string path = ProgramFolder + (net ? kNetListName : kClubListName);
  ListLines lines{};
  if (auto text = ReadWholeFile(path)) {
    if (auto parsed = ParsePlayerList(*text)) lines = *parsed;
  }
  MenuListLabels labels{Utf8ToCp1251(WordUtf8(WordId::TheMembersOfClubGamesScore)),
                        Utf8ToCp1251(WordUtf8(WordId::TheMembersOfClubGamesRating))};
  // The list's texts are fitted in the small window's fixed font, whatever the size.
  const QFontMetrics m(RoleFontPixels(table->look, FontRoleId::Fixed, 11));
  MeasureText measure = [&](std::string_view s) {
    return m.horizontalAdvance(QString::fromStdString(Cp1251ToUtf8(s)));
  };
  menuTexts = ShowPlayerList(lines, settings.PlayerListMode, labels, measure);
  // The heading is a word, not a list byte: shown from the Unicode text so
  // that no language loses letters to the list's code page.
  Panel4->setText(W(settings.PlayerListMode == 2 ? WordId::TheMembersOfClubGamesRating
                                                  : WordId::TheMembersOfClubGamesScore));
  for (int k = 1; k <= 5; ++k) ListButton[k]->setText(DisplayText(menuTexts.players[k]));
  // While logged in, the fifth line stands for the account.
  ListButton[5]->SetColorSB(settings.MenuDesign ? TColorSB::DCards : TColorSB::DNavy);
  if (account.LoggedIn() && !net) {
    TKuvGame g = account.Game;
    if (web.ReadGameResults(account.User.Nick, account.User.Pw, &g)) {
      account.Game = g;
      menuTexts.players[5] = AccountMenuLine(account.User.Nick, g, settings.PlayerListMode);
      ListButton[5]->setText(DisplayText(menuTexts.players[5]));
      if (!settings.MenuDesign) ListButton[5]->SetColorSB(TColorSB::DRed);
    }
  }
  for (int k = 1; k <= 3; ++k) {
    topThree[k] = DisplayText(menuTexts.topThree[k]);
    DrawTopPanel(k);
  }
}

void TForm1::DrawClock() {
  ImClock1->picture = ProgramPicture("GClockBG");
  if (ImClock1->picture.isNull()) return;
  if (Factors.Scale >= 1.6) {
    QPainter p(&ImClock1->picture);
    const QTime t = QTime::currentTime();
    auto digit = [&](int d, int x) {
      const QImage img = ProgramPicture(QString("GBClock%1").arg(d));
      if (!img.isNull()) p.drawImage(x, 15, img);
    };
    if (t.hour() >= 10) digit(t.hour() / 10, 14);
    digit(t.hour() % 10, 34);
    digit(t.minute() / 10, 61);
    digit(t.minute() % 10, 81);
    // The colon blinks with the seconds.
    if (t.second() % 2 == 0) {
      const QImage colon = ProgramPicture("GBClockP");
      if (!colon.isNull()) p.drawImage(54, 15, colon);
    }
  }
  ImClock1->update();
}

// --- Flow ---

void TForm1::TakeGameOptions() {
  game.opt.SoundOn = settings.SoundOn;
  game.opt.OptFlyCards = settings.OptFlyCards;
  game.opt.OptBlackHand = settings.OptBlackHand;
  game.opt.OptReplaceDeuce = settings.OptReplaceDeuce;
  game.opt.Opponent = settings.Opponent;
}

void TForm1::SyncTimer() {
  if (!table->TableShown()) {
    if (Timer1.interval() != 20) Timer1.setInterval(20);
    if (!Timer1.isActive()) Timer1.start();
    return;
  }
  if (Timer1.interval() != game.TimerIntervalMs) Timer1.setInterval(game.TimerIntervalMs);
  if (game.TimerEnabled && !Timer1.isActive()) Timer1.start();
  if (!game.TimerEnabled && Timer1.isActive()) Timer1.stop();
}

void TForm1::Timer1Timer() {
  if (busy_) return;
  if (IntroRunning) {
    IntroTick();
    return;
  }
  // The window manager frames the window some time after it shows, without
  // a move of the client area: the size follows once the frame is known.
  if (FrameMargins() != frameUsed_) RefitLater();
  peer->Tick(!table->TableShown());
  if (!table->TableShown()) {
    static int ticks = 0;
    if (ImClock1->isVisible() && ++ticks % 25 == 0) DrawClock();
    static int dialMinute = -1;
    if (ImClock2->isVisible() && QTime::currentTime().minute() != dialMinute) {
      dialMinute = QTime::currentTime().minute();
      DrawInfoDial();
    }
    return;
  }
  busy_ = true;
  if (game.opt.Opponent != OpponentLevel::Standard && ComputerToMove(game)) {
    if (const auto move = thinker_.Take(game)) {
      MoveDriverTick(game, &*move);
    } else {
      thinker_.Start(game, 1, SettingsForLevel(game.opt.Opponent));
    }
  } else {
    thinker_.Cancel();
    MoveDriverTick(game);
  }
  busy_ = false;
  SyncTimer();
}

void TForm1::MenuLineClick(int slot) {
  if (busy_ || table->TableShown()) return;
  // While logged in the fifth place is the account's, whatever the list holds.
  if (slot == 5 && account.LoggedIn() && !settings.NetGame) {
    game.Play("WOpenFo", false);
    if (BeginRatedSeries()) StartSeries(kSlotAccount, WelcomeResult{true});
    return;
  }
  if (slot <= 5 && menuTexts.players[slot].find_first_not_of("# ") == std::string::npos) return;
  game.Play("WOpenFo", false);
  // An empty list line opens nothing.
  if (slot <= 5) {
    const std::string path = ProgramFolder + (settings.NetGame ? kNetListName : kClubListName);
    const auto player = LoadPlayer(path, slot);
    if (!player || player->Free) return;
  }
  const WelcomeResult a = OpenWelcome ? OpenWelcome(slot) : WelcomeResult{};
  if (a.start) StartSeries(slot, a);
}

void TForm1::StartSeries(int slot, const WelcomeResult& a) {
  game.opt.PlayerSlot = static_cast<uint8_t>(slot);
  game.opt.NetGame = false;
  game.opt.OnlineGame = false;
  TakeGameOptions();
  game.opt.Recording = settings.RecordGames && SmallWindow();
  if (game.opt.Recording) {
    // Recorded deals are played on the plain recording background.
    art.Background = Stretched(ProgramPicture("GIFBackGr"), width(), height());
  }
  if (slot == kSlotNewPlayer) {
    std::string name = a.name.substr(0, 20);
    name.resize(20, ' ');
    game.player.Name = name;
    game.player.PasswordField = a.passwordField;
  }
  LeaveMenuScreen();
  busy_ = true;
  game.gs.DealActive = true;
  peer->BindSeries();
  StartDeal(game, false);
  busy_ = false;
  setFocus();
  SyncTimer();
}

void TForm1::LeaveMenuScreen() {
  MenuShown = false;
  for (QWidget* w : std::initializer_list<QWidget*>{ImTitle, ImCaption, ImElite, Panel[1], Panel[2], Panel[3],
                                                    Panel4, Button9, Button10, Button11, BHistory, BMode,
                                                    RxGIFAn1, RxGIFAn2, ImClock1, ImClock2})
    w->hide();
  for (TImageArea* icon : MenuIcon) icon->hide();
  for (int k = 1; k <= 6; ++k) ListButton[k]->hide();
  if (Gif1) Gif1->stop(), Gif2->stop();
  ShowChatIndicator();
  Calendar->HideCalendar();
  table->memo = MessagePanel{};
  if (settings.MusicOn) sound->PlayMusic(false);
  Timer1.stop();
}

void TForm1::Button7Click() {
  if (busy_ || !table->Button7->isEnabled()) return;
  busy_ = true;
  UpperButtonClick(game);
  busy_ = false;
  SyncTimer();
}

void TForm1::Button8Click() {
  if (busy_ || !table->Button8->isEnabled()) return;
  busy_ = true;
  const bool online = game.opt.OnlineGame;
  LowerButtonClick(game, books, *outlets);
  busy_ = false;
  SyncTimer();
  if (online && !game.opt.OnlineGame && AfterOnlineMatch) AfterOnlineMatch();
}

bool TForm1::PlaySlot(int slot) {
  if (busy_) return false;
  const GameState& gs = game.gs;
  if (slot < 1 || slot > gs.HandCount[2] || gs.Hand[2][slot] == EmptyCard) return false;
  const std::vector<int> xs = LayoutHand(table->layout.hand[2].width, gs.HandCount[2], art.CardWidth);
  busy_ = true;
  const bool played = PlayerPlayCard(game, slot, xs[slot - 1]);
  busy_ = false;
  SyncTimer();
  return played;
}

void TForm1::ImageCards2MouseUp(QMouseEvent* e) {
  const int slot = table->HandSlotAt(2, e->position().toPoint().x());
  if (slot == 0) return;
  if (e->button() == Qt::RightButton) {
    table->SayCard(game.gs.Hand[2][slot], false);
    return;
  }
  if (e->button() == Qt::LeftButton) {
    if (settings.SaluteCards && game.gs.DealPhase == 2 && game.gs.Turn == 2) TouchEffect();
    PlaySlot(slot);
  }
}

void TForm1::ImageCards2MouseMove(QMouseEvent* e) {
  const GameState& gs = game.gs;
  const bool mayPlay = gs.DealActive && gs.DealPhase == 2 && gs.Turn == 2;
  const bool overCard = table->HandSlotAt(2, e->position().toPoint().x()) != 0;
  table->ImageCards[2]->setCursor(mayPlay && overCard ? CurHand : CurArrow);
}

void TForm1::ImageCards1MouseUp(QMouseEvent* e) {
  if (e->button() != Qt::RightButton || !game.gs.DealOver) return;
  const int slot = table->HandSlotAt(1, e->position().toPoint().x());
  if (slot) table->SayCard(game.gs.Hand[1][slot], false);
}

void TForm1::ImageStolMouseUp(QMouseEvent* e) {
  if (e->button() != Qt::RightButton) return;
  const int seat = e->position().y() < ScaleLen(Factors, 100) ? 1 : 2;
  const CardCode c = game.gs.Table[seat == game.gs.Leader ? 1 : 2];
  if (FaceSlot(c) > 0) table->SayCard(c, false);
}

void TForm1::ImageKolodaMouseUp(QMouseEvent* e) {
  if (e->button() != Qt::RightButton) return;
  const QPoint p = e->position().toPoint();
  // Only the part of the trump card the stack of backs leaves open speaks.
  if (OverVisibleTrump(Factors, p.x(), p.y(), art.CardShiftX, art.CardWidth, art.CardHeight,
                       game.gs.DeckNext))
    table->SayCard(game.gs.Deck[40], false);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e) {
  if (IntroRunning) return;
  // Over the hands, the table and the deck the right button speaks cards instead.
  if (table->TableShown()) {
    const QPoint p = e->pos();
    for (QWidget* w : std::initializer_list<QWidget*>{table->ImageCards[1], table->ImageCards[2],
                                                      table->ImageStol, table->ImageKoloda})
      if (w->geometry().contains(p)) return;
  }
  PopupMenu1->popup(e->globalPos());
}

bool TForm1::QuitClick() {
  if (busy_ || !table->TableShown()) return false;
  game.Play("WOpenFo", false);
  const QString text = W(WordId::YouWantToLeaveInTheMainMenu) + "\n" + W(WordId::AllDatasForWantOfItWillBeLost);
  if (!Confirm || !Confirm(text)) return false;
  const uint8_t slot = game.opt.PlayerSlot;
  RemoveAbandonedLine(slot);
  if (game.opt.NetGame) peer->CloseLink();
  if (slot == kSlotAccount) account.EndRatedSeries();  // the charge stays booked
  ReturnToMenu();
  return true;
}

void TForm1::ReturnToMenu() {
  thinker_.Cancel();
  FinishRecording();
  if (game.opt.Recording) {
    game.opt.Recording = false;
    art.LoadBackground(settings.MenuDesign);
  }
  game.gs.DealActive = false;
  game.TimerEnabled = false;
  table->SetButtonsVisible(false);
  table->ShowTable(false);
  for (QAction* a : {Quit, GenCount, ChangeName}) a->setEnabled(false);
  if (settings.MusicOn) sound->PlayMusic(true);
  LayoutMenuScreen();
  Timer1.setInterval(20);
  Timer1.start();
}

void TForm1::GenCountClick() {
  if (!table->TableShown()) return;
  if (OpenCount) OpenCount();
}

void TForm1::ChangeNameClick() {
  if (busy_ || !table->TableShown() || !AskName) return;
  const uint8_t slot = game.opt.PlayerSlot;
  if (slot < 1 || slot > 5) return;
  const std::string name = AskName(game.player.Name);
  if (name.find_first_not_of(' ') == std::string::npos) return;
  // The new name is filed with the series; the old line goes then.
  std::string padded = name.substr(0, 20);
  padded.resize(20, ' ');
  game.player.Name = padded;
  game.SeatName[2] = padded.substr(0, padded.find_last_not_of(' ') + 1);
  table->DrawNamePlate(2, game.SeatName[2], 'y');
}

void TForm1::MSpeedClick() {
  if (OpenSpeed) OpenSpeed();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
  if (IntroRunning || !table->TableShown()) {
    QWidget::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
      PlaySlot(e->key() - Qt::Key_0);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (table->Button7->isVisible() && table->Button7->isEnabled()) Button7Click();
      return;
    case Qt::Key_Escape:
      QuitClick();
      return;
    default:
      QWidget::keyPressEvent(e);
  }
}

void TForm1::closeEvent(QCloseEvent* e) {
  if (busy_) {
    e->ignore();
    return;
  }
  if (!StartUpFailed && table->TableShown() && game.gs.DealActive) {
    game.Play("WOpenFo", false);
    const QString text = W(WordId::YouWantToLeaveFromGame) + " " + W(WordId::AllDatasForWantOfItWillBeLost);
    if (!Confirm || !Confirm(text)) {
      e->ignore();
      return;
    }
    RemoveAbandonedLine(game.opt.PlayerSlot);
  }
  Timer1.stop();
  Timer2.stop();
  thinker_.Cancel();
  peer->CloseLink();
  FinishRecording();
  if (!StartUpFailed && !FirstPaint) {
    SaveSettingsOrTell();
    sound->DeleteMusicFile();
  }
  e->accept();
}

// --- Options ---

void TForm1::Button10Click() {
  if (OpenOptions) {
    OpenOptions();
    return;
  }
  game.Play("WOpenFo", false);
  TFormOptions options(settings, *this, ProgramFolder, &art, this);
  options.OpenSpeedWindow = [this] { MSpeedClick(); };
  options.OpenPassport = OpenPassport;
  // The libraries are fetched from the site that serves the service directory.
  const std::string& dir = webAddresses.directory;
  const size_t cut = dir.rfind('/');
  options.DownloadBaseUrl = cut != std::string::npos && cut > dir.find("//") + 1 ? dir.substr(0, cut) : dir;
  options.exec();
  SaveSettingsOrTell();
}

bool TForm1::SaveSettingsOrTell() {
  if (SaveSettings(ProgramFolder, settings)) return true;
  if (Inform) Inform(W(WordId::CantSaveOptions));
  return false;
}

void TForm1::RemoveAbandonedLine(uint8_t slot) {
  if (slot < 1 || slot > 5) return;
  const std::string path = ProgramFolder + (game.opt.NetGame ? kNetListName : kClubListName);
  TellListStatus(RemovePlayerLine(path, slot), path);
}

void TForm1::TellListStatus(ListStatus status, const std::string& path) {
  if (!Inform) return;
  switch (status) {
    case ListStatus::Ok: return;
    case ListStatus::WriteError: Inform(W(WordId::ErrorOfDiskWriting)); return;
    case ListStatus::Missing:
      Inform(QString::fromStdString(FileMessage(WordUtf8(WordId::CantFindTheFile), path)));
      return;
    case ListStatus::Incorrect:
      Inform(QString::fromStdString(FileMessage(WordUtf8(WordId::TheIncorrectFile), path)));
      return;
  }
}

void TForm1::SoundChanged() { game.opt.SoundOn = settings.SoundOn; }

void TForm1::MusicChanged() { sound->PlayMusic(settings.MusicOn); }

void TForm1::GifAnimationChanged() {
  for (QMovie* m : {Gif1, Gif2}) {
    if (!m) continue;
    if (settings.GifAnimation && MenuShown) {
      m->start();
    } else {
      m->setPaused(true);
    }
  }
}

void TForm1::FlyCardsChanged() { game.opt.OptFlyCards = settings.OptFlyCards; }

void TForm1::ButtonsChanged() {
  if (MenuShown) LayoutMenuScreen();
}

void TForm1::NetGameChanged() {
  if (MenuShown) LayoutMenuScreen();
}

bool TForm1::ReloadFaces() {
  art.FaceDesign = settings.FaceDesign;
  art.UpdateCardSize();
  const bool ok = art.LoadFaceDesign();
  if (!ok) settings.FaceDesign = art.FaceDesign = 0;
  art.CardShiftX = (art.WideDesign || SmallWindow()) ? 0 : 5;
  if (table->TableShown()) {
    table->SetFactors(Factors, SmallWindow());
    table->RedrawAll();
  }
  return ok;
}

bool TForm1::ReloadBacks() {
  art.BackSet = settings.BackSet;
  art.AlwaysOneBack = settings.BackAlwaysOne;
  const bool ok = art.LoadBackSet();
  if (!ok) settings.BackSet = art.BackSet = 0;
  art.ChooseBackOfDay();
  if (table->TableShown()) table->RedrawAll();
  return ok;
}

void TForm1::BackModeChanged() {
  art.AlwaysOneBack = settings.BackAlwaysOne;
  art.ChooseBackOfDay();
  if (table->TableShown()) table->RedrawAll();
}

bool TForm1::ReloadBackground() {
  art.BgPattern = settings.BgPattern;
  art.BgColour = settings.BgColour;
  const bool library = table->TableShown() ? settings.TableDesign : settings.MenuDesign;
  const bool ok = art.LoadBackground(library);
  settings.BgPattern = art.BgPattern;
  settings.BgColour = art.BgColour;
  if (table->TableShown()) {
    table->RedrawAll();
  } else if (MenuShown) {
    LayoutMenuScreen();
  }
  update();
  return ok;
}

void TForm1::RulesChanged() {
  // A running deal keeps its rules; the next one takes the new ones.
  if (!game.gs.DealActive) {
    game.opt.OptBlackHand = settings.OptBlackHand;
    game.opt.OptReplaceDeuce = settings.OptReplaceDeuce;
  }
  game.opt.Opponent = settings.Opponent;
}

void TForm1::FontsChanged() {
  table->SetFactors(Factors, SmallWindow());
  if (table->TableShown()) {
    table->RedrawAll();
  } else if (MenuShown) {
    LayoutMenuScreen();
  }
}

void TForm1::DesignChanged() { ReloadBackground(); }

void TForm1::ShowMissingFile(const std::string& fileName) {
  if (art.Notice) art.Notice({W(WordId::CantFindTheFile) + " " + QString::fromStdString(fileName)});
}

// --- The game recorder ---

void WindowHooks::RecordFinalFrame() {
  form_.recorder.GrabFrame();
  form_.FinishRecording();
}

void TForm1::StartRecording() {
  if (!game.opt.Recording || !table->TableShown()) return;
  recorder.Start(
      [this](RecordedFrame* frame) {
        QImage img;
        if (settings.RecordMode == 2) {
          const QPoint at = Stage->mapToGlobal(QPoint(0, 0));
          if (QScreen* s = screen()) img = s->grabWindow(0, at.x(), at.y(), Stage->width(), Stage->height()).toImage();
        } else {
          img = Stage->grab().toImage();
        }
        // The animation has the window's size in window pixels on any screen.
        if (!img.isNull() && img.size() != Stage->size())
          img = img.scaled(Stage->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (img.isNull()) return false;
        img = img.convertToFormat(QImage::Format_RGB888);
        frame->width = img.width();
        frame->height = img.height();
        frame->rgb.resize(size_t(img.width()) * img.height() * 3);
        for (int y = 0; y < img.height(); ++y)
          std::memcpy(frame->rgb.data() + size_t(y) * img.width() * 3, img.constScanLine(y), size_t(img.width()) * 3);
        return true;
      },
      settings.FrameDelay);
  recorder.GrabFrame();
  TimerGIF.start();
}

void TForm1::FinishRecording() {
  TimerGIF.stop();
  if (!recorder.Recording()) return;
  // The notice stands while the animation is written.
  QLabel notice(Stage);
  notice.setGeometry((Stage->width() - 175) / 2, (Stage->height() - 40) / 2, 175, 40);
  notice.setAlignment(Qt::AlignCenter);
  notice.setText(W(WordId::CreatingAGif));
  notice.setStyleSheet("color: red; font-weight: bold; background: #f4ecd0; border: 2px solid #806020;");
  notice.show();
  notice.repaint();
  const std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  recorder.Finish(ProgramFolder, now);
}

// --- Cursors ---

void TForm1::LoadCursors() {
  auto frame = [](const QString& path, QPoint hot, Qt::CursorShape fallback) {
    QImage img(path);
    if (img.isNull()) return QCursor(fallback);
    // Animated cursors are strips of square frames.
    if (img.width() > img.height()) img = img.copy(0, 0, img.height(), img.height());
    return QCursor(QPixmap::fromImage(img), hot.x(), hot.y());
  };
  CurArrow = frame(":/CURSOR/CURARROW", {1, 1}, Qt::ArrowCursor);
  CurHand = frame(":/ANICURSOR/CURHAND", {10, 1}, Qt::PointingHandCursor);
  CurWait = frame(":/ANICURSOR/CURWAIT", {16, 16}, Qt::WaitCursor);
  CurEdit = frame(":/ANICURSOR/CUREDIT", {16, 16}, Qt::IBeamCursor);
}

void TForm1::ApplyCursors() {
  if (!settings.OwnCursor) {
    CurArrow = QCursor(Qt::ArrowCursor);
    CurHand = QCursor(Qt::PointingHandCursor);
    CurWait = QCursor(Qt::WaitCursor);
    CurEdit = QCursor(Qt::IBeamCursor);
  } else {
    LoadCursors();
  }
  setCursor(CurArrow);
  table->Edit1->setCursor(CurEdit);
}

void TForm1::CursorChanged() { ApplyCursors(); }

// --- The touch effect: a burst drawn at the mouse ---

void TForm1::TouchEffect() {
  ResourceSource graph(QString::fromStdString(ProgramFolder));
  if (!graph.Open(kGraphLibrary)) return;
  const QImage strip = graph.Read("RCDATA", "GTouch");
  graph.Close();
  if (strip.width() < 100 || strip.height() < 100) return;
  // A see-through window over the pointer stands in for drawing on the desktop.
  QWidget burst(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  burst.setAttribute(Qt::WA_TranslucentBackground);
  burst.setAttribute(Qt::WA_TransparentForMouseEvents);
  burst.setGeometry(QRect(QCursor::pos() - QPoint(50, 50), QSize(100, 100)));
  QLabel frame(&burst);
  frame.setGeometry(0, 0, 100, 100);
  burst.show();
  const int frames = std::min(30, strip.width() / 100);
  for (int k = 0; k < frames; ++k) {
    frame.setPixmap(QPixmap::fromImage(strip.copy(100 * k, 0, 100, 100)));
    frame.repaint();
    QThread::msleep(12);
  }
}

// --- The web account ---

void TForm1::StartUpWeb() {
  // 7: the launch report; 8: the remembered login.
  if (ReportLaunch(web, settings, false)) SaveSettingsOrTell();
  account.StartUpLogin();
}

bool TForm1::BeginRatedSeries() {
  const AccountState before = account.State;
  const std::string nick = account.User.Nick;
  if (OpenAccount) OpenAccount(true);
  if (account.State == AccountState::RatedPlay) {
    if (account.BookRatedStart()) {
      books.Account = account.Game;
      books.LoggedIn = true;
      return true;
    }
    if (Inform) Inform(W(WordId::CouldNotConnectToServer));
    account.State = AccountState::Guest;
    ShowPlayerListOnMenu();
    return false;
  }
  if (account.State != before || account.User.Nick != nick) ShowPlayerListOnMenu();
  return false;
}

void TForm1::DrawInfoDial() {
  const int mode = DialMode(QTime::currentTime().minute());
  const DialReading d = ReadDial(mode, account, DialWords());
  ImClock2->picture = zarnet::DrawInfoDial(d, mode, [](const QString& name) { return ProgramPicture(name); });
  ImClock2->setToolTip(DisplayText(d.hint));
  ImClock2->update();
}

}  // namespace zarnet
