// The program's icon: two fanned cards, a blue back under an ace of hearts,
// painted once as SVG and at each size the desktop asks for as PNG.
#include <QDir>
#include <QSvgGenerator>

#include "art.h"

namespace artgen {

namespace {

constexpr double kBox = 256;  // the design box; every size is scaled from it

void RoundedCard(QPainter& p, QRectF r, QColor fill, QColor rim, double rimWidth) {
  p.setPen(QPen(rim, rimWidth));
  p.setBrush(fill);
  p.drawRoundedRect(r, r.width() * 0.1, r.width() * 0.1);
}

// detailed: the corner pips and the back's inner frame, lost below 48 pixels.
void PaintIcon(QPainter& p, bool detailed) {
  const QRectF card(-62, -86, 124, 172);
  p.setRenderHint(QPainter::Antialiasing);

  p.save();
  p.translate(104, 134);
  p.rotate(-14);
  RoundedCard(p, card, QColor(0x1d, 0x47, 0x9c), QColor(0x10, 0x2a, 0x60), 4);
  if (detailed) {
    p.setPen(QPen(QColor(0xf2, 0xc2, 0x22), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(12, 12, -12, -12), 8, 8);
  }
  p.restore();

  p.save();
  p.translate(152, 124);
  p.rotate(10);
  RoundedCard(p, card, Qt::white, QColor(0x50, 0x50, 0x50), 4);
  DrawSuit(p, 0, QPointF(0, 4), 74);
  if (detailed) {
    DrawSuit(p, 0, QPointF(card.left() + 20, card.top() + 22), 22);
    DrawSuit(p, 0, QPointF(card.right() - 20, card.bottom() - 22), 22, true);
  }
  p.restore();
}

}  // namespace

bool PaintIcons(const QString& out, const QString& name) {
  bool ok = true;
  for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
    const QString dir = QString("%1/hicolor/%2x%2/apps").arg(out).arg(size);
    QImage img = Blank(size, size);
    QPainter p(&img);
    p.scale(size / kBox, size / kBox);
    PaintIcon(p, size >= 48);
    p.end();
    ok = QDir().mkpath(dir) && img.save(dir + "/" + name + ".png", "PNG") && ok;
  }
  const QString dir = out + "/hicolor/scalable/apps";
  if (!QDir().mkpath(dir)) return false;
  QSvgGenerator svg;
  svg.setFileName(dir + "/" + name + ".svg");
  svg.setSize(QSize(int(kBox), int(kBox)));
  svg.setViewBox(QRectF(0, 0, kBox, kBox));
  svg.setTitle("Zarnet");
  QPainter p;
  if (!p.begin(&svg)) return false;
  PaintIcon(p, true);
  return p.end() && ok;
}

}  // namespace artgen
