// The operations through which the engine changes what the table shows.
// Every call returns only after its visible effect (or its sound, when asked
// to wait) is complete; the engine's pacing relies on that.
#pragma once

#include <string>
#include <string_view>

#include "cards.h"

namespace zarnet {

// Sentinels of DrawScorePanel's three numbers.
inline constexpr int kClearField = -1000000;
inline constexpr int kKeepField = -2000000;

// Markers of DrawScorePanel.
inline constexpr int kMarkSeat = 1;
inline constexpr int kUnmarkSeat = 2;
inline constexpr int kKeepMark = 3;

enum class TableArea { Table };

// Button7 is the upper game button, Button8 the lower one.
enum class GameButton { Upper, Lower };
enum class ButtonText { ToBegin, Ok, NextGame, ExitToMenu, ReplaceDeuce };

// Texts the engine writes onto the table; the view takes them from the word tables.
enum class EngineText { BlackHand, ExpectationOfServer };

// Points of the window, in window pixels, that flights start from and end at.
enum class Anchor {
  HandOrigin,   // top-left corner of a seat's hand area
  HandMiddle,   // middle of a seat's hand
  HandSlot,     // a given slot of a seat's hand
  TablePlace,   // a seat's place on the table
  Deck,         // the deck
  WinnerSide,   // where a seat's won tricks go
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

class TableView {
 public:
  virtual ~TableView() = default;

  virtual void DrawHand(int seat, bool reveal) = 0;
  virtual void DrawTableCards() = 0;
  // `position` is the seat whose table place receives the card.
  virtual void DrawCard(TableArea area, int position, CardCode card) = 0;
  virtual void DrawDeckPanel(CardCode trumpCard, char trumpSuit, int deckNext) = 0;
  virtual void DrawScorePanel(int seat, int marker, bool full, int seriesScore, int trickGain,
                              int dealPoints) = 0;
  virtual void DrawNamePlate(int seat, std::string_view name, char colour) = 0;
  virtual void DrawTurnTimer(int seat, int seconds) = 0;
  virtual void DrawDealCounter() = 0;
  virtual void AddMessageLine(int source, std::string_view text) = 0;
  // Says on the table who took the deal (`winner` 0 for a drawn deal) and
  // both seats' points, in the player's language.
  virtual void ShowDealResult(int winner, int points1, int points2) = 0;
  virtual void ChooseBackOfDay() = 0;
  virtual void LayoutTableScreen() = 0;
  virtual void LayoutMenuScreen() = 0;
  virtual void FlyCard(int x0, int y0, int x1, int y1, CardCode card, bool erase) = 0;
  virtual void PlayEffect(std::string_view name, bool wait, bool enabled) = 0;
  virtual bool SayCard(CardCode card, bool wait) = 0;

  // The seams around the table operations proper.
  virtual void Pause(int ms) = 0;
  virtual void SetButtonText(GameButton button, ButtonText text) = 0;
  virtual void EnableButton(GameButton button, bool enabled) = 0;
  virtual void SetButtonsVisible(bool visible) = 0;
  // The pop-up items that act on a running series (Quit, GenCount).
  virtual void EnableSeriesMenu(bool enabled) = 0;
  // A notice drawn over a seat's hand ("Expectation of the server...").
  virtual void ShowHandNotice(int seat, std::string_view text) = 0;
  virtual Point AnchorPoint(Anchor anchor, int seat, int slot) = 0;
  virtual std::string Text(EngineText text) = 0;
  virtual void Beep() = 0;
};

// A view that shows nothing: for the benchmark and headless self-play.
class NullView : public TableView {
 public:
  void DrawHand(int, bool) override {}
  void DrawTableCards() override {}
  void DrawCard(TableArea, int, CardCode) override {}
  void DrawDeckPanel(CardCode, char, int) override {}
  void DrawScorePanel(int, int, bool, int, int, int) override {}
  void DrawNamePlate(int, std::string_view, char) override {}
  void DrawTurnTimer(int, int) override {}
  void DrawDealCounter() override {}
  void AddMessageLine(int, std::string_view) override {}
  void ShowDealResult(int, int, int) override {}
  void ChooseBackOfDay() override {}
  void LayoutTableScreen() override {}
  void LayoutMenuScreen() override {}
  void FlyCard(int, int, int, int, CardCode, bool) override {}
  void PlayEffect(std::string_view, bool, bool) override {}
  bool SayCard(CardCode, bool) override { return false; }
  void Pause(int) override {}
  void SetButtonText(GameButton, ButtonText) override {}
  void EnableButton(GameButton, bool) override {}
  void SetButtonsVisible(bool) override {}
  void EnableSeriesMenu(bool) override {}
  void ShowHandNotice(int, std::string_view) override {}
  Point AnchorPoint(Anchor, int, int) override { return {}; }
  std::string Text(EngineText) override { return {}; }
  void Beep() override {}
};

}  // namespace zarnet
