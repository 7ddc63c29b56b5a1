// The built-in card faces: French-suited, with double-headed court figures.
#include <QFont>
#include <QFontMetricsF>
#include <cmath>

#include "art.h"

namespace artgen {

QPainterPath SuitPath(int suit) {
  QPainterPath p;
  switch (suit) {
    case 0:  // hearts
      p.moveTo(0, 0.46);
      p.cubicTo(-0.08, 0.32, -0.5, 0.1, -0.5, -0.17);
      p.cubicTo(-0.5, -0.38, -0.36, -0.47, -0.24, -0.47);
      p.cubicTo(-0.11, -0.47, -0.03, -0.39, 0, -0.28);
      p.cubicTo(0.03, -0.39, 0.11, -0.47, 0.24, -0.47);
      p.cubicTo(0.36, -0.47, 0.5, -0.38, 0.5, -0.17);
      p.cubicTo(0.5, 0.1, 0.08, 0.32, 0, 0.46);
      break;
    case 1:  // diamonds
      p.moveTo(0, -0.5);
      p.quadTo(0.14, -0.22, 0.4, 0);
      p.quadTo(0.14, 0.22, 0, 0.5);
      p.quadTo(-0.14, 0.22, -0.4, 0);
      p.quadTo(-0.14, -0.22, 0, -0.5);
      break;
    case 2: {  // clubs
      QPainterPath c;
      c.addEllipse(QPointF(0, -0.25), 0.21, 0.21);
      c.addEllipse(QPointF(-0.25, 0.07), 0.21, 0.21);
      c.addEllipse(QPointF(0.25, 0.07), 0.21, 0.21);
      c.addEllipse(QPointF(0, 0.0), 0.12, 0.12);
      QPainterPath stem;
      stem.moveTo(0.035, 0.0);
      stem.quadTo(0.05, 0.36, 0.19, 0.49);
      stem.lineTo(-0.19, 0.49);
      stem.quadTo(-0.05, 0.36, -0.035, 0.0);
      stem.closeSubpath();
      c.setFillRule(Qt::WindingFill);
      p = c.united(stem).simplified();
      break;
    }
    default: {  // spades
      p.moveTo(0, -0.49);
      p.cubicTo(0.08, -0.33, 0.48, -0.12, 0.48, 0.1);
      p.cubicTo(0.48, 0.28, 0.35, 0.35, 0.23, 0.35);
      p.cubicTo(0.13, 0.35, 0.06, 0.3, 0.035, 0.23);
      p.quadTo(0.06, 0.41, 0.19, 0.49);
      p.lineTo(-0.19, 0.49);
      p.quadTo(-0.06, 0.41, -0.035, 0.23);
      p.cubicTo(-0.06, 0.3, -0.13, 0.35, -0.23, 0.35);
      p.cubicTo(-0.35, 0.35, -0.48, 0.28, -0.48, 0.1);
      p.cubicTo(-0.48, -0.12, -0.08, -0.33, 0, -0.49);
      break;
    }
  }
  p.closeSubpath();
  return p;
}

QColor SuitColor(int suit) { return suit < 2 ? QColor(0xd0, 0x14, 0x1e) : QColor(0x14, 0x14, 0x18); }

void DrawSuit(QPainter& p, int suit, QPointF centre, double size, bool flipped) {
  p.save();
  p.translate(centre);
  p.scale(size, flipped ? -size : size);
  p.setPen(Qt::NoPen);
  p.setBrush(SuitColor(suit));
  p.drawPath(SuitPath(suit));
  p.restore();
}

namespace {

const QColor kRed(0xc4, 0x1e, 0x26), kBlue(0x1d, 0x47, 0x9c), kYellow(0xf2, 0xc2, 0x22),
    kBlack(0x18, 0x18, 0x1c), kFlesh(0xf8, 0xdc, 0xba), kLine(0x22, 0x1a, 0x18),
    kWhite(0xff, 0xff, 0xfa), kGold(0xe0, 0xa8, 0x10);

QString RankText(int rank) {
  static const char* t[] = {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
  return t[rank];
}

// The corner index: rank above a small suit; painted again upside down.
void DrawIndex(QPainter& p, int suit, int rank, int w, int h, bool small) {
  QFont f(small ? "DejaVu Sans" : "DejaVu Serif");
  f.setBold(true);
  f.setPixelSize(small ? 13 : 24);
  if (rank == 10) f.setStretch(small ? 62 : 70);
  const double col = small ? 8.0 : 15.0;    // centre x of the index column
  const double top = small ? 1.0 : 4.0;
  const double suitSize = small ? 9.0 : 15.0;
  for (int turn = 0; turn < 2; ++turn) {
    p.save();
    if (turn == 1) {
      p.translate(w, h);
      p.rotate(180);
    }
    p.setFont(f);
    p.setPen(SuitColor(suit));
    const QFontMetricsF fm(f);
    const QRectF box(col - 14, top, 28, fm.capHeight() + 2);
    p.drawText(QRectF(box.x(), box.y() - fm.ascent() + fm.capHeight() + 1, box.width(), fm.height()),
               Qt::AlignHCenter | Qt::AlignTop, RankText(rank));
    DrawSuit(p, suit, QPointF(col, top + fm.capHeight() + 3 + suitSize / 2), suitSize);
    p.restore();
  }
}

void DrawPips(QPainter& p, int suit, int rank, int w, int h, bool small) {
  const double x0 = w * (small ? 0.31 : 0.30), x1 = w * (small ? 0.69 : 0.70), xm = w / 2.0;
  const double y0 = h * (small ? 0.17 : 0.16), y1 = h * (small ? 0.83 : 0.84);
  const double size = w * (small ? 0.22 : 0.2);
  auto yy = [&](double f) { return y0 + (y1 - y0) * f; };
  std::vector<QPointF> pts;
  auto sides = [&](std::initializer_list<double> rows) {
    for (double r : rows) pts.push_back({x0, yy(r)}), pts.push_back({x1, yy(r)});
  };
  switch (rank) {
    case 2: pts = {{xm, yy(0)}, {xm, yy(1)}}; break;
    case 3: pts = {{xm, yy(0)}, {xm, yy(0.5)}, {xm, yy(1)}}; break;
    case 4: sides({0, 1}); break;
    case 5: sides({0, 1}); pts.push_back({xm, yy(0.5)}); break;
    case 6: sides({0, 0.5, 1}); break;
    case 7: sides({0, 0.5, 1}); pts.push_back({xm, yy(0.25)}); break;
    case 8: sides({0, 0.5, 1}); pts.push_back({xm, yy(0.25)}); pts.push_back({xm, yy(0.75)}); break;
    case 9: sides({0, 1.0 / 3, 2.0 / 3, 1}); pts.push_back({xm, yy(0.5)}); break;
    case 10:
      sides({0, 1.0 / 3, 2.0 / 3, 1});
      pts.push_back({xm, yy(1.0 / 6)});
      pts.push_back({xm, yy(5.0 / 6)});
      break;
  }
  for (const QPointF& c : pts) DrawSuit(p, suit, c, size, c.y() > h / 2.0 + 0.5);
}

void DrawAce(QPainter& p, int suit, int w, int h, bool small) {
  const QPointF c(w / 2.0, h / 2.0);
  if (suit == 3) {
    // The ace of spades carries the ornament.
    const double s = w * 0.56;
    p.save();
    p.setPen(QPen(kBlack, small ? 1.0 : 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, s * 0.62, s * 0.62);
    p.setPen(QPen(kGold, small ? 1.0 : 2.0));
    p.drawEllipse(c, s * 0.56, s * 0.56);
    p.restore();
    DrawSuit(p, suit, c, s * 0.82);
    p.save();
    p.translate(c);
    p.scale(s * 0.82, s * 0.82);
    p.setPen(QPen(kWhite, 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawPath(SuitPath(3).translated(0, 0.04) * QTransform::fromScale(0.7, 0.7));
    p.restore();
  } else {
    DrawSuit(p, suit, c, w * (small ? 0.5 : 0.44));
  }
}

// One half of a court figure in a 100-wide box, y from 0 (frame top) to 82 (card centre).
void DrawCourtHalf(QPainter& p, int suit, int rank) {
  const bool king = rank == 13, queen = rank == 12;
  // The classic palette, varied by suit so the twelve figures differ.
  const QColor robeA = (suit % 2 == 0) == (rank != 12) ? kRed : kBlue;
  const QColor robeB = robeA == kRed ? kBlue : kRed;
  const QPen line(kLine, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(line);

  // What the figure holds, behind the body.
  if (king) {
    if (suit == 1) {  // axe
      p.setBrush(QColor(0x8a, 0x5a, 0x2a));
      p.drawRect(QRectF(81, 8, 3, 74));
      p.setBrush(QColor(0xc8, 0xcc, 0xd4));
      QPainterPath ax;
      ax.moveTo(84, 12); ax.quadTo(98, 16, 96, 30); ax.quadTo(90, 24, 84, 26); ax.closeSubpath();
      p.drawPath(ax);
    } else {  // sword
      p.setBrush(QColor(0xd8, 0xdc, 0xe4));
      QPainterPath blade;
      blade.moveTo(18, 4); blade.lineTo(21, 8); blade.lineTo(21, 60); blade.lineTo(15, 60);
      blade.lineTo(15, 8); blade.closeSubpath();
      p.drawPath(blade);
      p.setBrush(kGold);
      p.drawRect(QRectF(10, 60, 16, 3));
      p.drawRect(QRectF(16.5, 63, 3, 10));
    }
  } else if (queen) {  // a flower on a long stem
    p.setPen(QPen(QColor(0x2a, 0x7a, 0x2a), 1.6));
    p.drawLine(QPointF(24, 66), QPointF(20, 30));
    p.setPen(line);
    p.setBrush(QColor(0x3a, 0x9a, 0x3a));
    p.drawEllipse(QRectF(21, 44, 8, 4));
    p.setBrush(kRed);
    p.drawEllipse(QPointF(20, 27), 6, 6);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(20, 27), 2.4, 2.4);
  } else {  // a halberd
    p.setBrush(QColor(0x8a, 0x5a, 0x2a));
    p.drawRect(QRectF(80, 2, 3, 80));
    p.setBrush(QColor(0xc8, 0xcc, 0xd4));
    QPainterPath h;
    h.moveTo(83, 6); h.quadTo(95, 8, 94, 20); h.lineTo(83, 16); h.closeSubpath();
    h.moveTo(80, 8); h.lineTo(74, 12); h.lineTo(80, 14); h.closeSubpath();
    p.drawPath(h);
    p.setBrush(QColor(0xc8, 0xcc, 0xd4));
    QPainterPath tip;
    tip.moveTo(81.5, -4); tip.lineTo(84, 3); tip.lineTo(79, 3); tip.closeSubpath();
    p.drawPath(tip);
  }

  // Robe: shoulders widening to the card centre.
  QPainterPath robe;
  robe.moveTo(30, 46);
  robe.cubicTo(20, 48, 12, 56, 10, 82);
  robe.lineTo(90, 82);
  robe.cubicTo(88, 56, 80, 48, 70, 46);
  robe.closeSubpath();
  p.setBrush(robeA);
  p.drawPath(robe);
  // Front panel with a border of gold and the suit on it.
  QPainterPath panel;
  panel.moveTo(42, 46); panel.lineTo(58, 46); panel.lineTo(64, 82); panel.lineTo(36, 82);
  panel.closeSubpath();
  p.setBrush(kYellow);
  p.drawPath(panel);
  QPainterPath inner;
  inner.moveTo(45, 50); inner.lineTo(55, 50); inner.lineTo(60, 82); inner.lineTo(40, 82);
  inner.closeSubpath();
  p.setBrush(robeB);
  p.drawPath(inner);
  // Stripes on the sleeves.
  p.setPen(QPen(kYellow, 1.6));
  for (int i = 0; i < 3; ++i) {
    p.drawLine(QPointF(16 + i * 3, 80 - i * 8), QPointF(30 + i * 2, 74 - i * 8));
    p.drawLine(QPointF(84 - i * 3, 80 - i * 8), QPointF(70 - i * 2, 74 - i * 8));
  }
  p.setPen(line);
  DrawSuit(p, suit, QPointF(50, 68), 9);

  // Collar: ermine for the king, lace for the queen, plain for the jack.
  QPainterPath collar;
  collar.moveTo(30, 46);
  collar.quadTo(50, 58, 70, 46);
  collar.quadTo(50, 50, 30, 46);
  collar.closeSubpath();
  p.setBrush(king ? kWhite : queen ? QColor(0xff, 0xf4, 0xd8) : kYellow);
  QPainterPath band;
  band.moveTo(28, 44);
  band.quadTo(50, 62, 72, 44);
  band.lineTo(68, 42);
  band.quadTo(50, 54, 32, 42);
  band.closeSubpath();
  p.drawPath(band);
  if (king) {
    p.setBrush(kBlack);
    p.setPen(Qt::NoPen);
    for (double x : {36.0, 44.0, 50.0, 56.0, 64.0})
      p.drawEllipse(QPointF(x, 44 + 6 * std::sin((x - 28) / 44 * M_PI)), 0.9, 1.4);
    p.setPen(line);
  }

  // Hand holding the item.
  p.setBrush(kFlesh);
  if (king && suit != 1) p.drawEllipse(QPointF(18, 66), 4, 3.5);
  else if (queen) p.drawEllipse(QPointF(24, 66), 4, 3.5);
  else p.drawEllipse(QPointF(81.5, 64), 4, 3.5);

  // Hair behind the head.
  if (queen) {
    p.setBrush(kYellow);
    QPainterPath hair;
    hair.moveTo(38, 18); hair.cubicTo(34, 30, 34, 40, 30, 46);
    hair.lineTo(70, 46); hair.cubicTo(66, 40, 66, 30, 62, 18); hair.closeSubpath();
    p.drawPath(hair);
  } else if (!king) {
    p.setBrush(QColor(0x8a, 0x4a, 0x1e));
    p.drawEllipse(QRectF(38, 18, 24, 22));
  }

  // Face.
  p.setBrush(kFlesh);
  p.drawEllipse(QRectF(40, 17, 20, 25));
  p.setBrush(kLine);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(45.5, 27), 1.1, 1.3);
  p.drawEllipse(QPointF(54.5, 27), 1.1, 1.3);
  p.setPen(QPen(kLine, 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(43.5, 24.2), QPointF(47.5, 24.6));
  p.drawLine(QPointF(56.5, 24.2), QPointF(52.5, 24.6));
  QPainterPath nose;
  nose.moveTo(50, 27); nose.lineTo(48.6, 32.4); nose.lineTo(50.8, 32.6);
  p.drawPath(nose);
  p.setPen(QPen(QColor(0xb8, 0x30, 0x30), 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(47.5, 36), QPointF(52.5, 36));
  p.setPen(line);

  if (king) {  // beard and moustache
    p.setBrush(QColor(0xe8, 0xe4, 0xdc));
    QPainterPath beard;
    beard.moveTo(40, 31);
    beard.cubicTo(40, 44, 46, 50, 50, 51);
    beard.cubicTo(54, 50, 60, 44, 60, 31);
    beard.cubicTo(57, 38, 54, 38, 50, 37.5);
    beard.cubicTo(46, 38, 43, 38, 40, 31);
    p.drawPath(beard);
    p.drawLine(QPointF(46, 42), QPointF(47.5, 47));
    p.drawLine(QPointF(54, 42), QPointF(52.5, 47));
    QPainterPath m;
    m.moveTo(50, 34); m.cubicTo(46, 33, 43, 35, 41, 37); m.cubicTo(45, 36, 48, 36, 50, 35.5);
    m.cubicTo(52, 36, 55, 36, 59, 37); m.cubicTo(57, 35, 54, 33, 50, 34);
    p.drawPath(m);
  }

  // Headgear.
  if (king) {
    QPainterPath crown;
    crown.moveTo(37, 20);
    crown.lineTo(35, 6); crown.lineTo(41.5, 12); crown.lineTo(45, 3); crown.lineTo(50, 11);
    crown.lineTo(55, 3); crown.lineTo(58.5, 12); crown.lineTo(65, 6); crown.lineTo(63, 20);
    crown.closeSubpath();
    p.setBrush(kGold);
    p.drawPath(crown);
    p.setBrush(robeB);
    p.drawRect(QRectF(37, 16, 26, 4));
    p.setBrush(kWhite);
    for (double x : {35.0, 45.0, 55.0, 65.0}) p.drawEllipse(QPointF(x, x == 35 || x == 65 ? 6 : 3), 1.4, 1.4);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(50, 13.5), 1.6, 1.6);
  } else if (queen) {
    QPainterPath crown;
    crown.moveTo(39, 19);
    crown.quadTo(40, 9, 42, 8); crown.quadTo(45, 12, 46, 13); crown.quadTo(48, 5, 50, 4);
    crown.quadTo(52, 5, 54, 13); crown.quadTo(55, 12, 58, 8); crown.quadTo(60, 9, 61, 19);
    crown.closeSubpath();
    p.setBrush(kGold);
    p.drawPath(crown);
    p.setBrush(robeA);
    p.drawEllipse(QPointF(50, 14), 1.8, 1.8);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(50, 4), 1.3, 1.3);
  } else {
    // A beret with a feather in the suit colour.
    p.setBrush(robeB);
    QPainterPath cap;
    cap.moveTo(36, 21); cap.cubicTo(34, 8, 62, 4, 66, 17); cap.lineTo(64, 21); cap.closeSubpath();
    p.drawPath(cap);
    p.setBrush(kYellow);
    p.drawRect(QRectF(38, 18.5, 25, 3));
    p.setBrush(SuitColor(suit) == kBlack ? QColor(0x30, 0x30, 0x30) : kRed);
    QPainterPath feather;
    feather.moveTo(60, 12); feather.cubicTo(68, 2, 76, 2, 80, 6); feather.cubicTo(74, 6, 68, 10, 61, 15);
    feather.closeSubpath();
    p.drawPath(feather);
  }
}

void DrawCourt(QPainter& p, int suit, int rank, int w, int h, bool small) {
  const QRectF frame(w * (small ? 0.19 : 0.175), h * (small ? 0.125 : 0.11),
                     w * (small ? 0.62 : 0.65), h * (small ? 0.75 : 0.78));
  p.save();
  p.setPen(QPen(SuitColor(suit), small ? 0.8 : 1.2));
  p.setBrush(QColor(0xff, 0xfb, 0xee));
  p.drawRect(frame);
  const double unit = frame.width() / 100.0;
  const double halfH = frame.height() / 2;
  for (int turn = 0; turn < 2; ++turn) {
    p.save();
    if (turn == 1) {
      p.translate(frame.center());
      p.rotate(180);
      p.translate(-frame.center());
    }
    p.setClipRect(QRectF(frame.left(), frame.top(), frame.width(), halfH));
    p.translate(frame.left(), frame.top());
    p.scale(unit, halfH / 82.0);
    DrawCourtHalf(p, suit, rank);
    DrawSuit(p, suit, QPointF(11, 11), 13);
    p.restore();
  }
  p.setPen(QPen(SuitColor(suit), small ? 0.6 : 1.0));
  p.drawLine(QPointF(frame.left(), frame.center().y()), QPointF(frame.right(), frame.center().y()));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(SuitColor(suit), small ? 0.8 : 1.2));
  p.drawRect(frame);
  p.restore();
}

}  // namespace

void CardGround(QPainter& p, int w, int h, bool small) {
  if (small) {
    p.fillRect(QRect(0, 0, w, h), Qt::white);
  } else {
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.6, 0.6, w - 1.2, h - 1.2), 9, 9);
  }
}

QImage PaintFace(int suit, int rank, int w, int h) {
  const bool small = w < 100;
  QImage img = Blank(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  CardGround(p, w, h, small);
  if (rank <= 10) DrawPips(p, suit, rank, w, h, small);
  else if (rank == 14) DrawAce(p, suit, w, h, small);
  else DrawCourt(p, suit, rank, w, h, small);
  DrawIndex(p, suit, rank, w, h, small);
  p.end();
  return img;
}

namespace {
const char* kSuitPrefix[] = {"Ch", "Bu", "Kr", "Pi"};
const char* kSuitName[] = {"Cher", "Bubi", "Kres", "Piki"};
const char* kRankPart[] = {"02", "03", "04", "05", "06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
}  // namespace

QImage PaintSuitSymbol(int suit, int size) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawSuit(p, suit, QPointF(size / 2.0, size / 2.0), size * 0.94);
  p.end();
  return img;
}

void PaintFaces(Sink& sink) {
  for (int s = 0; s < 4; ++s) {
    for (int r = 2; r <= 14; ++r) {
      const QString base = QString(kSuitPrefix[s]) + kRankPart[r - 2];
      sink.Bitmap(base, PaintFace(s, r, 69, 94));
      sink.Png(base + "B", PaintFace(s, r, 146, 198));
    }
    // Small symbols are bitmaps on silver, the colour the store makes transparent.
    const QImage sym = PaintSuitSymbol(s, 20).convertToFormat(QImage::Format_ARGB32);
    QImage bmp(20, 20, QImage::Format_RGB888);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const QRgb c = sym.pixel(x, y);
        bmp.setPixel(x, y, qAlpha(c) >= 110 ? qRgb(qRed(c), qGreen(c), qBlue(c)) : qRgb(192, 192, 192));
      }
    sink.Bitmap(kSuitName[s], bmp);
    sink.Png(QString(kSuitName[s]) + "B", PaintSuitSymbol(s, 40));
  }
}

}  // namespace artgen
