// Back sets: the decks' own backs, and painted sets of suits, crowns, checks, argyle,
// knights, animals, flowers, plaids, geometric figures and folk ornament.
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QDir>
#include <QTransform>
#include <cmath>
#include <cstdio>

#include "art_names.h"
#include "libgen.h"

namespace artgen {
QImage PaintBack(int n, int w, int h);  // the built-in backs
}

namespace libgen {

namespace {

struct Palette {
  QColor base, ink, accent;
};

const Palette kPalettes[10] = {
    {QColor(0x1d, 0x4f, 0x9c), QColor(0xa8, 0xc8, 0xf4), QColor(0xf0, 0xd0, 0x60)},
    {QColor(0xa8, 0x1a, 0x24), QColor(0xf6, 0xb0, 0xb0), QColor(0xf4, 0xd8, 0x70)},
    {QColor(0x1c, 0x6c, 0x3e), QColor(0xa6, 0xe0, 0xb6), QColor(0xf2, 0xe2, 0x8a)},
    {QColor(0x16, 0x22, 0x54), QColor(0xe8, 0xc0, 0x50), QColor(0xf4, 0xf0, 0xe0)},
    {QColor(0x5a, 0x28, 0x7c), QColor(0xd8, 0xb4, 0xf2), QColor(0xf6, 0xd6, 0x6a)},
    {QColor(0x70, 0x16, 0x20), QColor(0xe8, 0xb8, 0x60), QColor(0xfa, 0xec, 0xc8)},
    {QColor(0x3c, 0x28, 0x16), QColor(0xe6, 0xc0, 0x5c), QColor(0xf2, 0xe6, 0xc8)},
    {QColor(0x0e, 0x5e, 0x66), QColor(0x9c, 0xe2, 0xe0), QColor(0xf8, 0xd8, 0x8c)},
    {QColor(0xc0, 0x5a, 0x10), QColor(0xfc, 0xd8, 0xa0), QColor(0x5a, 0x20, 0x08)},
    {QColor(0x3a, 0x44, 0x50), QColor(0xc8, 0xd2, 0xdc), QColor(0xe8, 0x9c, 0x3c)},
};

// The card: white stock with a rounded edge, and the inner panel the painters fill.
struct Card {
  QImage img;
  QRectF panel;
  double u;  // one unit: a hundredth of the card width
};

Card NewCard(int w, int h) {
  Card c{artgen::Blank(w, h), {}, w / 100.0};
  QPainter p(&c.img);
  p.setRenderHint(QPainter::Antialiasing);
  const bool small = w < 100;
  if (small) {
    p.fillRect(c.img.rect(), Qt::white);
  } else {
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 7 * c.u, 7 * c.u);
  }
  const double m = small ? 4 : 7 * c.u;
  c.panel = QRectF(m, m, w - 2 * m, h - 2 * m);
  return c;
}

void Frame(QPainter& p, const Card& c, const QColor& ink) {
  p.setClipping(false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ink, 1.6 * c.u));
  p.drawRoundedRect(c.panel.adjusted(2.5 * c.u, 2.5 * c.u, -2.5 * c.u, -2.5 * c.u), 3 * c.u, 3 * c.u);
}

void Suit(QPainter& p, int suit, QPointF at, double size, const QColor& colour) {
  p.save();
  p.translate(at);
  p.scale(size, size);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(artgen::SuitPath(suit));
  p.restore();
}

QPainterPath Crown() {
  QPainterPath c;
  c.moveTo(-0.5, 0.3);
  c.lineTo(-0.5, -0.2);
  c.lineTo(-0.28, 0.05);
  c.lineTo(-0.14, -0.35);
  c.lineTo(0, 0.0);
  c.lineTo(0.14, -0.35);
  c.lineTo(0.28, 0.05);
  c.lineTo(0.5, -0.2);
  c.lineTo(0.5, 0.3);
  c.closeSubpath();
  for (double x : {-0.5, -0.14, 0.14, 0.5}) c.addEllipse(QPointF(x, x == -0.5 || x == 0.5 ? -0.24 : -0.39), 0.06, 0.06);
  c.addRect(QRectF(-0.5, 0.34, 1.0, 0.12));
  return c.simplified();
}

void Medallion(QPainter& p, QPointF c, double r, const Palette& pal) {
  p.setPen(QPen(pal.ink, r * 0.07));
  p.setBrush(pal.base.darker(130));
  p.drawEllipse(c, r, r * 1.25);
  p.setPen(QPen(pal.accent, r * 0.03));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.82, r * 1.05);
}

