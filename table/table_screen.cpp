#include "table_screen.h"

#include <QApplication>
#include <QPaintEvent>
#include <QThread>
#include <QToolTip>

#include "codec.h"
#include "words.h"

namespace zarnet {

namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = s[i];
    int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (n < 0 || i + n >= s.size()) return false;
    for (int k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n + 1;
  }
  return true;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
  // Cp1251 names are almost never valid UTF-8; word-table texts always are.
  if (ValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size()));
  return QString::fromStdString(Cp1251ToUtf8(bytes));
}

TFlightLayer::TFlightLayer(QWidget* parent, const CardFlight* flight)
    : QWidget(parent), flight_(flight) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void TFlightLayer::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  // An uncovered window shows the table without the moving card.
  const bool whole = e->rect() == rect();
  const QImage& img = whole ? flight_->CleanBuffer() : flight_->WorkBuffer();
  const double k = flight_->DevicePixelRatio();
  const QRect r = e->rect();
  if (!img.isNull()) p.drawImage(QRectF(r), img, QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k));
  ++FramesPainted;
  if (OnFramePainted) OnFramePainted();
}

TTableScreen::TTableScreen(QWidget* host, Game& game, CardArt& art, Settings& settings)
    : flight(art, {}), host_(host), game_(game), art_(art), settings_(settings) {
  look.art = &art;
  auto area = [host] {
    auto* a = new TImageArea(host);
    a->hide();
    return a;
  };
  for (int s = 1; s <= 4; ++s) {
    ImageCards[s] = area();
    ImageTab[s] = area();
    ImageSay[s] = area();
    ImTimer[s] = area();
  }
  for (int s = 1; s <= 2; ++s)
    ImageSay[s]->ToolTip = [this, s](QHelpEvent* e) {
      const QString balloon = PlateBalloon(s);
      if (balloon.isEmpty()) {
        QToolTip::hideText();
        e->ignore();
      } else {
        QToolTip::showText(e->globalPos(), balloon, ImageSay[s]);
      }
      return true;
    };
  ImageStol = area();
  ImageKoloda = area();
  ImageKon = area();
  ImageMemo = area();
  Edit1 = new QLineEdit(host);
  Edit1->hide();
  BitBtn1 = new TKuvCardsButton(host);
  BitBtn1->setText(">");
  BitBtn1->hide();
  Button7 = new TKuvCardsButton(host);
  Button8 = new TKuvCardsButton(host);
  // A player must see at a glance which of the two is offered now.
  for (TKuvCardsButton* b : {Button7, Button8, BitBtn1}) b->SetGrayDis(true);
  Button7->hide();
  Button8->hide();
  FlightLayer = new TFlightLayer(host, &flight);
  flight.SetWindow(FlightWindow{
                               [this] {
                                 return host_->grab().toImage();
                               },
                               [this](const QImage&, const QRect& r) {
                                 if (!FlightLayer->isVisible()) {
                                   FlightLayer->setGeometry(host_->rect());
                                   FlightLayer->raise();
                                   FlightLayer->show();
                                 }
                                 FlightLayer->repaint(r);
                               },
                               [this](int ms) {
                                 if (PauseScale > 0) QThread::msleep(ms);
                               }});
}

QString TTableScreen::PlateBalloon(int seat) const {
  if (!game_.opt.OnlineGame || !PlatePicture || seat < 1 || seat > 2) return {};
  const QString file = PlatePicture(seat);
  if (file.isEmpty() || QImage(file).isNull()) return {};
  return "<img src=\"" + file.toHtmlEscaped() + "\">";
}

void TTableScreen::Place(QWidget* w, const Rect& r) { w->setGeometry(r.left, r.top, r.width, r.height); }

