// The one record of a deal in progress, and what the engine reads around it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards.h"
#include "player_records.h"
#include "random_source.h"
#include "table_view.h"

namespace zarnet {

// Arrays are 1-based; index 0 is not used. Seats 3 and 4 stay empty.
struct GameState {
  bool DealActive = false;
  int32_t KonNo = 0;
  int32_t KonAtStart = 0;
  std::array<int32_t, 3> GameScore{};
  std::array<int32_t, 3> TrickPoints{};
  int32_t ScoreBase = 0;
  std::array<uint8_t, 41> DeckOrder{};
  std::array<CardCode, 41> Deck{};
  std::array<uint8_t, 41> DeckPoints{};
  std::array<std::array<CardCode, 65>, 5> Hand{};
  std::array<std::array<uint8_t, 65>, 5> HandOrder{};
  std::array<std::array<uint8_t, 65>, 5> HandPoints{};
  bool DealSettled = false;
  char Trump = '#';
  std::array<uint8_t, 5> HandCount{};
  uint8_t DealPhase = 0;
  uint8_t Leader = 0;
  uint8_t TrickWinner = 0;
  uint8_t Turn = 0;
  // (the two score panel images belong to the presentation)
  int32_t ScoreDiff = 0;
  int32_t SeriesScore = 0;
  double SeriesRating = 0.0;
  int32_t FinalDiff = 0;
  int32_t FinalScore = 0;
  uint8_t DeckNext = 0;
  bool DeckEmptyAnnounced = false;
  std::array<CardCode, 65> Played{};
  uint8_t PlayedNext = 0;
  std::array<CardCode, 5> Table{};
  std::array<uint8_t, 5> TableOrder{};
  std::array<uint8_t, 5> TablePoints{};
  int32_t PlayedCardX = 0;  // x of the clicked card inside the hand area
  bool DealOver = false;
  uint8_t PeerSlot = 0;
};

// Turn values beyond the two seats.
inline constexpr uint8_t kTurnTrickDone = 3;
inline constexpr uint8_t kTurnMatchAborted = 5;

// PlayerSlot values.
inline constexpr uint8_t kSlotNewPlayer = 6;
inline constexpr uint8_t kSlotAccount = 7;
inline constexpr uint8_t kSlotOnline = 8;

// Settings and mode flags the engine reads.
struct EngineOptions {
  bool OptBlackHand = true;
  bool OptReplaceDeuce = true;
  bool OptFlyCards = true;
  bool SoundOn = true;
  bool NetGame = false;
  uint8_t NetRole = 0;  // 0 none, 1 host, 2 guest
  bool OnlineGame = false;
  uint8_t PlayerSlot = kSlotNewPlayer;
  bool Recording = false;  // the game recorder is on
  bool StrongOpponent = false;  // seat 1 plays the stronger computer player
};

// The player a series books, as read at its start.
struct SeriesPlayer {
  std::string Name;           // 20 characters, blank-padded
  double StoredRating = 0.0;  // r0
  int32_t StoredKon = 0;      // k0: the deal count read at the series start
  std::string KonText;        // deal count, 7 characters right-aligned
  std::string ScoreText;      // running score, 6 characters right-aligned
  std::string PasswordField;  // 15 encoded digits, kept as read
};

// What the peer of a net game is told of the local player's actions.
enum class PeerEvent { Play, Next, Collect, ChangeDeuce, Begin, NextDeal };

// Things that happen beyond the table: peers, online tables, the recorder.
class EngineHooks {
 public:
  virtual ~EngineHooks() = default;
  // The local side acts first on the wire, then on its own table.
  virtual void TellPeer(PeerEvent event, CardCode card) { (void)event, (void)card; }
  // The host of a net game sends the fresh deck and the two rule options.
  virtual void SendDeckToPeer() {}
  // At an online table, after each deal: the match ends after its second.
  virtual void OnlineDealEnded() {}
  // The recorder takes the table's final picture of a deal.
  virtual void RecordFinalFrame() {}
};

// The engine's whole context: the state, its options and its outlets.
struct Game {
  GameState gs;
  EngineOptions opt;
  SeriesPlayer player;
  std::array<std::string, 3> SeatName;  // names on the plates and on the wire
  int32_t OnlineKon = 0;                // deals of the current online match
  uint8_t TablePlace = 1;               // our place at an online table
  // On the guest of a net game: no deck from the host has arrived yet.
  bool WaitingForDeck = false;
  // When set (80 cp1251 bytes, Deck[1] first), the next deal uses this deck
  // instead of a shuffle: for replaying a known deal.
  std::string PresetDeck;
  // Seat 1's cards are shown face up (the deal is over).
  bool RevealSeat1 = false;
  // The move driver timer (Timer1) as the engine leaves it.
  int TimerIntervalMs = 20;
  bool TimerEnabled = false;
  TableView* view = nullptr;
  PlayerRecords* records = nullptr;
  EngineHooks* hooks = nullptr;
  // The shuffle's source, freshly seeded when the game is created.
  RandomSource rng;
  // The stronger computer player's own draws, apart from the shuffle's, so a
  // seed gives the same moves whatever the deals.
  RandomSource strongRng{0x57A0};
  // The card turned up at the deal, as both seats saw it before any swap.
  CardCode TurnedAtDeal = EmptyCard;

  explicit Game(TableView* v = nullptr);
  TableView& View() { return *view; }
  void Play(std::string_view sound, bool wait) { view->PlayEffect(sound, wait, opt.SoundOn); }
};

// Sorts and compacts slots 1..4 of a seat's hand (plain suits then trumps,
// weakest first) and recounts it.
void ArrangeHand(GameState& gs, int seat);

}  // namespace zarnet
