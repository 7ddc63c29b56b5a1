#include "form_account.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QDesktopServices>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QValidator>
#include <algorithm>

#include "codec.h"
#include "kuv_button.h"
#include "message_box.h"
#include "resources.h"
#include "service_client.h"
#include "table_drawing.h"

namespace zarnet {
namespace {

std::string Cp(const QString& s) { return Utf8ToCp1251(s.toStdString()); }
QString Shown(const std::string& cp1251) { return FromFile(cp1251); }

// Drops a typed character the account boxes refuse, as the key filter does.
class AccountCharValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar ch : input) {
      const std::string c = Utf8ToCp1251(QString(ch).toStdString());
      if (c.size() != 1 || CheckAccountField(c, 0) == 1) return Invalid;
    }
    return Acceptable;
  }
};

// A label that reports its clicks.
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
  }
};

QPixmap Pix(const QImage& i) { return QPixmap::fromImage(i); }

const WordId kProfileWords[14] = {WordId::FirstName, WordId::LastName,  WordId::AboutMyself,
                                  WordId::Telephone, WordId::PublicEMail, WordId::Skype,
                                  WordId::WebSite,   WordId::Odnoklassniki, WordId::Vk,
                                  WordId::Telegram,  WordId::Facebook,  WordId::Twitter,
                                  WordId::Instagram, WordId::YouTube};
const int kProfileLimits[14] = {20, 20, 50, 20, 50, 50, 50, 50, 50, 50, 60, 50, 50, 50};

// The profile in the editor's order (Skype before WebSite).
std::array<std::string*, 14> Fields(TInfo14& i) {
  return {&i.Name1, &i.Name2, &i.About, &i.Telephone, &i.EMailO, &i.Skype, &i.WebSite,
          &i.OK,    &i.VK,    &i.Telegram, &i.FaceBook, &i.Twitter, &i.Instagramm, &i.YouTube};
}

}  // namespace

std::string ServiceDate(const QDate& date) {
  // The services take one form whatever the player's locale writes.
  return date.toString(QStringLiteral("dd.MM.yyyy")).toStdString();
}

AccountDesktop DefaultDesktop(QWidget* parent) {
  AccountDesktop d;
  d.inform = [parent](const QString& t) { TellPlayer(parent, WordText(WordId::GameName), t); };
  d.confirm = [parent](const QString& t) {
    return AskYesNo(parent, WordText(WordId::GameName), t);
  };
  d.choosePhoto = [parent] {
    return ChooseFile(parent, WordText(WordId::ChoosePhoto), "JPEG (*.jpg *.jpeg)");
  };
  d.openUrl = [](const QString& t) {
    QDesktopServices::openUrl(QUrl::fromUserInput(t));
  };
  d.copy = [](const QString& t) { QApplication::clipboard()->setText(t); };
  d.askNick = [parent] {
    bool ok = false;
    const QString n = AskLine(parent, WordText(WordId::Nick), WordText(WordId::Nick), QString(), &ok);
    return ok ? n : QString();
  };
  d.today = [] { return ServiceDate(QDate::currentDate()); };
  return d;
}

bool DownloadAvatar(const std::string& folder, const std::string& nick, QImage* slot) {
  const HttpReply r = HttpGet(folder + nick + ".jpg", 3000);
  if (!r.ok) return false;
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar*>(r.body.data()), static_cast<int>(r.body.size()), "JPEG"))
    return false;
  *slot = img;
  return true;
}

bool AcceptablePhoto(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  if (reader.format() != "jpeg") return false;
  return reader.size() == QSize(200, 250) && !reader.read().isNull();
}

QString RatingText3(double r) {
  return QString::number(r, 'f', 3).replace('.', ',');
}

// --- Pictures ---

QImage SexFace(char sex) {
  InitArtResources();
  return ProgramPicture(sex == 'M' ? "FaceMan16" : "FaceWoman16");
}

QImage NoPhoto(char sex) {
  InitArtResources();
  return ProgramPicture(sex == 'M' ? "GAcNoM" : "GAcNoF");
}

QImage FramedPhoto(const QImage& photo, char sex) {
  QImage img = (photo.isNull() ? NoPhoto(sex) : photo).scaled(200, 250).convertToFormat(QImage::Format_RGB32);
  QPainter p(&img);
  p.drawImage(0, 0, ProgramPicture("GAcFrame"));
  return img;
}

QImage StatePicture(AccountState s, bool lamp) {
  InitArtResources();
  const char* colour = s == AccountState::Guest ? "R" : s == AccountState::LoggedIn ? "Y" : "G";
  return ProgramPicture(QString(lamp ? "Lamp%124" : "Star%10").arg(colour));
}

