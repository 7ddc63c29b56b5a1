#include "form_options.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QProxyStyle>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "atomic_file.h"
#include "card_art.h"
#include "codec.h"
#include "kuv_button.h"
#include "resources.h"
#include "service_client.h"
#include "words.h"

namespace zarnet {
namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

constexpr const char* kFlagCodes[kLanguageCount] = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                    "Chi", "Ita", "Cze", "Jpn", "Kor"};
constexpr WordId kLanguageNames[kLanguageCount] = {
    WordId::LanguageEnglish, WordId::LanguageRussian, WordId::LanguageGerman,
    WordId::LanguageFrench,  WordId::LanguageSpanish, WordId::LanguageChinese,
    WordId::LanguageItalian, WordId::LanguageCzech,   WordId::LanguageJapanese,
    WordId::LanguageKorean};

// Design parts by face design number, as the face libraries name them.
constexpr const char* kDesignParts[48] = {
    "",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra", "His", "Nat",
    "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2", "Hea", "Sea", "Rhi", "Me2",
    "Doo", "Boy", "Epi", "USR", "Pla", "SkN", "SkT", "SkF", "Bel", "Dia", "Kny", "Pas",
    "Rus", "Sla", "May", "Lub", "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};
constexpr const char* kBackParts[13] = {"",    "Cl1", "Cl2", "Car", "Cro", "Che", "Dia",
                                        "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};
constexpr WordId kColourNames[7] = {WordId::Green, WordId::Red,   WordId::Orange, WordId::Yellow,
                                    WordId::Blue1, WordId::Blue2, WordId::Violet};
constexpr const char* kSizeHints[5] = {"760 x 500", "", "990 x 650", "1290 x 850", "1520 x 1000"};

// Fonts of the four roles when nobody has changed them.
const Settings& Defaults() {
  static const Settings d;
  return d;
}

// Nine tabs share 500 pixels: less room around each name.
class TightTabs : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
    if (m == PM_TabBarTabHSpace) return 10;
    return QProxyStyle::pixelMetric(m, o, w);
  }
};

bool RandomBacks(int set) { return set >= 8 && set <= 11; }

QString ParentFolder(const std::string& programFolder) {
  return QDir::cleanPath(QString::fromStdString(programFolder) + "/..");
}

}  // namespace

bool LibraryPresent(const std::string& programFolder, const std::string& fileName) {
  const QString name = QString::fromStdString(fileName);
  for (const QString& folder : LibraryFolders(QString::fromStdString(programFolder)))
    if (QFileInfo(QDir(folder).filePath(name)).isFile()) return true;
  return false;
}

bool DownloadLibrary(const std::string& baseUrl, const std::string& programFolder,
                     const std::string& fileName, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (baseUrl.empty()) return fail("no download address");
  const HttpReply reply = HttpGet(baseUrl + "/downloads/progr/cards/" + fileName, 30000);
  if (!reply.ok) return fail("HTTP status " + std::to_string(reply.status));
  if (reply.body.empty()) return fail("empty reply");
  // An error page served with a good status must not be stored as a library.
  const bool isLibrary = fileName.size() > 4 && fileName.compare(fileName.size() - 4, 4, ".dll") == 0;
  if (isLibrary && reply.body.compare(0, 4, "qres") != 0) return fail("not a resource library");
  const QString target = QDir(ParentFolder(programFolder)).filePath(QString::fromStdString(fileName));
  if (!ReplaceFile(target.toStdString(), reply.body)) return fail("cannot write " + target.toStdString());
  return true;
}

int WindowSizeItemsFor(QSize screen) {
  auto smaller = [&](int w, int h) { return screen.width() < w || screen.height() < h; };
  int items = 5;
  if (smaller(1520, 1020)) items = 4;
  if (smaller(1290, 870)) items = 3;
  if (smaller(990, 670)) items = 2;
  return items;
}

TFormOptions::TFormOptions(Settings& settings, OptionsHost& host, const std::string& programFolder,
                           CardArt* art, QWidget* parent)
    : QDialog(parent), s_(settings), host_(host), folder_(programFolder), art_(art) {
  InitArtResources();
  setObjectName("FormOptions");
  setWindowTitle(QString::fromUtf8("Опции"));
  setModal(true);
  setFixedSize(500, 400);
  ScreenSize = [this] {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(760, 500);
  };

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(4, 6, 492, 346);
  // All nine tabs stay in sight, each with its whole name.
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideNone);  // FitTabNames makes room for every name
  if (auto* bar = PageControl1->findChild<QTabBar*>()) {
    auto* style = new TightTabs;
    style->setParent(bar);
    bar->setStyle(style);
    QFont small = bar->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    bar->setFont(small);
    tabFont_ = small;
  }
  BuildGeneral();
  BuildCards();
  BuildDecks();
  BuildGame();
  BuildFonts();
  BuildBackground();
  BuildSaveGames();
  BuildLibraries();
  BuildDesign();

  Button1 = MakeButton(this, 100);
  Button1->move(200, 360);
  connect(Button1, &QAbstractButton::clicked, this, &TFormOptions::Button1Click);
  // Beside Ok, so a download started from any tab reports here.
  auto* status = new QLabel(this);
  status->setObjectName("LabelDownload");
  status->setWordWrap(true);
  status->setGeometry(8, 354, 186, 44);

  SetLanguageIndex(s_.Language);
  Localize();
  SyncFromSettings();
}