void TTableScreen::SetFactors(const ScaleFactors& f, bool smallWindow) {
  look.f = f;
  look.smallWindow = smallWindow;
  look.dpr = host_->devicePixelRatioF();
  look.fonts = settings_.Fonts;
  layout = LayoutTable(f, art_.CardHeight);
  for (int s = 1; s <= 2; ++s) {
    Place(ImageCards[s], layout.hand[s]);
    Place(ImageTab[s], layout.scorePanel[s]);
    Place(ImageSay[s], layout.namePlate[s]);
    Place(ImTimer[s], layout.turnTimer[s]);
  }
  Place(ImageStol, layout.table);
  Place(ImageKoloda, layout.deck);
  Place(ImageKon, layout.dealCounter);
  Place(ImageMemo, layout.memo);
  Place(Edit1, layout.edit);
  Place(BitBtn1, layout.sendButton);
  QFont ef = Edit1->font();
  ef.setPixelSize(std::max(8, look.len(14)));
  Edit1->setFont(ef);
  // The game buttons stand between the deck and the message panel.
  Place(Button7, {CellLeft(f, 615, 135), CellTop(f, 303, 30), look.len(135), look.len(30)});
  Place(Button8, {CellLeft(f, 615, 135), CellTop(f, 337, 30), look.len(135), look.len(30)});
  ApplyButtonLook();
}

void TTableScreen::ApplyButtonLook() {
  const double h = FontHeight(20, settings_.Fonts[0].percentage) * look.f.Scale *
                   (look.smallWindow ? 1.0 : 0.9);
  for (TKuvCardsButton* b : {Button7, Button8}) {
    QFont font(QString::fromStdString(settings_.Fonts[0].name));
    font.setPixelSize(std::max(8, Whole(h * 0.8)));
    font.setBold(b == Button8);
    b->setFont(font);
    b->SetColorSB(settings_.TableDesign ? TColorSB::DCards : TColorSB::DRed);
    b->SetFontColor(settings_.TableDesign ? LibraryCaptionColour() : QColor(Qt::white));
    b->SetColorMouse(FromBgr(0x00FFFF));
  }
}

void TTableScreen::ShowTable(bool shown) {
  shown_ = shown;
  for (int s = 1; s <= 2; ++s) {
    ImageCards[s]->setVisible(shown);
    ImageTab[s]->setVisible(shown);
    ImageSay[s]->setVisible(shown);
    ImTimer[s]->setVisible(shown && TimeLimits);
  }
  for (QWidget* w : {static_cast<QWidget*>(ImageStol), static_cast<QWidget*>(ImageKoloda),
                     static_cast<QWidget*>(ImageKon), static_cast<QWidget*>(ImageMemo)})
    w->setVisible(shown);
  // The message line belongs to games with a person at the other seat.
  const bool chat = shown && (game_.opt.NetGame || game_.opt.OnlineGame);
  Edit1->setVisible(chat);
  BitBtn1->setVisible(chat);
  if (!shown) {
    Button7->hide();
    Button8->hide();
  }
}

void TTableScreen::RefreshArea(TImageArea* a, const Rect& r) {
  (void)r;
  a->Refresh();
}

int TTableScreen::HandSlotAt(int seat, int x) const {
  const GameState& gs = game_.gs;
  const int n = gs.HandCount[seat];
  if (n <= 0) return 0;
  const std::vector<int> xs = LayoutHand(layout.hand[seat].width, n, art_.CardWidth);
  // Later cards lie over earlier ones where they overlap.
  for (int i = n; i >= 1; --i) {
    if (gs.Hand[seat][i] == EmptyCard) continue;
    if (x >= xs[i - 1] && x < xs[i - 1] + art_.CardWidth) return i;
  }
  return 0;
}

void TTableScreen::RedrawAll() {
  const GameState& gs = game_.gs;
  // A design chosen while the table is shown takes the buttons along.
  ApplyButtonLook();
  DrawHand(1, game_.RevealSeat1);
  DrawHand(2, true);
  DrawTableCards();
  // Place 1 holds the led card.
  for (int place = 1; place <= 2; ++place) {
    const int seat = place == 1 ? gs.Leader : 3 - gs.Leader;
    if (FaceSlot(gs.Table[place]) > 0 && (seat == 1 || seat == 2)) DrawCard(TableArea::Table, seat, gs.Table[place]);
  }
  if (gs.DealActive) DrawDeckPanel(gs.Deck[40], gs.Trump, gs.DeckNext);
  for (int s = 1; s <= 2; ++s) {
    const PanelState& p = panels[s];
    DrawScorePanel(s, p.marked ? kMarkSeat : kUnmarkSeat, true, p.seriesScore, p.trickGain, p.dealPoints);
    ImageSay[s]->picture = AreaWithBackground(look, layout.namePlate[s]);
    DrawNamePlateArea(look, ImageSay[s]->picture, layout.namePlate[s], plateName[s], plateColour[s]);
    ImageSay[s]->Refresh();
  }
  DrawDealCounter();
  ImageMemo->picture = AreaWithBackground(look, layout.memo);
  memo.Draw(look, ImageMemo->picture, layout.memo);
  ImageMemo->Refresh();
}