// --- Information dial ---

QImage DrawInfoDial(const DialReading& d, int mode, const std::function<QImage(const QString&)>& picture) {
  QImage dial = picture("GClockBG");
  if (dial.isNull()) {
    dial = QImage(115, 64, QImage::Format_ARGB32);
    dial.fill(QColor(0x20, 0x20, 0x20));
  }
  dial = dial.convertToFormat(QImage::Format_ARGB32);
  static const char kLetters[] = "?RAGYVLN";
  const QString base = QString("G%1Clock").arg(QChar(kLetters[std::clamp(mode, 1, 7)]));
  QPainter p(&dial);
  std::vector<QImage> glyphs;
  int width = 0;
  for (char ch : d.figure) {
    QImage g;
    if (ch >= '0' && ch <= '9') g = picture(base + QChar(ch));
    if (ch == '-') g = picture(base + "M");
    if (g.isNull()) {  // the thousands letters have no pictures of their own
      g = QImage(18, 40, QImage::Format_ARGB32);
      g.fill(Qt::transparent);
      QPainter q(&g);
      QFont f("DejaVu Sans");
      f.setPixelSize(30);
      f.setBold(true);
      q.setFont(f);
      q.setPen(QColor(0xf0, 0xf0, 0xf0));
      q.drawText(g.rect(), Qt::AlignCenter, QString(QChar(ch)));
    }
    width += g.width();
    glyphs.push_back(g);
  }
  int x = (dial.width() - width) / 2;
  for (const QImage& g : glyphs) {
    p.drawImage(x, (dial.height() - g.height()) / 2, g);
    x += g.width();
  }
  if (!d.flagCode.empty()) p.drawImage(4, 4, CountryFlag(d.flagCode, 18, 12));
  return dial;
}

DialLabels DialWords() {
  auto w = [](WordId id) { return Word(id); };
  DialLabels l;
  l.iq = w(WordId::DynamicIqForWindowsPercent);
  l.gamesPc = w(WordId::GamesPlayedWithPc);
  l.bestWindows = w(WordId::BestWindowsPlayer);
  l.bestAndroid = w(WordId::BestAndroidPlayer);
  l.bestAccount = w(WordId::TheBestPlayerOfGamesFromUnderTheAccount);
  l.currency = w(WordId::Currency);
  l.members = w(WordId::ClubMembers);
  l.noConnect = w(WordId::NoConnectUpper);
  l.no = w(WordId::No);
  return l;
}

// --- TFAcc1 ---

