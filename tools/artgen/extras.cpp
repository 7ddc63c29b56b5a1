// Icons, account pictures, side-panel pictures and the small animations of the
// secondary windows. One light source (upper left), soft rims and white glyphs keep
// them of one family with the plates and frames.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <random>
#include <tuple>

#include "art.h"

namespace artgen {

QImage PaintFace(int suit, int rank, int w, int h);

namespace {

constexpr double kPi = 3.14159265358979323846;

QColor Mix(QColor a, QColor b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                          float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t),
                          float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QPainterPath Star(QPointF c, double r, double inner, int points, double turn = 0) {
  QPainterPath s;
  for (int i = 0; i < 2 * points; ++i) {
    const double rr = i % 2 ? r * inner : r, a = -kPi / 2 + turn + i * kPi / points;
    const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    i ? s.lineTo(pt) : s.moveTo(pt);
  }
  s.closeSubpath();
  return s;
}

// A rounded square tile with a lit top, the common ground of the 48-pixel icons.
void Tile(QPainter& p, double size, QColor c) {
  const double m = size * 0.04, r = size * 0.2;
  const QRectF box(m, m, size - 2 * m, size - 2 * m);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(box.translated(0, size * 0.03), r, r);
  QLinearGradient g(0, m, 0, size - m);
  g.setColorAt(0, c.lighter(150));
  g.setColorAt(0.5, c);
  g.setColorAt(1, c.darker(160));
  p.setPen(QPen(c.darker(230), std::max(1.0, size / 40)));
  p.setBrush(g);
  p.drawRoundedRect(box, r, r);
  QLinearGradient shine(0, m, 0, size * 0.5);
  shine.setColorAt(0, QColor(255, 255, 255, 110));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawRoundedRect(QRectF(m * 2.5, m * 2, size - 5 * m, size * 0.42), r * 0.8, r * 0.8);
}

// A round glossy button face.
void Disc(QPainter& p, QRectF box, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(box.translated(0, box.height() * 0.03));
  QRadialGradient g(box.left() + box.width() * 0.38, box.top() + box.height() * 0.3, box.width() * 0.75);
  g.setColorAt(0, c.lighter(170));
  g.setColorAt(0.55, c);
  g.setColorAt(1, c.darker(170));
  p.setPen(QPen(c.darker(240), std::max(1.0, box.width() / 36)));
  p.setBrush(g);
  p.drawEllipse(box);
  QLinearGradient shine(0, box.top(), 0, box.center().y());
  shine.setColorAt(0, QColor(255, 255, 255, 120));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawEllipse(QRectF(box.left() + box.width() * 0.18, box.top() + box.height() * 0.05,
                       box.width() * 0.64, box.height() * 0.45));
}

// Glyphs are drawn white with a dark shadow one step below.
void Glyph(QPainter& p, const QPainterPath& path, double size, QColor ink = Qt::white) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawPath(path.translated(0, size * 0.025));
  p.setBrush(ink);
  p.drawPath(path);
}

QPainterPath Person(QRectF box) {
  QPainterPath s;
  const double w = box.width(), h = box.height();
  s.addEllipse(QPointF(box.center().x(), box.top() + h * 0.3), w * 0.2, h * 0.22);
  QPainterPath body;
  body.moveTo(box.left() + w * 0.1, box.bottom());
  body.cubicTo(box.left() + w * 0.1, box.top() + h * 0.62, box.left() + w * 0.3, box.top() + h * 0.56,
               box.center().x(), box.top() + h * 0.56);
  body.cubicTo(box.right() - w * 0.3, box.top() + h * 0.56, box.right() - w * 0.1, box.top() + h * 0.62,
               box.right() - w * 0.1, box.bottom());
  body.closeSubpath();
  return s.united(body);
}

QPainterPath Cup(QRectF b) {
  const double w = b.width(), h = b.height(), cx = b.center().x();
  QPainterPath bowl;
  bowl.moveTo(b.left() + w * 0.22, b.top());
  bowl.lineTo(b.right() - w * 0.22, b.top());
  bowl.cubicTo(b.right() - w * 0.22, b.top() + h * 0.45, cx + w * 0.12, b.top() + h * 0.58, cx + w * 0.06, b.top() + h * 0.62);
  bowl.lineTo(cx + w * 0.06, b.top() + h * 0.78);
  bowl.lineTo(cx + w * 0.22, b.top() + h * 0.86);
  bowl.lineTo(cx + w * 0.22, b.bottom());
  bowl.lineTo(cx - w * 0.22, b.bottom());
  bowl.lineTo(cx - w * 0.22, b.top() + h * 0.86);
  bowl.lineTo(cx - w * 0.06, b.top() + h * 0.78);
  bowl.lineTo(cx - w * 0.06, b.top() + h * 0.62);
  bowl.cubicTo(cx - w * 0.12, b.top() + h * 0.58, b.left() + w * 0.22, b.top() + h * 0.45, b.left() + w * 0.22, b.top());
  bowl.closeSubpath();
  QPainterPath handles;
  const double t = w * 0.07;
  QPainterPath l, r;
  l.addEllipse(QRectF(b.left() + w * 0.04, b.top() + h * 0.06, w * 0.3, h * 0.3));
  QPainterPath lin;
  lin.addEllipse(QRectF(b.left() + w * 0.04 + t, b.top() + h * 0.06 + t, w * 0.3 - 2 * t, h * 0.3 - 2 * t));
  l = l.subtracted(lin);
  r.addEllipse(QRectF(b.right() - w * 0.34, b.top() + h * 0.06, w * 0.3, h * 0.3));
  QPainterPath rin;
  rin.addEllipse(QRectF(b.right() - w * 0.34 + t, b.top() + h * 0.06 + t, w * 0.3 - 2 * t, h * 0.3 - 2 * t));
  r = r.subtracted(rin);
  return bowl.united(l).united(r);
}

void GoldCup(QPainter& p, QRectF b, QColor metal) {
  const QPainterPath cup = Cup(b);
  QLinearGradient g(b.left(), 0, b.right(), 0);
  g.setColorAt(0, metal.darker(130));
  g.setColorAt(0.35, metal.lighter(160));
  g.setColorAt(0.6, metal);
  g.setColorAt(1, metal.darker(170));
  p.setPen(QPen(metal.darker(260), std::max(1.0, b.width() / 40)));
  p.setBrush(g);
  p.drawPath(cup);
}

// Two arrows chasing round a circle.
QPainterPath Refresh(QPointF c, double r, double t, double turn) {
  QPainterPath out;
  for (int k = 0; k < 2; ++k) {
    const double a0 = turn + k * 180 + 20, span = 130;
    QPainterPath arc;
    QRectF outer(c.x() - r - t / 2, c.y() - r - t / 2, 2 * r + t, 2 * r + t);
    QRectF inner(c.x() - r + t / 2, c.y() - r + t / 2, 2 * r - t, 2 * r - t);
    arc.arcMoveTo(outer, a0);
    arc.arcTo(outer, a0, span);
    arc.arcTo(inner, a0 + span, -span);
    arc.closeSubpath();
    const double a = (a0 + span) * kPi / 180;
    const QPointF tip(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    const QPointF dir(-std::sin(a), -std::cos(a));  // along the turn
    const QPointF nrm(std::cos(a), -std::sin(a));
    QPolygonF head({tip + nrm * t * 1.4, tip - nrm * t * 1.4, tip + dir * t * 1.9});
    QPainterPath hp;
    hp.addPolygon(head);
    hp.closeSubpath();
    out = out.united(arc).united(hp);
  }
  return out;
}

QImage Icon48(QColor tile, const std::function<void(QPainter&)>& glyph) {
  QImage img = Blank(48, 48);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Tile(p, 48, tile);
  glyph(p);
  return img;
}

QImage Globe(int size, double turn) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double r = size * 0.44;
  const QPointF c(size / 2.0, size / 2.0);
  QRadialGradient sea(c.x() - r * 0.35, c.y() - r * 0.4, r * 1.5);
  sea.setColorAt(0, QColor(0x7c, 0xc8, 0xff));
  sea.setColorAt(0.6, QColor(0x1c, 0x6c, 0xc8));
  sea.setColorAt(1, QColor(0x0a, 0x2a, 0x60));
  p.setPen(QPen(QColor(0x08, 0x20, 0x48), std::max(1.0, size / 40.0)));
  p.setBrush(sea);
  p.drawEllipse(c, r, r);
  QPainterPath ball;
  ball.addEllipse(c, r * 0.97, r * 0.97);
  p.setClipPath(ball);
  // Land masses as soft blobs that drift with the turn.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(0, 1);
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 16; ++k) {
    const double lon = u(rng) * 2 * kPi + turn, lat = (u(rng) - 0.5) * 2.2;
    const double x = std::sin(lon) * std::cos(lat * 0.7);
    if (std::cos(lon) < -0.1) continue;  // far side
    const QPointF at(c.x() + x * r * 0.9, c.y() + std::sin(lat * 0.7) * r * 0.9);
    const double s = r * (0.2 + u(rng) * 0.24) * (0.5 + 0.5 * std::cos(lon));
    QRadialGradient land(at, s);
    land.setColorAt(0, QColor(0x6c, 0xc0, 0x48));
    land.setColorAt(1, QColor(0x2c, 0x80, 0x30));
    p.setBrush(land);
    p.drawEllipse(at, s * 1.3, s);
  }
  // Meridians and parallels.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 70), std::max(0.8, size / 64.0)));
  for (int k = -2; k <= 2; ++k) p.drawEllipse(c, r * std::abs(k) / 2.5, r);
  for (int k = -2; k <= 2; ++k) {
    const double y = c.y() + k * r / 3;
    const double hw = std::sqrt(std::max(0.0, r * r - (y - c.y()) * (y - c.y())));
    p.drawLine(QPointF(c.x() - hw, y), QPointF(c.x() + hw, y));
  }
  p.setClipping(false);
  QRadialGradient shine(c.x() - r * 0.4, c.y() - r * 0.45, r * 0.7);
  shine.setColorAt(0, QColor(255, 255, 255, 150));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawEllipse(c, r, r);
  return img;
}

