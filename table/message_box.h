// Message boxes whose buttons speak the player's language.
#pragma once

#include <QMessageBox>
#include <QString>

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

}  // namespace zarnet