TFAcc1::TFAcc1(AccountSession& session, const BuiltInAddresses& addresses, AccountPictures& pictures,
               bool ratedSwitchable, const FormStyle& style, AccountDesktop desktop, QWidget* parent)
    : TRecordDialog(parent),
      s_(session),
      addr_(addresses),
      pics_(pictures),
      ratedSwitchable_(ratedSwitchable),
      style_(style),
      desk_(std::move(desktop)) {
  setObjectName("FAcc1");
  setWindowTitle(WordText(WordId::MyAccount));
  const QFont font = style.Font(15);
  const QFont bold = style.Font(15, true);
  const QFont title = style.Font(18, true);
  auto label = [&](const QString& name, const QString& text, const QFont& f = QFont()) {
    return MakeLabel(name, text, f == QFont() ? style_.Font(15) : f, this);
  };
  auto lamp = [&](const QString& name) {
    auto* l = label(name, "");
    l->setFixedSize(24, 24);
    return l;
  };

  // What the window fetches as it opens.
  s_.RefreshTopTen();
  if (s_.LoggedIn()) s_.RefreshMyResults();
  s_.ReadMembers();
  if (s_.LoggedIn()) LoadOwn();
  s_.ReadTopProfile();
  if (!s_.Top[1].Nick.empty()) DownloadAvatar(addr_.avatars, s_.Top[1].Nick, &pics_.photo[2]);
  if (!s_.LoggedIn()) s_.PutRegistrationDefaults();

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setFont(bold);

  // "My account"
  auto* tab1 = new QWidget;
  auto* g1 = new QGridLayout(tab1);
  auto edit = [&](const QString& name, int maxLen, bool filtered) {
    auto* e = new QLineEdit(tab1);
    e->setObjectName(name);
    e->setFont(font);
    e->setMaxLength(maxLen);
    if (filtered) e->setValidator(new AccountCharValidator(e));
    return e;
  };
  EditNick = edit("EditNick", 12, true);
  EditPw = edit("EditPw", 12, true);
  EditCity = edit("EditCity", 15, true);
  EditEMail = edit("EditEMail", 30, true);
  EditCountry = edit("EditCountry", 40, false);
  EditCountry->setReadOnly(true);
  EditDateR = edit("EditDateR", 20, false);
  EditDateR->setReadOnly(true);
  LampNick = lamp("LampNick");
  LampPw = lamp("LampPw");
  LampCity = lamp("LampCity");
  LampEMail = lamp("LampEMail");
  ComboContinent = new QComboBox(tab1);
  ComboContinent->setObjectName("ComboContinent");
  for (WordId w : {WordId::Europe, WordId::Asia, WordId::NorthAmerica, WordId::SouthAmerica, WordId::Oceania,
                   WordId::Africa})
    ComboContinent->addItem(WordText(w));
  ComboCountry = new QComboBox(tab1);
  ComboCountry->setObjectName("ComboCountry");
  ComboCountry->setMaxVisibleItems(15);
  ComboSex = new QComboBox(tab1);
  ComboSex->setObjectName("ComboSex");
  ComboSex->addItem(Pix(SexFace('M')), WordText(WordId::Male));
  ComboSex->addItem(Pix(SexFace('W')), WordText(WordId::Female));
  int row = 0;
  auto put = [&](WordId w, QWidget* box, QLabel* l) {
    g1->addWidget(label("", WordText(w), bold), row, 0);
    g1->addWidget(box, row, 1);
    if (l) g1->addWidget(l, row, 2);
    ++row;
  };
  put(WordId::Nick, EditNick, LampNick);
  put(WordId::Password, EditPw, LampPw);
  CheckBox1 = new QCheckBox(WordText(WordId::HidePassword), tab1);
  CheckBox1->setObjectName("CheckBox1");
  g1->addWidget(CheckBox1, row++, 1);
  put(WordId::City, EditCity, LampCity);
  put(WordId::EMail, EditEMail, LampEMail);
  put(WordId::Continent, ComboContinent, nullptr);
  put(WordId::Country, ComboCountry, nullptr);
  g1->addWidget(EditCountry, row++, 1);
  put(WordId::Sex, ComboSex, nullptr);
  put(WordId::RegistrationDate, EditDateR, nullptr);
  Button1 = MakeButton("Button1", WordText(WordId::CreateAnAccount), 200, style, tab1);
  Button2 = MakeButton("Button2", WordText(WordId::LoginToAccount), 200, style, tab1);
  Button3 = MakeButton("Button3", WordText(WordId::Save), 95, style, tab1);
  Button4 = MakeButton("Button4", WordText(WordId::Delete), 95, style, tab1);
  auto* buttons = new QHBoxLayout;
  for (QWidget* b : {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2),
                     static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button4)})
    buttons->addWidget(b);
  g1->addLayout(buttons, row++, 0, 1, 3);
  CheckBox2 = new QCheckBox(WordText(WordId::PlayGlobalRating), tab1);
  CheckBox2->setObjectName("CheckBox2");
  CheckBox2->setFont(bold);
  ImageState = label("ImageState", "");
  auto* stateRow = new QHBoxLayout;
  stateRow->addWidget(ImageState);
  stateRow->addWidget(CheckBox2);
  stateRow->addStretch();
  LabelMembers = label("LabelMembers", "", bold);
  stateRow->addWidget(LabelMembers);
  g1->addLayout(stateRow, row++, 0, 1, 3);
  PageControl1->addTab(tab1, WordText(WordId::MyAccount));

  // "My results"
  auto* tab2 = new QWidget;
  auto* g2 = new QGridLayout(tab2);
  g2->addWidget(label("LabelResults", WordText(WordId::InformationAboutYourGames), title), 0, 0, 1, 2,
                Qt::AlignHCenter);
  const WordId resultWords[10] = {WordId::Game,        WordId::Game,        WordId::Player,
                                  WordId::Rating,      WordId::Place,       WordId::PlayedGames,
                                  WordId::MyBestScore, WordId::PlayedCycles, WordId::CurrentDeal,
                                  WordId::CurrentScore};
  for (int k = 1; k <= 9; ++k) {
    g2->addWidget(label("", WordText(resultWords[k]), bold), k, 0);
    ResultValue[k] = label(QString("ResultValue%1").arg(k), "");
    g2->addWidget(ResultValue[k], k, 1);
  }
  ButtonRef2 = MakeButton("ButtonRef2", WordText(WordId::Refresh), 120, style, tab2);
  g2->addWidget(ButtonRef2, 10, 0, 1, 2, Qt::AlignHCenter);
  PageControl1->addTab(tab2, WordText(WordId::MyResults));

  // "Top 10"
  auto* tab3 = new QWidget;
  auto* g3 = new QGridLayout(tab3);
  g3->addWidget(label("LabelTop", WordText(WordId::Top10BestRatedPlayers), title), 0, 0, 1, 6, Qt::AlignHCenter);
  const WordId heads[6] = {WordId::NumberSign, WordId::Nick, WordId::CountryLetter, WordId::Sex, WordId::City,
                           WordId::Rating};
  for (int c = 0; c < 6; ++c) g3->addWidget(label("", WordText(heads[c]), bold), 1, c);
  for (int k = 1; k <= 10; ++k)
    for (int c = 0; c < 6; ++c) {
      TopCell[k][c] = label(QString("Top%1_%2").arg(k).arg(c), "");
      g3->addWidget(TopCell[k][c], k + 1, c);
    }
  TopNoConnect = label("TopNoConnect", WordText(WordId::NoConnect), title);
  g3->addWidget(TopNoConnect, 2, 0, 10, 6, Qt::AlignCenter);
  ButtonRef3 = MakeButton("ButtonRef3", WordText(WordId::Refresh), 120, style, tab3);
  g3->addWidget(ButtonRef3, 12, 0, 1, 6, Qt::AlignHCenter);
  PageControl1->addTab(tab3, WordText(WordId::Top10));

  // "About me" and "President"
  auto profileTab = [&](QLabel** photo, std::array<QLabel*, 14>& lines, const QString& prefix, bool clickable) {
    auto* tab = new QWidget;
    auto* h = new QHBoxLayout(tab);
    *photo = label(prefix + "Photo", "");
    h->addWidget(*photo, 0, Qt::AlignTop);
    auto* g = new QGridLayout;
    for (int k = 0; k < 14; ++k) {
      g->addWidget(label("", WordText(kProfileWords[k]), bold), k, 0);
      auto* l = new ClickLabel(tab);
      l->setObjectName(QString("%1Line%2").arg(prefix).arg(k));
      l->setFont(font);
      if (clickable) {
        l->setCursor(Qt::PointingHandCursor);
        l->clicked = [this, k] { PresidentLineClick(k); };
      }
      lines[k] = l;
      g->addWidget(l, k, 1);
    }
    h->addLayout(g, 1);
    return tab;
  };
  auto* tab4 = profileTab(&PhotoMe, AboutLine, "About", false);
  ButtonAva1 = MakeButton("ButtonAva1", WordText(WordId::Refresh), 120, style, tab4);
  static_cast<QHBoxLayout*>(tab4->layout())->insertWidget(1, ButtonAva1, 0, Qt::AlignBottom);
  PageControl1->addTab(tab4, WordText(WordId::AboutMe));
  auto* tab5 = profileTab(&PhotoPresident, PresidentLine, "President", true);
  PageControl1->addTab(tab5, WordText(WordId::President));

  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(PageControl1);
  AddOkButton(all, style);

  // Bindings.
  connect(EditNick, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!filling_) s_.User.Nick = Cp(t), UpdateButtons();
  });
  connect(EditPw, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!filling_) s_.SetPassword(Cp(t)), UpdateButtons();
  });
  connect(EditCity, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!filling_) s_.User.City = Cp(t), UpdateButtons();
  });
  connect(EditEMail, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!filling_) s_.User.EMail = Cp(t), UpdateButtons();
  });
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
    EditPw->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
  });
  connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    s_.SetRatedPlay(on);
    RedrawMyAccount();
  });
  connect(ComboContinent, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (filling_) return;
    s_.User.Country2[0] = static_cast<char>('1' + i);
    FillCountries(i + 1);
  });
  connect(ComboCountry, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (filling_ || i < 0) return;
    const int c = ComboContinent->currentIndex() + 1;
    s_.User.Country2 = CountryCode(c, i);
    s_.User.Country1 = CountryAt(c, i).shortName;
    EditCountry->setText(Shown(s_.User.Country1));
  });
  connect(ComboSex, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!filling_) s_.User.Sex = i == 0 ? 'M' : 'W';
  });
  connect(Button1, &QAbstractButton::clicked, this, [this] { CreateAccountClick(); });
  connect(Button2, &QAbstractButton::clicked, this, [this] { LoginOrLogoutClick(); });
  connect(Button3, &QAbstractButton::clicked, this, [this] { RememberLoginClick(); });
  connect(Button4, &QAbstractButton::clicked, this, [this] { ForgetLoginClick(); });
  connect(ButtonRef2, &QAbstractButton::clicked, this, [this] { RefreshMyResultsClick(); });
  connect(ButtonRef3, &QAbstractButton::clicked, this, [this] { RefreshTopTenClick(); });
  connect(ButtonAva1, &QAbstractButton::clicked, this, [this] { OpenProfileEditor(); });

  RedrawMyAccount();
  RedrawMyResults();
  RedrawTopTen();
  RedrawAboutMe();
  RedrawPresident();
}

