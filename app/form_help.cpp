#include "form_help.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "words.h"

// The pages live in a static library, so their resources are registered by hand.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace zarnet {

QString HelpPageText(const QString& languageCode) {
  InitHelpResources();
  for (const QString& code : {languageCode.left(2).toLower(), QString("en")}) {
    QFile f(":/help/rules_" + code + ".html");
    if (f.open(QIODevice::ReadOnly)) return QString::fromUtf8(f.readAll());
  }
  return {};
}

TFormHelp::TFormHelp(const QString& languageCode, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(WordUtf8(WordId::MenuHelp)));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QTextBrowser(this);
  text->setHtml(HelpPageText(languageCode));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(560, 520);
}

QString AboutText() {
  return QStringLiteral(
      "<h3>Zarnet V 5.7f</h3>"
      "<p>A two-player card game for the Linux desktop, written by the Zarnet team "
      "with Qt 6, SDL2_mixer, libcurl and giflib.</p>"
      "<p>The build uses free data from Debian, which stays under its own licence:</p>"
      "<ul>"
      "<li>Fonts: Comic Neue (SIL Open Font License 1.1), DejaVu (Bitstream Vera licence "
      "and public domain), Liberation 2 (SIL Open Font License 1.1), WenQuanYi Zen Hei "
      "(GPL 2 with font exception).</li>"
      "<li>Card decks of the face libraries: the SVG card decks of the KDE games "
      "(kdegames-card-data-kf5; GPL 2 or later, LGPL and free art licences as each deck states).</li>"
      "<li>Tune: played through FluidSynth with the TimGM6mb sound font (GPL 2).</li>"
      "<li>Spoken card names: eSpeak NG voices (GPL 3 or later).</li>"
      "</ul>");
}

void ShowAbout(QWidget* parent) {
  QMessageBox::about(parent, QString::fromStdString(WordUtf8(WordId::MenuAbout)), AboutText());
}

}  // namespace zarnet
