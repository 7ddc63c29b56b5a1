#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFont>

#include "kuv_button.h"
#include "shading.h"

using namespace zarnet;

TEST(TransformSB, SchemesAndLightening) {
  const QRgb px = qRgb(200, 50, 100);
  const struct { TColorSB s; int light; QRgb want; } cases[] = {
      {TColorSB::DRed, 0, qRgb(200, 50, 100)},    {TColorSB::DRed, 50, qRgb(228, 152, 178)},
      {TColorSB::DGreen, 0, qRgb(50, 200, 100)},  {TColorSB::DBlue, 0, qRgb(100, 200, 200)},
      {TColorSB::DNavy, 0, qRgb(100, 50, 200)},   {TColorSB::DYellow, 0, qRgb(200, 200, 100)},
      {TColorSB::DViolet, 0, qRgb(200, 50, 200)}, {TColorSB::DOrang, 0, qRgb(200, 122, 70)},
      {TColorSB::DCards, 0, qRgb(140, 0, 200)},   {TColorSB::DCards, 100, qRgb(255, 255, 255)}};
  for (const auto& c : cases)
    EXPECT_EQ(TransformSB(px, c.s, c.light, false), c.want) << int(c.s) << " " << c.light;
  // Half-way to white, made whole with ties to even: 0 -> 127.5 -> 128, 1 -> 128.
  EXPECT_EQ(TransformSB(qRgb(0, 1, 255), TColorSB::DRed, 50, false), qRgb(128, 128, 255));
  // Orange leaves pixels that are not red-dominant alone.
  EXPECT_EQ(TransformSB(qRgb(100, 150, 20), TColorSB::DOrang, 0, false), qRgb(100, 150, 20));
  EXPECT_EQ(qAlpha(TransformSB(qRgba(200, 0, 0, 77), TColorSB::DBlue, 30, false)), 77);
}

TEST(TransformSB, AlternativeStyleTouchesOnlyNearRed) {
  EXPECT_EQ(TransformSB(qRgb(250, 0, 0), TColorSB::DCards, 0, true), qRgb(150, 0, 250));
  EXPECT_EQ(TransformSB(qRgb(200, 200, 200), TColorSB::DCards, 0, true), qRgb(200, 200, 200));
  EXPECT_EQ(TransformSB(qRgb(250, 0, 0), TColorSB::DCards, 0, false), qRgb(175, 0, 250));
  EXPECT_EQ(TransformSB(qRgb(200, 200, 200), TColorSB::DCards, 0, false), qRgb(140, 0, 200));
  // Exchanges apply everywhere; lightening only near red.
  EXPECT_EQ(TransformSB(qRgb(200, 200, 100), TColorSB::DGreen, 50, true), qRgb(200, 200, 100));
  EXPECT_EQ(TransformSB(qRgb(250, 0, 0), TColorSB::DGreen, 50, true), qRgb(128, 252, 128));
}

TEST(Skins, NormalMiddlePiecesEqualShadingTables) {
  TKuvCardsButton b;  // loads the compiled-in pictures
  const struct { const char* name; int k; } sets[] = {{":/RCDATA/R29_2", 0}, {":/RCDATA/R44_2", 1}, {":/RCDATA/R59_2", 2}};
  for (const auto& s : sets) {
    const QImage img = QImage(s.name).convertToFormat(QImage::Format_ARGB32);
    const std::vector<uint32_t> table = ShadingTable(s.k);
    ASSERT_EQ(img.size(), QSize(2, int(table.size()))) << s.name;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < 2; ++x) ASSERT_EQ(img.pixel(x, y), FromBgr(table[y]).rgb()) << s.name << " row " << y;
  }
  const struct { const char* name; QSize size; } ends[] = {
      {":/RCDATA/R29_L", {8, 29}}, {":/RCDATA/Q44_R", {13, 44}}, {":/RCDATA/R59_R", {17, 59}},
      {":/RCDATA/Q59_2", {2, 59}}};
  for (const auto& e : ends) EXPECT_EQ(QImage(e.name).size(), e.size) << e.name;
}

TEST(TKuvCardsButton, DefaultsAndHeightClasses) {
  TKuvCardsButton b;
  EXPECT_EQ(b.size(), QSize(100, 30));
  EXPECT_EQ(b.KLightSB(), 0);
  EXPECT_TRUE(b.Kontur());
  EXPECT_TRUE(b.Smooth());
  EXPECT_FALSE(b.Nata());
  b.SetHeightSB(THeightSB::D45);
  EXPECT_EQ(b.height(), 45);
  EXPECT_EQ(TKuvCardsButton::SizeClass(45), 2);
  EXPECT_EQ(TKuvCardsButton::EndWidth(45), 13);
  b.SetHeightSB(THeightSB::D60);
  EXPECT_EQ(b.height(), 60);
  EXPECT_EQ(TKuvCardsButton::EndWidth(35), 10);
  EXPECT_EQ(TKuvCardsButton::SizeClass(35), 0);
  EXPECT_EQ(TKuvCardsButton::SizeClass(30), 1);
  EXPECT_EQ(TKuvCardsButton::EndWidth(20), 5);  // 8 * 20 / 30 = 5.33
}

