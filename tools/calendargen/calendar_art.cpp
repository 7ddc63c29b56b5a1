#include "calendar_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <map>

#include "art.h"

namespace calendargen {

using artgen::Blank;

namespace {

constexpr int kW = 54, kH = 70;
const QColor kGold(0xf2, 0xc2, 0x3a), kDeepGold(0xa8, 0x72, 0x10);

QFont Font(const QString& family, int px, bool bold = false) {
  QFont f(family);
  f.setPixelSize(px);
  f.setBold(bold);
  f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
  return f;
}

QPainterPath StarPath(QPointF c, double outer, double inner, int points, double turn = 0) {
  QPainterPath s;
  for (int k = 0; k < 2 * points; ++k) {
    const double r = k % 2 ? inner : outer, a = -M_PI / 2 + turn + k * M_PI / points;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    k ? s.lineTo(pt) : s.moveTo(pt);
  }
  s.closeSubpath();
  return s;
}

QPainterPath HeartPath(QPointF c, double size) {
  // A heart in a size x size box centred on c.
  const double s = size / 2;
  QPainterPath h;
  h.moveTo(c.x(), c.y() + s);
  h.cubicTo(c.x() - s * 1.3, c.y() + s * 0.1, c.x() - s * 1.0, c.y() - s * 1.05, c.x(),
            c.y() - s * 0.45);
  h.cubicTo(c.x() + s * 1.0, c.y() - s * 1.05, c.x() + s * 1.3, c.y() + s * 0.1, c.x(), c.y() + s);
  return h;
}

QLinearGradient Vertical(double top, double bottom, QColor a, QColor b) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  return g;
}

// The common tile of animal and holiday pictures: a rounded card with a soft gradient.
void Tile(QPainter& p, QColor top, QColor bottom) {
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(0.5, 0.5, kW - 1, kH - 1);
  p.setPen(QPen(bottom.darker(160), 1));
  p.setBrush(Vertical(0, kH, top, bottom));
  p.drawRoundedRect(r, 6, 6);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
}

void Shine(QPainter& p, const QPainterPath& shape, QColor colour) {
  // Fill with a top-left highlight, then a thin darker edge.
  const QRectF b = shape.boundingRect();
  QRadialGradient g(b.left() + b.width() * 0.35, b.top() + b.height() * 0.3,
                    std::max(b.width(), b.height()) * 0.8);
  g.setColorAt(0, colour.lighter(150));
  g.setColorAt(0.6, colour);
  g.setColorAt(1, colour.darker(130));
  p.setBrush(g);
  p.setPen(QPen(colour.darker(170), 0.8));
  p.drawPath(shape);
}

// A flag on a pole, waving: the flat cloth is painted by `cloth` into w x h,
// then laid down in thin strips that rise and fall with a light and shade.
void WavingFlag(QPainter& p, const std::function<void(QPainter&, int, int)>& cloth) {
  const int w = 36, h = 24;
  QImage flat(w, h, QImage::Format_ARGB32_Premultiplied);
  flat.fill(Qt::white);
  {
    QPainter f(&flat);
    f.setRenderHint(QPainter::Antialiasing);
    cloth(f, w, h);
  }
  // The pole with its gold knob.
  p.setPen(Qt::NoPen);
  QLinearGradient pole(8, 0, 11, 0);
  pole.setColorAt(0, QColor(0xd8, 0xd8, 0xe0));
  pole.setColorAt(1, QColor(0x60, 0x60, 0x6a));
  p.setBrush(pole);
  p.drawRoundedRect(QRectF(8, 13, 3, 50), 1.5, 1.5);
  QRadialGradient knob(9, 10, 3.5);
  knob.setColorAt(0, kGold.lighter(140));
  knob.setColorAt(1, kDeepGold);
  p.setBrush(knob);
  p.drawEllipse(QPointF(9.5, 11.5), 3, 3);
  const double x0 = 11, y0 = 16;
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int x = 0; x < w; ++x) {
    const double phase = x / double(w) * 2.2 * M_PI;
    const double dy = std::sin(phase) * 2.6 * (x / double(w) + 0.15);
    p.drawImage(QRectF(x0 + x, y0 + dy, 1.2, h), flat, QRectF(x, 0, 1, h));
    const double shade = std::cos(phase);
    const QColor tint = shade > 0 ? QColor(255, 255, 255, int(shade * 60)) : QColor(0, 0, 0, int(-shade * 70));
    p.fillRect(QRectF(x0 + x, y0 + dy, 1.2, h), tint);
  }
  // A soft ground shadow under the pole.
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawEllipse(QPointF(9.5, 63.5), 6, 1.6);
}

void Bands(QPainter& f, int w, int h, std::initializer_list<QColor> colours, bool vertical) {
  int i = 0;
  const double n = colours.size();
  for (const QColor& c : colours) {
    if (vertical)
      f.fillRect(QRectF(i * w / n, 0, w / n + 0.5, h), c);
    else
      f.fillRect(QRectF(0, i * h / n, w, h / n + 0.5), c);
    ++i;
  }
}

void Cross(QPainter& p, bool orthodox) {
  QPainterPath cross;
  cross.setFillRule(Qt::WindingFill);
  const double cx = 27, t = 4.2;
  cross.addRect(QRectF(cx - t / 2, 10, t, 50));
  cross.addRect(QRectF(cx - 14, 24, 28, t));
  if (orthodox) {
    cross.addRect(QRectF(cx - 7, 16, 14, t * 0.8));
    QTransform slant;
    slant.translate(cx, 48);
    slant.rotate(-22);
    QPainterPath foot;
    foot.addRect(QRectF(-9, -t * 0.45, 18, t * 0.9));
    cross.addPath(slant.map(foot));
  }
  cross = cross.simplified();
  // A halo behind.
  QRadialGradient glow(cx, 27, 26);
  glow.setColorAt(0, QColor(255, 240, 190, 170));
  glow.setColorAt(1, QColor(255, 240, 190, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(cx, 27), 26, 26);
  QLinearGradient g(cx - 14, 10, cx + 14, 60);
  g.setColorAt(0, QColor(0xff, 0xf0, 0xa8));
  g.setColorAt(0.5, kGold);
  g.setColorAt(1, kDeepGold);
  p.setBrush(g);
  p.setPen(QPen(QColor(0x70, 0x48, 0x08), 0.8));
  p.drawPath(cross);
}

void Snow(QPainter& p, unsigned seed, int count, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double x = 3 + (seed >> 8) % 48;
    seed = seed * 1103515245u + 12345u;
    const double y = 3 + (seed >> 8) % 64;
    p.drawEllipse(QPointF(x, y), 0.7 + (i % 3) * 0.3, 0.7 + (i % 3) * 0.3);
  }
}

