// Table panels, plates, dials, strips with words, flags, lamps and cursors.
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"

namespace artgen {

QImage PaintBaize(int w, int h, QColor base, unsigned seed);
QImage PaintFace(int suit, int rank, int w, int h);
QImage PaintBack(int n, int w, int h);

namespace {

const int kLangIndex[8] = {0, 1, 2, 3, 4, 5, 6, 7};
const QColor kPlaqueTop(0xff, 0xf6, 0xdc), kPlaqueBottom(0xee, 0xd8, 0xa0);

}  // namespace

QFont Font(const QString& family, int px, bool bold) {
  QFont f(family);
  f.setPixelSize(px);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

// A glossy rounded plate in one colour.
QImage Plate(int w, int h, QColor c, double radius) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, c.lighter(160));
  g.setColorAt(0.45, c);
  g.setColorAt(1, c.darker(150));
  p.setPen(QPen(c.darker(220), std::max(1.0, h / 20.0)));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRoundedRect(QRectF(h * 0.15, h * 0.1, w - h * 0.3, h * 0.35), radius / 2, radius / 2);
  return img;
}

namespace {

// A gilt frame around an inner field: light where the table writes its figures in
// blue, red and magenta, dark behind the glowing clock digits.
QImage Frame(int w, int h, bool light) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double b = std::max(3.0, h * 0.07);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(0xf6, 0xd8, 0x7a));
  g.setColorAt(0.5, QColor(0xb0, 0x80, 0x20));
  g.setColorAt(1, QColor(0xf0, 0xc8, 0x60));
  p.setPen(QPen(QColor(0x50, 0x34, 0x08), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), b * 1.5, b * 1.5);
  QLinearGradient in(0, 0, 0, h);
  in.setColorAt(0, light ? QColor(0xff, 0xfc, 0xf0) : QColor(0x10, 0x30, 0x1c));
  in.setColorAt(1, light ? QColor(0xf0, 0xe2, 0xbe) : QColor(0x06, 0x18, 0x0e));
  p.setBrush(in);
  p.drawRoundedRect(QRectF(b, b, w - 2 * b, h - 2 * b), b, b);
  return img;
}

