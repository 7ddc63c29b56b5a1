// Table backgrounds: each pattern is a light field painted once per window size, then
// laid in each of the seven colours. Pattern 2 is the baize the program itself carries.
#include <QPainter>
#include <cmath>
#include <vector>

#include "art_names.h"
#include "libgen.h"

namespace artgen {
QImage PaintBaize(int w, int h, QColor base, unsigned seed);
}

namespace libgen {

namespace {

unsigned Hash(int x, int y, unsigned seed) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double Unit(unsigned h) { return (h & 0xffffff) / double(0xffffff); }

double Smooth(double t) { return t * t * (3 - 2 * t); }

// Green, red, orange, yellow, blue, deep blue, violet.
const QColor kColours[7] = {QColor(0x1c, 0x6a, 0x34), QColor(0x8c, 0x1a, 0x1e), QColor(0xb4, 0x56, 0x16),
                            QColor(0xb0, 0x92, 0x22), QColor(0x1e, 0x4c, 0x9a), QColor(0x12, 0x2c, 0x5e),
                            QColor(0x5c, 0x2a, 0x7e)};

// Light field 0..1 of a pattern at pixel (x, y); s is the size unit (height / 500).
double Field(int pattern, double x, double y, double s) {
  const double X = x / s, Y = y / s;
  switch (pattern) {
    case 1: {  // velvet: soft mottling with a sheen
      const double f = Fractal(X / 140, Y / 140, 4, 11);
      return 0.5 + 0.5 * (f - 0.5) + 0.04 * (Unit(Hash(int(x), int(y), 3)) - 0.5);
    }
    case 3: {  // wood: planks with rings
      const int plank = int(Y / 84);
      const double shift = Unit(Hash(plank, 0, 5)) * 900;
      const double warp = Fractal((X + shift) / 320, Y / 40, 3, 7);
      const double rings = 0.5 + 0.5 * std::sin((Y / 5.5 + warp * 14) + plank);
      const double grain = Fractal((X + shift) / 90, Y / 2.5, 2, 9);
      double v = 0.42 + 0.22 * rings + 0.22 * (grain - 0.5) + 0.1 * (Unit(Hash(plank, 1, 5)) - 0.5);
      const double edge = std::fmod(Y, 84.0);
      if (edge < 1.6) v *= 0.45;
      return v;
    }
    case 4: {  // linen: fine weave with uneven threads
      const double tx = 0.5 + 0.5 * std::sin(X * 2.1), ty = 0.5 + 0.5 * std::sin(Y * 2.1);
      const double thick = Unit(Hash(int(X / 3), 0, 13)) * 0.5 + Unit(Hash(0, int(Y / 3), 17)) * 0.5;
      return 0.5 + 0.12 * (tx + ty - 1) + 0.1 * (thick - 0.5) + 0.12 * (Fractal(X / 200, Y / 200, 3, 19) - 0.5);
    }
    case 5: {  // marble: veins through a cloudy stone
      double turbulence = 0, amp = 1, f = 1 / 240.0;
      for (int o = 0; o < 5; ++o, amp *= 0.5, f *= 2.1)
        turbulence += amp * std::abs(2 * ValueNoise(X * f, Y * f, 23 + o) - 1);
      const double t = X / 420 + Y / 700 + 1.6 * turbulence;
      const double vein = std::pow(std::abs(std::sin(t * M_PI * 1.3)), 0.16);
      const double fine = std::pow(std::abs(std::sin((X / 150 - Y / 260 + 2.4 * turbulence) * M_PI)), 0.08);
      const double cloud = Fractal(X / 160, Y / 160, 4, 29);
      return 0.22 + 0.38 * vein * fine + 0.3 * cloud + 0.08;
    }
    case 6: {  // leather: fine pebbles over broad wear
      const double pebble = 1 - std::abs(2 * Fractal(X / 9, Y / 9, 2, 31) - 1);
      return 0.38 + 0.28 * pebble + 0.3 * (Fractal(X / 260, Y / 260, 3, 37) - 0.5) + 0.15;
    }
    case 7: {  // damask: a repeating rosette, half-drop
      const double cell = 110;
      const double row = std::floor(Y / cell);
      const double u = std::fmod(X + (int(row) % 2 ? cell / 2 : 0), cell) / cell * 2 - 1;
      const double v = std::fmod(Y, cell) / cell * 2 - 1;
      const double r = std::hypot(u, v), a = std::atan2(v, u);
      const double petals = std::cos(6 * a) * 0.5 + 0.5;
      double m = Smooth(std::clamp((0.75 - r + 0.25 * petals) * 6, 0.0, 1.0)) -
                 Smooth(std::clamp((0.3 - r) * 8, 0.0, 1.0)) * 0.6;
      m += Smooth(std::clamp((0.12 - std::abs(r - 0.95)) * 10, 0.0, 1.0)) * 0.4;
      return 0.45 + 0.16 * m + 0.05 * (Fractal(X / 60, Y / 60, 2, 41) - 0.5);
    }
    case 8: {  // parquet: basket blocks of four staves
      const double cell = 64;
      const int cx = int(std::floor(X / cell)), cy = int(std::floor(Y / cell));
      const bool across = (cx + cy) % 2 == 0;
      const double lu = std::fmod(across ? Y : X, cell), lv = across ? X : Y;
      const int stave = int(lu / (cell / 4));
      const double tone = Unit(Hash(cx * 4 + stave, cy, 43));
      const double grain = Fractal(lv / 70, (lu + stave * 37) / 2.2, 2, 47);
      double v = 0.4 + 0.2 * tone + 0.25 * (grain - 0.5);
      if (std::fmod(lu, cell / 4) < 1.2 || std::fmod(across ? X : Y, cell) < 1.2) v *= 0.5;
      return v;
    }
    case 9: {  // woven cane: strands over and under
      const double cell = 18;
      const int cx = int(std::floor(X / cell)), cy = int(std::floor(Y / cell));
      const bool horizontal = (cx + cy) % 2 == 0;
      const double t = (horizontal ? std::fmod(Y, cell) : std::fmod(X, cell)) / cell;
      const double round = std::sin(t * M_PI);
      return 0.2 + 0.55 * round + 0.1 * (Fractal(X / 40, Y / 40, 2, 53) - 0.5);
    }
    default: {  // watercolour: washes with darker rims
      const double wx = Fractal(X / 300, Y / 300, 3, 59), wy = Fractal(X / 300 + 7, Y / 300 + 3, 3, 61);
      const double f = Fractal(X / 220 + 2 * wx, Y / 220 + 2 * wy, 5, 67);
      const double rim = 1 - std::abs(std::fmod(f * 6, 1.0) - 0.5) * 2;
      return 0.3 + 0.55 * f - 0.12 * std::pow(rim, 8);
    }
  }
}

QImage Lay(const std::vector<float>& field, int w, int h, const QColor& base) {
  QImage img(w, h, QImage::Format_RGB32);
  const double cx = w / 2.0, cy = h / 2.0, rmax = std::hypot(cx, cy);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x - cx, y - cy) / rmax;
      const double light = (0.5 + 1.05 * field[size_t(y) * w + x]) * (1.1 - 0.36 * d * d);
      auto ch = [&](int c) { return std::clamp(int(c * light + 0.5), 0, 255); };
      line[x] = qRgb(ch(base.red()), ch(base.green()), ch(base.blue()));
    }
  }
  return img;
}

}  // namespace