void Tulip(QPainter& p, QPointF base, double height, QColor colour) {
  const QPointF head(base.x(), base.y() - height);
  p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 1.6, Qt::SolidLine, Qt::RoundCap));
  QPainterPath stem;
  stem.moveTo(base);
  stem.quadTo(base.x() + 2, base.y() - height / 2, head.x(), head.y() + 4);
  p.setBrush(Qt::NoBrush);
  p.drawPath(stem);
  QPainterPath leaf;
  leaf.moveTo(base.x(), base.y() - 2);
  leaf.quadTo(base.x() - 9, base.y() - height * 0.45, base.x() - 4, base.y() - height * 0.7);
  leaf.quadTo(base.x() - 2, base.y() - height * 0.4, base.x(), base.y() - 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x43, 0xa0, 0x47));
  p.drawPath(leaf);
  QPainterPath cup;
  const double r = 6;
  cup.moveTo(head.x() - r, head.y() - r);
  cup.lineTo(head.x() - r / 2, head.y() - r / 3);
  cup.lineTo(head.x(), head.y() - r * 1.1);
  cup.lineTo(head.x() + r / 2, head.y() - r / 3);
  cup.lineTo(head.x() + r, head.y() - r);
  cup.cubicTo(head.x() + r, head.y() + r * 0.9, head.x() - r, head.y() + r * 0.9, head.x() - r,
              head.y() - r);
  Shine(p, cup, colour);
}

void Egg(QPainter& p, QPointF c, double rx, double ry, double tilt, QColor colour, QColor trim) {
  p.save();
  p.translate(c);
  p.rotate(tilt);
  QPainterPath egg;
  egg.moveTo(0, -ry);
  egg.cubicTo(rx * 1.1, -ry, rx * 1.05, ry, 0, ry);
  egg.cubicTo(-rx * 1.05, ry, -rx * 1.1, -ry, 0, -ry);
  Shine(p, egg, colour);
  p.setClipPath(egg);
  p.setPen(QPen(trim, 1.4));
  p.drawLine(QPointF(-rx, -ry * 0.15), QPointF(rx, -ry * 0.15));
  p.drawLine(QPointF(-rx, ry * 0.3), QPointF(rx, ry * 0.3));
  p.setPen(Qt::NoPen);
  p.setBrush(trim);
  for (int k = -2; k <= 2; ++k) p.drawEllipse(QPointF(k * rx * 0.4, ry * 0.075), 0.9, 0.9);
  p.restore();
}

void Balloon(QPainter& p, QPointF c, double r, QColor colour, QPointF knot) {
  p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.7));
  QPainterPath string;
  string.moveTo(c.x(), c.y() + r * 1.2);
  string.cubicTo(c.x() - 3, c.y() + r * 2, knot.x() + 3, knot.y() - 6, knot.x(), knot.y());
  p.setBrush(Qt::NoBrush);
  p.drawPath(string);
  QPainterPath b;
  b.addEllipse(QPointF(c.x(), c.y()), r, r * 1.2);
  Shine(p, b, colour);
  p.setPen(Qt::NoPen);
  p.setBrush(colour.darker(120));
  p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() + r * 1.15), QPointF(c.x() - 1.6, c.y() + r * 1.35),
                           QPointF(c.x() + 1.6, c.y() + r * 1.35)}));
}

void Note(QPainter& p, QPointF head, double stem, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.save();
  p.translate(head);
  p.rotate(-20);
  p.drawEllipse(QPointF(0, 0), 3.2, 2.3);
  p.restore();
  p.fillRect(QRectF(head.x() + 2.3, head.y() - stem, 1.2, stem), c);
}

void Pumpkin(QPainter& p, QPointF c, double r, bool face) {
  p.setPen(QPen(QColor(0x3e, 0x6b, 0x1e), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x(), c.y() - r * 0.85), QPointF(c.x() + 2, c.y() - r * 1.15));
  const QColor orange(0xf5, 0x7c, 0x00);
  for (double dx : {-0.45, 0.45, 0.0}) {
    QPainterPath lobe;
    lobe.addEllipse(QPointF(c.x() + dx * r, c.y()), r * 0.62, r * 0.85);
    Shine(p, lobe, dx == 0.0 ? orange.lighter(108) : orange);
  }
  if (!face) return;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xff, 0xe0, 0x50));
  const double s = r / 10;
  p.drawPolygon(QPolygonF({QPointF(c.x() - 5 * s, c.y() - 4 * s), QPointF(c.x() - 2 * s, c.y() - 1 * s),
                           QPointF(c.x() - 7 * s, c.y() - 0.5 * s)}));
  p.drawPolygon(QPolygonF({QPointF(c.x() + 5 * s, c.y() - 4 * s), QPointF(c.x() + 2 * s, c.y() - 1 * s),
                           QPointF(c.x() + 7 * s, c.y() - 0.5 * s)}));
  QPainterPath grin;
  grin.moveTo(c.x() - 7 * s, c.y() + 2 * s);
  grin.quadTo(c.x(), c.y() + 10 * s, c.x() + 7 * s, c.y() + 2 * s);
  grin.lineTo(c.x() + 4 * s, c.y() + 3.5 * s);
  grin.lineTo(c.x() + 2.5 * s, c.y() + 2.2 * s);
  grin.lineTo(c.x(), c.y() + 4 * s);
  grin.lineTo(c.x() - 2.5 * s, c.y() + 2.2 * s);
  grin.lineTo(c.x() - 4 * s, c.y() + 3.5 * s);
  grin.closeSubpath();
  p.drawPath(grin);
}