void Glyph(QPainter& p, const QString& text, QPointF c, double size, const QColor& colour) {
  QFont f("DejaVu Sans");
  f.setPixelSize(std::max(4, int(size)));
  p.setFont(f);
  p.setPen(colour);
  p.drawText(QRectF(c.x() - size, c.y() - size * 0.62, 2 * size, 1.3 * size), Qt::AlignCenter, text);
}

// Animals in a unit box centred on 0,0.
void Animal(QPainter& p, int kind, const QColor& ink, const QColor& accent) {
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  switch (kind) {
    case 0: {  // fish
      QPainterPath f;
      f.moveTo(-0.4, 0);
      f.cubicTo(-0.2, -0.3, 0.2, -0.3, 0.3, 0);
      f.cubicTo(0.2, 0.3, -0.2, 0.3, -0.4, 0);
      f.moveTo(0.25, 0);
      f.lineTo(0.5, -0.22);
      f.lineTo(0.5, 0.22);
      f.closeSubpath();
      p.drawPath(f);
      p.setBrush(accent);
      p.drawEllipse(QPointF(-0.25, -0.04), 0.04, 0.04);
      break;
    }
    case 1: {  // bird in flight
      QPainterPath b;
      b.moveTo(-0.5, -0.1);
      b.quadTo(-0.25, -0.35, 0, 0.05);
      b.quadTo(0.25, -0.35, 0.5, -0.1);
      b.quadTo(0.25, -0.15, 0, 0.2);
      b.quadTo(-0.25, -0.15, -0.5, -0.1);
      p.drawPath(b);
      break;
    }
    case 2:  // butterfly
      for (int s : {-1, 1}) {
        p.drawEllipse(QPointF(s * 0.2, -0.15), 0.2, 0.16);
        p.drawEllipse(QPointF(s * 0.15, 0.15), 0.13, 0.12);
      }
      p.setBrush(accent);
      p.drawEllipse(QPointF(0, 0), 0.04, 0.3);
      break;
    case 3: {  // cat's head
      QPainterPath c;
      c.addEllipse(QPointF(0, 0.05), 0.36, 0.3);
      QPainterPath ears;
      ears.moveTo(-0.34, -0.05);
      ears.lineTo(-0.3, -0.42);
      ears.lineTo(-0.08, -0.22);
      ears.moveTo(0.34, -0.05);
      ears.lineTo(0.3, -0.42);
      ears.lineTo(0.08, -0.22);
      p.drawPath(c.united(ears));
      p.setBrush(accent);
      p.drawEllipse(QPointF(-0.13, 0), 0.06, 0.04);
      p.drawEllipse(QPointF(0.13, 0), 0.06, 0.04);
      break;
    }
    case 4: {  // snail
      p.drawEllipse(QPointF(0.05, -0.02), 0.3, 0.28);
      p.drawRoundedRect(QRectF(-0.45, 0.18, 0.9, 0.12), 0.06, 0.06);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(accent, 0.04));
      QPainterPath s;
      for (double t = 0; t < 12; t += 0.2) {
        const double r = 0.24 * (1 - t / 13);
        const QPointF q(0.05 + r * std::cos(t), -0.02 + r * std::sin(t));
        t == 0 ? s.moveTo(q) : s.lineTo(q);
      }
      p.drawPath(s);
      break;
    }
    case 5:  // turtle
      p.drawEllipse(QPointF(0, 0), 0.32, 0.24);
      p.drawEllipse(QPointF(0.4, -0.02), 0.1, 0.08);
      for (int s : {-1, 1})
        for (int t : {-1, 1}) p.drawEllipse(QPointF(s * 0.22, t * 0.24), 0.08, 0.06);
      p.setBrush(accent);
      p.drawEllipse(QPointF(0, 0), 0.12, 0.09);
      break;
    case 6:  // ladybird
      p.setBrush(QColor(0xd0, 0x20, 0x20));
      p.drawEllipse(QPointF(0, 0.05), 0.32, 0.34);
      p.setBrush(QColor(0x18, 0x18, 0x18));
      p.drawEllipse(QPointF(0, -0.3), 0.16, 0.12);
      for (QPointF d : {QPointF(-0.15, -0.05), QPointF(0.15, -0.05), QPointF(-0.17, 0.2), QPointF(0.17, 0.2)})
        p.drawEllipse(d, 0.06, 0.06);
      p.setPen(QPen(QColor(0x18, 0x18, 0x18), 0.03));
      p.drawLine(QPointF(0, -0.2), QPointF(0, 0.38));
      break;
    case 7:  // bee
      p.setBrush(QColor(0xf0, 0xc0, 0x20));
      p.drawEllipse(QPointF(0, 0), 0.34, 0.22);
      p.setBrush(QColor(0x20, 0x18, 0x10));
      for (double x : {-0.12, 0.06}) p.drawRect(QRectF(x, -0.2, 0.07, 0.4));
      p.setBrush(QColor(255, 255, 255, 200));
      p.drawEllipse(QPointF(-0.05, -0.3), 0.12, 0.1);
      p.drawEllipse(QPointF(0.12, -0.28), 0.1, 0.09);
      break;
    case 8:  // owl
      p.drawEllipse(QPointF(0, 0.05), 0.3, 0.38);
      p.setBrush(accent);
      for (int s : {-1, 1}) p.drawEllipse(QPointF(s * 0.13, -0.1), 0.11, 0.11);
      p.setBrush(ink);
      for (int s : {-1, 1}) p.drawEllipse(QPointF(s * 0.13, -0.1), 0.05, 0.05);
      break;
    default:  // paw
      p.drawEllipse(QPointF(0, 0.14), 0.22, 0.18);
      for (int i = 0; i < 4; ++i) {
        const double a = (-140 + i * 33) * M_PI / 180;
        p.drawEllipse(QPointF(0.3 * std::cos(a) + 0.02, 0.3 * std::sin(a) + 0.04), 0.085, 0.11);
      }
      break;
  }
}