void TFAcc1::LoadOwn() {
  pics_.photo[1] = QImage();
  DownloadAvatar(addr_.avatars, s_.User.Nick, &pics_.photo[1]);
  s_.User.Info = s_.Web().ReadProfile(s_.User.Nick);
}

void TFAcc1::FillCountries(int continent) {
  const bool was = filling_;
  filling_ = true;
  ComboCountry->clear();
  for (int i = 0; i < CountryCount(continent); ++i) {
    const Country& k = CountryAt(continent, i);
    ComboCountry->addItem(Pix(CountryFlag(CountryCode(continent, i))),
                          QString::fromUtf8(LanguageIndex() == 1 ? k.russian : k.english));
  }
  filling_ = was;
}

void TFAcc1::UpdateButtons() {
  const TKuvUser& u = s_.User;
  const int nick = CheckAccountField(u.Nick, 1), pw = CheckAccountField(u.Pw, 3),
            city = CheckAccountField(u.City, 2), mail = CheckAccountField(u.EMail, 4);
  const bool guest = s_.State == AccountState::Guest;
  const bool locked = s_.RatedRunning;
  Button1->setEnabled(!locked && guest && nick >= 2 && city >= 2 && pw == 3 && mail == 3);
  Button2->setEnabled(!locked && (!guest || (nick >= 2 && pw == 3)));
  Button2->setText(WordText(guest ? WordId::LoginToAccount : WordId::SignOut));
  const bool saved = s_.UserFileExists();
  Button3->setEnabled(!locked && !saved);
  Button4->setEnabled(!locked && saved);
  CheckBox2->setEnabled(ratedSwitchable_ && s_.RatedPlayAllowed());
  for (QWidget* w : std::initializer_list<QWidget*>{EditNick, EditPw, EditCity, EditEMail, ComboContinent,
                                                    ComboCountry, ComboSex})
    w->setEnabled(!locked && guest);
  auto lampOf = [](QLabel* l, int check) {
    l->setPixmap(Pix(StatePicture(check == 1 ? AccountState::Guest
                                  : check == 2 ? AccountState::LoggedIn
                                               : AccountState::RatedPlay,
                                  true)));
  };
  lampOf(LampNick, nick);
  lampOf(LampPw, pw);
  lampOf(LampCity, city);
  lampOf(LampEMail, mail);
}