// Seven-segment digit pictures.
QImage Digit(QChar ch, int w, int h, QColor c) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double t = w * 0.2, m = 1.5;
  auto seg = [&](QPointF a, QPointF b) {
    p.setPen(QPen(c, t, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
  };
  const double l = m + t / 2, r = w - m - t / 2, top = m + t / 2, mid = h / 2.0, bot = h - m - t / 2;
  static const char* on[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
  QString segs = ch == 'M' ? "g" : ch.isDigit() ? on[ch.digitValue()] : "";
  // Unlit segments glow faintly, as on a real dial.
  QColor dim = c;
  dim.setAlpha(40);
  for (char s : QString("abcdefg").toLatin1()) {
    const QColor use = segs.contains(QChar(s)) ? c : dim;
    p.setPen(QPen(use, t, Qt::SolidLine, Qt::RoundCap));
    switch (s) {
      case 'a': p.drawLine(QPointF(l + t, top), QPointF(r - t, top)); break;
      case 'b': p.drawLine(QPointF(r, top + t), QPointF(r, mid - t / 1.5)); break;
      case 'c': p.drawLine(QPointF(r, mid + t / 1.5), QPointF(r, bot - t)); break;
      case 'd': p.drawLine(QPointF(l + t, bot), QPointF(r - t, bot)); break;
      case 'e': p.drawLine(QPointF(l, mid + t / 1.5), QPointF(l, bot - t)); break;
      case 'f': p.drawLine(QPointF(l, top + t), QPointF(l, mid - t / 1.5)); break;
      case 'g': p.drawLine(QPointF(l + t, mid), QPointF(r - t, mid)); break;
    }
  }
  (void)seg;
  return img;
}

QImage Colon(QColor c) {
  QImage img = Blank(3, 27);
  QPainter p(&img);
  p.fillRect(0, 7, 3, 3, c);
  p.fillRect(0, 17, 3, 3, c);
  return img;
}

}  // namespace

// Text fitted into a box, with a dark outline so it reads on any table.
void OutlinedText(QPainter& p, const QRectF& box, const QString& text, const QString& family,
                  QColor fill, QColor edge) {
  QFont f = Font(family, int(box.height() * 0.8));
  QPainterPath path;
  path.addText(0, 0, f, text);
  QRectF r = path.boundingRect();
  const double k = std::min({box.width() * 0.94 / r.width(), box.height() * 0.86 / r.height(), 1.6});
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(k, k);
  t.translate(-r.center().x(), -r.center().y());
  path = t.map(path);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(edge, std::max(2.0, box.height() / 14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  QLinearGradient g(0, box.top(), 0, box.bottom());
  g.setColorAt(0, fill.lighter(140));
  g.setColorAt(1, fill);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(path);
}

QString FamilyFor(int lang) { return lang == 5 ? "WenQuanYi Zen Hei" : "Comic Neue"; }

namespace {

QImage Flag(const QString& code) {
  QImage img(100, 68, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  auto hbands = [&](std::initializer_list<QColor> cs) {
    int i = 0;
    const double bh = 68.0 / cs.size();
    for (const QColor& c : cs) p.fillRect(QRectF(0, i++ * bh, 100, bh + 1), c);
  };
  auto vbands = [&](std::initializer_list<QColor> cs) {
    int i = 0;
    const double bw = 100.0 / cs.size();
    for (const QColor& c : cs) p.fillRect(QRectF(i++ * bw, 0, bw + 1, 68), c);
  };
  const QColor red(0xd0, 0x20, 0x30), blue(0x1a, 0x3a, 0x8c);
  if (code == "Eng") {  // the union flag, simplified
    p.fillRect(img.rect(), QColor(0x1a, 0x2a, 0x70));
    p.setPen(QPen(Qt::white, 14));
    p.drawLine(0, 0, 100, 68);
    p.drawLine(100, 0, 0, 68);
    p.setPen(QPen(red, 5));
    p.drawLine(0, 0, 100, 68);
    p.drawLine(100, 0, 0, 68);
    p.fillRect(QRectF(40, 0, 20, 68), Qt::white);
    p.fillRect(QRectF(0, 24, 100, 20), Qt::white);
    p.fillRect(QRectF(44, 0, 12, 68), red);
    p.fillRect(QRectF(0, 28, 100, 12), red);
  } else if (code == "Rus") {
    hbands({Qt::white, QColor(0x1c, 0x3c, 0xa8), red});
  } else if (code == "Deu") {
    hbands({QColor(0x10, 0x10, 0x10), QColor(0xdd, 0x00, 0x00), QColor(0xff, 0xce, 0x00)});
  } else if (code == "Fra") {
    vbands({blue, Qt::white, red});
  } else if (code == "Ita") {
    vbands({QColor(0x00, 0x92, 0x46), Qt::white, QColor(0xce, 0x2b, 0x37)});
  } else if (code == "Spa") {
    p.fillRect(QRectF(0, 0, 100, 17), QColor(0xc6, 0x0b, 0x1e));
    p.fillRect(QRectF(0, 17, 100, 34), QColor(0xff, 0xc4, 0x00));
    p.fillRect(QRectF(0, 51, 100, 17), QColor(0xc6, 0x0b, 0x1e));
  } else if (code == "Chi") {
    p.fillRect(img.rect(), QColor(0xde, 0x29, 0x10));
    auto star = [&](QPointF c, double r) {
      QPainterPath s;
      for (int k = 0; k < 10; ++k) {
        const double rr = k % 2 ? r * 0.4 : r, a = -M_PI / 2 + k * M_PI / 5;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        k ? s.lineTo(pt) : s.moveTo(pt);
      }
      s.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xff, 0xde, 0x00));
      p.drawPath(s);
    };
    star({17, 17}, 10);
    for (QPointF c : {QPointF(33, 7), QPointF(39, 14), QPointF(39, 24), QPointF(33, 31)}) star(c, 3.4);
  } else if (code == "Cze") {
    p.fillRect(QRectF(0, 0, 100, 34), Qt::white);
    p.fillRect(QRectF(0, 34, 100, 34), QColor(0xd7, 0x14, 0x1a));
    QPolygonF tri({QPointF(0, 0), QPointF(50, 34), QPointF(0, 68)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x11, 0x45, 0x7e));
    p.drawPolygon(tri);
  } else if (code == "Jpn") {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbc, 0x00, 0x2d));
    p.drawEllipse(QPointF(50, 34), 20, 20);
  } else if (code == "Kor") {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xcd, 0x2e, 0x3a));
    p.drawPie(QRectF(32, 16, 36, 36), 0, 180 * 16);
    p.setBrush(QColor(0x00, 0x47, 0xa0));
    p.drawPie(QRectF(32, 16, 36, 36), 180 * 16, 180 * 16);
    p.setBrush(QColor(0xcd, 0x2e, 0x3a));
    p.drawEllipse(QRectF(32, 25, 18, 18));
    p.setBrush(QColor(0x00, 0x47, 0xa0));
    p.drawEllipse(QRectF(50, 25, 18, 18));
    p.setPen(QPen(Qt::black, 3));
    for (auto [x, y] : {std::pair{18, 14}, {82, 14}, {18, 54}, {82, 54}}) {
      p.save();
      p.translate(x, y);
      p.rotate((x < 50) == (y < 34) ? -56 : 56);
      for (int k = -1; k <= 1; ++k) p.drawLine(-7, k * 5, 7, k * 5);
      p.restore();
    }
  }
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 99, 67));
  return img;
}

