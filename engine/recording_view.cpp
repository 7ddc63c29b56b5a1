#include "recording_view.h"

#include "codec.h"

namespace zarnet {
namespace {

std::string Num(int v) { return std::to_string(v); }

const char* ButtonName(GameButton b) { return b == GameButton::Upper ? "Upper" : "Lower"; }

const char* TextName(ButtonText t) {
  switch (t) {
    case ButtonText::ToBegin: return "ToBegin";
    case ButtonText::Ok: return "Ok";
    case ButtonText::NextGame: return "NextGame";
    case ButtonText::ExitToMenu: return "ExitToMenu";
    case ButtonText::ReplaceDeuce: return "ReplaceDeuce";
  }
  return "?";
}

}  // namespace

void RecordingView::DrawHand(int seat, bool reveal) {
  Add("DrawHand " + Num(seat) + (reveal ? " reveal" : ""));
}

void RecordingView::DrawCard(TableArea, int position, CardCode card) {
  Add("DrawCard " + Num(position) + " " + CardToUtf8(card));
}

void RecordingView::DrawDeckPanel(CardCode trumpCard, char trumpSuit, int deckNext) {
  Add("DrawDeckPanel " + CardToUtf8(trumpCard) + " " + Cp1251ToUtf8(std::string(1, trumpSuit)) +
      " " + Num(deckNext));
}

void RecordingView::DrawScorePanel(int seat, int marker, bool full, int seriesScore,
                                   int trickGain, int dealPoints) {
  Add("DrawScorePanel " + Num(seat) + " " + Num(marker) + (full ? " full " : " ") +
      Num(seriesScore) + " " + Num(trickGain) + " " + Num(dealPoints));
}

void RecordingView::DrawNamePlate(int seat, std::string_view name, char colour) {
  Add("DrawNamePlate " + Num(seat) + " " + std::string(1, colour) + " " + Cp1251ToUtf8(name));
}

void RecordingView::DrawTurnTimer(int seat, int seconds) {
  Add("DrawTurnTimer " + Num(seat) + " " + Num(seconds));
}

void RecordingView::AddMessageLine(int source, std::string_view text) {
  Add("AddMessageLine " + Num(source) + " " + Cp1251ToUtf8(text));
}

void RecordingView::FlyCard(int x0, int y0, int x1, int y1, CardCode card, bool erase) {
  Add("FlyCard " + Num(x0) + "," + Num(y0) + " " + Num(x1) + "," + Num(y1) + " " +
      CardToUtf8(card) + (erase ? " erase" : ""));
}

void RecordingView::PlayEffect(std::string_view name, bool wait, bool enabled) {
  if (!enabled) return;
  Add("PlayEffect " + std::string(name) + (wait ? " wait" : ""));
}

bool RecordingView::SayCard(CardCode card, bool wait) {
  Add("SayCard " + CardToUtf8(card) + (wait ? " wait" : ""));
  return true;
}

void RecordingView::Pause(int ms) {
  pausedMs += ms;
  Add("Pause " + Num(ms));
}

void RecordingView::SetButtonText(GameButton button, ButtonText text) {
  buttonText[button == GameButton::Upper ? 0 : 1] = text;
  Add(std::string("SetButtonText ") + ButtonName(button) + " " + TextName(text));
}

void RecordingView::EnableButton(GameButton button, bool enabled) {
  buttonEnabled[button == GameButton::Upper ? 0 : 1] = enabled;
  Add(std::string("EnableButton ") + ButtonName(button) + (enabled ? " 1" : " 0"));
}

void RecordingView::SetButtonsVisible(bool visible) {
  Add(std::string("SetButtonsVisible ") + (visible ? "1" : "0"));
}

void RecordingView::EnableSeriesMenu(bool enabled) {
  Add(std::string("EnableSeriesMenu ") + (enabled ? "1" : "0"));
}

void RecordingView::ShowHandNotice(int seat, std::string_view text) {
  Add("ShowHandNotice " + Num(seat) + " " + Cp1251ToUtf8(text));
}

Point RecordingView::AnchorPoint(Anchor anchor, int seat, int slot) {
  // Distinct, predictable points so tests can tell flights apart.
  return {static_cast<int>(anchor) * 1000 + seat * 10 + slot, seat * 100};
}

std::string RecordingView::Text(EngineText text) {
  return text == EngineText::BlackHand ? "Black Hand" : "Expectation of the server...";
}

}  // namespace zarnet