void TFAcc1::RedrawMyAccount() {
  filling_ = true;
  const TKuvUser& u = s_.User;
  EditNick->setText(Shown(u.Nick));
  EditPw->setText(Shown(u.Pw));
  EditCity->setText(u.City == "#" ? QString() : Shown(u.City));
  EditEMail->setText(u.EMail == "#" ? QString() : Shown(u.EMail));
  EditDateR->setText(Shown(u.DateR));
  int c = 1, n = 1;
  if (!ParseCountryCode(u.Country2, &c, &n)) c = 1, n = 0;
  ComboContinent->setCurrentIndex(c - 1);
  FillCountries(c);
  ComboCountry->setCurrentIndex(n);
  EditCountry->setText(Shown(u.Country1));
  ComboSex->setCurrentIndex(u.Sex == 'M' ? 0 : 1);
  CheckBox2->setChecked(s_.State == AccountState::RatedPlay);
  ImageState->setPixmap(Pix(StatePicture(s_.State, false)));
  LabelMembers->setText(s_.Members >= 0 ? WordText(WordId::ClubMembers) + QString::number(s_.Members) : QString());
  filling_ = false;
  UpdateButtons();
}

void TFAcc1::RedrawMyResults() {
  const bool shown = s_.LoggedIn() && s_.ResultsRead;
  const TKuvGame& g = s_.Game;
  const QString values[10] = {QString(),
                              WordText(WordId::GameName),
                              Shown(s_.User.Nick),
                              RatingText3(g.Rating),
                              QString::number(g.Place),
                              QString::number(g.Kon),
                              QString::number(g.Best),
                              QString::number(g.Sessions),
                              QString::number(g.KonL),
                              QString::number(g.Score)};
  for (int k = 1; k <= 9; ++k)
    ResultValue[k]->setText(shown ? values[k] : (k == 1 ? WordText(WordId::NoConnect) : QString()));
}