TFormOptions::~TFormOptions() = default;

TKuvCardsButton* TFormOptions::MakeButton(QWidget* parent, int width) {
  auto* b = new TKuvCardsButton(parent);
  b->setFixedSize(width, 30);
  buttons_.push_back(b);
  return b;
}

TKuvCardsButton* TFormOptions::MakeDownloadButton(QWidget* parent, const char* fileName) {
  auto* b = MakeButton(parent, 150);
  b->setObjectName(QString("Download_") + fileName);
  downloads_.emplace_back(b, fileName);
  const std::string name = fileName;
  connect(b, &QAbstractButton::clicked, this, [this, name] { DownloadClick(name); });
  return b;
}

std::vector<TKuvCardsButton*> TFormOptions::DownloadButtons(const std::string& fileName) const {
  std::vector<TKuvCardsButton*> out;
  for (const auto& [button, file] : downloads_)
    if (file == fileName) out.push_back(button);
  return out;
}

// --- building the tabs ---

void TFormOptions::BuildGeneral() {
  auto* page = new QWidget;
  page->setObjectName("TabGeneral");
  auto* grid = new QGridLayout(page);
  ComboBoxLan = new QComboBox;
  ComboBoxLan->setIconSize(QSize(30, 20));
  for (int i = 0; i < kLanguageCount; ++i) {
    const QPixmap flag = QPixmap(QString(":/RCDATA/FlagO") + kFlagCodes[i]);
    ComboBoxLan->addItem(flag.isNull() ? QIcon() : QIcon(flag.scaled(30, 20, Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation)),
                         QString());
  }
  ComboBoxWSize = new QComboBox;
  auto* lan = new QLabel;
  lan->setObjectName("LabelLan");
  auto* size = new QLabel;
  size->setObjectName("LabelWSize");
  grid->addWidget(lan, 0, 0);
  grid->addWidget(ComboBoxLan, 0, 1);
  grid->addWidget(size, 1, 0);
  grid->addWidget(ComboBoxWSize, 1, 1);
  CheckBox1 = new QCheckBox;
  CheckBox2 = new QCheckBox;
  CheckBox3 = new QCheckBox;
  CheckBox4 = new QCheckBox;
  CheckBoxCur = new QCheckBox;
  CheckBoxBut = new QCheckBox;
  CheckBoxNet = new QCheckBox;
  grid->addWidget(CheckBox1, 2, 0);
  grid->addWidget(CheckBox2, 3, 0);
  grid->addWidget(CheckBox3, 4, 0);
  grid->addWidget(CheckBox4, 5, 0);
  grid->addWidget(CheckBoxCur, 2, 1);
  grid->addWidget(CheckBoxBut, 3, 1);
  grid->addWidget(CheckBoxNet, 4, 1);
  auto* buttons = new QHBoxLayout;
  Button3 = MakeButton(nullptr, 150);
  Button4 = MakeButton(nullptr, 150);
  buttons->addWidget(Button3);
  buttons->addStretch();
  buttons->addWidget(Button4);
  grid->addLayout(buttons, 6, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(7, 1);
  PageControl1->addTab(page, QString());

  connect(ComboBoxLan, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxLanChange);
  connect(ComboBoxWSize, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxWSizeChange);
  auto flag = [this](QCheckBox* box, bool Settings::*field, void (OptionsHost::*apply)()) {
    connect(box, &QCheckBox::toggled, this, [this, field, apply](bool on) {
      if (syncing_) return;
      s_.*field = on;
      (host_.*apply)();
    });
  };
  flag(CheckBox1, &Settings::SoundOn, &OptionsHost::SoundChanged);
  flag(CheckBox2, &Settings::MusicOn, &OptionsHost::MusicChanged);
  flag(CheckBox3, &Settings::GifAnimation, &OptionsHost::GifAnimationChanged);
  flag(CheckBox4, &Settings::OptFlyCards, &OptionsHost::FlyCardsChanged);
  flag(CheckBoxCur, &Settings::OwnCursor, &OptionsHost::CursorChanged);
  flag(CheckBoxNet, &Settings::NetGame, &OptionsHost::NetGameChanged);
  connect(CheckBoxBut, &QCheckBox::toggled, this, [this](bool on) {
    if (syncing_) return;
    s_.NewButtons = on;
    for (TKuvCardsButton* b : buttons_) b->SetNata(on);
    host_.ButtonsChanged();
  });
  connect(Button3, &QAbstractButton::clicked, this, &TFormOptions::Button3Click);
  connect(Button4, &QAbstractButton::clicked, this, &TFormOptions::Button4Click);
}

void TFormOptions::BuildCards() {
  auto* page = new QWidget;
  page->setObjectName("TabCards");
  auto* box = new QVBoxLayout(page);
  auto* label = new QLabel;
  label->setObjectName("LabelDesign");
  ComboBox1 = new QComboBox;
  ComboBox1->setMaxVisibleItems(16);
  for (int d = 0; d < 48; ++d) ComboBox1->addItem(QString());
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(ComboBox1, 1);
  box->addLayout(row);
  Image1 = new QLabel;
  Image1->setFixedSize(260, 96);
  box->addWidget(Image1, 0, Qt::AlignHCenter);
  auto* dll = new QHBoxLayout;
  ButtonDLLCardsA_1 = MakeDownloadButton(nullptr, "KuvCards06A.dll");
  ButtonDLLCardsB_1 = MakeDownloadButton(nullptr, "KuvCards06B.dll");
  ButtonDLLCardsC_1 = MakeDownloadButton(nullptr, "KuvCards06C.dll");
  dll->addWidget(ButtonDLLCardsA_1);
  dll->addWidget(ButtonDLLCardsB_1);
  dll->addWidget(ButtonDLLCardsC_1);
  box->addStretch();
  box->addLayout(dll);
  PageControl1->addTab(page, QString());
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBox1Change);
}