// --- TableView ---

void TTableScreen::DrawHand(int seat, bool reveal) {
  if (seat < 1 || seat > 2) return;
  ArrangeHand(game_.gs, seat);
  TImageArea* a = ImageCards[seat];
  a->picture = AreaWithBackground(look, layout.hand[seat]);
  DrawHandArea(look, a->picture, layout.hand[seat], game_.gs, seat, seat == 2 || reveal);
  a->Refresh();
}

void TTableScreen::DrawTableCards() {
  ImageStol->picture = AreaWithBackground(look, layout.table);
  ImageStol->Refresh();
}

void TTableScreen::DrawCard(TableArea, int position, CardCode card) {
  if (ImageStol->picture.isNull()) ImageStol->picture = AreaWithBackground(look, layout.table);
  art_.DrawCard(look.len(5), look.len(position == 1 ? 2 : 102), card, ImageStol->picture);
  ImageStol->Refresh();
}

void TTableScreen::DrawDeckPanel(CardCode trumpCard, char trumpSuit, int deckNext) {
  ImageKoloda->picture = AreaWithBackground(look, layout.deck);
  DrawDeckPanelArea(look, ImageKoloda->picture, layout.deck, trumpCard, trumpSuit, deckNext);
  ImageKoloda->Refresh();
}

void TTableScreen::DrawScorePanel(int seat, int marker, bool full, int seriesScore, int trickGain,
                                  int dealPoints) {
  if (seat < 1 || seat > 2) return;
  PanelState& st = panels[seat];
  if (marker == kMarkSeat) st.marked = true;
  if (marker == kUnmarkSeat) st.marked = false;
  if (seriesScore != kKeepField) st.seriesScore = seriesScore;
  if (trickGain != kKeepField) st.trickGain = trickGain;
  if (dealPoints != kKeepField) st.dealPoints = dealPoints;
  TImageArea* a = ImageTab[seat];
  if (a->picture.size() != QSize(layout.scorePanel[seat].width, layout.scorePanel[seat].height)) {
    a->picture = AreaWithBackground(look, layout.scorePanel[seat]);
    full = true;
  }
  DrawScorePanelArea(look, a->picture, layout.scorePanel[seat], marker, full, seriesScore, trickGain,
                     dealPoints);
  a->Refresh();
}

void TTableScreen::DrawNamePlate(int seat, std::string_view name, char colour) {
  if (seat < 1 || seat > 2) return;
  plateName[seat] = DisplayText(name);
  plateColour[seat] = colour;
  TImageArea* a = ImageSay[seat];
  a->picture = AreaWithBackground(look, layout.namePlate[seat]);
  DrawNamePlateArea(look, a->picture, layout.namePlate[seat], plateName[seat], colour);
  a->Refresh();
}

void TTableScreen::DrawTurnTimer(int seat, int seconds) {
  if (!TimeLimits || seat < 1 || seat > 2) return;
  TImageArea* a = ImTimer[seat];
  a->picture = AreaWithBackground(look, layout.turnTimer[seat]);
  DrawTurnTimerArea(look, a->picture, layout.turnTimer[seat], seconds);
  a->Refresh();
}

void TTableScreen::DrawDealCounter() {
  ImageKon->picture = AreaWithBackground(look, layout.dealCounter);
  DrawDealCounterArea(look, ImageKon->picture, layout.dealCounter, W(WordId::Game),
                      game_.gs.KonNo - game_.gs.KonAtStart);
  ImageKon->Refresh();
}

void TTableScreen::AddMessageLine(int source, std::string_view text) {
  memo.Add(look, source, DisplayText(text));
  RedrawMemo();
}

void TTableScreen::RedrawMemo() {
  ImageMemo->picture = AreaWithBackground(look, layout.memo);
  memo.Draw(look, ImageMemo->picture, layout.memo);
  ImageMemo->Refresh();
}

