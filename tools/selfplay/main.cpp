// zarnet-selfplay: the computer plays both seats.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <set>
#include <string>

#include "cards.h"
#include "selfplay.h"

namespace {

void Usage() {
  std::cerr << "usage: zarnet-selfplay [--deals N] [--seed S] [--black-hand 0|1]\n"
               "                       [--replace-deuce 0|1] [--deck CODES] [--first-leader 1|2]\n"
               "                       [--seat1 standard|strong|expert]\n"
               "                       [--seat2 standard|strong|expert]\n"
               "                       [--trace]\n";
}

// Which computer player takes a seat.
bool ParseLevel(const std::string& text, zarnet::OpponentLevel* level) {
  using zarnet::OpponentLevel;
  if (text == "standard") *level = OpponentLevel::Standard;
  else if (text == "strong") *level = OpponentLevel::Strong;
  else if (text == "expert") *level = OpponentLevel::Expert;
  else return false;
  return true;
}

bool ParseNumber(const char* text, long long min, long long max, long long* out) {
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || v < min || v > max) return false;
  *out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  zarnet::SelfPlayOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    long long v = 0;
    if (a == "--trace") {
      o.trace = true;
    } else if (a == "--deals" && hasValue && ParseNumber(argv[++i], 1, 1LL << 40, &v)) {
      o.deals = v;
    } else if (a == "--seed" && hasValue && ParseNumber(argv[++i], 0, 1LL << 62, &v)) {
      o.seed = static_cast<uint64_t>(v);
    } else if (a == "--black-hand" && hasValue && ParseNumber(argv[++i], 0, 1, &v)) {
      o.blackHand = v == 1;
    } else if (a == "--replace-deuce" && hasValue && ParseNumber(argv[++i], 0, 1, &v)) {
      o.replaceDeuce = v == 1;
    } else if (a == "--first-leader" && hasValue && ParseNumber(argv[++i], 1, 2, &v)) {
      o.firstLeader = static_cast<int>(v);
    } else if (a == "--seat1" && hasValue && ParseLevel(argv[++i], &o.seat1)) {
    } else if (a == "--seat2" && hasValue && ParseLevel(argv[++i], &o.seat2)) {
    } else if (a == "--deck" && hasValue) {
      std::string bytes;
      if (!zarnet::CardsFromUtf8(argv[++i], &bytes) || bytes.size() != 80) {
        std::cerr << "zarnet-selfplay: --deck needs 40 card codes such as 2ч4б...\n";
        return 2;
      }
      std::set<int> cards;
      for (size_t k = 0; k < 80; k += 2) cards.insert(zarnet::CardNumberOf({bytes[k], bytes[k + 1]}));
      if (cards.size() != 40) {
        std::cerr << "zarnet-selfplay: --deck must name each of the 40 cards once\n";
        return 2;
      }
      o.deck = bytes;
    } else {
      Usage();
      return 2;
    }
  }
  const zarnet::SelfPlaySummary s = zarnet::RunSelfPlay(o, o.trace ? &std::cout : nullptr);
  if (!s.firstFailure.empty()) std::cerr << "first invariant failure: " << s.firstFailure << "\n";
  std::cout << zarnet::SummaryLine(s) << std::endl;
  return s.invariantFailures == 0 ? 0 : 1;
}