void Burst(QPainter& p, QPointF c, double r, QColor colour, int rays) {
  for (int k = 0; k < rays; ++k) {
    const double a = k * 2 * M_PI / rays;
    const QPointF in(c.x() + r * 0.25 * std::cos(a), c.y() + r * 0.25 * std::sin(a));
    const QPointF out(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    QLinearGradient g(in, out);
    g.setColorAt(0, QColor(255, 255, 255, 230));
    g.setColorAt(1, colour);
    p.setPen(QPen(QBrush(g), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(in, out);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(130));
    p.drawEllipse(out, 1.1, 1.1);
  }
}

// --- the holidays ---

void NewYear(QPainter& p) {
  Tile(p, QColor(0x0d, 0x2b, 0x5e), QColor(0x1e, 0x5a, 0x9c));
  Snow(p, 7, 22, QColor(255, 255, 255, 200));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6d, 0x3b, 0x1f));
  p.drawRect(QRectF(24.5, 55, 5, 8));
  for (int tier = 0; tier < 3; ++tier) {
    const double top = 14 + tier * 11, half = 9 + tier * 5, bottom = top + 17;
    QPainterPath t;
    t.moveTo(27, top);
    t.lineTo(27 + half, bottom);
    t.quadTo(27, bottom - 3, 27 - half, bottom);
    t.closeSubpath();
    Shine(p, t, QColor(0x1b, 0x8a, 0x3c));
  }
  const QColor baubles[] = {QColor(0xe5, 0x39, 0x35), kGold, QColor(0x42, 0xa5, 0xf5),
                            QColor(0xec, 0x40, 0x7a), kGold};
  const QPointF spots[] = {{23, 29}, {32, 36}, {20, 45}, {35, 50}, {27, 54}};
  for (int i = 0; i < 5; ++i) {
    QPainterPath b;
    b.addEllipse(spots[i], 2.2, 2.2);
    Shine(p, b, baubles[i]);
  }
  Shine(p, StarPath({27, 12}, 6, 2.6, 5), kGold);
}

void Flag(QPainter& p, const QString& code) {
  Tile(p, QColor(0xe3, 0xf2, 0xfd), QColor(0x90, 0xca, 0xf9));
  const QColor red(0xd0, 0x1c, 0x2c), blue(0x1c, 0x3c, 0xa8);
  WavingFlag(p, [&](QPainter& f, int w, int h) {
    if (code == "RUS") {
      Bands(f, w, h, {Qt::white, blue, red}, false);
    } else if (code == "DEU") {
      Bands(f, w, h, {QColor(0x14, 0x14, 0x14), QColor(0xdd, 0x00, 0x00), QColor(0xff, 0xce, 0x00)},
            false);
    } else if (code == "FRA") {
      Bands(f, w, h, {QColor(0x00, 0x37, 0x9a), Qt::white, QColor(0xe0, 0x24, 0x2f)}, true);
    } else if (code == "ISP") {
      f.fillRect(QRectF(0, 0, w, h), QColor(0xc6, 0x0b, 0x1e));
      f.fillRect(QRectF(0, h / 4.0, w, h / 2.0), QColor(0xff, 0xc4, 0x00));
      f.setPen(Qt::NoPen);
      f.setBrush(QColor(0xad, 0x15, 0x19));
      f.drawRoundedRect(QRectF(8, 8.5, 5, 7), 1.5, 1.5);
    } else if (code == "ENG") {
      f.fillRect(QRectF(0, 0, w, h), Qt::white);
      f.fillRect(QRectF(w / 2.0 - 2.5, 0, 5, h), QColor(0xce, 0x11, 0x24));
      f.fillRect(QRectF(0, h / 2.0 - 2.5, w, 5), QColor(0xce, 0x11, 0x24));
    } else {  // USA
      for (int s = 0; s < 13; ++s)
        f.fillRect(QRectF(0, s * h / 13.0, w, h / 13.0 + 0.3), s % 2 ? Qt::white : QColor(0xb2, 0x22, 0x34));
      f.fillRect(QRectF(0, 0, w * 0.42, h * 7 / 13.0), QColor(0x3c, 0x3b, 0x6e));
      f.setPen(Qt::NoPen);
      f.setBrush(Qt::white);
      for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) f.drawEllipse(QPointF(1.8 + c * 2.8 + (r % 2) * 1.4, 1.8 + r * 3), 0.6, 0.6);
    }
  });
}

void Knowledge(QPainter& p) {
  Tile(p, QColor(0xff, 0xf8, 0xe1), QColor(0xff, 0xd5, 0x4f));
  // An open book.
  QPainterPath cover;
  cover.moveTo(5, 30);
  cover.quadTo(16, 25, 27, 31);
  cover.quadTo(38, 25, 49, 30);
  cover.lineTo(49, 56);
  cover.quadTo(38, 51, 27, 57);
  cover.quadTo(16, 51, 5, 56);
  cover.closeSubpath();
  Shine(p, cover, QColor(0x1e, 0x5a, 0xb4));
  for (int side : {-1, 1}) {
    QPainterPath page;
    page.moveTo(27, 31);
    page.quadTo(27 + side * 10, 25, 27 + side * 20, 28);
    page.lineTo(27 + side * 20, 52);
    page.quadTo(27 + side * 10, 49, 27, 54);
    page.closeSubpath();
    p.setBrush(Vertical(25, 54, Qt::white, QColor(0xee, 0xee, 0xe6)));
    p.setPen(QPen(QColor(0xb0, 0xb0, 0xa8), 0.6));
    p.drawPath(page);
    p.setPen(QPen(QColor(0x90, 0xa4, 0xc8), 0.8));
    for (int l = 0; l < 5; ++l) {
      const double y = 33 + l * 3.8;
      p.drawLine(QPointF(27 + side * 4, y + 0.5), QPointF(27 + side * 17, y - 0.6));
    }
  }
  // A bell rings in the first school day.
  QPainterPath bell;
  bell.moveTo(20, 20);
  bell.cubicTo(20, 8, 34, 8, 34, 20);
  bell.lineTo(36, 23);
  bell.lineTo(18, 23);
  bell.closeSubpath();
  Shine(p, bell, kGold);
  p.setBrush(kDeepGold);
  p.drawEllipse(QPointF(27, 24.5), 2, 2);
  p.setPen(QPen(QColor(0xd3, 0x2f, 0x2f), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(27, 9.5), QPointF(27, 6));
}

void Order(QPainter& p) {
  Tile(p, QColor(0x8e, 0x1b, 0x1b), QColor(0x4a, 0x08, 0x08));
  // Gold rays behind a red star.
  Shine(p, StarPath({27, 33}, 25, 10, 10, M_PI / 10), kGold);
  Shine(p, StarPath({27, 33}, 18, 7.5, 5), QColor(0xe5, 0x1c, 0x23));
  Shine(p, StarPath({27, 33}, 7, 3, 5), kGold);
}

void Georgian(QPainter& p) {
  Tile(p, QColor(0xff, 0xf3, 0xe0), QColor(0xff, 0xcc, 0x80));
  // The black-and-orange ribbon, looped.
  QPainterPath ribbon;
  ribbon.moveTo(16, 62);
  ribbon.lineTo(30, 30);
  ribbon.cubicTo(36, 16, 22, 6, 18, 18);
  ribbon.cubicTo(15, 27, 32, 36, 40, 62);
  QPainterPathStroker stroker;
  stroker.setWidth(11);
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  const QPainterPath band = stroker.createStroke(ribbon);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1a, 0x1a, 0x1a));
  p.drawPath(band);
  const QColor orange(0xff, 0x8f, 0x00);
  for (double w : {6.2, 2.0}) {
    QPainterPathStroker s;
    s.setWidth(w);
    s.setCapStyle(Qt::FlatCap);
    s.setJoinStyle(Qt::RoundJoin);
    p.setBrush(w > 3 ? orange : QColor(0x1a, 0x1a, 0x1a));
    p.drawPath(s.createStroke(ribbon));
  }
  // Cut ends.
  p.setBrush(QColor(0xff, 0xe0, 0xb2));
  p.drawPolygon(QPolygonF({QPointF(10, 63), QPointF(22, 63), QPointF(16, 58)}));
  p.drawPolygon(QPolygonF({QPointF(34, 63), QPointF(46, 63), QPointF(40, 58)}));
}