void TFAcc1::RedrawTopTen() {
  TopNoConnect->setVisible(!s_.TopRead);
  for (int k = 1; k <= 10; ++k) {
    const TKuvTop10& t = s_.Top[k];
    const bool shown = s_.TopRead && !t.Nick.empty();
    for (int c = 0; c < 6; ++c) {
      TopCell[k][c]->clear();
      TopCell[k][c]->setVisible(s_.TopRead);
    }
    if (!shown) continue;
    TopCell[k][0]->setText(QString::number(k));
    TopCell[k][1]->setText(Shown(t.Nick));
    TopCell[k][2]->setPixmap(Pix(CountryFlag(t.Country)));
    TopCell[k][3]->setPixmap(Pix(SexFace(t.Sex)));
    TopCell[k][4]->setText(Shown(t.City));
    TopCell[k][5]->setText(RatingText3(t.Rating));
  }
}

void TFAcc1::RedrawAboutMe() {
  TInfo14 info = s_.User.Info;
  const auto f = Fields(info);
  for (int k = 0; k < 14; ++k) AboutLine[k]->setText(s_.LoggedIn() ? Shown(*f[k]) : QString());
  PhotoMe->setPixmap(Pix(FramedPhoto(s_.LoggedIn() ? pics_.photo[1] : QImage(), s_.User.Sex)));
  ButtonAva1->setEnabled(s_.LoggedIn() && !s_.RatedRunning);
}

void TFAcc1::RedrawPresident() {
  PageControl1->setTabText(4, WordText(WordId::PresidentOfTheOrder) + " \"" + WordText(WordId::GameName) + "\"");
  TInfo14 info = s_.TopInfo;
  const auto f = Fields(info);
  for (int k = 0; k < 14; ++k) PresidentLine[k]->setText(Shown(*f[k]));
  PhotoPresident->setPixmap(Pix(FramedPhoto(s_.Top[1].Nick.empty() ? QImage() : pics_.photo[2], s_.Top[1].Sex)));
}

void TFAcc1::CreateAccountClick() {
  if (!Button1->isEnabled()) return;
  const int r = s_.CreateAccount(desk_.today ? desk_.today() : std::string("00.00.0000"));
  const WordId w = r == 0 ? WordId::YourAccountHasBeenSuccessfullyCreated
                   : r == 1 ? WordId::TheClubAlreadyHasAPlayerWithTheSameNick
                            : WordId::CouldNotCreateAccount;
  if (desk_.inform) desk_.inform(WordText(w));
  if (r == 0) pics_.photo[1] = QImage();  // a new account has no photo yet
  RedrawMyAccount();
  RedrawMyResults();
  RedrawAboutMe();
}

void TFAcc1::LoginOrLogoutClick() {
  if (!Button2->isEnabled()) return;
  const bool wasIn = s_.LoggedIn();
  if (!s_.LoginOrLogout()) {
    if (desk_.inform) desk_.inform(WordText(WordId::LoginFailed));
  } else if (wasIn) {
    pics_.photo[1] = QImage();
  } else {
    pics_.photo[1] = QImage();
    DownloadAvatar(addr_.avatars, s_.User.Nick, &pics_.photo[1]);
    if (!s_.Top[1].Nick.empty()) DownloadAvatar(addr_.avatars, s_.Top[1].Nick, &pics_.photo[2]);
  }
  RedrawMyAccount();
  RedrawMyResults();
  RedrawAboutMe();
  RedrawPresident();
}

void TFAcc1::RememberLoginClick() {
  s_.RememberLogin();
  UpdateButtons();
}

void TFAcc1::ForgetLoginClick() {
  s_.ForgetLogin();
  UpdateButtons();
}

void TFAcc1::RefreshMyResultsClick() {
  s_.RefreshMyResults();
  RedrawMyResults();
}

void TFAcc1::RefreshTopTenClick() {
  s_.RefreshTopTen();
  RedrawTopTen();
}

void TFAcc1::OpenProfileEditor() {
  if (!s_.LoggedIn()) return;
  TFAcc2 editor(s_, addr_, pics_, style_, desk_, this);
  editor.exec();
  s_.ReadTopProfile();
  if (!s_.Top[1].Nick.empty()) DownloadAvatar(addr_.avatars, s_.Top[1].Nick, &pics_.photo[2]);
  RedrawAboutMe();
  RedrawPresident();
}

void TFAcc1::PresidentLineClick(int field) {
  TInfo14 info = s_.TopInfo;
  const QString text = Shown(*Fields(info)[field]);
  if (text.isEmpty()) return;
  // About, Telephone, public e-mail, Skype and Telegram are copied; the rest are addresses.
  const bool copied = field == 2 || field == 3 || field == 4 || field == 5 || field == 9;
  if (copied) {
    if (desk_.copy) desk_.copy(text);
    if (desk_.inform) desk_.inform(WordText(WordId::CopiedToClipboard));
  } else if (field >= 6 && desk_.openUrl) {
    desk_.openUrl(text);
  }
}