void TFormOptions::BuildDecks() {
  auto* page = new QWidget;
  page->setObjectName("TabDecks");
  auto* box = new QVBoxLayout(page);
  auto* label = new QLabel;
  label->setObjectName("LabelBacks");
  ComboBox2 = new QComboBox;
  for (int s = 0; s < 13; ++s) ComboBox2->addItem(QString());
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(ComboBox2, 1);
  box->addLayout(row);
  RadioGroup2 = new QGroupBox;
  auto* items = new QVBoxLayout(RadioGroup2);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    RadioGroup2Items[i] = new QRadioButton;
    items->addWidget(RadioGroup2Items[i]);
    group->addButton(RadioGroup2Items[i], i);
  }
  box->addWidget(RadioGroup2);
  box->addStretch();
  ButtonDLLCardsB_2 = MakeDownloadButton(nullptr, "KuvCards06B.dll");
  box->addWidget(ButtonDLLCardsB_2, 0, Qt::AlignRight);
  PageControl1->addTab(page, QString());
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBox2Change);
  connect(group, &QButtonGroup::idClicked, this, &TFormOptions::RadioGroup2Click);
}

void TFormOptions::BuildGame() {
  auto* page = new QWidget;
  page->setObjectName("TabGame");
  auto* box = new QVBoxLayout(page);
  auto* rules = new QGroupBox;
  rules->setObjectName("GroupRules");
  auto* r = new QVBoxLayout(rules);
  CheckBox5 = new QCheckBox;
  CheckBox6 = new QCheckBox;
  r->addWidget(CheckBox5);
  r->addWidget(CheckBox6);
  box->addWidget(rules);
  auto* opponent = new QGroupBox;
  opponent->setObjectName("GroupOpponent");
  auto* o = new QVBoxLayout(opponent);
  RadioOpponentStandard = new QRadioButton;
  RadioOpponentStrong = new QRadioButton;
  RadioOpponentExpert = new QRadioButton;
  o->addWidget(RadioOpponentStandard);
  o->addWidget(RadioOpponentStrong);
  o->addWidget(RadioOpponentExpert);
  box->addWidget(opponent);
  box->addStretch();
  PageControl1->addTab(page, QString());
  auto rule = [this](QCheckBox* b, bool Settings::*field) {
    connect(b, &QCheckBox::toggled, this, [this, field](bool on) {
      if (syncing_) return;
      s_.*field = on;
      host_.RulesChanged();
    });
  };
  rule(CheckBox5, &Settings::OptBlackHand);
  rule(CheckBox6, &Settings::OptReplaceDeuce);
  auto level = [this](QRadioButton* b, OpponentLevel value) {
    connect(b, &QRadioButton::toggled, this, [this, value](bool on) {
      if (syncing_ || !on || s_.Opponent == value) return;
      s_.Opponent = value;
      host_.RulesChanged();
    });
  };
  level(RadioOpponentStandard, OpponentLevel::Standard);
  level(RadioOpponentStrong, OpponentLevel::Strong);
  level(RadioOpponentExpert, OpponentLevel::Expert);
}

void TFormOptions::BuildFonts() {
  auto* page = new QWidget;
  page->setObjectName("TabFonts");
  auto* grid = new QGridLayout(page);
  ComboBoxFont = new QComboBox;
  for (int i = 0; i < 4; ++i) ComboBoxFont->addItem(QString());
  FontComboBox1 = new QFontComboBox;
  SpinEdit1 = new QSpinBox;
  SpinEdit1->setRange(50, 150);
  auto* scale = new QLabel;
  scale->setObjectName("LabelScale");
  Button2 = MakeButton(nullptr, 150);
  grid->addWidget(ComboBoxFont, 0, 0, 1, 2);
  grid->addWidget(FontComboBox1, 1, 0, 1, 2);
  grid->addWidget(scale, 2, 0);
  grid->addWidget(SpinEdit1, 2, 1, Qt::AlignLeft);
  grid->addWidget(Button2, 3, 0, 1, 2, Qt::AlignLeft);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  PageControl1->addTab(page, QString());
  connect(ComboBoxFont, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxFontChange);
  connect(FontComboBox1, &QFontComboBox::currentTextChanged, this,
          &TFormOptions::FontComboBox1Change);
  connect(SpinEdit1, &QSpinBox::valueChanged, this, &TFormOptions::SpinEdit1Change);
  connect(Button2, &QAbstractButton::clicked, this, &TFormOptions::Button2Click);
}