void Love(QPainter& p) {
  Tile(p, QColor(0xfc, 0xe4, 0xec), QColor(0xf4, 0x8f, 0xb1));
  Shine(p, HeartPath({21, 32}, 22), QColor(0xec, 0x40, 0x7a));
  Shine(p, HeartPath({33, 40}, 26), QColor(0xd5, 0x00, 0x32));
  p.setPen(QPen(QColor(0x8d, 0x6e, 0x63), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 56), QPointF(46, 22));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawPolygon(QPolygonF({QPointF(48, 20), QPointF(41, 21.5), QPointF(46.5, 27)}));
  p.setBrush(QColor(0xff, 0xff, 0xff, 220));
  p.drawPolygon(QPolygonF({QPointF(8, 56), QPointF(5, 53), QPointF(6, 58)}));
  p.drawPolygon(QPolygonF({QPointF(10, 54), QPointF(8, 50.5), QPointF(7, 54.5)}));
}

void EighthMarch(QPainter& p) {
  Tile(p, QColor(0xf3, 0xe5, 0xf5), QColor(0xce, 0x93, 0xd8));
  QPainterPath eight;
  eight.addText(0, 0, Font("DejaVu Sans", 46, true), "8");
  const QRectF b = eight.boundingRect();
  eight.translate(27 - b.center().x(), 30 - b.center().y());
  Shine(p, eight, QColor(0xc2, 0x18, 0x5b));
  // Mimosa sprigs.
  p.setPen(QPen(QColor(0x55, 0x8b, 0x2f), 1.2));
  p.drawLine(QPointF(10, 64), QPointF(22, 50));
  p.drawLine(QPointF(44, 64), QPointF(34, 50));
  for (int i = 0; i < 14; ++i) {
    const double t = i / 13.0;
    const QPointF a(10 + t * 14 + std::sin(i * 2.1) * 3, 63 - t * 16 + std::cos(i * 1.7) * 2.5);
    const QPointF b2(44 - t * 12 + std::cos(i * 1.9) * 3, 63 - t * 16 + std::sin(i * 1.3) * 2.5);
    for (QPointF c : {a, b2}) {
      QPainterPath dot;
      dot.addEllipse(c, 1.8, 1.8);
      Shine(p, dot, QColor(0xff, 0xd6, 0x00));
    }
  }
}

void Shamrock(QPainter& p) {
  Tile(p, QColor(0xe8, 0xf5, 0xe9), QColor(0x81, 0xc7, 0x84));
  p.setPen(QPen(QColor(0x1b, 0x5e, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap));
  QPainterPath stem;
  stem.moveTo(27, 36);
  stem.quadTo(29, 50, 36, 60);
  p.setBrush(Qt::NoBrush);
  p.drawPath(stem);
  for (int k = 0; k < 3; ++k) {
    p.save();
    p.translate(27, 34);
    p.rotate(k * 120);
    Shine(p, HeartPath({0, -10}, 19), QColor(0x2e, 0x9d, 0x3f));
    p.restore();
  }
}

void FoolsDay(QPainter& p) {
  Tile(p, QColor(0xe1, 0xf5, 0xfe), QColor(0x4f, 0xc3, 0xf7));
  // A jester's cap over a laughing face.
  QPainterPath face;
  face.addEllipse(QPointF(27, 42), 17, 17);
  Shine(p, face, QColor(0xff, 0xca, 0x28));
  p.setPen(QPen(QColor(0x5d, 0x40, 0x37), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(17, 36, 7, 5), 0, 180 * 16);  // a squint
  p.drawArc(QRectF(30, 36, 7, 5), 0, 180 * 16);
  QPainterPath mouth;
  mouth.moveTo(17, 45);
  mouth.quadTo(27, 60, 37, 45);
  mouth.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x8e, 0x24, 0x24));
  p.drawPath(mouth);
  p.setBrush(QColor(0xff, 0x8a, 0x80));
  p.drawEllipse(QPointF(27, 52), 4, 2.4);
  const QColor cap[3] = {QColor(0xe5, 0x39, 0x35), QColor(0x3f, 0x51, 0xb5), QColor(0x43, 0xa0, 0x47)};
  const QPointF tips[3] = {{7, 12}, {27, 4}, {47, 12}};
  for (int k = 0; k < 3; ++k) {
    QPainterPath horn;
    horn.moveTo(12 + k * 10, 29);
    horn.quadTo(tips[k].x() + (k - 1) * -4, 18, tips[k].x(), tips[k].y());
    horn.quadTo(18 + k * 9, 20, 22 + k * 10, 29);
    horn.closeSubpath();
    Shine(p, horn, cap[k]);
    QPainterPath bell;
    bell.addEllipse(tips[k], 2.6, 2.6);
    Shine(p, bell, kGold);
  }
  QPainterPath band;
  band.addRoundedRect(QRectF(10, 26, 34, 5), 2, 2);
  Shine(p, band, kGold);
}

