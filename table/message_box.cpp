#include "message_box.h"

#include <QInputDialog>
#include <QPushButton>

#include "words.h"

namespace zarnet {
namespace {

QString Utf(WordId id) { return QString::fromStdString(WordUtf8(id)); }

}  // namespace

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(Utf(WordId::Yes), QMessageBox::YesRole);
  QPushButton* no = box.addButton(Utf(WordId::No), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void TellPlayer(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
  box.setDefaultButton(box.addButton(Utf(WordId::Ok), QMessageBox::AcceptRole));
  box.exec();
}

QString AskLine(QWidget* parent, const QString& title, const QString& label, const QString& text, bool* ok) {
  QInputDialog box(parent);
  box.setWindowTitle(title);
  box.setLabelText(label);
  box.setTextValue(text);
  box.setOkButtonText(Utf(WordId::Ok));
  box.setCancelButtonText(Utf(WordId::Cancel));
  const bool accepted = box.exec() == QDialog::Accepted;
  if (ok) *ok = accepted;
  return accepted ? box.textValue() : QString();
}

}  // namespace zarnet
