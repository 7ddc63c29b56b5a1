#include "card_art.h"

#include "form_link.h"
#include "resources.h"
#include "words.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QResource>
#include <cmath>
#include <chrono>
#include <random>

namespace zarnet {

namespace {

QColor Silver() { return QColor(0xC0, 0xC0, 0xC0); }

// Lines of the card outline: the closed segment from the first to the second point.
void OutlineLine(QImage& t, int x1, int y1, int x2, int y2) {
  QPainter p(&t);
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(x1, y1, x2, y2);
}

void SetBlack(QImage& t, int x, int y) {
  if (t.rect().contains(x, y)) {
    QPainter p(&t);
    p.setPen(QPen(Qt::black, 0));
    p.drawPoint(x, y);
  }
}

// A bitmap copy: alpha laid on white, the way a picture lands on a 24-bit bitmap.
QImage ToBitmap(const QImage& img, QSize size, QColor under = Qt::white) {
  QImage bmp(size, QImage::Format_RGB32);
  bmp.fill(under);
  QPainter p(&bmp);
  p.drawImage(0, 0, img);
  return bmp;
}

}  // namespace

bool ResizePng(QImage& picture, int width, int height, QString* error) {
  const int sw = picture.width(), sh = picture.height();
  if (sw <= 1 || sh <= 1 || width <= 1 || height <= 1) return true;
  if (picture.colorCount() > 0 || picture.pixelFormat().colorModel() != QPixelFormat::RGB) {
    if (error) *error = "Only COLOR_RGBALPHA and COLOR_RGB formats are supported";
    return false;
  }
  const bool alpha = picture.hasAlphaChannel();
  const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
  QImage out(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int ty = 0; ty < height; ++ty) {
    const double fy = double(ty) * (sh - 1) / height;
    const int y0 = int(fy), y1 = std::min(y0 + 1, sh - 1);
    const double wy = fy - y0;
    const QRgb* r0 = reinterpret_cast<const QRgb*>(src.constScanLine(y0));
    const QRgb* r1 = reinterpret_cast<const QRgb*>(src.constScanLine(y1));
    QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(ty));
    for (int tx = 0; tx < width; ++tx) {
      const double fx = double(tx) * (sw - 1) / width;
      const int x0 = int(fx), x1 = std::min(x0 + 1, sw - 1);
      const double wx = fx - x0;
      auto mix = [&](int (*ch)(QRgb)) {
        const double top = ch(r0[x0]) * (1 - wx) + ch(r0[x1]) * wx;
        const double bottom = ch(r1[x0]) * (1 - wx) + ch(r1[x1]) * wx;
        return std::clamp(MakeWhole(top * (1 - wy) + bottom * wy), 0, 255);
      };
      o[tx] = qRgba(mix(qRed), mix(qGreen), mix(qBlue), alpha ? mix(qAlpha) : 255);
    }
  }
  picture = out;
  return true;
}

// --- ResourceSource ---

