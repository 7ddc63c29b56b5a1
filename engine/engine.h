// The engine's operations on the one Game.
#pragma once

#include <cstdint>

#include "game_state.h"

namespace zarnet {

// --- Dealing -------------------------------------------------------------
// Fills Deck, DeckOrder, DeckPoints with a fresh permutation of the 40 cards.
void ShuffleDeck(Game& g);
// Begins a deal; continueSeries = false for the first deal of a series.
void StartDeal(Game& g, bool continueSeries);
// The per-deal reset shared by the host's deal and the guest's received deck.
void ResetDeal(GameState& gs);
// Puts Deck[first..first+2], with orders and points, into slots 1..3 of a hand.
void GiveDeckCards(GameState& gs, int seat, int first);

// --- Rules of play -------------------------------------------------------
int TrickWinnerOf(int leader, char trump, CardCode ledCard, CardCode answerCard, int ledOrder,
                  int answerOrder);
void PlayCard(Game& g, int seat, int slot);
void CollectTrick(Game& g);
void DrawFromDeck(Game& g, int seat);
void CheckBlackHand(Game& g);
// True when the seat may swap its two of trumps now.
bool CanReplaceDeuce(const Game& g, int seat);
void ReplaceDeuce(Game& g, int seat);
// Arranges the hand and has the view show it.
void RedrawHand(Game& g, int seat);

// --- Computer opponent ---------------------------------------------------
// Slots 1..3 of an arranged hand; 0 only for an empty hand.
int ChooseLead(const CardCode* hand, const uint8_t* orders, char trump, const CardCode* played);
// `beep` is set when the safety net of the choice had to step in.
int ChooseAnswer(const CardCode* hand, const uint8_t* orders, const uint8_t* points, char trump,
                 CardCode ledCard, int ledOrder, int ledPoints, bool* beep = nullptr);
// One move of a seat played by the computer's rules: lead (after an optional
// Replace deuce) or answer. Returns false when that seat is not to move.
bool ComputerMove(Game& g, int seat);

// --- Flow ----------------------------------------------------------------
struct StrongChoice;
// The move driver's tick at the table for a game against the computer.
// `decided`, when given, is seat 1's move already thought out (off the
// user-interface thread); without it the tick thinks itself.
void MoveDriverTick(Game& g, const StrongChoice* decided = nullptr);
// The next tick of the move driver makes seat 1's move.
bool ComputerToMove(const Game& g);
// Offers Replace deuce on the lower button when the player may take it.
void OfferReplaceDeuce(Game& g);
void SetUpButtonsAfterDeal(Game& g);
// The upper game button in a game against the computer: start the deal,
// collect the trick, or deal the next one.
void UpperButtonClick(Game& g);
// The player plays the card in `slot` of the hand; x is that card's left edge
// inside the hand area, where its flight starts.
// Returns false when a click there plays nothing now.
bool PlayerPlayCard(Game& g, int slot, int x);
// The lower game button while the deal is not settled: the player takes
// Replace deuce. False when that is not possible now.
bool LowerButtonReplacesDeuce(Game& g);
// The lower game button: Replace deuce during a deal, or, after a settled
// deal, leaving to the menu, which books the series.
class SeriesOutlets;
struct SeriesBooks;
bool LowerButtonClick(Game& g, SeriesBooks& books, SeriesOutlets& out);

// --- Accounting ----------------------------------------------------------
void BookDealResult(Game& g);
// The local rating after k deals, from k0 deals at rating r0 and the series'
// difference; six decimals, halves to even, clamped to -99.99..99.99.
double LocalRating(int k, int diff, double r0, int k0);

}  // namespace zarnet