void TFormOptions::BuildBackground() {
  auto* page = new QWidget;
  page->setObjectName("TabBackground");
  auto* grid = new QGridLayout(page);
  auto* pattern = new QLabel;
  pattern->setObjectName("LabelPattern");
  auto* colour = new QLabel;
  colour->setObjectName("LabelColour");
  ComboBoxBG1 = new QComboBox;
  for (int p = 1; p <= 10; ++p) ComboBoxBG1->addItem(QString());
  ComboBoxBG2 = new QComboBox;
  // A swatch beside each colour name.
  const QRgb swatches[7] = {0x2e7d32, 0xc62828, 0xef6c00, 0xf9c825, 0x1e88e5, 0x0d3c8c, 0x6a1b9a};
  for (int c = 0; c < 7; ++c) {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(swatches[c]));
    ComboBoxBG2->addItem(QIcon(swatch), QString());
  }
  ButtonDLLBackG_1 = MakeDownloadButton(nullptr, kBackgroundLibrary);
  grid->addWidget(pattern, 0, 0);
  grid->addWidget(ComboBoxBG1, 0, 1);
  grid->addWidget(colour, 1, 0);
  grid->addWidget(ComboBoxBG2, 1, 1);
  grid->setRowStretch(2, 1);
  grid->addWidget(ButtonDLLBackG_1, 3, 1, Qt::AlignRight);
  grid->setColumnStretch(1, 1);
  PageControl1->addTab(page, QString());
  connect(ComboBoxBG1, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxBG1Change);
  connect(ComboBoxBG2, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxBG2Change);
}

void TFormOptions::BuildSaveGames() {
  auto* page = new QWidget;
  page->setObjectName("TabSaveGames");
  auto* box = new QVBoxLayout(page);
  CheckBoxSG1 = new QCheckBox;
  ComboBoxSG1 = new QComboBox;
  ComboBoxSG1->addItem(QString());
  ComboBoxSG1->addItem(QString());
  SpinEditSG1 = new QSpinBox;
  SpinEditSG1->setRange(10, 5000);
  SpinEditSG1->setSingleStep(100);
  auto* delay = new QLabel;
  delay->setObjectName("LabelDelay");
  box->addWidget(CheckBoxSG1);
  box->addWidget(ComboBoxSG1);
  auto* row = new QHBoxLayout;
  row->addWidget(delay);
  row->addWidget(SpinEditSG1);
  row->addStretch();
  box->addLayout(row);
  box->addStretch();
  PageControl1->addTab(page, QString());
  connect(CheckBoxSG1, &QCheckBox::toggled, this, &TFormOptions::CheckBoxSG1Click);
  connect(ComboBoxSG1, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (syncing_ || item < 0) return;
    s_.RecordMode = item + 1;
    host_.RecorderChanged();
  });
  connect(SpinEditSG1, &QSpinBox::valueChanged, this, [this](int ms) {
    if (syncing_) return;
    s_.FrameDelay = ms;
    host_.RecorderChanged();
  });
}

void TFormOptions::BuildLibraries() {
  auto* page = new QWidget;
  page->setObjectName("TabLibraries");
  auto* grid = new QGridLayout(page);
  for (size_t i = 0; i < kDownloadLibraries.size(); ++i) {
    LibraryButtons[i] = MakeDownloadButton(nullptr, kDownloadLibraries[i]);
    LibraryButtons[i]->setFixedSize(200, 30);
    grid->addWidget(LibraryButtons[i], int(i % 5), int(i / 5));
  }
  grid->setRowStretch(5, 1);
  PageControl1->addTab(page, QString());
}

void TFormOptions::BuildDesign() {
  auto* page = new QWidget;
  page->setObjectName("TabDesign");
  auto* grid = new QGridLayout(page);
  ComboBoxD1 = new QComboBox;
  ComboBoxD2 = new QComboBox;
  ComboBoxD3 = new QComboBox;
  for (QComboBox* c : {ComboBoxD1, ComboBoxD2}) c->addItems({QString(), QString()});
  ComboBoxD3->addItems({QString(), QString(), QString(), QString()});
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel;
    label->setObjectName(QString("LabelD%1").arg(i + 1));
    grid->addWidget(label, i, 0);
  }
  grid->addWidget(ComboBoxD1, 0, 1);
  grid->addWidget(ComboBoxD2, 1, 1);
  grid->addWidget(ComboBoxD3, 2, 1);
  auto* salute = new QGroupBox;
  salute->setObjectName("GroupSalute");
  auto* row = new QHBoxLayout(salute);
  CheckBoxD1 = new QCheckBox;
  CheckBoxD2 = new QCheckBox;
  row->addWidget(CheckBoxD1);
  row->addWidget(CheckBoxD2);
  row->addStretch();
  grid->addWidget(salute, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  PageControl1->addTab(page, QString());
  connect(ComboBoxD1, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD1Change);
  connect(ComboBoxD2, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD2Change);
  connect(ComboBoxD3, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD3Change);
  auto salut = [this](QCheckBox* b, bool Settings::*field) {
    connect(b, &QCheckBox::toggled, this, [this, field](bool on) {
      if (syncing_) return;
      s_.*field = on;
      host_.DesignChanged();
    });
  };
  salut(CheckBoxD1, &Settings::SaluteButtons);
  salut(CheckBoxD2, &Settings::SaluteCards);
}

