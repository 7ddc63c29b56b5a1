// Face designs rendered from the free SVG card decks. There are fewer decks than
// designs, so most decks give several designs: the plain deck, four-colour suits,
// tinted card stock, a coloured rim, and court figures in sepia, grey or other robes.
#include <QFileInfo>
#include <QDir>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "art_names.h"
#include "libgen.h"

namespace libgen {

namespace {

enum Fx : unsigned {
  kFourColour = 1,  // diamonds blue, clubs green
  kPaper = 2,       // card stock tinted (multiplied) with the look's paper colour
  kRim = 4,         // a coloured rim along the card's edge
};
enum CourtFx { kCourtPlain, kCourtSepia, kCourtGrey, kCourtRobes };

struct Look {
  int design;
  const char* deck;  // folder under the decks folder
  unsigned fx;
  QRgb paper;
  QRgb rim;
  CourtFx court;
  int robeHue;  // hue turn of the court robes for kCourtRobes
};

constexpr QRgb kIvory = 0xfffff4dc, kCream = 0xfffbeccb, kMint = 0xffe4f6e8, kSky = 0xffdfeefc,
               kPink = 0xfffbe3ea, kGold = 0xffc89a1e, kRed = 0xffb01c26, kBlue = 0xff1d479c,
               kGreen = 0xff1f7442, kSea = 0xffd4eef2;

// Designs whose number cards or aces belong to another design's part (see art_names)
// only need their own courts (and aces) here; the table gives every part one look.
const Look kLooks[] = {
    {1, "svg-nicu-ornamental", 0, 0, 0, kCourtPlain, 0},
    {2, "svg-oxygen", 0, 0, 0, kCourtPlain, 0},
    {3, "svg-ancient-egyptians", 0, 0, 0, kCourtPlain, 0},
    {4, "svg-jolly-royal", 0, 0, 0, kCourtPlain, 0},
    {5, "svg-nicu-white", 0, 0, 0, kCourtPlain, 0},
    {6, "svg-oxygen-white", kRim, 0, kRed, kCourtPlain, 0},
    {7, "svg-jolly-royal", 0, 0, 0, kCourtRobes, 120},
    {8, "svg-standard", 0, 0, 0, kCourtPlain, 0},
    {9, "svg-oxygen-air", 0, 0, 0, kCourtPlain, 0},
    {10, "svg-standard", 0, 0, 0, kCourtSepia, 0},
    {11, "svg-penguins", 0, 0, 0, kCourtPlain, 0},
    {12, "svg-nicu-ornamental", kPaper, kCream, 0, kCourtSepia, 0},
    {13, "svg-nicu-white", 0, 0, 0, kCourtRobes, 200},
    {14, "svg-jolly-royal", kFourColour | kRim, 0, kGold, kCourtPlain, 0},
    {15, "svg-oxygen-white", 0, 0, 0, kCourtPlain, 0},
    {16, "svg-standard", kFourColour, 0, 0, kCourtPlain, 0},
    {17, "svg-oxygen", kFourColour | kPaper, kMint, 0, kCourtPlain, 0},
    {18, "svg-oxygen-air", kPaper | kRim, kSky, kBlue, kCourtPlain, 0},
    {19, "svg-standard", 0, 0, 0, kCourtGrey, 0},
    {20, "svg-jolly-royal", 0, 0, 0, kCourtSepia, 0},
    {21, "svg-nicu-white", kPaper, kSea, 0, kCourtPlain, 0},
    {22, "svg-ancient-egyptians", kFourColour, 0, 0, kCourtPlain, 0},
    {23, "svg-nicu-ornamental", kFourColour, 0, 0, kCourtPlain, 0},
    {24, "svg-penguins", kFourColour | kPaper, kPink, 0, kCourtPlain, 0},
    {25, "svg-penguins", 0, 0, 0, kCourtRobes, 90},
    {26, "svg-oxygen-white", kPaper | kRim, kIvory, kGold, kCourtPlain, 0},
    {27, "svg-oxygen", 0, 0, 0, kCourtRobes, 150},
    {28, "svg-xskat-french", kFourColour, 0, 0, kCourtPlain, 0},
    {29, "svg-xskat-german", 0, 0, 0, kCourtPlain, 0},
    {30, "svg-xskat-german", kPaper | kRim, kIvory, kGreen, kCourtPlain, 0},
    {31, "svg-xskat-french", 0, 0, 0, kCourtPlain, 0},
    {32, "svg-dondorf", 0, 0, 0, kCourtPlain, 0},
    {33, "svg-dondorf", kFourColour, 0, 0, kCourtPlain, 0},
    {34, "svg-dondorf", kPaper, kCream, 0, kCourtSepia, 0},
    {35, "svg-gm-paris", 0, 0, 0, kCourtPlain, 0},
    {36, "svg-gm-paris", kFourColour, 0, 0, kCourtPlain, 0},
    {37, "svg-gm-paris", kPaper | kRim, kIvory, kRed, kCourtPlain, 0},
    {38, "svg-tigullio-international", kPaper, kMint, 0, kCourtRobes, 120},
    {39, "svg-tigullio-international", kFourColour, 0, 0, kCourtPlain, 0},
    {40, "svg-oxygen-air", kFourColour | kPaper, kCream, 0, kCourtPlain, 0},
    {41, "svg-xskat-french", kRim, 0, kBlue, kCourtGrey, 0},
    {42, "svg-tigullio-international", kRim, 0, kGold, kCourtRobes, 240},
    {43, "svg-tigullio-international", kPaper | kRim, kPink, kBlue, kCourtPlain, 0},
    {44, "svg-gm-paris", kPaper, kCream, 0, kCourtSepia, 0},
    {45, "svg-jolly-royal", kPaper | kRim, kIvory, kRed, kCourtPlain, 0},
    {46, "svg-tigullio-international", 0, 0, 0, kCourtSepia, 0},
    {47, "svg-xskat-german", kPaper, kCream, 0, kCourtSepia, 0},
};

const Look* LookOf(int design) {
  for (const Look& l : kLooks)
    if (l.design == design) return &l;
  return nullptr;
}

// suit 0..3 hearts, diamonds, clubs, spades, as the names order them.
const char* const kDeckSuits[4] = {"heart", "diamond", "club", "spade"};

QString DeckRank(const QString& rankPart) {
  if (rankPart == "2J") return "jack";
  if (rankPart == "3Q") return "queen";
  if (rankPart == "4K") return "king";
  if (rankPart == "5A") return "1";
  return QString::number(rankPart.toInt());
}

bool IsCourt(const QString& rankPart) { return rankPart == "2J" || rankPart == "3Q" || rankPart == "4K"; }

int SuitOfPrefix(const QString& prefix) {
  static const char* const p[4] = {"Ch", "Bu", "Kr", "Pi"};
  for (int i = 0; i < 4; ++i)
    if (prefix == p[i]) return i;
  return -1;
}

bool Reddish(const QColor& c) {
  const int h = c.hsvHue();
  return c.hsvSaturation() > 90 && c.value() > 80 && (h <= 22 || h >= 335);
}

QColor Blend(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Recolours the pixels of an ARGB32 picture in place, keeping alpha.
template <class F>
void EachPixel(QImage& img, F f) {
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      const QColor c = f(QColor(line[x]));
      line[x] = qRgba(c.red(), c.green(), c.blue(), qAlpha(line[x]));
    }
  }
}

void FourColour(QImage& img, int suit) {
  if (suit == 1) {
    EachPixel(img, [](QColor c) {
      if (!Reddish(c)) return c;
      return QColor::fromHsv(222, c.hsvSaturation(), std::max(60, c.value() - 30));
    });
  } else if (suit == 2) {
    const QColor green(0x0b, 0x6e, 0x2a);
    EachPixel(img, [&](QColor c) {
      const int mx = std::max({c.red(), c.green(), c.blue()}), mn = std::min({c.red(), c.green(), c.blue()});
      if (mx - mn > 50 || mx > 150) return c;
      return Blend(c, green, 1.0 - mx / 150.0);
    });
  }
}

void Paper(QImage& img, QRgb paper) {
  const int pr = qRed(paper), pg = qGreen(paper), pb = qBlue(paper);
  EachPixel(img, [&](QColor c) { return QColor(c.red() * pr / 255, c.green() * pg / 255, c.blue() * pb / 255); });
}

void Court(QImage& img, CourtFx fx, int hueTurn) {
  if (fx == kCourtPlain) return;
  EachPixel(img, [&](QColor c) {
    if (Reddish(c)) return c;  // the suit colour stays readable
    if (fx == kCourtRobes) {
      if (c.hsvSaturation() < 50) return c;
      return QColor::fromHsv((c.hsvHue() + hueTurn) % 360, c.hsvSaturation(), c.value());
    }
    const double l = 0.299 * c.redF() + 0.587 * c.greenF() + 0.114 * c.blueF();
    if (fx == kCourtGrey) return QColor::fromRgbF(l, l, l);
    return QColor::fromRgbF(std::min(1.0, l * 1.08 + 0.05), std::min(1.0, l * 0.92 + 0.03), l * 0.70);
  });
}

void Rim(QImage& img, QRgb colour) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setCompositionMode(QPainter::CompositionMode_SourceAtop);  // only on the card itself
  const double w = img.width() < 100 ? 2.0 : 3.5;
  p.setPen(QPen(QColor(colour), w));
  p.setBrush(Qt::NoBrush);
  const double r = img.width() * 0.07;
  p.drawRoundedRect(QRectF(img.rect()).adjusted(w / 2, w / 2, -w / 2, -w / 2), r, r);
}