QImage Lamp(QColor c, int size) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(size * 0.38, size * 0.35, size * 0.6);
  g.setColorAt(0, c.lighter(190));
  g.setColorAt(0.5, c);
  g.setColorAt(1, c.darker(200));
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
  return img;
}

QImage Medal(int w, int h, QColor metal) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double r = std::min(w, h) * 0.36;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xc0, 0x20, 0x30));
  p.drawPolygon(QPolygonF({QPointF(w / 2.0 - r * 0.9, 0), QPointF(w / 2.0 - r * 0.1, 0),
                           QPointF(w / 2.0 + r * 0.4, h - 2 * r), QPointF(w / 2.0 - r * 0.2, h - 2 * r)}));
  p.setBrush(QColor(0x20, 0x40, 0xa0));
  p.drawPolygon(QPolygonF({QPointF(w / 2.0 + r * 0.9, 0), QPointF(w / 2.0 + r * 0.1, 0),
                           QPointF(w / 2.0 - r * 0.4, h - 2 * r), QPointF(w / 2.0 + r * 0.2, h - 2 * r)}));
  QRadialGradient g(w / 2.0 - r * 0.3, h - r * 1.3, r * 1.4);
  g.setColorAt(0, metal.lighter(170));
  g.setColorAt(1, metal.darker(140));
  p.setPen(QPen(metal.darker(200), 1));
  p.setBrush(g);
  p.drawEllipse(QPointF(w / 2.0, h - r - 1), r, r);
  if (r > 20) {  // an embossed ring on the large medal
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(metal.darker(150), r / 18));
    p.drawEllipse(QPointF(w / 2.0, h - r - 1), r * 0.84, r * 0.84);
    p.setPen(QPen(metal.lighter(160), r / 30));
    p.drawEllipse(QPointF(w / 2.0, h - r - 1 + r / 25), r * 0.84, r * 0.84);
  }
  return img;
}