void MayDay(QPainter& p) {
  Tile(p, QColor(0xe3, 0xf2, 0xfd), QColor(0xc8, 0xe6, 0xc9));
  QRadialGradient sun(42, 13, 9);
  sun.setColorAt(0, QColor(0xff, 0xf5, 0x9d));
  sun.setColorAt(0.6, QColor(0xff, 0xca, 0x28));
  sun.setColorAt(1, QColor(0xff, 0xca, 0x28, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(42, 13), 9, 9);
  Tulip(p, {17, 64}, 30, QColor(0xe5, 0x39, 0x35));
  Tulip(p, {37, 64}, 26, QColor(0xff, 0x70, 0x43));
  Tulip(p, {27, 64}, 38, QColor(0xd8, 0x1b, 0x60));
}

void Children(QPainter& p) {
  Tile(p, QColor(0xff, 0xfd, 0xe7), QColor(0xb3, 0xe5, 0xfc));
  const QPointF knot(27, 64);
  Balloon(p, {15, 20}, 8, QColor(0xe5, 0x39, 0x35), knot);
  Balloon(p, {39, 22}, 8, QColor(0x1e, 0x88, 0xe5), knot);
  Balloon(p, {27, 14}, 8.5, QColor(0xfd, 0xd8, 0x35), knot);
  Balloon(p, {27, 34}, 7, QColor(0x43, 0xa0, 0x47), knot);
}

void Music(QPainter& p) {
  Tile(p, QColor(0xed, 0xe7, 0xf6), QColor(0x95, 0x75, 0xcd));
  p.setPen(QPen(QColor(0x4a, 0x3a, 0x70, 150), 0.8));
  for (int l = 0; l < 5; ++l) {
    QPainterPath staff;
    staff.moveTo(3, 32 + l * 4);
    staff.cubicTo(18, 26 + l * 4, 34, 40 + l * 4, 51, 32 + l * 4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(staff);
  }
  const QColor ink(0x31, 0x1b, 0x92);
  Note(p, {13, 46}, 18, ink);
  Note(p, {23, 42}, 18, ink);
  p.fillRect(QRectF(15.3, 28, 10.2, 2.6), ink);  // the beam of the pair
  Note(p, {38, 38}, 20, QColor(0xd8, 0x1b, 0x60));
  p.setPen(QPen(QColor(0xd8, 0x1b, 0x60), 2.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath flag;
  flag.moveTo(41, 18.5);
  flag.cubicTo(46, 21, 47, 25, 44, 30);
  p.setBrush(Qt::NoBrush);
  p.drawPath(flag);
}

void Fireworks(QPainter& p) {
  Tile(p, QColor(0x0a, 0x10, 0x3a), QColor(0x1a, 0x23, 0x7e));
  Snow(p, 41, 10, QColor(255, 255, 255, 120));
  Burst(p, {18, 22}, 13, QColor(0xe5, 0x39, 0x35), 14);
  Burst(p, {38, 30}, 11, QColor(0x42, 0xa5, 0xf5), 12);
  Burst(p, {22, 48}, 9, QColor(0xff, 0xff, 0xff), 10);
  p.setPen(QPen(QColor(0xff, 0xcc, 0x80, 160), 0.9));
  p.drawLine(QPointF(22, 66), QPointF(22, 50));
  p.drawLine(QPointF(40, 66), QPointF(38, 42));
}

void Guitar(QPainter& p) {
  Tile(p, QColor(0x31, 0x1b, 0x92), QColor(0x12, 0x0a, 0x3a));
  Burst(p, {27, 30}, 24, QColor(0x7e, 0x57, 0xc2, 120), 18);
  p.save();
  p.translate(27, 36);
  p.rotate(-28);
  // The neck and head.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5d, 0x40, 0x37));
  p.drawRect(QRectF(-2, -32, 4, 26));
  p.setBrush(QColor(0x3e, 0x27, 0x23));
  p.drawRoundedRect(QRectF(-3, -38, 6, 8), 1.5, 1.5);
  QPainterPath body;
  body.addEllipse(QPointF(0, 8), 11, 11);
  body.addEllipse(QPointF(0, -4), 8, 8);
  body = body.simplified();
  Shine(p, body, QColor(0xe6, 0x8a, 0x1e));
  p.setBrush(QColor(0x21, 0x21, 0x21));
  p.drawEllipse(QPointF(0, 1), 3.4, 3.4);
  p.fillRect(QRectF(-4.5, 11, 9, 2), QColor(0x3e, 0x27, 0x23));
  p.setPen(QPen(QColor(0xee, 0xee, 0xee, 200), 0.35));
  for (double x : {-1.2, -0.4, 0.4, 1.2}) p.drawLine(QPointF(x, -34), QPointF(x, 12));
  p.restore();
}

void Dove(QPainter& p) {
  Tile(p, QColor(0xe1, 0xf5, 0xfe), QColor(0x81, 0xd4, 0xfa));
  QPainterPath bird;
  bird.moveTo(8, 36);
  bird.cubicTo(14, 30, 24, 30, 30, 33);  // back
  bird.cubicTo(32, 22, 38, 12, 50, 8);   // raised wing
  bird.cubicTo(44, 20, 42, 28, 38, 34);
  bird.cubicTo(42, 34, 45, 31, 47, 31);  // head
  bird.cubicTo(50, 31, 51, 34, 49, 36);
  bird.cubicTo(44, 44, 32, 48, 20, 45);  // belly
  bird.lineTo(10, 50);                   // tail
  bird.lineTo(13, 43);
  bird.closeSubpath();
  p.setPen(QPen(QColor(0x78, 0x90, 0x9c), 0.8));
  p.setBrush(Vertical(8, 50, Qt::white, QColor(0xd8, 0xe4, 0xea)));
  p.drawPath(bird);
  p.setBrush(QColor(0x37, 0x47, 0x4f));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(46.5, 33), 0.9, 0.9);
  p.setBrush(QColor(0xff, 0xa0, 0x00));
  p.drawPolygon(QPolygonF({QPointF(49.5, 33.5), QPointF(53, 35), QPointF(49, 35.5)}));
  // The olive branch.
  p.setPen(QPen(QColor(0x55, 0x6b, 0x2f), 1.1));
  p.drawLine(QPointF(48, 37), QPointF(40, 58));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x68, 0x9f, 0x38));
  for (int k = 0; k < 4; ++k) {
    p.save();
    const double t = k / 3.0;
    p.translate(48 - t * 8, 38 + t * 20);
    p.rotate(k % 2 ? 40 : -40);
    p.drawEllipse(QPointF(k % 2 ? 3.5 : -3.5, 0), 3.5, 1.4);
    p.restore();
  }
}

void Programmer(QPainter& p) {
  Tile(p, QColor(0xec, 0xef, 0xf1), QColor(0x90, 0xa4, 0xae));
  QPainterPath monitor;
  monitor.addRoundedRect(QRectF(5, 12, 44, 33), 3, 3);
  Shine(p, monitor, QColor(0x37, 0x47, 0x4f));
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(15, 42, QColor(0x0b, 0x1e, 0x12), QColor(0x10, 0x33, 0x1c)));
  p.drawRect(QRectF(8, 15, 38, 27));
  // Lines of code, a blinking cursor.
  const QColor code[] = {QColor(0x69, 0xf0, 0xae), QColor(0x40, 0xc4, 0xff), QColor(0xff, 0xd7, 0x40)};
  const double lens[] = {18, 24, 12, 20, 9};
  const double indent[] = {0, 4, 8, 4, 0};
  for (int l = 0; l < 5; ++l)
    p.fillRect(QRectF(11 + indent[l], 18 + l * 4.6, lens[l], 2.2), code[l % 3]);
  p.fillRect(QRectF(21, 36.4, 3, 3), QColor(0xee, 0xff, 0xee));
  QPainterPath stand;
  stand.moveTo(23, 45);
  stand.lineTo(31, 45);
  stand.lineTo(34, 52);
  stand.lineTo(20, 52);
  stand.closeSubpath();
  Shine(p, stand, QColor(0x60, 0x7d, 0x8b));
  QPainterPath keys;
  keys.addRoundedRect(QRectF(7, 55, 40, 8), 2, 2);
  Shine(p, keys, QColor(0xcf, 0xd8, 0xdc));
  p.setBrush(QColor(0x78, 0x90, 0x9c));
  for (int k = 0; k < 9; ++k) p.drawRect(QRectF(9.5 + k * 4, 57, 2.6, 1.6));
  p.drawRect(QRectF(17, 60, 20, 1.6));
}

