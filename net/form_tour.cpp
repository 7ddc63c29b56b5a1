#include "form_tour.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "account.h"
#include "form_account.h"
#include "form_link.h"
#include "kuv_button.h"
#include "table_drawing.h"
#include "words.h"

namespace zarnet {

SeatButtonLook SeatButtonFor(const TKuvTable& table, int t, int seat, int myTable, int mySeat) {
  const TKuvSeat& s = table.Seat[seat];
  const bool holding = myTable != 0;
  const QString take = WordText(WordId::TakeThePlaceOf);
  if (s.Nick != "X") {
    if (seat == 1 && myTable == t && mySeat == 1) return {WordText(WordId::LogOff), true};
    return {FromFile(s.Nick) + " : " + QString::number(s.Score), false};
  }
  if (seat == 1 || table.Seat[1].Nick != "X") return {take, !holding};
  return {WordText(WordId::Free), false};
}

int WelcomeFontHeight(size_t length) {
  return length > 54 ? 20 : length > 39 ? 24 : 28;
}

TKuvClient FreeSeatRecord(char sex) {
  TKuvClient c;
  c.Nick = c.Country = c.City = c.IP = "X";
  c.Score = c.Kon = c.Rating = 0;
  c.Sex = sex;
  return c;
}

namespace {

// The gradient the results cells are painted with.
QString CellSheet() {
  return "QLabel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f0dc, stop:1 "
         "#c8bc8c);"
         " border: 1px solid #8a7a4a; padding: 2px 6px; color: #202020; }";
}

}  // namespace

TFTour::TFTour(TourService& service, OnlineTable& table, TKuvClient& myClient,
               const TourAccount& account, TourSeams seams, const FormStyle& style,
               QImage background, QWidget* parent)
    : TRecordDialog(parent),
      service_(service),
      online_(table),
      me_(myClient),
      seams_(std::move(seams)),
      style_(style),
      background_(std::move(background)) {
  setObjectName("TFTour");
  setWindowTitle(WordText(WordId::WorldOnlineTournament));
  QVBoxLayout* frame = MakeFrame(style);
  const QString rules = WordText(WordId::Rules) + "\n" + WordText(WordId::BlackHand) + ": " +
                        WordText(WordId::Yes) + "\n" + WordText(WordId::ChangeTheDeuce) + ": " +
                        WordText(WordId::Yes);

  auto* top = new QHBoxLayout;
  LabelWe = MakeLabel("LabelWe", QString(), style.Font(28), this);
  LabelWe->setWordWrap(true);
  Image3 = MakeLabel("Image3", QString(), style.Font(18, true), this);
  Image3->setFixedSize(style.Len(48), style.Len(48));
  Image3->setAlignment(Qt::AlignCenter);
  top->addWidget(LabelWe, 1);
  top->addWidget(Image3);
  frame->addLayout(top);

  auto* body = new QHBoxLayout;
  auto* grid = new QGridLayout;
  for (int t = 1; t <= 10; ++t) {
    const QString n = QString("%1").arg(t, 2, 10, QChar('0'));
    ButtonT[t] = MakeButton("ButtonT" + n, WordText(WordId::Table) + QString(" \u2116 %1").arg(t),
                            110, style, this);
    // A label in a button's dress: never pressed, so never greyed.
    ButtonT[t]->setEnabled(false);
    ButtonT[t]->SetGrayDis(false);
    ButtonTa[t] = MakeButton("ButtonT" + n + "a", QString(), 190, style, this);
    ButtonTb[t] = MakeButton("ButtonT" + n + "b", QString(), 190, style, this);
    for (int seat = 1; seat <= 2; ++seat) {
      TKuvCardsButton* b = SeatButton(t, seat);
      b->setToolTip(rules);
      connect(b, &QAbstractButton::clicked, this, [this, t, seat] { ClickSeat(t, seat); });
    }
    grid->addWidget(ButtonT[t], t - 1, 0);
    grid->addWidget(ButtonTa[t], t - 1, 1);
    grid->addWidget(ButtonTb[t], t - 1, 2);
  }
  body->addLayout(grid);

  auto* side = new QVBoxLayout;
  LabelPl = MakeLabel("LabelPl", WordText(WordId::MyResults), style.Font(22, true), this);
  side->addWidget(LabelPl);
  auto* results = new QGridLayout;
  results->setSpacing(0);
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= 2; ++c) {
      SG[r][c] = MakeLabel(QString("SG%1%2").arg(r).arg(c), QString(), style.Font(16), this);
      SG[r][c]->setStyleSheet(CellSheet());
      SG[r][c]->setMinimumWidth(style.Len(c == 1 ? 120 : 140));
      results->addWidget(SG[r][c], r - 1, c - 1);
    }
  Image1 = MakeLabel("Image1", QString(), style.Font(16), this);
  Image1->setFixedSize(style.Len(520), style.Len(6 * 43));
  side->addLayout(results);
  side->addWidget(Image1);
  side->addStretch(1);
  body->addLayout(side);
  frame->addLayout(body);
  Image1->setVisible(GraphicLook());
  if (GraphicLook()) {
    // Light text over the picture.
    for (QLabel* l : {LabelWe, LabelPl})
      l->setStyleSheet("QLabel { color: #f8e8a0; background: transparent; }");
  }
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= 2; ++c) SG[r][c]->setVisible(!GraphicLook());

  auto* buttons = new QHBoxLayout;
  ButtonUp = MakeButton("ButtonUp", WordText(WordId::Refresh), 120, style, this);
  ButtonUp->setToolTip(WordText(WordId::NumberGames) + " 2");
  ButtonTop = MakeButton("ButtonTop", WordText(WordId::Top10), 120, style, this);
  ButtonOk = MakeButton("ButtonOk", WordText(WordId::Close), 120, style, this);
  for (TKuvCardsButton* b : {ButtonUp, ButtonTop, ButtonOk}) buttons->addWidget(b);
  frame->addLayout(buttons);
  SetDefaultButton(ButtonOk);
  connect(ButtonUp, &QAbstractButton::clicked, this, [this] { Timer1Timer(); });
  connect(ButtonOk, &QAbstractButton::clicked, this, [this] { close(); });
  connect(ButtonTop, &QAbstractButton::clicked, this, [this] { ButtonTopClick(); });

  Timer1.setInterval(10000);
  Timer2.setInterval(1000);
  Timer48.setInterval(100);
  connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
  connect(&Timer48, &QTimer::timeout, this, [this] {
    if (GraphicLook()) update();
  });

  // Opening: the tables, a fresh link state, the player's record.
  RefreshLobby();
  Timer1.start();
  MyTable = MySeat = 0;
  online_.link.TableLinkState = 0;
  online_.ConnectionError = false;
  Timer2.start();
  Timer48.start();
  me_ = TKuvClient{};
  me_.Nick = account.Nick;
  int32_t kon = 0, rating = 0;
  bool known = false;
  me_.Score = service_.ReadTourRating(me_.Nick, &kon, &rating, &known);
  if (!known) me_.Score = 0;  // no answer: nothing known yet; a negative score is real
  me_.Kon = kon;
  me_.Rating = rating;
  me_.Country = account.Country;
  me_.City = account.City;
  me_.Sex = account.Sex;
  me_.IP = seams_.externalAddress ? seams_.externalAddress() : std::string("X");
  if (me_.IP.empty()) me_.IP = "X";
  ShowMyResults();
  online_.onCloseLobby = [this] { CloseForMatch(); };
}

