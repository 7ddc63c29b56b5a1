#include "form_password.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>

#include "codec.h"
#include "kuv_button.h"

namespace zarnet {

namespace {

// Names and passwords are stored as cp1251 bytes: a character that code page
// lacks, or a control character, would come back as something else. A letter
// the code page lacks is refused aloud, so that none vanishes unseen.
class Cp1251Validator : public QValidator {
 public:
  using QValidator::QValidator;
  std::function<void(const QString& letters)> Refused;
  State validate(QString& input, int&) const override {
    const QString outside = LettersOutsideCp1251(input);
    if (!outside.isEmpty()) {
      if (Refused) Refused(outside);
      return Invalid;
    }
    for (const char32_t c : input.toUcs4()) {
      const int b = UnicodeToCp1251(c);
      if (b < 0x20 || b == 0x7f || b == 0x98) return Invalid;
    }
    return Acceptable;
  }
};

std::string ToFile(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

}  // namespace

TFormPassword::TFormPassword(const std::string& listPath, int slot, const std::string& lastName,
                             const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), slot_(slot) {
  setObjectName("FormPassword");
  setWindowTitle(WordText(WordId::Welcome));
  const bool newPlayer = slot_ < 1 || slot_ > 5;
  if (newPlayer) slot_ = kSlotNewPlayer;
  std::string name = lastName;
  if (!newPlayer) {
    // A list that cannot be read leaves no password to match: the player is
    // refused rather than let in unchecked, and told why.
    if (std::optional<ListPlayer> p = LoadPlayer(listPath, slot_); p && !p->Free) {
      name = p->Name;
      storedField_ = p->PasswordField;
    } else {
      name.clear();
      listError_ = QString::fromStdString(FileMessage(WordUtf8(WordId::TheIncorrectFile), listPath));
    }
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();

  const QFont font = style.Font(15);
  auto* validator = new Cp1251Validator(this);
  // The password's refusal names no letters: the box hides what is typed.
  auto* passwordValidator = new Cp1251Validator(this);
  auto edit = [&](const char* objectName, int maxLength, bool password) {
    auto* e = new QLineEdit(this);
    e->setObjectName(objectName);
    e->setFont(font);
    e->setMaxLength(maxLength);
    e->setValidator(password ? passwordValidator : validator);
    if (password) e->setEchoMode(QLineEdit::Password);
    e->setFixedWidth(style.Len(password ? 110 : 230));
    return e;
  };
  Edit1 = edit("Edit1", 20, false);
  Edit1->setText(FromFile(name));
  // A listed player's name is the list's; only a new player chooses one.
  Edit1->setReadOnly(!newPlayer);
  Edit2 = edit("Edit2", 5, true);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(style.Len(10));
  grid->addWidget(MakeLabel("Label2", WordText(WordId::EnterYourName), font, this), 0, 0);
  grid->addWidget(Edit1, 0, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel("Label3", WordText(WordId::EnterYourPassword), font, this), 1, 0);
  grid->addWidget(Edit2, 1, 1, Qt::AlignLeft);
  if (newPlayer) {
    Edit3 = edit("Edit3", 5, true);
    grid->addWidget(MakeLabel("Label4", WordText(WordId::AndOnceAgainForCheck), font, this), 2, 0);
    grid->addWidget(Edit3, 2, 1, Qt::AlignLeft);
  }

  LabelMessage = MakeLabel("LabelMessage", QString(), style.Font(15, true), this);
  LabelMessage->setAlignment(Qt::AlignCenter);
  LabelMessage->setWordWrap(true);
  QPalette warn = LabelMessage->palette();
  warn.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
  LabelMessage->setPalette(warn);
  // The line keeps its room, so the dialog does not jump when it shows.
  LabelMessage->setMinimumHeight(QFontMetrics(LabelMessage->font()).height());
  // An edit hides a refusal of "Ok"; refused letters stay named until the
  // dialog closes, since the name went on without them.
  auto lettersLine = [this] {
    if (!refused_.isEmpty()) return RefusedLettersMessage(refused_);
    return passwordRefused_ ? WordText(WordId::PasswordLettersNotAllowed) : QString();
  };
  for (QLineEdit* e : {Edit1, Edit2, Edit3})
    if (e) connect(e, &QLineEdit::textEdited, this, [this, lettersLine] { ShowMessageLine(lettersLine()); });
  validator->Refused = [this, lettersLine](const QString& letters) {
    for (const QChar c : letters)
      if (!refused_.contains(c)) refused_ += c;
    ShowMessageLine(lettersLine());
  };
  passwordValidator->Refused = [this, lettersLine](const QString&) {
    passwordRefused_ = true;
    ShowMessageLine(lettersLine());
  };

  networkBox_ = new QGroupBox(this);
  networkBox_->setObjectName("NetworkBox");
  networkBox_->hide();

  auto* ok = MakeButton("Button1", WordText(WordId::Ok), 100, style, this);
  auto* cancel = MakeButton("Button2", WordText(WordId::Cancel), 100, style, this);
  cancel->SetColorSB(TColorSB::DNavy);
  connect(ok, &QAbstractButton::clicked, this, &TFormPassword::Button1Click);
  connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
  SetDefaultButton(ok);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addSpacing(style.Len(20));
  buttons->addWidget(cancel);
  buttons->addStretch();

  QVBoxLayout* all = MakeFrame(style);
  auto* title = MakeLabel("Label1", WordText(WordId::Welcome), style.Font(22, true), this);
  title->setAlignment(Qt::AlignCenter);
  all->addWidget(title);
  all->addLayout(grid);
  all->addWidget(LabelMessage);
  all->addWidget(networkBox_);
  all->addLayout(buttons);

  // Typing starts where it is needed: the name for a new player, the
  // password for a listed one.
  QWidget* order[] = {Edit1, Edit2, Edit3, networkBox_, ok, cancel};
  QWidget* previous = nullptr;
  for (QWidget* w : order) {
    if (!w) continue;
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
  (newPlayer ? Edit1 : Edit2)->setFocus();
  ShowMessageLine(listError_);
}

QString TFormPassword::MessageLine() const { return LabelMessage->text(); }

void TFormPassword::ShowMessageLine(const QString& text) { LabelMessage->setText(text); }

void TFormPassword::Button1Click() {
  if (!listError_.isEmpty()) {
    ShowMessageLine(listError_);
    return;
  }
  admitted_ = AdmitPlayer(slot_, ToFile(Edit1->text()), ToFile(Edit2->text()),
                          Edit3 ? ToFile(Edit3->text()) : std::string(), storedField_);
  switch (admitted_.result) {
    case Admission::IncorrectName:
      ShowMessageLine(WordText(WordId::IncorrectName));
      Edit1->setFocus();
      return;
    case Admission::PasswordsDiffer:
      ShowMessageLine(WordText(WordId::ThePasswordsDoNotCoincide));
      Edit3->clear();
      Edit3->setFocus();
      return;
    case Admission::IncorrectPassword:
      ShowMessageLine(WordText(WordId::TheIncorrectPassword));
      Edit2->selectAll();
      Edit2->setFocus();
      return;
    case Admission::Ok:
      break;
  }
  ShowMessageLine({});
  if (AfterAdmission && !AfterAdmission()) return;
  accept();
}

}  // namespace zarnet