void Elders(QPainter& p) {
  Tile(p, QColor(0xff, 0xf3, 0xe0), QColor(0xff, 0xb7, 0x4d));
  // Autumn leaves, a warm heart and a pair of spectacles.
  const QColor leaves[] = {QColor(0xe6, 0x51, 0x00), QColor(0xf9, 0xa8, 0x25), QColor(0xbf, 0x36, 0x0c)};
  const QPointF at[] = {{10, 12}, {44, 14}, {42, 60}};
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(at[i]);
    p.rotate(i * 70 - 30);
    QPainterPath leaf;
    leaf.moveTo(0, -6);
    leaf.quadTo(6, 0, 0, 6);
    leaf.quadTo(-6, 0, 0, -6);
    Shine(p, leaf, leaves[i]);
    p.restore();
  }
  Shine(p, HeartPath({27, 28}, 28), QColor(0xe5, 0x39, 0x35));
  p.setPen(QPen(QColor(0x4e, 0x34, 0x2e), 1.8));
  p.setBrush(QColor(255, 255, 255, 90));
  p.drawEllipse(QPointF(18, 51), 6.5, 5.5);
  p.drawEllipse(QPointF(36, 51), 6.5, 5.5);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(24, 48, 6, 4), 20 * 16, 140 * 16);
  p.drawLine(QPointF(11.5, 50), QPointF(6, 46));
  p.drawLine(QPointF(42.5, 50), QPointF(48, 46));
}