// A window caption: a wine-red field in a gilt edge, a suit pip at each end; the
// window writes its title in the middle.
QImage Caption(int w, int h) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double r = h * 0.32;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(1, 3, w - 2, h - 4), r, r);
  QLinearGradient gilt(0, 0, 0, h);
  gilt.setColorAt(0, QColor(0xfa, 0xe4, 0x98));
  gilt.setColorAt(0.5, QColor(0xb8, 0x86, 0x24));
  gilt.setColorAt(1, QColor(0xe8, 0xc4, 0x60));
  p.setPen(QPen(QColor(0x50, 0x34, 0x08), 1));
  p.setBrush(gilt);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 4), r, r);
  const double b = h * 0.09;
  QLinearGradient field(0, b, 0, h - 4 - b);
  field.setColorAt(0, QColor(0xc0, 0x2c, 0x34));
  field.setColorAt(0.5, QColor(0x8a, 0x14, 0x1c));
  field.setColorAt(1, QColor(0x5a, 0x08, 0x10));
  p.setBrush(field);
  p.drawRoundedRect(QRectF(b, b, w - 2 * b, h - 4 - 2 * b), r - b, r - b);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 45));
  p.drawRoundedRect(QRectF(b * 2, b * 1.4, w - 4 * b, (h - 4) * 0.36), r * 0.6, r * 0.6);
  const double pip = h * 0.26, cy = (h - 4) / 2.0;
  for (int side = 0; side < 2; ++side) {
    const QPointF at(side ? w - b - pip * 1.1 : b + pip * 1.1, cy);
    p.save();
    p.translate(at);
    p.scale(pip, pip);
    p.setPen(QPen(QColor(0x50, 0x34, 0x08), 0.08));
    p.setBrush(QColor(0xf0, 0xcc, 0x60));
    p.drawPath(SuitPath(side ? 1 : 3));
    p.restore();
  }
  return img;
}

// A banner: a band across the middle and forked tails folded behind its ends.
QImage Ribbon(int w, int h, QColor c) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double tail = std::min(w * 0.16, h * 0.85), inset = tail * 0.55;
  const double bandTop = h * 0.08, bandBot = h * 0.74, tailTop = h * 0.26, tailBot = h * 0.96;
  QLinearGradient back(0, tailTop, 0, tailBot);
  back.setColorAt(0, c.darker(130));
  back.setColorAt(1, c.darker(190));
  p.setPen(QPen(c.darker(260), 1));
  p.setBrush(back);
  for (int side = 0; side < 2; ++side) {
    const double x0 = side ? w - 0.5 : 0.5, x1 = side ? w - tail : tail, dx = side ? -1 : 1;
    p.drawPolygon(QPolygonF({QPointF(x0, tailTop), QPointF(x1, tailTop), QPointF(x1, tailBot),
                             QPointF(x0, tailBot), QPointF(x0 + dx * tail * 0.3, (tailTop + tailBot) / 2)}));
  }
  // The folds where the band turns under.
  p.setBrush(c.darker(260));
  p.drawPolygon(QPolygonF({QPointF(inset, bandBot), QPointF(tail, bandBot), QPointF(tail, tailBot)}));
  p.drawPolygon(QPolygonF({QPointF(w - inset, bandBot), QPointF(w - tail, bandBot), QPointF(w - tail, tailBot)}));
  QLinearGradient band(0, bandTop, 0, bandBot);
  band.setColorAt(0, c.lighter(150));
  band.setColorAt(0.45, c);
  band.setColorAt(1, c.darker(140));
  p.setPen(QPen(c.darker(240), 1.2));
  p.setBrush(band);
  p.drawRect(QRectF(inset, bandTop, w - 2 * inset, bandBot - bandTop));
  // Stitching along both edges.
  p.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DashLine));
  const double m = (bandBot - bandTop) * 0.1;
  p.drawLine(QPointF(inset + m, bandTop + m), QPointF(w - inset - m, bandTop + m));
  p.drawLine(QPointF(inset + m, bandBot - m), QPointF(w - inset - m, bandBot - m));
  return img;
}

QImage Arrow(bool hand, double dip = 0) {
  QImage img = Blank(32, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(0, dip);
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(Qt::white);
  if (!hand) {
    p.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(1, 22), QPointF(6, 17), QPointF(10, 26),
                             QPointF(13, 25), QPointF(9, 16), QPointF(16, 16)}));
  } else {
    QPainterPath h;
    h.addRoundedRect(QRectF(8, 1, 5, 16), 2.5, 2.5);
    h.addRoundedRect(QRectF(6, 12, 17, 14), 5, 5);
    p.drawPath(h.simplified());
  }
  return img;
}