void Flower(QPainter& p, int petals, QPointF c, double r, const QColor& petal, const QColor& heart) {
  p.save();
  p.translate(c);
  p.setPen(QPen(petal.darker(140), r * 0.04));
  p.setBrush(petal);
  for (int i = 0; i < petals; ++i) {
    p.save();
    p.rotate(360.0 * i / petals);
    p.drawEllipse(QPointF(0, -r * 0.55), r * (petals > 6 ? 0.2 : 0.28), r * 0.45);
    p.restore();
  }
  p.setBrush(heart);
  p.drawEllipse(QPointF(0, 0), r * 0.24, r * 0.24);
  p.restore();
}

QImage PaintSet(int set, int back, int w, int h) {
  Card c = NewCard(w, h);
  const Palette& pal = kPalettes[(back - 1 + set) % 10];
  const double u = c.u;
  const QRectF r = c.panel;
  const QPointF mid = r.center();
  QPainter p(&c.img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath clip;
  clip.addRoundedRect(r, 3 * u, 3 * u);
  p.setClipPath(clip);
  p.fillRect(r, pal.base);
  switch (set) {
    case 3: {  // suits in rows
      const double step = 14 * u;
      int n = 0;
      for (double y = r.top() + step / 2; y < r.bottom(); y += step, ++n)
        for (double x = r.left() + (n % 2 ? step : step / 2); x < r.right(); x += step)
          Suit(p, int((x / step) + n) % 4, {x, y}, 7 * u, pal.ink);
      Medallion(p, mid, 26 * u, pal);
      for (int s = 0; s < 4; ++s)
        Suit(p, s, mid + QPointF(s == 1 ? 11 * u : s == 3 ? -11 * u : 0, s == 0 ? -13 * u : s == 2 ? 13 * u : 0),
             10 * u, s < 2 ? QColor(0xe0, 0x30, 0x30) : pal.accent);
      break;
    }
    case 4: {  // crown over a lattice
      p.setPen(QPen(pal.ink, 0.8 * u));
      for (double d = -r.height(); d < r.width() + r.height(); d += 8 * u) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d - r.height(), r.bottom()));
        p.drawLine(QPointF(r.left() + d - r.height(), r.top()), QPointF(r.left() + d, r.bottom()));
      }
      Medallion(p, mid, 30 * u, pal);
      p.save();
      p.translate(mid);
      p.scale(36 * u, 36 * u);
      p.setPen(QPen(pal.base.darker(200), 0.03));
      p.setBrush(pal.accent);
      p.drawPath(Crown());
      p.restore();
      break;
    }
    case 5: {  // checks
      const double cell = r.width() / 7;
      for (int i = 0; i * cell < r.height() + cell; ++i)
        for (int j = 0; j < 8; ++j)
          if ((i + j) % 2) p.fillRect(QRectF(r.left() + j * cell, r.top() + i * cell, cell, cell), pal.ink);
      p.setPen(QPen(pal.base.darker(160), 1.0 * u));
      for (int j = 1; j < 8; ++j) p.drawLine(QPointF(r.left() + j * cell, r.top()), QPointF(r.left() + j * cell, r.bottom()));
      break;
    }
    case 6: {  // argyle
      const double dw = r.width() / 3, dh = r.height() / 4;
      for (int i = -1; i <= 5; ++i)
        for (int j = -1; j <= 4; ++j) {
          const QPointF cc(r.left() + j * dw + (i % 2 ? dw / 2 : 0), r.top() + i * dh / 2 + dh / 2);
          QPolygonF d{{cc.x(), cc.y() - dh / 2}, {cc.x() + dw / 2, cc.y()}, {cc.x(), cc.y() + dh / 2}, {cc.x() - dw / 2, cc.y()}};
          p.setPen(Qt::NoPen);
          p.setBrush((i + 8) % 2 ? pal.ink : pal.base.lighter(130));
          p.drawPolygon(d);
        }
      p.setPen(QPen(pal.accent, 0.7 * u, Qt::DashLine));
      for (double d = -r.height(); d < r.width() + r.height(); d += dw) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height() * dw / dh / 2, r.bottom()));
        p.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + r.height() * dw / dh / 2, r.top()));
      }
      break;
    }
    case 7: {  // knights
      const double step = 16 * u;
      for (double y = r.top(); y < r.bottom() + step; y += step)
        for (double x = r.left(); x < r.right() + step; x += step)
          if (int((x - r.left()) / step + (y - r.top()) / step) % 2) p.fillRect(QRectF(x, y, step, step), pal.base.lighter(125));
      Medallion(p, mid, 30 * u, pal);
      Glyph(p, back % 2 ? QString(QChar(0x265E)) : QString(QChar(0x2658)), mid, 46 * u, pal.accent);
      break;
    }
    case 8: {  // animals
      p.fillRect(r, pal.ink.lighter(115));
      const double step = 24 * u;
      for (int i = 0; i * step < r.height() + step; ++i)
        for (int j = 0; j * step < r.width() + step; ++j) {
          p.save();
          p.translate(r.left() + j * step + (i % 2 ? step / 2 : 0), r.top() + i * step + step / 2);
          p.scale(18 * u, 18 * u);
          Animal(p, back - 1, pal.base, pal.accent);
          p.restore();
        }
      break;
    }
    case 9: {  // flowers
      p.fillRect(r, pal.ink.lighter(120));
      const int petals = 5 + (back - 1) % 4;
      for (int i = 0; i < 4; ++i)
        Flower(p, petals, QPointF(i % 2 ? r.right() - 14 * u : r.left() + 14 * u, i < 2 ? r.top() + 16 * u : r.bottom() - 16 * u),
               11 * u, pal.base.lighter(120), pal.accent);
      p.setPen(QPen(pal.base.darker(120), 1.6 * u));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(mid, 30 * u, 38 * u);
      Flower(p, petals + 1, mid, 26 * u, pal.base, pal.accent);
      break;
    }
    case 10: {  // plaid
      const QColor a = pal.base, b = pal.ink, d = pal.accent;
      const double sw = r.width() / 6;
      for (int pass = 0; pass < 2; ++pass)
        for (int i = -1; i < 12; ++i) {
          const double o = i * sw;
          QColor band = i % 3 == 0 ? b : i % 3 == 1 ? a.darker(140) : d;
          band.setAlpha(pass == 0 ? 120 : 90);
          if (pass == 0) p.fillRect(QRectF(r.left() + o, r.top(), sw * (i % 3 == 2 ? 0.2 : 0.55), r.height()), band);
          else p.fillRect(QRectF(r.left(), r.top() + o, r.width(), sw * (i % 3 == 2 ? 0.2 : 0.55)), band);
        }
      break;
    }
    case 11: {  // geometric figures
      p.setPen(QPen(pal.ink, 1.4 * u));
      p.setBrush(Qt::NoBrush);
      const int kind = back - 1;
      const double span = std::hypot(r.width(), r.height());
      for (int i = 1; i < 40; ++i) {
        const double k = i * 5 * u;
        switch (kind) {
          case 0: p.drawEllipse(mid, k, k); break;
          case 1: {
            QPainterPath wv;
            for (double x = r.left(); x <= r.right(); x += u) {
              const QPointF q(x, r.top() + k + 2 * u * std::sin((x - r.left()) / (6 * u)));
              x == r.left() ? wv.moveTo(q) : wv.lineTo(q);
            }
            p.drawPath(wv);
            break;
          }
          case 2: p.drawLine(mid, mid + QPointF(span * std::cos(i * M_PI / 20), span * std::sin(i * M_PI / 20))); break;
          case 3: p.drawRect(QRectF(mid - QPointF(k, k * 1.3), QSizeF(2 * k, 2.6 * k))); break;
          default: break;
        }
      }
      if (kind == 4 || kind == 5 || kind == 6 || kind == 7 || kind == 8 || kind == 9) {
        const double s = 10 * u;
        for (int i = -1; i * s * 0.87 < r.height() + s; ++i)
          for (int j = -1; j * s < r.width() + s; ++j) {
            const QPointF q(r.left() + j * s + (i % 2 ? s / 2 : 0), r.top() + i * s * 0.87);
            if (kind == 4) {
              QPolygonF hex;
              for (int v = 0; v < 6; ++v) hex << q + QPointF(s * 0.55 * std::cos(v * M_PI / 3 + M_PI / 6), s * 0.55 * std::sin(v * M_PI / 3 + M_PI / 6));
              p.drawPolygon(hex);
            } else if (kind == 5) {
              p.setBrush(pal.ink);
              p.drawEllipse(q, s * 0.18, s * 0.18);
            } else if (kind == 6) {
              QPolygonF star;
              for (int v = 0; v < 10; ++v) {
                const double rr = v % 2 ? s * 0.18 : s * 0.42, a = v * M_PI / 5 - M_PI / 2;
                star << q + QPointF(rr * std::cos(a), rr * std::sin(a));
              }
              p.setBrush(pal.ink);
              p.drawPolygon(star);
            } else if (kind == 7) {
              p.drawLine(q, q + QPointF(s / 2, s * 0.43));
              p.drawLine(q + QPointF(s / 2, s * 0.43), q + QPointF(s, 0));
            } else if (kind == 8) {
              p.drawEllipse(q, s * 0.4, s * 0.4);
            } else {
              p.setBrush((i + j) % 3 ? pal.ink : pal.accent);
              p.drawPolygon(QPolygonF{q, q + QPointF(s, 0), q + QPointF(s / 2, s * 0.87)});
            }
          }
      }
      p.setBrush(pal.base);
      p.setPen(QPen(pal.accent, 1.5 * u));
      p.drawEllipse(mid, 12 * u, 12 * u);
      break;
    }
    default: {  // folk ornament
      const QColor grounds[7] = {QColor(0x14, 0x10, 0x10), QColor(0x9a, 0x12, 0x12), QColor(0x10, 0x2a, 0x6a),
                                 QColor(0x12, 0x4a, 0x26), QColor(0x4a, 0x0c, 0x22), QColor(0xf4, 0xea, 0xd0),
                                 QColor(0x3a, 0x1c, 0x0c)};
      const QColor ground = grounds[(back - 1) % 7];
      const QColor gold = back == 6 ? QColor(0x1c, 0x3c, 0x9c) : QColor(0xe8, 0xb8, 0x30);
      const QColor red = back == 2 ? QColor(0xf4, 0xe0, 0x9a) : QColor(0xd8, 0x24, 0x1c);
      const int petals = 6 + (back - 1) % 3;
      p.fillRect(r, ground);
      for (int side = 0; side < 2; ++side) {
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        for (double x = r.left(); x < r.right(); x += 6 * u) {
          const double y = side ? r.bottom() : r.top();
          const double dir = side ? -1 : 1;
          p.drawPolygon(QPolygonF{{x, y}, {x + 6 * u, y}, {x + 3 * u, y + dir * 5 * u}});
        }
      }
      for (int i = 0; i < 3; ++i) {
        const QPointF q = mid + QPointF(0, (i - 1) * 44 * u);
        Flower(p, i == 1 ? petals : 5, q, i == 1 ? 24 * u : 14 * u, i == 1 ? red : gold, i == 1 ? gold : red);
        p.setPen(QPen(gold, 1.6 * u));
        p.setBrush(Qt::NoBrush);
        for (int s : {-1, 1}) {
          QPainterPath curl;
          curl.moveTo(q + QPointF(s * 12 * u, 0));
          curl.cubicTo(q + QPointF(s * 30 * u, -14 * u), q + QPointF(s * 40 * u, 10 * u), q + QPointF(s * 30 * u, 16 * u));
          p.drawPath(curl);
          p.setBrush(red);
          p.drawEllipse(q + QPointF(s * 30 * u, 16 * u), 3 * u, 3 * u);
          p.setBrush(Qt::NoBrush);
        }
      }
      break;
    }
  }
  Frame(p, c, set == 12 ? QColor(0xe8, 0xb8, 0x30) : pal.accent);
  p.end();
  return c.img;
}

