// Zarnet: the program entry.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "codec.h"
#include "main_window.h"
#include "words.h"

using namespace zarnet;

namespace {

QString W(WordId id) { return QString::fromStdString(WordUtf8(id)); }

// The windows the main window opens, bound to their real implementations.
void BindWindows(TForm1& form) {
  form.OpenWelcome = [&form](int slot) {
    WelcomeResult a;
    if (slot == kSlotNewPlayer) {
      bool ok = false;
      const QString name = QInputDialog::getText(&form, W(WordId::NewPlayer), W(WordId::Player), QLineEdit::Normal,
                                                 DisplayText(form.settings.LastPlayerName), &ok);
      if (!ok || name.trimmed().isEmpty()) return a;
      a.name = Utf8ToCp1251(name.trimmed().toStdString());
      form.settings.LastPlayerName = a.name;
    }
    a.start = true;
    return a;
  };
  form.AskName = [&form](const std::string& current) {
    bool ok = false;
    const QString name = QInputDialog::getText(&form, W(WordId::MenuChangeName), W(WordId::Player),
                                               QLineEdit::Normal, DisplayText(current).trimmed(), &ok);
    return ok ? Utf8ToCp1251(name.trimmed().toStdString()) : std::string();
  };
  form.OpenEndOfGame = [&form](int place, int32_t score, int) {
    QMessageBox::information(&form, W(WordId::TheCompletionOfGame),
                             QString("%1: %2").arg(W(WordId::TopTen)).arg(place ? QString::number(place) : "-") +
                                 "\n" + QString::number(score));
  };
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Zarnet");
  TForm1 form(QCoreApplication::applicationDirPath().toStdString());
  BindWindows(form);
  form.show();
  return app.exec();
}
