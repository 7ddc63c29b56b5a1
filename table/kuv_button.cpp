#include "kuv_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "card_art.h"
#include "resources.h"
#include "shading.h"

namespace zarnet {

namespace {

int Lighten(int x, int p) { return MakeWhole(x + (255 - x) * p / 100.0); }

QRgb Exchange(int r, int g, int b, int a, TColorSB s) {
  switch (s) {
    case TColorSB::DRed: break;
    case TColorSB::DGreen: return qRgba(g, r, b, a);
    case TColorSB::DBlue: return qRgba(b, r, r, a);
    case TColorSB::DNavy: return qRgba(b, g, r, a);
    case TColorSB::DYellow: return qRgba(r, r, b, a);
    case TColorSB::DViolet: return qRgba(r, g, r, a);
    case TColorSB::DOrang:
      if (g < r && b < r) {
        const int nb = MakeWhole(0.7 * b);
        return qRgba(r, MakeWhole(nb + 0.4 * std::abs(r - nb)), nb, a);
      }
      break;
    case TColorSB::DCards: return qRgba(MakeWhole(0.7 * r), 0, r, a);
  }
  return qRgba(r, g, b, a);
}

QRgb LightenRgb(QRgb c, int p) {
  if (p <= 0) return c;
  return qRgba(Lighten(qRed(c), p), Lighten(qGreen(c), p), Lighten(qBlue(c), p), qAlpha(c));
}

const char* SetName(int height) { return height <= 30 ? "29" : height <= 45 ? "44" : "59"; }
int NaturalEnd(int height) { return height <= 30 ? 8 : height <= 45 ? 13 : 17; }
int BaseHeight(int height) { return height <= 30 ? 30 : height <= 45 ? 45 : 60; }

}  // namespace

QRgb TransformSB(QRgb c, TColorSB s, int light, bool nata) {
  const int r = qRed(c), g = qGreen(c), b = qBlue(c), a = qAlpha(c);
  if (!nata) return LightenRgb(Exchange(r, g, b, a, s), light);
  const bool nearRed = std::sqrt(double((r - 255) * (r - 255) + g * g + b * b)) < 180;
  if (s == TColorSB::DCards) {
    if (!nearRed) return c;
    return LightenRgb(qRgba(MakeWhole(0.6 * r), MakeWhole(0.7 * g), r, a), light);
  }
  const QRgb x = Exchange(r, g, b, a, s);
  return nearRed ? LightenRgb(x, light) : x;
}

TKuvCardsButton::TKuvCardsButton(QWidget* parent) : QAbstractButton(parent) {
  InitArtResources();
  resize(100, 30);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

void TKuvCardsButton::SetColorSB(TColorSB v) { Set(FColorSB, v); }
void TKuvCardsButton::SetColorMouse(QColor v) { Set(FColorMouse, v); }
void TKuvCardsButton::SetLightFont(bool v) { Set(FLightFont, v); }
void TKuvCardsButton::SetGrayDis(bool v) { Set(FGrayDis, v); }
void TKuvCardsButton::SetKLightSB(int v) { Set(FKLightSB, std::clamp(v, 0, 100)); }
void TKuvCardsButton::SetKontur(bool v) { Set(FKontur, v); }
void TKuvCardsButton::SetSmooth(bool v) { Set(FSmooth, v); }
void TKuvCardsButton::SetNata(bool v) { Set(FNata, v); }
void TKuvCardsButton::SetLayout(TButtonLayout v) { Set(FLayout, v); }
void TKuvCardsButton::SetMargin(int v) { Set(FMargin, v); }
void TKuvCardsButton::SetFontColor(QColor v) { Set(FFontColor, v); }

void TKuvCardsButton::SetHeightSB(THeightSB v) {
  FHeightSB = v;
  const int h = v == THeightSB::D30 ? 30 : v == THeightSB::D45 ? 45 : 60;
  if (height() != h) resize(width(), h);
}

int TKuvCardsButton::SizeClass(int height) {
  return height == 30 ? 1 : height == 45 ? 2 : height == 60 ? 3 : 0;
}

int TKuvCardsButton::EndWidth(int height) {
  return MakeWhole(double(NaturalEnd(height)) * height / BaseHeight(height));
}

QImage TKuvCardsButton::Skin(const QString& piece) const {
  QImage img(QString(":/RCDATA/%1%2_%3").arg(FNata ? "Q" : "R", SetName(height()), piece));
  img = img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) line[x] = TransformSB(line[x], FColorSB, FKLightSB, FNata);
  }
  return img;
}