double ValueNoise(double x, double y, unsigned seed) {
  const int xi = int(std::floor(x)), yi = int(std::floor(y));
  const double fx = Smooth(x - xi), fy = Smooth(y - yi);
  const double a = Unit(Hash(xi, yi, seed)), b = Unit(Hash(xi + 1, yi, seed));
  const double c = Unit(Hash(xi, yi + 1, seed)), d = Unit(Hash(xi + 1, yi + 1, seed));
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fractal(double x, double y, int octaves, unsigned seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * ValueNoise(x, y, seed + i * 101);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

void PaintBackgroundLibrary(artgen::Sink& sink) {
  const struct { bool small; int w, h; } sizes[] = {{true, 760, 500}, {false, 1920, 922}};
  for (const auto& size : sizes) {
    const double s = size.h / 500.0;
    for (int pattern = 1; pattern <= 10; ++pattern) {
      std::vector<float> field;
      if (pattern != 2) {
        field.resize(size_t(size.w) * size.h);
        for (int y = 0; y < size.h; ++y)
          for (int x = 0; x < size.w; ++x)
            field[size_t(y) * size.w + x] = float(std::clamp(Field(pattern, x, y, s), 0.0, 1.0));
      }
      for (int colour = 0; colour < 7; ++colour) {
        if (pattern == 2 && colour == 0) continue;  // the program's own "FonG"
        const QImage img = pattern == 2 ? artgen::PaintBaize(size.w, size.h, kColours[colour], 7 + colour)
                                        : Lay(field, size.w, size.h, kColours[colour]);
        sink.Jpeg(zarnet::BackgroundResourceName(pattern, colour, size.small), img, size.small ? 88 : 80);
      }
    }
  }
}

}  // namespace libgen