QImage Hand(int w, int h) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(w / 60.0, h / 40.0);
  const QColor skin(0xf8, 0xd4, 0xac), shade(0xe4, 0xb0, 0x84), line(0x6a, 0x3c, 0x1c);
  const QPen pen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  // Back of the hand and the pointing finger, as one shape.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(8, 9, 24, 25), 7, 7);
  hand.addRoundedRect(QRectF(22, 9, 36, 9), 4.5, 4.5);
  hand.setFillRule(Qt::WindingFill);
  QLinearGradient g(0, 9, 0, 34);
  g.setColorAt(0, skin.lighter(106));
  g.setColorAt(1, shade);
  p.setPen(pen);
  p.setBrush(g);
  p.drawPath(hand.simplified());
  // The fingernail.
  p.setPen(QPen(line, 0.8));
  p.setBrush(QColor(0xfc, 0xe4, 0xd0));
  p.drawRoundedRect(QRectF(51, 10.8, 5, 5.4), 2, 2);
  // Three fingers curled under, each its own knuckle.
  for (int k = 0; k < 3; ++k) {
    p.setPen(pen);
    p.setBrush(k % 2 ? skin : skin.darker(104));
    p.drawRoundedRect(QRectF(24, 18 + k * 5.2, 12 - k * 0.8, 5.6), 2.8, 2.8);
  }
  // The thumb lies across them.
  QPainterPath thumb;
  thumb.moveTo(13, 19);
  thumb.cubicTo(18, 16.5, 26, 16.5, 31, 18.5);
  thumb.cubicTo(33, 19.5, 33, 22.5, 30.5, 22.8);
  thumb.cubicTo(25, 23.2, 19, 23.5, 14, 24);
  p.setBrush(skin.lighter(103));
  p.drawPath(thumb);
  // The cuff, with a button.
  QLinearGradient cuff(0, 7, 0, 36);
  cuff.setColorAt(0, QColor(0xff, 0xff, 0xff));
  cuff.setColorAt(1, QColor(0xc8, 0xd0, 0xdc));
  p.setPen(QPen(QColor(0x50, 0x58, 0x68), 1.2));
  p.setBrush(cuff);
  p.drawRoundedRect(QRectF(1, 7, 9, 29), 2, 2);
  p.setBrush(QColor(0x90, 0x98, 0xa8));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(5.5, 27), 1.5, 1.5);
  return img;
}

// A stopwatch in the timer's colour; the seconds are written in its middle.
QImage Timer(QColor c) {
  QImage img = Blank(50, 50);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor steel(0x90, 0x98, 0xa4), steelDark(0x40, 0x44, 0x4c);
  p.setPen(QPen(steelDark, 1));
  p.setBrush(steel);
  p.drawRoundedRect(QRectF(21, 1, 8, 5), 1.5, 1.5);  // the crown
  p.save();
  p.translate(25, 28);
  p.rotate(40);
  p.drawRoundedRect(QRectF(-3, -25, 6, 4), 1.2, 1.2);  // the side button
  p.restore();
  QRadialGradient rim(20, 20, 30);
  rim.setColorAt(0, QColor(0xf0, 0xf2, 0xf6));
  rim.setColorAt(1, steel);
  p.setBrush(rim);
  p.drawEllipse(QRectF(3, 5.5, 44, 44));
  QRadialGradient g(21, 22, 24);
  g.setColorAt(0, c.lighter(165));
  g.setColorAt(0.7, c);
  g.setColorAt(1, c.darker(140));
  p.setPen(QPen(c.darker(220), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(6.5, 9, 37, 37));
  p.setPen(QPen(QColor(40, 30, 10, 200), 1.3));
  for (int k = 0; k < 12; ++k) {
    const double a = k * M_PI / 6, r0 = k % 3 ? 15.5 : 14;
    p.drawLine(QPointF(25 + r0 * std::sin(a), 27.5 - r0 * std::cos(a)),
               QPointF(25 + 17.5 * std::sin(a), 27.5 - 17.5 * std::cos(a)));
  }
  return img;
}

// Frames of a card fan turning, for the animated menu and end pictures.
std::vector<QImage> Fan(int w, int h, int frames, int accent) {
  const int ranks[4] = {14, 13, 12, 11};
  QImage cards[4];
  for (int k = 0; k < 4; ++k) cards[k] = PaintFace((accent + k) % 4, ranks[k], 69, 94);
  return Frames(w, h, frames, [&](QPainter& p, int f) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double t = double(f) / frames;
    const double spread = 14 + 10 * std::sin(t * 2 * M_PI);
    for (int k = 0; k < 4; ++k) {
      const QImage& card = cards[k];
      p.save();
      p.translate(w / 2.0, h * 0.75);
      p.rotate((k - 1.5) * spread);
      p.drawImage(QPointF(-34, -110), card);
      p.restore();
    }
  });
}