class Decks {
 public:
  explicit Decks(QString folder) : folder_(std::move(folder)) {}

  QSvgRenderer* Get(const QString& name) {
    auto it = open_.find(name);
    if (it != open_.end()) return it->second.get();
    const QDir dir(folder_ + "/" + name);
    const QStringList files = dir.entryList({"*.svgz", "*.svg"}, QDir::Files);
    std::unique_ptr<QSvgRenderer> r;
    if (!files.isEmpty()) r = std::make_unique<QSvgRenderer>(dir.filePath(files.first()));
    if (!r || !r->isValid()) {
      std::fprintf(stderr, "zarnet-libgen: no card deck in %s (package kdegames-card-data-kf5)\n",
                   qPrintable(dir.path()));
      r.reset();
    }
    return (open_[name] = std::move(r)).get();
  }

  QImage Render(const QString& deck, const QString& id, QSize size) {
    QSvgRenderer* r = Get(deck);
    if (!r || !r->elementExists(id)) return {};
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    r->render(&p, id, QRectF(QPointF(0, 0), size));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
  }

 private:
  QString folder_;
  std::map<QString, std::unique_ptr<QSvgRenderer>> open_;
};

QImage Face(Decks& decks, const Look& look, int suit, const QString& rankPart, QSize size) {
  QImage img = decks.Render(look.deck, DeckRank(rankPart) + "_" + kDeckSuits[suit], size);
  if (img.isNull()) return img;
  if (IsCourt(rankPart)) Court(img, look.court, look.robeHue);
  if (look.fx & kFourColour) FourColour(img, suit);
  if (look.fx & kPaper) Paper(img, look.paper);
  if (look.fx & kRim) Rim(img, look.rim);
  return img;
}

