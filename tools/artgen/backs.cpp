// Card backs, the baize table background and the button skins.
#include <QTransform>
#include <cmath>

#include "art.h"
#include "shading.h"

namespace artgen {

namespace {

struct BackStyle {
  QColor base, ink, frame;
};

const BackStyle kBackStyles[7] = {
    {QColor(0x1d, 0x4f, 0x9c), QColor(0x8f, 0xb6, 0xf0), QColor(0x0e, 0x2c, 0x60)},  // Monday
    {QColor(0xb0, 0x1c, 0x26), QColor(0xf4, 0x9a, 0x9a), QColor(0x6a, 0x0c, 0x12)},  // Tuesday
    {QColor(0x1f, 0x74, 0x42), QColor(0x9c, 0xdc, 0xae), QColor(0x0c, 0x40, 0x22)},  // Wednesday
    {QColor(0x18, 0x24, 0x58), QColor(0xe8, 0xc0, 0x50), QColor(0x0a, 0x10, 0x30)},  // Thursday
    {QColor(0x5c, 0x2a, 0x7e), QColor(0xd6, 0xb0, 0xf0), QColor(0x32, 0x12, 0x48)},  // Friday
    {QColor(0x78, 0x18, 0x22), QColor(0xe8, 0xb8, 0x60), QColor(0x40, 0x08, 0x0e)},  // Saturday
    {QColor(0x3a, 0x26, 0x14), QColor(0xea, 0xc2, 0x5a), QColor(0x20, 0x12, 0x08)},  // Sunday
};

void Lattice(QPainter& p, const QRectF& r, double step, const QColor& ink, double width) {
  p.setPen(QPen(ink, width));
  const double span = r.width() + r.height();
  for (double d = -span; d < span; d += step) {
    p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height(), r.bottom()));
    p.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + r.height(), r.top()));
  }
}

void Medallion(QPainter& p, QPointF c, double rx, double ry, const BackStyle& s, bool suits) {
  p.setPen(QPen(s.ink, rx * 0.08));
  p.setBrush(s.frame);
  p.drawEllipse(c, rx, ry);
  p.setPen(QPen(s.ink, rx * 0.03));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, rx * 0.8, ry * 0.8);
  if (suits) {
    const double k = rx * 0.42;
    for (int i = 0; i < 4; ++i) {
      p.save();
      p.translate(c);
      p.setPen(Qt::NoPen);
      p.setBrush(s.ink);
      const QPointF at[4] = {{0, -ry * 0.42}, {rx * 0.42, 0}, {0, ry * 0.42}, {-rx * 0.42, 0}};
      p.translate(at[i]);
      p.scale(k, k);
      p.drawPath(SuitPath(i));
      p.restore();
    }
  }
}

}  // namespace

