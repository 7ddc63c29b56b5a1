#include "message_box.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QTranslator>
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

bool UseQtTranslation(int languageIndex) {
  // The word tables' columns in order; Chinese is written in the simplified script.
  static const char* const kLocales[] = {"en", "ru", "de", "fr", "es", "zh_CN", "it", "cs", "ja", "ko"};
  static QTranslator* installed = nullptr;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  if (languageIndex < 0 || languageIndex >= int(std::size(kLocales))) return false;
  if (languageIndex == 0) return true;  // Qt's own language
  const QString locale = kLocales[languageIndex];
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load("qtbase_" + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  installed = translator.release();
  QCoreApplication::installTranslator(installed);
  return true;
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QString& filter) {
  auto dialog = std::make_unique<QFileDialog>(parent, title, QString(), filter);
  // A desktop's own chooser would speak the system's language, not the game's.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setFileMode(QFileDialog::ExistingFile);
  return dialog;
}

QString ChooseFile(QWidget* parent, const QString& title, const QString& filter) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, title, filter);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return dialog->selectedFiles().first();
}

}  // namespace zarnet
