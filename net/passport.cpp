#include "passport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "codec.h"
#include "countries.h"
#include "kuv_button.h"
#include "resources.h"
#include "table_drawing.h"
#include "world_pictures.h"

namespace zarnet {

bool PassportCharAllowed(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  if (std::string_view("!(),-.@_").find(char(c)) != std::string_view::npos) return true;
  return c >= 0xC0 || c == 0xA8 || c == 0xB8;
}

bool HasCyrillic(std::string_view cp1251) {
  for (unsigned char c : cp1251)
    if (c >= 0xC0 || c == 0xA8 || c == 0xB8) return true;
  return false;
}

int PassportFieldCheck(std::string_view text, size_t minLength, size_t maxLength) {
  if (text.size() < minLength || text.size() > maxLength) return 1;
  for (unsigned char c : text)
    if (!PassportCharAllowed(c)) return 1;
  return HasCyrillic(text) ? 2 : 3;
}

bool PassportValid(const Settings& s, int level) {
  return NickCheck(s.PassportNick) >= level && CityCheck(s.PassportCity) >= 2;
}

std::string ContinentCode(int continent) { return world::CountryCode(continent, 0); }

namespace {

QString LampName(int check) { return check >= 3 ? "LampG24" : check == 2 ? "LampY24" : "LampR24"; }

// Drops what the character check refuses, as if it had not been typed.
void DropRefused(QLineEdit* edit) {
  const std::string bytes = Utf8ToCp1251(edit->text().toStdString());
  std::string kept;
  for (unsigned char c : bytes)
    if (PassportCharAllowed(c)) kept += char(c);
  if (kept == bytes) return;
  const int pos = edit->cursorPosition() - int(bytes.size() - kept.size());
  edit->setText(FromFile(kept));
  edit->setCursorPosition(std::max(0, pos));
}

}  // namespace

TFormServerInfo::TFormServerInfo(Settings& settings, const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), s_(settings) {
  InitArtResources();
  setWindowTitle(WordText(WordId::MyPassport));
  QVBoxLayout* frame = MakeFrame(style);
  frame->addWidget(MakeLabel("LabelHead", WordText(WordId::Passport), style.Font(20, true), this), 0,
                   Qt::AlignHCenter);
  auto* grid = new QGridLayout;
  frame->addLayout(grid);
  const QFont font = style.Font(15);
  const int fieldWidth = style.Len(200);
  auto row = [&](int r, WordId label, QWidget* field, QLabel* lamp) {
    grid->addWidget(MakeLabel(QString("Label%1").arg(r + 1), WordText(label), font, this), r, 0);
    field->setFont(font);
    field->setMinimumWidth(fieldWidth);
    grid->addWidget(field, r, 1);
    if (lamp) grid->addWidget(lamp, r, 2);
  };
  EditNick = new QLineEdit(FromFile(s_.PassportNick), this);
  EditNick->setObjectName("EditNick");
  EditNick->setMaxLength(12);
  EditCity = new QLineEdit(FromFile(s_.PassportCity), this);
  EditCity->setObjectName("EditCity");
  EditCity->setMaxLength(15);
  LampNick = new QLabel(this);
  LampCity = new QLabel(this);
  ComboContinent = new QComboBox(this);
  ComboContinent->setObjectName("ComboContinent");
  for (WordId w : {WordId::Europe, WordId::Asia, WordId::NorthAmerica, WordId::SouthAmerica, WordId::Oceania,
                   WordId::Africa})
    ComboContinent->addItem(WordText(w));
  ComboCountry = new QComboBox(this);
  ComboCountry->setObjectName("ComboCountry");
  ComboSex = new QComboBox(this);
  ComboSex->setObjectName("ComboSex");
  ComboSex->addItem(WordText(WordId::Male));
  ComboSex->addItem(WordText(WordId::Female));
  ComboSex->setCurrentIndex(s_.PassportSex == 'W' ? 1 : 0);

  row(0, WordId::Nick, EditNick, LampNick);
  row(1, WordId::Country, ComboContinent, nullptr);
  grid->addWidget(ComboCountry, 2, 1);
  ComboCountry->setFont(font);
  row(3, WordId::City, EditCity, LampCity);
  row(4, WordId::Sex, ComboSex, nullptr);

  int continent = 1, index = 1;
  if (!world::ParseCountryCode(s_.PassportCountry, &continent, &index)) continent = 1, index = 1;
  filling_ = true;
  ComboContinent->setCurrentIndex(continent - 1);
  FillCountries(continent);
  ComboCountry->setCurrentIndex(index);
  filling_ = false;

  connect(EditNick, &QLineEdit::textEdited, this, [this] { DropRefused(EditNick); FieldEdited(); });
  connect(EditCity, &QLineEdit::textEdited, this, [this] { DropRefused(EditCity); FieldEdited(); });
  connect(ComboContinent, &QComboBox::activated, this, &TFormServerInfo::ContinentChosen);
  connect(ComboCountry, &QComboBox::activated, this, &TFormServerInfo::CountryChosen);
  connect(ComboSex, &QComboBox::activated, this, [this](int r) { s_.PassportSex = r == 1 ? 'W' : 'M'; });

  ButtonOk = AddOkButton(frame, style, [this] { accept(); });
  FieldEdited();
}

void TFormServerInfo::FillCountries(int continent) {
  ComboCountry->clear();
  for (int i = 0; i < world::CountryCount(continent); ++i) {
    const world::Country& c = world::CountryAt(continent, i);
    ComboCountry->addItem(QPixmap::fromImage(FlagFor(world::CountryCode(continent, i))),
                          QString::fromUtf8(s_.Language == 1 ? c.russian : c.english));
  }
}

void TFormServerInfo::ContinentChosen(int row) {
  const int continent = std::clamp(row + 1, 1, world::kContinents);
  s_.PassportCountry = ContinentCode(continent);
  filling_ = true;
  ComboContinent->setCurrentIndex(continent - 1);
  FillCountries(continent);
  ComboCountry->setCurrentIndex(0);
  filling_ = false;
}

void TFormServerInfo::CountryChosen(int row) {
  if (filling_) return;
  int continent = 1, index = 0;
  if (!world::ParseCountryCode(s_.PassportCountry, &continent, &index)) continent = ComboContinent->currentIndex() + 1;
  if (row < 0 || row >= world::CountryCount(continent)) return;
  s_.PassportCountry = world::CountryCode(continent, row);
  if (ComboCountry->currentIndex() != row) ComboCountry->setCurrentIndex(row);
}

void TFormServerInfo::FieldEdited() {
  const std::string nick = Utf8ToCp1251(EditNick->text().toStdString());
  const std::string city = Utf8ToCp1251(EditCity->text().toStdString());
  const int n = NickCheck(nick), c = CityCheck(city);
  LampNick->setPixmap(QPixmap::fromImage(ProgramPicture(LampName(n))));
  LampCity->setPixmap(QPixmap::fromImage(ProgramPicture(LampName(c))));
  const bool ok = n >= 2 && c >= 2;
  if (ok) {
    s_.PassportNick = nick;
    s_.PassportCity = city;
  }
  ButtonOk->setEnabled(ok);
}

void TFormServerInfo::done(int r) {
  // A refused field keeps the window open, with the focus on it.
  const std::string nick = Utf8ToCp1251(EditNick->text().toStdString());
  const std::string city = Utf8ToCp1251(EditCity->text().toStdString());
  if (NickCheck(nick) < 2) return EditNick->setFocus();
  if (CityCheck(city) < 2) return EditCity->setFocus();
  TRecordDialog::done(r);
}

void ShowPassport(Settings& settings, const FormStyle& style, QWidget* parent) {
  TFormServerInfo f(settings, style, parent);
  f.exec();
}

}  // namespace zarnet