QImage PaintBack(int n, int w, int h) {
  const BackStyle& s = kBackStyles[n];
  const bool small = w < 100;
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  CardGround(p, w, h, small);
  const double m = small ? 4 : 8;
  const QRectF inner(m, m, w - 2 * m, h - 2 * m);
  const double u = w / 146.0;  // pattern unit, so both sizes look alike
  QPainterPath clip;
  clip.addRoundedRect(inner, 4 * u + 1, 4 * u + 1);
  p.setClipPath(clip);
  p.fillRect(inner, s.base);
  const QPointF c = inner.center();
  switch (n) {
    case 0:
      Lattice(p, inner, 12 * u, s.ink, 1.6 * u);
      p.setPen(Qt::NoPen);
      p.setBrush(s.frame);
      for (double y = inner.top(); y < inner.bottom() + 6 * u; y += 6 * u)
        for (double x = inner.left() + (int((y - inner.top()) / (6 * u)) % 2) * 6 * u;
             x < inner.right() + 6 * u; x += 12 * u)
          p.drawEllipse(QPointF(x, y), 1.6 * u, 1.6 * u);
      break;
    case 1:
      Lattice(p, inner, 10 * u, s.ink, 1.2 * u);
      Medallion(p, c, 34 * u, 46 * u, s, true);
      break;
    case 2:
      p.setPen(QPen(s.ink, 1.3 * u));
      p.setBrush(Qt::NoBrush);
      for (double y = inner.top(); y < inner.bottom() + 16 * u; y += 16 * u)
        for (double x = inner.left(); x < inner.right() + 16 * u; x += 16 * u) {
          p.drawEllipse(QPointF(x, y), 9 * u, 9 * u);
          p.drawEllipse(QPointF(x + 8 * u, y + 8 * u), 4 * u, 4 * u);
        }
      break;
    case 3: {
      p.setPen(Qt::NoPen);
      p.setBrush(s.ink);
      int row = 0;
      for (double y = inner.top() + 6 * u; y < inner.bottom(); y += 13 * u, ++row)
        for (double x = inner.left() + 6 * u + (row % 2) * 6.5 * u; x < inner.right(); x += 13 * u) {
          QPainterPath star;
          for (int k = 0; k < 8; ++k) {
            const double r = (k % 2 ? 1.6 : 5.0) * u, a = k * M_PI / 4;
            const QPointF pt(x + r * std::sin(a), y - r * std::cos(a));
            k == 0 ? star.moveTo(pt) : star.lineTo(pt);
          }
          star.closeSubpath();
          p.drawPath(star);
        }
      break;
    }
    case 4:
      p.setPen(QPen(s.ink, 1.5 * u));
      p.setBrush(Qt::NoBrush);
      for (double y = inner.top(); y < inner.bottom() + 8 * u; y += 8 * u) {
        QPainterPath wave;
        wave.moveTo(inner.left(), y);
        for (double x = inner.left(); x < inner.right(); x += 16 * u)
          wave.cubicTo(x + 4 * u, y - 4 * u, x + 12 * u, y + 4 * u, x + 16 * u, y);
        p.drawPath(wave);
      }
      break;
    case 5: {
      p.setPen(Qt::NoPen);
      const double q = 9 * u;
      int row = 0;
      for (double y = inner.top(); y < inner.bottom(); y += q, ++row) {
        int col = 0;
        for (double x = inner.left(); x < inner.right(); x += q, ++col)
          if ((row + col) % 2) p.fillRect(QRectF(x, y, q, q), s.frame);
      }
      p.setPen(QPen(s.ink, 1.2 * u));
      p.setBrush(Qt::NoBrush);
      for (double y = inner.top(); y < inner.bottom(); y += q)
        p.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
      for (double x = inner.left(); x < inner.right(); x += q)
        p.drawLine(QPointF(x, inner.top()), QPointF(x, inner.bottom()));
      Medallion(p, c, 30 * u, 30 * u, s, false);
      p.setPen(Qt::NoPen);
      p.setBrush(s.ink);
      p.drawPath(QTransform::fromTranslate(c.x(), c.y()).scale(34 * u, 34 * u).map(SuitPath(n % 4)));
      break;
    }
    default: {
      Lattice(p, inner, 16 * u, s.frame.lighter(170), 3 * u);
      Lattice(p, inner, 16 * u, s.ink, 0.9 * u);
      Medallion(p, c, 44 * u, 60 * u, s, true);
      p.setPen(Qt::NoPen);
      p.setBrush(s.ink);
      p.drawEllipse(c, 5 * u, 5 * u);
      break;
    }
  }
  p.setClipping(false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(s.frame, 1.6 * u + 0.4));
  p.drawRoundedRect(inner, 4 * u + 1, 4 * u + 1);
  p.setPen(QPen(s.ink, 0.9 * u + 0.2));
  p.drawRoundedRect(inner.adjusted(3 * u, 3 * u, -3 * u, -3 * u), 3 * u, 3 * u);
  p.end();
  return img;
}

void PaintBacks(Sink& sink) {
  static const char* kNames[7] = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"};
  QTransform quarter;
  quarter.rotate(90);
  for (int n = 0; n < 7; ++n) {
    const QImage small = PaintBack(n, 69, 94), large = PaintBack(n, 146, 198);
    sink.Bitmap(kNames[n], small);
    sink.Bitmap(QString(kNames[n]) + "R", small.transformed(quarter));
    sink.Png(QString(kNames[n]) + "B", large);
    sink.Png(QString(kNames[n]) + "RB", large.transformed(quarter));
  }
}

// Green baize: fine grain over a soft light in the middle.
QImage PaintBaize(int w, int h, QColor base, unsigned seed) {
  QImage img(w, h, QImage::Format_RGB32);
  unsigned state = seed;
  const double cx = w / 2.0, cy = h / 2.0, rmax = std::hypot(cx, cy);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      state = state * 1664525u + 1013904223u;
      const int grain = int((state >> 24) % 11) - 5;
      const double d = std::hypot(x - cx, y - cy) / rmax;
      const double light = 1.12 - 0.38 * d * d;
      auto ch = [&](int v) { return std::clamp(int(v * light) + grain, 0, 255); };
      line[x] = qRgb(ch(base.red()), ch(base.green()), ch(base.blue()));
    }
  }
  return img;
}

