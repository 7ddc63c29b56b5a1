#include <gtest/gtest.h>

#include "layout.h"

namespace zarnet {
namespace {

TEST(Layout, FullScreenOn1920By1080) {
  const ScaleFactors f = FactorsForMode(WindowMode::FullScreen, 1920, 1080);
  EXPECT_NEAR(f.ScaleX, 2.526315, 1e-6);
  EXPECT_DOUBLE_EQ(f.ScaleY, 2.16);
  EXPECT_DOUBLE_EQ(f.Scale, 2.16);
  const TableLayout t = LayoutTable(f, 198);
  EXPECT_EQ(t.hand[2].left, 442);
  EXPECT_EQ(t.hand[2].width, 1037);
  EXPECT_EQ(t.hand[2].height, 198);
}

TEST(Layout, FixedModesScaleUniformly) {
  struct Case {
    WindowMode mode;
    int width, height, tableLeft;
  } cases[] = {{WindowMode::Small, 760, 500, 340},
               {WindowMode::Medium1, 990, 650, 442},
               {WindowMode::Medium2, 1290, 850, 578},
               {WindowMode::Large, 1520, 1000, 680}};
  for (const Case& c : cases) {
    const ScaleFactors f = FactorsForMode(c.mode);
    EXPECT_EQ(f.WindowWidth, c.width);
    EXPECT_EQ(f.WindowHeight, c.height);
    EXPECT_EQ(LayoutTable(f, 96).table.left, c.tableLeft);
  }
}

TEST(Layout, AFixedSizeThatDoesNotFitGivesWay) {
  struct Case {
    const char* name;
    WindowMode wanted;
    int freeWidth, freeHeight;
    WindowMode shown;
  } cases[] = {
      {"large fits exactly", WindowMode::Large, 1520, 1000, WindowMode::Large},
      {"large under a title bar on 1080", WindowMode::Large, 1920, 999, WindowMode::Medium2},
      {"large on a 1280x720 screen", WindowMode::Large, 1280, 690, WindowMode::Medium1},
      {"medium 2 on 1366x768", WindowMode::Medium2, 1366, 740, WindowMode::Medium1},
      {"never larger than chosen", WindowMode::Medium1, 3840, 2100, WindowMode::Medium1},
      {"nothing fits: the small one", WindowMode::Medium1, 800, 600, WindowMode::Small},
      {"whole screen always", WindowMode::FullScreen, 640, 480, WindowMode::FullScreen},
  };
  for (const Case& c : cases) EXPECT_EQ(FittingMode(c.wanted, c.freeWidth, c.freeHeight), c.shown) << c.name;
}

TEST(Layout, HalvesRoundToEven) {
  EXPECT_EQ(Whole(2.5), 2);
  EXPECT_EQ(Whole(3.5), 4);
  EXPECT_EQ(Whole(-2.5), -2);
  EXPECT_EQ(FontHeight(15, 90), 14);  // 13.5
}

TEST(LayoutHand, SideBySideOrOverlapping) {
  EXPECT_EQ(LayoutHand(480, 3, 71), (std::vector<int>{129, 203, 277}));
  EXPECT_EQ(LayoutHand(480, 1, 71), (std::vector<int>{203}));
  // 150 pixels for three cards of pitch 74: step = trunc(50 - 24 / 2) = 38.
  EXPECT_EQ(LayoutHand(150, 3, 71), (std::vector<int>{0, 38, 76}));
  EXPECT_TRUE(LayoutHand(480, 0, 71).empty());
}

TEST(DeckPanel, StackHeightFollowsTheCardsLeft) {
  EXPECT_EQ(DeckBackRows(34).size(), 6u);
  EXPECT_EQ(DeckBackRows(1).size(), 0u);
  EXPECT_EQ(DeckBackRows(2), (std::vector<int>{45}));
  EXPECT_EQ(DeckBackRows(26).size(), 5u);
  EXPECT_EQ(DeckBackRows(25).size(), 4u);
}

TEST(Flights, AnchorsInTheSmallWindow) {
  const ScaleFactors f = FactorsForMode(WindowMode::Small);
  const TableLayout t = LayoutTable(f, 96);
  EXPECT_EQ(FlightAnchor(f, t, Anchor::TablePlace, 1, 0, 71, 96, 3), (Point{345, 152}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::TablePlace, 2, 0, 71, 96, 3), (Point{345, 252}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::HandMiddle, 1, 0, 71, 96, 3), (Point{140 + 204, 10}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::Deck, 2, 0, 71, 96, 3), (Point{645, 198}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::WinnerSide, 1, 0, 71, 96, 3), (Point{344, -96}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::WinnerSide, 2, 0, 71, 96, 3), (Point{344, 500}));
  EXPECT_EQ(FlightAnchor(f, t, Anchor::HandSlot, 2, 3, 71, 96, 3), (Point{140 + 277, 394}));
}

}  // namespace
}  // namespace zarnet
