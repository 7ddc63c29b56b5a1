// Follows a table match with the game's own engine, so the table server
// knows every hand and the score itself instead of believing the players.
#pragma once

#include <string>
#include <string_view>

#include "game_state.h"

namespace zarnet::services {

class Referee {
 public:
  enum class Verdict {
    Relay,    // a legal move: pass it on
    Illegal,  // the mover forfeits the match
    Ignore,   // no move of the game: drop it
  };

  Referee();
  // A new deal from the 80 card-code bytes of the deck frame; the first of a
  // match resets the match score. Table seat 1 leads the odd deals.
  void BeginDeal(std::string_view codes, bool firstOfMatch);
  // One "h" frame payload from a table seat (1 or 2).
  Verdict Move(int seat, std::string_view payload);

  bool DealOver() const { return game_.gs.DealSettled; }
  // The seat whose move the game waits for; after a deal, seat 1 asks for the next.
  int ToMove() const;
  int deals() const { return deals_; }
  // The match score of a seat so far, as the players' engines count it.
  int Score(int seat) const { return game_.gs.GameScore[seat]; }
  // Why the last move was refused.
  const std::string& why() const { return why_; }

 private:
  Verdict Refuse(std::string why);

  NullView view_;
  Game game_;
  int deals_ = 0;
  int dealLeader_ = 1;
  bool awaitingNext_ = false;  // the leader has played and owes "hnext"
  std::string why_;
};

}  // namespace zarnet::services
