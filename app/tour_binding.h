// Binds the online tournament to the main window: the lobby from the menu,
// the table link during a match, and the lobby again after it.
#pragma once

#include <functional>
#include <string>

#include "form_tour.h"

namespace zarnet {

class TForm1;

struct TournamentBinding {
  std::string address = TournamentAddress();  // the tournament script
  // The logged-in account the player sits down with.
  std::function<TourAccount()> account;
  // Whether a web account is logged in; the series' books otherwise.
  std::function<bool()> loggedIn;
};

// `style` gives the look of the window's current size each time the lobby opens.
void BindTournament(TForm1& form, std::function<FormStyle()> style, TournamentBinding binding = {});

}  // namespace zarnet
