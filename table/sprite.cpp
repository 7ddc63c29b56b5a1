#include "sprite.h"

#include <QPainter>
#include <cstdlib>
#include <cstring>

#include "layout.h"

namespace zarnet {

namespace {

bool IsFace(CardCode c) { return FaceSlot(c) > 0; }

}  // namespace

TSprite::TSprite(int x_, int y_, int z_, int t_, CardCode CW, const CardArt& art, double dpr)
    : FWidth(z_ - x_), FHeight(t_ - y_), FLeft(x_), FTop(y_), small_(art.CardSizeClass == 1 && dpr <= 1.0),
      dpr_(dpr > 1.0 ? dpr : 1.0) {
  const bool back = CW == CardCode{'0', '0'};
  if (small_) {
    // The mask is black over the card and white at its rounded-off corners.
    FAndImage = QImage(FWidth, FHeight, QImage::Format_RGB32);
    FAndImage.fill(Qt::black);
    FOrImage = QImage(FWidth, FHeight, QImage::Format_RGB32);
    FOrImage.fill(Qt::black);
    if (back) {
      art.DrawBack(0, 0, FOrImage);
    } else if (IsFace(CW)) {
      art.DrawCard(0, 0, CW, FOrImage);
    } else {
      art.DrawCard(0, 0, CardCode{'N', 'o'}, FOrImage);
      QPainter p(&FOrImage);
      p.fillRect(1, 1, FWidth - 2, FHeight - 2, Qt::white);
    }
    const int w = FWidth;
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {w - 2, 0}, {w - 1, 0}, {w - 1, 1},
                        {0, FHeight - 1}, {1, FHeight - 1}, {0, FHeight - 2}, {w - 2, FHeight - 1},
                        {w - 1, FHeight - 1}, {w - 1, FHeight - 2}}) {
      if (x >= 0 && y >= 0 && x < w && y < FHeight) {
        FOrImage.setPixel(x, y, qRgb(0, 0, 0));
        FAndImage.setPixel(x, y, qRgb(255, 255, 255));
      }
    }
  } else {
    // On a fine screen the card is drawn in device pixels, then composed as they are.
    ImBMP2 = QImage(Whole(FWidth * dpr_), Whole(FHeight * dpr_), QImage::Format_ARGB32_Premultiplied);
    ImBMP2.setDevicePixelRatio(dpr_);
    ImBMP2.fill(Qt::transparent);
    if (back) {
      art.DrawBack(0, 0, ImBMP2);
    } else if (IsFace(CW)) {
      art.DrawCard(0, 0, CW, ImBMP2);
    } else {
      QPainter p(&ImBMP2);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::black);
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(0.5, 0.5, FWidth - 1, FHeight - 1), 6, 6);
    }
    ImBMP2.setDevicePixelRatio(1.0);
    const int w = ImBMP2.width(), h = ImBMP2.height();
    opaqueRun_.resize(h);
    for (int y = 0; y < h; ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(ImBMP2.constScanLine(y));
      int a = 0;
      while (a < w && qAlpha(row[a]) != 255) ++a;
      int b = a;
      while (b < w && qAlpha(row[b]) == 255) ++b;
      opaqueRun_[y] = {a, b};
    }
  }
}

void TSprite::Compose(QImage& work) const {
  if (small_ && work.format() == QImage::Format_RGB32) {
    // The two-step transparent blit, row by row: AND the mask, OR the card.
    const QRect r = QRect(FLeft, FTop, FWidth, FHeight).intersected(work.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
      QRgb* dst = reinterpret_cast<QRgb*>(work.scanLine(y)) + r.left();
      const QRgb* andRow = reinterpret_cast<const QRgb*>(FAndImage.constScanLine(y - FTop)) + (r.left() - FLeft);
      const QRgb* orRow = reinterpret_cast<const QRgb*>(FOrImage.constScanLine(y - FTop)) + (r.left() - FLeft);
      for (int i = 0; i < r.width(); ++i) dst[i] = (dst[i] & andRow[i]) | orRow[i];
    }
    return;
  }
  const QRect px = PixelRect();
  const int left = px.left(), top = px.top();
  if (!small_ && work.format() == QImage::Format_RGB32 && opaqueRun_.size() == size_t(px.height())) {
    // The card is opaque but for its rounded corners: copy each row's opaque run
    // and blend only the few pixels beside it.
    const QRect r = px.intersected(work.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const int sy = y - top;
      QRgb* dst = reinterpret_cast<QRgb*>(work.scanLine(y));
      const QRgb* src = reinterpret_cast<const QRgb*>(ImBMP2.constScanLine(sy));
      const auto [a, b] = opaqueRun_[sy];
      for (int sx = r.left() - left; sx < r.right() + 1 - left; ++sx) {
        if (sx == a && b > a) {
          const int to = std::min(b, r.right() + 1 - left);
          std::memcpy(dst + left + sx, src + sx, sizeof(QRgb) * (to - sx));
          sx = to - 1;
          continue;
        }
        const QRgb s = src[sx];
        const int alpha = qAlpha(s);
        if (alpha == 0) continue;
        QRgb& d = dst[left + sx];
        const int k = 255 - alpha;
        d = qRgb(qRed(s) + qRed(d) * k / 255, qGreen(s) + qGreen(d) * k / 255, qBlue(s) + qBlue(d) * k / 255);
      }
    }
    return;
  }
  QPainter p(&work);
  if (small_) {
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(FLeft, FTop, FAndImage);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(FLeft, FTop, FOrImage);
  } else {
    p.drawImage(left, top, ImBMP2);
  }
}

