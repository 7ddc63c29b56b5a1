// The end-of-game window after a completed 50-deal game: the place in the
// top ten with its sound, animation, medal and texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "form_common.h"

class QLabel;
class QMovie;

namespace zarnet {

enum class EndGameKind {
  Local,    // a player of the club list
  Account,  // a web-account series
  Net,      // a network game
};

// The kind of the series just closed: a net game, the web account's slot,
// or a player of the club list.
EndGameKind KindOfSeries(bool netGame, int playerSlot);

struct EndGameData {
  int place = 0;       // 1..10 in the top ten; 0 not placed; above 10 the account's board place
  int32_t score = 0;   // the game's final score
  int bonus = 0;       // account currency won, 0 for none
  EndGameKind kind = EndGameKind::Local;
  bool animate = true; // the animation setting: off shows a still frame
};

class TFormEndGame : public TRecordDialog {
  Q_OBJECT

 public:
  enum class Case { Best, Good, Bad };

  TFormEndGame(const EndGameData& data, const FormStyle& style, QWidget* parent = nullptr);

  // Plays a sound by name when the window first shows.
  std::function<void(const std::string&)> PlaySound;

  Case WhichCase() const { return case_; }
  // The sound and the animation of a case.
  static const char* SoundName(Case c);
  static const char* AnimationName(Case c);
  // The 1-based frame the animation stops at, or shows when it is still.
  static int StopFrame(Case c, bool animate);
  QMovie* Animation() const { return movie_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  Case case_;
  bool animate_;
  bool soundPlayed_ = false;
  QMovie* movie_ = nullptr;
};

}  // namespace zarnet