QImage Gift(int size, QColor box, QColor ribbon) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 48.0;
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(QRectF(7, 21, 34, 26), 3, 3);
  QLinearGradient g(0, 20, 0, 46);
  g.setColorAt(0, box.lighter(140));
  g.setColorAt(1, box.darker(150));
  p.setPen(QPen(box.darker(250), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(8, 22, 32, 23), 2, 2);
  QLinearGradient lid(0, 15, 0, 23);
  lid.setColorAt(0, box.lighter(170));
  lid.setColorAt(1, box);
  p.setBrush(lid);
  p.drawRoundedRect(QRectF(5, 15, 38, 8), 2, 2);
  p.setPen(QPen(ribbon.darker(200), 0.8));
  p.setBrush(ribbon);
  p.drawRect(QRectF(21, 15, 6, 30));
  // The bow.
  QPainterPath bow;
  bow.moveTo(24, 15);
  bow.cubicTo(14, 2, 6, 12, 13, 15);
  bow.closeSubpath();
  bow.moveTo(24, 15);
  bow.cubicTo(34, 2, 42, 12, 35, 15);
  bow.closeSubpath();
  p.setBrush(ribbon.lighter(115));
  p.drawPath(bow);
  p.drawEllipse(QPointF(24, 15), 3, 2.5);
  return img;
}

QImage PlayerButton(int kind) {
  QImage img = Blank(60, 60);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Disc(p, QRectF(3, 3, 54, 54), QColor(0x1c, 0x4c, 0x9c));
  QPainterPath g;
  switch (kind) {
    case 0:  // play
      g.addPolygon(QPolygonF({QPointF(23, 16), QPointF(44, 30), QPointF(23, 44)}));
      break;
    case 1:  // pause
      g.addRoundedRect(QRectF(20, 17, 7, 26), 1.5, 1.5);
      g.addRoundedRect(QRectF(33, 17, 7, 26), 1.5, 1.5);
      break;
    case 2:  // next
      g.addPolygon(QPolygonF({QPointF(17, 18), QPointF(31, 30), QPointF(17, 42)}));
      g.addPolygon(QPolygonF({QPointF(29, 18), QPointF(43, 30), QPointF(29, 42)}));
      g.addRect(QRectF(42, 18, 4, 24));
      break;
    default: {  // volume: a speaker and two waves
      g.addPolygon(QPolygonF({QPointF(15, 25), QPointF(22, 25), QPointF(31, 16), QPointF(31, 44),
                              QPointF(22, 35), QPointF(15, 35)}));
      for (int k = 0; k < 2; ++k) {
        const double r = 7 + k * 6;
        QPainterPath wave;
        const QRectF o(30 - r - 1.6, 30 - r - 1.6, 2 * (r + 1.6), 2 * (r + 1.6));
        const QRectF i(30 - r + 1.6, 30 - r + 1.6, 2 * (r - 1.6), 2 * (r - 1.6));
        wave.arcMoveTo(o, -45);
        wave.arcTo(o, -45, 90);
        wave.arcTo(i, 45, -90);
        wave.closeSubpath();
        g.addPath(wave);
      }
      break;
    }
  }
  g.closeSubpath();
  g.setFillRule(Qt::WindingFill);
  Glyph(p, g, 60);
  return img;
}

QImage Radio(QColor glow) {
  QImage img = Blank(48, 48);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Aerial.
  p.setPen(QPen(QColor(0x50, 0x50, 0x58), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(32, 14), QPointF(41, 3));
  p.setBrush(glow);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(41, 3), 2, 2);
  // Wooden cabinet.
  QLinearGradient wood(0, 13, 0, 45);
  wood.setColorAt(0, QColor(0xb8, 0x74, 0x38));
  wood.setColorAt(1, QColor(0x6a, 0x38, 0x14));
  p.setPen(QPen(QColor(0x40, 0x20, 0x08), 1));
  p.setBrush(wood);
  p.drawRoundedRect(QRectF(3, 13, 42, 32), 6, 6);
  // Speaker cloth.
  p.setBrush(QColor(0xe8, 0xd8, 0xb0));
  p.drawRoundedRect(QRectF(7, 17, 18, 24), 3, 3);
  p.setPen(QPen(QColor(0x9a, 0x84, 0x5c), 0.8));
  for (int y = 20; y < 40; y += 3) p.drawLine(QPointF(8.5, y), QPointF(23.5, y));
  // The lit dial in the radio's colour.
  QRadialGradient d(35, 25, 8);
  d.setColorAt(0, glow.lighter(180));
  d.setColorAt(0.7, glow);
  d.setColorAt(1, glow.darker(180));
  p.setPen(QPen(QColor(0x30, 0x18, 0x04), 1));
  p.setBrush(d);
  p.drawEllipse(QPointF(35, 25), 6.5, 6.5);
  p.setPen(QPen(QColor(0x20, 0x10, 0x00), 1.2));
  p.drawLine(QPointF(35, 25), QPointF(38.5, 21));
  p.setBrush(QColor(0x30, 0x20, 0x10));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(31, 38), 2.4, 2.4);
  p.drawEllipse(QPointF(39, 38), 2.4, 2.4);
  return img;
}

