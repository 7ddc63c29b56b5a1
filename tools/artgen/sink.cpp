#include <gif_lib.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "art.h"

namespace artgen {

void Sink::Save(const QString& type, const QString& name, const QImage& img, const char* fmt,
                int quality) {
  const QString rel = type + "/" + name;
  QDir().mkpath(root_ + "/" + type);
  if (!img.save(root_ + "/" + rel, fmt, quality)) {
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(rel));
    ok_ = false;
  }
  entries_ << rel;
}

void Sink::Bitmap(const QString& name, const QImage& img, QColor ground) {
  // White by default, so the cut corners of cards stay white.
  QImage flat(img.size(), QImage::Format_RGB888);
  flat.fill(ground);
  QPainter p(&flat);
  p.drawImage(0, 0, img);
  p.end();
  Save("BITMAP", name, flat, "BMP");
}

void Sink::Raw(const QString& type, const QString& name, const QByteArray& data) {
  const QString rel = type + "/" + name;
  QDir().mkpath(root_ + "/" + type);
  QFile f(root_ + "/" + rel);
  if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) {
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(rel));
    ok_ = false;
  }
  entries_ << rel;
}

void Sink::AniCursor(const QString& name, const std::vector<QImage>& frames) {
  const int w = frames.front().width(), h = frames.front().height();
  QImage strip = Blank(w * int(frames.size()), h);
  QPainter p(&strip);
  for (size_t i = 0; i < frames.size(); ++i) p.drawImage(int(i) * w, 0, frames[i]);
  p.end();
  Save("ANICURSOR", name, strip, "PNG");
}

bool Sink::WriteQrc(const QString& path) const {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream out(&f);
  out << "<RCC>\n  <qresource prefix=\"/\">\n";
  QStringList sorted = entries_;
  sorted.sort();
  for (const QString& e : sorted) out << "    <file>" << e << "</file>\n";
  out << "  </qresource>\n</RCC>\n";
  return true;
}

namespace {

// Median-cut palette over the opaque pixels of all frames; index 0 is transparent.
struct Box {
  std::vector<QRgb> px;
};

std::vector<QRgb> MedianCut(std::vector<QRgb> px, int colours) {
  std::vector<Box> boxes{{std::move(px)}};
  auto range = [](const Box& b, int ch) {
    int lo = 255, hi = 0;
    for (QRgb c : b.px) {
      const int v = ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    return hi - lo;
  };
  while (int(boxes.size()) < colours) {
    int best = -1, bestRange = 0, bestCh = 0;
    for (int i = 0; i < int(boxes.size()); ++i) {
      if (boxes[i].px.size() < 2) continue;
      for (int ch = 0; ch < 3; ++ch) {
        const int r = range(boxes[i], ch);
        if (r > bestRange) best = i, bestRange = r, bestCh = ch;
      }
    }
    if (best < 0) break;
    auto& v = boxes[best].px;
    auto key = [bestCh](QRgb c) { return bestCh == 0 ? qRed(c) : bestCh == 1 ? qGreen(c) : qBlue(c); };
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end(),
                     [&](QRgb a, QRgb b) { return key(a) < key(b); });
    Box other{std::vector<QRgb>(v.begin() + v.size() / 2, v.end())};
    v.resize(v.size() / 2);
    boxes.push_back(std::move(other));
  }
  std::vector<QRgb> pal;
  for (const Box& b : boxes) {
    if (b.px.empty()) continue;
    long r = 0, g = 0, bl = 0;
    for (QRgb c : b.px) r += qRed(c), g += qGreen(c), bl += qBlue(c);
    const long n = long(b.px.size());
    pal.push_back(qRgb(int(r / n), int(g / n), int(bl / n)));
  }
  return pal;
}

int Nearest(const std::vector<QRgb>& pal, QRgb c) {
  int best = 1, bestD = 1 << 30;
  for (int i = 1; i < int(pal.size()); ++i) {
    const int dr = qRed(pal[i]) - qRed(c), dg = qGreen(pal[i]) - qGreen(c),
              db = qBlue(pal[i]) - qBlue(c);
    const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
    if (d < bestD) bestD = d, best = i;
  }
  return best;
}

int WriteToBuffer(GifFileType* gif, const GifByteType* data, int len) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), len);
  return len;
}

}  // namespace

void Sink::Gif(const QString& name, const std::vector<QImage>& frames, int delayCs, bool loop) {
  const int w = frames.front().width(), h = frames.front().height();
  std::vector<QImage> argb;
  std::vector<QRgb> sample;
  for (const QImage& f : frames) {
    QImage a = f.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < h; y += 2)
      for (int x = (y / 2) % 2; x < w; x += 2) {
        const QRgb c = a.pixel(x, y);
        if (qAlpha(c) >= 128) sample.push_back(c);
      }
    argb.push_back(std::move(a));
  }
  if (sample.empty()) sample.push_back(qRgb(0, 0, 0));
  std::vector<QRgb> pal{qRgb(255, 0, 255)};
  for (QRgb c : MedianCut(sample, 255)) pal.push_back(c);
  while (pal.size() < 256) pal.push_back(qRgb(0, 0, 0));

  QByteArray bytes;
  int err = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteToBuffer, &err);
  ColorMapObject* map = GifMakeMapObject(256, nullptr);
  for (int i = 0; i < 256; ++i)
    map->Colors[i] = {GifByteType(qRed(pal[i])), GifByteType(qGreen(pal[i])), GifByteType(qBlue(pal[i]))};
  EGifSetGifVersion(gif, true);
  bool good = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
  if (loop) {
    const unsigned char app[] = "NETSCAPE2.0";
    const unsigned char sub[] = {1, 0, 0};
    good = good && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, app) == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, sub) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  }
  std::vector<GifByteType> line(w);
  // Frames repeat their colours; remembering each lookup keeps encoding quick.
  std::unordered_map<QRgb, GifByteType> nearest;
  for (const QImage& a : argb) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_BACKGROUND;
    gcb.DelayTime = delayCs;
    gcb.TransparentColor = 0;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    good = good && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK;
    good = good && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; y < h && good; ++y) {
      for (int x = 0; x < w; ++x) {
        const QRgb c = a.pixel(x, y);
        if (qAlpha(c) < 128) {
          line[x] = 0;
          continue;
        }
        const QRgb key = c | 0xff000000u;
        auto it = nearest.find(key);
        if (it == nearest.end()) it = nearest.emplace(key, GifByteType(Nearest(pal, key))).first;
        line[x] = it->second;
      }
      good = EGifPutLine(gif, line.data(), w) == GIF_OK;
    }
  }
  GifFreeMapObject(map);
  good = EGifCloseFile(gif, &err) == GIF_OK && good;
  if (!good) {
    std::fprintf(stderr, "artgen: GIF encoding failed for %s\n", qPrintable(name));
    ok_ = false;
    return;
  }
  Raw("GIF", name, bytes);
}

bool ReadWords(const QString& path, Words* out) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
  for (QString line : lines) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith('#') || line.startsWith("id\t")) continue;
    QStringList cols = line.split('\t');
    if (cols.size() < 11) continue;
    for (QString& c : cols) {
      QString u;
      for (int i = 0; i < c.size(); ++i) {
        if (c[i] == '\\' && i + 1 < c.size()) {
          const QChar n = c[++i];
          u += n == 'n' ? QChar('\n') : n == 'r' ? QChar('\r') : n == 't' ? QChar('\t') : n;
        } else {
          u += c[i];
        }
      }
      c = u;
    }
    (*out)[cols[0]] = cols.mid(1, 10);
  }
  return true;
}

}  // namespace artgen
