// Drives the main window as a player does, for the suites that play through it.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "atomic_file.h"
#include "layout.h"
#include "main_window.h"
#include "player_list.h"
#include "settings.h"

namespace zarnet::testing {

// The settings of a player who turned off card flights, sound and the tune.
inline Settings QuietSettings(const std::string& name) {
  Settings s = DefaultSettings(name);
  s.OptFlyCards = s.SoundOn = s.MusicOn = false;
  return s;
}

// A program folder as installed: both player lists, and the settings `s`.
inline void InstallProgramFolder(const std::string& folder, const Settings& s) {
  ReplaceFile(folder + "/" + kClubListName, InstallationList(), kNewListMode);
  ReplaceFile(folder + "/" + kNetListName, InstallationList(), kNewListMode);
  SaveSettings(folder, s);
}

// A click on the card in `slot` of the player's hand.
inline void ClickCard(TForm1& form, int slot) {
  const auto xs = LayoutHand(form.table->layout.hand[2].width, form.game.gs.HandCount[2], form.art.CardWidth);
  QTest::mouseClick(form.table->ImageCards[2], Qt::LeftButton, {}, QPoint(xs[slot - 1] + 5, 10));
}

// Plays the deal to its end: the upper button when it is offered, the first
// card of the hand when it is the player's move, the move driver's tick otherwise.
inline void PlayDeal(TForm1& form) {
  GameState& gs = form.game.gs;
  for (int guard = 0; guard < 400 && !gs.DealOver; ++guard) {
    TKuvCardsButton* upper = form.table->Button7;
    if (upper->isVisible() && upper->isEnabled() && !gs.DealOver) {
      QTest::mouseClick(upper, Qt::LeftButton);
    } else if (gs.DealPhase == 2 && gs.Turn == 2) {
      ClickCard(form, 1);
    } else {
      form.Timer1Timer();
    }
  }
  ASSERT_TRUE(gs.DealOver);
}

}  // namespace zarnet::testing
