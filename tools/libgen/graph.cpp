// The window graphics: the library background of the menu and the table, the touch
// strip and the tournament lobby's backdrop.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "libgen.h"

namespace libgen {

namespace {

// Deep wine to night blue, a faint lattice of suits and a gilt double frame.
QImage PaintLilu(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(0x4a, 0x0c, 0x1e));
  g.setColorAt(0.55, QColor(0x22, 0x10, 0x3a));
  g.setColorAt(1, QColor(0x0c, 0x18, 0x3e));
  p.fillRect(img.rect(), g);
  const double step = 38;
  int n = 0;
  for (double y = step / 2; y < h + step; y += step, ++n)
    for (double x = (n % 2 ? step : step / 2); x < w + step; x += step) {
      p.save();
      p.translate(x, y);
      p.scale(13, 13);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 220, 160, 22));
      p.drawPath(artgen::SuitPath(int(x / step + n) % 4));
      p.restore();
    }
  QRadialGradient light(w / 2.0, h / 2.0, std::hypot(w, h) / 2);
  light.setColorAt(0, QColor(255, 240, 220, 40));
  light.setColorAt(0.6, QColor(0, 0, 0, 0));
  light.setColorAt(1, QColor(0, 0, 0, 120));
  p.fillRect(img.rect(), light);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0xd8, 0xb0, 0x50), 3));
  p.drawRoundedRect(QRectF(8, 8, w - 16, h - 16), 14, 14);
  p.setPen(QPen(QColor(0xd8, 0xb0, 0x50, 150), 1));
  p.drawRoundedRect(QRectF(15, 15, w - 30, h - 30), 10, 10);
  return img;
}

// Thirty frames of a golden ripple with sparks flying out, fading to nothing.
QImage PaintTouch() {
  const int frames = 30, side = 100;
  QImage strip = artgen::Blank(frames * side, side);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing);
  for (int k = 0; k < frames; ++k) {
    const double t = k / double(frames - 1);
    const QPointF c(k * side + side / 2.0, side / 2.0);
    const int alpha = int(255 * (1 - t) * (1 - t) + 0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 214, 90, alpha), 5 * (1 - t) + 1));
    p.drawEllipse(c, 6 + 40 * t, 6 + 40 * t);
    p.setPen(QPen(QColor(255, 255, 255, alpha * 2 / 3), 2));
    p.drawEllipse(c, 3 + 26 * std::sqrt(t), 3 + 26 * std::sqrt(t));
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 8; ++s) {
      const double a = s * M_PI / 4 + t * 0.8;
      const double r = 10 + 38 * std::sqrt(t);
      const QPointF q = c + QPointF(r * std::cos(a), r * std::sin(a));
      p.setBrush(QColor(s % 2 ? 255 : 255, s % 2 ? 250 : 190, s % 2 ? 220 : 60, alpha));
      const double size = 4.5 * (1 - t) + 0.8;
      p.drawPolygon(QPolygonF{q + QPointF(0, -size * 1.6), q + QPointF(size * 0.5, 0), q + QPointF(0, size * 1.6),
                              q + QPointF(-size * 0.5, 0)});
      p.drawPolygon(QPolygonF{q + QPointF(-size * 1.6, 0), q + QPointF(0, size * 0.5), q + QPointF(size * 1.6, 0),
                              q + QPointF(0, -size * 0.5)});
    }
  }
  return strip;
}

// The lobby: a night sky over a globe's grid, gilt frame.
QImage PaintTour(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x0a, 0x16, 0x3a));
  g.setColorAt(1, QColor(0x14, 0x3a, 0x6c));
  p.fillRect(img.rect(), g);
  unsigned state = 12345;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1 << 24);
  };
  for (int i = 0; i < 160; ++i) {
    const double x = next() * w, y = next() * h * 0.7;
    p.setPen(QPen(QColor(255, 255, 255, 60 + (i * 37) % 140), 1 + (i % 5 == 0)));
    p.drawPoint(QPointF(x, y));
  }
  const QPointF c(w * 0.78, h * 0.62);
  const double r = h * 0.42;
  QRadialGradient sea(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
  sea.setColorAt(0, QColor(0x3a, 0x7a, 0xc0, 120));
  sea.setColorAt(1, QColor(0x08, 0x20, 0x50, 120));
  p.setBrush(sea);
  p.setPen(QPen(QColor(0x9c, 0xc8, 0xf0, 90), 1.5));
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::NoBrush);
  for (int m = 1; m < 6; ++m) p.drawEllipse(c, r * std::cos(m * M_PI / 12), r);
  for (int q = -2; q <= 2; ++q) {
    const double y = c.y() + r * std::sin(q * M_PI / 6);
    const double half = r * std::cos(q * M_PI / 6);
    p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
  }
  p.setPen(QPen(QColor(0xd8, 0xb0, 0x50), 3));
  p.drawRoundedRect(QRectF(6, 6, w - 12, h - 12), 12, 12);
  return img;
}

}  // namespace

void PaintGraphLibrary(artgen::Sink& sink) {
  sink.Jpeg("BGLilu", PaintLilu(760, 500), 90);
  sink.Png("GTouch", PaintTouch());
  sink.Png("GFormTour", PaintTour(720, 540));
}

}  // namespace libgen
