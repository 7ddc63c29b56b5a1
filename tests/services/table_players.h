// Raw TCP players at a table game server, and two honest players' deal
// written from the game's rules, shared by the suites that play matches.
#pragma once

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cards.h"
#include "service_fixture.h"

namespace zarnet::test {

// A table link's 20-byte frame: the text padded with '#', then the seat digit.
inline std::string Frame(const std::string& payload, int seat) {
  std::string f = payload;
  f.resize(19, '#');
  return f + char('0' + seat);
}

class Player {
 public:
  explicit Player(int port, const std::string& source = "127.0.0.1") : fd_(LoopbackConnect(port, source, 5)) {}
  ~Player() { Close(); }
  Player(const Player&) = delete;
  bool connected() const { return fd_ >= 0; }
  void Send(const std::string& bytes) { ASSERT_EQ(send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size())); }
  // Exactly n bytes, or what came before the close or the time-out.
  std::string Read(size_t n) {
    std::string out;
    char buf[512];
    while (out.size() < n) {
      const ssize_t got = recv(fd_, buf, std::min(sizeof buf, n - out.size()), 0);
      if (got <= 0) break;
      out.append(buf, size_t(got));
    }
    return out;
  }
  // Frames up to and including the next deck, which is returned.
  std::string ReadDeck() {
    for (std::string f = Read(20); f.size() == 20; f = Read(20))
      if (f[0] == 'b') return f + Read(221);
    return {};
  }
  // True when the server closed the link.
  bool Closed() {
    char c;
    while (recv(fd_, &c, 1, 0) > 0) {
    }
    return recv(fd_, &c, 1, 0) == 0;
  }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// The rules as two honest players keep them, written from the game's
// description: always the first card of the hand, the leader collects.
class HonestDeal {
 public:
  HonestDeal(const std::string& deck, int dealNumber) : leader_(dealNumber % 2 == 1 ? 1 : 2) {
    for (int i = 1; i <= 40; ++i) {
      code_[i] = deck.substr(1 + 2 * (i - 1), 2);
      order_[i] = std::stoi(deck.substr(81 + 2 * (i - 1), 2));
      points_[i] = std::stoi(deck.substr(161 + 2 * (i - 1), 2));
    }
    trump_ = code_[40][1];
    for (int k = 1; k <= 3; ++k) hand_[1].push_back(k), hand_[2].push_back(k + 3);
  }
  std::string Code(int card) const { return code_[card]; }
  const std::vector<int>& Hand(int seat) const { return hand_[seat]; }

  // Plays the deal out between the two links; adds the match points to `score`.
  void Play(Player* seats[3], int score[3]) {
    const auto move = [&](int from, const std::string& payload) {
      seats[from]->Send(Frame(payload, from));
      ASSERT_EQ(seats[3 - from]->Read(20), Frame(payload, from)) << "relayed unchanged";
    };
    move(leader_, "hsitkon2");
    if (BlackHand(score)) return;
    int taken[3] = {0, 0, 0};
    for (;;) {
      const int other = 3 - leader_;
      const int led = hand_[leader_].front(), answer = hand_[other].front();
      hand_[leader_].erase(hand_[leader_].begin());
      hand_[other].erase(hand_[other].begin());
      move(leader_, "hhod" + code_[led]);
      move(leader_, "hnext");
      move(other, "hhod" + code_[answer]);
      const bool ledWins = code_[led][1] == code_[answer][1] ? order_[led] > order_[answer]
                                                              : code_[answer][1] != trump_;
      const int winner = ledWins ? leader_ : other;
      taken[winner] += points_[led] + points_[answer];
      if (hand_[1].empty() && hand_[2].empty()) {
        for (int s = 1; s <= 2; ++s) score[s] += taken[s] + (taken[s] >= 61 ? 10 : 0);
        return;
      }
      move(leader_, "hslit");
      while (hand_[winner].size() < 3 && next_ <= 40) {
        hand_[winner].push_back(next_++);
        hand_[3 - winner].push_back(next_++);
      }
      leader_ = winner;
      if (BlackHand(score)) return;
    }
  }

 private:
  // The king, three and ace of trumps in one hand end the deal for 120.
  bool BlackHand(int score[3]) {
    for (int s = 1; s <= 2; ++s) {
      std::set<std::string> h;
      for (int c : hand_[s]) h.insert(code_[c]);
      const std::string t(1, trump_);
      if (h == std::set<std::string>{std::string(1, kKing) + t, "3" + t, std::string(1, kAce) + t}) {
        score[s] += 120;
        return true;
      }
    }
    return false;
  }

  std::string code_[41];
  int order_[41] = {}, points_[41] = {};
  char trump_ = 0;
  std::vector<int> hand_[3];
  int next_ = 7;
  int leader_;
};

}  // namespace zarnet::test