QImage TKuvCardsButton::PaintFace() const {
  const int w = width(), h = height();
  const int cls = SizeClass(h);
  const int e = EndWidth(h);
  QImage face(w, h, QImage::Format_ARGB32);
  face.fill(Qt::transparent);
  QPainter p(&face);
  auto drawEnd = [&](QImage skin, int x) {
    const QRect target(x, 0, e, h - 1);
    if (cls == 0 && FSmooth) {
      ResizePng(skin, target.width(), target.height());
      p.drawImage(target.topLeft(), skin);
    } else {
      p.drawImage(target, skin);
    }
  };
  drawEnd(Skin("L"), 0);
  drawEnd(Skin("R"), w - e - 1);
  if (cls == 0 || FColorSB == TColorSB::DCards || FNata) {
    p.drawImage(QRect(e, 0, w - 2 * e, h - 1), Skin("2"));
  } else {
    const std::vector<uint32_t> table = ShadingTable(cls - 1);
    for (int i = 1; i <= h - 1; ++i) {
      const QRgb c = TransformSB(FromBgr(table[i - 1]).rgb(), FColorSB, FKLightSB, false);
      if (w - 2 * e - 1 > 0) p.fillRect(QRect(e, i - 1, w - 2 * e - 1, 1), QColor::fromRgba(c));
    }
  }
  return face;
}

int TKuvCardsButton::CaptionRoom() const {
  const int h = height(), cls = SizeClass(h), e = EndWidth(h);
  const int glyph = icon().isNull() ? 0 : iconSize().width();
  if (FMargin < 0) return width() - e;
  const int start = glyph + (cls == 0 ? MakeWhole(e * 1.6) + 10 : cls == 1 ? 25 : cls == 2 ? 28 : 30);
  return width() - start - e / 2;
}

QFont TKuvCardsButton::CaptionFont() const {
  QFont f = font();
  if (text().isEmpty()) return f;
  const int room = CaptionRoom();
  const bool pixels = f.pixelSize() > 0;
  const double base = pixels ? f.pixelSize() : f.pointSizeF();
  for (double size = base; QFontMetrics(f).horizontalAdvance(text()) > room && size > base * 0.7;) {
    size = std::max(base * 0.7, size - (pixels ? 1.0 : 0.5));
    if (pixels)
      f.setPixelSize(std::max(1, int(size)));
    else
      f.setPointSizeF(size);
  }
  return f;
}

int TKuvCardsButton::CaptionShortfall() const {
  if (text().isEmpty()) return 0;
  return std::max(0, QFontMetrics(CaptionFont()).horizontalAdvance(text()) - CaptionRoom());
}

