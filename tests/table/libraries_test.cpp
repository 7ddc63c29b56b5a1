// The art libraries as the build leaves them in the program folder, read through the
// store the way the game reads them.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <cmath>

#include "card_art.h"
#include "codec.h"

using namespace zarnet;

std::ostream& operator<<(std::ostream& o, const QString& s) { return o << s.toStdString(); }
std::ostream& operator<<(std::ostream& o, const QSize& s) { return o << s.width() << "x" << s.height(); }

namespace {

const QString kProgram = ZARNET_PROGRAM_DIR;

struct Store {
  CardArt art{std::make_unique<ResourceSource>(kProgram)};
  QStringList notices;
  Store() {
    art.Notice = [this](const QStringList& l) { notices += l; };
  }
  void Size(double scale) {
    art.Scale = scale;
    art.SmallWindow = scale < 1.01;
  }
};

CardCode Code(const char* utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  return {bytes[0], bytes[1]};
}

QSize FaceSize(int design, bool large) {
  return large ? QSize(IsWideDesign(design) ? 146 : 126, 198) : QSize(69, 94);
}

std::vector<int> FaceSlots() {
  std::vector<int> s;
  for (int i = 1; i <= 56; ++i)
    if (i < 37 || i > 40) s.push_back(i);
  return s;
}

// Mean luma step across the ellipse border, just inside against just outside: card stock
// runs on across it unless the ellipse is still inverted.
double StepAcrossEllipse(const QImage& img, QRect e) {
  const QPointF c = QRectF(e).center();
  const double rx = e.width() / 2.0, ry = e.height() / 2.0;
  auto luma = [&](double x, double y) {
    const QRgb p = img.pixel(int(x), int(y));
    return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
  };
  double sum = 0;
  int n = 0;
  for (int deg = 0; deg < 360; deg += 5, ++n) {
    const double a = deg * M_PI / 180, dx = std::cos(a), dy = std::sin(a);
    sum += std::abs(luma(c.x() + 0.88 * rx * dx, c.y() + 0.88 * ry * dy) -
                    luma(c.x() + 1.12 * rx * dx, c.y() + 1.12 * ry * dy));
  }
  return sum / n;
}

double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int r = 0; r < x.height(); ++r)
    for (int c = 0; c < x.width(); ++c) {
      const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * x.width() * x.height());
}

}  // namespace

// Every face and suit symbol a design's loader names is in its library at its size.
TEST(FaceLibraries, EveryNameAtItsSize) {
  ResourceSource source(kProgram);
  for (int design = 1; design <= 47; ++design) {
    ASSERT_TRUE(source.Open(FaceLibrary(design))) << FaceLibrary(design);
    for (const bool large : {false, true}) {
      for (int slot : FaceSlots()) {
        const QString name = FaceResourceName(slot, design, large);
        EXPECT_EQ(source.Read("RCDATA", name).size(), FaceSize(design, large)) << design << " " << name;
      }
      for (int suit = 0; suit < 4; ++suit) {
        const QString name = SuitResourceName(suit, design, large);
        EXPECT_EQ(source.Read("RCDATA", name).size(), large ? QSize(40, 40) : QSize(20, 20)) << name;
      }
    }
    source.Close();
  }
}

// Each design loads in the small and the large window without the missing-file notice,
// and its faces look right once the store has inverted their ellipse.
TEST(FaceLibraries, EveryDesignLoadsAndLooksRightAfterInversion) {
  for (const double scale : {1.0, 2.0}) {
    for (int design = 1; design <= 47; ++design) {
      Store s;
      s.Size(scale);
      s.art.FaceDesign = design;
      EXPECT_TRUE(s.art.LoadFaceDesign()) << design;
      EXPECT_EQ(s.art.FaceDesign, design);
      EXPECT_TRUE(s.notices.isEmpty()) << design << ": " << s.notices.join(" ").toStdString();
      const bool large = scale > 1.5;
      const QImage* two = large ? s.art.FaceLarge(Code("2п")) : s.art.FaceSmall(Code("2п"));
      ASSERT_NE(two, nullptr) << design;
      // The library keeps the picture with the ellipse inverted, so the step is there.
      ResourceSource raw(kProgram);
      ASSERT_TRUE(raw.Open(FaceLibrary(design)));
      QImage stored = raw.Read("RCDATA", FaceResourceName(FaceSlot(Code("2п")), design, large));
      raw.Close();
      EXPECT_GT(StepAcrossEllipse(stored, FaceEllipse(large, IsWideDesign(design))), 100) << design;
      EXPECT_LT(StepAcrossEllipse(*two, FaceEllipse(large, IsWideDesign(design))), 100)
          << "design " << design << (large ? " large" : " small");
    }
  }
}

// No two design numbers show the same cards: their kings and sevens differ visibly.
TEST(FaceLibraries, DesignsAreDistinct) {
  std::vector<QImage> faces(48);
  for (int design = 1; design <= 47; ++design) {
    Store s;
    s.art.FaceDesign = design;
    ASSERT_TRUE(s.art.LoadFaceDesign());
    QImage pair(138, 94, QImage::Format_RGB32);
    QPainter p(&pair);
    p.drawImage(0, 0, *s.art.FaceSmall(Code("Кч")));
    p.drawImage(69, 0, *s.art.FaceSmall(Code("7к")));
    faces[design] = pair;
  }
  for (int a = 1; a <= 47; ++a)
    for (int b = a + 1; b <= 47; ++b)
      EXPECT_GT(MeanDifference(faces[a], faces[b]), 2.0) << "designs " << a << " and " << b;
}
