// The copyright and licence of every card deck a library was rendered from, taken at
// build time from the deck package's own copyright file.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QRegularExpression>
#include <QSettings>

#include "libgen.h"

namespace libgen {

namespace {

struct Paragraph {
  QStringList files;
  QString copyright, licence, licenceText, comment;
};

// Paragraphs of a machine-readable Debian copyright file.
std::vector<Paragraph> ReadCopyright(const QString& path) {
  std::vector<Paragraph> out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return out;
  const QString text = QString::fromUtf8(f.readAll());
  for (const QString& block : text.split(QRegularExpression("\n\\s*\n"))) {
    Paragraph p;
    QString* field = nullptr;
    for (const QString& line : block.split('\n')) {
      if (line.startsWith(' ') || line.startsWith('\t')) {
        if (field == &p.licence || field == &p.licenceText) {
          p.licenceText += line.trimmed() == "." ? "\n" : line.trimmed() + "\n";
          field = &p.licenceText;
        } else if (field == nullptr) {
          if (!p.files.isEmpty() && p.copyright.isEmpty()) p.files << line.trimmed();
        } else {
          *field += "\n" + line.trimmed();
        }
        continue;
      }
      field = nullptr;
      const int colon = line.indexOf(':');
      if (colon < 0) continue;
      const QString key = line.left(colon), value = line.mid(colon + 1).trimmed();
      if (key == "Files") p.files = value.split(' ', Qt::SkipEmptyParts);
      else if (key == "Copyright") p.copyright = value, field = &p.copyright;
      else if (key == "License") p.licence = value, field = &p.licence;
      else if (key == "Comment") p.comment = value, field = &p.comment;
    }
    out.push_back(p);
  }
  return out;
}

QString DeckName(const QString& folder, const QString& deck) {
  QSettings desktop(folder + "/" + deck + "/index.desktop", QSettings::IniFormat);
  const QString name = desktop.value("KDE Backdeck/Name").toString();
  return name.isEmpty() ? deck : name;
}

}  // namespace

QByteArray DeckNotices(const QString& decksFolder, const QString& copyrightFile, const QStringList& decks) {
  const std::vector<Paragraph> paragraphs = ReadCopyright(copyrightFile);
  QString out = "Card decks rendered into this library at build time from the Debian package "
                "kdegames-card-data-kf5 (" + decksFolder + "):\n\n";
  QStringList licences;
  QStringList sorted = decks;
  sorted.sort();
  sorted.removeDuplicates();
  for (const QString& deck : sorted) {
    const Paragraph* own = nullptr;
    const Paragraph* all = nullptr;
    for (const Paragraph& p : paragraphs) {
      if (p.files.contains("carddecks/" + deck + "/*")) own = &p;
      if (p.files == QStringList{"*"}) all = &p;
    }
    const Paragraph* p = own ? own : all;
    out += DeckName(decksFolder, deck) + " (" + deck + ")\n";
    if (!p) {
      out += "  see " + copyrightFile + "\n\n";
      continue;
    }
    out += "  Copyright: " + QString(p->copyright).replace("\n", "\n             ") + "\n";
    out += "  License: " + p->licence + "\n";
    if (!p->comment.isEmpty()) out += "  " + QString(p->comment).replace("\n", "\n  ") + "\n";
    if (!p->licenceText.isEmpty()) out += "\n" + p->licenceText;
    out += "\n";
    if (!licences.contains(p->licence)) licences << p->licence;
  }
  for (const QString& licence : licences)
    for (const Paragraph& p : paragraphs)
      if (p.files.isEmpty() && p.licence == licence && !p.licenceText.isEmpty())
        out += "License " + licence + ":\n" + p.licenceText + "\n";
  return out.toUtf8();
}

}  // namespace libgen