void Teacher(QPainter& p) {
  Tile(p, QColor(0xe8, 0xf5, 0xe9), QColor(0xa5, 0xd6, 0xa7));
  const QColor covers[] = {QColor(0x15, 0x65, 0xc0), QColor(0xc6, 0x28, 0x28), QColor(0x2e, 0x7d, 0x32)};
  for (int b = 0; b < 3; ++b) {
    const QRectF r(7 + (b == 1 ? 3 : 0), 53 - b * 8, 38 - (b == 1 ? 4 : 0), 8);
    QPainterPath book;
    book.addRoundedRect(r, 1.5, 1.5);
    Shine(p, book, covers[b]);
    p.fillRect(QRectF(r.right() - 4, r.top() + 1.5, 3, r.height() - 3), QColor(0xfa, 0xfa, 0xf0));
  }
  QPainterPath apple;
  apple.moveTo(27, 22);
  apple.cubicTo(20, 15, 11, 22, 15, 31);
  apple.cubicTo(18, 38, 24, 38, 27, 36);
  apple.cubicTo(30, 38, 36, 38, 39, 31);
  apple.cubicTo(43, 22, 34, 15, 27, 22);
  Shine(p, apple, QColor(0xe5, 0x39, 0x35));
  p.setPen(QPen(QColor(0x5d, 0x40, 0x37), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(27, 22), QPointF(28, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x43, 0xa0, 0x47));
  p.save();
  p.translate(31, 16);
  p.rotate(-25);
  p.drawEllipse(QPointF(0, 0), 4, 1.8);
  p.restore();
}

void Halloween(QPainter& p) {
  Tile(p, QColor(0x1a, 0x0b, 0x2e), QColor(0x4a, 0x14, 0x8c));
  QRadialGradient moon(40, 14, 8);
  moon.setColorAt(0, QColor(0xff, 0xf9, 0xc4));
  moon.setColorAt(1, QColor(0xff, 0xec, 0x80));
  p.setPen(Qt::NoPen);
  p.setBrush(moon);
  p.drawEllipse(QPointF(40, 14), 7, 7);
  // A bat across the moon.
  QPainterPath bat;
  bat.moveTo(14, 14);
  bat.quadTo(18, 9, 22, 12);
  bat.quadTo(24, 10, 26, 12);
  bat.quadTo(30, 9, 34, 14);
  bat.quadTo(30, 13, 28, 16);
  bat.quadTo(24, 14, 20, 16);
  bat.quadTo(18, 13, 14, 14);
  p.setBrush(QColor(0x10, 0x08, 0x18));
  p.drawPath(bat);
  Pumpkin(p, {27, 46}, 16, true);
}

void Turkey(QPainter& p) {
  Tile(p, QColor(0xff, 0xf8, 0xe1), QColor(0xff, 0xb7, 0x4d));
  const QColor feathers[] = {QColor(0xbf, 0x36, 0x0c), QColor(0xff, 0x8f, 0x00), QColor(0xfb, 0xc0, 0x2d),
                             QColor(0x6d, 0x4c, 0x41)};
  for (int k = 0; k < 9; ++k) {
    p.save();
    p.translate(27, 38);
    p.rotate(-80 + k * 20);
    QPainterPath f;
    f.addEllipse(QPointF(0, -15), 4.5, 12);
    Shine(p, f, feathers[k % 4]);
    p.restore();
  }
  QPainterPath body;
  body.addEllipse(QPointF(27, 44), 10, 11);
  Shine(p, body, QColor(0x79, 0x55, 0x48));
  QPainterPath head;
  head.addEllipse(QPointF(27, 31), 5.5, 6);
  Shine(p, head, QColor(0x8d, 0x6e, 0x63));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(25, 30), 1.6, 1.6);
  p.drawEllipse(QPointF(29, 30), 1.6, 1.6);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(25.3, 30.3), 0.8, 0.8);
  p.drawEllipse(QPointF(29.3, 30.3), 0.8, 0.8);
  p.setBrush(QColor(0xff, 0xb3, 0x00));
  p.drawPolygon(QPolygonF({QPointF(25.5, 33), QPointF(28.5, 33), QPointF(27, 35.5)}));
  p.setBrush(QColor(0xe5, 0x39, 0x35));
  p.drawEllipse(QPointF(28.3, 37), 1.2, 2.2);
  p.setPen(QPen(QColor(0xef, 0x6c, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(23, 54), QPointF(22, 60));
  p.drawLine(QPointF(31, 54), QPointF(32, 60));
  // Corn and a pumpkin at its feet.
  Pumpkin(p, {44, 60}, 6, false);
}

void EasterEggs(QPainter& p) {
  Tile(p, QColor(0xff, 0xfd, 0xe7), QColor(0xdc, 0xed, 0xc8));
  // A nest of grass.
  p.setPen(QPen(QColor(0x55, 0x8b, 0x2f), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 22; ++k) {
    const double x = 4 + k * 2.2;
    p.drawLine(QPointF(x, 64), QPointF(x + ((k % 3) - 1) * 2.5, 52 - (k % 4) * 2));
  }
  Egg(p, {19, 38}, 10, 14, -12, QColor(0xd3, 0x2f, 0x2f), kGold);
  Egg(p, {36, 44}, 9, 12.5, 14, QColor(0x1e, 0x88, 0xe5), QColor(0xff, 0xff, 0xff));
  p.setPen(QPen(QColor(0x7c, 0xb3, 0x42), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 14; ++k) {
    const double x = 6 + k * 3.2;
    p.drawLine(QPointF(x, 66), QPointF(x + ((k % 3) - 1) * 2, 56 - (k % 2) * 3));
  }
  Shine(p, StarPath({45, 14}, 5, 1.6, 4), kGold);
  Shine(p, StarPath({10, 16}, 3.5, 1.2, 4), kGold);
}

void Nativity(QPainter& p) {
  Tile(p, QColor(0x0b, 0x14, 0x3c), QColor(0x28, 0x35, 0x93));
  Snow(p, 19, 16, QColor(255, 255, 255, 150));
  // The star with its long ray, over a small town on the hill.
  QRadialGradient glow(27, 22, 22);
  glow.setColorAt(0, QColor(255, 246, 200, 180));
  glow.setColorAt(1, QColor(255, 246, 200, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(27, 22), 22, 22);
  QLinearGradient ray(27, 22, 27, 56);
  ray.setColorAt(0, QColor(255, 240, 180, 200));
  ray.setColorAt(1, QColor(255, 240, 180, 0));
  p.setBrush(ray);
  p.drawPolygon(QPolygonF({QPointF(25.5, 24), QPointF(28.5, 24), QPointF(31, 58), QPointF(23, 58)}));
  Shine(p, StarPath({27, 22}, 13, 2.6, 4), QColor(0xff, 0xf1, 0x76));
  Shine(p, StarPath({27, 22}, 7, 2, 4, M_PI / 4), QColor(0xff, 0xff, 0xff));
  QPainterPath hill;
  hill.moveTo(1, 60);
  hill.quadTo(27, 50, 53, 60);
  hill.lineTo(53, 69);
  hill.lineTo(1, 69);
  hill.closeSubpath();
  p.setBrush(QColor(0xe8, 0xea, 0xf6));
  p.drawPath(hill);
  p.setBrush(QColor(0x1a, 0x1a, 0x40));
  p.drawRect(QRectF(12, 53, 7, 6));
  p.drawPolygon(QPolygonF({QPointF(11, 53.5), QPointF(15.5, 49), QPointF(20, 53.5)}));
  p.drawRect(QRectF(36, 54, 6, 5));
  p.drawPolygon(QPolygonF({QPointF(35, 54.5), QPointF(39, 50.5), QPointF(43, 54.5)}));
  p.setBrush(QColor(0xff, 0xd5, 0x4f));
  p.drawRect(QRectF(14.5, 55, 2, 2));
  p.drawRect(QRectF(38, 55.5, 2, 2));
}

void OrthodoxCross(QPainter& p) {
  Tile(p, QColor(0x1a, 0x23, 0x7e), QColor(0x0d, 0x12, 0x40));
  Cross(p, true);
}

void LatinCross(QPainter& p) {
  Tile(p, QColor(0x6a, 0x1b, 0x9a), QColor(0x31, 0x0b, 0x4a));
  Cross(p, false);
}

const std::map<QString, std::function<void(QPainter&)>>& Holidays() {
  static const std::map<QString, std::function<void(QPainter&)>> table = {
      {"R_NEWYEAR", NewYear},
      {"R_USAFLAG", [](QPainter& p) { Flag(p, "USA"); }},
      {"R_RUSFLAG", [](QPainter& p) { Flag(p, "RUS"); }},
      {"R_ISPFLAG", [](QPainter& p) { Flag(p, "ISP"); }},
      {"R_FRAFLAG", [](QPainter& p) { Flag(p, "FRA"); }},
      {"R_DEUFLAG", [](QPainter& p) { Flag(p, "DEU"); }},
      {"R_ENGFLAG", [](QPainter& p) { Flag(p, "ENG"); }},
      {"R_RUSZNAN", Knowledge},
      {"R_RUSORDN", Order},
      {"R_RUSGEOR", Georgian},
      {"R_LOVE000", Love},
      {"R_8MARCH0", EighthMarch},
      {"R_USAPATR", Shamrock},
      {"R_1April0", FoolsDay},
      {"R_1May000", MayDay},
      {"R_BABY000", Children},
      {"R_FRAMUS0", Music},
      {"R_USA4JUL", Fireworks},
      {"R_USAELVI", Guitar},
      {"R_WAR0000", Dove},
      {"R_ALLPROG", Programmer},
      {"R_OLD0000", Elders},
      {"R_TEACHER", Teacher},
      {"R_HALLO00", Halloween},
      {"R_USABLAG", Turkey},
      {"R_PASHA00", EasterEggs},
      {"R_PRAKRES", OrthodoxCross},
      {"R_KATKRES", LatinCross},
      {"R_ROGDEST", Nativity},
  };
  return table;
}

}  // namespace

QImage PaintBase() {
  QImage img = Blank(60, 100);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A drop shadow, the sheet, its red head and two rings binding it.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 55));
  p.drawRoundedRect(QRectF(1.5, 5.5, 58, 94), 5, 5);
  const QRectF sheet(0.5, 4.5, 58, 94);
  p.setBrush(Vertical(4, 99, QColor(0xff, 0xfe, 0xf8), QColor(0xee, 0xea, 0xdc)));
  p.setPen(QPen(QColor(0x9e, 0x96, 0x80), 1));
  p.drawRoundedRect(sheet, 5, 5);
  QPainterPath head;
  head.addRoundedRect(QRectF(0.5, 4.5, 58, 17), 5, 5);
  head.addRect(QRectF(0.5, 14, 58, 7.5));
  head = head.simplified();
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(4, 21, QColor(0xe8, 0x3a, 0x3a), QColor(0xa8, 0x10, 0x18)));
  p.drawPath(head);
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawRect(QRectF(2, 6, 55, 2));
  p.fillRect(QRectF(0.5, 21.5, 58, 1), QColor(0x70, 0x08, 0x0c));
  for (double x : {16.0, 43.0}) {
    p.setBrush(QColor(0x50, 0x08, 0x0c));
    p.drawEllipse(QPointF(x, 12), 2.4, 2.4);
    QPen ring(QColor(0x9a, 0x9a, 0xa4), 1.8, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x - 2.5, 0.5, 5, 12), 0, 180 * 16);
    p.setPen(QPen(QColor(0xe0, 0xe0, 0xe8), 0.7));
    p.drawArc(QRectF(x - 2.1, 0.9, 4.2, 11), 30 * 16, 120 * 16);
    p.setPen(Qt::NoPen);
  }
  // A faint rule between the month and the sign.
  p.fillRect(QRectF(12, 60, 35, 0.8), QColor(0xc8, 0xbc, 0x9c));
  return img;
}

