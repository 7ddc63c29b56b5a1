// A table view that writes down every call, for tests of the engine and of
// anything that drives it. Card codes are written in UTF-8.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "table_view.h"

namespace zarnet {

class RecordingView : public TableView {
 public:
  std::vector<std::string> calls;
  // Last caption and enabled state of the two game buttons.
  ButtonText buttonText[2] = {ButtonText::ToBegin, ButtonText::ExitToMenu};
  bool buttonEnabled[2] = {false, false};
  int pausedMs = 0;

  void DrawHand(int seat, bool reveal) override;
  void DrawTableCards() override { Add("DrawTableCards"); }
  void DrawCard(TableArea area, int position, CardCode card) override;
  void DrawDeckPanel(CardCode trumpCard, char trumpSuit, int deckNext) override;
  void DrawScorePanel(int seat, int marker, bool full, int seriesScore, int trickGain,
                      int dealPoints) override;
  void DrawNamePlate(int seat, std::string_view name, char colour) override;
  void DrawTurnTimer(int seat, int seconds) override;
  void DrawDealCounter() override { Add("DrawDealCounter"); }
  void AddMessageLine(int source, std::string_view text) override;
  void ShowDealResult(int winner, int points1, int points2) override {
    Add("ShowDealResult " + std::to_string(winner) + " " + std::to_string(points1) + ":" + std::to_string(points2));
  }
  void ChooseBackOfDay() override { Add("ChooseBackOfDay"); }
  void LayoutTableScreen() override { Add("LayoutTableScreen"); }
  void LayoutMenuScreen() override { Add("LayoutMenuScreen"); }
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
  void Beep() override { Add("Beep"); }

  // Number of recorded calls that start with `prefix`.
  int Count(std::string_view prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
      return c.compare(0, prefix.size(), prefix) == 0;
    }));
  }
  bool Has(std::string_view call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
  void Clear() { calls.clear(); }

 private:
  void Add(std::string s) { calls.push_back(std::move(s)); }
};

}  // namespace zarnet