QImage Bubbles(int size) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 72.0, size / 72.0);
  auto bubble = [&](QRectF b, bool tailLeft, QColor c) {
    QPainterPath s;
    s.addRoundedRect(b, b.height() * 0.45, b.height() * 0.45);
    QPainterPath tail;
    const double x = tailLeft ? b.left() + b.width() * 0.22 : b.right() - b.width() * 0.22;
    const double dx = tailLeft ? -1 : 1;
    tail.moveTo(x - 6 * dx, b.bottom() - 4);
    tail.quadTo(x, b.bottom() + 5, x + 4 * dx - 10 * dx, b.bottom() + 11);
    tail.quadTo(x + 8 * dx, b.bottom() + 4, x + 7 * dx, b.bottom() - 4);
    tail.closeSubpath();
    s = s.united(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(s.translated(0, 2));
    QLinearGradient g(0, b.top(), 0, b.bottom());
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c.darker(120));
    p.setPen(QPen(c.darker(230), 1.4));
    p.setBrush(g);
    p.drawPath(s);
  };
  bubble(QRectF(4, 6, 46, 30), true, QColor(0x30, 0x90, 0xe0));
  bubble(QRectF(22, 28, 46, 28), false, QColor(0xf0, 0xb8, 0x28));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  for (int k = 0; k < 3; ++k) p.drawEllipse(QPointF(17 + k * 10, 21), 3, 3);
  p.setBrush(QColor(0x60, 0x40, 0x08));
  for (int k = 0; k < 3; ++k) p.drawEllipse(QPointF(35 + k * 10, 42), 2.6, 2.6);
  return img;
}

QImage Newspaper() {
  QImage img = Blank(72, 72);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(9, 11, 58, 56), 4, 4);
  p.setPen(QPen(QColor(0x60, 0x58, 0x48), 1.2));
  p.setBrush(QColor(0xe6, 0xe0, 0xd0));
  p.drawRoundedRect(QRectF(11, 12, 54, 52), 3, 3);  // the back page
  QLinearGradient g(0, 6, 0, 62);
  g.setColorAt(0, QColor(0xff, 0xfd, 0xf6));
  g.setColorAt(1, QColor(0xe8, 0xe2, 0xd2));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(6, 7, 54, 54), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xb0, 0x1c, 0x24));
  p.drawRect(QRectF(11, 12, 44, 8));  // the masthead
  p.setBrush(QColor(0x8c, 0xa8, 0xc8));
  p.drawRect(QRectF(11, 24, 20, 16));  // a photo
  p.setBrush(QColor(0x60, 0x60, 0x68));
  for (int k = 0; k < 4; ++k) p.drawRect(QRectF(34, 25 + k * 4, 21, 1.6));
  for (int k = 0; k < 4; ++k) p.drawRect(QRectF(11, 44 + k * 4, 44, 1.6));
  return img;
}

QImage Shelf() {
  QImage img = Blank(160, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 4, 0, 22);
  g.setColorAt(0, QColor(0xd8, 0x9c, 0x5c));
  g.setColorAt(1, QColor(0x8a, 0x50, 0x20));
  p.setPen(QPen(QColor(0x4a, 0x28, 0x0c), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 4, 158, 16), 3, 3);
  // Grain.
  p.setPen(QPen(QColor(0x6a, 0x3c, 0x14, 90), 0.8));
  for (int k = 0; k < 3; ++k) {
    QPainterPath grain;
    grain.moveTo(4, 9 + k * 4);
    for (int x = 4; x <= 156; x += 16) grain.quadTo(x + 8, 8 + k * 4 + (x / 16 % 2 ? 1.5 : -1.5), x + 16, 9 + k * 4);
    p.drawPath(grain);
  }
  // Brackets.
  p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
  p.setBrush(QColor(0x90, 0x90, 0x98));
  for (double x : {22.0, 132.0})
    p.drawPolygon(QPolygonF({QPointF(x, 20), QPointF(x + 6, 20), QPointF(x + 6, 30), QPointF(x + 2, 30)}));
  return img;
}

QImage Portrait(bool woman) {
  QImage img(200, 250, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 250);
  bg.setColorAt(0, woman ? QColor(0xf4, 0xe4, 0xec) : QColor(0xe4, 0xec, 0xf4));
  bg.setColorAt(1, woman ? QColor(0xc8, 0xa8, 0xbc) : QColor(0xa8, 0xb8, 0xcc));
  p.fillRect(img.rect(), bg);
  const QColor ink = woman ? QColor(0x8c, 0x5c, 0x7c) : QColor(0x5c, 0x70, 0x8c);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  if (woman) {  // hair falling to the shoulders behind the head
    QPainterPath hair;
    hair.moveTo(100, 42);
    hair.cubicTo(46, 42, 50, 110, 48, 150);
    hair.cubicTo(60, 162, 140, 162, 152, 150);
    hair.cubicTo(150, 110, 154, 42, 100, 42);
    p.drawPath(hair);
  }
  QPainterPath body;
  body.moveTo(18, 250);
  body.cubicTo(18, 186, 56, 166, 100, 166);
  body.cubicTo(144, 166, 182, 186, 182, 250);
  body.closeSubpath();
  p.setBrush(ink.darker(110));
  p.drawPath(body);
  p.setBrush(ink.lighter(115));
  p.drawRect(QRectF(86, 138, 28, 34));  // neck
  p.drawEllipse(QPointF(100, 102), 40, 50);
  if (!woman) {  // short hair on top
    QPainterPath hair;
    hair.moveTo(60, 100);
    hair.cubicTo(54, 40, 146, 40, 140, 100);
    hair.cubicTo(130, 70, 70, 70, 60, 100);
    p.setBrush(ink.darker(125));
    p.drawPath(hair);
  } else {
    QPainterPath fringe;
    fringe.moveTo(60, 96);
    fringe.cubicTo(58, 44, 142, 44, 140, 96);
    fringe.cubicTo(120, 70, 84, 66, 60, 96);
    p.setBrush(ink.darker(112));
    p.drawPath(fringe);
  }
  // A soft question mark says the photo is missing.
  p.setBrush(QColor(255, 255, 255, 120));
  p.setPen(Qt::NoPen);
  QFont f("DejaVu Sans");
  f.setPixelSize(56);
  f.setBold(true);
  QPainterPath q;
  q.addText(0, 0, f, "?");
  const QRectF qr = q.boundingRect();
  p.drawPath(q.translated(100 - qr.center().x(), 110 - qr.center().y()));
  return img;
}