void PaintBackgrounds(Sink& sink) {
  const QColor baize(0x1c, 0x6a, 0x34);
  sink.Jpeg("FonG", PaintBaize(760, 500, baize, 7));
  sink.Jpeg("FonGB", PaintBaize(1920, 922, baize, 11), 85);
}

// Button skins. Normal style: every column is the shading table of its size, so a
// stretched piece and a row-by-row painted middle look the same. The ends round off
// with an alpha edge.
namespace {

QColor TableColor(uint32_t bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }

// Coverage of pixel (x, y) by a rounded end of radius r whose flat side is at x = w.
double EndCoverage(double x, double y, int w, int h, double r) {
  double cov = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) {
      const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
      double dx = 0, dy = 0;
      if (px < r) dx = r - px;
      if (py < r) dy = r - py;
      if (py > h - r) dy = py - (h - r);
      const bool in = (dx == 0 || dy == 0) ? (px >= 0 && px <= w && py >= 0 && py <= h)
                                           : dx * dx + dy * dy <= r * r;
      cov += in ? 1 : 0;
    }
  return cov / 16;
}

QImage NormalEnd(const std::vector<uint32_t>& table, int w) {
  const int h = int(table.size());
  QImage img(w, h, QImage::Format_ARGB32);
  const double r = w * 0.9;
  const QColor edge = TableColor(table.front());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double a = EndCoverage(x, y, w, h, r);
      // The outermost pixels take the dark edge colour, as the top and bottom rows do.
      const double inner = EndCoverage(x - 1, y, w + 1, h, r);
      QColor c = TableColor(table[y]);
      if (inner < 0.99) c = edge;
      img.setPixel(x, y, qRgba(c.red(), c.green(), c.blue(), int(std::lround(a * 255))));
    }
  return img;
}

// The alternative style: a brighter, glassy face of pure reds so schemes recolour it.
QColor NataColor(double t) {
  // t from 0 (top) to 1 (bottom).
  if (t < 0.08) return QColor(150, 0, 0);
  if (t < 0.5) {
    const double k = (t - 0.08) / 0.42;
    return QColor(255, int(150 - 110 * k), int(150 - 110 * k));
  }
  if (t > 0.93) return QColor(150, 0, 0);
  const double k = (t - 0.5) / 0.43;
  return QColor(int(235 - 60 * k), 0, 0);
}

QImage NataPiece(int w, int h, bool end) {
  QImage img(w, h, QImage::Format_ARGB32);
  const double r = h / 2.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      QColor c = NataColor((y + 0.5) / h);
      double a = 1;
      if (end) {
        a = EndCoverage(x, y, w, h, std::min<double>(r, w));
        if (EndCoverage(x - 1.2, y, w + 2, h, std::min<double>(r, w)) < 0.99) c = QColor(130, 0, 0);
      }
      img.setPixel(x, y, qRgba(c.red(), c.green(), c.blue(), int(std::lround(a * 255))));
    }
  return img;
}

}  // namespace

void PaintSkins(Sink& sink) {
  const int heights[3] = {29, 44, 59}, ends[3] = {8, 13, 17};
  for (int k = 0; k < 3; ++k) {
    const std::vector<uint32_t> table = zarnet::ShadingTable(k);
    const QString set = QString::number(heights[k]);
    QImage mid(2, heights[k], QImage::Format_ARGB32);
    for (int y = 0; y < heights[k]; ++y) {
      const QColor c = TableColor(table[y]);
      mid.setPixel(0, y, c.rgb());
      mid.setPixel(1, y, c.rgb());
    }
    const QImage left = NormalEnd(table, ends[k]);
    const QTransform mirror = QTransform::fromScale(-1, 1);
    sink.Png("R" + set + "_L", left);
    sink.Png("R" + set + "_R", left.transformed(mirror));
    sink.Png("R" + set + "_2", mid);
    // The top piece: the middle's column, a spare for wide stretches.
    sink.Png("R" + set + "_T", mid.scaled(4, heights[k]));
    const QImage qLeft = NataPiece(ends[k], heights[k], true);
    sink.Png("Q" + set + "_L", qLeft);
    sink.Png("Q" + set + "_R", qLeft.transformed(mirror));
    sink.Png("Q" + set + "_2", NataPiece(2, heights[k], false));
    sink.Png("Q" + set + "_T", NataPiece(4, heights[k], false));
  }
}

}  // namespace artgen