// The German-suited deck shows bells, acorns and leaves; its symbols follow it.
void GermanSymbol(QPainter& p, int suit) {
  p.setPen(QPen(QColor(0x30, 0x20, 0x10), 0.035));
  switch (suit) {
    case 0:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xd0, 0x14, 0x1e));
      p.drawPath(artgen::SuitPath(0));
      break;
    case 1: {  // bell
      p.setBrush(QColor(0xe8, 0xb0, 0x20));
      p.drawEllipse(QPointF(0, 0.02), 0.4, 0.4);
      p.setBrush(QColor(0xb0, 0x30, 0x20));
      p.drawRect(QRectF(-0.4, -0.1, 0.8, 0.12));
      p.setBrush(QColor(0x30, 0x20, 0x10));
      p.drawEllipse(QPointF(0, 0.24), 0.07, 0.07);
      p.drawLine(QPointF(0, 0.24), QPointF(0, 0.42));
      p.setBrush(QColor(0xe8, 0xb0, 0x20));
      p.drawEllipse(QPointF(0, -0.43), 0.06, 0.06);
      break;
    }
    case 2: {  // acorn
      p.setBrush(QColor(0xb8, 0x78, 0x30));
      p.drawEllipse(QPointF(0, 0.1), 0.26, 0.34);
      p.setBrush(QColor(0x5a, 0x3a, 0x18));
      QPainterPath cap;
      cap.moveTo(-0.32, -0.06);
      cap.quadTo(0, -0.46, 0.32, -0.06);
      cap.closeSubpath();
      p.drawPath(cap);
      p.drawLine(QPointF(0, -0.3), QPointF(0.05, -0.48));
      break;
    }
    default: {  // leaf
      p.setBrush(QColor(0x2a, 0x8a, 0x2a));
      QPainterPath leaf;
      leaf.moveTo(0, -0.48);
      leaf.cubicTo(0.5, -0.2, 0.38, 0.22, 0, 0.3);
      leaf.cubicTo(-0.38, 0.22, -0.5, -0.2, 0, -0.48);
      p.drawPath(leaf);
      p.drawLine(QPointF(0, -0.36), QPointF(0, 0.48));
      break;
    }
  }
}

