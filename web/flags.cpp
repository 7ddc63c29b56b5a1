// The country flags of the account windows, painted from a short pattern
// per country: the first letter the layout, the rest its colours.
//   h/v  equal horizontal or vertical bands
//   n    a cross set toward the hoist: field, cross[, inner cross]
//   p    a centred cross: field, cross
//   d    a disc: field, disc
//   t    horizontal bands and a hoist triangle in the last colour
//   s    alternating stripes and a canton in the last colour
//   x    a diagonal band: field, band
//   u    the union flag;  e  a field with the union flag in the canton
#include <QPainter>
#include <QPainterPath>

#include "form_account.h"

namespace zarnet {
namespace {

const char* const kEurope[] = {
    "",     "hWBR", "hBY",  "hRG",   "hWR",  "hKRY", "vBWR", "u",    "vGWR", "hRYYR", "vGRR", "hRWB", "vKYR",
    "hRWL", "pRW",  "hRWR", "tWRB",  "hWBR", "hRWG", "vBYR", "hWGR", "hBWBWBWBW", "hRBW", "hRWB", "hWBR",
    "vBY",  "dRY",  "dRY",  "dRK",   "vBYR", "hYGR", "hMWM", "hLKW", "nWB",  "nBY",   "nRWB", "nRW",  "nBWR",
    "vGWO", "vWR",  "dWO",  "vBYR",  "hRW",  "hWL",  "hBR",  "vYW",  "dBY",  "nWBR",  "hWWR",
};
const char* const kAsia[] = {
    "",     "dLY",   "hLWG", "dRY",  "hRWG",  "vMGGG", "hLRG", "hRBO", "pWR",  "dRW",  "hWBWWBW", "tKWGR",
    "hRWWR", "hRWK", "tKWGR", "hRWK", "hGWR", "dGW",   "tGWRK", "vWRRR", "vWMMM", "tGWKR", "hWRG",  "hRWK",
    "vKRG", "vWGGG", "hOWG", "dBR",  "hYO",   "dGR",   "dYM",  "dRG",  "dRY",  "vRBR", "hBRRB",   "dWB",
    "dWR",  "sRRB",  "dRW",  "dGW",  "dRY",   "hRBBR", "hBRRB", "hRWBBWR", "hYGR", "sRWB", "hRW", "hYWKY",
    "hRW",  "tBRW",  "tRRK", "hWBWBWB",
};
const char* const kNorthAmerica[] = {
    "",    "sRWB", "vRWR", "vGWR", "vLWL", "dBW",  "hLWL", "hBWB",    "hLWL", "hBWRRWB", "vWR", "tBWBWBR",
    "xGY", "hBR",  "pBW",  "tRWRWRB", "tLYLK", "vBYB", "xRK", "dRY", "dLY", "vBYG", "dRK", "pGY", "xGK",
    "hWR", "eR",   "eB",   "dLY",  "hBYB", "vBWR", "tGKR",   "eB",   "dWY",     "eB",  "eB",
};
const char* const kSouthAmerica[] = {
    "", "dGY", "hLWL", "sWRB", "hWBWBWBWBW", "hRWB", "hRYG", "vRWR", "hYYBR", "hYYBR", "hYBR", "tGY",
    "hGWRRWG", "vBWR", "eB",
};
const char* const kOceania[] = {
    "", "eB", "eB", "xRK", "eL", "tBG", "tRGK", "vBWR", "hRWR", "sRRB", "tBRW", "sRRW",
    "hRRBWB", "eL", "hBBYBB", "xBO", "dLW", "dLY", "dBR", "dBW", "eB", "eY", "dBY", "dRW",
};
const char* const kAfrica[] = {
    "",      "hRWK",    "hRKG",   "dRW",  "vGW",   "dRG",    "dGY",   "vGYR",  "hOWG", "vBYR",  "tRWKG",
    "tKRGB", "tGLR",    "hGYR",   "tLGW", "dLW",   "hKRG",   "hKYRKYR", "hLLYG", "xRW", "xGK", "vGYR",
    "hRWBWG", "tYGR",   "vRYG",   "hGWL", "sRWB",  "vOWG",   "hRG",   "hRYG",  "hGYGYG", "tYRG", "vGWG",
    "vGRY",  "hBWGY",   "tGWRB",  "hGYB", "xGY",   "xLR",    "hRK",   "dGO",   "hKRG", "tGKYR",  "hGYRKRYG",
    "hLKL",  "xBR",     "tRGBK",  "hBWG", "hBYRYB", "tRGW",  "hRBYG", "hBYRWG", "tYWRBG", "hBBWRWBB", "tGYGR",
};

const char* const* Patterns(int continent, int* count) {
  switch (continent) {
    case 1: *count = std::size(kEurope); return kEurope;
    case 2: *count = std::size(kAsia); return kAsia;
    case 3: *count = std::size(kNorthAmerica); return kNorthAmerica;
    case 4: *count = std::size(kSouthAmerica); return kSouthAmerica;
    case 5: *count = std::size(kOceania); return kOceania;
    case 6: *count = std::size(kAfrica); return kAfrica;
    default: *count = 0; return nullptr;
  }
}

QColor Colour(char c) {
  switch (c) {
    case 'R': return QColor(0xd5, 0x2b, 0x1e);
    case 'W': return QColor(0xff, 0xff, 0xff);
    case 'B': return QColor(0x00, 0x39, 0xa6);
    case 'L': return QColor(0x75, 0xaa, 0xdb);
    case 'G': return QColor(0x00, 0x9a, 0x44);
    case 'Y': return QColor(0xfc, 0xd1, 0x16);
    case 'K': return QColor(0x10, 0x10, 0x10);
    case 'O': return QColor(0xf7, 0x7f, 0x00);
    case 'M': return QColor(0x8d, 0x15, 0x3a);
    default: return QColor(0xd8, 0xd8, 0xd8);
  }
}

void Bands(QPainter& p, const QRectF& r, std::string_view colours, bool horizontal) {
  const int n = static_cast<int>(colours.size());
  for (int i = 0; i < n; ++i) {
    p.setBrush(Colour(colours[i]));
    if (horizontal)
      p.drawRect(QRectF(r.left(), r.top() + r.height() * i / n, r.width(), r.height() / n + 0.5));
    else
      p.drawRect(QRectF(r.left() + r.width() * i / n, r.top(), r.width() / n + 0.5, r.height()));
  }
}

void Union(QPainter& p, const QRectF& r) {
  p.fillRect(r, Colour('B'));
  const double t = std::max(1.0, r.height() / 5);
  p.setPen(QPen(Colour('W'), t * 1.2));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.bottomLeft(), r.topRight());
  p.setPen(QPen(Colour('R'), t * 0.5));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.bottomLeft(), r.topRight());
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(r.center().x() - t, r.top(), 2 * t, r.height()), Colour('W'));
  p.fillRect(QRectF(r.left(), r.center().y() - t, r.width(), 2 * t), Colour('W'));
  p.fillRect(QRectF(r.center().x() - t / 2, r.top(), t, r.height()), Colour('R'));
  p.fillRect(QRectF(r.left(), r.center().y() - t / 2, r.width(), t), Colour('R'));
}