// --- TFAcc2 ---

TFAcc2::TFAcc2(AccountSession& session, const BuiltInAddresses& addresses, AccountPictures& pictures,
               const FormStyle& style, AccountDesktop desktop, QWidget* parent)
    : TRecordDialog(parent), s_(session), addr_(addresses), pics_(pictures), desk_(std::move(desktop)) {
  setObjectName("FAcc2");
  setWindowTitle(WordText(WordId::MyAccount));
  const QFont font = style.Font(15);
  const QFont bold = style.Font(15, true);
  auto* note = MakeLabel("LabelNote", WordText(WordId::ThisInformationMayBeVisibleToOtherClubMembers), bold, this);
  auto* g = new QGridLayout;
  TInfo14 info = s_.User.Info;
  const auto f = Fields(info);
  for (int k = 0; k < 14; ++k) {
    g->addWidget(MakeLabel("", WordText(kProfileWords[k]), bold, this), k, 0);
    Edit[k] = new QLineEdit(Shown(*f[k]), this);
    Edit[k]->setObjectName(QString("Edit%1").arg(k + 1));
    Edit[k]->setFont(font);
    Edit[k]->setMaxLength(kProfileLimits[k]);
    Edit[k]->setMinimumWidth(style.Len(320));
    g->addWidget(Edit[k], k, 1);
    connect(Edit[k], &QLineEdit::textEdited, this, [this] { ButtonUpdate->setEnabled(true); });
  }
  auto* photo = new ClickLabel(this);
  photo->setObjectName("ImagePhoto");
  photo->setCursor(Qt::PointingHandCursor);
  photo->setPixmap(Pix(FramedPhoto(pics_.photo[1], s_.User.Sex)));
  photo->clicked = [this] { PhotoClick(); };
  Photo = photo;
  ButtonUpdate = MakeButton("ButtonUpdate", WordText(WordId::UpdateInfo), 160, style, this);
  ButtonPhoto = MakeButton("ButtonPhoto", WordText(WordId::RefreshPhoto), 160, style, this);
  ButtonUpdate->setEnabled(false);
  ButtonPhoto->setEnabled(false);
  connect(ButtonUpdate, &QAbstractButton::clicked, this, [this] { UpdateInfoClick(); });
  connect(ButtonPhoto, &QAbstractButton::clicked, this, [this] { RefreshPhotoClick(); });

  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(note);
  auto* h = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(Photo);
  left->addWidget(ButtonPhoto, 0, Qt::AlignHCenter);
  left->addStretch();
  h->addLayout(left);
  auto* right = new QVBoxLayout;
  right->addLayout(g);
  right->addWidget(ButtonUpdate, 0, Qt::AlignHCenter);
  h->addLayout(right);
  all->addLayout(h);
  AddOkButton(all, style);
}

void TFAcc2::UpdateInfoClick() {
  TInfo14 info;
  const auto f = Fields(info);
  for (int k = 0; k < 14; ++k) *f[k] = Cp(Edit[k]->text());
  if (!s_.Web().SaveProfile(s_.User.Nick, s_.User.Pw, info)) return;  // stays enabled
  ButtonUpdate->setEnabled(false);
  s_.User.Info = s_.Web().ReadProfile(s_.User.Nick);
}

void TFAcc2::PhotoClick() {
  const QString path = desk_.choosePhoto ? desk_.choosePhoto() : QString();
  if (path.isEmpty()) return;
  if (!AcceptablePhoto(path)) {
    if (desk_.inform) desk_.inform(WordText(WordId::ThePhotoMustBeInJpgFormat200x250PixelsInSize));
    return;
  }
  chosen_ = path;
  Photo->setPixmap(Pix(FramedPhoto(QImage(path), s_.User.Sex)));
  ButtonPhoto->setEnabled(true);
}

void TFAcc2::RefreshPhotoClick() {
  QFile f(chosen_);
  bool ok = f.open(QIODevice::ReadOnly);
  const QByteArray bytes = ok ? f.readAll() : QByteArray();
  if (ok) {
    FtpTarget t{addr_.ftpHost, addr_.ftpPort, addr_.ftpUser, addr_.ftpPassword, addr_.ftpFolder};
    ok = FtpUpload(t, s_.User.Nick + ".jpg", bytes.toStdString());
  }
  if (!ok) {
    if (desk_.inform) desk_.inform(WordText(WordId::FailedToUploadPhotoToServer));
    return;
  }
  DownloadAvatar(addr_.avatars, s_.User.Nick, &pics_.photo[1]);
  ButtonPhoto->setEnabled(false);
}

