// The table's areas and card flights, drawn into pictures.
#include <gtest/gtest.h>

#include <QPainter>

#include "sprite.h"
#include "table_drawing.h"

namespace zarnet {
namespace {

struct DrawingTest : ::testing::Test {
  DrawingTest() : art(std::make_unique<ResourceSource>(QString())) {
    art.Notice = [](const QStringList&) {};
    art.LoadFaceDesign();
    art.LoadBackSet();
    art.ClientWidth = 760;
    art.ClientHeight = 500;
    art.LoadBackground(false);
    look.art = &art;
    look.f = FactorsForMode(WindowMode::Small);
  }
  CardArt art;
  TableLook look;
};

TEST_F(DrawingTest, ScorePanelSentinels) {
  const Rect r{8, 110, 155, 95};
  QImage panel = AreaWithBackground(look, r);
  DrawScorePanelArea(look, panel, r, kMarkSeat, true, 12, 7, 33);
  const QImage before = panel;
  // Keep everywhere changes nothing.
  DrawScorePanelArea(look, panel, r, kKeepMark, false, kKeepField, kKeepField, kKeepField);
  EXPECT_EQ(panel, before);
  // Clearing the trick gain touches only its cell.
  DrawScorePanelArea(look, panel, r, kKeepMark, false, kKeepField, kClearField, kKeepField);
  EXPECT_NE(panel, before);
  const QRect gainCell(105, 50, 35, 31);
  for (int y = 0; y < panel.height(); ++y)
    for (int x = 0; x < panel.width(); ++x)
      if (!gainCell.contains(x, y)) ASSERT_EQ(panel.pixel(x, y), before.pixel(x, y)) << x << "," << y;
  // The marker comes off and goes back on to the same picture.
  QImage unmarked = panel;
  DrawScorePanelArea(look, unmarked, r, kUnmarkSeat, false, kKeepField, kKeepField, kKeepField);
  EXPECT_NE(unmarked, panel);
  DrawScorePanelArea(look, unmarked, r, kMarkSeat, false, kKeepField, kKeepField, kKeepField);
  EXPECT_EQ(unmarked, panel);
}

TEST_F(DrawingTest, NamePlateStepsDownForWideNamesAndNeverCuts) {
  const int normal = NamePlateFontPixels(look, "Anna");
  EXPECT_EQ(normal, FontHeight(ScaleLen(look.f, 18), 100));
  const QString wide = "WWWWWWWWWWWWWWWWWWWW";
  const int small = NamePlateFontPixels(look, wide);
  EXPECT_EQ(small, FontHeight(ScaleLen(look.f, 14), 100));
  // Trailing blanks do not count towards the width.
  EXPECT_EQ(NamePlateFontPixels(look, "Anna                "), normal);
}

TEST_F(DrawingTest, MessagesLoseTheirFirstCharacterAndLongOnesEndInDots) {
  EXPECT_EQ(FitMessage(look, "#Hi"), "Hi");
  const QString longText = "#" + QString(40, 'M');
  const QString fitted = FitMessage(look, longText);
  ASSERT_TRUE(fitted.endsWith("..."));
  EXPECT_EQ(fitted.size(), 40 - 12 + 3);  // at most twelve characters go
  MessagePanel memo;
  for (int k = 1; k <= 5; ++k) memo.Add(look, k % 4 + 1, "#m" + QString::number(k));
  EXPECT_EQ(memo.line[1], "m2");
  EXPECT_EQ(memo.line[4], "m5");
}

TEST_F(DrawingTest, DeckPanelWithoutCardsShowsTheTrumpSymbolAndNoCount) {
  const Rect r{633, 128, 100, 170};
  QImage empty = AreaWithBackground(look, r);
  DrawDeckPanelArea(look, empty, r, EmptyCard, '#', 100);
  EXPECT_EQ(empty, AreaWithBackground(look, r));  // the clearing call
  QImage last = AreaWithBackground(look, r);
  DrawDeckPanelArea(look, last, r, CardCode{'5', '\xEA'}, '\xEA', 41);
  // The trump symbol sits on the large deck picture at (40, 74).
  EXPECT_NE(last.copy(40, 74, 20, 20), AreaWithBackground(look, r).copy(40, 74, 20, 20));
  // No count label at the top.
  EXPECT_EQ(last.copy(20, 1, 58, 25), AreaWithBackground(look, r).copy(20, 1, 58, 25));
}

TEST(FlightPath, OnePixelAlongTheMainAxisEachStep) {
  EXPECT_EQ(FlightPath(10, 10, 310, 10).size(), 300u);
  EXPECT_TRUE(FlightPath(5, 5, 5, 5).empty());
  const auto steep = FlightPath(0, 0, 30, -120);
  ASSERT_EQ(steep.size(), 120u);
  for (size_t i = 0; i < steep.size(); ++i) EXPECT_EQ(steep[i].y(), -static_cast<int>(i) - 1);
  EXPECT_EQ(steep.back(), QPoint(30, -120));
}

TEST_F(DrawingTest, FlightSleepsBySpeedAndRepaintsWithoutTheSprite) {
  QImage window(760, 500, QImage::Format_RGB32);
  window.fill(Qt::darkGreen);
  struct Case {
    int speed;
    int sleptMs;
  } cases[] = {{1, 600}, {2, 300}, {3, 150}, {4, 100}, {5, 0}, {6, 0}};
  for (const Case& c : cases) {
    int slept = 0, presented = 0;
    bool cleanHadNoSprite = true;
    CardFlight flight(art, {});
    flight.SetWindow({[&] { return window; },
                      [&](const QImage& work, const QRect& r) {
                        ++presented;
                        // The clean buffer stays the window as it was.
                        if (flight.CleanBuffer() != window) cleanHadNoSprite = false;
                        EXPECT_TRUE(QRect(0, 0, 760, 500).intersects(r));
                        (void)work;
                      },
                      [&](int ms) { slept += ms; }});
    const int steps = flight.FlyCard(100, 200, 400, 200, CardCode{'5', '\xEA'}, true, c.speed);
    EXPECT_EQ(steps, 300);
    EXPECT_EQ(slept, c.sleptMs) << "speed " << c.speed;
    // The start, every shown step and the erase.
    EXPECT_EQ(presented, 1 + (c.speed == 6 ? 299 : 300) + 1) << "speed " << c.speed;
    EXPECT_TRUE(cleanHadNoSprite);
    EXPECT_FALSE(flight.FlightRunning);
  }
}

TEST_F(DrawingTest, SpriteShowsTheCardAndMovingItRestoresTheTable) {
  QImage window(760, 500, QImage::Format_RGB32);
  window.fill(Qt::darkGreen);
  CardFlight flight(art, {});
  flight.Prepare(window, CardCode{'5', '\xEA'}, 100, 100);
  flight.MoveSprite(100, 100);
  EXPECT_NE(flight.WorkBuffer().copy(100, 100, 71, 96), window.copy(100, 100, 71, 96));
  flight.MoveSprite(300, 100);
  EXPECT_EQ(flight.WorkBuffer().copy(100, 100, 71, 96), window.copy(100, 100, 71, 96));
  // Outside the rounded corners the table shows through.
  EXPECT_EQ(flight.WorkBuffer().pixel(300, 100), window.pixel(300, 100));
}

TEST(CaptionColours, VariantsTransformEveryPixel) {
  QImage img(1, 1, QImage::Format_ARGB32);
  img.setPixel(0, 0, qRgba(200, 100, 50, 255));
  auto px = [&](int v) { return RecolourCaption(img, v).pixel(0, 0); };
  EXPECT_EQ(px(1), qRgba(200, 100, 50, 255));
  EXPECT_EQ(px(3), qRgba(200, 200, 50, 255));
  EXPECT_EQ(px(4), qRgba(100, 200, 50, 255));
  EXPECT_EQ(px(5), qRgba(50, 200, 200, 255));
  EXPECT_EQ(px(6), qRgba(50, 100, 200, 255));
  EXPECT_EQ(px(7), qRgba(200, 100, 200, 255));
  EXPECT_EQ(px(8), qRgba(124, 124, 124, 255));  // 60 + 59 + 5.5 = 124.5, halves to even
  // Variant 2: b = min(50, 100) * 0.7 = 35, g = 35 + 165 * 0.4 = 101.
  EXPECT_EQ(px(2), qRgba(200, 101, 35, 255));
}

}  // namespace
}  // namespace zarnet

#include "table_screen.h"

namespace zarnet {
namespace {

TEST_F(DrawingTest, UncoveredWindowDuringAFlightShowsTheTableWithoutTheCard) {
  QImage window(760, 500, QImage::Format_RGB32);
  window.fill(Qt::darkGreen);
  CardFlight flight(art, {});
  flight.Prepare(window, CardCode{'5', '\xEA'}, 100, 100);
  flight.MoveSprite(120, 100);
  ASSERT_NE(flight.WorkBuffer(), flight.CleanBuffer());
  QWidget host;
  host.resize(760, 500);
  TFlightLayer layer(&host, &flight);
  layer.setGeometry(host.rect());
  // A whole repaint is what uncovering the window asks for.
  const QImage shown = layer.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown, window);
}

}  // namespace
}  // namespace zarnet