// --- texts and state ---

void TFormOptions::Localize() {
  setWindowTitle(W(WordId::Options));
  const WordId tabs[9] = {WordId::TabGeneral,    WordId::TabCards,      WordId::TabDecks,
                          WordId::TabGame,       WordId::TabFonts,      WordId::TabBackground,
                          WordId::TabSaveGames,  WordId::TabLibraries,  WordId::TabDesign};
  QStringList names;
  for (int i = 0; i < 9; ++i) {
    names << W(tabs[i]);
    PageControl1->setTabToolTip(i, names.back());
  }
  FitTabNames(names);
  Button1->setText(W(WordId::Ok));

  auto label = [this](const char* name, WordId id) {
    if (auto* l = findChild<QLabel*>(name)) l->setText(W(id));
  };
  auto group = [this](const char* name, WordId id) {
    if (auto* g = findChild<QGroupBox*>(name)) g->setTitle(W(id));
  };
  label("LabelLan", WordId::Language);
  label("LabelWSize", WordId::WindowSize);
  label("LabelDesign", WordId::CardDesign);
  label("LabelBacks", WordId::CardBacks);
  label("LabelScale", WordId::ScalePercent);
  label("LabelPattern", WordId::Pattern);
  label("LabelColour", WordId::Colour);
  label("LabelDelay", WordId::DelayBetweenFramesMsec);
  label("LabelD1", WordId::MainMenuDesign);
  label("LabelD2", WordId::CardTableDesign);
  label("LabelD3", WordId::DialogWindowsDesign);
  group("GroupRules", WordId::Rules);
  group("GroupOpponent", WordId::Opponent);
  group("GroupSalute", WordId::Fireworks);

  for (int i = 0; i < kLanguageCount; ++i)
    ComboBoxLan->setItemText(i, W(kLanguageNames[i]));  // each in its own name
  FillWindowSizes();
  CheckBox1->setText(W(WordId::Sound));
  CheckBox2->setText(W(WordId::Music));
  CheckBox3->setText(W(WordId::GifAnimation));
  CheckBox4->setText(W(WordId::FlyCards));
  CheckBoxCur->setText(W(WordId::OwnCursor));
  CheckBoxBut->setText(W(WordId::NewButtons));
  CheckBoxNet->setText(W(WordId::NetGame));
  Button3->setText(QString("%1=%2").arg(W(WordId::Speed)).arg(s_.FlySpeed));
  Button4->setText(W(WordId::Passport));

  for (int d = 0; d < 48; ++d)
    ComboBox1->setItemText(d, d == 0 ? W(WordId::BuiltIn) : QString("%1  %2").arg(d).arg(kDesignParts[d]));
  for (int d = 1; d < 48; ++d) ComboBox1->setItemData(d, FaceLibrary(d), Qt::ToolTipRole);
  for (int set = 0; set < 13; ++set) {
    ComboBox2->setItemText(set, set == 0 ? W(WordId::BuiltIn) : QString("%1  %2").arg(set).arg(kBackParts[set]));
    if (set > 0) ComboBox2->setItemData(set, QString(kBackLibrary), Qt::ToolTipRole);
  }
  RadioGroup2->setTitle(W(WordId::Change));
  RadioGroup2Items[0]->setText(W(WordId::ChangeBacks));
  RadioGroup2Items[1]->setText(W(WordId::AlwaysOne));
  RadioGroup2Items[2]->setText(W(WordId::Random));

  CheckBox5->setText(W(WordId::BlackHand));
  CheckBox6->setText(W(WordId::ChangeTheDeuce));
  RadioOpponentStandard->setText(W(WordId::Standard));
  RadioOpponentStrong->setText(W(WordId::Strong));
  RadioOpponentExpert->setText(W(WordId::Expert));

  const WordId roles[4] = {WordId::LargeFont, WordId::SmallFont, WordId::SpecialFont1,
                           WordId::SpecialFont2};
  for (int i = 0; i < 4; ++i) ComboBoxFont->setItemText(i, W(roles[i]));
  Button2->setText(W(WordId::Default));

  for (int p = 1; p <= 10; ++p) ComboBoxBG1->setItemText(p - 1, QString("%1 %2").arg(W(WordId::Pattern)).arg(p));
  for (int c = 0; c < 7; ++c) ComboBoxBG2->setItemText(c, W(kColourNames[c]));

  CheckBoxSG1->setText(W(WordId::SaveGamesAsGifAnimation));
  ComboBoxSG1->setItemText(0, W(WordId::SaveOnlyTheMainWindow));
  ComboBoxSG1->setItemText(1, W(WordId::SaveTheWholeScreen));

  for (QComboBox* c : {ComboBoxD1, ComboBoxD2}) {
    c->setItemText(0, W(WordId::Standard));
    c->setItemText(1, W(WordId::GraphicsLibrary));
  }
  ComboBoxD3->setItemText(0, W(WordId::Standard));
  ComboBoxD3->setItemText(1, W(WordId::Alternative1));
  ComboBoxD3->setItemText(2, W(WordId::Alternative2));
  ComboBoxD3->setItemText(3, W(WordId::GraphicsLibrary));
  CheckBoxD1->setText(W(WordId::Buttons));
  CheckBoxD2->setText(W(WordId::Cards));

  for (const auto& [button, file] : downloads_) {
    button->setText(QString::fromStdString(file));
    button->setToolTip(W(WordId::Download) + " " + QString::fromStdString(file));
  }
}