// Drawn over a 200 x 250 photo at the same place: a gilt edge, clear inside.
QImage PhotoFrame() {
  QImage img = Blank(200, 250);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath edge;
  edge.addRect(QRectF(0, 0, 200, 250));
  QPainterPath hole;
  hole.addRoundedRect(QRectF(9, 9, 182, 232), 8, 8);
  edge = edge.subtracted(hole);
  QLinearGradient g(0, 0, 200, 250);
  g.setColorAt(0, QColor(0xf8, 0xe0, 0x90));
  g.setColorAt(0.45, QColor(0xb0, 0x80, 0x20));
  g.setColorAt(0.55, QColor(0xe8, 0xc0, 0x58));
  g.setColorAt(1, QColor(0x8a, 0x60, 0x14));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(edge);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x50, 0x34, 0x08), 1.2));
  p.drawRect(QRectF(0.6, 0.6, 198.8, 248.8));
  p.drawRoundedRect(QRectF(9, 9, 182, 232), 8, 8);
  p.setPen(QPen(QColor(0xff, 0xf4, 0xc8, 160), 1));
  p.drawRect(QRectF(3.5, 3.5, 193, 243));
  return img;
}

QImage ContactIcon(const QString& kind) {
  QImage img = Blank(24, 24);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  struct Look { const char* kind; QColor c; const char* letters; };
  static const Look looks[] = {
      {"EMail", QColor(0xe0, 0x8c, 0x1c), ""},  {"Skype", QColor(0x10, 0xa0, 0xe0), "S"},
      {"WebSite", QColor(0x28, 0x80, 0x50), ""}, {"OK", QColor(0xf0, 0x84, 0x10), "ok"},
      {"VK", QColor(0x44, 0x70, 0xa8), "vk"},     {"Telegram", QColor(0x28, 0xa0, 0xd8), ""},
      {"FaceBook", QColor(0x38, 0x58, 0x98), "f"}, {"Twitter", QColor(0x30, 0xa8, 0xf0), "t"},
      {"Instagramm", QColor(0xc8, 0x30, 0x80), ""}, {"YouTube", QColor(0xe0, 0x20, 0x20), ""}};
  QColor c(0x80, 0x80, 0x80);
  QString letters;
  for (const Look& l : looks)
    if (kind == l.kind) c = l.c, letters = l.letters;
  Disc(p, QRectF(1, 1, 22, 22), c);
  QPainterPath g;
  if (kind == "EMail") {
    g.addRect(QRectF(6, 8, 12, 9));
    QPainterPath flap;
    flap.moveTo(6, 8);
    flap.lineTo(12, 13);
    flap.lineTo(18, 8);
    Glyph(p, g, 24);
    p.setPen(QPen(c.darker(150), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    return img;
  }
  if (kind == "WebSite") {
    p.setPen(QPen(Qt::white, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
    p.drawEllipse(QPointF(12, 12), 2.8, 6.5);
    p.drawLine(QPointF(5.5, 12), QPointF(18.5, 12));
    return img;
  }
  if (kind == "Telegram") {
    g.addPolygon(QPolygonF({QPointF(5, 11.5), QPointF(18.5, 6), QPointF(16, 18), QPointF(11.5, 14.5),
                            QPointF(10, 17.5), QPointF(9.5, 13.5)}));
  } else if (kind == "Instagramm") {
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 6, 12, 12), 3.5, 3.5);
    p.drawEllipse(QPointF(12, 12), 2.8, 2.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(15.6, 8.4), 0.9, 0.9);
    return img;
  } else if (kind == "YouTube") {
    g.addRoundedRect(QRectF(5, 7.5, 14, 9), 2.5, 2.5);
    Glyph(p, g, 24);
    QPainterPath tri;
    tri.addPolygon(QPolygonF({QPointF(10.5, 9.5), QPointF(14.5, 12), QPointF(10.5, 14.5)}));
    p.setBrush(c);
    p.drawPath(tri);
    return img;
  } else {
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(letters.size() > 1 ? 10 : 15);
    g.addText(0, 0, f, letters);
    const QRectF r = g.boundingRect();
    g.translate(12 - r.center().x(), 12 - r.center().y());
  }
  Glyph(p, g, 24);
  return img;
}

QImage Parchment(int w, int h) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double roll = 26;
  // The sheet, a little narrower than the rolls.
  QRectF sheet(22, roll, w - 44, h - 2 * roll);
  QLinearGradient g(sheet.left(), 0, sheet.right(), 0);
  g.setColorAt(0, QColor(0xe0, 0xc8, 0x90));
  g.setColorAt(0.12, QColor(0xf6, 0xe8, 0xc4));
  g.setColorAt(0.88, QColor(0xf6, 0xe8, 0xc4));
  g.setColorAt(1, QColor(0xd8, 0xbc, 0x84));
  p.setPen(QPen(QColor(0x8a, 0x6a, 0x30), 1.2));
  p.setBrush(g);
  p.drawRect(sheet);
  // Age spots, always the same.
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(0, 1);
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 40; ++k) {
    const QPointF at(sheet.left() + u(rng) * sheet.width(), sheet.top() + u(rng) * sheet.height());
    const double r = 6 + u(rng) * 26;
    QRadialGradient spot(at, r);
    spot.setColorAt(0, QColor(0xb8, 0x90, 0x50, 26));
    spot.setColorAt(1, QColor(0xb8, 0x90, 0x50, 0));
    p.setBrush(spot);
    p.drawEllipse(at, r, r);
  }
  auto rod = [&](double y) {
    QLinearGradient rg(0, y - roll / 2, 0, y + roll / 2);
    rg.setColorAt(0, QColor(0xc8, 0xa8, 0x68));
    rg.setColorAt(0.35, QColor(0xfa, 0xf0, 0xd0));
    rg.setColorAt(1, QColor(0x9a, 0x76, 0x38));
    p.setPen(QPen(QColor(0x6a, 0x4c, 0x18), 1.2));
    p.setBrush(rg);
    p.drawRoundedRect(QRectF(12, y - roll / 2, w - 24, roll), roll / 2, roll / 2);
    // Wooden knobs.
    for (double x : {6.0, double(w - 6)}) {
      QRadialGradient k(x - 2, y - 3, 8);
      k.setColorAt(0, QColor(0xc0, 0x70, 0x30));
      k.setColorAt(1, QColor(0x58, 0x28, 0x08));
      p.setBrush(k);
      p.drawEllipse(QPointF(x, y), 6, 9);
    }
  };
  rod(roll / 2 + 1);
  rod(h - roll / 2 - 1);
  return img;
}

QImage Notice(int w, int h) {
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0xff, 0xfb, 0xe8));
  g.setColorAt(1, QColor(0xf0, 0xdc, 0xa8));
  p.setPen(QPen(QColor(0xb0, 0x80, 0x20), 2));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
  p.setPen(QPen(QColor(0xb0, 0x80, 0x20, 120), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(4.5, 4.5, w - 9, h - 9), 5, 5);
  return img;
}