QImage PaintSign(int sign) {
  QImage img = Blank(26, 26);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(10, 9, 16);
  g.setColorAt(0, QColor(0x5c, 0x6b, 0xc0));
  g.setColorAt(1, QColor(0x1a, 0x23, 0x7e));
  p.setBrush(g);
  p.setPen(QPen(kDeepGold, 1.4));
  p.drawEllipse(QRectF(1, 1, 24, 24));
  p.setPen(QPen(QColor(0xff, 0xe0, 0x82, 140), 0.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(2.6, 2.6, 20.8, 20.8));
  QPainterPath glyph;
  glyph.addText(0, 0, Font("DejaVu Sans", 16), QString(QChar(0x2648 + (sign - 1) % 12)));
  const QRectF b = glyph.boundingRect();
  glyph.translate(13 - b.center().x(), 13 - b.center().y());
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(5, 21, QColor(0xff, 0xf3, 0xc0), kGold));
  p.drawPath(glyph);
  return img;
}

QImage PaintAnimal(int animal) {
  // The animal's character in a gold ring on red lacquer.
  static const char16_t kGlyphs[12] = {u'鼠', u'牛', u'虎', u'兔', u'龍', u'蛇',
                                       u'馬', u'羊', u'猴', u'雞', u'狗', u'豬'};
  QImage img = Blank(kW, kH);
  QPainter p(&img);
  Tile(p, QColor(0xd3, 0x2f, 0x2f), QColor(0x7f, 0x00, 0x00));
  p.setPen(QPen(kGold, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(3.5, 3.5, kW - 7, kH - 7), 4, 4);
  QRadialGradient disc(24, 26, 22);
  disc.setColorAt(0, QColor(0xb7, 0x1c, 0x1c));
  disc.setColorAt(1, QColor(0x6d, 0x00, 0x00));
  p.setBrush(disc);
  p.setPen(QPen(kGold, 1.6));
  p.drawEllipse(QPointF(27, 30), 19, 19);
  QPainterPath glyph;
  glyph.addText(0, 0, Font("WenQuanYi Zen Hei", 26), QString(QChar(kGlyphs[animal % 12])));
  const QRectF b = glyph.boundingRect();
  glyph.translate(27 - b.center().x(), 30 - b.center().y());
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(16, 44, QColor(0xff, 0xf3, 0xc0), kGold));
  p.drawPath(glyph);
  // A cloud scroll under the ring.
  p.setPen(QPen(kGold, 1.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath scroll;
  scroll.moveTo(11, 59);
  scroll.cubicTo(11, 54, 18, 54, 18, 58);
  scroll.cubicTo(18, 61, 14, 61, 14.5, 58.5);
  scroll.moveTo(18, 58);
  scroll.lineTo(36, 58);
  scroll.moveTo(43, 59);
  scroll.cubicTo(43, 54, 36, 54, 36, 58);
  scroll.cubicTo(36, 61, 40, 61, 39.5, 58.5);
  p.drawPath(scroll);
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawEllipse(QPointF(27, 62), 1.6, 1.6);
  return img;
}

QImage PaintHoliday(const QString& name) {
  const auto& table = Holidays();
  const auto it = table.find(name);
  if (it == table.end()) return {};
  QImage img = Blank(kW, kH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  it->second(p);
  return img;
}

}  // namespace calendargen
