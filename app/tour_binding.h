// Binds the online tournament to the main window: the lobby from the menu,
// the table link during a match, and the lobby again after it.
#pragma once

namespace zarnet {

class TForm1;
struct FormStyle;

void BindTournament(TForm1& form, const FormStyle& style);

}  // namespace zarnet