QImage Symbol(const Look& look, int suit, int side) {
  QImage img = artgen::Blank(side, side);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QColor ink = artgen::SuitColor(suit);
  if (look.fx & kFourColour) {
    if (suit == 1) ink = QColor(0x1d, 0x47, 0xb8);
    if (suit == 2) ink = QColor(0x0b, 0x6e, 0x2a);
  }
  p.translate(side / 2.0, side / 2.0);
  p.scale(side * 0.92, side * 0.92);
  if (QString(look.deck) == "svg-xskat-german") {
    GermanSymbol(p, suit);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
  }
  if (look.fx & kRim) p.setPen(QPen(QColor(look.rim), 0.06));
  else p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(artgen::SuitPath(suit));
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

// Small faces are bitmaps in the store: lay them on white as the loader will.
QImage Flatten(const QImage& img) {
  QImage flat(img.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter p(&flat);
  p.drawImage(0, 0, img);
  return flat;
}

}  // namespace

bool PaintFaceLibrary(artgen::Sink& sink, const QString& library, const QString& folder, QStringList* used) {
  Decks decks(folder);
  // Every deck first, so a missing package is said once, not per picture.
  for (const Look& look : kLooks)
    if (zarnet::FaceLibrary(look.design) == library && !decks.Get(look.deck)) return false;
  std::map<QString, bool> done;
  bool ok = true;
  for (int design = 1; design <= 47; ++design) {
    if (zarnet::FaceLibrary(design) != library) continue;
    const bool wide = zarnet::IsWideDesign(design);
    // The owner of a shared part is the design of this library that carries it as its own.
    auto owner = [&](const QString& name) -> const Look* {
      const QString part = name.mid(4, 3);
      for (int d = 1; d <= 47; ++d)
        if (zarnet::FaceLibrary(d) == library && zarnet::DesignPart(d) == part) return LookOf(d);
      return nullptr;
    };
    for (const bool large : {false, true}) {
      for (int slot = 1; slot <= 56; ++slot) {
        const QString name = zarnet::FaceResourceName(slot, design, large);
        if (name.isEmpty() || done.count(name)) continue;
        done[name] = true;
        const Look* look = owner(name);
        const QString base = zarnet::FaceBaseName(slot);
        if (look) *used << look->deck;
        const QSize size = large ? QSize(wide ? 146 : 126, 198) : QSize(69, 94);
        QImage img = look ? Face(decks, *look, SuitOfPrefix(base.left(2)), base.mid(2), size) : QImage();
        if (img.isNull()) {
          std::fprintf(stderr, "zarnet-libgen: cannot paint %s\n", qPrintable(name));
          ok = false;
          continue;
        }
        if (!large) img = Flatten(img);
        // The store inverts this ellipse of every library face once it is loaded.
        zarnet::InvertEllipse(img, zarnet::FaceEllipse(large, wide));
        sink.Raw("RCDATA", name, PalettePng(img));
      }
      for (int suit = 0; suit < 4; ++suit) {
        const QString name = zarnet::SuitResourceName(suit, design, large);
        if (done.count(name)) continue;
        done[name] = true;
        const Look* look = owner(name);
        if (!look) {
          ok = false;
          continue;
        }
        sink.Png(name, Symbol(*look, suit, large ? 40 : 20));
      }
    }
  }
  return ok;
}

}  // namespace libgen