QImage SmallFace(bool woman) {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor back = woman ? QColor(0xe0, 0x50, 0x90) : QColor(0x30, 0x70, 0xd0);
  Disc(p, QRectF(0.5, 0.5, 15, 15), back);
  p.setPen(Qt::NoPen);
  const QColor hair = woman ? QColor(0x80, 0x40, 0x10) : QColor(0x40, 0x28, 0x10);
  if (woman) {
    p.setBrush(hair);
    p.drawEllipse(QRectF(3.2, 2.6, 9.6, 11.4));
  }
  p.setBrush(QColor(0xf8, 0xd8, 0xb0));
  p.drawEllipse(QRectF(4.5, 4, 7, 8));
  p.setBrush(hair);
  QPainterPath top;
  top.moveTo(4.3, 7.5);
  top.cubicTo(4, 2.5, 12, 2.5, 11.7, 7.5);
  top.cubicTo(10, 5.2, 6, 5.2, 4.3, 7.5);
  p.drawPath(top);
  p.setBrush(QColor(0x30, 0x20, 0x10));
  p.drawEllipse(QPointF(6.6, 8.2), 0.7, 0.7);
  p.drawEllipse(QPointF(9.4, 8.2), 0.7, 0.7);
  p.setPen(QPen(QColor(0xa0, 0x30, 0x30), 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(6.5, 8.6, 3, 2), 200 * 16, 140 * 16);
  return img;
}

// ---- Animations ----

std::vector<QImage> Gear(int size, int frames) {
  return Frames(size, size, frames, [&](QPainter& p, int f) {
    const QPointF c(size / 2.0, size / 2.0);
    const int teeth = 10;
    const double ro = size * 0.46, ri = size * 0.36, turn = f * (2 * kPi / teeth) / frames;
    QPainterPath g;
    for (int k = 0; k < teeth * 4; ++k) {
      const double a = turn + k * 2 * kPi / (teeth * 4);
      const double r = (k % 4 == 1 || k % 4 == 2) ? ro : ri;
      const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
      k ? g.lineTo(pt) : g.moveTo(pt);
    }
    g.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, size * 0.13, size * 0.13);
    g = g.subtracted(hole);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(g.translated(0, size * 0.03));
    QRadialGradient m(c.x() - size * 0.15, c.y() - size * 0.18, size * 0.6);
    m.setColorAt(0, QColor(0xf0, 0xf4, 0xf8));
    m.setColorAt(0.6, QColor(0x98, 0xa4, 0xb4));
    m.setColorAt(1, QColor(0x50, 0x5c, 0x6c));
    p.setPen(QPen(QColor(0x2c, 0x34, 0x40), std::max(1.0, size / 48.0)));
    p.setBrush(m);
    p.drawPath(g);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x50, 0x5c, 0x6c), size / 40.0));
    p.drawEllipse(c, size * 0.25, size * 0.25);
  });
}

std::vector<QImage> KeyShine(int size, int frames) {
  return Frames(size, size, frames, [&](QPainter& p, int f) {
    p.scale(size / 64.0, size / 64.0);
    p.translate(32, 32);
    p.rotate(-40 + 6 * std::sin(f * 2 * kPi / frames));
    p.translate(-32, -32);
    QPainterPath key;
    key.addEllipse(QPointF(18, 32), 13, 13);
    key.addRect(QRectF(28, 28.5, 30, 7));
    key.addRect(QRectF(46, 35, 5, 9));
    key.addRect(QRectF(53, 35, 5, 7));
    QPainterPath bow;
    bow.addEllipse(QPointF(15, 32), 4.5, 4.5);
    key = key.simplified().subtracted(bow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(key.translated(0, 2));
    QLinearGradient g(0, 18, 0, 46);
    g.setColorAt(0, QColor(0xfc, 0xe8, 0x90));
    g.setColorAt(0.5, QColor(0xd8, 0xa8, 0x28));
    g.setColorAt(1, QColor(0x8a, 0x64, 0x10));
    p.setPen(QPen(QColor(0x5a, 0x40, 0x08), 1.2));
    p.setBrush(g);
    p.drawPath(key);
    // A glint that runs along the shaft.
    const double x = -10 + 80.0 * f / frames;
    p.setClipPath(key);
    QLinearGradient glint(x - 8, 0, x + 8, 0);
    glint.setColorAt(0, QColor(255, 255, 255, 0));
    glint.setColorAt(0.5, QColor(255, 255, 255, 200));
    glint.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(x - 8, 0, 16, 64), glint);
  });
}

void Sparkle(QPainter& p, QPointF at, double r, int alpha) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 230, alpha));
  p.drawPath(Star(at, r, 0.22, 4));
}

std::vector<QImage> TopTen(int size, int frames) {
  const QPointF spots[4] = {{12, 14}, {52, 10}, {54, 38}, {9, 40}};
  return Frames(size, size, frames, [&](QPainter& p, int f) {
    p.scale(size / 64.0, size / 64.0);
    GoldCup(p, QRectF(10, 6, 44, 54), QColor(0xe8, 0xb0, 0x20));
    QFont font("DejaVu Serif");
    font.setBold(true);
    font.setPixelSize(15);
    QPainterPath ten;
    ten.addText(0, 0, font, "10");
    const QRectF r = ten.boundingRect();
    ten.translate(32 - r.center().x(), 21 - r.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7a, 0x10, 0x10));
    p.drawPath(ten);
    for (int k = 0; k < 4; ++k) {
      const double ph = std::sin((f + k * frames / 4.0) * 2 * kPi / frames);
      if (ph > 0) Sparkle(p, spots[k], 3 + 4 * ph, int(120 + 135 * ph));
    }
  });
}

// A tally counter whose last drum rolls on.
std::vector<QImage> Counter(int size, int frames) {
  return Frames(size, size, frames, [&](QPainter& p, int f) {
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient body(0, 14, 0, 54);
    body.setColorAt(0, QColor(0xd0, 0xd8, 0xe4));
    body.setColorAt(1, QColor(0x68, 0x74, 0x88));
    p.setPen(QPen(QColor(0x2c, 0x34, 0x44), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4, 16, 56, 36), 8, 8);
    p.setBrush(QColor(0x40, 0x48, 0x58));
    p.drawRoundedRect(QRectF(26, 8, 12, 9), 2, 2);  // the push button
    QFont font("DejaVu Sans Mono");
    font.setBold(true);
    font.setPixelSize(16);
    const double t = double(f) / frames;  // the last drum's turn within one step
    for (int k = 0; k < 4; ++k) {
      const QRectF drum(9 + k * 12, 24, 10, 20);
      QLinearGradient dg(0, drum.top(), 0, drum.bottom());
      dg.setColorAt(0, QColor(0x50, 0x50, 0x50));
      dg.setColorAt(0.5, QColor(0xfa, 0xfa, 0xf4));
      dg.setColorAt(1, QColor(0x50, 0x50, 0x50));
      p.setPen(QPen(QColor(0x20, 0x20, 0x28), 0.8));
      p.setBrush(dg);
      p.drawRect(drum);
      p.save();
      p.setClipRect(drum);
      const int digit = k == 3 ? 7 : k == 2 ? 5 : k == 1 ? 0 : 0;
      const double shift = k == 3 ? t * 20 : 0;
      for (int d = 0; d < 2; ++d) {
        QPainterPath text;
        text.addText(0, 0, font, QString::number((digit + d) % 10));
        const QRectF r = text.boundingRect();
        text.translate(drum.center().x() - r.center().x(), drum.center().y() - r.center().y() + d * 20 - shift);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x18, 0x18, 0x20));
        p.drawPath(text);
      }
      p.restore();
    }
  });
}

