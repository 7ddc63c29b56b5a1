// Contact sheets for looking at the art:
//   zarnet-artsheet OUT.png [--design N] [--backs N] [--size small|large]
//   zarnet-artsheet OUT.png --buttons
//   zarnet-artsheet OUT_PREFIX --catalogue   (OUT_PREFIX-1.png, -2.png, ...)
// Faces, backs and suit symbols are drawn through the card art store itself.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QRegularExpression>
#include <QEnterEvent>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <cstdio>

#include "card_art.h"
#include "codec.h"
#include "kuv_button.h"
#include "resources.h"

using namespace zarnet;

namespace {

void Label(QPainter& p, int x, int y, const QString& text) {
  QFont f("DejaVu Sans");
  f.setPixelSize(14);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0xf0, 0xe8, 0xc0));
  p.drawText(x, y, text);
}

int CardSheet(const QString& out, int design, int backs, bool large) {
  CardArt art(std::make_unique<ResourceSource>(QCoreApplication::applicationDirPath()));
  art.Notice = [](const QStringList& l) { std::fprintf(stderr, "%s\n", qPrintable(l.join(' '))); };
  art.FaceDesign = design;
  art.BackSet = backs;
  art.Scale = large ? 2.0 : 1.0;
  art.SmallWindow = !large;
  if (!art.LoadFaceDesign()) std::fprintf(stderr, "zarnet-artsheet: design %d not available\n", design);
  const int cw = art.CardWidth, ch = art.CardHeight, gap = large ? 10 : 6;
  const int w = 20 + 13 * (cw + gap) + 10;
  const int h = 40 + 4 * (ch + gap) + 40 + ch + gap + cw + 20 + 40 + 60;
  art.SmallWindow = false;
  art.ClientWidth = w;
  art.ClientHeight = h;
  art.LoadBackground(false);
  QImage sheet(w, h, QImage::Format_RGB32);
  {
    QPainter p(&sheet);
    p.drawImage(0, 0, art.Background);
    Label(p, 20, 26, QString("Design %1, %2").arg(design).arg(large ? "large" : "small"));
  }
  // Rows by suit, columns 2 .. ace; the ten is rank character '1'.
  const char* ranks = "23456789\x31\xC2\xC4\xCA\xD2";
  const char suits[4] = {kHearts, kDiamonds, kClubs, kSpades};
  for (int s = 0; s < 4; ++s)
    for (int r = 0; r < 13; ++r)
      art.DrawCard(20 + r * (cw + gap), 40 + s * (ch + gap), CardCode{ranks[r], suits[s]}, sheet);
  int y = 40 + 4 * (ch + gap) + 30;
  {
    QPainter p(&sheet);
    Label(p, 20, y - 8, QString("Backs of set %1 (Monday ... Sunday), upright and turned").arg(art.BackSet));
  }
  for (int b = 1; b <= 7; ++b) {
    art.BackOfDay = b;
    art.DrawBack(20 + (b - 1) * (cw + gap), y, sheet);
  }
  art.BackOfDay = 1;
  art.DrawCard(20 + 7 * (cw + gap), y, CardCode{'N', 'o'}, sheet);
  const int ry = y + ch + gap;
  for (int b = 1; b <= 7; ++b) {
    art.BackOfDay = b;
    art.DrawBackRotated(20 + (b - 1) * (ch + gap), ry, sheet);
  }
  QPainter p(&sheet);
  const int sy = ry + cw + 30;
  Label(p, 20, sy - 8, "Suit symbols, small and large");
  for (int s = 0; s < 4; ++s) {
    QImage small = art.SmallSuit[s].convertToFormat(QImage::Format_ARGB32);
    for (int yy = 0; yy < small.height(); ++yy)
      for (int xx = 0; xx < small.width(); ++xx)
        if ((small.pixel(xx, yy) & 0xffffff) == 0xC0C0C0) small.setPixel(xx, yy, 0);
    p.drawImage(20 + s * 30, sy + 10, small);
    p.drawImage(160 + s * 50, sy, art.LargeSuit[s]);
  }
  p.end();
  return sheet.save(out) ? 0 : 1;
}

