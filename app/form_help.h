// The rules and controls page, and the about box.
#pragma once

#include <QDialog>
#include <QString>

namespace zarnet {

// The help page in the language with that picture code, English where none is written.
QString HelpPageText(const QString& languageCode);

class TFormHelp : public QDialog {
 public:
  TFormHelp(const QString& languageCode, QWidget* parent = nullptr);
};

// The version, the credits and the licences of the free data the build uses.
QString AboutText();
void ShowAbout(QWidget* parent);

}  // namespace zarnet
