#include "world_top.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTabBar>

#include "atomic_file.h"
#include "countries.h"
#include "kuv_button.h"
#include "message_box.h"
#include "player_list.h"
#include "tour_service.h"
#include "world_pictures.h"

namespace zarnet {

WordId CategoryHeading(int category) {
  static const WordId h[8] = {WordId::WindowsScoreGamesInCycle, WordId::AccountRatingAllGames,
                              WordId::AccountScoreGamesInCycle, WordId::WindowsScoreGamesInCycle,
                              WordId::AndroidScoreGamesInCycle, WordId::WindowsOnlineTournament,
                              WordId::WindowsLocalGamesWithPc,  WordId::WindowsNetGames};
  return h[category >= 1 && category <= 7 ? category : 0];
}

int CategoryBoard(int category) {
  switch (category) {
    case 2: return kAccountBoard;
    case 3: return kWindowsBoard;
    case 4: return kAndroidBoard;
    default: return 0;
  }
}

namespace {

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

QString CountryName(const std::string& code) {
  int c = 0, i = 0;
  if (!world::ParseCountryCode(code, &c, &i)) return FromFile(code);
  return QString::fromUtf8(world::CountryAt(c, i).english);
}

constexpr int kRow = 31, kWidth = 600;

struct RowPainter {
  QPainter& p;
  QFont font;
  int y = 0;
  void Text(int x, const QString& s, const QColor& c = QColor(0x20, 0x20, 0x40)) {
    p.setPen(c);
    p.drawText(QRect(x, y, kWidth - x - 10, kRow), Qt::AlignVCenter | Qt::AlignLeft, s);
  }
  void Value(const QString& s) {
    p.setPen(QColor(0x80, 0, 0));
    p.drawText(QRect(0, y, kWidth - 10, kRow), Qt::AlignVCenter | Qt::AlignRight, s);
  }
  void Picture(int x, const QImage& img) { p.drawImage(x, y + (kRow - img.height()) / 2, img); }
};

void Bands(QPainter& p, int rows, int top) {
  for (int r = 0; r < rows; ++r)
    p.fillRect(0, top + r * kRow, kWidth, kRow, r % 2 ? QColor(0xf4, 0xf0, 0xe4) : QColor(0xff, 0xfc, 0xf2));
}

}  // namespace

std::vector<LocalRow> LocalTopTen(const std::string& listPath) {
  std::vector<LocalRow> rows;
  const auto text = ReadWholeFile(listPath);
  const auto lines = text ? ParsePlayerList(*text) : std::nullopt;
  if (!lines) return rows;
  for (int k = 6; k <= 15; ++k) {
    const std::string& l = (*lines)[k];
    rows.push_back({Trimmed(l.substr(0, std::min<size_t>(20, l.size()))),
                    l.size() > 20 ? Trimmed(l.substr(20, 6)) : std::string()});
  }
  return rows;
}

TFormServerRead::TFormServerRead(Settings& settings, WorldSources sources, const FormStyle& style, int category,
                                 QWidget* parent)
    : TRecordDialog(parent), s_(settings), src_(std::move(sources)), style_(style) {
  setWindowTitle(WordText(WordId::WorldTopTen));
  QVBoxLayout* frame = MakeFrame(style);
  auto* body = new QHBoxLayout;
  frame->addLayout(body);
  auto* column = new QVBoxLayout;
  body->addLayout(column);
  for (int c = 1; c <= 7; ++c) {
    QString text = WordText(CategoryHeading(c));
    CategoryButton[c] = MakeButton(QString("ButtonCat%1").arg(c), text, 250, style, this);
    CategoryButton[c]->setFont(style.Font(10, true));
    column->addWidget(CategoryButton[c]);
    connect(CategoryButton[c], &QAbstractButton::clicked, this, [this, c] { ShowCategory(c); });
  }
  auto* kinds = new QHBoxLayout;
  column->addLayout(kinds);
  const char kindChars[4] = {0, 's', 'r', 'k'};
  const WordId kindWords[4] = {WordId::Score, WordId::Score, WordId::Rating, WordId::Games};
  for (int k = 1; k <= 3; ++k) {
    KindButton[k] = MakeButton(QString("ButtonKind%1").arg(k), WordText(kindWords[k]), 80, style, this);
    KindButton[k]->setFont(style.Font(10, true));
    kinds->addWidget(KindButton[k]);
    const char kind = kindChars[k];
    connect(KindButton[k], &QAbstractButton::clicked, this, [this, kind] {
      TourKind = kind;
      ShowCategory(5);
    });
  }
  column->addStretch();
  ButtonRefresh = MakeButton("ButtonRefresh", WordText(WordId::Refresh), 120, style, this);
  ButtonPassport = MakeButton("ButtonPassport", WordText(WordId::Passport), 120, style, this);
  column->addWidget(ButtonRefresh);
  column->addWidget(ButtonPassport);

  auto* right = new QVBoxLayout;
  body->addLayout(right);
  if (src_.plainLook) {
    // Windows, Android and Account stand for categories 3, 4 and 2.
    TabControl1 = new QTabBar(this);
    TabControl1->setObjectName("TabControl1");
    TabControl1->setFont(style.Font(13));
    for (WordId w : {WordId::Windows, WordId::Android, WordId::Account}) TabControl1->addTab(WordText(w));
    right->addWidget(TabControl1);
    for (int c = 1; c <= 7; ++c) CategoryButton[c]->hide();
    if (category != 2 && category != 4) category = 3;
    TabControl1->setCurrentIndex(category == 3 ? 0 : category == 4 ? 1 : 2);
    connect(TabControl1, &QTabBar::currentChanged, this,
            [this](int i) { ShowCategory(i == 0 ? 3 : i == 1 ? 4 : 2); });
  }
  Heading = MakeLabel("LabelHead", QString(), style.Font(16, true), this);
  right->addWidget(Heading, 0, Qt::AlignHCenter);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  right->addWidget(Image1);
  right->addStretch();
  AddOkButton(frame, style);

  connect(ButtonRefresh, &QAbstractButton::clicked, this, &TFormServerRead::RefreshClick);
  connect(ButtonPassport, &QAbstractButton::clicked, this, [this] {
    if (OpenPassport) OpenPassport();
    ShowCategory(Category);
  });
  // The lists are read again at most once in ten seconds.
  Timer1.setInterval(10000);
  connect(&Timer1, &QTimer::timeout, this, &TFormServerRead::Timer1Timer);
  Timer1.start();
  ShowCategory(category);
}

void TFormServerRead::Timer1Timer() { ButtonRefresh->show(); }

void TFormServerRead::RefreshClick() {
  ShowCategory(Category);
  ButtonRefresh->hide();
}

void TFormServerRead::ShowCategory(int category) {
  Category = std::clamp(category, 1, 7);
  Heading->setText(WordText(CategoryHeading(Category)));
  for (int k = 1; k <= 3; ++k) KindButton[k]->setVisible(Category == 5 && !src_.plainLook);
  const int board = CategoryBoard(Category);
  const bool around = board != 0;
  List = QImage(kWidth, kRow * (around ? 17 : 10), QImage::Format_ARGB32_Premultiplied);
  List.fill(Qt::white);
  QPainter p(&List);
  QFont font = style_.Font(13);
  font.setPixelSize(14);
  p.setFont(font);
  RowPainter row{p, font};
  Bands(p, 10, 0);
  auto noConnect = [&] {
    row.y = 0;
    row.Text(10, WordText(WordId::NoConnect), QColor(0xc0, 0, 0));
  };
  auto place = [&](int n) { row.Text(6, QString::number(n) + "."); };
  ReadOk = false;
  GameCount = -1;

  if (Category == 1) {
    TopTenList top;
    ReadOk = src_.web && src_.web->ReadAccountTopTen(&top);
    if (!ReadOk) noConnect();
    for (int i = 1; ReadOk && i <= 10; ++i) {
      const TKuvTop10& e = top[i];
      if (e.Nick.empty() || e.Nick == "#") continue;
      row.y = (i - 1) * kRow;
      place(i);
      row.Picture(40, FlagFor(e.Country));
      row.Picture(64, FaceFor(std::string(1, e.Sex)));
      row.Text(86, FromFile(e.Nick));
      row.Text(260, FromFile(e.City));
      row.Value(QString::number(e.Rating, 'f', 3).replace('.', ','));
    }
  } else if (board) {
    RecordList list;
    ReadOk = src_.web && src_.web->ReadRecords(board, &list);
    if (!ReadOk) noConnect();
    for (int i = 1; ReadOk && i <= 10; ++i) {
      const TKuvRecord& e = list[i];
      if (e.Nick == "#") continue;
      row.y = (i - 1) * kRow;
      place(e.Place > 0 ? e.Place : i);
      if (board == kWindowsBoard) {
        row.Picture(40, FlagFor(e.Country));
        row.Picture(64, FaceFor(e.R07));
        row.Text(86, FromFile(e.Nick));
        row.Text(260, FromFile(e.City));
      } else {
        row.Picture(40, FaceFor(e.R07));
        row.Text(62, FromFile(e.Nick));
        row.Text(236, FromFile(e.City) + ", " + CountryName(e.Country));
      }
      row.Value(QString::number(e.Score));
    }
    if (src_.web) GameCount = src_.web->ReadGameCount(board);
    row.y = 10 * kRow;
    row.Text(6, WordText(WordId::NumberOfGames) + ": " + (GameCount >= 0 ? QString::number(GameCount) : "?"),
             QColor(0, 0, 0x80));
    const bool account = board == kAccountBoard;
    const std::string nick = account ? src_.accountNick : s_.PassportNick;
    const std::string city = account ? src_.accountCity : s_.PassportCity;
    Bands(p, 5, 11 * kRow);
    RecordList near;
    const bool nearOk = src_.web && !nick.empty() && src_.web->ReadRecordsAround(board, nick, city, &near);
    if (!nearOk) {
      row.y = 11 * kRow;
      row.Text(10, WordText(WordId::NoConnect), QColor(0xc0, 0, 0));
    }
    for (int i = 1; nearOk && i <= 5; ++i) {
      const TKuvRecord& e = near[i];
      if (e.Nick == "#") continue;
      row.y = (10 + i) * kRow;
      place(e.Place);
      row.Text(86, FromFile(e.Nick), e.Nick == nick ? QColor(0xc0, 0, 0) : QColor(0x20, 0x20, 0x40));
      row.Value(QString::number(e.Score));
    }
  } else if (Category == 5) {
    std::array<TKuvRecord, 11> top;
    ReadOk = src_.tour && src_.tour->ReadTourTopTen(TourKind, &top);
    if (!ReadOk) noConnect();
    for (int i = 1; ReadOk && i <= 10; ++i) {
      const TKuvRecord& e = top[i];
      if (e.Nick.empty() || e.Nick == "#") continue;
      row.y = (i - 1) * kRow;
      place(e.Place > 0 ? e.Place : i);
      row.Picture(40, FlagFor(e.Country));
      row.Picture(64, FaceFor(e.R07));
      row.Text(86, FromFile(e.Nick));
      row.Text(260, FromFile(e.City));
      row.Value(QString::number(e.Score));
    }
  } else {
    const auto rows = LocalTopTen(Category == 6 ? src_.clubListPath : src_.netListPath);
    ReadOk = !rows.empty();
    if (!ReadOk) {
      row.y = 0;
      row.Text(10, WordText(WordId::TheIncorrectFile), QColor(0xc0, 0, 0));
    }
    for (size_t i = 0; i < rows.size(); ++i) {
      row.y = int(i) * kRow;
      place(int(i) + 1);
      row.Text(40, FromFile(rows[i].name));
      row.Value(FromFile(rows[i].score));
    }
  }
  p.end();
  Image1->setPixmap(QPixmap::fromImage(List));
  Image1->setFixedSize(List.size());
  adjustSize();
}

TFormServerWrite::TFormServerWrite(Settings& settings, WebServices* web, int32_t score, const FormStyle& style,
                                   QWidget* parent)
    : TRecordDialog(parent), ResultScore(score), s_(settings), web_(web) {
  setWindowTitle(WordText(WordId::WorldTopTen));
  Inform = [this](const QString& t) { TellPlayer(this, windowTitle(), t, QMessageBox::Warning); };
  QVBoxLayout* frame = MakeFrame(style);
  frame->addWidget(MakeLabel("LabelHead", WordText(WordId::WorldTopTen), style.Font(20, true), this), 0,
                   Qt::AlignHCenter);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  frame->addWidget(Image1, 0, Qt::AlignHCenter);
  auto* buttons = new QHBoxLayout;
  frame->addLayout(buttons);
  ButtonSend = MakeButton("ButtonSend", WordText(WordId::Send), 100, style, this);
  ButtonPassport = MakeButton("ButtonPassport", WordText(WordId::Passport), 120, style, this);
  ButtonClose = MakeButton("ButtonClose", WordText(WordId::Close), 100, style, this);
  for (auto* b : {ButtonSend, ButtonPassport, ButtonClose}) buttons->addWidget(b);
  SetDefaultButton(ButtonClose);
  connect(ButtonSend, &QAbstractButton::clicked, this, &TFormServerWrite::SendClick);
  connect(ButtonPassport, &QAbstractButton::clicked, this, &TFormServerWrite::PassportClick);
  connect(ButtonClose, &QAbstractButton::clicked, this, &QDialog::accept);
  Redraw();
}

void TFormServerWrite::Redraw() {
  ButtonSend->setEnabled(PassportValid(s_, 3) && !ResultSent);
  QImage img(360, 150, QImage::Format_ARGB32_Premultiplied);
  img.fill(QColor(0xff, 0xfc, 0xf2));
  QPainter p(&img);
  QFont font("DejaVu Sans");
  font.setPixelSize(15);
  p.setFont(font);
  auto text = [&](int x, int y, const QString& s, const QColor& c) {
    p.setPen(c);
    p.drawText(x, y, s);
  };
  const QColor label(0x20, 0x20, 0x60), value(0x80, 0, 0);
  text(10, 24, WordText(WordId::Nick), label);
  p.drawImage(150, 11, FaceFor(std::string(1, s_.PassportSex)));
  text(172, 24, FromFile(s_.PassportNick), value);
  text(10, 64, WordText(WordId::Country) + " & " + WordText(WordId::City), label);
  p.drawImage(150, 52, FlagFor(s_.PassportCountry));
  text(172, 64, FromFile(s_.PassportCity), value);
  text(10, 104, WordText(WordId::YourScore) + ":", label);
  text(172, 104, QString::number(ResultScore), value);
  if (ResultPlace >= 0) {
    text(10, 134, WordText(WordId::YourPlace) + ":", label);
    text(172, 134, QString::number(ResultPlace), value);
  }
  p.end();
  Image1->setPixmap(QPixmap::fromImage(img));
}

void TFormServerWrite::SendClick() {
  if (!PassportValid(s_, 3) || ResultSent) return;
  const TKuvRecord r =
      ScoreRecord(s_.PassportNick, s_.PassportCity, s_.PassportCountry, ResultScore, s_.PassportSex);
  const long long place = web_ ? web_->SubmitRecord(kWindowsBoard, r) : -1;
  if (place <= 0) {
    Inform(WordText(WordId::UnableToWriteTheResultOfTheGame));
    return;
  }
  ResultPlace = place;
  ResultSent = true;
  Redraw();
}

void TFormServerWrite::PassportClick() {
  if (OpenPassport) OpenPassport();
  Redraw();
}

}  // namespace zarnet