std::vector<QImage> Pulse(int w, int h, int frames, QColor c, bool star) {
  return Frames(w, h, frames, [&](QPainter& p, int f) {
    const double k = 0.8 + 0.2 * std::sin(f * 2 * M_PI / frames);
    const QPointF c0(w / 2.0, h / 2.0);
    const double r = std::min(w, h) * 0.45 * k;
    QPainterPath s;
    const int n = star ? 10 : 16;
    for (int i = 0; i < n; ++i) {
      const double rr = star ? (i % 2 ? r * 0.45 : r) : r, a = -M_PI / 2 + i * 2 * M_PI / n;
      const QPointF pt(c0.x() + rr * std::cos(a), c0.y() + rr * std::sin(a));
      i ? s.lineTo(pt) : s.moveTo(pt);
    }
    s.closeSubpath();
    QRadialGradient g(c0, r);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c);
    p.setPen(QPen(c.darker(200), 1.2));
    p.setBrush(g);
    p.drawPath(s);
  });
}

}  // namespace

void PaintPanels(Sink& sink, const Words& words) {
  auto word = [&](const QString& id, int lang) {
    const auto it = words.find(id);
    return it == words.end() ? id : it->second.value(lang);
  };

  sink.Png("GIFBackGr", PaintBaize(760, 500, QColor(0x24, 0x5a, 0x3a), 3));

  // Deck label plates.
  // The count of cards left is written on these in blue.
  sink.Png("GKolodaSmall", Plate(58, 25, QColor(0xe0, 0xc0, 0x80), 6));
  sink.Png("GKolodaSmallB", Plate(116, 50, QColor(0xe0, 0xc0, 0x80), 12));
  sink.Png("GKolodaLarge", Frame(60, 60, true));
  sink.Png("GKolodaLargeB", Frame(120, 120, true));

  // Clock digits in eight colours.
  const struct { const char* letter; QColor c; } clocks[8] = {
      {"A", QColor(0x40, 0xd0, 0xff)}, {"B", QColor(0x50, 0x80, 0xff)}, {"G", QColor(0x40, 0xff, 0x60)},
      {"L", QColor(0xc0, 0xff, 0x40)}, {"N", QColor(0xff, 0xff, 0xff)}, {"R", QColor(0xff, 0x40, 0x30)},
      {"V", QColor(0xd0, 0x60, 0xff)}, {"Y", QColor(0xff, 0xe0, 0x30)}};
  for (const auto& c : clocks) {
    const QString base = QString("G%1Clock").arg(c.letter);
    for (int d = 0; d <= 9; ++d) sink.Png(base + QString::number(d), Digit(QChar('0' + d), d == 4 ? 19 : 18, 40, c.c));
    sink.Png(base + "M", Digit('M', 18, 40, c.c));
    sink.Png(base + "P", Colon(c.c));
  }
  sink.Png("GClockBG", Frame(115, 64, false));

  sink.Png("GTimerR", Timer(QColor(0xe0, 0x30, 0x30)));
  sink.Png("GTimerY", Timer(QColor(0xf0, 0xc8, 0x30)));

  const struct { const char* name; QColor c; } plates[5] = {
      {"SPBlue", QColor(0x28, 0x58, 0xc0)}, {"SPGreen", QColor(0x28, 0x98, 0x40)},
      {"SPRed", QColor(0xc8, 0x28, 0x28)}, {"SPYellow", QColor(0xd4, 0x9a, 0x14)},
      {"SPFiolet", QColor(0x88, 0x38, 0xb8)}};
  for (const auto& pl : plates) {
    sink.Png(pl.name, Plate(160, 20, pl.c, 6));
    sink.Png(QString(pl.name) + "B", Plate(320, 40, pl.c, 12));
  }

  const struct { const char* name; int w, h; } frames[7] = {
      {"TabloSm", 155, 95}, {"TabloBg", 310, 190}, {"RamkaFBSm", 155, 60}, {"RamkaFBBg", 310, 120},
      {"RamkaERSm", 130, 90}, {"RamkaERBg", 260, 180}, {"RamkaAc", 330, 55}};
  for (const auto& f : frames) sink.Png(f.name, Frame(f.w, f.h, true));
  sink.Png("Hand_Right", Hand(60, 40));

  // Title plaque: the three best players are written on it, so it stays quiet.
  {
    QImage t = Blank(600, 160);
    QPainter p(&t);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 160);
    fill.setColorAt(0, kPlaqueTop);
    fill.setColorAt(1, kPlaqueBottom);
    p.setPen(QPen(QColor(0xb0, 0x80, 0x20), 6));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(4, 4, 592, 152), 22, 22);
    p.setPen(QPen(QColor(0x80, 0x58, 0x10), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(12, 12, 576, 136), 16, 16);
    for (int s = 0; s < 4; ++s) DrawSuit(p, s, QPointF(566, 34 + s * 31), 9);
    p.end();
    sink.Png("GTitle", t);
  }
  for (int i = 0; i < 8; ++i) {
    const int lang = kLangIndex[i];
    const QString fam = FamilyFor(lang);
    QImage cap = Blank(800, 140);
    {
      QPainter p(&cap);
      OutlinedText(p, QRectF(10, 8, 780, 124), word("GameName", lang), fam, QColor(0xd8, 0x20, 0x20), QColor(0x30, 0x04, 0x04));
    }
    sink.Png(QString("Cap") + kLangCodes[i], cap);
    QImage elite = Blank(700, 80), net = Blank(700, 80);
    {
      QPainter p(&elite);
      OutlinedText(p, QRectF(10, 6, 680, 68), word("EliteClub", lang), fam, QColor(0xf0, 0xd0, 0x40), QColor(0x30, 0x20, 0x00));
      QPainter q(&net);
      OutlinedText(q, QRectF(10, 6, 680, 68), word("NetGame", lang), fam, QColor(0x70, 0xc8, 0xff), QColor(0x04, 0x18, 0x30));
    }
    sink.Png(QString("Elite") + kLangCodes[i], elite);
    sink.Png(QString("Net__") + kLangCodes[i], net);
  }
  for (const char* code : {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jpn", "Kor"})
    sink.Png(QString("FlagO") + code, Flag(code));

  sink.Png("LampG24", Lamp(QColor(0x30, 0xc0, 0x30), 24));
  sink.Png("LampR24", Lamp(QColor(0xd0, 0x20, 0x20), 24));
  sink.Png("LampY24", Lamp(QColor(0xe8, 0xc0, 0x20), 24));

  // Places: drawn over the medal at the same origin, so the number sits on its disc.
  for (int n = 0; n <= 10; ++n) {
    QImage img = Blank(105, 120);
    QPainter p(&img);
    const QPointF c(52.5, 120 - std::min(105, 120) * 0.36 - 1);
    const double r = std::min(105, 120) * 0.36;
    OutlinedText(p, QRectF(c.x() - r * 0.8, c.y() - r * 0.62, r * 1.6, r * 1.24), QString::number(n), "DejaVu Serif",
                 QColor(0x8a, 0x14, 0x10), QColor(0xff, 0xf2, 0xc8));
    sink.Png(QString("GPlace%1").arg(n, 2, 10, QChar('0')), img);
  }
  sink.Png("GMedal", Medal(105, 120, QColor(0xe0, 0xb0, 0x20)));
  // The menu draws these on the title plaque, one per third of its height: each is
  // flattened on the plaque's colour there.
  const QColor metals[3] = {QColor(0xe0, 0xb0, 0x20), QColor(0xc0, 0xc0, 0xc8), QColor(0xc0, 0x78, 0x38)};
  for (int k = 0; k < 3; ++k) {
    const double t = (k + 0.5) / 3;
    const QColor ground = QColor::fromRgbF(float(kPlaqueTop.redF() + (kPlaqueBottom.redF() - kPlaqueTop.redF()) * t),
                                           float(kPlaqueTop.greenF() + (kPlaqueBottom.greenF() - kPlaqueTop.greenF()) * t),
                                           float(kPlaqueTop.blueF() + (kPlaqueBottom.blueF() - kPlaqueTop.blueF()) * t));
    sink.Bitmap(QString("GMEDAL0%1").arg(k + 1), Medal(28, 28, metals[k]), ground);
  }

  for (int w : {150, 280, 300, 430, 550, 610}) sink.Png(QString("GCap%1").arg(w), Caption(w, 64));
  const struct { const char* name; int w, h; } ribbons[6] = {
      {"GLenta200x100", 200, 100}, {"GLenta280x090", 280, 90}, {"GLenta300x100", 300, 100},
      {"GLenta360x100", 360, 100}, {"GLenta380x120", 380, 120}, {"GLenta590x116", 590, 116}};
  for (const auto& r : ribbons) sink.Png(r.name, Ribbon(r.w, r.h, QColor(0x1c, 0x50, 0xa8)));

  // Menu pictures: a turning fan of court cards, still and animated.
  sink.Gif("GifMenu1", Fan(160, 200, 24, 0), 8);
  sink.Gif("GifMenu2", Fan(160, 200, 24, 2), 8);
  sink.Png("PngMenu1", Fan(160, 200, 1, 0).front());
  sink.Png("PngMenu2", Fan(160, 200, 1, 2).front());

  sink.Gif("StarG0", Pulse(55, 45, 8, QColor(0x30, 0xc0, 0x30), true), 10);
  sink.Gif("StarR0", Pulse(55, 45, 8, QColor(0xd0, 0x20, 0x20), true), 10);
  sink.Gif("StarY0", Pulse(55, 45, 8, QColor(0xe8, 0xc0, 0x20), true), 10);

  {
    QImage logo = Blank(64, 64);
    QPainter p(&logo);
    p.drawImage(QRect(8, 4, 34, 46), PaintBack(1, 69, 94));
    p.drawImage(QRect(22, 14, 34, 46), PaintFace(3, 14, 69, 94));
    sink.Png("Logo", logo);
    QImage icon = Blank(48, 48);
    QPainter q(&icon);
    q.drawImage(QRect(4, 2, 32, 44), PaintFace(0, 14, 69, 94));
    sink.Png("GIcon48", icon);
  }
  sink.Png("GFree", Blank(10, 10));

  // Cursors: the arrow, and the animated ones as strips of frames.
  sink.Cursor("CURARROW", Arrow(false));
  std::vector<QImage> hand, wait, edit;
  for (int f = 0; f < 8; ++f) {
    // The hand taps once per loop.
    const double dip[8] = {0, 0.8, 1.6, 0.8, 0, 0, 0, 0};
    QImage h = Arrow(true, dip[f]);
    hand.push_back(h);
    QImage w = Blank(32, 32);
    {
      QPainter p(&w);
      p.setRenderHint(QPainter::Antialiasing);
      p.translate(16, 16);
      p.rotate(f * 45);
      p.setPen(Qt::NoPen);
      for (int k = 0; k < 8; ++k) {
        p.setBrush(QColor(0x20, 0x60, 0xc0, 60 + k * 24));
        p.drawEllipse(QPointF(0, -11), 3, 3);
        p.rotate(45);
      }
    }
    wait.push_back(w);
    QImage e = Blank(32, 32);
    {
      QPainter p(&e);
      p.setPen(QPen(QColor(0, 0, 0, f < 4 ? 255 : 90), 2));
      p.drawLine(16, 4, 16, 28);
      p.drawLine(12, 4, 20, 4);
      p.drawLine(12, 28, 20, 28);
    }
    edit.push_back(e);
  }
  sink.AniCursor("CURHAND", hand);
  sink.AniCursor("CURWAIT", wait);
  sink.AniCursor("CUREDIT", edit);
}

}  // namespace artgen