QRect TSprite::PixelRect() const {
  if (dpr_ == 1.0) return Rect();
  return {Whole(FLeft * dpr_), Whole(FTop * dpr_), ImBMP2.width(), ImBMP2.height()};
}

std::vector<QPoint> FlightPath(int x0, int y0, int x1, int y1) {
  std::vector<QPoint> path;
  const int dx = x1 - x0, dy = y1 - y0;
  int x = x0, y = y0;
  path.reserve(std::max(std::abs(dx), std::abs(dy)));
  while (x != x1 || y != y1) {
    if (std::abs(dx) >= std::abs(dy)) {
      x += x1 >= x0 ? 1 : -1;
      y = y0 + Whole(static_cast<double>(dy) * (x - x0) / dx);
    } else {
      y += y1 >= y0 ? 1 : -1;
      x = x0 + Whole(static_cast<double>(dx) * (y - y0) / dy);
    }
    path.push_back({x, y});
  }
  return path;
}

void CardFlight::Prepare(const QImage& window, CardCode code, int x, int y) {
  // The buffers are worked in device pixels; window rects are mapped onto them.
  dpr_ = window.devicePixelRatio() > 1.0 ? window.devicePixelRatio() : 1.0;
  clean_ = window.convertToFormat(QImage::Format_RGB32);
  clean_.setDevicePixelRatio(1.0);
  work_ = clean_;
  sprite_ = std::make_unique<TSprite>(x, y, x + art_.CardWidth, y + art_.CardHeight, code, art_, dpr_);
}

QRect CardFlight::Pixels(const QRect& r) const {
  if (dpr_ == 1.0) return r;
  return QRectF(r.x() * dpr_, r.y() * dpr_, r.width() * dpr_, r.height() * dpr_).toAlignedRect();
}

void CardFlight::MoveSprite(int x, int y) {
  const QRect old = sprite_->Rect();
  {
    QPainter p(&work_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect px = Pixels(old);
    p.drawImage(px.topLeft(), clean_, px);
  }
  sprite_->FLeft = x;
  sprite_->FTop = y;
  sprite_->Compose(work_);
  if (window_.Present) window_.Present(work_, old.adjusted(-2, -2, 2, 2));
}

void CardFlight::EraseSprite() {
  const QRect r = sprite_->Rect();
  {
    QPainter p(&work_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect px = Pixels(r);
    p.drawImage(px.topLeft(), clean_, px);
  }
  if (window_.Present) window_.Present(work_, r.adjusted(-2, -2, 2, 2));
}

void CardFlight::StepPause(int speed) {
  if (!window_.Sleep) return;
  switch (speed) {
    case 1: window_.Sleep(2); break;
    case 2: window_.Sleep(1); break;
    case 3:
      if (++pauseCycle_ >= 2) pauseCycle_ = 0, window_.Sleep(1);
      break;
    case 4:
      if (++pauseCycle_ >= 3) pauseCycle_ = 0, window_.Sleep(1);
      break;
    default: break;
  }
}

int CardFlight::FlyCard(int x0, int y0, int x1, int y1, CardCode code, bool erase, int speed) {
  Prepare(window_.Grab ? window_.Grab() : QImage(), code, x0, y0);
  FlightRunning = true;
  MoveSprite(x0, y0);
  const std::vector<QPoint> path = FlightPath(x0, y0, x1, y1);
  for (size_t i = 0; i < path.size(); ++i) {
    // The fastest speed skips showing the first step.
    if (speed == 6 && i == 0 && path.size() > 1) continue;
    MoveSprite(path[i].x(), path[i].y());
    StepPause(speed);
  }
  if (erase) EraseSprite();
  sprite_.reset();
  FlightRunning = false;
  clean_ = work_ = QImage();
  return static_cast<int>(path.size());
}

}  // namespace zarnet