TEST(TKuvCardsButton, D45FaceUsesR44EndsAndTableRows) {
  TKuvCardsButton b;
  b.SetHeightSB(THeightSB::D45);
  const QImage face = b.PaintFace();
  const QImage left = QImage(":/RCDATA/R44_L").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(left.size(), QSize(13, 44));
  for (int y = 0; y < 44; ++y)
    for (int x = 0; x < 13; ++x) {
      const QRgb want = left.pixel(x, y), got = face.pixel(x, y);
      ASSERT_NEAR(qAlpha(got), qAlpha(want), 1) << x << "," << y;
      if (qAlpha(want) == 255) ASSERT_EQ(got, want) << x << "," << y;
    }
  for (int y = 0; y < 44; ++y) {
    ASSERT_EQ(face.pixel(13, y), FromBgr(kShading44[y]).rgb()) << y;
    ASSERT_EQ(face.pixel(100 - 13 - 2, y), FromBgr(kShading44[y]).rgb()) << y;
  }
  EXPECT_EQ(qAlpha(face.pixel(50, 44)), 0);  // the last row is left to the background
  b.SetColorSB(TColorSB::DGreen);
  b.SetKLightSB(50);
  const QImage green = b.PaintFace();
  EXPECT_EQ(green.pixel(50, 20), TransformSB(FromBgr(kShading44[20]).rgb(), TColorSB::DGreen, 50, false));
}

TEST(TKuvCardsButton, FreeHeightStretchesTheMiddle) {
  TKuvCardsButton b;
  b.resize(120, 35);
  const QImage face = b.PaintFace();
  // The middle is one stretched column: every x of a row has the same colour.
  for (int y = 0; y < 34; ++y)
    for (int x = 10; x < 120 - 10; ++x) ASSERT_EQ(face.pixel(x, y), face.pixel(60, y)) << x << "," << y;
  // The ends are 10 wide and keep the rounded, partly transparent corner.
  EXPECT_LT(qAlpha(face.pixel(0, 0)), 255);
  EXPECT_LT(qAlpha(face.pixel(119 - 1, 0)), 255);
  EXPECT_EQ(qAlpha(face.pixel(60, 34)), 0);
}

namespace {
int CountColour(const QImage& img, QRgb c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xffffff) == (c & 0xffffff) && qAlpha(img.pixel(x, y)) == 255;
  return n;
}
}  // namespace

TEST(TKuvCardsButton, CaptionColoursByState) {
  TKuvCardsButton b;
  b.resize(160, 45);
  QFont f("DejaVu Sans");
  f.setPixelSize(28);
  f.setBold(true);
  b.setFont(f);
  b.setText("WWW");
  const QRgb green = qRgb(0, 255, 0), silver = qRgb(0xC0, 0xC0, 0xC0), blue = qRgb(0, 0, 255);
  b.SetFontColor(QColor::fromRgb(green));
  EXPECT_GT(CountColour(b.Render(), green), 20);

  b.setEnabled(false);
  EXPECT_GT(CountColour(b.Render(), green), 20);  // GrayDis off keeps the colour
  EXPECT_EQ(CountColour(b.Render(), silver), 0);
  b.SetGrayDis(true);
  EXPECT_GT(CountColour(b.Render(), silver), 20);
  EXPECT_EQ(CountColour(b.Render(), green), 0);
  b.setEnabled(true);

  b.SetColorMouse(QColor::fromRgb(blue));
  b.SetLightFont(true);
  EXPECT_EQ(CountColour(b.Render(), blue), 0);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&b, &enter);
  EXPECT_TRUE(b.MouseInPos());
  EXPECT_GT(CountColour(b.Render(), blue), 20);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&b, &leave);
  EXPECT_FALSE(b.MouseInPos());
  EXPECT_EQ(CountColour(b.Render(), blue), 0);
}

TEST(TKuvCardsButton, PressedMovesTheFaceOnePixel) {
  TKuvCardsButton b;
  const QImage up = b.Render();
  b.setDown(true);
  const QImage down = b.Render();
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 98; ++x) ASSERT_EQ(down.pixel(x + 1, y + 1), up.pixel(x, y)) << x << "," << y;
}

TEST(TKuvCardsButton, FocusMarkByStyleAndScheme) {
  QWidget top;
  auto* b = new TKuvCardsButton(&top);
  top.show();
  b->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(b->hasFocus());
  const QImage normal = b->Render();
  // Outline inset 7,4 for a 30-pixel button, in $C8C8FF for red.
  EXPECT_EQ(normal.pixel(50, 4), FromBgr(0xC8C8FF).rgb());
  EXPECT_EQ(normal.pixel(50, 25), FromBgr(0xC8C8FF).rgb());
  b->SetKontur(false);
  EXPECT_NE(b->Render().pixel(50, 4), FromBgr(0xC8C8FF).rgb());
  b->SetKontur(true);
  b->SetNata(true);
  b->SetColorSB(TColorSB::DNavy);
  const QImage dots = b->Render();
  // Two 4-pixel dots 10 in from the edges, in pure green for navy.
  EXPECT_EQ(dots.pixel(11, 14) & 0xffffff, 0x00ff00u);
  EXPECT_EQ(dots.pixel(100 - 12, 14) & 0xffffff, 0x00ff00u);
}
