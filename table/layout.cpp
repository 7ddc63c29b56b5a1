#include "layout.h"

#include <algorithm>
#include <cmath>

namespace zarnet {

int Whole(double v) { return static_cast<int>(std::nearbyint(v)); }

ScaleFactors FactorsForMode(WindowMode mode, int fullScreenWidth, int fullScreenHeight) {
  ScaleFactors f;
  switch (mode) {
    case WindowMode::Small:
      break;
    case WindowMode::FullScreen:
      f.WindowWidth = fullScreenWidth;
      f.WindowHeight = fullScreenHeight;
      f.ScaleX = fullScreenWidth / 760.0;
      f.ScaleY = fullScreenHeight / 500.0;
      f.Scale = std::min(f.ScaleX, f.ScaleY);
      break;
    case WindowMode::Medium1:
      f = {1.3, 1.3, 1.3, 990, 650};
      break;
    case WindowMode::Medium2:
      f = {1.7, 1.7, 1.7, 1290, 850};
      break;
    case WindowMode::Large:
      f = {2.0, 2.0, 2.0, 1520, 1000};
      break;
  }
  return f;
}

WindowMode FittingMode(WindowMode wanted, int freeWidth, int freeHeight) {
  if (wanted == WindowMode::FullScreen || wanted == WindowMode::Small) return wanted;
  // From the largest down; each fixed size is smaller than the one before.
  constexpr WindowMode kBySize[] = {WindowMode::Large, WindowMode::Medium2, WindowMode::Medium1};
  const int wantedWidth = FactorsForMode(wanted).WindowWidth;
  for (WindowMode m : kBySize) {
    const ScaleFactors f = FactorsForMode(m);
    if (f.WindowWidth > wantedWidth) continue;
    if (f.WindowWidth <= freeWidth && f.WindowHeight <= freeHeight) return m;
  }
  return WindowMode::Small;
}

int ScaleLen(const ScaleFactors& f, double a) { return Whole(a * f.Scale); }

int CellLeft(const ScaleFactors& f, double x, double w) {
  return Whole(x * f.ScaleX) + Whole((f.ScaleX - f.Scale) * w / 2);
}

int CellTop(const ScaleFactors& f, double y, double h) {
  return Whole(y * f.ScaleY) + Whole((f.ScaleY - f.Scale) * h / 2);
}

int FontHeight(double h, int percentage) { return Whole(h * percentage / 100.0); }

Rect AreaRect(const ScaleFactors& f, double x, double y, double w, double h) {
  return {CellLeft(f, x, w), CellTop(f, y, h), ScaleLen(f, w), ScaleLen(f, h)};
}

TableLayout LayoutTable(const ScaleFactors& f, int cardHeight) {
  TableLayout t;
  const int handTop[3] = {0, 10, 394};
  const int panelTop[3] = {0, 110, 295};
  const int plateTop[3] = {0, 115, 370};
  for (int s = 1; s <= 2; ++s) {
    t.hand[s] = {CellLeft(f, 140, 480), CellTop(f, handTop[s], 96), ScaleLen(f, 480), cardHeight};
    t.scorePanel[s] = AreaRect(f, 8, panelTop[s], 155, 95);
    t.namePlate[s] = AreaRect(f, 300, plateTop[s], 160, 20);
    const Rect& plate = t.namePlate[s];
    t.turnTimer[s] = {plate.right() + ScaleLen(f, 10), plate.top, plate.height, plate.height};
  }
  t.table = AreaRect(f, 340, 150, 80, 200);
  t.deck = AreaRect(f, 633, 128, 100, 170);
  t.dealCounter = AreaRect(f, 8, 220, 155, 60);
  t.memo = AreaRect(f, 620, 373, 130, 90);
  const int button = ScaleLen(f, 35);
  t.edit = {t.memo.left, t.memo.bottom() + ScaleLen(f, 1) + Whole((button - ScaleLen(f, 20)) / 2.0),
            t.memo.width - ScaleLen(f, 36), ScaleLen(f, 20)};
  t.sendButton = {t.memo.right() - button, t.memo.bottom() + ScaleLen(f, 1), button, button};
  return t;
}

std::vector<int> LayoutHand(int areaWidth, int n, int cardWidth) {
  std::vector<int> x;
  if (n < 1) return x;
  const double pitch = cardWidth + 3;
  const double share = static_cast<double>(areaWidth) / n;
  if (share >= pitch) {
    const int centre = Whole(areaWidth / 2.0);
    for (int i = 1; i <= n; ++i) x.push_back(Whole(centre - n * pitch / 2 + (i - 1) * pitch));
  } else {
    // Overlapping cards fill the width; a single card needs no step.
    const int step = n > 1 ? static_cast<int>(share - (pitch - share) / (n - 1)) : 0;
    for (int i = 1; i <= n; ++i) x.push_back((i - 1) * step);
  }
  return x;
}

std::vector<int> DeckBackRows(int cardsLeft) {
  int backs = 0;
  if (cardsLeft >= 32) backs = 6;
  else if (cardsLeft >= 26) backs = 5;
  else if (cardsLeft >= 20) backs = 4;
  else if (cardsLeft >= 14) backs = 3;
  else if (cardsLeft >= 8) backs = 2;
  else if (cardsLeft >= 2) backs = 1;
  std::vector<int> rows;
  for (int i = 0; i < backs; ++i) rows.push_back(45 - 3 * i);
  return rows;
}

Point FlightAnchor(const ScaleFactors& f, const TableLayout& t, Anchor anchor, int seat, int slot,
                   int cardWidth, int cardHeight, int handCount) {
  const Rect& hand = t.hand[seat];
  switch (anchor) {
    case Anchor::HandOrigin:
      return {hand.left, hand.top};
    case Anchor::HandMiddle:
      return {hand.left + Whole((hand.width - cardWidth) / 2.0), hand.top};
    case Anchor::HandSlot: {
      const std::vector<int> x = LayoutHand(hand.width, std::max(handCount, slot), cardWidth);
      return {hand.left + (slot >= 1 && slot <= static_cast<int>(x.size()) ? x[slot - 1] : 0),
              hand.top};
    }
    case Anchor::TablePlace:
      return {t.table.left + ScaleLen(f, 5), t.table.top + ScaleLen(f, seat == 1 ? 2 : 102)};
    case Anchor::Deck:
      return {t.deck.left + ScaleLen(f, 12), t.deck.top + ScaleLen(f, 70)};
    case Anchor::WinnerSide:
      return {Whole(f.WindowWidth / 2.0 - cardWidth / 2.0), seat == 1 ? -cardHeight : f.WindowHeight};
  }
  return {};
}

}  // namespace zarnet