// The decks' own backs; a deck whose back is a logo is left out, and one back is
// shown a second time in other colours to fill the week.
struct DeckBackChoice {
  const char* deck;
  int hueTurn;
};

const DeckBackChoice kDeckBacks[2][7] = {
    {{"svg-ancient-egyptians", 0}, {"svg-jolly-royal", 0}, {"svg-nicu-ornamental", 0}, {"svg-oxygen", 0},
     {"svg-oxygen-air", 0}, {"svg-oxygen-white", 0}, {"svg-standard", 0}},
    {{"svg-dondorf", 0}, {"svg-gm-paris", 0}, {"svg-future", 0}, {"svg-xskat-french", 0}, {"svg-penguins", 0},
     {"svg-oxygen", 200}, {"svg-nicu-white", 0}}};

QImage DeckBack(const QString& folder, const DeckBackChoice& choice, int w, int h) {
  const QDir dir(folder + "/" + choice.deck);
  const QStringList files = dir.entryList({"*.svgz", "*.svg"}, QDir::Files);
  if (files.isEmpty()) return {};
  QSvgRenderer r(dir.filePath(files.first()));
  if (!r.elementExists("back")) return {};
  const QRectF bounds = r.boundsOnElement("back");
  const bool landscape = bounds.width() > bounds.height();
  QImage img = artgen::Blank(landscape ? h : w, landscape ? w : h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  if (w < 100) p.fillRect(img.rect(), Qt::white);
  r.render(&p, "back", QRectF(QPointF(0, 0), img.size()));
  p.end();
  if (landscape) img = img.transformed(QTransform().rotate(90));
  if (choice.hueTurn) {
    img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        QColor c(line[x]);
        if (c.hsvSaturation() < 30) continue;
        c = QColor::fromHsv((c.hsvHue() + choice.hueTurn) % 360, c.hsvSaturation(), c.value());
        line[x] = qRgba(c.red(), c.green(), c.blue(), qAlpha(line[x]));
      }
    }
  }
  return img;
}

}  // namespace