QImage TKuvCardsButton::Render() const {
  const int w = width(), h = height();
  const int cls = SizeClass(h);
  const int e = EndWidth(h);
  const bool pressed = isDown();
  const int shift = pressed ? 1 : 0;
  QImage face = PaintFace();

  // Glyph.
  QSize glyph(0, 0);
  if (!icon().isNull()) {
    const QPixmap pm = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    glyph = pm.size();
    const int inset = cls == 0 ? MakeWhole(e * 1.6) : (cls == 1 ? 15 : cls == 2 ? 18 : 20);
    int gx = inset;
    if (FLayout == TButtonLayout::GlyphRight) gx = w - inset - glyph.width();
    if (FLayout == TButtonLayout::GlyphTop) gx = (w - glyph.width()) / 2;
    QPainter gp(&face);
    gp.drawPixmap(gx, (h - glyph.height() - 1) / 2, pm);
  }

  // The caption is drawn in the screen's real pixels; the skin is a bitmap and is stretched.
  const double dpr = std::max(1.0, devicePixelRatioF());
  QImage out(MakeWhole(w * dpr), MakeWhole(h * dpr), QImage::Format_ARGB32_Premultiplied);
  out.setDevicePixelRatio(dpr);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform, dpr > 1.0);
  p.drawImage(shift, shift, face);

  // Caption.
  QColor colour = FFontColor;
  if (FLightFont && FMouseInPos) colour = FColorMouse;
  if (!isEnabled() && FGrayDis) colour = QColor(0xC0, 0xC0, 0xC0);
  QRect text(shift, shift - (FNata ? 1 : 0), w, h);
  p.setFont(CaptionFont());
  p.setPen(colour);
  if (FMargin < 0) {
    p.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, this->text());
  } else {
    const int start = glyph.width() + (cls == 0 ? MakeWhole(e * 1.6) + 10 : cls == 1 ? 25 : cls == 2 ? 28 : 30);
    if (FLayout == TButtonLayout::GlyphRight)
      p.drawText(text.adjusted(0, 0, -start, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, this->text());
    else
      p.drawText(text.adjusted(start, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, this->text());
  }

  // Focus mark.
  if (hasFocus() && FKontur) {
    static const uint32_t kOutline[8] = {0xC8C8FF, 0xFFC8C8, 0xC8FFC8, 0xC8FFC8,
                                         0xC8C8FF, 0xC8FFFF, 0x4080FF, 0x32AFC8};
    static const uint32_t kDots[8] = {0x00FFFF, 0xFF0000, 0xFF0000, 0x00FF00,
                                      0x0000FF, 0xFFFFFF, 0xFFFFFF, 0xFFB4DC};
    const int s = int(FColorSB);
    if (!FNata) {
      int ix, iy, corner;
      if (cls == 0) {
        const int b = h <= 20 ? 3 : h <= 30 ? 4 : h <= 60 ? 5 : 6;
        ix = MakeWhole(0.8 * e);
        iy = b;
        corner = 2 * b;
      } else {
        ix = cls == 1 ? 7 : cls == 2 ? 9 : 11;
        iy = cls == 1 ? 4 : cls == 2 ? 5 : 6;
        corner = ix;
      }
      p.setPen(QPen(FromBgr(kOutline[s]), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRect(ix + shift, iy + shift, w - 2 * ix - 1, h - 2 * iy - 1), corner / 2.0, corner / 2.0);
    } else {
      const int g = h <= 20 ? 3 : h <= 30 ? 4 : h <= 45 ? 5 : h <= 60 ? 6 : 7;
      const int inset = cls == 0 ? MakeWhole(0.8 * e) : (cls == 1 ? 10 : cls == 2 ? 13 : 15);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(FromBgr(kDots[s]));
      const int top = (h - g) / 2 + shift;
      p.drawEllipse(QRect(inset + shift, top, g, g));
      p.drawEllipse(QRect(w - inset - g + shift, top, g, g));
    }
  }
  return out;
}

void TKuvCardsButton::paintEvent(QPaintEvent*) {
  const QImage img = Render();
  QPainter p(this);
  p.drawImage(0, 0, img);
  emit OnDrawButton(rect(), isDown(), isEnabled(), hasFocus());
}

void TKuvCardsButton::enterEvent(QEnterEvent* e) {
  FMouseInPos = true;
  update();
  QAbstractButton::enterEvent(e);
  emit OnMouseEnter();
}

void TKuvCardsButton::leaveEvent(QEvent* e) {
  FMouseInPos = false;
  update();
  QAbstractButton::leaveEvent(e);
  emit OnMouseLeave();
}

void TKuvCardsButton::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange || e->type() == QEvent::FontChange) update();
  QAbstractButton::changeEvent(e);
}

void TKuvCardsButton::mouseDoubleClickEvent(QMouseEvent* e) {
  // A double click counts as a second press.
  mousePressEvent(e);
}

}  // namespace zarnet
