#include "world_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include "form_account.h"
#include "table_drawing.h"

namespace zarnet {
namespace {

QImage Blank(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

QImage Face(bool man) {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor hair = man ? QColor(0x50, 0x30, 0x10) : QColor(0xc0, 0x80, 0x20);
  if (!man) {
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    p.drawRoundedRect(QRectF(1.5, 2, 13, 13), 5, 5);
  }
  p.setPen(QPen(QColor(0x60, 0x40, 0x20), 0.8));
  p.setBrush(QColor(0xff, 0xd8, 0xb0));
  p.drawEllipse(QRectF(3, 3, 10, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  p.drawChord(QRectF(3, 2, 10, 7), 0, 180 * 16);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(6.2, 8.5), 0.9, 0.9);
  p.drawEllipse(QPointF(9.8, 8.5), 0.9, 0.9);
  p.setPen(QPen(man ? QColor(0x40, 0x40, 0xa0) : QColor(0xd0, 0x20, 0x40), 1));
  p.drawArc(QRectF(6, 9.5, 4, 2.5), 200 * 16, 140 * 16);
  return img;
}

QImage Button(bool green) {
  QImage img = Blank(32, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor c = green ? QColor(0x30, 0xb0, 0x40) : QColor(0xd0, 0x30, 0x30);
  QRadialGradient g(QPointF(12, 11), 16);
  g.setColorAt(0, c.lighter(170));
  g.setColorAt(1, c);
  p.setPen(QPen(c.darker(160), 1.5));
  p.setBrush(g);
  p.drawEllipse(QRectF(2, 2, 28, 28));
  // Two arrows chasing each other: the reading again.
  p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9, 9, 14, 14), 30 * 16, 150 * 16);
  p.drawArc(QRectF(9, 9, 14, 14), 210 * 16, 150 * 16);
  return img;
}

QImage NewMark() {
  QImage img = Blank(36, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe0, 0x20, 0x20));
  p.drawRoundedRect(QRectF(0.5, 0.5, 35, 15), 4, 4);
  p.setPen(Qt::white);
  QFont f("DejaVu Sans");
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRectF(0, 0, 36, 16), Qt::AlignCenter, "NEW");
  return img;
}

QImage Lamp(const QColor& c) {
  QImage img = Blank(24, 24);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(9, 9), 12);
  g.setColorAt(0, c.lighter(180));
  g.setColorAt(1, c);
  p.setPen(QPen(c.darker(170), 1.2));
  p.setBrush(g);
  p.drawEllipse(QRectF(2, 2, 20, 20));
  return img;
}

QImage PaintedSiren(int k) {
  QImage img = Blank(40, 40);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const bool on = k % 2 == 0;
  // The light's rays on every other frame.
  if (on) {
    p.setPen(QPen(QColor(0xff, 0x40, 0x20, 200), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int a : {-60, -30, 0, 30, 60}) {
      p.save();
      p.translate(20, 20);
      p.rotate(a);
      p.drawLine(QPointF(0, -14), QPointF(0, -19));
      p.restore();
    }
  }
  QPainterPath dome;
  dome.moveTo(9, 32);
  dome.lineTo(9, 20);
  dome.arcTo(QRectF(9, 9, 22, 22), 180, -180);
  dome.lineTo(31, 32);
  dome.closeSubpath();
  QLinearGradient g(0, 9, 0, 32);
  g.setColorAt(0, on ? QColor(0xff, 0x90, 0x80) : QColor(0xc0, 0x40, 0x40));
  g.setColorAt(1, on ? QColor(0xe0, 0x10, 0x10) : QColor(0x80, 0x10, 0x10));
  p.setPen(QPen(QColor(0x60, 0x00, 0x00), 1.2));
  p.setBrush(g);
  p.drawPath(dome);
  p.setBrush(QColor(0x50, 0x50, 0x58));
  p.drawRoundedRect(QRectF(6, 32, 28, 6), 2, 2);
  return img;
}

}  // namespace

QImage NetPicture(const QString& name) {
  QImage img = ProgramPicture(name);
  if (!img.isNull()) return img;
  if (name == "FaceMan16") return Face(true);
  if (name == "FaceWoman16") return Face(false);
  if (name == "AdvButR") return Button(false);
  if (name == "AdvButG") return Button(true);
  if (name == "GNew") return NewMark();
  if (name == "LampR24") return Lamp(QColor(0xd0, 0x20, 0x20));
  if (name == "LampY24") return Lamp(QColor(0xe8, 0xc0, 0x20));
  if (name == "LampG24") return Lamp(QColor(0x30, 0xc0, 0x30));
  if (name == "GSirenaR") return PaintedSiren(0);
  return {};
}

QImage FaceFor(std::string_view sex) { return NetPicture(sex == "M" ? "FaceMan16" : "FaceWoman16"); }

QImage FlagFor(std::string_view code) { return CountryFlag(std::string(code), 18, 12); }

QImage SirenFrame(int k) {
  if (k == 0) {
    const QImage own = ProgramPicture("GSirenaR");
    if (!own.isNull()) return own;
  }
  return PaintedSiren(k);
}

}  // namespace zarnet
