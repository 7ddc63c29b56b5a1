// The card table on the main window: its areas, the two game buttons and
// the message line, bound to the engine as its table view.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "card_art.h"
#include "game_state.h"
#include "image_area.h"
#include "kuv_button.h"
#include "layout.h"
#include "settings.h"
#include "sprite.h"
#include "table_drawing.h"

namespace zarnet {

// Engine texts arrive as cp1251 (names, files) or UTF-8 (word tables).
QString DisplayText(std::string_view bytes);

// Shows the frozen window during a flight.
class TFlightLayer : public QWidget {
 public:
  explicit TFlightLayer(QWidget* parent, const CardFlight* flight);
  // Frames painted onto the window since the layer was made.
  int FramesPainted = 0;
  // Told of every frame as it is painted (for measuring the pace).
  std::function<void()> OnFramePainted;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  const CardFlight* flight_;
};

class TTableScreen : public TableView {
 public:
  TTableScreen(QWidget* host, Game& game, CardArt& art, Settings& settings);

  // Takes the scale of the current window mode and places every area.
  void SetFactors(const ScaleFactors& f, bool smallWindow);
  void ShowTable(bool shown);
  bool TableShown() const { return shown_; }
  // Which slot of a seat's hand lies under x (inside the hand area); 0 for none.
  int HandSlotAt(int seat, int x) const;
  // Redraws every area from the game state (after a size change or an uncover).
  void RedrawAll();

  // The window's outlets.
  std::function<void()> OnLayoutMenu;
  // Each deal lays the table out once: the recorder starts there.
  std::function<void()> OnTableLaidOut;
  std::function<void(std::string_view, bool, bool)> OnPlayEffect;
  std::function<bool(CardCode, bool)> OnSayCard;
  std::function<void(bool)> OnSeriesMenu;
  // Told when a flight begins, with its start and its target in window pixels.
  std::function<void(QPoint from, QPoint to)> OnFlightBegins;
  // The file of a seat's photo; empty when it has none.
  std::function<QString(int seat)> PlatePicture;
  // What hovering over a seat's name plate shows: the photo during an
  // online game, nothing otherwise.
  QString PlateBalloon(int seat) const;
  // Blocking pauses are multiplied by this (tests run with 0).
  double PauseScale = 1.0;

  TableLook look;
  TableLayout layout;
  std::array<TImageArea*, 5> ImageCards{}, ImageTab{}, ImageSay{}, ImTimer{};
  TImageArea *ImageStol, *ImageKoloda, *ImageKon, *ImageMemo;
  TKuvCardsButton *Button7, *Button8, *BitBtn1;
  QLineEdit* Edit1;
  TFlightLayer* FlightLayer;
  CardFlight flight;
  int LastFlightSteps = 0;
  MessagePanel memo;
  void RedrawMemo();
  bool TimeLimits = false;  // move clocks at online tables

  // --- TableView ---
  void DrawHand(int seat, bool reveal) override;
  void DrawTableCards() override;
  void DrawCard(TableArea area, int position, CardCode card) override;
  void DrawDeckPanel(CardCode trumpCard, char trumpSuit, int deckNext) override;
  void DrawScorePanel(int seat, int marker, bool full, int seriesScore, int trickGain,
                      int dealPoints) override;
  void DrawNamePlate(int seat, std::string_view name, char colour) override;
  void DrawTurnTimer(int seat, int seconds) override;
  void DrawDealCounter() override;
  void AddMessageLine(int source, std::string_view text) override;
  void ShowDealResult(int winner, int points1, int points2) override;
  void ChooseBackOfDay() override;
  void LayoutTableScreen() override;
  void LayoutMenuScreen() override;
  void FlyCard(int x0, int y0, int x1, int y1, CardCode card, bool erase) override;
  void PlayEffect(std::string_view name, bool wait, bool enabled) override;
  bool SayCard(CardCode card, bool wait) override;
  void Pause(int ms) override;
  void SetButtonText(GameButton button, ButtonText text) override;
  void EnableButton(GameButton button, bool enabled) override;
  void SetButtonsVisible(bool visible) override;
  void EnableSeriesMenu(bool enabled) override;
  void ShowHandNotice(int seat, std::string_view text) override;
  Point AnchorPoint(Anchor anchor, int seat, int slot) override;
  std::string Text(EngineText text) override;
  void Beep() override;

  // Last states, for redraws and tests.
  struct PanelState {
    int seriesScore = kClearField, trickGain = kClearField, dealPoints = kClearField;
    bool marked = false;
  };
  std::array<PanelState, 3> panels{};
  std::array<QString, 3> plateName{};
  std::array<char, 3> plateColour{{'y', 'y', 'y'}};
  ButtonText upperText = ButtonText::ToBegin, lowerText = ButtonText::ExitToMenu;

 private:
  void Place(QWidget* w, const Rect& r);
  void RefreshArea(TImageArea* a, const Rect& r);
  void ApplyButtonLook();
  QWidget* host_;
  Game& game_;
  CardArt& art_;
  Settings& settings_;
  bool shown_ = false;
};

}  // namespace zarnet