int ButtonSheet(const QString& out) {
  const char* schemes[8] = {"DRed", "DGreen", "DBlue", "DNavy", "DYellow", "DViolet", "DOrang", "DCards"};
  const char* states[6] = {"normal", "hover", "pressed", "disabled", "focused", "light 50"};
  const int cellW = 130, rowH = 170;
  QImage sheet(110 + 6 * cellW * 2 + 20, 40 + 8 * rowH, QImage::Format_RGB32);
  sheet.fill(QColor(0x1c, 0x6a, 0x34));
  QPainter p(&sheet);
  QPixmap glyph(16, 16);
  glyph.fill(Qt::transparent);
  {
    QPainter g(&glyph);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(255, 230, 80));
    g.setPen(QColor(120, 80, 0));
    g.drawEllipse(2, 2, 12, 12);
  }
  for (int st = 0; st < 6; ++st) {
    Label(p, 110 + st * cellW, 24, QString("R ") + states[st]);
    Label(p, 110 + (6 + st) * cellW, 24, QString("Q ") + states[st]);
  }
  for (int s = 0; s < 8; ++s) {
    Label(p, 8, 40 + s * rowH + 24, schemes[s]);
    for (int nata = 0; nata < 2; ++nata)
      for (int st = 0; st < 6; ++st) {
        const int heights[3] = {30, 45, 35};
        for (int k = 0; k < 3; ++k) {
          QWidget host;  // a window of its own, so focus is real
          host.resize(200, 100);
          host.move(2000, 2000);  // away from the pointer
          TKuvCardsButton b(&host);
          b.resize(120, heights[k]);
          b.SetColorSB(TColorSB(s));
          b.SetNata(nata);
          b.SetGrayDis(true);
          b.SetLightFont(true);
          QFont f("Comic Neue");
          f.setPixelSize(heights[k] == 45 ? 18 : 15);
          f.setBold(true);
          b.setFont(f);
          b.setText(k == 2 ? "Options" : k == 1 ? "Top Ten" : "Ok");
          if (k == 2) {
            b.setIcon(QIcon(glyph));
            b.SetMargin(4);
          }
          if (st == 1) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(&b, &enter);
          }
          if (st == 2) b.setDown(true);
          if (st == 3) b.setEnabled(false);
          if (st == 4) {
            host.show();
            QApplication::setActiveWindow(&host);
            b.setFocus();
            QApplication::processEvents();
          }
          if (st == 5) b.SetKLightSB(50);
          const int y = 40 + s * rowH + 10 + (k == 0 ? 0 : k == 1 ? 40 : 95);
          p.drawImage(110 + (nata * 6 + st) * cellW, y, b.Render());
        }
      }
  }
  p.end();
  return sheet.save(out) ? 0 : 1;
}

// Every compiled-in picture but the faces and backs, each with its name, size and frames.
int CatalogueSheets(const QString& prefix) {
  InitArtResources();
  struct Item {
    QString type, name;
    QImage img;
    int frames;
  };
  std::vector<Item> items;
  const QRegularExpression card("^((Ch|Bu|Kr|Pi)[0-9][0-9AJQK0]|Ob[0-9][0-9])");
  for (const QString type : {"RCDATA", "JPEG", "GIF", "BITMAP", "CURSOR", "ANICURSOR"}) {
    QStringList names = QDir(":/" + type).entryList(QDir::Files, QDir::Name);
    for (const QString& n : names) {
      if (card.match(n).hasMatch()) continue;
      QImageReader r(":/" + type + "/" + n);
      items.push_back({type, n, r.read(), std::max(1, r.imageCount())});
    }
  }
  const int cellW = 230, cellH = 190, cols = 8, rows = 5, perPage = cols * rows;
  int page = 0;
  for (size_t first = 0; first < items.size(); first += perPage) {
    QImage sheet(cols * cellW, rows * cellH, QImage::Format_RGB32);
    sheet.fill(QColor(0x1c, 0x50, 0x30));
    QPainter p(&sheet);
    for (size_t i = first; i < std::min(items.size(), first + perPage); ++i) {
      const Item& it = items[i];
      const int x = int((i - first) % cols) * cellW, y = int((i - first) / cols) * cellH;
      // A checker shows what is transparent.
      for (int cy = 0; cy < cellH - 44; cy += 8)
        for (int cx = 0; cx < cellW - 10; cx += 8)
          p.fillRect(x + 5 + cx, y + 5 + cy, 8, 8, ((cx + cy) / 8) % 2 ? QColor(0x2a, 0x64, 0x40) : QColor(0x22, 0x5a, 0x38));
      QImage img = it.img;
      const QSize box(cellW - 10, cellH - 44);
      if (img.width() > box.width() || img.height() > box.height())
        img = img.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      else if (std::max(img.width(), img.height()) <= 64)  // small pictures enlarged, pixels kept
        img = img.scaled(img.size() * std::min(box.width() / img.width(), std::min(box.height() / img.height(), 3)));
      p.drawImage(x + 5 + (box.width() - img.width()) / 2, y + 5 + (box.height() - img.height()) / 2, img);
      QFont f("DejaVu Sans");
      f.setPixelSize(13);
      p.setFont(f);
      p.setPen(QColor(0xf0, 0xe8, 0xc0));
      p.drawText(x + 6, y + cellH - 24, it.name);
      p.drawText(x + 6, y + cellH - 8,
                 QString("%1 %2x%3%4").arg(it.type).arg(it.img.width()).arg(it.img.height())
                     .arg(it.frames > 1 ? QString(" %1 fr").arg(it.frames) : QString()));
    }
    p.end();
    if (!sheet.save(QString("%1-%2.png").arg(prefix).arg(++page))) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCommandLineParser cli;
  cli.addPositionalArgument("out", "PNG file to write");
  cli.addOption({"design", "face design 0..47", "N", "0"});
  cli.addOption({"backs", "back set 0..12", "N", "0"});
  cli.addOption({"size", "small or large", "SIZE", "small"});
  cli.addOption({"buttons", "a sheet of buttons in every scheme and state"});
  cli.addOption({"catalogue", "sheets of every other compiled-in picture"});
  cli.addHelpOption();
  cli.process(app);
  if (cli.positionalArguments().size() != 1) cli.showHelp(2);
  const QString out = cli.positionalArguments().first();
  if (cli.isSet("buttons")) return ButtonSheet(out);
  if (cli.isSet("catalogue")) return CatalogueSheets(out);
  return CardSheet(out, cli.value("design").toInt(), cli.value("backs").toInt(), cli.value("size") == "large");
}