namespace {
QString& InstalledLibraryFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QStringList LibraryFolders(const QString& programFolder) {
  QStringList folders{programFolder, QDir::cleanPath(QDir(programFolder).filePath(".."))};
  if (!InstalledLibraryFolder().isEmpty()) folders << InstalledLibraryFolder();
  return folders;
}

void SetInstalledLibraryFolder(const QString& folder) { InstalledLibraryFolder() = folder; }

bool ResourceSource::Open(const QString& library) {
  Close();
  if (library.isEmpty()) return true;
  for (const QString& folder : LibraryFolders(folder_)) {
    const QString path = QDir(folder).filePath(library);
    if (!QFileInfo(path).isFile()) continue;
    const QString root = "/" + library;
    if (QResource::registerResource(path, root)) {
      file_ = path;
      root_ = root;
      return true;
    }
  }
  return false;
}

void ResourceSource::Close() {
  if (!file_.isEmpty()) QResource::unregisterResource(file_, root_);
  file_.clear();
  root_.clear();
}

QImage ResourceSource::Read(const QString& type, const QString& name) {
  return QImage(":" + root_ + "/" + type + "/" + name);
}

QByteArray ResourceSource::ReadData(const QString& type, const QString& name) const {
  QFile f(":" + root_ + "/" + type + "/" + name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// --- CardArt ---

CardArt::CardArt(std::unique_ptr<PictureSource> source) : source_(std::move(source)) {
  InitArtResources();
  Notice = [this](const QStringList& lines) { TFormLink::Show(lines, LanguageIndex); };
}

void CardArt::MissingFile(const QString& name) {
  const QStringList lines{QString::fromStdString(WordUtf8(WordId::CantFindTheFile, LanguageIndex)) + " " + name};
  if (Notice) Notice(lines);
}

bool CardArt::OpenLibrary(const QString& name) {
  if (source_->Open(name)) return true;
  MissingFile(name);
  return false;
}

void CardArt::UpdateCardSize() {
  WideDesign = IsWideDesign(FaceDesign);
  if (Scale < 1.3) {
    CardSizeClass = 1;
    CardWidth = 71;
    CardHeight = 96;
  } else if (Scale < 2.0) {
    CardSizeClass = 0;
    CardWidth = MakeWhole((WideDesign ? 71 : 61) * Scale);
    CardHeight = MakeWhole(96 * Scale);
  } else {
    CardSizeClass = 2;
    CardWidth = WideDesign ? 146 : 126;
    CardHeight = 198;
  }
  CardShiftX = (WideDesign || SmallWindow) ? 0 : 5;
}

bool CardArt::ReadFaces(int design, bool large) {
  const bool builtInBitmaps = design == 0 && !large;
  const QString type = builtInBitmaps ? "BITMAP" : "RCDATA";
  bool complete = true;
  auto load = [&](int slot) {
    QImage img = source_->Read(type, FaceResourceName(slot, design, large));
    if (img.isNull()) complete = false;
    if (large) LargeFace[slot] = img.convertToFormat(QImage::Format_ARGB32);
    else SmallFace[slot] = img.isNull() ? QImage() : ToBitmap(img, QSize(69, 94));
  };
  for (int s = 41; s <= 56; ++s) load(s);
  for (int s = 1; s <= 36; ++s) load(s);
  for (int suit = 0; suit < 4; ++suit) {
    if (design == 0) {
      SmallSuit[suit] = source_->Read("BITMAP", SuitResourceName(suit, 0, false))
                            .convertToFormat(QImage::Format_RGB32);
    } else {
      const QImage png = source_->Read("RCDATA", SuitResourceName(suit, design, false));
      SmallSuit[suit] = png.isNull() ? QImage() : ToBitmap(png, QSize(20, 20), Silver());
      if (design == 26 && suit == 1 && !SmallSuit[1].isNull()) {
        // This design's diamond comes on a near-silver ground; make it the key colour.
        QImage& d = SmallSuit[1];
        const QRgb from = qRgb(0xC3, 0xC3, 0xC3);
        std::vector<QPoint> todo{{0, 0}};
        if (d.pixel(0, 0) == from) {
          while (!todo.empty()) {
            const QPoint q = todo.back();
            todo.pop_back();
            if (!d.rect().contains(q) || d.pixel(q) != from) continue;
            d.setPixel(q, Silver().rgb());
            todo.insert(todo.end(), {q + QPoint(1, 0), q - QPoint(1, 0), q + QPoint(0, 1), q - QPoint(0, 1)});
          }
        }
      }
    }
    if (SmallSuit[suit].isNull()) complete = false;
    LargeSuit[suit] = source_->Read("RCDATA", SuitResourceName(suit, design, true))
                          .convertToFormat(QImage::Format_ARGB32);
    if (LargeSuit[suit].isNull()) complete = false;
  }
  return complete;
}

bool CardArt::LoadFaceDesign() {
  const int requested = FaceDesign;
  UpdateCardSize();
  const bool large = CardSizeClass != 1;
  // The small size on a fine screen also takes the large faces, as sources.
  auto FineFaces = [&] { return !large && DevicePixelRatio > 1.0; };
  for (QImage& f : LargeFace) f = QImage();
  bool ok = true;
  if (FaceDesign != 0) {
    const QString lib = FaceLibrary(FaceDesign);
    if (!OpenLibrary(lib)) {
      ok = false;
    } else if (!ReadFaces(FaceDesign, large) || (FineFaces() && !ReadFaces(FaceDesign, true))) {
      // A library without this design's pictures is as good as none.
      source_->Close();
      MissingFile(lib);
      ok = false;
    } else {
      source_->Close();
    }
    if (!ok) FaceDesign = 0;
  }
  if (FaceDesign == 0) {
    source_->Open(QString());
    ReadFaces(0, large);
    if (FineFaces()) ReadFaces(0, true);
    source_->Close();
  } else {
    for (int s = 1; s <= 56; ++s) {
      if (s >= 37 && s <= 40) continue;
      InvertEllipse(large ? LargeFace[s] : SmallFace[s], FaceEllipse(large, WideDesign));
      if (FineFaces()) InvertEllipse(LargeFace[s], FaceEllipse(true, WideDesign));
    }
  }
  UpdateCardSize();
  const bool backs = LoadBackSet();
  (void)backs;
  return ok && FaceDesign == requested;
}

bool CardArt::ReadBacks(bool builtIn, const QString& suffix, bool small) {
  const int count = BackCount(BackSet);
  bool complete = true;
  for (int i = 0; i < 10; ++i) {
    if (small) SmallBack[i] = SmallBackRotated[i] = QImage();
    else LargeBack[i] = LargeBack[i + 10] = QImage();
  }
  for (int b = 1; b <= count; ++b) {
    const QString type = builtIn && BackSet == 0 && small ? "BITMAP" : "RCDATA";
    QImage up = source_->Read(type, BackResourceName(b, BackSet, false, suffix));
    QImage turned = source_->Read(type, BackResourceName(b, BackSet, true, suffix));
    if (up.isNull() || turned.isNull()) complete = false;
    if (small) {
      SmallBack[b - 1] = up.isNull() ? up : ToBitmap(up, QSize(69, 94));
      SmallBackRotated[b - 1] = turned.isNull() ? turned : ToBitmap(turned, QSize(94, 69));
    } else {
      LargeBack[b - 1] = up.convertToFormat(QImage::Format_ARGB32);
      LargeBack[b + 9] = turned.convertToFormat(QImage::Format_ARGB32);
    }
  }
  return complete;
}

bool CardArt::LoadLargeBacksToo() {
  // Sources for a fine screen in the small size; without them the small backs serve.
  if (CardSizeClass != 1) return true;
  for (int i = 0; i < 20; ++i) LargeBack[i] = QImage();
  if (DevicePixelRatio <= 1.0) return true;
  const QString suffix = WideDesign ? "B" : "U";
  const bool builtIn = BackSet == 0 && WideDesign;
  if (builtIn ? !source_->Open(QString()) : !OpenLibrary(kBackLibrary)) return false;
  const bool complete = ReadBacks(builtIn, suffix, false);
  source_->Close();
  return complete;
}

bool CardArt::LoadBackSet() {
  const bool small = CardSizeClass == 1;
  const QString suffix = small ? "" : (WideDesign ? "B" : "U");
  const bool builtIn = BackSet == 0 && (WideDesign || small);
  if (builtIn) {
    source_->Open(QString());
    ReadBacks(true, suffix, small);
    source_->Close();
    LoadLargeBacksToo();
    return true;
  }
  if (OpenLibrary(kBackLibrary)) {
    const bool complete = ReadBacks(false, suffix, small);
    source_->Close();
    if (complete) {
      LoadLargeBacksToo();
      return true;
    }
    MissingFile(kBackLibrary);
  }
  BackSet = 0;
  if (!WideDesign && !small) {
    // The built-in set has no narrow large backs of its own: go back to the built-in faces,
    // whose load brings the built-in backs with it.
    FaceDesign = 0;
    LoadFaceDesign();
  } else {
    source_->Open(QString());
    ReadBacks(true, suffix, small);
    source_->Close();
    LoadLargeBacksToo();
  }
  return false;
}

bool CardArt::LoadBackground(bool libraryBackground) {
  QImage img;
  bool ok = true;
  if (libraryBackground) {
    if (!OpenLibrary(kGraphLibrary)) return false;
    img = source_->Read("JPEG", "BGLilu");
    source_->Close();
    if (img.isNull()) {
      MissingFile(kGraphLibrary);
      return false;
    }
  } else if (BgPattern == 0) {
    Background = QImage();
    return true;
  } else {
    if (!(BgPattern == 2 && BgColour == 0)) {
      if (OpenLibrary(kBackgroundLibrary)) {
        img = source_->Read("JPEG", BackgroundResourceName(BgPattern, BgColour, SmallWindow && DevicePixelRatio <= 1.0));
        source_->Close();
        if (img.isNull()) MissingFile(kBackgroundLibrary);
      }
      if (img.isNull()) {
        ok = false;
        BgPattern = 2;
        BgColour = 0;
      }
    }
    if (img.isNull()) {
      source_->Open(QString());
      img = source_->Read("JPEG", BackgroundResourceName(2, 0, SmallWindow && DevicePixelRatio <= 1.0));
      source_->Close();
    }
  }
  // On a fine screen the background has the window's real pixel size.
  const QSize pixels(MakeWhole(ClientWidth * DevicePixelRatio), MakeWhole(ClientHeight * DevicePixelRatio));
  if ((!SmallWindow || DevicePixelRatio > 1.0) && !img.isNull() && img.size() != pixels)
    img = img.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!img.isNull() && DevicePixelRatio > 1.0) img.setDevicePixelRatio(DevicePixelRatio);
  Background = img;
  return ok;
}

void CardArt::ChooseBackOfDay() {
  BackOfDay = Today().dayOfWeek();  // Monday 1 ... Sunday 7
  if (AlwaysOneBack) BackOfDay = 7;
  if (BackSet >= 8 && BackSet <= 11) {
    std::mt19937 gen(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    BackOfDay = std::uniform_int_distribution<int>(1, 10)(gen);
  }
}

const QImage* CardArt::FaceSmall(CardCode code) const {
  const int s = FaceSlot(code);
  return s && !SmallFace[s].isNull() ? &SmallFace[s] : nullptr;
}

const QImage* CardArt::FaceLarge(CardCode code) const {
  const int s = FaceSlot(code);
  return s && !LargeFace[s].isNull() ? &LargeFace[s] : nullptr;
}

void CardArt::DrawFineOutline(int x, int y, int w, int h, QImage& target) const {
  QPainter p(&target);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1), 2, 2);
}

void CardArt::DrawFine(int x, int y, const QImage& picture, bool rounded, int w, int h, QImage& target) const {
  if (picture.isNull() || w <= 0 || h <= 0) return;
  const double dpr = target.devicePixelRatio();
  const QSize pixels(MakeWhole(w * dpr), MakeWhole(h * dpr));
  QImage fine = picture.size() == pixels ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                         : picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (rounded) {
    // The corners cut as the card's own size cuts them, in finer pixels.
    QPainter m(&fine);
    m.setRenderHint(QPainter::Antialiasing);
    m.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    QImage mask(pixels, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
      QPainter mp(&mask);
      mp.setRenderHint(QPainter::Antialiasing);
      mp.setPen(Qt::NoPen);
      mp.setBrush(Qt::black);
      const double corner = (CardSizeClass == 1 ? 4 : MakeWhole(8 * Scale)) * dpr / 2;
      mp.drawRoundedRect(QRectF(0, 0, pixels.width(), pixels.height()), corner, corner);
    }
    m.drawImage(0, 0, mask);
  }
  fine.setDevicePixelRatio(dpr);
  QPainter p(&target);
  p.drawImage(QPointF(x, y), fine);
}

void CardArt::DrawCard(int x, int y, CardCode code, QImage& target) const {
  if (target.devicePixelRatio() > 1.0) {
    if (code == EmptyCard) return;
    const QImage* face = FaceLarge(code) ? FaceLarge(code) : FaceSmall(code);
    if (CardSizeClass != 1) {
      if (face) DrawFine(x, y, *face, true, CardWidth, CardHeight, target);
      return;
    }
    DrawFineOutline(x, y, 71, 96, target);
    if (face && code != CardCode{'N', 'o'}) DrawFine(x + 1, y + 1, *face, true, 69, 94, target);
    return;
  }
  if (CardSizeClass != 1) {
    if (const QImage* face = FaceLarge(code)) DrawScaled(x, y, *face, true, CardWidth, CardHeight, target);
    return;
  }
  if (code == EmptyCard) return;
  OutlineLine(target, x + 2, y, x + 68, y);
  OutlineLine(target, x + 2, y + 95, x + 68, y + 95);
  OutlineLine(target, x, y + 2, x, y + 93);
  OutlineLine(target, x + 70, y + 2, x + 70, y + 93);
  if (code == CardCode{'N', 'o'}) {
    SetBlack(target, x + 1, y + 1);
    SetBlack(target, x + 69, y + 1);
    SetBlack(target, x + 1, y + 94);
    SetBlack(target, x + 69, y + 94);
    return;
  }
  if (const QImage* face = FaceSmall(code)) {
    QPainter p(&target);
    p.drawImage(x + 1, y + 1, *face);
  }
}

void CardArt::DrawBack(int x, int y, QImage& target) const {
  const int i = std::clamp(BackOfDay, 1, 10) - 1;
  if (target.devicePixelRatio() > 1.0) {
    const QImage& back = LargeBack[i].isNull() ? SmallBack[i] : LargeBack[i];
    if (CardSizeClass != 1) return DrawFine(x, y, back, true, CardWidth, CardHeight, target);
    DrawFineOutline(x, y, 71, 96, target);
    return DrawFine(x + 1, y + 1, back, true, 69, 94, target);
  }
  if (CardSizeClass != 1) {
    if (!LargeBack[i].isNull()) DrawScaled(x, y, LargeBack[i], true, CardWidth, CardHeight, target);
    return;
  }
  OutlineLine(target, x + 2, y, x + 68, y);
  OutlineLine(target, x + 2, y + 95, x + 68, y + 95);
  OutlineLine(target, x, y + 2, x, y + 93);
  OutlineLine(target, x + 70, y + 2, x + 70, y + 93);
  if (!SmallBack[i].isNull()) {
    QPainter p(&target);
    p.drawImage(x + 1, y + 1, SmallBack[i]);
  }
}

void CardArt::DrawBackRotated(int x, int y, QImage& target) const {
  const int i = std::clamp(BackOfDay, 1, 10) - 1;
  if (target.devicePixelRatio() > 1.0) {
    const QImage& back = LargeBack[i + 10].isNull() ? SmallBackRotated[i] : LargeBack[i + 10];
    if (CardSizeClass != 1) return DrawFine(x, y, back, true, CardHeight, CardWidth, target);
    DrawFineOutline(x, y, 96, 71, target);
    return DrawFine(x + 1, y + 1, back, true, 94, 69, target);
  }
  if (CardSizeClass != 1) {
    if (!LargeBack[i + 10].isNull())
      DrawScaled(x, y, LargeBack[i + 10], true, CardHeight, CardWidth, target);
    return;
  }
  OutlineLine(target, x + 2, y, x + 93, y);
  OutlineLine(target, x + 2, y + 70, x + 93, y + 70);
  OutlineLine(target, x, y + 2, x, y + 68);
  OutlineLine(target, x + 95, y + 2, x + 95, y + 68);
  if (!SmallBackRotated[i].isNull()) {
    QPainter p(&target);
    p.drawImage(x + 1, y + 1, SmallBackRotated[i]);
  }
}

void CardArt::DrawScaled(int x, int y, const QImage& picture, bool rounded, int w, int h,
                         QImage& target) const {
  if (picture.isNull() || w <= 0 || h <= 0) return;
  QPainter out(&target);
  if (picture.width() == w && picture.height() == h) {
    out.drawImage(x, y, picture);
    return;
  }
  QImage flat(picture.size(), QImage::Format_RGB32);
  flat.fill(Qt::black);
  {
    QPainter p(&flat);
    p.drawImage(0, 0, picture);
  }
  QImage result = flat.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32);
  if (rounded) {
    const QRgb keyFill = qRgb(0x01, 0x02, 0x03);  // $030201
    QImage mask(w, h, QImage::Format_RGB32);
    mask.fill(keyFill);
    {
      QPainter p(&mask);
      p.setPen(QPen(Qt::black, 0));
      p.setBrush(Qt::black);
      const double corner = MakeWhole(8 * Scale);
      p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), corner / 2, corner / 2);
    }
    for (int yy = 0; yy < h; ++yy) {
      const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(yy));
      QRgb* r = reinterpret_cast<QRgb*>(result.scanLine(yy));
      for (int xx = 0; xx < w; ++xx)
        if (m[xx] != qRgb(0, 0, 0)) r[xx] = m[xx];
    }
    const QRgb key = result.pixel(0, 0);
    for (int yy = 0; yy < h; ++yy) {
      QRgb* r = reinterpret_cast<QRgb*>(result.scanLine(yy));
      for (int xx = 0; xx < w; ++xx)
        if (r[xx] == key) r[xx] = qRgba(0, 0, 0, 0);
    }
  }
  out.drawImage(x, y, result);
}

}  // namespace zarnet