void Paint(QPainter& p, const QRectF& r, std::string_view pattern) {
  p.setPen(Qt::NoPen);
  const char kind = pattern[0];
  const std::string_view c = pattern.substr(1);
  auto at = [&](size_t i) { return Colour(i < c.size() ? c[i] : '?'); };
  const double w = r.width(), h = r.height();
  switch (kind) {
    case 'h': Bands(p, r, c, true); break;
    case 'v': Bands(p, r, c, false); break;
    case 'n':
    case 'p': {
      p.fillRect(r, at(0));
      const double cx = kind == 'n' ? r.left() + w * 0.36 : r.center().x();
      const double t = h / 4;
      p.fillRect(QRectF(cx - t / 2, r.top(), t, h), at(1));
      p.fillRect(QRectF(r.left(), r.center().y() - t / 2, w, t), at(1));
      if (c.size() > 2) {
        p.fillRect(QRectF(cx - t / 4, r.top(), t / 2, h), at(2));
        p.fillRect(QRectF(r.left(), r.center().y() - t / 4, w, t / 2), at(2));
      }
      break;
    }
    case 'd':
      p.fillRect(r, at(0));
      p.setBrush(at(1));
      p.drawEllipse(r.center(), h * 0.3, h * 0.3);
      break;
    case 't': {
      Bands(p, r, c.substr(0, c.size() - 1), true);
      QPainterPath tri;
      tri.moveTo(r.topLeft());
      tri.lineTo(r.left() + w * 0.45, r.center().y());
      tri.lineTo(r.bottomLeft());
      tri.closeSubpath();
      p.fillPath(tri, at(c.size() - 1));
      break;
    }
    case 's': {
      const int n = 7;
      for (int i = 0; i < n; ++i)
        p.fillRect(QRectF(r.left(), r.top() + h * i / n, w, h / n + 0.5), at(i % 2 == 0 ? 0 : 1));
      p.fillRect(QRectF(r.left(), r.top(), w * 0.45, h * 4 / 7), at(c.size() - 1));
      break;
    }
    case 'x': {
      p.fillRect(r, at(0));
      p.setPen(QPen(at(1), h / 3));
      p.drawLine(r.bottomLeft(), r.topRight());
      p.setPen(Qt::NoPen);
      break;
    }
    case 'u': Union(p, r); break;
    case 'e':
      p.fillRect(r, at(0));
      Union(p, QRectF(r.left(), r.top(), w / 2, h / 2));
      break;
    default:
      p.fillRect(r, Colour('?'));
  }
}

}  // namespace

std::string FlagPattern(int continent, int index) {
  int count = 0;
  const char* const* list = Patterns(continent, &count);
  return list && index >= 0 && index < count ? list[index] : "";
}

int FlagPatternCount(int continent) {
  int count = 0;
  Patterns(continent, &count);
  return count;
}

QImage CountryFlag(const std::string& code, int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  int c = 0, n = 0;
  const std::string pattern = ParseCountryCode(code, &c, &n) ? FlagPattern(c, n) : std::string();
  const QRectF r(0.5, 0.5, w - 1, h - 1);
  if (pattern.empty()) {
    p.fillRect(r, Colour('?'));
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, "?");
  } else {
    p.setClipRect(r);
    Paint(p, r, pattern);
    p.setClipping(false);
  }
  p.setPen(QColor(0x40, 0x40, 0x40));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
  return img;
}

}  // namespace zarnet