void TFormOptions::FitTabNames(const QStringList& names) {
  auto* bar = PageControl1->findChild<QTabBar*>();
  for (int i = 0; i < names.size(); ++i) PageControl1->setTabText(i, names[i]);
  if (!bar) return;
  // A name is never cut: the tab font steps down twice, and what still does
  // not fit widens the window.
  constexpr int kWidth = 500, kTabsWidth = 492;
  QFont font = tabFont_;
  for (int step = 0; step < 3; ++step) {
    bar->setFont(font);
    if (bar->sizeHint().width() <= kTabsWidth - 4) break;
    font.setPointSizeF(font.pointSizeF() * 0.9);
  }
  const int extra = std::max(0, bar->sizeHint().width() - (kTabsWidth - 4));
  setFixedSize(kWidth + extra, height());
  PageControl1->resize(kTabsWidth + extra, PageControl1->height());
  Button1->move(200 + extra / 2, Button1->y());
}

void TFormOptions::FillWindowSizes() {
  const bool was = syncing_;
  syncing_ = true;
  const WordId names[5] = {WordId::SmallWindow, WordId::FullScreen, WordId::MediumWindow1,
                           WordId::MediumWindow2, WordId::LargeWindow};
  ComboBoxWSize->clear();
  const QSize screen = ScreenSize ? ScreenSize() : QSize(760, 500);
  for (int i = 0; i < sizeItems_; ++i) {
    ComboBoxWSize->addItem(W(names[i]));
    const QString hint = i == 1 ? QString("%1 x %2").arg(screen.width()).arg(screen.height())
                                : QString(kSizeHints[i]);
    ComboBoxWSize->setItemData(i, hint, Qt::ToolTipRole);
  }
  const int item = s_.WindowMode - 1;
  ComboBoxWSize->setCurrentIndex(item < sizeItems_ ? item : -1);
  ComboBoxWSize->setToolTip(ComboBoxWSize->currentData(Qt::ToolTipRole).toString());
  syncing_ = was;
}

void TFormOptions::SyncFromSettings() {
  const bool was = syncing_;
  syncing_ = true;
  ComboBoxLan->setCurrentIndex(s_.Language);
  const int item = s_.WindowMode - 1;
  ComboBoxWSize->setCurrentIndex(item < ComboBoxWSize->count() ? item : -1);
  ComboBoxWSize->setToolTip(ComboBoxWSize->currentData(Qt::ToolTipRole).toString());
  CheckBox1->setChecked(s_.SoundOn);
  CheckBox2->setChecked(s_.MusicOn);
  CheckBox3->setChecked(s_.GifAnimation);
  CheckBox4->setChecked(s_.OptFlyCards);
  CheckBoxCur->setChecked(s_.OwnCursor);
  CheckBoxBut->setChecked(s_.NewButtons);
  CheckBoxNet->setChecked(s_.NetGame);
  for (TKuvCardsButton* b : buttons_) b->SetNata(s_.NewButtons);
  Button3->setText(QString("%1=%2").arg(W(WordId::Speed)).arg(s_.FlySpeed));
  ComboBox1->setCurrentIndex(s_.FaceDesign);
  ComboBox2->setCurrentIndex(s_.BackSet);
  CheckBox5->setChecked(s_.OptBlackHand);
  CheckBox6->setChecked(s_.OptReplaceDeuce);
  (s_.Opponent == OpponentLevel::Strong   ? RadioOpponentStrong
   : s_.Opponent == OpponentLevel::Expert ? RadioOpponentExpert
                                          : RadioOpponentStandard)
      ->setChecked(true);
  const int role = std::max(0, ComboBoxFont->currentIndex());
  ShowFontRole(role);
  ComboBoxBG1->setCurrentIndex(s_.BgPattern >= 1 && s_.BgPattern <= 10 ? s_.BgPattern - 1 : -1);
  ComboBoxBG2->setCurrentIndex(s_.BgColour >= 0 && s_.BgColour <= 6 ? s_.BgColour : -1);
  CheckBoxSG1->setChecked(s_.RecordGames);
  ComboBoxSG1->setCurrentIndex(s_.RecordMode == 2 ? 1 : 0);
  SpinEditSG1->setValue(s_.FrameDelay);
  ComboBoxD1->setCurrentIndex(s_.MenuDesign ? 1 : 0);
  ComboBoxD2->setCurrentIndex(s_.TableDesign ? 1 : 0);
  ComboBoxD3->setCurrentIndex(s_.LibraryWindows ? 3 : s_.WindowStyle == 1 ? 1 : s_.WindowStyle == 3 ? 2 : 0);
  syncing_ = was;
  UpdateBackRules();
  UpdateBackgroundRules();
  UpdateRecorderRules();
  UpdateSalute();
  UpdateLibraryButtons();
  DrawPreview();
}

