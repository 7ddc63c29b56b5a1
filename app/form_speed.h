// The speed window: the flight speed of the cards, 1 (slow) to 6 (fast),
// written back the moment the bar moves.
#pragma once

#include <functional>

#include "form_common.h"

class QSlider;
class QTimer;

namespace zarnet {

class TFormSpeed : public TRecordDialog {
  Q_OBJECT

 public:
  // `flySpeed` is the setting itself: it is read when the window opens and
  // written at every change of the bar. A value outside 1..6 shows as 4.
  TFormSpeed(int* flySpeed, const FormStyle& style, QWidget* parent = nullptr);

  // Runs when "Ok" is pressed, before the window closes (the touch effect).
  std::function<void()> TouchEffect;

  // The icon animation's tick for a speed.
  static int TimerInterval(int speed);

  void TrackBar1Change(int value);
  void Button1Click();

 private:
  int* flySpeed_;
  QSlider* TrackBar1 = nullptr;
  QTimer* Timer48 = nullptr;
};

}  // namespace zarnet