TFTour::~TFTour() {
  online_.onCloseLobby = nullptr;
}

void TFTour::SeatsOff() {
  for (int t = 1; t <= 10; ++t)
    for (int seat = 1; seat <= 2; ++seat) {
      SeatButton(t, seat)->setText(WordText(WordId::ServerOff));
      SeatButton(t, seat)->setEnabled(false);
    }
}

void TFTour::FreeHeldSeat(char sex) {
  if (MyTable != 0) service_.SetSeat(MyTable, MySeat, 0, FreeSeatRecord(sex));
}

void TFTour::RefreshLobby() {
  const bool tablesOk = service_.ReadTables(&Tables);
  const bool infoOk = service_.ReadServerInfo(&ServerStatus, &WelcomeText);
  std::replace(WelcomeText.begin(), WelcomeText.end(), '_', ' ');
  TableServerAddress = Tables[1].IP;
  TableBasePort = Tables[1].Port - 1;
  const bool on = tablesOk && infoOk && ServerStatus == 'Y';
  if (on) {
    for (int t = 1; t <= 10; ++t)
      for (int seat = 1; seat <= 2; ++seat) {
        const SeatButtonLook look = SeatButtonFor(Tables[t], t, seat, MyTable, MySeat);
        SeatButton(t, seat)->setText(look.caption);
        SeatButton(t, seat)->setEnabled(look.enabled);
      }
  } else {
    SeatsOff();
    if (MyTable != 0) {
      FreeHeldSeat('X');
      online_.LeaveSeat();
      online_.link.TableLinkState = 0;
      MyTable = MySeat = 0;
    }
  }
  const bool up = ServerStatus == 'Y';
  const QImage state = ProgramPicture(up ? "GTourOn" : "GTourOff");
  if (!state.isNull()) {
    Image3->setPixmap(QPixmap::fromImage(
        state.scaled(Image3->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  } else {
    Image3->setText(up ? WordText(WordId::On) : WordText(WordId::Off));
    Image3->setStyleSheet(up ? "QLabel { background: #2a9a3a; color: white; border-radius: 6px; }"
                             : "QLabel { background: #9a2a2a; color: white; border-radius: 6px; }");
  }
  Image3->setToolTip(WordText(up ? WordId::ServerOn : WordId::ServerOff) + "\n" +
                     WordText(WordId::Server) + ": " +
                     (up ? WordText(WordId::On) : WordText(WordId::Off)));
  const QString welcome = infoOk ? FromFile(WelcomeText) : WordText(WordId::NoConnect);
  LabelWe->setText(welcome);
  LabelWe->setFont(style_.Font(WelcomeFontHeight(size_t(welcome.size()))));
  const bool locked = MyTable != 0 && on;
  for (TKuvCardsButton* b : {ButtonUp, ButtonOk, ButtonTop}) b->setEnabled(!locked);
}

void TFTour::ShowMyResults() {
  const int place = service_.ReadTourPlace('s', me_.Score);
  const QString rows[7][2] = {
      {},
      {WordText(WordId::Nick), FromFile(me_.Nick)},
      {WordText(WordId::YourScore), QString::number(me_.Score)},
      {WordText(WordId::YourPlace),
       place < 0 ? WordText(WordId::NoConnect) : QString::number(place)},
      {WordText(WordId::Rating), QString::number(me_.Rating)},
      {WordText(WordId::Game), QString::number(me_.Kon)},
      {WordText(WordId::City), FromFile(me_.City)},
  };
  for (int r = 1; r <= 6; ++r) {
    SG[r][1]->setText(rows[r][0] + ":");
    SG[r][2]->setText(rows[r][1]);
  }
  if (GraphicLook()) {
    QImage img(Image1->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setFont(style_.Font(22, true));
    p.setPen(QColor(0xf8, 0xe8, 0xa0));
    for (int r = 1; r <= 6; ++r) {
      const int y = style_.Len((r - 1) * 43 + 30);
      p.drawText(style_.Len(10), y, rows[r][0] + ":");
      p.drawText(style_.Len(310), y, rows[r][1]);
    }
    p.end();
    Image1->setPixmap(QPixmap::fromImage(img));
  }
}

void TFTour::ClickSeat(int table, int seat) {
  if (table < 1 || table > 10 || (seat != 1 && seat != 2)) return;
  if (MyTable == table && MySeat == seat) {
    if (service_.SetSeat(table, seat, 2, FreeSeatRecord('X')) != 0) {
      Play("WWrongs");
      return;
    }
    MyTable = MySeat = 0;
    online_.LeaveSeat();
    RefreshLobby();
    online_.link.TableLinkState = 0;
    return;
  }
  if (MyTable != 0) return;  // one seat at a time
  auto sit = [&] {
    if (service_.SetSeat(table, seat, 1, me_) != 0) {
      Play("WWrongs");
      return;
    }
    MyTable = table;
    MySeat = seat;
    online_.ConnectTable(table, seat, QString::fromStdString(TableServerAddress),
                         quint16(TableBasePort + table));
  };
  if (seat == 1) {
    sit();
  } else {
    TKuvClient first;
    service_.ReadSeat(table, 1, &first);
    if (first.IP == me_.IP && TableServerAddress != "127.0.0.1") {
      if (seams_.notice)
        seams_.notice({WordText(WordId::ThisTableIsAlreadyOccupiedByAPlayerWithYourIp)});
      return;
    }
    sit();
  }
  RefreshLobby();
}

void TFTour::CloseForMatch() {
  MyTable = MySeat = 0;
  Timer1.stop();
  Timer2.stop();
  Timer48.stop();
  accept();
}

void TFTour::Timer1Timer() {
  ShowMyResults();
  RefreshLobby();
}

void TFTour::Timer2Timer() {
  if (!online_.ConnectionError) return;
  online_.ConnectionError = false;
  if (seams_.message) seams_.message(WordText(WordId::ServerConnectionError));
  if (MyTable != 0) {
    FreeHeldSeat('M');
    if (MySeat == 1) service_.SetSeat(MyTable, 2, 0, FreeSeatRecord('M'));
  }
  online_.link.TableLinkState = 0;
  MyTable = MySeat = 0;
  RefreshLobby();
}

void TFTour::ButtonTopClick() {
  if (GraphicLook() && seams_.openWorldTopTen) {
    seams_.openWorldTopTen();
    return;
  }
  TFormTourTop10 top(service_, me_, style_, this);
  top.exec();
}

void TFTour::closeEvent(QCloseEvent* e) {
  if (MyTable != 0) {
    e->ignore();
    return;
  }
  Timer1.stop();
  Timer2.stop();
  Timer48.stop();
  TRecordDialog::closeEvent(e);
}

void TFTour::reject() {
  if (MyTable != 0) return;  // Escape does not leave a held seat
  TRecordDialog::reject();
}

void TFTour::paintEvent(QPaintEvent* e) {
  if (GraphicLook()) {
    QPainter p(this);
    p.drawImage(rect(), background_);
  }
  TRecordDialog::paintEvent(e);
}

// --- Tournament top ten ---------------------------------------------------

char TFormTourTop10::Kind = 's';

TFormTourTop10::TFormTourTop10(TourService& service, const TKuvClient& me, const FormStyle& style,
                               QWidget* parent)
    : TRecordDialog(parent), service_(service), me_(me), style_(style) {
  setObjectName("TFormTourTop10");
  setWindowTitle(WordText(WordId::OnlineTopTen));
  QVBoxLayout* frame = MakeFrame(style);
  frame->addWidget(MakeLabel("Heading", WordText(WordId::OnlineTopTen), style.Font(26, true), this),
                   0, Qt::AlignHCenter);
  auto* rg = new QHBoxLayout;
  const WordId names[3] = {WordId::Score, WordId::Rating, WordId::Games};
  const char kinds[3] = {'s', 'r', 'k'};
  for (int i = 0; i < 3; ++i) {
    RG[i] = new QRadioButton(WordText(names[i]), this);
    RG[i]->setObjectName(QString("RG%1").arg(i));
    RG[i]->setFont(style.Font(16));
    RG[i]->setChecked(Kind == kinds[i]);
    const char k = kinds[i];
    connect(RG[i], &QRadioButton::toggled, this, [this, k](bool on) {
      if (!on) return;
      Kind = k;
      ShowTourTopTen();
    });
    rg->addWidget(RG[i]);
  }
  frame->addLayout(rg);
  List = MakeLabel("List", QString(), style.Font(16), this);
  List->setFixedSize(style.Len(600), style.Len(220));
  frame->addWidget(List);
  Place = MakeLabel("Place", QString(), style.Font(20, true), this);
  Place->setAlignment(Qt::AlignCenter);
  Place->setMinimumHeight(style.Len(130));
  frame->addWidget(Place);
  AddOkButton(frame, style);
  ShowTourTopTen();
}

void TFormTourTop10::ShowTourTopTen() {
  const bool ok = service_.ReadTourTopTen(Kind, &Top);
  QImage img(List->size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(QColor(0xf4, 0xf0, 0xdc));
  QPainter p(&img);
  p.setFont(style_.Font(15));
  p.setPen(QColor(0x20, 0x20, 0x60));
  const auto x = [&](int design) { return style_.Len(design - 60); };
  if (!ok) {
    p.drawText(img.rect(), Qt::AlignCenter, WordText(WordId::NoConnect));
  } else {
    int line = 0;
    for (int r = 1; r <= 10; ++r) {
      const TKuvRecord& e = Top[r];
      if (e.Nick.empty() || e.Nick == "#") continue;
      const int y = style_.Len(18 + 20 * line++);
      p.drawText(x(72), y, QString::number(e.Place) + ".");
      const QImage face = SexFace(e.R07 == "M" ? 'M' : 'W');
      if (!face.isNull()) p.drawImage(x(130), y - style_.Len(14), face);
      const std::string code = CountryCodeByName(e.Country);
      if (code.empty()) {
        p.drawText(x(100), y, FromFile(e.Country).left(3));
      } else {
        p.drawImage(x(100), y - style_.Len(13), CountryFlag(code, style_.Len(24), style_.Len(16)));
      }
      p.drawText(x(160), y, FromFile(e.Nick));
      p.drawText(x(310), y, FromFile(e.City));
      p.drawText(x(530), y, QString::number(e.Score));
    }
  }
  p.end();
  List->setPixmap(QPixmap::fromImage(img));

  const long long value = Kind == 'r' ? me_.Rating : Kind == 'k' ? me_.Kon : me_.Score;
  MyPlace = service_.ReadTourPlace(Kind, value);
  Place->setPixmap({});
  Place->clear();
  if (MyPlace >= 1 && MyPlace <= 10) {
    QImage medal = ProgramPicture("GMedal");
    const QImage number = ProgramPicture(QString("GPlace%1").arg(MyPlace, 2, 10, QChar('0')));
    if (!medal.isNull()) {
      QPainter m(&medal);
      if (!number.isNull())
        m.drawImage((medal.width() - number.width()) / 2, (medal.height() - number.height()) / 2,
                    number);
      m.end();
      Place->setPixmap(QPixmap::fromImage(medal));
    } else {
      Place->setText(QString::number(MyPlace));
    }
  } else if (MyPlace > 10 || MyPlace == 0) {
    Place->setText(WordText(WordId::YourPlace) + ":\n" + QString::number(MyPlace));
  }
}

}  // namespace zarnet