void TTableScreen::ShowDealResult(int winner, int points1, int points2) {
  // Two lines, the points before the name: a long name is what the panel cuts.
  const int source = winner == 2 ? 3 : winner == 1 ? 1 : 4;
  const int first = winner == 1 ? points1 : points2, second = winner == 1 ? points2 : points1;
  const QString score = QString("%1:%2").arg(first).arg(second);
  const QString who = winner == 0 ? QString() : " " + DisplayText(game_.SeatName[winner]);
  memo.Add(look, source, " " + W(winner == 0 ? WordId::DealDrawn : WordId::DealWinner));
  memo.Add(look, source, " " + score + who);
  RedrawMemo();
}

void TTableScreen::ChooseBackOfDay() { art_.ChooseBackOfDay(); }

void TTableScreen::LayoutTableScreen() {
  ShowTable(true);
  if (OnTableLaidOut) OnTableLaidOut();
  ImageMemo->picture = AreaWithBackground(look, layout.memo);
  memo.Draw(look, ImageMemo->picture, layout.memo);
  ImageMemo->Refresh();
}

void TTableScreen::LayoutMenuScreen() {
  ShowTable(false);
  if (OnLayoutMenu) OnLayoutMenu();
}

void TTableScreen::FlyCard(int x0, int y0, int x1, int y1, CardCode card, bool erase) {
  if (OnFlightBegins) OnFlightBegins({x0, y0}, {x1, y1});
  LastFlightSteps = flight.FlyCard(x0, y0, x1, y1, card, erase, std::clamp(settings_.FlySpeed, 1, 6));
  FlightLayer->hide();
}

void TTableScreen::PlayEffect(std::string_view name, bool wait, bool enabled) {
  if (OnPlayEffect) OnPlayEffect(name, wait, enabled);
}

bool TTableScreen::SayCard(CardCode card, bool wait) { return OnSayCard && OnSayCard(card, wait); }

void TTableScreen::Pause(int ms) {
  if (PauseScale <= 0) return;
  QThread::msleep(static_cast<unsigned long>(ms * PauseScale));
}

void TTableScreen::SetButtonText(GameButton button, ButtonText text) {
  QString s;
  switch (text) {
    case ButtonText::ToBegin: s = W(WordId::ToBegin); break;
    case ButtonText::Ok: s = W(WordId::Ok); break;
    case ButtonText::NextGame: s = W(WordId::NextGame); break;
    case ButtonText::ExitToMenu: s = W(WordId::ExitToMenu); break;
    case ButtonText::ReplaceDeuce: s = W(WordId::ReplaceDeuce); break;
  }
  (button == GameButton::Upper ? upperText : lowerText) = text;
  TKuvCardsButton* b = button == GameButton::Upper ? Button7 : Button8;
  b->setText(s);
  b->repaint();
}

void TTableScreen::EnableButton(GameButton button, bool enabled) {
  TKuvCardsButton* b = button == GameButton::Upper ? Button7 : Button8;
  b->setEnabled(enabled);
  b->repaint();
}

void TTableScreen::SetButtonsVisible(bool visible) {
  Button7->setVisible(visible);
  Button8->setVisible(visible);
}

void TTableScreen::EnableSeriesMenu(bool enabled) {
  if (OnSeriesMenu) OnSeriesMenu(enabled);
}

void TTableScreen::ShowHandNotice(int seat, std::string_view text) {
  if (seat < 1 || seat > 2) return;
  TImageArea* a = ImageCards[seat];
  a->picture = AreaWithBackground(look, layout.hand[seat]);
  QPainter p(&a->picture);
  p.setFont(RoleFont(look, FontRoleId::Serif, 18, true));
  p.setPen(Qt::yellow);
  p.drawText(a->picture.rect(), Qt::AlignCenter, DisplayText(text));
  p.end();
  a->Refresh();
}

Point TTableScreen::AnchorPoint(Anchor anchor, int seat, int slot) {
  return FlightAnchor(look.f, layout, anchor, seat, slot, art_.CardWidth, art_.CardHeight,
                      game_.gs.HandCount[seat]);
}

std::string TTableScreen::Text(EngineText text) {
  switch (text) {
    case EngineText::BlackHand: return WordUtf8(WordId::BlackHand);
    case EngineText::ExpectationOfServer: return WordUtf8(WordId::ExpectationOfTheServer);
  }
  return {};
}

void TTableScreen::Beep() { QApplication::beep(); }

}  // namespace zarnet