std::vector<QImage> Siren(QColor light, int frames) {
  return Frames(48, 48, frames, [&](QPainter& p, int f) {
    const double a = f * 2 * kPi / frames, glow = 0.5 + 0.5 * std::cos(a);
    // Beams sweeping round.
    for (int k = 0; k < 2; ++k) {
      const double b = a + k * kPi;
      if (std::sin(b) > 0.3) continue;  // behind the dome
      QPainterPath beam;
      beam.moveTo(24, 22);
      beam.lineTo(24 + 30 * std::cos(b - 0.25), 22 + 8 * std::sin(b - 0.25));
      beam.lineTo(24 + 30 * std::cos(b + 0.25), 22 + 8 * std::sin(b + 0.25));
      beam.closeSubpath();
      QRadialGradient bg(24, 22, 28);
      QColor c = light;
      c.setAlpha(170);
      bg.setColorAt(0, c);
      c.setAlpha(0);
      bg.setColorAt(1, c);
      p.setPen(Qt::NoPen);
      p.setBrush(bg);
      p.drawPath(beam);
    }
    // Base.
    QLinearGradient base(0, 36, 0, 46);
    base.setColorAt(0, QColor(0x80, 0x80, 0x88));
    base.setColorAt(1, QColor(0x30, 0x30, 0x38));
    p.setPen(QPen(QColor(0x18, 0x18, 0x20), 1));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(9, 36, 30, 10), 2, 2);
    // Dome.
    QRadialGradient dome(20, 18, 18);
    dome.setColorAt(0, Mix(light.lighter(190), Qt::white, 0.3 * glow));
    dome.setColorAt(0.6, Mix(light.darker(160), light, glow));
    dome.setColorAt(1, light.darker(220));
    p.setBrush(dome);
    QPainterPath d;
    d.moveTo(12, 37);
    d.lineTo(12, 22);
    d.cubicTo(12, 8, 36, 8, 36, 22);
    d.lineTo(36, 37);
    d.closeSubpath();
    p.drawPath(d);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawRoundedRect(QRectF(15, 14, 4, 18), 2, 2);
  });
}

std::vector<QImage> NewTag(int frames) {
  return Frames(40, 20, frames, [&](QPainter& p, int f) {
    const double glow = 0.5 + 0.5 * std::cos(f * 2 * kPi / frames);
    const QColor c = Mix(QColor(0xb0, 0x10, 0x18), QColor(0xff, 0x40, 0x30), glow);
    QLinearGradient g(0, 1, 0, 19);
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c.darker(140));
    p.setPen(QPen(QColor(0x50, 0x04, 0x08), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 2, 38, 16), 8, 8);
    // A sparkle pair that twinkles in turn.
    Sparkle(p, QPointF(13, 10), 4 + 2.5 * glow, 255);
    Sparkle(p, QPointF(27, 10), 4 + 2.5 * (1 - glow), 255);
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(QPointF(20, 10), 1.4, 1.4);
  });
}

// Confetti pieces falling and turning; the same pieces in every frame.
void Confetti(QPainter& p, int w, int h, double t, int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0, 1);
  static const QColor colours[5] = {QColor(0xf0, 0x40, 0x40), QColor(0x40, 0xa0, 0xf0), QColor(0xf0, 0xd0, 0x30),
                                    QColor(0x50, 0xd0, 0x60), QColor(0xd0, 0x60, 0xe0)};
  p.setPen(Qt::NoPen);
  for (int k = 0; k < count; ++k) {
    const double x0 = u(rng) * w, y0 = u(rng) * h, speed = 0.6 + u(rng) * 0.8, spin = u(rng) * 2 * kPi;
    const QColor c = colours[k % 5];
    const double y = std::fmod(y0 + t * h * speed, double(h + 10)) - 5;
    const double x = x0 + 4 * std::sin(t * 6 * kPi * speed + spin);
    p.save();
    p.translate(x, y);
    p.rotate((t * 720 * speed + spin * 57) );
    p.setBrush(c);
    p.drawRect(QRectF(-2.5, -1.2 * std::abs(std::cos(t * 8 * kPi + spin)) - 0.3, 5, 2.4 * std::abs(std::cos(t * 8 * kPi + spin)) + 0.6));
    p.restore();
  }
}

double EaseOut(double t) { return 1 - (1 - t) * (1 - t) * (1 - t); }

// Best result: a cup rises to its place, then shines among falling confetti.
std::vector<QImage> EndBest(int frames) {
  return Frames(100, 200, frames, [&](QPainter& p, int f) {
    const double rise = EaseOut(std::min(1.0, f / 14.0));
    // Rays behind the cup, turning slowly.
    p.save();
    p.translate(50, 82);
    p.rotate(f * 4);
    for (int k = 0; k < 12; ++k) {
      // GIF keeps no partial transparency: rays are solid and thin.
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xff, 0xe8, 0x90));
      const double len = 20 + 30 * rise;
      p.drawPolygon(QPolygonF({QPointF(0, -len * 0.45), QPointF(-2.5, -len), QPointF(2.5, -len)}));
      p.rotate(30);
    }
    p.restore();
    const double y = 52 + (1 - rise) * 150;
    GoldCup(p, QRectF(20, y, 60, 76), QColor(0xf0, 0xb8, 0x20));
    // The pedestal.
    QLinearGradient base(0, 150, 0, 176);
    base.setColorAt(0, QColor(0x70, 0x40, 0x18));
    base.setColorAt(1, QColor(0x38, 0x1c, 0x08));
    p.setPen(QPen(QColor(0x20, 0x10, 0x04), 1));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(22, 150, 56, 26), 3, 3);
    p.setBrush(QColor(0xe8, 0xc0, 0x50));
    p.drawRect(QRectF(34, 157, 32, 12));
    DrawSuit(p, 0, QPointF(44, 163), 8);
    DrawSuit(p, 3, QPointF(56, 163), 8);
    Confetti(p, 100, 200, f / double(frames), 26, 5);
    if (rise >= 1) {
      const QPointF spots[3] = {{33, 66}, {68, 60}, {50, 100}};
      for (int k = 0; k < 3; ++k) {
        const double ph = std::sin((f + k * 3) * 2 * kPi / 9);
        if (ph > 0) Sparkle(p, spots[k], 3 + 5 * ph, 255);
      }
    }
  });
}