void TFormOptions::UpdateBackRules() {
  const bool random = RandomBacks(s_.BackSet);
  RadioGroup2Items[0]->setEnabled(!random);
  RadioGroup2Items[1]->setEnabled(!random);
  RadioGroup2Items[2]->setEnabled(random);
  if (random) s_.BackAlwaysOne = false;
  const int item = random ? 2 : s_.BackAlwaysOne ? 1 : 0;
  RadioGroup2Items[item]->setChecked(true);
}

void TFormOptions::UpdateBackgroundRules() {
  const bool library = s_.MenuDesign && s_.TableDesign;
  ComboBoxBG1->setEnabled(!library);
  ComboBoxBG2->setEnabled(!library && s_.BgPattern != 0);
}

void TFormOptions::UpdateRecorderRules() {
  // Only the small window is recorded; the larger sizes switch recording off.
  CheckBoxSG1->setEnabled(s_.WindowMode == 1);
  ComboBoxSG1->setEnabled(s_.RecordGames);
  SpinEditSG1->setEnabled(s_.RecordGames);
}

bool TFormOptions::GraphLibraryPresent() const { return LibraryPresent(folder_, kGraphLibrary); }

void TFormOptions::UpdateSalute() {
  const bool present = GraphLibraryPresent();
  if (!present && (s_.SaluteButtons || s_.SaluteCards)) {
    s_.SaluteButtons = s_.SaluteCards = false;
    host_.DesignChanged();
  }
  const bool was = syncing_;
  syncing_ = true;
  CheckBoxD1->setEnabled(present);
  CheckBoxD2->setEnabled(present);
  CheckBoxD1->setChecked(s_.SaluteButtons);
  CheckBoxD2->setChecked(s_.SaluteCards);
  syncing_ = was;
}

void TFormOptions::UpdateLibraryButtons() {
  for (const auto& [button, file] : downloads_) {
    const bool absent = !LibraryPresent(folder_, file);
    button->setEnabled(absent);
    button->SetKLightSB(absent ? 0 : 50);
  }
}

void TFormOptions::DrawPreview() {
  preview_ = QImage(260, 96, QImage::Format_ARGB32_Premultiplied);
  preview_.fill(Qt::transparent);
  if (art_) {
    // Always the small card size, whatever the window size.
    const int width = art_->CardWidth, height = art_->CardHeight;
    const double scale = art_->Scale;
    art_->CardWidth = 71;
    art_->CardHeight = 96;
    art_->Scale = 1.0;
    const CardCode cards[4] = {{kJack, kHearts}, {kQueen, kDiamonds}, {kKing, kClubs}, {kAce, kSpades}};
    for (int i = 0; i < 4; ++i) art_->DrawCard(63 * i, 0, cards[i], preview_);
    art_->CardWidth = width;
    art_->CardHeight = height;
    art_->Scale = scale;
  }
  Image1->setPixmap(QPixmap::fromImage(preview_));
}

// --- handlers ---

void TFormOptions::showEvent(QShowEvent* e) {
  FormShow();
  QDialog::showEvent(e);
}

void TFormOptions::FormShow() {
  sizeItems_ = WindowSizeItemsFor(ScreenSize ? ScreenSize() : QSize(760, 500));
  Localize();
  SyncFromSettings();
}

void TFormOptions::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    Button1Click();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TFormOptions::Button1Click() {
  if (s_.SaluteButtons) host_.TouchEffect();
  accept();
}

void TFormOptions::ComboBoxLanChange(int item) {
  if (syncing_ || item < 0) return;
  s_.Language = item;
  SetLanguageIndex(item);
  Localize();
  SyncFromSettings();
  host_.ApplyLanguage();
}

void TFormOptions::ComboBoxWSizeChange(int item) {
  if (syncing_ || item < 0) return;
  s_.WindowMode = item + 1;
  ComboBoxWSize->setToolTip(ComboBoxWSize->itemData(item, Qt::ToolTipRole).toString());
  if (s_.WindowMode != 1 && s_.RecordGames) {
    s_.RecordGames = false;
    host_.RecorderChanged();
  }
  host_.ApplyWindowMode();
  SyncFromSettings();  // the mode may have reloaded art with fallbacks
}

void TFormOptions::Button3Click() {
  if (OpenSpeedWindow) OpenSpeedWindow();
  Button3->setText(QString("%1=%2").arg(W(WordId::Speed)).arg(s_.FlySpeed));
}