bool PaintBackSets(artgen::Sink& sink, const QString& decks, QStringList* used) {
  QTransform quarter;
  quarter.rotate(90);
  bool ok = true;
  const struct { const char* suffix; int w, h; } sizes[] = {{"", 69, 94}, {"B", 146, 198}, {"U", 126, 198}};
  for (const auto& s : sizes) {
    for (int set = 0; set <= 12; ++set) {
      if (set == 0 && QString(s.suffix) != "U") continue;  // the program carries the rest of set 0
      for (int back = 1; back <= zarnet::BackCount(set); ++back) {
        QImage img;
        if (set == 0) img = artgen::PaintBack(back - 1, s.w, s.h);
        else if (set <= 2) {
          img = DeckBack(decks, kDeckBacks[set - 1][back - 1], s.w, s.h);
          *used << kDeckBacks[set - 1][back - 1].deck;
        }
        else img = PaintSet(set, back, s.w, s.h);
        if (img.isNull()) {
          std::fprintf(stderr, "zarnet-libgen: no back %d of set %d\n", back, set);
          ok = false;
          continue;
        }
        if (s.w < 100) img = img.convertToFormat(QImage::Format_RGB32);  // small backs are opaque
        sink.Raw("RCDATA", zarnet::BackResourceName(back, set, false, s.suffix), PalettePng(img));
        sink.Raw("RCDATA", zarnet::BackResourceName(back, set, true, s.suffix), PalettePng(img.transformed(quarter)));
      }
    }
  }
  return ok;
}

}  // namespace libgen
