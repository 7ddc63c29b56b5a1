#include "form_common.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QStringList>

#include "codec.h"
#include "kuv_button.h"
#include "layout.h"

namespace zarnet {

int FormStyle::Len(double designLength) const { return Whole(designLength * scale); }

namespace {

QFontDatabase::WritingSystem ScriptOf(int language) {
  switch (language) {
    case 1: return QFontDatabase::Cyrillic;
    case 5: return QFontDatabase::SimplifiedChinese;
    case 8: return QFontDatabase::Japanese;
    case 9: return QFontDatabase::Korean;
    default: return QFontDatabase::Latin;
  }
}

}  // namespace

QFont FormStyle::Font(double designHeight, bool bold) const {
  QFont f(serifFamily);
  // A face without the language's letters would leave only its punctuation
  // among the substitute's letters: take one face that has them all.
  const QFontDatabase::WritingSystem script = ScriptOf(LanguageIndex());
  if (!QFontDatabase::writingSystems(QFontInfo(f).family()).contains(script)) {
    for (const QString& family : QFontDatabase::families(script)) {
      if (!QFontDatabase::isFixedPitch(family)) {
        f.setFamily(family);
        break;
      }
    }
  }
  f.setPixelSize(std::max(6, FontHeight(Len(designHeight), serifPercentage)));
  f.setBold(bold);
  return f;
}

QString WordText(WordId id) { return QString::fromStdString(WordUtf8(id)); }

QString FromFile(std::string_view bytes) { return QString::fromStdString(Cp1251ToUtf8(bytes)); }

QString LettersOutsideCp1251(const QString& text) {
  QString out;
  for (const char32_t c : text.toUcs4()) {
    if (UnicodeToCp1251(c) >= 0) continue;
    const QString letter = QString::fromUcs4(&c, 1);
    if (!out.contains(letter)) out += letter;
  }
  return out;
}

QString RefusedLettersMessage(const QString& letters) {
  QStringList each;
  for (const char32_t c : letters.toUcs4()) each << QString::fromUcs4(&c, 1);
  return WordText(WordId::LettersNotAllowed) + " " + each.join(' ');
}

QLabel* MakeLabel(const QString& objectName, const QString& text, const QFont& font,
                  QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(objectName);
  l->setFont(font);
  return l;
}

TKuvCardsButton* MakeButton(const QString& objectName, const QString& text, int designWidth,
                            const FormStyle& style, QWidget* parent) {
  auto* b = new TKuvCardsButton(parent);
  b->setObjectName(objectName);
  b->setText(text);
  b->setFont(style.Font(16, true));
  // The skins come in 30, 45 and 60 pixel heights; keep the nearest class.
  const int h = style.scale < 1.25 ? 30 : style.scale < 1.75 ? 45 : 60;
  b->SetHeightSB(h == 30 ? THeightSB::D30 : h == 45 ? THeightSB::D45 : THeightSB::D60);
  b->setFixedSize(style.Len(designWidth), h);
  // A button that cannot be pressed now must look so.
  b->SetGrayDis(true);
  return b;
}

TRecordDialog::TRecordDialog(QWidget* parent) : QDialog(parent) { setModal(true); }

QVBoxLayout* TRecordDialog::MakeFrame(const FormStyle& style) {
  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(style.Len(16), style.Len(12), style.Len(16), style.Len(12));
  all->setSpacing(style.Len(10));
  all->setSizeConstraint(QLayout::SetFixedSize);
  return all;
}

TKuvCardsButton* TRecordDialog::AddOkButton(QVBoxLayout* frame, const FormStyle& style,
                                            std::function<void()> onClick) {
  auto* ok = MakeButton("Button1", WordText(WordId::Ok), 100, style, this);
  if (onClick)
    connect(ok, &QAbstractButton::clicked, this, std::move(onClick));
  else
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
  SetDefaultButton(ok);
  frame->addWidget(ok, 0, Qt::AlignHCenter);
  ok->setFocus();
  return ok;
}

void TRecordDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    // The owner-drawn buttons are not push buttons, so the dialog's own
    // default-button handling never sees them.
    auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
    QAbstractButton* target = focused && focused->isEnabled() ? focused : default_;
    if (target && target->isEnabled()) {
      target->click();
      e->accept();
      return;
    }
  }
  QDialog::keyPressEvent(e);
}

}  // namespace zarnet