// --- TFStat ---

TFStat::TFStat(WebServices& web, Settings& settings, std::function<void()> saveSettings, const FormStyle& style,
               AccountDesktop desktop, QWidget* parent)
    : TRecordDialog(parent), web_(web), settings_(settings), save_(std::move(saveSettings)), desk_(std::move(desktop)) {
  setObjectName("FStat");
  setWindowTitle(WordText(WordId::Statistics));
  const QFont bold = style.Font(15, true);
  auto* head = MakeLabel("LabelHead", WordText(WordId::WorldStats), style.Font(20, true), this);
  head->setAlignment(Qt::AlignCenter);
  const WordId rows[11] = {WordId::Statistics,           WordId::NumberOfStarts,        WordId::NumberOfUniqueStarts,
                           WordId::Likes,                WordId::LastLike,              WordId::GamesPlayedWithPc,
                           WordId::CyclesPlayedWithPc,   WordId::WinningPeopleGameWithPc, WordId::LossOfPeopleGameWithPc,
                           WordId::GamesPlayedNet,       WordId::GamesPlayedOnline};
  auto* g = new QGridLayout;
  for (int k = 1; k <= 10; ++k) {
    g->addWidget(MakeLabel("", WordText(rows[k]), bold, this), k, 0);
    Value[k] = MakeLabel(QString("Value%1").arg(k), "", bold, this);
    Value[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Value[k]->setMinimumWidth(style.Len(110));
    g->addWidget(Value[k], k, 1);
  }
  QString since = WordText(WordId::ThisStatisticIsMaintainedSinceVersion52);
  since = since.left(std::max<qsizetype>(0, since.size() - 4)) + " 5.6";
  auto* note = MakeLabel("LabelNote", since, style.Font(13), this);
  ButtonLike = MakeButton("ButtonLike", WordText(WordId::ILikeThisGame), 220, style, this);
  connect(ButtonLike, &QAbstractButton::clicked, this, [this] { SendLikeAction(); });
  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(head);
  all->addLayout(g);
  all->addWidget(note);
  all->addWidget(ButtonLike, 0, Qt::AlignHCenter);
  AddOkButton(all, style);
  ReadNow();
}

void TFStat::ReadNow() {
  const bool ok = web_.ReadStatistics(kServiceGame, &stat_);
  for (int k = 1; k <= 10; ++k) Value[k]->clear();
  if (!ok) {
    Value[1]->setText(WordText(WordId::NoConnect));
  } else {
    const long long v[11] = {0,           stat_.Stat1,    stat_.Stat2,    stat_.Stat3,    0,          stat_.StatX[1],
                             stat_.StatX[2], stat_.StatX[3], stat_.StatX[4], stat_.StatX[5], stat_.StatX[6]};
    for (int k = 1; k <= 10; ++k) Value[k]->setText(QString::number(v[k]));
    Value[4]->setText(stat_.Stat4 == "#" ? QString() : Shown(stat_.Stat4));
  }
  ButtonLike->setEnabled(!settings_.LikeSent);
}

void TFStat::SendLikeAction() {
  if (settings_.LikeSent) return;
  std::string nick = settings_.PassportNick;
  if (nick == "Incognito") {
    for (;;) {
      const QString answer = desk_.askNick ? desk_.askNick() : QString();
      if (answer.isEmpty()) return;
      nick = Cp(answer.trimmed());
      if (CheckNameField(nick, 1) != 1) break;
    }
    settings_.PassportNick = nick.substr(0, 12);
    if (save_) save_();
  }
  if (!web_.SendLike(1, settings_.PassportNick)) return;
  ButtonLike->setEnabled(false);
  stat_.Stat3 += 1;
  stat_.Stat4 = settings_.PassportNick;
  if (!Value[3]->text().isEmpty() && Value[3]->text() != WordText(WordId::NoConnect))
    Value[3]->setText(QString::number(stat_.Stat3));
  Value[4]->setText(Shown(stat_.Stat4));
  settings_.LikeSent = true;
  if (save_) save_();
}

bool ReportLaunch(WebServices& web, Settings& settings, bool distributionTag) {
  if (distributionTag) return false;
  const int unique = settings.LaunchReported ? 0 : 1;
  const bool ok = web.SendLaunchReport(1, unique);
  if (ok && unique == 1) settings.LaunchReported = true;
  return ok;
}

}  // namespace zarnet
