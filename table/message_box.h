// Message boxes whose buttons speak the player's language.
#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>
#include <string>

class QFileDialog;
class QWidget;

namespace zarnet {

// Yes/No question; true for Yes. The buttons read the word table's "Yes"/"No".
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);
// A message with the word table's "Ok" button.
void TellPlayer(QWidget* parent, const QString& title, const QString& text,
                QMessageBox::Icon icon = QMessageBox::Information);

// One line of text, with the word table's "Ok" and "Cancel"; `ok` tells
// which was pressed.
QString AskLine(QWidget* parent, const QString& title, const QString& label, const QString& text, bool* ok);

// Qt's own texts (the file chooser's buttons and labels) follow the word
// tables' language (its index); false when Qt carries no translation for it.
bool UseQtTranslation(int languageIndex);

// Qt's own file chooser, in the player's language whatever the desktop.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QString& filter);
// The chosen file; empty when the player cancels.
QString ChooseFile(QWidget* parent, const QString& title, const QString& filter);

}  // namespace zarnet