// Good result: a blue star grows in, turns to rest and glints.
std::vector<QImage> EndGood(int frames) {
  return Frames(100, 200, frames, [&](QPainter& p, int f) {
    const double grow = EaseOut(std::min(1.0, f / 12.0));
    const QPointF c(50, 90);
    p.save();
    p.translate(c);
    p.rotate(-f * 3);
    for (int k = 0; k < 16; ++k) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xb8, 0xe4, 0xff));
      const double len = 48 * grow;
      p.drawPolygon(QPolygonF({QPointF(0, -len * 0.7), QPointF(-2, -len), QPointF(2, -len)}));
      p.rotate(22.5);
    }
    p.restore();
    const double r = 38 * grow;
    if (r > 1) {
      const QPainterPath star = Star(c, r, 0.45, 5, (1 - grow) * 2 * kPi);
      QRadialGradient g(c.x() - r * 0.3, c.y() - r * 0.3, r * 1.3);
      g.setColorAt(0, QColor(0xe0, 0xf4, 0xff));
      g.setColorAt(0.5, QColor(0x40, 0xa8, 0xf0));
      g.setColorAt(1, QColor(0x10, 0x50, 0xa0));
      p.setPen(QPen(QColor(0x08, 0x28, 0x58), 1.5));
      p.setBrush(g);
      p.drawPath(star);
    }
    // A ribbon below, with two tails.
    p.setPen(QPen(QColor(0x50, 0x0c, 0x10), 1));
    p.setBrush(QColor(0xc8, 0x20, 0x30));
    p.drawPolygon(QPolygonF({QPointF(34, 128), QPointF(46, 128), QPointF(40, 176), QPointF(34, 168), QPointF(28, 174)}));
    p.drawPolygon(QPolygonF({QPointF(54, 128), QPointF(66, 128), QPointF(72, 174), QPointF(66, 168), QPointF(60, 176)}));
    if (grow >= 1) {
      const double ph = std::sin(f * 2 * kPi / 8);
      if (ph > 0) Sparkle(p, QPointF(64, 66), 3 + 5 * ph, 255);
      if (ph < 0) Sparkle(p, QPointF(36, 108), 3 - 5 * ph, 255);
    }
  });
}

// Regrets: a grey cloud that rains, looping.
std::vector<QImage> EndBads(int frames) {
  return Frames(100, 200, frames, [&](QPainter& p, int f) {
    const double t = double(f) / frames;
    // Drops, each falling on its own lane.
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 9; ++k) {
      const double x = 22 + k * 7, y = 88 + std::fmod(k * 23 + t * 100, 100.0);
      QPainterPath drop;
      drop.moveTo(x, y - 6);
      drop.cubicTo(x + 3, y - 1, x + 3, y + 3, x, y + 3);
      drop.cubicTo(x - 3, y + 3, x - 3, y - 1, x, y - 6);
      p.setBrush(QColor(0x70, 0xa8, 0xe0, 220));
      p.drawPath(drop);
    }
    const double bob = 2 * std::sin(t * 2 * kPi);
    QPainterPath cloud;
    for (auto [x, y, r] : {std::tuple{30.0, 70.0, 16.0}, {50, 58, 22}, {70, 68, 17}, {42, 78, 15}, {62, 80, 14}})
      cloud.addEllipse(QPointF(x, y + bob), r, r);
    cloud.setFillRule(Qt::WindingFill);
    cloud = cloud.simplified();
    QLinearGradient g(0, 36, 0, 96);
    g.setColorAt(0, QColor(0xc8, 0xcc, 0xd4));
    g.setColorAt(1, QColor(0x60, 0x66, 0x74));
    p.setPen(QPen(QColor(0x40, 0x44, 0x50), 1.2));
    p.setBrush(g);
    p.drawPath(cloud);
    // A small card under the rain, face down.
    p.save();
    p.translate(50, 178);
    p.rotate(-8);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x9a, 0x2a, 0x30));
    p.drawRoundedRect(QRectF(-14, -19, 28, 38), 3, 3);
    p.setPen(QPen(QColor(0xf0, 0xd8, 0xd8), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-11, -16, 22, 32), 2, 2);
    p.restore();
  });
}

// A club badge: a shield with the club suit, stars for its level, and a passing glint.
std::vector<QImage> ClubBadge(QColor c, int level, int frames) {
  QPainterPath shield;
  shield.moveTo(6, 8);
  shield.quadTo(30, 2, 54, 8);
  shield.lineTo(54, 38);
  shield.cubicTo(54, 56, 40, 66, 30, 72);
  shield.cubicTo(20, 66, 6, 56, 6, 38);
  shield.closeSubpath();
  return Frames(60, 75, frames, [&](QPainter& p, int f) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(shield.translated(0, 2));
    QLinearGradient g(0, 4, 0, 72);
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(0.5, c);
    g.setColorAt(1, c.darker(170));
    p.setPen(QPen(QColor(0xe8, 0xc0, 0x50), 2.6));
    p.setBrush(g);
    p.drawPath(shield);
    p.setPen(QPen(QColor(0x6a, 0x48, 0x08), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    // White club with a dark edge.
    p.save();
    p.translate(30, 42);
    p.scale(26, 26);
    p.setPen(QPen(c.darker(250), 0.06));
    p.setBrush(Qt::white);
    p.drawPath(SuitPath(2));
    p.restore();
    // Stars in an arc over the club, one per level.
    for (int k = 0; k < level; ++k) {
      const double a = kPi * (0.5 + (k - (level - 1) / 2.0) * 0.17);
      const QPointF at(30 - 22 * std::cos(a), 30 - 18 * std::sin(a));
      p.setPen(QPen(QColor(0x6a, 0x48, 0x08), 0.6));
      p.setBrush(QColor(0xff, 0xe0, 0x50));
      p.drawPath(Star(at, 3.6, 0.45, 5));
    }
    // The glint crosses in the first half of the loop and rests in the second.
    const double x = -20 + 100.0 * f / (frames / 2.0);
    if (x < 80) {
      p.setClipPath(shield);
      QLinearGradient glint(x - 10, 0, x + 10, 20);
      glint.setColorAt(0, QColor(255, 255, 255, 0));
      glint.setColorAt(0.5, QColor(255, 255, 255, 150));
      glint.setColorAt(1, QColor(255, 255, 255, 0));
      p.fillRect(QRectF(0, 0, 60, 75), glint);
    }
  });
}

}  // namespace

