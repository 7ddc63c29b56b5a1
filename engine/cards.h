// Cards of the 40-card deck: codes, strength and points.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarnet {

// Suit and rank characters are cp1251 bytes.
inline constexpr char kHearts = '\xF7';    // ч
inline constexpr char kDiamonds = '\xE1';  // б
inline constexpr char kClubs = '\xEA';     // к
inline constexpr char kSpades = '\xEF';    // п

inline constexpr char kJack = '\xC2';   // В
inline constexpr char kQueen = '\xC4';  // Д
inline constexpr char kKing = '\xCA';   // К
inline constexpr char kAce = '\xD2';    // Т

// 1-based: kSuitChars[1..4] in card-number order.
inline constexpr std::array<char, 5> kSuitChars = {0, kHearts, kDiamonds, kClubs, kSpades};
// 1-based by RankOrder: kRankChars[1] is the two, kRankChars[10] the ace.
inline constexpr std::array<char, 11> kRankChars = {0,   '2',   '4',    '5',   '6', '7',
                                                    kJack, kQueen, kKing, '3', kAce};
inline constexpr std::array<uint8_t, 11> kRankPoints = {0, 0, 0, 0, 0, 0, 2, 3, 4, 10, 11};

// A card: rank character then suit character.
struct CardCode {
  char rank = '#';
  char suit = '#';

  constexpr bool operator==(const CardCode&) const = default;
  std::string Bytes() const { return std::string{rank, suit}; }
};

inline constexpr CardCode EmptyCard{'#', '#'};

struct CardInfo {
  CardCode code = EmptyCard;
  uint8_t order = 0;
  uint8_t points = 0;
};

// Card number n (1..40) before shuffling: rank row (n-1)/4+1, suit (n-1)%4+1.
constexpr CardInfo CardFromNumber(int n) {
  const int row = (n - 1) / 4 + 1;
  const int suit = (n - 1) % 4 + 1;
  return {{kRankChars[row], kSuitChars[suit]}, static_cast<uint8_t>(row), kRankPoints[row]};
}

// The deck table, 1-based by card number.
inline constexpr std::array<CardInfo, 41> kDeckTable = [] {
  std::array<CardInfo, 41> t{};
  for (int n = 1; n <= 40; ++n) t[n] = CardFromNumber(n);
  return t;
}();

namespace detail {
// Byte-indexed tables: rank order and suit index of every cp1251 byte.
inline constexpr std::array<uint8_t, 256> kRankOrderByByte = [] {
  std::array<uint8_t, 256> t{};
  for (int i = 1; i <= 10; ++i) t[static_cast<unsigned char>(kRankChars[i])] = static_cast<uint8_t>(i);
  return t;
}();
inline constexpr std::array<uint8_t, 256> kSuitIndexByByte = [] {
  std::array<uint8_t, 256> t{};
  for (int i = 1; i <= 4; ++i) t[static_cast<unsigned char>(kSuitChars[i])] = static_cast<uint8_t>(i);
  return t;
}();
}  // namespace detail

// RankOrder of a rank character, 0 for a character that is no rank.
constexpr int RankOrderOf(char rank) {
  return detail::kRankOrderByByte[static_cast<unsigned char>(rank)];
}

constexpr int SuitIndexOf(char suit) {
  return detail::kSuitIndexByByte[static_cast<unsigned char>(suit)];
}

// Card number 1..40 of a code, 0 when the code is no card of the deck.
constexpr int CardNumberOf(CardCode c) {
  const int r = RankOrderOf(c.rank);
  const int s = SuitIndexOf(c.suit);
  return (r == 0 || s == 0) ? 0 : (r - 1) * 4 + s;
}

constexpr CardInfo CardInfoOf(CardCode c) {
  const int n = CardNumberOf(c);
  return n == 0 ? CardInfo{c, 0, 0} : kDeckTable[n];
}

// Card codes as people read them: "Дб" in UTF-8.
std::string CardToUtf8(CardCode c);
// Parses a run of UTF-8 card codes ("2ч4б..."); false on any character that is
// not a rank or suit in its place.
bool CardsFromUtf8(std::string_view text, std::string* bytesOut);

}  // namespace zarnet
