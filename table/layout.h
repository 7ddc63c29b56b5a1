// Where everything sits on the menu and the table: positions are given in a
// 760 x 500 design space and scaled to the window.
#pragma once

#include <array>
#include <vector>

#include "table_view.h"

namespace zarnet {

// The five window sizes, as the options list numbers them from 1.
enum class WindowMode { Small = 1, FullScreen = 2, Medium1 = 3, Medium2 = 4, Large = 5 };

struct ScaleFactors {
  double ScaleX = 1.0;
  double ScaleY = 1.0;
  double Scale = 1.0;
  int WindowWidth = 760;
  int WindowHeight = 500;
};

// The full-screen mode takes its size from the client area it was given.
ScaleFactors FactorsForMode(WindowMode mode, int fullScreenWidth = 760, int fullScreenHeight = 500);

// The mode to show when `wanted` is chosen and the screen leaves a client
// area of freeWidth x freeHeight: a fixed size that does not fit gives way to
// the largest one that does (the small window at least); the whole-screen
// mode always fits.
WindowMode FittingMode(WindowMode wanted, int freeWidth, int freeHeight);

// Nearest integer, halves to the even one.
int Whole(double v);
int ScaleLen(const ScaleFactors& f, double a);
int CellLeft(const ScaleFactors& f, double x, double w);
int CellTop(const ScaleFactors& f, double y, double h);
int FontHeight(double h, int percentage);

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// An area of design size w x h at design (x, y): uniform scale, centred in its cell.
Rect AreaRect(const ScaleFactors& f, double x, double y, double w, double h);

struct TableLayout {
  std::array<Rect, 5> hand{};  // 1-based by seat; seats 3 and 4 stay empty
  std::array<Rect, 5> scorePanel{};
  std::array<Rect, 5> namePlate{};
  std::array<Rect, 5> turnTimer{};
  Rect table, deck, dealCounter, memo, edit, sendButton;
};

TableLayout LayoutTable(const ScaleFactors& f, int cardHeight);

// x of each card of a hand of n cards in an area W pixels wide.
std::vector<int> LayoutHand(int areaWidth, int n, int cardWidth);

// Design y of each rotated back stacked on the trump card, r cards left.
std::vector<int> DeckBackRows(int cardsLeft);

// The window points that card flights start from and end at.
Point FlightAnchor(const ScaleFactors& f, const TableLayout& t, Anchor anchor, int seat, int slot,
                   int cardWidth, int cardHeight, int handCount);

}  // namespace zarnet