void TFormOptions::Button4Click() {
  host_.PlaySound("WOpenFo");
  if (OpenPassport) OpenPassport();
}

void TFormOptions::ComboBox1Change(int item) {
  if (syncing_ || item < 0) return;
  s_.FaceDesign = item;
  if (!host_.ReloadFaces()) s_.FaceDesign = 0;
  SyncFromSettings();
}

void TFormOptions::ComboBox2Change(int item) {
  if (syncing_ || item < 0) return;
  s_.BackSet = item;
  if (RandomBacks(item)) s_.BackAlwaysOne = false;
  if (!host_.ReloadBacks()) s_.BackSet = 0;
  host_.BackModeChanged();
  SyncFromSettings();
}

void TFormOptions::RadioGroup2Click(int item) {
  if (syncing_) return;
  s_.BackAlwaysOne = item == 1;
  host_.BackModeChanged();
}

void TFormOptions::ComboBoxFontChange(int item) {
  if (syncing_ || item < 0) return;
  ShowFontRole(item);
}

void TFormOptions::ShowFontRole(int role) {
  const bool was = syncing_;
  syncing_ = true;
  FontComboBox1->setCurrentFont(QFont(QString::fromStdString(Cp1251ToUtf8(s_.Fonts[role].name))));
  SpinEdit1->setValue(s_.Fonts[role].percentage);
  syncing_ = was;
}

void TFormOptions::FontComboBox1Change(const QString& name) {
  if (syncing_ || name.size() <= 1) return;
  const int role = std::max(0, ComboBoxFont->currentIndex());
  // The settings file holds cp1251: a name it cannot hold would come back garbled.
  const std::string bytes = Utf8ToCp1251(name.toStdString());
  if (Cp1251ToUtf8(bytes) != name.toStdString()) return ShowFontRole(role);
  s_.Fonts[role].name = bytes;
  host_.FontsChanged();
}

void TFormOptions::SpinEdit1Change(int percentage) {
  if (syncing_) return;
  s_.Fonts[std::max(0, ComboBoxFont->currentIndex())].percentage = percentage;
  host_.FontsChanged();
}

void TFormOptions::Button2Click() {
  s_.Fonts = Defaults().Fonts;
  ComboBoxFontChange(std::max(0, ComboBoxFont->currentIndex()));
  host_.FontsChanged();
}

void TFormOptions::ChooseBackground(int Settings::*field, int value) {
  s_.*field = value;
  if (!host_.ReloadBackground()) {  // the library is missing: the built-in background
    s_.BgPattern = 2;
    s_.BgColour = 0;
  }
  SyncFromSettings();
}

void TFormOptions::ComboBoxBG1Change(int item) {
  if (!syncing_ && item >= 0) ChooseBackground(&Settings::BgPattern, item + 1);
}

void TFormOptions::ComboBoxBG2Change(int item) {
  if (!syncing_ && item >= 0) ChooseBackground(&Settings::BgColour, item);
}

void TFormOptions::CheckBoxSG1Click(bool on) {
  if (syncing_) return;
  s_.RecordGames = on;
  UpdateRecorderRules();
  host_.RecorderChanged();
}

void TFormOptions::ResetDesign() {
  host_.ShowMissingFile(kGraphLibrary);
  s_.MenuDesign = false;
  s_.TableDesign = false;
  s_.WindowStyle = 2;
  s_.LibraryWindows = false;
  host_.ReloadBackground();
  host_.DesignChanged();
  SyncFromSettings();
}

void TFormOptions::ChooseScreenDesign(bool Settings::*field, int item) {
  if (syncing_ || item < 0) return;
  if (item == 1 && !GraphLibraryPresent()) return ResetDesign();
  s_.*field = item == 1;
  host_.ReloadBackground();
  host_.DesignChanged();
  SyncFromSettings();
}

void TFormOptions::ComboBoxD1Change(int item) { ChooseScreenDesign(&Settings::MenuDesign, item); }
void TFormOptions::ComboBoxD2Change(int item) { ChooseScreenDesign(&Settings::TableDesign, item); }

void TFormOptions::ComboBoxD3Change(int item) {
  if (syncing_ || item < 0) return;
  if (item == 3 && !GraphLibraryPresent()) return ResetDesign();
  s_.LibraryWindows = item == 3;
  if (item < 3) s_.WindowStyle = item == 0 ? 2 : item == 1 ? 1 : 3;
  host_.DesignChanged();
  SyncFromSettings();
}

void TFormOptions::DownloadClick(const std::string& fileName) {
  auto* status = findChild<QLabel*>("LabelDownload");
  const QString file = QString::fromStdString(fileName);
  status->setText(file + ": " + W(WordId::PleaseWait));
  status->repaint();  // the download blocks until it ends
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = DownloadLibrary(DownloadBaseUrl, folder_, fileName, &error);
  QApplication::restoreOverrideCursor();
  host_.PlaySound(ok ? "WToMenK" : "WWrongs");
  status->setText(file + ": " + (ok ? W(WordId::Downloaded) : W(WordId::DownloadFailed)));
  UpdateLibraryButtons();
  UpdateSalute();
}

}  // namespace zarnet