void PaintExtras(Sink& sink, const Words& words) {
  // Music player buttons.
  const char* players[4] = {"MP_Play", "MP_Pause", "MP_Next", "MP_Volume"};
  for (int k = 0; k < 4; ++k) sink.Png(players[k], PlayerButton(k));

  // Radio, news and chat side panels.
  sink.Png("GRadioA", Radio(QColor(0xff, 0xa8, 0x20)));
  sink.Png("GRadioB", Radio(QColor(0x40, 0x90, 0xff)));
  sink.Png("GRadioG", Radio(QColor(0x40, 0xe0, 0x50)));
  sink.Png("GRadioR", Radio(QColor(0xf0, 0x30, 0x28)));
  sink.Png("GPolkaNw", Shelf());
  sink.Png("GNews072", Newspaper());
  sink.Png("GChat072", Bubbles(72));
  sink.Png("GChat048", Bubbles(48));
  sink.Gif("GSirenaB", Siren(QColor(0x30, 0x70, 0xff), 12), 8);
  sink.Gif("GSirenaR", Siren(QColor(0xf0, 0x20, 0x18), 12), 8);
  sink.Gif("GNew", NewTag(8), 12);

  // Account pictures.
  sink.Png("GAcFrame", PhotoFrame());
  sink.Png("GAcNoM", Portrait(false));
  sink.Png("GAcNoF", Portrait(true));
  sink.Png("GAcName1", Plate(200, 32, QColor(0x28, 0x58, 0xc0), 10));
  sink.Png("GAcName2", Plate(200, 32, QColor(0xc8, 0x94, 0x18), 10));
  for (const char* kind : {"EMail", "Skype", "WebSite", "OK", "VK", "Telegram", "FaceBook", "Twitter",
                           "Instagramm", "YouTube"})
    sink.Png(QString("GAc") + kind, ContactIcon(kind));
  {
    QImage bg(640, 480, QImage::Format_RGB32);
    QPainter p(&bg);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 480);
    g.setColorAt(0, QColor(0xe8, 0xf0, 0xfa));
    g.setColorAt(1, QColor(0xb4, 0xc8, 0xe0));
    p.fillRect(bg.rect(), g);
    // A faint field of suits, as a watermark.
    for (int y = 0; y < 480; y += 40)
      for (int x = (y / 40) % 2 * 20; x < 640; x += 40) {
        const int s = (x / 40 + y / 40) % 4;
        p.setOpacity(0.07);
        DrawSuit(p, s, QPointF(x + 10, y + 20), 16);
      }
    p.end();
    sink.Jpeg("BGAccount", bg, 88);
  }
  for (int i = 0; i < 8; ++i) {
    QImage cap = Blank(400, 60);
    QPainter p(&cap);
    const auto it = words.find("MyAccount");
    const QString text = it == words.end() ? QString("My account") : it->second.value(i);
    OutlinedText(p, QRectF(8, 4, 384, 52), text, FamilyFor(i), QColor(0x40, 0x90, 0xf0), QColor(0x04, 0x14, 0x30));
    p.end();
    sink.Png(QString("MyAccount") + kLangCodes[i], cap);
  }
  sink.Png("FaceMan16", SmallFace(false));
  sink.Png("FaceWoman16", SmallFace(true));

  // 48-pixel icons.
  sink.Png("Account48", Icon48(QColor(0x28, 0x68, 0xc8), [](QPainter& p) {
             Glyph(p, Person(QRectF(10, 8, 28, 30)), 48);
           }));
  sink.Png("Earth48", Globe(48, 0.6));
  sink.Png("Stats", Icon48(QColor(0x30, 0x88, 0x48), [](QPainter& p) {
             QPainterPath bars;
             const double hs[4] = {10, 18, 14, 25};
             for (int k = 0; k < 4; ++k) bars.addRoundedRect(QRectF(10 + k * 7.5, 37 - hs[k], 5.5, hs[k]), 1, 1);
             bars.addRect(QRectF(8, 37, 32, 2));
             Glyph(p, bars, 48);
           }));
  sink.Png("Windows", Icon48(QColor(0x30, 0x60, 0xa8), [](QPainter& p) {
             QPainterPath screen;
             screen.addRoundedRect(QRectF(9, 10, 30, 21), 2, 2);
             screen.addRect(QRectF(21, 31, 6, 4));
             screen.addRoundedRect(QRectF(15, 35, 18, 3), 1, 1);
             Glyph(p, screen, 48);
             p.setBrush(QColor(0x30, 0x60, 0xa8));
             for (int k = 0; k < 4; ++k) p.drawRect(QRectF(13 + (k % 2) * 11.5, 13 + (k / 2) * 8, 10, 6.5));
           }));
  sink.Png("Android", Icon48(QColor(0x60, 0xa0, 0x30), [](QPainter& p) {
             QPainterPath phone;
             phone.addRoundedRect(QRectF(15, 7, 18, 34), 3, 3);
             Glyph(p, phone, 48);
             p.setBrush(QColor(0x38, 0x68, 0x18));
             p.drawRect(QRectF(17.5, 11, 13, 23));
             p.drawEllipse(QPointF(24, 37.5), 1.6, 1.6);
           }));
  sink.Png("GooglePlay", Icon48(QColor(0xf0, 0xf0, 0xf4), [](QPainter& p) {
             const QPointF a(15, 9), b(15, 39), c(38, 24), m(24.5, 24);
             const QColor cs[4] = {QColor(0x20, 0xb0, 0x60), QColor(0x20, 0x90, 0xf0), QColor(0xf0, 0xc0, 0x20),
                                   QColor(0xe8, 0x40, 0x40)};
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0, 0, 0, 60));
             p.drawPolygon(QPolygonF({a + QPointF(0, 1.2), b + QPointF(0, 1.2), c + QPointF(0, 1.2)}));
             p.setBrush(cs[1]);
             p.drawPolygon(QPolygonF({a, b, m}));
             p.setBrush(cs[0]);
             p.drawPolygon(QPolygonF({a, m, QPointF(31.5, 16.5)}));
             p.setBrush(cs[3]);
             p.drawPolygon(QPolygonF({b, m, QPointF(31.5, 31.5)}));
             p.setBrush(cs[2]);
             p.drawPolygon(QPolygonF({QPointF(31.5, 16.5), c, QPointF(31.5, 31.5), m}));
           }));
  for (bool on : {true, false}) {
    QImage img = Blank(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Tile(p, 48, on ? QColor(0x1c, 0x70, 0x3c) : QColor(0x60, 0x60, 0x68));
    GoldCup(p, QRectF(11, 8, 26, 30), on ? QColor(0xf0, 0xb8, 0x20) : QColor(0xa8, 0xa8, 0xb0));
    QRadialGradient lamp(37, 36, 6);
    const QColor lc = on ? QColor(0x50, 0xf0, 0x50) : QColor(0xe0, 0x30, 0x20);
    lamp.setColorAt(0, lc.lighter(170));
    lamp.setColorAt(1, lc.darker(150));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(lamp);
    p.drawEllipse(QPointF(37, 36), 5, 5);
    p.end();
    sink.Png(on ? "GTourOn" : "GTourOff", img);
  }
  for (bool green : {true, false}) {
    const QColor c = green ? QColor(0x28, 0xa0, 0x40) : QColor(0xc8, 0x28, 0x28);
    QImage img = Blank(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Disc(p, QRectF(3, 3, 42, 42), c);
    Glyph(p, Refresh(QPointF(24, 24), 11, 4.2, 30), 48);
    p.end();
    sink.Png(green ? "AdvButG" : "AdvButR", img);
    sink.Png(green ? "AdvGiftG" : "AdvGiftR",
             Gift(48, c, green ? QColor(0xf0, 0xd0, 0x30) : QColor(0xf4, 0xe8, 0xa0)));
  }

  // Other windows.
  sink.Png("GSvitok", Parchment(450, 570));
  sink.Png("AdvBar3", Notice(175, 40));
  sink.Gif("GOpt", Gear(64, 12), 8);
  sink.Gif("GPw", KeyShine(64, 14), 8);
  sink.Gif("GTopTen", TopTen(64, 16), 8);
  sink.Gif("GGenCount", Counter(64, 10), 10);

  // End-of-game animations: the window stops them at frames 25 and 24, so each has more.
  sink.Gif("GEndBest", EndBest(30), 6, false);
  sink.Gif("GEndGood", EndGood(30), 6, false);
  sink.Gif("GEndBads", EndBads(12), 10);
  const QColor clubs[7] = {QColor(0xc0, 0x30, 0x30), QColor(0xd8, 0x78, 0x20), QColor(0xc8, 0xa0, 0x10),
                           QColor(0x28, 0x90, 0x40), QColor(0x28, 0x80, 0xd0), QColor(0x30, 0x40, 0xb0),
                           QColor(0x80, 0x38, 0xb0)};
  for (int i = 0; i < 7; ++i) sink.Gif(QString("GClub%1").arg(QChar('A' + i)), ClubBadge(clubs[i], i + 1, 16), 10);
}

}  // namespace artgen
